#include "calibration/CalibrationData.h"

#include "codeplug/LittleEndian.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>

namespace lt {

using namespace cal;

namespace {

// A stored number field and its place in the block, sent as it is (the range
// limits swap their order between the two layouts, which the table absorbs).
struct SentNumber {
    Field field;
    blk::Place place;
};

constexpr SentNumber kSentNumbers[] = {
    {Batt_High, blk::Batt_High},
    {Batt_PowerOn, blk::Batt_PowerOn},
    {Lcd_Brightness, blk::Lcd_Brightness},
    {Lcd_BrightnessFine, blk::Lcd_BrightnessFine},
    {CtcPinPian_W, blk::CtcPinPian_W},
    {DcsPinPian_W, blk::DcsPinPian_W},
    {MicGain, blk::MicGain},
    {Pga, blk::Pga},
    {MicGainFine, blk::MicGainFine},
    {Noise_th, blk::Noise_th},
    {Noise_th_nar, blk::Noise_th_nar},
    {Noise2_th, blk::Noise2_th},
    {Rssi3_th, blk::Rssi3_th},
    {SpeakActive, blk::SpeakActive},
    {SpeakDelay, blk::SpeakDelay},
    {freq_limit_McuDef_U_min, blk::McuDef_U_min},
    {freq_limit_McuDef_U_max, blk::McuDef_U_max},
    {freq_limit_McuLock_U_min, blk::McuLock_U_min},
    {freq_limit_McuLock_U_max, blk::McuLock_U_max},
    {freq_limit_McuDef_V_min, blk::McuDef_V_min},
    {freq_limit_McuDef_V_max, blk::McuDef_V_max},
    {freq_limit_McuLock_V_min, blk::McuLock_V_min},
    {freq_limit_McuLock_V_max, blk::McuLock_V_max},
};

// The deviations are 16-bit in the program but the radio takes one byte each.
constexpr SentNumber kSentLowBytes[] = {
    {PinPian_W, blk::PinPian_W},
    {PinPian_N, blk::PinPian_N},
    {PinPian_W_Spe_1, blk::PinPian_W_Spe_1},
    {PinPian_W_Spe_2, blk::PinPian_W_Spe_2},
};

constexpr bool widthsMatch()
{
    for (const SentNumber& s : kSentNumbers)
        if (s.field.kind != FieldKind::Number || s.field.width != s.place.width)
            return false;
    for (const SentNumber& s : kSentLowBytes)
        if (s.field.kind != FieldKind::Number || s.field.width != 2 || s.place.width != 1)
            return false;
    return true;
}
static_assert(widthsMatch());

const struct {
    Field field;
    uint32_t value;
} kDefaults[] = {
    {PinPian_W, 20}, {PinPian_W_Spe_1, 5}, {PinPian_W_Spe_2, 10}, {DtmfFuDu_W, 127},
    {FuDu1750_W, 127}, {CtcPinPian_W, 4}, {DcsPinPian_W, 1}, {PinPian_N, 16},
    {PinPian_N_Spe_1, 65}, {PinPian_N_Spe_2, 53}, {DtmfFuDu_N, 127}, {FuDu1750_N, 127},
    {CtcPinPian_N, 14}, {DcsPinPian_N, 13}, {SQL_L1, 22}, {SQL_L4, 23}, {SQL_L9, 25},
    {VOX_L1, 200}, {VOX_L9, 40}, {Batt_L0_Wait, 214}, {Batt_L0_Tx, 214}, {MicGainFine, 15},
    {MicGain, 43}, {Pga, 1}, {Noise_th, 800}, {Modu_th, 110}, {Pkdet_th, 63},
    {Pkdet_th_nar, 63}, {Rssi3_th, 850}, {Noise2_th, 800}, {Modu_dten, 1}, {Pkdet_dten, 1},
    {Noise_th_nar, 850}, {Lcd_Brightness, 2}, {Lcd_BrightnessFine, 50},
    {freq_limit_McuDef_U_max, 520000000}, {freq_limit_McuDef_U_min, 400000000},
    {freq_limit_McuLock_U_max, 432000000}, {freq_limit_McuLock_U_min, 430000000},
    {freq_limit_McuDef_V_max, 176000000}, {freq_limit_McuDef_V_min, 134000000},
    {freq_limit_McuLock_V_max, 146000000}, {freq_limit_McuLock_V_min, 144000000},
};

const struct {
    Field field;
    uint8_t RfChipStatus::*member;
} kStatusBytes[] = {
    {CurBatt, &RfChipStatus::CurBatt}, {CurVox, &RfChipStatus::CurVox},
    {Rssi_db, &RfChipStatus::Rssi_db}, {Rssi_cmp1, &RfChipStatus::Rssi_cmp1},
    {Noise_db, &RfChipStatus::Noise_db}, {Noise_cmp1, &RfChipStatus::Noise_cmp1},
    {Modu_cmp, &RfChipStatus::Modu_cmp}, {Pkdet_cmp, &RfChipStatus::Pkdet_cmp},
    {Rssi_cmp3, &RfChipStatus::Rssi_cmp3}, {Noise_cmp2, &RfChipStatus::Noise_cmp2},
    {Modu_db, &RfChipStatus::Modu_db}, {Pkdet_rssi, &RfChipStatus::Pkdet_rssi},
};

} // namespace

CalibrationData::CalibrationData()
{
    SetCalibrationDefaults();
}

uint32_t CalibrationData::get(const Field& field) const
{
    assert(field.kind == FieldKind::Number);
    return le::get(bytes_.data() + field.offset, field.width);
}

void CalibrationData::set(const Field& field, uint32_t value)
{
    assert(field.kind == FieldKind::Number);
    le::put(bytes_.data() + field.offset, field.width, value);
}

ApcPoint CalibrationData::apc(int i) const
{
    assert(i >= 0 && i < apc::kCount);
    const uint8_t* p = bytes_.data() + APC.offset + apc::kSize * static_cast<std::size_t>(i);
    return {le::get32(p + apc::Freq), p[apc::HighPower], p[apc::Reserved], p[apc::LowPower],
            p[apc::RxTune], p[apc::Rssi], p[apc::RfOut]};
}

void CalibrationData::setApc(int i, const ApcPoint& point)
{
    assert(i >= 0 && i < apc::kCount);
    uint8_t* p = bytes_.data() + APC.offset + apc::kSize * static_cast<std::size_t>(i);
    le::put32(p + apc::Freq, point.Freq);
    p[apc::HighPower] = point.HighPower;
    p[apc::Reserved] = point.Reserved;
    p[apc::LowPower] = point.LowPower;
    p[apc::RxTune] = point.RxTune;
    p[apc::Rssi] = point.Rssi;
    p[apc::RfOut] = point.RfOut;
}

SqPoint CalibrationData::sq(int i) const
{
    assert(i >= 0 && i < sq::kCount);
    const uint8_t* p = bytes_.data() + SQ.offset + sq::kSize * static_cast<std::size_t>(i);
    return {le::get32(p + sq::Freq), static_cast<int8_t>(p[sq::SqValue]), static_cast<int8_t>(p[sq::SqNoise]),
            static_cast<int8_t>(p[sq::SqValueNar]), static_cast<int8_t>(p[sq::SqNoiseNar])};
}

void CalibrationData::setSq(int i, const SqPoint& point)
{
    assert(i >= 0 && i < sq::kCount);
    uint8_t* p = bytes_.data() + SQ.offset + sq::kSize * static_cast<std::size_t>(i);
    le::put32(p + sq::Freq, point.Freq);
    p[sq::SqValue] = static_cast<uint8_t>(point.SqValue);
    p[sq::SqNoise] = static_cast<uint8_t>(point.SqNoise);
    p[sq::SqValueNar] = static_cast<uint8_t>(point.SqValueNar);
    p[sq::SqNoiseNar] = static_cast<uint8_t>(point.SqNoiseNar);
}

uint8_t CalibrationData::battTbl(int level) const
{
    assert(level >= 0 && level < kBattTblCount);
    return bytes_[Batt_Tbl.offset + static_cast<std::size_t>(level)];
}

void CalibrationData::setBattTbl(int level, uint8_t value)
{
    assert(level >= 0 && level < kBattTblCount);
    bytes_[Batt_Tbl.offset + static_cast<std::size_t>(level)] = value;
}

uint8_t CalibrationData::vol1846(int step) const
{
    assert(step >= 1 && step <= kVol1846Count);
    return bytes_[Vol1846.offset + static_cast<std::size_t>(step - 1)];
}

void CalibrationData::setVol1846(int step, uint8_t value)
{
    assert(step >= 1 && step <= kVol1846Count);
    bytes_[Vol1846.offset + static_cast<std::size_t>(step - 1)] = value;
}

RfChipStatus CalibrationData::status() const
{
    RfChipStatus status;
    for (const auto& s : kStatusBytes)
        status.*s.member = static_cast<uint8_t>(get(s.field));
    status.Offset = static_cast<uint16_t>(get(Offset));
    return status;
}

void CalibrationData::setStatus(const RfChipStatus& status)
{
    for (const auto& s : kStatusBytes)
        set(s.field, status.*s.member);
    set(Offset, status.Offset);
}

void CalibrationData::SetCalibrationDefaults()
{
    bytes_.fill(0);
    for (const auto& d : kDefaults)
        set(d.field, d.value);
}

SqLevelTables BuildSqLevelTables(const CalibrationData& data)
{
    SqLevelTables t;
    auto& a = t.open;
    a[0] = 0;
    a[1] = static_cast<uint8_t>(data.get(SQL_L1));
    a[5] = static_cast<uint8_t>(data.get(SQL_L4));
    a[9] = static_cast<uint8_t>(data.get(SQL_L9));
    // Integer division truncates toward zero, so each step leans toward the
    // lower anchor whether the anchors rise or fall.
    for (int i = 2; i <= 4; ++i)
        a[i] = static_cast<uint8_t>(a[1] + (a[5] - a[1]) * (i - 1) / 4);
    for (int i = 6; i <= 8; ++i)
        a[i] = static_cast<uint8_t>(a[5] + (a[9] - a[5]) * (i - 5) / 4);
    t.close[0] = 0;
    for (int i = 1; i <= 9; ++i)
        t.close[i] = static_cast<uint8_t>(a[i] - 1);
    return t;
}

VoxLevelTable BuildVoxLevelTable(const CalibrationData& data)
{
    VoxLevelTable c{};
    const int first = static_cast<int>(data.get(VOX_L1));
    const int last = static_cast<int>(data.get(VOX_L9));
    const int step = std::abs(last - first) / 8;
    c[1] = static_cast<uint8_t>(first);
    c[9] = static_cast<uint8_t>(last);
    for (int i = 2; i <= 8; ++i)
        c[i] = static_cast<uint8_t>(first <= last ? first + step * (i - 1) : first - step * (i - 1));
    return c;
}

void CalibrationData::GetAdjustmentData(std::span<uint8_t, blk::kTransmitSize> area) const
{
    std::ranges::fill(area, 0);
    uint8_t* out = area.data();

    for (int i = 0; i < apc::kCount; ++i) {
        const ApcPoint point = apc(i);
        uint8_t* p = out + blk::Apc.offset + blk::kApcSize * static_cast<std::size_t>(i);
        le::put32(p + blk::ApcFreq, point.Freq);
        p[blk::ApcHighPower] = point.HighPower;
        p[blk::ApcLowPower] = point.LowPower;
        p[blk::ApcRxTune] = point.RxTune;
        p[blk::ApcRfOut] = point.RfOut;
    }
    std::memcpy(out + blk::Sq.offset, bytes_.data() + SQ.offset, blk::Sq.width);

    const SqLevelTables sqTables = BuildSqLevelTables(*this);
    std::ranges::copy(sqTables.open, out + blk::SqOpenTable.offset);
    std::ranges::copy(sqTables.close, out + blk::SqCloseTable.offset);
    std::ranges::copy(BuildVoxLevelTable(*this), out + blk::VoxTable.offset);

    std::memcpy(out + blk::BattWait.offset, bytes_.data() + Batt_L0_Wait.offset, blk::BattWait.width + blk::BattTx.width);
    std::memcpy(out + blk::Batt_Tbl.offset, bytes_.data() + Batt_Tbl.offset, blk::Batt_Tbl.width);
    out[blk::Batt_L0_WaitCopy.offset] = static_cast<uint8_t>(get(Batt_L0_Wait));
    out[blk::Batt_L0_TxCopy.offset] = static_cast<uint8_t>(get(Batt_L0_Tx));
    out[blk::Batt_HighCopy.offset] = static_cast<uint8_t>(get(Batt_High));
    out[blk::AlwaysZero.offset] = 0;
    for (const SentNumber& s : kSentNumbers)
        le::put(out + s.place.offset, s.place.width, get(s.field));
    for (const SentNumber& s : kSentLowBytes)
        out[s.place.offset] = static_cast<uint8_t>(get(s.field) & 0xFF);
}

CalibrationTransmitArea CalibrationData::GetAdjustmentData() const
{
    CalibrationTransmitArea area{};
    GetAdjustmentData(area);
    return area;
}

void CalibrationData::SetAdjustmentData(std::span<const uint8_t, blk::kSize> block)
{
    const uint8_t* in = block.data();

    for (int i = 0; i < apc::kCount; ++i) {
        ApcPoint point = apc(i);
        const uint8_t* p = in + blk::Apc.offset + blk::kApcSize * static_cast<std::size_t>(i);
        point.Freq = le::get32(p + blk::ApcFreq);
        point.HighPower = p[blk::ApcHighPower];
        point.LowPower = p[blk::ApcLowPower];
        point.RxTune = p[blk::ApcRxTune];
        point.RfOut = p[blk::ApcRfOut];
        setApc(i, point);
    }
    std::memcpy(bytes_.data() + SQ.offset, in + blk::Sq.offset, blk::Sq.width);

    set(SQL_L1, in[blk::SqOpenTable.offset + 1]);
    set(SQL_L4, in[blk::SqOpenTable.offset + 5]);
    set(SQL_L9, in[blk::SqOpenTable.offset + 9]);
    set(VOX_L1, in[blk::VoxTable.offset + 1]);
    set(VOX_L9, in[blk::VoxTable.offset + 9]);

    std::memcpy(bytes_.data() + Batt_L0_Wait.offset, in + blk::BattWait.offset, blk::BattWait.width + blk::BattTx.width);
    std::memcpy(bytes_.data() + Batt_Tbl.offset, in + blk::Batt_Tbl.offset, blk::Batt_Tbl.width);
    for (const SentNumber& s : kSentNumbers)
        set(s.field, le::get(in + s.place.offset, s.place.width));
    for (const SentNumber& s : kSentLowBytes)
        set(s.field, in[s.place.offset]);
}

} // namespace lt
