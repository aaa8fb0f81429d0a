#include "codeplug/ChannelCsv.h"

#include "cli_rig.h"
#include "codeplug/CodeplugModel.h"
#include "codeplug/ToneTables.h"
#include "emulator/SampleCodeplug.h"

#include <QFile>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lt {
namespace {

using namespace std::string_literals;

const QByteArray kHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,Power,Comment\r\n";

CodeplugModel Defaults()
{
    CodeplugModel model;
    model.SetCodeplugDefaults();
    return model;
}

// Tones mean the same when their types agree and, unless none, their codes.
bool SameTone(uint16_t codeA, uint8_t typeA, uint16_t codeB, uint8_t typeB)
{
    return typeA == typeB && (typeA == kToneNone || codeA == codeB);
}

TEST(ChannelCsv, ExportThenImportGivesBackEveryChannelFieldTheColumnsCarry)
{
    CodeplugModel original;
    FillSampleCodeplug(original);

    const CsvExport exported = ExportChannelsCsv(original);
    EXPECT_TRUE(exported.warnings.isEmpty()) << exported.warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(exported.text.startsWith(kHeader));
    EXPECT_EQ(exported.text.count('\n'), 1 + cp::kChannelCount);

    CodeplugModel imported = Defaults();
    const CsvImport result = ImportChannelsCsv(exported.text, imported);
    ASSERT_TRUE(result.ok()) << DescribeCsvError(result.errors.front()).toStdString();
    EXPECT_EQ(result.channels, cp::kChannelCount);
    for (int n = 1; n <= cp::kChannelCount; ++n) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(imported.IsChannelUsed(n));
        const ChannelRecord a = original.channel(n);
        const ChannelRecord b = imported.channel(n);
        EXPECT_EQ(b.RxFreq(), a.RxFreq());
        EXPECT_EQ(b.TxFreq(), a.TxFreq());
        EXPECT_TRUE(SameTone(b.RxToneCode(), b.RxToneType(), a.RxToneCode(), a.RxToneType()));
        EXPECT_TRUE(SameTone(b.TxToneCode(), b.TxToneType(), a.TxToneCode(), a.TxToneType()));
        EXPECT_EQ(b.ChInfor_Bandwidth(), a.ChInfor_Bandwidth());
        EXPECT_EQ(b.ChInfor_Pow(), a.ChInfor_Pow());
        EXPECT_EQ(b.ChInfor_SCN(), a.ChInfor_SCN());
        EXPECT_EQ(b.ChName(), a.ChName());
        EXPECT_EQ(b.toneByte() >> 4, a.toneByte() >> 4);
    }
}

struct MappingCase {
    const char* name;
    const char* row; // as the export writes it
    uint32_t tx;
    Tone rx;
    Tone txTone;
    bool wide;
    bool high;
    bool scan;
};

class ChannelCsvMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(ChannelCsvMapping, ReadsTheRowAndWritesItBackTheSame)
{
    const MappingCase& c = GetParam();
    CodeplugModel model = Defaults();
    const CsvImport result = ImportChannelsCsv(kHeader + c.row + "\r\n", model);
    ASSERT_TRUE(result.ok()) << DescribeCsvError(result.errors.front()).toStdString();

    const ChannelRecord ch = model.channel(7);
    ASSERT_TRUE(model.IsChannelUsed(7));
    EXPECT_EQ(ch.RxFreq(), 145000000u);
    EXPECT_EQ(ch.TxFreq(), c.tx);
    EXPECT_TRUE(SameTone(ch.RxToneCode(), ch.RxToneType(), c.rx.code, c.rx.type));
    EXPECT_TRUE(SameTone(ch.TxToneCode(), ch.TxToneType(), c.txTone.code, c.txTone.type));
    EXPECT_EQ(ch.ChInfor_Bandwidth(), c.wide ? 1 : 0);
    EXPECT_EQ(ch.ChInfor_Pow(), c.high ? 1 : 0);
    EXPECT_EQ(ch.ChInfor_SCN(), c.scan ? 1 : 0);

    const CsvExport exported = ExportChannelsCsv(model);
    EXPECT_EQ(exported.text, kHeader + c.row + "\r\n");
    EXPECT_TRUE(exported.warnings.isEmpty());
}

constexpr Tone kNone{0, kToneNone};
constexpr uint16_t kD023 = kDcsCodeBase + 023;
constexpr uint16_t kD047 = kDcsCodeBase + 047;

