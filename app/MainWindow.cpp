#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/ChannelCsvCommands.h"
#include "app/CompareWithFile.h"
#include "app/PrintCommands.h"
#include "app/ReadBackup.h"
#include "app/UndoCommands.h"
#include "app/VerifyRadio.h"
#include "codeplug/Backups.h"
#include "codeplug/CodeplugFile.h"
#include "editor/ChannelPage.h"
#include "editor/ChannelRowCommands.h"
#include "editor/DifferenceControls.h"
#include "editor/OptionsPage.h"
#include "program/ConfigFile.h"
#include "program/Program.h"
#include "transfer/TransferEnvironment.h"
#include "transferui/TransferRun.h"
#include "ui/AddedTexts.h"
#include "ui/AppLang.h"
#include "ui/InterfaceLanguage.h"
#include "ui/MessageDialogs.h"
#include "ui/Mnemonic.h"
#include "ui/ModalSeam.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace lt {

namespace {

const QString kCodeplugFilter = QStringLiteral("Korvo File(*.Kvf)|*.Kvf");

QToolButton* makeToolButton(QToolBar* bar, const char* name, const char* icon)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(icon))));
    button->setIconSize(QSize(24, 24));
    button->setFixedSize(32, 32);
    bar->addWidget(button);
    return button;
}

