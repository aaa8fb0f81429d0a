#pragma once

#include "printout/CodeplugPrintout.h"
#include "ui/ProgramWindow.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace lt {

struct DifferencePlace;
struct Program;
class ChannelPage;
class OptionsPage;
class UndoCommands;

// The main window: menus, tool bar, the channel and options pages, the status
// line, and the commands behind them.
class TForm1 : public QMainWindow, public ProgramWindow {
    Q_OBJECT
public:
    // configPath: where the configuration is written back at exit and after a
    // band-limit change.
    TForm1(Program& program, QString configPath, QWidget* parent = nullptr);
    ~TForm1() override;

    void FullRefresh() override;
    void WriteConfiguration() override;

    // Commands (menu items and tool buttons).
    void MenuFile_NewClick();
    void MenuFile_OpenClick();
    bool MenuFile_SaveClick(); // false when a chosen file could not be written
    void MenuEdit_ReadClick();
    void MenuEdit_WriteClick();
    void MenuEdit_VerifyClick();
    void MenuFile_ImportCsvClick();
    void MenuFile_ExportCsvClick();
    void MenuFile_PrintClick();
    void MenuFile_ExportPdfClick();
    void MenuFile_CompareClick();
    // Selects where a difference of a comparison is edited: its cell in the
    // grid, or its control on the options page.
    void showDifference(const DifferencePlace& place);
    void MenuEdit_PasswordClick();
    void MenuEdit_SetRadioNewPDClick();
    void MenuAdjustmentClick();
    void MenuAboutClick();
    void SetLanguage(int language);

    Program& program() override { return program_; }
    ChannelPage* channelPage() const { return channelPage_; }
    OptionsPage* optionsPage() const { return optionsPage_; }

    // Hooks for the commands of the service and password dialogs, set up by
    // the program's start-up so this window does not depend on them.
    std::function<void(TForm1&)> onPassword;
    std::function<void(TForm1&)> onNewPassword;
    std::function<void(TForm1&)> onAdjustment;

signals:
    // The codeplug's edit history changed: a step, an undo or redo, a save,
    // or a fresh start.
    void historyChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildPageShortcuts();
    // The page comes to the front with the focus in it.
    void showPage(QWidget* page);
    void prepareCommand(); // grid cell (1, 1) and the focus to bHide
    void applyWindowFont(int langType);
    QString statusText() const;
    // Undo, redo and the grid's commands on the Edit menu, ahead of the
    // radio commands.
    void addEditCommands();
    void showHistoryState(); // Undo and Redo items, title mark

    Program& program_;
    QString configPath_;
    CodeplugSource source_; // for the printout's title

    QMenu* MenuFile;
    QMenu* MenuEdit;
    QMenu* MenuLanguage;
    QMenu* MenuHelp;
    QAction* MenuFile_New;
    QAction* MenuFile_Open;
    QAction* MenuFile_Save;
    QAction* MenuFile_Exit;
    QAction* MenuFile_ImportCsv;
    QAction* MenuFile_ExportCsv;
    QAction* MenuFile_Print;
    QAction* MenuFile_ExportPdf;
    QAction* MenuFile_Compare;
    QAction* MenuEdit_Read;
    QAction* MenuEdit_Write;
    QAction* MenuEdit_Verify;
    QAction* MenuEdit_Password;
    QAction* MenuEdit_SetRadioNewPD;
    QAction* MenuLanguage_Chs;
    QAction* MenuLanguage_Cht;
    QAction* MenuLanguage_En;
    QAction* MenuAdjustment; // a command of its own on the menu bar
    QAction* MenuAbout;
    // Window-wide shortcuts without a menu item: the two pages and the batch
    // dialog.
    QAction* ShowChannelPage;
    QAction* ShowOptionsPage;
    QAction* OpenBatchSet;

    QToolBar* ToolBar1;
    QToolButton* ToolButton_New;
    QToolButton* ToolButton_Open;
    QToolButton* ToolButton_Save;
    QToolButton* ToolButton_Read;
    QToolButton* ToolButton_Write;

    QTabWidget* PageControl_Home;
    ChannelPage* channelPage_;
    OptionsPage* optionsPage_;
    QLabel* statusPanel_;
    QPushButton* bHide;
    UndoCommands* undoCommands_;
};

} // namespace lt
