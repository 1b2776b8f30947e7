// The Energy calendar of a one-minute session of 1 day, 1 week, 1 month, 69 days, 88 days (the
// longest whose hourly grid the view scrolls, the window as tall as its rows) and a year (whose
// grid scrolls itself), in a program of the default size (1024x720 main window) at device ratio
// 1 and 2. Each repetition is a new process (orn_calendar_probe) with no thumbnail file yet, so
// every first show is cold; the repetitions give min, median and max of each figure.
// - The first show of the page from the Project Manager (the time of the repetition), beside the
//   chart alone drawing the same thumbnails into the same files (alone_ms).
// - The Project Manager and back to the calendar, five times a process (return_first_ms is the
//   first of them, return_max_ms the slowest), beside the pictures in sight read from their files
//   and drawn into one screen (screen_ms).
// - The memory the page adds (added_MB heap, rss_added_MB resident after the fifth visit,
//   peak_rss_added_MB the highest on the way) beside the pixels of one screen of the page
//   (screen_MB).
// - The opening of the project (open_ms, open_cpu_ms its processor time) and the first show's
//   processor time (first_cpu_ms).
// Then a project of four such sessions of a year, at both ratios, ten processes each (its
// slowest first show is the max), whose opening is compared with a read of the project file into
// fresh pages.
#include "BenchProbe.h"
#include "BenchProgram.h"
#include "BenchSessionFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace {

void Measure(benchmark::State& state, const std::string& project, int ratio)
{
    if (project.empty()) {
        state.SkipWithError("no project");
        return;
    }
    for (auto _ : state) {
        std::map<std::string, double> figures = RunProbeOnProject(ORN_CALENDAR_PROBE, project, ratio);
        if (figures.empty()) {
            state.SkipWithError("probe failed");
            return;
        }
        state.SetIterationTime(figures["first_ms"] / 1e3);
        for (const char* name : {"first_cpu_ms", "alone_ms", "return_first_ms", "return_median_ms", "return_max_ms",
                                 "screen_ms", "added_MB", "rss_added_MB", "peak_rss_added_MB", "screen_MB", "pictures",
                                 "open_ms", "open_cpu_ms"})
            state.counters[name] = figures[name];
        state.counters["first_per_alone"] = figures["first_ms"] / std::max(figures["alone_ms"], 1e-3);
        state.counters["return_per_screen"] = figures["return_median_ms"] / std::max(figures["screen_ms"], 1e-3);
    }
}

void BM_CalendarFirstShowAndReturn(benchmark::State& state)
{
    Measure(state, MinuteSessionProject(int(state.range(0)) * 1440), int(state.range(1)));
}

// Four sessions of a year in one project: the calendar, and the opening of the project beside a
// read of the project file (its four sessions) into fresh pages in a new process of its own
// (open_per_fresh_read; both cold, neither giving its memory back), and their processor times
// alike (open_cpu_per_fresh_read_cpu, steadier while other work shares the machine).
void BM_CalendarOfFourYears(benchmark::State& state)
{
    const std::string& project = FourSessionProject(525600);
    Measure(state, project, int(state.range(0)));
    std::vector<double> readCpu;
    const std::vector<double> read = project.empty() ? std::vector<double>{} : RunLoadProbe("read", project, 1, &readCpu);
    if (read.empty() || readCpu.empty() || !state.counters.count("open_ms"))
        return;
    state.counters["fresh_read_ms"] = read.front();
    state.counters["open_per_fresh_read"] = state.counters["open_ms"] / read.front();
    state.counters["fresh_read_cpu_ms"] = readCpu.front();
    state.counters["open_cpu_per_fresh_read_cpu"] = state.counters["open_cpu_ms"] / std::max(readCpu.front(), 1e-3);
}

double Min(const std::vector<double>& v)
{
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}
double Max(const std::vector<double>& v)
{
    return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
}

BENCHMARK(BM_CalendarFirstShowAndReturn)
    ->ArgNames({"days", "ratio"})
    ->ArgsProduct({{1, 7, 30, 69, 88, 365}, {1, 2}})
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ComputeStatistics("min", Min)
    ->ComputeStatistics("max", Max)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_CalendarOfFourYears)
    ->ArgName("ratio")
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(10)
    ->ComputeStatistics("min", Min)
    ->ComputeStatistics("max", Max)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace
