#include "codeplug/PasswordRecord.h"
#include "support/RadioRig.h"
#include "transfer/TransferState.h"

#include <gtest/gtest.h>

#include <numeric>

namespace lt::test {
namespace {

std::span<const uint8_t, kPasswordRecordSize> RadioRecord(const RadioRig& rig)
{
    return std::span<const uint8_t, kPasswordRecordSize>(rig.emulator.memory.data() + kPasswordRecordAddress,
                                                         kPasswordRecordSize);
}

TEST(CustomerIdWrite, SendsTheIdFollowedByFifteenErasedBytes)
{
    RadioRig rig;
    rig.program.customerId = 5;

    EXPECT_EQ(rig.run(op::CustomerId, kDirectionWrite), TransferOutcome::Success);

    const std::vector<RadioRig::Block> writes = rig.sentBlocks('W');
    const QByteArray expected = QByteArray(1, '\x05') + QByteArray(15, '\xFF');
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0], (RadioRig::Block{'W', 0x5000, 16, expected}));
    EXPECT_EQ(rig.memory(0x5000, 16), expected);
    EXPECT_EQ(rig.sentMessages().back().left(1), QByteArray("E"));
    EXPECT_EQ(rig.program.customerId, 5);
}

TEST(CustomerIdRead, TakesTheFirstOfSixBytes)
{
    RadioRig rig;
    const uint8_t stored[] = {0xC8, 0x11, 0x22, 0x33, 0x44, 0x55};
    std::copy(std::begin(stored), std::end(stored), rig.emulator.memory.begin() + 0x5000);

    EXPECT_EQ(rig.run(op::CustomerId, kDirectionRead), TransferOutcome::Success);

    const std::vector<RadioRig::Block> reads = rig.sentBlocks('R');
    ASSERT_EQ(reads.size(), 3u); // two password blocks, then the ID
    EXPECT_EQ(reads[2], (RadioRig::Block{'R', 0x5000, 6, {}}));
    EXPECT_EQ(rig.program.customerId, 200);
}

TEST(CustomerIdRead, AFailedReadKeepsTheId)
{
    RadioRig rig;
    rig.emulator.memory[0x5000] = 0xC8;
    rig.program.customerId = 9;
    rig.emulator.faults.silenceAfterBlocks = 2;

    EXPECT_EQ(rig.run(op::CustomerId, kDirectionRead), TransferOutcome::CommunicationFailure);
    EXPECT_EQ(rig.program.customerId, 9);
}

TEST(PasswordWrite, SendsTheRecordOfTheNewPassword)
{
    RadioRig rig;
    rig.program.model.setText(cp::NewPassword, "abc");

    EXPECT_EQ(rig.run(op::RadioPassword, kDirectionWrite), TransferOutcome::Success);

    const std::vector<RadioRig::Block> writes = rig.sentBlocks('W');
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].address, 0xC000);
    EXPECT_EQ(writes[0].length, 16);
    const QByteArray record = writes[0].data;
    EXPECT_EQ(record[0], 3);
    const int sum = std::accumulate(record.begin(), record.begin() + 15, 0,
                                    [](int total, char b) { return total + static_cast<uint8_t>(b); });
    EXPECT_EQ(static_cast<uint8_t>(record[15]), sum & 0xFF);
    EXPECT_EQ(rig.memory(0xC000, 16), record);

    const DecodedPassword decoded = DecodePasswordRecord(RadioRecord(rig));
    EXPECT_EQ(decoded.result, PasswordDecode::Ok);
    EXPECT_EQ(decoded.password, QByteArray("abc"));
}

TEST(PasswordWrite, AProtectedRadioTakesANewPasswordOnlyAfterItsCurrentOne)
{
    struct Case {
        const char* entered;
        TransferOutcome outcome;
        const char* passwordAfter;
    };
    for (const Case& c :
         {Case{"1234", TransferOutcome::Success, "77"}, Case{"4321", TransferOutcome::PasswordError, "1234"}}) {
        RadioRig rig;
        rig.emulator.setPassword("1234");
        rig.program.model.setText(cp::EnteredPassword, c.entered);
        rig.program.model.setText(cp::NewPassword, "77");

        EXPECT_EQ(rig.run(op::RadioPassword, kDirectionWrite), c.outcome) << c.entered;
        EXPECT_EQ(DecodePasswordRecord(RadioRecord(rig)).password, QByteArray(c.passwordAfter)) << c.entered;
    }
}

TEST(PasswordWrite, AnEmptyNewPasswordRemovesTheProtection)
{
    RadioRig rig;
    rig.emulator.setPassword("1234");
    rig.program.model.setText(cp::EnteredPassword, "1234");

    EXPECT_EQ(rig.run(op::RadioPassword, kDirectionWrite), TransferOutcome::Success);
    EXPECT_EQ(rig.emulator.memory[0xC000], 0);

    rig.program.model.setText(cp::EnteredPassword, "");
    EXPECT_EQ(rig.run(op::CustomerId, kDirectionRead), TransferOutcome::Success);
}

} // namespace
} // namespace lt::test
