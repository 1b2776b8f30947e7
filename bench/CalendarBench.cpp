// The hourly calendar of a year of one-minute records (525,600 records, 8,760 hour bins) in a
// project window of the default size (1024x720 main window): the page shown for the first time
// (its views, the session on the chart, the bins, the grid, the thumbnails on screen drawn and
// written), shown again with its files kept, and scrolled by one screen; the bytes written by
// each. Beside them the least work a screen of thumbnails takes: the chart drawing the pictures
// that the first show wrote, into the same files.
#include "BenchSessionFile.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "mainview/MainView.h"
#include "mainview/MainViewStudyHost.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "study/CalendarGraphView.h"
#include "study/CalendarTableView.h"
#include "support/TempXdgHome.h"
#include "views/SplitFrame.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kYearOfMinutes = 525600;
constexpr int kCalendarView = 2;
constexpr int kSummaryView = 0;
// The project window of a 1024x720 main window (less its menu and status bars).
const CRect kProjectWindow(0, 0, 1024, 676);

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

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
        m_document.OnOpenDocument(BenchSessionFile(kYearOfMinutes, 60, 300, false));
        m_window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, kProjectWindow, nullptr, 0);
        m_context.document = &m_document;
        m_view.Create(&m_window, nullptr, m_context);
        m_host = std::make_unique<CMainViewStudyHost>(m_view, m_window, m_context);
        m_document.SetStudyViewHost(m_host.get());
    }
    ~CCalendarBench()
    {
        m_document.SetStudyViewHost(nullptr);
        m_view.GetFramework().Destroy();
        m_window.DestroyWindow();
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }

    // The study switch of a tab or selector click, drawn as the user sees it.
    void Show(int viewId)
    {
        m_document.ShowStudyView(0, viewId);
        CFrameworkApp::PumpWaitingMessages();
    }
    void ForgetThumbnailFiles()
    {
        std::error_code ec;
        std::filesystem::remove_all(CCalendarThumbnails::Folder().GetString(), ec);
    }
    CCalendarTableView* Table()
    {
        const TVisualObject* object = m_view.GetLayout().GetObject(11);
        auto* frame = object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
        return frame ? dynamic_cast<CCalendarTableView*>(frame->GetView()) : nullptr;
    }
    CCalendarGraphView* Graph()
    {
        const TVisualObject* object = m_view.GetLayout().GetObject(12);
        auto* frame = object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
        return frame ? dynamic_cast<CCalendarGraphView*>(frame->GetView()) : nullptr;
    }
    // The grid's own scroll bar, one page down, drawn.
    void ScrollOneScreen()
    {
        Table()->GetGrid()->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        CFrameworkApp::PumpWaitingMessages();
    }

private:
    CTempXdgHome m_home; // the thumbnail folder lies in its data folder
    std::filesystem::path m_folder;
    CRecDoc m_document;
    CWnd m_window;
    SViewCreateContext m_context;
    CMainView m_view;
    std::unique_ptr<CMainViewStudyHost> m_host;
};

// Made on first use and kept to the end: its windows must not outlive the window layer.
CCalendarBench& Bench()
{
    static CCalendarBench* bench = new CCalendarBench;
    return *bench;
}

struct SWritten
{
    int pictures = 0;
    std::uintmax_t bytes = 0;
};

SWritten WrittenSoFar(CCalendarTableView& table)
{
    return {table.GetThumbnails().GetWrittenCount(), table.GetThumbnails().GetWrittenBytes()};
}

void Report(benchmark::State& state, const SWritten& written)
{
    state.counters["pictures"] = written.pictures;
    state.counters["kB_written"] = double(written.bytes) / 1024.0;
}

// The calendar page shown after another study view, with or without the thumbnail files of an
// earlier show.
void ShowCalendar(benchmark::State& state, bool keepFiles)
{
    CCalendarBench& bench = Bench();
    bench.Show(kCalendarView);
    for (auto _ : state) {
        bench.Show(kSummaryView);
        if (!keepFiles)
            bench.ForgetThumbnailFiles();
        const auto start = Clock::now();
        bench.Show(kCalendarView);
        state.SetIterationTime(Seconds(start));
        CCalendarTableView* table = bench.Table();
        if (!table || !table->GetGrid()) {
            state.SkipWithError("calendar page not built");
            return;
        }
        Report(state, WrittenSoFar(*table));
    }
}

// The page shown for the first time: no thumbnail file exists yet.
void BM_CalendarHourFirstShow(benchmark::State& state)
{
    ShowCalendar(state, false);
}
BENCHMARK(BM_CalendarHourFirstShow)->UseManualTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// The page shown again: the bins are unchanged, their files are kept.
void BM_CalendarHourShownAgain(benchmark::State& state)
{
    ShowCalendar(state, true);
}
BENCHMARK(BM_CalendarHourShownAgain)->UseManualTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// One page down through the year: the next screen of thumbnails drawn and written.
void BM_CalendarHourScrollOneScreen(benchmark::State& state)
{
    CCalendarBench& bench = Bench();
    bench.Show(kSummaryView);
    bench.ForgetThumbnailFiles();
    bench.Show(kCalendarView);
    CCalendarTableView* table = bench.Table();
    if (!table || !table->GetGrid()) {
        state.SkipWithError("calendar page not built");
        return;
    }
    for (auto _ : state) {
        const SWritten before = WrittenSoFar(*table);
        const auto start = Clock::now();
        bench.ScrollOneScreen();
        state.SetIterationTime(Seconds(start));
        const SWritten after = WrittenSoFar(*table);
        Report(state, {after.pictures - before.pictures, after.bytes - before.bytes});
    }
}
BENCHMARK(BM_CalendarHourScrollOneScreen)->UseManualTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// The chart alone drawing the first screen's thumbnails (same bins, same size) into their files.
void BM_CalendarHourScreenOfThumbnailsAlone(benchmark::State& state)
{
    CCalendarBench& bench = Bench();
    bench.Show(kSummaryView);
    bench.ForgetThumbnailFiles();
    bench.Show(kCalendarView);
    CCalendarTableView* table = bench.Table();
    CCalendarGraphView* graph = bench.Graph();
    const structCalendarBins* bins = table ? table->GetSessionList().BinsOf(0) : nullptr;
    if (!bins || !graph) {
        state.SkipWithError("calendar page not built");
        return;
    }
    const int pictures = table->GetThumbnails().GetWrittenCount();
    const CSize size = table->GetGrid()->PictureFit(1, 2);
    graph->ApplyOptions(); // every session on the chart again, as the thumbnails take it
    CiPlotX& chart = *graph->GetPlotControl();
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int i = 0; i < pictures && i < bins->count; ++i) {
            const structCalendarBin& bin = bins->bins[std::size_t(i)];
            chart.SaveThumbnail({0, bin.start, bin.width, bins->lower, bins->upper, int(size.cx), int(size.cy)},
                                bins->folder + bin.fileName);
        }
        state.SetIterationTime(Seconds(start));
        state.counters["pictures"] = pictures;
    }
}
BENCHMARK(BM_CalendarHourScreenOfThumbnailsAlone)->UseManualTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

} // namespace
