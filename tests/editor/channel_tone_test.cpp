#include "channel_page_fixture.h"

#include "editor/ChannelToneRule.h"

#include <vector>

using namespace lt;
using lt::test::ChannelPageTest;

TEST(ChannelToneRule, SwitchingTheDecodeToneMovesTheSquelchMode)
{
    struct Case {
        uint8_t dtmf;
        uint8_t modeWithTone;
        uint8_t modeAfterOff;
    };
    // Turning the decode tone off keeps DTMF squelch only for a DTMF channel
    // that needed DTMF together with or instead of the tone.
    const std::vector<Case> cases = {
        {0, kSquelchTone, kSquelchCarrier},      {1, kSquelchTone, kSquelchCarrier},
        {0, kSquelchDtmfAndTone, kSquelchCarrier}, {1, kSquelchDtmfAndTone, kSquelchDtmf},
        {1, kSquelchDtmfOrTone, kSquelchDtmf},     {1, kSquelchDtmf, kSquelchCarrier},
    };
    for (const Case& c : cases) {
        CodeplugModel model;
        ChannelRecord channel = model.channel(1);
        channel.setChInfor_Dtmf(c.dtmf);
        channel.setRxTone(885, kToneCtcss);
        channel.setCh_SquelchMode(c.modeWithTone);
        SetChannelDecodeTone(channel, Tone{kToneCodeNone, kToneNone});
        EXPECT_EQ(channel.Ch_SquelchMode(), c.modeAfterOff) << int(c.dtmf) << " " << int(c.modeWithTone);
        EXPECT_EQ(channel.TxToneType(), kToneNone);
        EXPECT_EQ(channel.TxToneCode(), kToneCodeNone);
    }
}

TEST(ChannelToneRule, OnlyATonelessCarrierChannelSwitchesToToneSquelch)
{
    CodeplugModel model;
    ChannelRecord channel = model.channel(1);
    channel.setCh_SquelchMode(kSquelchDtmf);
    SetChannelDecodeTone(channel, Tone{885, kToneCtcss});
    EXPECT_EQ(channel.Ch_SquelchMode(), kSquelchDtmf);

    channel.setCh_SquelchMode(kSquelchCarrier);
    SetChannelDecodeTone(channel, Tone{1000, kToneCtcss});
    EXPECT_EQ(channel.Ch_SquelchMode(), kSquelchCarrier) << "the channel had a tone already";

    // A rejected text keeps the decode tone but still copies it over the
    // encode tone; the encode column never touches the mode.
    channel.setTxTone(0x2813, kToneDcsNormal);
    SetChannelDecodeTone(channel, std::nullopt);
    EXPECT_EQ(channel.RxToneCode(), 1000);
    EXPECT_EQ(channel.TxToneCode(), 1000);
    EXPECT_EQ(channel.TxToneType(), kToneCtcss);
    SetChannelEncodeTone(channel, Tone{kToneCodeNone, kToneNone});
    SetChannelEncodeTone(channel, std::nullopt);
    EXPECT_EQ(channel.TxToneType(), kToneNone);
    EXPECT_EQ(channel.RxToneType(), kToneCtcss);
    EXPECT_EQ(channel.Ch_SquelchMode(), kSquelchCarrier);
}

using ChannelToneTest = ChannelPageTest;

TEST_F(ChannelToneTest, TypingADecodeToneSetsBothTonesAndTheSquelchMode)
{
    useChannel(4, 438000000);
    doubleClick(3, 4);
    ASSERT_TRUE(toneBox()->isVisible());
    EXPECT_EQ(toneBox()->currentText(), QStringLiteral("Off"));
    QTest::keyClicks(toneBox(), "88.5");
    leaveEditor();

    const ChannelRecord channel = program.model.channel(4);
    EXPECT_EQ(channel.RxToneCode(), 885);
    EXPECT_EQ(channel.RxToneType(), kToneCtcss);
    EXPECT_EQ(channel.TxToneCode(), 885);
    EXPECT_EQ(channel.TxToneType(), kToneCtcss);
    EXPECT_EQ(channel.Ch_SquelchMode(), kSquelchTone);
    EXPECT_EQ(page->cellText(3, 4), QStringLiteral("88.5"));
    EXPECT_EQ(page->cellText(4, 4), QStringLiteral("88.5"));
    EXPECT_FALSE(toneBox()->isVisible());
    EXPECT_FALSE(find<QLabel>("sTiShi_0")->isVisible());

    // Back to "Off" with Enter.
    program.model.channel(4).setChInfor_Dtmf(1);
    program.model.channel(4).setCh_SquelchMode(kSquelchDtmfOrTone);
    keyOnCell(3, 4, Qt::Key_Return);
    ASSERT_TRUE(toneBox()->isVisible());
    QTest::keyClicks(toneBox(), "Off");
    EXPECT_EQ(toneBox()->currentText(), QStringLiteral("88.5")) << "letters other than D, N and I are dropped";
    toneBox()->setCurrentIndex(0); // picked from the drop-down list
    QTest::keyClick(toneBox(), Qt::Key_Return);
    EXPECT_EQ(program.model.channel(4).Ch_SquelchMode(), kSquelchDtmf);
    EXPECT_EQ(program.model.channel(4).RxToneType(), kToneNone);
    EXPECT_EQ(page->cellText(4, 4), QStringLiteral("Off"));
}

