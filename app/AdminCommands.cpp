#include "app/AdminCommands.h"

#include "admin/ServiceDialogs.h"
#include "admin/TNewPasswordDlg.h"
#include "admin/TPasswordDlg.h"
#include "admin/TSetPasswordDlg.h"
#include "app/MainWindow.h"
#include "transfer/DownloadOperations.h"
#include "transfer/TransferEnvironment.h"
#include "ui/ModalSeam.h"

#include <memory>

namespace lt {

namespace {
// The prompt's context refers to the download source; both live as long as
// the Adjustment command does.
struct AdminHooks {
    std::shared_ptr<DownloadSource> download;
    AdminContext context;
};
} // namespace

void InstallAdminCommands(TForm1& mainWindow, TransferEnvironment& env)
{
    auto download = std::make_shared<DownloadSource>();
    RegisterDownloadOperations(env.operations, download);
    auto hooks = std::make_shared<AdminHooks>(AdminHooks{download, AdminContext{mainWindow, env, *download}});

    mainWindow.onPassword = [](TForm1& window) {
        TSetPasswordDlg dialog(window.program(), &window);
        execModal(dialog);
    };
    mainWindow.onNewPassword = [&env](TForm1& window) {
        TNewPasswordDlg dialog(window.program(), env, &window);
        execModal(dialog);
    };
    mainWindow.onAdjustment = [hooks](TForm1& window) {
        TPasswordDlg prompt(hooks->context, &window);
        execModal(prompt);
    };
}

} // namespace lt
