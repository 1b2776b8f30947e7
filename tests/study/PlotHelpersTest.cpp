// The plot helpers of the study graphs: working-hours shading in several zones, the chart
// set-up, X spans and markers, cursor placement and records, and the scale tooltip bands.
#include "datamodel/HighTime.h"
#include "platform/chart/CiPlotX.h"
#include "project/SCurAxisDetails.h"
#include "study/CursorRecords.h"
#include "study/IOCompUtils.h"
#include "study/PlotNames.h"
#include "study/ScaleTooltipLayout.h"
#include "study/SetupPlot.h"
#include "study/WorkingHoursShading.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

namespace {

// Monday 2026-03-02 .. Sunday 2026-03-08 on X axis 0.
void SetUpWeek(CiPlotX& chart)
{
    SetupPlot(chart, PlotSetup::kEnergySummaryOptions);
    chart.GetXAxis(0)->SetVisible(true);
    const double monday = CHighTime(2026, 3, 2, 0, 0, 0).GetAsDate();
    chart.SetXAxisRange(0, monday, 7.0 - 1e-6);
}

SWorkingHours Hours(int startHour, int spanHours)
{
    SWorkingHours hours;
    hours.on = true;
    hours.start = CHighTime(1899, 12, 30, startHour, 0, 0).GetAsDate();
    hours.span = CHighTime(1899, 12, 30, spanHours, 0, 0).GetAsDate();
    hours.days = {true, true, true, true, true, false, false};
    return hours;
}

class WorkingHoursTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(WorkingHoursTest, WeekdaysAreWhiteFromStartForTheSpanAndWeekendsGrey)
{
    ScopedTimeZone zone(GetParam());
    CiPlotX chart;
    SetUpWeek(chart);
    ASSERT_TRUE(ShadeWorkingHours(chart, 0, Hours(8, 8), false));
    EXPECT_EQ(chart.GetPlotBackground(), kOffHoursColor);
    for (int i = 0; i < chart.GetLabelCount(); ++i) {
        const SPlotLabel& label = *chart.GetLabel(i);
        ASSERT_STREQ(label.name, kWorkingHourAnnotation);
        EXPECT_EQ(label.kind, EPlotLabelKind::Rectangle);
        const CHighTime from = CHighTime::FromDate(label.x), to = CHighTime::FromDate(label.x2);
        EXPECT_EQ(from.GetHour(), 8);
        EXPECT_EQ(from.GetMinute(), 0);
        EXPECT_EQ(to.GetHour(), 16);
        EXPECT_GE(from.GetDayOfWeek(), 2); // Monday ..
        EXPECT_LE(from.GetDayOfWeek(), 6); // .. Friday
    }
    // Every working day of the visible week and of one and a half weeks either side is shaded.
    auto covered = [&](const CHighTime& time) {
        for (int i = 0; i < chart.GetLabelCount(); ++i)
            if (time.GetAsDate() >= chart.GetLabel(i)->x && time.GetAsDate() <= chart.GetLabel(i)->x2)
                return true;
        return false;
    };
    for (int day : {2, 3, 4, 5, 6})
        EXPECT_TRUE(covered(CHighTime(2026, 3, day, 12, 0, 0))) << day;
    EXPECT_TRUE(covered(CHighTime(2026, 2, 20, 12, 0, 0)));  // Friday, ten days before
    EXPECT_TRUE(covered(CHighTime(2026, 3, 17, 12, 0, 0)));  // Tuesday, ten days after
    EXPECT_FALSE(covered(CHighTime(2026, 3, 4, 7, 0, 0)));   // before the working hours
    EXPECT_FALSE(covered(CHighTime(2026, 3, 4, 16, 30, 0))); // after them
    // A Saturday noon lies under no rectangle.
    const double saturday = CHighTime(2026, 3, 7, 12, 0, 0).GetAsDate();
    for (int i = 0; i < chart.GetLabelCount(); ++i)
        EXPECT_FALSE(saturday >= chart.GetLabel(i)->x && saturday <= chart.GetLabel(i)->x2);

