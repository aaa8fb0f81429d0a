#pragma once

#include <QChar>
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

// How the calibration editor's controls take part in editing: they commit when
// they are left, and their edits filter keys and correct their text as the
// user types.
namespace lt {

// Runs commit (through the error report) whenever the control loses the focus
// within the program. Opening its own drop-down list or switching to another
// application does not count as leaving it.
void CommitOnLeave(QWidget* control, std::function<void()> commit);

// Drops typed characters the rule refuses; keys without text pass.
void DropRefusedKeys(QLineEdit* edit, bool (*accepted)(QChar));

// Applies correct after every change the user makes (typing, pasting); when it
// changes the text the caret goes to the end.
void CorrectAfterEdit(QLineEdit* edit, std::function<QString(const QString&)> correct);

} // namespace lt
