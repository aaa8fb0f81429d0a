#pragma once

#include "hid/TransferClock.h"
#include "support/FileDialogQueue.h"
#include "ui/ModalSeam.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

class QDialog;

namespace lt {
class TProgramDialog;
}

namespace lt::test {

// The user in front of the program's modal dialogs. Every dialog is recorded
// and answered by the next step queued for its objectName, if any. Otherwise a
// transfer dialog lets the link discover the radio, is started (or handed to
// play) and left to run on the virtual clock to its end; a plain message gets
// OK and any other dialog defaultResult. File dialogs answer from queues.
class TransferDialogDriver {
public:
    using Step = std::function<int(QDialog&)>;
    struct Shown {
        QString dialog;  // objectName of the dialog's class
        QString message; // the text of its message label, if any
        bool timersLive; // a run's timers were still going while it was shown
    };

    explicit TransferDialogDriver(VirtualClock& clock, int64_t limitMs = 600000);

    TransferDialogDriver& then(const QString& dialogName, Step step);
    TransferDialogDriver& answer(const QString& dialogName, int result);
    TransferDialogDriver& openFile(QString path);
    TransferDialogDriver& saveFile(QString path);

    // Replaces pressing Start and waiting, for tests that act on their own.
    std::function<void(TProgramDialog&)> play;
    // Called while a dialog other than a transfer is shown, unless a queued
    // step answers it.
    std::function<void()> whileMessageShown;
    int defaultResult = mrOK;

    std::vector<Shown> shown;
    QStringList transferTitles;
    std::vector<int> transferProgress; // the bar when each run ended
    QStringList errorReports;
    QStringList systemErrors;
    std::vector<FileDialogRequest> fileRequests;

    // The messages shown, in order (outcome texts and the dialogs' own).
    std::vector<Shown> shownMessages() const;
    QStringList messages() const;
    QString lastTransferTitle() const;
    int count(const QString& dialogName) const;

private:
    ModalHandlers handlers();
    int respond(QDialog& dialog);
    int runTransfer(TProgramDialog& transfer);

    VirtualClock& clock_;
    int64_t limitMs_;
    std::map<QString, std::deque<Step>> steps_;
    FileDialogQueue openFiles_;
    FileDialogQueue saveFiles_;
    TProgramDialog* current_ = nullptr;
    ModalHandlersGuard guard_;
};

} // namespace lt::test
