// The table views on a project of two sessions with different recording periods, linked to a
// stand-in graph view: the refill of both blocks, unchanged ranges computing nothing, the time
// range between the markers (and one that holds no record), sessions the graph does not show,
// collapse states kept in the graph's settings and in "project.xml", nominal voltages handed
// to the settings, and the copy of the table to the clipboard.
#include "StubLinkedGraph.h"
#include "datamodel/DataSet.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "datamodel/TrendTimeBlock.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/windows/Clipboard.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/BasicViewSettings.h"
#include "project/ProjectSettings.h"
#include "project/RecDoc.h"
#include "study/DemandTableViews.h"
#include "study/LinkedGraphView.h"
#include "study/FundamentalPowerTableViews.h"
#include "study/SummaryTableViews.h"
#include "study/TableStatistics.h"
#include "study/VAHzTHDTableViews.h"
#include "support/MessageBoxRecorder.h"
#include "support/ScopedTimeZone.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"
#include "views/MainWindow.h"
#include "views/SplitFrame.h"
#include "views/ToolBarBuilders.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

template <class Table>
class CLinkedTable : public Table
{
public:
    explicit CLinkedTable(ILinkedGraphView* link) : m_link(link) { this->m_bAutoDelete = false; }
    void LinkWindows() override { this->SetLinkedGraphView(m_link); }

private:
    ILinkedGraphView* m_link;
};

class BasicTableViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_dialogAnswer;
            return true;
        });
        SSessionSpec fast;
        fast.averagingSeconds = 300;
        fast.trendRecords = 60;
        fast.name = u"Fast session";
        const CString source = MakeProject("fast.zca", fast);
        SSessionSpec load;
        load.studyType = 2;
        load.name = u"Load survey";
        m_loadSource = MakeProject("load.zca", load);
        const std::string slow = m_folder.Path("slow.zlg");
        ASSERT_TRUE(WriteBytesToFile(slow, CSessionWriter().BuildFile()));
        m_dialogAnswer = m_folder.Path("project.zca");
        m_document = std::make_unique<CRecDoc>();
        ASSERT_TRUE(m_document->OnOpenDocument(CString(slow)));
        ASSERT_EQ(m_document->ImportSession(source, 0), 0);
        ASSERT_EQ(m_document->GetDataSetCount(), 2);
        m_graph.settings.m_sessions = {true, true, false, false};
        ASSERT_TRUE(m_graph.CreateEx(0, nullptr, "graph", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1200, 900), nullptr, 0));
    }
    void TearDown() override
    {
        m_views.clear();
        m_parent.DestroyWindow();
        m_graph.DestroyWindow();
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
        m_dialogAnswer = m_folder.Path(name);
        CRecDoc doc;
        EXPECT_TRUE(doc.OnOpenDocument(CString(session)));
        return m_dialogAnswer;
    }

    template <class Table>
    CBasicTableView& Open()
    {
        auto view = std::make_unique<CLinkedTable<Table>>(&m_graph);
        EXPECT_TRUE(view->CreateView(&m_parent, UINT(100 + m_views.size()), m_document.get()));
        view->OnInitialUpdate();
        // What the split frame's layout does with its view.
        view->MoveWindow(0, 0, 1200, 900);
        view->SendMessage(WM_TABLE_REFILL, 1, 0);
        m_views.push_back(std::move(view));
        return *m_views.back();
    }

    // The Avg of quantity 0 at phase 0 as the statistics compute it over the range.
    float VoltageAvg(int session, SRecordRange range)
    {
        CTableStatistics stats(*m_document->GetTrendCache(), *m_document->GetDataSet(session), STrendAccessSpec{0, 1},
                               range, 0.95);
        return stats.CellValue(0, 0, 2).value;
    }
    static const SSummaryTableEntry& Avg(const structSummaryTableData& data, int row, int slot)
    {
        return data.rows[std::size_t(row)].cells[std::size_t(slot)].entries[SSummaryTableCell::kAvg];
    }

    ScopedTimeZone m_zone{"UTC"};
    CTempXdgHome m_home;
    CTempFolder m_folder;
    CMessageBoxRecorder m_boxes;
    CString m_dialogAnswer;
    CString m_loadSource;
    FileDialogHandler m_previousDialog;
    std::unique_ptr<CRecDoc> m_document;
    CStubLinkedGraph m_graph{0};
    CWnd m_parent;
    std::vector<std::unique_ptr<CBasicTableView>> m_views;
};

