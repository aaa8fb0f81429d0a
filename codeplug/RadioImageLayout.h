#pragma once

#include "codeplug/CodeplugLayout.h"

#include <cstddef>
#include <cstdint>

// Where the codeplug lives in the radio's 64 KiB address space. Every address
// the packing code uses is named here; the static_asserts prove that the places
// of each area are in address order, do not overlap and stay inside their area,
// and that every number setting has the width of its codeplug field.
namespace lt::ri {

// A run of bytes in the radio image.
struct Place {
    uint16_t address;
    uint16_t width;
    constexpr uint32_t end() const { return uint32_t{address} + width; }
};

struct Area {
    uint16_t first;
    uint16_t last; // inclusive
};

// --- channel-used map -----------------------------------------------------------
inline constexpr Place ChannelUsedMap{0x0000, 32};
static_assert(ChannelUsedMap.width == cp::ChannelUsedMap.width);

// --- channel slots ----------------------------------------------------------------
inline constexpr Area kChannelArea{0x1000, 0x8FFF};
inline constexpr uint16_t kSectorSize = 0x1000;
inline constexpr int kSlotsPerSector = 31;

namespace slot {
inline constexpr std::size_t kSize = 26;
inline constexpr std::size_t RxFreq = 0;      // u32
inline constexpr std::size_t TxFreq = 4;      // u32
inline constexpr std::size_t RxToneCode = 8;  // u16
inline constexpr std::size_t TxToneCode = 10; // u16
inline constexpr std::size_t Signalling = 12;
inline constexpr std::size_t Option = 13;
inline constexpr std::size_t Scrambler = 14;
inline constexpr std::size_t ToneByte = 15;   // offset direction, tone types in bits 4-5 and 6-7
inline constexpr std::size_t kHeadSize = 16;  // what a frequency-mode side carries
inline constexpr std::size_t ChName = 16;
inline constexpr std::size_t kNameSize = 10;
static_assert(TxFreq == RxFreq + 4 && RxToneCode == TxFreq + 4 && TxToneCode == RxToneCode + 2);
static_assert(Signalling == TxToneCode + 2 && Option == Signalling + 1 && Scrambler == Option + 1);
static_assert(ToneByte == Scrambler + 1 && kHeadSize == ToneByte + 1 && ChName == kHeadSize);
static_assert(ChName + kNameSize == kSize && kNameSize == cp::ch::kNameSize);
inline constexpr int kRxToneTypeShift = 4;
inline constexpr int kTxToneTypeShift = 6;
} // namespace slot

} // namespace lt::ri

namespace lt {

// Channel n (1..240): 31 slots per 4 KiB sector; position 0 of the first
// sector would be channel 0.
constexpr uint16_t ChannelSlotAddress(int n)
{
    return static_cast<uint16_t>(ri::kChannelArea.first + (n / ri::kSlotsPerSector) * ri::kSectorSize
                                 + (n % ri::kSlotsPerSector) * ri::slot::kSize);
}

static_assert(ChannelSlotAddress(1) == 0x101A);
static_assert(ChannelSlotAddress(30) == 0x130C);
static_assert(ChannelSlotAddress(31) == 0x2000);
static_assert(ChannelSlotAddress(240) == 0x8256);
static_assert(ri::kSlotsPerSector * ri::slot::kSize <= ri::kSectorSize);
static_assert(ChannelSlotAddress(cp::kChannelCount) + ri::slot::kSize - 1 <= ri::kChannelArea.last);

} // namespace lt

