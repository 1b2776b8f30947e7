// The chart's repaint at 1600 x 600 pixels with 4 sessions x 6 channels of 100,000 points beside
// the same with 1,000 points: channels with more points than pixel columns are decimated per
// column, so the cost grows with the points only through one pass over them. And feeding
// 4 x 6 channels of 100,000 records from the trend cache beside building those trend items.
#include "BenchSessionFile.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendTimeBlock.h"
#include "platform/chart/CiPlotX.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "study/PlotNames.h"
#include "study/RecTrendToIOComp.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSessions = 4;
constexpr int kChannelsPerSession = 6;

void FillChart(CiPlotX& chart, int points)
{
    chart.SetPictureSize(1600, 600);
    const int volts = chart.AddYAxis("YAxis0"), amps = chart.AddYAxis("YAxis1");
    chart.GetYAxis(amps)->SetPosition(100.0);
    (void)volts;
    for (int s = 0; s < kSessions; ++s) {
        chart.AddXAxis(XAxisName(s));
        chart.SetXAxisRange(s, 46000.0 + s, 70.0);
        for (int c = 0; c < kChannelsPerSession; ++c) {
            CString name;
            name.Format("S%d C%d", s, c);
            CPlotChannel& channel = *chart.GetChannel(chart.AddChannel(name, XAxisName(s), c < 3 ? "YAxis0" : "YAxis1"));
            channel.SetColor(RGB(BYTE(40 * c), BYTE(60 * s), 200));
            channel.Reserve(std::size_t(points));
            for (int i = 0; i < points; ++i) {
                const double x = 46000.0 + s + 70.0 * i / points;
                if (i == points / 3)
                    channel.AddGap(x);
                else
                    channel.AddXY(x, float((c < 3 ? 230.0 : 40.0) + 5.0 * std::sin(i * 0.001 + c) + (i % 7) * 0.3));
            }
        }
    }
}

void BM_ChartRepaint(benchmark::State& state)
{
    CFrameworkApp::EnsureInitialized();
    CiPlotX chart;
    FillChart(chart, int(state.range(0)));
    chart.Repaint();
    for (auto _ : state)
        chart.Repaint();
    state.counters["points"] = double(kSessions * kChannelsPerSession) * double(state.range(0));
}
BENCHMARK(BM_ChartRepaint)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Items of voltage and current (three phases each): six channels per session.
constexpr DWORD kVoltageItem = 0, kCurrentItem = 1;

void BM_FeedTrendChannels(benchmark::State& state)
{
    CFrameworkApp::EnsureInitialized();
    const std::string& path = BenchSessionFile(int(state.range(0)), 60, 300, false);
    std::vector<std::unique_ptr<CDataSet>> sets;
    for (int s = 0; s < kSessions; ++s) {
        sets.push_back(std::make_unique<CDataSet>(nullptr));
        if (sets.back()->LoadFromFile(path.c_str(), false) != 0) {
            state.SkipWithError("load failed");
            return;
        }
    }
    double buildSeconds = 0, feedSeconds = 0;
    for (auto _ : state) {
        CTrendCache cache;
        CiPlotX chart;
        CRecTrendToIOComp feeder(&chart, nullptr, 1, 0);
        const auto t0 = Clock::now();
        std::vector<std::pair<CDataItemTrend*, int>> items;
        for (int s = 0; s < kSessions; ++s)
            for (DWORD id : {kVoltageItem, kCurrentItem})
                items.emplace_back(cache.GetTrendItem(sets[std::size_t(s)].get(), id, 0, STrendAccessSpec{0, 1}), s);
        const auto t1 = Clock::now();
        for (const auto& [item, session] : items)
            for (DWORD phase = 0; phase < 3; ++phase) {
                const auto channel = item->GetChannel(item->GetItemId() == kVoltageItem ? 0 : 1, phase);
                const int index = feeder.AddChannel(session, "ch", phase, kStatAvg, 0);
                feeder.FeedChannel(index, *channel, *sets[std::size_t(session)]->GetTrendTimeBlock(), false, session,
                                   -1e9, 1e9);
            }
        const auto t2 = Clock::now();
        buildSeconds += std::chrono::duration<double>(t1 - t0).count();
        feedSeconds += std::chrono::duration<double>(t2 - t1).count();
        benchmark::DoNotOptimize(chart.GetChannel(0)->GetCount());
    }
    state.counters["build_ms"] = 1e3 * buildSeconds / double(state.iterations());
    state.counters["feed_ms"] = 1e3 * feedSeconds / double(state.iterations());
}
BENCHMARK(BM_FeedTrendChannels)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
