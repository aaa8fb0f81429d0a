#include "emulator/RadioEmulator.h"

#include "codeplug/PasswordRecord.h"
#include "emulator/DownloadFrameDecoder.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstring>

namespace lt {

namespace {

constexpr uint8_t kChunkTag = 0x4D;
constexpr int kChunkPayload = 61;
constexpr int kMaxChunkedFirmwareMessage = 3 * kChunkPayload;
constexpr int kBlockHeaderSize = 4;  // tag, address high, address low, length
constexpr uint8_t kReadTag = 'R';
constexpr uint8_t kWriteTag = 'W';
constexpr uint8_t kEndTag = 'E';
constexpr uint8_t kLinkAcceptTag = 'S';
constexpr uint8_t kOversizedLength = 0xFF;
constexpr std::size_t kMaxDataMemoryPages = 65536;

const QByteArray kProgramRequest("PROGR81\xFF", 8);
const QByteArray kDownloadRequest("PROCODE\xFF", 8);
const QByteArray kFirmwareRequest("SROAPP\x01\xFF", 8);
const QByteArray kFirmwareEndFirst("S\x22\xDD", 3);
const QByteArray kFirmwareEndSecond("S\x21\xDE", 3);
const QByteArray kStatusRequest("1R", 2);
const QByteArray kStatusReplyTag("YS", 2);

uint8_t byteAt(const QByteArray& bytes, int index)
{
    return static_cast<uint8_t>(bytes[index]);
}

uint16_t blockAddress(const QByteArray& message)
{
    return static_cast<uint16_t>((byteAt(message, 1) << 8) | byteAt(message, 2));
}

bool readFile(const QString& path, QByteArray* bytes, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    return true;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

RadioEmulator::RadioEmulator()
{
    // An erased radio: flash reads 0xFF.
    memory.fill(0xFF);
}

RadioEmulator::Response RadioEmulator::handleReport(const QByteArray& report)
{
    if (report.size() < 2)
        return {};
    const QByteArray payload = report.mid(1);

    if (byteAt(payload, 0) != kChunkTag || payload.size() < 3) {
        chunks_.clear();
        nextChunk_ = 0;
        return handleMessage(payload);
    }

    const int count = byteAt(payload, 1);
    const int index = byteAt(payload, 2);
    if (index == 0) {
        chunks_.clear();
        chunkCount_ = count;
        nextChunk_ = 0;
    }
    if (count == 0 || count != chunkCount_ || index != nextChunk_) {
        // A chunk out of sequence: the radio forgets the partial message.
        chunks_.clear();
        nextChunk_ = 0;
        return {};
    }
    chunks_ += payload.mid(3, kChunkPayload).leftJustified(kChunkPayload, '\0');
    if (++nextChunk_ < chunkCount_)
        return {};

    const QByteArray message = chunks_;
    chunks_.clear();
    nextChunk_ = 0;
    return handleMessage(message);
}

RadioEmulator::Response RadioEmulator::handleMessage(const QByteArray& message)
{
    if (faults.silenceAfterBlocks && blocks_ >= *faults.silenceAfterBlocks)
        return {};

    Answer answered = answer(message);
    if (answered.block)
        ++blocks_;

    Response response;
    if (answered.block && faults.disconnectAfterBlocks && blocks_ == *faults.disconnectAfterBlocks)
        response.disconnect = true;
    if (answered.reply.isEmpty())
        return response;

    const int number = ++replies_;
    QByteArray& reply = answered.reply;
    if (number == faults.wrongTagReply)
        reply[0] = static_cast<char>(kWrongTag);
    if (number == faults.oversizedReply && byteAt(reply, 0) == kWriteTag && reply.size() >= kBlockHeaderSize)
        reply[3] = static_cast<char>(kOversizedLength);
    const bool dropped = (faults.dropEvery > 0 && number % faults.dropEvery == 0) || number == faults.dropReply;
    if (!dropped)
        response.reply = reply;
    return response;
}

RadioEmulator::Answer RadioEmulator::answer(const QByteArray& message)
{
    if (message.isEmpty())
        return {};

    if (message.size() >= static_cast<int>(kDownloadFrameSize) && byteAt(message, 0) == kDownloadFrameStart)
        return downloadFrame(message.left(kDownloadFrameSize));
    if (firmwareMode_ && message.size() >= static_cast<int>(kFirmwareBlockSize) && message.size() <= kMaxChunkedFirmwareMessage)
        return firmwareBlock(message.left(kFirmwareBlockSize));

    if (message.startsWith(kProgramRequest) || message.startsWith(kDownloadRequest)) {
        firmwareMode_ = false;
        return {QByteArray(1, static_cast<char>(kLinkAcceptTag)), false};
    }
    if (message.startsWith(kFirmwareRequest)) {
        firmwareMode_ = true;
        firmwareFinished_ = false;
        firmware.clear();
        return {QByteArray(1, static_cast<char>(kLinkAcceptTag)), false};
    }
    if (message.startsWith(kFirmwareEndFirst))
        return {QByteArray(1, static_cast<char>(kAck)), false};
    if (message.startsWith(kFirmwareEndSecond)) {
        // The radio restarts into its new firmware and says nothing more.
        firmwareMode_ = false;
        firmwareFinished_ = true;
        return {};
    }
    if (message.startsWith(kStatusRequest)) {
        QByteArray reply = kStatusReplyTag;
        reply.append(reinterpret_cast<const char*>(status.data()), kStatusSize);
        return {reply, false};
    }

    switch (byteAt(message, 0)) {
    case kReadTag:
        return blockRead(message);
    case kWriteTag:
        return blockWrite(message);
    case kEndTag:
        firmwareMode_ = false;
        if (onEndMarker)
            onEndMarker();
        return {};
    default:
        return {};
    }
}

RadioEmulator::Answer RadioEmulator::blockRead(const QByteArray& message) const
{
    if (message.size() < kBlockHeaderSize)
        return {};
    const uint16_t address = blockAddress(message);
    const int length = byteAt(message, 3);
    QByteArray reply = message.left(kBlockHeaderSize);
    reply[0] = static_cast<char>(kWriteTag);
    for (int i = 0; i < length; ++i)
        reply.append(static_cast<char>(memory[(address + i) % kMemorySize]));
    return {reply, true};
}

RadioEmulator::Answer RadioEmulator::blockWrite(const QByteArray& message)
{
    if (message.size() < kBlockHeaderSize)
        return {};
    const uint16_t address = blockAddress(message);
    const int length = byteAt(message, 3);
    if (message.size() < kBlockHeaderSize + length)
        return {};
    for (int i = 0; i < length; ++i)
        memory[(address + i) % kMemorySize] = byteAt(message, kBlockHeaderSize + i);
    return {QByteArray(1, static_cast<char>(kAck)), true};
}

RadioEmulator::Answer RadioEmulator::downloadFrame(const QByteArray& message)
{
    const auto packet = DecodeDownloadFrame(
        std::span(reinterpret_cast<const uint8_t*>(message.constData()), static_cast<std::size_t>(message.size())));
    if (!packet)
        return {};  // a damaged frame goes unanswered, so the program sends it again
    const uint16_t page = static_cast<uint16_t>(packet->at(kPacketPageOffset) | (packet->at(kPacketPageOffset + 1) << 8));
    dataPages[page] = QByteArray(reinterpret_cast<const char*>(packet->data() + kPacketDataOffset), kDownloadPageSize);
    return {QByteArray(1, static_cast<char>(kAck)), true};
}

RadioEmulator::Answer RadioEmulator::firmwareBlock(const QByteArray& message)
{
    firmware += message;
    return {QByteArray(1, static_cast<char>(kAck)), true};
}

std::vector<QByteArray> RadioEmulator::toInputReports(const QByteArray& reply, std::size_t inputReportLength)
{
    std::vector<QByteArray> reports;
    if (inputReportLength < 2)
        return reports;
    const int payload = static_cast<int>(inputReportLength) - 1;
    for (int from = 0; from < reply.size(); from += payload) {
        QByteArray report(static_cast<int>(inputReportLength), '\0');
        const QByteArray part = reply.mid(from, payload);
        std::memcpy(report.data() + 1, part.constData(), static_cast<std::size_t>(part.size()));
        reports.push_back(report);
    }
    return reports;
}

void RadioEmulator::setPassword(const QByteArray& text)
{
    const PasswordRecord record = EncodePasswordRecord(text);
    std::copy(record.begin(), record.end(), memory.begin() + kPasswordRecordAddress);
}

bool RadioEmulator::loadMemory(const QString& path, QString* error)
{
    QByteArray bytes;
    if (!readFile(path, &bytes, error))
        return false;
    if (bytes.size() != static_cast<int>(kMemorySize)) {
        *error = QStringLiteral("%1 holds %2 bytes, not %3").arg(path).arg(bytes.size()).arg(kMemorySize);
        return false;
    }
    std::memcpy(memory.data(), bytes.constData(), kMemorySize);
    return true;
}

bool RadioEmulator::saveMemory(const QString& path, QString* error) const
{
    return writeFile(path, QByteArray(reinterpret_cast<const char*>(memory.data()), kMemorySize), error);
}

bool RadioEmulator::loadDataMemory(const QString& path, QString* error)
{
    QByteArray bytes;
    if (!readFile(path, &bytes, error))
        return false;
    if (static_cast<std::size_t>(bytes.size()) > kMaxDataMemoryPages * kDownloadPageSize) {
        *error = QStringLiteral("%1 is larger than the data memory").arg(path);
        return false;
    }
    dataPages.clear();
    for (int from = 0, page = 0; from < bytes.size(); from += kDownloadPageSize, ++page)
        dataPages[static_cast<uint16_t>(page)] = bytes.mid(from, kDownloadPageSize).leftJustified(kDownloadPageSize, '\xFF');
    return true;
}

bool RadioEmulator::saveDataMemory(const QString& path, QString* error) const
{
    return writeFile(path, dataMemory(), error);
}

QByteArray RadioEmulator::dataMemory() const
{
    if (dataPages.empty())
        return {};
    const int pages = dataPages.rbegin()->first + 1;
    QByteArray bytes(pages * static_cast<int>(kDownloadPageSize), '\xFF');
    for (const auto& [page, data] : dataPages)
        std::memcpy(bytes.data() + page * kDownloadPageSize, data.constData(), kDownloadPageSize);
    return bytes;
}

} // namespace lt
