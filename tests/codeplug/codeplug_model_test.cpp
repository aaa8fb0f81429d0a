#include "codeplug/CodeplugModel.h"

#include <gtest/gtest.h>

using namespace lt;

TEST(CodeplugModel, NewCodeplugHasTheDocumentedDefaults)
{
    CodeplugModel m;
    m.set(cp::TOT, 30);
    m.SetChannelUsed(5, true);
    m.SetCodeplugDefaults();

    EXPECT_FALSE(m.AnyChannelUsed());
    EXPECT_EQ(m.vfoA().RxFreq(), 400025000u);
    EXPECT_EQ(m.vfoA().TxFreq(), 400025000u);
    EXPECT_EQ(m.vfoB().RxFreq(), 136025000u);
    EXPECT_EQ(m.vfoA().ChInfor_Bandwidth(), 1);
    EXPECT_EQ(m.vfoA().ChInfor_Pow(), 1);
    EXPECT_EQ(m.vfoB().ChInfor_SCN(), 1);
    EXPECT_EQ(m.vfoB().RxToneType(), 0);
    EXPECT_EQ(m.text(cp::PowerOnMsg), QByteArray("WELCOME"));
    EXPECT_EQ(m.get(cp::Step_A), 12500u);
    EXPECT_EQ(m.get(cp::Step_B), 12500u);
    EXPECT_EQ(m.get(cp::TOT), 180u);
    EXPECT_EQ(m.get(cp::D_Pretime), 500u);
    // The file bytes a new codeplug starts with.
    EXPECT_EQ(0, std::memcmp(m.block().data() + 19993, "WELCOME\0\0", 9));
    for (int i = 20024; i < 20056; ++i)
        EXPECT_EQ(m.block()[i], 0) << i;
}

TEST(CodeplugModel, ChannelAndAddressBookMapsIgnoreOutOfRangeEntries)
{
    CodeplugModel m;
    m.SetChannelUsed(0, true);
    m.SetChannelUsed(241, true);
    EXPECT_FALSE(m.AnyChannelUsed());
    EXPECT_FALSE(m.IsChannelUsed(0));
    m.SetChannelUsed(240, true);
    EXPECT_TRUE(m.IsChannelUsed(240));
    EXPECT_EQ(m.block()[cp::ChannelUsedMap.offset + 30], 0x01);
    m.SetChannelUsed(9, true);
    EXPECT_EQ(m.block()[cp::ChannelUsedMap.offset + 1], 0x02);
    m.SetChannelUsed(240, false);
    EXPECT_EQ(m.UsedChannelCount(), 1);

    m.SetAddrBookEntryUsed(16, true);
    m.SetAddrBookEntryUsed(17, true);
    EXPECT_TRUE(m.IsAddrBookEntryUsed(16));
    EXPECT_FALSE(m.IsAddrBookEntryUsed(17));
    EXPECT_EQ(m.block()[cp::AddrBookUsedMap.offset + 2], 0x01);
}

TEST(CodeplugModel, ANewChannelGetsItsDefaultsAndKeepsItsName)
{
    CodeplugModel m;
    ChannelRecord c = m.channel(7);
    c.setChName(QByteArrayLiteral("REPEATER"));
    c.setRxFreq(438500000);
    c.setTxFreq(1);
    c.setRxTone(885, 1);
    c.setSignalling(0x1A);
    c.setScrambler(3);
    c.setToneByte(0xF2);
    m.StringGridAutoFullRow(7);
    EXPECT_EQ(c.TxFreq(), 438500000u);
    EXPECT_EQ(c.RxToneType(), 0);
    EXPECT_EQ(c.RxToneCode(), 0);
    EXPECT_EQ(c.Ch_SquelchMode(), 0);
    EXPECT_EQ(c.option(), 0xB0);
    EXPECT_EQ(c.ChInfor_Bandwidth(), 1);
    EXPECT_EQ(c.ChInfor_Pow(), 1);
    EXPECT_EQ(c.ChInfor_SCN(), 1);
    EXPECT_EQ(c.ChInfor_Dtmf(), 0);
    EXPECT_EQ(c.scrambler(), 0);
    EXPECT_EQ(c.toneByte(), 0);
    EXPECT_EQ(c.ChName(), QByteArray("REPEATER"));
}

TEST(CodeplugModel, RecordFieldsLandAtTheirFileOffsets)
{
    CodeplugModel m;
    ChannelRecord c = m.channel(2);
    c.setRxFreq(145500000);
    c.setTxTone(0x2813, 3);
    c.setChInfor_BusyFit(2);
    c.setCh_SquelchMode(4);
    c.setChInfor_JiaMi(3);
    c.setOffsetDir(2);
    c.setChName(QByteArrayLiteral("0123456789AB"));
    const uint8_t* r = m.block().data() + 1364 + 76 * 2;
    EXPECT_EQ(r[0], 0x60);
    EXPECT_EQ(r[3], 0x08);
    EXPECT_EQ(r[41], 0x13);
    EXPECT_EQ(r[42], 0x28);
    EXPECT_EQ(r[43], 3);
    EXPECT_EQ(r[57], (2 << 3) | 4);
    EXPECT_EQ(r[58] & 0x0C, 0x0C);
    EXPECT_EQ(r[60] & 0x03, 2);
    EXPECT_EQ(0, std::memcmp(r + 61, "0123456789", 10)) << "a full name has no terminator";
    EXPECT_EQ(r[71], 0) << "the name never spills into the reserved bytes";
    EXPECT_EQ(c.ChName(), QByteArray("0123456789"));

    c.refreshToneTypeCopies();
    c.setRxTone(885, 1);
    c.refreshToneTypeCopies();
    EXPECT_EQ(c.toneByte(), 0x02 | (1 << 4) | (3 << 6));
}

TEST(CodeplugModel, TextAndDigitFieldsStayWithinTheirWidth)
{
    CodeplugModel m;
    m.setText(cp::PowerOnMsg, QByteArrayLiteral("ABCDEFGHIJKL"));
    EXPECT_EQ(m.text(cp::PowerOnMsg), QByteArray("ABCDEFGH"));
    EXPECT_EQ(m.block()[cp::PowerOnMsg.offset + 8], 0);
    EXPECT_EQ(m.block()[cp::AutoConnect.offset], 0);

    m.setDigitCodes(cp::ANI, QByteArray("\x01\x02\x0F", 3));
    EXPECT_EQ(m.digitCodes(cp::ANI), QByteArray("\x01\x02\x0F", 3));
    EXPECT_EQ(m.block()[cp::ANI.offset + 10], 3);
    m.block()[cp::ANI.offset + 10] = 200; // a damaged count from a file
    EXPECT_EQ(m.digitCodes(cp::ANI).size(), 10);
}
