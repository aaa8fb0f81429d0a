#include "support/EngineRig.h"

#include "support/TransferDialogDriver.h"
#include "transferui/TProgramDialog.h"
#include "transferui/TransferRun.h"
#include "ui/AppLang.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

struct FaultCase {
    const char* name;
    std::function<void(EmulatorFaults&)> inject;
    bool succeeds; // a single lost reply is made good by the resend
};

class FaultMatrix : public ::testing::TestWithParam<std::tuple<FaultCase, int32_t>> {
protected:
    void SetUp() override { AppLang().fSetLangType(1); }
    void TearDown() override { AppLang().fSetDetectType(); }
};

TEST_P(FaultMatrix, RunEndsWithItsTextAndTheModelIsUntouched)
{
    const auto& [fault, direction] = GetParam();
    EmulatorRig rig;
    const RadioImage radio = LoadRadio(rig.emulator, {1, 2, 3, 40, 41, 200});
    FillCodeplug(rig.program.model, {7, 8, 9});
    fault.inject(rig.emulator.faults);
    const ModelSnapshot before(rig.program.model);

    TransferDialogDriver driver(rig.clock);
    const bool ok = RunTransfer(rig.env, rig.program, nullptr, op::Codeplug, direction, QStringLiteral("t"));

    ASSERT_EQ(driver.shownMessages().size(), 1u);
    EXPECT_FALSE(driver.shownMessages()[0].timersLive);
    EXPECT_EQ(ok, fault.succeeds);
    EXPECT_EQ(driver.shownMessages()[0].message, fault.succeeds ? "SUCCESS" : "Communication False");
    if (direction == kDirectionRead && fault.succeeds) {
        RadioImage repacked;
        GetDataForWrite(rig.program.model, repacked, FixedTime, FixedRandom);
        EXPECT_EQ(repacked.bytes, radio.bytes);
    } else if (direction == kDirectionRead) {
        EXPECT_EQ(ModelSnapshot(rig.program.model), before);
    }
    // Nothing happens after the end, not even a late reply being acted on.
    const std::size_t sent = rig.backend.writtenReports.size();
    rig.clock.advance(20000);
    EXPECT_EQ(rig.backend.writtenReports.size(), sent);
}

const FaultCase kFaults[] = {
    {"OneDroppedReply", [](EmulatorFaults& f) { f.dropReply = 9; }, true},
    {"EveryReplyDropped", [](EmulatorFaults& f) { f.dropEvery = 1; }, false},
    {"LateDroppedReplies", [](EmulatorFaults& f) { f.dropEvery = 7; }, true},
    {"WrongTag", [](EmulatorFaults& f) { f.wrongTagReply = 9; }, false},
    {"WrongTagOnLink", [](EmulatorFaults& f) { f.wrongTagReply = 1; }, false},
    {"OversizedLengthByte", [](EmulatorFaults& f) { f.oversizedReply = 2; }, false},
    {"DisconnectMidRun", [](EmulatorFaults& f) { f.disconnectAfterBlocks = 8; }, false},
    {"SilenceMidRun", [](EmulatorFaults& f) { f.silenceAfterBlocks = 8; }, false},
    {"SlowRadio", [](EmulatorFaults& f) { f.latencyMs = 400; }, true},
};

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix,
                         ::testing::Combine(::testing::ValuesIn(kFaults),
                                            ::testing::Values(kDirectionRead, kDirectionWrite)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name)
                                 + (std::get<1>(info.param) == kDirectionRead ? "Read" : "Write");
                         });

TEST(FaultMatrix, CancelledReadChangesNothing)
{
    EmulatorRig rig;
    FillCodeplug(rig.program.model, {7});
    // A radio slow enough for the read to be caught in the middle.
    rig.emulator.faults.latencyMs = 50;
    const ModelSnapshot before(rig.program.model);
    TransferDialogDriver driver(rig.clock);
    driver.play = [&](TProgramDialog& dialog) {
        QTest::mouseClick(dialog.ProgramStart, Qt::LeftButton);
        rig.clock.advance(400);
        ASSERT_TRUE(dialog.engine().running());
        dialog.close();
    };
    EXPECT_FALSE(RunTransfer(rig.env, rig.program, nullptr, op::Codeplug, kDirectionRead, QString()));
    EXPECT_TRUE(driver.shownMessages().empty());
    EXPECT_EQ(ModelSnapshot(rig.program.model), before);
    for (const QByteArray& report : rig.backend.writtenReports)
        EXPECT_NE(report.at(1), 'E');
}

} // namespace
} // namespace lt::test
