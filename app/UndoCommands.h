#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace lt {

class ProgramWindow;

// Edit/"Undo" (Ctrl+Z) and Edit/"Redo" (Ctrl+Y, Ctrl+Shift+Z) over the
// program's edit history. The items are named after the step they apply and
// are enabled only when there is one.
class UndoCommands : public QObject {
    Q_OBJECT
public:
    // focusSink takes the focus before a step is applied, so that an open
    // edit commits (and becomes a step of its own) first.
    UndoCommands(ProgramWindow& window, QWidget* focusSink, QObject* parent);

    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }

    // Names and enabled state after a change of the history or the language.
    void update();

    void Undo();
    void Redo();

private:
    void apply(bool redo);

    ProgramWindow& window_;
    QWidget* focusSink_;
    QAction* undo_;
    QAction* redo_;
};

} // namespace lt
