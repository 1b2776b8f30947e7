// The calendar of a 30-day session of one-minute records: all day bins (30 thumbnails) and all
// hour bins (720) rendered by the calendar table (bins, pictures, files, grid), beside one full
// repaint of the same chart with the whole session on its time axis.
#include "BenchSessionFile.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "mainview/MainView.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "study/CalendarGraphView.h"
#include "study/CalendarTableView.h"
#include "study/CalendarTableViewDialogBar.h"
#include "views/SplitFrame.h"
#include "views/TabWnd.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kThirtyDaysOfMinutes = 30 * 1440;

class CCalendarBench
{
public:
    CCalendarBench()
    {
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_folder = std::filesystem::temp_directory_path() / ("orn_calendar_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        const CString answer = (m_folder / "calendar.zca").string();
        SetFileDialogHandler([answer](const SFileDialogRequest&, CString& path) {
            path = answer;
            return true;
        });
        m_document.OnOpenDocument(BenchSessionFile(kThirtyDaysOfMinutes, 60, 300, false));
        m_window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 1600, 1000),
                          nullptr, 0);
        SViewCreateContext context;
        context.document = &m_document;
        m_view.Create(&m_window, nullptr, context);
        dynamic_cast<TTabWnd*>(m_view.GetRootWindow())->SetActiveTab(1);
        m_view.SetCurrentViewId(2);
        m_view.BuildStudyLayout(context);
        m_table = dynamic_cast<CCalendarTableView*>(SectionView(11));
        m_graph = dynamic_cast<CCalendarGraphView*>(SectionView(12));
        // The graph section opens (it starts collapsed), so that its chart has a page's size.
        if (const TVisualObject* object = m_view.GetLayout().GetObject(12))
            if (auto* frame = dynamic_cast<CSplitFrame*>(object->GetWnd()); frame && frame->IsSectionCollapsed())
                frame->ToggleSection(1);
        CFrameworkApp::PumpWaitingMessages();
        // Volts, phase A: a series every session has.
        if (m_table && m_table->GetOptionsBar()) {
            const int volts = int(CalendarBar::kFirstParameter) + 6;
            m_table->GetOptionsBar()->CheckRadioButton(int(CalendarBar::kFirstParameter), int(CalendarBar::kFirstParameter) + 7, volts);
            m_table->SendMessage(WM_COMMAND, MAKEWPARAM(volts, BN_CLICKED), 0);
        }
    }
    ~CCalendarBench()
    {
        m_view.GetFramework().Destroy();
        m_window.DestroyWindow();
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }

    // The granularity button: every session on the graph's chart, then every bin rendered;
    // returns the number of bins.
    int Render(int granularity)
    {
        CCalendarTableViewDialogBar& bar = *m_table->GetOptionsBar();
        const int button = int(CalendarBar::kFirstGranularity) + granularity;
        bar.CheckRadioButton(int(CalendarBar::kFirstGranularity), int(CalendarBar::kFirstGranularity) + 2, button);
        m_table->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        const structCalendarBins* bins = m_table->GetSessionList().BinsOf(0);
        return bins ? bins->count : 0;
    }
    // The chart with the whole session on its time axis, drawn once.
    void ShowWholeSession() { m_graph->ApplyOptions(); }
    void FullRepaint()
    {
        CiPlotX& chart = *m_graph->GetPlotControl();
        chart.GetXAxis(0)->SetVisible(true);
        const CPlotChannel* channel = chart.GetChannel(0);
        chart.SetXAxisRange(0, channel->GetXValue(0), channel->GetXValue(channel->GetCount() - 1) - channel->GetXValue(0));
        chart.Repaint();
    }
    // Only the chart's pictures of the hour bins made last, written to the thumbnail folder.
    int ThumbnailsAlone()
    {
        const structCalendarBins* bins = m_table->GetSessionList().BinsOf(0);
        if (!bins)
            return 0;
        CiPlotX& chart = *m_graph->GetPlotControl();
        for (int i = 0; i < bins->count; ++i) {
            const structCalendarBin& bin = bins->bins[std::size_t(i)];
            chart.SaveThumbnail({0, bin.start, bin.width, bins->lower, bins->upper, 195, 130}, bins->folder + bin.fileName);
        }
        return bins->count;
    }
    CSize ChartSize() const { return m_graph->GetPlotControl()->GetPictureSize(); }
    bool Ready() const { return m_table && m_graph && m_table->GetGrid(); }

private:
    CWnd* SectionView(int entry)
    {
        const TVisualObject* object = m_view.GetLayout().GetObject(entry);
        auto* frame = object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
        return frame ? frame->GetView() : nullptr;
    }

    std::filesystem::path m_folder;
    CRecDoc m_document;
    CWnd m_window;
    CMainView m_view;
    CCalendarTableView* m_table = nullptr;
    CCalendarGraphView* m_graph = nullptr;
};

CCalendarBench& Bench()
{
    static CCalendarBench* bench = new CCalendarBench;
    return *bench;
}

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void RenderBins(benchmark::State& state, int granularity)
{
    CCalendarBench& bench = Bench();
    if (!bench.Ready()) {
        state.SkipWithError("calendar page not built");
        return;
    }
    for (auto _ : state) {
        const auto start = Clock::now();
        const int bins = bench.Render(granularity);
        const double seconds = Seconds(start);
        state.SetIterationTime(seconds);
        state.counters["bins"] = bins;
        state.counters["ms_per_thumbnail"] = bins > 0 ? 1000.0 * seconds / bins : 0.0;
    }
}

void BM_CalendarDayBins(benchmark::State& state)
{
    RenderBins(state, kCalendarDay);
}
BENCHMARK(BM_CalendarDayBins)->UseManualTime()->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_CalendarHourBins(benchmark::State& state)
{
    RenderBins(state, kCalendarHour);
}
BENCHMARK(BM_CalendarHourBins)->UseManualTime()->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// The chart's share of the hour rendering: its pictures alone, files included.
void BM_CalendarHourThumbnailsAlone(benchmark::State& state)
{
    CCalendarBench& bench = Bench();
    if (!bench.Ready()) {
        state.SkipWithError("calendar page not built");
        return;
    }
    bench.Render(kCalendarHour);
    bench.ShowWholeSession();
    for (auto _ : state) {
        const auto start = Clock::now();
        const int bins = bench.ThumbnailsAlone();
        const double seconds = Seconds(start);
        state.SetIterationTime(seconds);
        state.counters["bins"] = bins;
        state.counters["ms_per_thumbnail"] = bins > 0 ? 1000.0 * seconds / bins : 0.0;
    }
}
BENCHMARK(BM_CalendarHourThumbnailsAlone)->UseManualTime()->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_CalendarChartFullRepaint(benchmark::State& state)
{
    CCalendarBench& bench = Bench();
    if (!bench.Ready()) {
        state.SkipWithError("calendar page not built");
        return;
    }
    bench.ShowWholeSession();
    for (auto _ : state) {
        const auto start = Clock::now();
        bench.FullRepaint();
        state.SetIterationTime(Seconds(start));
    }
    state.counters["width"] = bench.ChartSize().cx;
    state.counters["height"] = bench.ChartSize().cy;
}
BENCHMARK(BM_CalendarChartFullRepaint)->UseManualTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

} // namespace
