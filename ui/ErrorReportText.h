#pragma once

#include <QString>

#include <exception>

namespace lt {

// What the application's error report says about an error an event handler
// raised: the program's own failures (a text that is no number, a
// configuration file it cannot write) in the interface language, any other
// error as it describes itself.
QString ErrorReportText(const std::exception& error);

} // namespace lt
