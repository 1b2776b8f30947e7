// The trend feeder on a real session: three phases of voltage with their Min and Max series,
// gaps kept, windowed feeding, limits; the Y-axis table; the zoom rectangle applied through the
// feeder, the chart menus and keys. The demonstration picture is written to the temporary folder.
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/ITrendChannelAccess.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendTimeBlock.h"
#include "platform/chart/CiPlotX.h"
#include "platform/framework/windows/CMenu.h"
#include "platform/framework/windows/GdiObjects.h"
#include "project/BasicViewSettings.h"
#include "study/ChartMenus.h"
#include "study/RecTrendToIOComp.h"
#include "study/SeriesFeed.h"
#include "study/SetupPlot.h"
#include "study/StatisticsRecord.h"
#include "study/XAxisTimeLabels.h"
#include "study/ZoomRectangle.h"
#include "support/ScopedTimeZone.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kVoltageItem = 0;
constexpr DWORD kVoltage = 0;
const COLORREF kPhaseColors[3] = {RGB(200, 30, 30), RGB(30, 30, 30), RGB(30, 60, 220)};

COLORREF Lighter(COLORREF c)
{
    return RGB(BYTE((GetRValue(c) + 2 * 255) / 3), BYTE((GetGValue(c) + 2 * 255) / 3), BYTE((GetBValue(c) + 2 * 255) / 3));
}

class FeederTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CSessionWriter writer; // 144 ten-minute records with a gap at 40..42 and a few NaN values
        const std::string path = m_folder.Path("session.zlg");
        ASSERT_TRUE(WriteBytesToFile(path, writer.BuildFile()));
        ASSERT_EQ(m_set.LoadFromFile(path.c_str(), false), 0);
        m_item = m_cache.GetTrendItem(&m_set, kVoltageItem, 0, STrendAccessSpec{0, 1});
        ASSERT_NE(m_item, nullptr);
        m_block = m_set.GetTrendTimeBlock();
        m_chart.SetPictureSize(900, 420);
        SetupPlot(m_chart, PlotSetup::kEnergySummaryOptions);
    }

    // Avg, Min and Max of the three phases; returns the Avg channel of each phase.
    std::vector<int> FeedVoltage(double start, double end)
    {
        const DWORD quantities[] = {kVoltage};
        const UINT titles[] = {0};
        m_feeder.SetYAxes(1, quantities, titles, nullptr);
        std::vector<int> averages;
        for (DWORD phase = 0; phase < 3; ++phase) {
            CString name;
            name.Format("V%u", unsigned(phase + 1));
            const int avg = m_feeder.AddChannel(0, name, phase, kStatAvg, kPhaseColors[phase]);
            const int min = m_feeder.AddChannel(0, name, phase, kStatMin, Lighter(kPhaseColors[phase]));
            const int max = m_feeder.AddChannel(0, name, phase, kStatMax, Lighter(kPhaseColors[phase]));
            for (int c : {avg, min, max})
                m_feeder.SetChannelQuantity(c, kVoltage);
            const auto channel = m_item->GetChannel(kVoltage, phase);
            m_feeder.FeedChannel(avg, *channel, *m_block, true, 0, start, end);
            averages.push_back(avg);
        }
        m_chart.GetXAxis(0)->SetVisible(true);
        m_chart.SetXAxisRange(0, start, end - start);
        m_feeder.Finish();
        m_feeder.SetAxisTitle(0, "Voltage [V]");
        return averages;
    }

    ScopedTimeZone m_zone{"CET-1CEST,M3.5.0,M10.5.0/3"};
    CTempXdgHome m_home;
    CTempFolder m_folder;
    CDataSet m_set{nullptr};
    CTrendCache m_cache;
    CDataItemTrend* m_item = nullptr;
    CTrendTimeBlock* m_block = nullptr;
    CiPlotX m_chart;
    CRecTrendToIOComp m_feeder{&m_chart, nullptr, 1, 0};
};

