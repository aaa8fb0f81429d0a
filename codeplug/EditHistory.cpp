#include "codeplug/EditHistory.h"

#include "codeplug/CodeplugModel.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace lt {

namespace {

// Differing stretches this close together are kept as one: a stretch costs
// bookkeeping, a few equal bytes inside one cost next to nothing once
// compressed.
constexpr std::size_t kJoinGap = 8;
// Steps whose bytes are longer than this are compressed (row operations and
// sorts that move many whole records).
constexpr qsizetype kCompressFrom = 256;

constexpr std::size_t kFirstRecord = cp::Channels.offset + cp::ch::kSize; // channel 1

// The first and last channel whose record or used bit lies in a changed
// stretch; 0 and 0 when none does.
std::pair<int, int> touchedChannels(std::span<const uint8_t> before, std::span<const uint8_t> after,
                                    std::size_t offset, std::size_t length)
{
    int first = 0;
    int last = 0;
    const auto touch = [&](int n) {
        first = first == 0 ? n : std::min(first, n);
        last = std::max(last, n);
    };
    const std::size_t end = offset + length;
    const std::size_t recordsEnd = cp::Channels.offset + cp::Channels.width;
    for (std::size_t at = std::max(offset, kFirstRecord); at < std::min(end, recordsEnd); ++at)
        if (before[at] != after[at])
            touch(static_cast<int>((at - cp::Channels.offset) / cp::ch::kSize));
    const std::size_t mapEnd = cp::ChannelUsedMap.offset + cp::ChannelUsedMap.width;
    for (std::size_t at = std::max<std::size_t>(offset, cp::ChannelUsedMap.offset); at < std::min(end, mapEnd); ++at) {
        const unsigned differing = before[at] ^ after[at];
        for (int bit = 0; bit < 8; ++bit) {
            const int n = static_cast<int>(at - cp::ChannelUsedMap.offset) * 8 + bit;
            if ((differing >> bit) & 1u && n >= 1 && n <= cp::kChannelCount)
                touch(n);
        }
    }
    return {first, last};
}

} // namespace

EditHistory::EditHistory(CodeplugModel& model)
    : model_(model)
{
    std::ranges::copy(model_.block(), recorded_.begin());
    clean_ = recorded_;
}

bool EditHistory::record(EditLabel label)
{
    const std::span<const uint8_t, cp::kBlockSize> block = model_.block();
    Step step;
    const auto differsFrom = [&](std::size_t from) {
        return static_cast<std::size_t>(
            std::mismatch(block.begin() + from, block.end(), recorded_.begin() + from).first - block.begin());
    };
    for (std::size_t start = differsFrom(0); start < block.size(); start = differsFrom(start)) {
        std::size_t end = start + 1;
        for (std::size_t next = differsFrom(end); next < block.size() && next - end <= kJoinGap; next = differsFrom(end))
            end = next + 1;
        step.stretches.push_back({static_cast<uint16_t>(start), static_cast<uint16_t>(end - start)});
        start = end;
    }
    if (step.stretches.empty())
        return false;

    if (IsAboutChannels(label.kind) && label.firstChannel == 0) {
        for (const Stretch& s : step.stretches) {
            const auto [first, last] = touchedChannels(recorded_, block, s.offset, s.length);
            if (first == 0)
                continue;
            label.firstChannel = label.firstChannel == 0 ? first : std::min(label.firstChannel, first);
            label.lastChannel = std::max(label.lastChannel, last);
        }
    }
    step.label = std::move(label);

    for (const Stretch& s : step.stretches)
        step.bytes.append(reinterpret_cast<const char*>(recorded_.data() + s.offset), s.length);
    for (const Stretch& s : step.stretches)
        step.bytes.append(reinterpret_cast<const char*>(block.data() + s.offset), s.length);
    if (step.bytes.size() >= kCompressFrom) {
        QByteArray packed = qCompress(step.bytes);
        if (packed.size() < step.bytes.size()) {
            step.bytes = std::move(packed);
            step.compressed = true;
        }
    }
    step.bytes.squeeze();
    step.stretches.shrink_to_fit();

    steps_.resize(steps_.size() - undone_);
    undone_ = 0;
    steps_.push_back(std::move(step));
    while (steps_.size() > static_cast<std::size_t>(kDepth))
        steps_.pop_front();
    std::ranges::copy(block, recorded_.begin());
    changed();
    return true;
}

void EditHistory::absorb()
{
    std::ranges::copy(model_.block(), recorded_.begin());
    changed();
}

void EditHistory::startFresh()
{
    steps_.clear();
    undone_ = 0;
    std::ranges::copy(model_.block(), recorded_.begin());
    clean_ = recorded_;
    changed();
}

void EditHistory::markClean()
{
    std::ranges::copy(model_.block(), clean_.begin());
    changed();
}

const EditLabel& EditHistory::undoLabel() const
{
    assert(canUndo());
    return steps_[steps_.size() - 1 - undone_].label;
}

const EditLabel& EditHistory::redoLabel() const
{
    assert(canRedo());
    return steps_[steps_.size() - undone_].label;
}

void EditHistory::undo()
{
    if (!canUndo())
        return;
    apply(steps_[steps_.size() - 1 - undone_], false);
    ++undone_;
    changed();
}

void EditHistory::redo()
{
    if (!canRedo())
        return;
    apply(steps_[steps_.size() - undone_], true);
    --undone_;
    changed();
}

void EditHistory::settle()
{
    std::ranges::copy(recorded_, model_.block().begin());
}

bool EditHistory::isModified() const
{
    return std::memcmp(model_.block().data(), clean_.data(), clean_.size()) != 0;
}

std::size_t EditHistory::storedBytes() const
{
    std::size_t bytes = sizeof(*this);
    for (const Step& step : steps_)
        bytes += sizeof(Step) + step.stretches.capacity() * sizeof(Stretch) + static_cast<std::size_t>(step.bytes.capacity());
    return bytes;
}

void EditHistory::apply(const Step& step, bool after)
{
    const QByteArray bytes = step.compressed ? qUncompress(step.bytes) : step.bytes;
    std::size_t total = 0;
    for (const Stretch& s : step.stretches)
        total += s.length;
    assert(static_cast<std::size_t>(bytes.size()) == 2 * total);
    const char* from = bytes.constData() + (after ? total : 0);
    const std::span<uint8_t, cp::kBlockSize> block = model_.block();
    for (const Stretch& s : step.stretches) {
        std::memcpy(block.data() + s.offset, from, s.length);
        from += s.length;
    }
    std::ranges::copy(block, recorded_.begin());
}

void EditHistory::changed()
{
    if (onChanged)
        onChanged();
}

} // namespace lt
