#include "app/MainWindow.h"
#include "editor/ChannelPage.h"
#include "program/Program.h"
#include "ui/AppLang.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lt;

namespace {

class ChannelMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppLang().SetInterfaceLanguage(0);
        form = std::make_unique<TForm1>(program, dir.filePath(QStringLiteral("_config.ini")));
        form->FullRefresh();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        grid = form->findChild<QTableView*>(QStringLiteral("StringGrid1"));
        ASSERT_NE(grid, nullptr);
    }

    void TearDown() override { AppLang().SetInterfaceLanguage(0); }

    QTemporaryDir dir;
    Program program;
    std::unique_ptr<TForm1> form;
    QTableView* grid = nullptr;
};

} // namespace

TEST_F(ChannelMainWindowTest, AnOpenEditorCommitsBeforeALanguageSwitchRedrawsTheGrid)
{
    ChannelPage* page = form->channelPage();
    page->setCurrentCell(1, 5);
    page->focusGrid();
    QTest::keyClicks(grid, "1");
    auto* edit = form->findChild<QLineEdit*>(QStringLiteral("Edit_ChFreq"));
    ASSERT_TRUE(edit->isVisible());
    QTest::keyClicks(edit, "45.5");

    form->SetLanguage(1);

    EXPECT_FALSE(edit->isVisible());
    ASSERT_TRUE(program.model.IsChannelUsed(5));
    EXPECT_EQ(program.model.channel(5).RxFreq(), 145500000u);
    EXPECT_EQ(page->cellText(5, 5), QString::fromUtf8("\xe9\xab\x98")); // high power, in Chinese
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("\xe6\x8e\xa5\xe6\x94\xb6\xe9\xa2\x91\xe7\x8e\x87"));

    form->SetLanguage(0);
    EXPECT_EQ(page->cellText(5, 5), QStringLiteral("High"));
    EXPECT_EQ(page->cellText(1, 5), QStringLiteral("145.50000"));
}

TEST_F(ChannelMainWindowTest, TheUsersGridSizesAreWrittenWithTheConfiguration)
{
    grid->horizontalHeader()->resizeSection(2, 123);
    grid->verticalHeader()->resizeSection(6, 31);
    form->WriteConfiguration();
    EXPECT_EQ(program.settings.columnWidths[3], 123);
    EXPECT_EQ(program.settings.rowHeights[7], 31);
    EXPECT_EQ(program.settings.columnWidths[0], 35);
    EXPECT_EQ(program.settings.rowHeights[0], 20);
}
