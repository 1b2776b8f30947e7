// The Report tab of a project window over an open project: the report list offers the summary,
// the sessions, the saved screens and the bookmarks; the report content is composed from them
// by menu commands and by drags through the tab's splitter, and is kept in the project file.
#include "MainViewFixture.h"
#include "report/ReportProjectFixture.h"

#include "grid/CUGGrid.h"
#include "mainview/MainViewStudyHost.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CMenu.h"
#include "project/ReportViewSettings.h"
#include "projectmanager/ProjectManagerBasicGrid.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "reportpages/ReportChange.h"
#include "reportpages/ReportContentGrid.h"
#include "reportpages/ReportContentView.h"
#include "reportpages/ReportListView.h"
#include "views/MySplitterWnd.h"

#include <cstdlib>
#include <filesystem>

namespace {

using Items = std::vector<SReportItem>;

class ReportTabTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { CFrameworkApp::EnsureInitialized(); }

    void SetUp() override
    {
        SSessionSpec north;
        north.name = u"North feeder";
        SSessionSpec south;
        south.name = u"South feeder";
        m_project = std::make_unique<CReportProject>(std::vector<SSessionSpec>{north, south});
        ASSERT_EQ(Document().ImportSavedScreen(m_project->WritePicture("inrush.png", 640, 400, "4626017")), 0);
        m_project->AddBookmark(2, "Morning peak", nullptr, 480, 260);
        m_project->AddBookmark(4, "Demand table", nullptr, 480, 160);
        OpenWindow();
    }
    void TearDown() override { CloseWindow(); }

    void OpenWindow()
    {
        ASSERT_TRUE(m_window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                      CRect(0, 0, 1300, 800), nullptr, 0));
        SViewCreateContext context;
        context.document = &Document();
        m_view = std::make_unique<CMainView>();
        ASSERT_TRUE(m_view->Create(&m_window, nullptr, context));
        m_host = std::make_unique<CMainViewStudyHost>(*m_view, m_window, context);
        Document().SetStudyViewHost(m_host.get());
        m_host->UpdateTabsEnabled();
        for (int entry : {20, 37, 38})
            Frame(entry)->GetView()->SendMessage(WM_INITIALUPDATE);
        Framework().SelectTab(m_view->GetLayout().reportTab);
        Pump();
    }
    void CloseWindow()
    {
        if (!m_view)
            return;
        Document().SetStudyViewHost(nullptr);
        m_view.reset();
        m_window.DestroyWindow();
        m_host.reset();
        Pump();
    }
    TVisualFramework& Framework() { return *g_pMainViewFramework; }
    static void Pump() { CFrameworkApp::PumpWaitingMessages(); }
    CRecDoc& Document() { return *m_project->document; }
    CSplitFrame* Frame(int entry)
    {
        const TVisualObject* object = m_view->GetLayout().GetObject(entry);
        return object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
    }
    CReportListView& List() { return *dynamic_cast<CReportListView*>(Frame(37)->GetView()); }
    CReportContentView& Content() { return *dynamic_cast<CReportContentView*>(Frame(38)->GetView()); }
    CMySplitterWnd& Splitter() { return *dynamic_cast<CMySplitterWnd*>(m_view->GetLayout().reportTab->GetWnd()); }
    Items Stored()
    {
        const auto* settings =
            dynamic_cast<const CReportViewSettings*>(Document().GetProjectSettings()->GetViewSettings(10));
        return settings ? settings->m_items : Items{};
    }
    // The menu command of the list's tile of entry i.
    void TileCommand(UINT command, int entry)
    {
        List().PostMessage(WM_REPORT_LIST_COMMAND, command, List().GetGrid()->TileKeyOfEntry(entry));
        Pump();
    }
    CUGCtrl* ItemGrid(int position) { return Content().GetRecords()[std::size_t(position)].grid.get(); }
    // A press on the cell, the mouse moved to the screen point and released there.
    void Drag(CUGCtrl& grid, int col, int row, CPoint screenTarget, const char* renderName = nullptr)
    {
        CRect cell;
        grid.GetCellRect(col, row, &cell);
        CPoint press = cell.CenterPoint();
        grid.OnLClicked(col, row, 1, &cell, &press, FALSE);
        ASSERT_TRUE(Splitter().IsDragging());
        CPoint target = screenTarget;
        Splitter().ScreenToClient(&target);
        const LPARAM at = LPARAM((target.x & 0xFFFF) | ((target.y & 0xFFFF) << 16));
        Splitter().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at);
        moveShowedLine = Content().IsDropLineShown();
        if (renderName)
            Render(renderName);
        Splitter().SendMessage(WM_LBUTTONUP, 0, at);
        Pump();
    }
    // A screen point in the content view, `dy` below the top of the item at the position.
    CPoint ContentPoint(int position, int dy)
    {
        CPoint point(60, Content().GetRecords()[std::size_t(position)].rect.top + dy);
        Content().ClientToScreen(&point);
        return point;
    }
    void Render(const char* name)
    {
        Pump();
        const char* dir = std::getenv("ORN_RENDER_DIR");
        if (!dir)
            return;
        CRect client;
        m_window.GetClientRect(&client);
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr);
        CBitmap* old = memory.SelectObject(&bitmap);
        m_window.PrintWindow(&memory);
        memory.SelectObject(old);
        EXPECT_TRUE(bitmap.SaveToFile(CString((std::filesystem::path(dir) / (std::string(name) + ".png")).string())));
    }

    std::unique_ptr<CReportProject> m_project;
    CWnd m_window;
    std::unique_ptr<CMainView> m_view;
    std::unique_ptr<CMainViewStudyHost> m_host;
    bool moveShowedLine = false;
};

