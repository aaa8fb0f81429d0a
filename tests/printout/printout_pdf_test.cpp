#include "codeplug/CodeplugModel.h"
#include "codeplug/TextEntryRules.h"
#include "codeplug/ValueEncodings.h"
#include "editor/FunctionSettings.h"
#include "editor/VfoPanel.h"
#include "emulator/SampleCodeplug.h"
#include "printout/CodeplugPrintout.h"
#include "printout/PdfExport.h"
#include "support/PdfText.h"
#include "ui/AppLang.h"

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

// Characters whose glyph a CJK font shares with a radical: a careless PDF
// gives the radical back when the text is copied out.
const QString kChineseName = QStringLiteral("中文高山");

class PrintoutPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        AppLang().SetInterfaceLanguage(0);
        FillSampleCodeplug(model);
        model.channel(77).setChName(ToGbk(kChineseName));
    }
    void TearDown() override { AppLang().fSetDetectType(); }

    // Exports the model; the number of pages.
    int exportPdf(const QString& name, const QPageSize& paper = QPageSize(QPageSize::A4))
    {
        path = dir.filePath(name);
        QString error;
        const int pages = ExportPrintoutPdf(BuildPrintout(model, QStringLiteral("club.kvf")), path, paper, &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return pages;
    }

    QTemporaryDir dir;
    CodeplugModel model;
    QString path;
};

TEST_F(PrintoutPdf, TwoHundredFortyChannelsFitTwoLandscapePagesOnEitherPaper)
{
    const struct {
        QPageSize::PageSizeId paper;
        const char* name;
    } papers[] = {{QPageSize::A4, "A4"}, {QPageSize::Letter, "letter"}};
    for (const auto& paper : papers) {
        SCOPED_TRACE(paper.name);
        const int pages = exportPdf(QStringLiteral("sample.pdf"), QPageSize(paper.paper));
        EXPECT_EQ(pages, 2);
        EXPECT_EQ(PdfPages(path), 2);
        const QString size = PdfInfo(path, QStringLiteral("Page size"));
        EXPECT_TRUE(size.contains(QLatin1String(paper.name))) << size.toStdString();
        const QStringList points = size.split(QLatin1Char(' '));
        ASSERT_GE(points.size(), 3);
        EXPECT_GT(points[0].toDouble(), points[2].toDouble()) << "landscape: " << size.toStdString();
    }
}

TEST_F(PrintoutPdf, EveryChannelNameAndFrequencyCanBeReadBackFromTheDocument)
{
    exportPdf(QStringLiteral("sample.pdf"));
    const QString text = PdfText(path);
    int checked = 0;
    for (int n = 1; n <= cp::kChannelCount; ++n) {
        const ChannelRecord channel = model.channel(n);
        for (const QString& shown : {FromGbk(channel.ChName()), FreqToText(channel.RxFreq()), FreqToText(channel.TxFreq())}) {
            EXPECT_TRUE(text.contains(shown)) << "channel " << n << ": " << shown.toStdString();
            ++checked;
        }
    }
    EXPECT_EQ(checked, 3 * cp::kChannelCount);
    EXPECT_TRUE(text.contains(kChineseName)) << "the Chinese name comes back as the same characters";
    EXPECT_TRUE(text.contains(QStringLiteral("club.kvf")));
    EXPECT_TRUE(text.contains(BandLabelText(model.bands).section(QLatin1Char(' '), 0, 1)));
}

