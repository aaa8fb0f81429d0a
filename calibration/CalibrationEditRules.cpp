#include "calibration/CalibrationEditRules.h"

#include "calibration/CalibrationData.h"
#include "codeplug/ConversionError.h"
#include "codeplug/ValueEncodings.h"

namespace lt {

namespace {

bool DroppedPrintable(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 32 && u <= 47) || (u >= 58 && u <= 126);
}

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

bool NumberKeyAccepted(QChar c)
{
    return !DroppedPrintable(c);
}

bool FreqKeyAccepted(QChar c)
{
    return c == QLatin1Char('.') || !DroppedPrintable(c);
}

QString CutToLength(const QString& text, int maxLength)
{
    return text.size() > maxLength ? text.left(maxLength) : text;
}

QString CorrectFreqEditText(const QString& text)
{
    QString corrected = text.size() >= kFreqTextLimit ? text.left(kFreqTextLimit - 1) : text;
    if (corrected == QLatin1String("."))
        return {};
    const qsizetype firstPoint = corrected.indexOf(QLatin1Char('.'));
    if (firstPoint >= 0) {
        QString tail = corrected.mid(firstPoint + 1);
        tail.remove(QLatin1Char('.'));
        corrected = corrected.left(firstPoint + 1) + tail;
    }
    return corrected;
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
