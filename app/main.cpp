#include "app/AppLang.h"
#include "app/Application.h"
#include "app/ConfigFile.h"
#include "app/MainWindow.h"
#include "app/ModalSeam.h"
#include "app/Program.h"
#include "app/StartUp.h"

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
        lt::TForm1 window(*program, configPath);
        lt::AppLang().SetInterfaceLanguage(program->settings.Language);
        window.FullRefresh();
        window.show();
        status = app.exec();
        window.WriteConfiguration();
    });
    return status;
}
