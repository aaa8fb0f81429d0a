#include "editing_fixture.h"

#include "codeplug/ChannelClipboard.h"
#include "codeplug/ChannelCsv.h"
#include "codeplug/EditHistory.h"
#include "editor/ChannelBatchFill.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <numeric>
#include <random>

using namespace lt;
using namespace lt::test;

namespace {

EditLabel Label(EditKind kind, int detail = 0, int first = 0, int last = 0)
{
    return {kind, detail, first, last, {}};
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> channels(static_cast<std::size_t>(last - first + 1));
    std::iota(channels.begin(), channels.end(), first);
    return channels;
}

// One operation of the table: what it does to the codeplug, and the bytes it
// must leave worked out independently from the bytes before it.
struct Operation {
    const char* name;
    EditLabel label;
    std::function<void(CodeplugModel&)> run;
    std::function<Block(const CodeplugModel& before)> expected;
};

// The values a channel gets when it is filled anew, none stored as noneCode.
void AsNewChannel(ChannelRecord r, uint32_t hz, uint16_t noneCode)
{
    r.setRxFreq(hz);
    r.setTxFreq(hz);
    r.setRxTone(noneCode, 0);
    r.setTxTone(noneCode, 0);
    r.setSignalling(0);
    r.setOption(0xB0);
    r.setScrambler(0);
    r.setToneByte(0);
}

Block Set(const CodeplugModel& before, const std::function<void(CodeplugModel&)>& change)
{
    CodeplugModel copy = before;
    change(copy);
    return BytesOf(copy);
}

std::vector<Operation> Operations()
{
    return {
        {"a setting", Label(EditKind::Setting), [](CodeplugModel& m) { m.set(cp::SQL, 9); },
         [](const CodeplugModel& b) { Block e = BytesOf(b); e[cp::SQL.offset] = 9; return e; }},
        {"a channel name", Label(EditKind::ChannelField, 12, 12, 12),
         [](CodeplugModel& m) { m.channel(12).setChName(QByteArrayLiteral("NEWNAME")); },
         [](const CodeplugModel& b) {
             Block e = BytesOf(b);
             const std::size_t at = cp::Channels.offset + 12 * cp::ch::kSize + cp::ch::ChName;
             std::fill_n(e.begin() + at, cp::ch::kNameSize, 0);
             std::copy_n("NEWNAME", 7, e.begin() + at);
             return e;
         }},
        {"the receive frequency of VFO A", Label(EditKind::VfoControl, 0),
         [](CodeplugModel& m) { m.vfoA().setRxFreq(145500000); },
         [](const CodeplugModel& b) {
             Block e = BytesOf(b);
             const uint8_t le[] = {0x60, 0x27, 0xAC, 0x08};
             std::copy_n(le, 4, e.begin() + cp::VfoA.offset);
             return e;
         }},
        {"a batch fill of channels 10-20", Label(EditKind::BatchSet),
         [](CodeplugModel& m) {
             ChannelBatch batch;
             batch.startChannel = 10;
             batch.endChannel = 20;
             batch.rxStart = batch.txStart = 438000000;
             batch.step = 12500;
             ASSERT_TRUE(FillChannels(m, batch));
         },
         [](const CodeplugModel& b) {
             Slots s = SlotsOf(b);
             for (int n = 10; n <= 20; ++n) {
                 ChannelSlot& slot = s[static_cast<std::size_t>(n - 1)];
                 AsNewChannel(ChannelRecord(slot.record.data()), 438000000 + uint32_t(n - 10) * 12500, 0xFFFF);
                 slot.used = true;
             }
             return WithSlots(b, s);
         }},
        {"a CSV import of two channels", Label(EditKind::CsvImport),
         [](CodeplugModel& m) {
             ASSERT_TRUE(ImportChannelsCsv("Location,Frequency\n3,145.500000\n250,146.0\n", m).errors.size() == 1);
             ASSERT_TRUE(ImportChannelsCsv("Location,Frequency\n3,145.500000\n201,146.0\n", m).ok());
         },
         [](const CodeplugModel& b) {
             Slots s = SlotsOf(b);
             for (ChannelSlot& slot : s)
                 slot.used = false;
             s[2].used = true;
             ChannelRecord three(s[2].record.data());
             three.setRxFreq(145500000);
             three.setTxFreq(145500000);
             three.setRxTone(0, 0);
             three.setTxTone(0, 0);
             three.setOption(static_cast<uint8_t>((three.option() & ~0xB0) | 0xB0));
             three.setChName({});
             three.refreshToneTypeCopies();
             ChannelSlot& fresh = s[200];
             AsNewChannel(ChannelRecord(fresh.record.data()), 146000000, 0);
             ChannelRecord(fresh.record.data()).setChName({});
             fresh.used = true;
             return WithSlots(b, s);
         }},
        {"a raw paste of channels 1-3 at 100", Label(EditKind::Paste, 0, 100, 102),
         [](CodeplugModel& m) { ASSERT_TRUE(PasteChannels(m, 100, CopyChannels(m, {1, 2, 3}))); },
         [](const CodeplugModel& b) {
             Slots s = SlotsOf(b);
             std::copy_n(s.begin(), 3, s.begin() + 99);
             return WithSlots(b, s);
         }},
        {"a text paste at 230", Label(EditKind::Paste, 0, 230, 231),
         [](CodeplugModel& m) {
             ASSERT_EQ(PasteChannelText(m, 230, QStringLiteral("1\tA\t145.5\n2\tB\t440.0\n")).outcome, TextPaste::Pasted);
         },
         [](const CodeplugModel& b) {
             return Set(b, [](CodeplugModel& m) {
                 for (const auto& [n, hz, name] : {std::tuple{230, 145500000u, "A"}, std::tuple{231, 440000000u, "B"}}) {
                     m.StringGridAutoFullRow(n);
                     ChannelRecord r = m.channel(n);
                     r.setRxFreq(hz);
                     r.setTxFreq(hz);
                     r.setRxTone(0, 0);
                     r.setTxTone(0, 0);
                     r.setChName(QByteArray(name));
                     m.SetChannelUsed(n, true);
                 }
             });
         }},
        {"a delete of channels 5-9", Label(EditKind::Delete, 0, 5, 9),
         [](CodeplugModel& m) { ClearChannels(m, Range(5, 9)); },
         [](const CodeplugModel& b) {
             Slots s = SlotsOf(b);
             for (int n = 5; n <= 9; ++n)
                 s[static_cast<std::size_t>(n - 1)].used = false;
             return WithSlots(b, s);
         }},
        {"an empty channel inserted at 3", Label(EditKind::InsertEmpty, 0, 3, 3),
         [](CodeplugModel& m) { ASSERT_TRUE(InsertEmptyChannel(m, 3)); },
         [](const CodeplugModel& b) {
             Slots s = SlotsOf(b);
             s.insert(s.begin() + 2, ChannelSlot{});
             s.pop_back();
             return WithSlots(b, s);
         }},
        {"a removal of channels 7, 9 and 11", Label(EditKind::Remove, 0, 7, 11),
         [](CodeplugModel& m) { RemoveChannels(m, {11, 7, 9}); },
         [](const CodeplugModel& b) {
             Slots s = SlotsOf(b);
             for (int n : {11, 9, 7})
                 s.erase(s.begin() + n - 1);
             s.resize(cp::kChannelCount);
             return WithSlots(b, s);
         }},
        {"a move of channels 20-25 up", Label(EditKind::MoveUp, 0, 20, 25),
         [](CodeplugModel& m) { ASSERT_TRUE(MoveChannels(m, Range(20, 25), -1)); },
         [](const CodeplugModel& b) {
             Slots s = SlotsOf(b);
             std::rotate(s.begin() + 18, s.begin() + 19, s.begin() + 25);
             return WithSlots(b, s);
         }},
        {"a move of channels 30 and 32 down", Label(EditKind::MoveDown, 0, 30, 32),
         [](CodeplugModel& m) { ASSERT_TRUE(MoveChannels(m, {30, 32}, 1)); },
         [](const CodeplugModel& b) {
             Slots s = SlotsOf(b);
             std::swap(s[31], s[32]);
             std::swap(s[29], s[30]);
             return WithSlots(b, s);
         }},
        {"a sort of every channel by frequency", Label(EditKind::SortByFrequency),
         [](CodeplugModel& m) { SortChannels(m, SortKey::Frequency); },
         [](const CodeplugModel& b) {
             Slots s = SlotsOf(b);
             std::ranges::stable_sort(s, [](const ChannelSlot& x, const ChannelSlot& y) {
                 if (x.used != y.used)
                     return x.used;
                 return x.used && ChannelRecord(const_cast<uint8_t*>(x.record.data())).RxFreq()
                                      < ChannelRecord(const_cast<uint8_t*>(y.record.data())).RxFreq();
             });
             return WithSlots(b, s);
         }},
        {"a sort of channels 195-205 by name", Label(EditKind::SortByName, 0, 195, 205),
         [](CodeplugModel& m) {
             m.channel(196).setChName(QByteArrayLiteral("alpha"));
             m.channel(197).setChName(QByteArrayLiteral("Beta"));
             m.channel(195).setChName({});
             m.channel(198).setChName(QByteArrayLiteral("ALPHA"));
             m.channel(199).setChName(QByteArrayLiteral("Zulu"));
             SortChannels(m, SortKey::Name, Range(195, 205));
         },
         [](const CodeplugModel& b) {
             Slots s = SlotsOf(b);
             const auto named = [&](int n, const char* name) {
                 ChannelRecord(s[static_cast<std::size_t>(n - 1)].record.data()).setChName(QByteArray(name));
             };
             named(196, "alpha");
             named(197, "Beta");
             named(195, "");
             named(198, "ALPHA");
             named(199, "Zulu");
             // Named before unnamed, case not counting, equal names in their
             // order; channels not in use (200-205) after those in use.
             const std::vector<int> order = {196, 198, 197, 199, 195, 200, 201, 202, 203, 204, 205};
             Slots sorted = s;
             for (std::size_t i = 0; i < order.size(); ++i)
                 sorted[194 + i] = s[static_cast<std::size_t>(order[i] - 1)];
             return WithSlots(b, sorted);
         }},
    };
}

class EditHistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillEditingCodeplug(model);
        history.startFresh();
    }

    CodeplugModel model;
    EditHistory history{model};
};

} // namespace

