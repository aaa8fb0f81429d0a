#pragma once

#include <QWidget>

namespace lt {

struct Program;

// The options page (TabSheet_Option): the two frequency-mode panels and the
// radio-wide function settings.
class OptionsPage : public QWidget {
    Q_OBJECT
public:
    OptionsPage(Program& program, QWidget* parent);

    // Steps of the main window's full refresh.
    void refresh();

private:
    Program& program_;
};

} // namespace lt
