#include "cli/CommandLine.h"
#include "codeplug/Backups.h"
#include "hid/TransferClock.h"
#include "program/ConfigFile.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

#include <unistd.h>

int main(int argc, char** argv)
{
    // The arguments as the system passed them: a file name need not be valid
    // text, and QCoreApplication::arguments() would change its stray bytes.
    QList<QByteArray> arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    // Only a verb that draws a document needs fonts and so the GUI
    // application; it never opens a window, so it needs no display either.
    std::unique_ptr<QCoreApplication> app;
    if (lt::CommandLineDrawsDocument(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The same name as the program, so the tool finds its configuration and
    // keeps its backups where the program does.
    QCoreApplication::setApplicationName(QStringLiteral("lt4402"));

    lt::QtTransferClock clock;
    lt::CommandLineHost host;
    host.makeBackend = lt::CreateCommandLineBackend;
    host.clock = &clock;
    host.wait = lt::EventLoopWait();
    host.configPath = lt::ConfigFilePath();
    host.backupFolder = lt::BackupFolder();

    QTextStream out(stdout);
    QTextStream err(stderr);
    lt::CommandLineIo io{out, err, isatty(fileno(stderr)) != 0};
    return lt::RunCommandLine(arguments, host, io);
}
