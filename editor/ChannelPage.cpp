#include "editor/ChannelPage.h"

#include "codeplug/TextEntryRules.h"
#include "codeplug/ValueEncodings.h"
#include "editor/ChannelGridModel.h"
#include "editor/ChannelGridView.h"
#include "editor/ChannelRowCommands.h"
#include "editor/ChannelToneRule.h"
#include "editor/ChBatchSetDialog.h"
#include "program/Program.h"
#include "ui/AppLang.h"
#include "ui/ControlHooks.h"
#include "ui/ModalSeam.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace lt {

namespace {

constexpr int kGridLineWidth = 1;

struct ListField {
    const char* name;
    uint8_t (ChannelRecord::*get)() const;
    void (ChannelRecord::*set)(uint8_t);
};

// The list editors of grid columns 5..11, in column order.
constexpr std::array<ListField, kListColumns> kListFields = {{
    {"cbChInfor_Pow", &ChannelRecord::ChInfor_Pow, &ChannelRecord::setChInfor_Pow},
    {"cbChInfor_Bandwidth", &ChannelRecord::ChInfor_Bandwidth, &ChannelRecord::setChInfor_Bandwidth},
    {"cbChInfor_SCN", &ChannelRecord::ChInfor_SCN, &ChannelRecord::setChInfor_SCN},
    {"cbChInfor_BusyFit", &ChannelRecord::ChInfor_BusyFit, &ChannelRecord::setChInfor_BusyFit},
    {"cbChInfor_JiaMi", &ChannelRecord::ChInfor_JiaMi, &ChannelRecord::setChInfor_JiaMi},
    {"cbChInfor_Comp", &ChannelRecord::ChInfor_Comp, &ChannelRecord::setChInfor_Comp},
    {"cbChInfor_Scr", &ChannelRecord::ChInfor_Scr, &ChannelRecord::setChInfor_Scr},
}};

bool isDigitKey(const QKeyEvent& key)
{
    const QString text = key.text();
    return text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
}

template <typename Widget>
Widget* makeNamed(QWidget* parent, const char* name)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

ChannelPage::ChannelPage(Program& program, QWidget* parent)
    : QWidget(parent)
    , program_(program)
{
    setObjectName(QStringLiteral("TabSheet_ChInfo"));

    gridModel_ = new ChannelGridModel(program_.model, this);
    StringGrid1 = makeNamed<ChannelGridView>(this, "StringGrid1");
    StringGrid1->setModel(gridModel_);
    sFreqBand = makeNamed<QLabel>(this, "sFreqBand");
    bChBatchSet = makeNamed<QPushButton>(this, "bChBatchSet");

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(sFreqBand);
    bottom->addStretch();
    bottom->addWidget(bChBatchSet);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(bottom);

    sTiShi_0 = makeNamed<QLabel>(this, "sTiShi_0");
    sTiShi_0->setFrameShape(QFrame::Box);
    sTiShi_0->setAutoFillBackground(true);
    sTiShi_0->setBackgroundRole(QPalette::ToolTipBase);
    sTiShi_0->setForegroundRole(QPalette::ToolTipText);
    sTiShi_0->hide();

    buildEditors();
    // The page takes the focus into its grid.
    setFocusProxy(StringGrid1);
    rowCommands_ = new ChannelRowCommands(program_, StringGrid1, gridModel_, [this] { commitOpenEditor(); }, this);
    connect(rowCommands_, &ChannelRowCommands::channelsChanged, this, &ChannelPage::fullRefreshRequested);

    HandleKeys(StringGrid1, [this](const QKeyEvent& key) { return StringGrid1KeyPress(key); });
    StringGrid1->viewport()->installEventFilter(this);
    connect(StringGrid1, &QAbstractItemView::doubleClicked, this, [this] { reportErrors([this] { StringGrid1DblClick(); }); });
    connect(StringGrid1, &QAbstractItemView::clicked, this, [this] { StringGrid1Click(); });
    connect(bChBatchSet, &QPushButton::clicked, this, [this] { reportErrors([this] { bChBatchSetClick(); }); });
}

void ChannelPage::buildEditors()
{
    Edit_ChFreq = makeNamed<QLineEdit>(this, "Edit_ChFreq");
    HandleKeys(Edit_ChFreq, [this](const QKeyEvent& key) { return Edit_ChFreqKeyPress(key); });
    CommitOnLeave(Edit_ChFreq, [this] { Edit_ChFreqExit(); });
    CorrectOnChange(Edit_ChFreq, [](const QString& text) { return CorrectFreqText(text); });

    ComboBox1 = makeNamed<QComboBox>(this, "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setCompleter(nullptr);
    ComboBox1->setMaxVisibleItems(16);
    // The tone list is the same in every language.
    ComboBox1->addItems(ToneList());
    HandleKeys(ComboBox1, [this](const QKeyEvent& key) { return ComboBox1KeyPress(key); });
    CommitOnLeave(ComboBox1, [this] { ComboBox1Exit(); });
    CorrectOnChange(ComboBox1, CorrectToneText);

    for (int i = 0; i < kListColumns; ++i) {
        const int column = kFirstListColumn + i;
        QComboBox* box = makeNamed<QComboBox>(this, kListFields[i].name);
        box->setEditable(false);
        // Its width follows the items of the language shown.
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        listEditors_[i] = box;
        HandleKeys(box, [this, column](const QKeyEvent& key) { return listEditorKeyPress(column, key); });
        CommitOnLeave(box, [this, column] { listEditorExit(column); });
    }

    Edit_ChName = makeNamed<QLineEdit>(this, "Edit_ChName");
    HandleKeys(Edit_ChName, [this](const QKeyEvent& key) { return Edit_ChNameKeyPress(key); });
    CommitOnLeave(Edit_ChName, [this] { Edit_ChNameExit(); });
    CorrectOnChange(Edit_ChName, [](const QString& text) { return FitGbkText(text, kChannelNameBytes); });

    for (QWidget* editor : std::initializer_list<QWidget*>{Edit_ChFreq, ComboBox1, Edit_ChName})
        editor->hide();
    for (QComboBox* box : listEditors_)
        box->hide();
}

// --- geometry and refresh -----------------------------------------------------

void ChannelPage::applyGridSizes(const ProgramSettings& settings)
{
    // Row 0 and column 0 are the grid's header bands; the other rows and
    // columns are header sections the user can drag.
    StringGrid1->horizontalHeader()->setFixedHeight(settings.rowHeights[0]);
    StringGrid1->verticalHeader()->setFixedWidth(settings.columnWidths[0]);
    for (int row = 1; row < kGridRows; ++row)
        StringGrid1->verticalHeader()->resizeSection(row - 1, settings.rowHeights[row]);
    for (int column = 1; column < kGridColumns; ++column)
        StringGrid1->horizontalHeader()->resizeSection(column - 1, settings.columnWidths[column]);
}

void ChannelPage::storeGridSizes(ProgramSettings& settings) const
{
    settings.rowHeights[0] = StringGrid1->horizontalHeader()->height();
    settings.columnWidths[0] = StringGrid1->verticalHeader()->width();
    for (int row = 1; row < kGridRows; ++row)
        settings.rowHeights[row] = StringGrid1->verticalHeader()->sectionSize(row - 1);
    for (int column = 1; column < kGridColumns; ++column)
        settings.columnWidths[column] = StringGrid1->horizontalHeader()->sectionSize(column - 1);
}

void ChannelPage::refreshBandLabel()
{
    sFreqBand->setText(BandLabelText(program_.model.bands));
}

void ChannelPage::refreshGrid()
{
    ChannelGridTexts texts = ChannelGridTexts::current();
    StringGrid1->setCornerText(texts.headers[kColNumber]);
    for (int i = 0; i < kListColumns; ++i) {
        listEditors_[i]->clear();
        listEditors_[i]->addItems(texts.lists[i]);
    }
    sTiShi_0->setText(texts.nonstandard);
    sTiShi_0->adjustSize();
    bChBatchSet->setText(MainText(169));
    rowCommands_->retranslate();
    gridModel_->setTexts(std::move(texts));
    // Every row is shown from the model at once; a channel that is not in use
    // already shows blank cells.
    gridModel_->allChanged();
}

void ChannelPage::setCurrentCell(int column, int row)
{
    const QModelIndex index = gridModel_->gridIndex(column, row);
    if (index.isValid())
        StringGrid1->setCurrentIndex(index);
}

void ChannelPage::focusGrid()
{
    StringGrid1->setFocus();
}

void ChannelPage::showBatchSetShortcut(const QKeySequence& keys)
{
    bChBatchSet->setToolTip(keys.toString(QKeySequence::NativeText));
}

QString ChannelPage::cellText(int column, int row) const
{
    return gridModel_->cellText(column, row);
}

// --- row operations -----------------------------------------------------------

void ChannelPage::StringGridUpdateRow(int row)
{
    if (program_.model.IsChannelUsed(row))
        gridModel_->rowChanged(row);
    else
        StringGridCleanRow(row);
}

void ChannelPage::StringGridCleanRow(int row)
{
    if (row < 1 || row >= kGridRows)
        return;
    program_.model.SetChannelUsed(row, false);
    gridModel_->rowChanged(row);
}

void ChannelPage::StringGridAutoFullRow(int row)
{
    program_.model.StringGridAutoFullRow(row);
}

// --- grid events --------------------------------------------------------------

void ChannelPage::StringGrid1DblClick()
{
    const int column = StringGrid1->currentColumn();
    const int row = StringGrid1->currentRow();
    if (row < 1 || column < 1)
        return;
    // A channel comes into use only through its receive frequency.
    if (column != kColRxFreq && !program_.model.IsChannelUsed(row))
        return;
    beginEdit(column, row);
    openColumnEditor();
}

bool ChannelPage::StringGrid1KeyPress(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return false;
    const int column = StringGrid1->currentColumn();
    const int row = StringGrid1->currentRow();
    if (row < 1)
        return true;
    const bool used = program_.model.IsChannelUsed(row);
    if (column == kColRxFreq || column == kColTxFreq) {
        const bool digit = isDigitKey(key);
        if (!digit && !IsEnterKey(key))
            return true;
        if (column == kColTxFreq && !used)
            return true;
        beginEdit(column, row);
        PlaceChFreqEditor();
        if (digit) {
            // The digit replaces the selected text, so typing simply goes on
            // in the edit.
            QKeyEvent press(QEvent::KeyPress, key.key(), key.modifiers(), key.text());
            QCoreApplication::sendEvent(Edit_ChFreq, &press);
            QKeyEvent release(QEvent::KeyRelease, key.key(), key.modifiers(), key.text());
            QCoreApplication::sendEvent(Edit_ChFreq, &release);
        }
        return true;
    }
    if (used && column > kColTxFreq) {
        beginEdit(column, row);
        openColumnEditor();
    }
    return true;
}

void ChannelPage::StringGrid1Click()
{
    sTiShi_0->hide();
}

void ChannelPage::StringGrid1MouseMove(const QPoint& viewportPos, const QPoint& globalPos)
{
    const QModelIndex index = StringGrid1->indexAt(viewportPos);
    if (!index.isValid())
        return;
    const int column = index.column() + 1;
    const int row = index.row() + 1;
    if (column == hintColumn_ && row == hintRow_)
        return;
    StringGrid1->setToolTip(QString());
    QToolTip::hideText();
    hintColumn_ = column;
    hintRow_ = row;
    const QString hint = gridModel_->toneHint(column, row);
    if (hint.isEmpty())
        return;
    StringGrid1->setToolTip(hint);
    QToolTip::showText(globalPos, hint, StringGrid1->viewport());
}

bool ChannelPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == StringGrid1->viewport() && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        StringGrid1MouseMove(move->position().toPoint(), move->globalPosition().toPoint());
    }
    return QWidget::eventFilter(watched, event);
}