TEST_F(ReportTabTest, TheListOffersTheProjectInTwoSectionsAndTheFirstColumnTakesItsWidth)
{
    const std::vector<SReportListEntry>& entries = List().GetGrid()->GetEntries();
    ASSERT_EQ(entries.size(), 6u);
    const std::pair<const char*, int> expected[] = {{"Summary", 0}, {"North feeder", 1}, {"South feeder", 1},
                                                    {"Saved Screen 1", 2}, {"Morning peak", 3}, {"Demand table", 3}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].name, expected[i].first);
        EXPECT_EQ(entries[i].kind, expected[i].second);
    }
    EXPECT_EQ(entries[3].picture, kPhotographPicture);
    EXPECT_EQ(entries[4].picture, kGraphPicture);
    EXPECT_EQ(entries[5].picture, kTablePicture);
    EXPECT_EQ(List().GetGrid()->GetSectionCount(), 2);
    EXPECT_EQ(Splitter().GetColumnWidth(0), CReportListView::kDefaultWidth);
    EXPECT_TRUE(Content().GetRecords().empty());

    // Clicking a tile selects it, Down moves on within its section and wraps to its first tile.
    CReportListGrid& grid = *List().GetGrid();
    const int south = grid.TileKeyOfEntry(2);
    grid.SelectTile(south);
    UINT down = VK_DOWN;
    grid.OnKeyDown(&down, FALSE);
    EXPECT_EQ(grid.GetSelectedTile(), grid.TileKeyOfEntry(3));
    grid.OnKeyDown(&down, FALSE);
    EXPECT_EQ(grid.GetSelectedTile(), grid.TileKeyOfEntry(0));

    // Renamed from the list: a session through the project manager, a bookmark in the project;
    // a blank bookmark name keeps the old one.
    TileCommand(CReportListGrid::kRename, 1);
    ASSERT_TRUE(List().GetGrid()->m_editInProgress);
    List().GetGrid()->EditCtrlFinished(" Main feeder ", FALSE, FALSE, 0, 0);
    Pump();
    EXPECT_EQ(Document().GetSessionName(0), "Main feeder");
    EXPECT_EQ(List().GetGrid()->GetEntries()[1].name, "Main feeder");
    TileCommand(CReportListGrid::kRename, 4);
    List().GetGrid()->EditCtrlFinished("   ", FALSE, FALSE, 0, 0);
    Pump();
    EXPECT_EQ(List().GetGrid()->GetEntries()[4].name, "Morning peak");
    TileCommand(CReportListGrid::kRename, 5);
    List().GetGrid()->EditCtrlFinished("Demand, hall B", FALSE, FALSE, 0, 0);
    Pump();
    EXPECT_EQ(Document().GetProjectSettings()->GetBookmark(1).GetName(), "Demand, hall B");
    Render("report_tab_list");

    // Without bookmarks only the "Project Manager" section is left.
    ASSERT_EQ(Document().DeleteBookmark(1), 0);
    ASSERT_EQ(Document().DeleteBookmark(0), 0);
    Pump();
    EXPECT_EQ(List().GetGrid()->GetSectionCount(), 1);
}

