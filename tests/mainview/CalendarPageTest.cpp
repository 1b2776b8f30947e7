// The Calendar page and the Load-study pages of a project of two sessions inside the main view:
// thumbnails written for the bins in sight and read back, the granularity and channel options,
// the selection of two bins shown by the graph, collapse states and the selection kept in
// "project.xml"; the Load summary tables with the nominal voltages handed over and the estimated
// apparent power.
#include "MainViewFixture.h"

#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/Messages.h"
#include "project/ProjectSettings.h"
#include "project/RecDoc.h"
#include "study/CalendarGraphView.h"
#include "study/CalendarTableView.h"
#include "study/CalendarTableViewDialogBar.h"
#include "study/CalendarThumbnailFile.h"
#include "study/LoadStudySummaryGraphView.h"
#include "study/LoadStudySummaryTableViews.h"
#include "support/MessageBoxRecorder.h"
#include "support/ScopedTimeZone.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr std::int64_t kTicksPerDay = 864000000000;
constexpr std::int64_t kFirstStart = 134168832000000000; // Monday 2026-03-02 00:00 UTC

class CalendarPageTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
    }
    void SetUp() override
    {
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_dialogAnswer;
            return true;
        });
    }
    void TearDown() override
    {
        CloseView();
        if (m_document)
            m_document->OnCloseDocument();
        m_document.reset();
        SetFileDialogHandler(std::move(m_previousDialog));
        CProgressThread::SetDialogFactory({});
        CFrameworkApp::PumpWaitingMessages();
    }

    CString MakeProject(const std::string& name, const SSessionSpec& recording)
    {
        const std::string session = m_folder.Path(name + ".zlg");
        EXPECT_TRUE(WriteBytesToFile(session, CSessionWriter(recording).BuildFile()));
        m_dialogAnswer = m_folder.Path(name + ".zca");
        CRecDoc doc;
        EXPECT_TRUE(doc.OnOpenDocument(CString(session)));
        doc.OnCloseDocument();
        return m_dialogAnswer;
    }
    // Three days from Monday 2 March, and three days from Thursday 5 March at noon.
    void OpenProject(WORD studyType)
    {
        SSessionSpec first;
        first.studyType = studyType;
        first.trendRecords = 432;
        first.gapStart = -1;
        SSessionSpec second = first;
        second.startTicks = kFirstStart + 3 * kTicksPerDay + kTicksPerDay / 2;
        second.name = u"Second feeder";
        const CString path = MakeProject("project", first);
        const CString source = MakeProject("source", second);
        m_document = std::make_unique<CRecDoc>();
        ASSERT_TRUE(m_document->OnOpenDocument(path));
        ASSERT_EQ(m_document->ImportSession(source, 0), 0);
    }
    void OpenPage(int viewId)
    {
        if (!m_window.GetSafeHwnd()) {
            ASSERT_TRUE(m_window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                          CRect(0, 0, 1400, 1000), nullptr, 0));
        }
        m_context.document = m_document.get();
        m_view = std::make_unique<CMainView>();
        ASSERT_TRUE(m_view->Create(&m_window, nullptr, m_context));
        dynamic_cast<TTabWnd*>(m_view->GetRootWindow())->SetActiveTab(viewId >= 5 ? 2 : 1);
        m_view->SetCurrentViewId(viewId);
        m_view->BuildStudyLayout(m_context);
        CFrameworkApp::PumpWaitingMessages();
    }
    void CloseView()
    {
        if (m_view)
            m_view->GetFramework().Destroy();
        m_view.reset();
        m_window.DestroyWindow();
        CFrameworkApp::PumpWaitingMessages();
    }
    template <class View>
    View* Section(int entry)
    {
        const TVisualObject* object = m_view->GetLayout().GetObject(entry);
        auto* frame = object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
        return frame ? dynamic_cast<View*>(frame->GetView()) : nullptr;
    }
    CCalendarTableViewDialogBar& Bar(CCalendarTableView& table) { return *table.GetOptionsBar(); }
    void Choose(CCalendarTableView& table, UINT first, int count, int index)
    {
        Bar(table).CheckRadioButton(int(first), int(first) + count - 1, int(first) + index);
        table.SendMessage(WM_COMMAND, MAKEWPARAM(first + UINT(index), BN_CLICKED), 0);
    }
    static int CountFiles(const CString& folder, const std::string& prefix)
    {
        int count = 0;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder.GetString(), error))
            count += entry.path().filename().string().rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }
    void Click(CCalendarGrid& grid, int session, int bin)
    {
        int col = 0;
        int row = 0;
        grid.BinCell(session, bin, col, row);
        grid.OnLClicked(col, row, 1, nullptr, nullptr, FALSE);
        grid.OnLClicked(col, row, 0, nullptr, nullptr, FALSE);
    }

    void SavePicture(const std::string& name)
    {
        CRect client;
        m_window.GetClientRect(&client);
        CClientDC screen(&m_window);
        CDC memory;
        memory.CreateCompatibleDC(&screen);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
        CBitmap* old = memory.SelectObject(&bitmap);
        m_window.PrintWindow(&memory);
        memory.SelectObject(old);
        const char* folder = std::getenv("ORN_RENDER_DIR");
        EXPECT_TRUE(bitmap.SaveToFile(CString(std::string(folder ? folder : "/tmp") + "/" + name + ".png")));
    }

    ScopedTimeZone m_zone{"UTC0"};
    CTempXdgHome m_home;
    CTempFolder m_folder;
    CMessageBoxRecorder m_boxes;
    FileDialogHandler m_previousDialog;
    CString m_dialogAnswer;
    std::unique_ptr<CRecDoc> m_document;
    CWnd m_window;
    SViewCreateContext m_context;
    std::unique_ptr<CMainView> m_view;
};

