#include "emulator/DownloadFrameDecoder.h"

#include "codeplug/LittleEndian.h"

namespace lt {

namespace {

constexpr std::size_t kGroupBytes = 7;
constexpr std::size_t kFullGroups = (kPacketSumOffset + kGroupBytes - 1) / kGroupBytes;
static_assert(kFullGroups * kGroupBytes == kPacketSumOffset);
// Start marker, the full groups and the sum group each with their flag byte, end marker.
static_assert(1 + kFullGroups * (kGroupBytes + 1) + (2 + 1) + 1 == kDownloadFrameSize);

} // namespace

std::optional<DownloadPacket> DecodeDownloadFrame(std::span<const uint8_t> frame)
{
    if (frame.size() != kDownloadFrameSize || frame.front() != kDownloadFrameStart || frame.back() != kDownloadFrameEnd)
        return std::nullopt;

    DownloadPacket packet{};
    std::size_t in = 1;
    std::size_t out = 0;
    while (out < kDownloadPacketSize) {
        const std::size_t count = std::min(kGroupBytes, kDownloadPacketSize - out);
        const uint8_t flag = frame[in + count];
        if (!(flag & 0x80))
            return std::nullopt;
        for (std::size_t k = 0; k < count; ++k) {
            const uint8_t byte = frame[in + k];
            if (!(byte & 0x80))
                return std::nullopt;
            packet[out++] = static_cast<uint8_t>((byte & 0x7F) | (((flag >> k) & 1) << 7));
        }
        in += count + 1;
    }

    uint16_t sum = 0;
    for (std::size_t i = 0; i < kPacketSumOffset; ++i)
        sum = static_cast<uint16_t>(sum + packet[i]);
    if (sum != le::get16(packet.data() + kPacketSumOffset))
        return std::nullopt;
    return packet;
}

} // namespace lt
