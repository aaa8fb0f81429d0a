#include "app/MainWindow.h"
#include "app/RecoveryKeeper.h"
#include "codeplug/CodeplugFile.h"
#include "editor/ChBatchSetDialog.h"
#include "editor/ChannelBatchFill.h"
#include "editor/ChannelPage.h"
#include "editor/ChannelRowCommands.h"
#include "emulator/SampleCodeplug.h"
#include "hid/TransferClock.h"
#include "program/Program.h"
#include "program/RecoveryCopy.h"
#include "support/ModalScript.h"
#include "ui/AppLang.h"
#include "ui/AddedTexts.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace lt;
using lt::test::ModalScript;

namespace {

using Block = std::vector<uint8_t>;

// The main window on screen (offscreen) in English, holding the sample
// codeplug as if it had just been opened.
class UndoWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppLang().SetInterfaceLanguage(0);
        program.settings.Language = 0;
        window = std::make_unique<TForm1>(program, dir.filePath(QStringLiteral("_config.ini")));
        FillSampleCodeplug(program.model);
        for (int n = 200; n <= cp::kChannelCount; ++n)
            program.model.SetChannelUsed(n, false);
        window->FullRefresh();
        program.history.startFresh();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override { AppLang().SetInterfaceLanguage(0); }

    QAction* action(const char* name) const { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    Block bytes() const { return {program.model.block().begin(), program.model.block().end()}; }
    QTableView* grid() const { return window->findChild<QTableView*>(QStringLiteral("StringGrid1")); }
    void fill(int start, int end, uint32_t hz)
    {
        ChannelBatch batch;
        batch.startChannel = start;
        batch.endChannel = end;
        batch.rxStart = batch.txStart = hz;
        ASSERT_TRUE(FillChannels(program.model, batch));
        window->FullRefresh();
        program.history.record({EditKind::BatchSet, 0, 0, 0, {}});
    }

    QTemporaryDir dir;
    Program program;
    std::unique_ptr<TForm1> window;
};

} // namespace

TEST_F(UndoWindowTest, UndoAndRedoAreNamedAfterTheirStepAndEnabledOnlyWithOne)
{
    QAction* undo = action("MenuEdit_Undo");
    QAction* redo = action("MenuEdit_Redo");
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(redo, nullptr);
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo"));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    EXPECT_EQ(window->findChild<QMenu*>(QStringLiteral("MenuEdit"))->actions().value(0), undo) << "Undo heads the Edit menu";

    const Block before = bytes();
    fill(10, 20, 438000000);
    const Block after = bytes();
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo batch set of channels 10–20"));
    EXPECT_TRUE(undo->isEnabled());

    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(window->channelPage()->cellText(1, 10), QStringLiteral("430.25000")) << "the grid shows the undone codeplug";
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text(), QStringLiteral("R&edo batch set of channels 10–20"));
    EXPECT_TRUE(grid()->hasFocus()) << "the focus comes back";

    QTest::keyClick(grid(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(bytes(), after);
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(bytes(), after);

    window->SetLanguage(1);
    EXPECT_EQ(undo->text(), QStringLiteral("撤销信道 10-20的批量设置(&U)"));
    window->SetLanguage(2);
    EXPECT_EQ(undo->text(), QStringLiteral("復原信道 10-20的批量設置(&U)"));
}

TEST_F(UndoWindowTest, TheBatchDialogIsOneStepNamedAfterTheRangeChosen)
{
    ModalHandlers handlers;
    handlers.dialog = [](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("cbStartCh"))->setCurrentIndex(9);
        dialog.findChild<QComboBox*>(QStringLiteral("cbEndCh"))->setCurrentIndex(19);
        dynamic_cast<TChBatchSetDlg&>(dialog).OKBtnClick();
        return dialog.result();
    };
    ModalHandlersGuard guard(std::move(handlers));
    window->channelPage()->bChBatchSetClick();
    EXPECT_EQ(action("MenuEdit_Undo")->text(), QStringLiteral("&Undo batch set of channels 10–20"));
    EXPECT_EQ(program.history.undoSteps(), 1);
}