QAction* makeAction(QObject* parent, const char* name)
{
    auto* action = new QAction(parent);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

TForm1::TForm1(Program& program, QString configPath, QWidget* parent)
    : QMainWindow(parent)
    , program_(program)
    , configPath_(std::move(configPath))
{
    initIconResources();
    setObjectName(QStringLiteral("TForm1"));
    applyWindowFont(1);

    buildMenus();
    buildToolBar();

    PageControl_Home = new QTabWidget(this);
    PageControl_Home->setObjectName(QStringLiteral("PageControl_Home"));
    channelPage_ = new ChannelPage(program_, PageControl_Home);
    optionsPage_ = new OptionsPage(program_, PageControl_Home);
    PageControl_Home->addTab(channelPage_, QString());
    PageControl_Home->addTab(optionsPage_, QString());
    setCentralWidget(PageControl_Home);
    connect(channelPage_, &ChannelPage::fullRefreshRequested, this, &TForm1::FullRefresh);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    statusPanel_ = new QLabel(status);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel0"));
    statusPanel_->setFixedWidth(300);
    status->addWidget(statusPanel_);
    setStatusBar(status);

    // Commands move the focus here first, so an open editor loses the focus
    // and commits its value before the command runs.
    bHide = new QPushButton(this);
    bHide->setObjectName(QStringLiteral("bHide"));
    bHide->setGeometry(0, 0, 1, 1);
    bHide->setFlat(true);
    bHide->raise();

    channelPage_->applyGridSizes(program_.settings);
    buildPageShortcuts();
    // The grid keeps Tab for moving between its cells; the shortcuts of the
    // pages and the batch dialog lead a keyboard user out of it.
    channelPage_->focusGrid();

    undoCommands_ = new UndoCommands(*this, bHide, this);
    addEditCommands();
    connect(channelPage_->rowCommands(), &ChannelRowCommands::gridWanted, this,
            [this] { PageControl_Home->setCurrentWidget(channelPage_); });
    program_.history.onChanged = [this] {
        showHistoryState();
        emit historyChanged();
    };
    program_.history.startFresh();

    // Fixed frame with a 1050 x 602 client area below the menu bar.
    const int chrome = menuBar()->sizeHint().height();
    setFixedSize(1050, 602 + chrome);
}

TForm1::~TForm1()
{
    program_.history.onChanged = nullptr;
}

void TForm1::addEditCommands()
{
    QAction* first = MenuEdit->actions().value(0);
    MenuEdit->insertActions(first, {undoCommands_->undoAction(), undoCommands_->redoAction()});
    channelPage_->rowCommands()->addTo(MenuEdit, first);
    MenuEdit->insertSeparator(first);
}

void TForm1::showHistoryState()
{
    undoCommands_->update();
    // The title marks a codeplug that differs from the one last saved,
    // opened, created or read.
    setWindowTitle((program_.history.isModified() ? QStringLiteral("*") : QString()) + MainText(0));
}

void TForm1::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    MenuFile = bar->addMenu(QString());
    MenuFile->setObjectName(QStringLiteral("MenuFile"));
    MenuFile_New = makeAction(this, "MenuFile_New");
    MenuFile_Open = makeAction(this, "MenuFile_Open");
    MenuFile_Save = makeAction(this, "MenuFile_Save");
    MenuFile_Save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    MenuFile_Exit = makeAction(this, "MenuFile_Exit");
    MenuFile_ImportCsv = makeAction(this, "MenuFile_ImportCsv");
    MenuFile_ExportCsv = makeAction(this, "MenuFile_ExportCsv");
    MenuFile_Print = makeAction(this, "MenuFile_Print");
    MenuFile_Print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    MenuFile_ExportPdf = makeAction(this, "MenuFile_ExportPdf");
    MenuFile_Compare = makeAction(this, "MenuFile_Compare");
    MenuFile->addActions({MenuFile_New, MenuFile_Open, MenuFile_Save, MenuFile_ImportCsv, MenuFile_ExportCsv});
    MenuFile->addSeparator();
    MenuFile->addActions({MenuFile_Print, MenuFile_ExportPdf, MenuFile_Compare});
    MenuFile->addSeparator();
    MenuFile->addAction(MenuFile_Exit);

    MenuEdit = bar->addMenu(QString());
    MenuEdit->setObjectName(QStringLiteral("MenuEdit"));
    MenuEdit_Read = makeAction(this, "MenuEdit_Read");
    MenuEdit_Read->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    MenuEdit_Write = makeAction(this, "MenuEdit_Write");
    MenuEdit_Write->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    MenuEdit_Password = makeAction(this, "MenuEdit_Password");
    MenuEdit_SetRadioNewPD = makeAction(this, "MenuEdit_SetRadioNewPD");
    MenuEdit_Verify = makeAction(this, "MenuEdit_Verify");
    MenuEdit->addActions({MenuEdit_Read, MenuEdit_Write, MenuEdit_Verify});
    MenuEdit->addSeparator();
    MenuEdit->addActions({MenuEdit_Password, MenuEdit_SetRadioNewPD});

    MenuLanguage = bar->addMenu(QString());
    MenuLanguage->setObjectName(QStringLiteral("MenuLanguage"));
    MenuLanguage_Chs = makeAction(this, "MenuLanguage_Chs");
    MenuLanguage_Cht = makeAction(this, "MenuLanguage_Cht");
    MenuLanguage_En = makeAction(this, "MenuLanguage_En");
    for (QAction* item : {MenuLanguage_Chs, MenuLanguage_Cht, MenuLanguage_En}) {
        item->setCheckable(true);
        MenuLanguage->addAction(item);
    }

    MenuAdjustment = makeAction(this, "MenuAdjustment");
    bar->addAction(MenuAdjustment);

    MenuHelp = bar->addMenu(QString());
    MenuHelp->setObjectName(QStringLiteral("MenuHelp"));
    MenuAbout = makeAction(this, "MenuAbout");
    MenuHelp->addAction(MenuAbout);

    connect(MenuFile_New, &QAction::triggered, this, [this] { reportErrors([this] { MenuFile_NewClick(); }); });
    connect(MenuFile_Open, &QAction::triggered, this, [this] { reportErrors([this] { MenuFile_OpenClick(); }); });
    connect(MenuFile_Save, &QAction::triggered, this, [this] { reportErrors([this] { MenuFile_SaveClick(); }); });
    connect(MenuFile_Exit, &QAction::triggered, this, &QWidget::close);
    connect(MenuEdit_Read, &QAction::triggered, this, [this] { reportErrors([this] { MenuEdit_ReadClick(); }); });
    connect(MenuEdit_Write, &QAction::triggered, this, [this] { reportErrors([this] { MenuEdit_WriteClick(); }); });
    connect(MenuEdit_Verify, &QAction::triggered, this, [this] { reportErrors([this] { MenuEdit_VerifyClick(); }); });
    connect(MenuFile_ImportCsv, &QAction::triggered, this, [this] { reportErrors([this] { MenuFile_ImportCsvClick(); }); });
    connect(MenuFile_ExportCsv, &QAction::triggered, this, [this] { reportErrors([this] { MenuFile_ExportCsvClick(); }); });
    connect(MenuFile_Print, &QAction::triggered, this, [this] { reportErrors([this] { MenuFile_PrintClick(); }); });
    connect(MenuFile_ExportPdf, &QAction::triggered, this, [this] { reportErrors([this] { MenuFile_ExportPdfClick(); }); });
    connect(MenuFile_Compare, &QAction::triggered, this, [this] { reportErrors([this] { MenuFile_CompareClick(); }); });
    connect(MenuEdit_Password, &QAction::triggered, this, [this] { reportErrors([this] { MenuEdit_PasswordClick(); }); });
    connect(MenuEdit_SetRadioNewPD, &QAction::triggered, this,
            [this] { reportErrors([this] { MenuEdit_SetRadioNewPDClick(); }); });
    connect(MenuAdjustment, &QAction::triggered, this, [this] { reportErrors([this] { MenuAdjustmentClick(); }); });
    connect(MenuAbout, &QAction::triggered, this, [this] { reportErrors([this] { MenuAboutClick(); }); });
    connect(MenuLanguage_Chs, &QAction::triggered, this, [this] { SetLanguage(1); });
    connect(MenuLanguage_Cht, &QAction::triggered, this, [this] { SetLanguage(2); });
    connect(MenuLanguage_En, &QAction::triggered, this, [this] { SetLanguage(0); });
}

