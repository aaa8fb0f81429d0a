#include "editor/ChannelGridView.h"

#include "editor/ChannelGridModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include <algorithm>

namespace lt {

namespace {

class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        cell.displayAlignment = Qt::AlignCenter;
        cell.features &= ~QStyleOptionViewItem::WrapText;
        cell.textElideMode = Qt::ElideNone;
        // Odd rows keep their green even when selected, so the stripes stay
        // readable across a selected range; whole selected rows show as
        // selected throughout, so the channels a row command takes are seen.
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        const bool wholeRow = view && view->selectionModel() && view->selectionModel()->isRowSelected(index.row(), {});
        if (IsOddGridRow(index.row() + 1) && !wholeRow) {
            cell.backgroundBrush = QBrush(QColor::fromRgb(kOddRowColour));
            cell.state &= ~QStyle::State_Selected;
        }
        const QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
    }
};

} // namespace

ChannelGridView::ChannelGridView(QWidget* parent)
    : QTableView(parent)
{
    setItemDelegate(new CellDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setShowGrid(true);
    setWordWrap(false);
    setMouseTracking(true);
    viewport()->setMouseTracking(true); // the tone hint follows the mouse without a button held
    setCornerButtonEnabled(false);
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setMinimumSectionSize(0);
        header->setSectionResizeMode(QHeaderView::Interactive);
        header->setDefaultAlignment(Qt::AlignCenter);
        header->setHighlightSections(false);
    }
    horizontalHeader()->setStretchLastSection(false);

    corner_ = findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);
    verticalHeader()->viewport()->installEventFilter(this);
}

bool ChannelGridView::isOnSectionEdge(const QPoint& pos) const
{
    // The header's own test for a press that resizes a row rather than
    // selecting it.
    const QHeaderView* header = verticalHeader();
    const int section = header->logicalIndexAt(pos);
    if (section < 0)
        return false;
    const int grip = header->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
    const int top = header->sectionViewportPosition(section);
    return (section > 0 && pos.y() < top + grip) || pos.y() > top + header->sectionSize(section) - grip;
}

bool ChannelGridView::rowHeaderPressed(const QMouseEvent& press)
{
    const QPoint pos = press.position().toPoint();
    const int row = verticalHeader()->logicalIndexAt(pos);
    if (row < 0 || isOnSectionEdge(pos))
        return false;
    setFocus(Qt::MouseFocusReason);
    QItemSelectionModel* selection = selectionModel();
    const QModelIndex at = model()->index(row, std::max(currentIndex().column(), 0));
    const bool wasSelected = selection->isRowSelected(row, {});
    if (press.button() == Qt::RightButton) {
        // The menu takes the row under the mouse unless it is already among
        // the selected ones.
        if (!wasSelected) {
            selection->setCurrentIndex(at, QItemSelectionModel::NoUpdate);
            selection->select(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        return false;
    }
    if (press.button() != Qt::LeftButton || !(press.modifiers() & Qt::ControlModifier))
        return false;
    // Ctrl adds a row to the selection or takes it out again; the header on
    // its own knows only ranges.
    selection->setCurrentIndex(at, QItemSelectionModel::NoUpdate);
    selection->select(at, (wasSelected ? QItemSelectionModel::Deselect : QItemSelectionModel::Select) | QItemSelectionModel::Rows);
    return true;
}

std::vector<int> ChannelGridView::selectedChannels() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.push_back(index.row() + 1);
    std::ranges::sort(rows);
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty() && currentRow() > 0)
        rows.push_back(currentRow());
    return rows;
}

void ChannelGridView::selectChannels(const std::vector<int>& channels)
{
    if (channels.empty())
        return;
    QItemSelection rows;
    for (const int n : channels)
        rows.select(model()->index(n - 1, 0), model()->index(n - 1, model()->columnCount() - 1));
    const QModelIndex first = model()->index(channels.front() - 1, std::max(currentIndex().column(), 0));
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    scrollTo(first);
}

void ChannelGridView::setCornerText(const QString& text)
{
    cornerText_ = text;
    if (corner_)
        corner_->update();
}

int ChannelGridView::currentColumn() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.column() + 1 : 0;
}

int ChannelGridView::currentRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() + 1 : 0;
}

bool ChannelGridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == verticalHeader()->viewport() && event->type() == QEvent::MouseButtonPress)
        return rowHeaderPressed(static_cast<const QMouseEvent&>(*event));
    // The table's corner button draws an empty header section; the grid's
    // corner carries the caption of the number column.
    if (watched == corner_ && event->type() == QEvent::Paint) {
        QStylePainter painter(corner_);
        QStyleOptionHeader header;
        header.initFrom(corner_);
        header.rect = corner_->rect();
        header.text = cornerText_;
        header.textAlignment = Qt::AlignCenter;
        header.position = QStyleOptionHeader::OnlyOneSection;
        // The corner button is disabled so that a click on it selects
        // nothing; its caption is drawn like the other captions all the same.
        header.state |= QStyle::State_Raised | QStyle::State_Enabled;
        header.palette.setCurrentColorGroup(QPalette::Active);
        painter.drawControl(QStyle::CE_Header, header);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace lt
