#include "editor/ChannelTextRules.h"

#include <gtest/gtest.h>

using namespace lt;

TEST(ChannelTextRules, Placeholder)
{
    EXPECT_EQ(CorrectFreqText(QStringLiteral("4..3")), QStringLiteral("4.3"));
}
