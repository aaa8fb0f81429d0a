#include "editor/VfoPanel.h"

#include "codeplug/TextEntryRules.h"
#include "codeplug/ToneTables.h"
#include "codeplug/ValueEncodings.h"
#include "program/Program.h"
#include "ui/AppLang.h"
#include "ui/ControlHooks.h"
#include "ui/ModalSeam.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <string_view>

namespace lt {

namespace {

constexpr int kControlWidth = 96;

// The per-side settings kept beside the VFO record.
struct SideAccess {
    ChannelRecord vfo;
    CodeplugModel& model;
    const VfoPanel::SideFields& fields;
};

struct VfoList {
    const char* name; // "Fr_Power" is the box cbFr_Power_A, labelled sFr_Power_A
    int labelText;
    QStringList (*items)();
    int (*itemOf)(const SideAccess&);
    void (*store)(SideAccess&, int item);
};

QStringList texts(std::initializer_list<int> entries)
{
    QStringList list;
    for (int n : entries)
        list << MainText(n);
    return list;
}

QStringList numberedAfterOff(int text, int count)
{
    QStringList list{MainText(202)};
    for (int n = 1; n <= count; ++n)
        list << MainText(text) + QLatin1Char(' ') + QString::number(n);
    return list;
}

int atMost(int value, int last) { return value <= last ? value : -1; }

// Items and rules of the list boxes, in the panel's order. The offset edit sits
// between the offset direction and the step.
constexpr std::array<VfoList, 9> kLists = {{
    {"Fr_Power", 40, [] { return texts({27, 26}); },
     [](const SideAccess& s) { return int(s.vfo.ChInfor_Pow()); },
     [](SideAccess& s, int i) { if (i == 0 || i == 1) s.vfo.setChInfor_Pow(uint8_t(i)); }},
    {"Fr_Bandwidth", 41, [] { return texts({29, 28}); },
     [](const SideAccess& s) { return int(s.vfo.ChInfor_Bandwidth()); },
     [](SideAccess& s, int i) { s.vfo.setChInfor_Bandwidth(uint8_t(i & 1)); }},
    {"Fr_BUS", 74, [] { return texts({32, 34, 33}); },
     [](const SideAccess& s) { return atMost(s.vfo.ChInfor_BusyFit(), 2); },
     [](SideAccess& s, int i) { s.vfo.setChInfor_BusyFit(uint8_t(i & 3)); }},
    {"Fr_OffsetDir", 42, [] { return QStringList{MainText(75), QStringLiteral("+"), QStringLiteral("-")}; },
     [](const SideAccess& s) { return atMost(s.vfo.OffsetDir(), 2); },
     [](SideAccess& s, int i) { s.vfo.setOffsetDir(uint8_t(i & 3)); }},
    {"Step", 51, [] { return StepListTexts(); },
     [](const SideAccess& s) { return StepIndex(s.model.get(s.fields.step)); },
     [](SideAccess& s, int i) { s.model.set(s.fields.step, kSteps.at(std::size_t(i))); }},
    {"MODE", 56, [] { return texts({117, 115, 116}); },
     [](const SideAccess& s) { return atMost(int(s.model.get(s.fields.mode)), 2); },
     [](SideAccess& s, int i) { s.model.set(s.fields.mode, uint32_t(i)); }},
    {"Fr_JiaMi", 291, [] { return numberedAfterOff(291, 3); },
     [](const SideAccess& s) { return int(s.vfo.ChInfor_JiaMi()); },
     [](SideAccess& s, int i) { s.vfo.setChInfor_JiaMi(uint8_t(i & 3)); }},
    {"Fr_Comp", 69, [] { return texts({202, 201}); },
     [](const SideAccess& s) { return int(s.vfo.ChInfor_Comp()); },
     [](SideAccess& s, int i) { s.vfo.setChInfor_Comp(uint8_t(i & 1)); }},
    {"Fr_Scr", 299, [] { return numberedAfterOff(299, 8); },
     [](const SideAccess& s) { return atMost(s.vfo.ChInfor_Scr(), 8); },
     [](SideAccess& s, int i) { s.vfo.setChInfor_Scr(uint8_t(i & 15)); }},
}};

constexpr std::size_t kStepList = 4;
constexpr std::size_t kModeList = 5;
static_assert(std::string_view(kLists[kStepList].name) == "Step");
static_assert(std::string_view(kLists[kModeList].name) == "MODE");
constexpr int kModeChannel = 1;

QString rxFreqCaption() { return QStringLiteral("RX ") + MainText(37); }
QString txFreqCaption() { return QStringLiteral("TX ") + MainText(37); }
QString decodeCaption() { return MainText(38); }
QString encodeCaption() { return MainText(39); }
QString offsetCaption() { return MainText(43); }

VfoPanel::SideFields fieldsOf(VfoPanel::Side side)
{
    if (side == VfoPanel::Side::A)
        return {cp::Fr_Offset_A, cp::Step_A, cp::MODE_A};
    return {cp::Fr_Offset_B, cp::Step_B, cp::MODE_B};
}

} // namespace

VfoPanel::VfoPanel(Program& program, Side side, QWidget* parent)
    : QGroupBox(parent)
    , program_(program)
    , side_(side)
    , fields_(fieldsOf(side))
    , grid_(new QGridLayout(this))
{
    setObjectName(side == Side::A ? QStringLiteral("GroupBox11") : QStringLiteral("GroupBox12"));
    setTitle(side == Side::A ? QStringLiteral(" A ") : QStringLiteral(" B "));
    // Fourteen rows have to fit the page's height above the on/off settings.
    grid_->setContentsMargins(8, 2, 8, 4);
    grid_->setVerticalSpacing(1);
    grid_->setHorizontalSpacing(8);

    eFr_Freq_ = addEdit("Fr_Freq", kFreqTextMax, rxFreqCaption);
    commitStep(eFr_Freq_, [this] { eFr_FreqExit(); });
    eFr_TxFreq_ = addEdit("Fr_TxFreq", kFreqTextMax, txFreqCaption);
    commitStep(eFr_TxFreq_, [this] { eFr_TxFreqExit(); });
    cbFr_SubaudioDe_ = addToneBox("Fr_SubaudioDe", decodeCaption);
    commitStep(cbFr_SubaudioDe_, [this] { cbFr_SubaudioDeExit(); });
    cbFr_SubaudioEn_ = addToneBox("Fr_SubaudioEn", encodeCaption);
    commitStep(cbFr_SubaudioEn_, [this] { cbFr_SubaudioEnExit(); });
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        if (i == kStepList) {
            eFr_Offset_ = addEdit("Fr_Offset", kOffsetTextMax, offsetCaption);
            commitStep(eFr_Offset_, [this] { eFr_OffsetExit(); });
        }
        addList(i);
    }
    cbMODE_ = lists_.at(kModeList);
    grid_->setRowStretch(grid_->rowCount(), 1);
}

