#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace lt {

// The radio's side of a data download: a 301-byte frame carries one 261-byte
// packet in 7-bit groups, so that the markers 0x03 and 0x04 never occur inside.
inline constexpr std::size_t kDownloadFrameSize = 301;
inline constexpr std::size_t kDownloadPacketSize = 261;
inline constexpr std::size_t kDownloadPageSize = 256;
inline constexpr uint8_t kDownloadFrameStart = 0x03;
inline constexpr uint8_t kDownloadFrameEnd = 0x04;

// Packet layout: file-chosen flag, page number (LE 16), page data, sum (LE 16).
inline constexpr std::size_t kPacketPageOffset = 1;
inline constexpr std::size_t kPacketDataOffset = 3;
inline constexpr std::size_t kPacketSumOffset = kPacketDataOffset + kDownloadPageSize;
static_assert(kPacketSumOffset + 2 == kDownloadPacketSize);

using DownloadPacket = std::array<uint8_t, kDownloadPacketSize>;

// The packet a frame carries, or nothing when the markers, the top bits or the
// 16-bit sum are wrong.
std::optional<DownloadPacket> DecodeDownloadFrame(std::span<const uint8_t> frame);

} // namespace lt