TEST_F(ReportTabTest, TheTileMenuOffersWhatTheEntryAllowsAndKeysAndDoubleClicksAct)
{
    TileCommand(CReportListGrid::kAddToReport, 4); // Morning peak is in the report
    CReportListGrid& grid = *List().GetGrid();
    std::vector<std::vector<std::pair<CString, bool>>> menus; // text, enabled
    const CMenu::TrackDriver previous = CMenu::SetTrackDriver([&](CMenu& menu) {
        menus.emplace_back();
        for (const CMenu::Item& item : menu.Items())
            menus.back().emplace_back(item.text, (item.flags & MF_GRAYED) == 0);
        return UINT(0);
    });
    for (int entry : {0, 1, 4, 5}) {
        const int key = grid.TileKeyOfEntry(entry);
        CRect cell;
        grid.GetCellRect(key % 1024, key / 1024, &cell);
        CPoint point = cell.CenterPoint();
        grid.OnRClicked(key % 1024, key / 1024, 1, &cell, &point, FALSE);
    }
    CMenu::SetTrackDriver(previous);
    using Menu = std::vector<std::pair<CString, bool>>;
    ASSERT_EQ(menus.size(), 4u);
    EXPECT_EQ(menus[0], (Menu{{"Add to report", true}, {"Remove from report", false}}));
    EXPECT_EQ(menus[1], (Menu{{"Add to report", true}, {"Remove from report", false}, {"Rename", true}}));
    EXPECT_EQ(menus[2], (Menu{{"Add to report", true}, {"Remove from report", true}, {"Remove from project", false},
                              {"Restore bookmark", true}, {"Rename", true}}));
    EXPECT_EQ(menus[3], (Menu{{"Add to report", true}, {"Remove from report", false}, {"Remove from project", true},
                              {"Restore bookmark", true}, {"Rename", true}}));

    // Delete removes the selected bookmark that the report does not use from the project.
    grid.SelectTile(grid.TileKeyOfEntry(5));
    UINT key = VK_DELETE;
    grid.OnKeyDown(&key, FALSE);
    Pump();
    EXPECT_EQ(Document().GetProjectSettings()->GetBookmarkCount(), 1);
    EXPECT_EQ(List().GetGrid()->GetEntries().size(), 5u);

    // A double click on a bookmark shows it.
    CReportListGrid& rebuilt = *List().GetGrid();
    const int peak = rebuilt.TileKeyOfEntry(4);
    rebuilt.OnDClicked(peak % 1024, peak / 1024, nullptr, nullptr, FALSE);
    Pump();
    EXPECT_EQ(m_view->GetCurrentViewId(), Document().GetProjectSettings()->GetBookmark(0).GetStudyView());
}

