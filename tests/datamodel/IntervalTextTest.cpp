#include "datamodel/IntervalText.h"

#include "platform/framework/StringTable.h"

#include <gtest/gtest.h>

TEST(FormatIntervalText, ShowsMinutesAndRemainingSeconds)
{
    ASSERT_TRUE(CStringTable::Instance().LoadLanguage("ENG"));
    EXPECT_EQ(FormatIntervalText(90), "1min 30sec");
    EXPECT_EQ(FormatIntervalText(45), "45sec");
    EXPECT_EQ(FormatIntervalText(120), "2min");
    EXPECT_EQ(FormatIntervalText(59), "59sec");
    EXPECT_EQ(FormatIntervalText(60), "1min");
    EXPECT_EQ(FormatIntervalText(3600), "60min");
    EXPECT_EQ(FormatIntervalText(0), "0sec");
}
