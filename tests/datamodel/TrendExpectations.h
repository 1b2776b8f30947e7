#pragma once
// Expected trend values computed straight from the bytes a test wrote, and comparisons of
// channel series with them (NaN expected means NaN read).
#include "datamodel/ITrendChannelAccess.h"
#include "datamodel/TrendChannel.h"
#include "support/SessionWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace trendtest {

inline constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A float as written at the offset of a table (in the table's byte order).
inline float F(const SWrittenTable& table, std::size_t offset)
{
    return std::bit_cast<float>(table.bytes.GetU32(offset));
}

inline void ExpectValue(double expected, float actual, const std::string& where)
{
    if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(actual)) << where << ": expected NaN, read " << actual;
        return;
    }
    if (std::isinf(expected)) {
        EXPECT_EQ(float(expected), actual) << where;
        return;
    }
    EXPECT_NEAR(expected, double(actual), 2e-6 * std::max(1.0, std::fabs(expected))) << where;
}

// Series s of the channel against the expected values, record by record.
inline void ExpectSeries(const CTrendChannel& channel, int series, const std::vector<double>& expected,
                         const std::string& where)
{
    const ITrendChannelAccess* access = channel.GetAccess(series);
    ASSERT_NE(access, nullptr) << where << " series " << series;
    ASSERT_EQ(channel.GetRecordCount(), expected.size()) << where;
    for (std::size_t i = 0; i < expected.size(); ++i)
        ExpectValue(expected[i], access->GetValue(int(i)), where + " series " + std::to_string(series) + " record " + std::to_string(i));
}

inline void ExpectAverageOnly(const CTrendChannel& channel, const std::vector<double>& expected, const std::string& where)
{
    EXPECT_EQ(channel.GetAccess(0), nullptr) << where;
    EXPECT_EQ(channel.GetAccess(2), nullptr) << where;
    ExpectSeries(channel, 1, expected, where);
}

enum class Stat { Mean, Rms, Sum, Min, Max };

// The statistic over the finite values; NaN when fewer than `required` (at least one) are finite.
inline double Reduce(const std::vector<double>& values, Stat stat, int required)
{
    std::vector<double> finite;
    for (double v : values)
        if (std::isfinite(v))
            finite.push_back(v);
    const int n = int(finite.size());
    if (n == 0)
        return std::nan("");
    switch (stat) {
    case Stat::Min: return *std::min_element(finite.begin(), finite.end());
    case Stat::Max: return *std::max_element(finite.begin(), finite.end());
    default: break;
    }
    if (n < required)
        return std::nan("");
    double sum = 0.0, squares = 0.0;
    for (double v : finite) {
        sum += v;
        squares += v * v;
    }
    switch (stat) {
    case Stat::Mean: return sum / n;
    case Stat::Rms: return std::sqrt(squares / n);
    default: return sum;
    }
}

inline double ClampMagnitude(double v)
{
    if (!std::isfinite(v) || std::fabs(v) < 0.001)
        return 0.0;
    return std::min(std::fabs(v), 1.0);
}

inline double NonActive(double s, double p)
{
    const double d = s * s - p * p;
    return std::isnan(d) ? d : d < 0 ? 0.0 : std::sqrt(d);
}

} // namespace trendtest
