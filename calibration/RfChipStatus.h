#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace lt {

class CalibrationData;

// The radio's answer to the status request "1R": "YS", then the values of its
// RF chip. The radio sends up to 14 bytes after the tag; the reply counts as
// complete at 14 bytes in all, which already holds every value the program
// keeps.
namespace rfstatus {
inline constexpr uint8_t kRequest[] = {0x31, 0x52}; // "1R"
inline constexpr uint8_t kReplyTag[] = {0x59, 0x53}; // "YS"
inline constexpr std::size_t kTagSize = sizeof(kReplyTag);
inline constexpr std::size_t kReplyLength = 14;
inline constexpr std::size_t kKeptSize = 14; // bytes after the tag kept in the radio image

// Offsets in the bytes after the tag (reply byte n is at n - 2).
inline constexpr std::size_t CurBatt = 0;
inline constexpr std::size_t CurVox = 1;
inline constexpr std::size_t Rssi_db = 2;
inline constexpr std::size_t Noise_db = 3;
inline constexpr std::size_t CompareFlags = 4; // Modu_cmp, Rssi_cmp1, Noise_cmp1, Noise_cmp2
inline constexpr std::size_t Rssi_cmp3 = 6;    // bit 7
inline constexpr std::size_t Pkdet_cmp = 7;    // bit 7
inline constexpr std::size_t Modu_db = 9;
inline constexpr std::size_t OffsetHigh = 10;  // the one big-endian value
inline constexpr std::size_t OffsetLow = 11;
inline constexpr std::size_t kUsedSize = OffsetLow + 1;

inline constexpr uint8_t kModuCmpBit = 7;
inline constexpr uint8_t kRssiCmp1Bit = 5;
inline constexpr uint8_t kNoiseCmp1Bit = 3;
inline constexpr uint8_t kNoiseCmp2Bit = 2;
inline constexpr uint8_t kTopBit = 7;

static_assert(kTagSize + kUsedSize == kReplyLength);
static_assert(kUsedSize <= kKeptSize);
} // namespace rfstatus

// Stores the values of an accepted status reply (the bytes after "YS") in the
// status fields; Pkdet_rssi is not in the reply and keeps its value.
void Set1846StatucData(CalibrationData& data, std::span<const uint8_t, rfstatus::kUsedSize> status);

} // namespace lt
