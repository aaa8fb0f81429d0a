#pragma once

#include "editor/ChannelGridModel.h"

#include <QPoint>
#include <QWidget>
#include <array>

class QComboBox;
class QKeyEvent;
class QKeySequence;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lt {

struct Program;
struct ProgramSettings;
class ChannelGridView;
class ChannelRowCommands;

// The channel page (TabSheet_ChInfo): the 240 memory channels in the grid
// StringGrid1 with its in-place editors, the band label and the batch button.
// The editors have no buffer of their own: each writes into the channel's
// record when it loses the focus and redraws that row.
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
    // The batch button's hint names the window's shortcut for it.
    void showBatchSetShortcut(const QKeySequence& keys);

    // The text the grid shows in a cell (column 0..12, row 1..240).
    QString cellText(int column, int row) const;

    // Clipboard, row, sort and find commands on whole channels.
    ChannelRowCommands* rowCommands() const { return rowCommands_; }

    // Row operations.
    void StringGridUpdateRow(int row);
    void StringGridCleanRow(int row);
    void StringGridAutoFullRow(int row);

    // Grid events.
    void StringGrid1DblClick();
    bool StringGrid1KeyPress(const QKeyEvent& key);
    void StringGrid1Click();
    void StringGrid1MouseMove(const QPoint& viewportPos, const QPoint& globalPos);

    // Editor placement over the edit cell.
    void PlaceChFreqEditor();
    void PlaceComboEditor();
    void PlaceChNameEditor();
    void ProcChEdit_Power(int channel) { openListEditor(kColPower, channel); }
    void ProcChEdit_Bandwidth(int channel) { openListEditor(kColBandwidth, channel); }
    void ProcChEdit_SCN(int channel) { openListEditor(kColScan, channel); }
    void ProcChEdit_BusyFit(int channel) { openListEditor(kColBusyLock, channel); }
    void ProcChEdit_JiaMi(int channel) { openListEditor(kColSpecialDcs, channel); }
    void ProcChEdit_Comp(int channel) { openListEditor(kColCompander, channel); }
    void ProcChEdit_Scr(int channel) { openListEditor(kColScrambler, channel); }

    // Commits of the editors; each runs when its editor loses the focus and
    // does nothing when that editor is not open.
    void Edit_ChFreqExit();
    void ComboBox1Exit();
    void Edit_ChNameExit();
    void cbChInfor_PowExit() { listEditorExit(kColPower); }
    void cbChInfor_BandwidthExit() { listEditorExit(kColBandwidth); }
    void cbChInfor_SCNExit() { listEditorExit(kColScan); }
    void cbChInfor_BusyFitExit() { listEditorExit(kColBusyLock); }
    void cbChInfor_JiaMiExit() { listEditorExit(kColSpecialDcs); }
    void cbChInfor_CompExit() { listEditorExit(kColCompander); }
    void cbChInfor_ScrExit() { listEditorExit(kColScrambler); }

    void bChBatchSetClick();

signals:
    // The batch dialog changed many channels; the main window refreshes.
    void fullRefreshRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildEditors();
    bool Edit_ChFreqKeyPress(const QKeyEvent& key);
    bool ComboBox1KeyPress(const QKeyEvent& key);
    bool Edit_ChNameKeyPress(const QKeyEvent& key);
    bool listEditorKeyPress(int column, const QKeyEvent& key);

    void beginEdit(int column, int row);
    void openColumnEditor();
    void openListEditor(int column, int channel);
    void listEditorExit(int column);
    void placeOver(QWidget* editor);
    bool closeEditor(QWidget* editor);
    void commitOpenEditor();
    QComboBox* listEditor(int column) const;
    // A committed cell is one step of the edit history.
    void recordEdit(int column, int row);

    Program& program_;
    ChannelGridModel* gridModel_;
    ChannelGridView* StringGrid1;
    QLabel* sFreqBand;
    QLabel* sTiShi_0;
    QPushButton* bChBatchSet;
    QLineEdit* Edit_ChFreq;
    QComboBox* ComboBox1;
    std::array<QComboBox*, kListColumns> listEditors_{};
    QLineEdit* Edit_ChName;
    ChannelRowCommands* rowCommands_;

    // The cell the open editor commits to, the editor itself, the last cell
    // the mouse hint was worked out for and where the tone box was placed.
    int editColumn_ = -1;
    int editRow_ = -1;
    QWidget* openEditor_ = nullptr;
    int hintColumn_ = -1;
    int hintRow_ = -1;
    QPoint comboPos_;
};

} // namespace lt
