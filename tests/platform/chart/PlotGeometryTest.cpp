// Axis ranges and the mapping between values and pixels: round trips, refused ranges that
// keep the last valid one, ticks where their values are, and points found by their X value.
#include "ChartTestSupport.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(PlotGeometryTest, ValuesAndPixelsRoundTripOnEveryAxis)
{
    CiPlotX chart;
    SetUpSimpleChart(chart);
    chart.AddXAxis("XAxis1");
    chart.SetXAxisRange(1, 45000.25, 1.0 / 24.0); // one hour of dates
    chart.RecalcLayout();
    const CRect plot = chart.GetLayout().plot;
    EXPECT_DOUBLE_EQ(chart.XValueToPixel(0, 0.0), plot.left);
    EXPECT_DOUBLE_EQ(chart.XValueToPixel(0, 100.0), plot.right - 1);
    EXPECT_DOUBLE_EQ(chart.YValueToPixel(0, 0.0), plot.bottom - 1);
    EXPECT_DOUBLE_EQ(chart.YValueToPixel(0, 10.0), plot.top);
    for (double v : {0.0, 12.5, 33.3, 99.99})
        EXPECT_NEAR(chart.XPixelToValue(0, chart.XValueToPixel(0, v)), v, 1e-9);
    for (double v : {45000.25, 45000.26, 45000.25 + 1.0 / 24.0})
        EXPECT_NEAR(chart.XPixelToValue(1, chart.XValueToPixel(1, v)), v, 1e-9);
    for (int p = plot.top; p < plot.bottom; p += 7)
        EXPECT_NEAR(chart.YValueToPixel(0, chart.YPixelToValue(0, p)), p, 1e-9);
    EXPECT_NEAR(chart.GetXAxis(1)->ValueToFraction(45000.25 + 1.0 / 48.0), 0.5, 1e-9);
    EXPECT_TRUE(std::isnan(chart.XValueToPixel(7, 1.0))); // no such axis
}

TEST(PlotGeometryTest, AnUnshowableRangeKeepsTheLastValidOne)
{
    CiPlotX chart;
    SetUpSimpleChart(chart);
    for (auto [min, span] : {std::pair{5.0, 0.0}, {5.0, -1.0}, {kNaN, 10.0}, {kInf, 1.0}, {1.0, kInf}, {1.0, kNaN},
                             {1e308, 1e308}}) {
        EXPECT_FALSE(chart.SetXAxisRange(0, min, span));
        EXPECT_EQ(chart.GetXAxis(0)->GetMin(), 0.0);
        EXPECT_EQ(chart.GetXAxis(0)->GetSpan(), 100.0);
    }
    // A channel of only gaps leaves an automatic axis where it was; a flat channel gets a range.
    chart.GetYAxis(0)->SetManual(false);
    chart.GetChannel(0)->AddGap(1.0);
    chart.GetChannel(0)->AddGap(2.0);
    chart.AutoScaleYAxes();
    EXPECT_EQ(chart.GetYAxis(0)->GetSpan(), 10.0);
    EXPECT_TRUE(std::isnan(chart.GetChannel(0)->GetDataMax()));
    chart.GetChannel(0)->AddXY(3.0, 230.0f);
    chart.AutoScaleYAxes();
    EXPECT_GT(chart.GetYAxis(0)->GetSpan(), 0.0);
    EXPECT_LT(chart.GetYAxis(0)->GetMin(), 230.0);
    EXPECT_GT(chart.GetYAxis(0)->GetMax(), 230.0);
    // The picture is drawn without a fault.
    EXPECT_EQ(chart.Picture().image.size(), QSize(400, 300));
}

TEST(PlotGeometryTest, PointsAreFoundAtOrBeforeTheirXValue)
{
    CPlotChannel channel("c");
    EXPECT_EQ(channel.GetIndexOfX(1.0), -1);
    for (double x : {1.0, 2.0, 2.0, 4.0})
        EXPECT_TRUE(channel.AddXY(x, float(x)));
    EXPECT_FALSE(channel.AddXY(3.0, 1.0f)); // X values never decrease
    EXPECT_FALSE(channel.AddXY(kNaN, 1.0f));
    EXPECT_EQ(channel.GetIndexOfX(0.5), -1);
    EXPECT_EQ(channel.GetIndexOfX(1.0), 0);
    EXPECT_EQ(channel.GetIndexOfX(2.5), 2);
    EXPECT_EQ(channel.GetIndexOfX(9.0), 3);
    EXPECT_EQ(channel.GetDataMin(), 1.0);
    EXPECT_EQ(channel.GetDataMax(), 4.0);
}