TEST_F(FeederTest, ThreePhasesOfVoltageWithMinAndMaxAreShownWithTheirGaps)
{
    const double first = m_block->GetPoints().front().date, last = m_block->GetPoints().back().date;
    const auto averages = FeedVoltage(first, last);
    ASSERT_EQ(m_chart.GetChannelCount(), 9);
    const int points = m_block->GetPointCount();
    for (int avg : averages) {
        const CPlotChannel& a = *m_chart.GetChannel(avg);
        const CPlotChannel& lo = *m_chart.GetChannel(avg + 1);
        const CPlotChannel& hi = *m_chart.GetChannel(avg + 2);
        EXPECT_TRUE(a.IsVisible());
        EXPECT_EQ(a.GetCount(), points);
        EXPECT_EQ(lo.GetCount(), points);
        int gaps = 0;
        for (int i = 0; i < points; ++i) {
            if (!std::isfinite(a.GetYValue(i))) {
                ++gaps;
                continue;
            }
            EXPECT_LE(lo.GetYValue(i), a.GetYValue(i));
            EXPECT_GE(hi.GetYValue(i), a.GetYValue(i));
            EXPECT_NEAR(a.GetYValue(i), 230.0, 30.0);
        }
        EXPECT_GE(gaps, 1); // the recording gap breaks each line
    }
    EXPECT_STREQ(m_chart.GetChannel(averages[1])->GetTitle(), "1: V2");
    EXPECT_STREQ(m_chart.GetChannel(averages[1] + 2)->GetName(), "1: V2 Max_TC");
    EXPECT_EQ(m_feeder.FindChannelEntry("1: V2 Max_TC"), averages[1] + 2);
    // The automatic Y axis holds every value of the visible channels.
    m_chart.Repaint();
    const CPlotYAxis& y = *m_chart.GetYAxis(0);
    for (int c = 0; c < m_chart.GetChannelCount(); ++c) {
        EXPECT_LE(y.GetMin(), m_chart.GetChannel(c)->GetDataMin());
        EXPECT_GE(y.GetMax(), m_chart.GetChannel(c)->GetDataMax());
    }

    // The demonstration picture: labelled time axis and a cursor with its readout.
    SXAxisLabelRequest labels;
    labels.availableWidth = m_chart.GetLayout().plot.Width();
    labels.labelWidth = 90;
    labels.timeFormat = "%d.%m.%Y %H:%M";
    BuildXAxisTimeLabels(*m_chart.GetXAxis(0), labels);
    m_chart.GetCursor(0).channelName = m_chart.GetChannel(averages[0])->GetName();
    m_chart.GetCursor(1).style = 0;
    m_chart.SetCursorPosition(0, first + (last - first) * 0.6);
    m_chart.GetCursor(0).readout = "1: V1\n231.4 V\n02.03.2026 15:20";
    m_chart.Repaint();
    CBitmap picture;
    ASSERT_TRUE(m_chart.CopyToBitmap(picture));
    EXPECT_TRUE(picture.SaveToFile((std::filesystem::temp_directory_path() / "orn_feeder_demo.png").string().c_str()));
}

