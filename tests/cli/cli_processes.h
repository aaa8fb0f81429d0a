#pragma once

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace lt::test {

inline constexpr int kProcessStartMs = 10000;
inline constexpr int kProcessRunMs = 60000;

// One lt4402-emu process serving its radio on a free port of 127.0.0.1.
class EmulatorProcess {
public:
    EmulatorProcess() = default;
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;
    ~EmulatorProcess() { stop(); }

    // Starts it with the given options and waits for its address; the
    // address ("127.0.0.1:PORT"), or empty when it did not come up.
    QString start(const QStringList& options)
    {
        process_.setProgram(QStringLiteral(LT_EMU_PATH));
        process_.setArguments(QStringList{QStringLiteral("--port"), QStringLiteral("0")} + options);
        process_.start();
        if (!process_.waitForStarted(kProcessStartMs))
            return {};
        QByteArray greeting;
        while (!greeting.contains('\n') && process_.waitForReadyRead(kProcessStartMs))
            greeting += process_.readAllStandardOutput();
        return QRegularExpression(QStringLiteral("127\\.0\\.0\\.1:\\d+")).match(QString::fromUtf8(greeting)).captured(0);
    }

    // Ends it as Ctrl+C would, so it saves its memory; true when it has ended.
    bool stop()
    {
        if (process_.state() == QProcess::NotRunning)
            return true;
        process_.terminate();
        if (process_.waitForFinished(kProcessStartMs))
            return true;
        process_.kill();
        process_.waitForFinished(kProcessStartMs);
        return false;
    }

private:
    QProcess process_;
};

struct CliResult {
    int status;
    QString out;
    QString err;
};

// A program in its own process, with its data and configuration folders
// inside folder and the given variables added to its environment.
inline CliResult RunProcess(const QDir& folder, const QString& program, const QStringList& arguments, const QStringList& variables = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("config")));
    for (const QString& variable : variables)
        environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder.path());
    process.start(program, arguments);
    if (!process.waitForFinished(kProcessRunMs)) {
        process.kill();
        process.waitForFinished(kProcessStartMs);
        return {-1, {}, QStringLiteral("timed out")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The real lt4402-cli in its own process, as RunProcess runs it.
inline CliResult RunCliProcess(const QDir& folder, const QStringList& arguments, const QStringList& variables = {})
{
    return RunProcess(folder, QStringLiteral(LT_CLI_PATH), arguments, variables);
}

} // namespace lt::test
