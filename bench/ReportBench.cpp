// A report of the summary, four sessions, twenty saved screens (twenty different pictures) and
// twenty bookmarks: preparing it and writing the PDF, beside the platform's PDF writer given the
// same words and pictures on the same pages (each picture decoded once from its bytes, then every
// text and picture drawn), timed in the same iteration; and beside decoding the same forty
// pictures alone.
#include "BenchSessionFile.h"
#include "platform/reportengine/PlainPdfWriter.h"
#include "report/FastReport.h"
#include "report/ReportProjectFixture.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace
{
constexpr int kSessions = 4;
constexpr int kSavedScreens = 20;
constexpr int kBookmarks = 20;
constexpr unsigned kPictureWidth = 800;
constexpr unsigned kPictureHeight = 480;

class CBenchProject
{
public:
    CBenchProject() : project(std::vector<SSessionSpec>(kSessions))
    {
        for (int i = 0; i < kSavedScreens; ++i)
        {
            CString path = project.WritePicture("screen" + std::to_string(i) + ".png", kPictureWidth, kPictureHeight,
                                                 std::to_string(4626017 + i));
            RequireReportStep(project.document->ImportSavedScreen(path) == 0, "saved screen");
            pictures.push_back(path);
        }
        CBasicViewSettings graph(0);
        graph.m_sessions = {true, true, true, true};
        graph.m_channels[0] = {true, true, true, true};
        graph.m_notes = {{"A note on the graph", 8}};
        for (int i = 0; i < kBookmarks; ++i)
            project.AddBookmark(2, CString::Formatted("Bookmark %d", i + 1), &graph, kPictureWidth, kPictureHeight);
        pictures.push_back(project.Path("bookmark.png"));
    }

    CReportProject project;
    std::vector<CString> pictures;
};

CBenchProject& Project()
{
    static CBenchProject project;
    return project;
}

void PrepareReport(CFastReport& report, CRecDoc& document)
{
    report.SummaryReport(document, nullptr);
    for (int i = 0; i < kSessions; ++i)
        report.SessionReport(document, nullptr, i);
    for (int i = 0; i < kSavedScreens; ++i)
        report.SavedScreenReport(document, nullptr, i);
    for (int i = 0; i < kBookmarks; ++i)
        report.BookmarkReport(document, nullptr, i);
}

void BM_ReportPrepareAndWritePdf(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    CBenchProject& bench = Project();
    CRecDoc& document = *bench.project.document;
    CFastReport report(0);
    const std::string pdf = bench.project.Path("bench.pdf").str();
    const std::string plainPdf = bench.project.Path("plain.pdf").str();
    // The words and pictures of the report's pages, for the platform's writer.
    PrepareReport(report, document);
    const CPlainPdfWriter plain(report.GetEngine().GetPreparedPages());
    report.ResetReport();
    std::vector<double> reports, plains;
    for (auto _ : state) {
        auto start = Clock::now();
        PrepareReport(report, document);
        report.ExportToPdf(pdf.c_str());
        reports.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        report.ResetReport();
        start = Clock::now();
        benchmark::DoNotOptimize(plain.Write(plainPdf));
        plains.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    const auto [reportMin, reportMax] = std::minmax_element(reports.begin(), reports.end());
    const auto [plainMin, plainMax] = std::minmax_element(plains.begin(), plains.end());
    state.counters["report_min_ms"] = *reportMin * 1e3;
    state.counters["report_median_ms"] = MedianMs(reports);
    state.counters["report_max_ms"] = *reportMax * 1e3;
    state.counters["platform_min_ms"] = *plainMin * 1e3;
    state.counters["platform_median_ms"] = MedianMs(plains);
    state.counters["platform_max_ms"] = *plainMax * 1e3;
    state.counters["report_per_platform"] = MedianMs(reports) / MedianMs(plains);
    state.counters["pages"] = double(plain.PageCount());
    state.counters["pdf_bytes"] = double(std::filesystem::file_size(pdf));
    state.counters["platform_pdf_bytes"] = double(std::filesystem::file_size(plainPdf));
}
BENCHMARK(BM_ReportPrepareAndWritePdf)->Iterations(10)->Unit(benchmark::kMillisecond);

// The forty pictures of that report decoded once each (the bookmarks share one file).
void BM_ReportPictureDecoding(benchmark::State& state)
{
    CBenchProject& bench = Project();
    for (auto _ : state)
    {
        for (int i = 0; i < kSavedScreens + kBookmarks; ++i)
        {
            const CString& path = bench.pictures[std::size_t(std::min(i, kSavedScreens))];
            std::vector<unsigned char> rgba;
            unsigned width = 0;
            unsigned height = 0;
            lodepng::decode(rgba, width, height, path.str());
            benchmark::DoNotOptimize(rgba.data());
        }
    }
}
BENCHMARK(BM_ReportPictureDecoding)->Unit(benchmark::kMillisecond);
} // namespace