// A session of two weeks of one-minute records with a gap and values that are not finite in
// phase A's average: two within a two-hour step, one opening a step.
class FeederTogetherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SSessionSpec recording;
        recording.trendRecords = 20160;
        recording.averagingSeconds = 60;
        recording.gapStart = 7000;
        recording.gapLength = 30;
        CSessionWriter writer(recording);
        std::vector<SWrittenTable> tables = writer.BuildTables();
        int written = 0;
        for (SWrittenTable& table : tables)
            if (table.type == 64 && (++written == 1003 || written == 1010 || written == 1201))
                table.bytes.PutF32(32, written == 1010 ? std::numeric_limits<float>::infinity()
                                                       : std::numeric_limits<float>::quiet_NaN());
        ASSERT_TRUE(WriteBytesToFile(m_folder.Path("long.zlg"), writer.BuildFile(tables)));
        ASSERT_EQ(m_set.LoadFromFile(m_folder.Path("long.zlg").c_str(), false), 0);
        m_item = m_cache.GetTrendItem(&m_set, kVoltageItem, 0, STrendAccessSpec{0, 1});
        ASSERT_NE(m_item, nullptr);
        m_block = m_set.GetTrendTimeBlock();
    }

    ScopedTimeZone m_zone{"CET-1CEST,M3.5.0,M10.5.0/3"};
    CTempXdgHome m_home;
    CTempFolder m_folder;
    CDataSet m_set{nullptr};
    CTrendCache m_cache;
    CDataItemTrend* m_item = nullptr;
    const CTrendTimeBlock* m_block = nullptr;
};

