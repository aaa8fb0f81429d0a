#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lt {

struct Program;

// Takes the radio's current password from the user, so that later transfers
// pass the radio's password check.
class TSetPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSetPasswordDlg(Program& program, QWidget* parent = nullptr);

    QLabel* sPassword;
    QLineEdit* eInput;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void OKBtnClick();

private:
    Program& program_;
};

} // namespace lt
