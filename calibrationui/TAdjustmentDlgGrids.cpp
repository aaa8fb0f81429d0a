#include "calibrationui/TAdjustmentDlg.h"

#include "codeplug/TextEntryRules.h"
#include "codeplug/ValueEncodings.h"
#include "program/Program.h"
#include "ui/ControlHooks.h"
#include "ui/ModalSeam.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace lt {

namespace {

constexpr int kRowHeight = 20;
constexpr int kColumns = 6;
constexpr int kColumnFreq = 1;

// sgAPC columns after the frequency.
constexpr int kApcHighPower = 2;
constexpr int kApcLowPower = 3;
constexpr int kApcRxTune = 4;
constexpr int kApcRfOut = 5;
constexpr int kRfOutLast = 7;

// sgSQ columns after the frequency and the offsets of their lists' items.
constexpr int kSqValue = 2;
constexpr int kSqNoise = 3;
constexpr int kSqValueNar = 4;
constexpr int kSqNoiseNar = 5;
constexpr int kSqValueFirst = -20;
constexpr int kSqValueLast = 10;
constexpr int kSqNoiseFirst = -100;
constexpr int kSqNoiseLast = 100;

const QColor kFixedColour(0xF0, 0xF0, 0xF0);
// Frequencies show as three digits, a point and five decimals.
const QString kWidestFreqText = QStringLiteral("888.88888");

QTableWidget* MakeGrid(QWidget* parent, const char* name, const QStringList& headers, int points)
{
    auto* grid = new QTableWidget(points + 1, kColumns, parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTabKeyNavigation(true);
    // The columns fit the grid's width; only the rows scroll, and they always
    // outgrow the grid, so the scroll bar stays and the columns share a width
    // that does not change.
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (int row = 0; row <= points; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            const bool fixed = row == 0 || column == 0;
            item->setFlags(fixed ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (fixed)
                item->setBackground(kFixedColour);
            grid->setItem(row, column, item);
        }
        if (row > 0)
            grid->item(row, 0)->setText(QString::number(row));
    }
    for (int column = 0; column < kColumns; ++column)
        grid->item(0, column)->setText(headers[column]);
    grid->setCurrentCell(1, 1);
    return grid;
}

QComboBox* MakeCellList(QTableWidget* grid, const char* name, int first, int last)
{
    auto* list = new QComboBox(grid->viewport());
    list->setObjectName(QString::fromLatin1(name));
    for (int value = first; value <= last; ++value)
        list->addItem(QString::number(value));
    list->hide();
    return list;
}

QLineEdit* MakeCellFreqEdit(QTableWidget* grid, const char* name)
{
    auto* edit = new QLineEdit(grid->viewport());
    edit->setObjectName(QString::fromLatin1(name));
    edit->hide();
    return edit;
}

QStringList ItemsOf(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

// Keeps a grid's columns wide enough to show every text of a column whole (its
// header, its widest value) within the width the grid shows. A column
// narrower than its texts grows; when the columns then need more room than
// the grid shows, the room is taken back, a pixel at a time, from the columns
// with the most to spare.
class ColumnFit : public QObject {
public:
    ColumnFit(QTableWidget* grid, const int (&designed)[kColumns], const std::array<QStringList, kColumns>& texts)
        : QObject(grid)
        , grid_(grid)
    {
        const QFontMetricsF metrics(grid->font());
        // An item view draws a cell's text inside a margin on either side, and
        // the grid line takes one more pixel.
        const int margin = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 1;
        for (int column = 0; column < kColumns; ++column) {
            for (const QString& text : texts[column])
                needed_[column] =
                    std::max(needed_[column], margin + static_cast<int>(std::ceil(metrics.horizontalAdvance(text))));
            widths_[column] = std::max(designed[column], needed_[column]);
            grid->setColumnWidth(column, widths_[column]);
        }
        grid->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // The grid's headers are hidden, so its cells take its width less the
        // frame and the scroll bar.
        if (event->type() == QEvent::Resize)
            fitInto(grid_->width() - 2 * grid_->frameWidth() - grid_->verticalScrollBar()->sizeHint().width());
        return false;
    }

private:
    void fitInto(int shown)
    {
        std::array<int, kColumns> widths = widths_;
        const auto spare = [&](int column) { return widths[column] - needed_[column]; };
        for (int excess = std::accumulate(widths.begin(), widths.end(), 0) - shown; excess > 0; --excess) {
            int most = 0;
            for (int column = 1; column < kColumns; ++column)
                most = spare(column) > spare(most) ? column : most;
            if (spare(most) <= 0)
                break;
            --widths[most];
        }
        for (int column = 0; column < kColumns; ++column)
            grid_->setColumnWidth(column, widths[column]);
    }

    QTableWidget* grid_;
    std::array<int, kColumns> needed_{};
    std::array<int, kColumns> widths_{};
};

void SetCell(QTableWidget* grid, int row, int column, const QString& text)
{
    grid->item(row, column)->setText(text);
}

bool IsDigitKey(const QKeyEvent& key)
{
    return key.text().size() == 1 && key.text().front().isDigit();
}

// Grid cells are never edited by typing: printable keys do nothing there.
bool IsTextKey(const QKeyEvent& key)
{
    return !key.text().isEmpty() && key.text().front().isPrint();
}

} // namespace

void TAdjustmentDlg::buildSqGrid()
{
    auto* group = new QGroupBox(QStringLiteral("   --------------- 各频段SQ微调  --------------"), this);
    group->setGeometry(392, 0, 338, 412);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 4, 4, 4);
    const int widths[kColumns] = {30, 70, 40, 50, 50, 70};
    const QStringList headers{QStringLiteral("序号"), QStringLiteral("频点以下"), QStringLiteral("SQ"),
                              QStringLiteral("噪声"), QStringLiteral("窄带SQ"), QStringLiteral("窄带噪声")};
    sgSQ = MakeGrid(group, "sgSQ", headers, cal::sq::kCount);
    layout->addWidget(sgSQ);

    eSqFreq = MakeCellFreqEdit(sgSQ, "eSqFreq");
    cbSqValue = MakeCellList(sgSQ, "cbSqValue", kSqValueFirst, kSqValueLast);
    cbSqNoise = MakeCellList(sgSQ, "cbSqNoise", kSqNoiseFirst, kSqNoiseLast);
    new ColumnFit(sgSQ, widths,
               {QStringList{headers[0], QString::number(cal::sq::kCount)}, QStringList{headers[1], kWidestFreqText},
                ItemsOf(cbSqValue) << headers[kSqValue], ItemsOf(cbSqNoise) << headers[kSqNoise],
                ItemsOf(cbSqValue) << headers[kSqValueNar], ItemsOf(cbSqNoise) << headers[kSqNoiseNar]});
    DropRefusedKeys(eSqFreq, FreqKeyAccepted);
    CorrectAfterEdit(eSqFreq, CorrectFreqEditText);
    CommitOnLeave(eSqFreq, [this] { eSqFreqExit(); });
    CommitOnLeave(cbSqValue, [this] { cbSqValueExit(); });
    CommitOnLeave(cbSqNoise, [this] { cbSqNoiseExit(); });

    connect(sgSQ, &QTableWidget::cellDoubleClicked, this, &TAdjustmentDlg::sgSQDblClick);
    HandleKeys(sgSQ, IsTextKey, KeyPresses::All);
}

void TAdjustmentDlg::buildApcGrid()
{
    auto* group = new QGroupBox(QStringLiteral("               APC 功率调整           "), this);
    group->setGeometry(734, 0, 357, 412);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 4, 4, 4);
    const int widths[kColumns] = {30, 70, 55, 50, 60, 60};
    const QStringList headers{QStringLiteral("序号"), QStringLiteral("频率"), QStringLiteral("高功率"),
                              QStringLiteral("低功率"), QStringLiteral("接收调谐"), QStringLiteral("芯片Rfout")};
    sgAPC = MakeGrid(group, "sgAPC", headers, cal::apc::kCount);
    layout->addWidget(sgAPC);

