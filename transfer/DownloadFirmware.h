#pragma once

#include <array>
#include <cstdint>

// The main-chip firmware update's wire form: the file goes in plain blocks of
// 160 bytes, then two end commands make the radio take the new firmware.
namespace lt::fw {

inline constexpr int32_t kBlockSize = 160;

inline constexpr std::array<uint8_t, 8> kLinkRequest{'S', 'R', 'O', 'A', 'P', 'P', 0x01, 0xFF};
// The first is acknowledged with 0x06; after the second the radio restarts
// and says nothing more.
inline constexpr std::array<uint8_t, 8> kEndFirst{'S', 0x22, 0xDD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
inline constexpr std::array<uint8_t, 8> kEndSecond{'S', 0x21, 0xDE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

} // namespace lt::fw
