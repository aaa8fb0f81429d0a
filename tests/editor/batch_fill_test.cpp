#include "codeplug/ToneTables.h"
#include "editor/ChannelBatchFill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

using namespace lt;

TEST(ChannelBatchFill, FrequenciesGrowByTheStepOverTheRange)
{
    CodeplugModel model;
    ChannelBatch batch;
    batch.startChannel = 1;
    batch.endChannel = 10;
    batch.rxStart = 438000000;
    batch.txStart = 438000000;
    batch.step = 12500;
    ASSERT_TRUE(FillChannels(model, batch));
    for (int n = 1; n <= 10; ++n) {
        const uint32_t expected = 438000000 + uint32_t(n - 1) * 12500;
        EXPECT_TRUE(model.IsChannelUsed(n)) << n;
        EXPECT_EQ(model.channel(n).RxFreq(), expected) << n;
        EXPECT_EQ(model.channel(n).TxFreq(), expected) << n;
    }
    EXPECT_EQ(model.UsedChannelCount(), 10);
    EXPECT_EQ(model.channel(10).RxFreq(), 438112500u);
}

TEST(ChannelBatchFill, ARunIntoTheBandGapContinuesFromTheUpperBand)
{
    CodeplugModel model;
    ChannelBatch batch;
    batch.endChannel = 6;
    batch.rxStart = 173000000;
    batch.txStart = 136000000;
    batch.step = 500000;
    ASSERT_TRUE(FillChannels(model, batch));
    const std::array<uint32_t, 6> rx = {173000000, 173500000, 174000000, 400000000, 400500000, 401000000};
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(model.channel(n).RxFreq(), rx[n - 1]) << n;
    // The transmit side follows the re-based offset; where that lands in the
    // gap it is lifted to the bottom of the upper band.
    EXPECT_EQ(model.channel(3).TxFreq(), 137000000u);
    EXPECT_EQ(model.channel(4).TxFreq(), 400000000u);
    EXPECT_EQ(model.channel(6).TxFreq(), 400000000u);
}

TEST(ChannelBatchFill, FrequenciesRunningPastTheTopAreClamped)
{
    CodeplugModel model;
    ChannelBatch batch;
    batch.startChannel = 238;
    batch.endChannel = 240;
    batch.rxStart = 469000000;
    batch.txStart = 100000000;
    batch.step = 9999500;
    ASSERT_TRUE(FillChannels(model, batch));
    EXPECT_EQ(model.channel(238).RxFreq(), 469000000u);
    EXPECT_EQ(model.channel(239).RxFreq(), 470000000u);
    EXPECT_EQ(model.channel(240).RxFreq(), 470000000u);
    EXPECT_EQ(model.channel(238).TxFreq(), 136000000u);
    EXPECT_EQ(model.channel(240).TxFreq(), 136000000u);
}

TEST(ChannelBatchFill, StartAfterEndChangesNothing)
{
    CodeplugModel model;
    model.channel(4).setRxFreq(145000000);
    std::vector<uint8_t> before(model.block().begin(), model.block().end());
    ChannelBatch batch;
    batch.startChannel = 5;
    batch.endChannel = 3;
    batch.rxStart = 438000000;
    EXPECT_FALSE(FillChannels(model, batch));
    EXPECT_TRUE(std::equal(before.begin(), before.end(), model.block().begin()));
}

TEST(ChannelBatchFill, OptionsAreSetAfreshAndTheNameStays)
{
    CodeplugModel model;
    ChannelRecord channel = model.channel(2);
    channel.setChName(QByteArrayLiteral("HOME"));
    channel.setSignalling(0xFF);
    channel.setOption(0xFF);
    channel.setScrambler(0xFF);
    channel.setToneByte(0xFF);

    ChannelBatch batch;
    batch.startChannel = 2;
    batch.endChannel = 2;
    batch.rxStart = 145000000;
    batch.txStart = 145600000;
    batch.decodeTone = Tone{885, kToneCtcss};
    batch.encodeTone = Tone{0x2813, kToneDcsInverted};
    batch.power = 0;
    batch.bandwidth = 0;
    batch.scan = 1;
    batch.busyLock = 2;
    ASSERT_TRUE(FillChannels(model, batch));

    EXPECT_EQ(channel.ChName(), QByteArrayLiteral("HOME"));
    EXPECT_EQ(channel.TxFreq(), 145600000u);
    EXPECT_EQ(channel.RxToneCode(), 885);
    EXPECT_EQ(channel.RxToneType(), kToneCtcss);
    EXPECT_EQ(channel.TxToneCode(), 0x2813);
    EXPECT_EQ(channel.TxToneType(), kToneDcsInverted);
    EXPECT_EQ(channel.signalling(), 2 << 3);
    EXPECT_EQ(channel.option(), 0x80);
    EXPECT_EQ(channel.scrambler(), 0);
    EXPECT_EQ(channel.toneByte(), 0);
}
