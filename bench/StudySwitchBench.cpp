// Switching the project window between two Energy study views (RMS Power and Demand) of a project
// with four sessions of 100,000 records, as a view selector button asks the document (WM_USER+60):
// teardown of both study tabs, creation of the frames, views, toolbars and dialog bars, the
// initial updates with the tables and graphs computed from the cached trend items, the tab
// selection and the paint. Each direction is timed on its own, one after the other. Beside it, the
// creation of one empty frame with its view, to show the cost per frame.
#include "BenchProject.h"
#include "BenchSessionFile.h"
#include "mainview/MainView.h"
#include "mainview/MainViewStudyHost.h"
#include "mainview/PageFrames.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "views/SplitFrame.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The project window of a four-session project, made once.
class CSwitchBench
{
public:
    CSwitchBench()
    {
        OpenFourSessionProject(m_document, "switch", 300);
        m_window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 1600, 1000),
                          nullptr, 0);
        m_context.document = &m_document;
        m_view.Create(&m_window, nullptr, m_context);
        m_host = std::make_unique<CMainViewStudyHost>(m_view, m_window, m_context);
        m_document.SetStudyViewHost(m_host.get());
    }

    int Sessions() const { return m_document.GetDataSetCount(); }
    // As a view selector button asks (WM_USER+60 with the view id), the paint included.
    void Show(int viewId)
    {
        m_document.ShowStudyView(0, viewId);
        CFrameworkApp::PumpWaitingMessages();
    }
    CWnd& Window() { return m_window; }

private:
    CRecDoc m_document;
    CWnd m_window;
    SViewCreateContext m_context;
    CMainView m_view;
    std::unique_ptr<CMainViewStudyHost> m_host;
};

// Made on first use and kept to the end: its windows must not outlive the window layer.
CSwitchBench& Bench()
{
    static CSwitchBench* bench = new CSwitchBench;
    return *bench;
}

void BM_StudySwitch(benchmark::State& state)
{
    CSwitchBench& bench = Bench();
    // Both pages once, so that the trend items are cached as after a first look at each.
    bench.Show(1);
    bench.Show(0);
    std::vector<double> toDemand, toRmsPower;
    for (auto _ : state) {
        auto start = Clock::now();
        bench.Show(1);
        toDemand.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        start = Clock::now();
        bench.Show(0);
        toRmsPower.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        state.SetIterationTime(toDemand.back() + toRmsPower.back());
    }
    state.counters["sessions"] = bench.Sessions();
    state.counters["to_demand_ms"] = MedianMs(toDemand);
    state.counters["to_rms_power_ms"] = MedianMs(toRmsPower);
}
BENCHMARK(BM_StudySwitch)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_EmptyFrame(benchmark::State& state)
{
    CSwitchBench& bench = Bench();
    for (auto _ : state) {
        const auto start = Clock::now();
        auto* frame = static_cast<CSplitFrame*>(GetPageFrameClass(EPageFrame::Empty).CreateObject());
        frame->CreateFrame(&bench.Window(), CRect(0, 0, 1600, 300), 1, SViewCreateContext());
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        frame->DestroyWindow();
    }
}
BENCHMARK(BM_EmptyFrame)->UseManualTime()->Iterations(1)->Repetitions(20)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

} // namespace
