#include "app/AboutDialog.h"
#include "app/MainWindow.h"
#include "app/ReadBackup.h"
#include "codeplug/ConversionError.h"
#include "program/Program.h"
#include "support/ModalScript.h"
#include "ui/AppLang.h"
#include "ui/Application.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using namespace lt;
using lt::test::ModalScript;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppLang().SetInterfaceLanguage(0);
        program.settings.Language = 0;
        window = std::make_unique<TForm1>(program, dir.filePath(QStringLiteral("_config.ini")));
        window->FullRefresh();
    }

    QAction* action(const char* name) { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    bool closeWindow()
    {
        window->show();
        return window->close();
    }

    QTemporaryDir dir;
    Program program;
    std::unique_ptr<TForm1> window;
};

} // namespace

TEST_F(MainWindowTest, MenusToolButtonsAndStatusLineCarryTheirTexts)
{
    const struct {
        const char* name;
        int entry;
    } items[] = {{"MenuFile_New", 2},  {"MenuFile_Open", 3}, {"MenuFile_Save", 4},         {"MenuFile_Exit", 5},
                 {"MenuEdit_Read", 7}, {"MenuEdit_Write", 8}, {"MenuEdit_Password", 231},
                 {"MenuAdjustment", 167}, {"MenuAbout", 166}, {"MenuLanguage_Chs", 11},    {"MenuLanguage_En", 13}};
    for (const auto& item : items) {
        QAction* a = action(item.name);
        ASSERT_NE(a, nullptr) << item.name;
        EXPECT_EQ(a->text(), MainText(item.entry)) << item.name;
        EXPECT_FALSE(a->text().isEmpty()) << item.name;
    }
    for (const char* added : {"MenuEdit_Verify", "MenuFile_ImportCsv", "MenuFile_ExportCsv"}) {
        ASSERT_NE(action(added), nullptr) << added;
        EXPECT_FALSE(action(added)->text().isEmpty()) << added;
    }
    EXPECT_EQ(action("MenuEdit_SetRadioNewPD")->text(), QStringLiteral("Set radio &new password"));
    EXPECT_EQ(action("MenuEdit_Read")->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    EXPECT_TRUE(action("MenuLanguage_En")->isChecked());
    EXPECT_FALSE(action("MenuLanguage_Chs")->isChecked());
    EXPECT_EQ(window->findChild<QToolButton*>(QStringLiteral("ToolButton_Read"))->toolTip(), MainText(247));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("LT-4402"));

    program.model.LastWriteTime = {2022, 6, 18, 9, 5};
    window->FullRefresh();
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("StatusPanel0"))->text(),
              MainText(212) + QStringLiteral(" [2022-6-18  9:5]"));
}

// In every language each item of a menu has a mnemonic of its own, so every
// command can be reached from the keyboard.
TEST_F(MainWindowTest, EveryMenuItemHasItsOwnMnemonicInEveryLanguage)
{
    for (int language : {0, 1, 2}) {
        window->SetLanguage(language);
        for (const char* name : {"MenuFile", "MenuEdit", "MenuLanguage", "MenuHelp"}) {
            QSet<QChar> keys;
            for (QAction* item : window->findChild<QMenu*>(QString::fromLatin1(name))->actions()) {
                if (item->isSeparator())
                    continue;
                const QKeySequence mnemonic = QKeySequence::mnemonic(item->text());
                EXPECT_FALSE(mnemonic.isEmpty()) << language << ' ' << item->objectName().toStdString();
                const QChar key = mnemonic.toString().back();
                EXPECT_FALSE(keys.contains(key)) << language << ' ' << item->objectName().toStdString();
                keys << key;
            }
        }
    }
    window->SetLanguage(0);
    EXPECT_EQ(action("MenuFile_ImportCsv")->text(), QStringLiteral("&Import CSV…"));
    EXPECT_EQ(action("MenuFile_ExportCsv")->text(), QStringLiteral("E&xport CSV…"));
    EXPECT_EQ(action("MenuEdit_Verify")->text(), QStringLiteral("&Verify radio"));
    window->SetLanguage(1);
    EXPECT_EQ(action("MenuFile_ExportCsv")->text(), QStringLiteral("导出 CSV(&X)…"));
    EXPECT_EQ(action("MenuEdit_SetRadioNewPD")->text(), QStringLiteral("设置对讲机新密码(&N)"));
}

