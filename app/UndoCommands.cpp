#include "app/UndoCommands.h"

#include "editor/EditStepNames.h"
#include "program/Program.h"
#include "ui/ModalSeam.h"
#include "ui/ProgramWindow.h"
#include "ui/AddedTexts.h"
#include "ui/Mnemonic.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace lt {

UndoCommands::UndoCommands(ProgramWindow& window, QWidget* focusSink, QObject* parent)
    : QObject(parent)
    , window_(window)
    , focusSink_(focusSink)
    , undo_(new QAction(this))
    , redo_(new QAction(this))
{
    undo_->setObjectName(QStringLiteral("MenuEdit_Undo"));
    undo_->setShortcut(QKeySequence::Undo);
    redo_->setObjectName(QStringLiteral("MenuEdit_Redo"));
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo_, &QAction::triggered, this, [this] { reportErrors([this] { Undo(); }); });
    connect(redo_, &QAction::triggered, this, [this] { reportErrors([this] { Redo(); }); });
    update();
}

void UndoCommands::update()
{
    const EditHistory& history = window_.program().history;
    undo_->setEnabled(history.canUndo());
    undo_->setText(WithMnemonic(history.canUndo() ? AddedText(Added::UndoStep).arg(EditStepName(history.undoLabel()))
                                                  : AddedText(Added::Undo),
                                QLatin1Char('U')));
    redo_->setEnabled(history.canRedo());
    redo_->setText(WithMnemonic(history.canRedo() ? AddedText(Added::RedoStep).arg(EditStepName(history.redoLabel()))
                                                  : AddedText(Added::Redo),
                                QLatin1Char('E')));
}

void UndoCommands::Undo()
{
    apply(false);
}

void UndoCommands::Redo()
{
    apply(true);
}

void UndoCommands::apply(bool redo)
{
    const QPointer<QWidget> focused = QApplication::focusWidget();
    focusSink_->setFocus();
    EditHistory& history = window_.program().history;
    if (redo)
        history.redo();
    else
        history.undo();
    window_.FullRefresh();
    // Showing the codeplug applies the options page's display rules; the
    // step's bytes are what counts.
    history.settle();
    if (focused && focused->isVisible())
        focused->setFocus();
}

} // namespace lt
