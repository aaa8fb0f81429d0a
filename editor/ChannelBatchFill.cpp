#include "editor/ChannelBatchFill.h"

#include "codeplug/ValueEncodings.h"

#include <algorithm>

namespace lt {

namespace {

constexpr int kFirstChannel = 1;
constexpr int kLastChannel = 240;

bool inBandGap(uint32_t hz, const BandLimits& bands)
{
    return hz > bands.VBandMax && hz < bands.UBandMin;
}

} // namespace

bool FillChannels(CodeplugModel& model, const ChannelBatch& batch)
{
    const int start = std::max(batch.startChannel, kFirstChannel);
    const int end = std::min(batch.endChannel, kLastChannel);
    if (start > end)
        return false;

    const BandLimits& bands = model.bands;
    uint32_t offset = 0;
    for (int n = start; n <= end; ++n) {
        model.SetChannelUsed(n, true);
        ChannelRecord channel = model.channel(n);

        uint32_t rx = batch.rxStart + offset;
        if (inBandGap(rx, bands)) {
            rx = bands.UBandMin;
            offset = bands.UBandMin - batch.rxStart;
        }
        channel.setRxFreq(ClampToBands(rx, bands));

        uint32_t tx = batch.txStart + offset;
        if (inBandGap(tx, bands))
            tx = bands.UBandMin;
        channel.setTxFreq(ClampToBands(tx, bands));

        channel.setRxTone(batch.decodeTone.code, batch.decodeTone.type);
        channel.setTxTone(batch.encodeTone.code, batch.encodeTone.type);

        channel.setSignalling(0);
        channel.setOption(0);
        channel.setScrambler(0);
        channel.setToneByte(0);
        channel.setChInfor_Bandwidth(static_cast<uint8_t>(batch.bandwidth & 1));
        channel.setChInfor_Pow(static_cast<uint8_t>(batch.power & 1));
        channel.setChInfor_SCN(static_cast<uint8_t>(batch.scan & 1));
        channel.setChInfor_BusyFit(static_cast<uint8_t>(batch.busyLock & 3));

        offset += batch.step;
    }
    return true;
}

} // namespace lt
