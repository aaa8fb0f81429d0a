#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace lt {

// The program's own message dialogs. Callers create one with their window as
// owner, set the message (and captions), show it through execModal() and act on
// the result: mrOK, mrCancel (also the close box) or, for TMyWarnDlg_3, mrNo.

// One button, for outcomes. Its button caption follows the interface language.
class TUserWarnDlg : public QDialog {
    Q_OBJECT
public:
    explicit TUserWarnDlg(QWidget* owner);
    void setMessage(const QString& text);

    QLabel* WarnDlgText;
    QPushButton* OKBtn;
    QPushButton* CancelBtn; // hidden; Escape still cancels
};

// OK and Cancel, for confirmations.
class TMyWarnDlg_2 : public QDialog {
    Q_OBJECT
public:
    explicit TMyWarnDlg_2(QWidget* owner);
    void setMessage(const QString& text);
    void setCaptions(const QString& ok, const QString& cancel);

    QLabel* Label1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

// Yes, No and Cancel, for the close prompt.
class TMyWarnDlg_3 : public QDialog {
    Q_OBJECT
public:
    explicit TMyWarnDlg_3(QWidget* owner);
    void setMessage(const QString& text);
    void setCaptions(const QString& yes, const QString& no, const QString& cancel);

    QLabel* Label1;
    QPushButton* OKBtn;
    QPushButton* NoBtn;
    QPushButton* CancelBtn;
};

// The usual calling patterns, each creating, showing and destroying a dialog.
void ShowUserWarning(QWidget* owner, const QString& message);
bool ConfirmOkCancel(QWidget* owner, const QString& message, const QString& ok, const QString& cancel);
int AskYesNoCancel(QWidget* owner, const QString& message, const QString& yes, const QString& no,
                   const QString& cancel);

// For tests: the message shown by any of the three dialogs.
QString MessageOf(const QDialog& dialog);

} // namespace lt
