#include "support/ModalScript.h"

#include "ui/MessageDialogs.h"

#include <QDialog>

namespace lt::test {

ModalScript::ModalScript()
{
    ModalHandlers handlers;
    handlers.dialog = [this](QDialog& dialog) {
        shown.push_back({dialog.objectName(), MessageOf(dialog)});
        if (results_.empty())
            return defaultResult;
        const int result = results_.front();
        results_.pop_front();
        return result;
    };
    handlers.openFile = [this](const FileDialogRequest& request) {
        fileRequests.push_back(request);
        return openFiles_.take();
    };
    handlers.saveFile = [this](const FileDialogRequest& request) {
        fileRequests.push_back(request);
        return saveFiles_.take();
    };
    handlers.errorReport = [this](const QString& message) { errors << message; };
    handlers.systemError = [this](QWidget*, const QString& message) { errors << message; };
    guard_.emplace(std::move(handlers));
}

} // namespace lt::test
