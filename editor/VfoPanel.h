#pragma once

#include "codeplug/CodeplugLayout.h"
#include "codeplug/CodeplugModel.h"
#include "editor/ShownSetting.h"

#include <QGroupBox>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace lt {

struct Program;

// One frequency-mode (VFO) side of the options page: GroupBox11 " A " or
// GroupBox12 " B ". It edits the side's VFO record and its offset, step and
// work mode; the controls carry the side's suffix (eFr_Freq_A, cbStep_B, ...).
class VfoPanel : public QGroupBox {
    Q_OBJECT
public:
    enum class Side { A, B };
    VfoPanel(Program& program, Side side, QWidget* parent);

    // Full refresh: captions and lists in the current language, then the values.
    void retranslate();
    void showValues();

    // The control a keyboard user comes to first: the receive frequency.
    QWidget* firstControl() const;

    // Channel-mode lock: the side works in channel mode and its mode box shows
    // "Channel" and cannot be opened, until unlocked.
    void lockToChannelMode();
    void unlockMode();

    // Commit handlers, run when the control loses the focus (eFr_Freq_AExit,
    // eFr_Freq_BExit, ...).
    void eFr_FreqExit();
    void eFr_TxFreqExit();
    void eFr_OffsetExit();
    void cbFr_SubaudioDeExit();
    void cbFr_SubaudioEnExit();

    struct SideFields {
        cp::Field offset, step, mode;
    };

    // The side's controls top to bottom as they show the model's values.
    static std::vector<ShownSetting> shownSettings(const CodeplugModel& model, Side side);
    // A control's full name: "Fr_Freq" on side A is "Fr_Freq_A".
    static QString sideName(const char* name, Side side);

private:
    ChannelRecord vfo();
    QString named(const char* name) const;
    // Hooks commit to the control's focus loss; what it changed is one step
    // of the edit history, named by the control's caption.
    void commitStep(QWidget* control, std::function<void()> commit);
    // name is the control's name without its kind prefix and side: "Fr_Freq".
    void addRow(const char* name, QWidget* control, std::function<QString()> caption);
    QLineEdit* addEdit(const char* name, int maxLength, std::function<QString()> caption);
    QComboBox* addToneBox(const char* name, std::function<QString()> caption);
    void addList(std::size_t index);
    void commitFrequency(QLineEdit* edit, uint32_t (ChannelRecord::*stored)() const,
                         void (ChannelRecord::*store)(uint32_t));
    void commitList(std::size_t index);

    Program& program_;
    Side side_;
    SideFields fields_;
    QGridLayout* grid_;

    QLineEdit* eFr_Freq_;
    QLineEdit* eFr_TxFreq_;
    QComboBox* cbFr_SubaudioDe_;
    QComboBox* cbFr_SubaudioEn_;
    QLineEdit* eFr_Offset_;
    std::vector<QComboBox*> lists_;
    QComboBox* cbMODE_ = nullptr;
    std::vector<std::pair<QLabel*, std::function<QString()>>> captions_;
};

} // namespace lt
