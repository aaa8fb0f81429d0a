#include "ui/SizedMessageDialog.h"

#include "ui/AppLang.h"
#include "ui/FixedDialog.h"
#include "ui/ModalSeam.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lt {

namespace {

constexpr int kWidestMessage = 520;
constexpr int kFontPixels = 14;
constexpr int kButtonWidth = 75;

} // namespace

TSizedMessageDlg::TSizedMessageDlg(QWidget* owner, const QString& message, const QString& ok, const QString& cancel)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("TSizedMessageDlg"));
    setWindowTitle(QString());
    Label1 = new QLabel(message, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    // A list (a heading, then a line per item) reads down its left edge.
    Label1->setAlignment(message.contains(QLatin1Char('\n')) ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setMaximumWidth(kWidestMessage);
    QFont font = Label1->font();
    font.setPixelSize(kFontPixels);
    Label1->setFont(font);

    OKBtn = new QPushButton(ok, this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(cancel, this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setVisible(!cancel.isEmpty());
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {OKBtn, CancelBtn}) {
        button->setMinimumWidth(kButtonWidth);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(16);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    const QSize size = sizeHint();
    MakeFixedDialog(*this, size.width(), size.height());
}

void ShowSizedMessage(QWidget* owner, const QString& message)
{
    TSizedMessageDlg dialog(owner, message, MainText(153));
    execModal(dialog);
}

bool AskSizedOkCancel(QWidget* owner, const QString& message, const QString& ok, const QString& cancel)
{
    TSizedMessageDlg dialog(owner, message, ok, cancel);
    return execModal(dialog) == mrOK;
}

} // namespace lt
