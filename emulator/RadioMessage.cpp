#include "emulator/RadioMessage.h"

#include "emulator/DownloadFrameDecoder.h"

#include <algorithm>
#include <array>

namespace lt {

namespace {

using Kind = RadioMessage::Kind;

constexpr int kChunkHeader = 3; // tag, chunk count, chunk index
constexpr int ChunksFor(int length)
{
    return (length + RadioMessageAssembler::kChunkPayload - 1) / RadioMessageAssembler::kChunkPayload;
}
constexpr int kDownloadFrameChunks = ChunksFor(RadioMessageAssembler::kDownloadFrameLength);
constexpr int kFirmwareBlockChunks = ChunksFor(RadioMessageAssembler::kFirmwareBlockLength);
static_assert(kDownloadFrameChunks == 5 && kFirmwareBlockChunks == 3);
static_assert(RadioMessageAssembler::kDownloadFrameLength == static_cast<int>(kDownloadFrameSize));

// The messages of fixed content, matched whole.
struct FixedMessage {
    Kind kind;
    QByteArray bytes;
};
const std::array<FixedMessage, 6> kFixedMessages{{
    {Kind::ProgramLink, QByteArray("PROGR81\xFF", 8)},
    {Kind::DownloadLink, QByteArray("PROCODE\xFF", 8)},
    {Kind::FirmwareLink, QByteArray("SROAPP\x01\xFF", 8)},
    {Kind::FirmwareEndFirst, QByteArray("S\x22\xDD\xFF\xFF\xFF\xFF\xFF", 8)},
    {Kind::FirmwareEndSecond, QByteArray("S\x21\xDE\xFF\xFF\xFF\xFF\xFF", 8)},
    {Kind::StatusRequest, QByteArray("1R", 2)},
}};

constexpr char kReadTag = 'R';
constexpr char kWriteTag = 'W';
constexpr char kEndTag = 'E';

uint8_t byteAt(const QByteArray& bytes, int index)
{
    return static_cast<uint8_t>(bytes[index]);
}

bool zeroFrom(const QByteArray& bytes, int from)
{
    return std::all_of(bytes.begin() + from, bytes.end(), [](char c) { return c == '\0'; });
}

RadioMessageAssembler::Outcome refused(QString reason)
{
    return {std::nullopt, std::move(reason)};
}

// The message of length bytes at the start of content, whose rest must be
// zero padding.
RadioMessageAssembler::Outcome message(Kind kind, const QByteArray& content, int length)
{
    if (!zeroFrom(content, length))
        return refused(QStringLiteral("non-zero padding after a %1-byte message starting 0x%2")
                           .arg(length)
                           .arg(byteAt(content, 0), 2, 16, QLatin1Char('0')));
    return {RadioMessage{kind, content.left(length)}, {}};
}

} // namespace

void RadioMessageAssembler::reset()
{
    chunks_.clear();
    chunkCount_ = 0;
    nextChunk_ = 0;
}

RadioMessageAssembler::Outcome RadioMessageAssembler::take(const QByteArray& report, std::size_t announcedLength)
{
    if (static_cast<std::size_t>(report.size()) != announcedLength) {
        reset();
        return refused(QStringLiteral("a report of %1 bytes on a device of %2-byte reports").arg(report.size()).arg(announcedLength));
    }
    if (report.size() < 2 || report[0] != '\0') {
        reset();
        return refused(QStringLiteral("report ID 0x%1, not 0").arg(report.isEmpty() ? 0 : byteAt(report, 0), 2, 16, QLatin1Char('0')));
    }
    const QByteArray payload = report.mid(1);
    if (byteAt(payload, 0) == kChunkTag)
        return takeChunk(payload);
    // A whole message ends any chunked one in progress.
    reset();
    return whole(payload);
}

RadioMessageAssembler::Outcome RadioMessageAssembler::takeChunk(const QByteArray& payload)
{
    if (payload.size() < kChunkHeader + kChunkPayload) {
        reset();
        return refused(QStringLiteral("a chunk in a report of %1 payload bytes").arg(payload.size()));
    }
    const int count = byteAt(payload, 1);
    const int index = byteAt(payload, 2);
    if (index == 0) {
        reset();
        chunkCount_ = count;
    }
    if (count == 0 || count != chunkCount_ || index != nextChunk_) {
        reset();
        return refused(QStringLiteral("chunk %1 of %2 out of sequence").arg(index).arg(count));
    }
    if (!zeroFrom(payload, kChunkHeader + kChunkPayload)) {
        reset();
        return refused(QStringLiteral("non-zero padding after chunk %1 of %2").arg(index).arg(count));
    }
    chunks_ += payload.mid(kChunkHeader, kChunkPayload);
    if (++nextChunk_ < chunkCount_)
        return {};
    const QByteArray chunks = chunks_;
    reset();
    return chunked(chunks, count);
}

RadioMessageAssembler::Outcome RadioMessageAssembler::whole(const QByteArray& payload)
{
    for (const FixedMessage& fixed : kFixedMessages)
        if (payload.startsWith(fixed.bytes))
            return message(fixed.kind, payload, static_cast<int>(fixed.bytes.size()));

    switch (payload[0]) {
    case kReadTag:
        if (payload.size() < kBlockHeader)
            break;
        return message(Kind::BlockRead, payload, kBlockHeader);
    case kWriteTag: {
        if (payload.size() < kBlockHeader)
            break;
        const int length = kBlockHeader + byteAt(payload, 3);
        if (length > payload.size())
            return refused(QStringLiteral("a block write of %1 data bytes in a report of %2").arg(length - kBlockHeader).arg(payload.size()));
        return message(Kind::BlockWrite, payload, length);
    }
    case kEndTag:
        return message(Kind::EndMarker, payload, 1);
    default:
        break;
    }
    return refused(QStringLiteral("an unknown message starting 0x%1").arg(byteAt(payload, 0), 2, 16, QLatin1Char('0')));
}

RadioMessageAssembler::Outcome RadioMessageAssembler::chunked(const QByteArray& chunks, int count)
{
    if (count == kDownloadFrameChunks && byteAt(chunks, 0) == kDownloadFrameStart)
        return message(Kind::DownloadFrame, chunks, kDownloadFrameLength);
    if (count == kFirmwareBlockChunks)
        return message(Kind::FirmwareBlock, chunks, kFirmwareBlockLength);
    return refused(QStringLiteral("an unknown message of %1 chunks").arg(count));
}

} // namespace lt
