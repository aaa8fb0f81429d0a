#pragma once

#include "codeplug/CodeplugModel.h"
#include "codeplug/ToneTables.h"

#include <cstdint>

namespace lt {

// One run of the batch dialog: the channel range, the start frequencies and
// step in Hz, the two tones and the list indices of the four option boxes.
struct ChannelBatch {
    int startChannel = 1;
    int endChannel = 1;
    uint32_t rxStart = 0;
    uint32_t txStart = 0;
    uint32_t step = 0;
    Tone decodeTone{kToneCodeNone, kToneNone};
    Tone encodeTone{kToneCodeNone, kToneNone};
    int power = 1;
    int bandwidth = 1;
    int scan = 1;
    int busyLock = 0;
};

// Puts every channel of the range in use with frequencies growing by the step,
// the two tones and the four options; every other option goes off and the
// names stay. A run that reaches the gap between the bands continues from the
// bottom of the upper band. Returns false, changing nothing, when the start
// channel lies after the end channel.
bool FillChannels(CodeplugModel& model, const ChannelBatch& batch);

} // namespace lt
