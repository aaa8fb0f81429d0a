#include "app/MainWindow.h"
#include "codeplug/ToneTables.h"
#include "program/Program.h"
#include "ui/AppLang.h"
#include "ui/Mnemonic.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace {

// Language as stored in the settings: 0 English, 1 Simplified, 2 Traditional.
std::span<const char* const> TableOf(int language)
{
    const lt::TextTable& table = lt::MainTextTable();
    return language == 1 ? table.simplified : language == 2 ? table.traditional : table.english;
}

QString Expected(int language, int n)
{
    return QString::fromUtf8(TableOf(language)[static_cast<std::size_t>(n)]);
}

QSet<QString> TextsOf(int language)
{
    QSet<QString> texts;
    for (const char* text : TableOf(language))
        texts.insert(QString::fromUtf8(text));
    texts.remove(QString());
    return texts;
}

void AddModelTexts(const QAbstractItemModel* model, QStringList& out)
{
    if (!model)
        return;
    for (int c = 0; c < model->columnCount(); ++c)
        out << model->headerData(c, Qt::Horizontal).toString();
    for (int r = 0; r < model->rowCount(); ++r) {
        out << model->headerData(r, Qt::Vertical).toString();
        for (int c = 0; c < model->columnCount(); ++c)
            out << model->index(r, c).data().toString();
    }
}

// Every text the window shows or offers: captions, hints, list items, tab
// titles, grid headers and cells.
QStringList ShownTexts(QWidget* window)
{
    QStringList out{window->windowTitle()};
    const auto widgets = window->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        out << w->toolTip();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            out << button->text();
        if (auto* label = qobject_cast<QLabel*>(w))
            out << label->text();
        if (auto* group = qobject_cast<QGroupBox*>(w))
            out << group->title();
        if (auto* menu = qobject_cast<QMenu*>(w))
            out << menu->title();
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                out << tabs->tabText(i);
        if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                out << combo->itemText(i);
        if (auto* view = qobject_cast<QAbstractItemView*>(w))
            AddModelTexts(view->model(), out);
    }
    for (QAction* action : window->findChildren<QAction*>())
        out << action->text() << action->toolTip();
    return out;
}

struct Switch {
    const char* control; // a language menu item or tool button
    int language;
};

class FullRefreshLanguages : public ::testing::Test {
protected:
    void SetUp() override
    {
        program.model.SetCodeplugDefaults();
        for (int n : {1, 2, 17, 240}) {
            program.model.StringGridAutoFullRow(n);
            program.model.SetChannelUsed(n, true);
        }
        program.model.channel(2).setChName("CH-TWO");
        program.model.LastWriteTime = {2022, 6, 18, 9, 5};
        program.settings.Language = 1;
        lt::AppLang().SetInterfaceLanguage(1);
        window = std::make_unique<lt::TForm1>(program, dir.filePath(QStringLiteral("_config.ini")));
        window->FullRefresh();
    }

    void TearDown() override { lt::AppLang().SetInterfaceLanguage(1); }

    QAction* action(const char* name) { return window->findChild<QAction*>(QString::fromLatin1(name)); }

    void choose(const char* control)
    {
        if (QAction* item = action(control)) {
            item->trigger();
            return;
        }
        auto* button = window->findChild<QToolButton*>(QString::fromLatin1(control));
        ASSERT_NE(button, nullptr) << control;
        button->click();
    }

