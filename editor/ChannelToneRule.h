#pragma once

#include "codeplug/CodeplugModel.h"
#include "codeplug/ToneTables.h"

#include <optional>

namespace lt {

// Channel squelch modes (Ch_SquelchMode).
enum ChannelSquelchMode : uint8_t {
    kSquelchCarrier = 0,
    kSquelchDtmf = 1,
    kSquelchTone = 2,
    kSquelchDtmfAndTone = 3,
    kSquelchDtmfOrTone = 4,
};

// A decode tone typed for a memory channel. A rejected text (nullopt) keeps the
// decode tone; either way the decode tone is copied over the encode tone, since
// a channel normally answers on the tone it listens for. Switching the decode
// tone on or off moves the squelch mode along: carrier squelch becomes tone
// squelch, and a channel left without a decode tone falls back to DTMF squelch
// (when it uses DTMF and needed DTMF before) or to carrier squelch.
void SetChannelDecodeTone(ChannelRecord channel, const std::optional<Tone>& tone);

// An encode tone typed for a memory channel; a rejected text keeps the old
// one. The squelch mode is left alone.
void SetChannelEncodeTone(ChannelRecord channel, const std::optional<Tone>& tone);

} // namespace lt