// The nine series are read together, a run of records at a time. Each channel must still hold
// its own series' values at every point, and decimated feeding must give each channel what
// feeding it alone gives: each step's first, lowest, highest and last sample.
TEST_F(FeederTogetherTest, SeriesFedTogetherKeepTheirOwnValues)
{
    CDataItemTrend* item = m_item;
    const CTrendTimeBlock& block = *m_block;
    const std::vector<STrendTimePoint>& points = block.GetPoints();

    struct SFed
    {
        std::unique_ptr<CiPlotX> chart = std::make_unique<CiPlotX>();
        std::unique_ptr<CRecTrendToIOComp> feeder = std::make_unique<CRecTrendToIOComp>(chart.get(), nullptr, 1, 0);
        std::vector<std::unique_ptr<CTrendChannel>> trends;
        std::vector<CRecTrendToIOComp::SChannelFeed> feeds;
    };
    const auto prepare = [&](SFed& fed) {
        SetupPlot(*fed.chart, PlotSetup::kEnergySummaryOptions);
        for (DWORD phase = 0; phase < 3; ++phase) {
            CString name;
            name.Format("V%u", unsigned(phase + 1));
            const int avg = fed.feeder->AddChannel(0, name, phase, kStatAvg, kPhaseColors[phase]);
            fed.feeder->AddChannel(0, name, phase, kStatMin, kPhaseColors[phase]);
            fed.feeder->AddChannel(0, name, phase, kStatMax, kPhaseColors[phase]);
            fed.trends.push_back(item->GetChannel(kVoltage, phase));
            fed.feeds.push_back({avg, fed.trends.back().get(), true});
        }
    };
    const double start = points.front().date, end = points.back().date;

    SFed together;
    prepare(together);
    together.feeder->FeedChannels(together.feeds, block, 0, start, end);
    const int statistics[] = {kStatAvg, kStatMin, kStatMax};
    for (int c = 0; c < 9; ++c) {
        const CPlotChannel& plot = *together.chart->GetChannel(c);
        ASSERT_EQ(plot.GetCount(), int(points.size())) << c;
        std::vector<float> values(std::size_t(together.trends[std::size_t(c / 3)]->GetRecordCount()));
        together.trends[std::size_t(c / 3)]->GetAccess(statistics[c % 3])->ReadValues(0, int(values.size()), values.data());
        int gaps = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (points[i].record < 0) {
                ++gaps;
                ASSERT_TRUE(std::isnan(plot.GetYValue(int(i)))) << c << " at " << i;
                continue;
            }
            ASSERT_EQ(std::bit_cast<std::uint32_t>(plot.GetYValue(int(i))),
                      std::bit_cast<std::uint32_t>(values[std::size_t(points[i].record)])) << c << " at " << i;
        }
        EXPECT_GE(gaps, 1);
    }

    // Two-hour steps: the channels fed together and each alone give the same points.
    SFed alone;
    prepare(alone);
    together.feeder->SetDecimationStep(1.0 / 12.0);
    alone.feeder->SetDecimationStep(1.0 / 12.0);
    together.feeder->FeedChannels(together.feeds, block, 0, start, end);
    for (const CRecTrendToIOComp::SChannelFeed& feed : alone.feeds)
        alone.feeder->FeedChannel(feed.channel, *feed.trend, block, true, 0, start, end);
    for (int c = 0; c < 9; ++c) {
        const CPlotChannel& a = *together.chart->GetChannel(c);
        const CPlotChannel& b = *alone.chart->GetChannel(c);
        ASSERT_EQ(a.GetCount(), b.GetCount()) << c;
        EXPECT_LT(a.GetCount(), int(points.size()) / 20) << c;
        for (int i = 0; i < a.GetCount(); ++i) {
            ASSERT_EQ(a.GetXValue(i), b.GetXValue(i)) << c << " at " << i;
            ASSERT_EQ(std::isnan(a.GetYValue(i)), std::isnan(b.GetYValue(i))) << c << " at " << i;
            if (!std::isnan(a.GetYValue(i))) {
                ASSERT_EQ(a.GetYValue(i), b.GetYValue(i)) << c << " at " << i;
            }
        }
        // Each step's first, lowest, highest and last sample in their order, each once, a gap
        // breaking the line: a lower (or higher) one replaces the one before, and a value that
        // is not finite is taken as both and replaced by the next.
        std::vector<float> values(std::size_t(together.trends[std::size_t(c / 3)]->GetRecordCount()));
        together.trends[std::size_t(c / 3)]->GetAccess(statistics[c % 3])->ReadValues(0, int(values.size()), values.data());
        std::vector<std::pair<double, float>> expected;
        std::array<std::size_t, 4> step{};
        long long stepIndex = -1;
        bool open = false;
        const auto close = [&] {
            std::sort(step.begin(), step.end());
            for (std::size_t k = 0; open && k < step.size(); ++k)
                if (k == 0 || step[k] != step[k - 1])
                    expected.emplace_back(points[step[k]].date, values[std::size_t(points[step[k]].record)]);
            open = false;
        };
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (points[i].record < 0) {
                close();
                expected.emplace_back(points[i].date, std::numeric_limits<float>::quiet_NaN());
                continue;
            }
            const long long index = (long long)std::floor((points[i].date - start) / (1.0 / 12.0));
            if (open && index != stepIndex)
                close();
            const float v = values[std::size_t(points[i].record)];
            if (!open) {
                step.fill(i);
                stepIndex = index;
                open = true;
                continue;
            }
            if (!(v >= values[std::size_t(points[step[1]].record)]))
                step[1] = i;
            if (!(v <= values[std::size_t(points[step[2]].record)]))
                step[2] = i;
            step[3] = i;
        }
        close();
        ASSERT_EQ(int(expected.size()), a.GetCount()) << c;
        for (int i = 0; i < a.GetCount(); ++i) {
            ASSERT_EQ(expected[std::size_t(i)].first, a.GetXValue(i)) << c << " at " << i;
            ASSERT_EQ(std::bit_cast<std::uint32_t>(expected[std::size_t(i)].second), std::bit_cast<std::uint32_t>(a.GetYValue(i)))
                << c << " at " << i;
        }
    }
}

