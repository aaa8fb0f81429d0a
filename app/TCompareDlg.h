#pragma once

#include "codeplug/CodeplugDiff.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTableWidget;

namespace lt {

// The differences between the program's codeplug and a file, one a row:
// channel (or frequency-mode side), field, this codeplug's value and the
// file's value. Double-clicking a row asks the main window to show where
// that field is edited; the dialog stays open.
class TCompareDlg : public QDialog {
    Q_OBJECT
public:
    TCompareDlg(const std::vector<FieldDifference>& differences, const QString& fileName, QWidget* parent);

    QTableWidget* sgDifferences;
    QPushButton* OKBtn;

    // Double-click of a row.
    void sgDifferencesDblClick(int row);

signals:
    void showDifference(const DifferencePlace& place);

private:
    std::vector<DifferencePlace> places_;
};

} // namespace lt