TEST_F(MainWindowTest, NewAsksFirstAndCancelChangesNothing)
{
    program.model.SetChannelUsed(3, true);
    program.model.set(cp::TOT, 60);
    {
        ModalScript script;
        script.answer(mrCancel);
        window->MenuFile_NewClick();
        ASSERT_EQ(script.shown.size(), 1u);
        EXPECT_EQ(script.shown[0].dialog, QStringLiteral("TMyWarnDlg_2"));
        EXPECT_EQ(script.shown[0].message, MainText(155));
    }
    EXPECT_TRUE(program.model.IsChannelUsed(3));
    EXPECT_EQ(program.model.get(cp::TOT), 60u);

    ModalScript script;
    script.answer(mrOK);
    window->MenuFile_NewClick();
    EXPECT_FALSE(program.model.AnyChannelUsed());
    EXPECT_EQ(program.model.get(cp::TOT), 180u);
}

TEST_F(MainWindowTest, ClosePromptOutcomes)
{
    const QString saved = dir.filePath(QStringLiteral("closing.Kvf"));
    {
        ModalScript script;
        script.answer(mrCancel);
        EXPECT_FALSE(closeWindow()) << "Cancel keeps the window open";
        ASSERT_EQ(script.shown.size(), 1u);
        EXPECT_EQ(script.shown[0].dialog, QStringLiteral("TMyWarnDlg_3"));
        EXPECT_EQ(script.shown[0].message, MainText(197));
    }
    {
        ModalScript script;
        script.answer(mrNo);
        EXPECT_TRUE(closeWindow()) << "No closes without saving";
        EXPECT_TRUE(script.fileRequests.empty());
    }
    {
        ModalScript script;
        script.answer(mrOK); // Yes, then the save dialog is cancelled: still closes
        EXPECT_TRUE(closeWindow());
        ASSERT_EQ(script.fileRequests.size(), 1u);
        EXPECT_EQ(script.fileRequests[0].defaultSuffix, QStringLiteral("Kvf"));
    }
    {
        ModalScript script;
        script.answer(mrOK).saveFile(saved);
        EXPECT_TRUE(closeWindow());
        EXPECT_EQ(QFile(saved).size(), 20092);
    }
}

TEST_F(MainWindowTest, YesWithAFailedSaveKeepsTheWindowOpenAndSaysWhy)
{
    ModalScript script;
    script.answer(mrOK).saveFile(dir.filePath(QStringLiteral("no/such/folder/x.Kvf")));
    EXPECT_FALSE(closeWindow());
    ASSERT_EQ(script.errors.size(), 1);
    EXPECT_TRUE(script.errors[0].contains(QStringLiteral("x.Kvf")));
}

TEST_F(MainWindowTest, AFailedSaveIsReportedInTheInterfaceLanguage)
{
    window->SetLanguage(2);
    ModalScript script;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/x.Kvf"));
    script.saveFile(path);
    EXPECT_FALSE(window->MenuFile_SaveClick());
    ASSERT_EQ(script.errors.size(), 1);
    EXPECT_TRUE(script.errors[0].startsWith(QStringLiteral("無法保存 ") + QDir::toNativeSeparators(path) + QStringLiteral("：")))
        << script.errors[0].toStdString();
}

TEST_F(MainWindowTest, ABackupThatCannotBeKeptIsReportedInTheInterfaceLanguage)
{
    AppLang().SetInterfaceLanguage(1);
    // A file where the backup folder should be: no folder can be made there.
    const QString folder = dir.filePath(QStringLiteral("taken"));
    QFile taken(folder);
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.close();
    ModalScript script;
    KeepBackupOfRead(program.image, folder);
    ASSERT_EQ(script.errors.size(), 1);
    EXPECT_TRUE(script.errors[0].startsWith(QStringLiteral("从电台读取的数据未能备份到 ") + QDir::toNativeSeparators(folder)
                                            + QStringLiteral("：")))
        << script.errors[0].toStdString();
}

TEST_F(MainWindowTest, OpenReplacesTheModelAndKeepsProgramSideValues)
{
    const QString path = dir.filePath(QStringLiteral("plug.Kvf"));
    program.model.SetChannelUsed(12, true);
    program.model.channel(12).setRxFreq(438500000);
    {
        ModalScript script;
        script.saveFile(path);
        ASSERT_TRUE(window->MenuFile_SaveClick());
        EXPECT_EQ(script.fileRequests[0].title, MainText(151));
        EXPECT_EQ(script.fileRequests[0].filter, QStringLiteral("Korvo File(*.Kvf)|*.Kvf"));
    }
    program.model.SetCodeplugDefaults();
    program.model.LastWriteTime = {2023, 1, 2, 3, 4};
    program.model.bands.UBandMax = 480000000;

    ModalScript script;
    script.openFile(path);
    window->MenuFile_OpenClick();
    EXPECT_EQ(script.fileRequests[0].title, MainText(150));
    EXPECT_TRUE(program.model.IsChannelUsed(12));
    EXPECT_EQ(program.model.channel(12).RxFreq(), 438500000u);
    EXPECT_EQ(program.model.LastWriteTime, (ProgrammingTime{2023, 1, 2, 3, 4}));
    EXPECT_EQ(program.model.bands.UBandMax, 480000000u);
}

