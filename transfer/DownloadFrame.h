#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The data download's wire form. One DownloadPacket carries one 256-byte page
// of the file; it travels as a DownloadFrame in which every byte between the
// start and end markers has its top bit set, so the radio can find the markers.
namespace lt::dl {

inline constexpr std::array<uint8_t, 8> kLinkRequest{'P', 'R', 'O', 'C', 'O', 'D', 'E', 0xFF};

inline constexpr std::size_t kPageSize = 256;
inline constexpr std::size_t kPacketSize = 261;
inline constexpr std::size_t kFrameSize = 301;

// Packet layout: file-chosen flag, page number (LE 16), page data, sum (LE 16).
inline constexpr std::size_t kPacketFlag = 0;
inline constexpr std::size_t kPacketPage = 1;
inline constexpr std::size_t kPacketData = 3;
inline constexpr std::size_t kPacketSum = kPacketData + kPageSize;
static_assert(kPacketSum == 259 && kPacketSum + 2 == kPacketSize);

inline constexpr uint8_t kFrameStart = 0x03;
inline constexpr uint8_t kFrameEnd = 0x04;
inline constexpr uint8_t kTopBit = 0x80;
inline constexpr std::size_t kGroupBytes = 7;
inline constexpr std::size_t kContentGroups = kPacketSum / kGroupBytes;
static_assert(kContentGroups == 37 && kContentGroups * kGroupBytes == kPacketSum);
// Start marker, 37 full groups and the sum group, each with its flag byte, end marker.
static_assert(1 + kContentGroups * (kGroupBytes + 1) + (2 + 1) + 1 == kFrameSize);

using DownloadPacket = std::array<uint8_t, kPacketSize>;
using DownloadFrame = std::array<uint8_t, kFrameSize>;

// Page number of block blockIndex for a download at byte offset dataOffset of
// the radio's data memory; it wraps at 16 bits.
uint16_t PageNumber(int32_t dataOffset, int32_t blockIndex);

// Writes the 16-bit sum of bytes 0..258 into bytes 259..260.
void SealPacket(DownloadPacket& packet);

DownloadFrame EncodeDownloadFrame(const DownloadPacket& packet);

} // namespace lt::dl
