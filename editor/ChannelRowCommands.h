#pragma once

#include "codeplug/ChannelRows.h"
#include "codeplug/EditLabel.h"
#include "ui/AddedTexts.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace lt {

struct Program;
class ChannelGridModel;
class CodeplugModel;
class ChannelGridView;

// The channel grid's commands on whole channels: cut, copy and paste, delete,
// insert an empty channel, remove, move up and down, sort, find and go to. The
// main window puts them on its Edit menu; the grid offers them on its
// right-click menu. Every change they make is one step of the edit history and
// moves each channel's 76 bytes together with its used bit.
class ChannelRowCommands : public QObject {
    Q_OBJECT
public:
    // commitEdit commits the grid's open editor, if any, before a command runs.
    ChannelRowCommands(Program& program, ChannelGridView* grid, ChannelGridModel* gridModel,
                       std::function<void()> commitEdit, QWidget* page);

    // The commands in menu order, a separator between their groups, before
    // the item before (at the end without one).
    void addTo(QMenu* menu, QAction* before = nullptr) const;
    // The grid's right-click menu.
    QMenu* contextMenu() const { return contextMenu_; }
    // Captions in the current interface language.
    void retranslate();

    void Cut();
    void Copy();
    void Paste();
    void DeleteChannels();
    void InsertChannel();
    void RemoveChannels();
    void MoveUp();
    void MoveDown();
    void SortByFrequency();
    void SortByName();
    void Find();
    void FindNext();
    void GoToChannel();

signals:
    // Many rows changed; the main window runs its full refresh.
    void channelsChanged();
    // Find and Go to need the channel page in front.
    void gridWanted();

private:
    QAction* addAction(const char* name, Added text, char mnemonic, const QKeySequence& shortcut, void (ChannelRowCommands::*run)(),
                       bool gridOnly);
    // Refreshes the rows and records the step.
    void finish(EditLabel label);
    // Changes the selected channels as one step of the kind.
    void onSelected(EditKind kind, void (*change)(CodeplugModel&, const std::vector<int>&));
    void sort(SortKey key, EditKind kind);
    void move(int by, EditKind kind);
    void goTo(int channel);
    int currentChannel() const;

    Program& program_;
    ChannelGridView* grid_;
    ChannelGridModel* gridModel_;
    std::function<void()> commitEdit_;
    QWidget* page_;
    struct Command {
        QAction* action;
        Added text;
        QChar mnemonic;
    };
    std::vector<Command> actions_;
    QMenu* contextMenu_;
    QString findText_;
};

} // namespace lt
