#include "editing_fixture.h"

#include "codeplug/ChannelSearch.h"

#include <gtest/gtest.h>

using namespace lt;
using namespace lt::test;

namespace {

class ChannelRowsTest : public ::testing::Test {
protected:
    void SetUp() override { FillEditingCodeplug(model); }
    CodeplugModel model;
};

} // namespace

TEST_F(ChannelRowsTest, RefusedOperationsChangeNothing)
{
    const Block before = BytesOf(model);
    struct Case {
        const char* what;
        std::function<bool(CodeplugModel&)> run;
    };
    const Case cases[] = {
        {"a paste running past channel 240", [](CodeplugModel& m) { return PasteChannels(m, 239, CopyChannels(m, {1, 2, 3})); }},
        {"a paste at channel 0", [](CodeplugModel& m) { return PasteChannels(m, 0, CopyChannels(m, {1})); }},
        {"an insert while channel 240 is in use",
         [](CodeplugModel& m) {
             CodeplugModel full = m;
             full.SetChannelUsed(240, true);
             const Block was = BytesOf(full);
             const bool done = InsertEmptyChannel(full, 5);
             EXPECT_EQ(BytesOf(full), was);
             return done;
         }},
        {"a move up from channel 1", [](CodeplugModel& m) { return MoveChannels(m, {1, 2}, -1); }},
        {"a move down from channel 240", [](CodeplugModel& m) { return MoveChannels(m, {239, 240}, 1); }},
        {"a move of nothing", [](CodeplugModel& m) { return MoveChannels(m, {0, 241}, 1); }},
        {"a move by two", [](CodeplugModel& m) { return MoveChannels(m, {5}, 2); }},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(c.run(model)) << c.what;
        EXPECT_EQ(BytesOf(model), before) << c.what;
    }
}

TEST_F(ChannelRowsTest, ChannelsKeepEveryByteAndTheirUsedBitWhenTheyMove)
{
    const ChannelSlot unused = TakeChannel(model, 205);
    ASSERT_FALSE(unused.used);
    const ChannelSlot used = TakeChannel(model, 10);
    ASSERT_TRUE(MoveChannels(model, {205}, -1));
    EXPECT_EQ(TakeChannel(model, 204), unused) << "an unused channel's old bytes travel with it";
    ASSERT_TRUE(InsertEmptyChannel(model, 10));
    EXPECT_EQ(TakeChannel(model, 11), used);
    EXPECT_EQ(TakeChannel(model, 10), ChannelSlot{}) << "an inserted channel is empty throughout";
    RemoveChannels(model, {10});
    EXPECT_EQ(TakeChannel(model, 10), used);
    EXPECT_EQ(TakeChannel(model, 240), ChannelSlot{});
}

TEST_F(ChannelRowsTest, ClearingKeepsTheRecordBehindTheClearBit)
{
    const ChannelSlot before = TakeChannel(model, 33);
    ClearChannels(model, {33, 0, 999});
    const ChannelSlot after = TakeChannel(model, 33);
    EXPECT_FALSE(after.used);
    EXPECT_EQ(after.record, before.record);
}

TEST_F(ChannelRowsTest, FindLooksAtNamesAndFrequenciesOfChannelsInUseGoingRound)
{
    model.channel(50).setChName(QByteArrayLiteral("Tower"));
    model.channel(120).setChName(QByteArrayLiteral("TOWER 2"));
    model.channel(210).setChName(QByteArrayLiteral("tower x")); // not in use
    struct Case {
        const char* text;
        int after;
        int found;
    };
    const Case cases[] = {
        {"tower", 0, 50},  {"tower", 50, 120}, {"tower", 120, 50}, {"OWE", 49, 50},
        {"", 0, 0},        {"nothing", 0, 0},  {"  tower ", 60, 120},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindChannel(model, QString::fromLatin1(c.text), c.after), c.found) << c.text << " after " << c.after;

    model.channel(77).setRxFreq(469992500);
    EXPECT_EQ(FindChannel(model, QStringLiteral("469.9925"), 0), 77);
    model.channel(78).setTxFreq(173992500);
    EXPECT_EQ(FindChannel(model, QStringLiteral("173.9925"), 0), 78) << "the transmit frequency counts too";
}
