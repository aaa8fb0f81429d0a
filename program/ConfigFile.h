#pragma once

#include <QString>

#include <stdexcept>

namespace lt {

struct ProgramSettings;
struct BandLimits;

// _config.ini: where it lives, how it is read at start-up and written at exit.

// Beside the executable when that folder is writable (a portable copy, the
// build tree); otherwise the per-user configuration folder, since an installed
// program's folder is not writable.
QString ConfigFilePath();

// The configuration file could not be written: which file, and why (the file
// system's reason, empty when there is none). what() says so in English.
class ConfigWriteError : public std::runtime_error {
public:
    ConfigWriteError(const QString& path, const QString& reason);
    const QString& path() const { return path_; }
    const QString& reason() const { return reason_; }

private:
    QString path_;
    QString reason_;
};

// Reads the file into settings and band limits; a missing key takes its
// built-in default, except the column widths, whose default is 0. A missing
// file gives every built-in default. Returns whether the file existed (only
// then does the port scan run).
bool ReadConfigFile(const QString& path, ProgramSettings& settings, BandLimits& bands);

// Creates the file of a first start: every key with the given values, and the
// name texts as one space. Throws ConfigWriteError when it cannot be written.
void CreateConfigFile(const QString& path, const ProgramSettings& settings, const BandLimits& bands);

// Writes Port, Language, AutoSeachPort, the grid sizes and the band limits,
// keeping every other key of the file (the name texts). Creates the file if it
// is missing. Throws ConfigWriteError when the file cannot be written.
void WriteConfigFile(const QString& path, const ProgramSettings& settings, const BandLimits& bands);

// Counts the serial ports COM1..COM9 that could be opened, without opening them
// in a way that changes their line state.
void ScanSerialPorts(ProgramSettings& settings);

} // namespace lt
