#include "calibrationui/TAdjustmentDlg.h"

#include "calibration/CalibrationFile.h"
#include "calibration/CalibrationLayout.h"
#include "calibrationui/AdjustmentTexts.h"
#include "codeplug/TextEntryRules.h"
#include "codeplug/ValueEncodings.h"
#include "program/Program.h"
#include "transfer/TransferEnvironment.h"
#include "transfer/TransferState.h"
#include "transferui/TransferRun.h"
#include "ui/AddedTexts.h"
#include "ui/ControlHooks.h"
#include "ui/MessageDialogs.h"
#include "ui/ModalSeam.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lt {

namespace {

constexpr int kClientWidth = 1095;
constexpr int kClientHeight = 417;

constexpr int kSpeakDelayStep = 5;
constexpr int kSpeakDelayItems = 201; // 0, 5, ... 1000 ms

QLabel* AddLabel(QGridLayout* layout, const QString& text, int row, int column, Qt::Alignment alignment = {})
{
    auto* label = new QLabel(text);
    layout->addWidget(label, row, column, alignment);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    // Enter in an edit must not start a radio transfer or clear the data.
    button->setAutoDefault(false);
    return button;
}

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(false);
    list->addItems(items);
    return list;
}

QStringList NumberItems(int first, int last, int step = 1)
{
    QStringList items;
    for (int value = first; value <= last; value += step)
        items << QString::number(value);
    return items;
}

// The item of a list for a stored index, none when the value has no item.
int ItemFor(const QComboBox* list, int index)
{
    return index >= 0 && index < list->count() ? index : -1;
}

} // namespace

TAdjustmentDlg::TAdjustmentDlg(Program& program, TransferEnvironment& env, QWidget* parent)
    : QDialog(parent)
    , program_(program)
    , env_(env)
{
    setObjectName(QStringLiteral("TAdjustmentDlg"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);

    buildDeviationGroup();
    buildStatusGroup();
    buildRangeGroup();
    buildBatteryGroup();
    buildSquelchGroup();
    buildSqGrid();
    buildApcGrid();
    buildButtons();
    ShowCalibrationData();
}

QLineEdit* TAdjustmentDlg::addNumberEdit(QWidget* parent, const char* name, cal::Field field, int maxLength,
                                         RangeCheck inRange)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    DropRefusedKeys(edit, NumberKeyAccepted);
    CorrectAfterEdit(edit, [maxLength](const QString& text) { return CutToLength(text, maxLength); });
    const NumberEdit number{edit, field, inRange};
    numbers_.push_back(number);
    CommitOnLeave(edit, [this, number] { commitNumber(number); });
    return edit;
}

QLineEdit* TAdjustmentDlg::addFreqEdit(QWidget* parent, const char* name, cal::Field field)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    DropRefusedKeys(edit, FreqKeyAccepted);
    CorrectAfterEdit(edit, CorrectFreqEditText);
    const FreqEdit freq{edit, field};
    freqs_.push_back(freq);
    CommitOnLeave(edit, [this, freq] { commitFreq(freq); });
    return edit;
}

void TAdjustmentDlg::commitNumber(const NumberEdit& number)
{
    CalibrationData& data = program_.calibration;
    reportErrors([&] {
        if (const std::optional<uint32_t> value = NumberToStore(number.edit->text(), number.inRange))
            data.set(number.field, *value);
    });
    number.edit->setText(QString::number(data.get(number.field)));
}

void TAdjustmentDlg::commitFreq(const FreqEdit& freq)
{
    CalibrationData& data = program_.calibration;
    reportErrors([&] { data.set(freq.field, FreqToStore(freq.edit->text())); });
    freq.edit->setText(FreqToText(data.get(freq.field)));
}