// A long feed shared over threads gives each plot exactly the points one thread gives it: every
// sample or decimated (steps of three points and of two hours), over the whole session or a window
// within it, with the recording gap, the values that are not finite and a series that ends early.
TEST_F(FeederTogetherTest, AFeedSharedOverThreadsGivesEachPlotWhatOneThreadGives)
{
    std::vector<std::unique_ptr<CTrendChannel>> trends;
    std::vector<const ITrendChannelAccess*> series;
    for (DWORD phase = 0; phase < 3; ++phase) {
        trends.push_back(m_item->GetChannel(kVoltage, phase));
        for (int statistic : {kStatAvg, kStatMin, kStatMax})
            series.push_back(trends.back()->GetAccess(statistic));
    }
    const int records = int(trends.front()->GetRecordCount());
    const std::vector<STrendTimePoint>& points = m_block->GetPoints();
    const auto feed = [&](double start, double end, double step, std::size_t threads) {
        std::vector<CPlotChannel> plots(series.size(), CPlotChannel(CString()));
        CSeriesFeed fed(*m_block, start, end, step);
        for (std::size_t s = 0; s < series.size(); ++s)
            fed.Add(plots[s], *series[s], s == 4 ? records - 500 : records);
        fed.Run(threads);
        return plots;
    };
    struct SCase
    {
        double start;
        double end;
        double step;
    };
    const double first = points.front().date, last = points.back().date;
    const double within = points[5000].date, until = points[15000].date;
    for (const SCase& fed : {SCase{first, last, 0.0}, SCase{first, last, 3.0 / 1440.0}, SCase{first, last, 1.0 / 12.0},
                             SCase{within, until, 0.0}, SCase{within, until, 1.0 / 12.0}}) {
        const std::vector<CPlotChannel> one = feed(fed.start, fed.end, fed.step, 1);
        EXPECT_FALSE(one[0].GapIndexes().empty()) << fed.step;
        for (std::size_t threads : {2, 4}) {
            const std::vector<CPlotChannel> shared = feed(fed.start, fed.end, fed.step, threads);
            for (std::size_t s = 0; s < one.size(); ++s) {
                const CPlotChannel& a = one[s];
                const CPlotChannel& b = shared[s];
                ASSERT_EQ(b.GetCount(), a.GetCount()) << fed.step << " " << threads << " " << s;
                ASSERT_EQ(b.GapIndexes(), a.GapIndexes()) << fed.step << " " << threads << " " << s;
                for (int i = 0; i < a.GetCount(); ++i) {
                    ASSERT_EQ(std::bit_cast<std::uint64_t>(b.GetXValue(i)), std::bit_cast<std::uint64_t>(a.GetXValue(i)))
                        << fed.step << " " << threads << " " << s << " at " << i;
                    ASSERT_EQ(std::bit_cast<std::uint32_t>(b.GetYValue(i)), std::bit_cast<std::uint32_t>(a.GetYValue(i)))
                        << fed.step << " " << threads << " " << s << " at " << i;
                }
            }
        }
    }

    // A series that cannot be read fails the feed, on whichever thread reads it.
    class CUnreadable final : public ITrendChannelAccess
    {
    public:
        float GetValue(int) const override { return 0.0f; }
        void ReadValues(int, int, float*) const override { throw std::bad_alloc(); }
        std::unique_ptr<ITrendChannelAccess> Clone() const override { return nullptr; }
    } unreadable;
    for (std::size_t threads : {1, 2, 4}) {
        std::vector<CPlotChannel> plots(series.size() + 1, CPlotChannel(CString()));
        CSeriesFeed fed(*m_block, first, last, 0.0);
        for (std::size_t s = 0; s < series.size(); ++s)
            fed.Add(plots[s], *series[s], records);
        fed.Add(plots.back(), unreadable, records);
        EXPECT_THROW(fed.Run(threads), std::bad_alloc) << threads;
    }
}

