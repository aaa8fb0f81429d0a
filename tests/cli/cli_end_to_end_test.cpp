#include "cli_rig.h"

#include "cli/CommandLine.h"
#include "codeplug/CodeplugFile.h"
#include "codeplug/CodeplugModel.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lt {
namespace {

constexpr int kStartMs = 10000;
constexpr int kRunMs = 60000;

// The real lt4402-cli against a real lt4402-emu over TCP, each in its own
// process, with the data folder in a temporary folder.
class CliEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        emulator_.setProgram(QStringLiteral(LT_EMU_PATH));
        emulator_.setArguments({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--sample")});
        emulator_.start();
        ASSERT_TRUE(emulator_.waitForStarted(kStartMs));
        QByteArray greeting;
        while (!greeting.contains('\n') && emulator_.waitForReadyRead(kStartMs))
            greeting += emulator_.readAllStandardOutput();
        const QRegularExpressionMatch port = QRegularExpression(QStringLiteral("127\\.0\\.0\\.1:(\\d+)")).match(QString::fromUtf8(greeting));
        ASSERT_TRUE(port.hasMatch()) << greeting.toStdString();
        device_ = QStringLiteral("tcp:127.0.0.1:") + port.captured(1);
    }

    void TearDown() override
    {
        test::RemoveNamesThatAreNoText(dir_.path());
        if (emulator_.state() != QProcess::NotRunning) {
            emulator_.terminate();
            if (!emulator_.waitForFinished(kStartMs))
                emulator_.kill();
        }
    }

    struct Result {
        int status;
        QString out;
        QString err;
    };

    Result cli(const QStringList& arguments) { return start(QStringLiteral(LT_CLI_PATH), arguments); }

    // lt4402-cli started by a shell script, which can hand it arguments that
    // are no valid text: "$0" is the tool, "$1" the device.
    Result shell(const QString& script) { return start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, QStringLiteral(LT_CLI_PATH), device_}); }

    Result start(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir_.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("config")));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir_.path());
        process.start(program, arguments);
        if (!process.waitForFinished(kRunMs)) {
            process.kill();
            process.waitForFinished(kStartMs);
            return {-1, {}, QStringLiteral("timed out")};
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    QProcess emulator_;
    QString device_;
};

TEST_F(CliEndToEnd, ReadsVerifiesWritesAndFailsWithoutARadio)
{
    const Result read = cli({QStringLiteral("--device"), device_, QStringLiteral("read"), path(QStringLiteral("radio.kvf"))});
    ASSERT_EQ(read.status, cli_exit::Success) << read.err.toStdString();
    EXPECT_TRUE(read.out.contains(QStringLiteral("read 240 channel(s)")));
    EXPECT_EQ(QDir(path(QStringLiteral("data/lt4402/backups"))).entryList(QDir::Files).size(), 1);

    const Result verify = cli({QStringLiteral("--device"), device_, QStringLiteral("verify"), path(QStringLiteral("radio.kvf"))});
    EXPECT_EQ(verify.status, cli_exit::Success) << verify.err.toStdString();

    CodeplugModel changed;
    changed.SetCodeplugDefaults();
    ASSERT_TRUE(LoadCodeplugFile(path(QStringLiteral("radio.kvf")), changed));
    changed.set(cp::TOT, 60);
    ASSERT_TRUE(SaveCodeplugFile(path(QStringLiteral("changed.kvf")), changed).isEmpty());
    const Result differs = cli({QStringLiteral("--device"), device_, QStringLiteral("verify"), path(QStringLiteral("changed.kvf"))});
    EXPECT_EQ(differs.status, cli_exit::Differs);
    EXPECT_TRUE(differs.out.startsWith(QStringLiteral("TOT: file 60, radio 180"))) << differs.out.toStdString();

    const Result write = cli({QStringLiteral("--device"), device_, QStringLiteral("--verify"), QStringLiteral("write"),
                              path(QStringLiteral("changed.kvf"))});
    EXPECT_EQ(write.status, cli_exit::Success) << write.err.toStdString();
    EXPECT_EQ(QDir(path(QStringLiteral("data/lt4402/backups"))).entryList(QDir::Files).size(), 2);

    emulator_.terminate();
    ASSERT_TRUE(emulator_.waitForFinished(kStartMs));
    const Result gone = cli({QStringLiteral("--device"), device_, QStringLiteral("read"), path(QStringLiteral("none.kvf"))});
    EXPECT_EQ(gone.status, cli_exit::NoRadio);
    EXPECT_EQ(gone.err.trimmed(), QStringLiteral("lt4402-cli: read: no radio found"));
}

// The tool takes its arguments as the system's bytes: a name that is not
// valid UTF-8 is the name of the file written and read, not one with U+FFFD
// in place of the stray byte.
TEST_F(CliEndToEnd, ANameThatIsNoValidTextNamesTheFileUsed)
{
    const Result read = shell(QStringLiteral("exec \"$0\" --device \"$1\" read \"$(printf 'out\\377.kvf')\""));
    ASSERT_EQ(read.status, cli_exit::Success) << read.err.toStdString();
    const QList<QByteArray> written = test::NamesAsBytes(dir_.path());
    EXPECT_TRUE(written.contains("out\xFF.kvf"));
    EXPECT_FALSE(written.contains("out\xEF\xBF\xBD.kvf"));

    const Result exported = shell(QStringLiteral("exec \"$0\" export-csv \"$(printf 'out\\377.kvf')\" \"$(printf 'list\\376.csv')\""));
    EXPECT_EQ(exported.status, cli_exit::Success) << exported.err.toStdString();
    EXPECT_TRUE(exported.out.contains(QStringLiteral("exported 240 channel(s)")));
    const QList<QByteArray> names = test::NamesAsBytes(dir_.path());
    EXPECT_TRUE(names.contains("list\xFE.csv"));
    EXPECT_FALSE(names.contains("list\xEF\xBF\xBD.csv"));
}

} // namespace
} // namespace lt
