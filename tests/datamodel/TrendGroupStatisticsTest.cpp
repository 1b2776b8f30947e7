// Group reductions: finite values reduced, infinities and NaN counted apart.
#include "datamodel/TrendGroupStatistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

float Reduce(const std::vector<float>& values, EGroupStatistic statistic, int required)
{
    return ReduceGroup(ScanGroup(values.data(), 0, int(values.size()) - 1), statistic, required);
}

std::vector<float> Ramp(int finite, int nan, float extra = 0.0f, int extras = 0)
{
    std::vector<float> values;
    for (int i = 0; i < finite; ++i)
        values.push_back(float(i + 1));
    values.insert(values.end(), std::size_t(nan), kNaN);
    values.insert(values.end(), std::size_t(extras), extra);
    return values;
}

TEST(TrendGroupStatistics, RequiredCountDecidesMeanRmsAndSumButNotExtremes)
{
    // 57 of 60 at ratio 0.95 pass; 56 do not, but the extremes stay those of the finite values.
    EXPECT_FLOAT_EQ(Reduce(Ramp(57, 3), EGroupStatistic::Mean, 57), 29.0f);
    EXPECT_FLOAT_EQ(Reduce(Ramp(57, 3), EGroupStatistic::Sum, 57), 57.0f * 58.0f / 2.0f);
    const auto few = Ramp(56, 4);
    EXPECT_TRUE(std::isnan(Reduce(few, EGroupStatistic::Mean, 57)));
    EXPECT_TRUE(std::isnan(Reduce(few, EGroupStatistic::Rms, 57)));
    EXPECT_TRUE(std::isnan(Reduce(few, EGroupStatistic::Sum, 57)));
    EXPECT_EQ(Reduce(few, EGroupStatistic::Minimum, 57), 1.0f);
    EXPECT_EQ(Reduce(few, EGroupStatistic::Maximum, 57), 56.0f);
    EXPECT_FLOAT_EQ(Reduce({3.0f, 4.0f}, EGroupStatistic::Rms, 2), std::sqrt(12.5f));
    // A requirement of 0 still needs one finite value.
    EXPECT_TRUE(std::isnan(Reduce({kNaN}, EGroupStatistic::Mean, 0)));
}

TEST(TrendGroupStatistics, InfinitiesWinOverNaNWhenTooFewValuesAreFinite)
{
    const auto oneInfinite = Ramp(59, 0, kInf, 1);
    EXPECT_FLOAT_EQ(Reduce(oneInfinite, EGroupStatistic::Mean, 57), 30.0f);
    EXPECT_EQ(Reduce(oneInfinite, EGroupStatistic::Maximum, 57), kInf);
    EXPECT_EQ(Reduce(Ramp(50, 9, kInf, 1), EGroupStatistic::Mean, 57), kInf);
    EXPECT_EQ(Reduce(Ramp(50, 9, -kInf, 1), EGroupStatistic::Mean, 57), -kInf);
    EXPECT_EQ(Reduce({kInf, -kInf}, EGroupStatistic::Sum, 1), kInf);
    EXPECT_EQ(Reduce(Ramp(3, 0, -kInf, 1), EGroupStatistic::Minimum, 57), -kInf);

    // Without finite values the extremes fall back on the infinities only when no NaN is seen.
    EXPECT_EQ(Reduce({-kInf, -kInf}, EGroupStatistic::Maximum, 1), -kInf);
    EXPECT_TRUE(std::isnan(Reduce({-kInf, kNaN}, EGroupStatistic::Maximum, 1)));
    EXPECT_EQ(Reduce({kInf}, EGroupStatistic::Minimum, 1), kInf);
    EXPECT_TRUE(std::isnan(Reduce({kInf, kNaN}, EGroupStatistic::Minimum, 1)));
}

TEST(TrendGroupStatistics, ScanCountsEachKindApart)
{
    const std::vector<float> values{2.0f, kNaN, kInf, -kInf, -3.0f, kNaN};
    const SGroupScan scan = ScanGroup(values.data(), 0, 5);
    EXPECT_EQ(scan.finite, 2);
    EXPECT_EQ(scan.nan, 2);
    EXPECT_EQ(scan.positiveInfinite, 1);
    EXPECT_EQ(scan.negativeInfinite, 1);
    EXPECT_EQ(scan.smallest, -3.0f);
    EXPECT_EQ(scan.largest, 2.0f);
    EXPECT_DOUBLE_EQ(scan.sumOfSquares, 13.0);
}

} // namespace
