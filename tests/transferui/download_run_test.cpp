#include "support/AdminRig.h"

#include "emulator/DownloadFrameDecoder.h"
#include "transfer/TransferState.h"
#include "transferui/TProgramDialog.h"
#include "transferui/TUpdateDlg.h"
#include "ui/AppLang.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

QByteArray Pattern(int size, int seed)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + seed * 7 + (i >> 8)) & 0xFF);
    return bytes;
}

uint8_t Sum(const QByteArray& bytes)
{
    uint8_t sum = 0;
    for (const char c : bytes)
        sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(c));
    return sum;
}

void Leave(QLineEdit* edit)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &out);
}

class UpdateDialog : public ::testing::Test {
protected:
    void SetUp() override { AppLang().fSetLangType(1); }
    void TearDown() override { AppLang().fSetDetectType(); }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // Opens the update dialog, chooses the file and types the offset.
    std::unique_ptr<TUpdateDlg> openDialog(ScriptedUser& user, const QString& path, const QString& offset)
    {
        auto dialog = std::make_unique<TUpdateDlg>(rig.program, rig.env, *rig.download);
        user.openFile(path);
        dialog->bUpdateFont->click();
        dialog->eDataOffset_DL->clear();
        QTest::keyClicks(dialog->eDataOffset_DL, offset);
        Leave(dialog->eDataOffset_DL);
        return dialog;
    }

    QTemporaryDir dir;
    AdminRig rig;
};

TEST_F(UpdateDialog, ControlsAndTexts)
{
    TUpdateDlg dialog(rig.program, rig.env, *rig.download);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("升级对讲机软件"));
    EXPECT_EQ(dialog.findChild<QPushButton*>("bUpdateFont")->text(), QString::fromUtf8("选择文件"));
    EXPECT_EQ(dialog.findChild<QPushButton*>("bUpdate")->text(), QString::fromUtf8("更新字库"));
    EXPECT_EQ(dialog.findChild<QPushButton*>("bUpdateMcu")->text(), QString::fromUtf8("更新主芯片"));
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(), QString::fromUtf8("文件代码"));
    EXPECT_EQ(dialog.findChild<QLineEdit*>("urlOpen_eep")->text(), QStringLiteral("C:\\"));
    EXPECT_TRUE(dialog.findChild<QPushButton*>("OKBtn")->isHidden());
    EXPECT_TRUE(dialog.findChild<QPushButton*>("CancelBtn")->isHidden());
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
}

TEST_F(UpdateDialog, OffsetFieldTakesSixHexDigits)
{
    TUpdateDlg dialog(rig.program, rig.env, *rig.download);
    QLineEdit* edit = dialog.findChild<QLineEdit*>("eDataOffset_DL");
    ASSERT_NE(edit, nullptr);

    edit->clear();
    QTest::keyClicks(edit, "1g2");
    EXPECT_EQ(edit->text(), "12");

    edit->clear();
    QTest::keyClicks(edit, "abcdef12");
    EXPECT_EQ(edit->text(), "abcdef");
    EXPECT_EQ(edit->cursorPosition(), 6);
    Leave(edit);
    EXPECT_EQ(rig.download->DataOffset_DL, 0xABCDEF);
    EXPECT_EQ(edit->text(), "ABCDEF");

    // A paste passes no key filter; leaving the field reads "G" as 0.
    edit->setText("1G");
    Leave(edit);
    EXPECT_EQ(rig.download->DataOffset_DL, 0x10);
    EXPECT_EQ(edit->text(), "10");

    edit->clear();
    Leave(edit);
    EXPECT_EQ(rig.download->DataOffset_DL, 0);
    EXPECT_EQ(edit->text(), "0");
}

TEST_F(UpdateDialog, ReturnInTheOffsetFieldPressesNoButton)
{
    ScriptedUser user(rig.clock);
    auto dialog = openDialog(user, writeFile("font.bin", Pattern(10, 11)), "12");
    dialog->show();
    QTest::keyClick(dialog->eDataOffset_DL, Qt::Key_Return);
    EXPECT_TRUE(user.shown.empty());
    EXPECT_EQ(user.fileRequests.size(), 1u);
    EXPECT_TRUE(user.systemErrors.isEmpty());
}