// A channel placed without its points is scaled as the points fed later will scale it, and
// those points (gaps among them) are what feeding it at once gives.
TEST_F(FeederTest, APlacedChannelScalesAsItsPointsFedLater)
{
    CiPlotX placedChart;
    SetupPlot(placedChart, PlotSetup::kEnergySummaryOptions);
    CRecTrendToIOComp placed{&placedChart, nullptr, 1, 0};
    const auto channel = m_item->GetChannel(kVoltage, 1);
    const ITrendChannelAccess& access = *channel->GetAccess(kStatAvg);
    const int count = int(channel->GetRecordCount());
    const int fed = m_feeder.AddChannel(0, "V", 1, kStatAvg, kPhaseColors[1]);
    const int later = placed.AddChannel(0, "V", 1, kStatAvg, kPhaseColors[1]);
    m_feeder.FeedChannel(fed, *channel, *m_block, false, 0, -1.0e9, 1.0e9);
    placed.PlaceChannel(later, 0, -1.0e9, 1.0e9);
    const CPlotChannel& a = *m_chart.GetChannel(fed);
    CPlotChannel& b = *placedChart.GetChannel(later);
    EXPECT_EQ(b.GetCount(), 0);
    EXPECT_EQ(b.GetXAxisName(), a.GetXAxisName());
    float low = 0.0f;
    float high = 0.0f;
    const CSeriesFeed whole(*m_block, -1.0e9, 1.0e9, 0.0);
    ASSERT_TRUE(whole.ValueRange(access, count, low, high));
    EXPECT_EQ(low, a.GetDataMin());
    EXPECT_EQ(high, a.GetDataMax());
    // Taken in pieces, each from the latest date of the ones before, the same range; a piece
    // without points, or with none of their values, leaves it as it was.
    for (const std::size_t pieces : {std::size_t(1), std::size_t(3), std::size_t(8), std::size_t(m_block->GetPointCount()) + 5}) {
        float pieceLow = std::numeric_limits<float>::infinity();
        float pieceHigh = -pieceLow;
        double latest = -std::numeric_limits<double>::infinity();
        for (std::size_t k = 0; k < pieces; ++k) {
            whole.PieceValueRange(access, count, k, pieces, latest, pieceLow, pieceHigh);
            latest = std::max(latest, whole.LatestDate(k, pieces));
        }
        EXPECT_EQ(pieceLow, low) << pieces;
        EXPECT_EQ(pieceHigh, high) << pieces;
    }
    // A piece starting after a later date than its own points takes none of them.
    float none = 7.0f;
    float noneHigh = 7.0f;
    whole.PieceValueRange(access, count, 1, 2, whole.LatestDate(1, 2) + 1.0, none, noneHigh);
    EXPECT_EQ(none, 7.0f);
    EXPECT_EQ(noneHigh, 7.0f);

    CRecTrendToIOComp::FeedPoints(b, access, count, *m_block, -1.0e9, 1.0e9);
    ASSERT_EQ(b.GetCount(), a.GetCount());
    EXPECT_FALSE(a.GapIndexes().empty());
    EXPECT_EQ(b.GapIndexes(), a.GapIndexes());
    for (int i = 0; i < a.GetCount(); ++i) {
        ASSERT_EQ(b.GetXValue(i), a.GetXValue(i)) << i;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(b.GetYValue(i)), std::bit_cast<std::uint32_t>(a.GetYValue(i))) << i;
    }
}

TEST_F(FeederTest, WindowedFeedingKeepsOnePointEitherSideAndAsksForMoreWhenScrolledOut)
{
    const auto& points = m_block->GetPoints();
    const double start = points[100].date, end = points[110].date;
    const auto averages = FeedVoltage(start, end);
    const CPlotChannel& a = *m_chart.GetChannel(averages[0]);
    ASSERT_EQ(a.GetCount(), 13);
    EXPECT_EQ(a.GetXValue(0), points[99].date);
    EXPECT_EQ(a.GetXValue(12), points[111].date);
    EXPECT_FALSE(m_feeder.OnAxisChange(0));
    m_chart.SetXAxisRange(0, start - (end - start), end - start);
    EXPECT_TRUE(m_feeder.OnAxisChange(0));
    m_feeder.Redraw(false); // unwindowed feeding holds everything
    EXPECT_FALSE(m_feeder.OnAxisChange(0));
}

