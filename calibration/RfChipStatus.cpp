#include "calibration/RfChipStatus.h"

#include "calibration/CalibrationData.h"

namespace lt {

namespace {

uint8_t Bit(uint8_t byte, uint8_t bit)
{
    return static_cast<uint8_t>((byte >> bit) & 1);
}

} // namespace

void Set1846StatucData(CalibrationData& data, std::span<const uint8_t, rfstatus::kUsedSize> status)
{
    using namespace rfstatus;
    RfChipStatus values = data.status();
    values.CurBatt = status[CurBatt];
    values.CurVox = status[CurVox];
    values.Rssi_db = status[Rssi_db];
    values.Noise_db = status[Noise_db];
    values.Modu_cmp = Bit(status[CompareFlags], kModuCmpBit);
    values.Rssi_cmp1 = Bit(status[CompareFlags], kRssiCmp1Bit);
    values.Noise_cmp1 = Bit(status[CompareFlags], kNoiseCmp1Bit);
    values.Noise_cmp2 = Bit(status[CompareFlags], kNoiseCmp2Bit);
    values.Rssi_cmp3 = Bit(status[Rssi_cmp3], kTopBit);
    values.Pkdet_cmp = Bit(status[Pkdet_cmp], kTopBit);
    values.Modu_db = status[Modu_db];
    values.Offset = static_cast<uint16_t>((status[OffsetHigh] << 8) | status[OffsetLow]);
    data.setStatus(values);
}

} // namespace lt
