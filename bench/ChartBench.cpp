// The chart's repaint at 1600 x 600 pixels with 4 sessions x 6 channels of 100,000 points beside
// the same with 1,000 points: channels with more points than pixel columns are decimated per
// column, so the cost grows with the points only through one pass over them. Each case is drawn
// at device pixel ratio 1 and 2 with pens 1, 2 and 3 pixels wide, and beside it, repetition by
// repetition in the same process, the same scene drawn by a general plotting library
// (QCustomPlot, Debian's libqcustomplot-dev): the same points with the same gap, four time axes
// and a value axis either side, lines of the same pens, without antialiasing as ours and with
// its fast polylines (its quickest drawing of solid lines), its replot into its own buffers (peer_ms; per_peer is ours over it, median and slowest of 30 rounds of repaints of each in turns, about 300 ms a round).
// And feeding 4 x 6 channels of 100,000 records from the trend cache beside building those
// trend items.
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
#include <qcustomplot.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSessions = 4;
constexpr int kChannelsPerSession = 6;
constexpr int kWidth = 1600;
constexpr int kHeight = 600;

// Point i of channel c of session s, and where the one gap of each channel lies.
double PointX(int s, int i, int points)
{
    return 46000.0 + s + 70.0 * i / points;
}
float PointY(int c, int i)
{
    return float((c < 3 ? 230.0 : 40.0) + 5.0 * std::sin(i * 0.001 + c) + (i % 7) * 0.3);
}
bool IsGap(int i, int points)
{
    return i == points / 3;
}
COLORREF ChannelColour(int s, int c)
{
    return RGB(BYTE(40 * c), BYTE(60 * s), 200);
}

void FillChart(CiPlotX& chart, int points, int pen)
{
    chart.SetPictureSize(kWidth, kHeight);
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
            channel.SetColor(ChannelColour(s, c));
            channel.SetWidth(pen);
            channel.Reserve(std::size_t(points));
            for (int i = 0; i < points; ++i) {
                if (IsGap(i, points))
                    channel.AddGap(PointX(s, i, points));
                else
                    channel.AddXY(PointX(s, i, points), PointY(c, i));
            }
        }
    }
}

// The peer's plot of the same scene: a time axis per session at the bottom, the volts at the
// left and the amps at the right over their data, a NaN for the gap.
void FillPeer(QCustomPlot& plot, int points, int pen, double ratio)
{
    plot.resize(kWidth, kHeight);
    plot.setBufferDevicePixelRatio(ratio);
    plot.setNotAntialiasedElements(QCP::aeAll);
    // Its quicker way for solid lines: wide ones drawn as separate segments, not stroked whole.
    plot.setPlottingHint(QCP::phFastPolylines);
    QCPAxisRect& rect = *plot.axisRect();
    std::vector<QCPAxis*> times{rect.axis(QCPAxis::atBottom)};
    for (int s = 1; s < kSessions; ++s)
        times.push_back(rect.addAxis(QCPAxis::atBottom));
    QCPAxis* volts = rect.axis(QCPAxis::atLeft);
    QCPAxis* amps = rect.axis(QCPAxis::atRight);
    amps->setVisible(true);
    for (int s = 0; s < kSessions; ++s) {
        times[std::size_t(s)]->setRange(46000.0 + s, 46070.0 + s);
        for (int c = 0; c < kChannelsPerSession; ++c) {
            QVector<double> keys(points), values(points);
            for (int i = 0; i < points; ++i) {
                keys[i] = PointX(s, i, points);
                values[i] = IsGap(i, points) ? std::numeric_limits<double>::quiet_NaN() : double(PointY(c, i));
            }
            QCPGraph* graph = plot.addGraph(times[std::size_t(s)], c < 3 ? volts : amps);
            graph->setData(keys, values, true);
            const COLORREF colour = ChannelColour(s, c);
            graph->setPen(QPen(QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)), pen));
        }
    }
    volts->rescale();
    amps->rescale();
}

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void BM_ChartRepaint(benchmark::State& state)
{
    CFrameworkApp::EnsureInitialized();
    const int points = int(state.range(0)), ratioPercent = int(state.range(1)), pen = int(state.range(2));
    const double ratio = ratioPercent / 100.0;
    CiPlotX chart;
    FillChart(chart, points, pen);
    chart.Picture(ratio); // later repaints draw at this ratio
    QCustomPlot peer;
    FillPeer(peer, points, pen, ratio);
    peer.replot(QCustomPlot::rpQueuedRefresh);
    // A round is repaints of each in turns, about 300 ms of them: a round of one repaint (a few
    // milliseconds) takes the whole of a moment's stall of a loaded machine into its ratio.
    auto start = Clock::now();
    chart.Repaint();
    peer.replot(QCustomPlot::rpQueuedRefresh);
    const int turns = std::clamp(int(std::lround(300.0 / std::max(MsSince(start), 1e-3))), 3, 40);
    std::vector<double> ours, theirs, perPeer;
    for (auto _ : state) {
        double oursMs = 0.0, theirsMs = 0.0;
        for (int turn = 0; turn < turns; ++turn) {
            start = Clock::now();
            chart.Repaint();
            oursMs += MsSince(start);
            start = Clock::now();
            // Into its buffers; the widget is never shown, so nothing is copied to a screen.
            peer.replot(QCustomPlot::rpQueuedRefresh);
            theirsMs += MsSince(start);
        }
        ours.push_back(oursMs / turns);
        theirs.push_back(theirsMs / turns);
        perPeer.push_back(ours.back() / std::max(theirs.back(), 1e-6));
        state.SetIterationTime(ours.back() / 1e3);
    }
    state.counters["points"] = double(kSessions * kChannelsPerSession) * double(points);
    state.counters["peer_ms"] = Median(theirs);
    state.counters["per_peer"] = Median(ours) / std::max(Median(theirs), 1e-6);
    state.counters["slowest_per_peer"] = *std::max_element(perPeer.begin(), perPeer.end());
    state.counters["turns"] = turns;
}
BENCHMARK(BM_ChartRepaint)
    ->ArgNames({"points", "ratio_pct", "pen"})
    ->ArgsProduct({{1000, 100000}, {100, 200}, {1, 2, 3}})
    ->UseManualTime()
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond);

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
