#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace lt {

// A password entry: one "*" per character, in a 16-point font, empty. A
// maxLength of 0 sets no limit.
QLineEdit* MakePasswordEdit(QWidget* parent, const QString& objectName, int maxLength);

} // namespace lt
