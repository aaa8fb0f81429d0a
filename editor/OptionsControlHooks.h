#pragma once

#include <QChar>
#include <QString>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QWidget;

// How the options page's controls take part in editing: every control commits
// when it loses the focus, edits filter keys as they are typed and correct their
// text after every change.
namespace lt::options {

// Runs commit (through the error report) whenever the control loses the focus
// to another control of the program, whether or not it was changed. Opening its
// own drop-down list or switching to another application is no focus loss.
void OnExit(QWidget* control, std::function<void()> commit);

// Filters typed characters: std::nullopt drops the key, another character is
// typed in its place. Keys without text (arrows, Home) pass.
using KeyRule = std::function<std::optional<QChar>(QChar)>;
void FilterKeys(QLineEdit* edit, KeyRule rule);
void FilterKeys(QComboBox* editableBox, KeyRule rule);

// Applies correct after every change of the text; when it changes the text the
// caret goes to the end.
using TextCorrection = std::function<QString(const QString&)>;
void CorrectOnChange(QLineEdit* edit, TextCorrection correct);
void CorrectOnChange(QComboBox* editableBox, TextCorrection correct);

} // namespace lt::options