TEST_F(FeederTest, LimitsAndShownFlagsFollowTheViewSettings)
{
    CDataToIOComp feeder(&m_chart);
    const DWORD quantities[] = {kVoltage, 5};
    const UINT titles[] = {0, 0};
    feeder.SetYAxes(2, quantities, titles, nullptr);
    feeder.AddAuxAxes(0, {"mA", "bar"});
    ASSERT_EQ(feeder.GetYAxes().size(), 4u);
    EXPECT_EQ(feeder.GetYAxes()[1].quantity, kAuxAxisQuantity);
    EXPECT_EQ(feeder.GetYAxes()[2].unitText, "bar");
    EXPECT_EQ(feeder.GetYAxes()[3].quantity, 5u);
    EXPECT_EQ(feeder.GetYAxes()[2].side, 1);

    const int avg = feeder.AddChannel(0, 1, 0, kVoltage, 1, true, "", "", nullptr);
    const int max = feeder.AddChannel(0, 1, 0, kVoltage, 1, true, "", "", nullptr);
    feeder.GetChannelEntry(max)->statistic = kStatMax;
    feeder.GetChannelEntry(avg)->limit = 240.0f;
    CBasicViewSettings settings(0);
    settings.m_channels[0][1] = true;
    settings.m_isLimit[0] = true;
    feeder.SyncChannels(settings, false);
    EXPECT_TRUE(feeder.GetChannelEntry(avg)->shown);
    EXPECT_FALSE(feeder.GetChannelEntry(max)->shown); // Min/Max flag off
    EXPECT_TRUE(feeder.GetChannelEntry(avg)->limitShown);
    settings.m_isMaxMin[0] = true;
    feeder.SyncChannels(settings, false);
    EXPECT_TRUE(feeder.GetChannelEntry(max)->shown);
    feeder.SyncChannels(settings, true); // the demand view's first rows have no Min/Max
    EXPECT_FALSE(feeder.GetChannelEntry(max)->shown);

    feeder.BuildChart();
    ASSERT_EQ(m_chart.GetLimitCount(), 1);
    EXPECT_EQ(m_chart.GetLimit(0)->position1, 240.0);
    EXPECT_STREQ(m_chart.GetLimit(0)->axisName, "YAxis0");
    EXPECT_TRUE(m_chart.GetYAxis(0)->IsVisible());
    EXPECT_FALSE(m_chart.GetYAxis(3)->IsVisible()); // no shown channel uses it

    double low = -1, high = -1;
    feeder.GetYAxisRange(0, low, high);
    EXPECT_EQ(low, 0.0);
    EXPECT_EQ(high, 1.0);
    feeder.SetYAxisRange(0, 200.0, 250.0);
    feeder.SetYAxisRange(0, 5.0, 5.0); // empty: refused
    feeder.GetYAxisRange(0, low, high);
    EXPECT_EQ(low, 200.0);
    EXPECT_EQ(high, 250.0);
    feeder.SetAllYAxesManual(true);
    EXPECT_TRUE(m_chart.GetYAxis(0)->IsManual());
}

