#include "codeplug/LittleEndian.h"
#include "codeplug/PasswordRecord.h"
#include "emulator/DownloadFrameDecoder.h"
#include "emulator/LoopbackHidBackend.h"
#include "emulator/RadioEmulator.h"
#include "hid/HidLink.h"
#include "hid/TransferClock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <span>
#include <vector>

namespace lt {
namespace {

// The program's side of a data download, written out here from the frame
// description so that the emulator's decoder is checked against it.
QByteArray encodeFrame(const DownloadPacket& packet)
{
    QByteArray frame(1, '\x03');
    for (std::size_t from = 0; from < packet.size(); from += 7) {
        const std::size_t count = std::min<std::size_t>(7, packet.size() - from);
        uint8_t flag = 0x80;
        for (std::size_t k = 0; k < count; ++k) {
            frame.append(static_cast<char>(packet[from + k] | 0x80));
            flag |= static_cast<uint8_t>(((packet[from + k] >> 7) & 1) << k);
        }
        frame.append(static_cast<char>(flag));
    }
    frame.append('\x04');
    return frame;
}

DownloadPacket makePacket(uint16_t page, uint8_t seed)
{
    DownloadPacket packet{};
    packet[0] = 0x01;
    le::put16(packet.data() + kPacketPageOffset, page);
    for (std::size_t i = 0; i < kDownloadPageSize; ++i)
        packet[kPacketDataOffset + i] = static_cast<uint8_t>(seed + i * 37);
    uint16_t sum = 0;
    for (std::size_t i = 0; i < kPacketSumOffset; ++i)
        sum = static_cast<uint16_t>(sum + packet[i]);
    le::put16(packet.data() + kPacketSumOffset, sum);
    return packet;
}

const QByteArray kProgramRequest("PROGR81\xFF", 8);
const QByteArray kDownloadRequest("PROCODE\xFF", 8);
const QByteArray kFirmwareRequest("SROAPP\x01\xFF", 8);

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// The program's link attached to the emulator in-process, on a virtual clock.
class EmulatorTest : public ::testing::Test {
protected:
    EmulatorTest()
    {
        link.HidCtlDeviceChange();
        link.attachReceiveHandler();
    }

    // Sends one message and returns what arrived within the next 50 ms
    // (virtual), as the engine would see it in its buffer.
    QByteArray exchange(const QByteArray& message, int waitMs = 50)
    {
        link.ReceiveCount = 0;
        link.Agr_HidWrite(reinterpret_cast<const uint8_t*>(message.constData()), static_cast<uint16_t>(message.size()));
        clock.advance(waitMs);
        return QByteArray(reinterpret_cast<const char*>(link.ReceiveBuffer.data()), link.ReceiveCount);
    }

    // Opens the session in which block reads and writes are answered.
    void openSession() { ASSERT_EQ(exchange(kProgramRequest).left(1), "S"); }