void TAdjustmentDlg::buildDeviationGroup()
{
    struct Row {
        const char* name;
        const char* caption;
        const char* hint;
        cal::Field field;
        int maxLength;
        RangeCheck inRange;
    };
    const Row rows[] = {
        {"ePinPian_W", "宽带频偏-U", "[0-64]", cal::PinPian_W, 2, CorrectPPInputValue},
        {"ePinPian_N", "窄带频偏-U", "[0-64]", cal::PinPian_N, 2, CorrectPPInputValue},
        {"ePinPian_W_Spe_1", "宽带频偏-V", "[0-64]", cal::PinPian_W_Spe_1, 2, CorrectPPInputValue},
        {"ePinPian_W_Spe_2", "窄带频偏-V", "[0-64]", cal::PinPian_W_Spe_2, 2, CorrectPPInputValue},
        {"eCtcPinPian_W", "CTC频偏", "[0-15]", cal::CtcPinPian_W, 2, CorrectDcsInputValue},
        {"eDcsPinPian_W", "DCS频偏", "[0-15]", cal::DcsPinPian_W, 2, CorrectDcsInputValue},
        {"eMicGain", "MIC增益", "[0-64]", cal::MicGain, 2, CorrectMicGainInputValue},
        {"ePga", "RX数字AGC", "[0-15]", cal::Pga, 2, CorrectPgaInputValue},
        {"eMicGainFine", "RX模拟AGC", "[0-15]", cal::MicGainFine, 3, CorrectMicGainFineInputValue},
    };
    auto* group = new QGroupBox(this);
    group->setGeometry(4, 0, 196, 214);
    auto* layout = new QGridLayout(group);
    layout->setVerticalSpacing(2);
    int r = 0;
    for (const Row& row : rows) {
        AddLabel(layout, QString::fromUtf8(row.caption), r, 0);
        QLineEdit* edit = addNumberEdit(group, row.name, row.field, row.maxLength, row.inRange);
        edit->setToolTip(QString::fromUtf8(row.hint));
        layout->addWidget(edit, r, 1);
        AddLabel(layout, QString::fromUtf8(row.hint), r, 2);
        ++r;
    }
}

void TAdjustmentDlg::buildStatusGroup()
{
    auto* group = new QGroupBox(this);
    group->setGeometry(4, 216, 196, 56);
    auto* layout = new QGridLayout(group);
    layout->setVerticalSpacing(2);
    AddLabel(layout, QStringLiteral("当前电压值"), 0, 0);
    sCurBatt = AddLabel(layout, QString(), 0, 1);
    sCurBatt->setObjectName(QStringLiteral("sCurBatt"));
    AddLabel(layout, QStringLiteral("当前声控值"), 1, 0);
    sCurVox = AddLabel(layout, QString(), 1, 1);
    sCurVox->setObjectName(QStringLiteral("sCurVox"));
    QPushButton* read = MakeButton(group, "Read1846Status", QStringLiteral("读取电压"));
    layout->addWidget(read, 0, 2, 2, 1);
    connect(read, &QPushButton::clicked, this, &TAdjustmentDlg::Read1846StatusClick);
}

void TAdjustmentDlg::buildRangeGroup()
{
    struct Column {
        const char* caption;
        const char* minName;
        cal::Field min;
        const char* maxName;
        cal::Field max;
    };
    const Column columns[] = {
        {"U段 - 扩频", "efreq_limit_McuDef_U_min", cal::freq_limit_McuDef_U_min, "efreq_limit_McuDef_U_max",
         cal::freq_limit_McuDef_U_max},
        {"U段 - 锁频", "efreq_limit_McuLock_U_min", cal::freq_limit_McuLock_U_min, "efreq_limit_McuLock_U_max",
         cal::freq_limit_McuLock_U_max},
        {"V段 - 扩频", "efreq_limit_McuDef_V_min", cal::freq_limit_McuDef_V_min, "efreq_limit_McuDef_V_max",
         cal::freq_limit_McuDef_V_max},
        {"V段 - 锁频", "efreq_limit_McuLock_V_min", cal::freq_limit_McuLock_V_min, "efreq_limit_McuLock_V_max",
         cal::freq_limit_McuLock_V_max},
    };
    auto* group = new QGroupBox(QStringLiteral(" 扩频锁频范围设置 "), this);
    group->setGeometry(4, 278, 384, 98);
    auto* layout = new QGridLayout(group);
    layout->setVerticalSpacing(2);
    AddLabel(layout, QStringLiteral("最小"), 1, 0);
    AddLabel(layout, QStringLiteral("最大"), 2, 0);
    int c = 1;
    for (const Column& column : columns) {
        AddLabel(layout, QString::fromUtf8(column.caption), 0, c, Qt::AlignCenter);
        layout->addWidget(addFreqEdit(group, column.minName, column.min), 1, c);
        layout->addWidget(addFreqEdit(group, column.maxName, column.max), 2, c);
        ++c;
    }
}

