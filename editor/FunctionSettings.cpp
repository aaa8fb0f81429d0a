#include "editor/FunctionSettings.h"

#include "codeplug/TextEntryRules.h"
#include "editor/FunctionSettingLists.h"
#include "program/Program.h"
#include "ui/AppLang.h"
#include "ui/ControlHooks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <array>

namespace lt {

// A text box of GroupBox2.
struct SettingText {
    const char* name; // the box is "e" + name, its label "s" + name
    cp::Field field;
    QString (*caption)();
    int maxBytes;     // the field keeps one more byte for the terminating zero
};

// A check box of GroupBox3.
struct SettingSwitch {
    const char* name; // the box is "c" + name
    cp::Field field;
    int captionText;
    bool onlyOneIsChecked; // shown checked for 1 only, not for any non-zero value
};

namespace {

constexpr int kListWidth = 110;

const std::array<SettingText, 3> kTexts = {{
    {"PowerOnMsg", cp::PowerOnMsg, [] { return MainText(272); }, 8},
    {"PowerOnMsg2", cp::PowerOnMsg2, [] { return MainText(272) + QStringLiteral(" 2"); }, 20},
    {"HuHao", cp::HuHao, [] { return MainText(292); }, 8},
}};

const std::array<SettingSwitch, 6> kSwitches = {{
    {"Beep", cp::Beep, 68, true},
    {"NAM", cp::NAM, 172, true},
    {"LockSingleFreq", cp::LockSingleFreq, 301, false},
    {"WorkModeLock", cp::WorkModeLock, 275, false},
    {"MenuDisp", cp::MenuDisp, 274, false},
    {"WatchMode", cp::WatchMode, 309, true},
}};

// The item a list shows for a stored value; a VOX delay the radio does not
// offer shows as 0.3 s, the value the refresh corrects it to.
int itemShown(const SettingList& list, uint32_t value)
{
    const int item = list.itemOf(value);
    if (list.field.offset == cp::VOX_DELAY.offset && item < 0)
        return list.itemOf(kDefaultVoxDelay);
    return item;
}

bool shownChecked(const SettingSwitch& control, uint32_t value)
{
    return control.onlyOneIsChecked ? value == 1 : value != 0;
}

QGridLayout* newGrid(QGroupBox* group)
{
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(4);
    grid->setHorizontalSpacing(8);
    return grid;
}

} // namespace

FunctionSettings::FunctionSettings(Program& program, QWidget* page)
    : QObject(page)
    , program_(program)
    , GroupBox2(new QGroupBox(page))
    , GroupBox1(new QGroupBox(page))
    , GroupBox3(new QGroupBox(page))
{
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));

    // Two label-and-box columns keep the general settings within the page's height.
    QGridLayout* general = newGrid(GroupBox2);
    const std::span<const SettingList> generalLists = GeneralSettingLists();
    const int listRows = static_cast<int>((generalLists.size() + 1) / 2);
    for (std::size_t i = 0; i < generalLists.size(); ++i) {
        const int index = static_cast<int>(i);
        addList(GroupBox2, general, generalLists[i], index % listRows, index / listRows * 2);
    }
    // The two short texts share a row; the 20-byte second message gets one of its own.
    addText(kTexts[0], general, listRows, 0, 1);
    addText(kTexts[2], general, listRows, 2, 1);
    addText(kTexts[1], general, listRows + 1, 0, 3);

    QGridLayout* vox = newGrid(GroupBox1);
    const std::span<const SettingList> voxLists = VoxSettingLists();
    for (std::size_t i = 0; i < voxLists.size(); ++i)
        addList(GroupBox1, vox, voxLists[i], 0, static_cast<int>(i) * 2);

    QGridLayout* switches = newGrid(GroupBox3);
    switches->setContentsMargins(8, 4, 8, 4);
    switches->setVerticalSpacing(2);
    for (std::size_t i = 0; i < kSwitches.size(); ++i) {
        const SettingSwitch& control = kSwitches[i];
        auto* box = new QCheckBox(GroupBox3);
        box->setObjectName(QStringLiteral("c") + QLatin1String(control.name));
        switches->addWidget(box, static_cast<int>(i) / 3, static_cast<int>(i) % 3);
        commitStep(box, [this, box, &control] { program_.model.set(control.field, box->isChecked() ? 1 : 0); },
                   [text = control.captionText] { return MainText(text); });
        switches_.emplace_back(box, &control);
        if (control.field.offset == cp::WorkModeLock.offset)
            cWorkModeLock = box;
    }
}

