#include "editor/ChannelRowCommands.h"

#include "codeplug/ChannelClipboard.h"
#include "codeplug/ChannelSearch.h"
#include "editor/ChannelGridModel.h"
#include "editor/ChannelGridView.h"
#include "program/Program.h"
#include "ui/AppLang.h"
#include "ui/SizedMessageDialog.h"
#include "ui/ModalSeam.h"
#include "ui/AddedTexts.h"
#include "ui/CsvErrorLines.h"
#include "ui/Mnemonic.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QMimeData>

#include <numeric>

namespace lt {

namespace {

// Actions that start a new group of the menus: insert, sort and find.
constexpr std::size_t kGroupStarts[] = {4, 8, 10};

// Find and Go to ask in a dialog with the program's own captions.
void setUpPrompt(QInputDialog& dialog, const char* name, Added title, Added prompt)
{
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setWindowTitle(AddedText(title));
    dialog.setLabelText(AddedText(prompt));
    dialog.setOkButtonText(MainText(153));
    dialog.setCancelButtonText(MainText(154));
}

} // namespace

ChannelRowCommands::ChannelRowCommands(Program& program, ChannelGridView* grid, ChannelGridModel* gridModel,
                                       std::function<void()> commitEdit, QWidget* page)
    : QObject(page)
    , program_(program)
    , grid_(grid)
    , gridModel_(gridModel)
    , commitEdit_(std::move(commitEdit))
    , page_(page)
{
    using Self = ChannelRowCommands;
    addAction("MenuEdit_Cut", Added::Cut, 'T', QKeySequence::Cut, &Self::Cut, true);
    addAction("MenuEdit_Copy", Added::Copy, 'C', QKeySequence::Copy, &Self::Copy, true);
    addAction("MenuEdit_Paste", Added::Paste, 'A', QKeySequence::Paste, &Self::Paste, true);
    addAction("MenuEdit_Delete", Added::DeleteChannels, 'D', QKeySequence(Qt::Key_Delete), &Self::DeleteChannels, true);
    addAction("MenuEdit_InsertChannel", Added::InsertChannel, 'I', QKeySequence(Qt::Key_Insert), &Self::InsertChannel, true);
    addAction("MenuEdit_RemoveChannel", Added::RemoveChannels, 'H', QKeySequence(Qt::CTRL | Qt::Key_Delete),
              &Self::RemoveChannels, true);
    addAction("MenuEdit_MoveUp", Added::MoveUp, 'M', QKeySequence(Qt::ALT | Qt::Key_Up), &Self::MoveUp, true);
    addAction("MenuEdit_MoveDown", Added::MoveDown, 'O', QKeySequence(Qt::ALT | Qt::Key_Down), &Self::MoveDown, true);
    addAction("MenuEdit_SortByFrequency", Added::SortByFrequency, 'S', {}, &Self::SortByFrequency, true);
    addAction("MenuEdit_SortByName", Added::SortByName, 'B', {}, &Self::SortByName, true);
    addAction("MenuEdit_Find", Added::Find, 'F', QKeySequence(Qt::CTRL | Qt::Key_F), &Self::Find, false);
    addAction("MenuEdit_FindNext", Added::FindNext, 'X', QKeySequence(Qt::Key_F3), &Self::FindNext, false);
    addAction("MenuEdit_GoToChannel", Added::GoToChannel, 'G', QKeySequence(Qt::CTRL | Qt::Key_G), &Self::GoToChannel, false);

    contextMenu_ = new QMenu(grid_);
    contextMenu_->setObjectName(QStringLiteral("ChannelGridMenu"));
    addTo(contextMenu_);
    for (QWidget* area : {static_cast<QWidget*>(grid_), static_cast<QWidget*>(grid_->verticalHeader())}) {
        area->setContextMenuPolicy(Qt::CustomContextMenu);
        const auto* scrollArea = qobject_cast<QAbstractScrollArea*>(area);
        connect(area, &QWidget::customContextMenuRequested, this, [this, scrollArea](const QPoint& pos) {
            contextMenu_->popup(scrollArea->viewport()->mapToGlobal(pos));
        });
    }
}

QAction* ChannelRowCommands::addAction(const char* name, Added text, char mnemonic, const QKeySequence& shortcut,
                                       void (ChannelRowCommands::*run)(), bool gridOnly)
{
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    // The clipboard and row commands act on the grid only while it has the
    // focus, so Del or Ctrl+C in any other control keep their own meaning;
    // find and go to work anywhere in the window.
    action->setShortcutContext(gridOnly ? Qt::WidgetWithChildrenShortcut : Qt::WindowShortcut);
    (gridOnly ? static_cast<QWidget*>(grid_) : page_)->addAction(action);
    connect(action, &QAction::triggered, this, [this, run] { reportErrors([this, run] { (this->*run)(); }); });
    actions_.push_back({action, text, QLatin1Char(mnemonic)});
    return action;
}

void ChannelRowCommands::addTo(QMenu* menu, QAction* before) const
{
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        if (i == 0 || std::ranges::find(kGroupStarts, i) != std::end(kGroupStarts))
            menu->insertSeparator(before);
        menu->insertAction(before, actions_[i].action);
    }
}

