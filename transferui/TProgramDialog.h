#pragma once

#include "transfer/TransferEngine.h"

#include <QDialog>

class QFrame;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace lt {

struct Program;
struct TransferEnvironment;

// The modal dialog of one run with the radio: a progress bar, the start and
// cancel buttons and the hidden device list of the link. The engine does the
// work; the dialog shows its progress and its outcome message, which opens only
// once every timer of the engine has stopped.
class TProgramDialog : public QDialog {
    Q_OBJECT
public:
    TProgramDialog(TransferEnvironment& env, Program& program, OperationRoutine& routine,
                   QWidget* parent = nullptr);
    ~TProgramDialog() override;

    // The run ended with the success message (and the routine stored its data).
    bool succeeded() const { return engine_.outcome() == TransferOutcome::Success; }
    TransferEngine& engine() { return engine_; }

    QProgressBar* ProgressBar1;
    QFrame* Bevel1;
    QPushButton* ProgramStart;
    QPushButton* CancelBtn;
    QListWidget* DevListBox;

    void ProgramStartClick();
    void HidCtlDeviceChange();

    // Closing the window mid-run stops the run without end marker or message.
    void done(int result) override;

private:
    void showOutcome(TransferOutcome outcome);
    void refreshDeviceList();

    TransferEnvironment& env_;
    TransferEngine engine_;
};

} // namespace lt
