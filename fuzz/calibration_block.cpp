// The calibration block as a calibration read brings it from the radio,
// taken into the calibration and packed to be sent again.

#include "FuzzSupport.h"

#include "calibration/CalibrationData.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lt;
    std::array<uint8_t, cal::blk::kSize> block{};
    std::copy_n(data, std::min(size, block.size()), block.begin());

    CalibrationData calibration;
    calibration.SetAdjustmentData(block);
    const CalibrationTransmitArea sent = calibration.GetAdjustmentData();

    // Sent, read back and sent again: the radio gets the same block.
    CalibrationData reread = calibration;
    reread.SetAdjustmentData(std::span<const uint8_t, cal::blk::kSize>(sent.data(), cal::blk::kSize));
    LT_FUZZ_CHECK(reread.GetAdjustmentData() == sent);
    LT_FUZZ_CHECK(reread == calibration);
    return 0;
}
