#include "transfer/DownloadFrame.h"

#include "codeplug/LittleEndian.h"

#include <algorithm>

namespace lt::dl {

uint16_t PageNumber(int32_t dataOffset, int32_t blockIndex)
{
    return static_cast<uint16_t>(static_cast<uint32_t>(dataOffset / static_cast<int32_t>(kPageSize))
                                 + static_cast<uint32_t>(blockIndex));
}

void SealPacket(DownloadPacket& packet)
{
    uint16_t sum = 0;
    for (std::size_t i = 0; i < kPacketSum; ++i)
        sum = static_cast<uint16_t>(sum + packet[i]);
    le::put16(packet.data() + kPacketSum, sum);
}

DownloadFrame EncodeDownloadFrame(const DownloadPacket& packet)
{
    DownloadFrame frame{};
    std::size_t out = 0;
    frame[out++] = kFrameStart;
    for (std::size_t in = 0; in < kPacketSize; in += kGroupBytes) {
        const std::size_t count = std::min(kGroupBytes, kPacketSize - in);
        uint8_t flag = kTopBit;
        for (std::size_t k = 0; k < count; ++k) {
            const uint8_t byte = packet[in + k];
            flag = static_cast<uint8_t>(flag | ((byte >> 7) << k));
            frame[out++] = static_cast<uint8_t>(byte | kTopBit);
        }
        frame[out++] = flag;
    }
    frame[out++] = kFrameEnd;
    return frame;
}

} // namespace lt::dl