TEST_F(UpdateDialog, ChosenFileOutlivesTheDialogButTheOffsetDoesNot)
{
    ScriptedUser user(rig.clock);
    const QString path = writeFile("font.bin", Pattern(10, 1));
    {
        auto dialog = openDialog(user, path, "12345");
        EXPECT_EQ(dialog->urlOpen_eep->text(), path);
        EXPECT_EQ(rig.download->DataOffset_DL, 0x12345);
    }
    ASSERT_EQ(user.fileRequests.size(), 1u);
    EXPECT_EQ(user.fileRequests[0].filter,
              QString::fromUtf8("二进制文件(*.HEX,*.HCN,*.BIN)|*.HEX;*.HCN;*.BIN;*.hex;*.hcn;*.bin"));

    TUpdateDlg again(rig.program, rig.env, *rig.download);
    EXPECT_EQ(rig.download->path, path);
    EXPECT_EQ(rig.download->fileChosen, 1);
    EXPECT_EQ(rig.download->DataOffset_DL, 0);
    EXPECT_EQ(again.eDataOffset_DL->text(), "0");

    // Typing a path changes nothing; a cancelled file dialog neither.
    QTest::keyClicks(again.urlOpen_eep, "/elsewhere.bin");
    again.bUpdateFont->click();
    EXPECT_EQ(rig.download->path, path);
}

TEST_F(UpdateDialog, DataDownloadSendsOneFramePerPageAtTheOffset)
{
    ScriptedUser user(rig.clock);
    const QByteArray file = Pattern(512, 2);
    auto dialog = openDialog(user, writeFile("font.hcn", file), "12345");
    dialog->bUpdate->click();

    EXPECT_EQ(user.transferTitles, QStringList{QString::fromUtf8("下载")});
    EXPECT_EQ(user.messages(), QStringList{"SUCCESS"});
    EXPECT_EQ(user.transferProgress, std::vector<int>{100});
    EXPECT_FALSE(rig.download->file.isOpen());

    const std::vector<QByteArray> sent = rig.sentMessages();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].left(8), QByteArray("PROCODE\xFF", 8));
    const uint16_t pages[] = {0x0123, 0x0124};
    for (int i = 0; i < 2; ++i) {
        // Five chunks of 61 bytes: the 301-byte frame and 4 bytes of padding.
        const QByteArray frame = sent[1 + i].left(301);
        ASSERT_EQ(sent[1 + i].size(), 305);
        EXPECT_EQ(frame.front(), '\x03');
        EXPECT_EQ(frame.back(), '\x04');
        const auto packet = DecodeDownloadFrame(std::span(reinterpret_cast<const uint8_t*>(frame.constData()), 301));
        ASSERT_TRUE(packet.has_value());
        EXPECT_EQ((*packet)[0], 0x01);
        EXPECT_EQ((*packet)[1], pages[i] & 0xFF);
        EXPECT_EQ((*packet)[2], pages[i] >> 8);
    }
    ASSERT_EQ(rig.emulator.dataPages.size(), 2u);
    EXPECT_EQ(rig.emulator.dataPages[0x0123] + rig.emulator.dataPages[0x0124], file);
}

TEST_F(UpdateDialog, ShortLastPageRepeatsThePreviousPagesTail)
{
    ScriptedUser user(rig.clock);
    const QByteArray file = Pattern(300, 3);
    auto dialog = openDialog(user, writeFile("short.bin", file), "0");
    dialog->bUpdate->click();

    ASSERT_EQ(user.messages(), QStringList{"SUCCESS"});
    EXPECT_EQ(rig.emulator.dataPages[0], file.left(256));
    EXPECT_EQ(rig.emulator.dataPages[1], file.mid(256) + file.mid(44, 212));
}

