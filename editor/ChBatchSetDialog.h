#pragma once

#include <QDialog>
#include <cstdint>

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lt {

struct Program;

// Fills a range of memory channels in one step: frequencies growing by a
// step from channel to channel, the same tones and the same power, bandwidth,
// scan and busy-lock choices. Nothing survives from one opening to the next.
class TChBatchSetDlg : public QDialog {
    Q_OBJECT
public:
    TChBatchSetDlg(Program& program, QWidget* parent);

    // Commits of the three edits, run when they lose the focus.
    void eChBatchFreqRxExit();
    void eChBatchFreqTxExit();
    void eStepExit();
    // Fills the channels and closes the dialog with the OK result, unless the
    // edit that has the focus holds a text that is no number.
    void OKBtnClick();

signals:
    // The channels were filled; the main window shows them again.
    void channelsFilled();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool eChBatchFreqRxKeyPress(const QKeyEvent& key);
    bool cbChBatchSubDeKeyPress(QComboBox* box, const QKeyEvent& key);
    // Each returns whether the text became the value; one that is no number
    // is reported and the value in force shown again.
    bool frequencyExit(QLineEdit* edit, uint32_t& value);
    bool stepExit();
    bool commitFocusedEdit();

    Program& program_;
    uint32_t rxStart_;
    uint32_t txStart_;
    uint32_t step_ = 0;

    QLineEdit* eChBatchFreqRx;
    QLineEdit* eChBatchFreqTx;
    QComboBox* cbChBatchSubDe;
    QComboBox* cbChBatchSubEn;
    QComboBox* cbChBatchPower;
    QComboBox* cbChBatchBandwidth;
    QComboBox* cbChBatchSCN;
    QComboBox* cbChBatchBUS;
    QComboBox* cbStartCh;
    QComboBox* cbEndCh;
    QLineEdit* eStep;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

} // namespace lt