// --- opening and placing the editors -------------------------------------------

void ChannelPage::beginEdit(int column, int row)
{
    commitOpenEditor();
    editColumn_ = column;
    editRow_ = row;
}

void ChannelPage::openColumnEditor()
{
    switch (editColumn_) {
    case kColRxFreq:
    case kColTxFreq:
        PlaceChFreqEditor();
        break;
    case kColDecodeTone:
    case kColEncodeTone:
        PlaceComboEditor();
        break;
    case kColName:
        PlaceChNameEditor();
        break;
    default:
        if (editColumn_ >= kFirstListColumn && editColumn_ < kFirstListColumn + kListColumns)
            openListEditor(editColumn_, editRow_);
        break;
    }
}

void ChannelPage::placeOver(QWidget* editor)
{
    const QModelIndex index = gridModel_->gridIndex(editColumn_, editRow_);
    StringGrid1->scrollTo(index);
    const QRect cell = StringGrid1->visualRect(index);
    const QPoint topLeft = StringGrid1->viewport()->mapTo(this, cell.topLeft());
    // A list wider than its cell ("scramble 8" in a narrow column) reaches
    // beyond the cell, so its items show whole.
    int width = cell.width() + 1;
    if (const auto* list = qobject_cast<const QComboBox*>(editor))
        width = std::max(width, list->sizeHint().width());
    editor->setGeometry(topLeft.x() + kGridLineWidth + 1, topLeft.y() + kGridLineWidth, width, cell.height() + 1);
    openEditor_ = editor;
    editor->show();
    editor->raise();
    editor->setFocus();
}

