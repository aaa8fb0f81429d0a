// A calibration file as the program opens it, then packed into the block
// sent to the radio and taken back as from a radio's reply.

#include "FuzzSupport.h"

#include "calibration/CalibrationData.h"
#include "calibration/CalibrationFile.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lt;
    CalibrationData calibration;
    const CalibrationData defaults = calibration;
    qint64 fileSize = -1;
    const CalibrationLoad load = LoadCalibrationFile(fuzz::FileHolding({data, size}), calibration, &fileSize);
    if (size < cal::kStoredSize) {
        // A short file is refused whole and named with its size.
        LT_FUZZ_CHECK(load == CalibrationLoad::TooShort);
        LT_FUZZ_CHECK(fileSize == static_cast<qint64>(size));
        LT_FUZZ_CHECK(calibration == defaults);
        return 0;
    }
    LT_FUZZ_CHECK(load == CalibrationLoad::Loaded);
    LT_FUZZ_CHECK(std::equal(data, data + cal::kStoredSize, calibration.bytes().begin()));

    // What is sent, taken back as the radio's reply and sent again, is the
    // same block: a radio read and written back keeps its calibration.
    const CalibrationTransmitArea sent = calibration.GetAdjustmentData();
    CalibrationData received = calibration;
    received.SetAdjustmentData(std::span<const uint8_t, cal::blk::kSize>(sent.data(), cal::blk::kSize));
    LT_FUZZ_CHECK(received.GetAdjustmentData() == sent);
    LT_FUZZ_CHECK(std::all_of(sent.begin() + cal::blk::kSize, sent.end(), [](uint8_t b) { return b == 0; }));
    return 0;
}
