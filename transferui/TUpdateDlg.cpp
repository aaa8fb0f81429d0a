#include "transferui/TUpdateDlg.h"

#include "transfer/DownloadOffsetText.h"
#include "transfer/DownloadSource.h"
#include "transfer/TransferState.h"
#include "transferui/TransferRun.h"
#include "ui/ControlHooks.h"
#include "ui/FixedDialog.h"
#include "ui/ModalSeam.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lt {

namespace {

constexpr int kClientWidth = 330;
constexpr int kClientHeight = 190;

const QString kFileFilter = QStringLiteral("二进制文件(*.HEX,*.HCN,*.BIN)|*.HEX;*.HCN;*.BIN;*.hex;*.hcn;*.bin");
const QString kFileError = QStringLiteral("文件错误");
const QString kSumError = QStringLiteral("文件代码错误");

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    // Return in the offset field must not start a run.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TUpdateDlg::TUpdateDlg(Program& program, TransferEnvironment& env, DownloadSource& source, QWidget* parent)
    : QDialog(parent)
    , program_(program)
    , env_(env)
    , source_(source)
{
    setObjectName(QStringLiteral("TUpdateDlg"));
    setWindowTitle(QStringLiteral("升级对讲机软件"));
    MakeFixedDialog(*this, kClientWidth, kClientHeight);

    source_.DataOffset_DL = 0;

    bUpdateFont = MakeButton(QStringLiteral("选择文件"), "bUpdateFont", this);
    bUpdateFont->setGeometry(16, 16, 89, 28);

    Label1 = new QLabel(QStringLiteral("文件代码"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(128, 4, 80, 16);
    eDataOffset_DL = new QLineEdit(QStringLiteral("0"), this);
    eDataOffset_DL->setObjectName(QStringLiteral("eDataOffset_DL"));
    eDataOffset_DL->setGeometry(128, 20, 80, 24);

    urlOpen_eep = new QLineEdit(QStringLiteral("C:\\"), this);
    urlOpen_eep->setObjectName(QStringLiteral("urlOpen_eep"));
    urlOpen_eep->setGeometry(16, 60, 298, 24);

    bUpdate = MakeButton(QStringLiteral("更新字库"), "bUpdate", this);
    bUpdate->setGeometry(16, 104, 137, 32);
    bUpdateMcu = MakeButton(QStringLiteral("更新主芯片"), "bUpdateMcu", this);
    bUpdateMcu->setGeometry(177, 104, 137, 32);

    OKBtn = MakeButton(QStringLiteral("OK"), "OKBtn", this);
    OKBtn->setGeometry(72, 150, 75, 25);
    OKBtn->hide();
    CancelBtn = MakeButton(QStringLiteral("Cancel"), "CancelBtn", this);
    CancelBtn->setGeometry(183, 150, 75, 25);
    CancelBtn->hide();

    HandleKeys(eDataOffset_DL, [](const QKeyEvent& key) { return !DataOffsetKeyAllowed(key.text().front().unicode()); });
    CommitOnLeave(eDataOffset_DL, [this] { eDataOffset_DLExit(); });
    CorrectOnChange(eDataOffset_DL, [](const QString& text) {
        return text.size() > kDataOffsetMaxLength ? text.left(text.size() - 1) : text;
    });
    connect(bUpdateFont, &QPushButton::clicked, this, &TUpdateDlg::bUpdateFontClick);
    connect(bUpdate, &QPushButton::clicked, this, &TUpdateDlg::bUpdateClick);
    connect(bUpdateMcu, &QPushButton::clicked, this, &TUpdateDlg::bUpdateMcuClick);
    connect(OKBtn, &QPushButton::clicked, this, [this] { done(mrOK); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TUpdateDlg::bUpdateFontClick()
{
    const QString path = askOpenFileName({this, QString(), kFileFilter, QString()});
    if (path.isEmpty())
        return;
    source_.fileChosen = 1;
    source_.path = path;
    urlOpen_eep->setText(path);
}

void TUpdateDlg::eDataOffset_DLExit()
{
    source_.DataOffset_DL = ParseDataOffset(eDataOffset_DL->text());
    eDataOffset_DL->setText(DataOffsetText(source_.DataOffset_DL));
}

bool TUpdateDlg::openFile()
{
    if (source_.open())
        return true;
    showSystemError(this, kFileError);
    return false;
}

void TUpdateDlg::runDownload(int32_t operation)
{
    reportErrors([&] {
        RunTransfer(env_, program_, this, operation, kDirectionWrite, TransferTitle(operation, kDirectionWrite));
    });
    // The run closes the file at its ending; this covers a run that never started.
    source_.close();
}

void TUpdateDlg::bUpdateClick()
{
    if (!openFile())
        return;
    runDownload(op::DataDownload);
}

void TUpdateDlg::bUpdateMcuClick()
{
    if (!openFile())
        return;
    const uint8_t sum = FirmwareFileSum(source_.file, source_.length);
    source_.close();
    // An offset above 0xFF never matches the 8-bit sum.
    if (static_cast<int32_t>(sum) != source_.DataOffset_DL) {
        showSystemError(this, kSumError);
        return;
    }
    if (!openFile())
        return;
    runDownload(op::FirmwareUpdate);
}

} // namespace lt
