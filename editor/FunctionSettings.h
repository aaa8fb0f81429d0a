#pragma once

#include "editor/ShownSetting.h"

#include <QObject>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace lt {

class CodeplugModel;
struct Program;
struct SettingList;
struct SettingText;
struct SettingSwitch;

// The radio-wide settings of the options page: the general lists and text
// boxes (GroupBox2), the VOX lists (GroupBox1) and the on/off settings
// (GroupBox3). Every control edits the field named like it without its prefix
// (cbSQL edits SQL, cBeep edits Beep) and commits when it loses the focus.
class FunctionSettings : public QObject {
    Q_OBJECT
public:
    FunctionSettings(Program& program, QWidget* page);

    QGroupBox* generalGroup() const { return GroupBox2; }
    QGroupBox* voxGroup() const { return GroupBox1; }
    QGroupBox* switchesGroup() const { return GroupBox3; }
    // The page runs the channel-mode lock rule when this box changes.
    QCheckBox* workModeLockBox() const { return cWorkModeLock; }

    // Full refresh: captions and lists in the current language, then the values.
    // Showing a VOX delay the radio does not offer corrects it to 0.3 s.
    void retranslate();
    void showValues();

    // The general, VOX and on/off settings in the page's order as their
    // controls show the model's values.
    static std::vector<ShownSetting> shownSettings(const CodeplugModel& model);

private:
    struct ListControl {
        const SettingList* list;
        QComboBox* box;
    };
    void addList(QGroupBox* group, QGridLayout* grid, const SettingList& list, int row, int column);
    void addText(const SettingText& text, QGridLayout* grid, int row, int column, int span);
    void commitList(const ListControl& control);
    // Hooks commit to the control's focus loss; what it changed is one step
    // of the edit history, named by caption.
    void commitStep(QWidget* control, std::function<void()> commit, std::function<QString()> caption);

    Program& program_;
    QGroupBox* GroupBox2;
    QGroupBox* GroupBox1;
    QGroupBox* GroupBox3;
    QCheckBox* cWorkModeLock = nullptr;
    std::vector<ListControl> lists_;
    std::vector<std::pair<QLineEdit*, const SettingText*>> texts_;
    std::vector<std::pair<QCheckBox*, const SettingSwitch*>> switches_;
    std::vector<std::pair<QLabel*, std::function<QString()>>> captions_;
};

} // namespace lt