QString VfoPanel::named(const char* name) const
{
    return sideName(name, side_);
}

QString VfoPanel::sideName(const char* name, Side side)
{
    return QString::fromLatin1(name) + (side == Side::A ? QStringLiteral("_A") : QStringLiteral("_B"));
}

std::vector<ShownSetting> VfoPanel::shownSettings(const CodeplugModel& model, Side side)
{
    CodeplugModel copy = model;
    const SideFields fields = fieldsOf(side);
    const ChannelRecord record = side == Side::A ? copy.vfoA() : copy.vfoB();
    std::vector<ShownSetting> shown = {
        {QStringLiteral("e") + sideName("Fr_Freq", side), rxFreqCaption(), FreqToText(record.RxFreq())},
        {QStringLiteral("e") + sideName("Fr_TxFreq", side), txFreqCaption(), FreqToText(record.TxFreq())},
        {QStringLiteral("cb") + sideName("Fr_SubaudioDe", side), decodeCaption(), ToneToText(record.RxToneCode(), record.RxToneType())},
        {QStringLiteral("cb") + sideName("Fr_SubaudioEn", side), encodeCaption(), ToneToText(record.TxToneCode(), record.TxToneType())},
    };
    const SideAccess access{record, copy, fields};
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        if (i == kStepList)
            shown.push_back({QStringLiteral("e") + sideName("Fr_Offset", side), offsetCaption(), OffsetToText(copy.get(fields.offset))});
        const VfoList& list = kLists[i];
        shown.push_back({QStringLiteral("cb") + sideName(list.name, side), MainText(list.labelText), ShownItem(list.items(), list.itemOf(access))});
    }
    return shown;
}

QWidget* VfoPanel::firstControl() const
{
    return eFr_Freq_;
}

ChannelRecord VfoPanel::vfo()
{
    return side_ == Side::A ? program_.model.vfoA() : program_.model.vfoB();
}

void VfoPanel::commitStep(QWidget* control, std::function<void()> commit)
{
    CommitOnLeave(control, [this, control, commit = std::move(commit)] {
        commit();
        std::function<QString()> caption;
        for (const auto& [label, text] : captions_)
            if (label->buddy() == control)
                caption = text;
        program_.history.record({EditKind::VfoControl, side_ == Side::A ? 0 : 1, 0, 0, std::move(caption)});
    });
}

void VfoPanel::addRow(const char* name, QWidget* control, std::function<QString()> caption)
{
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("s") + named(name));
    label->setBuddy(control);
    control->setMinimumWidth(kControlWidth);
    const int row = grid_->rowCount();
    grid_->addWidget(label, row, 0);
    grid_->addWidget(control, row, 1);
    captions_.emplace_back(label, std::move(caption));
}

QLineEdit* VfoPanel::addEdit(const char* name, int maxLength, std::function<QString()> caption)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("e") + named(name));
    FilterKeys(edit, OnlyAccepted(FreqKeyAccepted));
    CorrectOnChange(edit, [maxLength](const QString& text) { return CorrectFreqText(text, maxLength); });
    addRow(name, edit, std::move(caption));
    return edit;
}