void ChannelRowCommands::retranslate()
{
    for (const auto& [action, text, mnemonic] : actions_)
        action->setText(WithMnemonic(AddedText(text), mnemonic));
}

int ChannelRowCommands::currentChannel() const
{
    return std::max(grid_->currentRow(), 1);
}

void ChannelRowCommands::finish(EditLabel label)
{
    gridModel_->allChanged();
    emit channelsChanged();
    program_.history.record(std::move(label));
}

// --- clipboard -----------------------------------------------------------------

void ChannelRowCommands::Copy()
{
    commitEdit_();
    const std::vector<int> channels = grid_->selectedChannels();
    if (channels.empty())
        return;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kChannelSlotsMimeType), EncodeChannelSlots(CopyChannels(program_.model, channels)));
    data->setText(ChannelsAsText(program_.model, channels));
    QGuiApplication::clipboard()->setMimeData(data);
}

void ChannelRowCommands::Cut()
{
    Copy();
    onSelected(EditKind::Cut, ClearChannels);
}

void ChannelRowCommands::Paste()
{
    commitEdit_();
    const int at = currentChannel();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    int pasted = 0;
    if (const auto taken = data ? DecodeChannelSlots(data->data(QString::fromLatin1(kChannelSlotsMimeType))) : std::nullopt) {
        pasted = static_cast<int>(taken->size());
        if (!PasteChannels(program_.model, at, *taken)) {
            ShowSizedMessage(page_, AddedText(Added::PastePastEnd).arg(pasted).arg(at));
            return;
        }
    } else {
        const TextPaste result = PasteChannelText(program_.model, at, data ? data->text() : QString());
        switch (result.outcome) {
        case TextPaste::Pasted:
            pasted = result.channels;
            break;
        case TextPaste::BadLines:
            ShowSizedMessage(page_, AddedText(Added::NothingPasted) + QLatin1Char('\n') + CsvErrorLines(result.errors, result.unlistedErrors));
            return;
        case TextPaste::NoChannels:
            ShowSizedMessage(page_, AddedText(Added::NoChannelsToPaste));
            return;
        case TextPaste::PastLastChannel:
            ShowSizedMessage(page_, AddedText(Added::PastePastEnd).arg(result.channels).arg(at));
            return;
        }
    }
    std::vector<int> pastedInto(static_cast<std::size_t>(pasted));
    std::iota(pastedInto.begin(), pastedInto.end(), at);
    grid_->selectChannels(pastedInto);
    finish({EditKind::Paste, 0, at, at + pasted - 1, {}});
}

// --- rows ------------------------------------------------------------------------

