#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace lt {

// The About box: model name and program name, version, the maker's notice.
class TAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit TAboutDlg(QWidget* parent);

    QLabel* sName;
    QLabel* sVersion;
    QLabel* sNotice;
    QLabel* sCompany;
    QPushButton* OKBtn;
};

} // namespace lt