// Points added together are the points AddXY takes one by one: the same points, gaps and value
// range, whether their X values are in order or not.
TEST(PlotGeometryTest, PointsAddedTogetherAreThePointsAddedOneByOne)
{
    const auto same = [](const CPlotChannel& a, const CPlotChannel& b) {
        if (a.GetCount() != b.GetCount() || a.GapIndexes() != b.GapIndexes() || a.GetDataMin() != b.GetDataMin() ||
            a.GetDataMax() != b.GetDataMax())
            return false;
        for (int i = 0; i < a.GetCount(); ++i)
            if (a.GetXValue(i) != b.GetXValue(i) || !(a.GetYValue(i) == b.GetYValue(i) || std::isnan(a.GetYValue(i))))
                return false;
        return true;
    };
    constexpr float kGap = std::numeric_limits<float>::quiet_NaN();
    const std::vector<std::pair<std::vector<double>, std::vector<float>>> runs = {
        {{1.0, 2.0, 2.0, 3.0}, {5.0f, kGap, -1.0f, 7.5f}},
        {{4.0, 3.5, kNaN, 6.0, kInf}, {1.0f, 2.0f, 3.0f, 9.0f, 4.0f}},
        {{7.0}, {kGap}},
    };
    CPlotChannel together("t");
    CPlotChannel oneByOne("o");
    for (const auto& [x, y] : runs) {
        together.AddPoints(x.data(), y.data(), x.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            oneByOne.AddXY(x[i], y[i]);
        EXPECT_TRUE(same(together, oneByOne)) << together.GetCount();
    }
    EXPECT_EQ(together.GetCount(), 7);
    EXPECT_EQ(together.GapIndexes(), (std::vector<int>{1, 6}));
    EXPECT_EQ(together.GetDataMin(), -1.0);
    EXPECT_EQ(together.GetDataMax(), 9.0);

    // Room made for a year's points ahead keeps the points held and takes the ones added after.
    std::vector<double> x(300000);
    std::vector<float> y(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] = 8.0 + double(i);
        y[i] = float(i % 97) - 40.0f;
    }
    together.Reserve(std::size_t(together.GetCount()) + x.size());
    together.AddPoints(x.data(), y.data(), x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        oneByOne.AddXY(x[i], y[i]);
    EXPECT_TRUE(same(together, oneByOne));
    EXPECT_EQ(together.GetDataMax(), 56.0);
}

TEST(PlotGeometryTest, TicksAreDrawnAtTheirValuesPixels)
{
    CiPlotX chart;
    SetUpSimpleChart(chart);
    CPlotXAxis* axis = chart.GetXAxis(0);
    axis->SetCustomLabels(true);
    axis->AddLabel(25.0, "a");
    axis->AddLabel(50.0, ""); // a minor tick
    axis->AddLabel(200.0, "outside");
    ASSERT_EQ(axis->VisibleTicks(100, 10, true).size(), 2u);
    const CRect band = chart.GetLayout().xAxisBands[0];
    const QImage& image = chart.Picture().image;
    const int major = int(std::lround(chart.XValueToPixel(0, 25.0)));
    const int minor = int(std::lround(chart.XValueToPixel(0, 50.0)));
    EXPECT_EQ(image.pixel(major, band.top + 4), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(major + 2, band.top + 4), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(minor, band.top + 2), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(minor, band.top + 4), qRgb(255, 255, 255)); // minor ticks are shorter

    // Plain value labels fall on a nice step.
    const auto ticks = chart.GetYAxis(0)->VisibleTicks(300, 40, false);
    ASSERT_GE(ticks.size(), 3u);
    EXPECT_DOUBLE_EQ(ticks[1].value - ticks[0].value, 2.0);
    EXPECT_STREQ(ticks[1].text, "2");
}

} // namespace
