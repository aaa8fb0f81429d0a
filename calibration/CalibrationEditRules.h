#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// What the calibration editor accepts while the user types and what it stores
// when an edit is left. Plain functions of the text, so the widgets only hook
// them up.
namespace lt {

class CalibrationData;

// Frequency edits after every change the user makes: a text of 10 or more
// characters is cut to 9, a lone point is cleared and every point after the
// first goes.
QString CorrectFreqEditText(const QString& text);

// The accepted ranges of the numeric edits.
bool CorrectPPInputValue(int64_t value);           // 0..8191
bool CorrectDcsInputValue(int64_t value);          // 0..63
bool CorrectUintInputValue(int64_t value);         // 0..255
bool CorrectMicGainInputValue(int64_t value);      // 0..127
bool CorrectMicGainFineInputValue(int64_t value);  // 0..127
bool CorrectPgaInputValue(int64_t value);          // 0..31
using RangeCheck = bool (*)(int64_t);

// The value a numeric edit commits: an empty text is 0, a number inside the
// range is itself, a number outside it is std::nullopt (the field keeps its
// value). A text that is no decimal integer throws lt::ConversionError.
std::optional<uint32_t> NumberToStore(const QString& text, RangeCheck inRange);

// The hertz a frequency edit commits: an empty text is 0, otherwise the
// megahertz text rounded down to a multiple of 500 Hz, without any band check.
// Throws lt::ConversionError for a text that is no frequency.
uint32_t FreqToStore(const QString& text);

// The power-table columns the batch buttons step.
enum class ApcColumn { HighPower, LowPower, RxTune };

// Adds delta (+1 or -1) to the column of every point whose frequency is not 0,
// leaving values that would leave 0..255 as they are.
void StepApcColumn(CalibrationData& data, ApcColumn column, int delta);

} // namespace lt
