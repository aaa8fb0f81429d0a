#include "admin/TSetPasswordDlg.h"

#include "admin/PasswordEdit.h"
#include "codeplug/PasswordRecord.h"
#include "codeplug/TextEntryRules.h"
#include "program/Program.h"
#include "ui/AppLang.h"
#include "ui/ModalSeam.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lt {

namespace {
constexpr int kTitle = 232;
constexpr int kInputLabel = 234;
constexpr int kOk = 153;
constexpr int kCancel = 154;
} // namespace

TSetPasswordDlg::TSetPasswordDlg(Program& program, QWidget* parent)
    : QDialog(parent)
    , program_(program)
{
    setObjectName(QStringLiteral("TSetPasswordDlg"));
    setWindowTitle(MainText(kTitle));
    setFixedSize(260, 130);

    sPassword = new QLabel(MainText(kInputLabel), this);
    sPassword->setObjectName(QStringLiteral("sPassword"));
    sPassword->setGeometry(16, 12, 228, 18);
    eInput = MakePasswordEdit(this, QStringLiteral("eInput"), kPasswordMaxLength);
    eInput->setGeometry(16, 34, 228, 32);

    OKBtn = new QPushButton(MainText(kOk), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(40, 86, 75, 28);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(MainText(kCancel), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(145, 86, 75, 28);

    connect(OKBtn, &QPushButton::clicked, this, &TSetPasswordDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TSetPasswordDlg::OKBtnClick()
{
    program_.model.setText(cp::EnteredPassword, ToGbk(eInput->text()));
    done(mrOK);
}

} // namespace lt
