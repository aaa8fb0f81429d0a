#pragma once

#include <QString>
#include <QTableView>

class QAbstractButton;

namespace lt {

// The look of the channel grid StringGrid1: fixed caption row and number
// column, grid lines, every cell centred on one line, odd rows on light green.
class ChannelGridView : public QTableView {
public:
    explicit ChannelGridView(QWidget* parent);

    // Caption of the fixed corner cell (grid column 0, row 0).
    void setCornerText(const QString& text);

    // The current cell in grid coordinates; (0, 0) when there is none.
    int currentColumn() const;
    int currentRow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractButton* corner_ = nullptr;
    QString cornerText_;
};

} // namespace lt
