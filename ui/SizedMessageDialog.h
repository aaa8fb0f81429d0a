#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace lt {

// The message dialog of the program's own additions (the grid's paste errors
// and refusals, the recovery offer): fixed and centred like the radio's
// message dialogs, but as large as its message, which may run to many lines,
// where those cut a long message at their label's fixed size.
class TSizedMessageDlg : public QDialog {
    Q_OBJECT
public:
    // Without a cancel caption the dialog has the OK button alone.
    TSizedMessageDlg(QWidget* owner, const QString& message, const QString& ok, const QString& cancel = {});

    QLabel* Label1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

// An outcome with one button, captioned Ok in the interface language.
void ShowSizedMessage(QWidget* owner, const QString& message);
// A question: true for OK.
bool AskSizedOkCancel(QWidget* owner, const QString& message, const QString& ok, const QString& cancel);

} // namespace lt