    eApcFreq = MakeCellFreqEdit(sgAPC, "eApcFreq");
    cbApcValue = MakeCellList(sgAPC, "cbApcValue", 0, 255);
    cbRfOutVal = MakeCellList(sgAPC, "cbRfOutVal", 0, kRfOutLast);
    new ColumnFit(sgAPC, widths,
               {QStringList{headers[0], QString::number(cal::apc::kCount)}, QStringList{headers[1], kWidestFreqText},
                ItemsOf(cbApcValue) << headers[kApcHighPower], ItemsOf(cbApcValue) << headers[kApcLowPower],
                ItemsOf(cbApcValue) << headers[kApcRxTune], ItemsOf(cbRfOutVal) << headers[kApcRfOut]});
    DropRefusedKeys(eApcFreq, FreqKeyAccepted);
    CorrectAfterEdit(eApcFreq, CorrectFreqEditText);
    CommitOnLeave(eApcFreq, [this] { eApcFreqExit(); });
    CommitOnLeave(cbApcValue, [this] { cbApcValueExit(); });
    CommitOnLeave(cbRfOutVal, [this] { cbRfOutValExit(); });

    connect(sgAPC, &QTableWidget::cellDoubleClicked, this, &TAdjustmentDlg::sgAPCDblClick);
    // A digit or Enter on a value cell opens its list, as a double click does.
    HandleKeys(sgAPC, [this](const QKeyEvent& key) {
        const int column = sgAPC->currentColumn();
        if ((IsDigitKey(key) || IsEnterKey(key)) && column >= kApcHighPower) {
            sgAPCDblClick(sgAPC->currentRow(), column);
            return true;
        }
        return IsTextKey(key);
    }, KeyPresses::All);

