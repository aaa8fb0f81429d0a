#pragma once

#include "hid/HidBackend.h"
#include "transfer/HeadlessTransfer.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTextStream>

#include <functional>
#include <memory>

namespace lt {

class TransferClock;

// Exit statuses of lt4402-cli; 0 only on success.
namespace cli_exit {
inline constexpr int Success = 0;
inline constexpr int Failed = 1;      // a file could not be read or written, a CSV had errors
inline constexpr int Usage = 2;       // unknown verb or option, bad argument
inline constexpr int NoRadio = 3;
inline constexpr int Communication = 4;
inline constexpr int Password = 5;
inline constexpr int Differs = 6;     // verify or diff found differences
inline constexpr int NotAllRadios = 7; // write --all: some radio does not hold the file
} // namespace cli_exit

// What the command line needs from its surroundings: the tool gives it the
// real HID devices, the Qt clock and the event loop; tests give it an
// in-process radio on a virtual clock.
struct CommandLineHost {
    // The HID service for a --device value; an empty value means the devices
    // the program itself would look at. Null (with error set) for a value
    // that names no device.
    std::function<std::unique_ptr<HidBackend>(const QString& device, QString* error)> makeBackend;
    TransferClock* clock = nullptr;
    TransferWait wait;
    QString configPath;   // _config.ini; when missing the band limits are the defaults
    QString backupFolder; // where read backups are kept
    int radioWaitMs = HeadlessTransfer::kDefaultRadioWaitMs;
};

struct CommandLineIo {
    QTextStream& out;      // results
    QTextStream& err;      // progress, warnings and the reason of a failure
    bool terminal = false; // progress as a bar redrawn in place, else plain lines
};

// Whether the command line asks for a verb that draws a document (export-pdf),
// looked at before the application object exists.
bool CommandLineDrawsDocument(int argc, const char* const* argv);

// lt4402-cli [OPTIONS] VERB [ARGS]; arguments are argv as the system passed
// them, arguments[0] the program name. File names are used as these bytes.
int RunCommandLine(const QList<QByteArray>& arguments, CommandLineHost& host, CommandLineIo& io);

// The tool's HID service: the program's devices, with "tcp:HOST:PORT" the
// virtual device there alone, with "hid:PATH" the one device detect lists
// under PATH.
std::unique_ptr<HidBackend> CreateCommandLineBackend(const QString& device, QString* error);

} // namespace lt
