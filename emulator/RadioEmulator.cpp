#include "emulator/RadioEmulator.h"

#include "codeplug/PasswordRecord.h"
#include "emulator/DownloadFrameDecoder.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace lt {

namespace {

using Kind = RadioMessage::Kind;

constexpr int kBlockHeaderSize = RadioMessageAssembler::kBlockHeader;
constexpr uint8_t kWriteTag = 'W';
constexpr uint8_t kLinkAcceptTag = 'S';
constexpr uint8_t kOversizedLength = 0xFF;
constexpr std::size_t kMaxDataMemoryPages = 65536;

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

RadioEmulator::Answer RadioEmulator::LinkAccepted()
{
    return {QByteArray(1, static_cast<char>(kLinkAcceptTag)), false, {}};
}


RadioEmulator::RadioEmulator()
    : onRefusal([](const QString& reason) { std::fprintf(stderr, "radio emulator: no reply: %s\n", qPrintable(reason)); })
{
    // An erased radio: flash reads 0xFF.
    memory.fill(0xFF);
}

void RadioEmulator::refuse(const QString& reason)
{
    refusals_ << reason;
    if (onRefusal)
        onRefusal(reason);
}

RadioEmulator::Response RadioEmulator::handleReport(const QByteArray& report, std::size_t announcedLength, int64_t nowMs)
{
    if (lastReportMs_ && nowMs - *lastReportMs_ >= kSessionSilenceMs) {
        session_ = Session::None;
        assembler_.reset();
    }
    lastReportMs_ = nowMs;

    const RadioMessageAssembler::Outcome outcome = assembler_.take(report, announcedLength);
    if (!outcome.refusal.isEmpty()) {
        refuse(outcome.refusal);
        return {};
    }
    if (!outcome.message)
        return {};
    return handleMessage(*outcome.message);
}

RadioEmulator::Response RadioEmulator::handleMessage(const RadioMessage& message)
{
    if (faults.silenceAfterBlocks && blocks_ >= *faults.silenceAfterBlocks)
        return {};

    Answer answered = answer(message);
    if (!answered.refusal.isEmpty()) {
        refuse(answered.refusal);
        return {};
    }
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

// The session each message needs (none: any session will do); messages not
// listed are taken at any time.
QString RadioEmulator::refusalOutsideItsSession(RadioMessage::Kind kind) const
{
    struct Need {
        Kind kind;
        std::optional<Session> session;
        const char* refusal;
    };
    static const Need kNeeds[] = {
        {Kind::BlockRead, Session::Program, "a block read outside a session opened by \"PROGR81\""},
        {Kind::BlockWrite, Session::Program, "a block write outside a session opened by \"PROGR81\""},
        {Kind::DownloadFrame, Session::Download, "a download frame outside a session opened by \"PROCODE\""},
        {Kind::FirmwareBlock, Session::Firmware, "a firmware block outside firmware mode (\"SROAPP\")"},
        {Kind::FirmwareEndFirst, Session::Firmware, "the first firmware end command outside firmware mode"},
        {Kind::FirmwareEndSecond, Session::Firmware, "the second firmware end command outside firmware mode"},
        {Kind::EndMarker, std::nullopt, "an end marker outside a session"},
    };
    for (const Need& need : kNeeds) {
        if (need.kind != kind)
            continue;
        const bool inSession = need.session ? session_ == *need.session : session_ != Session::None;
        return inSession ? QString() : QString::fromUtf8(need.refusal);
    }
    return {};
}

RadioEmulator::Answer RadioEmulator::answer(const RadioMessage& message)
{
    const QString refusal = refusalOutsideItsSession(message.kind);
    if (!refusal.isEmpty())
        return {{}, false, refusal};

    switch (message.kind) {
    case Kind::ProgramLink:
        session_ = Session::Program;
        return LinkAccepted();
    case Kind::DownloadLink:
        session_ = Session::Download;
        return LinkAccepted();
    case Kind::FirmwareLink:
        session_ = Session::Firmware;
        firmwareFinished_ = false;
        firmware.clear();
        return LinkAccepted();
    case Kind::StatusRequest: {
        QByteArray reply = kStatusReplyTag;
        reply.append(reinterpret_cast<const char*>(status.data()), kStatusSize);
        return {reply, false, {}};
    }
    case Kind::BlockRead:
        return blockRead(message.bytes);
    case Kind::BlockWrite:
        return blockWrite(message.bytes);
    case Kind::EndMarker:
        session_ = Session::None;
        if (onEndMarker)
            onEndMarker();
        return {};
    case Kind::DownloadFrame:
        return downloadFrame(message.bytes);
    case Kind::FirmwareBlock:
        return firmwareBlock(message.bytes);
    case Kind::FirmwareEndFirst:
        return {QByteArray(1, static_cast<char>(kAck)), false, {}};
    case Kind::FirmwareEndSecond:
        // The radio restarts into its new firmware and says nothing more.
        session_ = Session::None;
        firmwareFinished_ = true;
        return {};
    }
    return {};
}

RadioEmulator::Answer RadioEmulator::blockRead(const QByteArray& message) const
{
    const uint16_t address = blockAddress(message);
    const int length = byteAt(message, 3);
    QByteArray reply = message.left(kBlockHeaderSize);
    reply[0] = static_cast<char>(kWriteTag);
    for (int i = 0; i < length; ++i)
        reply.append(static_cast<char>(memory[(address + i) % kMemorySize]));
    return {reply, true, {}};
}

RadioEmulator::Answer RadioEmulator::blockWrite(const QByteArray& message)
{
    const uint16_t address = blockAddress(message);
    const int length = byteAt(message, 3);
    for (int i = 0; i < length; ++i)
        memory[(address + i) % kMemorySize] = byteAt(message, kBlockHeaderSize + i);
    return {QByteArray(1, static_cast<char>(kAck)), true, {}};
}

RadioEmulator::Answer RadioEmulator::downloadFrame(const QByteArray& message)
{
    const auto packet = DecodeDownloadFrame(
        std::span(reinterpret_cast<const uint8_t*>(message.constData()), static_cast<std::size_t>(message.size())));
    if (!packet)
        return {{}, false, QStringLiteral("a damaged download frame")};
    const uint16_t page = static_cast<uint16_t>(packet->at(kPacketPageOffset) | (packet->at(kPacketPageOffset + 1) << 8));
    dataPages[page] = QByteArray(reinterpret_cast<const char*>(packet->data() + kPacketDataOffset), kDownloadPageSize);
    return {QByteArray(1, static_cast<char>(kAck)), true, {}};
}

RadioEmulator::Answer RadioEmulator::firmwareBlock(const QByteArray& message)
{
    firmware += message;
    return {QByteArray(1, static_cast<char>(kAck)), true, {}};
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
