#include "channel_page_fixture.h"

#include "program/ProgramSettings.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <vector>

using namespace lt;
using lt::test::ChannelPageTest;

using ChannelListEditorTest = ChannelPageTest;

TEST_F(ChannelListEditorTest, EachListEditorOpensOnTheStoredValueAndWritesTheChosenItem)
{
    struct Case {
        int column;
        const char* name;
        int chosen;
        QString shown;
    };
    const std::vector<Case> cases = {
        {5, "cbChInfor_Pow", 0, "Low"},          {6, "cbChInfor_Bandwidth", 0, "Narrow"},
        {7, "cbChInfor_SCN", 0, "DEL"},          {8, "cbChInfor_BusyFit", 2, "CAT"},
        {9, "cbChInfor_JiaMi", 3, "Special DCS 3"}, {10, "cbChInfor_Comp", 1, "ON"},
        {11, "cbChInfor_Scr", 8, "scramble 8"},
    };
    useChannel(12, 438000000);
    for (const Case& c : cases) {
        const QString before = page->cellText(c.column, 12);
        doubleClick(c.column, 12);
        auto* box = find<QComboBox>(c.name);
        ASSERT_TRUE(box->isVisible()) << c.name;
        EXPECT_TRUE(box->hasFocus()) << c.name;
        EXPECT_EQ(box->currentText(), before) << c.name;
        box->setCurrentIndex(c.chosen);
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_FALSE(box->isVisible()) << c.name;
        EXPECT_EQ(page->cellText(c.column, 12), c.shown) << c.name;
    }
    const ChannelRecord channel = program.model.channel(12);
    EXPECT_EQ(channel.ChInfor_Pow(), 0);
    EXPECT_EQ(channel.ChInfor_Bandwidth(), 0);
    EXPECT_EQ(channel.ChInfor_SCN(), 0);
    EXPECT_EQ(channel.ChInfor_BusyFit(), 2);
    EXPECT_EQ(channel.ChInfor_JiaMi(), 3);
    EXPECT_EQ(channel.ChInfor_Comp(), 1);
    EXPECT_EQ(channel.ChInfor_Scr(), 8);
    EXPECT_EQ(channel.ChInfor_Dtmf(), 0);
    EXPECT_EQ(channel.Ch_SquelchMode(), 0);
}

TEST_F(ChannelListEditorTest, AValueOutsideTheListIsKeptUnlessAnItemIsChosen)
{
    useChannel(20, 438000000);
    program.model.channel(20).setChInfor_BusyFit(3);
    program.model.channel(20).setChInfor_Scr(12);
    page->StringGridUpdateRow(20);
    EXPECT_EQ(page->cellText(11, 20), QStringLiteral("scramble 12"));

    doubleClick(8, 20);
    auto* busy = find<QComboBox>("cbChInfor_BusyFit");
    EXPECT_EQ(busy->currentIndex(), -1);
    leaveEditor();
    EXPECT_EQ(program.model.channel(20).ChInfor_BusyFit(), 3);

    keyOnCell(11, 20, Qt::Key_S, 's');
    auto* scrambler = find<QComboBox>("cbChInfor_Scr");
    ASSERT_TRUE(scrambler->isVisible());
    EXPECT_EQ(scrambler->currentIndex(), -1);
    QTest::keyClick(scrambler, Qt::Key_Return);
    EXPECT_EQ(program.model.channel(20).ChInfor_Scr(), 12);

    doubleClick(11, 20);
    scrambler->setCurrentIndex(0);
    leaveEditor();
    EXPECT_EQ(program.model.channel(20).ChInfor_Scr(), 0);
    EXPECT_EQ(page->cellText(11, 20), QStringLiteral("OFF"));
}

