#include "codeplug/ChannelRows.h"

#include "codeplug/CodeplugDump.h"
#include "codeplug/CodeplugModel.h"

#include <QString>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace lt {

namespace {

std::vector<int> validChannels(std::vector<int> channels)
{
    std::erase_if(channels, [](int n) { return n < 1 || n > cp::kChannelCount; });
    std::ranges::sort(channels);
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

void swapChannels(CodeplugModel& model, int a, int b)
{
    const ChannelSlot first = TakeChannel(model, a);
    PutChannel(model, a, TakeChannel(model, b));
    PutChannel(model, b, first);
}

QString nameOf(const ChannelSlot& slot)
{
    const auto* name = reinterpret_cast<const char*>(slot.record.data() + cp::ch::ChName);
    return DecodeGbk(QByteArray(name, static_cast<qsizetype>(strnlen(name, cp::ch::kNameSize))));
}

uint32_t rxFreqOf(ChannelSlot slot)
{
    return ChannelRecord(slot.record.data()).RxFreq();
}

} // namespace

ChannelSlot TakeChannel(const CodeplugModel& model, int n)
{
    ChannelSlot slot;
    std::memcpy(slot.record.data(), model.channel(n).data(), cp::ch::kSize);
    slot.used = model.IsChannelUsed(n);
    return slot;
}

void PutChannel(CodeplugModel& model, int n, const ChannelSlot& slot)
{
    std::memcpy(model.channel(n).data(), slot.record.data(), cp::ch::kSize);
    model.SetChannelUsed(n, slot.used);
}

std::vector<ChannelSlot> CopyChannels(const CodeplugModel& model, const std::vector<int>& channels)
{
    std::vector<ChannelSlot> taken;
    for (const int n : validChannels(channels))
        taken.push_back(TakeChannel(model, n));
    return taken;
}

bool PasteChannels(CodeplugModel& model, int at, const std::vector<ChannelSlot>& taken)
{
    if (at < 1 || at - 1 + static_cast<int>(taken.size()) > cp::kChannelCount)
        return false;
    for (std::size_t i = 0; i < taken.size(); ++i)
        PutChannel(model, at + static_cast<int>(i), taken[i]);
    return true;
}

void ClearChannels(CodeplugModel& model, const std::vector<int>& channels)
{
    for (const int n : validChannels(channels))
        model.SetChannelUsed(n, false);
}

bool InsertEmptyChannel(CodeplugModel& model, int at)
{
    if (at < 1 || at > cp::kChannelCount || model.IsChannelUsed(cp::kChannelCount))
        return false;
    for (int n = cp::kChannelCount; n > at; --n)
        PutChannel(model, n, TakeChannel(model, n - 1));
    PutChannel(model, at, ChannelSlot{});
    return true;
}

void RemoveChannels(CodeplugModel& model, const std::vector<int>& channels)
{
    const std::vector<int> removed = validChannels(channels);
    if (removed.empty())
        return;
    std::vector<ChannelSlot> kept;
    for (int n = removed.front(); n <= cp::kChannelCount; ++n)
        if (!std::ranges::binary_search(removed, n))
            kept.push_back(TakeChannel(model, n));
    kept.resize(static_cast<std::size_t>(cp::kChannelCount - removed.front() + 1));
    PasteChannels(model, removed.front(), kept);
}

bool MoveChannels(CodeplugModel& model, const std::vector<int>& channels, int by)
{
    const std::vector<int> moving = validChannels(channels);
    if (moving.empty() || (by != -1 && by != 1) || moving.front() + by < 1 || moving.back() + by > cp::kChannelCount)
        return false;
    // Each channel in turn swaps with its neighbour on the side it moves to,
    // so the neighbour of a block passes the whole block.
    if (by < 0) {
        for (const int n : moving)
            swapChannels(model, n, n - 1);
    } else {
        for (auto n = moving.rbegin(); n != moving.rend(); ++n)
            swapChannels(model, *n, *n + 1);
    }
    return true;
}

bool MoveChannelTo(CodeplugModel& model, int from, int to)
{
    if (from < 1 || from > cp::kChannelCount || to < 1 || to > cp::kChannelCount)
        return false;
    const int by = to < from ? -1 : 1;
    for (int n = from; n != to; n += by)
        swapChannels(model, n, n + by);
    return true;
}

void SortChannels(CodeplugModel& model, SortKey key, const std::vector<int>& channels)
{
    std::vector<int> places = validChannels(channels);
    if (channels.empty()) {
        places.resize(cp::kChannelCount);
        std::iota(places.begin(), places.end(), 1);
    }
    struct Entry {
        ChannelSlot slot;
        uint32_t frequency;
        QString name;
    };
    std::vector<Entry> entries;
    for (const int n : places) {
        const ChannelSlot slot = TakeChannel(model, n);
        entries.push_back({slot, rxFreqOf(slot), key == SortKey::Name ? nameOf(slot) : QString()});
    }
    std::ranges::stable_sort(entries, [key](const Entry& a, const Entry& b) {
        if (a.slot.used != b.slot.used)
            return a.slot.used;
        if (!a.slot.used)
            return false;
        if (key == SortKey::Frequency)
            return a.frequency < b.frequency;
        if (a.name.isEmpty() != b.name.isEmpty())
            return b.name.isEmpty();
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    for (std::size_t i = 0; i < places.size(); ++i)
        PutChannel(model, places[i], entries[i].slot);
}

} // namespace lt
