#include "scripted_radio.h"
#include "support/EngineRig.h"

#include "transfer/CodeplugOperations.h"

#include <gtest/gtest.h>

#include <optional>

namespace lt::test {
namespace {

// Writes `blocks` blocks of 16 bytes with the given progress unit, then ends
// with the end marker.
class BlockWriter : public OperationRoutine {
public:
    BlockWriter(uint16_t unit, int blocks) : unit_(unit), blocks_(blocks) {}
    void run(TransferEngine& engine) override
    {
        if (engine.OperationStage == 0) {
            engine.ProgressUnit = unit_;
            engine.OperationStage = 1;
        }
        if (engine.BlockAddress < 16 * blocks_) {
            engine.WriteData(0x5000 + engine.BlockAddress, 16, data_.data());
            return;
        }
        engine.setProgress(100);
        engine.WriteEnding();
    }
    void afterSuccess() override { ++stored; }
    void close() override { ++closed; }
    bool skipsPassword() const override { return skipPassword; }
    bool ignoresRejectedWrite() const override { return ignoreRejected; }

    int stored = 0;
    int closed = 0;
    bool skipPassword = false;
    bool ignoreRejected = false;

private:
    uint16_t unit_;
    int blocks_;
    std::array<uint8_t, 16> data_{};
};

struct ScriptedRig {
    VirtualClock clock;
    ScriptedRadio radio{clock};
    HidLink link{radio};
    TransferState state;
    Program program;
    std::unique_ptr<TransferEngine> engine;
    std::optional<int64_t> endedAt;
    bool timersLiveAtEnd = true;
    std::vector<int> bar;

    ScriptedRig()
    {
        program.settings.AutoSeachPort = false;
        state.direction = kDirectionWrite;
    }

    void start(OperationRoutine& routine)
    {
        endedAt.reset();
        bar.clear();
        link.HidCtlDeviceChange();
        engine = std::make_unique<TransferEngine>(link, clock, state, program, routine);
        engine->onProgress = [this](int value) { bar.push_back(value); };
        engine->onEnded = [this](TransferOutcome) {
            endedAt = clock.nowMs();
            timersLiveAtEnd = engine->anyTimerActive();
        };
        engine->ProgramStartClick();
    }

    void runToEnd(int64_t limitMs = 60000)
    {
        clock.advanceUntil([this] { return endedAt.has_value(); }, limitMs);
    }

