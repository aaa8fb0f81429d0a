#include "ui/Application.h"

#include "ui/ModalSeam.h"

#include <exception>

namespace lt {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showErrorReport(QString::fromUtf8(error.what()));
    } catch (...) {
        showErrorReport(QStringLiteral("Unexpected error"));
    }
    return false;
}

} // namespace lt