void ChannelPage::PlaceChFreqEditor()
{
    Edit_ChFreq->setText(cellText(editColumn_, editRow_));
    placeOver(Edit_ChFreq);
    Edit_ChFreq->selectAll();
}

void ChannelPage::PlaceComboEditor()
{
    const QString text = cellText(editColumn_, editRow_);
    ComboBox1->setCurrentIndex(ComboBox1->findText(text));
    ComboBox1->setEditText(text);
    placeOver(ComboBox1);
    comboPos_ = ComboBox1->pos();
    ComboBox1->lineEdit()->selectAll();
}

void ChannelPage::PlaceChNameEditor()
{
    Edit_ChName->setText(cellText(editColumn_, editRow_));
    placeOver(Edit_ChName);
    Edit_ChName->selectAll();
}

QComboBox* ChannelPage::listEditor(int column) const
{
    return listEditors_[column - kFirstListColumn];
}

void ChannelPage::openListEditor(int column, int channel)
{
    QComboBox* box = listEditor(column);
    const ListField& field = kListFields[column - kFirstListColumn];
    // A value the list does not hold (a busy lock of 3, a scrambler beyond 8,
    // from a file or a radio) selects nothing, and leaving the box without a
    // choice keeps it.
    const int value = (program_.model.channel(channel).*field.get)();
    box->setCurrentIndex(value < box->count() ? value : -1);
    placeOver(box);
}