// A list wider than its cell shows its items whole, in the box and in its
// drop-down list, which the mouse opens without closing the editor.
TEST_F(ChannelListEditorTest, AListEditorShowsItsItemsWholeAndTheMouseOpensThem)
{
    useChannel(21, 438000000);
    for (int language : {0, 1, 2}) {
        SCOPED_TRACE(language);
        AppLang().SetInterfaceLanguage(language);
        page->refreshGrid();
        for (const char* name : {"cbChInfor_JiaMi", "cbChInfor_Scr"}) {
            const int column = QString::fromLatin1(name) == QStringLiteral("cbChInfor_Scr") ? 11 : 9;
            doubleClick(column, 21);
            auto* box = find<QComboBox>(name);
            ASSERT_TRUE(box->isVisible()) << name;
            const QFontMetrics metrics(box->font());
            for (int i = 0; i < box->count(); ++i)
                EXPECT_LT(metrics.horizontalAdvance(box->itemText(i)), box->width() - 20) << name << " item " << i;
            leaveEditor();
        }
    }
    AppLang().SetInterfaceLanguage(0);
    page->refreshGrid();

    doubleClick(11, 21);
    auto* scrambler = find<QComboBox>("cbChInfor_Scr");
    QTest::mouseClick(scrambler, Qt::LeftButton);
    EXPECT_TRUE(scrambler->view()->isVisible()) << "the items are open";
    EXPECT_TRUE(scrambler->isVisible()) << "opening them does not leave the editor";
    QTest::keyClick(scrambler->view(), Qt::Key_End);
    QTest::keyClick(scrambler->view(), Qt::Key_Return);
    EXPECT_FALSE(scrambler->view()->isVisible());
    leaveEditor();
    EXPECT_FALSE(scrambler->isVisible());
    EXPECT_EQ(program.model.channel(21).ChInfor_Scr(), 8);
}

using ChannelNameTest = ChannelPageTest;

TEST_F(ChannelNameTest, TheNameIsCutToTenGbkBytesWhileTyping)
{
    useChannel(30, 438000000);
    doubleClick(12, 30);
    ASSERT_TRUE(nameEdit()->isVisible());
    QTest::keyClicks(nameEdit(), "R(E!P}E~A T{ER|12");
    EXPECT_EQ(nameEdit()->text(), QStringLiteral("REPEA TER1"));
    QTest::keyClick(nameEdit(), Qt::Key_Return);
    EXPECT_FALSE(nameEdit()->isVisible());
    EXPECT_TRUE(grid()->hasFocus());
    EXPECT_EQ(program.model.channel(30).ChName(), QByteArrayLiteral("REPEA TER1"));
    // Ten bytes fill the field with no terminating zero.
    EXPECT_EQ(program.model.channel(30).data()[cp::ch::ChName + 9], '1');
    EXPECT_EQ(page->cellText(12, 30), QStringLiteral("REPEA TER1"));
}

TEST_F(ChannelNameTest, FiveChineseCharactersFillTheName)
{
    useChannel(31, 438000000);
    const QString chinese = QString::fromUtf8("\xe4\xb8\xad\xe7\xbb\xa7\xe5\x8f\xb0\xe4\xb8\x80\xe5\x8f\xb7\xe4\xba\x8c");
    doubleClick(12, 31);
    typeText(nameEdit(), QString::fromUtf8("\xf0\x9f\x93\xbb") + chinese); // a radio emoji GBK cannot hold, then 6 characters
    EXPECT_EQ(nameEdit()->text(), chinese.left(5));
    leaveEditor();
    EXPECT_FALSE(nameEdit()->isVisible());
    const QByteArray stored = program.model.channel(31).ChName();
    EXPECT_EQ(stored.size(), 10);
    EXPECT_EQ(stored.left(2), QByteArray("\xd6\xd0"));
    EXPECT_EQ(page->cellText(12, 31), chinese.left(5));

    // Emptying the name zero-fills it.
    doubleClick(12, 31);
    QTest::keyClick(nameEdit(), Qt::Key_Backspace);
    leaveEditor();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(program.model.channel(31).data()[cp::ch::ChName + i], 0) << i;
}

