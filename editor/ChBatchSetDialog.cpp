#include "editor/ChBatchSetDialog.h"

#include "codeplug/TextEntryRules.h"
#include "codeplug/ValueEncodings.h"
#include "editor/ChannelBatchFill.h"
#include "editor/ChannelGridModel.h"
#include "program/Program.h"
#include "ui/AppLang.h"
#include "ui/ControlHooks.h"
#include "ui/ModalSeam.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace lt {

namespace {

constexpr int kChannels = kGridRows - 1;

template <typename Widget>
Widget* makeNamed(QWidget* parent, const char* name)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* makeLabel(QWidget* parent, const char* name, int text, int x, int y)
{
    QLabel* label = makeNamed<QLabel>(parent, name);
    label->setText(MainText(text));
    label->setGeometry(x, y, 90, 21);
    return label;
}

QComboBox* makeList(QWidget* parent, const char* name, const QStringList& items, int selected)
{
    QComboBox* box = makeNamed<QComboBox>(parent, name);
    box->addItems(items);
    box->setCurrentIndex(selected);
    return box;
}

QComboBox* makeToneBox(QWidget* parent, const char* name)
{
    QComboBox* box = makeNamed<QComboBox>(parent, name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->addItems(ToneList());
    box->setCurrentIndex(0);
    return box;
}

} // namespace

TChBatchSetDlg::TChBatchSetDlg(Program& program, QWidget* parent)
    : QDialog(parent)
    , program_(program)
    , rxStart_(program.model.bands.VBandMin)
    , txStart_(program.model.bands.VBandMin)
{
    setObjectName(QStringLiteral("TChBatchSetDlg"));
    setFixedSize(390, 249);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const ChannelGridTexts texts = ChannelGridTexts::current();
    auto* frame = new QGroupBox(this);
    frame->setGeometry(8, 8, 238, 233);

    constexpr int labelX = 8;
    constexpr int inputX = 100;
    constexpr int inputWidth = 128;
    constexpr int rowStep = 27;
    int y = 12;
    auto place = [&](QWidget* input) {
        input->setGeometry(inputX, y, inputWidth, 21);
        y += rowStep;
    };

    makeLabel(frame, "sChBatchFreqRx", 16, labelX, y);
    eChBatchFreqRx = makeNamed<QLineEdit>(frame, "eChBatchFreqRx");
    place(eChBatchFreqRx);
    makeLabel(frame, "sChBatchFreqTx", 17, labelX, y);
    eChBatchFreqTx = makeNamed<QLineEdit>(frame, "eChBatchFreqTx");
    place(eChBatchFreqTx);
    makeLabel(frame, "sChBatchSubDe", 18, labelX, y);
    cbChBatchSubDe = makeToneBox(frame, "cbChBatchSubDe");
    place(cbChBatchSubDe);
    makeLabel(frame, "sChBatchSubEn", 19, labelX, y);
    cbChBatchSubEn = makeToneBox(frame, "cbChBatchSubEn");
    place(cbChBatchSubEn);
    makeLabel(frame, "sChBatchPower", 20, labelX, y);
    cbChBatchPower = makeList(frame, "cbChBatchPower", texts.lists[kColPower - kFirstListColumn], 1);
    place(cbChBatchPower);
    makeLabel(frame, "sChBatchBandwidth", 21, labelX, y);
    cbChBatchBandwidth = makeList(frame, "cbChBatchBandwidth", texts.lists[kColBandwidth - kFirstListColumn], 1);
    place(cbChBatchBandwidth);
    makeLabel(frame, "sChBatchSCN", 22, labelX, y);
    cbChBatchSCN = makeList(frame, "cbChBatchSCN", texts.lists[kColScan - kFirstListColumn], 1);
    place(cbChBatchSCN);
    makeLabel(frame, "sChBatchBUS", 23, labelX, y);
    cbChBatchBUS = makeList(frame, "cbChBatchBUS", texts.lists[kColBusyLock - kFirstListColumn], 0);
    place(cbChBatchBUS);

    QStringList channels;
    for (int n = 1; n <= kChannels; ++n)
        channels << QString::number(n);
    constexpr int rightX = 256;
    constexpr int rightWidth = 126;
    makeLabel(this, "sStartCh", 170, rightX, 14);
    cbStartCh = makeList(this, "cbStartCh", channels, 0);
    cbStartCh->setGeometry(rightX, 36, rightWidth, 21);
    makeLabel(this, "sEndCh", 171, rightX, 68);
    cbEndCh = makeList(this, "cbEndCh", channels, 0);
    cbEndCh->setGeometry(rightX, 90, rightWidth, 21);
    makeLabel(this, "sStep", 173, rightX, 122);
    eStep = makeNamed<QLineEdit>(this, "eStep");
    eStep->setGeometry(rightX, 144, rightWidth, 21);

    OKBtn = makeNamed<QPushButton>(this, "OKBtn");
    OKBtn->setText(MainText(153));
    OKBtn->setDefault(true);
    OKBtn->setGeometry(rightX, 184, rightWidth, 25);
    CancelBtn = makeNamed<QPushButton>(this, "CancelBtn");
    CancelBtn->setText(MainText(154));
    CancelBtn->setGeometry(rightX, 216, rightWidth, 25);

    for (QLineEdit* edit : {eChBatchFreqRx, eChBatchFreqTx, eStep})
        edit->setText(edit == eStep ? QStringLiteral("0") : FreqToText(program_.model.bands.VBandMin));

    const auto freqKey = [this](const QKeyEvent& key) { return eChBatchFreqRxKeyPress(key); };
    HandleKeys(eChBatchFreqRx, freqKey);
    CommitOnLeave(eChBatchFreqRx, [this] { eChBatchFreqRxExit(); });
    HandleKeys(eChBatchFreqTx, freqKey);
    CommitOnLeave(eChBatchFreqTx, [this] { eChBatchFreqTxExit(); });
    HandleKeys(eStep, freqKey);
    CommitOnLeave(eStep, [this] { eStepExit(); });
    CorrectOnChange(eChBatchFreqRx, CorrectBatchFreqText);
    CorrectOnChange(eChBatchFreqTx, CorrectBatchFreqText);
    CorrectOnChange(eStep, [](const QString& text) { return CorrectFreqText(text); });
    for (QComboBox* box : {cbChBatchSubDe, cbChBatchSubEn}) {
        HandleKeys(box, [this, box](const QKeyEvent& key) { return cbChBatchSubDeKeyPress(box, key); });
        CorrectOnChange(box, CorrectToneText);
    }

    connect(OKBtn, &QPushButton::clicked, this, [this] { reportErrors([this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TChBatchSetDlg::showEvent(QShowEvent* event)
{
    // Centred on the screen rather than over the main window.
    if (const QScreen* shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

bool TChBatchSetDlg::eChBatchFreqRxKeyPress(const QKeyEvent& key)
{
    return !FreqKeyAccepted(key.text());
}

bool TChBatchSetDlg::cbChBatchSubDeKeyPress(QComboBox* box, const QKeyEvent& key)
{
    if (IsEnterKey(key))
        return false;
    return TypeInstead(box->lineEdit(), key.text(), ToneKeyText(key.text()));
}

bool TChBatchSetDlg::frequencyExit(QLineEdit* edit, uint32_t& value)
{
    // A text that is no number is reported, and the edit shows the value that
    // stays in force.
    bool committed = false;
    reportErrors([&] {
        const QString text = edit->text();
        value = ClampToBands(text.isEmpty() ? 0 : TextToFreq(text), program_.model.bands);
        committed = true;
    });
    edit->setText(FreqToText(value));
    return committed;
}

bool TChBatchSetDlg::stepExit()
{
    bool committed = false;
    reportErrors([&] {
        const QString text = eStep->text();
        step_ = ClampStep(text.isEmpty() ? 0 : TextToFreq(text));
        committed = true;
    });
    eStep->setText(OffsetToText(step_));
    return committed;
}

void TChBatchSetDlg::eChBatchFreqRxExit()
{
    frequencyExit(eChBatchFreqRx, rxStart_);
}

void TChBatchSetDlg::eChBatchFreqTxExit()
{
    frequencyExit(eChBatchFreqTx, txStart_);
}

void TChBatchSetDlg::eStepExit()
{
    stepExit();
}

bool TChBatchSetDlg::commitFocusedEdit()
{
    QWidget* focused = QApplication::focusWidget();
    if (focused == eChBatchFreqRx)
        return frequencyExit(eChBatchFreqRx, rxStart_);
    if (focused == eChBatchFreqTx)
        return frequencyExit(eChBatchFreqTx, txStart_);
    if (focused == eStep)
        return stepExit();
    return true;
}

void TChBatchSetDlg::OKBtnClick()
{
    // Enter in an edit presses OK without taking the focus from the edit, so
    // its text is committed here first. A text that is no number stops OK:
    // the user sees the report and the value in force, and decides again.
    if (!commitFocusedEdit())
        return;

    const Tone none{kToneCodeNone, kToneNone};
    ChannelBatch batch;
    batch.startChannel = cbStartCh->currentIndex() + 1;
    batch.endChannel = cbEndCh->currentIndex() + 1;
    batch.rxStart = rxStart_;
    batch.txStart = txStart_;
    batch.step = step_;
    // A tone text the tables reject leaves the channels without that tone.
    batch.decodeTone = TextToTone(cbChBatchSubDe->currentText()).value_or(none);
    batch.encodeTone = TextToTone(cbChBatchSubEn->currentText()).value_or(none);
    batch.power = cbChBatchPower->currentIndex();
    batch.bandwidth = cbChBatchBandwidth->currentIndex();
    batch.scan = cbChBatchSCN->currentIndex();
    batch.busyLock = cbChBatchBUS->currentIndex();

    if (FillChannels(program_.model, batch))
        emit channelsFilled();
    accept();
}

} // namespace lt
