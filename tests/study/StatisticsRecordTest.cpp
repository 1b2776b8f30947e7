// The statistics record: merging, the result of a value that could not be computed, the
// too-few test; and the interval choices and chart names that the views share.
#include "study/IntervalChoices.h"
#include "study/PlotNames.h"
#include "study/StatisticsRecord.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

SStatisticsRecord Record(int quality, int finite, int plus, int minus, int nan, int missing, int expected)
{
    return {quality, finite, plus, minus, nan, missing, expected};
}

TEST(StatisticsRecordTest, MergeKeepsTheWorseQualityAndTheCountsOfFewerFiniteValues)
{
    SStatisticsRecord target;
    const SStatisticsRecord first = Record(1, 90, 1, 0, 2, 7, 100);
    target.Merge(first);
    EXPECT_EQ(target, first); // an empty target takes the source
    target.Merge(Record(0, 95, 0, 0, 0, 5, 100));
    EXPECT_EQ(target, first); // more finite values: only the quality could change
    target.Merge(Record(2, 50, 0, 3, 0, 47, 100));
    EXPECT_EQ(target, Record(2, 50, 0, 3, 0, 47, 100));
    target.Merge(Record(0, 10, 0, 0, 0, 90, 100));
    EXPECT_EQ(target.quality, 2); // the worse quality stays with the fewer values' counts
    EXPECT_EQ(target.finiteCount, 10);
    target.Clear();
    EXPECT_TRUE(target.IsEmpty());
}

TEST(StatisticsRecordTest, NonFiniteResultAndCounts)
{
    EXPECT_EQ(Record(0, 0, 1, 1, 1, 0, 3).NonFiniteResult(), INFINITY);
    EXPECT_TRUE(std::isnan(Record(0, 0, 0, 0, 2, 0, 2).NonFiniteResult()));
    EXPECT_TRUE(std::isnan(SStatisticsRecord{}.NonFiniteResult()));
    EXPECT_EQ(Record(0, 0, 0, 1, 4, 0, 5).NonFiniteResult(), -INFINITY);
    EXPECT_EQ(Record(0, 3, 1, 2, 3, 4, 13).NonFiniteAndMissingCount(), 10);
}

TEST(StatisticsRecordTest, TooFewRoundsTheWantedCountAndNeverAsksForMoreThanExpected)
{
    // 19 expected at 0.95: floor(18.05 + 0.5) = 18 wanted.
    EXPECT_FALSE(Record(0, 18, 0, 0, 0, 1, 19).IsTooFew(0.95));
    EXPECT_TRUE(Record(0, 17, 0, 0, 0, 2, 19).IsTooFew(0.95));
    // A ratio above 1 still asks for no more than every expected value.
    EXPECT_FALSE(Record(0, 10, 0, 0, 0, 0, 10).IsTooFew(1.5));
    EXPECT_FALSE(SStatisticsRecord{}.IsTooFew(0.95));
}

TEST(IntervalChoicesTest, NineLengthsFoundWithinASecond)
{
    const auto& choices = GetIntervalChoices();
    EXPECT_EQ(choices[0].textId, 6039u);
    EXPECT_EQ(choices[8].textId, 6047u);
    EXPECT_EQ(choices[4].length.GetTotalSeconds(), 3600);
    EXPECT_DOUBLE_EQ(choices[7].days, 5.0);
    EXPECT_EQ(FindIntervalChoice(1.0 / 24.0 + 0.5 / 86400.0), 4);
    EXPECT_EQ(FindIntervalChoice(7.0), 8);
    EXPECT_EQ(FindIntervalChoice(3.0), kIndividualInterval);
}

TEST(PlotNamesTest, AxisNamesAndChannelSuffixes)
{
    EXPECT_STREQ(XAxisName(3), "XAxis3");
    EXPECT_STREQ(YAxisName(11), "YAxis11");
    EXPECT_STREQ(StripTcSuffix("1: V1_TC"), "1: V1");
    EXPECT_STREQ(StripTcSuffix("1: V1_LC"), "1: V1_LC");
    EXPECT_STREQ(StripChannelSuffix("1: V1_LC"), "1: V1");
    EXPECT_STREQ(StripChannelSuffix("_TC"), "");
    EXPECT_STREQ(StripChannelSuffix("TC"), "TC");
}

} // namespace