void TForm1::buildToolBar()
{
    ToolBar1 = addToolBar(QString());
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar1->toggleViewAction()->setEnabled(false);

    ToolButton_New = makeToolButton(ToolBar1, "ToolButton_New", "new");
    ToolButton_Open = makeToolButton(ToolBar1, "ToolButton_Open", "open");
    ToolButton_Save = makeToolButton(ToolBar1, "ToolButton_Save", "save");
    ToolBar1->addSeparator();
    ToolButton_Read = makeToolButton(ToolBar1, "ToolButton_Read", "read");
    ToolButton_Write = makeToolButton(ToolBar1, "ToolButton_Write", "write");
    ToolBar1->addSeparator();
    QToolButton* chs = makeToolButton(ToolBar1, "ToolButton_Chs", "lang_chs");
    QToolButton* cht = makeToolButton(ToolBar1, "ToolButton_Cht", "lang_cht");
    QToolButton* en = makeToolButton(ToolBar1, "ToolButton_En", "lang_en");

    connect(ToolButton_New, &QToolButton::clicked, MenuFile_New, &QAction::trigger);
    connect(ToolButton_Open, &QToolButton::clicked, MenuFile_Open, &QAction::trigger);
    connect(ToolButton_Save, &QToolButton::clicked, MenuFile_Save, &QAction::trigger);
    connect(ToolButton_Read, &QToolButton::clicked, MenuEdit_Read, &QAction::trigger);
    connect(ToolButton_Write, &QToolButton::clicked, MenuEdit_Write, &QAction::trigger);
    connect(chs, &QToolButton::clicked, MenuLanguage_Chs, &QAction::trigger);
    connect(cht, &QToolButton::clicked, MenuLanguage_Cht, &QAction::trigger);
    connect(en, &QToolButton::clicked, MenuLanguage_En, &QAction::trigger);
}

void TForm1::buildPageShortcuts()
{
    ShowChannelPage = makeAction(this, "ShowChannelPage");
    ShowChannelPage->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    ShowOptionsPage = makeAction(this, "ShowOptionsPage");
    ShowOptionsPage->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    OpenBatchSet = makeAction(this, "OpenBatchSet");
    OpenBatchSet->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    addActions({ShowChannelPage, ShowOptionsPage, OpenBatchSet});
    channelPage_->showBatchSetShortcut(OpenBatchSet->shortcut());

    connect(ShowChannelPage, &QAction::triggered, this, [this] { showPage(channelPage_); });
    connect(ShowOptionsPage, &QAction::triggered, this, [this] { showPage(optionsPage_); });
    connect(OpenBatchSet, &QAction::triggered, this, [this] {
        reportErrors([this] {
            showPage(channelPage_);
            channelPage_->bChBatchSetClick();
        });
    });
}

void TForm1::showPage(QWidget* page)
{
    // An open edit commits before its page goes.
    bHide->setFocus();
    PageControl_Home->setCurrentWidget(page);
    page->setFocus(Qt::ShortcutFocusReason);
}

void TForm1::prepareCommand()
{
    channelPage_->setCurrentCell(1, 1);
    bHide->setFocus();
}

void TForm1::applyWindowFont(int langType)
{
    // The window's own font where it is installed; elsewhere a CJK font whose
    // glyph shapes match the script being shown.
    QFont windowFont;
    windowFont.setFamilies({QStringLiteral("新宋体"),
                            langType == 3 ? QStringLiteral("Noto Sans CJK TC") : QStringLiteral("Noto Sans CJK SC")});
    windowFont.setPixelSize(12);
    setFont(windowFont);
}

