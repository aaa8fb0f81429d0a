#pragma once

#include "calibration/CalibrationLayout.h"

#include <array>
#include <cstdint>
#include <span>

namespace lt {

// One row of the power and tuning table.
struct ApcPoint {
    uint32_t Freq = 0;       // Hz; 0 marks a row not in use
    uint8_t HighPower = 0;
    uint8_t Reserved = 0;
    uint8_t LowPower = 0;
    uint8_t RxTune = 0;
    uint8_t Rssi = 0;
    uint8_t RfOut = 0;
    bool operator==(const ApcPoint&) const = default;
};

// One row of the per-frequency squelch table.
struct SqPoint {
    uint32_t Freq = 0;
    int8_t SqValue = 0;
    int8_t SqNoise = 0;
    int8_t SqValueNar = 0;
    int8_t SqNoiseNar = 0;
    bool operator==(const SqPoint&) const = default;
};

// The live measurements of the RF chip status readout.
struct RfChipStatus {
    uint8_t CurBatt = 0;
    uint8_t CurVox = 0;
    uint8_t Rssi_db = 0;
    uint8_t Rssi_cmp1 = 0;
    uint8_t Noise_db = 0;
    uint8_t Noise_cmp1 = 0;
    uint8_t Modu_cmp = 0;
    uint8_t Pkdet_cmp = 0;
    uint8_t Rssi_cmp3 = 0;
    uint8_t Noise_cmp2 = 0;
    uint8_t Modu_db = 0;
    uint8_t Pkdet_rssi = 0;
    uint16_t Offset = 0;
    bool operator==(const RfChipStatus&) const = default;
};

// The three level tables computed while packing, levels 0..9.
struct SqLevelTables {
    std::array<uint8_t, 10> open{};
    std::array<uint8_t, 10> close{};
};
using VoxLevelTable = std::array<uint8_t, 10>;

using CalibrationTransmitArea = std::array<uint8_t, cal::blk::kTransmitSize>;

// The radio's calibration as the program holds it: the 638-byte stored layout,
// byte for byte the calibration file. Created with its defaults.
class CalibrationData {
public:
    CalibrationData();

    std::span<uint8_t, cal::kStoredSize> bytes() { return bytes_; }
    std::span<const uint8_t, cal::kStoredSize> bytes() const { return bytes_; }

    uint32_t get(const cal::Field& field) const;        // Number fields
    void set(const cal::Field& field, uint32_t value);  // Number fields, cut to their width

    ApcPoint apc(int i) const;                          // i = 0..18
    void setApc(int i, const ApcPoint& point);
    SqPoint sq(int i) const;                            // i = 0..17
    void setSq(int i, const SqPoint& point);
    uint8_t battTbl(int level) const;                   // Batt_Tbl_L0 .. L9
    void setBattTbl(int level, uint8_t value);
    uint8_t vol1846(int step) const;                    // 1846Vol_1 .. 1846Vol_9, step 1..9
    void setVol1846(int step, uint8_t value);
    RfChipStatus status() const;
    void setStatus(const RfChipStatus& status);

    // Every byte 0, then the default of each field.
    void SetCalibrationDefaults();

    // Packs the calibration block into the 416-byte transmit area; bytes
    // 404..415 are 0. The data itself is not changed.
    void GetAdjustmentData(std::span<uint8_t, cal::blk::kTransmitSize> area) const;
    CalibrationTransmitArea GetAdjustmentData() const;

    // Takes what a received calibration block carries; every field the block
    // does not carry keeps its value.
    void SetAdjustmentData(std::span<const uint8_t, cal::blk::kSize> block);

    bool operator==(const CalibrationData&) const = default;

private:
    std::array<uint8_t, cal::kStoredSize> bytes_{};
};

SqLevelTables BuildSqLevelTables(const CalibrationData& data);
VoxLevelTable BuildVoxLevelTable(const CalibrationData& data);

} // namespace lt
