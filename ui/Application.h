#pragma once

#include <QApplication>

namespace lt {

// The application object. Its notify() is the last line of defence of the
// error report: an exception that escapes an event handler is shown to the user
// and never crosses Qt's event loop.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace lt
