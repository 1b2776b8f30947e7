// The automatic report: which items it reports and in which order, what its progress shows, how
// a cancel, a failed item and an item naming nothing any more end or continue the run.
#include "ReportProjectFixture.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/ReportViewSettings.h"
#include "report/AutoReport.h"
#include "report/AutoReportProgress.h"
#include "report/IReport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

// Records the driver calls; `fail` names a call (1-based) that answers false, `during` runs
// inside every call.
class CRecordingReport : public IReport
{
public:
    bool SummaryReport(CRecDoc&, IReportProgress*) override { return Call("summary"); }
    bool SessionReport(CRecDoc&, IReportProgress*, int i) override { return Call("session " + std::to_string(i)); }
    bool SavedScreenReport(CRecDoc&, IReportProgress*, int i) override { return Call("screen " + std::to_string(i)); }
    bool BookmarkReport(CRecDoc&, IReportProgress*, int i) override { return Call("bookmark " + std::to_string(i)); }
    bool ShowPreview() override { return Call("preview"); }
    bool ResetReport() override { return Call("reset"); }
    bool ExportToPdf(const CString&) override { return Call("pdf"); }
    bool ExportToRtf(const CString&) override { return Call("rtf"); }

    std::vector<std::string> calls;
    int fail = 0;
    std::function<void(int)> during;

private:
    bool Call(const std::string& name)
    {
        calls.push_back(name);
        if (during)
            during(int(calls.size()));
        return int(calls.size()) != fail;
    }
};

class CRecordingProgress : public IReportProgress
{
public:
    void Begin(int low, int high, int step) override { events.push_back(CString::Formatted("begin %d %d %d", low, high, step)); }
    bool Item(int number, int count) override
    {
        events.push_back(CString::Formatted("item %s %d/%d", name.GetString(), number, count));
        return goOn;
    }
    bool Step(const CString& stepName, int position) override
    {
        name = stepName;
        events.push_back(CString::Formatted("step %d", position));
        return goOn;
    }
    void End() override { events.push_back("end"); }

    std::vector<CString> events;
    CString name;
    bool goOn = true;
};

// With ORN_RENDER_DIR set, the window is written there as <name>.png to be looked at.
void Render(CWnd& window, const char* name)
{
    const char* dir = std::getenv("ORN_RENDER_DIR");
    if (!dir)
        return;
    CRect client;
    window.GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr);
    CBitmap* old = memory.SelectObject(&bitmap);
    window.PrintWindow(&memory);
    memory.SelectObject(old);
    EXPECT_TRUE(bitmap.SaveToFile(CString((std::filesystem::path(dir) / (std::string(name) + ".png")).string())));
}

class AutoReportTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { CFrameworkApp::EnsureInitialized(); }

    AutoReportTest()
    {
        EXPECT_EQ(project.document->ImportSavedScreen(project.WritePicture("screen.png", 64, 48, "")), 0);
        project.AddBookmark(2, "Peak", nullptr);
    }
    // The list as the report page stores it once the user arranged the report.
    void StoreItems(const std::vector<SReportItem>& items)
    {
        CReportViewSettings settings;
        settings.m_items = items;
        settings.m_itemsArranged = true;
        project.Project().SetViewSettings(CViewSettings::kReportViewId, &settings);
    }

    CReportProject project{{SSessionSpec{}, SSessionSpec{}}};
    CRecordingReport report;
    CRecordingProgress progress;
};

TEST_F(AutoReportTest, AProjectNeverArrangedReportsEverythingInProjectOrder)
{
    const std::vector<SAutoReportItem> expected{{0, -1}, {1, 0}, {1, 1}, {2, 0}, {3, 0}};
    EXPECT_EQ(CAutoReport::CollectItems(*project.document), expected);
    EXPECT_TRUE(CAutoReport().Run(report, *project.document, progress));
    EXPECT_EQ(report.calls, (std::vector<std::string>{"summary", "session 0", "session 1", "screen 0", "bookmark 0"}));
    // Each item's name counts from 1 as the user reads it, and the progress says so.
    EXPECT_EQ(progress.events[0], "begin 0 5 1");
    EXPECT_EQ(progress.events[1], "step 1");
    EXPECT_EQ(progress.events[2], "item Summary 1/5");
    EXPECT_EQ(progress.events[4], "item Session 1 2/5");
    EXPECT_EQ(progress.events[8], "item Saved Screen 1 4/5");
    EXPECT_EQ(progress.events[10], "item Bookmark 1 5/5");
    EXPECT_EQ(progress.events.back(), "end");
}

TEST_F(AutoReportTest, AStoredListIsReportedAsStoredAndAnEmptyOneAddsNothing)
{
    StoreItems({{3, 0, 1}});
    EXPECT_TRUE(CAutoReport().Run(report, *project.document, progress));
    EXPECT_EQ(report.calls, std::vector<std::string>{"bookmark 0"});

    // The summary's stored index does not matter; an unknown kind is left out.
    StoreItems({{1, 1, 0}, {7, 0, 0}, {0, 4, 0}});
    const std::vector<SAutoReportItem> expected{{1, 1}, {0, -1}};
    EXPECT_EQ(CAutoReport::CollectItems(*project.document), expected);

    StoreItems({});
    report.calls.clear();
    EXPECT_TRUE(CAutoReport().Run(report, *project.document, progress));
    EXPECT_TRUE(report.calls.empty());
    EXPECT_EQ(progress.events.back(), "end");
}

TEST_F(AutoReportTest, AnItemNamingNothingIsSkippedAndTheRunGoesOn)
{
    // A bookmark deleted elsewhere, a session index past the last one.
    StoreItems({{0, 0, 0}, {3, 4, 0}, {1, 9, 0}, {1, 1, 0}});
    EXPECT_TRUE(CAutoReport().Run(report, *project.document, progress));
    EXPECT_EQ(report.calls, (std::vector<std::string>{"summary", "session 1"}));
}

TEST_F(AutoReportTest, CancelOrAFailedItemStopsTheRunAndEndsTheProgress)
{
    StoreItems({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
    report.during = [this](int call) {
        if (call == 2)
            progress.goOn = false;
    };
    EXPECT_FALSE(CAutoReport().Run(report, *project.document, progress));
    EXPECT_EQ(report.calls, (std::vector<std::string>{"summary", "session 0"}));
    EXPECT_EQ(progress.events.back(), "end");

    // A cancel during the last item still counts.
    StoreItems({{0, 0, 0}});
    progress.goOn = true;
    report.calls.clear();
    report.during = [this](int) { progress.goOn = false; };
    EXPECT_FALSE(CAutoReport().Run(report, *project.document, progress));

    StoreItems({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
    progress.goOn = true;
    report.during = nullptr;
    report.calls.clear();
    report.fail = 2;
    EXPECT_FALSE(CAutoReport().Run(report, *project.document, progress));
    EXPECT_EQ(report.calls.size(), 2u);
}

TEST_F(AutoReportTest, TheProgressWindowShowsTheItemKeepsItsOwnerDisabledAndHearsCancel)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "main", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
    {
        CAutoReportProgress window(&owner);
        ASSERT_NE(window.GetSafeHwnd(), nullptr);
        EXPECT_FALSE(owner.IsWindowEnabled());
        CString text;
        window.GetDlgItemText(CAutoReportProgress::kTextId, text);
        EXPECT_EQ(text, "Initializing Report...");

        report.during = [&](int call) {
            window.GetDlgItemText(CAutoReportProgress::kTextId, text);
            if (call == 2) {
                EXPECT_EQ(text, "Processing: Session 1 (Graph/Table 2 of 5)");
                EXPECT_EQ(window.GetBar().GetPos(), 2);
                Render(window, "report_progress");
                // The user presses Cancel while the session is reported; the run sees it before
                // the next item.
                window.GetDlgItem(IDCANCEL)->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
                window.GetDlgItem(IDCANCEL)->PostMessage(WM_LBUTTONUP, 0, 0);
            }
        };
        EXPECT_FALSE(CAutoReport().Run(report, *project.document, window));
        EXPECT_TRUE(window.IsCancelled());
        EXPECT_EQ(report.calls.size(), 2u);
        EXPECT_TRUE(owner.IsWindowEnabled());
        EXPECT_EQ(window.GetSafeHwnd(), nullptr);
    }
    owner.DestroyWindow();
}

} // namespace