TEST_F(PrintoutPdf, EveryPageRepeatsTheHeaderAndCarriesItsNumber)
{
    ASSERT_EQ(exportPdf(QStringLiteral("sample.pdf")), 2);
    for (int page = 1; page <= 2; ++page) {
        const QString text = PdfText(path, page);
        EXPECT_EQ(text.count(QStringLiteral("RX Freq.")), 2) << "one header per block of the table, page " << page;
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of 2").arg(page))) << page;
    }
    // No caption is cut off by its column: every word of it can be read.
    const QString text = PdfText(path, 1);
    for (const QString& header : ChannelGridTexts::current().headers) {
        for (const QString& word : header.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            EXPECT_TRUE(text.contains(word)) << word.toStdString();
    }
}

TEST_F(PrintoutPdf, TheSettingsAreListedAsTheOptionsPageShowsThem)
{
    model.set(cp::TOT, 270);
    model.set(cp::BackLight, 255);
    exportPdf(QStringLiteral("sample.pdf"));
    // One line of text per row of settings: each label is followed by its value.
    const QString text = PdfText(path, 2).simplified();
    std::vector<ShownSetting> shown = VfoPanel::shownSettings(model, VfoPanel::Side::A);
    for (const ShownSetting& setting : FunctionSettings::shownSettings(model))
        shown.push_back(setting);
    for (const ShownSetting& setting : shown)
        EXPECT_TRUE(text.contains(setting.label + QLatin1Char(' ') + setting.value)) << setting.control.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("TOT(S) 270")));
    EXPECT_TRUE(text.contains(QStringLiteral("Lamp Control On")));
    EXPECT_TRUE(text.contains(QStringLiteral("VFO A")) && text.contains(QStringLiteral("VFO B")));
}

TEST_F(PrintoutPdf, TheInterfaceLanguageNamesTheColumnsAndPages)
{
    const struct {
        int language;
        const char* header;
        const char* page;
    } languages[] = {
        {0, "RX Freq.", "Page 1 of 2"},
        {1, "接收频率", "第 1 页，共 2 页"},
        {2, "接收頻率", "第 1 頁，共 2 頁"},
    };
    for (const auto& language : languages) {
        SCOPED_TRACE(language.language);
        AppLang().SetInterfaceLanguage(language.language);
        exportPdf(QStringLiteral("language.pdf"));
        const QString text = PdfText(path, 1);
        EXPECT_TRUE(text.contains(QString::fromUtf8(language.header))) << text.left(400).toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(language.page)));
        EXPECT_TRUE(text.contains(kChineseName));
    }
}

TEST_F(PrintoutPdf, TheFirstPageRendersWithItsTable)
{
    exportPdf(QStringLiteral("sample.pdf"));
    const QString prefix = dir.filePath(QStringLiteral("page"));
    RunPoppler(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"), QStringLiteral("-f"),
                                            QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"),
                                            path, prefix});
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height());
    // The shaded odd rows of the table colour a good part of the page.
    int shaded = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            shaded += page.pixelColor(x, y) != QColor(Qt::white);
    }
    EXPECT_GT(shaded, page.width() * page.height() / 5);
}

TEST_F(PrintoutPdf, AFewChannelsOrNoneTakeOnePage)
{
    for (const int used : {3, 0}) {
        SCOPED_TRACE(used);
        for (int n = used + 1; n <= cp::kChannelCount; ++n)
            model.SetChannelUsed(n, false);
        EXPECT_EQ(exportPdf(QStringLiteral("few.pdf")), 1);
        const QString text = PdfText(path);
        EXPECT_EQ(text.contains(QStringLiteral("RX Freq.")), used > 0);
        EXPECT_TRUE(text.contains(QStringLiteral("Key Beep")));
    }
}

TEST_F(PrintoutPdf, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft)
{
    const QString target = dir.filePath(QStringLiteral("missing/folder/out.pdf"));
    QString error;
    EXPECT_EQ(ExportPrintoutPdf(BuildPrintout(model, QString()), target, QPageSize(QPageSize::A4), &error), 0);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST(PrintoutTitle, NamesTheFileOrTheReadOrANewCodeplug)
{
    AppLang().SetInterfaceLanguage(0);
    EXPECT_EQ(PrintoutTitle({QStringLiteral("club.kvf"), QDateTime::currentDateTime()}), QStringLiteral("club.kvf"));
    EXPECT_EQ(PrintoutTitle({QString(), QDateTime(QDate(2024, 5, 1), QTime(14, 3))}), QStringLiteral("Read from radio 2024-05-01 14:03"));
    EXPECT_EQ(PrintoutTitle({}), QStringLiteral("New codeplug"));
    AppLang().fSetDetectType();
}

} // namespace
} // namespace lt::test
