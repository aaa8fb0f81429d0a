#pragma once

#include <QString>

namespace lt {

struct ProgramSettings;
struct BandLimits;

// _config.ini: where it lives, how it is read at start-up and written at exit.

// Beside the executable when that folder is writable (a portable copy, the
// build tree); otherwise the per-user configuration folder, since an installed
// program's folder is not writable.
QString ConfigFilePath();

// Reads the file into settings and band limits; a missing key takes its
// built-in default, except the column widths, whose default is 0. A missing
// file is created with every built-in default. Returns whether the file
// existed (only then does the port scan run).
bool ReadConfigFile(const QString& path, ProgramSettings& settings, BandLimits& bands);

// Writes Port, Language, AutoSeachPort, the grid sizes and the band limits,
// keeping every other key of the file (the name texts). Creates the file if it
// is missing. Throws std::runtime_error when the file cannot be written.
void WriteConfigFile(const QString& path, const ProgramSettings& settings, const BandLimits& bands);

// Counts the serial ports COM1..COM9 that could be opened, without opening them
// in a way that changes their line state.
void ScanSerialPorts(ProgramSettings& settings);

} // namespace lt
