// The Export Report command: the report run with its progress window, then the file in the
// reports folder opened with the desktop's program, or the preview; whatever happens the main
// window is enabled again and the report driver reset.
#include "report/ReportProjectFixture.h"

#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/AppFolders.h"
#include "project/ReportViewSettings.h"
#include "report/AutoReportProgress.h"
#include "report/IReport.h"
#include "shell/ExportReportCommand.h"
#include "support/ExternalTools.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <tuple>

namespace {

// Passes every call to the application's driver, counts them, and lets a test act inside one.
class CObservedReport : public IReport
{
public:
    explicit CObservedReport(IReport& driver) : m_driver(driver) {}

    bool SummaryReport(CRecDoc& d, IReportProgress* p) override { return Item() && m_driver.SummaryReport(d, p); }
    bool SessionReport(CRecDoc& d, IReportProgress* p, int i) override { return Item() && m_driver.SessionReport(d, p, i); }
    bool SavedScreenReport(CRecDoc& d, IReportProgress* p, int i) override
    {
        return Item() && m_driver.SavedScreenReport(d, p, i);
    }
    bool BookmarkReport(CRecDoc& d, IReportProgress* p, int i) override { return Item() && m_driver.BookmarkReport(d, p, i); }
    // The preview is modal: it is only counted.
    bool ShowPreview() override { return ++previews > 0; }
    bool ResetReport() override
    {
        ++resets;
        return m_driver.ResetReport();
    }
    bool ExportToPdf(const CString& path) override { return m_driver.ExportToPdf(path); }
    bool ExportToRtf(const CString& path) override { return m_driver.ExportToRtf(path); }

    int items = 0;
    int previews = 0;
    int resets = 0;
    int failAt = 0;
    std::function<void(int)> during;

private:
    bool Item()
    {
        ++items;
        if (during)
            during(items);
        return items != failAt;
    }
    IReport& m_driver;
};

class ExportReportCommandTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { CFrameworkApp::EnsureInitialized(); }

    ExportReportCommandTest()
    {
        EXPECT_EQ(project.document->ImportSavedScreen(project.WritePicture("screen.png", 320, 200, "4626017")), 0);
        project.AddBookmark(2, "Morning peak", nullptr);
        EXPECT_TRUE(m_main.CreateEx(0, nullptr, "main", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
        m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest& request, CString& path) {
            requests.push_back(request);
            path = chosenPath;
            return !chosenPath.IsEmpty();
        });
    }
    ~ExportReportCommandTest() override
    {
        SetFileDialogHandler(std::move(m_previousDialog));
        m_main.DestroyWindow();
    }

    EExportReportResult Export(int format)
    {
        return RunExportReport(report, *project.document, &m_main, format, [this](const CString& path) {
            opened.push_back(path);
            return true;
        });
    }

    CReportProject project{{SSessionSpec{}}};
    std::unique_ptr<IReport> driver = CreateReportEngine(1, 0);
    CObservedReport report{*driver};
    CTempFolder output;
    CString chosenPath;
    std::vector<SFileDialogRequest> requests;
    std::vector<CString> opened;
    CWnd m_main;

private:
    FileDialogHandler m_previousDialog;
};

