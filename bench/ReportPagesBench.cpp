// The report of the summary, four sessions, ten saved screens and ten bookmarks as the Report
// tab shows it (the content page built and painted) and as the automatic report runs it with its
// progress window (prepared, not exported).
#include "BenchCanvas.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/ReportViewSettings.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "report/AutoReport.h"
#include "report/AutoReportProgress.h"
#include "report/FastReport.h"
#include "report/ReportProjectFixture.h"
#include "reportpages/ReportContentView.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kSessions = 4;
constexpr int kSavedScreens = 10;
constexpr int kBookmarks = 10;
constexpr int kPageWidth = 1100;
constexpr int kPageHeight = 800;

class CBenchReport
{
public:
    CBenchReport() : project(std::vector<SSessionSpec>(kSessions))
    {
        CFrameworkApp::EnsureInitialized();
        for (int i = 0; i < kSavedScreens; ++i)
            RequireReportStep(project.document->ImportSavedScreen(project.WritePicture(
                                  "screen" + std::to_string(i) + ".png", 800, 480, "4626017")) == 0,
                              "saved screen");
        for (int i = 0; i < kBookmarks; ++i)
            project.AddBookmark(2, CString::Formatted("Bookmark %d", i + 1), nullptr, 800, 480);
        CReportViewSettings settings;
        settings.m_items.push_back({SReportItem::kSummary, 0, 0});
        for (const auto& [kind, count] : {std::pair{SReportItem::kSession, kSessions},
                                          std::pair{SReportItem::kSavedScreen, kSavedScreens},
                                          std::pair{SReportItem::kBookmark, kBookmarks}})
            for (int i = 0; i < count; ++i)
                settings.m_items.push_back({kind, i, 0});
        project.Project().SetViewSettings(CViewSettings::kReportViewId, &settings);
    }

    CReportProject project;
};

CBenchReport& Report()
{
    static CBenchReport report;
    return report;
}

// The content page's first update (every item's grid made and placed) and its first paint.
void BM_ReportContentFirstPaint(benchmark::State& state)
{
    CRecDoc& document = *Report().project.document;
    CWnd host;
    host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, kPageWidth, kPageHeight), nullptr, 0);
    CProjectManagerTableView manager;
    manager.m_bAutoDelete = false;
    manager.CreateView(&host, 1, &document);
    manager.SendMessage(WM_INITIALUPDATE);
    CBenchCanvas canvas(kPageWidth, kPageHeight);
    for (auto _ : state) {
        auto view = std::make_unique<CReportContentView>();
        view->m_bAutoDelete = false;
        view->CreateView(&host, 2, &document);
        view->SendMessage(WM_INITIALUPDATE);
        host.PrintWindow(canvas.DC());
        state.PauseTiming();
        state.counters["items"] = double(view->GetRecords().size());
        view.reset();
        CFrameworkApp::PumpWaitingMessages();
        state.ResumeTiming();
    }
    manager.DestroyWindow();
}
BENCHMARK(BM_ReportContentFirstPaint)->Unit(benchmark::kMillisecond);

// The automatic run over the same items with the progress window (its messages dispatched
// between the items), the driver reset after each run.
void BM_AutoReportRun(benchmark::State& state)
{
    CRecDoc& document = *Report().project.document;
    CWnd owner;
    owner.CreateEx(0, nullptr, "main", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0);
    CFastReport report(0);
    for (auto _ : state) {
        CAutoReportProgress progress(&owner);
        benchmark::DoNotOptimize(CAutoReport().Run(report, document, progress));
        state.PauseTiming();
        state.counters["pages"] = double(report.GetEngine().GetPreparedPageCount());
        report.ResetReport();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AutoReportRun)->Unit(benchmark::kMillisecond);

} // namespace
