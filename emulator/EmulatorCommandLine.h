#pragma once

#include "emulator/RadioEmulator.h"
#include "hid/HidBackend.h"

#include <QCommandLineParser>
#include <QStringList>

#include <optional>

namespace lt {

// What lt4402-emu is told on its command line.
struct EmulatorOptions {
    static constexpr quint16 kDefaultPort = 4402;

    quint16 port = kDefaultPort;
    QString memoryFile;
    QString dataMemoryFile;
    std::optional<QByteArray> password;
    std::optional<std::array<uint8_t, RadioEmulator::kStatusSize>> status;
    EmulatorFaults faults;
    HidDeviceInfo identity;
};

class EmulatorCommandLine {
public:
    EmulatorCommandLine();

    // arguments()[0] is the program. On failure error says why.
    std::optional<EmulatorOptions> parse(const QStringList& arguments, QString* error);
    bool helpRequested() const;
    QString helpText() const;

private:
    QCommandLineParser parser_;
};

} // namespace lt