TEST_F(ChannelNameTest, OpeningAndLeavingTheNameEditorKeepsTheStoredBytes)
{
    useChannel(32, 438000000);
    const QByteArray stored = QByteArray::fromHex("6162636465666768 6981");
    program.model.channel(32).setChName(stored);
    page->StringGridUpdateRow(32);
    doubleClick(12, 32);
    ASSERT_TRUE(nameEdit()->isVisible());
    leaveEditor();
    EXPECT_EQ(program.model.channel(32).ChName(), stored) << "the user typed nothing";

    doubleClick(12, 32);
    QTest::keyClick(nameEdit(), Qt::Key_End);
    QTest::keyClick(nameEdit(), Qt::Key_Backspace);
    QTest::keyClick(nameEdit(), Qt::Key_Return);
    EXPECT_EQ(program.model.channel(32).ChName(), QByteArrayLiteral("abcdefgh")) << "an edited name is stored by whole characters";
}

using ChannelGridLookTest = ChannelPageTest;

TEST_F(ChannelGridLookTest, OddRowsAreGreenAndTheBandLabelShowsTheLimits)
{
    useChannel(1, 438000000);
    page->setCurrentCell(1, 2);
    // A selected range: its odd rows stay green, its even rows are highlighted.
    const QModelIndex top = grid()->model()->index(0, 6);
    const QModelIndex bottom = grid()->model()->index(2, 6);
    grid()->selectionModel()->select(QItemSelection(top, bottom), QItemSelectionModel::Select);
    QApplication::processEvents();
    const QImage image = grid()->viewport()->grab().toImage();
    const QColor green = QColor::fromRgb(192, 220, 192);
    auto pixel = [&](int column, int row) { return image.pixelColor(cellRect(column, row).topLeft() + QPoint(3, 3)); };
    for (int row : {1, 3, 5})
        EXPECT_EQ(pixel(5, row), green) << row;
    for (int row : {2, 4})
        EXPECT_NE(pixel(5, row), green) << row;
    EXPECT_EQ(pixel(7, 1), green);
    EXPECT_EQ(pixel(7, 3), green);
    EXPECT_NE(pixel(7, 2), pixel(5, 2)) << "an even selected cell keeps the selection colour";
    // The fixed number column is striped too; the style shades the header
    // sections, so only the green cast is checked.
    QHeaderView* numbers = grid()->verticalHeader();
    const QImage column0 = numbers->grab().toImage();
    auto numberPixel = [&](int row) { return column0.pixelColor(4, numbers->sectionViewportPosition(row - 1) + 4); };
    EXPECT_EQ(numberPixel(1), numberPixel(3));
    EXPECT_NE(numberPixel(1), numberPixel(2));
    EXPECT_GT(numberPixel(1).green(), numberPixel(1).red());
    EXPECT_GT(numberPixel(1).green(), numberPixel(1).blue());
    EXPECT_EQ(numberPixel(2).green(), numberPixel(2).red());

    EXPECT_EQ(find<QLabel>("sFreqBand")->text(), QStringLiteral("U: 400.00000~470.00000     V: 136.00000~174.00000"));
    EXPECT_EQ(find<QPushButton>("bChBatchSet")->text(), QStringLiteral("Batch Set"));
    EXPECT_EQ(grid()->model()->headerData(8, Qt::Horizontal).toString(), QStringLiteral("Special DCS"));
    EXPECT_EQ(grid()->model()->rowCount() + 1, 241);
    EXPECT_EQ(grid()->model()->columnCount() + 1, 13);
}

TEST_F(ChannelGridLookTest, StoredSizesApplyAndTheUsersSizesAreWrittenBack)
{
    ProgramSettings settings;
    settings.columnWidths[3] = 0;
    settings.columnWidths[0] = 41;
    settings.rowHeights[0] = 24;
    settings.rowHeights[7] = 33;
    page->applyGridSizes(settings);
    ProgramSettings stored;
    page->storeGridSizes(stored);
    EXPECT_EQ(stored.columnWidths, settings.columnWidths);
    EXPECT_EQ(stored.rowHeights, settings.rowHeights);

    grid()->horizontalHeader()->resizeSection(0, 120);
    grid()->verticalHeader()->resizeSection(239, 40);
    page->storeGridSizes(stored);
    EXPECT_EQ(stored.columnWidths[1], 120);
    EXPECT_EQ(stored.rowHeights[240], 40);
}