TEST_F(UpdateDialog, ShortDownloadMovesTheBarWithEveryPage)
{
    ScriptedUser user(rig.clock);
    auto dialog = openDialog(user, writeFile("three.bin", Pattern(3 * 256, 4)), "0");
    std::vector<int> bar;
    user.then("TProgramDialog", [&](QDialog& d) {
        auto& transfer = static_cast<TProgramDialog&>(d);
        transfer.HidCtlDeviceChange();
        QObject::connect(transfer.ProgressBar1, &QProgressBar::valueChanged, [&](int v) { bar.push_back(v); });
        QTest::mouseClick(transfer.ProgramStart, Qt::LeftButton);
        rig.clock.advanceUntil([&] { return transfer.engine().outcome().has_value(); }, 60000);
        return transfer.result();
    });
    dialog->bUpdate->click();

    EXPECT_EQ(user.messages(), QStringList{"SUCCESS"});
    // The link reply, one step of 100 / 3 for each of the three pages, the end.
    EXPECT_EQ(bar, (std::vector<int>{1, 34, 67, 100}));
}

TEST_F(UpdateDialog, RejectedFrameEndsTheDownloadAndClosesTheFile)
{
    ScriptedUser user(rig.clock);
    rig.emulator.faults.wrongTagReply = 2;
    auto dialog = openDialog(user, writeFile("font.bin", Pattern(600, 5)), "0");
    dialog->bUpdate->click();

    EXPECT_EQ(user.messages(), QStringList{"Communication False"});
    EXPECT_FALSE(rig.download->file.isOpen());
    EXPECT_EQ(rig.sentAfterLinkRequest().size(), 1u);
}

TEST_F(UpdateDialog, ClosingTheTransferDialogUnstartedSendsNothing)
{
    ScriptedUser user(rig.clock);
    auto dialog = openDialog(user, writeFile("font.bin", Pattern(600, 6)), "0");
    bool openDuringRun = false;
    user.then("TProgramDialog", [&](QDialog&) {
        openDuringRun = rig.download->file.isOpen();
        return int(mrCancel);
    });
    dialog->bUpdate->click();
    EXPECT_TRUE(openDuringRun);
    EXPECT_FALSE(rig.download->file.isOpen());
    rig.clock.advance(10000);
    EXPECT_TRUE(rig.backend.writtenReports.empty());
    EXPECT_TRUE(user.messages().isEmpty());
}

// The routines themselves close the file at every ending of the engine.
class DownloadEndings : public UpdateDialog {
protected:
    std::unique_ptr<TransferEngine> start(OperationRoutine& routine, int32_t operation)
    {
        rig.download->path = writeFile("data.bin", Pattern(6000, 10));
        EXPECT_TRUE(rig.download->open());
        rig.env.state.TransferOperation = operation;
        rig.env.state.direction = kDirectionWrite;
        auto engine = std::make_unique<TransferEngine>(rig.link, rig.clock, rig.env.state, rig.program, routine);
        engine->ProgramStartClick();
        return engine;
    }
};

TEST_F(DownloadEndings, EveryEndingClosesTheFile)
{
    for (const int32_t operation : {op::DataDownload, op::FirmwareUpdate}) {
        {
            rig.emulator.faults.silenceAfterBlocks = rig.emulator.blocksHandled() + 2;
            const auto routine = rig.env.operations.create(operation, kDirectionWrite);
            const auto engine = start(*routine, operation);
            rig.clock.advance(1500);
            ASSERT_TRUE(engine->running());
            EXPECT_TRUE(rig.download->file.isOpen());
            engine->FormClose();
            EXPECT_FALSE(rig.download->file.isOpen()) << operation;
            rig.emulator.faults.silenceAfterBlocks.reset();
        }
        {
            const auto routine = rig.env.operations.create(operation, kDirectionWrite);
            rig.backend.setAttached(false);
            const auto engine = start(*routine, operation);
            EXPECT_EQ(engine->outcome(), TransferOutcome::CommunicationFailure);
            EXPECT_FALSE(rig.download->file.isOpen()) << operation;
            rig.backend.setAttached(true);
            rig.link.HidCtlDeviceChange();
        }
        {
            const auto routine = rig.env.operations.create(operation, kDirectionWrite);
            const auto engine = start(*routine, operation);
            rig.clock.advanceUntil([&] { return engine->outcome().has_value(); }, 600000);
            EXPECT_EQ(engine->outcome(), TransferOutcome::Success);
            EXPECT_FALSE(rig.download->file.isOpen()) << operation;
        }
    }
}

