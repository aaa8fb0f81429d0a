#include "admin/TNewPasswordDlg.h"

#include "admin/PasswordEdit.h"
#include "codeplug/PasswordRecord.h"
#include "codeplug/TextEntryRules.h"
#include "program/Program.h"
#include "transfer/TransferState.h"
#include "transferui/TransferRun.h"
#include "ui/AppLang.h"
#include "ui/ControlHooks.h"
#include "ui/MessageDialogs.h"
#include "ui/ModalSeam.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lt {

namespace {
constexpr int kOk = 153;
constexpr int kCancel = 154;
constexpr int kNewPassword = 233;
constexpr int kConfirm = 235;
constexpr int kWrite = 236;
constexpr int kMismatch = 237;
constexpr int kWriteWithNewPassword = 258;
} // namespace

TNewPasswordDlg::TNewPasswordDlg(Program& program, TransferEnvironment& env, QWidget* parent)
    : QDialog(parent)
    , program_(program)
    , env_(env)
{
    setObjectName(QStringLiteral("TNewPasswordDlg"));
    setWindowTitle(MainText(kNewPassword));
    setFixedSize(300, 250);

    sInput = new QLabel(MainText(kNewPassword), this);
    sInput->setObjectName(QStringLiteral("sInput"));
    sInput->setGeometry(16, 10, 268, 18);
    eInput = MakePasswordEdit(this, QStringLiteral("eInput"), kPasswordMaxLength);
    eInput->setGeometry(16, 30, 268, 32);

    sSureInput = new QLabel(MainText(kConfirm), this);
    sSureInput->setObjectName(QStringLiteral("sSureInput"));
    sSureInput->setGeometry(16, 70, 268, 18);
    eSureInput = MakePasswordEdit(this, QStringLiteral("eSureInput"), kPasswordMaxLength);
    eSureInput->setGeometry(16, 90, 268, 32);

    cbWriteWithNewPD = new QCheckBox(MainText(kWriteWithNewPassword), this);
    cbWriteWithNewPD->setObjectName(QStringLiteral("cbWriteWithNewPD"));
    cbWriteWithNewPD->setGeometry(16, 132, 268, 22);
    cbWriteWithNewPD->setChecked(program_.model.get(cp::WriteWithNewPD) != 0);

    bWrite = new QPushButton(MainText(kWrite), this);
    bWrite->setObjectName(QStringLiteral("bWrite"));
    bWrite->setGeometry(16, 166, 268, 28);
    // Return in an entry means OK, never a write into the radio.
    bWrite->setAutoDefault(false);

    OKBtn = new QPushButton(MainText(kOk), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(50, 208, 75, 28);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(MainText(kCancel), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(175, 208, 75, 28);

    CommitOnLeave(cbWriteWithNewPD, [this] { cbWriteWithNewPDExit(); });
    connect(bWrite, &QPushButton::clicked, this, &TNewPasswordDlg::bWriteClick);
    connect(OKBtn, &QPushButton::clicked, this, &TNewPasswordDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TNewPasswordDlg::cbWriteWithNewPDExit()
{
    program_.model.set(cp::WriteWithNewPD, cbWriteWithNewPD->isChecked() ? 1 : 0);
}

bool TNewPasswordDlg::takeNewPassword()
{
    const QString text = eInput->text();
    if (text.size() != eSureInput->text().size() || text != eSureInput->text()) {
        ShowUserWarning(this, MainText(kMismatch));
        return false;
    }
    program_.model.setText(cp::NewPassword, ToGbk(text));
    return true;
}

void TNewPasswordDlg::OKBtnClick()
{
    if (takeNewPassword())
        ShowUserWarning(this, QStringLiteral("OK"));
    done(mrOK);
}

void TNewPasswordDlg::bWriteClick()
{
    if (!takeNewPassword())
        return;
    reportErrors([this] {
        RunTransfer(env_, program_, this, op::RadioPassword, kDirectionWrite,
                    TransferTitle(op::RadioPassword, kDirectionWrite));
    });
}

} // namespace lt
