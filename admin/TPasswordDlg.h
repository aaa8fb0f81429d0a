#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace lt {

struct AdminContext;

// The service-access prompt: a word typed here opens one of the service
// dialogs; any other text opens nothing and says nothing.
class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    TPasswordDlg(AdminContext& context, QWidget* parent = nullptr);

    QLineEdit* eInput;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void OKBtnClick();

private:
    AdminContext& context_;
};

} // namespace lt
