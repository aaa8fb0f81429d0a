#pragma once

#include "codeplug/CodeplugModel.h"

#include <QString>

#include <cstdint>

namespace lt {

struct Program;

// The band-limits dialog's rules, free of widgets.

// A limit as typed, in Hz: an empty text is 0; the value is clamped into
// 134 .. 520 MHz and rounded down to 500 Hz. Throws ConversionError for a text
// that is not a number.
uint32_t BandTextToHz(const QString& text);

enum class BandChange {
    Invalid,   // a minimum not below its maximum
    Unchanged, // all four equal the current limits
    Changed,
};
BandChange ClassifyBandChange(const BandLimits& working, const BandLimits& current);

// Takes new limits as the program's own: the largest offsets follow them, and
// the codeplug and the calibration return to their defaults as at start-up,
// since values made for the old bands may lie outside the new ones.
void ApplyBandLimits(Program& program, const BandLimits& limits);

} // namespace lt
