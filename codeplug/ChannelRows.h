#pragma once

#include "codeplug/CodeplugLayout.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lt {

class CodeplugModel;

// A memory channel as the row operations move it: its 76 record bytes and its
// used bit, always together. A channel that is not in use keeps its old bytes
// behind its clear bit, so they travel with it too.
struct ChannelSlot {
    std::array<uint8_t, cp::ch::kSize> record{};
    bool used = false;
    bool operator==(const ChannelSlot&) const = default;
};

ChannelSlot TakeChannel(const CodeplugModel& model, int n);
void PutChannel(CodeplugModel& model, int n, const ChannelSlot& slot);

// The row operations of the channel grid and the command-line tool. Channel
// lists hold numbers 1..240; the operations sort them and ignore repeats and
// numbers outside that range.

// The channels, in channel order.
std::vector<ChannelSlot> CopyChannels(const CodeplugModel& model, const std::vector<int>& channels);
// Puts the channels taken into the channels from at on. Refused (false, nothing
// changed) when they would run past channel 240.
bool PasteChannels(CodeplugModel& model, int at, const std::vector<ChannelSlot>& taken);
// The channels are no longer in use; their bytes stay, as when the grid's
// receive frequency is emptied.
void ClearChannels(CodeplugModel& model, const std::vector<int>& channels);
// Channels at..239 move down one and at becomes an empty channel. Refused
// (false, nothing changed) when channel 240 is in use.
bool InsertEmptyChannel(CodeplugModel& model, int at);
// The channels go; those below move up and empty channels fill the end.
void RemoveChannels(CodeplugModel& model, const std::vector<int>& channels);
// The channels move up (by -1) or down (by +1) one row; the channel each
// block of them passes takes the place they leave. Refused (false, nothing
// changed) when one of them would leave 1..240.
bool MoveChannels(CodeplugModel& model, const std::vector<int>& channels, int by);
// Channel from goes to the place of channel to; the channels between move one
// place towards from. Refused (false, nothing changed) outside 1..240.
bool MoveChannelTo(CodeplugModel& model, int from, int to);

enum class SortKey { Frequency, Name };
// Sorts the channels of the list among their places (every channel when the
// list is empty): those in use by receive frequency, or by name (case does not
// count, unnamed after named), each keeping all its fields; those not in use
// go to the end. Channels that compare equal keep their order.
void SortChannels(CodeplugModel& model, SortKey key, const std::vector<int>& channels = {});

} // namespace lt