// --- closing the editors ------------------------------------------------------

bool ChannelPage::closeEditor(QWidget* editor)
{
    if (openEditor_ != editor)
        return false;
    openEditor_ = nullptr;
    return true;
}

void ChannelPage::commitOpenEditor()
{
    if (openEditor_ == Edit_ChFreq)
        Edit_ChFreqExit();
    else if (openEditor_ == ComboBox1)
        ComboBox1Exit();
    else if (openEditor_ == Edit_ChName)
        Edit_ChNameExit();
    else if (openEditor_)
        listEditorExit(editColumn_);
}

void ChannelPage::recordEdit(int column, int row)
{
    program_.history.record({EditKind::ChannelField, column, row, row, {}});
}

void ChannelPage::Edit_ChFreqExit()
{
    if (!closeEditor(Edit_ChFreq))
        return;
    const int column = editColumn_;
    const int row = editRow_;
    // A text that is no number (such as "438.") is reported and leaves the
    // channel as it was.
    reportErrors([&] {
        const QString text = Edit_ChFreq->text();
        const uint32_t hz = text.isEmpty() ? 0 : TextToFreq(text);
        CodeplugModel& model = program_.model;
        ChannelRecord channel = model.channel(row);
        if (column == kColRxFreq) {
            if (text.isEmpty()) {
                StringGridCleanRow(row);
                return;
            }
            channel.setRxFreq(ClampToBands(hz, model.bands));
            if (!model.IsChannelUsed(row)) {
                model.SetChannelUsed(row, true);
                StringGridAutoFullRow(row);
            }
        } else {
            channel.setTxFreq(hz == 0 ? 0 : ClampToBands(hz, model.bands));
        }
    });
    StringGridUpdateRow(row);
    recordEdit(column, row);
    Edit_ChFreq->hide();
    StringGrid1->setFocus();
}