TEST_F(BasicTableViewTest, EachSessionGetsItsBlockAtItsOwnPeriod)
{
    CBasicTableView& table = Open<CVAHzTHDTableView>();
    const SummaryBlocks& blocks = table.GetSessionData();
    ASSERT_EQ(blocks.size(), 2u);
    for (int s = 0; s < 2; ++s) {
        const int records = m_document->GetDataSet(s)->GetTrendTimeBlock()->GetRecordCount();
        EXPECT_FLOAT_EQ(Avg(*blocks[std::size_t(s)], 0, 0).value, VoltageAvg(s, {0, records - 1}));
        EXPECT_EQ(blocks[std::size_t(s)]->rows[0].title, "Voltage");
        EXPECT_EQ(blocks[std::size_t(s)]->rows[2].quantity, 2u);
    }
    EXPECT_NE(blocks[0]->summaryText.str().find("10min"), std::string::npos);
    EXPECT_NE(blocks[1]->summaryText.str().find("5min"), std::string::npos);
    // The fast session lost three records in its gap; every written one holds a valid value.
    const int fastRecords = m_document->GetDataSet(1)->GetTrendTimeBlock()->GetRecordCount();
    CString count;
    count.Format("%d (%d)", fastRecords, fastRecords);
    EXPECT_EQ(fastRecords, 57);
    EXPECT_NE(blocks[1]->summaryText.str().find(count.str()), std::string::npos) << blocks[1]->summaryText.str();
    EXPECT_EQ(blocks[1]->name, "Fast session");
    // The V, A, Hz, THD tables have no total column; the frequency fills one phase.
    EXPECT_EQ(table.GetGrid()->GetColWidth(14), 0);
    EXPECT_FALSE(Avg(*blocks[0], 2, 1).available);

    // Nothing changed: nothing is computed again, but the collapse state is applied.
    EXPECT_FALSE(table.RebuildSessionData(false));
    EXPECT_TRUE(table.RebuildSessionData(true));
}

TEST_F(BasicTableViewTest, FundamentalPowerBlocksHoldFourRowsInTheirOrder)
{
    CBasicTableView& table = Open<CFundamentalPowerTableView>();
    const structSummaryTableData& block = *table.GetSessionData()[0];
    const char* titles[] = {"Active Power", "Apparent Power", "Reactive Power", "Distortion Power Factor"};
    const std::uint32_t quantities[] = {20, 21, 22, 9};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(block.rows[std::size_t(r)].title, titles[r]);
        EXPECT_EQ(block.rows[std::size_t(r)].quantity, quantities[r]);
    }
    EXPECT_EQ(block.rows[4].quantity, 121u);
    EXPECT_EQ(table.GetGrid()->GetRowsPerBlock(), 1 + 7 * 4);
    EXPECT_EQ(table.GetGrid()->GetNumberRows(), 2 * (1 + 7 * 4));
}

TEST_F(BasicTableViewTest, BlocksFollowTheSessionsAndALoadSessionStaysOutOfTheEnergyTable)
{
    CBasicTableView& table = Open<CSummaryTableView>();
    ASSERT_EQ(m_document->ImportSession(m_loadSource, 0), 0);
    table.SendMessage(WM_TABLE_REFILL, 0, 0);
    ASSERT_EQ(table.GetSessionData().size(), 3u);
    EXPECT_TRUE(table.GetSessionData()[2]->hidden);
    EXPECT_TRUE(table.GetGrid()->IsBlockHidden(2));
    EXPECT_FALSE(table.GetGrid()->IsBlockHidden(1));
    EXPECT_EQ(table.GetGrid()->GetNumberRows(), 3 * table.GetGrid()->GetRowsPerBlock());

    ASSERT_EQ(m_document->DeleteSession(2), 0);
    table.SendMessage(WM_TABLE_REFILL, 0, 0);
    EXPECT_EQ(table.GetSessionData().size(), 2u);
    EXPECT_EQ(table.GetGrid()->GetNumberRows(), 2 * table.GetGrid()->GetRowsPerBlock());
    EXPECT_FALSE(table.GetGrid()->IsBlockHidden(1));
}

