#include "support/ModalScript.h"
#include "ui/AppLang.h"
#include "ui/MessageDialogs.h"
#include "ui/SizedMessageDialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace lt;
using lt::test::ModalScript;

// A list of paste errors or a long refusal shows whole: the dialog is as large
// as its message needs.
TEST(SizedMessageDialog, ShowsTheWholeMessageWithItsButtons)
{
    AppLang().SetInterfaceLanguage(0);
    QString message = QStringLiteral("Nothing was pasted:");
    for (int line = 2; line <= 21; ++line)
        message += QStringLiteral("\nline %1, column Frequency: '14x.5' is not a frequency in MHz with at most six decimals").arg(line);
    TSizedMessageDlg dialog(nullptr, message, QStringLiteral("Restore"), QStringLiteral("Discard"));
    dialog.show();
    const QRect needed = QFontMetrics(dialog.Label1->font())
                             .boundingRect(QRect(0, 0, dialog.Label1->width(), QWIDGETSIZE_MAX), Qt::AlignCenter | Qt::TextWordWrap, message);
    EXPECT_LE(needed.height(), dialog.Label1->height());
    EXPECT_GE(dialog.OKBtn->y(), dialog.Label1->geometry().bottom());
    EXPECT_TRUE(dialog.CancelBtn->isVisible());
    EXPECT_EQ(MessageOf(dialog), message) << "the test seam reads it like the other message dialogs";

    ModalScript script;
    script.answer(mrOK).answer(mrCancel);
    EXPECT_TRUE(AskSizedOkCancel(nullptr, QStringLiteral("Restore it?"), QStringLiteral("Restore"), QStringLiteral("Discard")));
    EXPECT_FALSE(AskSizedOkCancel(nullptr, QStringLiteral("Restore it?"), QStringLiteral("Restore"), QStringLiteral("Discard")));
    ShowSizedMessage(nullptr, QStringLiteral("Channel 240 is in use, so no channel can be inserted."));
    ASSERT_EQ(script.shown.size(), 3u);
    EXPECT_EQ(script.shown[2].dialog, QStringLiteral("TSizedMessageDlg"));
}

TEST(SizedMessageDialog, AnOutcomeHasOneButtonCaptionedInTheInterfaceLanguage)
{
    for (const auto& [language, ok] : {std::pair{0, "Ok"}, std::pair{1, "确定"}}) {
        AppLang().SetInterfaceLanguage(language);
        QString caption;
        ModalHandlers peek;
        peek.dialog = [&](QDialog& dialog) {
            caption = dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"))->text();
            EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->isVisibleTo(&dialog));
            return int(mrOK);
        };
        ModalHandlersGuard guard(std::move(peek));
        ShowSizedMessage(nullptr, QStringLiteral("x"));
        EXPECT_EQ(caption, QString::fromUtf8(ok));
    }
    AppLang().SetInterfaceLanguage(0);
}