TEST_F(ExportReportCommandTest, PdfIsWrittenWhereTheUserChoseAndOpened)
{
    chosenPath = CString(output.Path("project report.pdf"));
    EXPECT_EQ(Export(1), EExportReportResult::kOpened);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].open);
    EXPECT_EQ(requests[0].defaultExtension, "pdf");
    EXPECT_EQ(requests[0].filter, "PDF Files (*.pdf)|*.pdf||");
    EXPECT_EQ(requests[0].initialName, GetReportsFolder());
    EXPECT_EQ(GetReportsFolder().Right(9), "/Reports/");
    EXPECT_EQ(opened, std::vector<CString>{chosenPath});
    EXPECT_EQ(report.items, 4);
    EXPECT_EQ(report.resets, 1);
    EXPECT_TRUE(m_main.IsWindowEnabled());
    if (!HasTool("pdftotext"))
        GTEST_SKIP() << "pdftotext is not installed";
    const std::string text = PdfText(chosenPath.str());
    for (const char* expected : {"Session:", "Saved screen:", "Bookmark: Morning peak"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    if (HasTool("pdftoppm"))
        RunTool("pdftoppm -r 40 -f 1 -l 3 -png '" + chosenPath.str() + "' /tmp/orn-export-report-page");
}

TEST_F(ExportReportCommandTest, RtfPreviewAndACancelledSaveDialog)
{
    chosenPath = CString(output.Path("report.rtf"));
    EXPECT_EQ(Export(2), EExportReportResult::kOpened);
    EXPECT_EQ(requests.back().defaultExtension, "rtf");
    EXPECT_EQ(requests.back().filter, "RTF Files (*.rtf)|*.rtf||");
    std::ifstream rtf(chosenPath.str());
    std::string head(5, ' ');
    rtf.read(head.data(), 5);
    EXPECT_EQ(head, "{\\rtf");

    EXPECT_EQ(Export(0), EExportReportResult::kPreview);
    EXPECT_EQ(Export(7), EExportReportResult::kPreview);
    EXPECT_EQ(report.previews, 2);
    EXPECT_EQ(requests.size(), 1u);

    chosenPath.Empty();
    EXPECT_EQ(Export(1), EExportReportResult::kNoFile);
    EXPECT_EQ(report.resets, 4);
    EXPECT_EQ(opened.size(), 1u);
}

// A name typed with another extension, or none, is written with the format's: the extension
// never tells another format than the bytes hold, and a file it would replace is asked about.
TEST_F(ExportReportCommandTest, TheFileTakesTheExtensionOfItsFormat)
{
    const std::tuple<const char*, int, const char*> cases[] = {
        {"report.rtf", 1, "report.pdf"}, {"Report.PDF", 2, "Report.rtf"}, {"site 3.5 kV", 1, "site 3.5 kV.pdf"},
        {"notes.", 2, "notes.rtf"},      {"Report.Pdf", 1, "Report.Pdf"}};
    for (const auto& [typed, format, written] : cases) {
        chosenPath = CString(output.Path(typed));
        EXPECT_EQ(Export(format), EExportReportResult::kOpened) << typed;
        EXPECT_EQ(opened.back(), CString(output.Path(written))) << typed;
        std::string head(5, ' ');
        std::ifstream(output.Path(written), std::ios::binary).read(head.data(), 5);
        EXPECT_EQ(head, format == 1 ? "%PDF-" : "{\\rtf") << typed;
    }
    EXPECT_FALSE(std::filesystem::exists(output.Path("report.rtf")));
    // "report.pdf" stands: typed as "report.rtf" again, it is replaced only when the user agrees.
    const auto written = std::filesystem::last_write_time(output.Path("report.pdf"));
    chosenPath = CString(output.Path("report.rtf"));
    project.boxes.AnswerNext(IDNO);
    EXPECT_EQ(Export(1), EExportReportResult::kNoFile);
    ASSERT_EQ(project.boxes.Boxes().size(), 1u);
    EXPECT_EQ(project.boxes.Boxes()[0].text, CString(output.Path("report.pdf")) + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(std::filesystem::last_write_time(output.Path("report.pdf")), written);
    project.boxes.AnswerNext(IDYES);
    EXPECT_EQ(Export(1), EExportReportResult::kOpened);
}

TEST_F(ExportReportCommandTest, CancelDuringTheSecondOfFourItemsExportsNothing)
{
    chosenPath = CString(output.Path("never.pdf"));
    report.during = [](int item) {
        if (item != 2)
            return;
        // The user presses Cancel on the progress window, the only window that takes input.
        auto* progress = dynamic_cast<CAutoReportProgress*>(CWnd::GetActiveWindow());
        ASSERT_NE(progress, nullptr);
        progress->GetDlgItem(IDCANCEL)->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
        progress->GetDlgItem(IDCANCEL)->PostMessage(WM_LBUTTONUP, 0, 0);
    };
    EXPECT_EQ(Export(1), EExportReportResult::kCancelled);
    EXPECT_EQ(report.items, 2);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(report.previews, 0);
    EXPECT_EQ(report.resets, 1);
    EXPECT_TRUE(m_main.IsWindowEnabled());
    EXPECT_FALSE(std::filesystem::exists(chosenPath.str()));
}

TEST_F(ExportReportCommandTest, AStaleBookmarkIsSkippedAndADriverFailureExportsNothing)
{
    CReportViewSettings settings;
    settings.m_items = {{SReportItem::kSummary, 0, 0}, {SReportItem::kBookmark, 3, 0}, {SReportItem::kSession, 0, 0}};
    settings.m_itemsArranged = true;
    project.Project().SetViewSettings(CViewSettings::kReportViewId, &settings);
    chosenPath = CString(output.Path("session.pdf"));
    EXPECT_EQ(Export(1), EExportReportResult::kOpened);
    EXPECT_EQ(report.items, 2);
    EXPECT_TRUE(std::filesystem::exists(chosenPath.str()));

    report.items = 0;
    report.failAt = 1;
    EXPECT_EQ(Export(0), EExportReportResult::kCancelled);
    EXPECT_EQ(report.previews, 0);
    EXPECT_EQ(report.resets, 2);
    EXPECT_TRUE(m_main.IsWindowEnabled());
}

} // namespace
