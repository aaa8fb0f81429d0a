#include "codeplug/TextEntryRules.h"

#include <gtest/gtest.h>

using namespace lt;

TEST(TextEntryRules, FrequencyKeysThatPass)
{
    const struct {
        char16_t key;
        bool accepted;
    } cases[] = {
        {u'0', true},  {u'9', true},  {u'.', true},  {u'\b', true}, {u'\x03', true}, {u'\x7F', true},
        {u'\xE9', true}, {u' ', false}, {u'-', false}, {u',', false}, {u'/', false},   {u':', false},
        {u'a', false}, {u'Z', false}, {u'~', false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FreqKeyAccepted(QChar(c.key)), c.accepted) << int(c.key);
        EXPECT_EQ(FreqKeyAccepted(QStringView(&c.key, 1)), c.accepted) << int(c.key);
    }
}

TEST(TextEntryRules, ToneAndNameKeysThatPass)
{
    EXPECT_EQ(ToneKeyText(QStringLiteral("d")), QStringLiteral("D"));
    EXPECT_EQ(ToneKeyText(QStringLiteral("n")), QStringLiteral("N"));
    EXPECT_EQ(ToneKeyText(QStringLiteral("i")), QStringLiteral("I"));
    EXPECT_EQ(ToneKeyText(QStringLiteral("I")), QStringLiteral("I"));
    EXPECT_EQ(ToneKeyText(QStringLiteral(".")), QStringLiteral("."));
    EXPECT_EQ(ToneKeyText(QStringLiteral("\b")), QStringLiteral("\b"));
    for (const char* key : {"x", " ", "o", "-", "E"})
        EXPECT_FALSE(ToneKeyText(QString::fromLatin1(key))) << key;

    for (const char* key : {" ", "*", "A", "z", "\xe4\xb8\xad", "\xe2\x82\xac"})
        EXPECT_TRUE(NameKeyAllowed(QString::fromUtf8(key))) << key;
    for (const char* key : {"!", ")", "(", "{", "|", "}", "~", "\xf0\x9f\x98\x80", "\xe0\xb8\x81"})
        EXPECT_FALSE(NameKeyAllowed(QString::fromUtf8(key))) << key;
}

TEST(TextEntryRules, FrequencyTextsCleanedThenCut)
{
    const struct {
        const char* typed;
        int maxLength;
        const char* kept;
    } cases[] = {
        {"438.1.2", kFreqTextMax, "438.12"},     {".", kFreqTextMax, ""},
        {".5", kFreqTextMax, ".5"},              {"438.123456", kFreqTextMax, "438.12345"},
        {"..", kFreqTextMax, ""},                {"99.987501", kOffsetTextMax, "99.98750"},
        {"43.8.12345", kFreqTextMax, "43.812345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CorrectFreqText(QString::fromLatin1(c.typed), c.maxLength), QString::fromLatin1(c.kept)) << c.typed;
}

TEST(TextEntryRules, FrequencyTextsCutThenCleaned)
{
    const struct {
        const char* typed;
        LongFreqText cut;
        const char* kept;
    } cases[] = {
        {"438.12345", LongFreqText::LosesLastCharacter, "438.12345"},
        {"438.123456", LongFreqText::LosesLastCharacter, "438.12345"},
        {".", LongFreqText::LosesLastCharacter, ""},
        {"1.2.3", LongFreqText::LosesLastCharacter, "1.23"},
        {"..5", LongFreqText::LosesLastCharacter, ".5"},
        {"438..", LongFreqText::LosesLastCharacter, "438."},
        {"43.8.12345", LongFreqText::LosesLastCharacter, "43.81234"},
        {"12345678901", LongFreqText::LosesLastCharacter, "1234567890"},
        {"12345678901", LongFreqText::CutToLimit, "123456789"},
        {"438.123456", LongFreqText::CutToLimit, "438.12345"},
        {"..", LongFreqText::CutToLimit, "."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CutThenCorrectFreqText(QString::fromLatin1(c.typed), c.cut), QString::fromLatin1(c.kept)) << c.typed;
}

TEST(TextEntryRules, BatchAndToneTexts)
{
    EXPECT_EQ(CorrectBatchFreqText(QStringLiteral("43.")), QStringLiteral("43"));
    EXPECT_EQ(CorrectBatchFreqText(QStringLiteral("438.")), QStringLiteral("438."));
    EXPECT_EQ(CorrectBatchFreqText(QStringLiteral("438.1.")), QStringLiteral("438.1"));
    EXPECT_EQ(CorrectBatchFreqText(QStringLiteral("438.123456")), QStringLiteral("438.12345"));
    EXPECT_EQ(CorrectBatchFreqText(QStringLiteral("4a.b")), QStringLiteral("4"));

    EXPECT_EQ(CorrectToneText(QStringLiteral("D023NX")), QStringLiteral("D023N"));
}

TEST(TextEntryRules, NamesAreCountedInGbkBytes)
{
    const QString five = QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87\xe5\x90\x8d\xe7\xa7\xb0\xe5\xa5\xbd"); // 5 characters
    EXPECT_EQ(ToGbk(FitGbkText(five, kChannelNameBytes)).size(), 10);
    EXPECT_EQ(FitGbkText(five + QStringLiteral("A"), kChannelNameBytes), five);
    // A double-byte character that no longer fits goes as a whole.
    EXPECT_EQ(FitGbkText(QStringLiteral("ABCDEFGHI") + five.left(1), kChannelNameBytes), QStringLiteral("ABCDEFGHI"));
    EXPECT_EQ(FitGbkText(QStringLiteral("ABCDEFGHIJKL"), kChannelNameBytes), QStringLiteral("ABCDEFGHIJ"));
    // Pasted characters GBK cannot hold are removed rather than stored as "?".
    EXPECT_EQ(FitGbkText(QString::fromUtf8("A\xf0\x9f\x98\x80" "B"), kChannelNameBytes), QStringLiteral("AB"));
    EXPECT_EQ(FromGbk(ToGbk(five)), five);
    EXPECT_EQ(ToGbk(five.left(1)), QByteArray("\xd6\xd0"));
}
