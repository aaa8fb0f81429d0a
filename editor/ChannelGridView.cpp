#include "editor/ChannelGridView.h"

#include "editor/ChannelGridModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QPaintEvent>
#include <QStyledItemDelegate>
#include <QStylePainter>

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
        // readable across a selected range.
        if (IsOddGridRow(index.row() + 1)) {
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
