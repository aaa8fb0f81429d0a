#include "support/AdminRig.h"

#include "admin/ServiceDialogs.h"
#include "admin/TPasswordDlg.h"
#include "app/AdminCommands.h"
#include "app/MainWindow.h"
#include "transfer/TransferState.h"
#include "ui/AppLang.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace lt::test {
namespace {

TEST(ServiceWords, OnlyTheExactWordsOpenTheirDialogs)
{
    EXPECT_EQ(ServiceDialogFor("qf37"), ServiceDialog::Calibration);
    EXPECT_EQ(ServiceDialogFor("qfmorl"), ServiceDialog::BandLimits);
    EXPECT_EQ(ServiceDialogFor("relkin"), ServiceDialog::Update);
    EXPECT_EQ(ServiceDialogFor("qfnit"), ServiceDialog::CustomerId);
    for (const char* other : {"", "QF37", "Qfmorl", "RELKIN", "qfNit", " qf37", "qf37 ", "qfnit\t", "qf3", "qf377",
                              "relkinrelkin"})
        EXPECT_FALSE(ServiceDialogFor(QString::fromLatin1(other)).has_value()) << '"' << other << '"';
}

class ServicePrompt : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppLang().SetInterfaceLanguage(0);
        rig.program.settings.Language = 0;
    }
    void TearDown() override { AppLang().fSetDetectType(); }

    // Types text into the prompt and presses OK; returns the prompt's result.
    int submit(const QString& text)
    {
        TPasswordDlg prompt(context, window.get());
        QTest::keyClicks(prompt.findChild<QLineEdit*>("eInput"), text);
        QTest::mouseClick(prompt.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
        return prompt.result();
    }

    QTemporaryDir dir;
    AdminRig rig;
    std::unique_ptr<TForm1> window = std::make_unique<TForm1>(rig.program, dir.filePath(QStringLiteral("_config.ini")));
    AdminContext context{*window, rig.env, *rig.download};
};

TEST_F(ServicePrompt, Layout)
{
    TPasswordDlg prompt(context);
    EXPECT_TRUE(prompt.windowTitle().isEmpty());
    EXPECT_EQ(prompt.findChild<QPushButton*>("OKBtn")->text(), "Ok");
    EXPECT_EQ(prompt.findChild<QPushButton*>("CancelBtn")->text(), "Cannel");
    QLineEdit* input = prompt.findChild<QLineEdit*>("eInput");
    EXPECT_EQ(input->echoMode(), QLineEdit::Password);
    EXPECT_EQ(input->font().pointSize(), 16);
    EXPECT_TRUE(input->text().isEmpty());
}

TEST_F(ServicePrompt, EachWordOpensItsDialogOnce)
{
    const struct {
        const char* word;
        const char* dialog;
    } cases[] = {{"qf37", "TAdjustmentDlg"}, {"qfmorl", "TBandSetDlg"}, {"relkin", "TUpdateDlg"}};
    for (const auto& c : cases) {
        ScriptedUser user(rig.clock);
        user.answer(QString::fromLatin1(c.dialog), mrOK);
        EXPECT_EQ(submit(QString::fromLatin1(c.word)), mrOK);
        ASSERT_EQ(user.shown.size(), 1u) << c.word;
        EXPECT_EQ(user.shown[0].dialog, QString::fromLatin1(c.dialog));
    }
}

TEST_F(ServicePrompt, CustomerIdDialogReturnsUntilItIsCancelled)
{
    ScriptedUser user(rig.clock);
    std::set<const QDialog*> instances;
    const auto showing = [&](int result) {
        return [&instances, result](QDialog& dialog) {
            instances.insert(&dialog);
            return result;
        };
    };
    user.then("TCustomIdDlg", showing(mrOK)).then("TCustomIdDlg", showing(mrNo)).then("TCustomIdDlg", showing(mrCancel));
    EXPECT_EQ(submit("qfnit"), mrOK);
    EXPECT_EQ(user.count("TCustomIdDlg"), 3);
    EXPECT_EQ(instances.size(), 1u);
}

TEST_F(ServicePrompt, AnyOtherTextOpensNothing)
{
    ScriptedUser user(rig.clock);
    for (const char* text : {"", "QF37", " qfmorl", "relkin ", "qfNIT", "password"})
        EXPECT_EQ(submit(QString::fromLatin1(text)), mrOK) << text;
    EXPECT_TRUE(user.shown.empty());

    TPasswordDlg prompt(context);
    QTest::keyClicks(prompt.eInput, "qfmorl");
    QTest::mouseClick(prompt.CancelBtn, Qt::LeftButton);
    EXPECT_EQ(prompt.result(), mrCancel);
    EXPECT_TRUE(user.shown.empty());
}

TEST_F(ServicePrompt, MainWindowCommandsOpenTheDialogs)
{
    InstallAdminCommands(*window, rig.env);
    EXPECT_TRUE(rig.env.operations.contains(op::DataDownload, kDirectionWrite));
    EXPECT_TRUE(rig.env.operations.contains(op::FirmwareUpdate, kDirectionWrite));

    ScriptedUser user(rig.clock);
    user.then("TPasswordDlg", [](QDialog& dialog) {
        auto& prompt = static_cast<TPasswordDlg&>(dialog);
        QTest::keyClicks(prompt.eInput, "relkin");
        prompt.OKBtn->click();
        return prompt.result();
    });
    window->MenuAdjustmentClick();
    window->MenuEdit_PasswordClick();
    window->MenuEdit_SetRadioNewPDClick();

    std::vector<QString> names;
    for (const auto& s : user.shown)
        names.push_back(s.dialog);
    EXPECT_EQ(names, (std::vector<QString>{"TPasswordDlg", "TUpdateDlg", "TSetPasswordDlg", "TNewPasswordDlg"}));
}

} // namespace
} // namespace lt::test
