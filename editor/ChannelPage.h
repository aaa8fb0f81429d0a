#pragma once

#include <QWidget>

namespace lt {

struct Program;
struct ProgramSettings;

// The channel page (TabSheet_ChInfo): the 240 memory channels in the grid
// StringGrid1 with its in-place editors, the band label and the batch button.
class ChannelPage : public QWidget {
    Q_OBJECT
public:
    ChannelPage(Program& program, QWidget* parent);

    // Grid geometry from the configuration file, and back at exit.
    void applyGridSizes(const ProgramSettings& settings);
    void storeGridSizes(ProgramSettings& settings) const;

    // Steps of the main window's full refresh.
    void refreshBandLabel();
    void refreshGrid();

    // Commands first move the grid's current cell to channel 1, column 1.
    void setCurrentCell(int column, int row);
    void focusGrid();

signals:
    // The batch dialog changed many channels; the main window refreshes.
    void fullRefreshRequested();

private:
    Program& program_;
};

} // namespace lt