void TForm1::FullRefresh()
{
    const int language = program_.settings.Language;
    applyWindowFont(AppLang().langType());
    // 1. Check mark on the current language.
    MenuLanguage_Chs->setChecked(language == 1);
    MenuLanguage_Cht->setChecked(language == 2);
    MenuLanguage_En->setChecked(language == 0);
    // 2. Band label.
    channelPage_->refreshBandLabel();
    // 3. The side-key assignments have no control on the options page, so
    //    there are no key-function lists to fill.
    // 4. Title.
    QApplication::setApplicationDisplayName(QString());
    showHistoryState();
    // 5. Menus and hints.
    MenuFile->setTitle(MainText(1));
    MenuFile_New->setText(MainText(2));
    MenuFile_Open->setText(MainText(3));
    MenuFile_Save->setText(MainText(4));
    MenuFile_Exit->setText(MainText(5));
    MenuEdit->setTitle(MainText(6));
    MenuEdit_Read->setText(MainText(7));
    MenuEdit_Write->setText(MainText(8));
    MenuEdit_Verify->setText(WithMnemonic(AddedText(Added::VerifyRadio), QLatin1Char('V')));
    MenuFile_ImportCsv->setText(WithMnemonic(AddedText(Added::ImportCsv), QLatin1Char('I')));
    MenuFile_ExportCsv->setText(WithMnemonic(AddedText(Added::ExportCsv), QLatin1Char('X')));
    MenuFile_Print->setText(WithMnemonic(AddedText(Added::Print), QLatin1Char('P')));
    MenuFile_ExportPdf->setText(WithMnemonic(AddedText(Added::ExportPdf), QLatin1Char('D')));
    MenuFile_Compare->setText(WithMnemonic(AddedText(Added::CompareWithFile), QLatin1Char('C')));
    MenuEdit_Password->setText(MainText(231));
    MenuEdit_SetRadioNewPD->setText(WithMnemonic(MainText(257), QLatin1Char('N')));
    MenuLanguage->setTitle(MainText(10));
    MenuLanguage_Chs->setText(MainText(11));
    MenuLanguage_Cht->setText(MainText(12));
    MenuLanguage_En->setText(MainText(13));
    MenuAdjustment->setText(MainText(167));
    MenuHelp->setTitle(MainText(14));
    MenuAbout->setText(MainText(166));
    ToolButton_New->setToolTip(MainText(244));
    ToolButton_Open->setToolTip(MainText(245));
    ToolButton_Save->setToolTip(MainText(246));
    ToolButton_Read->setToolTip(MainText(247));
    ToolButton_Write->setToolTip(MainText(248));
    PageControl_Home->setTabText(0, MainText(25));
    PageControl_Home->setTabText(1, MainText(35));
    PageControl_Home->setTabToolTip(0, ShowChannelPage->shortcut().toString(QKeySequence::NativeText));
    PageControl_Home->setTabToolTip(1, ShowOptionsPage->shortcut().toString(QKeySequence::NativeText));
    // 6. Status line.
    statusPanel_->setText(statusText());
    // 7. Channel grid.
    channelPage_->refreshGrid();
    // 8. Options page.
    optionsPage_->refresh();
}

QString TForm1::statusText() const
{
    const ProgrammingTime& t = program_.model.LastWriteTime;
    return MainText(212) + QStringLiteral(" [%1-%2-%3  %4:%5]").arg(t.year).arg(t.month).arg(t.day).arg(t.hour).arg(t.minute);
}

void TForm1::WriteConfiguration()
{
    channelPage_->storeGridSizes(program_.settings);
    WriteConfigFile(configPath_, program_.settings, program_.model.bands);
}

void TForm1::MenuFile_NewClick()
{
    prepareCommand();
    if (!ConfirmOkCancel(this, MainText(155), MainText(153), MainText(154)))
        return;
    program_.model.SetCodeplugDefaults();
    source_ = {};
    FullRefresh();
    program_.history.startFresh();
}

void TForm1::MenuFile_OpenClick()
{
    prepareCommand();
    PageControl_Home->setCurrentWidget(channelPage_);
    channelPage_->focusGrid();
    const QString path = askOpenFileName({this, MainText(150), kCodeplugFilter, QString()});
    if (path.isEmpty() || !LoadCodeplugFile(path, program_.model))
        return;
    source_ = {QFileInfo(path).fileName(), {}};
    FullRefresh();
    program_.history.startFresh();
}