TEST_F(EditHistoryTest, EachOperationIsOneStepThatUndoesAndRedoesByteForByte)
{
    for (const Operation& operation : Operations()) {
        SCOPED_TRACE(operation.name);
        FillEditingCodeplug(model);
        history.startFresh();
        const Block before = BytesOf(model);
        const Block expected = operation.expected(model);
        operation.run(model);
        ASSERT_EQ(BytesOf(model), expected);
        ASSERT_TRUE(history.record(operation.label));
        EXPECT_EQ(history.undoSteps(), 1);
        EXPECT_TRUE(history.isModified());

        history.undo();
        EXPECT_EQ(BytesOf(model), before);
        EXPECT_FALSE(history.isModified());
        EXPECT_FALSE(history.canUndo());
        history.redo();
        EXPECT_EQ(BytesOf(model), expected);
        EXPECT_FALSE(history.canRedo());
    }
}

TEST_F(EditHistoryTest, AStepThatChangesNothingIsNotRecorded)
{
    EXPECT_FALSE(history.record(Label(EditKind::Setting)));
    model.set(cp::SQL, model.get(cp::SQL));
    EXPECT_FALSE(history.record(Label(EditKind::Setting)));
    EXPECT_FALSE(history.canUndo());
}

TEST_F(EditHistoryTest, AChannelStepWithoutChannelsIsNamedAfterTheChannelsItChanged)
{
    model.channel(17).setTxFreq(0);
    model.SetChannelUsed(42, false);
    model.set(cp::TOT, 30);
    ASSERT_TRUE(history.record(Label(EditKind::BatchSet)));
    EXPECT_EQ(history.undoLabel().firstChannel, 17);
    EXPECT_EQ(history.undoLabel().lastChannel, 42);
}