void FunctionSettings::addList(QGroupBox* group, QGridLayout* grid, const SettingList& list, int row, int column)
{
    const QString name = QLatin1String(list.name);
    auto* label = new QLabel(group);
    label->setObjectName(QStringLiteral("s") + name);
    auto* box = new QComboBox(group);
    box->setObjectName(QStringLiteral("cb") + name);
    box->setMinimumWidth(kListWidth);
    label->setBuddy(box);
    grid->addWidget(label, row, column);
    grid->addWidget(box, row, column + 1);
    captions_.emplace_back(label, [text = list.labelText] { return MainText(text); });
    lists_.push_back({&list, box});
    const ListControl control = lists_.back();
    commitStep(box, [this, control] { commitList(control); }, [text = list.labelText] { return MainText(text); });
}

void FunctionSettings::addText(const SettingText& text, QGridLayout* grid, int row, int column, int span)
{
    const QString name = QLatin1String(text.name);
    auto* label = new QLabel(GroupBox2);
    label->setObjectName(QStringLiteral("s") + name);
    auto* edit = new QLineEdit(GroupBox2);
    edit->setObjectName(QStringLiteral("e") + name);
    label->setBuddy(edit);
    grid->addWidget(label, row, column);
    grid->addWidget(edit, row, column + 1, 1, span);
    captions_.emplace_back(label, text.caption);
    texts_.emplace_back(edit, &text);

    FilterKeys(edit, OnlyAccepted(NameKeyAccepted));
    CorrectOnChange(edit, [maxBytes = text.maxBytes](const QString& typed) { return FitGbkText(typed, maxBytes); });
    commitStep(edit, [this, edit, &text] {
        if (ShowsStoredText(edit->text(), program_.model.text(text.field)))
            return;
        program_.model.setText(text.field, ToGbk(edit->text()));
        edit->setText(FromGbk(program_.model.text(text.field)));
    }, text.caption);
}

void FunctionSettings::commitStep(QWidget* control, std::function<void()> commit, std::function<QString()> caption)
{
    CommitOnLeave(control, [this, commit = std::move(commit), caption = std::move(caption)] {
        commit();
        program_.history.record({EditKind::Setting, 0, 0, 0, caption});
    });
}

void FunctionSettings::commitList(const ListControl& control)
{
    const int item = control.box->currentIndex();
    if (item < 0)
        return;
    program_.model.set(control.list->field, control.list->valueOf(item));
}

void FunctionSettings::retranslate()
{
    for (auto& [label, caption] : captions_)
        label->setText(caption());
    for (auto& [box, control] : switches_)
        box->setText(MainText(control->captionText));
    for (const ListControl& control : lists_) {
        control.box->clear();
        control.box->addItems(control.list->items());
        control.box->setCurrentIndex(-1);
    }
}

void FunctionSettings::showValues()
{
    CodeplugModel& model = program_.model;
    for (const ListControl& control : lists_) {
        const SettingList& list = *control.list;
        const int item = itemShown(list, model.get(list.field));
        if (item != list.itemOf(model.get(list.field)))
            model.set(list.field, list.valueOf(item));
        control.box->setCurrentIndex(item < control.box->count() ? item : -1);
    }
    for (auto& [edit, text] : texts_)
        edit->setText(FromGbk(model.text(text->field)));
    for (auto& [box, control] : switches_)
        box->setChecked(shownChecked(*control, model.get(control->field)));
}

std::vector<ShownSetting> FunctionSettings::shownSettings(const CodeplugModel& model)
{
    std::vector<ShownSetting> shown;
    const auto addLists = [&](std::span<const SettingList> lists) {
        for (const SettingList& list : lists)
            shown.push_back({QStringLiteral("cb") + QLatin1String(list.name), MainText(list.labelText),
                             ShownItem(list.items(), itemShown(list, model.get(list.field)))});
    };
    addLists(GeneralSettingLists());
    for (const SettingText* text : {&kTexts[0], &kTexts[2], &kTexts[1]})
        shown.push_back({QStringLiteral("e") + QLatin1String(text->name), text->caption(), FromGbk(model.text(text->field))});
    addLists(VoxSettingLists());
    for (const SettingSwitch& control : kSwitches)
        shown.push_back({QStringLiteral("c") + QLatin1String(control.name), MainText(control.captionText),
                         MainText(shownChecked(control, model.get(control.field)) ? 201 : 202)});
    return shown;
}

} // namespace lt