QComboBox* VfoPanel::addToneBox(const char* name, std::function<QString()> caption)
{
    auto* box = new QComboBox(this);
    box->setObjectName(QStringLiteral("cb") + named(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // What is typed is what is stored: no completion from the tone list.
    box->setCompleter(nullptr);
    box->addItems(ToneList());
    FilterKeys(box, ToneKeyChar);
    CorrectOnChange(box, CorrectToneText);
    addRow(name, box, std::move(caption));
    return box;
}

void VfoPanel::addList(std::size_t index)
{
    const VfoList& list = kLists[index];
    auto* box = new QComboBox(this);
    box->setObjectName(QStringLiteral("cb") + named(list.name));
    commitStep(box, [this, index] { commitList(index); });
    addRow(list.name, box, [text = list.labelText] { return MainText(text); });
    lists_.push_back(box);
}

void VfoPanel::retranslate()
{
    for (auto& [label, caption] : captions_)
        label->setText(caption());
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        QComboBox* box = lists_[i];
        box->clear();
        box->addItems(kLists[i].items());
        box->setCurrentIndex(-1);
    }
}

void VfoPanel::showValues()
{
    ChannelRecord record = vfo();
    eFr_Freq_->setText(FreqToText(record.RxFreq()));
    eFr_TxFreq_->setText(FreqToText(record.TxFreq()));
    cbFr_SubaudioDe_->setEditText(ToneToText(record.RxToneCode(), record.RxToneType()));
    cbFr_SubaudioEn_->setEditText(ToneToText(record.TxToneCode(), record.TxToneType()));
    eFr_Offset_->setText(OffsetToText(program_.model.get(fields_.offset)));
    const SideAccess access{record, program_.model, fields_};
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        const int item = kLists[i].itemOf(access);
        lists_[i]->setCurrentIndex(item < lists_[i]->count() ? item : -1);
    }
}

void VfoPanel::lockToChannelMode()
{
    program_.model.set(fields_.mode, kModeChannel);
    cbMODE_->setCurrentIndex(kModeChannel);
    cbMODE_->setEnabled(false);
}

void VfoPanel::unlockMode()
{
    cbMODE_->setEnabled(true);
}

// A text that is no number (such as "438.") is reported, and the edit shows
// the value the codeplug keeps: the window never shows a value it does not
// hold, and the next command that moves the focus through the edit runs at once.
void VfoPanel::commitFrequency(QLineEdit* edit, uint32_t (ChannelRecord::*stored)() const,
                               void (ChannelRecord::*store)(uint32_t))
{
    ChannelRecord record = vfo();
    reportErrors([&] {
        const QString text = edit->text();
        (record.*store)(ClampToBands(text.isEmpty() ? 0 : TextToFreq(text), program_.model.bands));
    });
    edit->setText(FreqToText((record.*stored)()));
}

void VfoPanel::eFr_FreqExit()
{
    commitFrequency(eFr_Freq_, &ChannelRecord::RxFreq, &ChannelRecord::setRxFreq);
}

void VfoPanel::eFr_TxFreqExit()
{
    commitFrequency(eFr_TxFreq_, &ChannelRecord::TxFreq, &ChannelRecord::setTxFreq);
}

void VfoPanel::eFr_OffsetExit()
{
    CodeplugModel& model = program_.model;
    reportErrors([&] {
        const QString text = eFr_Offset_->text();
        model.set(fields_.offset, ClampOffset(text.isEmpty() ? 0 : TextToFreq(text), model.UOffsetMax, model.VOffsetMax));
    });
    eFr_Offset_->setText(OffsetToText(model.get(fields_.offset)));
}

void VfoPanel::cbFr_SubaudioDeExit()
{
    ChannelRecord record = vfo();
    if (const std::optional<Tone> tone = TextToTone(cbFr_SubaudioDe_->currentText()))
        record.setRxTone(tone->code, tone->type);
    cbFr_SubaudioDe_->setEditText(ToneToText(record.RxToneCode(), record.RxToneType()));
    record.setTxTone(record.RxToneCode(), record.RxToneType());
    cbFr_SubaudioEn_->setEditText(ToneToText(record.TxToneCode(), record.TxToneType()));
}

void VfoPanel::cbFr_SubaudioEnExit()
{
    ChannelRecord record = vfo();
    if (const std::optional<Tone> tone = TextToTone(cbFr_SubaudioEn_->currentText()))
        record.setTxTone(tone->code, tone->type);
    cbFr_SubaudioEn_->setEditText(ToneToText(record.TxToneCode(), record.TxToneType()));
}

void VfoPanel::commitList(std::size_t index)
{
    const int item = lists_[index]->currentIndex();
    if (item < 0)
        return;
    SideAccess access{vfo(), program_.model, fields_};
    kLists[index].store(access, item);
}

} // namespace lt
