#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace lt {

// The program's mirror of the radio's 64 KiB address space: offsets equal radio
// addresses. Every block sent to or received from the radio passes through it;
// the service operations also use it as scratch space between transfers.
struct RadioImage {
    static constexpr std::size_t kSize = 65536;
    std::array<uint8_t, kSize> bytes{};

    uint8_t* at(std::size_t address) { return bytes.data() + address; }
    const uint8_t* at(std::size_t address) const { return bytes.data() + address; }
};

} // namespace lt
