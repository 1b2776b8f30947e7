// The time labels of an X axis fall on round local times and read the local time in every
// zone: the chart dates are one hour ahead of the standard date origin and the tick offset is
// one hour short of the zone's, which cancel (both are kept because stored settings hold chart
// dates).
#include "datamodel/HighTime.h"
#include "platform/chart/PlotAxis.h"
#include "study/XAxisTimeLabels.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

namespace {

struct SZoneCase
{
    const char* zone;
    int month;
    const char* name;
};

class XAxisTimeLabelsTest : public ::testing::TestWithParam<SZoneCase>
{
};

std::vector<SPlotAxisLabel> LabelHour(CPlotXAxis& axis, int month, int* parity = nullptr)
{
    const double start = CHighTime(2026, month, 15, 10, 0, 0).GetAsDate();
    axis.SetMinSpan(start, 1.0 / 24.0);
    SXAxisLabelRequest request;
    request.availableWidth = 600;
    request.labelWidth = 100; // ratio 610 / 110: a raw step of 649 s takes the 20-minute step
    request.timeFormat = "%d.%m.%Y %H:%M";
    request.parity = parity;
    BuildXAxisTimeLabels(axis, request);
    return axis.GetLabels();
}

TEST_P(XAxisTimeLabelsTest, TicksSitOnRoundLocalTimesAndReadThem)
{
    ScopedTimeZone zone(GetParam().zone);
    CPlotXAxis axis("XAxis0");
    const auto labels = LabelHour(axis, GetParam().month);
    ASSERT_EQ(labels.size(), 7u); // 10:00 .. 11:00 every 10 minutes
    const char* month = GetParam().month == 1 ? "01" : "07";
    for (std::size_t i = 0; i < labels.size(); ++i) {
        CHighTime tick = CHighTime::FromDate(labels[i].value);
        tick.RoundToSecond();
        EXPECT_EQ(tick.GetHour() * 60 + tick.GetMinute(), 600 + int(i) * 10) << i;
        EXPECT_EQ(tick.GetSecond(), 0);
        if (i % 2 == 0) {
            CString expected;
            expected.Format("15.%s.2026 %02d:%02d", month, 10 + int(i) / 6, (int(i) * 10) % 60);
            EXPECT_STREQ(labels[i].text, expected);
        } else {
            EXPECT_TRUE(labels[i].text.IsEmpty()); // minor ticks half-way
        }
    }
    EXPECT_TRUE(axis.HasCustomLabels());
}

INSTANTIATE_TEST_SUITE_P(Zones, XAxisTimeLabelsTest,
                         ::testing::Values(SZoneCase{"UTC0", 1, "UtcWinter"}, SZoneCase{"UTC0", 7, "UtcSummer"},
                                           SZoneCase{"CET-1CEST,M3.5.0,M10.5.0/3", 1, "CentralEuropeWinter"},
                                           SZoneCase{"CET-1CEST,M3.5.0,M10.5.0/3", 7, "CentralEuropeSummer"},
                                           SZoneCase{"EST5EDT,M3.2.0,M11.1.0", 1, "NewYorkWinter"},
                                           SZoneCase{"EST5EDT,M3.2.0,M11.1.0", 7, "NewYorkSummer"},
                                           SZoneCase{"IST-5:30", 1, "IndiaHalfHour"},
                                           SZoneCase{"<+0930>-9:30", 7, "AdelaideHalfHour"}),
                         [](const ::testing::TestParamInfo<SZoneCase>& info) { return std::string(info.param.name); });

TEST(XAxisTimeLabelsEdgeTest, ACalendarParityIsFixedByTheFirstLabelledTick)
{
    ScopedTimeZone zone("UTC0");
    CPlotXAxis axis("XAxis0");
    int parity = -1;
    const double start = CHighTime(2026, 1, 15, 10, 10, 0).GetAsDate(); // starts on an odd half step
    axis.SetMinSpan(start, 1.0 / 24.0);
    SXAxisLabelRequest request;
    request.availableWidth = 600;
    request.labelWidth = 100;
    request.timeFormat = "%H:%M";
    request.parity = &parity;
    BuildXAxisTimeLabels(axis, request);
    EXPECT_EQ(parity, 1);
    EXPECT_STREQ(axis.GetLabels().front().text, "10:10");
    // Scrolled by one half step, the same ticks keep their texts.
    axis.SetMinSpan(start + 10.0 / 1440.0, 1.0 / 24.0);
    BuildXAxisTimeLabels(axis, request);
    EXPECT_TRUE(axis.GetLabels().front().text.IsEmpty());
    EXPECT_STREQ(axis.GetLabels()[1].text, "10:30");
}

TEST(XAxisTimeLabelsEdgeTest, ASingleSampleGetsItsTwoEndsAndLongSpansWholeDays)
{
    ScopedTimeZone zone("UTC0");
    CPlotXAxis axis("XAxis0");
    const double start = CHighTime(2026, 1, 15, 10, 0, 0).GetAsDate();
    axis.SetMinSpan(start, 1e-9);
    SXAxisLabelRequest request;
    request.minimum = start;
    request.maximum = start;
    request.availableWidth = 600;
    request.labelWidth = 100;
    request.timeFormat = "%H:%M";
    EXPECT_EQ(BuildXAxisTimeLabels(axis, request), 2);
    EXPECT_EQ(axis.GetLabels()[0].value, start);
    EXPECT_STREQ(axis.GetLabels()[1].text, "10:00");

    axis.SetMinSpan(10000.0, 200000.0); // steps beyond 5000 days: whole days
    SXAxisLabelRequest wide;
    wide.availableWidth = 100;
    wide.labelWidth = 100;
    wide.timeFormat = "%Y";
    BuildXAxisTimeLabels(axis, wide);
    ASSERT_GE(axis.GetLabels().size(), 2u);
    const double step = 2 * (axis.GetLabels()[1].value - axis.GetLabels()[0].value);
    EXPECT_NEAR(step, 100000.0, 1e-6);
}

} // namespace