TEST_F(CalendarPageTest, ThumbnailsOfTheBinsInSightAreWrittenAndReadBackAlike)
{
    OpenProject(1);
    OpenPage(2);
    auto* table = Section<CCalendarTableView>(11);
    auto* graph = Section<CCalendarGraphView>(12);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(graph, nullptr);
    ASSERT_NE(table->GetGrid(), nullptr);
    EXPECT_EQ(table->GetGranularity(), kCalendarHour);
    const CString folder = CCalendarThumbnails::Folder();
    EXPECT_NE(folder.Find("QuarnCalendarView/"), -1);
    // Three days of hours from midnight, and from noon; the first session's first lines are in
    // sight, so their pictures are written.
    const structCalendarBins* bins = table->GetSessionList().BinsOf(1);
    ASSERT_NE(bins, nullptr);
    EXPECT_EQ(bins->count, 72);
    EXPECT_EQ(bins->folder, folder);
    EXPECT_EQ(bins->bins[0].hour, 12);
    EXPECT_EQ(table->GetGrid()->FirstColumnOffset(1), 4);
    const structCalendarBins& first = *table->GetSessionList().BinsOf(0);
    const int written = CountFiles(folder, "S1_HOUR_");
    EXPECT_GT(written, 0);
    EXPECT_LE(written, 72);
    const CSize fit = table->GetGrid()->PictureFit(1, 2);
    for (int i : {0, 7}) {
        const auto picture = ReadThumbnailBitmap(folder + first.bins[std::size_t(i)].fileName);
        ASSERT_NE(picture, nullptr) << i;
        EXPECT_EQ(picture->GetSize(), fit);
    }
    // Both sessions' thumbnails share one value range.
    EXPECT_EQ(first.upper, bins->upper);
    EXPECT_LT(bins->lower, bins->upper);
    // Nothing selected: no time axis is shown.
    CiPlotX& chart = *graph->GetPlotControl();
    for (int i = 0; i < chart.GetXAxisCount(); ++i)
        EXPECT_FALSE(chart.GetXAxis(i)->IsVisible()) << i;

    // Days: the hour pictures of session 1 stay, its day pictures come.
    Choose(*table, CalendarBar::kFirstGranularity, 3, kCalendarDay);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(table->GetGranularity(), kCalendarDay);
    EXPECT_EQ(CountFiles(folder, "S1_DAY_"), 3);
    EXPECT_EQ(CountFiles(folder, "S2_DAY_"), 4);
    EXPECT_EQ(CountFiles(folder, "S1_HOUR_"), written);
    EXPECT_EQ(table->GetGrid()->FirstColumnOffset(1), 3); // Thursday
    // The pictures stay for the page's next show.
    CloseView();
    EXPECT_EQ(CountFiles(folder, "S1_DAY_"), 3);
}

