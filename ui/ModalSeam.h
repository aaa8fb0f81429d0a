#pragma once

#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace lt {

// Modal results as the dialogs of this program report them. QDialog's own
// Accepted/Rejected stand for OK and Cancel; "No" needs a code of its own.
enum ModalResult : int {
    mrCancel = 0, // QDialog::Rejected; also what the window's close box gives
    mrOK = 1,     // QDialog::Accepted
    mrNo = 7,
};

struct FileDialogRequest {
    QWidget* parent = nullptr;
    QString title;
    QString filter;        // in the program's "Description|*.ext;*.ext" form
    QString defaultSuffix; // save dialogs only; empty for open dialogs
};

// Every modal interaction of the program goes through these functions. The
// program shows real dialogs; tests install handlers that answer at once, so no
// test ever waits in a nested event loop.
int execModal(QDialog& dialog);
QString askOpenFileName(const FileDialogRequest& request);
QString askSaveFileName(const FileDialogRequest& request);
// The application's standard error report (a conversion error, a failed write).
void showErrorReport(const QString& message);
// The system's own error box with an empty title, used by the update dialog.
void showSystemError(QWidget* parent, const QString& message);

// Runs an event handler's body; a conversion error or any other exception it
// throws is shown by the error report instead of crossing the event loop.
void reportErrors(const std::function<void()>& handler);

struct ModalHandlers {
    std::function<int(QDialog&)> dialog;
    std::function<QString(const FileDialogRequest&)> openFile;
    std::function<QString(const FileDialogRequest&)> saveFile;
    std::function<void(const QString&)> errorReport;
    std::function<void(QWidget*, const QString&)> systemError;
};

// Installs handlers for the lifetime of the guard; unset members keep the real
// behaviour. Guards nest: the previous handlers come back on destruction.
class ModalHandlersGuard {
public:
    explicit ModalHandlersGuard(ModalHandlers handlers);
    ~ModalHandlersGuard();
    ModalHandlersGuard(const ModalHandlersGuard&) = delete;
    ModalHandlersGuard& operator=(const ModalHandlersGuard&) = delete;

private:
    ModalHandlers previous_;
};

// "Korvo File(*.Kvf)|*.Kvf" -> "Korvo File(*.Kvf) (*.Kvf)"; several pairs are
// separated by ";;" as Qt's file dialogs expect.
QString qtFileFilter(const QString& pipeFilter);

} // namespace lt
