#include "channel_page_fixture.h"

#include "codeplug/ChannelClipboard.h"
#include "codeplug/ChannelRows.h"
#include "editor/ChannelGridView.h"
#include "editor/ChannelRowCommands.h"
#include "editor/EditStepNames.h"
#include "emulator/SampleCodeplug.h"
#include "support/ModalScript.h"

#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QMimeData>

using namespace lt;
using lt::test::ChannelPageTest;
using lt::test::ModalScript;

namespace {

using Block = std::vector<uint8_t>;

class GridRowCommandsTest : public ChannelPageTest {
protected:
    void SetUp() override
    {
        ChannelPageTest::SetUp();
        FillSampleCodeplug(program.model);
        for (int n = 200; n <= cp::kChannelCount; ++n)
            program.model.SetChannelUsed(n, false);
        page->refreshGrid();
        program.history.startFresh();
        QGuiApplication::clipboard()->clear();
    }

    ChannelGridView* view() const { return static_cast<ChannelGridView*>(grid()); }
    Block bytes() const { return {program.model.block().begin(), program.model.block().end()}; }
    std::vector<int> selected() const { return view()->selectedChannels(); }

    QPoint rowNumber(int row) const
    {
        QHeaderView* header = grid()->verticalHeader();
        grid()->scrollTo(grid()->model()->index(row - 1, 0));
        return {header->width() / 2, header->sectionViewportPosition(row - 1) + header->sectionSize(row - 1) / 2};
    }
    void clickRowNumber(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(grid()->verticalHeader()->viewport(), Qt::LeftButton, modifiers, rowNumber(row));
    }
    // Clicks a cell (which selects it as a click always has) and gives the
    // grid the focus for a command key.
    void clickCell(int column, int row)
    {
        grid()->scrollTo(grid()->model()->index(row - 1, column - 1));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellRect(column, row).center());
        page->focusGrid();
    }
    void key(int keyCode, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(grid(), static_cast<Qt::Key>(keyCode), modifiers);
    }
    QString undoName() const { return EditStepName(program.history.undoLabel()); }
};

} // namespace

