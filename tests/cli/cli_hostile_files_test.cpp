#include "cli_rig.h"

#include "calibration/CalibrationData.h"
#include "codeplug/ChannelCsv.h"

#include <QFile>
#include <QFileInfo>

#include <functional>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace lt::test {
namespace {

constexpr qint64 kMaxCsvBytes = 1024 * 1024;
const QByteArray kCsvHeader = ChannelCsvColumns().join(QLatin1Char(',')).toUtf8() + "\r\n";

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A FIFO nobody writes to: opening it for reading the usual way waits forever.
QString Fifo(CliRig& rig)
{
    const QString path = rig.path("fifo");
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

struct HostileInput {
    const char* name;
    QStringList verb;                           // the input's path goes after these
    std::function<QString(CliRig&)> input;      // makes the input, returns its path
    const char* reason;
};

class CliHostileInput : public ::testing::TestWithParam<HostileInput> {};

// Whatever is named instead of a file of the right kind ends the command with
// one line of reason: nothing is sent to the radio and no file is written.
TEST_P(CliHostileInput, IsRefusedBeforeAnythingIsSentOrWritten)
{
    const HostileInput& c = GetParam();
    CliRig rig;
    rig.loadRadio(SampleModel());
    const auto memory = rig.emulator.memory;
    QStringList arguments = c.verb;
    arguments << c.input(rig);
    if (c.verb.contains(QStringLiteral("import-csv")))
        arguments << rig.path("out.kvf");

    EXPECT_EQ(rig.run(arguments), cli_exit::Failed);

    EXPECT_TRUE(rig.reason().contains(QLatin1String(c.reason))) << rig.reason().toStdString();
    EXPECT_EQ(rig.emulator.blocksHandled(), 0);
    EXPECT_EQ(rig.emulator.memory, memory);
    EXPECT_FALSE(QFileInfo::exists(rig.path("out.kvf")));
}

const QStringList kCalibrationWrite{QStringLiteral("calibration"), QStringLiteral("write")};
const QStringList kImportCsv{QStringLiteral("import-csv")};

INSTANTIATE_TEST_SUITE_P(
    Cases, CliHostileInput,
    ::testing::Values(
        HostileInput{"CalibrationOfTenMegabytes", kCalibrationWrite,
                     [](CliRig& rig) {
                         WriteFile(rig.path("big.kvfa"), QByteArray(10 * 1024 * 1024, '\x5A'));
                         return rig.path("big.kvfa");
                     },
                     "is not a calibration file: it has 10485760 bytes, a calibration file 638"},
        HostileInput{"CalibrationOneByteLong", kCalibrationWrite,
                     [](CliRig& rig) {
                         WriteFile(rig.path("long.kvfa"), QByteArray(cal::kStoredSize + 1, '\0'));
                         return rig.path("long.kvfa");
                     },
                     "it has 639 bytes"},
        HostileInput{"CalibrationOneByteShort", kCalibrationWrite,
                     [](CliRig& rig) {
                         WriteFile(rig.path("short.kvfa"), QByteArray(cal::kStoredSize - 1, '\0'));
                         return rig.path("short.kvfa");
                     },
                     "it has 637 bytes"},
        HostileInput{"CalibrationFromDevZero", kCalibrationWrite, [](CliRig&) { return QStringLiteral("/dev/zero"); },
                     "/dev/zero is not a regular file"},
        HostileInput{"CalibrationFromDevUrandom", kCalibrationWrite, [](CliRig&) { return QStringLiteral("/dev/urandom"); },
                     "/dev/urandom is not a regular file"},
        HostileInput{"CalibrationFromFifo", kCalibrationWrite, Fifo, "fifo is not a regular file"},
        HostileInput{"CalibrationFromFolder", kCalibrationWrite, [](CliRig& rig) { return rig.dir.path(); },
                     "is not a regular file"},
        HostileInput{"CsvFromFifo", kImportCsv, Fifo, "fifo is not a regular file"},
        HostileInput{"CsvFromDevZero", kImportCsv, [](CliRig&) { return QStringLiteral("/dev/zero"); },
                     "/dev/zero is not a regular file"},
        HostileInput{"CsvOverTheLimit", kImportCsv,
                     [](CliRig& rig) {
                         QByteArray csv = kCsvHeader + "1,A,145.000000,,,,,,,,FM,,,High,\r\n";
                         csv += QByteArray(kMaxCsvBytes + 1 - csv.size(), '\n');
                         WriteFile(rig.path("big.csv"), csv);
                         return rig.path("big.csv");
                     },
                     "is no channel list: it has 1048577 bytes, a channel list at most 1048576"},
        HostileInput{"MissingCsv", kImportCsv, [](CliRig& rig) { return rig.path("missing.csv"); },
                     "cannot open"},
        HostileInput{"CodeplugFromFifo", {QStringLiteral("--no-backup"), QStringLiteral("write")}, Fifo,
                     "fifo is not a regular file"},
        HostileInput{"CodeplugOneByteLong", {QStringLiteral("--no-backup"), QStringLiteral("write")},
                     [](CliRig& rig) {
                         WriteFile(rig.path("long.kvf"), QByteArray(cp::kBlockSize + 1, '\0'));
                         return rig.path("long.kvf");
                     },
                     "is not a codeplug file: it has 20093 bytes"}),
    [](const ::testing::TestParamInfo<HostileInput>& info) { return std::string(info.param.name); });

TEST(CliImportCsv, TakesAChannelListRightUpToTheLimit)
{
    CliRig rig;
    QByteArray csv = kCsvHeader + "1,A,145.000000,,,,,,,,FM,,,High,\r\n";
    csv += QByteArray(kMaxCsvBytes - csv.size(), '\n');
    WriteFile(rig.path("full.csv"), csv);

    ASSERT_EQ(rig.run({QStringLiteral("import-csv"), rig.path("full.csv"), rig.path("out.kvf")}), cli_exit::Success)
        << rig.err.toStdString();
    EXPECT_EQ(LoadModel(rig.path("out.kvf")).UsedChannelCount(), 1);
}

TEST(CliSave, ReplacesTheFileALinkPointsToAndKeepsItsPermissions)
{
    CliRig rig;
    ASSERT_TRUE(SaveCodeplugFile(rig.path("sample.kvf"), SampleModel()).isEmpty());
    WriteFile(rig.path("target.csv"), "old");
    ASSERT_TRUE(QFile::setPermissions(rig.path("target.csv"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    ASSERT_TRUE(QFile::link(rig.path("target.csv"), rig.path("link.csv")));

    ASSERT_EQ(rig.run({QStringLiteral("export-csv"), rig.path("sample.kvf"), rig.path("link.csv")}), cli_exit::Success)
        << rig.err.toStdString();

    EXPECT_TRUE(QFileInfo(rig.path("link.csv")).isSymLink());
    QFile target(rig.path("target.csv"));
    ASSERT_TRUE(target.open(QIODevice::ReadOnly));
    EXPECT_TRUE(target.readAll().startsWith(kCsvHeader));
    EXPECT_EQ(target.permissions() & (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    EXPECT_EQ(QDir(rig.dir.path()).entryList(QDir::Files | QDir::System).size(), 3) << "no file of the save is left behind";
}

TEST(CliSave, AFailedSaveLeavesNothingBehind)
{
    CliRig rig;
    ASSERT_TRUE(SaveCodeplugFile(rig.path("sample.kvf"), SampleModel()).isEmpty());

    EXPECT_EQ(rig.run({QStringLiteral("export-csv"), rig.path("sample.kvf"), rig.path("missing/out.csv")}), cli_exit::Failed);
    EXPECT_TRUE(rig.reason().contains(QStringLiteral("cannot save"))) << rig.reason().toStdString();
    EXPECT_EQ(rig.run({QStringLiteral("export-csv"), rig.path("sample.kvf"), rig.dir.path()}), cli_exit::Failed);
    EXPECT_TRUE(rig.reason().endsWith(QStringLiteral("not a regular file"))) << rig.reason().toStdString();
    EXPECT_EQ(QDir(rig.dir.path()).entryList(QDir::Files | QDir::System), QStringList{QStringLiteral("sample.kvf")});
}

} // namespace
} // namespace lt::test
