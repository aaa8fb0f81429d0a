#pragma once

#include "admin/ServiceWords.h"

class QWidget;

namespace lt {

class ProgramWindow;
struct DownloadSource;
struct TransferEnvironment;

// What the service dialogs work on: the main window (for its program, its
// refresh and its configuration file), the transfer environment and the
// download's chosen file, which outlives every opening of the update dialog.
struct AdminContext {
    ProgramWindow& mainWindow;
    TransferEnvironment& env;
    DownloadSource& download;
};

// Creates the dialog, shows it modally and destroys it. The customer-ID
// dialog is shown again and again until it closes with the cancel result.
void OpenServiceDialog(ServiceDialog dialog, AdminContext& context, QWidget* parent);

} // namespace lt