    std::vector<int64_t> sendTimes(const char* prefix) const
    {
        std::vector<int64_t> times;
        for (const auto& s : radio.sent)
            if (StartsWith(s.message, prefix))
                times.push_back(s.at);
        return times;
    }
};

const QByteArray kLinkRequest("PROGR81\xFF", 8);

TEST(EngineTiming, LinkRequestIsResentEverySecondAndTheRunFailsAt6000)
{
    ScriptedRig rig;
    BlockWriter routine(10, 1);
    rig.start(routine);
    rig.runToEnd();

    ASSERT_EQ(rig.engine->outcome(), TransferOutcome::CommunicationFailure);
    EXPECT_EQ(rig.endedAt, 6000);
    EXPECT_EQ(rig.sendTimes("PROGR81"), (std::vector<int64_t>{100, 1100, 2100, 3100, 4100, 5100}));
    EXPECT_TRUE(rig.radio.sent.front().message.startsWith(kLinkRequest));
    EXPECT_FALSE(rig.timersLiveAtEnd);
}

TEST(EngineTiming, InactivityEndsTheRun5000AfterTheLastAcceptedReply)
{
    ScriptedRig rig;
    int passwordReads = 0;
    rig.radio.respond = [&](const QByteArray& m) -> QByteArray {
        if (m.startsWith('R') && ++passwordReads > 1)
            return {}; // the second password block never comes
        return WillingRadio(m);
    };
    BlockWriter routine(10, 1);
    rig.start(routine);
    rig.runToEnd();

    const std::vector<int64_t> second = [&] {
        std::vector<int64_t> t;
        for (const auto& s : rig.radio.sent)
            if (s.message.startsWith(QByteArray("R\xC0\x10\x10", 4)))
                t.push_back(s.at);
        return t;
    }();
    ASSERT_FALSE(second.empty());
    // The first request went out right when the first block was accepted.
    const int64_t accepted = second.front();
    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::CommunicationFailure);
    EXPECT_EQ(rig.endedAt, accepted + 5000);
    EXPECT_EQ(second, (std::vector<int64_t>{accepted, accepted + 1000, accepted + 2000, accepted + 3000,
                                            accepted + 4000}));
}

// A reply is judged the moment it is complete, not at the next poll: with the
// radio answering 2 ms after each message, the messages follow 2 ms apart. The
// wire keeps its rules: the first request at 100 ms, the end 10 ms after "E".
TEST(EngineTiming, EachReplyIsJudgedTheMomentItArrives)
{
    ScriptedRig rig;
    rig.radio.latencyMs = 2;
    rig.radio.respond = WillingRadio;
    BlockWriter routine(10, 5);
    rig.start(routine);
    rig.runToEnd();

    ASSERT_EQ(rig.engine->outcome(), TransferOutcome::Success);
    // Link request, two password blocks, five blocks, end marker.
    ASSERT_EQ(rig.radio.sent.size(), 1u + 2u + 5u + 1u);
    for (std::size_t i = 0; i < rig.radio.sent.size(); ++i)
        EXPECT_EQ(rig.radio.sent[i].at, 100 + 2 * static_cast<int64_t>(i)) << i;
    EXPECT_EQ(rig.endedAt, rig.radio.sent.back().at + TransferEngine::kEndMarkerWaitMs);
}

struct WrongTagCase {
    const char* name;
    int32_t direction;
    int corruptedReply; // 1: link reply, 2: first password block, 4: first block
};

class WrongTag : public ::testing::TestWithParam<WrongTagCase> {};

TEST_P(WrongTag, EndsTheRunAtTheNextPoll)
{
    ScriptedRig rig;
    rig.state.direction = GetParam().direction;
    int replies = 0;
    int64_t corruptedAt = -1;
    rig.radio.respond = [&](const QByteArray& m) -> QByteArray {
        QByteArray answer = WillingRadio(m);
        if (++replies == GetParam().corruptedReply) {
            answer[0] = 0x15;
            corruptedAt = rig.clock.nowMs() + rig.radio.latencyMs;
        }
        return answer;
    };
    const ModelSnapshot before(rig.program.model);
    std::unique_ptr<OperationRoutine> routine;
    if (rig.state.direction == kDirectionRead)
        routine = std::make_unique<Read>(rig.program);
    else
        routine = std::make_unique<BlockWriter>(10, 3);
    rig.start(*routine);
    rig.runToEnd();

    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::CommunicationFailure);
    ASSERT_GE(corruptedAt, 0);
    EXPECT_LE(*rig.endedAt - corruptedAt, TransferEngine::kRxAfterTxMs);
    EXPECT_EQ(ModelSnapshot(rig.program.model), before);
}

INSTANTIATE_TEST_SUITE_P(Steps, WrongTag,
                         ::testing::Values(WrongTagCase{"LinkReply", kDirectionWrite, 1},
                                           WrongTagCase{"PasswordBlock", kDirectionRead, 2},
                                           WrongTagCase{"WriteAck", kDirectionWrite, 4},
                                           WrongTagCase{"ReadBlock", kDirectionRead, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EngineTiming, AutoSearchGivesUpAfterAsManyPassesAsPortsWereFound)
{
    ScriptedRig rig;
    rig.program.settings.AutoSeachPort = true;
    rig.program.settings.SerialPortCount = 2;
    BlockWriter routine(10, 1);

    // First pass of this program: three requests, then the run waits for its
    // timeout without polling.
    rig.start(routine);
    rig.runToEnd();
    EXPECT_EQ(rig.sendTimes("PROGR81"), (std::vector<int64_t>{100, 1100, 2100}));
    EXPECT_EQ(rig.endedAt, 6000);
    EXPECT_EQ(rig.state.searchPassCount, 1);

    // The pass counter lives on: the next run gives up at its fourth tick.
    rig.radio.sent.clear();
    const int64_t start = rig.clock.nowMs();
    rig.start(routine);
    rig.runToEnd();
    EXPECT_EQ(rig.sendTimes("PROGR81").size(), 3u);
    EXPECT_EQ(*rig.endedAt - start, 3100);
    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::CommunicationFailure);
}

// A fresh install has found no serial port: the pass limit of 0 shortens the
// wait for a silent radio but does not stop a radio that answers.
TEST(EngineTiming, AutoSearchWithoutSerialPorts)
{
    ScriptedRig rig;
    rig.program.settings.AutoSeachPort = true;
    rig.program.settings.SerialPortCount = 0;
    BlockWriter silent(10, 1);
    rig.start(silent);
    rig.runToEnd();
    EXPECT_EQ(rig.endedAt, 3100);
    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::CommunicationFailure);

    rig.radio.respond = WillingRadio;
    BlockWriter answered(10, 3);
    rig.start(answered);
    rig.runToEnd();
    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::Success);
}