void ChannelPage::ComboBox1Exit()
{
    if (!closeEditor(ComboBox1))
        return;
    const int column = editColumn_;
    const int row = editRow_;
    ChannelRecord channel = program_.model.channel(row);
    const std::optional<Tone> tone = TextToTone(ComboBox1->currentText());
    if (column == kColDecodeTone)
        SetChannelDecodeTone(channel, tone);
    else
        SetChannelEncodeTone(channel, tone);
    StringGridUpdateRow(row);
    recordEdit(column, row);
    ComboBox1->hide();
    StringGrid1->setFocus();

    const bool standard = column == kColDecodeTone ? IsStandardTone(channel.RxToneCode(), channel.RxToneType())
                                                   : IsStandardTone(channel.TxToneCode(), channel.TxToneType());
    if (standard) {
        sTiShi_0->hide();
        return;
    }
    sTiShi_0->move(comboPos_ + QPoint(50, 20));
    sTiShi_0->show();
    sTiShi_0->raise();
}

void ChannelPage::Edit_ChNameExit()
{
    if (!closeEditor(Edit_ChName))
        return;
    ChannelRecord channel = program_.model.channel(editRow_);
    const QString name = Edit_ChName->text();
    if (!ShowsStoredText(name, channel.ChName()))
        channel.setChName(ToGbk(FitGbkText(name, kChannelNameBytes)));
    StringGridUpdateRow(editRow_);
    recordEdit(kColName, editRow_);
    Edit_ChName->hide();
}

void ChannelPage::listEditorExit(int column)
{
    QComboBox* box = listEditor(column);
    if (!closeEditor(box))
        return;
    const int chosen = box->currentIndex();
    if (chosen >= 0) {
        ChannelRecord channel = program_.model.channel(editRow_);
        (channel.*kListFields[column - kFirstListColumn].set)(static_cast<uint8_t>(chosen));
    }
    StringGridUpdateRow(editRow_);
    recordEdit(column, editRow_);
    box->hide();
    StringGrid1->setFocus();
}

// --- typing in the editors ------------------------------------------------------

bool ChannelPage::Edit_ChFreqKeyPress(const QKeyEvent& key)
{
    if (IsEnterKey(key)) {
        // Hiding the edit takes its focus away, which commits it; without an
        // active window no focus event comes, so the commit runs here.
        Edit_ChFreq->hide();
        Edit_ChFreqExit();
        return true;
    }
    return !FreqKeyAccepted(key.text());
}

bool ChannelPage::ComboBox1KeyPress(const QKeyEvent& key)
{
    if (IsEnterKey(key)) {
        ComboBox1->hide();
        ComboBox1Exit();
        return true;
    }
    return TypeInstead(ComboBox1->lineEdit(), key.text(), ToneKeyText(key.text()));
}

bool ChannelPage::Edit_ChNameKeyPress(const QKeyEvent& key)
{
    if (IsEnterKey(key)) {
        Edit_ChName->hide();
        Edit_ChNameExit();
        StringGrid1->setFocus();
        return true;
    }
    return !NameKeyAllowed(key.text());
}

bool ChannelPage::listEditorKeyPress(int column, const QKeyEvent& key)
{
    if (!IsEnterKey(key))
        return false;
    listEditor(column)->hide();
    listEditorExit(column);
    return true;
}

// --- batch set ------------------------------------------------------------------

void ChannelPage::bChBatchSetClick()
{
    TChBatchSetDlg dialog(program_, this);
    connect(&dialog, &TChBatchSetDlg::channelsFilled, this, &ChannelPage::fullRefreshRequested);
    execModal(dialog);
    // The step is named after the range the user chose.
    const auto channel = [&dialog](const char* box) { return dialog.findChild<QComboBox*>(QLatin1String(box))->currentIndex() + 1; };
    program_.history.record({EditKind::BatchSet, 0, channel("cbStartCh"), channel("cbEndCh"), {}});
}

} // namespace lt
