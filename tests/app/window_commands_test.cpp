#include "app/ChannelCsvCommands.h"
#include "app/VerifyRadio.h"
#include "codeplug/ChannelCsv.h"
#include "codeplug/RadioImageLayout.h"
#include "codeplug/RadioImagePacking.h"
#include "emulator/SampleCodeplug.h"
#include "program/Program.h"
#include "support/RadioRig.h"
#include "support/TransferDialogDriver.h"
#include "ui/AddedTexts.h"
#include "ui/AppLang.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace lt::test {
namespace {

// The program's side of the main window's new commands against an in-process
// radio holding the sample codeplug.
class WindowCommands : public ::testing::Test, protected RadioRig {
protected:
    void SetUp() override
    {
        AppLang().fSetLangType(1);
        FillSampleCodeplug(program.model);
        RadioImage image;
        CodeplugModel copy = program.model;
        GetDataForWrite(copy, image);
        std::copy(image.bytes.begin(), image.bytes.end(), emulator.memory.begin());
    }
    void TearDown() override { AppLang().fSetDetectType(); }

    std::vector<uint8_t> modelBytes() const { return {program.model.block().begin(), program.model.block().end()}; }

    // A CSV file the user is going to choose for an import.
    QString chosenCsv(const QByteArray& text)
    {
        const QString path = dir.filePath(QStringLiteral("chosen.csv"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        user.openFile(path);
        return path;
    }

    TransferDialogDriver user{clock};
    QTemporaryDir dir;
};

TEST_F(WindowCommands, VerifyRadioReportsAMatchAndLeavesTheCodeplugAlone)
{
    const std::vector<uint8_t> before = modelBytes();
    const BandLimits bands = program.model.bands;

    const auto differences = VerifyRadio(env, program, nullptr);

    ASSERT_TRUE(differences.has_value());
    EXPECT_TRUE(differences->empty());
    EXPECT_EQ(user.messages(), (QStringList{QStringLiteral("SUCCESS"), QStringLiteral("The radio holds what writing the codeplug would send.")}));
    EXPECT_EQ(modelBytes(), before);
    EXPECT_EQ(program.model.bands, bands);
}

TEST_F(WindowCommands, VerifyRadioListsTheDifferingFields)
{
    emulator.memory[ri::SQL.address] = 7;
    emulator.memory[ChannelSlotAddress(12) + 4] ^= 0x10;

    const auto differences = VerifyRadio(env, program, nullptr);

    ASSERT_TRUE(differences.has_value());
    ASSERT_EQ(differences->size(), 2u);
    ASSERT_EQ(user.messages().size(), 2);
    const QStringList lines = user.messages()[1].split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], AddedText(Added::RadioDiffers));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("channel 12 TxFreq: file ")));
    EXPECT_EQ(lines[2], QStringLiteral("SQL: file 5, radio 7"));
}

TEST_F(WindowCommands, AFailedVerifyReadShowsOnlyTheTransferOutcome)
{
    backend.setAttached(false);
    EXPECT_FALSE(VerifyRadio(env, program, nullptr).has_value());
    EXPECT_EQ(user.messages(), QStringList{QStringLiteral("Communication False")});
}

// The report names where each difference is in the interface language; the
// field's own name and the values stay as the tool prints them.
TEST_F(WindowCommands, TheVerifyReportNamesChannelsAndSidesInTheInterfaceLanguage)
{
    const std::vector<FieldDifference> differences{
        {QStringLiteral("channel 12 TxFreq"), QStringLiteral("145.50000"), QStringLiteral("0")},
        {QStringLiteral("ChannelUsedMap channel 40"), QStringLiteral("1"), QStringLiteral("0")},
        {QStringLiteral("VFO B RxToneCode"), QStringLiteral("88.5"), QStringLiteral("Off")},
        {QStringLiteral("SQL"), QStringLiteral("5"), QStringLiteral("7")},
    };
    AppLang().fSetLangType(3);
    EXPECT_EQ(VerifyReport(differences, 30).split(QLatin1Char('\n')).mid(1),
              (QStringList{QStringLiteral("信道 12 TxFreq：文件 145.50000，電台 0"), QStringLiteral("信道 40 ChannelUsedMap：文件 1，電台 0"),
                           QStringLiteral("頻率模式 B RxToneCode：文件 88.5，電台 Off"), QStringLiteral("SQL：文件 5，電台 7")}));
}

TEST_F(WindowCommands, ALongReportIsCut)
{
    std::vector<FieldDifference> many(40, FieldDifference{QStringLiteral("SQL"), QStringLiteral("1"), QStringLiteral("2")});
    const QStringList lines = VerifyReport(many, 30).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 32);
    EXPECT_EQ(lines.last(), QStringLiteral("… and 10 more"));
}

