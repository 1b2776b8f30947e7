#include "datamodel/NonFiniteResult.h"

#include <gtest/gtest.h>

TEST(NonFiniteResult, InfinityWinsOverNaNAndPositiveOverNegative)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(NonFiniteResult(inf, -inf), inf);
    EXPECT_EQ(NonFiniteResult(-inf, inf), inf);
    EXPECT_EQ(NonFiniteResult(nan, -inf), -inf);
    EXPECT_EQ(NonFiniteResult(1.0f, -inf), -inf);
    EXPECT_TRUE(std::isnan(NonFiniteResult(nan, 2.0f)));
    EXPECT_TRUE(std::isnan(NonFiniteResult(nan, nan)));
}