TEST_F(BasicTableViewTest, TheTimeRangeTableSumsTheRecordsBetweenTheMarkers)
{
    const CTrendTimeBlock& slow = *m_document->GetDataSet(0)->GetTrendTimeBlock();
    const CTrendTimeBlock& fast = *m_document->GetDataSet(1)->GetTrendTimeBlock();
    m_graph.rangeOn = true;
    m_graph.begin[0] = slow.GetTime(10);
    m_graph.end[0] = slow.GetTime(20);
    // Session 2's range lies after its last record: it holds none.
    m_graph.begin[1] = fast.GetLastTime() + CHighTimeSpan(0, 1, 0, 0);
    m_graph.end[1] = fast.GetLastTime() + CHighTimeSpan(0, 2, 0, 0);
    CBasicTableView& table = Open<CSummaryTableTimeRangeView>();
    const SummaryBlocks& blocks = table.GetSessionData();
    EXPECT_EQ(table.GetSelectedRanges()[0].records, (SRecordRange{10, 19}));
    EXPECT_EQ(table.GetSelectedRanges()[0].selected, 1);
    CTableStatistics stats(*m_document->GetTrendCache(), *m_document->GetDataSet(0), STrendAccessSpec{0, 1}, {10, 19},
                           0.95);
    EXPECT_FLOAT_EQ(Avg(*blocks[0], 0, 0).value, stats.CellValue(5, 0).value);
    EXPECT_NE(blocks[0]->summaryText.str().find("10 (10)"), std::string::npos);

    EXPECT_TRUE(table.GetSelectedRanges()[1].records.IsEmpty());
    EXPECT_TRUE(std::isnan(Avg(*blocks[1], 0, 0).value));
    EXPECT_TRUE(blocks[1]->summaryText.IsEmpty());
    EXPECT_FALSE(blocks[1]->hidden);

    // A session the graph does not show leaves the time-range table.
    m_graph.settings.m_sessions[1] = false;
    table.SendMessage(WM_TABLE_REFILL, 0, 0);
    EXPECT_TRUE(blocks[1]->hidden);
    EXPECT_TRUE(table.GetGrid()->IsBlockHidden(1));
}

TEST_F(BasicTableViewTest, CollapseStatesTravelThroughTheGraphSettingsAndTheProject)
{
    CBasicTableView& table = Open<CSummaryTableView>();
    CSummaryGrid& grid = *table.GetGrid();
    grid.OnLClicked(5, grid.GroupHeaderRow(1, 2), 0, nullptr, nullptr, FALSE);
    EXPECT_EQ(m_graph.settings.m_tableCollapse, "000000000010");
    EXPECT_EQ(table.GetTitle(), "000000000010");

    m_graph.settings.SetPresent(true);
    m_document->GetProjectSettings()->SetStudyViewSettings(0, &m_graph.settings);
    m_document->SaveProject();
    const CString path = m_document->GetPathName();
    m_views.clear();
    m_document->OnCloseDocument();
    m_document = std::make_unique<CRecDoc>();
    ASSERT_TRUE(m_document->OnOpenDocument(path));
    const auto* stored = dynamic_cast<const CBasicViewSettings*>(m_document->GetProjectSettings()->GetStudyViewSettings(0));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->m_tableCollapse, "000000000010");

    // The graph hands the stored text over before it asks for the refill.
    auto view = std::make_unique<CLinkedTable<CSummaryTableView>>(&m_graph);
    ASSERT_TRUE(view->CreateView(&m_parent, 200, m_document.get()));
    view->OnInitialUpdate();
    view->SetTitle(stored->m_tableCollapse);
    view->SendMessage(WM_TABLE_REFILL, 0, 0);
    EXPECT_TRUE(view->GetGrid()->IsGroupCollapsed(1, 2));
    EXPECT_FALSE(view->GetGrid()->IsGroupCollapsed(1, 1));
    m_views.push_back(std::move(view));
}

TEST_F(BasicTableViewTest, NominalVoltagesGoToTheGraphSettings)
{
    CBasicTableView& table = Open<CSummaryTableView>();
    SNominalVoltageRecord record{400.0f, 1};
    table.SendMessage(WM_TABLE_NOMINAL_VOLTAGE, 1, LPARAM(&record));
    float nominal = 0.0f;
    int topology = -1;
    m_graph.settings.GetNominalVoltage(1, m_document->GetDataSet(1)->GetMeasurementConfig(), nominal, topology);
    EXPECT_FLOAT_EQ(nominal, 400.0f);
    EXPECT_EQ(topology, 1);
    EXPECT_EQ(m_graph.settingsChanges, 1);
}

TEST_F(BasicTableViewTest, TheTableGoesToTheClipboardAndIntoABookmark)
{
    CBasicTableView& table = Open<CSummaryTableView>();
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    SetMainWindow(&m_parent);
    table.SendMessage(WM_COMMAND, 33054, 0);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));

    const int bookmarks = m_document->GetProjectSettings()->GetBookmarkCount();
    table.SendMessage(WM_COMMAND, 33055, 0);
    SetMainWindow(nullptr);
    ASSERT_EQ(m_document->GetProjectSettings()->GetBookmarkCount(), bookmarks + 1);
}

