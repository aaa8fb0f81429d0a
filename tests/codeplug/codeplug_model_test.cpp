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
