#pragma once

#include <QString>
#include <QTableView>

#include <vector>

class QAbstractButton;
class QMouseEvent;

namespace lt {

// The look of the channel grid StringGrid1: fixed caption row and number
// column, grid lines, every cell centred on one line, odd rows on light green.
// Whole rows are selected on the number column: a click or a drag, Shift
// extends the range and Ctrl adds or takes out single rows.
class ChannelGridView : public QTableView {
public:
    explicit ChannelGridView(QWidget* parent);

    // Caption of the fixed corner cell (grid column 0, row 0).
    void setCornerText(const QString& text);

    // The current cell in grid coordinates; (0, 0) when there is none.
    int currentColumn() const;
    int currentRow() const;

    // The channels of every row the selection touches, in order; the current
    // row's when nothing is selected; none without a current row either.
    std::vector<int> selectedChannels() const;
    // Selects the rows of the channels and makes the first one current.
    void selectChannels(const std::vector<int>& channels);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isOnSectionEdge(const QPoint& pos) const;
    // True when the press was taken (Ctrl on a row number).
    bool rowHeaderPressed(const QMouseEvent& press);

    QAbstractButton* corner_ = nullptr;
    QString cornerText_;
};

} // namespace lt
