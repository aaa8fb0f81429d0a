#include "calibration/CalibrationData.h"
#include "calibration/RfChipStatus.h"
#include "support/RadioRig.h"
#include "transfer/TransferState.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lt::test {
namespace {

// Status bytes as the radio sends them after "YS" (reply bytes 2..15).
using StatusBytes = std::array<uint8_t, RadioEmulator::kStatusSize>;

struct FlagCase {
    uint8_t compare;   // reply byte 6
    uint8_t rssiCmp3;  // reply byte 8
    uint8_t pkdetCmp;  // reply byte 9
    RfChipStatus expectedFlags;
};

class StatusReadout : public ::testing::TestWithParam<FlagCase> {};

TEST_P(StatusReadout, AYsReplyFillsTheStatusFields)
{
    const FlagCase& c = GetParam();
    RadioRig rig;
    rig.emulator.status = {0x81, 0x42, 0x33, 0x24, c.compare, 0xFF, c.rssiCmp3, c.pkdetCmp, 0xFF, 0x55, 0x01, 0x02,
                           0xEE, 0xEE};
    RfChipStatus before;
    before.Pkdet_rssi = 77;
    rig.program.calibration.setStatus(before);
    const CalibrationData untouched = rig.program.calibration;

    EXPECT_EQ(rig.run(op::RfChipStatus, kDirectionRead), TransferOutcome::Success);

    RfChipStatus expected = c.expectedFlags;
    expected.CurBatt = 0x81;
    expected.CurVox = 0x42;
    expected.Rssi_db = 0x33;
    expected.Noise_db = 0x24;
    expected.Modu_db = 0x55;
    expected.Offset = 258;
    expected.Pkdet_rssi = 77;
    EXPECT_EQ(rig.program.calibration.status(), expected);
    // Nothing but the status fields changes.
    CalibrationData onlyStatus = untouched;
    onlyStatus.setStatus(expected);
    EXPECT_EQ(rig.program.calibration, onlyStatus);

    // No link request, no password read, no end marker: only the status request.
    const std::vector<QByteArray> sent = rig.sentMessages();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].left(2), QByteArray("1R"));
    EXPECT_EQ(rig.engine->progress(), 100);
}

RfChipStatus Flags(uint8_t modu, uint8_t rssi1, uint8_t noise1, uint8_t noise2, uint8_t rssi3, uint8_t pkdet)
{
    RfChipStatus s;
    s.Modu_cmp = modu;
    s.Rssi_cmp1 = rssi1;
    s.Noise_cmp1 = noise1;
    s.Noise_cmp2 = noise2;
    s.Rssi_cmp3 = rssi3;
    s.Pkdet_cmp = pkdet;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Flags, StatusReadout,
    ::testing::Values(FlagCase{0xA4, 0x80, 0x80, Flags(1, 1, 0, 1, 1, 1)},
                      FlagCase{0x5B, 0x7F, 0x7F, Flags(0, 0, 1, 0, 0, 0)},
                      FlagCase{0xFF, 0xFF, 0x00, Flags(1, 1, 1, 1, 1, 0)}));

TEST(StatusReadoutReplies, OtherLeadingBytesAreDiscardedAndTheRequestRepeatsAtTheNextTick)
{
    RadioRig rig;
    rig.emulator.status[0] = 0x99;
    rig.emulator.faults.wrongTagReply = 1;

    rig.start(op::RfChipStatus, kDirectionRead);
    rig.clock.advance(1050);
    EXPECT_FALSE(rig.engine->outcome().has_value());
    EXPECT_EQ(rig.link.ReceiveCount, 0);
    EXPECT_EQ(rig.program.calibration.status().CurBatt, 0);

    rig.clock.advanceUntil([&] { return rig.engine->outcome().has_value(); }, 10000);
    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::Success);
    EXPECT_EQ(rig.sentMessages().size(), 2u);
    EXPECT_GE(rig.clock.nowMs(), 1100);
    EXPECT_EQ(rig.program.calibration.status().CurBatt, 0x99);
}

TEST(StatusReadoutReplies, WithoutAReplyTheRunFailsAfterSixSeconds)
{
    RadioRig rig;
    rig.emulator.faults.dropEvery = 1;
    rig.emulator.status[0] = 0x99;
    const CalibrationData before = rig.program.calibration;

    rig.start(op::RfChipStatus, kDirectionRead);
    rig.clock.advance(5990);
    EXPECT_FALSE(rig.engine->outcome().has_value());
    rig.clock.advance(20);
    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::CommunicationFailure);
    // The request went out at 100, 1100, ... 5100 ms.
    EXPECT_EQ(rig.sentMessages().size(), 6u);
    EXPECT_EQ(rig.program.calibration, before);
    EXPECT_FALSE(rig.engine->anyTimerActive());
}

// The reply is complete at 14 bytes, however it is split.
TEST(StatusReadoutReplies, FourteenBytesCompleteAReply)
{
    RadioRig rig;
    rig.emulator.faults.dropEvery = 1;
    rig.program.image.bytes.fill(0xAB);
    rig.start(op::RfChipStatus, kDirectionRead);
    rig.clock.advance(150);

    const uint8_t reply[14] = {'Y', 'S', 0x81, 0x42, 0x33, 0x24, 0xA4, 0, 0x80, 0, 0, 0x55, 0x01, 0x02};
    rig.link.ShowRead(reply, 13);
    rig.clock.advance(20);
    EXPECT_FALSE(rig.engine->outcome().has_value());
    rig.link.ShowRead(reply + 13, 1);
    rig.clock.advance(20);

    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::Success);
    const RfChipStatus status = rig.program.calibration.status();
    EXPECT_EQ(status.CurBatt, 0x81);
    EXPECT_EQ(status.Modu_cmp, 1);
    EXPECT_EQ(status.Noise_cmp1, 0);
    EXPECT_EQ(status.Offset, 258);
    // Bytes the radio did not send are not taken from stale buffer contents.
    EXPECT_EQ(*rig.program.image.at(12), 0xAB);
    EXPECT_EQ(*rig.program.image.at(13), 0xAB);
}

TEST(StatusReadoutReplies, OnlyTheTagDecidesBeforeFourteenBytes)
{
    RadioRig rig;
    rig.emulator.faults.dropEvery = 1;
    rig.start(op::RfChipStatus, kDirectionRead);
    rig.clock.advance(150);

    const uint8_t partial[] = {'Y', 'X', 1, 2, 3};
    rig.link.ShowRead(partial, sizeof(partial));
    rig.clock.advance(5);
    EXPECT_EQ(rig.link.ReceiveCount, 0);
    const uint8_t single[] = {'Y'};
    rig.link.ShowRead(single, 1);
    rig.clock.advance(5);
    EXPECT_EQ(rig.link.ReceiveCount, 1);
    EXPECT_FALSE(rig.engine->outcome().has_value());
}

} // namespace
} // namespace lt::test