    auto* batch = new QHBoxLayout;
    batch->addWidget(new QLabel(QStringLiteral("批量增减 -->")));
    const struct {
        const char* del;
        const char* add;
        ApcColumn column;
    } pairs[] = {
        {"bApcHigh_del", "bApcHigh_add", ApcColumn::HighPower},
        {"bApcLow_del", "bApcLow_add", ApcColumn::LowPower},
        {"bApcTune_del", "bApcTune_add", ApcColumn::RxTune},
    };
    const auto addStep = [&](const char* name, const char* caption, ApcColumn column, int delta) {
        auto* button = new QPushButton(QString::fromLatin1(caption), group);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        button->setFixedWidth(24);
        connect(button, &QPushButton::clicked, this, [this, column, delta] { stepApc(column, delta); });
        batch->addWidget(button);
    };
    for (const auto& pair : pairs) {
        addStep(pair.del, "-", pair.column, -1);
        addStep(pair.add, "+", pair.column, 1);
    }
    layout->addLayout(batch);
}

void TAdjustmentDlg::showApcGrid()
{
    const CalibrationData& data = program_.calibration;
    for (int i = 0; i < cal::apc::kCount; ++i) {
        const ApcPoint point = data.apc(i);
        const int row = i + 1;
        SetCell(sgAPC, row, kColumnFreq, FreqToText(point.Freq));
        SetCell(sgAPC, row, kApcHighPower, QString::number(point.HighPower));
        SetCell(sgAPC, row, kApcLowPower, QString::number(point.LowPower));
        SetCell(sgAPC, row, kApcRxTune, QString::number(point.RxTune));
        SetCell(sgAPC, row, kApcRfOut, QString::number(point.RfOut));
    }
}

void TAdjustmentDlg::showSqGrid()
{
    const CalibrationData& data = program_.calibration;
    for (int i = 0; i < cal::sq::kCount; ++i) {
        const SqPoint point = data.sq(i);
        const int row = i + 1;
        SetCell(sgSQ, row, kColumnFreq, FreqToText(point.Freq));
        SetCell(sgSQ, row, kSqValue, QString::number(point.SqValue));
        SetCell(sgSQ, row, kSqNoise, QString::number(point.SqNoise));
        SetCell(sgSQ, row, kSqValueNar, QString::number(point.SqValueNar));
        SetCell(sgSQ, row, kSqNoiseNar, QString::number(point.SqNoiseNar));
    }
}

void TAdjustmentDlg::openCellEditor(QTableWidget* grid, QWidget* editor, Cell cell)
{
    const QString text = grid->item(cell.row, cell.column)->text();
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(text);
    else if (auto* list = qobject_cast<QComboBox*>(editor))
        list->setCurrentIndex(list->findText(text));
    editor->setGeometry(grid->visualRect(grid->model()->index(cell.row, cell.column)));
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
}

void TAdjustmentDlg::closeCellEditor(QTableWidget* grid, QWidget* editor)
{
    editor->hide();
    grid->setFocus(Qt::OtherFocusReason);
}

