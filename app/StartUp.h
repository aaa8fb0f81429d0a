#pragma once

#include <QString>

namespace lt {

struct Program;

// The data half of the program's start: read the configuration and scan the
// serial ports when the file existed, or create the file with the defaults
// when it did not; reset the codeplug and the calibration to their defaults,
// force the port to 1, compute the largest offsets from the band limits and
// set the interface language. A file that cannot be created is reported once,
// in that language, and the program goes on with the defaults in memory.
void LoadProgramState(Program& program, const QString& configPath);

} // namespace lt
