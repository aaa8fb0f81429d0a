#pragma once

#include "support/FileDialogQueue.h"
#include "ui/ModalSeam.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

namespace lt::test {

// Answers the program's modal dialogs in tests: every dialog, file dialog and
// error report is recorded, and each dialog gets the next queued result (or
// the default). Lives as long as the test that creates it.
class ModalScript {
public:
    struct Shown {
        QString dialog;  // objectName of the dialog's class
        QString message; // the text of its message label, if any
    };

    ModalScript();

    ModalScript& answer(int result)
    {
        results_.push_back(result);
        return *this;
    }
    ModalScript& openFile(QString path)
    {
        openFiles_.push(std::move(path));
        return *this;
    }
    ModalScript& saveFile(QString path)
    {
        saveFiles_.push(std::move(path));
        return *this;
    }

    int defaultResult = mrCancel;
    std::deque<Shown> shown;
    QStringList errors;
    std::deque<FileDialogRequest> fileRequests;

private:
    std::deque<int> results_;
    FileDialogQueue openFiles_;
    FileDialogQueue saveFiles_;
    std::optional<ModalHandlersGuard> guard_;
};

} // namespace lt::test
