// A report of the summary, four sessions, twenty saved screens and twenty bookmarks: preparing
// it and writing the PDF, beside decoding the same forty pictures alone.
#include "report/FastReport.h"
#include "report/ReportProjectFixture.h"

#include <benchmark/benchmark.h>

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
            CString path = project.WritePicture("screen" + std::to_string(i) + ".png", kPictureWidth, kPictureHeight, "4626017");
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

void BM_ReportPrepareAndWritePdf(benchmark::State& state)
{
    CBenchProject& bench = Project();
    CRecDoc& document = *bench.project.document;
    CFastReport report(0);
    std::string pdf = bench.project.Path("bench.pdf").str();
    for (auto _ : state)
    {
        report.SummaryReport(document, nullptr);
        for (int i = 0; i < kSessions; ++i)
            report.SessionReport(document, nullptr, i);
        for (int i = 0; i < kSavedScreens; ++i)
            report.SavedScreenReport(document, nullptr, i);
        for (int i = 0; i < kBookmarks; ++i)
            report.BookmarkReport(document, nullptr, i);
        report.ExportToPdf(pdf.c_str());
        report.ResetReport();
    }
    state.counters["pdf_bytes"] = double(std::filesystem::file_size(pdf));
}
BENCHMARK(BM_ReportPrepareAndWritePdf)->Unit(benchmark::kMillisecond);

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