// A session's points come to the thumbnails when its first picture is drawn: every picture is
// the one the graph's chart draws with all sessions fed at once, for new bins and for another
// parameter alike, and none is drawn from the points of the options before.
TEST_F(CalendarPageTest, PicturesDrawnAsTheirSessionsComeMatchAChartFedAtOnce)
{
    OpenProject(1);
    OpenPage(2);
    auto* table = Section<CCalendarTableView>(11);
    auto* graph = Section<CCalendarGraphView>(12);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(graph, nullptr);
    const CString folder = CCalendarThumbnails::Folder();
    const auto readBytes = [](const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    };
    // Every picture file of the sessions' bins from `first` on against the one drawn from the
    // graph's chart fed at once; the count of those compared.
    const auto compareAll = [&](const char* what, int first) {
        std::vector<std::vector<char>> written;
        std::vector<std::pair<int, int>> drawn;
        for (int session = first; session < 2; ++session) {
            const structCalendarBins& bins = *table->GetSessionList().BinsOf(session);
            for (int bin = 0; bin < bins.count; ++bin) {
                const std::string path = (folder + bins.bins[std::size_t(bin)].fileName).GetString();
                if (std::filesystem::exists(path)) {
                    written.push_back(readBytes(path));
                    drawn.emplace_back(session, bin);
                }
            }
        }
        // The thumbnails of a chart fed every session at once draw the same bins into a folder
        // of their own.
        graph->ApplyOptions();
        CCalendarThumbnails atOnce;
        CCalendarThumbnails::SessionFlags present{};
        for (int session = 0; session < int(present.size()); ++session)
            present[std::size_t(session)] = graph->IsSessionPresent(session);
        const structCalendarBins& firstBins = *table->GetSessionList().BinsOf(0);
        atOnce.Take(*graph->GetPlotControl(), present, firstBins.lower, firstBins.upper, {});
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            const auto [session, bin] = drawn[i];
            structCalendarBins bins = *table->GetSessionList().BinsOf(session);
            bins.folder = CString(m_folder.Path(""));
            int col = 0;
            int row = 0;
            table->GetGrid()->BinCell(session, bin, col, row);
            EXPECT_TRUE(atOnce.ProvidePicture(session, bins, bin, table->GetGrid()->PictureFit(col, row)));
            EXPECT_EQ(written[i], readBytes((bins.folder + bins.bins[std::size_t(bin)].fileName).GetString()))
                << what << ": session " << session << ", bin " << bin;
        }
        return int(drawn.size());
    };
    // Days: every bin of both sessions in sight.
    Choose(*table, CalendarBar::kFirstGranularity, 3, kCalendarDay);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(compareAll("energy by days", 0), 7);
    Choose(*table, CalendarBar::kFirstParameter, 8, 6); // Volts
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(compareAll("volts by days", 0), 7);
    // Hours: the second session's lines come into sight as the first one's block is collapsed.
    Choose(*table, CalendarBar::kFirstGranularity, 3, kCalendarHour);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_GT(compareAll("volts by hours", 0), 0);
    const int secondSeen = CountFiles(folder, "S2_HOUR_");
    table->GetGrid()->ApplyCollapseState("10");
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_GT(CountFiles(folder, "S2_HOUR_"), secondSeen);
    EXPECT_EQ(compareAll("volts by hours, the first session collapsed", 1), CountFiles(folder, "S2_HOUR_"));
}

