#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <cstdint>

// The radio's fixed value tables: standard CTCSS tones, standard DCS numbers and
// the DCS code table, the 261-entry tone list of every tone box, the tuning
// steps and the VOX delays with their list texts.
namespace lt {

// Tone types of a (code, type) pair.
enum ToneType : uint8_t {
    kToneNone = 0,
    kToneCtcss = 1,
    kToneDcsNormal = 2,
    kToneDcsInverted = 3,
};

// A tone as stored: code and type.
struct Tone {
    uint16_t code = 0;
    uint8_t type = kToneNone;
    bool operator==(const Tone&) const = default;
};

// "None" as stored when typed; the defaults store code 0 instead. Both mean none.
inline constexpr uint16_t kToneCodeNone = 0xFFFF;
// DCS code = kDcsCodeBase + the octal DCS number (D023 -> 0x2813).
inline constexpr uint16_t kDcsCodeBase = 0x2800;

// The 50 standard CTCSS tones in list order, in tenths of a hertz (885 = 88.5 Hz).
inline constexpr std::array<uint16_t, 50> kCtcssTones = {
    670, 693, 719, 744, 770, 797, 825, 854, 885, 915,
    948, 974, 1000, 1035, 1072, 1109, 1148, 1188, 1230, 1273,
    1318, 1365, 1413, 1462, 1514, 1567, 1598, 1622, 1655, 1679,
    1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966, 1995,
    2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541,
};

// The 105 standard DCS numbers in list order; the values are the octal numbers
// (023 is octal 23 = 19).
inline constexpr std::array<uint16_t, 105> kDcsNumbers = {
    023, 025, 026, 031, 032, 036, 043, 047, 051, 053, 054, 065, 071, 072, 073,
    074, 0114, 0115, 0116, 0122, 0125, 0131, 0132, 0134, 0143, 0145, 0152, 0155, 0156, 0162,
    0165, 0172, 0174, 0205, 0212, 0223, 0225, 0226, 0243, 0244, 0245, 0246, 0251, 0252, 0255,
    0261, 0263, 0265, 0266, 0271, 0274, 0306, 0311, 0315, 0325, 0331, 0332, 0343, 0346, 0351,
    0356, 0364, 0365, 0371, 0411, 0412, 0413, 0423, 0431, 0432, 0445, 0446, 0452, 0454, 0455,
    0462, 0464, 0465, 0466, 0503, 0506, 0516, 0523, 0526, 0532, 0546, 0565, 0606, 0612, 0624,
    0627, 0631, 0632, 0645, 0654, 0662, 0664, 0703, 0712, 0723, 0731, 0732, 0734, 0743, 0754,
};

// The DCS code table: the 105 codes (kDcsCodeBase + number) for the normal list
// followed by the same 105 codes for the inverted list.
inline constexpr std::array<uint16_t, 210> kDcsCodeTable = [] {
    std::array<uint16_t, 210> table{};
    for (std::size_t i = 0; i < kDcsNumbers.size(); ++i) {
        table[i] = static_cast<uint16_t>(kDcsCodeBase + kDcsNumbers[i]);
        table[i + kDcsNumbers.size()] = table[i];
    }
    return table;
}();

static_assert(kDcsCodeTable[0] == 0x2813 && kDcsCodeTable[0] == 10259);
static_assert(kDcsCodeTable[105] == 10259 && kDcsCodeTable[209] == kDcsCodeBase + 0754);

// Tone list: "Off", the 50 CTCSS tones ("67.0" ... "254.1"), "D023N" ... "D754N",
// "D023I" ... "D754I". The same in every language.
inline constexpr int kToneListSize = 1 + 50 + 105 + 105;
static_assert(kToneListSize == 261);
const QStringList& ToneList();
// The tone of tone-list entry i (0 <= i < 261): entry 0 is none (0xFFFF, 0).
Tone ToneListEntry(int index);

// Tuning steps: list index -> Hz, list texts "2.5K" ... "50K".
inline constexpr std::array<uint32_t, 9> kSteps = {2500, 5000, 6250, 10000, 12500, 20000, 25000, 30000, 50000};
const QStringList& StepListTexts();
// List index of a step value, -1 when it is not in the table.
int StepIndex(uint32_t hz);

// VOX delays: list index -> ms, list texts "0.3" ... "3.0" (value / 1000, "%1.1f").
inline constexpr std::array<uint16_t, 6> kVoxDelays = {300, 500, 1000, 1500, 2000, 3000};
const QStringList& VoxDelayListTexts();
// List index of a VOX delay, -1 when it is not in the table.
int VoxDelayIndex(uint32_t ms);

} // namespace lt