namespace lt::ri {

// --- frequency-mode area ------------------------------------------------------------
inline constexpr Area kFreqModeArea{0xA000, 0xA05F};
inline constexpr Place VfoA{0xA000, slot::kHeadSize};
inline constexpr Place Fr_Offset_A{0xA01A, 4};
inline constexpr Place MODE_A{0xA01E, 1};
inline constexpr Place Step_A{0xA01F, 4};
inline constexpr Place VfoB{0xA030, slot::kHeadSize};
inline constexpr Place Fr_Offset_B{0xA04A, 4};
inline constexpr Place MODE_B{0xA04E, 1};
inline constexpr Place Step_B{0xA04F, 4};

inline constexpr Place kFreqModePlaces[] = {VfoA, Fr_Offset_A, MODE_A, Step_A, VfoB, Fr_Offset_B, MODE_B, Step_B};

// --- settings area --------------------------------------------------------------------
inline constexpr Area kSettingsArea{0xB000, 0xB0A9};
// Year high byte, year low byte, month, day, hour, minute.
inline constexpr Place WriteTime{0xB000, 6};
inline constexpr Place PowerOnMsg{0xB006, 8};
inline constexpr Place TOT{0xB00E, 2};
inline constexpr Place TOA{0xB010, 1};
inline constexpr Place SCAN{0xB011, 1};
inline constexpr Place PriScan{0xB012, 2};
inline constexpr Place BackLight{0xB014, 1};
inline constexpr Place KeyLock{0xB015, 1};
inline constexpr Place APO{0xB016, 2};
inline constexpr Place Beep{0xB018, 1};
inline constexpr Place Saving_Rate{0xB019, 1};
inline constexpr Place FMR{0xB01A, 1};
inline constexpr Place SQL{0xB01B, 1};
inline constexpr Place VOX{0xB01C, 1};
inline constexpr Place VOX_DELAY{0xB01D, 2};
inline constexpr Place NAM{0xB01F, 1};
inline constexpr Place DoubleWatch{0xB021, 1};
inline constexpr Place AlarmMode{0xB023, 1};
inline constexpr Place WorkModeLock{0xB025, 1};
inline constexpr Place MenuDisp{0xB026, 1};
inline constexpr Place Screensaver{0xB02E, 1};
inline constexpr Place Language{0xB030, 1};
inline constexpr Place WaitColor{0xB031, 1};
inline constexpr Place TxColor{0xB032, 1};
inline constexpr Place RxColor{0xB033, 1};
inline constexpr Place Cal{0xB034, 1};
// The radio shows the first eight bytes of the second power-on text from here.
inline constexpr Place PowerOnMsg2Head{0xB038, 8};
inline constexpr Place HuHao{0xB040, 8};
inline constexpr Place VBandMin{0xB048, 4};
inline constexpr Place VBandMax{0xB04C, 4};
inline constexpr Place UBandMin{0xB050, 4};
inline constexpr Place UBandMax{0xB054, 4};
inline constexpr Place D_SideTone{0xB060, 1};
inline constexpr Place D_DigitSpeed{0xB061, 1};
inline constexpr Place D_PauseDuration{0xB062, 1};
inline constexpr Place D_FirstDelay{0xB063, 2};
inline constexpr Place D_Pretime{0xB065, 2};
inline constexpr Place D_Mi_Jing_Delay{0xB067, 2};
inline constexpr Place D_EncodeMode{0xB069, 1};
inline constexpr Place AniCodes{0xB07A, 10};
inline constexpr Place AniCount{0xB084, 1};
inline constexpr Place TxRxLampLcd{0xB085, 1};
inline constexpr Place ROG{0xB086, 1};
inline constexpr Place PowerOnMsg2{0xB08C, 20};
inline constexpr Place MEM{0xB0A4, 2};
inline constexpr Place LockSingleFreq{0xB0A6, 1};
inline constexpr Place Mic_SW{0xB0A7, 1};
inline constexpr Place Mic_Denoise{0xB0A8, 1};
inline constexpr Place WatchMode{0xB0A9, 1};

inline constexpr Place kSettingsPlaces[] = {
    WriteTime, PowerOnMsg, TOT, TOA, SCAN, PriScan, BackLight, KeyLock, APO, Beep,
    Saving_Rate, FMR, SQL, VOX, VOX_DELAY, NAM, DoubleWatch, AlarmMode, WorkModeLock, MenuDisp,
    Screensaver, Language, WaitColor, TxColor, RxColor, Cal, PowerOnMsg2Head, HuHao,
    VBandMin, VBandMax, UBandMin, UBandMax, D_SideTone, D_DigitSpeed, D_PauseDuration,
    D_FirstDelay, D_Pretime, D_Mi_Jing_Delay, D_EncodeMode, AniCodes, AniCount, TxRxLampLcd,
    ROG, PowerOnMsg2, MEM, LockSingleFreq, Mic_SW, Mic_Denoise, WatchMode,
};

// --- password record ----------------------------------------------------------------
inline constexpr Place PasswordRecordPlace{0xC000, 16};

// A number field of the codeplug and its place in the image, copied as it is.
struct NumberPlace {
    Place place;
    cp::Field field;
};

inline constexpr NumberPlace kFreqModeNumbers[] = {
    {Fr_Offset_A, cp::Fr_Offset_A}, {MODE_A, cp::MODE_A}, {Step_A, cp::Step_A},
    {Fr_Offset_B, cp::Fr_Offset_B}, {MODE_B, cp::MODE_B}, {Step_B, cp::Step_B},
};

inline constexpr NumberPlace kSettingNumbers[] = {
    {TOT, cp::TOT}, {TOA, cp::TOA}, {SCAN, cp::SCAN}, {PriScan, cp::PriScan},
    {BackLight, cp::BackLight}, {KeyLock, cp::KeyLock}, {APO, cp::APO}, {Beep, cp::Beep},
    {Saving_Rate, cp::Saving_Rate}, {FMR, cp::FMR}, {SQL, cp::SQL}, {VOX, cp::VOX},
    {VOX_DELAY, cp::VOX_DELAY}, {NAM, cp::NAM}, {DoubleWatch, cp::DoubleWatch},
    {AlarmMode, cp::AlarmMode}, {WorkModeLock, cp::WorkModeLock}, {MenuDisp, cp::MenuDisp},
    {Screensaver, cp::Screensaver}, {Language, cp::Language}, {WaitColor, cp::WaitColor},
    {TxColor, cp::TxColor}, {RxColor, cp::RxColor}, {Cal, cp::Cal},
    {D_SideTone, cp::D_SideTone}, {D_DigitSpeed, cp::D_DigitSpeed},
    {D_PauseDuration, cp::D_PauseDuration}, {D_FirstDelay, cp::D_FirstDelay},
    {D_Pretime, cp::D_Pretime}, {D_Mi_Jing_Delay, cp::D_Mi_Jing_Delay},
    {D_EncodeMode, cp::D_EncodeMode}, {TxRxLampLcd, cp::TxRxLampLcd}, {ROG, cp::ROG},
    {MEM, cp::MEM}, {LockSingleFreq, cp::LockSingleFreq}, {Mic_SW, cp::Mic_SW},
    {Mic_Denoise, cp::Mic_Denoise}, {WatchMode, cp::WatchMode},
};

// Codeplug text fields and their places: the image holds the first bytes of
// the text; the model's field is one byte longer, so it always stays terminated.
static_assert(PowerOnMsg.width + 1 == cp::PowerOnMsg.width);
static_assert(HuHao.width + 1 == cp::HuHao.width);
static_assert(PowerOnMsg2.width + 1 == cp::PowerOnMsg2.width);
static_assert(PowerOnMsg2Head.width <= PowerOnMsg2.width);
static_assert(AniCodes.width + AniCount.width == cp::ANI.width);

template <std::size_t N>
constexpr bool placesTileInOrder(const Place (&places)[N], Area area)
{
    uint32_t next = area.first;
    for (const Place& p : places) {
        if (p.address < next || p.width == 0)
            return false;
        next = p.end();
    }
    return next <= uint32_t{area.last} + 1;
}

template <std::size_t N>
constexpr bool numbersFitTheirFields(const NumberPlace (&numbers)[N], Area area)
{
    for (const NumberPlace& n : numbers) {
        if (n.field.kind != cp::FieldKind::Number || n.place.width != n.field.width)
            return false;
        if (n.place.address < area.first || n.place.end() > uint32_t{area.last} + 1)
            return false;
    }
    return true;
}

static_assert(placesTileInOrder(kFreqModePlaces, kFreqModeArea));
static_assert(placesTileInOrder(kSettingsPlaces, kSettingsArea));
static_assert(WatchMode.end() == uint32_t{kSettingsArea.last} + 1);
static_assert(numbersFitTheirFields(kFreqModeNumbers, kFreqModeArea));
static_assert(numbersFitTheirFields(kSettingNumbers, kSettingsArea));
static_assert(std::size(kSettingNumbers) + 11 == std::size(kSettingsPlaces),
              "every settings place but the time, the texts, the band limits and ANI is a number");
static_assert(ChannelUsedMap.end() <= kChannelArea.first && kChannelArea.last < kFreqModeArea.first);
static_assert(kFreqModeArea.last < kSettingsArea.first && kSettingsArea.last < PasswordRecordPlace.address);

} // namespace lt::ri