TEST_F(MainWindowTest, LanguageCommandsSwitchTheCheckMark)
{
    action("MenuLanguage_Chs")->trigger();
    EXPECT_EQ(program.settings.Language, 1);
    EXPECT_TRUE(action("MenuLanguage_Chs")->isChecked());
    EXPECT_FALSE(action("MenuLanguage_En")->isChecked());
    EXPECT_EQ(action("MenuFile_New")->text(), QStringLiteral("新建(&N)"));
    window->findChild<QToolButton*>(QStringLiteral("ToolButton_En"))->click();
    EXPECT_EQ(program.settings.Language, 0);
    EXPECT_EQ(action("MenuFile_New")->text(), QStringLiteral("&New"));
}

// The channel grid keeps Tab for its cells; the window's shortcuts lead a
// keyboard user to the pages, the batch dialog and Save from anywhere.
TEST_F(MainWindowTest, TheKeyboardReachesThePagesTheBatchDialogAndSaveFromTheGrid)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget* grid = window->findChild<QWidget*>(QStringLiteral("StringGrid1"));
    QWidget* options = window->findChild<QWidget*>(QStringLiteral("TabSheet_Option"));
    auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl_Home"));
    EXPECT_EQ(QApplication::focusWidget(), grid) << "at start the grid has the focus";

    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), grid) << "Tab moves between cells";
    QTest::keyClick(grid, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(pages->currentWidget(), options);
    EXPECT_EQ(QApplication::focusWidget(), window->findChild<QWidget*>(QStringLiteral("eFr_Freq_A")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), grid);

    ModalScript script;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_2, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::ControlModifier);
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].dialog, QStringLiteral("TChBatchSetDlg"));
    EXPECT_EQ(pages->currentIndex(), 0) << "the batch dialog fills the channel page";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(script.fileRequests.size(), 1u);
    EXPECT_EQ(script.fileRequests[0].title, MainText(151));
    EXPECT_EQ(pages->tabToolTip(1), QKeySequence(Qt::CTRL | Qt::Key_2).toString(QKeySequence::NativeText));
}

TEST_F(MainWindowTest, AboutBoxShowsTheProgramName)
{
    QString name;
    ModalHandlers peek;
    peek.dialog = [&](QDialog& dialog) {
        name = dialog.findChild<QLabel*>(QStringLiteral("sName"))->text();
        return int(mrOK);
    };
    ModalHandlersGuard guard(std::move(peek));
    action("MenuAbout")->trigger();
    EXPECT_EQ(name, QStringLiteral("LT-4402 Radio Programming Software"));
}

TEST_F(MainWindowTest, AboutBoxShowsEveryTextWholeAndKeepsItsSizeWhereTheyFit)
{
    for (int language : {0, 1, 2}) {
        SCOPED_TRACE(language);
        window->SetLanguage(language);
        TAboutDlg about(window.get());
        bool fitsDesignedSize = true;
        for (const char* name : {"sName", "sVersion", "sNotice", "sCompany"}) {
            const auto* text = about.findChild<QLabel*>(QString::fromLatin1(name));
            EXPECT_LE(text->sizeHint().width(), text->width()) << name;
            EXPECT_TRUE(about.rect().contains(text->geometry())) << name;
            fitsDesignedSize = fitsDesignedSize && text->x() + text->sizeHint().width() + 13 <= 313;
        }
        if (fitsDesignedSize) {
            EXPECT_EQ(about.size(), QSize(313, 205));
        }
        EXPECT_TRUE(about.rect().contains(about.findChild<QPushButton*>(QStringLiteral("OKBtn"))->geometry()));
    }
}

namespace {

// An object whose event handler fails the way a bad numeric text does.
class ThrowingObject : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw ConversionError::notFloat("438.");
        return QObject::event(e);
    }
};

} // namespace

TEST(ErrorReport, AConversionErrorInAnEventHandlerIsShownAndTheProgramGoesOn)
{
    AppLang().SetInterfaceLanguage(0);
    ModalScript script;
    ThrowingObject target;
    QEvent event(QEvent::User);
    EXPECT_NO_THROW(QCoreApplication::sendEvent(&target, &event));
    AppLang().SetInterfaceLanguage(2);
    EXPECT_NO_THROW(QCoreApplication::sendEvent(&target, &event));
    EXPECT_EQ(script.errors, (QStringList{QStringLiteral("'438.' is not a valid floating point value"),
                                          QStringLiteral("“438.”不是有效的數值")}));
}
