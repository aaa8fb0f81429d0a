#pragma once

#include <QChar>
#include <QString>
#include <functional>
#include <optional>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QWidget;

// How the program's controls take part in editing: they commit when they are
// left, their keys pass a filter and their text is corrected as it changes.
// Every editor hooks its controls up through these, so a control behaves the
// same wherever it sits.
namespace lt {

// Runs commit (through the error report) whenever the control loses the focus
// within the program, whether or not it was changed. Opening its own drop-down
// list or switching to another application does not count as leaving it.
void CommitOnLeave(QWidget* control, std::function<void()> commit);

// onKey sees every key press that carries text and returns true when it
// consumed the key; keys without text (arrows, Home) pass unless the handler
// asks for all keys.
using KeyHandler = std::function<bool(const QKeyEvent&)>;
enum class KeyPresses { WithText, All };
void HandleKeys(QWidget* control, KeyHandler onKey, KeyPresses seen = KeyPresses::WithText);

// Drops a typed character that accepted refuses. Only single characters are
// judged; a longer key text passes.
void DropRefusedKeys(QLineEdit* edit, bool (*accepted)(QChar));

// Filters typed characters: std::nullopt drops one, another character is typed
// in its place. A key whose text the rule changes is consumed and what is left
// of it is typed into the edit. An editable combo box receives its keys itself
// and hands them to its line edit, so its filter sits on both and types into
// the line edit.
using KeyRule = std::function<std::optional<QChar>(QChar)>;
void FilterKeys(QLineEdit* edit, KeyRule rule);
void FilterKeys(QComboBox* editableBox, KeyRule rule);
// The rule that keeps what accepted lets through and drops the rest.
KeyRule OnlyAccepted(bool (*accepted)(QChar));

// For a key handler whose rule turned the typed text into replacement: true
// (the key is consumed) when the rule dropped the key or changed its text, in
// which case the changed text is typed into edit instead.
bool TypeInstead(QLineEdit* edit, const QString& typed, const std::optional<QString>& replacement);

// Applies correct after every change of the text, the program's own changes
// included; when it changes the text the caret goes to the end.
using TextCorrection = std::function<QString(const QString&)>;
void CorrectOnChange(QLineEdit* edit, TextCorrection correct);
void CorrectOnChange(QComboBox* editableBox, TextCorrection correct);

// The same for changes the user makes (typing, pasting) only.
void CorrectAfterEdit(QLineEdit* edit, TextCorrection correct);

// True for the Enter and Return keys.
bool IsEnterKey(const QKeyEvent& key);

} // namespace lt
