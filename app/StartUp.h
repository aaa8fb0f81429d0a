#pragma once

#include <QString>

namespace lt {

struct Program;

// The data half of the program's start: read (or create) the configuration,
// scan the serial ports when the file existed, reset the codeplug and the
// calibration to their defaults, force the port to 1 and compute the largest
// offsets from the band limits.
void LoadProgramState(Program& program, const QString& configPath);

} // namespace lt
