#include "ui/AppLang.h"

#include <gtest/gtest.h>

namespace {

struct LocaleCase {
    const char* locale;
    int type;
};

void PrintTo(const LocaleCase& c, std::ostream* os) { *os << c.locale; }

class DetectLangTypeTest : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(DetectLangTypeTest, MapsSystemLanguageToType)
{
    EXPECT_EQ(lt::DetectLangType(QLocale(QString::fromLatin1(GetParam().locale))), GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(Locales, DetectLangTypeTest,
    ::testing::Values(LocaleCase{"zh_CN", 2}, LocaleCase{"zh_SG", 2}, LocaleCase{"zh_Hans_HK", 2},
        LocaleCase{"zh_Hans", 2}, LocaleCase{"zh_TW", 3}, LocaleCase{"zh_HK", 3}, LocaleCase{"zh_MO", 3},
        LocaleCase{"zh_Hant", 3}, LocaleCase{"en_US", 1}, LocaleCase{"de_DE", 1}, LocaleCase{"ja_JP", 1},
        LocaleCase{"C", 1}),
    [](const auto& info) { return std::string(info.param.locale); });

TEST(TAppLangTest, StartsWithTheSystemLanguage)
{
    EXPECT_EQ(lt::TAppLang().langType(), lt::DetectLangType(QLocale::system()));
}

TEST(TAppLangTest, InterfaceLanguageSelectsType)
{
    const int system = lt::DetectLangType(QLocale::system());
    const struct {
        int language;
        int type;
    } cases[] = {{0, 1}, {1, 2}, {2, 3}, {3, system}, {-1, system}, {99, system}};
    lt::TAppLang lang;
    for (const auto& c : cases) {
        // Start from a type the case does not expect, so a stale type fails.
        lang.fSetLangType(c.type == 1 ? 2 : 1);
        lang.SetInterfaceLanguage(c.language);
        EXPECT_EQ(lang.langType(), c.type) << "Language " << c.language;
    }
}

} // namespace