void TAdjustmentDlg::buildBatteryGroup()
{
    auto* group = new QGroupBox(this);
    group->setGeometry(204, 0, 184, 106);
    auto* layout = new QGridLayout(group);
    layout->setVerticalSpacing(2);
    AddLabel(layout, QStringLiteral("最高电压"), 0, 0);
    layout->addWidget(addNumberEdit(group, "eBatt_High", cal::Batt_High, 3, CorrectUintInputValue), 0, 1);
    AddLabel(layout, QStringLiteral("关机电压"), 1, 0);
    layout->addWidget(addNumberEdit(group, "eBatt_PowerOn", cal::Batt_PowerOn, 3, CorrectUintInputValue), 1, 1);

    AddLabel(layout, QStringLiteral("音频功放电平"), 2, 0);
    cbSpeakActive = MakeList(group, "cbSpeakActive", {QStringLiteral("低电平"), QStringLiteral("高电平")});
    layout->addWidget(cbSpeakActive, 2, 1);
    CommitOnLeave(cbSpeakActive, [this] { SpeakActiveExit(); });

    AddLabel(layout, QStringLiteral("开喇叭延时(MS)"), 3, 0);
    cbSpeakDelay = MakeList(group, "cbSpeakDelay",
                            NumberItems(0, (kSpeakDelayItems - 1) * kSpeakDelayStep, kSpeakDelayStep));
    layout->addWidget(cbSpeakDelay, 3, 1);
    CommitOnLeave(cbSpeakDelay, [this] { SpeakDelayExit(); });
}

void TAdjustmentDlg::buildSquelchGroup()
{
    auto* group = new QGroupBox(QStringLiteral("[0-127]"), this);
    group->setGeometry(204, 108, 184, 168);
    auto* layout = new QGridLayout(group);
    layout->setVerticalSpacing(2);
    const struct {
        const char* name;
        const char* caption;
        cal::Field field;
    } levels[] = {
        {"eSQL_L1", "SQ-1", cal::SQL_L1}, {"eSQL_L4", "SQ-5", cal::SQL_L4}, {"eSQL_L9", "SQ-9", cal::SQL_L9},
        {"eVOX_L1", "V0X-1", cal::VOX_L1}, {"eVOX_L9", "V0X-9", cal::VOX_L9},
    };
    int r = 0;
    for (const auto& level : levels) {
        const int row = r % 3;
        const int column = (r / 3) * 2;
        AddLabel(layout, QString::fromUtf8(level.caption), row, column);
        layout->addWidget(addNumberEdit(group, level.name, level.field, 3, CorrectUintInputValue), row, column + 1);
        ++r;
    }
    layout->addWidget(new QLabel(QStringLiteral("噪声阀门 [0-8191]")), 3, 0, 1, 4, Qt::AlignCenter);
    AddLabel(layout, QStringLiteral("开"), 4, 1, Qt::AlignCenter);
    AddLabel(layout, QStringLiteral("关"), 4, 2, Qt::AlignCenter);
    AddLabel(layout, QStringLiteral("宽带"), 5, 0);
    layout->addWidget(addNumberEdit(group, "eNoise_th", cal::Noise_th, 4, CorrectPPInputValue), 5, 1);
    layout->addWidget(addNumberEdit(group, "eNoise_th_nar", cal::Noise_th_nar, 4, CorrectPPInputValue), 5, 2);
    AddLabel(layout, QStringLiteral("窄带"), 6, 0);
    layout->addWidget(addNumberEdit(group, "eNoise2_th", cal::Noise2_th, 4, CorrectPPInputValue), 6, 1);
    layout->addWidget(addNumberEdit(group, "eRssi3_th", cal::Rssi3_th, 4, CorrectPPInputValue), 6, 2);
}

void TAdjustmentDlg::buildButtons()
{
    const struct {
        const char* name;
        const char* caption;
        void (TAdjustmentDlg::*click)();
    } buttons[] = {
        {"bRead", "读取", &TAdjustmentDlg::bReadClick},     {"bWrite", "写入", &TAdjustmentDlg::bWriteClick},
        {"bAllWrite", "全写", &TAdjustmentDlg::bAllWriteClick}, {"bNew", "新建", &TAdjustmentDlg::bNewClick},
        {"bOpen", "打开", &TAdjustmentDlg::bOpenClick},     {"bSave", "保存", &TAdjustmentDlg::bSaveClick},
    };
    int x = 4;
    for (const auto& b : buttons) {
        QPushButton* button = MakeButton(this, b.name, QString::fromUtf8(b.caption));
        button->setGeometry(x, 382, 58, 28);
        connect(button, &QPushButton::clicked, this, b.click);
        x += 62;
    }
}