TEST_F(UndoWindowTest, AnOptionsControlIsOneStepNamedByItsCaption)
{
    auto* sql = window->findChild<QComboBox*>(QStringLiteral("cbSQL"));
    auto* beep = window->findChild<QAbstractButton*>(QStringLiteral("cBeep"));
    auto* frequency = window->findChild<QLineEdit*>(QStringLiteral("eFr_Freq_B"));
    auto* sink = window->findChild<QPushButton*>(QStringLiteral("bHide"));
    window->findChild<QTabWidget*>(QStringLiteral("PageControl_Home"))->setCurrentIndex(1);

    sql->setFocus();
    sql->setCurrentIndex(8);
    sink->setFocus();
    EXPECT_EQ(action("MenuEdit_Undo")->text(), QStringLiteral("&Undo SQL"));

    beep->setFocus();
    beep->click();
    sink->setFocus();
    EXPECT_EQ(action("MenuEdit_Undo")->text(), QStringLiteral("&Undo Key Beep"));

    frequency->setFocus();
    frequency->setText(QStringLiteral("145.5"));
    sink->setFocus();
    EXPECT_EQ(action("MenuEdit_Undo")->text(), QStringLiteral("&Undo RX Frequency of VFO B"));

    action("MenuEdit_Undo")->trigger();
    action("MenuEdit_Undo")->trigger();
    action("MenuEdit_Undo")->trigger();
    EXPECT_EQ(program.model.get(cp::SQL), 5u);
    EXPECT_EQ(sql->currentIndex(), 5) << "the box shows the undone value";
    EXPECT_EQ(program.model.get(cp::Beep), 1u);
    EXPECT_FALSE(program.history.isModified());
}

TEST_F(UndoWindowTest, TheTitleMarksAChangedCodeplugUntilSavedOrUndoneBack)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("LT-4402"));
    fill(1, 1, 145000000);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("*LT-4402"));
    action("MenuEdit_Undo")->trigger();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("LT-4402"));
    action("MenuEdit_Redo")->trigger();

    {
        ModalScript script;
        script.saveFile(dir.filePath(QStringLiteral("saved.Kvf")));
        ASSERT_TRUE(window->MenuFile_SaveClick());
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("LT-4402"));
    EXPECT_TRUE(action("MenuEdit_Undo")->isEnabled()) << "saving keeps the steps";
    action("MenuEdit_Undo")->trigger();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("*LT-4402")) << "the saved codeplug is the clean one now";
}

TEST_F(UndoWindowTest, NewOpenAndNewBandLimitsStartAFreshHistory)
{
    const QString path = dir.filePath(QStringLiteral("plug.Kvf"));
    ASSERT_TRUE(SaveCodeplugFile(path, program.model).isEmpty());
    const struct {
        const char* what;
        std::function<void()> run;
    } cases[] = {
        {"New", [&] { ModalScript script; script.answer(mrOK); window->MenuFile_NewClick(); }},
        {"Open", [&] { ModalScript script; script.openFile(path); window->MenuFile_OpenClick(); }},
        {"new band limits",
         [&] {
             window->onAdjustment = [](TForm1& form) {
                 form.program().model.bands.UBandMax = 480000000;
                 form.program().model.SetCodeplugDefaults();
                 form.FullRefresh();
             };
             window->MenuAdjustmentClick();
         }},
    };
    for (const auto& c : cases) {
        fill(5, 6, 146000000);
        ASSERT_TRUE(action("MenuEdit_Undo")->isEnabled()) << c.what;
        c.run();
        EXPECT_FALSE(action("MenuEdit_Undo")->isEnabled()) << c.what;
        EXPECT_FALSE(action("MenuEdit_Redo")->isEnabled()) << c.what;
        EXPECT_EQ(window->windowTitle(), QStringLiteral("LT-4402")) << c.what;
    }

    window->onAdjustment = [](TForm1&) {};
    fill(5, 6, 146000000);
    window->MenuAdjustmentClick();
    EXPECT_TRUE(action("MenuEdit_Undo")->isEnabled()) << "a service dialog that changed no band limits keeps the steps";
}

TEST_F(UndoWindowTest, TheRowCommandsAreOnTheEditMenuAfterUndoAndRedo)
{
    QStringList names;
    for (QAction* item : window->findChild<QMenu*>(QStringLiteral("MenuEdit"))->actions())
        if (!item->isSeparator())
            names << item->objectName();
    EXPECT_EQ(names.mid(0, 4), (QStringList{"MenuEdit_Undo", "MenuEdit_Redo", "MenuEdit_Cut", "MenuEdit_Copy"}));
    EXPECT_TRUE(names.contains(QStringLiteral("MenuEdit_SortByName")));
    EXPECT_EQ(names.mid(15, 3), (QStringList{"MenuEdit_Read", "MenuEdit_Write", "MenuEdit_Verify"}));

    // Find and Go to bring the channel page to the front.
    auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl_Home"));
    pages->setCurrentIndex(1);
    ModalHandlers answer;
    answer.dialog = [](QDialog&) { return int(mrOK); };
    ModalHandlersGuard guard(std::move(answer));
    action("MenuEdit_GoToChannel")->trigger();
    EXPECT_EQ(pages->currentIndex(), 0);
}

// --- the recovery copy -----------------------------------------------------------

namespace {

class RecoveryTest : public UndoWindowTest {
protected:
    void SetUp() override
    {
        UndoWindowTest::SetUp();
        keeper = new RecoveryKeeper(*window, clock, copyPath);
    }

