#pragma once

#include "codeplug/CodeplugModel.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lt {

class ProgramWindow;

// Changes the program's band limits. The four edits change a working copy;
// OK applies it, after a confirmation, by resetting the codeplug and the
// calibration, refreshing the main window and saving _config.ini at once.
class TBandSetDlg : public QDialog {
    Q_OBJECT
public:
    explicit TBandSetDlg(ProgramWindow& mainWindow, QWidget* parent = nullptr);

    QLabel* sU;
    QLabel* sV;
    QLineEdit* eBand_U_MIN;
    QLineEdit* eBand_U_MAX;
    QLineEdit* eBand_V_MIN;
    QLineEdit* eBand_V_MAX;
    QPushButton* OKBtn;

    const BandLimits& workingLimits() const { return working_; }

    void eBand_Exit(QLineEdit* edit);
    void OKBtnMouseDown();
    void OKBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* makeEdit(const char* name, QWidget* area, int y);
    uint32_t& limitOf(QLineEdit* edit);
    void showLimits();

    ProgramWindow& mainWindow_;
    BandLimits working_;
};

} // namespace lt