    // Off again: rectangles gone, plot white.
    SWorkingHours off = Hours(8, 8);
    off.on = false;
    EXPECT_TRUE(ShadeWorkingHours(chart, 0, off, false));
    EXPECT_EQ(chart.GetLabelCount(), 0);
    EXPECT_EQ(chart.GetPlotBackground(), CiPlotX::kDefaultBackground);
}

std::string ZoneName(const ::testing::TestParamInfo<const char*>& info)
{
    static const char* const names[] = {"Utc", "CentralEurope", "NewYork", "Tokyo"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Zones, WorkingHoursTest,
                         ::testing::Values("UTC0", "CET-1CEST,M3.5.0,M10.5.0/3", "EST5EDT,M3.2.0,M11.1.0", "JST-9"),
                         ZoneName);

TEST(WorkingHoursEdgeTest, ALateStartRunsPastMidnightAndAnUnsetAxisDrawsNothing)
{
    ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    CiPlotX chart;
    SetUpWeek(chart);
    ASSERT_TRUE(ShadeWorkingHours(chart, 0, Hours(22, 4), false));
    ASSERT_GT(chart.GetLabelCount(), 0);
    const CHighTime from = CHighTime::FromDate(chart.GetLabel(0)->x), to = CHighTime::FromDate(chart.GetLabel(0)->x2);
    EXPECT_EQ(from.GetHour(), 22);
    EXPECT_EQ(to.GetHour(), 2);
    EXPECT_EQ((to - from).GetTotalSeconds(), 4 * 3600);

    CiPlotX unset;
    SetupPlot(unset, PlotSetup::kEnergySummaryOptions);
    unset.SetXAxisRange(0, 0.0, 0.5); // an axis never given a session
    EXPECT_TRUE(ShadeWorkingHours(unset, 0, Hours(8, 8), false));
    EXPECT_EQ(unset.GetLabelCount(), 0);
    EXPECT_EQ(unset.GetPlotBackground(), kOffHoursColor);
    EXPECT_TRUE(ShadeWorkingHours(unset, -1, Hours(8, 8), false));
    EXPECT_EQ(unset.GetPlotBackground(), CiPlotX::kDefaultBackground);
}

TEST(PlotSetupTest, OptionSetsChooseCursorsAndAxisDragging)
{
    CiPlotX chart;
    chart.AddChannel("old", "XAxis0", "YAxis0");
    SetupPlot(chart, PlotSetup::kCalendarOptions);
    EXPECT_EQ(chart.GetChannelCount(), 0);
    ASSERT_EQ(chart.GetXAxisCount(), kMaxPlotXAxes);
    EXPECT_STREQ(chart.GetXAxis(3)->GetName(), "XAxis3");
    EXPECT_FALSE(chart.GetXAxis(0)->IsVisible());
    EXPECT_TRUE(chart.GetXAxis(0)->HasCustomLabels());
    EXPECT_EQ(chart.GetCursor(0).style, 0);
    SetupPlot(chart, PlotSetup::kEnergySummaryOptions);
    EXPECT_EQ(chart.GetXAxisCount(), kMaxPlotXAxes);
    EXPECT_EQ(chart.GetCursor(0).style, 3);
    EXPECT_EQ(chart.GetCursor(1).style, 4);
}

TEST(IOCompUtilsTest, SpansKeepTheCentreMarkersAndCursorsFollowTheAxis)
{
    CiPlotX chart;
    SetupPlot(chart, PlotSetup::kEnergySummaryOptions);
    chart.SetXAxisRange(0, 100.0, 10.0);
    chart.SetXAxisRange(1, 200.0, 10.0);
    IOCompUtils::SetXSpan(chart, 0, 2.0);
    EXPECT_DOUBLE_EQ(chart.GetXAxis(0)->GetMin(), 104.0);
    EXPECT_DOUBLE_EQ(chart.GetXAxis(1)->GetSpan(), 10.0);
    IOCompUtils::SetXSpan(chart, -1, 4.0);
    EXPECT_DOUBLE_EQ(chart.GetXAxis(1)->GetMin(), 203.0);

    IOCompUtils::PlaceXMarkers(chart, 1, 40.0, 60.0);
    EXPECT_NEAR(IOCompUtils::XMarkerPercent(chart, kXLoMarker, 1), 40.0, 1e-9);
    EXPECT_DOUBLE_EQ(chart.GetLimit(chart.FindLimit(kXHiMarker))->position1, 203.0 + 0.6 * 4.0);
    IOCompUtils::PlaceXMarkers(chart, 1, 10.0, 90.0); // moved, not made again
    EXPECT_EQ(chart.GetLimitCount(), 2);
    EXPECT_EQ(IOCompUtils::XMarkerPercent(chart, "none", 1), -1.0);

    const int channel = chart.AddChannel("1: V1_TC", "XAxis1", "");
    for (int i = 0; i < 40; ++i)
        chart.GetChannel(channel)->AddXY(203.0 + i * 0.1, 1.0f);
    IOCompUtils::PositionCursors(chart, "1: V1_TC");
    EXPECT_STREQ(chart.GetCursor(1).channelName, "1: V1_TC");
    EXPECT_NEAR(chart.GetCursor(0).position, 204.3, 1e-9); // the point at or before one third
    EXPECT_NEAR(chart.GetCursor(1).position, 205.6, 1e-9);

    CCursorRecords records;
    records.Store(chart, 0);
    chart.GetCursor(0).channelName = "other";
    chart.GetCursor(0).position = 0.0;
    records.Restore(chart);
    EXPECT_STREQ(chart.GetCursor(0).channelName, "1: V1_TC");
    EXPECT_NEAR(chart.GetCursor(0).position, 204.3, 1e-9);
    SCurAxisDetails details;
    records.ToDetails(chart, details);
    EXPECT_EQ(details.xCursors[0].index, channel);
    EXPECT_EQ(details.xCursors[1].index, -1); // never stored
    CCursorRecords reread;
    reread.FromDetails(chart, details);
    EXPECT_TRUE(reread.Get(0).placed);
    EXPECT_FALSE(reread.Get(1).placed);
    // A position stored as a day number of twelve digits, 8 ms before its record, comes back on it.
    details.xCursors[0].pos = 204.2999999;
    reread.FromDetails(chart, details);
    reread.Restore(chart);
    EXPECT_NEAR(chart.GetCursor(0).position, 204.3, 1e-9);
    details.xCursors[0].pos = 204.35; // between two records: the one before
    reread.FromDetails(chart, details);
    reread.Restore(chart);
    EXPECT_NEAR(chart.GetCursor(0).position, 204.3, 1e-9);
    chart.GetChannel(channel)->SetVisible(false); // a hidden channel does not take the cursor back
    chart.GetCursor(0).position = 0.0;
    reread.Restore(chart);
    EXPECT_EQ(chart.GetCursor(0).position, 0.0);

    EXPECT_STREQ(ComposeCursorReadout("1: V1", "231.4 V", "02.03.2026 15:20"), "1: V1\n231.4 V\n02.03.2026 15:20");
    EXPECT_EQ(ReadoutPositionAvoiding(50.0, 55.0), 10.0);
    EXPECT_EQ(ReadoutPositionAvoiding(50.0, 45.0), 90.0);
    EXPECT_EQ(ReadoutPositionAvoiding(50.0, 70.0), 50.0);
}

TEST(ScaleTooltipLayoutTest, BandsCoverTheVisibleAxesOfEachSide)
{
    CiPlotX chart;
    chart.SetPictureSize(800, 400);
    SetupPlot(chart, PlotSetup::kEnergySummaryOptions);
    chart.GetXAxis(0)->SetVisible(true);
    chart.GetXAxis(2)->SetVisible(true);
    chart.AddYAxis("YAxis0");
    chart.AddYAxis("YAxis1");
    chart.AddYAxis("YAxis2");
    chart.GetYAxis(2)->SetPosition(100.0);
    chart.RecalcLayout();
    const SScaleTooltipBands bands = LayoutScaleTooltips(chart);
    const int m = SPlotLayout::kMargin;
    EXPECT_EQ(bands.xAxes, CRect(m, 400 - m - 2 * SPlotLayout::kXAxisHeight, 800 - m, 400 - m));
    EXPECT_EQ(bands.leftYAxes.Width(), 2 * SPlotLayout::kYAxisWidth);
    EXPECT_EQ(bands.leftYAxes.left, m);
    EXPECT_EQ(bands.rightYAxes, CRect(800 - m - SPlotLayout::kYAxisWidth, m, 800 - m, chart.GetLayout().plot.bottom));
    EXPECT_EQ(chart.GetReservedHeight(), 400 - chart.GetLayout().plot.Height());
    chart.GetYAxis(2)->SetVisible(false);
    chart.RecalcLayout();
    EXPECT_TRUE(LayoutScaleTooltips(chart).rightYAxes.IsRectEmpty());
}

} // namespace