TEST_F(CalendarPageTest, SelectedBinsAreShownByTheGraphAndOptionsKeepOrClearThem)
{
    OpenProject(1);
    OpenPage(2);
    auto* table = Section<CCalendarTableView>(11);
    auto* graph = Section<CCalendarGraphView>(12);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(graph, nullptr);
    Choose(*table, CalendarBar::kFirstParameter, 8, 6); // Volts
    Choose(*table, CalendarBar::kFirstGranularity, 3, kCalendarDay);
    ASSERT_NE(table->GetGrid(), nullptr);
    Click(*table->GetGrid(), 0, 1);
    Click(*table->GetGrid(), 1, 2);
    const CBasicViewSettings& settings = graph->GetSettings();
    EXPECT_EQ(settings.m_thumbSelections[0].session, 0);
    EXPECT_EQ(settings.m_thumbSelections[0].thumb, 1);
    EXPECT_EQ(settings.m_thumbSelections[1].session, 1);
    EXPECT_EQ(settings.m_thumbSelections[1].thumb, 2);
    CiPlotX& chart = *graph->GetPlotControl();
    const structCalendarBin& first = table->GetSessionList().BinsOf(0)->bins[1];
    const structCalendarBin& second = table->GetSessionList().BinsOf(1)->bins[2];
    ASSERT_TRUE(chart.GetXAxis(0)->IsVisible());
    ASSERT_TRUE(chart.GetXAxis(1)->IsVisible());
    EXPECT_FALSE(chart.GetXAxis(2)->IsVisible());
    EXPECT_DOUBLE_EQ(chart.GetXAxis(0)->GetMin(), first.start);
    EXPECT_DOUBLE_EQ(chart.GetXAxis(0)->GetSpan(), 1.0);
    EXPECT_DOUBLE_EQ(chart.GetXAxis(1)->GetMin(), second.start);
    EXPECT_GT(chart.GetChannelCount(), 1);
    // The Y axis keeps the thumbnails' range.
    EXPECT_DOUBLE_EQ(chart.GetYAxis(0)->GetMin(), table->GetSessionList().BinsOf(0)->lower);

    // Volts never offer "Total"; a channel change keeps the selection.
    EXPECT_FALSE(Bar(*table).GetDlgItem(int(CalendarBar::kFirstChannel) + 3)->IsWindowEnabled());
    EXPECT_TRUE(Bar(*table).GetDlgItem(int(CalendarBar::kFirstChannel) + 1)->IsWindowEnabled());
    Choose(*table, CalendarBar::kFirstChannel, 4, 1);
    EXPECT_EQ(settings.m_calendarViewChannel, 1);
    EXPECT_TRUE(settings.m_channels[0][1]);
    EXPECT_EQ(table->GetSessionList().FindSelection(0, 1), 0);
    EXPECT_EQ(table->GetSessionList().FindSelection(1, 2), 1);
    // Energy forward: only "Total", checked.
    Choose(*table, CalendarBar::kFirstParameter, 8, 1);
    EXPECT_EQ(Bar(*table).GetCheckedChannel(), 3);
    EXPECT_FALSE(Bar(*table).GetDlgItem(int(CalendarBar::kFirstChannel))->IsWindowEnabled());
    EXPECT_TRUE(settings.m_channels[0][0]);
    // A granularity change clears it.
    Choose(*table, CalendarBar::kFirstGranularity, 3, kCalendarWeek);
    EXPECT_FALSE(table->GetSessionList().selections[0].HasSession());
    EXPECT_EQ(settings.m_thumbSelections[0].session, -1);
    EXPECT_EQ(table->GetSessionList().BinsOf(0)->count, 1);
}