bool TForm1::MenuFile_SaveClick()
{
    prepareCommand();
    PageControl_Home->setCurrentWidget(channelPage_);
    channelPage_->focusGrid();
    const QString path = askSaveFileName({this, MainText(151), kCodeplugFilter, QStringLiteral("Kvf")});
    if (path.isEmpty())
        return true;
    // A save that silently failed could let the close prompt end the program
    // with the codeplug lost, so a failure is always reported.
    const QString error = SaveCodeplugFile(path, program_.model);
    if (!error.isEmpty()) {
        showErrorReport(AddedText(Added::CannotSaveFile).arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    source_ = {QFileInfo(path).fileName(), {}};
    program_.history.markClean();
    return true;
}

void TForm1::MenuEdit_ReadClick()
{
    prepareCommand();
    if (!RunTransfer(ProgramTransferEnvironment::current(), program_, this, op::Codeplug, kDirectionRead,
                     TransferTitle(op::Codeplug, kDirectionRead)))
        return;
    source_ = {QString(), QDateTime::currentDateTime()};
    FullRefresh();
    program_.history.startFresh();
    KeepBackupOfRead(program_.image, BackupFolder());
}

void TForm1::MenuEdit_WriteClick()
{
    prepareCommand();
    RunTransfer(ProgramTransferEnvironment::current(), program_, this, op::Codeplug, kDirectionWrite,
                TransferTitle(op::Codeplug, kDirectionWrite));
    // Packing refreshed the tone-type copies of the records: not the user's
    // change, so no step of its own.
    program_.history.absorb();
}

void TForm1::MenuEdit_VerifyClick()
{
    prepareCommand();
    VerifyRadio(ProgramTransferEnvironment::current(), program_, this);
}

void TForm1::MenuFile_ImportCsvClick()
{
    prepareCommand();
    if (!ImportCsvClick(program_, this))
        return;
    FullRefresh();
    program_.history.record({EditKind::CsvImport, 0, 0, 0, {}});
}

void TForm1::MenuFile_ExportCsvClick()
{
    prepareCommand();
    ExportCsvClick(program_, this);
}

void TForm1::MenuFile_PrintClick()
{
    prepareCommand();
    PrintClick(program_.model, source_, this);
}

void TForm1::MenuFile_ExportPdfClick()
{
    prepareCommand();
    ExportPdfClick(program_.model, source_, this);
}

void TForm1::MenuFile_CompareClick()
{
    prepareCommand();
    CompareWithFileClick(program_.model, this, [this](const DifferencePlace& place) { showDifference(place); });
}

void TForm1::showDifference(const DifferencePlace& place)
{
    if (place.channel > 0) {
        PageControl_Home->setCurrentWidget(channelPage_);
        channelPage_->setCurrentCell(GridColumnOf(place), place.channel);
        channelPage_->focusGrid();
        return;
    }
    for (const QString& name : OptionsControlsOf(place)) {
        if (auto* control = optionsPage_->findChild<QWidget*>(name)) {
            PageControl_Home->setCurrentWidget(optionsPage_);
            control->setFocus();
            return;
        }
    }
}

void TForm1::MenuEdit_PasswordClick()
{
    if (onPassword)
        onPassword(*this);
    program_.history.record({EditKind::RadioPassword, 0, 0, 0, {}});
}

void TForm1::MenuEdit_SetRadioNewPDClick()
{
    if (onNewPassword)
        onNewPassword(*this);
    program_.history.record({EditKind::NewRadioPassword, 0, 0, 0, {}});
}

void TForm1::MenuAdjustmentClick()
{
    bHide->setFocus();
    const BandLimits bands = program_.model.bands;
    if (onAdjustment)
        onAdjustment(*this);
    // New band limits reset the codeplug to its defaults.
    if (program_.model.bands != bands)
        program_.history.startFresh();
}

void TForm1::MenuAboutClick()
{
    TAboutDlg about(this);
    execModal(about);
}

void TForm1::SetLanguage(int language)
{
    bHide->setFocus();
    program_.settings.Language = language;
    SetProgramLanguage(language);
    FullRefresh();
    // The refresh applies the options page's display rules; not a step.
    program_.history.absorb();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    const int answer = AskYesNoCancel(this, MainText(197), MainText(198), MainText(199), MainText(154));
    if (answer == mrCancel) {
        event->ignore();
        return;
    }
    if (answer == mrOK && !MenuFile_SaveClick()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace lt
