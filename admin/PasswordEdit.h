#pragma once

#include <QByteArray>
#include <QString>

class QLineEdit;
class QWidget;

namespace lt {

// A password entry: one "*" per character, in a 16-point font, empty. A
// maxLength of 0 sets no limit.
QLineEdit* MakePasswordEdit(QWidget* parent, const QString& objectName, int maxLength);

// A password as the radio's record holds it: bytes in the system's code page (GBK).
QByteArray PasswordBytes(const QString& text);

} // namespace lt