TEST_F(BasicTableViewTest, TheGridIsAsHighAsItsRowsAndTheViewScrollsIt)
{
    CBasicTableView& table = Open<CSummaryTableView>();
    CSummaryGrid& grid = *table.GetGrid();
    const auto rowsHeight = [&grid] {
        int height = 0;
        for (int row = 0; row < grid.GetNumberRows(); ++row)
            height += grid.GetRowHeight(row);
        return height;
    };
    const auto gridRect = [&] {
        CRect rect;
        grid.GetWindowRect(&rect);
        table.ScreenToClient(&rect);
        return rect;
    };
    table.MoveWindow(0, 0, 1000, 400);
    const int full = rowsHeight();
    ASSERT_GT(full, 400);
    EXPECT_EQ(gridRect().Height(), full);
    EXPECT_EQ(table.GetScrollSizes().cy, full);
    EXPECT_TRUE(table.GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(table.GetStyle() & WS_HSCROLL) << "the grid narrows beside the bar";
    CRect client;
    table.GetClientRect(&client);
    EXPECT_EQ(gridRect().Width(), client.Width());

    table.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(gridRect().bottom, client.bottom);

    // Both blocks collapsed: the title bars fit, the bar goes and the grid is back at the top.
    const CString state = grid.GetCollapseState();
    const int digits = state.GetLength() / 2;
    CString collapsed = "01";
    for (int i = 2; i < digits; ++i)
        collapsed += "1";
    grid.ApplyCollapseState(collapsed + collapsed);
    EXPECT_EQ(gridRect(), CRect(0, 0, 1000, 2 * CMyBasicSummaryGrid::kTitleHeight));
    EXPECT_EQ(table.GetScrollSizes().cy, 2 * CMyBasicSummaryGrid::kTitleHeight);
    EXPECT_FALSE(table.GetStyle() & WS_VSCROLL);
}

TEST_F(BasicTableViewTest, TheSectionToolBarAnswersANotificationFirst)
{
    auto* frame = new CSplitFrame(&CMyFormView::Class());
    ASSERT_TRUE(frame->CreateFrame(&m_parent, CRect(0, 0, 1200, 600), 1, SViewCreateContext()));
    ASSERT_NE(AddTableSectionToolBar(*frame, 10057, false), nullptr);
    CSummaryTableView table;
    table.m_bAutoDelete = false;
    ASSERT_TRUE(table.CreateView(frame, 200, m_document.get()));

    NMTTDISPINFO request;
    request.hdr.hwndFrom = table.GetSafeHwnd();
    request.hdr.idFrom = 33054;
    request.hdr.code = TTN_NEEDTEXT;
    table.SendMessage(WM_NOTIFY, 33054, LPARAM(&request));
    EXPECT_EQ(CString(request.szText), frame->GetMyToolBar(0)->GetToolTip(33054));
    EXPECT_FALSE(CString(request.szText).IsEmpty());

    NMTTDISPINFO other;
    other.hdr.hwndFrom = table.GetSafeHwnd();
    other.hdr.idFrom = 40000;
    other.hdr.code = TTN_NEEDTEXT;
    EXPECT_EQ(table.SendMessage(WM_NOTIFY, 40000, LPARAM(&other)), 0);
    EXPECT_EQ(CString(other.szText), "");
    table.DestroyWindow();

    // The demand table hands it to its frame's bars as well.
    auto* demandFrame = new CSplitFrame(&CMyFormView::Class());
    ASSERT_TRUE(demandFrame->CreateFrame(&m_parent, CRect(0, 0, 1200, 600), 2, SViewCreateContext()));
    ASSERT_NE(AddTableSectionToolBar(*demandFrame, 10091, false), nullptr);
    CDemandTableView demand;
    demand.m_bAutoDelete = false;
    ASSERT_TRUE(demand.CreateView(demandFrame, 201, m_document.get()));
    NMTTDISPINFO demandRequest;
    demandRequest.hdr.hwndFrom = demand.GetSafeHwnd();
    demandRequest.hdr.idFrom = 33054;
    demandRequest.hdr.code = TTN_NEEDTEXT;
    demand.SendMessage(WM_NOTIFY, 33054, LPARAM(&demandRequest));
    EXPECT_EQ(CString(demandRequest.szText), demandFrame->GetMyToolBar(0)->GetToolTip(33054));
    demand.DestroyWindow();
}

} // namespace
