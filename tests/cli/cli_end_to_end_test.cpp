#include "cli_rig.h"

#include "cli/CommandLine.h"
#include "cli_processes.h"
#include "codeplug/CodeplugFile.h"
#include "codeplug/CodeplugModel.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lt {
namespace {

// The real lt4402-cli against a real lt4402-emu over TCP, each in its own
// process, with the data folder in a temporary folder.
class CliEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        const QString address = emulator_.start({QStringLiteral("--sample")});
        ASSERT_FALSE(address.isEmpty());
        device_ = QStringLiteral("tcp:") + address;
    }

    void TearDown() override { test::RemoveNamesThatAreNoText(dir_.path()); }

    test::CliResult cli(const QStringList& arguments) { return test::RunCliProcess(QDir(dir_.path()), arguments); }

    // lt4402-cli started by a shell script, which can hand it arguments that
    // are no valid text: "$0" is the tool, "$1" the device.
    test::CliResult shell(const QString& script)
    {
        return test::RunProcess(QDir(dir_.path()), QStringLiteral("/bin/sh"),
                                {QStringLiteral("-c"), script, QStringLiteral(LT_CLI_PATH), device_});
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    test::EmulatorProcess emulator_;
    QString device_;
};

TEST_F(CliEndToEnd, ReadsVerifiesWritesAndFailsWithoutARadio)
{
    const test::CliResult read = cli({QStringLiteral("--device"), device_, QStringLiteral("read"), path(QStringLiteral("radio.kvf"))});
    ASSERT_EQ(read.status, cli_exit::Success) << read.err.toStdString();
    EXPECT_TRUE(read.out.contains(QStringLiteral("read 240 channel(s)")));
    EXPECT_EQ(QDir(path(QStringLiteral("data/lt4402/backups"))).entryList(QDir::Files).size(), 1);

    const test::CliResult verify = cli({QStringLiteral("--device"), device_, QStringLiteral("verify"), path(QStringLiteral("radio.kvf"))});
    EXPECT_EQ(verify.status, cli_exit::Success) << verify.err.toStdString();

    CodeplugModel changed;
    changed.SetCodeplugDefaults();
    ASSERT_TRUE(LoadCodeplugFile(path(QStringLiteral("radio.kvf")), changed));
    changed.set(cp::TOT, 60);
    ASSERT_TRUE(SaveCodeplugFile(path(QStringLiteral("changed.kvf")), changed).isEmpty());
    const test::CliResult differs = cli({QStringLiteral("--device"), device_, QStringLiteral("verify"), path(QStringLiteral("changed.kvf"))});
    EXPECT_EQ(differs.status, cli_exit::Differs);
    EXPECT_TRUE(differs.out.startsWith(QStringLiteral("TOT: file 60, radio 180"))) << differs.out.toStdString();

    const test::CliResult write = cli({QStringLiteral("--device"), device_, QStringLiteral("--verify"), QStringLiteral("write"),
                                        path(QStringLiteral("changed.kvf"))});
    EXPECT_EQ(write.status, cli_exit::Success) << write.err.toStdString();
    EXPECT_EQ(QDir(path(QStringLiteral("data/lt4402/backups"))).entryList(QDir::Files).size(), 2);

    ASSERT_TRUE(emulator_.stop());
    const test::CliResult gone = cli({QStringLiteral("--device"), device_, QStringLiteral("read"), path(QStringLiteral("none.kvf"))});
    EXPECT_EQ(gone.status, cli_exit::NoRadio);
    EXPECT_EQ(gone.err.trimmed(), QStringLiteral("lt4402-cli: read: no radio found"));
}

// The tool takes its arguments as the system's bytes: a name that is not
// valid UTF-8 is the name of the file written and read, not one with U+FFFD
// in place of the stray byte.
TEST_F(CliEndToEnd, ANameThatIsNoValidTextNamesTheFileUsed)
{
    const test::CliResult read = shell(QStringLiteral("exec \"$0\" --device \"$1\" read \"$(printf 'out\\377.kvf')\""));
    ASSERT_EQ(read.status, cli_exit::Success) << read.err.toStdString();
    const QList<QByteArray> written = test::NamesAsBytes(dir_.path());
    EXPECT_TRUE(written.contains("out\xFF.kvf"));
    EXPECT_FALSE(written.contains("out\xEF\xBF\xBD.kvf"));

    const test::CliResult exported = shell(QStringLiteral("exec \"$0\" export-csv \"$(printf 'out\\377.kvf')\" \"$(printf 'list\\376.csv')\""));
    EXPECT_EQ(exported.status, cli_exit::Success) << exported.err.toStdString();
    EXPECT_TRUE(exported.out.contains(QStringLiteral("exported 240 channel(s)")));
    const QList<QByteArray> names = test::NamesAsBytes(dir_.path());
    EXPECT_TRUE(names.contains("list\xFE.csv"));
    EXPECT_FALSE(names.contains("list\xEF\xBF\xBD.csv"));
}

} // namespace
} // namespace lt
