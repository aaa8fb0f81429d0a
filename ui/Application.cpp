#include "ui/Application.h"

#include "ui/AddedTexts.h"
#include "ui/ErrorReportText.h"
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
        showErrorReport(ErrorReportText(error));
    } catch (...) {
        showErrorReport(AddedText(Added::UnexpectedError));
    }
    return false;
}

} // namespace lt
