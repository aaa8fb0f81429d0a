#include "admin/TPasswordDlg.h"

#include "admin/PasswordEdit.h"
#include "admin/ServiceDialogs.h"
#include "ui/AppLang.h"
#include "ui/ModalSeam.h"

#include <QLineEdit>
#include <QPushButton>

namespace lt {

namespace {
constexpr int kOk = 153;
constexpr int kCancel = 154;
} // namespace

TPasswordDlg::TPasswordDlg(AdminContext& context, QWidget* parent)
    : QDialog(parent)
    , context_(context)
{
    setObjectName(QStringLiteral("TPasswordDlg"));
    setWindowTitle(QString());
    setFixedSize(260, 110);

    eInput = MakePasswordEdit(this, QStringLiteral("eInput"), 0);
    eInput->setGeometry(16, 14, 228, 32);

    OKBtn = new QPushButton(MainText(kOk), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(40, 66, 75, 28);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(MainText(kCancel), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(145, 66, 75, 28);

    connect(OKBtn, &QPushButton::clicked, this, &TPasswordDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TPasswordDlg::OKBtnClick()
{
    if (const auto dialog = ServiceDialogFor(eInput->text()))
        OpenServiceDialog(*dialog, context_, this);
    done(mrOK);
}

} // namespace lt
