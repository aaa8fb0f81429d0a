#include "admin/TCustomIdDlg.h"

#include "program/Program.h"
#include "transfer/TransferState.h"
#include "transferui/TransferRun.h"
#include "ui/FixedDialog.h"
#include "ui/ModalSeam.h"

#include <QComboBox>
#include <QFont>
#include <QPushButton>

namespace lt {

namespace {
constexpr int kClientWidth = 200;
constexpr int kClientHeight = 172;
constexpr int kIdCount = 256;
constexpr int kListFontPixels = 32;
} // namespace

TCustomIdDlg::TCustomIdDlg(Program& program, TransferEnvironment& env, QWidget* parent)
    : QDialog(parent)
    , program_(program)
    , env_(env)
{
    setObjectName(QStringLiteral("TCustomIdDlg"));
    setWindowTitle(QStringLiteral("Dealer ID"));
    MakeFixedDialog(*this, kClientWidth, kClientHeight);

    cbID = new QComboBox(this);
    cbID->setObjectName(QStringLiteral("cbID"));
    QFont font = cbID->font();
    font.setPixelSize(kListFontPixels);
    cbID->setFont(font);
    for (int id = 0; id < kIdCount; ++id)
        cbID->addItem(QString::number(id));
    cbID->setCurrentIndex(0);
    cbID->setGeometry(24, 20, 152, 48);

    bCustom_W = new QPushButton(QStringLiteral("写入"), this);
    bCustom_W->setObjectName(QStringLiteral("bCustom_W"));
    bCustom_W->setGeometry(24, 100, 64, 40);
    bCustom_R = new QPushButton(QStringLiteral("读取"), this);
    bCustom_R->setObjectName(QStringLiteral("bCustom_R"));
    bCustom_R->setGeometry(112, 100, 64, 40);

    // Return in the list must not start a run.
    bCustom_W->setAutoDefault(false);
    bCustom_R->setAutoDefault(false);

    connect(bCustom_W, &QPushButton::clicked, this, &TCustomIdDlg::bCustom_WClick);
    connect(bCustom_R, &QPushButton::clicked, this, &TCustomIdDlg::bCustom_RClick);
}

void TCustomIdDlg::bCustom_WClick()
{
    program_.customerId = static_cast<uint8_t>(cbID->currentIndex());
    reportErrors([this] {
        RunTransfer(env_, program_, this, op::CustomerId, kDirectionWrite, TransferTitle(op::CustomerId, kDirectionWrite));
    });
}

void TCustomIdDlg::bCustom_RClick()
{
    reportErrors([this] {
        RunTransfer(env_, program_, this, op::CustomerId, kDirectionRead, TransferTitle(op::CustomerId, kDirectionRead));
    });
    // Also after a failed read: a choice not yet written gives way to the
    // program's value.
    cbID->setCurrentIndex(program_.customerId);
}

} // namespace lt
