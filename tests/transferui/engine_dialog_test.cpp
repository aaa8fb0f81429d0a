#include "support/EngineRig.h"

#include "app/MainWindow.h"
#include "codeplug/Backups.h"
#include "codeplug/CodeplugFile.h"
#include "support/TransferDialogDriver.h"
#include "transferui/TProgramDialog.h"
#include "transferui/TransferRun.h"
#include "transferui/TransferTexts.h"
#include "ui/AppLang.h"

#include <QDir>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

class TransferDialog : public ::testing::Test {
protected:
    void TearDown() override { AppLang().fSetDetectType(); }
    EmulatorRig rig;
};

TEST_F(TransferDialog, LayoutAndControls)
{
    AppLang().fSetLangType(1);
    Write routine(rig.program);
    TProgramDialog dialog(rig.env, rig.program, routine);

    EXPECT_EQ(dialog.size(), QSize(369, 137));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    auto* bar = dialog.findChild<QProgressBar*>("ProgressBar1");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    auto* list = dialog.findChild<QListWidget*>("DevListBox");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isHidden());
    EXPECT_FALSE(dialog.engine().anyTimerActive());

    dialog.HidCtlDeviceChange();
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->currentRow(), 0);
    rig.backend.setAttached(false);
    EXPECT_EQ(list->count(), 0);
}

struct LanguageCase {
    int type;
    const char* start;
    const char* cancel;
    const char* failure;
    const char* success;
    const char* passwordError;
};

class TransferDialogTexts : public ::testing::TestWithParam<LanguageCase> {
protected:
    void TearDown() override { AppLang().fSetDetectType(); }
};

TEST_P(TransferDialogTexts, CaptionsAndOutcomesInTheInterfaceLanguage)
{
    const LanguageCase& lang = GetParam();
    AppLang().fSetLangType(lang.type);
    EmulatorRig rig;
    {
        Write routine(rig.program);
        TProgramDialog dialog(rig.env, rig.program, routine);
        EXPECT_EQ(dialog.findChild<QPushButton*>("ProgramStart")->text(), QString::fromUtf8(lang.start));
        EXPECT_EQ(dialog.findChild<QPushButton*>("CancelBtn")->text(), QString::fromUtf8(lang.cancel));
    }

    TransferDialogDriver driver(rig.clock);
    EXPECT_TRUE(RunTransfer(rig.env, rig.program, nullptr, op::Codeplug, kDirectionWrite, QString()));
    rig.emulator.setPassword("77");
    EXPECT_FALSE(RunTransfer(rig.env, rig.program, nullptr, op::Codeplug, kDirectionWrite, QString()));
    rig.backend.setAttached(false);
    EXPECT_FALSE(RunTransfer(rig.env, rig.program, nullptr, op::Codeplug, kDirectionWrite, QString()));

    ASSERT_EQ(driver.shownMessages().size(), 3u);
    EXPECT_EQ(driver.shownMessages()[0].message, QString::fromUtf8(lang.success));
    EXPECT_EQ(driver.shownMessages()[1].message, QString::fromUtf8(lang.passwordError));
    EXPECT_EQ(driver.shownMessages()[2].message, QString::fromUtf8(lang.failure));
    for (const auto& m : driver.shownMessages())
        EXPECT_FALSE(m.timersLive);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, TransferDialogTexts,
    ::testing::Values(LanguageCase{1, "Start", "Cancel", "Communication False", "SUCCESS", "Password Error"},
                      LanguageCase{2, "开始", "取消", "无法连接", "成功", "密码验证错误!"},
                      LanguageCase{3, "開始", "取消", "無法連接", "成功", "密碼驗證錯誤!"}));

TEST_F(TransferDialog, ReadStoresItsDataOnlyAfterTheSuccessMessage)
{
    LoadRadio(rig.emulator, {3, 4});
    FillCodeplug(rig.program.model, {100});
    const ModelSnapshot before(rig.program.model);

    TransferDialogDriver driver(rig.clock);
    bool unchangedWhileShown = false;
    driver.whileMessageShown = [&] { unchangedWhileShown = ModelSnapshot(rig.program.model) == before; };
    const bool ok = RunTransfer(rig.env, rig.program, nullptr, op::Codeplug, kDirectionRead,
                                TransferTitle(op::Codeplug, kDirectionRead));

    EXPECT_TRUE(ok);
    EXPECT_TRUE(unchangedWhileShown);
    EXPECT_TRUE(rig.program.model.IsChannelUsed(3));
    EXPECT_FALSE(rig.program.model.IsChannelUsed(100));
    EXPECT_EQ(driver.lastTransferTitle(), MainText(247));
}

TEST_F(TransferDialog, StartWithoutRadioSendsNothing)
{
    AppLang().fSetLangType(1);
    rig.backend.setAttached(false);
    TransferDialogDriver driver(rig.clock);
    EXPECT_FALSE(RunTransfer(rig.env, rig.program, nullptr, op::Codeplug, kDirectionRead, QString()));
    ASSERT_EQ(driver.shownMessages().size(), 1u);
    EXPECT_EQ(driver.shownMessages()[0].message, "Communication False");
    EXPECT_TRUE(rig.backend.writtenReports.empty());
}

