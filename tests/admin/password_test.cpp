#include "support/AdminRig.h"

#include "admin/TNewPasswordDlg.h"
#include "admin/TSetPasswordDlg.h"
#include "codeplug/PasswordRecord.h"
#include "codeplug/TextEntryRules.h"
#include "transfer/TransferState.h"
#include "transferui/TProgramDialog.h"
#include "transferui/TransferRun.h"
#include "ui/AppLang.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

class RadioPassword : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppLang().fSetLangType(1);
        rig.emulator.setPassword("1234");
    }
    void TearDown() override { AppLang().fSetDetectType(); }

    void enter(const QString& password)
    {
        TSetPasswordDlg dialog(rig.program);
        QTest::keyClicks(dialog.findChild<QLineEdit*>("eInput"), password);
        QTest::mouseClick(dialog.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
        ASSERT_EQ(dialog.result(), mrOK);
    }

    static void fill(TNewPasswordDlg& dialog, const QString& first, const QString& second)
    {
        QTest::keyClicks(dialog.findChild<QLineEdit*>("eInput"), first);
        QTest::keyClicks(dialog.findChild<QLineEdit*>("eSureInput"), second);
    }

    PasswordRecord radioRecord() const
    {
        PasswordRecord record;
        std::copy_n(rig.emulator.memory.begin() + 0xC000, record.size(), record.begin());
        return record;
    }

    AdminRig rig;
};

TEST_F(RadioPassword, DialogTextsAndEntries)
{
    TSetPasswordDlg enterDialog(rig.program);
    EXPECT_EQ(enterDialog.windowTitle(), "Password");
    EXPECT_EQ(enterDialog.findChild<QLabel*>("sPassword")->text(), "Input Password");
    EXPECT_EQ(enterDialog.findChild<QPushButton*>("OKBtn")->text(), "Ok");
    EXPECT_EQ(enterDialog.findChild<QPushButton*>("CancelBtn")->text(), "Cannel");

    TNewPasswordDlg newDialog(rig.program, rig.env);
    EXPECT_EQ(newDialog.windowTitle(), "New Password");
    EXPECT_EQ(newDialog.findChild<QLabel*>("sInput")->text(), "New Password");
    EXPECT_EQ(newDialog.findChild<QLabel*>("sSureInput")->text(), "New Password Sure");
    EXPECT_EQ(newDialog.findChild<QPushButton*>("bWrite")->text(), "Write");
    EXPECT_EQ(newDialog.findChild<QCheckBox*>("cbWriteWithNewPD")->text(), "Write data to radio with new password");

    for (QLineEdit* edit : {enterDialog.eInput, newDialog.eInput, newDialog.eSureInput}) {
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        EXPECT_EQ(edit->maxLength(), 12);
        EXPECT_EQ(edit->font().pointSize(), 16);
        EXPECT_TRUE(edit->text().isEmpty());
        QTest::keyClicks(edit, "abcdefghijklmnop");
        EXPECT_EQ(edit->text(), "abcdefghijkl");
    }
}

// Types characters one key press each, as an input method delivers them.
void typeKeys(QLineEdit* edit, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() ? 2 : 1;
        const QString key = text.mid(i, width);
        i += width - 1;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QCoreApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, key);
        QCoreApplication::sendEvent(edit, &release);
    }
}

