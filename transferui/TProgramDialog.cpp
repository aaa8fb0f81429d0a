#include "transferui/TProgramDialog.h"

#include "hid/HidLink.h"
#include "transfer/TransferEnvironment.h"
#include "transferui/TransferTexts.h"
#include "ui/FixedDialog.h"
#include "ui/MessageDialogs.h"
#include "ui/ModalSeam.h"

#include <QFrame>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

namespace lt {

namespace {

constexpr int kClientWidth = 369;
constexpr int kClientHeight = 137;

int OutcomeText(TransferOutcome outcome)
{
    switch (outcome) {
    case TransferOutcome::Success:
        return transfer_text::Success;
    case TransferOutcome::PasswordError:
        return transfer_text::PasswordError;
    default:
        return transfer_text::CommunicationFailure;
    }
}

} // namespace

TProgramDialog::TProgramDialog(TransferEnvironment& env, Program& program, OperationRoutine& routine,
                               QWidget* parent)
    : QDialog(parent)
    , env_(env)
    , engine_(env.link, env.clock, env.state, program, routine)
{
    setObjectName(QStringLiteral("TProgramDialog"));
    MakeFixedDialog(*this, kClientWidth, kClientHeight);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(8, 12, 353, 22);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(8, 48, 353, 81);
    Bevel1->setFrameShape(QFrame::Panel);
    Bevel1->setFrameShadow(QFrame::Sunken);

    ProgramStart = new QPushButton(TransferText(transfer_text::Start), this);
    ProgramStart->setObjectName(QStringLiteral("ProgramStart"));
    ProgramStart->setGeometry(72, 76, 89, 28);
    ProgramStart->setDefault(true);

    CancelBtn = new QPushButton(TransferText(transfer_text::Cancel), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(208, 76, 89, 28);

    // The link's device list: kept for the link's bookkeeping, never seen.
    DevListBox = new QListWidget(this);
    DevListBox->setObjectName(QStringLiteral("DevListBox"));
    DevListBox->setGeometry(kClientWidth, 0, 0, 0);
    DevListBox->hide();

    connect(ProgramStart, &QPushButton::clicked, this, &TProgramDialog::ProgramStartClick);
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(&env_.link, &HidLink::devicesChanged, this, &TProgramDialog::refreshDeviceList);

    engine_.onProgress = [this](int value) { ProgressBar1->setValue(value); };
    engine_.onEnded = [this](TransferOutcome outcome) { showOutcome(outcome); };

    // The first discovery runs as soon as the dialog's loop starts, before the
    // user can press Start; later ones follow every device change.
    env_.backend.setWatching(true);
    QMetaObject::invokeMethod(this, &TProgramDialog::HidCtlDeviceChange, Qt::QueuedConnection);
}

// The devices go with the dialog: none stays open, or goes on filling the
// receive buffer, while no transfer dialog is open.
TProgramDialog::~TProgramDialog()
{
    engine_.FormClose();
    env_.link.releaseDevices();
    env_.backend.setWatching(false);
}

void TProgramDialog::HidCtlDeviceChange()
{
    env_.link.HidCtlDeviceChange();
}

void TProgramDialog::refreshDeviceList()
{
    DevListBox->clear();
    DevListBox->addItems(env_.link.DevListBox());
    DevListBox->setCurrentRow(env_.link.DevListBoxItemIndex());
}

void TProgramDialog::ProgramStartClick()
{
    ProgramStart->setEnabled(false);
    CancelBtn->setEnabled(false);
    reportErrors([this] { engine_.ProgramStartClick(); });
}

void TProgramDialog::showOutcome(TransferOutcome outcome)
{
    if (outcome == TransferOutcome::Closed)
        return;
    {
        TUserWarnDlg message(this);
        message.setMessage(TransferText(OutcomeText(outcome)));
        execModal(message);
    }
    QDialog::done(outcome == TransferOutcome::Success ? mrOK : mrCancel);
}

void TProgramDialog::done(int result)
{
    engine_.FormClose();
    QDialog::done(result);
}

} // namespace lt
