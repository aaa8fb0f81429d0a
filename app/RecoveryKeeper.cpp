#include "app/RecoveryKeeper.h"

#include "app/MainWindow.h"
#include "hid/TransferClock.h"
#include "program/Program.h"
#include "program/RecoveryCopy.h"
#include "ui/SizedMessageDialog.h"
#include "ui/ModalSeam.h"
#include "ui/AddedTexts.h"

#include <QDir>

namespace lt {

RecoveryKeeper::RecoveryKeeper(TForm1& window, TransferClock& clock, QString path)
    : QObject(&window)
    , window_(window)
    , timer_(clock.createTimer())
    , path_(std::move(path))
{
    timer_->onTimeout = [this] { keepCopy(); };
    connect(&window_, &TForm1::historyChanged, this, &RecoveryKeeper::historyChanged);
}

RecoveryKeeper::~RecoveryKeeper() = default;

void RecoveryKeeper::historyChanged()
{
    if (!window_.program().history.isModified()) {
        timer_->stop();
        RemoveRecoveryCopy(path_);
        return;
    }
    if (!timer_->isActive())
        timer_->start(kDelayMs);
}

void RecoveryKeeper::keepCopy()
{
    timer_->stop();
    if (!window_.program().history.isModified())
        return;
    const QString error = WriteRecoveryCopy(path_, window_.program().model);
    // Said once: a message every few seconds would stop the user working.
    if (!error.isEmpty() && !failureShown_) {
        failureShown_ = true;
        showErrorReport(QStringLiteral("Cannot keep a recovery copy in %1: %2").arg(QDir::toNativeSeparators(path_), error));
    }
}

void RecoveryKeeper::offerRestore()
{
    const std::optional<QDateTime> kept = RecoveryCopyTime(path_);
    if (!kept)
        return;
    const QString when = kept->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!AskSizedOkCancel(&window_, AddedText(Added::RecoveryOffer).arg(when), AddedText(Added::Restore),
                         AddedText(Added::Discard))) {
        RemoveRecoveryCopy(path_);
        return;
    }
    Program& program = window_.program();
    if (!ReadRecoveryCopy(path_, program.model)) {
        RemoveRecoveryCopy(path_);
        ShowSizedMessage(&window_, AddedText(Added::RecoveryUnreadable));
        return;
    }
    window_.FullRefresh();
    // Restored but not saved: the clean state stays the one the program
    // started with, so the codeplug shows as changed and the copy is kept.
    program.history.absorb();
}

void RecoveryKeeper::discard()
{
    timer_->stop();
    RemoveRecoveryCopy(path_);
}

} // namespace lt
