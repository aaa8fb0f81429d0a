#pragma once

#include <cstddef>
#include <cstdint>

// The one place where multi-byte values of the codeplug block, the radio image,
// the calibration block and their files are read and written: always
// little-endian, at any (also odd) offset.
namespace lt::le {

inline uint32_t get(const uint8_t* p, std::size_t width)
{
    uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | p[i];
    return value;
}

inline void put(uint8_t* p, std::size_t width, uint32_t value)
{
    for (std::size_t i = 0; i < width; ++i) {
        p[i] = static_cast<uint8_t>(value & 0xFF);
        value >>= 8;
    }
}

inline uint16_t get16(const uint8_t* p) { return static_cast<uint16_t>(get(p, 2)); }
inline uint32_t get32(const uint8_t* p) { return get(p, 4); }
inline void put16(uint8_t* p, uint16_t value) { put(p, 2, value); }
inline void put32(uint8_t* p, uint32_t value) { put(p, 4, value); }

} // namespace lt::le