void TAdjustmentDlg::sgAPCDblClick(int row, int column)
{
    if (row < 1 || column < kColumnFreq)
        return;
    apcCell_ = {column, row};
    QWidget* editor = column == kColumnFreq ? static_cast<QWidget*>(eApcFreq)
        : column == kApcRfOut               ? static_cast<QWidget*>(cbRfOutVal)
                                            : static_cast<QWidget*>(cbApcValue);
    openCellEditor(sgAPC, editor, apcCell_);
}

void TAdjustmentDlg::sgSQDblClick(int row, int column)
{
    if (row < 1 || column < kColumnFreq)
        return;
    sqCell_ = {column, row};
    QWidget* editor = column == kColumnFreq                          ? static_cast<QWidget*>(eSqFreq)
        : (column == kSqValue || column == kSqValueNar) ? static_cast<QWidget*>(cbSqValue)
                                                        : static_cast<QWidget*>(cbSqNoise);
    openCellEditor(sgSQ, editor, sqCell_);
}

void TAdjustmentDlg::eApcFreqExit()
{
    CalibrationData& data = program_.calibration;
    const int i = apcCell_.row - 1;
    reportErrors([&] {
        ApcPoint point = data.apc(i);
        point.Freq = FreqToStore(eApcFreq->text());
        data.setApc(i, point);
    });
    showApcGrid();
    closeCellEditor(sgAPC, eApcFreq);
}

void TAdjustmentDlg::cbApcValueExit()
{
    CalibrationData& data = program_.calibration;
    const int i = apcCell_.row - 1;
    const int index = cbApcValue->currentIndex();
    if (index >= 0) {
        ApcPoint point = data.apc(i);
        const auto value = static_cast<uint8_t>(index);
        switch (apcCell_.column) {
        case kApcHighPower: point.HighPower = value; break;
        case kApcLowPower: point.LowPower = value; break;
        case kApcRxTune: point.RxTune = value; break;
        default: break;
        }
        data.setApc(i, point);
    }
    showApcGrid();
    closeCellEditor(sgAPC, cbApcValue);
}

void TAdjustmentDlg::cbRfOutValExit()
{
    CalibrationData& data = program_.calibration;
    const int i = apcCell_.row - 1;
    const int index = cbRfOutVal->currentIndex();
    if (index >= 0) {
        ApcPoint point = data.apc(i);
        point.RfOut = static_cast<uint8_t>(index);
        data.setApc(i, point);
    }
    showApcGrid();
    closeCellEditor(sgAPC, cbRfOutVal);
}

void TAdjustmentDlg::eSqFreqExit()
{
    CalibrationData& data = program_.calibration;
    const int i = sqCell_.row - 1;
    reportErrors([&] {
        SqPoint point = data.sq(i);
        point.Freq = FreqToStore(eSqFreq->text());
        data.setSq(i, point);
    });
    showSqGrid();
    closeCellEditor(sgSQ, eSqFreq);
}

void TAdjustmentDlg::cbSqValueExit()
{
    CalibrationData& data = program_.calibration;
    const int i = sqCell_.row - 1;
    const int index = cbSqValue->currentIndex();
    if (index >= 0) {
        SqPoint point = data.sq(i);
        const auto value = static_cast<int8_t>(index + kSqValueFirst);
        (sqCell_.column == kSqValueNar ? point.SqValueNar : point.SqValue) = value;
        data.setSq(i, point);
    }
    showSqGrid();
    closeCellEditor(sgSQ, cbSqValue);
}

void TAdjustmentDlg::cbSqNoiseExit()
{
    CalibrationData& data = program_.calibration;
    const int i = sqCell_.row - 1;
    const int index = cbSqNoise->currentIndex();
    if (index >= 0) {
        SqPoint point = data.sq(i);
        const auto value = static_cast<int8_t>(index + kSqNoiseFirst);
        (sqCell_.column == kSqNoiseNar ? point.SqNoiseNar : point.SqNoise) = value;
        data.setSq(i, point);
    }
    showSqGrid();
    closeCellEditor(sgSQ, cbSqNoise);
}

void TAdjustmentDlg::stepApc(ApcColumn column, int delta)
{
    StepApcColumn(program_.calibration, column, delta);
    showApcGrid();
}

} // namespace lt
