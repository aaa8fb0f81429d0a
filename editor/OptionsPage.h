#pragma once

#include <QWidget>

namespace lt {

struct Program;
class FunctionSettings;
class VfoPanel;

// The options page (TabSheet_Option): the two frequency-mode panels and the
// radio-wide function settings.
class OptionsPage : public QWidget {
    Q_OBJECT
public:
    OptionsPage(Program& program, QWidget* parent);

    // Step of the main window's full refresh: captions, then every list refilled
    // in the current language, then every control from the codeplug. Two values
    // are written back: a VOX delay the radio does not offer becomes 0.3 s, and
    // the channel-mode lock is applied (or cleared when no channel is in use).
    void refresh();

    // "Lock In Channel Mode" changed, by the user or by the program: with no
    // channel in use the lock cannot be set; when set, both sides are forced to
    // channel mode and their mode boxes disabled.
    void cWorkModeLockClick();

private:
    Program& program_;
    VfoPanel* GroupBox11;
    VfoPanel* GroupBox12;
    FunctionSettings* settings_;
};

} // namespace lt
