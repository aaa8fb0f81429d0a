#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace lt {

class TForm1;
class TransferClock;
class TransferTimer;

// Keeps the recovery copy of the main window's codeplug: while it has unsaved
// changes, the copy is rewritten a few seconds after a change (at most once
// in that time); when it has none (saved, new, opened, read, or undone back
// to that), the copy goes. At start a copy left behind by a run that did not
// end normally is offered for restoring.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 3000;

    // The timer runs on clock; path is where the copy is kept.
    RecoveryKeeper(TForm1& window, TransferClock& clock, QString path);
    ~RecoveryKeeper() override;

    // Asks whether to restore a copy that is there, saying when it was kept;
    // declining deletes it. A restored codeplug shows as changed.
    void offerRestore();
    // The program ends normally: the copy goes.
    void discard();

private:
    void historyChanged();
    void keepCopy();

    TForm1& window_;
    std::unique_ptr<TransferTimer> timer_;
    QString path_;
    bool failureShown_ = false;
};

} // namespace lt