INSTANTIATE_TEST_SUITE_P(
    Cases, ChannelCsvMapping,
    ::testing::Values(
        MappingCase{"Simplex", "7,Plain,145.000000,,,,,,,,FM,,,High,", 145000000, kNone, kNone, true, true, true},
        MappingCase{"DcsNormal", "7,D,145.000000,,,DTCS,,,023,NN,FM,,,High,", 145000000, {kD023, kToneDcsNormal},
                    {kD023, kToneDcsNormal}, true, true, true},
        MappingCase{"DcsInverted", "7,D,145.000000,,,DTCS,,,023,RR,FM,,,High,", 145000000, {kD023, kToneDcsInverted},
                    {kD023, kToneDcsInverted}, true, true, true},
        MappingCase{"DcsNormalOutInvertedIn", "7,D,145.000000,,,DTCS,,,047,NR,FM,,,High,", 145000000,
                    {kD047, kToneDcsInverted}, {kD047, kToneDcsNormal}, true, true, true},
        MappingCase{"Split", "7,X,145.000000,split,435.000000,,,,,,FM,,,High,", 435000000, kNone, kNone, true, true, true},
        MappingCase{"PositiveDuplex", "7,R,145.000000,+,0.600000,,,,,,FM,,,High,", 145600000, kNone, kNone, true, true, true},
        MappingCase{"NegativeDuplex", "7,R,145.000000,-,0.600000,,,,,,FM,,,High,", 144400000, kNone, kNone, true, true, true},
        MappingCase{"ReceiveOnly", "7,RX,145.000000,off,,,,,,,FM,,,High,", 0, kNone, kNone, true, true, true},
        MappingCase{"Narrow", "7,N,145.000000,,,,,,,,NFM,,,High,", 145000000, kNone, kNone, false, true, true},
        MappingCase{"LowPowerSkipped", "7,L,145.000000,,,,,,,,FM,,S,Low,", 145000000, kNone, kNone, true, false, false},
        MappingCase{"ToneOnlyEncode", "7,T,145.000000,,,Tone,88.5,,,,FM,,,High,", 145000000, kNone, {885, kToneCtcss}, true, true, true},
        MappingCase{"ToneSquelch", "7,T,145.000000,,,TSQL,100.0,100.0,,,FM,,,High,", 145000000, {1000, kToneCtcss},
                    {1000, kToneCtcss}, true, true, true},
        MappingCase{"CrossToneToDcs", "7,C,145.000000,,,Cross,88.5,,023,NR,FM,,,High,", 145000000, {kD023, kToneDcsInverted},
                    {885, kToneCtcss}, true, true, true},
        MappingCase{"CrossDcsToTone", "7,C,145.000000,,,Cross,,123.0,047,RN,FM,,,High,", 145000000, {1230, kToneCtcss},
                    {kD047, kToneDcsInverted}, true, true, true},
        MappingCase{"CrossTwoTones", "7,C,145.000000,,,Cross,88.5,123.0,,NN,FM,,,High,", 145000000, {1230, kToneCtcss},
                    {885, kToneCtcss}, true, true, true},
        MappingCase{"CrossDecodeOnly", "7,C,145.000000,,,Cross,,67.0,,NN,FM,,,High,", 145000000, {670, kToneCtcss}, kNone, true,
                    true, true},
        MappingCase{"ChineseNameQuoted", "7,\"中继,1\",145.000000,,,,,,,,FM,,,High,", 145000000, kNone, kNone, true, true, true}),
    [](const ::testing::TestParamInfo<MappingCase>& info) { return std::string(info.param.name); });

TEST(ChannelCsv, ColumnsAreFoundByNameAndUnknownOnesIgnored)
{
    CodeplugModel model = Defaults();
    const QByteArray csv = "\xEF\xBB\xBFName,Extra,Frequency,Location\n"
                           "Reordered,whatever,438.500000,12\n"
                           "\n"
                           "Second,,146.520000,3\n";
    const CsvImport result = ImportChannelsCsv(csv, model);
    ASSERT_TRUE(result.ok()) << DescribeCsvError(result.errors.front()).toStdString();
    EXPECT_EQ(model.UsedChannelCount(), 2);
    EXPECT_EQ(model.channel(12).RxFreq(), 438500000u);
    EXPECT_EQ(model.channel(12).TxFreq(), 438500000u);
    EXPECT_EQ(model.channel(12).ChName(), QByteArray("Reordered"));
    EXPECT_EQ(model.channel(3).RxFreq(), 146520000u);
}

TEST(ChannelCsv, AChannelInUseKeepsWhatTheColumnsDoNotCarry)
{
    CodeplugModel model = Defaults();
    model.channel(5).setRxFreq(145000000);
    model.StringGridAutoFullRow(5);
    model.channel(5).setCh_SquelchMode(2);
    model.channel(5).setChInfor_Scr(6);
    model.SetChannelUsed(5, true);
    model.SetChannelUsed(9, true);

    ASSERT_TRUE(ImportChannelsCsv(kHeader + "5,Kept,146.000000,,,,,,,,FM,,,High,\r\n", model).ok());
    EXPECT_EQ(model.channel(5).Ch_SquelchMode(), 2);
    EXPECT_EQ(model.channel(5).ChInfor_Scr(), 6);
    EXPECT_EQ(model.channel(5).RxFreq(), 146000000u);
    // The file is the channel list: channel 9 is not in it.
    EXPECT_FALSE(model.IsChannelUsed(9));
}

