#include "app/MainWindow.h"
#include "program/Program.h"
#include "ui/AppLang.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <ostream>

namespace lt::test {
namespace {

struct LanguageCase {
    int language; // the program's interface language setting
    const char* picture;
};

void PrintTo(const LanguageCase& c, std::ostream* out) { *out << "language " << c.language; }

// At the window's fixed size every control of the options page lies inside the
// page and is at least as large as its text needs. LT_SCREENSHOT_DIR, when set,
// names a folder that receives a picture of the window on this page.
class OptionsLayoutTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(OptionsLayoutTest, EveryControlFitsThePageAtTheWindowsFixedSize)
{
    Program program;
    program.model.SetCodeplugDefaults();
    program.settings.Language = GetParam().language;
    AppLang().SetInterfaceLanguage(program.settings.Language);
    TForm1 window(program, QString());
    window.FullRefresh();
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl_Home"));
    auto* page = window.findChild<QWidget*>(QStringLiteral("TabSheet_Option"));
    ASSERT_NE(tabs, nullptr);
    ASSERT_NE(page, nullptr);
    tabs->setCurrentWidget(page);
    window.show();
    QApplication::processEvents();

    const QRect area = page->rect();
    int checked = 0;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        const bool isControl = qobject_cast<QLabel*>(widget) || qobject_cast<QComboBox*>(widget)
            || qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractButton*>(widget);
        if (!isControl || !widget->isVisible() || widget->objectName().isEmpty())
            continue;
        ++checked;
        const std::string name = widget->objectName().toStdString();
        const QRect placed(widget->mapTo(page, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(area.contains(placed)) << name << " lies outside the page";
        const QSize needed = qobject_cast<QLineEdit*>(widget) ? widget->minimumSizeHint() : widget->sizeHint();
        EXPECT_GE(widget->width(), needed.width()) << name << " is cut";
        EXPECT_GE(widget->height(), needed.height()) << name << " is cut";
    }
    EXPECT_GT(checked, 60);

    const QByteArray folder = qgetenv("LT_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        const QString file = QDir(QString::fromLocal8Bit(folder)).filePath(QLatin1String(GetParam().picture));
        EXPECT_TRUE(window.grab().save(file));
    }
    AppLang().fSetLangType(1);
}

INSTANTIATE_TEST_SUITE_P(Languages, OptionsLayoutTest,
    ::testing::Values(LanguageCase{0, "options-page-en.png"}, LanguageCase{1, "options-page-zh-hans.png"},
        LanguageCase{2, "options-page-zh-hant.png"}),
    [](const auto& info) { return std::to_string(info.param.language); });

} // namespace
} // namespace lt::test