// The zoom rectangle drawn with the mouse, applied by the feeder; the reset and automatic
// scaling through the menus and keys.
TEST_F(FeederTest, ZoomRectangleMenusAndKeys)
{
    const double first = m_block->GetPoints().front().date, last = m_block->GetPoints().back().date;
    FeedVoltage(first, last);
    m_feeder.SetSessionRange(0, first, last);
    m_chart.Repaint();
    CZoomRectangle zoom;
    bool zoomed = false;
    struct Sink : IPlotEventSink
    {
        std::function<void(SPlotEvent&)> f;
        void OnPlotEvent(SPlotEvent& e) override { f(e); }
    } sink;
    sink.f = [&](SPlotEvent& e) {
        const int mode = e.id == PlotEvent::MouseDown ? 0 : e.id == PlotEvent::MouseMove ? 1 : e.id == PlotEvent::MouseUp ? 2 : -1;
        if (mode >= 0 && zoom.Handle(m_chart, mode, e.button, e.shift, e.x, e.y))
            zoomed = m_feeder.ApplyZoom(zoom.GetRect());
        if (mode == 1 && zoom.IsDrawing()) {
            EXPECT_FALSE(m_chart.GetZoomRect().IsRectEmpty());
        }
    };
    m_chart.SetEventSink(&sink);
    const CRect plot = m_chart.GetLayout().plot;
    const int x0 = plot.left + 100, x1 = plot.left + 300, y0 = plot.top + 3, y1 = plot.bottom - 60; // pressed above the data
    const double expectFirst = m_chart.XPixelToValue(0, x0), expectLast = m_chart.XPixelToValue(0, x1);
    const double expectLow = m_chart.YPixelToValue(0, y1), expectHigh = m_chart.YPixelToValue(0, y0);
    m_chart.MouseDown(kPlotLeftButton, 0, x0, y0);
    m_chart.MouseMove(0, (x0 + x1) / 2, (y0 + y1) / 2);
    m_chart.MouseMove(0, x1, y1);
    m_chart.MouseUp(kPlotLeftButton, 0, x1, y1);
    ASSERT_TRUE(zoomed);
    EXPECT_TRUE(m_chart.GetZoomRect().IsRectEmpty());
    EXPECT_NEAR(m_chart.GetXAxis(0)->GetMin(), expectFirst, 1e-9);
    EXPECT_NEAR(m_chart.GetXAxis(0)->GetMax(), expectLast, 1e-9);
    EXPECT_NEAR(m_chart.GetYAxis(0)->GetMin(), expectLow, 1e-9);
    EXPECT_NEAR(m_chart.GetYAxis(0)->GetMax(), expectHigh, 1e-9);
    EXPECT_TRUE(m_chart.GetYAxis(0)->IsManual());

    // A click without moving draws no rectangle.
    zoomed = false;
    m_chart.MouseDown(kPlotLeftButton, 0, x0, y0);
    m_chart.MouseUp(kPlotLeftButton, 0, x0, y0);
    EXPECT_FALSE(zoomed);

    std::vector<CString> offered;
    const auto previous = CMenu::SetTrackDriver([&](CMenu& menu) {
        for (const auto& item : menu.Items())
            offered.push_back(item.text);
        return ID_PLOT_AUTO_Y_AXES;
    });
    EXPECT_EQ(TrackChartContextMenu(m_feeder, nullptr, 10, 10), ID_PLOT_AUTO_Y_AXES);
    EXPECT_FALSE(m_chart.GetYAxis(0)->IsManual());
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_STREQ(offered[0], "Reset zoom");
    CMenu::SetTrackDriver([](CMenu&) { return ID_PLOT_RESET_ZOOM; });
    EXPECT_EQ(TrackAxisContextMenu(m_feeder, nullptr, false, 10, 10), ID_PLOT_RESET_ZOOM);
    EXPECT_DOUBLE_EQ(m_chart.GetXAxis(0)->GetMin(), first);
    EXPECT_DOUBLE_EQ(m_chart.GetXAxis(0)->GetMax(), last);
    CMenu::SetTrackDriver(previous);

    int key = 0x6B; // numeric "+"
    EXPECT_TRUE(HandleChartKey(m_feeder, key));
    EXPECT_EQ(key, 0);
    EXPECT_NEAR(m_chart.GetXAxis(0)->GetSpan(), (last - first) / 2, 1e-9);
    key = 0x41;
    EXPECT_FALSE(HandleChartKey(m_feeder, key));
    EXPECT_EQ(key, 0x41);
}

TEST_F(FeederTest, TheStatisticsRangeCountsTheMissingIntervals)
{
    SStatisticsRecord record;
    record.SetRange(*m_block, 30, 50); // across the three missing records
    EXPECT_EQ(record.missingCount, m_block->CountMissingIntervals(30, 50));
    EXPECT_EQ(record.expectedCount, 21 + record.missingCount);
    record.SetRange(*m_block, 5, 4);
    EXPECT_EQ(record.expectedCount, 0);
}

} // namespace