TEST_F(CalendarPageTest, CollapseStatesAndSelectionComeBackFromTheProject)
{
    OpenProject(1);
    OpenPage(2);
    auto* table = Section<CCalendarTableView>(11);
    auto* graph = Section<CCalendarGraphView>(12);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(graph, nullptr);
    CCalendarGrid& grid = *table->GetGrid();
    Click(grid, 1, 5);
    const int heading = grid.BlockStart(1);
    grid.OnLClicked(3, heading, 1, nullptr, nullptr, FALSE);
    grid.OnLClicked(3, heading, 0, nullptr, nullptr, FALSE);
    EXPECT_EQ(table->GetTitle(), CString("01"));
    graph->SyncViewSettings();
    EXPECT_EQ(graph->GetSettings().m_tableCollapse, CString("01"));

    graph->GetSettings().SetPresent(true);
    m_document->GetProjectSettings()->SetStudyViewSettings(2, &graph->GetSettings());
    CloseView();
    m_document->SaveProject();
    const CString path = m_document->GetPathName();
    m_document->OnCloseDocument();
    m_document = std::make_unique<CRecDoc>();
    ASSERT_TRUE(m_document->OnOpenDocument(path));
    const auto* stored = dynamic_cast<const CBasicViewSettings*>(m_document->GetProjectSettings()->GetStudyViewSettings(2));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->m_tableCollapse, CString("01"));
    EXPECT_EQ(stored->m_thumbSelections[0].session, 1);
    EXPECT_EQ(stored->m_thumbSelections[0].thumb, 5);

    OpenPage(2);
    table = Section<CCalendarTableView>(11);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->GetGrid(), nullptr);
    EXPECT_TRUE(table->GetGrid()->IsBlockCollapsed(1));
    EXPECT_FALSE(table->GetGrid()->IsBlockCollapsed(0));
    EXPECT_EQ(table->GetSessionList().FindSelection(1, 5), 0);
}

TEST_F(CalendarPageTest, ABookmarkBringsBackItsOptionsAndBothSelectedBins)
{
    OpenProject(1);
    OpenPage(2);
    auto* table = Section<CCalendarTableView>(11);
    auto* graph = Section<CCalendarGraphView>(12);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(graph, nullptr);
    Choose(*table, CalendarBar::kFirstParameter, 8, 6);
    Choose(*table, CalendarBar::kFirstChannel, 4, 2);
    Choose(*table, CalendarBar::kFirstGranularity, 3, kCalendarDay);
    Click(*table->GetGrid(), 0, 2);
    Click(*table->GetGrid(), 1, 1);
    graph->SyncViewSettings();
    const CBasicViewSettings bookmark = graph->GetSettings();

    Choose(*table, CalendarBar::kFirstParameter, 8, 7);
    Choose(*table, CalendarBar::kFirstGranularity, 3, kCalendarHour);
    ASSERT_FALSE(table->GetSessionList().selections[0].HasSession());
    graph->TakeViewSettings(&bookmark);
    graph->OnUpdate(nullptr, 0, nullptr);
    EXPECT_EQ(Bar(*table).GetCheckedParameter(), 6);
    EXPECT_EQ(Bar(*table).GetCheckedChannel(), 2);
    EXPECT_EQ(table->GetGranularity(), kCalendarDay);
    EXPECT_EQ(table->GetSessionList().FindSelection(0, 2), 0);
    EXPECT_EQ(table->GetSessionList().FindSelection(1, 1), 1);
    CiPlotX& chart = *graph->GetPlotControl();
    EXPECT_DOUBLE_EQ(chart.GetXAxis(0)->GetMin(), bookmark.m_upperPlot.xAxes[0].min);
    EXPECT_DOUBLE_EQ(chart.GetXAxis(1)->GetMin(), bookmark.m_upperPlot.xAxes[1].min);
}

TEST_F(CalendarPageTest, TheLoadCalendarOffersItsOwnParametersAndFrequencyOnlyOnA)
{
    OpenProject(2);
    OpenPage(6);
    auto* table = Section<CCalendarTableView>(28);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->GetGrid(), nullptr);
    CCalendarTableViewDialogBar& bar = Bar(*table);
    CString text;
    bar.GetDlgItemText(int(CalendarBar::kFirstParameter) + 1, text);
    EXPECT_EQ(text, CString("estimated S [VA]"));
    EXPECT_FALSE(bar.GetDlgItem(int(CalendarBar::kFirstParameter) + 4)->IsWindowVisible());
    Choose(*table, CalendarBar::kFirstParameter, 8, 3);
    for (int k = 1; k < 4; ++k)
        EXPECT_FALSE(bar.GetDlgItem(int(CalendarBar::kFirstChannel) + k)->IsWindowEnabled()) << k;
    EXPECT_EQ(bar.GetCheckedChannel(), 0);
    // The Energy calendar of a Load-only project shows nothing.
    CloseView();
    OpenPage(2);
    auto* energy = Section<CCalendarTableView>(11);
    ASSERT_NE(energy, nullptr);
    EXPECT_EQ(energy->GetGrid(), nullptr);
}