TEST(EngineTiming, AutoSearchCountsAWrongLinkReplyOnEveryPoll)
{
    ScriptedRig rig;
    rig.program.settings.AutoSeachPort = true;
    rig.program.settings.SerialPortCount = 4;
    rig.radio.respond = [](const QByteArray&) { return QByteArray("X"); };
    BlockWriter routine(10, 1);
    rig.start(routine);
    rig.runToEnd();

    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::CommunicationFailure);
    EXPECT_EQ(rig.state.searchPassCount, 4);
    EXPECT_LT(*rig.endedAt, 1100); // before the request is sent again
}

TEST(EngineReplies, LengthByteBeyondTheBufferIsAWrongReply)
{
    ScriptedRig rig;
    rig.radio.respond = [](const QByteArray& m) -> QByteArray {
        if (m.startsWith('R'))
            return QByteArray("W\xC0\x00", 3) + char(61) + QByteArray(60, char(0x11));
        return WillingRadio(m);
    };
    rig.program.image.bytes.fill(0xAB);
    Read routine(rig.program);
    rig.state.direction = kDirectionRead;
    rig.start(routine);
    rig.runToEnd();

    // 4 + 61 bytes would reach past the 64 bytes that arrived.
    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::CommunicationFailure);
    EXPECT_TRUE(std::all_of(rig.program.image.bytes.begin(), rig.program.image.bytes.end(),
                            [](uint8_t b) { return b == 0xAB; }));
}

TEST(EngineReplies, LengthByteIsTakenAsItComesWithinTheBuffer)
{
    ScriptedRig rig;
    rig.radio.respond = [](const QByteArray& m) -> QByteArray {
        if (m.startsWith(QByteArray("R\xC0\x00", 3)))
            return QByteArray("W\xC0\x00", 3) + char(60) + QByteArray(60, char(0x00));
        return WillingRadio(m);
    };
    BlockWriter routine(10, 1);
    rig.start(routine);
    rig.runToEnd();
    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::Success);
}

TEST(EngineProgress, BarMovesWhenTheCountExceedsTheUnit)
{
    ScriptedRig rig;
    rig.radio.respond = WillingRadio;
    BlockWriter routine(16, 4);
    rig.start(routine);
    rig.runToEnd();
    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::Success);
    // Link accepted +1; after block 1 the count equals the unit and the bar
    // stays; blocks 2 and 3 move it by 5; the last stage sets 100.
    EXPECT_EQ(rig.bar, (std::vector<int>{0, 1, 6, 11, 100}));

    BlockWriter unitless(0, 4);
    rig.start(unitless);
    rig.runToEnd();
    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::Success);
    EXPECT_EQ(rig.bar, (std::vector<int>{0, 1, 100}));
}

TEST(EngineEndings, EndMarkerThenTenMillisecondsThenSuccess)
{
    ScriptedRig rig;
    rig.radio.respond = WillingRadio;
    BlockWriter routine(10, 2);
    int storedWhenEnded = -1;
    rig.start(routine);
    rig.engine->onEnded = [&](TransferOutcome) {
        rig.endedAt = rig.clock.nowMs();
        rig.timersLiveAtEnd = rig.engine->anyTimerActive();
        storedWhenEnded = routine.stored;
    };
    rig.runToEnd();

    ASSERT_EQ(rig.engine->outcome(), TransferOutcome::Success);
    const auto& last = rig.radio.sent.back();
    EXPECT_EQ(last.message, QByteArray("E").leftJustified(64, char(0)));
    EXPECT_EQ(rig.endedAt, last.at + TransferEngine::kEndMarkerWaitMs);
    EXPECT_FALSE(rig.timersLiveAtEnd);
    // The routine stores its data only after the outcome was shown.
    EXPECT_EQ(storedWhenEnded, 0);
    EXPECT_EQ(routine.stored, 1);
    EXPECT_EQ(routine.closed, 1);
}

