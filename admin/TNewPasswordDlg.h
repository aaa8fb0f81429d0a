#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lt {

struct Program;
struct TransferEnvironment;

// Sets the radio's new password: OK keeps it for the next codeplug write (when
// cbWriteWithNewPD is ticked), bWrite writes it into the radio at once.
class TNewPasswordDlg : public QDialog {
    Q_OBJECT
public:
    TNewPasswordDlg(Program& program, TransferEnvironment& env, QWidget* parent = nullptr);

    QLabel* sInput;
    QLineEdit* eInput;
    QLabel* sSureInput;
    QLineEdit* eSureInput;
    QCheckBox* cbWriteWithNewPD;
    QPushButton* bWrite;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void cbWriteWithNewPDExit();
    void OKBtnClick();
    void bWriteClick();

private:
    // Both entries alike: NewPassword takes them and true is returned;
    // otherwise "Password not match" is shown.
    bool takeNewPassword();

    Program& program_;
    TransferEnvironment& env_;
};

} // namespace lt
