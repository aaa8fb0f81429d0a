#pragma once

#include "app/MessageDialogs.h"
#include "app/ModalSeam.h"
#include "transfer/TProgramDialog.h"
#include "transfer/TransferClock.h"

#include <QPushButton>
#include <QTest>

#include <functional>
#include <optional>
#include <vector>

namespace lt::test {

// Plays the user in front of the transfer dialog: when the dialog opens it
// lets the link discover the radio, presses Start and lets virtual time run
// until the run has ended; every outcome message is recorded and dismissed.
class DialogDriver {
public:
    struct Message {
        QString text;
        bool timersLive;
    };

    explicit DialogDriver(VirtualClock& clock, int64_t limitMs = 600000)
        : clock_(clock)
        , guard_(handlers(limitMs))
    {
    }

    // Called for the message while it is shown (before it is dismissed).
    std::function<void()> whileMessageShown;
    // Replaces pressing Start and waiting, for tests that act on their own.
    std::function<void(TProgramDialog&)> play;

    std::vector<Message> messages;
    QString title;
    int dialogs = 0;
    QStringList errors;

private:
    ModalHandlers handlers(int64_t limitMs)
    {
        ModalHandlers h;
        h.dialog = [this, limitMs](QDialog& d) { return answer(d, limitMs); };
        h.errorReport = [this](const QString& text) { errors.push_back(text); };
        return h;
    }

    int answer(QDialog& dialog, int64_t limitMs)
    {
        if (auto* transfer = qobject_cast<TProgramDialog*>(&dialog)) {
            ++dialogs;
            current_ = transfer;
            title = transfer->windowTitle();
            transfer->HidCtlDeviceChange();
            if (play) {
                play(*transfer);
            } else {
                QTest::mouseClick(transfer->ProgramStart, Qt::LeftButton);
                clock_.advanceUntil([transfer] { return transfer->engine().outcome().has_value(); }, limitMs);
            }
            current_ = nullptr;
            return transfer->result();
        }
        messages.push_back({MessageOf(dialog), current_ && current_->engine().anyTimerActive()});
        if (whileMessageShown)
            whileMessageShown();
        return mrOK;
    }

    VirtualClock& clock_;
    ModalHandlersGuard guard_;
    TProgramDialog* current_ = nullptr;
};

} // namespace lt::test