struct BadLine {
    const char* name;
    const char* row;
    const char* column;
};

class ChannelCsvBadLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(ChannelCsvBadLine, ImportsNothingAndNamesTheLine)
{
    CodeplugModel model = Defaults();
    model.channel(1).setRxFreq(145000000);
    model.StringGridAutoFullRow(1);
    model.SetChannelUsed(1, true);
    const CodeplugModel before = model;
    const QByteArray csv = kHeader + "2,Good,145.500000,,,,,,,,FM,,,High,\r\n"
                           "3,Good,146.500000,,,,,,,,FM,,,High,\r\n" + GetParam().row + "\r\n"
                           "5,Good,147.500000,,,,,,,,FM,,,High,\r\n";

    const CsvImport result = ImportChannelsCsv(csv, model);

    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_EQ(result.errors[0].line, 4);
    EXPECT_EQ(result.errors[0].column, QLatin1String(GetParam().column));
    EXPECT_TRUE(DescribeCsvError(result.errors[0]).startsWith(QStringLiteral("line 4, column ") + QLatin1String(GetParam().column)));
    EXPECT_TRUE(std::equal(model.block().begin(), model.block().end(), before.block().begin()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChannelCsvBadLine,
    ::testing::Values(BadLine{"Frequency", "4,Bad,14x.500000,,,,,,,,FM,,,High,", "Frequency"},
                      BadLine{"OutOfBand", "4,Bad,250.000000,,,,,,,,FM,,,High,", "Frequency"},
                      BadLine{"TooManyDecimals", "4,Bad,145.0000001,,,,,,,,FM,,,High,", "Frequency"},
                      BadLine{"Location", "four,Bad,145.000000,,,,,,,,FM,,,High,", "Location"},
                      BadLine{"DuplicateLocation", "3,Again,145.000000,,,,,,,,FM,,,High,", "Location"},
                      BadLine{"LocationRange", "241,Bad,145.000000,,,,,,,,FM,,,High,", "Location"},
                      BadLine{"Duplex", "4,Bad,145.000000,x,,,,,,,FM,,,High,", "Duplex"},
                      BadLine{"MissingOffset", "4,Bad,145.000000,+,,,,,,,FM,,,High,", "Offset"},
                      BadLine{"Tone", "4,Bad,145.000000,,,Tone,20.0,,,,FM,,,High,", "rToneFreq"},
                      BadLine{"DcsCode", "4,Bad,145.000000,,,DTCS,,,089,NN,FM,,,High,", "DtcsCode"},
                      BadLine{"LongDcsCode", "4,Bad,145.000000,,,DTCS,,,0123456701234567012345670123456701234567,NN,FM,,,High,", "DtcsCode"},
                      BadLine{"Polarity", "4,Bad,145.000000,,,DTCS,,,023,NX,FM,,,High,", "DtcsPolarity"},
                      BadLine{"Mode", "4,Bad,145.000000,,,,,,,,AM,,,High,", "Mode"},
                      BadLine{"Power", "4,Bad,145.000000,,,,,,,,FM,,,Mid,", "Power"},
                      BadLine{"LongName", "4,ElevenChars,145.000000,,,,,,,,FM,,,High,", "Name"}),
    [](const ::testing::TestParamInfo<BadLine>& info) { return std::string(info.param.name); });

struct MalformedText {
    const char* name;
    QByteArray text; // after the header line
    int line;
    const char* message;
};

class ChannelCsvMalformed : public ::testing::TestWithParam<MalformedText> {};

// Text RFC 4180 does not allow is an error of its line, and nothing else is
// reported or imported.
TEST_P(ChannelCsvMalformed, IsAnErrorOfItsLine)
{
    const MalformedText& c = GetParam();
    CodeplugModel model = Defaults();
    const CodeplugModel before = model;

    const CsvImport result = ImportChannelsCsv(kHeader + c.text, model);

    ASSERT_EQ(result.errors.size(), 1u) << (result.ok() ? std::string("no error") : DescribeCsvError(result.errors[0]).toStdString());
    EXPECT_EQ(result.errors[0].line, c.line);
    EXPECT_TRUE(result.errors[0].column.isEmpty());
    EXPECT_TRUE(result.errors[0].message().contains(QLatin1String(c.message))) << result.errors[0].message().toStdString();
    EXPECT_TRUE(std::equal(model.block().begin(), model.block().end(), before.block().begin()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChannelCsvMalformed,
    ::testing::Values(
        MalformedText{"UnterminatedQuote",
                      "2,Good,145.500000,,,,,,,,FM,,,High,\r\n3,\"Open,146.500000,,,,,,,,FM,,,High,\r\n"
                      "4,Good,147.500000,,,,,,,,FM,,,High,\r\n5,Good,147.600000,,,,,,,,FM,,,High,\r\n",
                      3, "never closed"},
        MalformedText{"TextAfterClosingQuote", "2,Good,145.500000,,,,,,,,FM,,,High,\r\n3,\"a\"\"b\"x,146.500000,,,,,,,,FM,,,High,\r\n", 3,
                      "after the closing quote"},
        MalformedText{"QuoteInsideUnquotedField", "2,a\"b,145.500000,,,,,,,,FM,,,High,\r\n", 2, "quote inside a field"},
        MalformedText{"NulInName", QByteArray::fromStdString("2,Good,145.500000,,,,,,,,FM,,,High,\r\n3,AB\0CD,146.500000,,,,,,,,FM,,,High,\r\n"s),
                      3, "NUL"},
        MalformedText{"NulInQuotedComment",
                      QByteArray::fromStdString("2,Good,145.500000,,,,,,,,FM,,,High,\"multi\nline\0\"\r\n"s), 3, "NUL"}),
    [](const ::testing::TestParamInfo<MalformedText>& info) { return std::string(info.param.name); });

TEST(ChannelCsv, AnErrorQuotesAtMostFortyCharactersOfACell)
{
    CodeplugModel model = Defaults();
    const QByteArray cell = "1" + QByteArray(1000000, '9');

    const CsvImport result = ImportChannelsCsv(kHeader + "2,Long," + cell + ",,,,,,,,FM,,,High,\r\n", model);

    ASSERT_EQ(result.errors.size(), 1u);
    const QString message = DescribeCsvError(result.errors[0]);
    EXPECT_TRUE(message.contains(QLatin1Char('\'') + QString::fromLatin1(cell.left(40)) + QStringLiteral("...'"))) << message.toStdString();
    EXPECT_LT(message.size(), 160);
}

TEST(ChannelCsv, ListsTheFirstHundredErrorsAndCountsTheRest)
{
    CodeplugModel model = Defaults();
    QByteArray csv = kHeader;
    for (int n = 0; n < 250; ++n)
        csv += "0,Bad,145.500000,,,,,,,,FM,,,High,\r\n";

    const CsvImport result = ImportChannelsCsv(csv, model);

    ASSERT_EQ(result.errors.size(), static_cast<std::size_t>(kMaxListedCsvErrors));
    EXPECT_EQ(result.errors.back().line, 101);
    EXPECT_EQ(result.unlistedErrors, 150);
    EXPECT_EQ(result.errorCount(), 250);

    test::CliRig rig;
    QFile file(rig.path("bad.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(csv);
    file.close();
    EXPECT_EQ(rig.run({QStringLiteral("import-csv"), rig.path("bad.csv"), rig.path("out.kvf")}), cli_exit::Failed);
    const QStringList lines = rig.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), kMaxListedCsvErrors + 2) << rig.err.toStdString();
    EXPECT_TRUE(lines[kMaxListedCsvErrors].endsWith(QStringLiteral("150 more error(s) not listed"))) << lines[kMaxListedCsvErrors].toStdString();
    EXPECT_TRUE(lines.last().contains(QStringLiteral("has 250 error(s), the first on line 2"))) << lines.last().toStdString();
}

TEST(ChannelCsv, CommandLineImportOfABadFileLeavesTheCodeplugFileAlone)
{
    test::CliRig rig;
    QFile csv(rig.path("in.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write(kHeader + "1,A,145.000000,,,,,,,,FM,,,High,\r\n1,B,146.000000,,,,,,,,FM,,,High,\r\n");
    csv.close();

    EXPECT_EQ(rig.run({QStringLiteral("import-csv"), rig.path("in.csv"), rig.path("out.kvf")}), cli_exit::Failed);
    EXPECT_TRUE(rig.err.contains(QStringLiteral("line 3, column Location")));
    EXPECT_TRUE(rig.reason().contains(QStringLiteral("nothing imported")));
    EXPECT_FALSE(QFileInfo::exists(rig.path("out.kvf")));

    ASSERT_TRUE(SaveCodeplugFile(rig.path("sample.kvf"), test::SampleModel()).isEmpty());
    ASSERT_EQ(rig.run({QStringLiteral("export-csv"), rig.path("sample.kvf"), rig.path("sample.csv")}), cli_exit::Success);
    ASSERT_EQ(rig.run({QStringLiteral("import-csv"), rig.path("sample.csv"), rig.path("out.kvf")}), cli_exit::Success);
    EXPECT_EQ(test::LoadModel(rig.path("out.kvf")).UsedChannelCount(), cp::kChannelCount);
}

} // namespace
} // namespace lt