TEST_F(WindowCommands, ImportCsvWithABadLineChangesNothingAndSaysWhere)
{
    chosenCsv("Location,Frequency,Power\n1,145.000000,High\n2,146.000000,Medium\n");
    const std::vector<uint8_t> before = modelBytes();

    EXPECT_FALSE(ImportCsvClick(program, nullptr));
    EXPECT_EQ(modelBytes(), before);
    ASSERT_EQ(user.messages().size(), 1);
    EXPECT_EQ(user.messages()[0], QStringLiteral("Nothing was imported:\nline 3, column Power: 'Medium' is not High or Low"));
}

// 150 bad lines: the importer lists 100, the message shows 20 and counts the
// 80 listed and 50 unlisted beyond them.
TEST_F(WindowCommands, AnImportWithManyBadLinesShowsTheFirstAndCountsTheRest)
{
    QByteArray csv = "Location,Frequency\n";
    for (int n = 1; n <= 150; ++n)
        csv += QByteArray::number(n) + ",1.0\n";
    chosenCsv(csv);
    EXPECT_FALSE(ImportCsvClick(program, nullptr));
    ASSERT_EQ(user.messages().size(), 1);
    const QStringList lines = user.messages()[0].split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 22);
    EXPECT_TRUE(lines[20].startsWith(QStringLiteral("line 21, column Frequency: 1.000000 MHz is outside the bands 136.000000-174.000000"))) << lines[20].toStdString();
    EXPECT_EQ(lines[21], QStringLiteral("… and 130 more"));
    // A list this long needs a dialog that grows with its text.
    EXPECT_EQ(user.shownMessages().front().dialog, QStringLiteral("TSizedMessageDlg"));
}

TEST_F(WindowCommands, VerifyResultsAndImportErrorsFollowTheInterfaceLanguage)
{
    AppLang().fSetLangType(2);
    emulator.memory[ri::SQL.address] = 7;
    ASSERT_TRUE(VerifyRadio(env, program, nullptr).has_value());
    ASSERT_EQ(user.messages().size(), 2);
    EXPECT_EQ(user.messages()[1], QStringLiteral("电台中的数据与写入当前数据时不同：\nSQL：文件 5，电台 7"));

    chosenCsv("Location,Frequency,Power\n1,145.000000,Medium\n");
    EXPECT_FALSE(ImportCsvClick(program, nullptr));
    ASSERT_EQ(user.messages().size(), 3);
    EXPECT_EQ(user.messages()[2], QStringLiteral("未导入任何数据：\n第 2 行，Power 列：'Medium' 不是 High 或 Low"));

    chosenCsv("Location,Frequency\n1,999.0\n");
    EXPECT_FALSE(ImportCsvClick(program, nullptr));
    ASSERT_EQ(user.messages().size(), 4);
    EXPECT_EQ(user.messages()[3],
              QStringLiteral("未导入任何数据：\n第 2 行，Frequency 列：999.000000 MHz 不在频段 136.000000-174.000000 或 400.000000-470.000000 MHz 之内"));

    AppLang().fSetLangType(3);
    chosenCsv("Location,Frequency\n1,145.000000\n1,146.000000\n");
    EXPECT_FALSE(ImportCsvClick(program, nullptr));
    ASSERT_EQ(user.messages().size(), 5);
    EXPECT_EQ(user.messages()[4], QStringLiteral("未匯入任何數據：\n第 3 行，Location 列：信道 1 已在第 2 行"));
}

TEST_F(WindowCommands, ExportThenImportCsvThroughTheCommands)
{
    const QString path = dir.filePath(QStringLiteral("channels.csv"));
    user.saveFile(path).openFile(path);
    ExportCsvClick(program, nullptr);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), ExportChannelsCsv(program.model).text);
    EXPECT_TRUE(user.messages().isEmpty());

    program.model.SetCodeplugDefaults();
    EXPECT_TRUE(ImportCsvClick(program, nullptr));
    EXPECT_EQ(program.model.UsedChannelCount(), cp::kChannelCount);

    EXPECT_FALSE(ImportCsvClick(program, nullptr));
}

TEST(AddedTexts, MenuItemsInTheThreeLanguages)
{
    const struct {
        int type;
        QString verify, import, exportCsv;
    } cases[] = {
        {1, QStringLiteral("Verify radio"), QStringLiteral("Import CSV…"), QStringLiteral("Export CSV…")},
        {2, QStringLiteral("校验电台"), QStringLiteral("导入 CSV…"), QStringLiteral("导出 CSV…")},
        {3, QStringLiteral("校驗電台"), QStringLiteral("匯入 CSV…"), QStringLiteral("匯出 CSV…")},
    };
    for (const auto& c : cases) {
        AppLang().fSetLangType(c.type);
        EXPECT_EQ(AddedText(Added::VerifyRadio), c.verify) << c.type;
        EXPECT_EQ(AddedText(Added::ImportCsv), c.import) << c.type;
        EXPECT_EQ(AddedText(Added::ExportCsv), c.exportCsv) << c.type;
    }
    AppLang().fSetDetectType();
}

} // namespace
} // namespace lt::test
