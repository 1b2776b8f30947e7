// The study graph pages of the program (Energy RMS Power, Demand, Fundamental Power, V/A/Hz/THD;
// Load RMS Power and V/A/Hz/THD) on a project of one one-minute session of a day, 100,000
// records and a year, at device ratios 1, 1.5 and 2 (the ratio argument in hundredths), each page
// shown as its view selector shows it (WM_USER+60 to the main window) from the Project Manager:
// the frames and views are built, the statistics of both tables and the graph are computed and
// everything is painted. Each repetition is a new process (orn_page_probe), so that every figure
// is a cold first show: no trend item, no scale taken from the data, nothing of the page drawn
// before. The repetitions give min, median and max of each figure.
// Beside the show (and its processor time, show_cpu_ms, steadier while other work shares the
// machine), in the same process and on the same loaded records: the plain pass over the
// fields the page computes from, timed right before and right after the show and the faster
// taken (plain_ms; show_per_plain is this show's multiple of it, so that its max is the slowest
// repetition's), the drawings of the chart by the show and its deferred work (renders: 1 when the
// page is drawn once), and the way to the Project Manager and back to the page (to_manager_ms,
// to_study_ms).
// Four sessions of a year (a project of four such sessions) are shown at ratios 1 and 2 too.
#include "BenchProbe.h"
#include "BenchProgram.h"
#include "BenchSessionFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kYear = 525600;

void Measure(benchmark::State& state, const std::string& project, int viewId, int ratioPercent)
{
    if (project.empty()) {
        state.SkipWithError("no project");
        return;
    }
    for (auto _ : state) {
        std::map<std::string, double> figures =
            RunProbeOnProject(ORN_PAGE_PROBE, project, ratioPercent / 100.0, std::to_string(viewId));
        if (figures.empty()) {
            state.SkipWithError("probe failed");
            return;
        }
        state.SetIterationTime(figures["show_ms"] / 1e3);
        for (const char* name : {"show_cpu_ms", "plain_ms", "renders", "to_manager_ms", "to_study_ms"})
            state.counters[name] = figures[name];
        state.counters["show_per_plain"] = figures["show_ms"] / std::max(figures["plain_ms"], 1e-3);
    }
}

void BM_PageFirstShow(benchmark::State& state)
{
    const int viewId = int(state.range(0));
    const int studyType = viewId >= 5 ? 2 : 1;
    Measure(state, MinuteSessionProject(int(state.range(1)), studyType), viewId, int(state.range(2)));
}

// Four sessions of a year in one project; the plain pass is over all four.
void BM_PageFirstShowOfFourYears(benchmark::State& state)
{
    Measure(state, FourSessionProject(kYear), int(state.range(0)), int(state.range(1)));
}

double Min(const std::vector<double>& v)
{
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}
double Max(const std::vector<double>& v)
{
    return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
}

BENCHMARK(BM_PageFirstShow)
    ->ArgNames({"view", "records", "ratio_pct"})
    ->ArgsProduct({{0, 1, 3, 4, 5, 8}, {1440, 100000, kYear}, {100, 150, 200}})
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ComputeStatistics("min", Min)
    ->ComputeStatistics("max", Max)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_PageFirstShowOfFourYears)
    ->ArgNames({"view", "ratio_pct"})
    ->ArgsProduct({{0, 1, 3, 4}, {100, 200}})
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ComputeStatistics("min", Min)
    ->ComputeStatistics("max", Max)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace
