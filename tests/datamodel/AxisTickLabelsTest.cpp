#include "datamodel/AxisTickLabels.h"

#include "datamodel/ValueFormatter.h"
#include "platform/framework/StringTable.h"
#include "support/ScopedUserLocale.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
constexpr DWORD kVoltage = 0;
constexpr DWORD kActivePower = 5;
constexpr DWORD kPowerFactor = 8;
constexpr DWORD kFoldedPowerFactor = 56;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct SExpectedTick
{
    const char* text;
    double value;
};

class AxisTickLabelsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CStringTable::Instance().LoadLanguage("ENG")); }

    static SValueFormat Scale(int decimals, double divisor)
    {
        SValueFormat format;
        format.decimals = decimals;
        format.divisor = divisor;
        return format;
    }
    // The display scale of an active-power axis up to `maximum` kW, as a view chooses it.
    SValueFormat PowerScale(double maximum)
    {
        formatter.RegisterRange(0, 0, kActivePower, false, 0.0f, 1.0f);
        SValueFormat format;
        formatter.GetValueFormat(0, kActivePower, false, 0, maximum, false, format);
        return format;
    }
    static void ExpectTicks(const std::vector<SAxisTickLabel>& labels, std::initializer_list<SExpectedTick> expected)
    {
        ASSERT_EQ(labels.size(), expected.size());
        std::size_t i = 0;
        for (const SExpectedTick& tick : expected) {
            EXPECT_EQ(labels[i].text, tick.text) << "tick " << i;
            EXPECT_NEAR(labels[i].value, tick.value, std::abs(tick.value) * 1e-12 + 1e-18) << "tick " << i;
            ++i;
        }
    }

    CScopedUserLocale locale{CUserLocale::EnUs()};
    CValueFormatter formatter;
    std::vector<SAxisTickLabel> labels;
};

// Worked by hand: n = desired ticks, step = range / n, e = its power of ten, then the nice
// step 1, 2 or 5 x 10^e, widened when range / step > n.
TEST_F(AxisTickLabelsTest, VoltageAxisUpTo230)
{
    // 230 / 5 = 46, e = 1, mantissa 4.6: base 2 -> 20; 11.5 ticks > 5: 50.
    ASSERT_EQ(BuildAxisTickLabels(formatter, kVoltage, Scale(0, 1.0), 0.0, 230.0, 5, labels), 0);
    ExpectTicks(labels, {{"0", 0}, {"50", 50}, {"100", 100}, {"150", 150}, {"200", 200}});
}

TEST_F(AxisTickLabelsTest, PowerAxesFromMilliToGiga)
{
    // 1e-3 kW = 1 W: no prefix, 3 decimals, divisor 0.001; 0..1 in 0.2 steps.
    SValueFormat scale = PowerScale(1e-3);
    ASSERT_EQ(BuildAxisTickLabels(formatter, kActivePower, scale, 0.0, 1e-3, 5, labels), 0);
    ExpectTicks(labels, {{"0.000", 0}, {"0.200", 2e-4}, {"0.400", 4e-4}, {"0.600", 6e-4}, {"0.800", 8e-4},
                         {"1.000", 1e-3}});

    // 12.3 W: 2 decimals; 12.3 / 5 = 2.46 -> base 2; 6.15 > 5 -> 5.
    scale = PowerScale(0.0123);
    ASSERT_EQ(BuildAxisTickLabels(formatter, kActivePower, scale, 0.0, 0.0123, 5, labels), 0);
    ExpectTicks(labels, {{"0.00", 0}, {"5.00", 0.005}, {"10.00", 0.01}});

    // 750 W, 6 ticks: 125 -> base 1 -> 100; 7.5 > 6 -> 200.
    scale = PowerScale(0.75);
    ASSERT_EQ(BuildAxisTickLabels(formatter, kActivePower, scale, 0.0, 0.75, 6, labels), 0);
    ExpectTicks(labels, {{"0.0", 0}, {"200.0", 0.2}, {"400.0", 0.4}, {"600.0", 0.6}});

    // -40..40 kW, 8 ticks: step 10 exactly.
    scale = PowerScale(40.0);
    ASSERT_EQ(BuildAxisTickLabels(formatter, kActivePower, scale, -40.0, 40.0, 8, labels), 0);
    ExpectTicks(labels, {{"-40.000", -40}, {"-30.000", -30}, {"-20.000", -20}, {"-10.000", -10}, {"0.000", 0},
                         {"10.000", 10}, {"20.000", 20}, {"30.000", 30}, {"40.000", 40}});

    // 120 MW: 24 -> base 2; 6 > 5 -> 50 (MW).
    scale = PowerScale(1.2e5);
    ASSERT_EQ(BuildAxisTickLabels(formatter, kActivePower, scale, 0.0, 1.2e5, 5, labels), 0);
    ExpectTicks(labels, {{"0.000", 0}, {"50.000", 5e4}, {"100.000", 1e5}});

    // 1e9 kW shows as 1,000,000 MW: step 2e5 MW.
    scale = PowerScale(1e9);
    ASSERT_EQ(BuildAxisTickLabels(formatter, kActivePower, scale, 0.0, 1e9, 5, labels), 0);
    ExpectTicks(labels, {{"0.000", 0}, {"200000.000", 2e8}, {"400000.000", 4e8}, {"600000.000", 6e8},
                         {"800000.000", 8e8}, {"1000000.000", 1e9}});
}