TEST_F(ChannelToneTest, LeavingAnUnchangedDecodeToneCopiesItOverTheEncodeTone)
{
    useChannel(10, 145000000);
    program.model.channel(10).setRxTone(885, kToneCtcss);
    program.model.channel(10).setTxTone(1000, kToneCtcss);
    page->StringGridUpdateRow(10);
    EXPECT_EQ(page->cellText(4, 10), QStringLiteral("100.0"));

    doubleClick(3, 10);
    leaveEditor();
    EXPECT_EQ(program.model.channel(10).TxToneCode(), 885);
    EXPECT_EQ(page->cellText(4, 10), QStringLiteral("88.5"));

    // The encode column is a tone of its own.
    doubleClick(4, 10);
    toneBox()->lineEdit()->selectAll();
    QTest::keyClicks(toneBox(), "d023i");
    EXPECT_EQ(toneBox()->currentText(), QStringLiteral("D023I"));
    leaveEditor();
    EXPECT_EQ(program.model.channel(10).TxToneCode(), 0x2813);
    EXPECT_EQ(program.model.channel(10).TxToneType(), kToneDcsInverted);
    EXPECT_EQ(program.model.channel(10).RxToneCode(), 885);
}

TEST_F(ChannelToneTest, LowerCaseDcsIsTypedAsCapitalsAndTheBoxHoldsFiveCharacters)
{
    useChannel(1, 438000000);
    keyOnCell(3, 1, Qt::Key_D, 'd');
    ASSERT_TRUE(toneBox()->isVisible());
    EXPECT_EQ(toneBox()->lineEdit()->selectedText(), QStringLiteral("Off")) << "the opening key is not typed";
    QTest::keyClicks(toneBox(), "d0x23n9");
    EXPECT_EQ(toneBox()->currentText(), QStringLiteral("D023N"));
    leaveEditor();
    EXPECT_EQ(program.model.channel(1).RxToneCode(), 0x2813);
    EXPECT_EQ(program.model.channel(1).RxToneType(), kToneDcsNormal);
    EXPECT_EQ(page->cellText(3, 1), QStringLiteral("D023N"));
}

TEST_F(ChannelToneTest, ANonstandardToneIsStoredAndMarked)
{
    useChannel(2, 438000000);
    useChannel(3, 438000000);
    doubleClick(3, 2);
    const QPoint boxAt = toneBox()->pos();
    QTest::keyClicks(toneBox(), "88.4");
    leaveEditor();

    EXPECT_EQ(program.model.channel(2).RxToneCode(), 884);
    EXPECT_EQ(program.model.channel(2).RxToneType(), kToneCtcss);
    QLabel* mark = find<QLabel>("sTiShi_0");
    EXPECT_TRUE(mark->isVisible());
    EXPECT_EQ(mark->text(), QStringLiteral("Nonstandard value"));
    EXPECT_EQ(mark->pos(), boxAt + QPoint(50, 20));

    // The mouse over the tone cell shows the same hint; a standard tone none.
    mouseOver(4, 2);
    EXPECT_EQ(grid()->toolTip(), QStringLiteral("Nonstandard value"));
    mouseOver(3, 3);
    EXPECT_TRUE(grid()->toolTip().isEmpty());
    mouseOver(3, 2);
    EXPECT_EQ(grid()->toolTip(), QStringLiteral("Nonstandard value"));
    EXPECT_EQ(grid()->model()->index(1, 2).data(Qt::ToolTipRole).toString(), QStringLiteral("Nonstandard value"));

    // A click on the grid takes the mark away; a standard tone hides it too.
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellRect(6, 6).center());
    EXPECT_FALSE(mark->isVisible());
    doubleClick(3, 2);
    QTest::keyClicks(toneBox(), "88.4");
    leaveEditor();
    EXPECT_TRUE(mark->isVisible());
    doubleClick(3, 2);
    QTest::keyClicks(toneBox(), "88.5");
    leaveEditor();
    EXPECT_FALSE(mark->isVisible());
}