    void expectCaptionsOf(int language)
    {
        const struct {
            const char* action;
            int entry;
        } items[] = {{"MenuFile_New", 2}, {"MenuFile_Open", 3}, {"MenuFile_Save", 4}, {"MenuFile_Exit", 5},
            {"MenuEdit_Read", 7}, {"MenuEdit_Write", 8}, {"MenuEdit_Password", 231},
            {"MenuLanguage_Chs", 11}, {"MenuLanguage_Cht", 12},
            {"MenuLanguage_En", 13}, {"MenuAdjustment", 167}, {"MenuAbout", 166}};
        for (const auto& item : items) {
            QAction* a = action(item.action);
            ASSERT_NE(a, nullptr) << item.action;
            EXPECT_EQ(a->text(), Expected(language, item.entry)) << item.action;
        }
        // The table's caption with the mnemonic the item adds.
        EXPECT_EQ(action("MenuEdit_SetRadioNewPD")->text(), lt::WithMnemonic(Expected(language, 257), QLatin1Char('N')));
        const struct {
            const char* menu;
            int entry;
        } menus[] = {{"MenuFile", 1}, {"MenuEdit", 6}, {"MenuLanguage", 10}, {"MenuHelp", 14}};
        for (const auto& m : menus) {
            auto* menu = window->findChild<QMenu*>(QString::fromLatin1(m.menu));
            ASSERT_NE(menu, nullptr) << m.menu;
            EXPECT_EQ(menu->title(), Expected(language, m.entry)) << m.menu;
        }
        const struct {
            const char* button;
            int entry;
        } hints[] = {{"ToolButton_New", 244}, {"ToolButton_Open", 245}, {"ToolButton_Save", 246},
            {"ToolButton_Read", 247}, {"ToolButton_Write", 248}};
        for (const auto& h : hints) {
            auto* button = window->findChild<QToolButton*>(QString::fromLatin1(h.button));
            ASSERT_NE(button, nullptr) << h.button;
            EXPECT_EQ(button->toolTip(), Expected(language, h.entry)) << h.button;
        }
        EXPECT_EQ(window->windowTitle(), QStringLiteral("LT-4402"));
        auto* status = window->findChild<QLabel*>(QStringLiteral("StatusPanel0"));
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->text(), Expected(language, 212) + QStringLiteral(" [2022-6-18  9:5]"));
    }

    // No text of another language may survive a switch: every shown text that
    // belongs to another language's table must belong to this one's too. The
    // tone list ("Off", "88.5", "D023N") is the same in every language.
    void expectNoForeignTexts(int language)
    {
        const QSet<QString> own = TextsOf(language);
        QSet<QString> foreign;
        for (int other : {0, 1, 2})
            if (other != language)
                foreign.unite(TextsOf(other));
        foreign.subtract(own);
        for (const QString& tone : lt::ToneList())
            foreign.remove(tone);

        int fromTable = 0;
        for (const QString& text : ShownTexts(window.get())) {
            EXPECT_FALSE(foreign.contains(text)) << "left over: " << text.toStdString();
            fromTable += own.contains(text) ? 1 : 0;
        }
        EXPECT_GE(fromTable, 25);
    }

    QTemporaryDir dir;
    lt::Program program;
    std::unique_ptr<lt::TForm1> window;
};

TEST_F(FullRefreshLanguages, EverySwitchRewritesTheWindowAndLeavesTheCodeplug)
{
    const std::vector<uint8_t> before(program.model.block().begin(), program.model.block().end());
    const Switch switches[] = {{"MenuLanguage_En", 0}, {"ToolButton_Cht", 2}, {"MenuLanguage_Chs", 1},
        {"MenuLanguage_Cht", 2}, {"ToolButton_En", 0}, {"ToolButton_Chs", 1}, {"MenuLanguage_En", 0}};
    for (const Switch& s : switches) {
        SCOPED_TRACE(s.control);
        choose(s.control);
        EXPECT_EQ(program.settings.Language, s.language);
        EXPECT_EQ(lt::AppLang().langType(), s.language + 1);
        EXPECT_EQ(action("MenuLanguage_En")->isChecked(), s.language == 0);
        EXPECT_EQ(action("MenuLanguage_Chs")->isChecked(), s.language == 1);
        EXPECT_EQ(action("MenuLanguage_Cht")->isChecked(), s.language == 2);
        expectCaptionsOf(s.language);
        expectNoForeignTexts(s.language);
        const std::vector<uint8_t> after(program.model.block().begin(), program.model.block().end());
        EXPECT_TRUE(after == before) << "the codeplug block changed";
    }
}

TEST_F(FullRefreshLanguages, StoredLanguageOutsideTheMenuFollowsTheSystemAndChecksNoItem)
{
    program.settings.Language = 3;
    lt::AppLang().SetInterfaceLanguage(3);
    window->FullRefresh();
    const int language = lt::DetectLangType(QLocale::system()) - 1;
    for (const char* item : {"MenuLanguage_En", "MenuLanguage_Chs", "MenuLanguage_Cht"})
        EXPECT_FALSE(action(item)->isChecked()) << item;
    expectCaptionsOf(language);
    expectNoForeignTexts(language);
}

} // namespace
