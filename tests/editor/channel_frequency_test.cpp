#include "channel_page_fixture.h"

#include "ui/ModalSeam.h"

#include <QStringList>
#include <array>
#include <cstring>
#include <vector>

using namespace lt;
using lt::test::ChannelPageTest;

using ChannelFrequencyTest = ChannelPageTest;

TEST_F(ChannelFrequencyTest, TypingAReceiveFrequencyOnAnEmptyRowCreatesTheChannel)
{
    program.model.channel(7).setChName(QByteArrayLiteral("KEEP"));
    program.model.channel(7).setOption(0x4F);

    keyOnCell(1, 7, Qt::Key_4, '4');
    ASSERT_TRUE(freqEdit()->isVisible());
    EXPECT_EQ(freqEdit()->text(), QStringLiteral("4"));
    QTest::keyClicks(freqEdit(), "38.5");
    QTest::keyClick(freqEdit(), Qt::Key_Return);

    EXPECT_FALSE(freqEdit()->isVisible());
    EXPECT_TRUE(grid()->hasFocus());
    ASSERT_TRUE(program.model.IsChannelUsed(7));
    const ChannelRecord channel = program.model.channel(7);
    EXPECT_EQ(channel.RxFreq(), 438500000u);
    EXPECT_EQ(channel.TxFreq(), 438500000u);
    EXPECT_EQ(channel.ChName(), QByteArrayLiteral("KEEP"));
    const QStringList expected = {"438.50000", "438.50000", "Off", "Off", "High", "Wide", "ADD",
                                  "OFF", "OFF", "OFF", "OFF", "KEEP"};
    for (int column = 1; column <= 12; ++column)
        EXPECT_EQ(page->cellText(column, 7), expected[column - 1]) << "column " << column;
    EXPECT_EQ(program.model.UsedChannelCount(), 1);
}

TEST_F(ChannelFrequencyTest, AnEmptyRowOpensOnlyItsReceiveFrequency)
{
    for (int column = 2; column <= 12; ++column) {
        doubleClick(column, 9);
        EXPECT_FALSE(anyEditorVisible()) << "double click, column " << column;
        keyOnCell(column, 9, Qt::Key_5, '5');
        EXPECT_FALSE(anyEditorVisible()) << "digit, column " << column;
        keyOnCell(column, 9, Qt::Key_Return);
        EXPECT_FALSE(anyEditorVisible()) << "Enter, column " << column;
    }
    EXPECT_FALSE(program.model.AnyChannelUsed());

    doubleClick(1, 9);
    EXPECT_TRUE(freqEdit()->isVisible());
    EXPECT_TRUE(freqEdit()->hasFocus());
}

TEST_F(ChannelFrequencyTest, ClearingTheReceiveFrequencyBlanksTheRowAndKeepsTheRecord)
{
    useChannel(3, 145500000);
    program.model.channel(3).setChName(QByteArrayLiteral("OLD"));
    program.model.channel(3).setRxTone(885, 1);
    page->StringGridUpdateRow(3);
    std::array<uint8_t, 76> before{};
    std::memcpy(before.data(), program.model.channel(3).data(), before.size());

    doubleClick(1, 3);
    ASSERT_EQ(freqEdit()->selectedText(), QStringLiteral("145.50000"));
    QTest::keyClick(freqEdit(), Qt::Key_Backspace);
    leaveEditor();

    EXPECT_FALSE(freqEdit()->isVisible());
    EXPECT_FALSE(program.model.IsChannelUsed(3));
    EXPECT_EQ(0, std::memcmp(before.data(), program.model.channel(3).data(), before.size()));
    for (int column = 1; column <= 12; ++column)
        EXPECT_TRUE(page->cellText(column, 3).isEmpty()) << column;
    EXPECT_EQ(page->cellText(0, 3), QStringLiteral("3"));
}

TEST_F(ChannelFrequencyTest, EmptyingTheTransmitFrequencyStoresZero)
{
    useChannel(4, 438000000);
    doubleClick(2, 4);
    QTest::keyClick(freqEdit(), Qt::Key_Delete);
    leaveEditor();
    EXPECT_EQ(program.model.channel(4).TxFreq(), 0u);
    EXPECT_EQ(page->cellText(2, 4), QStringLiteral("0"));
    EXPECT_TRUE(program.model.IsChannelUsed(4));
}

TEST_F(ChannelFrequencyTest, TypedFrequenciesAreClampedIntoTheBands)
{
    struct Case {
        int column;
        const char* typed;
        uint32_t stored;
    };
    const std::vector<Case> cases = {
        {1, "100", 136000000}, {1, "300", 174000000}, {1, "440.00049", 440000000},
        {1, "500", 470000000}, {2, "175", 174000000}, {2, "145.51234", 145512000},
    };
    useChannel(5, 438000000);
    for (const Case& c : cases) {
        doubleClick(c.column, 5);
        QTest::keyClicks(freqEdit(), c.typed);
        QTest::keyClick(freqEdit(), Qt::Key_Enter);
        const ChannelRecord channel = program.model.channel(5);
        EXPECT_EQ(c.column == 1 ? channel.RxFreq() : channel.TxFreq(), c.stored) << c.typed;
    }
    // A receive frequency typed into a channel in use leaves its transmit
    // frequency alone.
    EXPECT_EQ(program.model.channel(5).TxFreq(), 145512000u);
}

TEST_F(ChannelFrequencyTest, ATextEndingInThePointIsReportedAndChangesNothing)
{
    QStringList reports;
    ModalHandlers handlers;
    handlers.errorReport = [&](const QString& message) { reports << message; };
    ModalHandlersGuard guard(std::move(handlers));
    useChannel(6, 145500000);
    std::array<uint8_t, 76> before{};
    std::memcpy(before.data(), program.model.channel(6).data(), before.size());

    doubleClick(1, 6);
    QTest::keyClicks(freqEdit(), "438.");
    leaveEditor();

    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("438."))) << reports[0].toStdString();
    EXPECT_EQ(0, std::memcmp(before.data(), program.model.channel(6).data(), before.size()));
    EXPECT_EQ(page->cellText(1, 6), QStringLiteral("145.50000"));
    EXPECT_FALSE(freqEdit()->isVisible());

    // An empty row stays empty.
    doubleClick(1, 8);
    QTest::keyClicks(freqEdit(), "4x38.");
    QTest::keyClick(freqEdit(), Qt::Key_Return);
    EXPECT_EQ(reports.size(), 2);
    EXPECT_FALSE(program.model.IsChannelUsed(8));
}

TEST_F(ChannelFrequencyTest, TheFrequencyEditDropsWhatCannotBeAFrequency)
{
    useChannel(2, 438000000);
    doubleClick(1, 2);
    QTest::keyClicks(freqEdit(), "4a3-8..1 2/3456789");
    EXPECT_EQ(freqEdit()->text(), QStringLiteral("438.12345"));
    EXPECT_EQ(freqEdit()->cursorPosition(), 9);

    freqEdit()->selectAll();
    QTest::keyClicks(freqEdit(), ".");
    EXPECT_TRUE(freqEdit()->text().isEmpty());
    QTest::keyClick(freqEdit(), Qt::Key_Escape);
    EXPECT_TRUE(freqEdit()->isVisible());
}
