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

    test::CliResult cli(const QStringList& arguments) { return test::RunCliProcess(QDir(dir_.path()), arguments); }

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

} // namespace
} // namespace lt
