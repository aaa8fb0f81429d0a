#include "codeplug/EditHistory.h"

#include "codeplug/CodeplugModel.h"

#include <zlib.h>

#include <algorithm>
#include <cassert>
#include <cstring>
#include <stdexcept>

namespace lt {

namespace {

// Differing stretches this close together are kept as one: a stretch costs
// bookkeeping, a few equal bytes inside one cost next to nothing once
// compressed.
constexpr std::size_t kJoinGap = 32;
// Shorter steps (one field, one name) are kept as they are.
constexpr int kCompressFrom = 64;

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

// zlib with the block a step leads away from as the preset dictionary: moved
// records are found there and cost a few bytes each.
QByteArray deflateAgainst(const uint8_t* dictionary, std::size_t dictionarySize, const QByteArray& bytes)
{
    z_stream stream{};
    if (deflateInit(&stream, Z_DEFAULT_COMPRESSION) != Z_OK)
        throw std::runtime_error("the edit history cannot compress a step");
    deflateSetDictionary(&stream, dictionary, static_cast<uInt>(dictionarySize));
    QByteArray packed(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(bytes.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    const int result = deflate(&stream, Z_FINISH);
    packed.resize(static_cast<qsizetype>(stream.total_out));
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw std::runtime_error("the edit history cannot compress a step");
    return packed;
}

QByteArray inflateAgainst(const uint8_t* dictionary, std::size_t dictionarySize, const QByteArray& packed, int length)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        throw std::runtime_error("the edit history cannot read a step");
    QByteArray bytes(length, Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(bytes.data());
    stream.avail_out = static_cast<uInt>(length);
    int result = inflate(&stream, Z_FINISH);
    if (result == Z_NEED_DICT) {
        inflateSetDictionary(&stream, dictionary, static_cast<uInt>(dictionarySize));
        result = inflate(&stream, Z_FINISH);
    }
    const bool whole = result == Z_STREAM_END && stream.total_out == static_cast<uLong>(length);
    inflateEnd(&stream);
    if (!whole)
        throw std::runtime_error("the edit history cannot read a step");
    return bytes;
}

} // namespace

EditHistory::EditHistory(CodeplugModel& model)
    : model_(model)
{
    std::ranges::copy(model_.block(), recorded_.begin());
    clean_ = recorded_;
}

std::vector<EditHistory::Stretch> EditHistory::differences(const Block& from, std::span<const uint8_t, cp::kBlockSize> to)
{
    std::vector<Stretch> stretches;
    const auto differsFrom = [&](std::size_t at) {
        return static_cast<std::size_t>(std::mismatch(to.begin() + at, to.end(), from.begin() + at).first - to.begin());
    };
    for (std::size_t start = differsFrom(0); start < to.size(); start = differsFrom(start)) {
        std::size_t end = start + 1;
        for (std::size_t next = differsFrom(end); next < to.size() && next - end <= kJoinGap; next = differsFrom(end))
            end = next + 1;
        stretches.push_back({static_cast<uint16_t>(start), static_cast<uint16_t>(end - start)});
        start = end;
    }
    return stretches;
}

void EditHistory::keep(Step& step, const QByteArray& bytes, const Block& dictionary)
{
    step.length = static_cast<int>(bytes.size());
    step.compressed = false;
    step.bytes = bytes;
    if (bytes.size() >= kCompressFrom) {
        QByteArray packed = deflateAgainst(dictionary.data(), dictionary.size(), bytes);
        if (packed.size() < bytes.size()) {
            step.bytes = std::move(packed);
            step.compressed = true;
        }
    }
    step.bytes.squeeze();
}

QByteArray EditHistory::unpacked(const Step& step, const Block& dictionary)
{
    return step.compressed ? inflateAgainst(dictionary.data(), dictionary.size(), step.bytes, step.length) : step.bytes;
}

bool EditHistory::record(EditLabel label)
{
    const std::span<const uint8_t, cp::kBlockSize> block = model_.block();
    Step step;
    step.stretches = differences(recorded_, block);
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

    QByteArray before;
    for (const Stretch& s : step.stretches)
        before.append(reinterpret_cast<const char*>(recorded_.data() + s.offset), s.length);
    std::ranges::copy(block, recorded_.begin());
    keep(step, before, recorded_);
    step.stretches.shrink_to_fit();

    steps_.resize(steps_.size() - undone_);
    undone_ = 0;
    steps_.push_back(std::move(step));
    while (steps_.size() > static_cast<std::size_t>(kDepth))
        steps_.pop_front();
    changed();
    return true;
}

void EditHistory::absorb()
{
    if (std::ranges::equal(model_.block(), recorded_))
        return;
    if (undone_ < steps_.size())
        rebase(steps_[steps_.size() - 1 - undone_]);
    if (undone_ > 0)
        rebase(steps_[steps_.size() - undone_]);
    std::ranges::copy(model_.block(), recorded_.begin());
    changed();
}

void EditHistory::rebase(Step& step)
{
    // Where the step leads from the recorded block...
    Block target = recorded_;
    const QByteArray other = unpacked(step, recorded_);
    const char* from = other.constData();
    for (const Stretch& s : step.stretches) {
        std::memcpy(target.data() + s.offset, from, s.length);
        from += s.length;
    }
    // ...it now leads from the block as it is.
    Block now;
    std::ranges::copy(model_.block(), now.begin());
    step.stretches = differences(now, target);
    QByteArray bytes;
    for (const Stretch& s : step.stretches)
        bytes.append(reinterpret_cast<const char*>(target.data() + s.offset), s.length);
    keep(step, bytes, now);
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
    swap(steps_[steps_.size() - 1 - undone_]);
    ++undone_;
    changed();
}

void EditHistory::redo()
{
    if (!canRedo())
        return;
    swap(steps_[steps_.size() - undone_]);
    --undone_;
    changed();
}

void EditHistory::swap(Step& step)
{
    const QByteArray other = unpacked(step, recorded_);
    QByteArray current;
    const std::span<uint8_t, cp::kBlockSize> block = model_.block();
    const char* from = other.constData();
    for (const Stretch& s : step.stretches) {
        current.append(reinterpret_cast<const char*>(recorded_.data() + s.offset), s.length);
        std::memcpy(recorded_.data() + s.offset, from, s.length);
        std::memcpy(block.data() + s.offset, from, s.length);
        from += s.length;
    }
    assert(from == other.constData() + other.size());
    keep(step, current, recorded_);
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

void EditHistory::changed()
{
    if (onChanged)
        onChanged();
}

} // namespace lt