TEST_F(EditHistoryTest, ANewStepDropsTheRedoStepsAndUndoingBackToTheCleanStateClearsTheMark)
{
    model.set(cp::SQL, 1);
    history.record(Label(EditKind::Setting));
    history.markClean();
    model.set(cp::SQL, 2);
    history.record(Label(EditKind::Setting));
    EXPECT_TRUE(history.isModified());
    history.undo();
    EXPECT_FALSE(history.isModified()) << "back at the saved codeplug";
    history.undo();
    EXPECT_TRUE(history.isModified()) << "before the saved codeplug";

    model.set(cp::SQL, 3);
    history.record(Label(EditKind::Setting));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undoSteps(), 1);
}

TEST_F(EditHistoryTest, KeepsTheNewestThousandSteps)
{
    for (int i = 1; i <= EditHistory::kDepth + 5; ++i) {
        model.set(cp::D_ID, static_cast<uint32_t>(100 + i));
        ASSERT_TRUE(history.record(Label(EditKind::Setting)));
    }
    EXPECT_EQ(history.undoSteps(), EditHistory::kDepth);
    while (history.canUndo())
        history.undo();
    EXPECT_EQ(model.get(cp::D_ID), 105u);
}

TEST_F(EditHistoryTest, AbsorbedChangesAreNoStepAndSettlePutsBackTheRecordedBytes)
{
    model.channel(1).setToneByte(0xFF);
    history.absorb();
    EXPECT_FALSE(history.record(Label(EditKind::Setting)));
    EXPECT_TRUE(history.isModified());

    model.set(cp::WorkModeLock, 1);
    history.settle();
    EXPECT_EQ(model.get(cp::WorkModeLock), 0u);
    EXPECT_EQ(model.channel(1).toneByte(), 0xFF);
}

