#include "admin/BandLimitRules.h"

#include "codeplug/ValueEncodings.h"
#include "program/Program.h"

namespace lt {

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
