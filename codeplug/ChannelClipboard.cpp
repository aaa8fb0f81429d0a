#include "codeplug/ChannelClipboard.h"

#include "codeplug/CodeplugModel.h"
#include "codeplug/LittleEndian.h"

#include <cstring>

namespace lt {

namespace {

// "LT4402CH", a version byte, the slot count (u16), then per slot its used
// flag and its record.
constexpr char kMagic[] = "LT4402CH";
constexpr qsizetype kMagicSize = sizeof(kMagic) - 1;
constexpr uint8_t kVersion = 1;
constexpr qsizetype kHeaderSize = kMagicSize + 1 + 2;
constexpr qsizetype kSlotSize = 1 + static_cast<qsizetype>(cp::ch::kSize);

} // namespace

QByteArray EncodeChannelSlots(const std::vector<ChannelSlot>& taken)
{
    QByteArray bytes(kMagic, kMagicSize);
    bytes.append(static_cast<char>(kVersion));
    uint8_t count[2];
    le::put16(count, static_cast<uint16_t>(taken.size()));
    bytes.append(reinterpret_cast<const char*>(count), 2);
    for (const ChannelSlot& slot : taken) {
        bytes.append(static_cast<char>(slot.used ? 1 : 0));
        bytes.append(reinterpret_cast<const char*>(slot.record.data()), static_cast<qsizetype>(slot.record.size()));
    }
    return bytes;
}

std::optional<std::vector<ChannelSlot>> DecodeChannelSlots(const QByteArray& bytes)
{
    if (bytes.size() < kHeaderSize || !bytes.startsWith(QByteArray(kMagic, kMagicSize))
        || static_cast<uint8_t>(bytes[kMagicSize]) != kVersion)
        return std::nullopt;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    const int count = le::get16(data + kMagicSize + 1);
    if (count < 1 || count > cp::kChannelCount || bytes.size() != kHeaderSize + count * kSlotSize)
        return std::nullopt;
    std::vector<ChannelSlot> taken(static_cast<std::size_t>(count));
    const uint8_t* at = data + kHeaderSize;
    for (ChannelSlot& slot : taken) {
        if (at[0] > 1)
            return std::nullopt;
        slot.used = at[0] == 1;
        std::memcpy(slot.record.data(), at + 1, cp::ch::kSize);
        at += kSlotSize;
    }
    return taken;
}

QString ChannelsAsText(const CodeplugModel& model, const std::vector<int>& channels)
{
    return QString::fromUtf8(ExportChannels(model, channels, QLatin1Char('\t')).text);
}

TextPaste PasteChannelText(CodeplugModel& model, int at, const QString& text)
{
    ChannelLines layout;
    layout.separator = text.section(QLatin1Char('\n'), 0, 0).contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
    layout.headerRequired = false;
    layout.locations = false;
    CsvChannels lines = ReadChannelLines(text, layout, model.bands);

    TextPaste result;
    if (!lines.ok()) {
        result.outcome = TextPaste::BadLines;
        result.errors = std::move(lines.errors);
        result.unlistedErrors = lines.unlistedErrors;
        return result;
    }
    result.channels = static_cast<int>(lines.channels.size());
    if (lines.channels.empty())
        return result;
    if (at < 1 || at - 1 + result.channels > cp::kChannelCount) {
        result.outcome = TextPaste::PastLastChannel;
        return result;
    }
    for (int i = 0; i < result.channels; ++i) {
        const int n = at + i;
        ApplyCsvChannel(lines.channels[static_cast<std::size_t>(i)], n, model.IsChannelUsed(n), model);
    }
    result.outcome = TextPaste::Pasted;
    return result;
}

} // namespace lt
