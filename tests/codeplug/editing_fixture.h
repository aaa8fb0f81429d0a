#pragma once

#include "codeplug/ChannelRows.h"
#include "codeplug/CodeplugModel.h"
#include "emulator/SampleCodeplug.h"

#include <algorithm>
#include <vector>

namespace lt::test {

using Block = std::vector<uint8_t>;

inline Block BytesOf(const CodeplugModel& model)
{
    return {model.block().begin(), model.block().end()};
}

// The 240 channels as channels, for working out by hand what a row operation
// should leave.
using Slots = std::vector<ChannelSlot>;

inline Slots SlotsOf(const CodeplugModel& model)
{
    Slots channels;
    for (int n = 1; n <= cp::kChannelCount; ++n)
        channels.push_back(TakeChannel(model, n));
    return channels;
}

// The model's bytes with its channels replaced by channels.
inline Block WithSlots(const CodeplugModel& model, const Slots& channels)
{
    CodeplugModel copy = model;
    for (int n = 1; n <= cp::kChannelCount; ++n)
        PutChannel(copy, n, channels[static_cast<std::size_t>(n - 1)]);
    return BytesOf(copy);
}

// The sample codeplug with channels 200..240 out of use (their old bytes
// stay behind the clear bits) and something in the reserved bytes of every
// record, so that moved records show whether they kept every byte.
inline void FillEditingCodeplug(CodeplugModel& model)
{
    FillSampleCodeplug(model);
    for (int n = 1; n <= cp::kChannelCount; ++n)
        model.channel(n).data()[cp::ch::Reserved_71] = static_cast<uint8_t>(n);
    for (int n = 200; n <= cp::kChannelCount; ++n)
        model.SetChannelUsed(n, false);
}

} // namespace lt::test