void ChannelRowCommands::onSelected(EditKind kind, void (*change)(CodeplugModel&, const std::vector<int>&))
{
    commitEdit_();
    const std::vector<int> channels = grid_->selectedChannels();
    if (channels.empty())
        return;
    change(program_.model, channels);
    if (kind == EditKind::Remove)
        grid_->selectChannels({channels.front()});
    finish({kind, 0, channels.front(), channels.back(), {}});
}

void ChannelRowCommands::DeleteChannels()
{
    onSelected(EditKind::Delete, ClearChannels);
}

void ChannelRowCommands::InsertChannel()
{
    commitEdit_();
    const int at = currentChannel();
    if (!InsertEmptyChannel(program_.model, at)) {
        ShowSizedMessage(page_, AddedText(Added::InsertRefused));
        return;
    }
    finish({EditKind::InsertEmpty, 0, at, at, {}});
}

void ChannelRowCommands::RemoveChannels()
{
    onSelected(EditKind::Remove, lt::RemoveChannels);
}

void ChannelRowCommands::move(int by, EditKind kind)
{
    commitEdit_();
    std::vector<int> channels = grid_->selectedChannels();
    if (channels.empty() || !MoveChannels(program_.model, channels, by))
        return;
    for (int& n : channels)
        n += by;
    grid_->selectChannels(channels);
    finish({kind, 0, channels.front() - by, channels.back() - by, {}});
}

void ChannelRowCommands::MoveUp()
{
    move(-1, EditKind::MoveUp);
}

void ChannelRowCommands::MoveDown()
{
    move(1, EditKind::MoveDown);
}

void ChannelRowCommands::sort(SortKey key, EditKind kind)
{
    commitEdit_();
    const std::vector<int> selected = grid_->selectedChannels();
    // One row is no selection to sort within: the whole list is meant.
    const std::vector<int> within = selected.size() > 1 ? selected : std::vector<int>{};
    SortChannels(program_.model, key, within);
    finish({kind, 0, within.empty() ? 0 : within.front(), within.empty() ? 0 : within.back(), {}});
}

void ChannelRowCommands::SortByFrequency()
{
    sort(SortKey::Frequency, EditKind::SortByFrequency);
}

void ChannelRowCommands::SortByName()
{
    sort(SortKey::Name, EditKind::SortByName);
}

// --- finding ------------------------------------------------------------------------

void ChannelRowCommands::goTo(int channel)
{
    emit gridWanted();
    grid_->selectChannels({channel});
    grid_->setFocus();
}

void ChannelRowCommands::Find()
{
    commitEdit_();
    QInputDialog dialog(page_);
    setUpPrompt(dialog, "FindChannelDlg", Added::FindTitle, Added::FindPrompt);
    dialog.setTextValue(findText_);
    if (execModal(dialog) != mrOK || dialog.textValue().trimmed().isEmpty())
        return;
    findText_ = dialog.textValue();
    FindNext();
}

void ChannelRowCommands::FindNext()
{
    if (findText_.trimmed().isEmpty()) {
        Find();
        return;
    }
    commitEdit_();
    const int found = FindChannel(program_.model, findText_, grid_->currentRow());
    if (found == 0) {
        ShowSizedMessage(page_, AddedText(Added::NotFound).arg(findText_.trimmed()));
        return;
    }
    goTo(found);
}

void ChannelRowCommands::GoToChannel()
{
    commitEdit_();
    QInputDialog dialog(page_);
    setUpPrompt(dialog, "GoToChannelDlg", Added::GoToTitle, Added::GoToPrompt);
    dialog.setIntRange(1, cp::kChannelCount);
    dialog.setIntValue(currentChannel());
    // Set last, so the OK button starts enabled for the value already there.
    dialog.setInputMode(QInputDialog::IntInput);
    if (execModal(dialog) != mrOK)
        return;
    goTo(dialog.intValue());
}

} // namespace lt
