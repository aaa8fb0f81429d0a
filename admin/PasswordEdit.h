#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace lt {

// A password entry: one "*" per character, in a 16-point font, empty. A
// password the program keeps is stored as GBK bytes, exactly as typed: given a
// maxBytes, the entry refuses characters GBK lacks as they are typed and holds
// its text to maxBytes GBK bytes (and as many characters). A maxBytes of 0 sets
// no limit and refuses nothing.
QLineEdit* MakePasswordEdit(QWidget* parent, const QString& objectName, int maxBytes);

} // namespace lt
