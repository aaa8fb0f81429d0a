#include "options_page_fixture.h"

#include "app/MainWindow.h"

#include <QCheckBox>
#include <QTabWidget>
#include <QTest>

namespace lt::test {
namespace {

class ModeLockTest : public OptionsPageTest {
protected:
    QCheckBox* lock() const { return control<QCheckBox>(QStringLiteral("cWorkModeLock")); }
    QComboBox* modeA() const { return box(QStringLiteral("cbMODE_A")); }
    QComboBox* modeB() const { return box(QStringLiteral("cbMODE_B")); }

    void click(QCheckBox* target)
    {
        target->setFocus(Qt::OtherFocusReason);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(6, target->height() / 2));
    }
};

TEST_F(ModeLockTest, IsRefusedWhileNoChannelIsInUse)
{
    ASSERT_FALSE(model().AnyChannelUsed());
    click(lock());
    EXPECT_FALSE(lock()->isChecked());
    EXPECT_EQ(model().get(cp::WorkModeLock), 0u);
    EXPECT_TRUE(modeA()->isEnabled());
    EXPECT_TRUE(modeB()->isEnabled());
    sink->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(model().get(cp::WorkModeLock), 0u);
}

TEST_F(ModeLockTest, WithChannelsForcesChannelModeAndUncheckingEnablesTheModeBoxes)
{
    model().SetChannelUsed(240, true);
    model().set(cp::MODE_A, 0);
    model().set(cp::MODE_B, 2);
    page->refresh();
    EXPECT_EQ(modeB()->currentText(), QStringLiteral("CH + Freq"));

    click(lock());
    EXPECT_TRUE(lock()->isChecked());
    EXPECT_EQ(model().get(cp::WorkModeLock), 1u);
    EXPECT_EQ(model().get(cp::MODE_A), 1u);
    EXPECT_EQ(model().get(cp::MODE_B), 1u);
    EXPECT_EQ(modeA()->currentText(), QStringLiteral("Channel"));
    EXPECT_EQ(modeB()->currentText(), QStringLiteral("Channel"));
    EXPECT_FALSE(modeA()->isEnabled());
    EXPECT_FALSE(modeB()->isEnabled());

    click(lock());
    EXPECT_FALSE(lock()->isChecked());
    EXPECT_EQ(model().get(cp::WorkModeLock), 0u);
    EXPECT_TRUE(modeA()->isEnabled());
    EXPECT_TRUE(modeB()->isEnabled());
    EXPECT_EQ(model().get(cp::MODE_A), 1u) << "unlocking leaves the modes as they are";
    EXPECT_EQ(modeA()->currentText(), QStringLiteral("Channel"));
}

TEST_F(ModeLockTest, RefreshAppliesAStoredLockOrClearsItWhenNoChannelIsInUse)
{
    model().set(cp::WorkModeLock, 1);
    model().set(cp::MODE_A, 2);
    page->refresh();
    EXPECT_EQ(model().get(cp::WorkModeLock), 0u) << "no channel in use: the lock is cleared";
    EXPECT_FALSE(lock()->isChecked());
    EXPECT_EQ(model().get(cp::MODE_A), 2u);
    EXPECT_TRUE(modeA()->isEnabled());

    model().SetChannelUsed(1, true);
    model().set(cp::WorkModeLock, 3);
    page->refresh();
    EXPECT_TRUE(lock()->isChecked());
    EXPECT_EQ(model().get(cp::WorkModeLock), 1u);
    EXPECT_EQ(model().get(cp::MODE_A), 1u);
    EXPECT_EQ(model().get(cp::MODE_B), 1u);
    EXPECT_FALSE(modeA()->isEnabled());
    EXPECT_FALSE(modeB()->isEnabled());

    model().set(cp::WorkModeLock, 0);
    page->refresh();
    EXPECT_TRUE(modeA()->isEnabled()) << "a codeplug without the lock opens with free mode boxes";
}

TEST(OptionsPageInMainWindow, FullRefreshFillsThePageAndWritesBackTheVoxDelay)
{
    Program program;
    program.model.SetCodeplugDefaults();
    program.model.set(cp::VOX_DELAY, 700);
    program.model.set(cp::TOT, 90);
    program.settings.Language = 1;
    AppLang().SetInterfaceLanguage(program.settings.Language);
    TForm1 window(program, QString());
    window.FullRefresh();
    EXPECT_EQ(program.model.get(cp::VOX_DELAY), 300u);
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl_Home"));
    ASSERT_NE(tabs, nullptr);
    QWidget* options = window.findChild<QWidget*>(QStringLiteral("TabSheet_Option"));
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(tabs->tabText(tabs->indexOf(options)), QStringLiteral("功能选项"));
    EXPECT_EQ(options->findChild<QComboBox*>(QStringLiteral("cbVOX_DELAY"))->currentText(), QStringLiteral("0.3"));
    EXPECT_EQ(options->findChild<QComboBox*>(QStringLiteral("cbTOT"))->currentText(), QStringLiteral("90"));
    EXPECT_EQ(options->findChild<QComboBox*>(QStringLiteral("cbTOT"))->itemText(0), QStringLiteral("关闭"));
    EXPECT_EQ(options->findChild<QLineEdit*>(QStringLiteral("eFr_Freq_A"))->text(), QStringLiteral("400.02500"));
    EXPECT_EQ(options->findChild<QLineEdit*>(QStringLiteral("eFr_Freq_B"))->text(), QStringLiteral("136.02500"));
    AppLang().fSetLangType(1);
}

} // namespace
} // namespace lt::test