TEST_F(UpdateDialog, FirmwareGoesInBlocksOf160ThenTheTwoEndCommands)
{
    ScriptedUser user(rig.clock);
    const QByteArray file = Pattern(3200, 7);
    auto dialog = openDialog(user, writeFile("main.hex", file), QString::number(Sum(file), 16));
    dialog->bUpdateMcu->click();

    EXPECT_TRUE(user.systemErrors.isEmpty());
    EXPECT_EQ(user.messages(), QStringList{"SUCCESS"});
    EXPECT_EQ(user.transferTitles, QStringList{QString::fromUtf8("下载")});
    EXPECT_FALSE(rig.download->file.isOpen());

    const std::vector<QByteArray> sent = rig.sentMessages();
    ASSERT_EQ(sent.size(), 1u + 20u + 2u);
    EXPECT_EQ(sent[0].left(8), QByteArray("SROAPP\x01\xFF", 8));
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(sent[1 + i].size(), 183); // three chunks of 61
        EXPECT_EQ(sent[1 + i].left(160), file.mid(i * 160, 160)) << i;
    }
    EXPECT_EQ(sent[21].left(8), QByteArray("S\x22\xDD\xFF\xFF\xFF\xFF\xFF", 8));
    EXPECT_EQ(sent[22].left(8), QByteArray("S\x21\xDE\xFF\xFF\xFF\xFF\xFF", 8));
    EXPECT_EQ(rig.emulator.firmware, file);
    EXPECT_TRUE(rig.emulator.firmwareFinished());
}

TEST_F(UpdateDialog, FirmwareBlockNotAcknowledgedIsSentAgain)
{
    ScriptedUser user(rig.clock);
    rig.emulator.faults.wrongTagReply = 3; // the second block's reply
    const QByteArray file = Pattern(480, 8);
    auto dialog = openDialog(user, writeFile("main.bin", file), QString::number(Sum(file), 16));
    dialog->bUpdateMcu->click();

    EXPECT_EQ(user.messages(), QStringList{"SUCCESS"});
    std::vector<QByteArray> blocks;
    for (const QByteArray& m : rig.sentAfterLinkRequest())
        if (m.size() == 183)
            blocks.push_back(m.left(160));
    const std::vector<QByteArray> expected{file.left(160), file.mid(160, 160), file.mid(160, 160), file.mid(320)};
    EXPECT_EQ(blocks, expected);
}

TEST_F(UpdateDialog, WrongSumShowsTheCodeErrorAndSendsNothing)
{
    ScriptedUser user(rig.clock);
    const QByteArray file = Pattern(3200, 9);
    const uint8_t wrong = static_cast<uint8_t>(Sum(file) + 1);
    for (const QString& offset : {QString::number(wrong, 16), QString::number(0x100 + Sum(file), 16)}) {
        auto dialog = openDialog(user, writeFile("main.bin", file), offset);
        dialog->bUpdateMcu->click();
    }
    EXPECT_EQ(user.systemErrors, QStringList(2, QString::fromUtf8("文件代码错误")));
    EXPECT_EQ(user.count("TProgramDialog"), 0);
    EXPECT_TRUE(rig.backend.writtenReports.empty());
    EXPECT_FALSE(rig.download->file.isOpen());
}

TEST_F(UpdateDialog, FileThatCannotBeOpenedShowsTheFileError)
{
    ScriptedUser user(rig.clock);
    {
        // No file chosen yet.
        TUpdateDlg dialog(rig.program, rig.env, *rig.download);
        dialog.bUpdate->click();
        dialog.bUpdateMcu->click();
    }
    auto dialog = openDialog(user, dir.filePath("missing.bin"), "0");
    dialog->bUpdate->click();
    dialog->bUpdateMcu->click();

    EXPECT_EQ(user.systemErrors, QStringList(4, QString::fromUtf8("文件错误")));
    EXPECT_EQ(user.count("TProgramDialog"), 0);
    EXPECT_TRUE(rig.backend.writtenReports.empty());
}

} // namespace
} // namespace lt::test