TEST_F(GridRowCommandsTest, RowsAreSelectedOnTheNumberColumnWithShiftAndCtrl)
{
    clickRowNumber(3);
    EXPECT_EQ(selected(), (std::vector<int>{3}));
    EXPECT_TRUE(grid()->hasFocus());
    clickRowNumber(6, Qt::ShiftModifier);
    EXPECT_EQ(selected(), (std::vector<int>{3, 4, 5, 6}));
    clickRowNumber(9, Qt::ControlModifier);
    clickRowNumber(4, Qt::ControlModifier);
    EXPECT_EQ(selected(), (std::vector<int>{3, 5, 6, 9}));

    QWidget* header = grid()->verticalHeader()->viewport();
    QTest::mousePress(header, Qt::LeftButton, {}, rowNumber(10));
    QMouseEvent drag(QEvent::MouseMove, rowNumber(12), header->mapToGlobal(rowNumber(12)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(header, &drag);
    QTest::mouseRelease(header, Qt::LeftButton, {}, rowNumber(12));
    EXPECT_EQ(selected(), (std::vector<int>{10, 11, 12}));
    EXPECT_TRUE(grid()->selectionModel()->isRowSelected(10, {}));

    // A click on a cell still selects that cell alone.
    clickCell(5, 20);
    EXPECT_EQ(grid()->selectionModel()->selectedIndexes().size(), 1);
    EXPECT_EQ(selected(), (std::vector<int>{20}));
    EXPECT_FALSE(anyEditorVisible());
}

TEST_F(GridRowCommandsTest, ARowNumberEdgeStillResizesTheRow)
{
    QHeaderView* header = grid()->verticalHeader();
    const int height = header->sectionSize(4);
    const QPoint edge(header->width() / 2, header->sectionViewportPosition(4) + height - 1);
    QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::ControlModifier, edge);
    QMouseEvent drag(QEvent::MouseMove, edge + QPoint(0, 10), header->viewport()->mapToGlobal(edge + QPoint(0, 10)),
                     Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(header->viewport(), &drag);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::ControlModifier, edge + QPoint(0, 10));
    EXPECT_EQ(header->sectionSize(4), height + 10);
    EXPECT_FALSE(grid()->selectionModel()->isRowSelected(4, {}));
}

// Each command key on the grid is one step of the history, named after what
// it did; the grid shows the result and Undo gives back every byte.
TEST_F(GridRowCommandsTest, CommandKeysAreStepsNamedAfterWhatTheyDid)
{
    struct Case {
        const char* what;
        std::function<void()> select;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString name;
        std::function<void()> check;
    };
    const std::vector<Case> cases = {
        {"Del", [&] { clickRowNumber(5); clickRowNumber(7, Qt::ShiftModifier); }, Qt::Key_Delete, {},
         QStringLiteral("deletion of channels 5–7"),
         [&] { EXPECT_TRUE(page->cellText(1, 6).isEmpty()); EXPECT_FALSE(program.model.IsChannelUsed(7)); }},
        {"Ins", [&] { clickCell(3, 4); }, Qt::Key_Insert, {}, QStringLiteral("insertion at channel 4"),
         [&] { EXPECT_TRUE(page->cellText(1, 4).isEmpty()); EXPECT_EQ(page->cellText(12, 5), QStringLiteral("CH-004")); }},
        {"Ctrl+Del", [&] { clickRowNumber(2); clickRowNumber(3, Qt::ShiftModifier); }, Qt::Key_Delete, Qt::ControlModifier,
         QStringLiteral("removal of channels 2–3"),
         [&] { EXPECT_EQ(page->cellText(12, 2), QStringLiteral("CH-004")); EXPECT_TRUE(page->cellText(1, 240).isEmpty()); }},
        {"Alt+Up", [&] { clickRowNumber(8); clickRowNumber(9, Qt::ShiftModifier); }, Qt::Key_Up, Qt::AltModifier,
         QStringLiteral("move of channels 8–9 up"),
         [&] {
             EXPECT_EQ(page->cellText(12, 7), QStringLiteral("CH-008"));
             EXPECT_EQ(page->cellText(12, 9), QStringLiteral("CH-007"));
             EXPECT_EQ(selected(), (std::vector<int>{7, 8})) << "the selection moves along";
         }},
        {"Alt+Down", [&] { clickCell(12, 30); }, Qt::Key_Down, Qt::AltModifier, QStringLiteral("move of channel 30 down"),
         [&] { EXPECT_EQ(page->cellText(12, 31), QStringLiteral("中继30")); }},
        {"Ctrl+X", [&] { clickRowNumber(11); }, Qt::Key_X, Qt::ControlModifier, QStringLiteral("cut of channel 11"),
         [&] {
             EXPECT_FALSE(program.model.IsChannelUsed(11));
             EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(QString::fromLatin1(kChannelSlotsMimeType)));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        program.history.startFresh();
        const Block before = bytes();
        c.select();
        key(c.key, c.modifiers);
        EXPECT_FALSE(anyEditorVisible());
        ASSERT_TRUE(program.history.canUndo());
        EXPECT_EQ(program.history.undoSteps(), 1);
        EXPECT_EQ(undoName(), c.name);
        c.check();
        program.history.undo();
        EXPECT_EQ(bytes(), before);
        page->refreshGrid();
    }
}

TEST_F(GridRowCommandsTest, CopyAndPasteGiveBackEveryByteAndTheClipboardHoldsSpreadsheetText)
{
    program.model.channel(3).data()[cp::ch::Reserved_71] = 0x5A;
    const ChannelSlot three = TakeChannel(program.model, 3);
    const ChannelSlot unusedTwoHundred = TakeChannel(program.model, 200);
    clickRowNumber(3);
    key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->text().startsWith(ChannelCsvColumns().join(QLatin1Char('\t')) + QStringLiteral("\r\n3\tCH-003\t")));
    EXPECT_FALSE(program.history.canUndo()) << "a copy changes nothing";

    clickCell(1, 150);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(TakeChannel(program.model, 150), three);
    EXPECT_EQ(undoName(), QStringLiteral("paste into channel 150"));
    EXPECT_EQ(selected(), (std::vector<int>{150}));

    clickRowNumber(199);
    clickRowNumber(200, Qt::ShiftModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    clickCell(2, 20);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(TakeChannel(program.model, 21), unusedTwoHundred) << "a channel not in use pastes as it is, bytes and clear bit";
    EXPECT_EQ(undoName(), QStringLiteral("paste into channels 20–21"));
}

TEST_F(GridRowCommandsTest, PastesSpreadsheetTextAndRefusesWhatCannotBePasted)
{
    auto* spreadsheet = new QMimeData;
    spreadsheet->setText(QStringLiteral("Name\tFrequency\tPower\r\n\"Two\tWords\"\t438.250000\tLow\r\nB\t145.5\tHigh\r\n"));
    QGuiApplication::clipboard()->setMimeData(spreadsheet);
    clickCell(1, 210);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(page->cellText(1, 210), QStringLiteral("438.25000"));
    EXPECT_EQ(page->cellText(12, 210), QStringLiteral("Two\tWords"));
    EXPECT_EQ(page->cellText(5, 210), QStringLiteral("Low"));
    EXPECT_EQ(page->cellText(1, 211), QStringLiteral("145.50000"));
    EXPECT_EQ(undoName(), QStringLiteral("paste into channels 210–211"));

    struct Case {
        const char* what;
        QString text;
        int at;
        QString message;
    };
    const Case cases[] = {
        {"a bad line", QStringLiteral("Frequency\tPower\n145.5\tMedium\n"), 10,
         QStringLiteral("Nothing was pasted:\nline 2, column Power: 'Medium' is not High or Low")},
        {"past channel 240", QStringLiteral("1\tA\t145.5\n2\tB\t145.6\n"), 240,
         QStringLiteral("The clipboard holds 2 channels; pasted from channel 240 on they would run past channel 240. Nothing was pasted.")},
        {"words that are no channel line", QStringLiteral("just words"), 10, QStringLiteral("Nothing was pasted:\nline 1, column Frequency: a frequency in MHz is required")},
        {"nothing", QString(), 10, QStringLiteral("The clipboard holds no channels.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QGuiApplication::clipboard()->setText(c.text);
        program.history.startFresh();
        const Block before = bytes();
        ModalScript script;
        clickCell(1, c.at);
        key(Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(script.shown.size(), 1u);
        EXPECT_EQ(script.shown[0].message, c.message);
        EXPECT_EQ(bytes(), before);
        EXPECT_FALSE(program.history.canUndo());
    }

    program.model.SetChannelUsed(240, true);
    ModalScript script;
    clickCell(1, 5);
    key(Qt::Key_Insert);
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].message, QStringLiteral("Channel 240 is in use, so no channel can be inserted."));
}

TEST_F(GridRowCommandsTest, SortsTheSelectionOrEveryChannel)
{
    clickRowNumber(1);
    clickRowNumber(4, Qt::ShiftModifier);
    page->rowCommands()->SortByFrequency();
    // Channels 1 and 3 are on VHF, 2 and 4 on UHF.
    EXPECT_EQ(page->cellText(12, 1), QStringLiteral("CH-001"));
    EXPECT_EQ(page->cellText(12, 2), QStringLiteral("CH-003"));
    EXPECT_EQ(page->cellText(12, 3), QStringLiteral("CH-002"));
    EXPECT_EQ(page->cellText(12, 4), QStringLiteral("CH-004"));
    EXPECT_EQ(undoName(), QStringLiteral("sort of channels 1–4 by frequency"));

    clickCell(1, 1);
    page->rowCommands()->SortByName();
    EXPECT_EQ(page->cellText(12, 1), QStringLiteral("CH-001"));
    EXPECT_EQ(page->cellText(12, 180), QStringLiteral("CH-199"));
    EXPECT_EQ(page->cellText(12, 181), QStringLiteral("中继10"));
    EXPECT_EQ(page->cellText(12, 199), QStringLiteral("中继90"));
    EXPECT_TRUE(page->cellText(1, 200).isEmpty());
}

TEST_F(GridRowCommandsTest, FindAndGoToMoveToTheChannel)
{
    QString asked;
    ModalHandlers answers;
    answers.dialog = [&](QDialog& dialog) {
        auto& input = dynamic_cast<QInputDialog&>(dialog);
        if (dialog.objectName() == QLatin1String("FindChannelDlg")) {
            asked = input.labelText();
            input.setTextValue(QStringLiteral("ch-19"));
        } else {
            input.setIntValue(77);
        }
        return int(mrOK);
    };
    ModalHandlersGuard guard(std::move(answers));
    clickCell(3, 1);
    QTest::keyClick(grid(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(asked, QStringLiteral("Name or frequency:"));
    EXPECT_EQ(view()->currentRow(), 191) << "channel 190 is named 中继190";
    QTest::keyClick(grid(), Qt::Key_F3);
    EXPECT_EQ(view()->currentRow(), 192);
    clickCell(3, 199);
    QTest::keyClick(grid(), Qt::Key_F3);
    EXPECT_EQ(view()->currentRow(), 191) << "going round past the last channel in use";
    QTest::keyClick(grid(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(view()->currentRow(), 77);
    EXPECT_FALSE(anyEditorVisible());
    EXPECT_FALSE(program.history.canUndo());
}

TEST_F(GridRowCommandsTest, TheRightClickMenuOffersTheSameCommands)
{
    QMenu* menu = page->rowCommands()->contextMenu();
    QStringList names;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            names << action->objectName();
    EXPECT_EQ(names, (QStringList{"MenuEdit_Cut", "MenuEdit_Copy", "MenuEdit_Paste", "MenuEdit_Delete", "MenuEdit_InsertChannel",
                                  "MenuEdit_RemoveChannel", "MenuEdit_MoveUp", "MenuEdit_MoveDown", "MenuEdit_SortByFrequency",
                                  "MenuEdit_SortByName", "MenuEdit_Find", "MenuEdit_FindNext", "MenuEdit_GoToChannel"}));
    for (QAction* action : menu->actions())
        EXPECT_TRUE(action->isSeparator() || !action->text().isEmpty()) << action->objectName().toStdString();

    // A right click on a row number takes that row unless it is selected.
    clickRowNumber(20);
    clickRowNumber(22, Qt::ShiftModifier);
    QTest::mousePress(grid()->verticalHeader()->viewport(), Qt::RightButton, {}, rowNumber(21));
    EXPECT_EQ(selected(), (std::vector<int>{20, 21, 22}));
    QTest::mousePress(grid()->verticalHeader()->viewport(), Qt::RightButton, {}, rowNumber(30));
    EXPECT_EQ(selected(), (std::vector<int>{30}));
    for (QAction* action : menu->actions())
        if (action->objectName() == QLatin1String("MenuEdit_Cut"))
            action->trigger();
    EXPECT_FALSE(program.model.IsChannelUsed(30)) << "the menu's cut";
}

TEST_F(GridRowCommandsTest, ACommittedCellIsOneStepNamedAfterItsFieldAndChannel)
{
    const Block before = bytes();
    doubleClick(12, 12);
    ASSERT_TRUE(nameEdit()->isVisible());
    nameEdit()->setText(QStringLiteral("RELAY"));
    QTest::keyClick(nameEdit(), Qt::Key_Return);
    EXPECT_EQ(program.history.undoSteps(), 1);
    EXPECT_EQ(undoName(), QStringLiteral("name of channel 12"));

    keyOnCell(1, 205, Qt::Key_4, '4');
    QTest::keyClicks(freqEdit(), QStringLiteral("38.5"));
    QTest::keyClick(freqEdit(), Qt::Key_Return);
    EXPECT_EQ(undoName(), QStringLiteral("receive frequency of channel 205"));

    doubleClick(12, 12);
    leaveEditor();
    EXPECT_EQ(program.history.undoSteps(), 2) << "leaving a cell unchanged is no step";

    program.history.undo();
    program.history.undo();
    EXPECT_EQ(bytes(), before);
}

TEST_F(GridRowCommandsTest, WithoutACurrentRowTheCommandsOnTheSelectionDoNothing)
{
    grid()->selectionModel()->clear();
    ASSERT_TRUE(view()->selectedChannels().empty());
    const Block before = bytes();
    ChannelRowCommands* commands = page->rowCommands();
    for (void (ChannelRowCommands::*command)() : {&ChannelRowCommands::Cut, &ChannelRowCommands::DeleteChannels,
                                                 &ChannelRowCommands::RemoveChannels, &ChannelRowCommands::MoveUp,
                                                 &ChannelRowCommands::MoveDown})
        (commands->*command)();
    EXPECT_EQ(bytes(), before);
    EXPECT_FALSE(program.history.canUndo());
}
