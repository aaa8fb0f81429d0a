#include "editor_fixture.h"

#include "support/ModalScript.h"
#include "support/TransferDialogDriver.h"
#include "ui/MessageDialogs.h"

namespace lt::test {
namespace {

TEST_F(EditorTest, NewAsksAndOnlyOkResetsTheCalibration)
{
    const CalibrationData defaults = calibration();
    calibration().set(cal::PinPian_W, 44);
    calibration().set(cal::Xtal_PP, 9);
    dialog->ShowCalibrationData();
    const CalibrationData edited = calibration();

    {
        ModalScript modal;
        modal.answer(mrCancel);
        button("bNew")->click();
        ASSERT_EQ(modal.shown.size(), 1u);
        EXPECT_EQ(modal.shown[0].message, QStringLiteral("Clear all data ?"));
        EXPECT_EQ(calibration(), edited);
        EXPECT_EQ(edit("ePinPian_W")->text(), QStringLiteral("44"));
    }
    {
        ModalScript modal;
        modal.answer(mrOK);
        button("bNew")->click();
        EXPECT_EQ(calibration(), defaults);
        EXPECT_EQ(edit("ePinPian_W")->text(), QStringLiteral("20"));
    }
}

TEST_F(EditorTest, TheNewConfirmationFollowsTheInterfaceLanguage)
{
    struct Case {
        int type;
        const char* text;
        const char* ok;
        const char* cancel;
    };
    for (const Case& c : {Case{1, "Clear all data ?", "OK", "Cancel"}, Case{2, "清除所有数据？", "确认", "取消"},
                          Case{3, "清除所有數據？", "確認", "取消"}}) {
        AppLang().fSetLangType(c.type);
        QStringList captions;
        QString message;
        ModalHandlers handlers;
        handlers.dialog = [&](QDialog& d) {
            message = MessageOf(d);
            for (auto* b : d.findChildren<QPushButton*>())
                if (b->isVisibleTo(&d))
                    captions << b->text();
            return static_cast<int>(mrCancel);
        };
        ModalHandlersGuard guard(handlers);
        button("bNew")->click();
        EXPECT_EQ(message, QString::fromUtf8(c.text)) << c.type;
        EXPECT_TRUE(captions.contains(QString::fromUtf8(c.ok))) << c.type;
        EXPECT_TRUE(captions.contains(QString::fromUtf8(c.cancel))) << c.type;
    }
}

TEST_F(EditorTest, ReadShowsTheCalibrationFromTheRadio)
{
    CalibrationData radio;
    radio.set(cal::PinPian_W, 33);
    ApcPoint p;
    p.Freq = 440000000;
    p.HighPower = 77;
    radio.setApc(4, p);
    const CalibrationTransmitArea block = radio.GetAdjustmentData();
    std::copy(block.begin(), block.end(), rig.emulator.memory.begin() + 0xF000);

    TransferDialogDriver player(rig.clock);
    button("bRead")->click();

    EXPECT_EQ(player.transferTitles, QStringList{QStringLiteral("Read from radio")});
    EXPECT_EQ(player.messages(), QStringList{QStringLiteral("SUCCESS")});
    EXPECT_EQ(calibration().get(cal::PinPian_W), 33u);
    EXPECT_EQ(edit("ePinPian_W")->text(), QStringLiteral("33"));
    EXPECT_EQ(grid("sgAPC")->item(5, 1)->text(), QStringLiteral("440.00000"));
    EXPECT_EQ(grid("sgAPC")->item(5, 2)->text(), QStringLiteral("77"));
}

TEST_F(EditorTest, AFailedReadShowsNothingNew)
{
    rig.emulator.faults.dropEvery = 1;
    const CalibrationData before = calibration();
    TransferDialogDriver player(rig.clock);
    button("bRead")->click();

    EXPECT_EQ(player.messages(), QStringList{QStringLiteral("Communication False")});
    EXPECT_EQ(calibration(), before);
}

TEST_F(EditorTest, WriteAndWriteAllSendWhatTheEditorHolds)
{
    QLineEdit* e = edit("eSQL_L1");
    retype(e, QStringLiteral("30"));
    leave(e);
    const QByteArray packed(reinterpret_cast<const char*>(calibration().GetAdjustmentData().data()), 416);

    {
        TransferDialogDriver player(rig.clock);
        button("bWrite")->click();
        EXPECT_EQ(player.transferTitles, QStringList{QStringLiteral("Write to radio")});
        EXPECT_EQ(player.messages(), QStringList{QStringLiteral("SUCCESS")});
        EXPECT_EQ(rig.memory(0xF000, 416), packed);
        EXPECT_EQ(rig.emulator.memory[0xF135], 30);
    }
    rig.emulator.memory.fill(0xFF);
    rig.backend.writtenReports.clear();
    {
        TransferDialogDriver player(rig.clock);
        button("bAllWrite")->click();
        EXPECT_EQ(player.transferTitles, QStringList{QStringLiteral("Write to radio")});
        EXPECT_EQ(player.messages(), QStringList{QStringLiteral("SUCCESS")});
        EXPECT_EQ(rig.memory(0xF000, 416), packed);
        EXPECT_GT(rig.sentBlocks('W').size(), 26u);
    }
}

TEST_F(EditorTest, TheStatusButtonShowsVoltageAndVoxValues)
{
    rig.emulator.status[0] = 0x8C;
    rig.emulator.status[1] = 0x21;
    TransferDialogDriver player(rig.clock);
    button("Read1846Status")->click();

    EXPECT_EQ(player.transferTitles, QStringList{QStringLiteral("Read from radio")});
    EXPECT_EQ(player.messages(), QStringList{QStringLiteral("SUCCESS")});
    EXPECT_EQ(control<QLabel>("sCurBatt")->text(), QStringLiteral("140"));
    EXPECT_EQ(control<QLabel>("sCurVox")->text(), QStringLiteral("33"));
}

TEST_F(EditorTest, EnterInAnEditStartsNothing)
{
    ModalScript modal;
    QLineEdit* e = edit("eSQL_L4");
    retype(e, QStringLiteral("40"));
    QTest::keyClick(e, Qt::Key_Return);
    QTest::keyClick(grid("sgAPC"), Qt::Key_Return);

    EXPECT_TRUE(modal.shown.empty());
    EXPECT_TRUE(modal.fileRequests.empty());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(EditorTest, ClosingTheDialogKeepsTheValueBeingTyped)
{
    QLineEdit* e = edit("eVOX_L1");
    dialog->activateWindow();
    e->setFocus();
    retype(e, QStringLiteral("150"));
    // The close box.
    dialog->close();

    EXPECT_EQ(calibration().get(cal::VOX_L1), 150u);
}

} // namespace
} // namespace lt::test
