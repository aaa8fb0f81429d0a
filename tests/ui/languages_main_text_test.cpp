#include "ui/AppLang.h"

#include <QSet>
#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

constexpr int kEnglish = 1;
constexpr int kSimplified = 2;
constexpr int kTraditional = 3;

QString TextOf(int type, int n)
{
    lt::TAppLang lang;
    lang.fSetLangType(type);
    return lang.Text(lt::MainTextTable(), n);
}

const QSet<int> kUnusedEntries{165, 255, 256, 259, 260, 261, 262, 263, 264, 266, 267};

TEST(MainTextTable, HasEveryEntryInAllThreeLanguages)
{
    const lt::TextTable& table = lt::MainTextTable();
    ASSERT_EQ(table.english.size(), 310u);
    ASSERT_EQ(table.simplified.size(), 310u);
    ASSERT_EQ(table.traditional.size(), 310u);
    for (int n = 0; n < lt::kMainTextEntries; ++n) {
        const auto i = static_cast<std::size_t>(n);
        for (const char* text : {table.english[i], table.simplified[i], table.traditional[i]}) {
            ASSERT_NE(text, nullptr) << n;
            EXPECT_EQ(QByteArray(text).isEmpty(), kUnusedEntries.contains(n)) << "entry " << n;
        }
    }
}

TEST(MainTextTable, EnglishIsPlainAscii)
{
    for (const char* text : lt::MainTextTable().english)
        for (const char* p = text; *p; ++p)
            EXPECT_LT(static_cast<unsigned char>(*p), 0x80) << text;
}

// Every entry survives the trip through the interface's byte form: GBK for
// Simplified, Big5 after conversion for Traditional. A character that Big5
// lacks would stay in GBK and come out garbled here.
TEST(MainTextTable, EveryEntryShowsAsWrittenInEveryLanguage)
{
    const lt::TextTable& table = lt::MainTextTable();
    for (int n = 0; n < lt::kMainTextEntries; ++n) {
        const auto i = static_cast<std::size_t>(n);
        EXPECT_EQ(TextOf(kEnglish, n), QString::fromUtf8(table.english[i])) << n;
        EXPECT_EQ(TextOf(kSimplified, n), QString::fromUtf8(table.simplified[i])) << n;
        EXPECT_EQ(TextOf(kTraditional, n), QString::fromUtf8(table.traditional[i])) << n;
    }
}

TEST(MainTextTable, TraditionalLookupGivesBig5Bytes)
{
    const lt::TextTable& table = lt::MainTextTable();
    lt::TAppLang lang;
    lang.fSetLangType(kTraditional);
    for (int n = 0; n < lt::kMainTextEntries; ++n) {
        const QByteArray bytes = lang.GetText(table, n);
        QStringDecoder fromBig5("Big5");
        EXPECT_EQ(QString(fromBig5.decode(bytes)), QString::fromUtf8(table.traditional[static_cast<std::size_t>(n)])) << n;
    }
    lang.fSetLangType(kSimplified);
    const QByteArray gbk = lang.GetText(table, 247);
    QStringDecoder fromGbk("GBK");
    EXPECT_EQ(QString(fromGbk.decode(gbk)), QStringLiteral("读频"));
}

TEST(MainTextTable, OutOfRangeEntriesAreEmpty)
{
    for (int type : {kEnglish, kSimplified, kTraditional}) {
        EXPECT_TRUE(TextOf(type, -1).isEmpty());
        EXPECT_TRUE(TextOf(type, 310).isEmpty());
    }
}

struct Quoted {
    int n;
    const char* english;
    const char* simplified;
    const char* traditional; // nullptr: not quoted
};

void PrintTo(const Quoted& q, std::ostream* os) { *os << "entry " << q.n; }

class QuotedTexts : public ::testing::TestWithParam<Quoted> {};

TEST_P(QuotedTexts, AreExactlyAsWorded)
{
    const Quoted& q = GetParam();
    EXPECT_EQ(TextOf(kEnglish, q.n), QString::fromUtf8(q.english));
    EXPECT_EQ(TextOf(kSimplified, q.n), QString::fromUtf8(q.simplified));
    if (q.traditional) {
        EXPECT_EQ(TextOf(kTraditional, q.n), QString::fromUtf8(q.traditional));
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, QuotedTexts,
    ::testing::Values(Quoted{0, "LT-4402", "LT-4402", "LT-4402"},
        Quoted{1, "&File", "文件(&F)", nullptr},
        Quoted{11, "Chinese(&Simplified)", "中文(简体)(&S)", nullptr},
        Quoted{66, "Clcok", "时钟", nullptr},
        Quoted{129, "Address Book Edit", "通讯本编辑", "通訊薄編輯"},
        Quoted{140, "* # Delay", "* #延时", nullptr},
        Quoted{153, "Ok", "确定", "確定"},
        Quoted{154, "Cannel", "取消", "取消"},
        Quoted{155, "Clear all data ?", "清除所有数据？", nullptr},
        Quoted{163, "Version: V1.0.0", "版本：V1.0.0", nullptr},
        Quoted{164, "LT-4402 programming software", "LT-4402 编程软件", "LT-4402 編程軟件"},
        Quoted{165, "", "", ""},
        Quoted{167, "&Adjustment", "调整(&A)", "調整(&A)"},
        Quoted{194, "Battery Power Indicator", "电量查询", "電量檢查"},
        Quoted{197, "Do you want to save data ?", "关闭应用程序前保存数据 ？", nullptr},
        Quoted{212, "Last Program Date", "最后编程日期", "最後編程時間"},
        Quoted{230, "Slave Alarm Period", "从机报警间隔", "從機報警時間"},
        Quoted{231, "&Password", "密码(&P)", "密碼(&P)"},
        Quoted{232, "Password", "密码", "密碼"},
        Quoted{233, "New Password", "新密码", "新密碼"},
        Quoted{234, "Input Password", "请输入密码", "請輸入密碼"},
        Quoted{235, "New Password Sure", "确认新密码", "確認新密碼"},
        Quoted{236, "Write", "写数据", "寫數據"},
        Quoted{237, "Password not match", "两次输入不同", "兩次輸入不同"},
        Quoted{239, "Call Selete", "呼叫选择", nullptr},
        Quoted{241, "Auto reset time(s)", "自动复位时间(秒)", "自動恢復時間(秒)"},
        Quoted{247, "Read from radio", "读频", "讀頻"},
        Quoted{248, "Write to radio", "写频", "寫頻"},
        Quoted{257, "Set radio new password", "设置对讲机新密码", "設置對講機新密碼"},
        Quoted{258, "Write data to radio with new password", "写频时也一起写入新密码", "寫頻時也一起寫入新密碼"},
        Quoted{298, "Lighting Backlight when Tx&Rx", "发射、接收时亮背光", nullptr},
        Quoted{309, "Double Watch", "双守候", "雙守候"}),
    [](const auto& info) { return "entry" + std::to_string(info.param.n); });

TEST(MainText, FollowsTheProgramWideLanguage)
{
    lt::TAppLang& lang = lt::AppLang();
    const int before = lang.langType();
    lang.SetInterfaceLanguage(2);
    EXPECT_EQ(lt::MainText(248), QStringLiteral("寫頻"));
    lang.SetInterfaceLanguage(0);
    EXPECT_EQ(lt::MainText(248), QStringLiteral("Write to radio"));
    lang.SetInterfaceLanguage(1);
    EXPECT_EQ(lt::MainText(248), QStringLiteral("写频"));
    lang.fSetLangType(before);
}

} // namespace
