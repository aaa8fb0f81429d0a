#include "support/ModalScript.h"
#include "ui/AppLang.h"
#include "ui/MessageDialogs.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace lt;
using lt::test::ModalScript;

TEST(MessageDialogs, TheCloseBoxMeansCancel)
{
    TMyWarnDlg_2 two(nullptr);
    two.show();
    two.close();
    EXPECT_EQ(two.result(), mrCancel);

    TMyWarnDlg_3 three(nullptr);
    three.show();
    three.close();
    EXPECT_EQ(three.result(), mrCancel);
}

TEST(MessageDialogs, ButtonsGiveTheirResults)
{
    TMyWarnDlg_3 dialog(nullptr);
    dialog.setCaptions(QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cannel"));
    dialog.show();
    dialog.NoBtn->click();
    EXPECT_EQ(dialog.result(), mrNo);
    EXPECT_EQ(dialog.CancelBtn->text(), QStringLiteral("Cannel"));

    ModalScript script;
    script.answer(mrNo).answer(mrOK).answer(mrCancel);
    EXPECT_FALSE(ConfirmOkCancel(nullptr, QStringLiteral("m"), QStringLiteral("Ok"), QStringLiteral("Cannel")))
        << "only OK confirms";
    EXPECT_EQ(AskYesNoCancel(nullptr, QStringLiteral("m"), QStringLiteral("y"), QStringLiteral("n"), QStringLiteral("c")),
              mrOK);
    EXPECT_EQ(AskYesNoCancel(nullptr, QStringLiteral("m"), QStringLiteral("y"), QStringLiteral("n"), QStringLiteral("c")),
              mrCancel);
}

TEST(MessageDialogs, LabelsKeepTheirFixedSize)
{
    TMyWarnDlg_2 dialog(nullptr);
    const QSize before = dialog.Label1->size();
    dialog.setMessage(QString(400, QLatin1Char('x')));
    dialog.show();
    EXPECT_EQ(dialog.Label1->size(), before);
    EXPECT_EQ(before, QSize(265, 40));
}

TEST(MessageDialogs, OutcomeButtonFollowsTheInterfaceLanguage)
{
    const struct {
        int language;
        const char* caption;
    } cases[] = {{0, "OK"}, {1, "确认"}, {2, "確認"}};
    for (const auto& c : cases) {
        AppLang().SetInterfaceLanguage(c.language);
        TUserWarnDlg dialog(nullptr);
        EXPECT_EQ(dialog.OKBtn->text(), QString::fromUtf8(c.caption)) << c.language;
        EXPECT_FALSE(dialog.CancelBtn->isVisible());
    }
    AppLang().SetInterfaceLanguage(0);
}
