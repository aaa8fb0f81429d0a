#include "app/AboutDialog.h"

#include "ui/AppLang.h"
#include "ui/FixedDialog.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace lt {

namespace {

constexpr int kWidth = 313;
constexpr int kHeight = 205;
constexpr int kTextLeft = 20;
constexpr int kTextRight = 13; // from the end of a text to the box's edge

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
    setWindowTitle(MainText(161));

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::StyledPanel);
    bevel->setFrameShadow(QFrame::Sunken);

    sName = makeText(this, "sName", MainText(0) + QLatin1Char(' ') + MainText(162), QRect(kTextLeft, 20, 0, 28), 12, true);
    sVersion = makeText(this, "sVersion", MainText(163), QRect(kTextLeft, 60, 0, 22), 10);
    sNotice = makeText(this, "sNotice", MainText(164), QRect(kTextLeft, 88, 0, 22), 10);
    sCompany = makeText(this, "sCompany", MainText(165), QRect(kTextLeft, 116, 0, 22), 10);

    // The box keeps its size where its texts fit (the Chinese ones); a text
    // that needs more room (the English name) widens it, so every text shows
    // whole.
    int width = kWidth;
    for (const QLabel* text : {sName, sVersion, sNotice, sCompany})
        width = std::max(width, kTextLeft + text->sizeHint().width() + kTextRight);
    MakeFixedDialog(*this, width, kHeight);
    bevel->setGeometry(8, 8, width - 16, 145);
    for (QLabel* text : {sName, sVersion, sNotice, sCompany})
        text->resize(width - kTextLeft - kTextRight, text->height());

    OKBtn = new QPushButton(MainText(153), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry((width - 75) / 2, 166, 75, 27);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace lt