TEST_F(CalendarPageTest, LoadSummaryTablesEstimateApparentPowerFromTheHandedOverNominalVoltage)
{
    OpenProject(2);
    OpenPage(5);
    auto* table = Section<CLoadStudySummaryTableView>(25);
    auto* graph = Section<CLoadStudySummaryGraphView>(26);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(graph, nullptr);
    const SummaryBlocks& blocks = table->GetSessionData();
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0]->rows[0].title, CString("Nominal Voltage [V]"));
    EXPECT_EQ(blocks[0]->rows[1].title, CString("Estimated Apparent Power"));
    EXPECT_FLOAT_EQ(blocks[0]->nominalVoltage, 230.0f);
    const float before = blocks[0]->rows[1].cells[3].entries[SSummaryTableCell::kAvg].value;
    EXPECT_GT(before, 0.0f);

    // Doubling the nominal voltage doubles the estimate, and the Load calendar's stored
    // settings take the same override.
    m_document->GetProjectSettings()->SetStudyViewSettings(6, &graph->GetSettings());
    SNominalVoltageRecord record{460.0f, blocks[0]->nominalTopology};
    table->SendMessage(WM_TABLE_NOMINAL_VOLTAGE, 0, LPARAM(&record));
    CFrameworkApp::PumpWaitingMessages();
    const SummaryBlocks& after = table->GetSessionData();
    EXPECT_FLOAT_EQ(after[0]->nominalVoltage, 460.0f);
    EXPECT_NEAR(after[0]->rows[1].cells[3].entries[SSummaryTableCell::kAvg].value, 2.0f * before, 1e-3f * before);
    const auto* calendar = dynamic_cast<const CBasicViewSettings*>(m_document->GetProjectSettings()->GetStudyViewSettings(6));
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->m_nominalVoltages, graph->GetSettings().m_nominalVoltages);
    EXPECT_FALSE(calendar->m_nominalVoltages.empty());
}

// Pictures for a person to look at (run with --gtest_also_run_disabled_tests; written to
// ORN_RENDER_DIR, /tmp when unset): the Calendar page with two bins selected, and every Load page.
TEST_F(CalendarPageTest, DISABLED_RenderTheCalendarAndTheLoadPages)
{
    OpenProject(1);
    OpenPage(2);
    auto* table = Section<CCalendarTableView>(11);
    ASSERT_NE(table, nullptr);
    Choose(*table, CalendarBar::kFirstParameter, 8, 3); // active power
    Choose(*table, CalendarBar::kFirstGranularity, 3, kCalendarDay);
    ASSERT_NE(table->GetGrid(), nullptr);
    Click(*table->GetGrid(), 0, 1);
    Click(*table->GetGrid(), 1, 2);
    for (int entry : {11, 12}) {
        const TVisualObject* object = m_view->GetLayout().GetObject(entry);
        auto* frame = object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
        if (frame && frame->IsSectionCollapsed())
            frame->ToggleSection(1);
    }
    CFrameworkApp::PumpWaitingMessages();
    SavePicture("calendar-day");
    Choose(*table, CalendarBar::kFirstGranularity, 3, kCalendarHour);
    CFrameworkApp::PumpWaitingMessages();
    SavePicture("calendar-hour");
    CloseView();
    m_document->OnCloseDocument();
    m_document.reset();

    OpenProject(2);
    const struct
    {
        int viewId;
        int firstEntry;
        const char* name;
    } pages[] = {{5, 25, "load-summary"}, {6, 28, "load-calendar"}, {8, 33, "load-a-hz-thd"}};
    for (const auto& page : pages) {
        OpenPage(page.viewId);
        for (int entry = page.firstEntry; entry < page.firstEntry + 3; ++entry) {
            const TVisualObject* object = m_view->GetLayout().GetObject(entry);
            auto* frame = object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
            if (frame && frame->IsSectionCollapsed())
                frame->ToggleSection(1);
        }
        CFrameworkApp::PumpWaitingMessages();
        SavePicture(page.name);
        CloseView();
    }
}

} // namespace
