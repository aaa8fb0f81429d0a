#include "editor/ChannelTextRules.h"

#include <gtest/gtest.h>

using namespace lt;

TEST(ChannelTextRules, KeyFiltersLetThroughOnlyWhatTheFieldCanHold)
{
    for (const char* key : {"0", "9", ".", "\b", "\x7f", "\xc3\xa9"})
        EXPECT_TRUE(FreqKeyAllowed(QString::fromUtf8(key))) << key;
    for (const char* key : {" ", "-", "/", ":", "a", "~", ","})
        EXPECT_FALSE(FreqKeyAllowed(QString::fromUtf8(key))) << key;

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

TEST(ChannelTextRules, ChangeRulesCutTheTextFromItsEnd)
{
    EXPECT_EQ(CorrectFreqText(QStringLiteral("438.1.2")), QStringLiteral("438.12"));
    EXPECT_EQ(CorrectFreqText(QStringLiteral(".")), QString());
    EXPECT_EQ(CorrectFreqText(QStringLiteral(".5")), QStringLiteral(".5"));
    EXPECT_EQ(CorrectFreqText(QStringLiteral("438.123456")), QStringLiteral("438.12345"));

    EXPECT_EQ(CorrectBatchFreqText(QStringLiteral("43.")), QStringLiteral("43"));
    EXPECT_EQ(CorrectBatchFreqText(QStringLiteral("438.")), QStringLiteral("438."));
    EXPECT_EQ(CorrectBatchFreqText(QStringLiteral("438.1.")), QStringLiteral("438.1"));
    EXPECT_EQ(CorrectBatchFreqText(QStringLiteral("438.123456")), QStringLiteral("438.12345"));
    EXPECT_EQ(CorrectBatchFreqText(QStringLiteral("4a.b")), QStringLiteral("4"));

    EXPECT_EQ(CorrectToneText(QStringLiteral("D023NX")), QStringLiteral("D023N"));
}

TEST(ChannelTextRules, NamesAreCountedInGbkBytes)
{
    const QString five = QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87\xe5\x90\x8d\xe7\xa7\xb0\xe5\xa5\xbd"); // 5 characters
    EXPECT_EQ(NameToGbk(CorrectNameText(five)).size(), 10);
    EXPECT_EQ(CorrectNameText(five + QStringLiteral("A")), five);
    // A double-byte character that no longer fits goes as a whole.
    EXPECT_EQ(CorrectNameText(QStringLiteral("ABCDEFGHI") + five.left(1)), QStringLiteral("ABCDEFGHI"));
    EXPECT_EQ(CorrectNameText(QStringLiteral("ABCDEFGHIJKL")), QStringLiteral("ABCDEFGHIJ"));
    // Pasted characters GBK cannot hold are removed rather than stored as "?".
    EXPECT_EQ(CorrectNameText(QString::fromUtf8("A\xf0\x9f\x98\x80" "B")), QStringLiteral("AB"));
    EXPECT_EQ(NameFromGbk(NameToGbk(five)), five);
    EXPECT_EQ(NameToGbk(five.left(1)), QByteArray("\xd6\xd0"));
}