    QString copyPath = dir.filePath(QStringLiteral("data/recovery.kvf"));
    VirtualClock clock;
    RecoveryKeeper* keeper = nullptr;
};

} // namespace

TEST_F(RecoveryTest, ACopyIsWrittenAFewSecondsAfterAChangeAndRemovedWhenSaved)
{
    fill(1, 2, 145000000);
    clock.advance(RecoveryKeeper::kDelayMs - 1);
    EXPECT_FALSE(QFile::exists(copyPath));
    fill(3, 3, 145500000);
    clock.advance(1);
    ASSERT_TRUE(QFile::exists(copyPath)) << "a change while one is pending does not put the copy off";
    CodeplugModel copy;
    ASSERT_TRUE(ReadRecoveryCopy(copyPath, copy));
    EXPECT_EQ(Block(copy.block().begin(), copy.block().end()), bytes());

    fill(4, 4, 146000000);
    clock.advance(RecoveryKeeper::kDelayMs);
    ASSERT_TRUE(ReadRecoveryCopy(copyPath, copy));
    EXPECT_TRUE(copy.IsChannelUsed(4));
    EXPECT_EQ(copy.channel(4).RxFreq(), 146000000u);

    ModalScript script;
    script.saveFile(dir.filePath(QStringLiteral("saved.Kvf")));
    ASSERT_TRUE(window->MenuFile_SaveClick());
    EXPECT_FALSE(QFile::exists(copyPath));
    clock.advance(RecoveryKeeper::kDelayMs);
    EXPECT_FALSE(QFile::exists(copyPath)) << "nothing is kept for a saved codeplug";
}

TEST_F(RecoveryTest, UndoingBackToTheCleanCodeplugOrAnExitRemovesTheCopy)
{
    fill(1, 2, 145000000);
    clock.advance(RecoveryKeeper::kDelayMs);
    ASSERT_TRUE(QFile::exists(copyPath));
    action("MenuEdit_Undo")->trigger();
    EXPECT_FALSE(QFile::exists(copyPath));

    action("MenuEdit_Redo")->trigger();
    clock.advance(RecoveryKeeper::kDelayMs);
    ASSERT_TRUE(QFile::exists(copyPath));
    keeper->discard();
    EXPECT_FALSE(QFile::exists(copyPath));
}

TEST_F(RecoveryTest, ACopyLeftBehindIsOfferedWithItsTimeAndRestoredAsChanged)
{
    CodeplugModel crashed;
    FillSampleCodeplug(crashed);
    crashed.channel(7).setChName(QByteArrayLiteral("RECOVERED"));
    ASSERT_TRUE(WriteRecoveryCopy(copyPath, crashed).isEmpty());
    const QString when = QFileInfo(copyPath).lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));

    {
        ModalScript script;
        script.answer(mrCancel);
        keeper->offerRestore();
        ASSERT_EQ(script.shown.size(), 1u);
        EXPECT_EQ(script.shown[0].message,
                  QStringLiteral("The program did not end normally. A copy of the codeplug with its unsaved changes was kept at %1. Restore it?").arg(when));
        EXPECT_FALSE(QFile::exists(copyPath)) << "declining deletes the copy";
        EXPECT_NE(program.model.channel(7).ChName(), QByteArrayLiteral("RECOVERED"));
    }

    ASSERT_TRUE(WriteRecoveryCopy(copyPath, crashed).isEmpty());
    ModalScript script;
    script.answer(mrOK);
    keeper->offerRestore();
    EXPECT_EQ(Block(program.model.block().begin(), program.model.block().end()), Block(crashed.block().begin(), crashed.block().end()));
    EXPECT_EQ(window->channelPage()->cellText(12, 7), QStringLiteral("RECOVERED"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("*LT-4402")) << "restored, not saved";
    EXPECT_FALSE(action("MenuEdit_Undo")->isEnabled());
}

TEST_F(RecoveryTest, ACopyThatIsNoCodeplugIsDeletedWithAMessage)
{
    QDir().mkpath(QFileInfo(copyPath).absolutePath());
    QFile broken(copyPath);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a codeplug");
    broken.close();
    const Block before = bytes();

    ModalScript script;
    script.answer(mrOK);
    keeper->offerRestore();
    ASSERT_EQ(script.shown.size(), 2u);
    EXPECT_EQ(script.shown[1].message, QStringLiteral("The kept copy of the codeplug cannot be read; it was deleted."));
    EXPECT_FALSE(QFile::exists(copyPath));
    EXPECT_EQ(bytes(), before);

    ModalScript none;
    keeper->offerRestore();
    EXPECT_TRUE(none.shown.empty()) << "no copy, no question";
}

