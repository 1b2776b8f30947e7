#include "datamodel/PowerFactor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(FoldPowerFactor, FoldsBothEndsOntoZeroAndIsItsOwnInverse)
{
    EXPECT_FLOAT_EQ(FoldPowerFactor(1.0f), 0.0f);
    EXPECT_FLOAT_EQ(FoldPowerFactor(-1.0f), 0.0f);
    EXPECT_FLOAT_EQ(FoldPowerFactor(0.8f), 0.2f);
    EXPECT_FLOAT_EQ(FoldPowerFactor(-0.8f), -0.2f);
    EXPECT_FLOAT_EQ(FoldPowerFactor(0.0f), 1.0f);
    EXPECT_FLOAT_EQ(FoldPowerFactor(-0.0f), -1.0f);
    EXPECT_FLOAT_EQ(FoldPowerFactor(3.0f), 1.0f);
    EXPECT_FLOAT_EQ(FoldPowerFactor(-2.5f), -1.0f);
    EXPECT_TRUE(std::isnan(FoldPowerFactor(std::numeric_limits<float>::quiet_NaN())));
    EXPECT_EQ(FoldPowerFactor(-std::numeric_limits<float>::infinity()), -std::numeric_limits<float>::infinity());
    for (float v = -0.95f; v < 1.0f; v += 0.1f)
        EXPECT_NEAR(FoldPowerFactor(FoldPowerFactor(v)), v, 1e-6f) << v;
}

TEST(ClampUnitMagnitude, KeepsMagnitudesWithinOne)
{
    EXPECT_EQ(ClampUnitMagnitude(std::nan("")), 0.0);
    EXPECT_EQ(ClampUnitMagnitude(HUGE_VAL), 0.0);
    EXPECT_EQ(ClampUnitMagnitude(0.0009), 0.0);
    EXPECT_EQ(ClampUnitMagnitude(-0.001), 0.001);
    EXPECT_EQ(ClampUnitMagnitude(-0.5), 0.5);
    EXPECT_EQ(ClampUnitMagnitude(1.0), 1.0);
    EXPECT_EQ(ClampUnitMagnitude(-7.0), 1.0);
    EXPECT_EQ(ClampUnitMagnitudeSigned(-0.5, 2.0), 0.5);
    EXPECT_EQ(ClampUnitMagnitudeSigned(0.5, -0.1), -0.5);
    EXPECT_EQ(ClampUnitMagnitudeSigned(9.0, 0.0), 1.0);
    EXPECT_EQ(ClampUnitMagnitudeSigned(9.0, -3.0), -1.0);
    EXPECT_EQ(ClampUnitMagnitudeSigned(std::nan(""), -3.0), 0.0);
}

TEST(PowerFactorQuantities, AreTheFourPowerFactorIds)
{
    for (int id = -1; id < 70; ++id) {
        EXPECT_EQ(IsPowerFactorQuantity(id), id == 8 || id == 9 || id == 56 || id == 57) << id;
        EXPECT_EQ(IsFoldedPowerFactorQuantity(id), id == 56 || id == 57) << id;
    }
}
