#include "calibration/CalibrationEditRules.h"

#include "calibration/CalibrationData.h"
#include "codeplug/ConversionError.h"
#include "codeplug/TextEntryRules.h"
#include "codeplug/ValueEncodings.h"

namespace lt {

namespace {

uint8_t& ColumnOf(ApcPoint& point, ApcColumn column)
{
    switch (column) {
    case ApcColumn::HighPower: return point.HighPower;
    case ApcColumn::LowPower: return point.LowPower;
    case ApcColumn::RxTune: break;
    }
    return point.RxTune;
}

} // namespace

QString CorrectFreqEditText(const QString& text)
{
    return CutThenCorrectFreqText(text, LongFreqText::CutToLimit);
}

bool CorrectPPInputValue(int64_t value) { return value >= 0 && value <= 8191; }
bool CorrectDcsInputValue(int64_t value) { return value >= 0 && value <= 63; }
bool CorrectUintInputValue(int64_t value) { return value >= 0 && value <= 255; }
bool CorrectMicGainInputValue(int64_t value) { return value >= 0 && value <= 127; }
bool CorrectMicGainFineInputValue(int64_t value) { return value >= 0 && value <= 127; }
bool CorrectPgaInputValue(int64_t value) { return value >= 0 && value <= 31; }

std::optional<uint32_t> NumberToStore(const QString& text, RangeCheck inRange)
{
    if (text.isEmpty())
        return 0u;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        throw ConversionError::notInteger(text.toStdString());
    if (!inRange(value))
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

uint32_t FreqToStore(const QString& text)
{
    return text.isEmpty() ? 0u : FloorTo500(TextToFreq(text));
}

void StepApcColumn(CalibrationData& data, ApcColumn column, int delta)
{
    for (int i = 0; i < cal::apc::kCount; ++i) {
        ApcPoint point = data.apc(i);
        if (point.Freq == 0)
            continue;
        uint8_t& value = ColumnOf(point, column);
        const int stepped = value + delta;
        if (stepped < 0 || stepped > 255)
            continue;
        value = static_cast<uint8_t>(stepped);
        data.setApc(i, point);
    }
}

} // namespace lt