TEST_F(ReportTabTest, ItemsAreAddedMovedByDraggingAndRemoved)
{
    TileCommand(CReportListGrid::kAddToReport, 0); // summary
    TileCommand(CReportListGrid::kAddToReport, 1); // North feeder
    TileCommand(CReportListGrid::kAddToReport, 4); // Morning peak
    TileCommand(CReportListGrid::kAddToReport, 1); // North feeder once more
    EXPECT_EQ(Stored(), (Items{{0, 0, 1}, {1, 0, 1}, {3, 0, 1}, {1, 0, 1}}));
    ASSERT_EQ(Content().GetRecords().size(), 4u);
    EXPECT_NE(dynamic_cast<CReportContentGrid*>(ItemGrid(2)), nullptr);
    // Every card's title is the cell at its left edge, with its collapse mark and its text, which
    // starts with no blank: the titles of all kinds of cards line up.
    for (int position = 0; position < 4; ++position) {
        CUGCtrl& card = *ItemGrid(position);
        int startCol = 0, startRow = 0, endCol = 0, endRow = 0;
        ASSERT_EQ(card.GetJoinRange(&startCol, &startRow, &endCol, &endRow), 0) << position;
        EXPECT_EQ(startCol, 0) << position;
        EXPECT_GE(endCol, 1) << position;
        CUGCell title;
        card.GetCell(0, 0, &title);
        EXPECT_NE(title.GetBitmap(), nullptr) << position;
        CString text;
        card.QuickGetText(0, 0, &text);
        EXPECT_FALSE(text.IsEmpty() || text[0] == ' ') << position << " " << text.str();
    }

    // "Remove from report" takes every copy of the entry.
    TileCommand(CReportListGrid::kRemoveFromReport, 1);
    EXPECT_EQ(Stored(), (Items{{0, 0, 1}, {3, 0, 1}}));

    // A tile dropped near the top edge of the first item goes first.
    CReportListGrid& list = *List().GetGrid();
    const int screen = list.TileKeyOfEntry(3);
    Drag(list, screen % 1024, screen / 1024, ContentPoint(0, 4), "report_tab_drop_line");
    EXPECT_TRUE(moveShowedLine);
    EXPECT_FALSE(Content().IsDropLineShown());
    EXPECT_EQ(Stored(), (Items{{2, 0, 1}, {0, 0, 1}, {3, 0, 1}}));

    // The bookmark's title dragged 5 pixels below the top of the first item moves it there.
    Drag(*ItemGrid(2), 0, 0, ContentPoint(0, 5));
    EXPECT_EQ(Stored(), (Items{{3, 0, 1}, {2, 0, 1}, {0, 0, 1}}));
    // Released over the middle of another item: nothing changes.
    CRect second = Content().GetRecords()[1].rect;
    Drag(*ItemGrid(0), 0, 0, ContentPoint(1, second.Height() / 2));
    EXPECT_EQ(Stored(), (Items{{3, 0, 1}, {2, 0, 1}, {0, 0, 1}}));
    // Dragged out of the content view it leaves the report.
    CPoint outside(20, 200);
    List().ClientToScreen(&outside);
    Drag(*ItemGrid(1), 0, 0, outside);
    EXPECT_EQ(Stored(), (Items{{3, 0, 1}, {0, 0, 1}}));

    // A press released where it started is a click: it expands the item.
    CReportContentGrid& bookmark = *dynamic_cast<CReportContentGrid*>(ItemGrid(0));
    CRect title;
    bookmark.GetCellRect(0, 0, &title);
    CPoint start = title.CenterPoint();
    bookmark.ClientToScreen(&start);
    Drag(bookmark, 0, 0, start);
    EXPECT_EQ(Stored(), (Items{{3, 0, 0}, {0, 0, 1}}));
    // The item below moved down to the foot of the expanded picture, not left over it.
    CRect expanded;
    CRect below;
    bookmark.GetWindowRect(&expanded);
    ItemGrid(1)->GetWindowRect(&below);
    EXPECT_GT(expanded.Height(), title.Height() * 3);
    EXPECT_EQ(below.top, expanded.bottom);
    Render("report_tab_items");
}

