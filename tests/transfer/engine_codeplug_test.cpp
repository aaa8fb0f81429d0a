#include "support/EngineRig.h"

#include "codeplug/RadioImageLayout.h"

#include <gtest/gtest.h>

namespace lt::test {
namespace {

using Block = EmulatorRig::Block;

RadioImage Packed(CodeplugModel model)
{
    RadioImage image;
    GetDataForWrite(model, image, FixedTime, FixedRandom);
    return image;
}

TEST(CodeplugTransfer, FullReadAndWriteBackMatchPacking)
{
    EmulatorRig rig;
    const RadioImage radio = LoadRadio(rig.emulator, AllChannels());

    ASSERT_EQ(rig.run(op::Codeplug, kDirectionRead), TransferOutcome::Success);
    EXPECT_EQ(rig.engine->progress(), 100);
    // What the program now holds packs to exactly what the radio holds.
    EXPECT_EQ(Packed(rig.program.model).bytes, radio.bytes);
    EXPECT_EQ(rig.program.model.bands.VBandMin, 137000000u);
    EXPECT_EQ(rig.program.model.LastWriteTime, FixedTime());

    ASSERT_EQ(rig.run(op::Codeplug, kDirectionWrite), TransferOutcome::Success);
    // The write carries the PC's time of the write; every other byte of the
    // radio is what it was.
    for (std::size_t a = 0; a < RadioImage::kSize; ++a) {
        if (a >= 0xB000 && a < 0xB006)
            ASSERT_EQ(rig.emulator.memory[a], rig.program.image.bytes[a]) << std::hex << a;
        else
            ASSERT_EQ(rig.emulator.memory[a], radio.bytes[a]) << std::hex << a;
    }
    EXPECT_EQ(rig.sentMessages().back(), QByteArray("E").leftJustified(64, char(0)));
}

std::vector<Block> AreaBlocks(char tag, bool withPassword)
{
    std::vector<Block> blocks;
    for (int a = 0x0000; a < 0x0020; a += 16)
        blocks.push_back({tag, a, 16});
    for (int a = 0xA000; a < 0xA060; a += 16)
        blocks.push_back({tag, a, 16});
    for (int a = 0xB000; a < 0xB0AA; a += 16)
        blocks.push_back({tag, a, 16});
    if (withPassword)
        blocks.push_back({tag, 0xC000, 16});
    return blocks;
}

class ChannelOneWrite : public ::testing::TestWithParam<bool> {};

TEST_P(ChannelOneWrite, SendsOneChannelRecordThenTheAreas)
{
    const bool withNewPassword = GetParam();
    EmulatorRig rig;
    FillCodeplug(rig.program.model, {1});
    rig.program.model.set(cp::WriteWithNewPD, withNewPassword ? 1 : 0);
    rig.program.model.setText(cp::NewPassword, "4321");

    ASSERT_EQ(rig.run(op::Codeplug, kDirectionWrite), TransferOutcome::Success);

    std::vector<Block> expected{{'W', 0x101A, 26}};
    const std::vector<Block> areas = AreaBlocks('W', withNewPassword);
    expected.insert(expected.end(), areas.begin(), areas.end());
    EXPECT_EQ(rig.sentBlocks('W'), expected);
    EXPECT_EQ(rig.emulator.memory[0x0000], 0x02);
    // Without the flag the radio keeps its (erased) password record.
    EXPECT_EQ(rig.emulator.memory[0xC000], withNewPassword ? 4 : 0xFF);
    const uint16_t expectedUnit = WriteProgressUnit(239);
    EXPECT_EQ(rig.engine->ProgressUnit, expectedUnit);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutNewPassword, ChannelOneWrite, ::testing::Bool());

TEST(CodeplugTransfer, RadioWithoutChannelsReadsOnlyTheAreas)
{
    EmulatorRig rig;
    std::fill(rig.emulator.memory.begin(), rig.emulator.memory.begin() + 32, 0);

    ASSERT_EQ(rig.run(op::Codeplug, kDirectionRead), TransferOutcome::Success);

    // The two password blocks first, then the map, the frequency-mode and the
    // settings areas, and no channel record.
    std::vector<Block> expected{{'R', 0xC000, 16}, {'R', 0xC010, 16}};
    const std::vector<Block> areas = AreaBlocks('R', false);
    expected.insert(expected.end(), areas.begin(), areas.end());
    EXPECT_EQ(rig.sentBlocks('R'), expected);
    EXPECT_EQ(rig.engine->ProgressUnit, 16);
    EXPECT_FALSE(rig.program.model.AnyChannelUsed());
}

TEST(CodeplugTransfer, ReadAsksForTheSlotOfEveryChannelTheRadioMarks)
{
    EmulatorRig rig;
    std::fill(rig.emulator.memory.begin(), rig.emulator.memory.begin() + 32, 0);
    rig.emulator.memory[3] = 0x80;  // channel 31
    rig.emulator.memory[3] |= 0x40; // channel 30
    rig.emulator.memory[30] = 0x01; // channel 240
    rig.emulator.memory[0] = 0x01;  // channel 0: never consulted

    ASSERT_EQ(rig.run(op::Codeplug, kDirectionRead), TransferOutcome::Success);

    std::vector<Block> channels;
    for (const Block& b : rig.sentBlocks('R'))
        if (b.length == 26)
            channels.push_back(b);
    EXPECT_EQ(channels, (std::vector<Block>{{'R', 0x130C, 26}, {'R', 0x2000, 26}, {'R', 0x8256, 26}}));
    EXPECT_EQ(rig.engine->ProgressUnit, WriteProgressUnit(237));
}

TEST(CodeplugTransfer, ProgressUnitsOfTheRoutines)
{
    EXPECT_EQ(WriteProgressUnit(0), 328);
    EXPECT_EQ(WriteProgressUnit(240), 16);
    EXPECT_EQ(AllWriteProgressUnit(0), 348);

    EmulatorRig rig;
    FillCodeplug(rig.program.model, AllChannels());
    ASSERT_EQ(rig.run(op::Codeplug, kDirectionWrite), TransferOutcome::Success);
    EXPECT_EQ(rig.engine->ProgressUnit, 328);
    ASSERT_EQ(rig.run(op::Codeplug, kDirectionRead), TransferOutcome::Success);
    EXPECT_EQ(rig.engine->ProgressUnit, 328);
}

TEST(CodeplugTransfer, WriteAllSendsTheCalibrationBlockFirst)
{
    EmulatorRig rig;
    FillCodeplug(rig.program.model, AllChannels());
    rig.program.calibration.set(cal::Batt_L0_Wait, 0x42);
    const CalibrationTransmitArea calibration = rig.program.calibration.GetAdjustmentData();

    ASSERT_EQ(rig.run(op::WriteAll, kDirectionWrite), TransferOutcome::Success);

    const std::vector<Block> blocks = rig.sentBlocks('W');
    ASSERT_GT(blocks.size(), 26u);
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(blocks[static_cast<std::size_t>(i)], (Block{'W', 0xF000 + 16 * i, 16}));
    EXPECT_EQ(blocks[26], (Block{'W', 0x101A, 26}));
    EXPECT_EQ(blocks.size(), 26u + 240u + 2u + 6u + 11u);
    EXPECT_TRUE(std::equal(calibration.begin(), calibration.end(), rig.emulator.memory.begin() + 0xF000));
    EXPECT_EQ(rig.engine->ProgressUnit, 348);
    EXPECT_EQ(rig.engine->progress(), 100);
}

TEST(CodeplugTransfer, ProtectedRadioLetsTheRightPasswordThrough)
{
    EmulatorRig rig;
    rig.emulator.setPassword("1234");
    rig.program.model.setText(cp::EnteredPassword, "1234");
    FillCodeplug(rig.program.model, {5});
    rig.program.model.setText(cp::EnteredPassword, "1234");

    ASSERT_EQ(rig.run(op::Codeplug, kDirectionWrite), TransferOutcome::Success);
    EXPECT_EQ(rig.sentBlocks('W').front(), (Block{'W', ChannelSlotAddress(5), 26}));
}

TEST(CodeplugTransfer, WrongPasswordSendsEndMarkerAndTouchesNothing)
{
    EmulatorRig rig;
    rig.emulator.setPassword("1234");
    FillCodeplug(rig.program.model, {5});
    rig.program.model.setText(cp::EnteredPassword, "9999");
    const auto radioBefore = rig.emulator.memory;
    const ModelSnapshot before(rig.program.model);

    ASSERT_EQ(rig.run(op::Codeplug, kDirectionWrite), TransferOutcome::PasswordError);

    EXPECT_EQ(rig.sentMessages().back(), QByteArray("E").leftJustified(64, char(0)));
    EXPECT_TRUE(rig.sentBlocks('W').empty());
    EXPECT_EQ(rig.emulator.memory, radioBefore);
    EXPECT_EQ(ModelSnapshot(rig.program.model), before);
    EXPECT_FALSE(rig.engine->anyTimerActive());
}

} // namespace
} // namespace lt::test