// A write to the radio refreshes the tone-type copies of every record without
// a step of its own; the steps on either side still lead exactly where they
// led: undo to the bytes before a step, redo to the bytes after it.
TEST_F(EditHistoryTest, StepsAroundAbsorbedChangesStillLeadToTheirStates)
{
    const auto refreshToneCopies = [&] {
        for (int n = 1; n <= cp::kChannelCount; ++n) {
            ChannelRecord r = model.channel(n);
            r.setRxTone(r.RxToneCode(), static_cast<uint8_t>((r.RxToneType() + 1) % 4));
            r.refreshToneTypeCopies();
        }
    };
    const Block s0 = BytesOf(model);
    SortChannels(model, SortKey::Name);
    ASSERT_TRUE(history.record(Label(EditKind::SortByName)));
    const Block s1 = BytesOf(model);
    RemoveChannels(model, Range(1, 30));
    ASSERT_TRUE(history.record(Label(EditKind::Remove)));
    const Block s2 = BytesOf(model);

    history.undo();
    ASSERT_EQ(BytesOf(model), s1);
    refreshToneCopies();
    history.absorb();
    const Block s1Absorbed = BytesOf(model);
    ASSERT_NE(s1Absorbed, s1);

    history.redo();
    EXPECT_EQ(BytesOf(model), s2);
    history.undo();
    EXPECT_EQ(BytesOf(model), s1Absorbed);
    history.undo();
    EXPECT_EQ(BytesOf(model), s0);
    history.redo();
    EXPECT_EQ(BytesOf(model), s1Absorbed);
    history.redo();
    EXPECT_EQ(BytesOf(model), s2);

    refreshToneCopies();
    history.absorb();
    const Block s2Absorbed = BytesOf(model);
    history.undo();
    EXPECT_EQ(BytesOf(model), s1Absorbed);
    history.redo();
    EXPECT_EQ(BytesOf(model), s2Absorbed);
}

// 500 operations of every kind with random arguments, each recorded as a step;
// then everything is undone, checking each state on the way, and redone.
TEST_F(EditHistoryTest, RandomOperationsUndoToTheStartAndRedoToTheEnd)
{
    // LT_EDITING_SEED repeats a failed run.
    const char* given = std::getenv("LT_EDITING_SEED");
    const unsigned seed = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device{}();
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const auto someChannels = [&] {
        std::vector<int> channels;
        const int first = pick(1, 240);
        for (int n = first; n <= std::min(240, first + pick(0, 12)); n += pick(1, 3))
            channels.push_back(n);
        return channels;
    };

    const Block start = BytesOf(model);
    std::vector<Block> states{start};
    for (int i = 0; i < 500; ++i) {
        switch (pick(0, 10)) {
        case 0: model.set(cp::SQL, static_cast<uint32_t>(pick(0, 9))); break;
        case 1: model.channel(pick(1, 240)).setChName(QByteArray::number(pick(0, 99999))); break;
        case 2: PasteChannels(model, pick(1, 240), CopyChannels(model, someChannels())); break;
        case 3: ClearChannels(model, someChannels()); break;
        case 4: InsertEmptyChannel(model, pick(1, 240)); break;
        case 5: RemoveChannels(model, someChannels()); break;
        case 6: MoveChannels(model, someChannels(), pick(0, 1) ? 1 : -1); break;
        case 7: SortChannels(model, pick(0, 1) ? SortKey::Name : SortKey::Frequency, pick(0, 1) ? someChannels() : std::vector<int>{}); break;
        case 8: PasteChannelText(model, pick(1, 240), QStringLiteral("1,N%1,%2.125\n").arg(i).arg(pick(136, 173))); break;
        case 9: model.channel(pick(1, 240)).setRxFreq(static_cast<uint32_t>(pick(400000, 470000)) * 1000); break;
        default: model.SetChannelUsed(pick(1, 240), pick(0, 1) == 1); break;
        }
        if (history.record(Label(EditKind::Paste)))
            states.push_back(BytesOf(model));
    }
    ASSERT_GT(states.size(), 300u);
    ASSERT_EQ(static_cast<std::size_t>(history.undoSteps()), states.size() - 1);

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        history.undo();
        ASSERT_EQ(BytesOf(model), states[i - 1]) << "after undoing step " << i;
    }
    EXPECT_EQ(BytesOf(model), start);
    EXPECT_FALSE(history.canUndo());
    while (history.canRedo())
        history.redo();
    EXPECT_EQ(BytesOf(model), states.back());
}
