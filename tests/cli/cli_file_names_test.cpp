#include "cli_rig.h"

#include "calibration/CalibrationData.h"
#include "codeplug/ChannelCsv.h"

#include <fstream>
#include <functional>

#include <gtest/gtest.h>


namespace lt::test {
namespace {

// Names that are no valid UTF-8: a byte that starts no character, and a lone
// lead byte before the dot.
const QByteArray kInName = "in\xFF.file";
const QByteArray kOutName = "out\xC3.file";

QByteArray ReadAsBytes(const QByteArray& path)
{
    std::ifstream in(path.constData(), std::ios::binary);
    return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
}

void WriteAsBytes(const QByteArray& path, const QByteArray& bytes)
{
    std::ofstream out(path.constData(), std::ios::binary);
    out.write(bytes.constData(), bytes.size());
}

// The names of the test's files in the folder, as bytes.
QList<QByteArray> Names(const QTemporaryDir& dir)
{
    QList<QByteArray> names = NamesAsBytes(dir.path());
    names.removeIf([](const QByteArray& name) { return !name.endsWith(".file"); });
    return names;
}

QByteArray Bytes(std::span<const uint8_t> bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

struct NamedVerb {
    const char* name;
    QList<QByteArray> verb;                 // the input (when any) and the output follow
    std::function<QByteArray()> input;      // what the input file holds; null: the verb takes none
    bool output;                            // the verb writes kOutName
};

class CliFileNames : public ::testing::TestWithParam<NamedVerb> {};

// A name that is not valid UTF-8 names the file that is read or written,
// byte for byte: the command succeeds and no file of another name appears.
TEST_P(CliFileNames, TheFileNamedIsTheFileUsed)
{
    const NamedVerb& c = GetParam();
    CliRig rig;
    rig.loadRadio(SampleModel());
    QList<QByteArray> arguments = c.verb;
    QList<QByteArray> expected;
    if (c.input) {
        WriteAsBytes(rig.pathBytes(kInName), c.input());
        arguments << rig.pathBytes(kInName);
        expected << kInName;
    }
    if (c.output) {
        arguments << rig.pathBytes(kOutName);
        expected << kOutName;
    }
    std::sort(expected.begin(), expected.end());

    ASSERT_EQ(rig.runBytes(arguments), cli_exit::Success) << rig.err.toStdString();

    EXPECT_EQ(Names(rig.dir), expected);
    if (c.output) {
        EXPECT_FALSE(ReadAsBytes(rig.pathBytes(kOutName)).isEmpty());
        // Messages show the name as a terminal would.
        EXPECT_TRUE(rig.out.contains(QFile::decodeName(kOutName))) << rig.out.toStdString();
    }
}

QByteArray SampleCodeplug()
{
    return Bytes(SampleModel().block());
}

QByteArray DefaultCalibration()
{
    CalibrationData data;
    return Bytes(data.bytes());
}

QByteArray SampleCsv()
{
    return ExportChannelsCsv(SampleModel()).text;
}

INSTANTIATE_TEST_SUITE_P(
    Verbs, CliFileNames,
    ::testing::Values(NamedVerb{"Read", {"read"}, nullptr, true},
                      NamedVerb{"Write", {"--no-backup", "write"}, SampleCodeplug, false},
                      NamedVerb{"Verify", {"verify"}, SampleCodeplug, false},
                      NamedVerb{"Dump", {"dump"}, SampleCodeplug, false},
                      NamedVerb{"ExportCsv", {"export-csv"}, SampleCodeplug, true},
                      NamedVerb{"ImportCsv", {"import-csv"}, SampleCsv, true},
                      NamedVerb{"CalibrationRead", {"calibration", "read"}, nullptr, true},
                      NamedVerb{"CalibrationWrite", {"calibration", "write"}, DefaultCalibration, false}),
    [](const ::testing::TestParamInfo<NamedVerb>& info) { return std::string(info.param.name); });

TEST(CliFileNames, AnImportIntoAnExistingFileReadsAndReplacesThatFile)
{
    CliRig rig;
    CodeplugModel before = SampleModel();
    before.set(cp::SQL, 3);
    WriteAsBytes(rig.pathBytes(kOutName), Bytes(before.block()));
    WriteAsBytes(rig.pathBytes(kInName), ExportChannelsCsv(SampleModel()).text);

    ASSERT_EQ(rig.runBytes({"import-csv", rig.pathBytes(kInName), rig.pathBytes(kOutName)}), cli_exit::Success) << rig.err.toStdString();

    CodeplugModel after;
    const QByteArray saved = ReadAsBytes(rig.pathBytes(kOutName));
    ASSERT_EQ(saved.size(), static_cast<qsizetype>(cp::kBlockSize));
    std::copy(saved.cbegin(), saved.cend(), after.block().begin());
    EXPECT_EQ(after.get(cp::SQL), 3u) << "the settings of the file named are kept";
    EXPECT_EQ(Names(rig.dir).size(), 2);
}

} // namespace
} // namespace lt::test