TEST_F(TransferDialog, ButtonsStayDisabledOnceStarted)
{
    // A radio slow enough for the run to be caught in the middle.
    rig.emulator.faults.latencyMs = 50;
    TransferDialogDriver driver(rig.clock);
    driver.play = [&](TProgramDialog& dialog) {
        QTest::mouseClick(dialog.ProgramStart, Qt::LeftButton);
        EXPECT_FALSE(dialog.ProgramStart->isEnabled());
        EXPECT_FALSE(dialog.CancelBtn->isEnabled());
        rig.clock.advance(500);
        EXPECT_GT(dialog.ProgressBar1->value(), 0);
        dialog.close();
    };
    EXPECT_FALSE(RunTransfer(rig.env, rig.program, nullptr, op::Codeplug, kDirectionRead, QString()));
    EXPECT_TRUE(driver.shownMessages().empty());
}

TEST_F(TransferDialog, CancelBeforeStartExchangesNothing)
{
    TransferDialogDriver driver(rig.clock);
    driver.play = [](TProgramDialog& dialog) { QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton); };
    EXPECT_FALSE(RunTransfer(rig.env, rig.program, nullptr, op::Codeplug, kDirectionRead, QString()));
    rig.clock.advance(10000);
    EXPECT_TRUE(rig.backend.writtenReports.empty());
    EXPECT_TRUE(driver.shownMessages().empty());
}

// The devices live as long as the dialog: afterwards none is held, the
// radio's reports no longer fill the receive buffer and a device change opens
// nothing again.
TEST_F(TransferDialog, DevicesAreReleasedWithTheDialog)
{
    LoadRadio(rig.emulator, {3, 4});
    rig.link.releaseDevices();
    ASSERT_EQ(rig.backend.openDevices(), 0);

    TransferDialogDriver driver(rig.clock);
    int openDuringRun = 0;
    driver.play = [&](TProgramDialog& dialog) {
        QTest::mouseClick(dialog.ProgramStart, Qt::LeftButton);
        rig.clock.advanceUntil([&] { return dialog.engine().outcome().has_value(); }, 60000);
        openDuringRun = rig.backend.openDevices();
    };
    EXPECT_TRUE(RunTransfer(rig.env, rig.program, nullptr, op::Codeplug, kDirectionRead, QString()));
    EXPECT_EQ(openDuringRun, 1);

    EXPECT_EQ(rig.backend.openDevices(), 0);
    EXPECT_FALSE(rig.link.hasRadio());
    EXPECT_TRUE(rig.link.DevListBox().isEmpty());
    rig.backend.sendUnasked("S");
    EXPECT_EQ(rig.link.ReceiveCount, 0);
    rig.backend.setAttached(false);
    rig.backend.setAttached(true);
    EXPECT_EQ(rig.backend.openDevices(), 0);

    // The next dialog finds the radio again.
    EXPECT_TRUE(RunTransfer(rig.env, rig.program, nullptr, op::Codeplug, kDirectionRead, QString()));
    EXPECT_EQ(rig.backend.openDevices(), 0);
}

TEST_F(TransferDialog, MainWindowReadAndWriteCommands)
{
    AppLang().fSetLangType(1);
    ProgramTransferEnvironment installed(rig.env);
    LoadRadio(rig.emulator, {3, 4});
    FillCodeplug(rig.program.model, {100});
    TForm1 window(rig.program, QString());

    const QDir backups(BackupFolder());
    const auto backupFiles = [&] { return backups.entryList({QStringLiteral("*.kvf")}, QDir::Files, QDir::Name); };
    const QStringList before = backupFiles();

    TransferDialogDriver driver(rig.clock);
    window.MenuEdit_ReadClick();
    EXPECT_EQ(driver.lastTransferTitle(), "Read from radio");
    EXPECT_TRUE(rig.program.model.IsChannelUsed(4));
    EXPECT_FALSE(rig.program.model.IsChannelUsed(100));

    // The read also left a pristine copy of the radio's codeplug.
    const QStringList after = backupFiles();
    ASSERT_EQ(after.size(), std::min<qsizetype>(before.size() + 1, kKeptBackups));
    CodeplugModel backup;
    ASSERT_TRUE(LoadCodeplugFile(backups.filePath(after.last()), backup));
    EXPECT_TRUE(backup.IsChannelUsed(3));
    EXPECT_TRUE(backup.IsChannelUsed(4));
    EXPECT_FALSE(backup.IsChannelUsed(100));

    rig.program.model.SetChannelUsed(5, true);
    window.MenuEdit_WriteClick();
    EXPECT_EQ(driver.lastTransferTitle(), "Write to radio");
    EXPECT_EQ(rig.emulator.memory[0], 0x38); // channels 3, 4 and 5
    ASSERT_EQ(driver.shownMessages().size(), 2u);
    EXPECT_EQ(driver.shownMessages()[1].message, "SUCCESS");
}

TEST(TransferTitles, ByOperation)
{
    AppLang().fSetLangType(1);
    EXPECT_EQ(TransferTitle(op::Codeplug, kDirectionRead), MainText(247));
    EXPECT_EQ(TransferTitle(op::WriteAll, kDirectionWrite), MainText(248));
    EXPECT_EQ(TransferTitle(op::Calibration, kDirectionWrite), MainText(248));
    EXPECT_EQ(TransferTitle(op::FirmwareUpdate, kDirectionWrite), QString::fromUtf8("下载"));
    EXPECT_TRUE(TransferTitle(op::CustomerId, kDirectionRead).isEmpty());
    EXPECT_TRUE(TransferTitle(op::RadioPassword, kDirectionWrite).isEmpty());
    AppLang().fSetDetectType();
}

} // namespace
} // namespace lt::test
