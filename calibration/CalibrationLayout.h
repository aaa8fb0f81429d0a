#pragma once

#include "codeplug/ByteLayout.h"

#include <cstddef>
#include <cstdint>

// Byte layouts of the calibration data: the 638-byte stored layout (also the
// calibration file) and the 404-byte calibration block in radio memory at
// 0xF000. Every field is listed once, in order, with its offset and width; the
// static_asserts prove both lists tile their layouts without gaps.
namespace lt::cal {

inline constexpr std::size_t kStoredSize = 638;

enum class FieldKind : uint8_t {
    Number,   // unsigned little-endian integer of 1, 2 or 4 bytes
    Bytes,    // rows and tables read through their own helpers
    Reserved, // kept exactly as loaded, never sent
};

using Field = layout::Field<FieldKind>;

inline constexpr Field APC{0x000, 190, FieldKind::Bytes, "APC"};
inline constexpr Field PinPian_W{0x0BE, 2, FieldKind::Number, "PinPian_W"};
inline constexpr Field PinPian_W_Spe_1{0x0C0, 2, FieldKind::Number, "PinPian_W_Spe_1"};
inline constexpr Field PinPian_W_Spe_2{0x0C2, 2, FieldKind::Number, "PinPian_W_Spe_2"};
inline constexpr Field DtmfFuDu_W{0x0C4, 1, FieldKind::Number, "DtmfFuDu_W"};
inline constexpr Field FuDu1750_W{0x0C5, 1, FieldKind::Number, "1750FuDu_W"};
inline constexpr Field CtcPinPian_W{0x0C6, 1, FieldKind::Number, "CtcPinPian_W"};
inline constexpr Field DcsPinPian_W{0x0C7, 1, FieldKind::Number, "DcsPinPian_W"};
inline constexpr Field PinPian_N{0x0C8, 2, FieldKind::Number, "PinPian_N"};
inline constexpr Field PinPian_N_Spe_1{0x0CA, 2, FieldKind::Number, "PinPian_N_Spe_1"};
inline constexpr Field PinPian_N_Spe_2{0x0CC, 2, FieldKind::Number, "PinPian_N_Spe_2"};
inline constexpr Field DtmfFuDu_N{0x0CE, 1, FieldKind::Number, "DtmfFuDu_N"};
inline constexpr Field FuDu1750_N{0x0CF, 1, FieldKind::Number, "1750FuDu_N"};
inline constexpr Field CtcPinPian_N{0x0D0, 1, FieldKind::Number, "CtcPinPian_N"};
inline constexpr Field DcsPinPian_N{0x0D1, 1, FieldKind::Number, "DcsPinPian_N"};
inline constexpr Field SQL_L1{0x0D2, 1, FieldKind::Number, "SQL_L1"};
inline constexpr Field SQL_L4{0x0D3, 1, FieldKind::Number, "SQL_L4"}; // anchor of level 5
inline constexpr Field SQL_L9{0x0D4, 1, FieldKind::Number, "SQL_L9"};
inline constexpr Field Reserved_0D5{0x0D5, 1, FieldKind::Reserved, "reserved"};
inline constexpr Field VOX_L1{0x0D6, 1, FieldKind::Number, "VOX_L1"};
inline constexpr Field VOX_L9{0x0D7, 1, FieldKind::Number, "VOX_L9"};
inline constexpr Field Batt_L0_Wait{0x0D8, 1, FieldKind::Number, "Batt_L0_Wait"};
inline constexpr Field Batt_L1_Wait{0x0D9, 1, FieldKind::Number, "Batt_L1_Wait"};
inline constexpr Field Batt_L2_Wait{0x0DA, 1, FieldKind::Number, "Batt_L2_Wait"};
inline constexpr Field Batt_L3_Wait{0x0DB, 1, FieldKind::Number, "Batt_L3_Wait"};
inline constexpr Field Batt_L0_Tx{0x0DC, 1, FieldKind::Number, "Batt_L0_Tx"};
inline constexpr Field Batt_L1_Tx{0x0DD, 1, FieldKind::Number, "Batt_L1_Tx"};
inline constexpr Field Batt_L2_Tx{0x0DE, 1, FieldKind::Number, "Batt_L2_Tx"};
inline constexpr Field Batt_L3_Tx{0x0DF, 1, FieldKind::Number, "Batt_L3_Tx"};
inline constexpr Field Batt_High{0x0E0, 1, FieldKind::Number, "Batt_High"};
inline constexpr Field Xtal_PP{0x0E1, 1, FieldKind::Number, "Xtal_PP"};
inline constexpr Field MicGainFine{0x0E2, 1, FieldKind::Number, "MicGainFine"};
inline constexpr Field MicGain{0x0E3, 1, FieldKind::Number, "MicGain"};
inline constexpr Field Pga{0x0E4, 1, FieldKind::Number, "Pga"};
inline constexpr Field Noise_th{0x0E5, 2, FieldKind::Number, "Noise_th"};
inline constexpr Field Modu_th{0x0E7, 1, FieldKind::Number, "Modu_th"};
inline constexpr Field Pkdet_th{0x0E8, 1, FieldKind::Number, "Pkdet_th"};
inline constexpr Field Pkdet_th_nar{0x0E9, 1, FieldKind::Number, "Pkdet_th_nar"};
inline constexpr Field Rssi3_th{0x0EA, 2, FieldKind::Number, "Rssi3_th"};
inline constexpr Field Noise2_th{0x0EC, 2, FieldKind::Number, "Noise2_th"};
inline constexpr Field Modu_dten{0x0EE, 1, FieldKind::Number, "Modu_dten"};
inline constexpr Field Pkdet_dten{0x0EF, 1, FieldKind::Number, "Pkdet_dten"};
inline constexpr Field Noise_th_nar{0x0F0, 2, FieldKind::Number, "Noise_th_nar"};
// Status values, filled only by the RF chip status readout.
inline constexpr Field CurBatt{0x0F2, 1, FieldKind::Number, "CurBatt"};
inline constexpr Field CurVox{0x0F3, 1, FieldKind::Number, "CurVox"};
inline constexpr Field Rssi_db{0x0F4, 1, FieldKind::Number, "Rssi_db"};
inline constexpr Field Rssi_cmp1{0x0F5, 1, FieldKind::Number, "Rssi_cmp1"};
inline constexpr Field Noise_db{0x0F6, 1, FieldKind::Number, "Noise_db"};
inline constexpr Field Noise_cmp1{0x0F7, 1, FieldKind::Number, "Noise_cmp1"};
inline constexpr Field Modu_cmp{0x0F8, 1, FieldKind::Number, "Modu_cmp"};
inline constexpr Field Pkdet_cmp{0x0F9, 1, FieldKind::Number, "Pkdet_cmp"};
inline constexpr Field Rssi_cmp3{0x0FA, 1, FieldKind::Number, "Rssi_cmp3"};
inline constexpr Field Noise_cmp2{0x0FB, 1, FieldKind::Number, "Noise_cmp2"};
inline constexpr Field Modu_db{0x0FC, 1, FieldKind::Number, "Modu_db"};
inline constexpr Field Pkdet_rssi{0x0FD, 1, FieldKind::Number, "Pkdet_rssi"};
inline constexpr Field Offset{0x0FE, 2, FieldKind::Number, "Offset"};
inline constexpr Field Batt_Tbl{0x100, 10, FieldKind::Bytes, "Batt_Tbl_L0..L9"};
inline constexpr Field Batt_PowerOn{0x10A, 1, FieldKind::Number, "Batt_PowerOn"};
inline constexpr Field BattLowPowerOff{0x10B, 1, FieldKind::Number, "BattLowPowerOff"};
inline constexpr Field Batt_ChargeOn{0x10C, 1, FieldKind::Number, "Batt_ChargeOn"};
inline constexpr Field Batt_ChargeOff{0x10D, 1, FieldKind::Number, "Batt_ChargeOff"};
inline constexpr Field SQ{0x10E, 144, FieldKind::Bytes, "SQ"};
inline constexpr Field Reserved_19E{0x19E, 16, FieldKind::Reserved, "reserved"};
inline constexpr Field Reserved_1AE{0x1AE, 160, FieldKind::Reserved, "reserved"};
inline constexpr Field Reserved_24E{0x24E, 1, FieldKind::Reserved, "reserved"};
inline constexpr Field Lcd_Brightness{0x24F, 1, FieldKind::Number, "Lcd_Brightness"};
inline constexpr Field Lcd_BrightnessFine{0x250, 1, FieldKind::Number, "Lcd_BrightnessFine"};
inline constexpr Field Reserved_251{0x251, 1, FieldKind::Reserved, "reserved"};
inline constexpr Field Vol1846{0x252, 9, FieldKind::Bytes, "1846Vol_1..9"};
inline constexpr Field SpeakActive{0x25B, 1, FieldKind::Number, "SpeakActive"};
inline constexpr Field SpeakDelay{0x25C, 2, FieldKind::Number, "SpeakDelay"};
inline constexpr Field freq_limit_McuDef_U_max{0x25E, 4, FieldKind::Number, "freq_limit_McuDef_U_max"};
inline constexpr Field freq_limit_McuDef_U_min{0x262, 4, FieldKind::Number, "freq_limit_McuDef_U_min"};
inline constexpr Field freq_limit_McuLock_U_max{0x266, 4, FieldKind::Number, "freq_limit_McuLock_U_max"};
inline constexpr Field freq_limit_McuLock_U_min{0x26A, 4, FieldKind::Number, "freq_limit_McuLock_U_min"};
inline constexpr Field freq_limit_McuDef_V_max{0x26E, 4, FieldKind::Number, "freq_limit_McuDef_V_max"};
inline constexpr Field freq_limit_McuDef_V_min{0x272, 4, FieldKind::Number, "freq_limit_McuDef_V_min"};
inline constexpr Field freq_limit_McuLock_V_max{0x276, 4, FieldKind::Number, "freq_limit_McuLock_V_max"};
inline constexpr Field freq_limit_McuLock_V_min{0x27A, 4, FieldKind::Number, "freq_limit_McuLock_V_min"};

inline constexpr Field kAllFields[] = {
    APC, PinPian_W, PinPian_W_Spe_1, PinPian_W_Spe_2, DtmfFuDu_W, FuDu1750_W, CtcPinPian_W,
    DcsPinPian_W, PinPian_N, PinPian_N_Spe_1, PinPian_N_Spe_2, DtmfFuDu_N, FuDu1750_N,
    CtcPinPian_N, DcsPinPian_N, SQL_L1, SQL_L4, SQL_L9, Reserved_0D5, VOX_L1, VOX_L9,
    Batt_L0_Wait, Batt_L1_Wait, Batt_L2_Wait, Batt_L3_Wait, Batt_L0_Tx, Batt_L1_Tx, Batt_L2_Tx,
    Batt_L3_Tx, Batt_High, Xtal_PP, MicGainFine, MicGain, Pga, Noise_th, Modu_th, Pkdet_th,
    Pkdet_th_nar, Rssi3_th, Noise2_th, Modu_dten, Pkdet_dten, Noise_th_nar, CurBatt, CurVox,
    Rssi_db, Rssi_cmp1, Noise_db, Noise_cmp1, Modu_cmp, Pkdet_cmp, Rssi_cmp3, Noise_cmp2,
    Modu_db, Pkdet_rssi, Offset, Batt_Tbl, Batt_PowerOn, BattLowPowerOff, Batt_ChargeOn,
    Batt_ChargeOff, SQ, Reserved_19E, Reserved_1AE, Reserved_24E, Lcd_Brightness,
    Lcd_BrightnessFine, Reserved_251, Vol1846, SpeakActive, SpeakDelay,
    freq_limit_McuDef_U_max, freq_limit_McuDef_U_min, freq_limit_McuLock_U_max,
    freq_limit_McuLock_U_min, freq_limit_McuDef_V_max, freq_limit_McuDef_V_min,
    freq_limit_McuLock_V_max, freq_limit_McuLock_V_min,
};

static_assert(layout::TilesExactly(kAllFields, kStoredSize), "calibration fields must tile the stored layout without gaps");
static_assert(layout::NumbersAreIntegers(kAllFields, FieldKind::Number));

// One row of the power and tuning table as stored: 10 bytes, 19 rows.
namespace apc {
inline constexpr int kCount = 19;
inline constexpr std::size_t kSize = 10;
inline constexpr std::size_t Freq = 0;       // u32, 0 = row not in use
inline constexpr std::size_t HighPower = 4;
inline constexpr std::size_t Reserved = 5;   // kept, never sent
inline constexpr std::size_t LowPower = 6;
inline constexpr std::size_t RxTune = 7;
inline constexpr std::size_t Rssi = 8;       // kept, never sent
inline constexpr std::size_t RfOut = 9;      // 0..7
static_assert(HighPower == Freq + 4 && Reserved == HighPower + 1 && LowPower == Reserved + 1);
static_assert(RxTune == LowPower + 1 && Rssi == RxTune + 1 && RfOut == Rssi + 1 && RfOut + 1 == kSize);
} // namespace apc
static_assert(APC.width == apc::kCount * apc::kSize);

// One row of the per-frequency squelch table: 8 bytes, the same in the stored
// layout and in the block; 18 rows.
namespace sq {
inline constexpr int kCount = 18;
inline constexpr std::size_t kSize = 8;
inline constexpr std::size_t Freq = 0;       // u32
inline constexpr std::size_t SqValue = 4;    // i8
inline constexpr std::size_t SqNoise = 5;    // i8
inline constexpr std::size_t SqValueNar = 6; // i8
inline constexpr std::size_t SqNoiseNar = 7; // i8
static_assert(SqValue == Freq + 4 && SqNoiseNar + 1 == kSize);
} // namespace sq
static_assert(SQ.width == sq::kCount * sq::kSize);

inline constexpr int kBattTblCount = 10;
inline constexpr int kVol1846Count = 9;
static_assert(Batt_Tbl.width == kBattTblCount && Vol1846.width == kVol1846Count);
// The eight battery thresholds are stored and sent in the same order.
static_assert(Batt_L0_Tx.offset == Batt_L0_Wait.offset + 4 && Batt_L3_Tx.offset == Batt_L0_Wait.offset + 7);

// The calibration block as the radio keeps it at 0xF000.
namespace blk {
inline constexpr uint16_t kRadioAddress = 0xF000;
inline constexpr std::size_t kSize = 404;
// The block travels in 16-byte units; the last unit carries 4 block bytes and
// 12 zero bytes.
inline constexpr std::size_t kUnitSize = 16;
inline constexpr std::size_t kUnitCount = 26;
inline constexpr std::size_t kTransmitSize = kUnitSize * kUnitCount;
static_assert(kTransmitSize == 416 && kTransmitSize - kUnitSize < kSize && kSize <= kTransmitSize);

struct Place {
    uint16_t offset;
    uint16_t width;
};

inline constexpr Place Apc{0x000, 152};               // 19 x {Freq, HighPower, LowPower, RxTune, RfOut}
inline constexpr std::size_t kApcSize = 8;
inline constexpr std::size_t ApcFreq = 0;
inline constexpr std::size_t ApcHighPower = 4;
inline constexpr std::size_t ApcLowPower = 5;
inline constexpr std::size_t ApcRxTune = 6;
inline constexpr std::size_t ApcRfOut = 7;
inline constexpr Place Sq{0x098, 144};                // 18 squelch rows as stored
inline constexpr Place BattWait{0x128, 4};            // Batt_L0_Wait .. Batt_L3_Wait
inline constexpr Place BattTx{0x12C, 4};              // Batt_L0_Tx .. Batt_L3_Tx
inline constexpr Place Batt_High{0x130, 1};
inline constexpr Place Batt_PowerOn{0x131, 1};
inline constexpr Place Lcd_Brightness{0x132, 1};
inline constexpr Place Lcd_BrightnessFine{0x133, 1};
inline constexpr Place SqOpenTable{0x134, 10};        // squelch levels 0..9
inline constexpr Place SqCloseTable{0x13E, 10};
inline constexpr Place VoxTable{0x148, 10};
inline constexpr Place Batt_L0_WaitCopy{0x152, 1};
inline constexpr Place Batt_Tbl{0x153, 10};
inline constexpr Place Batt_L0_TxCopy{0x15D, 1};
inline constexpr Place Batt_HighCopy{0x15E, 1};
inline constexpr Place PinPian_W{0x15F, 1};           // low byte
inline constexpr Place CtcPinPian_W{0x160, 1};
inline constexpr Place DcsPinPian_W{0x161, 1};
inline constexpr Place AlwaysZero{0x162, 1};
inline constexpr Place MicGain{0x163, 1};
inline constexpr Place Pga{0x164, 1};
inline constexpr Place MicGainFine{0x165, 1};
inline constexpr Place PinPian_N{0x166, 1};           // low byte
inline constexpr Place Noise_th{0x167, 2};
inline constexpr Place Noise_th_nar{0x169, 2};
inline constexpr Place Noise2_th{0x16B, 2};
inline constexpr Place Rssi3_th{0x16D, 2};
inline constexpr Place SpeakActive{0x16F, 1};
inline constexpr Place SpeakDelay{0x170, 2};
inline constexpr Place PinPian_W_Spe_1{0x172, 1};     // low byte
inline constexpr Place PinPian_W_Spe_2{0x173, 1};     // low byte
// Each range pair is sent minimum first; it is stored maximum first.
inline constexpr Place McuDef_U_min{0x174, 4};
inline constexpr Place McuDef_U_max{0x178, 4};
inline constexpr Place McuLock_U_min{0x17C, 4};
inline constexpr Place McuLock_U_max{0x180, 4};
inline constexpr Place McuDef_V_min{0x184, 4};
inline constexpr Place McuDef_V_max{0x188, 4};
inline constexpr Place McuLock_V_min{0x18C, 4};
inline constexpr Place McuLock_V_max{0x190, 4};

inline constexpr Place kAllPlaces[] = {
    Apc, Sq, BattWait, BattTx, Batt_High, Batt_PowerOn, Lcd_Brightness, Lcd_BrightnessFine,
    SqOpenTable, SqCloseTable, VoxTable, Batt_L0_WaitCopy, Batt_Tbl, Batt_L0_TxCopy,
    Batt_HighCopy, PinPian_W, CtcPinPian_W, DcsPinPian_W, AlwaysZero, MicGain, Pga,
    MicGainFine, PinPian_N, Noise_th, Noise_th_nar, Noise2_th, Rssi3_th, SpeakActive,
    SpeakDelay, PinPian_W_Spe_1, PinPian_W_Spe_2, McuDef_U_min, McuDef_U_max, McuLock_U_min,
    McuLock_U_max, McuDef_V_min, McuDef_V_max, McuLock_V_min, McuLock_V_max,
};

static_assert(layout::TilesExactly(kAllPlaces, kSize), "calibration block places must tile the block without gaps");
static_assert(Apc.width == apc::kCount * kApcSize && ApcRfOut + 1 == kApcSize);
static_assert(Sq.width == SQ.width && Batt_Tbl.width == cal::Batt_Tbl.width);
// The squelch and VOX anchors travel as bytes 1, 5 and 9 of their tables.
static_assert(SqOpenTable.offset + 1 == 0x135 && SqOpenTable.offset + 5 == 0x139 && SqOpenTable.offset + 9 == 0x13D);
static_assert(VoxTable.offset + 1 == 0x149 && VoxTable.offset + 9 == 0x151);
} // namespace blk

} // namespace lt::cal
