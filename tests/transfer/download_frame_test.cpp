#include "emulator/DownloadFrameDecoder.h"
#include "transfer/DownloadFrame.h"
#include "transfer/DownloadOffsetText.h"
#include "transfer/DownloadSource.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <random>

namespace lt::test {
namespace {

dl::DownloadPacket RandomPacket(uint32_t seed)
{
    std::mt19937 random(seed);
    dl::DownloadPacket packet{};
    for (std::size_t i = 0; i < dl::kPacketSum; ++i)
        packet[i] = static_cast<uint8_t>(random());
    dl::SealPacket(packet);
    return packet;
}

TEST(DownloadPacket, SumCoversFlagPageAndData)
{
    dl::DownloadPacket packet{};
    packet[0] = 0x01;
    dl::SealPacket(packet);
    EXPECT_EQ(packet[259], 0x01);
    EXPECT_EQ(packet[260], 0x00);

    // 259 bytes of 0xFF sum to 0x101FD: the sum wraps at 16 bits.
    packet.fill(0xFF);
    dl::SealPacket(packet);
    EXPECT_EQ(packet[259], 0xFD);
    EXPECT_EQ(packet[260], 0x01);
}

TEST(DownloadPacket, PageNumbersCountFromTheOffsetsPageAndWrap)
{
    EXPECT_EQ(dl::PageNumber(0x12345, 0), 0x0123);
    EXPECT_EQ(dl::PageNumber(0x12345, 1), 0x0124);
    EXPECT_EQ(dl::PageNumber(0xFF, 0), 0x0000);
    EXPECT_EQ(dl::PageNumber(0xFFFFFF, 0), 0xFFFF);
    EXPECT_EQ(dl::PageNumber(0xFFFFFF, 2), 0x0001);
}

TEST(DownloadFrame, MarkersOnlyAtTheEndsAndEveryOtherByteHasItsTopBit)
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        const dl::DownloadFrame frame = dl::EncodeDownloadFrame(RandomPacket(seed));
        ASSERT_EQ(frame.size(), 301u);
        EXPECT_EQ(frame.front(), 0x03);
        EXPECT_EQ(frame.back(), 0x04);
        for (std::size_t i = 1; i + 1 < frame.size(); ++i)
            ASSERT_TRUE(frame[i] & 0x80) << "seed " << seed << " byte " << i;
    }
}

TEST(DownloadFrame, GroupsCarrySevenBytesAndAFlagWithTheirTopBits)
{
    dl::DownloadPacket packet{};
    packet[0] = 0x01;
    packet[1] = 0x80; // top bit of the group's byte 1
    packet[6] = 0xFF; // top bit of byte 6
    packet[7] = 0x7F; // next group, no top bit
    dl::SealPacket(packet);
    const dl::DownloadFrame frame = dl::EncodeDownloadFrame(packet);

    EXPECT_EQ(frame[1], 0x81);
    EXPECT_EQ(frame[2], 0x80);
    EXPECT_EQ(frame[7], 0xFF);
    EXPECT_EQ(frame[8], 0x80 | 0x02 | 0x40);
    EXPECT_EQ(frame[9], 0xFF);
    EXPECT_EQ(frame[16], 0x80);
    // The last group: the two sum bytes and a flag with bit 7 set and bits
    // 2..6 clear.
    const uint16_t sum = static_cast<uint16_t>(packet[259] | (packet[260] << 8));
    EXPECT_EQ(sum, 0x01 + 0x80 + 0xFF + 0x7F);
    EXPECT_EQ(frame[297], (packet[259] | 0x80));
    EXPECT_EQ(frame[298], (packet[260] | 0x80));
    EXPECT_EQ(frame[299] & 0xFC, 0x80);
    EXPECT_EQ(frame[299] & 0x01, packet[259] >> 7);
}

TEST(DownloadFrame, TheRadioDecodesWhatWasEncoded)
{
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        const dl::DownloadPacket packet = RandomPacket(seed);
        const dl::DownloadFrame frame = dl::EncodeDownloadFrame(packet);
        const auto decoded = DecodeDownloadFrame(frame);
        ASSERT_TRUE(decoded.has_value()) << "seed " << seed;
        EXPECT_TRUE(std::equal(packet.begin(), packet.end(), decoded->begin())) << "seed " << seed;
    }
}

TEST(DownloadBlocks, CountRoundsUp)
{
    EXPECT_EQ(BlockCount(0, 160), 0);
    EXPECT_EQ(BlockCount(1, 160), 1);
    EXPECT_EQ(BlockCount(160, 160), 1);
    EXPECT_EQ(BlockCount(161, 160), 2);
    EXPECT_EQ(BlockCount(3200, 160), 20);
    EXPECT_EQ(BlockCount(512, 256), 2);
}

uint8_t Sum(const QByteArray& bytes)
{
    uint8_t sum = 0;
    for (const char c : bytes)
        sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(c));
    return sum;
}

QByteArray Pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    return bytes;
}

TEST(FirmwareSum, ShortLastBlockRepeatsThePreviousBlocksTail)
{
    struct Case {
        int size;
        QByteArray summed; // the bytes the 160-byte blocks hold
    };
    const QByteArray file = Pattern(360);
    const Case cases[] = {
        {0, QByteArray()},
        {100, file.left(100) + QByteArray(60, '\0')},
        {160, file.left(160)},
        {200, file.left(160) + file.mid(160, 40) + file.mid(40, 120)},
        {360, file.left(320) + file.mid(320, 40) + file.mid(200, 120)},
    };
    for (const Case& c : cases) {
        QByteArray contents = file.left(c.size);
        QBuffer buffer(&contents);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        EXPECT_EQ(FirmwareFileSum(buffer, c.size), Sum(c.summed)) << c.size;
    }
}

TEST(DataOffsetText, HexadecimalLeftToRightWithForeignCharactersAsZero)
{
    const struct {
        const char* text;
        int32_t value;
        const char* shown;
    } cases[] = {
        {"", 0, "0"},         {"0", 0, "0"},           {"12345", 0x12345, "12345"}, {"00ab", 0xAB, "AB"},
        {"1G", 0x10, "10"},   {"ffffff", 0xFFFFFF, "FFFFFF"}, {"z", 0, "0"},
    };
    for (const auto& c : cases) {
        const int32_t value = ParseDataOffset(QString::fromLatin1(c.text));
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(DataOffsetText(value), QString::fromLatin1(c.shown)) << c.text;
    }
}

TEST(DataOffsetText, KeysThatPass)
{
    for (const char16_t key : {u'\b', u'\x03', u'\x16', u'\x7F', u'0', u'9', u'a', u'f', u'A', u'F'})
        EXPECT_TRUE(DataOffsetKeyAllowed(key)) << int(key);
    for (const char16_t key : {u'g', u'G', u' ', u'.', u'-', u'x', u'/', u':', u'@', u'`', u'\x80'})
        EXPECT_FALSE(DataOffsetKeyAllowed(key)) << int(key);
}

} // namespace
} // namespace lt::test