TEST(EngineEndings, ClosingMidRunStopsEverythingWithoutEndMarker)
{
    ScriptedRig rig;
    rig.radio.respond = WillingRadio;
    // Replies judged on arrival take 1 ms each: 500 blocks outlast 200 ms.
    BlockWriter routine(10, 500);
    rig.start(routine);
    rig.clock.advance(200);
    ASSERT_TRUE(rig.engine->running());

    rig.engine->FormClose();
    const std::size_t sent = rig.radio.sent.size();
    rig.clock.advance(20000);

    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::Closed);
    EXPECT_EQ(rig.radio.sent.size(), sent);
    EXPECT_FALSE(rig.radio.sent.back().message.startsWith('E'));
    EXPECT_FALSE(rig.engine->anyTimerActive());
    EXPECT_EQ(routine.stored, 0);
    EXPECT_EQ(routine.closed, 1);
}

TEST(EngineEndings, NoRadioFailsAtOnceWithoutSending)
{
    ScriptedRig rig;
    rig.radio.present = false;
    BlockWriter routine(10, 1);
    rig.start(routine);
    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::CommunicationFailure);
    EXPECT_EQ(rig.endedAt, 0);
    rig.clock.advance(10000);
    EXPECT_TRUE(rig.radio.sent.empty());
}

// The status readout has no link request: its routine sends its own request in
// the link step and judges the replies there.
class StatusLikeRoutine : public OperationRoutine {
public:
    void run(TransferEngine& engine) override
    {
        if (engine.OperationStage == 2) {
            engine.setProgress(100);
            engine.SuccessEnding();
            return;
        }
        const uint8_t request[] = {'1', 'R'};
        engine.link().Agr_HidWrite(request, 2);
    }
    void linkReply(TransferEngine& engine) override
    {
        HidLink& link = engine.link();
        if (link.ReceiveCount < 2)
            return;
        if (link.ReceiveBuffer[0] != 'Y' || link.ReceiveBuffer[1] != 'S') {
            link.ReceiveCount = 0;
            return;
        }
        engine.OperationStage = 2;
        run(engine);
    }
    bool drivesLinkStep() const override { return true; }
};

TEST(EngineHooks, RoutineDrivingTheLinkStep)
{
    ScriptedRig rig;
    int requests = 0;
    rig.radio.respond = [&](const QByteArray&) { return QByteArray(++requests == 1 ? "XX" : "YS"); };
    StatusLikeRoutine routine;
    rig.start(routine);
    rig.runToEnd();

    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::Success);
    EXPECT_EQ(rig.sendTimes("1R"), (std::vector<int64_t>{100, 1100}));
    EXPECT_FALSE(rig.radio.sent.back().message.startsWith('E'));
}

TEST(EngineHooks, RejectedWriteIsSentAgainWhenTheRoutineAsksForIt)
{
    ScriptedRig rig;
    int writes = 0;
    rig.radio.respond = [&](const QByteArray& m) -> QByteArray {
        if (m.startsWith('W') && ++writes == 1)
            return QByteArray(1, 0x15);
        return WillingRadio(m);
    };
    BlockWriter routine(10, 2);
    routine.skipPassword = true;
    routine.ignoreRejected = true;
    rig.start(routine);
    rig.runToEnd();

    EXPECT_EQ(rig.engine->outcome(), TransferOutcome::Success);
    std::vector<int64_t> firstBlock;
    for (const auto& s : rig.radio.sent)
        if (s.message.startsWith(QByteArray("W\x50\x00", 3)))
            firstBlock.push_back(s.at);
    ASSERT_EQ(firstBlock.size(), 2u);
    EXPECT_EQ(firstBlock[1] - firstBlock[0], 1000);
    EXPECT_TRUE(rig.sendTimes("R").empty());
}

} // namespace
} // namespace lt::test