TEST_F(RadioPassword, EntriesHoldTwelveGbkBytesAndWhatIsStoredIsWhatWasTyped)
{
    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {
        {"abcdefghijklmn", "abcdefghijkl"},
        {"一二三四五六七八九十百千", "一二三四五六"},
        {"a一二三四五六", "a一二三四五"},
        {"ab한c😀d€", "abcd€"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const QString kept = QString::fromUtf8(c.kept);
        {
            TSetPasswordDlg dialog(rig.program);
            typeKeys(dialog.eInput, QString::fromUtf8(c.typed));
            EXPECT_EQ(dialog.eInput->text(), kept);
            dialog.OKBtn->click();
        }
        EXPECT_EQ(rig.program.model.text(cp::EnteredPassword), ToGbk(kept));

        ScriptedUser user(rig.clock);
        TNewPasswordDlg dialog(rig.program, rig.env);
        typeKeys(dialog.eInput, QString::fromUtf8(c.typed));
        typeKeys(dialog.eSureInput, QString::fromUtf8(c.typed));
        dialog.OKBtn->click();
        EXPECT_EQ(user.messages(), QStringList{"OK"});
        EXPECT_EQ(rig.program.model.text(cp::NewPassword), ToGbk(kept));
    }
}

TEST_F(RadioPassword, EnteredPasswordChangesOnlyWithOk)
{
    enter("9999");
    EXPECT_EQ(rig.program.model.text(cp::EnteredPassword), "9999");
    {
        TSetPasswordDlg dialog(rig.program);
        QTest::keyClicks(dialog.eInput, "5555");
        QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
        EXPECT_EQ(dialog.result(), mrCancel);
    }
    EXPECT_EQ(rig.program.model.text(cp::EnteredPassword), "9999");
    enter("");
    EXPECT_EQ(rig.program.model.text(cp::EnteredPassword), "");
}

TEST_F(RadioPassword, ProtectedRadioTakesANewPasswordOnlyAfterTheCurrentOne)
{
    ScriptedUser user(rig.clock);
    const PasswordRecord original = radioRecord();
    TNewPasswordDlg dialog(rig.program, rig.env);
    QSignalSpy closed(&dialog, &QDialog::finished);
    fill(dialog, "5678", "5678");

    enter("9999");
    dialog.bWrite->click();
    EXPECT_EQ(user.messages(), QStringList{"Password Error"});
    EXPECT_EQ(radioRecord(), original);
    EXPECT_EQ(rig.program.model.text(cp::NewPassword), "5678");

    enter("1234");
    dialog.bWrite->click();
    EXPECT_EQ(user.messages().last(), "SUCCESS");
    const DecodedPassword written = DecodePasswordRecord(radioRecord());
    EXPECT_EQ(written.result, PasswordDecode::Ok);
    EXPECT_EQ(written.password, "5678");

    // The old password no longer passes; the new one does.
    dialog.bWrite->click();
    EXPECT_EQ(user.messages().last(), "Password Error");
    enter("5678");
    dialog.bWrite->click();
    EXPECT_EQ(user.messages().last(), "SUCCESS");
    EXPECT_EQ(user.count("TProgramDialog"), 4);
    EXPECT_EQ(closed.count(), 0);
}

TEST_F(RadioPassword, EmptyNewPasswordRemovesTheProtection)
{
    ScriptedUser user(rig.clock);
    enter("1234");
    TNewPasswordDlg dialog(rig.program, rig.env);
    dialog.OKBtn->click();
    EXPECT_EQ(user.messages(), QStringList{"OK"});
    EXPECT_EQ(dialog.result(), mrOK);
    EXPECT_EQ(rig.program.model.text(cp::NewPassword), "");

    TNewPasswordDlg writer(rig.program, rig.env);
    writer.bWrite->click();
    EXPECT_EQ(user.messages().last(), "SUCCESS");
    EXPECT_EQ(radioRecord()[0], 0);
    EXPECT_TRUE(CheckPasswordRecord(radioRecord(), "anything"));
}

TEST_F(RadioPassword, MismatchedEntriesChangeNothing)
{
    ScriptedUser user(rig.clock);
    rig.program.model.setText(cp::NewPassword, "kept");
    const struct {
        const char* first;
        const char* second;
    } cases[] = {{"12", "13"}, {"12", "123"}, {"", "1"}, {"abc", "ABC"}};
    for (const auto& c : cases) {
        TNewPasswordDlg dialog(rig.program, rig.env);
        fill(dialog, c.first, c.second);
        dialog.bWrite->click();
        dialog.OKBtn->click();
        EXPECT_EQ(dialog.result(), mrOK);
    }
    EXPECT_EQ(user.messages(), QStringList(8, "Password not match"));
    EXPECT_EQ(user.count("TProgramDialog"), 0);
    EXPECT_EQ(rig.program.model.text(cp::NewPassword), "kept");
    EXPECT_TRUE(rig.backend.writtenReports.empty());
}

TEST_F(RadioPassword, WriteWithNewPasswordAddsTheRecordToACodeplugWrite)
{
    ScriptedUser user(rig.clock);
    enter("1234");
    {
        TNewPasswordDlg dialog(rig.program, rig.env);
        EXPECT_FALSE(dialog.cbWriteWithNewPD->isChecked());
        fill(dialog, "4321", "4321");
        dialog.OKBtn->click();
        dialog.cbWriteWithNewPD->setChecked(true);
        // The box takes effect when it loses the focus, also on the way to Cancel.
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(dialog.cbWriteWithNewPD, &out);
        dialog.CancelBtn->click();
    }
    EXPECT_EQ(rig.program.model.get(cp::WriteWithNewPD), 1u);
    {
        TNewPasswordDlg dialog(rig.program, rig.env);
        EXPECT_TRUE(dialog.cbWriteWithNewPD->isChecked());
    }

    rig.program.model.SetChannelUsed(1, true);
    rig.program.model.channel(1).setRxFreq(145000000);
    ASSERT_TRUE(RunTransfer(rig.env, rig.program, nullptr, op::Codeplug, kDirectionWrite, QString()));
    bool passwordBlock = false;
    for (const QByteArray& m : rig.sentMessages())
        passwordBlock = passwordBlock || m.startsWith(QByteArray("W\xC0\x00\x10", 4));
    EXPECT_TRUE(passwordBlock);
    EXPECT_EQ(DecodePasswordRecord(radioRecord()).password, "4321");
}

} // namespace
} // namespace lt::test
