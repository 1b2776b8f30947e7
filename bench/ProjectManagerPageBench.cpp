// Opening the project manager page of a project with 4 sessions and 20 screenshots: the page's
// work up to its first complete paint (cards built, texts formatted, pictures decoded and
// drawn), beside the document's reading of the archive's streams it needs first.
#include "BenchCanvas.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "projectmanager/ScreenshotPicture.h"
#include "support/SessionWriter.h"
#include "support/TempXdgHome.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kSessions = 4;
constexpr int kScreenshots = 20;
constexpr int kPageWidth = 1100;
constexpr int kPageHeight = 900;

// The project, written once per process.
class CBenchProject
{
public:
    CBenchProject()
    {
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        for (int i = 0; i < kSessions; ++i) {
            SSessionSpec recording;
            recording.studyType = i < 2 ? 1 : 2;
            recording.bigEndian = i % 2 == 1;
            recording.trendRecords = 1008; // a week of 10-minute averages
            const std::string zlg = m_folder.Path("s" + std::to_string(i) + ".zlg");
            WriteBytesToFile(zlg, CSessionWriter(recording).BuildFile());
            SZlgSessionInfo info;
            CRecDoc::ReadZlgSessionInfo(zlg, info);
            CRecDoc::BuildArchiveFromZlg(m_folder.Path("s" + std::to_string(i) + ".zca"), zlg, info);
        }
        m_path = m_folder.Path("s0.zca");
        CRecDoc document;
        document.OnOpenDocument(m_path);
        for (int i = 1; i < kSessions; ++i)
            document.ImportSession(m_folder.Path("s" + std::to_string(i) + ".zca"), 0);
        for (int i = 0; i < kScreenshots; ++i) {
            const std::string png = m_folder.Path("p" + std::to_string(i) + ".png");
            WriteFileBytes(png, MakePicture(320, 240, "4626017"));
            document.ImportSavedScreen(png);
        }
        document.SaveProject();
        document.OnCloseDocument();
    }
    const CString& Path() const { return m_path; }

private:
    CTempXdgHome m_home;
    CTempFolder m_folder;
    CString m_path;
};

const CBenchProject& Project()
{
    static const CBenchProject project;
    return project;
}

// The document reads "project.xml" and every session stream.
void BM_OpenProjectArchive(benchmark::State& state)
{
    const CString& path = Project().Path();
    for (auto _ : state) {
        auto document = std::make_unique<CRecDoc>();
        benchmark::DoNotOptimize(document->OnOpenDocument(path));
        state.PauseTiming();
        document->OnCloseDocument();
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenProjectArchive)->Unit(benchmark::kMillisecond);

// The page's first update and its first complete paint into a bitmap.
void BM_ProjectManagerFirstPaint(benchmark::State& state)
{
    CRecDoc document;
    document.OnOpenDocument(Project().Path());
    CWnd host;
    host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, kPageWidth, kPageHeight), nullptr, 0);
    CBenchCanvas canvas(kPageWidth, kPageHeight);
    for (auto _ : state) {
        auto view = std::make_unique<CProjectManagerTableView>();
        view->m_bAutoDelete = false;
        view->CreateView(&host, 1, &document);
        view->SendMessage(WM_INITIALUPDATE);
        host.PrintWindow(canvas.DC());
        state.PauseTiming();
        view.reset();
        CFrameworkApp::PumpWaitingMessages();
        state.ResumeTiming();
    }
    document.OnCloseDocument();
}
BENCHMARK(BM_ProjectManagerFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace
