#pragma once

#include "codeplug/ByteLayout.h"

#include <cstddef>
#include <cstdint>

// Byte layout of the codeplug block: the program's in-memory codeplug and, byte
// for byte, the codeplug file. Every field is listed once here, in block order,
// with its offset and width; the static_asserts below prove the list is packed
// without gaps and ends at the block size.
namespace lt::cp {

inline constexpr std::size_t kBlockSize = 20092;
inline constexpr int kChannelCount = 240;

enum class FieldKind : uint8_t {
    Number,   // unsigned little-endian integer of 1, 2 or 4 bytes
    Text,     // zero-filled byte string in the system code page
    Digits,   // 10 DTMF digit codes followed by a digit count
    Bytes,    // structured bytes (maps, records) read through their own helpers
    Reserved, // kept exactly as loaded
};

using Field = layout::Field<FieldKind>;

inline constexpr Field Reserved_0{0, 74, FieldKind::Reserved, "reserved"};
inline constexpr Field DeviceSn{74, 9, FieldKind::Text, "DeviceSn"};
inline constexpr Field EnteredPassword{83, 13, FieldKind::Text, "EnteredPassword"};
inline constexpr Field NewPassword{96, 13, FieldKind::Text, "NewPassword"};
inline constexpr Field Reserved_109{109, 13, FieldKind::Reserved, "reserved"};
inline constexpr Field AddrBookUsedMap{122, 3, FieldKind::Bytes, "AddrBookUsedMap"};
inline constexpr Field Reserved_125{125, 2, FieldKind::Reserved, "reserved"};
inline constexpr Field Reserved_127{127, 694, FieldKind::Reserved, "reserved"};
inline constexpr Field AddrBook{821, 323, FieldKind::Bytes, "AddrBook"};
inline constexpr Field Reserved_1144{1144, 220, FieldKind::Reserved, "reserved"};
inline constexpr Field Channels{1364, 18316, FieldKind::Bytes, "Channels"};
inline constexpr Field VfoA{19680, 76, FieldKind::Bytes, "VFO A"};
inline constexpr Field VfoB{19756, 76, FieldKind::Bytes, "VFO B"};
inline constexpr Field Fr_Offset_A{19832, 4, FieldKind::Number, "Fr_Offset_A"};
inline constexpr Field Fr_Offset_B{19836, 4, FieldKind::Number, "Fr_Offset_B"};
inline constexpr Field Voice{19840, 1, FieldKind::Number, "Voice"};
inline constexpr Field SQL{19841, 1, FieldKind::Number, "SQL"};
inline constexpr Field SquelchMode{19842, 1, FieldKind::Number, "SquelchMode"};
inline constexpr Field Reserved_19843{19843, 5, FieldKind::Reserved, "reserved"};
inline constexpr Field ROG{19848, 1, FieldKind::Number, "ROG"};
inline constexpr Field Cal{19849, 1, FieldKind::Number, "Cal"};
inline constexpr Field SubaudioTail{19850, 1, FieldKind::Number, "SubaudioTail"};
inline constexpr Field Step_A{19851, 4, FieldKind::Number, "Step_A"};
inline constexpr Field Step_B{19855, 4, FieldKind::Number, "Step_B"};
inline constexpr Field Reserved_19859{19859, 1, FieldKind::Reserved, "reserved"};
inline constexpr Field VoxCtrl{19860, 1, FieldKind::Number, "VoxCtrl"};
inline constexpr Field VOX{19861, 1, FieldKind::Number, "VOX"};
inline constexpr Field VOX_DELAY{19862, 2, FieldKind::Number, "VOX_DELAY"};
inline constexpr Field TOT{19864, 2, FieldKind::Number, "TOT"};
inline constexpr Field Reserved_19866{19866, 1, FieldKind::Reserved, "reserved"};
inline constexpr Field TOA{19867, 1, FieldKind::Number, "TOA"};
inline constexpr Field MEM{19868, 2, FieldKind::Number, "MEM"};
inline constexpr Field NAM{19870, 1, FieldKind::Number, "NAM"};
inline constexpr Field SCAN{19871, 1, FieldKind::Number, "SCAN"};
inline constexpr Field PriScan{19872, 2, FieldKind::Number, "PriScan"};
inline constexpr Field MODE_A{19874, 1, FieldKind::Number, "MODE_A"};
inline constexpr Field MODE_B{19875, 1, FieldKind::Number, "MODE_B"};
inline constexpr Field Reserved_19876{19876, 2, FieldKind::Reserved, "reserved"};
inline constexpr Field BackLight{19878, 1, FieldKind::Number, "BackLight"};
inline constexpr Field Beep{19879, 1, FieldKind::Number, "Beep"};
inline constexpr Field KeyLock{19880, 1, FieldKind::Number, "KeyLock"};
inline constexpr Field Saving{19881, 1, FieldKind::Number, "Saving"};
inline constexpr Field Saving_Rate{19882, 1, FieldKind::Number, "Saving_Rate"};
inline constexpr Field APO{19883, 2, FieldKind::Number, "APO"};
inline constexpr Field Reserved_19885{19885, 1, FieldKind::Reserved, "reserved"};
inline constexpr Field ChannelReport{19886, 1, FieldKind::Number, "ChannelReport"};
inline constexpr Field Reserved_19887{19887, 2, FieldKind::Reserved, "reserved"};
inline constexpr Field Screensaver{19889, 1, FieldKind::Number, "Screensaver"};
inline constexpr Field Reserved_19890{19890, 1, FieldKind::Reserved, "reserved"};
inline constexpr Field Hz1750_Ctrl{19891, 1, FieldKind::Number, "1750Hz_Ctrl"};
inline constexpr Field Hz1750{19892, 1, FieldKind::Number, "1750Hz"};
inline constexpr Field WatchMode{19893, 1, FieldKind::Number, "WatchMode"};
inline constexpr Field DoubleWatch{19894, 1, FieldKind::Number, "DoubleWatch"};
inline constexpr Field FMR{19895, 1, FieldKind::Number, "FMR"};
inline constexpr Field D_ID{19896, 2, FieldKind::Number, "D_ID"};
inline constexpr Field D_Group{19898, 1, FieldKind::Number, "D_Group"};
inline constexpr Field D_EncodeMode{19899, 1, FieldKind::Number, "D_EncodeMode"};
inline constexpr Field D_SideTone{19900, 1, FieldKind::Number, "D_SideTone"};
inline constexpr Field D_Control{19901, 1, FieldKind::Number, "D_Control"};
inline constexpr Field D_DigitSpeed{19902, 1, FieldKind::Number, "D_DigitSpeed"};
inline constexpr Field D_PauseDuration{19903, 1, FieldKind::Number, "D_PauseDuration"};
inline constexpr Field D_FirstDelay{19904, 2, FieldKind::Number, "D_FirstDelay"};
inline constexpr Field D_Pretime{19906, 2, FieldKind::Number, "D_Pretime"};
inline constexpr Field D_Mi_Jing_Delay{19908, 2, FieldKind::Number, "D_Mi_Jing_Delay"};
inline constexpr Field GroupCode{19910, 1, FieldKind::Number, "GroupCode"};
inline constexpr Field AutoReset{19911, 1, FieldKind::Number, "AutoReset"};
inline constexpr Field SendANI{19912, 1, FieldKind::Number, "SendANI"};
inline constexpr Field Reserved_19913{19913, 1, FieldKind::Reserved, "reserved"};
inline constexpr Field Dizzy{19914, 11, FieldKind::Digits, "Dizzy"};
inline constexpr Field Stun{19925, 11, FieldKind::Digits, "Stun"};
inline constexpr Field Activation{19936, 11, FieldKind::Digits, "Activation"};
inline constexpr Field Limited{19947, 1, FieldKind::Number, "Limited"};
inline constexpr Field DizzyState{19948, 1, FieldKind::Number, "DizzyState"};
inline constexpr Field PTT_ID{19949, 11, FieldKind::Digits, "PTT_ID"};
inline constexpr Field ANI{19960, 11, FieldKind::Digits, "ANI"};
inline constexpr Field Reserved_19971{19971, 5, FieldKind::Reserved, "reserved"};
inline constexpr Field Whisper{19976, 1, FieldKind::Number, "Whisper"};
inline constexpr Field Reserved_19977{19977, 8, FieldKind::Reserved, "reserved"};
inline constexpr Field WaitColor{19985, 1, FieldKind::Number, "WaitColor"};
inline constexpr Field TxColor{19986, 1, FieldKind::Number, "TxColor"};
inline constexpr Field RxColor{19987, 1, FieldKind::Number, "RxColor"};
inline constexpr Field AlarmMode{19988, 1, FieldKind::Number, "AlarmMode"};
inline constexpr Field RefuseAlarm{19989, 1, FieldKind::Number, "RefuseAlarm"};
inline constexpr Field Group{19990, 1, FieldKind::Number, "Group"};
inline constexpr Field CallRing{19991, 1, FieldKind::Number, "CallRing"};
inline constexpr Field DispMode{19992, 1, FieldKind::Number, "DispMode"};
inline constexpr Field PowerOnMsg{19993, 9, FieldKind::Text, "PowerOnMsg"};
inline constexpr Field AutoConnect{20002, 1, FieldKind::Number, "AutoConnect"};
inline constexpr Field AutoConnect_Pos{20003, 1, FieldKind::Number, "AutoConnect_Pos"};
inline constexpr Field MasterTxPeriod{20004, 1, FieldKind::Number, "MasterTxPeriod"};
inline constexpr Field SlaveTimeout{20005, 1, FieldKind::Number, "SlaveTimeout"};
inline constexpr Field SlaveAlarmPeriod{20006, 1, FieldKind::Number, "SlaveAlarmPeriod"};
inline constexpr Field PowerOnBeep{20007, 1, FieldKind::Number, "PowerOnBeep"};
inline constexpr Field Key_1_Short{20008, 1, FieldKind::Number, "Key_1_Short"};
inline constexpr Field Key_1_Long{20009, 1, FieldKind::Number, "Key_1_Long"};
inline constexpr Field Key_2_Short{20010, 1, FieldKind::Number, "Key_2_Short"};
inline constexpr Field Key_2_Long{20011, 1, FieldKind::Number, "Key_2_Long"};
inline constexpr Field SoftwareVersion{20012, 9, FieldKind::Text, "SoftwareVersion"};
inline constexpr Field WriteWithNewPD{20021, 1, FieldKind::Number, "WriteWithNewPD"};
inline constexpr Field MenuDisp{20022, 1, FieldKind::Number, "MenuDisp"};
inline constexpr Field WorkModeLock{20023, 1, FieldKind::Number, "WorkModeLock"};
inline constexpr Field ChannelUsedMap{20024, 32, FieldKind::Bytes, "ChannelUsedMap"};
inline constexpr Field Language{20056, 1, FieldKind::Number, "Language"};
inline constexpr Field SynClockWhenWrite{20057, 1, FieldKind::Number, "SynClockWhenWrite"};
inline constexpr Field PowerOnMsg2{20058, 21, FieldKind::Text, "PowerOnMsg2"};
inline constexpr Field HuHao{20079, 9, FieldKind::Text, "HuHao"};
inline constexpr Field TxRxLampLcd{20088, 1, FieldKind::Number, "TxRxLampLcd"};
inline constexpr Field LockSingleFreq{20089, 1, FieldKind::Number, "LockSingleFreq"};
inline constexpr Field Mic_SW{20090, 1, FieldKind::Number, "Mic_SW"};
inline constexpr Field Mic_Denoise{20091, 1, FieldKind::Number, "Mic_Denoise"};

inline constexpr Field kAllFields[] = {
    Reserved_0, DeviceSn, EnteredPassword, NewPassword,
    Reserved_109, AddrBookUsedMap, Reserved_125, Reserved_127,
    AddrBook, Reserved_1144, Channels, VfoA,
    VfoB, Fr_Offset_A, Fr_Offset_B, Voice,
    SQL, SquelchMode, Reserved_19843, ROG,
    Cal, SubaudioTail, Step_A, Step_B,
    Reserved_19859, VoxCtrl, VOX, VOX_DELAY,
    TOT, Reserved_19866, TOA, MEM,
    NAM, SCAN, PriScan, MODE_A,
    MODE_B, Reserved_19876, BackLight, Beep,
    KeyLock, Saving, Saving_Rate, APO,
    Reserved_19885, ChannelReport, Reserved_19887, Screensaver,
    Reserved_19890, Hz1750_Ctrl, Hz1750, WatchMode,
    DoubleWatch, FMR, D_ID, D_Group,
    D_EncodeMode, D_SideTone, D_Control, D_DigitSpeed,
    D_PauseDuration, D_FirstDelay, D_Pretime, D_Mi_Jing_Delay,
    GroupCode, AutoReset, SendANI, Reserved_19913,
    Dizzy, Stun, Activation, Limited,
    DizzyState, PTT_ID, ANI, Reserved_19971,
    Whisper, Reserved_19977, WaitColor, TxColor,
    RxColor, AlarmMode, RefuseAlarm, Group,
    CallRing, DispMode, PowerOnMsg, AutoConnect,
    AutoConnect_Pos, MasterTxPeriod, SlaveTimeout, SlaveAlarmPeriod,
    PowerOnBeep, Key_1_Short, Key_1_Long, Key_2_Short,
    Key_2_Long, SoftwareVersion, WriteWithNewPD, MenuDisp,
    WorkModeLock, ChannelUsedMap, Language, SynClockWhenWrite,
    PowerOnMsg2, HuHao, TxRxLampLcd, LockSingleFreq,
    Mic_SW, Mic_Denoise,
};

inline constexpr std::size_t kFieldCount = sizeof(kAllFields) / sizeof(kAllFields[0]);

static_assert(layout::TilesExactly(kAllFields, kBlockSize), "codeplug fields must tile the block without gaps");
static_assert(layout::NumbersAreIntegers(kAllFields, FieldKind::Number));
static_assert(kFieldCount == 110);

// One memory channel (and each VFO side): 76 bytes.
namespace ch {
inline constexpr std::size_t kSize = 76;
inline constexpr std::size_t RxFreq = 0;        // u32
inline constexpr std::size_t TxFreq = 14;       // u32
inline constexpr std::size_t RxToneCode = 28;   // u16
inline constexpr std::size_t RxToneType = 30;   // u8
inline constexpr std::size_t TxToneCode = 41;   // u16
inline constexpr std::size_t TxToneType = 43;   // u8
inline constexpr std::size_t Signalling = 57;   // squelch mode, busy lock-out
inline constexpr std::size_t Option = 58;       // DTMF, compander, special DCS, bandwidth, power, scan
inline constexpr std::size_t Scrambler = 59;    // scrambler 0..8
inline constexpr std::size_t ToneByte = 60;     // offset direction, copies of the tone types
inline constexpr std::size_t ChName = 61;       // 10 bytes
inline constexpr std::size_t kNameSize = 10;
inline constexpr std::size_t Reserved_71 = 71;  // 5 bytes
static_assert(TxFreq == RxFreq + 4 + 10);
static_assert(RxToneCode == TxFreq + 4 + 10);
static_assert(RxToneType == RxToneCode + 2);
static_assert(TxToneCode == RxToneType + 1 + 10);
static_assert(TxToneType == TxToneCode + 2);
static_assert(Signalling == TxToneType + 1 + 13);
static_assert(Option == Signalling + 1 && Scrambler == Option + 1 && ToneByte == Scrambler + 1);
static_assert(ChName == ToneByte + 1);
static_assert(Reserved_71 == ChName + kNameSize && Reserved_71 + 5 == kSize);
} // namespace ch

static_assert(Channels.width == (kChannelCount + 1) * ch::kSize);
static_assert(VfoA.width == ch::kSize && VfoB.width == ch::kSize);

// One address-book entry: 19 bytes, entries 0..16.
namespace addr {
inline constexpr std::size_t kSize = 19;
inline constexpr int kEntries = 17;
inline constexpr std::size_t Id = 0;        // 11 digit codes (10 used)
inline constexpr std::size_t IdCount = 11;  // digit count
inline constexpr std::size_t Name = 12;     // 6 bytes
inline constexpr std::size_t Spare = 18;
static_assert(Name + 6 == Spare && Spare + 1 == kSize);
} // namespace addr

static_assert(AddrBook.width == addr::kEntries * addr::kSize);

} // namespace lt::cp
