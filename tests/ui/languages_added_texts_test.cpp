#include "codeplug/ChannelCsv.h"
#include "codeplug/ConversionError.h"
#include "program/ConfigFile.h"
#include "ui/AddedTexts.h"
#include "ui/AppLang.h"
#include "ui/CsvErrorLines.h"
#include "ui/ErrorReportText.h"
#include "ui/ModalSeam.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <stdexcept>

namespace lt {
namespace {

constexpr int kEnglish = 1;
constexpr int kSimplified = 2;
constexpr int kTraditional = 3;

class AddedTextsTest : public ::testing::Test {
protected:
    void TearDown() override { AppLang().fSetDetectType(); }
};

QSet<QString> placeholders(const char* text)
{
    QSet<QString> found;
    const QRegularExpression marker(QStringLiteral("%[0-9]"));
    for (const QRegularExpressionMatch& match : marker.globalMatch(QString::fromUtf8(text)))
        found << match.captured();
    return found;
}

// Each entry comes out as written through the interface's byte form (GBK, or
// Big5 for Traditional Chinese), and every language fills in the same values.
TEST_F(AddedTextsTest, EveryEntryShowsAsWrittenWithTheSamePlaceholdersInEveryLanguage)
{
    const TextTable& table = AddedTextTable();
    const struct {
        int type;
        std::span<const char* const> texts;
    } languages[] = {{kEnglish, table.english}, {kSimplified, table.simplified}, {kTraditional, table.traditional}};
    for (int n = 0; n < static_cast<int>(Added::kCount); ++n) {
        const auto i = static_cast<std::size_t>(n);
        for (const auto& language : languages) {
            AppLang().fSetLangType(language.type);
            const QString written = QString::fromUtf8(language.texts[i]);
            EXPECT_FALSE(written.isEmpty()) << "entry " << n;
            EXPECT_EQ(AddedText(static_cast<Added>(n)), written) << "entry " << n << ", type " << language.type;
            EXPECT_EQ(placeholders(language.texts[i]), placeholders(table.english[i])) << "entry " << n;
        }
    }
}

// The window's texts for what is wrong with a channel list are the table's,
// in the order of the problems: in English they read as the tool says them,
// and in Chinese each is its own text with the values put in.
TEST_F(AddedTextsTest, ChannelListErrorsInEnglishReadAsTheToolSaysThem)
{
    const QStringList values{QStringLiteral("'%2 x'"), QStringLiteral("7"), QStringLiteral("Low")};
    QSet<QString> chinese;
    for (int n = 0; n < static_cast<int>(CsvProblem::kCount); ++n) {
        const CsvError inColumn{4, QStringLiteral("Power"), static_cast<CsvProblem>(n), values};
        const CsvError inLine{9, {}, static_cast<CsvProblem>(n), values};
        AppLang().fSetLangType(kEnglish);
        EXPECT_EQ(CsvErrorLine(inColumn), DescribeCsvError(inColumn)) << "problem " << n;
        EXPECT_EQ(CsvErrorLine(inLine), DescribeCsvError(inLine)) << "problem " << n;
        AppLang().fSetLangType(kSimplified);
        chinese << CsvErrorLine(inColumn);
    }
    EXPECT_EQ(chinese.size(), static_cast<int>(CsvProblem::kCount));
}

TEST_F(AddedTextsTest, TheErrorReportNamesTheProgramsOwnFailuresInTheInterfaceLanguage)
{
    const QString config = QStringLiteral("/no/such/folder/_config.ini");
    const struct {
        int type;
        const char* notFloat;
        const char* notInteger;
        const char* configNotWritten;
    } cases[] = {
        {kEnglish, "'438.' is not a valid floating point value", "'4x' is not a valid integer value",
         "Cannot write the configuration file %1: No such file or directory"},
        {kSimplified, "“438.”不是有效的数值", "“4x”不是有效的整数", "无法写入配置文件 %1：No such file or directory"},
        {kTraditional, "“438.”不是有效的數值", "“4x”不是有效的整數", "無法寫入配置文件 %1：No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        AppLang().fSetLangType(c.type);
        QStringList reports;
        ModalHandlers handlers;
        handlers.errorReport = [&](const QString& message) { reports << message; };
        ModalHandlersGuard guard(std::move(handlers));
        reportErrors([] { throw ConversionError::notFloat("438."); });
        reportErrors([] { throw ConversionError::notInteger("4x"); });
        reportErrors([&] { throw ConfigWriteError(config, QStringLiteral("No such file or directory")); });
        reportErrors([] { throw std::runtime_error("anything else"); });
        EXPECT_EQ(reports, (QStringList{QString::fromUtf8(c.notFloat), QString::fromUtf8(c.notInteger),
                                        QString::fromUtf8(c.configNotWritten).arg(QDir::toNativeSeparators(config)),
                                        QStringLiteral("anything else")}));
    }
}

} // namespace
} // namespace lt
