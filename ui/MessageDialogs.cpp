#include "ui/MessageDialogs.h"

#include "ui/AppLang.h"
#include "ui/FixedDialog.h"
#include "ui/ModalSeam.h"

#include <QLabel>
#include <QPushButton>

namespace lt {

namespace {

void makeFixed(QDialog& dialog, int width, int height)
{
    MakeFixedDialog(dialog, width, height);
    dialog.setWindowTitle(QString());
}

QLabel* makeLabel(QDialog& dialog, const char* name, QRect geometry, int pixelSize)
{
    auto* label = new QLabel(&dialog);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
    return label;
}

QPushButton* makeButton(QDialog& dialog, const char* name, QRect geometry, int result)
{
    auto* button = new QPushButton(&dialog);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, result] { dialog.done(result); });
    return button;
}

} // namespace

TUserWarnDlg::TUserWarnDlg(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("TUserWarnDlg"));
    makeFixed(*this, 235, 121);
    WarnDlgText = makeLabel(*this, "WarnDlgText", QRect(10, 20, 214, 33), 16);
    OKBtn = makeButton(*this, "OKBtn", QRect(80, 75, 75, 25), mrOK);
    CancelBtn = makeButton(*this, "CancelBtn", QRect(0, 0, 0, 0), mrCancel);
    CancelBtn->hide();
    OKBtn->setDefault(true);
    switch (AppLang().langType()) {
    case 2: OKBtn->setText(QStringLiteral("确认")); break;
    case 3: OKBtn->setText(QStringLiteral("確認")); break;
    default: OKBtn->setText(QStringLiteral("OK")); break;
    }
}

void TUserWarnDlg::setMessage(const QString& text) { WarnDlgText->setText(text); }

TMyWarnDlg_2::TMyWarnDlg_2(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("TMyWarnDlg_2"));
    makeFixed(*this, 273, 135);
    Label1 = makeLabel(*this, "Label1", QRect(4, 20, 265, 40), 16);
    OKBtn = makeButton(*this, "OKBtn", QRect(50, 90, 75, 25), mrOK);
    CancelBtn = makeButton(*this, "CancelBtn", QRect(148, 90, 75, 25), mrCancel);
    OKBtn->setDefault(true);
}

void TMyWarnDlg_2::setMessage(const QString& text) { Label1->setText(text); }

void TMyWarnDlg_2::setCaptions(const QString& ok, const QString& cancel)
{
    OKBtn->setText(ok);
    CancelBtn->setText(cancel);
}

TMyWarnDlg_3::TMyWarnDlg_3(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("TMyWarnDlg_3"));
    makeFixed(*this, 282, 118);
    Label1 = makeLabel(*this, "Label1", QRect(0, 16, 290, 40), 13);
    OKBtn = makeButton(*this, "OKBtn", QRect(14, 76, 75, 25), mrOK);
    NoBtn = makeButton(*this, "NoBtn", QRect(103, 76, 75, 25), mrNo);
    CancelBtn = makeButton(*this, "CancelBtn", QRect(192, 76, 75, 25), mrCancel);
    OKBtn->setDefault(true);
}

void TMyWarnDlg_3::setMessage(const QString& text) { Label1->setText(text); }

void TMyWarnDlg_3::setCaptions(const QString& yes, const QString& no, const QString& cancel)
{
    OKBtn->setText(yes);
    NoBtn->setText(no);
    CancelBtn->setText(cancel);
}

void ShowUserWarning(QWidget* owner, const QString& message)
{
    TUserWarnDlg dialog(owner);
    dialog.setMessage(message);
    execModal(dialog);
}

bool ConfirmOkCancel(QWidget* owner, const QString& message, const QString& ok, const QString& cancel)
{
    TMyWarnDlg_2 dialog(owner);
    dialog.setMessage(message);
    dialog.setCaptions(ok, cancel);
    return execModal(dialog) == mrOK;
}

int AskYesNoCancel(QWidget* owner, const QString& message, const QString& yes, const QString& no,
                   const QString& cancel)
{
    TMyWarnDlg_3 dialog(owner);
    dialog.setMessage(message);
    dialog.setCaptions(yes, no, cancel);
    const int result = execModal(dialog);
    return result == mrOK || result == mrNo ? result : mrCancel;
}

QString MessageOf(const QDialog& dialog)
{
    for (const char* name : {"WarnDlgText", "Label1"})
        if (const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name)))
            return label->text();
    return {};
}

} // namespace lt
