#pragma once

#include <cstddef>
#include <cstdint>

// What every byte layout of the program (the codeplug block, the calibration
// data and block) is made of, and the compile-time checks that its list of
// fields describes it exactly.
namespace lt::layout {

// One named stretch of a layout. Kind says how its bytes are read.
template <class Kind>
struct Field {
    uint16_t offset;
    uint16_t width;
    Kind kind;
    const char* name;
};

// True when the entries lie back to back from offset 0 and end at size.
template <class Entry, std::size_t N>
constexpr bool TilesExactly(const Entry (&entries)[N], std::size_t size)
{
    std::size_t next = 0;
    for (const Entry& entry : entries) {
        if (entry.offset != next)
            return false;
        next += entry.width;
    }
    return next == size;
}

// True when every entry of the given kind is a 1-, 2- or 4-byte integer.
template <class Entry, std::size_t N, class Kind>
constexpr bool NumbersAreIntegers(const Entry (&entries)[N], Kind number)
{
    for (const Entry& entry : entries)
        if (entry.kind == number && entry.width != 1 && entry.width != 2 && entry.width != 4)
            return false;
    return true;
}

} // namespace lt::layout
