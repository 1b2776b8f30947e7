// Switching the project window between two Energy study views (RMS Power and Demand) of a project
// with four sessions of 100,000 records, as the main window's WM_USER+60 asks the document:
// teardown of both study tabs, creation of the frames, views, toolbars and dialog bars, the
// initial updates, the tab selection. The views are still empty pages, so the figure is the
// framework's own cost. Beside it, the creation of one empty frame with its view, to show the
// cost per frame.
#include "BenchProject.h"
#include "mainview/MainView.h"
#include "mainview/MainViewStudyHost.h"
#include "mainview/PageFrames.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "views/SplitFrame.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

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
    void Show(int viewId) { m_document.ShowStudyView(0, viewId); }
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
    int next = 1;
    bench.Show(0);
    for (auto _ : state) {
        const auto start = Clock::now();
        bench.Show(next);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        next = 1 - next;
    }
    state.counters["sessions"] = bench.Sessions();
}
BENCHMARK(BM_StudySwitch)->UseManualTime()->Iterations(1)->Repetitions(20)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

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