    VirtualClock clock;
    RadioEmulator emulator;
    LoopbackHidBackend backend{emulator, clock};
    HidLink link{backend};
};

TEST_F(EmulatorTest, IsDiscoveredAsTheRadio)
{
    EXPECT_TRUE(link.hasRadio());
    EXPECT_TRUE(link.radioOpenReadWrite());
    EXPECT_EQ(link.DevListBox(), QStringList{"KOVA-905"});
    EXPECT_EQ(link.outputReportLength(), 65);
}

TEST_F(EmulatorTest, AnswersEachLinkRequestWithS)
{
    for (const QByteArray& request : {QByteArray("PROGR81\xFF", 8), QByteArray("PROCODE\xFF", 8), QByteArray("SROAPP\x01\xFF", 8)}) {
        const QByteArray reply = exchange(request);
        ASSERT_EQ(reply.size(), 64) << request.toHex().constData();
        EXPECT_EQ(reply[0], 'S');
    }
    EXPECT_TRUE(exchange("PROGR82\xFF").isEmpty());
    EXPECT_TRUE(exchange("HELLO").isEmpty());
}

TEST_F(EmulatorTest, BlockWritesLandInMemoryAndBlockReadsGiveThemBack)
{
    openSession();
    QByteArray data;
    for (int i = 0; i < 26; ++i)
        data.append(static_cast<char>(0xA0 + i));

    const QByteArray ack = exchange(bytes({'W', 0x10, 0x1A, 26}) + data);
    ASSERT_EQ(ack.size(), 64);
    EXPECT_EQ(ack, bytes({0x06}) + QByteArray(63, '\0'));
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(emulator.memory[0x101A + i], 0xA0 + i);
    EXPECT_EQ(emulator.memory[0x1019], 0xFF);
    EXPECT_EQ(emulator.memory[0x1034], 0xFF);

    const QByteArray reply = exchange(bytes({'R', 0x10, 0x18, 30}));
    ASSERT_EQ(reply.size(), 64);
    EXPECT_EQ(reply.left(4), bytes({'W', 0x10, 0x18, 30}));
    EXPECT_EQ(reply.mid(4, 30), QByteArray(2, '\xFF') + data + QByteArray(2, '\xFF'));
    EXPECT_EQ(emulator.blocksHandled(), 2);
}

TEST_F(EmulatorTest, AReplyLongerThanOneReportArrivesInSeveral)
{
    openSession();
    const QByteArray reply = exchange(bytes({'R', 0xA0, 0x00, 100}));
    EXPECT_EQ(reply.size(), 128);
    EXPECT_EQ(reply.left(4), bytes({'W', 0xA0, 0x00, 100}));
    EXPECT_EQ(reply.mid(4, 100), QByteArray(100, '\xFF'));
}

TEST_F(EmulatorTest, EndMarkerIsNotAnswered)
{
    int ends = 0;
    emulator.onEndMarker = [&] { ++ends; };
    openSession();
    EXPECT_TRUE(exchange("E").isEmpty());
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(emulator.refusals().isEmpty());
}

TEST_F(EmulatorTest, StatusRequestIsAnsweredWithYSAndTheFourteenStatusBytes)
{
    for (std::size_t i = 0; i < emulator.status.size(); ++i)
        emulator.status[i] = static_cast<uint8_t>(0x10 + i);
    const QByteArray reply = exchange("1R");
    ASSERT_EQ(reply.size(), 64);
    EXPECT_EQ(reply.left(16), QByteArray("YS") + bytes({0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D}));
}

TEST_F(EmulatorTest, DownloadFramesDecodeBackToTheirPagesByteForByte)
{
    exchange("PROCODE\xFF");
    const DownloadPacket first = makePacket(0x0123, 0x00);
    const DownloadPacket second = makePacket(0x0124, 0x80);
    for (const DownloadPacket& packet : {first, second}) {
        const QByteArray frame = encodeFrame(packet);
        ASSERT_EQ(frame.size(), 301);
        const QByteArray reply = exchange(frame);
        ASSERT_FALSE(reply.isEmpty());
        EXPECT_EQ(reply[0], '\x06');
    }
    EXPECT_EQ(backend.writtenReports.size(), 1u + 2 * 5);

    ASSERT_EQ(emulator.dataPages.size(), 2u);
    for (const DownloadPacket& packet : {first, second}) {
        const QByteArray page = emulator.dataPages.at(le::get16(packet.data() + kPacketPageOffset));
        EXPECT_EQ(page, QByteArray(reinterpret_cast<const char*>(packet.data() + kPacketDataOffset), 256));
    }
    EXPECT_EQ(emulator.dataMemory().size(), 0x125 * 256);
}

TEST_F(EmulatorTest, DamagedDownloadFramesAreNeitherStoredNorAnswered)
{
    const QByteArray good = encodeFrame(makePacket(7, 0x42));
    QByteArray wrongSum = good;
    wrongSum[297] = static_cast<char>(wrongSum[297] ^ 0x01);  // low bits of the sum group
    QByteArray wrongFlag = good;
    wrongFlag[8] = static_cast<char>(wrongFlag[8] ^ 0x01);   // top bit of packet byte 0
    QByteArray clearedTopBit = good;
    clearedTopBit[20] = static_cast<char>(clearedTopBit[20] & 0x7F);
    QByteArray noEndMarker = good;
    noEndMarker[300] = '\x05';

    exchange(kDownloadRequest);
    for (const QByteArray& frame : {wrongSum, wrongFlag, clearedTopBit, noEndMarker})
        EXPECT_TRUE(exchange(frame).isEmpty());
    EXPECT_TRUE(emulator.dataPages.empty());
    EXPECT_EQ(emulator.refusals(), QStringList(4, QStringLiteral("a damaged download frame")));
    EXPECT_EQ(exchange(good)[0], '\x06');
}

TEST_F(EmulatorTest, FirmwareBlocksAreStoredAfterTheFirmwareLinkRequest)
{
    QByteArray block(160, '\0');
    for (int i = 0; i < 160; ++i)
        block[i] = static_cast<char>(i * 3);
    EXPECT_TRUE(exchange(block).isEmpty()) << "not in firmware mode yet";

    EXPECT_EQ(exchange("SROAPP\x01\xFF")[0], 'S');
    QByteArray sent;
    for (int n = 0; n < 3; ++n) {
        const QByteArray numbered = QByteArray(1, static_cast<char>(n)) + block.mid(1);
        sent += numbered;
        EXPECT_EQ(exchange(numbered)[0], '\x06');
    }
    EXPECT_EQ(emulator.firmware, sent);
    EXPECT_FALSE(emulator.firmwareFinished());

    EXPECT_EQ(exchange(bytes({'S', 0x22, 0xDD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}))[0], '\x06');
    EXPECT_TRUE(exchange(bytes({'S', 0x21, 0xDE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})).isEmpty());
    EXPECT_TRUE(emulator.firmwareFinished());
}

TEST_F(EmulatorTest, AChunkOutOfSequenceDiscardsThePartialMessage)
{
    exchange(kDownloadRequest);
    const QByteArray frame = encodeFrame(makePacket(1, 1));
    link.Agr_HidWrite(reinterpret_cast<const uint8_t*>(frame.constData()), 301);
    std::vector<QByteArray> reports = backend.writtenReports;
    ASSERT_EQ(reports.size(), 1u + 5u);
    reports.erase(reports.begin());
    clock.advance(10);
    ASSERT_EQ(emulator.dataPages.size(), 1u);
    emulator.dataPages.clear();

    // Chunks 0, 1, 3, 2, 4: the radio forgets the message at chunk 3.
    auto device = backend.open(backend.info);
    for (int index : {0, 1, 3, 2, 4})
        device->writeReport(reinterpret_cast<const uint8_t*>(reports[index].constData()), 65);
    clock.advance(10);
    EXPECT_TRUE(emulator.dataPages.empty());
}

TEST_F(EmulatorTest, RepliesArriveAfterTheLatency)
{
    emulator.faults.latencyMs = 30;
    link.ReceiveCount = 0;
    link.Agr_HidWrite(reinterpret_cast<const uint8_t*>("PROGR81\xFF"), 8);
    clock.advance(29);
    EXPECT_EQ(link.ReceiveCount, 0);
    clock.advance(1);
    EXPECT_EQ(link.ReceiveCount, 64);
}

// --- faults ---------------------------------------------------------------------

// Reply 1 answers the link request; reads 1..6 get replies 2..7.
struct FaultCase {
    const char* name;
    EmulatorFaults faults;
    std::vector<bool> answered;   // whether reads 1..6 got a reply
    int wrongTagAt = 0;           // read whose reply starts with the wrong tag
    int oversizedAt = 0;          // read whose reply claims 255 data bytes
    bool detached = false;        // the radio is gone afterwards
};

class EmulatorFaultTest : public EmulatorTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(EmulatorFaultTest, ShapesTheRepliesAsConfigured)
{
    const FaultCase& c = GetParam();
    openSession();
    emulator.faults = c.faults;
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(n);
        const QByteArray reply = exchange(bytes({'R', 0x00, 16 * n, 16}));
        ASSERT_EQ(!reply.isEmpty(), c.answered[n - 1]);
        if (reply.isEmpty())
            continue;
        EXPECT_EQ(reply[0], n == c.wrongTagAt ? '\x15' : 'W');
        EXPECT_EQ(static_cast<uint8_t>(reply[3]), n == c.oversizedAt ? 255 : 16);
    }
    EXPECT_EQ(link.hasRadio(), !c.detached);
    EXPECT_EQ(backend.isAttached(), !c.detached);
}

EmulatorFaults faults(void (*set)(EmulatorFaults&))
{
    EmulatorFaults f;
    set(f);
    return f;
}

INSTANTIATE_TEST_SUITE_P(Faults, EmulatorFaultTest,
    ::testing::Values(
        FaultCase{"none", {}, {1, 1, 1, 1, 1, 1}},
        FaultCase{"dropEvery", faults([](EmulatorFaults& f) { f.dropEvery = 2; }), {0, 1, 0, 1, 0, 1}},
        FaultCase{"dropReply", faults([](EmulatorFaults& f) { f.dropReply = 6; }), {1, 1, 1, 1, 0, 1}},
        FaultCase{"wrongTag", faults([](EmulatorFaults& f) { f.wrongTagReply = 4; }), {1, 1, 1, 1, 1, 1}, 3},
        FaultCase{"oversized", faults([](EmulatorFaults& f) { f.oversizedReply = 3; }), {1, 1, 1, 1, 1, 1}, 0, 2},
        FaultCase{"silence", faults([](EmulatorFaults& f) { f.silenceAfterBlocks = 4; }), {1, 1, 1, 1, 0, 0}},
        FaultCase{"silenceFromStart", faults([](EmulatorFaults& f) { f.silenceAfterBlocks = 0; }), {0, 0, 0, 0, 0, 0}},
        FaultCase{"disconnect", faults([](EmulatorFaults& f) { f.disconnectAfterBlocks = 3; }), {1, 1, 1, 0, 0, 0}, 0, 0, true}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST_F(EmulatorTest, ADroppedWriteReplyStillWritesTheBlock)
{
    openSession();
    emulator.faults.dropReply = 2; // reply 1 was the link request's
    EXPECT_TRUE(exchange(bytes({'W', 0x50, 0x00, 2, 0x12, 0x34})).isEmpty());
    EXPECT_EQ(emulator.memory[0x5000], 0x12);
    EXPECT_EQ(emulator.memory[0x5001], 0x34);
}

TEST_F(EmulatorTest, SilenceAlsoStopsStoring)
{
    openSession();
    emulator.faults.silenceAfterBlocks = 0;
    EXPECT_TRUE(exchange(bytes({'W', 0x50, 0x00, 1, 0x12})).isEmpty());
    EXPECT_EQ(emulator.memory[0x5000], 0xFF);
}

// --- strictness -----------------------------------------------------------------

// One output report of the radio's 65 bytes (or another length) carrying
// payload after the report ID.
QByteArray Report(const QByteArray& payload, int id = 0, int length = 65)
{
    QByteArray report(length, '\0');
    report[0] = static_cast<char>(id);
    std::memcpy(report.data() + 1, payload.constData(), static_cast<std::size_t>(std::min<qsizetype>(payload.size(), length - 1)));
    return report;
}

// A long message in 61-byte chunks, as the program sends it.
std::vector<QByteArray> Chunks(const QByteArray& message)
{
    std::vector<QByteArray> reports;
    const int count = static_cast<int>((message.size() + 60) / 61);
    for (int i = 0; i < count; ++i)
        reports.push_back(Report(bytes({0x4D, count, i}) + message.mid(i * 61, 61)));
    return reports;
}

const QByteArray kBlockRead = bytes({'R', 0x00, 0x10, 16});
const QByteArray kBlockWrite = bytes({'W', 0x50, 0x00, 2, 0x12, 0x34});
const QByteArray kFirstEnd = bytes({'S', 0x22, 0xDD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
const QByteArray kSecondEnd = bytes({'S', 0x21, 0xDE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});

// Traffic a radio would not take, after some that it takes.
struct StrictCase {
    const char* name;
    std::vector<QByteArray> before;  // messages sent first, through the link
    int64_t quietMs;                 // time without a report before the traffic
    std::function<std::vector<QByteArray>()> reports; // the traffic, as raw reports
    const char* reason;              // what the refusal says
};

void PrintTo(const StrictCase& c, std::ostream* out)
{
    *out << c.name;
}

class StrictEmulatorTest : public EmulatorTest, public ::testing::WithParamInterface<StrictCase> {};

TEST_P(StrictEmulatorTest, GetsNoReplyAndOneLineSayingWhy)
{
    const StrictCase& c = GetParam();
    for (const QByteArray& message : c.before)
        exchange(message);
    clock.advance(c.quietMs);
    const auto memoryBefore = emulator.memory;
    const auto pagesBefore = emulator.dataPages;
    const QByteArray firmwareBefore = emulator.firmware;
    const qsizetype refusedBefore = emulator.refusals().size();

    link.ReceiveCount = 0;
    const auto device = backend.open(backend.info);
    for (const QByteArray& report : c.reports())
        device->writeReport(reinterpret_cast<const uint8_t*>(report.constData()), static_cast<std::size_t>(report.size()));
    clock.advance(50);

    EXPECT_EQ(link.ReceiveCount, 0) << "answered";
    ASSERT_EQ(emulator.refusals().size(), refusedBefore + 1) << emulator.refusals().join('\n').toStdString();
    EXPECT_THAT(emulator.refusals().back().toStdString(), ::testing::HasSubstr(c.reason));
    EXPECT_EQ(emulator.memory, memoryBefore);
    EXPECT_EQ(emulator.dataPages, pagesBefore);
    EXPECT_EQ(emulator.firmware, firmwareBefore);
    EXPECT_FALSE(emulator.firmwareFinished());
}

const QByteArray kFrame = encodeFrame(makePacket(3, 0x11));
const QByteArray kFirmwareBlock(160, '\x5A');

INSTANTIATE_TEST_SUITE_P(OutOfOrder, StrictEmulatorTest,
    ::testing::Values(
        StrictCase{"WrongReportId", {}, 0, [] { return std::vector{Report(kProgramRequest, 0x01)}; }, "report ID 0x01"},
        StrictCase{"ShortReport", {}, 0, [] { return std::vector{Report(kProgramRequest, 0, 64)}; }, "a report of 64 bytes"},
        StrictCase{"LongReport", {kProgramRequest}, 0, [] { return std::vector{Report(kBlockRead, 0, 66)}; }, "a report of 66 bytes"},
        StrictCase{"ReadWithoutLink", {}, 0, [] { return std::vector{Report(kBlockRead)}; }, "block read outside a session"},
        StrictCase{"WriteWithoutLink", {}, 0, [] { return std::vector{Report(kBlockWrite)}; }, "block write outside a session"},
        StrictCase{"ReadAfterTheEndMarker", {kProgramRequest, "E"}, 0, [] { return std::vector{Report(kBlockRead)}; }, "block read outside a session"},
        StrictCase{"ReadAfterSixSecondsOfSilence", {kProgramRequest}, 6000 - 50, [] { return std::vector{Report(kBlockRead)}; }, "block read outside a session"},
        StrictCase{"ReadInADownloadSession", {kDownloadRequest}, 0, [] { return std::vector{Report(kBlockRead)}; }, "block read outside a session"},
        StrictCase{"WriteAfterANewLinkRequest", {kProgramRequest, kFirmwareRequest}, 0, [] { return std::vector{Report(kBlockWrite)}; }, "block write outside a session"},
        StrictCase{"FrameWithoutLink", {}, 0, [] { return Chunks(kFrame); }, "download frame outside a session"},
        StrictCase{"FrameInAProgramSession", {kProgramRequest}, 0, [] { return Chunks(kFrame); }, "download frame outside a session"},
        StrictCase{"FirmwareBlockInADownloadSession", {kDownloadRequest}, 0, [] { return Chunks(kFirmwareBlock); }, "firmware block outside firmware mode"},
        StrictCase{"FirstEndCommandOutsideFirmwareMode", {kProgramRequest}, 0, [] { return std::vector{Report(kFirstEnd)}; }, "first firmware end command outside"},
        StrictCase{"SecondEndCommandOutsideFirmwareMode", {}, 0, [] { return std::vector{Report(kSecondEnd)}; }, "second firmware end command outside"},
        StrictCase{"EndMarkerOutsideASession", {}, 0, [] { return std::vector{Report("E")}; }, "end marker outside a session"},
        StrictCase{"PaddingAfterABlockRead", {kProgramRequest}, 0, [] { return std::vector{Report(kBlockRead + QByteArray(5, '\0') + '\x01')}; }, "non-zero padding after a 4-byte message"},
        StrictCase{"PaddingAfterALinkRequest", {}, 0, [] { return std::vector{Report(kProgramRequest + ' ')}; }, "non-zero padding after a 8-byte message"},
        StrictCase{"PaddingInTheLastChunk", {kDownloadRequest}, 0, [] { return Chunks(kFrame + '\x01'); }, "non-zero padding after a 301-byte message"},
        StrictCase{"ChunkOutOfSequence", {kDownloadRequest}, 0, [] { return std::vector{Chunks(kFrame)[1]}; }, "chunk 1 of 5 out of sequence"},
        StrictCase{"UnknownMessage", {kProgramRequest}, 0, [] { return std::vector{Report("HELLO")}; }, "unknown message starting 0x48"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EmulatorTest, ASessionLastsUntilSixSecondsWithoutAReport)
{
    openSession();
    clock.advance(5900);
    EXPECT_FALSE(exchange(kBlockRead).isEmpty()) << "5.95 s after the link request";
    clock.advance(5900);
    EXPECT_FALSE(exchange(kBlockRead).isEmpty()) << "every report keeps the session";
    clock.advance(6000);
    EXPECT_TRUE(exchange(kBlockRead).isEmpty());
    EXPECT_TRUE(emulator.refusals().back().contains(QLatin1String("block read outside a session")));
}

TEST_F(EmulatorTest, EachRefusalIsOneLineOnStandardError)
{
    ::testing::internal::CaptureStderr();
    exchange(kBlockRead);
    exchange(kProgramRequest);
    exchange(kBlockRead);
    const std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(written, "radio emulator: no reply: a block read outside a session opened by \"PROGR81\"\n");
}

// --- memory and password --------------------------------------------------------

TEST(RadioEmulatorMemory, SavesAndLoadsItsMemoryAsA64KiBFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("radio.bin"));
    RadioEmulator saved;
    for (std::size_t i = 0; i < saved.memory.size(); ++i)
        saved.memory[i] = static_cast<uint8_t>(i * 13 + (i >> 8));
    QString error;
    ASSERT_TRUE(saved.saveMemory(path, &error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(path).size(), 65536);

    RadioEmulator loaded;
    ASSERT_TRUE(loaded.loadMemory(path, &error)) << error.toStdString();
    EXPECT_EQ(loaded.memory, saved.memory);

    QFile shortFile(dir.filePath(QStringLiteral("short.bin")));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(1000, '\0'));
    shortFile.close();
    RadioEmulator rejecting;
    EXPECT_FALSE(rejecting.loadMemory(shortFile.fileName(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(rejecting.memory[0], 0xFF);
    EXPECT_FALSE(rejecting.loadMemory(dir.filePath(QStringLiteral("missing.bin")), &error));
}

TEST(RadioEmulatorMemory, DataMemoryRoundTripsThroughItsFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.bin"));
    RadioEmulator saved;
    saved.dataPages[2] = QByteArray(256, 'x');
    QString error;
    ASSERT_TRUE(saved.saveDataMemory(path, &error));
    EXPECT_EQ(QFileInfo(path).size(), 3 * 256);

    RadioEmulator loaded;
    ASSERT_TRUE(loaded.loadDataMemory(path, &error));
    EXPECT_EQ(loaded.dataMemory(), QByteArray(512, '\xFF') + QByteArray(256, 'x'));
}

TEST(RadioEmulatorMemory, APasswordBuildsARecordTheProgramChecks)
{
    RadioEmulator emulator;
    emulator.setPassword("4321");
    const std::span<const uint8_t, kPasswordRecordSize> record(emulator.memory.data() + 0xC000, kPasswordRecordSize);
    EXPECT_EQ(record[0], 4);
    EXPECT_TRUE(CheckPasswordRecord(record, "4321"));
    EXPECT_FALSE(CheckPasswordRecord(record, "4322"));
    EXPECT_EQ(emulator.memory[0xC010], 0xFF);
}

} // namespace
} // namespace lt
