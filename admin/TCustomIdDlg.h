#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace lt {

struct Program;
struct TransferEnvironment;

// Reads and writes the radio's customer (dealer) ID, one byte at 0x5000. The
// dialog has no OK or Cancel button: it is closed with its close box.
class TCustomIdDlg : public QDialog {
    Q_OBJECT
public:
    TCustomIdDlg(Program& program, TransferEnvironment& env, QWidget* parent = nullptr);

    QComboBox* cbID;
    QPushButton* bCustom_W;
    QPushButton* bCustom_R;

    void bCustom_WClick();
    void bCustom_RClick();

private:
    Program& program_;
    TransferEnvironment& env_;
};

} // namespace lt
