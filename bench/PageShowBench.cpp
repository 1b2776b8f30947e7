// The study pages of the program on a project of one one-minute session, at 10,000, 100,000 and
// 525,600 records (a year), each shown as its view selector shows it (WM_USER+60 to the main
// window): the frames and views are built, the statistics of both tables and the graph are
// computed and everything is painted. Each iteration starts the program anew, so every page is
// shown for the first time (no trend item, no scale taken from the data yet).
// The yardstick, timed right after the page on the same loaded records (so it finds them in
// the cache as warm as the page left them): one pass over the records that takes the minimum,
// the maximum and the sum of every value the page computes from, read straight from the record
// bytes as float arrays.
// The first show of the process is reported apart from the median of the five, with the slowest.
// Then the Project Manager tab and the study tab, each chosen from the View menu, one after the
// other: the time of each direction.
#include "BenchPlainPass.h"
#include "BenchProgram.h"
#include "BenchSessionFile.h"
#include "datamodel/DataSet.h"
#include "datamodel/DataTable.h"
#include "mainview/MainView.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "project/RecDoc.h"
#include "shell/MainFrame.h"
#include "study/BasicGraphView.h"
#include "views/SplitFrame.h"
#include "views/VisualFramework.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct SPage
{
    int viewId;
    int graphEntry; // the graph section's entry in the main view's window table
    std::vector<SFieldRange> trendFields;
    std::vector<SFieldRange> demandFields; // of the demand records
};

// What each page's values come from: RMS Power the voltages and currents (apparent power) and
// every power and power factor with the fundamental powers (the signs); Demand the power factors
// and aux inputs of the trend records and the voltages, currents and energies of the demand
// records; Fundamental Power the fundamental powers and the displacement power factor;
// V/A/Hz/THD the voltages (both references), currents, THD and the frequency.
const SPage kPages[] = {
    {0, 6, {{24, 132}, {216, 600}}, {}},
    {1, 9, {{504, 600}, {656, 680}}, {{24, 104}}},
    {3, 14, {{360, 504}, {552, 600}}, {}},
    {4, 17, {{24, 216}}, {}},
};

CBasicGraphView* GraphOf(const SPage& page)
{
    CMainView* view = ProgramMainView();
    const TVisualObject* section = view ? view->GetLayout().GetObject(page.graphEntry) : nullptr;
    auto* frame = section ? dynamic_cast<CSplitFrame*>(section->GetWnd()) : nullptr;
    return frame ? dynamic_cast<CBasicGraphView*>(frame->GetView()) : nullptr;
}

void BM_PageFirstShow(benchmark::State& state)
{
    const int records = int(state.range(1));
    const SPage& page = *std::find_if(std::begin(kPages), std::end(kPages),
                                      [&](const SPage& p) { return p.viewId == state.range(0); });
    const std::string& project = MinuteSessionProject(records);
    std::vector<double> shows, plains, toManager, toStudy;
    int renders = 0;
    bool feedPending = false;
    for (auto _ : state) {
        if (!StartProgramOn(project)) {
            state.SkipWithError("project not opened");
            break;
        }
        auto start = Clock::now();
        ProgramMessage(CMainFrame::WM_SHOW_STUDY_VIEW, WPARAM(page.viewId), 0);
        shows.push_back(SecondsSince(start));
        CBasicGraphView* graph = GraphOf(page);
        renders = graph ? graph->GetPlotControl()->GetRenderCount() : -1;
        feedPending = graph && graph->IsTimerRunning(kFeedTimer);

        start = Clock::now();
        const CDataSet& set = *ProgramDocument()->GetDataSet(0);
        benchmark::DoNotOptimize(PlainPass(*set.GetTrendTable(), page.trendFields));
        if (!page.demandFields.empty())
            benchmark::DoNotOptimize(PlainPass(*set.GetDemandTable(), page.demandFields));
        plains.push_back(SecondsSince(start));

        for (int round = 0; round < 3; ++round) {
            start = Clock::now();
            ProgramCommand(CMainFrame::ID_VIEW_PROJECT_MANAGER);
            toManager.push_back(SecondsSince(start));
            start = Clock::now();
            ProgramCommand(CMainFrame::ID_VIEW_ENERGY_STUDY);
            toStudy.push_back(SecondsSince(start));
        }
        EndProgram();
    }
    if (shows.empty())
        return;
    // The first show of the process is the one a user meets after starting the program: its
    // fonts, templates and bitmaps are read then. It is reported on its own, and the slowest.
    const double showMs = MedianMs(shows), plainMs = MedianMs(plains);
    const double firstMs = shows.front() * 1e3, slowestMs = *std::max_element(shows.begin(), shows.end()) * 1e3;
    state.counters["first_show_ms"] = firstMs;
    state.counters["first_show_per_plain"] = firstMs / (plains.front() * 1e3);
    state.counters["show_min_ms"] = *std::min_element(shows.begin(), shows.end()) * 1e3;
    state.counters["show_median_ms"] = showMs;
    state.counters["show_max_ms"] = slowestMs;
    state.counters["plain_pass_ms"] = plainMs;
    state.counters["show_per_plain"] = showMs / plainMs;
    state.counters["slowest_show_per_plain"] = slowestMs / plainMs;
    state.counters["to_manager_ms"] = MedianMs(toManager);
    state.counters["to_study_ms"] = MedianMs(toStudy);
    state.counters["renders"] = renders;
    state.counters["feed_pending"] = feedPending ? 1 : 0;
}

BENCHMARK(BM_PageFirstShow)
    ->ArgNames({"view", "records"})
    ->ArgsProduct({{0, 1, 3, 4}, {10000, 100000, 525600}})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
