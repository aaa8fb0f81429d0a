#include "channel_page_fixture.h"

#include "app/MainWindow.h"
#include "codeplug/ToneTables.h"
#include "editor/ChBatchSetDialog.h"
#include "ui/ModalSeam.h"

#include <QDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>

using namespace lt;

namespace {

// Runs the batch button of a channel page; `fill` works the dialog as the
// user would, on screen as the only window, and the dialog's own buttons
// close it.
class BatchDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppLang().SetInterfaceLanguage(0);
        page = std::make_unique<ChannelPage>(program, nullptr);
        page->refreshGrid();
    }

    void runBatch(const std::function<void(QDialog&)>& fill)
    {
        ModalHandlers handlers;
        handlers.dialog = [&](QDialog& dialog) {
            dialog.show();
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            fill(dialog);
            return dialog.result();
        };
        ModalHandlersGuard guard(std::move(handlers));
        page->findChild<QPushButton*>(QStringLiteral("bChBatchSet"))->click();
    }

    template <typename T>
    static T* child(QDialog& dialog, const char* name)
    {
        T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static void retype(QLineEdit* edit, const char* text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    static void clickOk(QDialog& dialog) { QTest::mouseClick(child<QPushButton>(dialog, "OKBtn"), Qt::LeftButton); }

    Program program;
    std::unique_ptr<ChannelPage> page;

};

} // namespace

TEST_F(BatchDialogTest, TheInitialValuesFillChannelOne)
{
    QSignalSpy refresh(page.get(), &ChannelPage::fullRefreshRequested);
    program.model.channel(1).setChName(QByteArrayLiteral("ONE"));
    runBatch([&](QDialog& dialog) {
        EXPECT_EQ(child<QLineEdit>(dialog, "eChBatchFreqRx")->text(), QStringLiteral("136.00000"));
        EXPECT_EQ(child<QLineEdit>(dialog, "eChBatchFreqTx")->text(), QStringLiteral("136.00000"));
        EXPECT_EQ(child<QLineEdit>(dialog, "eStep")->text(), QStringLiteral("0"));
        EXPECT_EQ(child<QComboBox>(dialog, "cbChBatchSubDe")->currentText(), QStringLiteral("Off"));
        EXPECT_EQ(child<QComboBox>(dialog, "cbChBatchSubDe")->count(), 261);
        EXPECT_EQ(child<QComboBox>(dialog, "cbChBatchPower")->currentText(), QStringLiteral("High"));
        EXPECT_EQ(child<QComboBox>(dialog, "cbChBatchBandwidth")->currentText(), QStringLiteral("Wide"));
        EXPECT_EQ(child<QComboBox>(dialog, "cbChBatchSCN")->currentText(), QStringLiteral("ADD"));
        EXPECT_EQ(child<QComboBox>(dialog, "cbChBatchBUS")->currentText(), QStringLiteral("OFF"));
        EXPECT_EQ(child<QComboBox>(dialog, "cbEndCh")->count(), 240);
        EXPECT_EQ(child<QLabel>(dialog, "sStep")->text(), QStringLiteral("Step(MHz)"));
        EXPECT_EQ(child<QPushButton>(dialog, "CancelBtn")->text(), QStringLiteral("Cannel"));
        clickOk(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    EXPECT_EQ(refresh.count(), 1);
    EXPECT_EQ(program.model.UsedChannelCount(), 1);
    const ChannelRecord channel = program.model.channel(1);
    EXPECT_EQ(channel.RxFreq(), 136000000u);
    EXPECT_EQ(channel.TxFreq(), 136000000u);
    EXPECT_EQ(channel.RxToneCode(), kToneCodeNone);
    EXPECT_EQ(channel.option(), 0xB0);
    EXPECT_EQ(channel.ChName(), QByteArrayLiteral("ONE"));
    EXPECT_EQ(page->cellText(1, 1), QStringLiteral("136.00000"));
}

TEST_F(BatchDialogTest, ARangeWithAStepFillsEveryChannel)
{
    runBatch([&](QDialog& dialog) {
        retype(child<QLineEdit>(dialog, "eChBatchFreqRx"), "438.00000");
        retype(child<QLineEdit>(dialog, "eChBatchFreqTx"), "438.00000");
        retype(child<QLineEdit>(dialog, "eStep"), "0.0125");
        child<QComboBox>(dialog, "cbEndCh")->setCurrentIndex(9);
        child<QComboBox>(dialog, "cbEndCh")->setFocus();
        EXPECT_EQ(child<QLineEdit>(dialog, "eStep")->text(), QStringLiteral("0.01250"));
        clickOk(dialog);
    });
    for (int n = 1; n <= 10; ++n) {
        const QString expected = QStringLiteral("438.%1").arg((n - 1) * 1250, 5, 10, QLatin1Char('0'));
        EXPECT_EQ(page->cellText(1, n), expected) << n;
        EXPECT_EQ(page->cellText(2, n), expected) << n;
    }
    EXPECT_FALSE(program.model.IsChannelUsed(11));
}

TEST_F(BatchDialogTest, TheBandGapIsSkippedAndALargeStepIsZero)
{
    runBatch([&](QDialog& dialog) {
        QLineEdit* step = child<QLineEdit>(dialog, "eStep");
        retype(step, "12");
        child<QComboBox>(dialog, "cbEndCh")->setFocus();
        EXPECT_EQ(step->text(), QStringLiteral("0"));
        retype(step, "0.5");
        retype(child<QLineEdit>(dialog, "eChBatchFreqRx"), "173");
        child<QComboBox>(dialog, "cbEndCh")->setCurrentIndex(4);
        clickOk(dialog);
    });
    const QStringList expected = {"173.00000", "173.50000", "174.00000", "400.00000", "400.50000"};
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(page->cellText(1, n), expected[n - 1]) << n;
}

TEST_F(BatchDialogTest, StartAfterEndChangesNothing)
{
    QSignalSpy refresh(page.get(), &ChannelPage::fullRefreshRequested);
    runBatch([&](QDialog& dialog) {
        child<QComboBox>(dialog, "cbStartCh")->setCurrentIndex(4);
        child<QComboBox>(dialog, "cbEndCh")->setCurrentIndex(2);
        clickOk(dialog);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(refresh.count(), 0);
    EXPECT_FALSE(program.model.AnyChannelUsed());
}

TEST_F(BatchDialogTest, CancelChangesNothing)
{
    QSignalSpy refresh(page.get(), &ChannelPage::fullRefreshRequested);
    runBatch([&](QDialog& dialog) {
        retype(child<QLineEdit>(dialog, "eChBatchFreqRx"), "438.00000");
        QTest::mouseClick(child<QPushButton>(dialog, "CancelBtn"), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    });
    EXPECT_EQ(refresh.count(), 0);
    EXPECT_FALSE(program.model.AnyChannelUsed());
}

TEST_F(BatchDialogTest, FrequencyTextsAreCheckedWhileTypingAndWhenLeft)
{
    QStringList reports;
    ModalHandlers errors;
    errors.errorReport = [&](const QString& message) { reports << message; };
    ModalHandlersGuard guard(std::move(errors));
    runBatch([&](QDialog& dialog) {
        QLineEdit* rx = child<QLineEdit>(dialog, "eChBatchFreqRx");
        retype(rx, "43.");
        EXPECT_EQ(rx->text(), QStringLiteral("43"));
        retype(rx, "4x38.");
        EXPECT_EQ(rx->text(), QStringLiteral("438."));
        child<QComboBox>(dialog, "cbEndCh")->setFocus();
        EXPECT_EQ(reports.size(), 1);
        EXPECT_EQ(rx->text(), QStringLiteral("136.00000")) << "the value in force is shown again";
        retype(rx, "100");
        child<QComboBox>(dialog, "cbEndCh")->setFocus();
        EXPECT_EQ(rx->text(), QStringLiteral("136.00000"));
        retype(rx, "300");
        child<QComboBox>(dialog, "cbEndCh")->setFocus();
        EXPECT_EQ(rx->text(), QStringLiteral("174.00000"));
        clickOk(dialog);
    });
    EXPECT_EQ(reports.size(), 1);
    EXPECT_EQ(program.model.channel(1).RxFreq(), 174000000u);
}

TEST_F(BatchDialogTest, TonesAreTypedAsInTheGridAndARejectedToneStoresOff)
{
    runBatch([&](QDialog& dialog) {
        QComboBox* decode = child<QComboBox>(dialog, "cbChBatchSubDe");
        QComboBox* encode = child<QComboBox>(dialog, "cbChBatchSubEn");
        decode->setFocus();
        decode->lineEdit()->selectAll();
        QTest::keyClicks(decode, "d754ix");
        EXPECT_EQ(decode->currentText(), QStringLiteral("D754I"));
        encode->setFocus();
        encode->lineEdit()->selectAll();
        QTest::keyClicks(encode, "25.0");
        child<QComboBox>(dialog, "cbChBatchPower")->setCurrentIndex(0);
        child<QComboBox>(dialog, "cbChBatchBUS")->setCurrentIndex(1);
        clickOk(dialog);
    });
    const ChannelRecord channel = program.model.channel(1);
    EXPECT_EQ(channel.RxToneCode(), 0x2800 + 0754);
    EXPECT_EQ(channel.RxToneType(), kToneDcsInverted);
    EXPECT_EQ(channel.TxToneCode(), kToneCodeNone);
    EXPECT_EQ(channel.TxToneType(), kToneNone);
    EXPECT_EQ(channel.ChInfor_Pow(), 0);
    EXPECT_EQ(channel.ChInfor_BusyFit(), 1);
    EXPECT_EQ(page->cellText(5, 1), QStringLiteral("Low"));
    EXPECT_EQ(page->cellText(8, 1), QStringLiteral("DQT"));
}

TEST_F(BatchDialogTest, EnterInAnEditUsesTheTextJustTyped)
{
    runBatch([&](QDialog& dialog) {
        child<QComboBox>(dialog, "cbEndCh")->setCurrentIndex(2);
        QLineEdit* step = child<QLineEdit>(dialog, "eStep");
        retype(step, "0.5");
        QTest::keyClick(step, Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    EXPECT_EQ(program.model.channel(3).RxFreq(), 137000000u);
}

TEST_F(BatchDialogTest, EnterAfterATextThatIsNoNumberKeepsTheDialogOpenAndFillsNothing)
{
    QStringList reports;
    ModalHandlers errors;
    errors.errorReport = [&](const QString& message) { reports << message; };
    ModalHandlersGuard guard(std::move(errors));
    QSignalSpy refresh(page.get(), &ChannelPage::fullRefreshRequested);
    runBatch([&](QDialog& dialog) {
        QLineEdit* rx = child<QLineEdit>(dialog, "eChBatchFreqRx");
        retype(rx, "438.");
        QTest::keyClick(rx, Qt::Key_Return);
        EXPECT_EQ(reports.size(), 1);
        EXPECT_TRUE(dialog.isVisible()) << "the failed commit stops OK";
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(rx->text(), QStringLiteral("136.00000"));
        EXPECT_FALSE(program.model.AnyChannelUsed());
        retype(rx, "438.5");
        QTest::keyClick(rx, Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    EXPECT_EQ(reports.size(), 1);
    EXPECT_EQ(refresh.count(), 1);
    EXPECT_EQ(program.model.channel(1).RxFreq(), 438500000u);
}

TEST(BatchDialogMainWindow, TheMainWindowRefreshesAfterAFill)
{
    QTemporaryDir dir;
    Program program;
    AppLang().SetInterfaceLanguage(0);
    TForm1 form(program, dir.filePath(QStringLiteral("_config.ini")));
    form.FullRefresh();
    form.setWindowTitle(QStringLiteral("stale"));

    ModalHandlers handlers;
    handlers.dialog = [](QDialog& dialog) {
        dynamic_cast<TChBatchSetDlg&>(dialog).OKBtnClick();
        return dialog.result();
    };
    ModalHandlersGuard guard(std::move(handlers));
    form.channelPage()->bChBatchSetClick();

    // The refresh wrote the title again, marked: the fill is an unsaved change.
    EXPECT_EQ(form.windowTitle(), QStringLiteral("*LT-4402"));
    EXPECT_EQ(form.channelPage()->cellText(1, 1), QStringLiteral("136.00000"));
}
