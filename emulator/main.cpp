#include "codeplug/RadioImage.h"
#include "emulator/EmulatorCommandLine.h"
#include "emulator/RadioEmulator.h"
#include "emulator/SampleCodeplug.h"
#include "emulator/VirtualHidServer.h"
#include "hid/TransferClock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSocketNotifier>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// Ctrl+C and kill end the event loop normally, so the memory is saved.
void quitOnSignals(QCoreApplication& app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

void fail(const QString& text)
{
    std::fprintf(stderr, "lt4402-emu: %s\n", qPrintable(text));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lt4402-emu"));

    // --sample: a radio that holds a full 240-channel codeplug unless a memory
    // file is loaded, so a newcomer has something to read.
    QStringList arguments = QCoreApplication::arguments();
    const bool sample = arguments.removeAll(QStringLiteral("--sample")) > 0;

    lt::EmulatorCommandLine commandLine;
    QString error;
    const auto options = commandLine.parse(arguments, &error);
    if (commandLine.helpRequested()) {
        std::fputs(qPrintable(commandLine.helpText()), stdout);
        std::fputs("  --sample                         Start with a sample 240-channel codeplug\n"
                   "                                   (when no memory file is loaded).\n",
                   stdout);
        return 0;
    }
    if (!options) {
        fail(error);
        return 2;
    }

    lt::RadioEmulator emulator;
    const bool memoryFileThere = !options->memoryFile.isEmpty() && QFileInfo::exists(options->memoryFile);
    if (memoryFileThere && !emulator.loadMemory(options->memoryFile, &error)) {
        fail(error);
        return 1;
    }
    if (sample && !memoryFileThere) {
        lt::RadioImage image;
        lt::FillSampleRadioMemory(image);
        std::copy(image.bytes.begin(), image.bytes.end(), emulator.memory.begin());
    }
    if (!options->dataMemoryFile.isEmpty() && QFileInfo::exists(options->dataMemoryFile)
        && !emulator.loadDataMemory(options->dataMemoryFile, &error)) {
        fail(error);
        return 1;
    }
    if (options->password)
        emulator.setPassword(*options->password);
    if (options->status)
        emulator.status = *options->status;
    emulator.faults = options->faults;

    auto save = [&] {
        QString saveError;
        if (!options->memoryFile.isEmpty() && !emulator.saveMemory(options->memoryFile, &saveError))
            fail(saveError);
        if (!options->dataMemoryFile.isEmpty() && !emulator.saveDataMemory(options->dataMemoryFile, &saveError))
            fail(saveError);
    };
    emulator.onEndMarker = save;
    QObject::connect(&app, &QCoreApplication::aboutToQuit, save);

    lt::QtTransferClock clock;
    lt::VirtualHidServer server(emulator, clock);
    server.identity = options->identity;
    if (!server.listen(QHostAddress::LocalHost, options->port)) {
        fail(server.errorString());
        return 1;
    }
    std::printf("lt4402-emu listening on 127.0.0.1:%u\n", unsigned{server.serverPort()});
    std::fflush(stdout);

    quitOnSignals(app);
    return app.exec();
}