TEST_F(AxisTickLabelsTest, FewerTicksWhenTheStepNeedsMoreDecimals)
{
    // 0.95 V with 1 decimal: 10 ticks would need 0.095 (e = -2); 9 ticks give 0.1056 (e = -1),
    // base 1 -> 0.1; 9.5 > 9 -> 0.2.
    ASSERT_EQ(BuildAxisTickLabels(formatter, kVoltage, Scale(1, 1.0), 0.0, 0.95, 10, labels), 0);
    ExpectTicks(labels, {{"0.0", 0}, {"0.2", 0.2}, {"0.4", 0.4}, {"0.6", 0.6}, {"0.8", 0.8}});

    // Any larger count ends at the same 9 ticks, and at once rather than one count at a time.
    labels.clear();
    ASSERT_EQ(BuildAxisTickLabels(formatter, kVoltage, Scale(1, 1.0), 0.0, 0.95, std::numeric_limits<int>::max(),
                                  labels), 0);
    ExpectTicks(labels, {{"0.0", 0}, {"0.2", 0.2}, {"0.4", 0.4}, {"0.6", 0.6}, {"0.8", 0.8}});
}

TEST_F(AxisTickLabelsTest, LabelsUseTheDecimalSeparator)
{
    CScopedUserLocale de(CUserLocale::DeDe());
    CValueFormatter german;
    ASSERT_EQ(BuildAxisTickLabels(german, kVoltage, Scale(1, 1.0), 0.0, 0.95, 10, labels), 0);
    EXPECT_EQ(labels[1].text, "0,2");
}

TEST_F(AxisTickLabelsTest, PowerFactorAxesLabelOnlyTheUnitRange)
{
    ASSERT_EQ(BuildAxisTickLabels(formatter, kPowerFactor, Scale(1, 1.0), -2.0, 2.0, 4, labels), 0);
    ExpectTicks(labels, {{"", -2}, {"-1.0", -1}, {"0.0", 0}, {"1.0", 1}, {"", 2}});

    // Folded: position 0 is "+/-1", the others show the unfolded power factor.
    ASSERT_EQ(BuildAxisTickLabels(formatter, kFoldedPowerFactor, Scale(1, 1.0), -1.0, 1.0, 10, labels), 0);
    ExpectTicks(labels, {{"0.0", -1.0}, {"-0.2", -0.8}, {"-0.4", -0.6}, {"-0.6", -0.4}, {"-0.8", -0.2},
                         {"+/-1", 0.0}, {"0.8", 0.2}, {"0.6", 0.4}, {"0.4", 0.6}, {"0.2", 0.8}, {"0.0", 1.0}});
}

TEST_F(AxisTickLabelsTest, FailureLeavesThePreviousLabels)
{
    const std::vector<SAxisTickLabel> previous = {{"old", 1.0}};
    struct Case
    {
        const char* what;
        SValueFormat scale;
        double minimum, maximum;
        int ticks;
    };
    const Case cases[] = {
        {"two ticks only", Scale(1, 1.0), 0.0, 0.32, 6},
        {"zero range", Scale(1, 1.0), 5.0, 5.0, 5},
        {"reversed range", Scale(1, 1.0), 5.0, 1.0, 5},
        {"NaN minimum", Scale(1, 1.0), kNaN, 1.0, 5},
        {"infinite maximum", Scale(1, 1.0), 0.0, kInf, 5},
        {"no ticks", Scale(1, 1.0), 0.0, 10.0, 0},
        {"negative ticks", Scale(1, 1.0), 0.0, 10.0, -3},
        {"zero divisor", Scale(1, 0.0), 0.0, 10.0, 5},
        {"NaN divisor", Scale(1, kNaN), 0.0, 10.0, 5},
        {"subnormal range", Scale(1, 1.0), 0.0, 1e-320, 5},
        {"step below the resolution of the position", Scale(0, 1.0), 1e19, 1e19 + 5e3, 5},
    };
    for (const Case& c : cases) {
        labels = previous;
        EXPECT_EQ(BuildAxisTickLabels(formatter, kVoltage, c.scale, c.minimum, c.maximum, c.ticks, labels), -1)
            << c.what;
        ASSERT_EQ(labels.size(), 1u) << c.what;
        EXPECT_EQ(labels[0].text, "old") << c.what;
    }
}
} // namespace
