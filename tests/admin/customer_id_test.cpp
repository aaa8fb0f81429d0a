#include "support/AdminRig.h"

#include "admin/TCustomIdDlg.h"
#include "ui/AppLang.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

class CustomerIdDialog : public ::testing::Test {
protected:
    void SetUp() override { AppLang().fSetLangType(1); }
    void TearDown() override { AppLang().fSetDetectType(); }

    QComboBox* list() { return dialog.findChild<QComboBox*>("cbID"); }

    AdminRig rig;
    TCustomIdDlg dialog{rig.program, rig.env};
};

TEST_F(CustomerIdDialog, ListsEveryIdAndStartsAtZero)
{
    ASSERT_NE(list(), nullptr);
    EXPECT_EQ(list()->count(), 256);
    EXPECT_EQ(list()->itemText(200), "200");
    EXPECT_FALSE(list()->isEditable());
    EXPECT_EQ(list()->currentIndex(), 0);
    EXPECT_EQ(dialog.windowTitle(), "Dealer ID");
    EXPECT_EQ(dialog.findChild<QPushButton*>("bCustom_W")->text(), QString::fromUtf8("写入"));
    EXPECT_EQ(dialog.findChild<QPushButton*>("bCustom_R")->text(), QString::fromUtf8("读取"));

    rig.program.customerId = 77;
    TCustomIdDlg another(rig.program, rig.env);
    EXPECT_EQ(another.cbID->currentIndex(), 0);
}

TEST_F(CustomerIdDialog, WriteSendsTheIdAndFifteenFillBytes)
{
    ScriptedUser user(rig.clock);
    list()->setCurrentIndex(5);
    dialog.bCustom_W->click();

    EXPECT_EQ(user.messages(), QStringList{"SUCCESS"});
    EXPECT_EQ(user.transferTitles, QStringList{QString()});
    EXPECT_EQ(rig.program.customerId, 5);
    QByteArray block("\x57\x50\x00\x10\x05", 5);
    block += QByteArray(15, '\xFF');
    const std::vector<QByteArray> sent = rig.sentMessages();
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [&](const QByteArray& m) { return m.startsWith(block); }), 1);
    EXPECT_EQ(rig.emulator.memory[0x5000], 0x05);
    for (int a = 0x5001; a < 0x5010; ++a)
        EXPECT_EQ(rig.emulator.memory[a], 0xFF);
}

TEST_F(CustomerIdDialog, ReadSelectsTheRadiosId)
{
    ScriptedUser user(rig.clock);
    rig.emulator.memory[0x5000] = 0xC8;
    dialog.bCustom_R->click();

    EXPECT_EQ(user.messages(), QStringList{"SUCCESS"});
    EXPECT_EQ(rig.program.customerId, 200);
    EXPECT_EQ(list()->currentIndex(), 200);
}

TEST_F(CustomerIdDialog, FailedReadPutsBackTheProgramsId)
{
    ScriptedUser user(rig.clock);
    list()->setCurrentIndex(9);
    rig.backend.setAttached(false);
    dialog.bCustom_R->click();
    EXPECT_EQ(user.messages(), QStringList{"Communication False"});
    EXPECT_EQ(list()->currentIndex(), 0);

    rig.backend.setAttached(true);
    list()->setCurrentIndex(42);
    dialog.bCustom_W->click();
    list()->setCurrentIndex(9);
    rig.emulator.faults.silenceAfterBlocks = rig.emulator.blocksHandled();
    dialog.bCustom_R->click();
    EXPECT_EQ(user.messages().last(), "Communication False");
    EXPECT_EQ(rig.program.customerId, 42);
    EXPECT_EQ(list()->currentIndex(), 42);
}

} // namespace
} // namespace lt::test
