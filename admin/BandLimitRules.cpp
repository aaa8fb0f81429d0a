#include "admin/BandLimitRules.h"

#include "app/Program.h"
#include "codeplug/ValueEncodings.h"

namespace lt {

namespace {
constexpr qsizetype kMaxBandTextLength = 9;
constexpr char16_t kFirstPrintable = 32;
constexpr char16_t kLastAscii = 126;
} // namespace

bool BandKeyAllowed(char16_t key)
{
    if (key < kFirstPrintable || key > kLastAscii)
        return true;
    return key == u'.' || (key >= u'0' && key <= u'9');
}

QString CorrectBandText(const QString& text)
{
    QString corrected = text;
    if (corrected.size() > kMaxBandTextLength)
        corrected.chop(1);
    if (corrected == QStringLiteral("."))
        corrected.clear();
    const qsizetype firstPoint = corrected.indexOf(u'.');
    if (firstPoint >= 0) {
        for (qsizetype i = corrected.size() - 1; i > firstPoint; --i)
            if (corrected[i] == u'.')
                corrected.remove(i, 1);
    }
    return corrected;
}

uint32_t BandTextToHz(const QString& text)
{
    return ClampToRange(text.isEmpty() ? 0u : TextToFreq(text));
}

BandChange ClassifyBandChange(const BandLimits& working, const BandLimits& current)
{
    if (working.UBandMin >= working.UBandMax || working.VBandMin >= working.VBandMax)
        return BandChange::Invalid;
    return working == current ? BandChange::Unchanged : BandChange::Changed;
}

void ApplyBandLimits(Program& program, const BandLimits& limits)
{
    program.model.bands = limits;
    program.model.updateOffsetMax();
    program.model.SetCodeplugDefaults();
    program.calibration.SetCalibrationDefaults();
}

} // namespace lt
