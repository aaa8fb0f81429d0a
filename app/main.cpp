#include "app/AdminCommands.h"
#include "app/MainWindow.h"
#include "app/RecoveryKeeper.h"
#include "app/StartUp.h"
#include "hid/HidBackendFactory.h"
#include "hid/HidLink.h"
#include "hid/TransferClock.h"
#include "program/ConfigFile.h"
#include "program/Program.h"
#include "program/RecoveryCopy.h"
#include "transfer/CodeplugOperations.h"
#include "transfer/ServiceOperations.h"
#include "transfer/TransferEnvironment.h"
#include "ui/Application.h"
#include "ui/ModalSeam.h"

#include <memory>

int main(int argc, char** argv)
{
    lt::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lt4402"));
    QApplication::setApplicationDisplayName(QString());

    auto program = std::make_unique<lt::Program>();
    const QString configPath = lt::ConfigFilePath();
    int status = 0;
    lt::reportErrors([&] {
        lt::LoadProgramState(*program, configPath);

        // One link to the radio for the whole run, shared by every transfer.
        const std::unique_ptr<lt::HidBackend> backend = lt::createProgramHidBackend();
        lt::HidLink link(*backend);
        lt::QtTransferClock clock;
        lt::TransferEnvironment transfers(*backend, link, clock);
        const lt::ProgramTransferEnvironment installed(transfers);
        lt::RegisterCodeplugOperations(transfers.operations, *program);
        lt::RegisterServiceOperations(transfers.operations, *program);

        lt::TForm1 window(*program, configPath);
        lt::InstallAdminCommands(window, transfers);
        window.FullRefresh();
        lt::RecoveryKeeper recovery(window, clock, lt::RecoveryCopyPath());
        window.show();
        recovery.offerRestore();
        status = app.exec();
        recovery.discard();
        window.WriteConfiguration();
    });
    return status;
}
