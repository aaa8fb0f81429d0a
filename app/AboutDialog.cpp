#include "app/AboutDialog.h"

#include "ui/AppLang.h"
#include "ui/FixedDialog.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace lt {

namespace {

QLabel* makeText(QWidget* parent, const char* name, const QString& text, QRect geometry, int pointSize,
                 bool bold = false)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

} // namespace

TAboutDlg::TAboutDlg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutDlg"));
    MakeFixedDialog(*this, 313, 205);
    setWindowTitle(MainText(161));

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::StyledPanel);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 8, 297, 145);

    sName = makeText(this, "sName", MainText(0) + QLatin1Char(' ') + MainText(162), QRect(20, 20, 280, 28), 12, true);
    sVersion = makeText(this, "sVersion", MainText(163), QRect(20, 60, 280, 22), 10);
    sNotice = makeText(this, "sNotice", MainText(164), QRect(20, 88, 280, 22), 10);
    sCompany = makeText(this, "sCompany", MainText(165), QRect(20, 116, 280, 22), 10);

    OKBtn = new QPushButton(MainText(153), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(119, 166, 75, 27);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace lt