void TAdjustmentDlg::done(int result)
{
    // The window's close box takes the focus from no control, so the control
    // being edited commits here instead of losing what the user typed.
    if (QWidget* editing = focusWidget()) {
        QFocusEvent leaving(QEvent::FocusOut, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(editing, &leaving);
    }
    QDialog::done(result);
}

void TAdjustmentDlg::SpeakActiveExit()
{
    if (cbSpeakActive->currentIndex() >= 0)
        program_.calibration.set(cal::SpeakActive, static_cast<uint32_t>(cbSpeakActive->currentIndex()));
}

void TAdjustmentDlg::SpeakDelayExit()
{
    if (cbSpeakDelay->currentIndex() >= 0)
        program_.calibration.set(cal::SpeakDelay,
                                 static_cast<uint32_t>(cbSpeakDelay->currentIndex() * kSpeakDelayStep));
}

void TAdjustmentDlg::ShowCalibrationData()
{
    const CalibrationData& data = program_.calibration;
    for (const NumberEdit& number : numbers_)
        number.edit->setText(QString::number(data.get(number.field)));
    for (const FreqEdit& freq : freqs_)
        freq.edit->setText(FreqToText(data.get(freq.field)));
    cbSpeakActive->setCurrentIndex(ItemFor(cbSpeakActive, static_cast<int>(data.get(cal::SpeakActive))));
    cbSpeakDelay->setCurrentIndex(
        ItemFor(cbSpeakDelay, static_cast<int>(data.get(cal::SpeakDelay)) / kSpeakDelayStep));
    const RfChipStatus status = data.status();
    sCurBatt->setText(QString::number(status.CurBatt));
    sCurVox->setText(QString::number(status.CurVox));
    showApcGrid();
    showSqGrid();
}

bool TAdjustmentDlg::runTransfer(int32_t operation, int32_t direction)
{
    bool succeeded = false;
    reportErrors([&] {
        succeeded = RunTransfer(env_, program_, this, operation, direction, TransferTitle(operation, direction));
    });
    return succeeded;
}

void TAdjustmentDlg::bReadClick()
{
    if (runTransfer(op::Calibration, kDirectionRead))
        ShowCalibrationData();
}

void TAdjustmentDlg::bWriteClick()
{
    runTransfer(op::Calibration, kDirectionWrite);
}

void TAdjustmentDlg::bAllWriteClick()
{
    runTransfer(op::WriteAll, kDirectionWrite);
}

void TAdjustmentDlg::Read1846StatusClick()
{
    if (runTransfer(op::RfChipStatus, kDirectionRead))
        ShowCalibrationData();
}

void TAdjustmentDlg::bNewClick()
{
    if (!ConfirmOkCancel(this, AdjustmentText(adjustment_text::ClearAllData), AdjustmentText(adjustment_text::Ok),
                         AdjustmentText(adjustment_text::Cancel)))
        return;
    program_.calibration.SetCalibrationDefaults();
    ShowCalibrationData();
}

void TAdjustmentDlg::bOpenClick()
{
    const QString path = askOpenFileName(
        {this, AdjustmentText(adjustment_text::OpenTitle), QString::fromLatin1(kCalibrationFileFilter), QString()});
    if (path.isEmpty())
        return;
    qint64 size = 0;
    switch (LoadCalibrationFile(path, program_.calibration, &size)) {
    case CalibrationLoad::Loaded:
        ShowCalibrationData();
        break;
    case CalibrationLoad::TooShort:
        showErrorReport(AddedText(Added::ShortCalibrationFile)
                            .arg(QDir::toNativeSeparators(path), QString::number(size), QString::number(cal::kStoredSize)));
        break;
    case CalibrationLoad::Unreadable:
        break;
    }
}

void TAdjustmentDlg::bSaveClick()
{
    const QString path = askSaveFileName({this, AdjustmentText(adjustment_text::SaveTitle),
                                          QString::fromLatin1(kCalibrationFileFilter),
                                          QString::fromLatin1(kCalibrationFileSuffix)});
    if (path.isEmpty())
        return;
    // A save that failed without a word would leave the user believing the
    // calibration is kept.
    const QString error = SaveCalibrationFile(path, program_.calibration);
    if (!error.isEmpty())
        showErrorReport(AddedText(Added::CannotSaveFile).arg(QDir::toNativeSeparators(path), error));
}

} // namespace lt
