#include "admin/TBandSetDlg.h"

#include "admin/BandLimitRules.h"
#include "codeplug/TextEntryRules.h"
#include "codeplug/ValueEncodings.h"
#include "program/Program.h"
#include "ui/AppLang.h"
#include "ui/ControlHooks.h"
#include "ui/FixedDialog.h"
#include "ui/MessageDialogs.h"
#include "ui/ModalSeam.h"
#include "ui/ProgramWindow.h"

#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lt {

namespace {
constexpr int kClientWidth = 242;
constexpr int kClientHeight = 274;
constexpr int kBandLetterPixels = 28;
constexpr int kConfirmOk = 153;
constexpr int kConfirmCancel = 154;
constexpr int kConfirmMessage = 155;

QLabel* MakeBandLetter(const QString& text, const char* name, QWidget* area)
{
    auto* label = new QLabel(text, area);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setPixelSize(kBandLetterPixels);
    font.setBold(true);
    label->setFont(font);
    label->setGeometry(12, 34, 40, 36);
    return label;
}

void MakeCaption(const QString& text, QWidget* area, int y)
{
    auto* label = new QLabel(text, area);
    label->setGeometry(62, y + 3, 30, 18);
}
} // namespace

TBandSetDlg::TBandSetDlg(ProgramWindow& mainWindow, QWidget* parent)
    : QDialog(parent)
    , mainWindow_(mainWindow)
    , working_(mainWindow.program().model.bands)
{
    setObjectName(QStringLiteral("TBandSetDlg"));
    setWindowTitle(QString());
    MakeFixedDialog(*this, kClientWidth, kClientHeight);

    auto* upper = new QGroupBox(this);
    upper->setGeometry(8, 8, 226, 100);
    sU = MakeBandLetter(QStringLiteral("U:"), "sU", upper);
    MakeCaption(QStringLiteral("min"), upper, 22);
    eBand_U_MIN = makeEdit("eBand_U_MIN", upper, 22);
    MakeCaption(QStringLiteral("max"), upper, 60);
    eBand_U_MAX = makeEdit("eBand_U_MAX", upper, 60);

    auto* lower = new QGroupBox(this);
    lower->setGeometry(8, 116, 226, 100);
    sV = MakeBandLetter(QStringLiteral("V:"), "sV", lower);
    MakeCaption(QStringLiteral("min"), lower, 22);
    eBand_V_MIN = makeEdit("eBand_V_MIN", lower, 22);
    MakeCaption(QStringLiteral("max"), lower, 60);
    eBand_V_MAX = makeEdit("eBand_V_MAX", lower, 60);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(84, 230, 75, 30);
    // A click must not move the focus first: the press itself takes every
    // edit's value, once.
    OKBtn->setFocusPolicy(Qt::TabFocus);
    // Return would press OK without taking the value being typed.
    OKBtn->setAutoDefault(false);
    OKBtn->installEventFilter(this);
    connect(OKBtn, &QPushButton::clicked, this, &TBandSetDlg::OKBtnClick);

    showLimits();
}

QLineEdit* TBandSetDlg::makeEdit(const char* name, QWidget* area, int y)
{
    auto* edit = new QLineEdit(area);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(100, y, 110, 24);
    HandleKeys(edit, [](const QKeyEvent& key) { return !FreqKeyAccepted(key.text().front()); });
    CommitOnLeave(edit, [this, edit] { eBand_Exit(edit); });
    CorrectOnChange(edit, [](const QString& text) {
        return CutThenCorrectFreqText(text, LongFreqText::LosesLastCharacter);
    });
    return edit;
}

uint32_t& TBandSetDlg::limitOf(QLineEdit* edit)
{
    if (edit == eBand_U_MIN)
        return working_.UBandMin;
    if (edit == eBand_U_MAX)
        return working_.UBandMax;
    if (edit == eBand_V_MIN)
        return working_.VBandMin;
    return working_.VBandMax;
}

void TBandSetDlg::showLimits()
{
    for (QLineEdit* edit : {eBand_U_MIN, eBand_U_MAX, eBand_V_MIN, eBand_V_MAX})
        edit->setText(FreqToText(limitOf(edit)));
}

bool TBandSetDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == OKBtn && event->type() == QEvent::MouseButtonPress)
        OKBtnMouseDown();
    return QDialog::eventFilter(watched, event);
}

void TBandSetDlg::eBand_Exit(QLineEdit* edit)
{
    reportErrors([&] {
        uint32_t& limit = limitOf(edit);
        limit = BandTextToHz(edit->text());
        edit->setText(FreqToText(limit));
    });
}

void TBandSetDlg::OKBtnMouseDown()
{
    for (QLineEdit* edit : {eBand_U_MIN, eBand_U_MAX, eBand_V_MIN, eBand_V_MAX})
        eBand_Exit(edit);
}

void TBandSetDlg::OKBtnClick()
{
    Program& program = mainWindow_.program();
    if (ClassifyBandChange(working_, program.model.bands) == BandChange::Changed
        && ConfirmOkCancel(this, MainText(kConfirmMessage), MainText(kConfirmOk), MainText(kConfirmCancel))) {
        ApplyBandLimits(program, working_);
        mainWindow_.FullRefresh();
        reportErrors([this] { mainWindow_.WriteConfiguration(); });
    }
    done(mrOK);
}

} // namespace lt