TEST_F(ReportTabTest, ItemButtonsAndToolbarCommandsAreStoredAtOnce)
{
    TileCommand(CReportListGrid::kAddToReport, 1);
    TileCommand(CReportListGrid::kAddToReport, 4);
    TileCommand(CReportListGrid::kAddToReport, 3);
    Content().SendMessage(WM_COMMAND, CReportContentView::ID_EXPAND_ALL);
    EXPECT_EQ(Stored(), (Items{{1, 0, 0}, {3, 0, 0}, {2, 0, 0}}));
    Render("report_tab_expanded");
    Content().SendMessage(WM_COMMAND, CReportContentView::ID_COLLAPSE_ALL);
    EXPECT_EQ(Stored(), (Items{{1, 0, 1}, {3, 0, 1}, {2, 0, 1}}));
    Content().SendMessage(WM_COMMAND, CReportContentView::ID_EXPAND_ALL);

    // Rename, Restore and Remove of a bookmark item.
    auto& bookmark = *dynamic_cast<CReportContentGrid*>(ItemGrid(1));
    CRect cell;
    CPoint point;
    bookmark.OnLClicked(bookmark.RenameColumn(), 0, 1, &cell, &point, FALSE);
    bookmark.OnLClicked(bookmark.RenameColumn(), 0, 0, &cell, &point, FALSE);
    bookmark.OnEditFinish(0, 0, nullptr, "  Evening peak ", FALSE);
    Pump();
    EXPECT_EQ(Document().GetProjectSettings()->GetBookmark(0).GetName(), "Evening peak");
    EXPECT_EQ(List().GetGrid()->GetEntries()[4].name, "Evening peak");

    // The used bookmark cannot be deleted from the list.
    TileCommand(CReportListGrid::kRemoveFromProject, 4);
    EXPECT_EQ(Document().GetProjectSettings()->GetBookmarkCount(), 2);
    ASSERT_FALSE(m_project->boxes.Boxes().empty());
    EXPECT_EQ(m_project->boxes.Boxes().back().text, "Bookmark is used in report and cannot be deleted");

    auto& restore = *dynamic_cast<CReportContentGrid*>(ItemGrid(1));
    restore.OnLClicked(restore.RestoreColumn(), 0, 1, &cell, &point, FALSE);
    restore.OnLClicked(restore.RestoreColumn(), 0, 0, &cell, &point, FALSE);
    Pump();
    EXPECT_EQ(m_view->GetCurrentViewId(), Document().GetProjectSettings()->GetBookmark(0).GetStudyView());

    Framework().SelectTab(m_view->GetLayout().reportTab);
    auto& remove = *dynamic_cast<CReportContentGrid*>(ItemGrid(1));
    remove.OnLClicked(remove.RemoveColumn(), 0, 1, &cell, &point, FALSE);
    remove.OnLClicked(remove.RemoveColumn(), 0, 0, &cell, &point, FALSE);
    Pump();
    EXPECT_EQ(Stored(), (Items{{1, 0, 0}, {2, 0, 0}}));

    // The session's card removes itself as on the project manager page.
    auto* session = dynamic_cast<CProjectManagerBasicGrid*>(ItemGrid(0));
    ASSERT_NE(session, nullptr);
    Content().SendMessage(WM_PM_CARD_STATE, WPARAM(session), kCardCollapsed);
    EXPECT_EQ(Stored(), (Items{{1, 0, 1}, {2, 0, 0}}));
    Content().SendMessage(WM_PM_CARD_STATE, WPARAM(session), kCardRemove);
    EXPECT_EQ(Stored(), (Items{{2, 0, 0}}));
}

TEST_F(ReportTabTest, TheReportAndTheListStatesAreKeptInTheProjectFile)
{
    TileCommand(CReportListGrid::kAddToReport, 5);
    TileCommand(CReportListGrid::kAddToReport, 2);
    Content().SendMessage(WM_COMMAND, CReportContentView::ID_EXPAND_ALL);
    Content().SendMessage(WM_PM_CARD_STATE, WPARAM(ItemGrid(0)), kReportSectionCollapsed);
    List().SendMessage(WM_PM_CARD_STATE, WPARAM(List().GetGrid()), kReportSecondSectionCollapsed);
    // A stored item of a bookmark that is gone is not shown and leaves at the next store.
    {
        CReportViewSettings settings = *dynamic_cast<CReportViewSettings*>(Document().GetProjectSettings()->GetViewSettings(10));
        settings.m_items.push_back({3, 7, 0});
        settings.m_splitterPos = 40;
        Document().GetProjectSettings()->SetViewSettings(10, &settings);
    }
    const CString path = Document().GetPathName();
    CloseWindow();
    Document().SaveProject();
    Document().OnCloseDocument();

    m_project->document = std::make_unique<CRecDoc>();
    ASSERT_TRUE(Document().OnOpenDocument(path));
    OpenWindow();
    ASSERT_EQ(Content().GetRecords().size(), 2u);
    EXPECT_TRUE(Content().IsCollapsed(ItemGrid(0)));
    EXPECT_FALSE(Content().IsCollapsed(ItemGrid(1)));
    EXPECT_TRUE(List().GetGrid()->IsSectionCollapsed(1));
    EXPECT_FALSE(List().GetGrid()->IsSectionCollapsed(0));
    // A stored width under 100 gives the list its default width.
    EXPECT_EQ(Splitter().GetColumnWidth(0), CReportListView::kDefaultWidth);
    Content().SendMessage(WM_COMMAND, CReportContentView::ID_COLLAPSE_ALL);
    EXPECT_EQ(Stored(), (Items{{3, 1, 1}, {1, 1, 1}}));
}

} // namespace
