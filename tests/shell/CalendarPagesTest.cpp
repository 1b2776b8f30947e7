// The Calendar and Load pages, the View menu and the page frames of the assembled program, driven
// as a user drives them: clicks at what the user sees, the View menu, bookmarks.
#include "AssembledProgram.h"
#include "CalendarBinsInSight.h"

#include "mainview/StudyLayouts.h"
#include "platform/framework/Profile.h"
#include "platform/framework/windows/CMenu.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowTesting.h"
#include "project/ProjectSettings.h"
#include "shell/MainFrame.h"
#include "platform/framework/windows/CButton.h"
#include "study/AxisControlBlock.h"
#include "study/BasicGraphViewDialogBar.h"
#include "study/CalendarGraphView.h"
#include "study/CalendarTableView.h"
#include "study/CalendarTableViewDialogBar.h"
#include "study/CalendarThumbnailFile.h"
#include "views/MyToolBar.h"
#include "views/TabWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>

namespace {

constexpr int kEnergyCalendar = 2;
constexpr int kLoadCalendar = 6;
constexpr int kEnergyCalendarTable = 11;
constexpr int kLoadCalendarTable = 28;

CCalendarTableViewDialogBar& OptionsBar(CCalendarTableView& table)
{
    return *table.GetOptionsBar();
}

// A click on the bar's option button, at its centre.
void ClickOption(CCalendarTableView& table, UINT id)
{
    CWnd* button = OptionsBar(table).GetDlgItem(int(id));
    ASSERT_NE(button, nullptr) << id;
    CAssembledProgram::ClickAtCentre(*button);
}

// Which View menu items show enabled when the user opens the menu.
std::vector<UINT> EnabledViewItems(CAssembledProgram& program)
{
    std::vector<UINT> enabled;
    const CMenu::TrackDriver previous = CMenu::SetTrackDriver([&](CMenu& menu) -> UINT {
        for (const CMenu::Item& item : menu.Items())
            if (item.id != 0 && !(menu.GetMenuState(item.id, MF_BYCOMMAND) & MF_GRAYED))
                enabled.push_back(item.id);
        return 0;
    });
    program.MainFrame().GetMenuStrip().OpenMenu(1);
    CMenu::SetTrackDriver(previous);
    return enabled;
}

// The Energy or Load calendar page, reached as the user reaches it; null when it did not show.
CCalendarTableView* ShowCalendar(CAssembledProgram& program, int viewId = kEnergyCalendar)
{
    if (!program.ShowStudyPage(viewId))
        return nullptr;
    return program.Section<CCalendarTableView>(viewId == kEnergyCalendar ? kEnergyCalendarTable : kLoadCalendarTable);
}

// A session of hourly bins: `days` days of records every `seconds` seconds.
SSessionSpec LongSession(int days, int seconds)
{
    SSessionSpec recording;
    recording.averagingSeconds = DWORD(seconds);
    recording.demandSeconds = DWORD(std::max(seconds, 900));
    recording.trendRecords = days * 86400 / seconds;
    recording.gapStart = -1;
    return recording;
}

bool Exists(const structCalendarBins& bins, int bin)
{
    std::error_code error;
    return std::filesystem::exists((bins.folder + bins.bins[std::size_t(bin)].fileName).GetString(), error);
}

std::filesystem::file_time_type WriteTime(const structCalendarBins& bins, int bin)
{
    std::error_code error;
    return std::filesystem::last_write_time((bins.folder + bins.bins[std::size_t(bin)].fileName).GetString(), error);
}

// The wheel turned towards the user over the middle of a window (what lies there takes it).
void WheelDown(CWnd& window, int notches)
{
    CRect rect;
    window.GetClientRect(&rect);
    CPoint centre = rect.CenterPoint();
    window.ClientToScreen(&centre);
    for (int i = 0; i < notches; ++i)
        SimulateScreenWheel(window, centre, -WHEEL_DELTA);
    CFrameworkApp::PumpWaitingMessages();
}

TEST(CalendarPagesTest, CalendarOptionsAreChosenByClickingThem)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("options", CAssembledProgram::StandardSessions())));
    auto* table = ShowCalendar(program);
    ASSERT_NE(table, nullptr);
    CCalendarTableViewDialogBar& bar = OptionsBar(*table);

    ClickOption(*table, CalendarBar::kFirstParameter + 6); // "Volts [V]"
    ClickOption(*table, CalendarBar::kFirstChannel + 1);   // "B"
    ClickOption(*table, CalendarBar::kFirstGranularity + kCalendarDay);
    EXPECT_EQ(table->GetGranularity(), kCalendarDay);
    EXPECT_EQ(bar.GetCheckedGranularity(), kCalendarDay);
    // Each group keeps its own choice, one button checked in each.
    EXPECT_EQ(bar.GetCheckedParameter(), 6);
    EXPECT_EQ(bar.GetCheckedChannel(), 1);
    const std::pair<UINT, int> groups[] = {{CalendarBar::kFirstParameter, CalendarBar::kParameters},
                                           {CalendarBar::kFirstChannel, CalendarBar::kChannels},
                                           {CalendarBar::kFirstGranularity, CalendarBar::kGranularities}};
    for (const auto& [first, count] : groups) {
        int checked = 0;
        for (int i = 0; i < count; ++i)
            checked += bar.IsDlgButtonChecked(int(first) + i) == BST_CHECKED ? 1 : 0;
        EXPECT_EQ(checked, 1) << first;
    }
    ASSERT_NE(table->GetSessionList().BinsOf(0), nullptr);
    EXPECT_EQ(table->GetSessionList().BinsOf(0)->granularity, kCalendarDay);

    ClickOption(*table, CalendarBar::kFirstGranularity + kCalendarWeek);
    ClickOption(*table, CalendarBar::kFirstParameter + 7); // "Current [A]"
    EXPECT_EQ(table->GetGranularity(), kCalendarWeek);
    EXPECT_EQ(bar.GetCheckedParameter(), 7);
    const CBasicViewSettings& settings = program.Section<CCalendarGraphView>(12)->GetSettings();
    EXPECT_EQ(settings.m_calendarViewGranularity, kCalendarWeek);
    EXPECT_EQ(settings.m_calendarViewParameter, 7);
    EXPECT_EQ(settings.m_calendarViewChannel, 1);
    // The value axis names the unit of the chosen parameter, not of the one before.
    EXPECT_EQ(program.Section<CCalendarGraphView>(kEnergyCalendarTable + 1)->GetPlotControl()->GetYAxis(0)->GetTitle(), CString("Current [A]"));

    // The Load calendar's bar alike.
    auto* load = ShowCalendar(program, kLoadCalendar);
    ASSERT_NE(load, nullptr);
    ClickOption(*load, CalendarBar::kFirstParameter + 2); // "THD-A [%]"
    ClickOption(*load, CalendarBar::kFirstGranularity + kCalendarDay);
    EXPECT_EQ(load->GetGranularity(), kCalendarDay);
    EXPECT_EQ(OptionsBar(*load).GetCheckedParameter(), 2);
    EXPECT_EQ(program.Section<CCalendarGraphView>(kLoadCalendarTable + 1)->GetPlotControl()->GetYAxis(0)->GetTitle().Right(3),
              CString("[%]"));
}

TEST(CalendarPagesTest, EnergiesOfferTheChannelsTheSessionsHold)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("energies", CAssembledProgram::StandardSessions())));
    auto* table = ShowCalendar(program);
    ASSERT_NE(table, nullptr);
    CCalendarTableViewDialogBar& bar = OptionsBar(*table);
    // Total active energy, per phase and in all: an average each, which the sessions hold.
    ClickOption(*table, CalendarBar::kFirstParameter + 0);
    for (int k = 0; k < CalendarBar::kChannels; ++k)
        EXPECT_TRUE(bar.GetDlgItem(int(CalendarBar::kFirstChannel) + k)->IsWindowEnabled()) << k;
    ClickOption(*table, CalendarBar::kFirstChannel + 3); // "Total"
    EXPECT_EQ(program.Section<CCalendarGraphView>(12)->GetSettings().m_calendarViewChannel, 3);
    // Energy forward: its one series, under "Total".
    ClickOption(*table, CalendarBar::kFirstParameter + 1);
    EXPECT_TRUE(bar.GetDlgItem(int(CalendarBar::kFirstChannel) + 3)->IsWindowEnabled());
    EXPECT_FALSE(bar.GetDlgItem(int(CalendarBar::kFirstChannel) + 0)->IsWindowEnabled());
    EXPECT_EQ(bar.GetCheckedChannel(), 3);
}

TEST(CalendarPagesTest, EveryStudyViewIsMadeFromATemplateThatExists)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("templates", CAssembledProgram::StandardSessions())));
    for (int viewId : {0, 1, 2, 3, 4, 5, 6, 8})
        ASSERT_TRUE(program.ShowStudyPage(viewId)) << viewId;
    for (const std::string& line : program.Complaints())
        EXPECT_EQ(line.find("Dialog template"), std::string::npos) << line;
}

TEST(CalendarPagesTest, TheCalendarTableKeepsItsDataButtonsHiddenAndInert)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("hidden", CAssembledProgram::StandardSessions())));
    for (int viewId : {kEnergyCalendar, kLoadCalendar}) {
        CCalendarTableView* table = ShowCalendar(program, viewId);
        ASSERT_NE(table, nullptr);
        CWnd* frame = table->GetParent();
        for (UINT command : {33052u, 33053u}) {
            EXPECT_EQ(program.FindToolBarButton(command), nullptr) << command;
            // What the toolbar would send, were the button there.
            frame->SendMessage(WM_COMMAND, command, 0);
            CFrameworkApp::PumpWaitingMessages();
        }
    }
    EXPECT_TRUE(program.Boxes().empty());
}

// Each option of both calendars' bars shows its whole label, at the screen's device ratio (the
// test runs at ratio 1 and, in a process of its own, at ratio 2).
TEST(CalendarPagesTest, EveryCalendarOptionShowsItsWholeLabel)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("labels", CAssembledProgram::StandardSessions())));
    for (int viewId : {kEnergyCalendar, kLoadCalendar}) {
        auto* table = ShowCalendar(program, viewId);
        ASSERT_NE(table, nullptr);
        CCalendarTableViewDialogBar& bar = OptionsBar(*table);
        CRect barRect;
        bar.GetWindowRect(&barRect);
        int shown = 0;
        for (CWnd* child = bar.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
            if (!child->IsWindowVisible() || child->GetDlgCtrlID() < 0 || (child->GetStyle() & BS_TYPEMASK) == BS_GROUPBOX)
                continue;
            CString text;
            child->GetWindowText(text);
            SIZE ideal;
            if (!child->SendMessage(BCM_GETIDEALSIZE, 0, LPARAM(&ideal)))
                continue; // a static text
            CRect rect;
            child->GetWindowRect(&rect);
            EXPECT_GE(rect.Width(), ideal.cx) << text.GetString();
            EXPECT_LE(rect.right, barRect.right) << text.GetString();
            ++shown;
        }
        EXPECT_EQ(shown, viewId == kEnergyCalendar ? 15 : 11);
        // While the bar shows, the button that would bring it does not cover the grid.
        CWnd* optionsButton = table->GetDlgItem(2258);
        ASSERT_NE(optionsButton, nullptr);
        EXPECT_TRUE(bar.IsWindowVisible());
        EXPECT_FALSE(optionsButton->IsWindowVisible());
    }
}

TEST(CalendarPagesTest, TheViewMenuOpensOnlyWhatTheTabsOpen)
{
    using Frame = CMainFrame;
    CAssembledProgram program;
    const auto sessions = CAssembledProgram::StandardSessions();
    ASSERT_TRUE(program.Start(program.MakeProject("energy", {sessions[0], sessions[1]})));
    TTabWnd& tabs = program.Tabs();
    // Energy sessions only: no Load Study, never Advanced.
    std::vector<UINT> enabled = EnabledViewItems(program);
    std::sort(enabled.begin(), enabled.end());
    EXPECT_EQ(enabled, (std::vector<UINT>{Frame::ID_VIEW_PROJECT_MANAGER, Frame::ID_VIEW_ENERGY_STUDY, Frame::ID_VIEW_REPORT}));
    for (int tab = 0; tab < tabs.GetTabCount(); ++tab) {
        const UINT command = std::array{Frame::ID_VIEW_PROJECT_MANAGER, Frame::ID_VIEW_ENERGY_STUDY, Frame::ID_VIEW_LOAD_STUDY,
                                        Frame::ID_VIEW_ADVANCED, Frame::ID_VIEW_REPORT}[std::size_t(tab)];
        EXPECT_EQ(tabs.IsTabEnabled(tab), std::count(enabled.begin(), enabled.end(), command) == 1) << tab;
    }
    program.MenuCommand(Frame::ID_VIEW_LOAD_STUDY);
    EXPECT_EQ(tabs.GetActiveTab(), CAssembledProgram::kProjectManagerTab);
    EXPECT_EQ(program.MainView().GetLayout().GetObject(SMainViewLayout::kFirstLoadSection), nullptr);
    program.MenuCommand(Frame::ID_VIEW_ADVANCED);
    EXPECT_EQ(tabs.GetActiveTab(), CAssembledProgram::kProjectManagerTab);
    program.MenuCommand(Frame::ID_VIEW_ENERGY_STUDY);
    EXPECT_EQ(tabs.GetActiveTab(), CAssembledProgram::kEnergyTab);

    // Without sessions the project manager is all there is to show.
    program.MenuCommand(Frame::ID_VIEW_PROJECT_MANAGER);
    while (program.Document().GetMeasurementCount() > 0)
        ASSERT_EQ(program.Document().DeleteSession(0), 0);
    EXPECT_EQ(EnabledViewItems(program), (std::vector<UINT>{Frame::ID_VIEW_PROJECT_MANAGER}));
    for (UINT command : {Frame::ID_VIEW_ENERGY_STUDY, Frame::ID_VIEW_LOAD_STUDY, Frame::ID_VIEW_ADVANCED, Frame::ID_VIEW_REPORT}) {
        program.MenuCommand(command);
        EXPECT_EQ(tabs.GetActiveTab(), CAssembledProgram::kProjectManagerTab) << command;
    }
}

TEST(CalendarPagesTest, OnlyTheThumbnailsInSightAreDrawnAndTheyAreKeptWhileTheirBinsStay)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("month", {LongSession(30, 600)})));
    auto* table = ShowCalendar(program);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->GetGrid(), nullptr);
    const structCalendarBins* bins = table->GetSessionList().BinsOf(0);
    ASSERT_NE(bins, nullptr);
    ASSERT_EQ(bins->count, 30 * 24);
    const std::vector<int> first = BinsInSight(*table->GetGrid(), *bins);
    ASSERT_FALSE(first.empty());
    EXPECT_LT(first.size(), 100u);
    // Exactly the bins in sight have their pictures, each drawn once, a few kilobytes each.
    EXPECT_EQ(table->GetThumbnails().GetWrittenCount(), int(first.size()));
    for (int i = 0; i < bins->count; ++i)
        EXPECT_EQ(Exists(*bins, i), std::binary_search(first.begin(), first.end(), i)) << i;
    EXPECT_LT(table->GetThumbnails().GetWrittenBytes(), first.size() * 8 * 1024);

    // Down the month: what comes into sight is drawn, and labelled.
    WheelDown(*table, 12);
    const std::vector<int> later = BinsInSight(*table->GetGrid(), *bins);
    ASSERT_FALSE(later.empty());
    EXPECT_GT(later.front(), first.front());
    for (int bin : later) {
        EXPECT_TRUE(Exists(*bins, bin)) << bin;
        int col = 0;
        int row = 0;
        table->GetGrid()->BinCell(0, bin, col, row);
        CString label;
        table->GetGrid()->QuickGetText(col, row + 2, &label);
        EXPECT_FALSE(label.IsEmpty()) << bin;
    }
    EXPECT_LT(table->GetThumbnails().GetWrittenCount(), 200);

    // Back after another page: the bins are the same, so are their pictures: none is drawn again.
    const auto drawn = WriteTime(*bins, first.front());
    ASSERT_TRUE(program.ShowStudyPage(0));
    table = ShowCalendar(program);
    ASSERT_NE(table, nullptr);
    bins = table->GetSessionList().BinsOf(0);
    EXPECT_EQ(table->GetThumbnails().GetWrittenCount(), 0);
    EXPECT_EQ(WriteTime(*bins, first.front()), drawn);
    // Another parameter shows something else: the pictures in sight are drawn anew.
    ClickOption(*table, CalendarBar::kFirstParameter + 7); // "Current [A]"
    bins = table->GetSessionList().BinsOf(0);
    EXPECT_EQ(table->GetThumbnails().GetWrittenCount(), int(BinsInSight(*table->GetGrid(), *bins).size()));
    EXPECT_NE(WriteTime(*bins, first.front()), drawn);
}

// A relayout (another granularity, the window resized by the user) draws each picture in sight
// once at its final size, and leaves the file of every picture it shows in place.
TEST(CalendarPagesTest, ARelayoutDrawsEachPictureOnceAndKeepsTheFilesOfThoseShown)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("relayout", {LongSession(8, 600)})));
    auto* table = ShowCalendar(program);
    ASSERT_NE(table, nullptr);
    const auto expectShownFilesKept = [&](const char* when, int drawnBefore) {
        SCOPED_TRACE(when);
        const structCalendarBins* bins = table->GetSessionList().BinsOf(0);
        ASSERT_NE(bins, nullptr);
        const std::vector<int> seen = BinsInSight(*table->GetGrid(), *bins);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(table->GetThumbnails().GetWrittenCount() - drawnBefore, int(seen.size()));
        for (int bin : seen)
            EXPECT_TRUE(Exists(*bins, bin)) << bin;
    };
    int drawn = table->GetThumbnails().GetWrittenCount();
    ClickOption(*table, CalendarBar::kFirstGranularity + kCalendarDay);
    ASSERT_EQ(table->GetSessionList().BinsOf(0)->count, 9); // eight days from midday
    expectShownFilesKept("by days", drawn);

    // The user makes the window narrower: the pictures shrink with their cells.
    drawn = table->GetThumbnails().GetWrittenCount();
    program.MainFrame().MoveWindow(0, 0, 900, 720);
    CFrameworkApp::PumpWaitingMessages();
    expectShownFilesKept("narrower", drawn);

    // By hours, taller than the view: the view's scroll bar takes room from the cells.
    drawn = table->GetThumbnails().GetWrittenCount();
    ClickOption(*table, CalendarBar::kFirstGranularity + kCalendarHour);
    expectShownFilesKept("by hours", drawn);
}

TEST(CalendarPagesTest, TheViewScrollsAGridItCanHoldAndATallerGridScrollsItself)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("fit", {LongSession(30, 600)})));
    auto* table = ShowCalendar(program);
    ASSERT_NE(table, nullptr);
    CCalendarGrid* grid = table->GetGrid();
    ASSERT_NE(grid, nullptr);
    // A month of hours: the grid is as tall as its rows, the view scrolls it and the grid keeps
    // its right edge at the view's, beside the view's scroll bar.
    EXPECT_FALSE(grid->IsScrollingItself());
    CRect gridRect;
    grid->GetWindowRect(&gridRect);
    table->ScreenToClient(&gridRect);
    int rowsHeight = 0;
    for (int row = 0; row < grid->GetNumberRows(); ++row)
        rowsHeight += grid->GetRowHeight(row);
    EXPECT_EQ(gridRect.Height(), rowsHeight);
    CRect client;
    table->GetClientRect(&client);
    EXPECT_GT(rowsHeight, client.Height());
    EXPECT_EQ(table->GetScrollSizes().cy, rowsHeight);
    EXPECT_EQ(gridRect.right, client.right);
    WheelDown(*table, 4);
    EXPECT_GT(table->GetScrollPosition().y, 0);
    CRect moved;
    grid->GetWindowRect(&moved);
    table->ScreenToClient(&moved);
    EXPECT_EQ(moved.top, -table->GetScrollPosition().y);
    EXPECT_EQ(grid->GetTopRow(), 0);
    // Another granularity, whatever was scrolled, lays out from the top, and the wheel scrolls
    // the hours again.
    for (const UINT granularity : {CalendarBar::kFirstGranularity + 1, CalendarBar::kFirstGranularity}) {
        ClickOption(*table, granularity);
        grid = table->GetGrid();
        ASSERT_NE(grid, nullptr);
        grid->GetWindowRect(&moved);
        table->ScreenToClient(&moved);
        EXPECT_EQ(table->GetScrollPosition().y, 0) << granularity;
        EXPECT_EQ(moved.top, 0) << granularity;
        EXPECT_EQ(table->GetScrollSizes().cy, moved.Height()) << granularity;
    }
    WheelDown(*table, 4);
    EXPECT_GT(table->GetScrollPosition().y, 0);

    // Half a year of hours is taller than any window: the grid fills the view and scrolls itself.
    program.Exit();
    CAssembledProgram longer;
    ASSERT_TRUE(longer.Start(longer.MakeProject("tall", {LongSession(200, 3600)})));
    table = ShowCalendar(longer);
    ASSERT_NE(table, nullptr);
    grid = table->GetGrid();
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->IsScrollingItself());
    grid->GetWindowRect(&gridRect);
    table->GetClientRect(&client);
    EXPECT_EQ(gridRect.Height(), client.Height());
    EXPECT_LE(table->GetScrollSizes().cy, client.Height());
    WheelDown(*table, 4);
    EXPECT_GT(grid->GetTopRow(), 0);
    EXPECT_EQ(table->GetScrollPosition().y, 0);
}

// A grid as tall as its rows is painted as it comes into sight: the page keeps the pixels of
// about a screen of itself, wherever the view is scrolled and after another tab.
TEST(CalendarPagesTest, ATallGridKeepsThePixelsOfWhatShowsOnly)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("kept", {LongSession(30, 600)})));
    auto* table = ShowCalendar(program);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->GetGrid(), nullptr);
    ASSERT_FALSE(table->GetGrid()->IsScrollingItself());
    CRect client;
    table->GetClientRect(&client);
    const long long screen = (long long)(client.Width()) * client.Height();
    CRect grid;
    table->GetGrid()->GetWindowRect(&grid);
    ASSERT_GT(grid.Height(), 4 * client.Height());
    const auto expectAScreenKept = [&](const char* when) {
        SCOPED_TRACE(when);
        EXPECT_LE(GetKeptPixelArea(*table), 2 * screen);
    };
    expectAScreenKept("first shown");
    WheelDown(*table, 12);
    expectAScreenKept("scrolled");
    program.ClickTab(CAssembledProgram::kProjectManagerTab);
    table = ShowCalendar(program);
    ASSERT_NE(table, nullptr);
    expectAScreenKept("back from the Project Manager");
    // What comes into sight is painted: the cells below the first screen show their pictures.
    const structCalendarBins& bins = *table->GetSessionList().BinsOf(0);
    const std::vector<int> seen = BinsInSight(*table->GetGrid(), bins);
    ASSERT_FALSE(seen.empty());
    int col = 0;
    int row = 0;
    table->GetGrid()->BinCell(0, seen[seen.size() / 2], col, row);
    RECT cell;
    table->GetGrid()->GetCellRect(col, row, &cell);
    // The spacer left of the picture, in the colour of the cells around the pictures.
    CPoint spacer(cell.left - 4, CRect(cell).CenterPoint().y);
    table->GetGrid()->ClientToScreen(&spacer);
    table->ScreenToClient(&spacer);
    ASSERT_TRUE(client.PtInRect(spacer));
    EXPECT_GT(spacer.y, client.Height() / 4);
    EXPECT_EQ(GetShownPixel(*table, spacer), CCalendarGrid::kEmptyBack);
}

// A click at the centre of a bin's picture.
void ClickBin(CCalendarTableView& table, int session, int bin)
{
    int col = 0;
    int row = 0;
    table.GetGrid()->BinCell(session, bin, col, row);
    RECT cell;
    table.GetGrid()->GetCellRect(col, row, &cell);
    CAssembledProgram::ClickAt(*table.GetGrid(), CRect(cell).CenterPoint());
}

// A click on a button of the graph section's toolbar.
void ClickGraphToolBar(CAssembledProgram& program, UINT command)
{
    auto* frame = dynamic_cast<CSplitFrame*>(program.MainView().GetLayout().GetObject(12)->GetWnd());
    ASSERT_NE(frame, nullptr);
    CMyToolBar* toolBar = frame->GetMyToolBar(0);
    ASSERT_NE(toolBar, nullptr);
    CAssembledProgram::ClickAt(*toolBar, toolBar->GetButtonRect(command).CenterPoint());
}

TEST(CalendarPagesTest, ACalendarBookmarkComesBackWithItsBinsAndScales)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("bookmark", CAssembledProgram::StandardSessions())));
    auto* table = ShowCalendar(program);
    ASSERT_NE(table, nullptr);
    ClickOption(*table, CalendarBar::kFirstParameter + 6); // "Volts [V]"
    ClickOption(*table, CalendarBar::kFirstGranularity + kCalendarDay);
    ClickBin(*table, 0, 1);
    ClickBin(*table, 0, 3);
    auto* graph = program.Section<CCalendarGraphView>(12);
    ASSERT_NE(graph, nullptr);
    CiPlotX& chart = *graph->GetPlotControl();
    // The user's own scale of the values (what dragging the value axis leaves).
    chart.SetYAxisRange(0, 200.0, 50.0);
    chart.GetYAxis(0)->SetManual(true);
    graph->SyncViewSettings();
    const double firstMin = chart.GetXAxis(0)->GetMin();
    const double secondMin = chart.GetXAxis(1)->GetMin();
    const int bookmarks = program.Document().GetProjectSettings()->GetBookmarkCount();
    // The graph section, collapsed as it opens, is opened for the bookmark's picture.
    ClickGraphToolBar(program, 33055);
    ASSERT_EQ(program.Document().GetProjectSettings()->GetBookmarkCount(), bookmarks + 1);
    EXPECT_TRUE(program.Boxes().empty());

    ClickOption(*table, CalendarBar::kFirstParameter + 7); // "Current [A]"
    ClickOption(*table, CalendarBar::kFirstGranularity + kCalendarHour);
    ASSERT_TRUE(program.ShowStudyPage(0));
    program.Document().ShowBookmark(bookmarks);
    CFrameworkApp::PumpWaitingMessages();
    table = program.Section<CCalendarTableView>(kEnergyCalendarTable);
    graph = program.Section<CCalendarGraphView>(12);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(OptionsBar(*table).GetCheckedParameter(), 6);
    EXPECT_EQ(table->GetGranularity(), kCalendarDay);
    EXPECT_EQ(table->GetSessionList().FindSelection(0, 1), 0);
    EXPECT_EQ(table->GetSessionList().FindSelection(0, 3), 1);
    CiPlotX& shown = *graph->GetPlotControl();
    EXPECT_DOUBLE_EQ(shown.GetXAxis(0)->GetMin(), firstMin);
    EXPECT_DOUBLE_EQ(shown.GetXAxis(1)->GetMin(), secondMin);
    EXPECT_DOUBLE_EQ(shown.GetYAxis(0)->GetMin(), 200.0);
    EXPECT_DOUBLE_EQ(shown.GetYAxis(0)->GetSpan(), 50.0);
    EXPECT_TRUE(shown.GetYAxis(0)->IsManual());
    EXPECT_GT(shown.GetChannelCount(), 1);
}

TEST(CalendarPagesTest, TheGraphShowsTheSelectedBinsFromItsFirstFillAndAfterEveryUpdate)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("selection", CAssembledProgram::StandardSessions())));
    auto* table = ShowCalendar(program);
    ASSERT_NE(table, nullptr);
    ClickOption(*table, CalendarBar::kFirstGranularity + kCalendarDay);
    ClickBin(*table, 0, 1);
    ClickBin(*table, 0, 2);
    const auto expectShown = [&](const char* when, const char* unit = " kWh") {
        SCOPED_TRACE(when);
        auto* shownTable = program.Section<CCalendarTableView>(kEnergyCalendarTable);
        auto* graph = program.Section<CCalendarGraphView>(12);
        ASSERT_NE(shownTable, nullptr);
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(shownTable->GetSessionList().FindSelection(0, 1), 0);
        EXPECT_EQ(shownTable->GetSessionList().FindSelection(0, 2), 1);
        const structCalendarBins& bins = *shownTable->GetSessionList().BinsOf(0);
        CiPlotX& chart = *graph->GetPlotControl();
        for (int r : {0, 1}) {
            EXPECT_TRUE(chart.GetXAxis(r)->IsVisible()) << r;
            EXPECT_DOUBLE_EQ(chart.GetXAxis(r)->GetMin(), bins.bins[std::size_t(r + 1)].start) << r;
        }
        EXPECT_GE(chart.GetChannelCount(), 2);
        EXPECT_TRUE(chart.GetYAxis(0)->IsManual());
        EXPECT_DOUBLE_EQ(chart.GetYAxis(0)->GetMin(), bins.lower);
        // The X markers stand inside the first bin shown.
        for (const char* marker : {"XLo", "XHi"}) {
            const SPlotLimit* limit = chart.GetLimit(chart.FindLimit(marker));
            ASSERT_NE(limit, nullptr) << marker;
            EXPECT_GT(limit->position1, chart.GetXAxis(0)->GetMin()) << marker;
            EXPECT_LT(limit->position1, chart.GetXAxis(0)->GetMax()) << marker;
        }
        // A selected bin's value reads out in its unit.
        const double middle = (chart.GetXAxis(0)->GetMin() + chart.GetXAxis(0)->GetMax()) / 2.0;
        const CString readout = graph->GetCursorValueText(-1, 0, middle);
        EXPECT_NE(readout.Find(unit), -1) << readout.GetString();
        // What is shown is what the project keeps.
        EXPECT_EQ(graph->GetSettings().m_thumbSelections[1].thumb, 2);
        EXPECT_DOUBLE_EQ(graph->GetSettings().m_upperPlot.xAxes[1].min, bins.bins[2].start);
    };
    expectShown("clicked");
    // A document update (a bookmark of the table) fills the page again.
    const int bookmarks = program.Document().GetProjectSettings()->GetBookmarkCount();
    auto* frame = dynamic_cast<CSplitFrame*>(program.MainView().GetLayout().GetObject(kEnergyCalendarTable)->GetWnd());
    ASSERT_NE(frame, nullptr);
    CAssembledProgram::ClickAt(*frame->GetMyToolBar(1), frame->GetMyToolBar(1)->GetButtonRect(33055).CenterPoint());
    ASSERT_EQ(program.Document().GetProjectSettings()->GetBookmarkCount(), bookmarks + 1);
    expectShown("after an update");
    // The page built again fills from the project's settings.
    ASSERT_TRUE(program.ShowStudyPage(0));
    auto* rebuilt = ShowCalendar(program);
    ASSERT_NE(rebuilt, nullptr);
    expectShown("first fill");
    ClickOption(*rebuilt, CalendarBar::kFirstParameter + 7); // "Current [A]"
    expectShown("another parameter", " A\n");
}

// What the screen shows of a bin's picture cell now, row by row at device pixels, and how many
// of them a logical pixel takes across.
std::vector<COLORREF> CellPixels(CCalendarTableView& table, int bin, int& ratio)
{
    int col = 0;
    int row = 0;
    table.GetGrid()->BinCell(0, bin, col, row);
    RECT cell{};
    table.GetGrid()->GetCellRect(col, row, &cell);
    CRect screen(cell);
    table.GetGrid()->ClientToScreen(&screen);
    std::vector<COLORREF> pixels = GetScreenPixelsNow(*table.GetGrid(), screen);
    ratio = int(std::lround(std::sqrt(double(pixels.size()) / (screen.Width() * screen.Height()))));
    return pixels;
}

// Thumbnails of quarter-hour records at "1 Hour" show their pictures pixel for pixel, never
// stretched into a smaller room that breaks their curves. The frames follow every click at once:
// the first selection red, the second blue, no other. (Also run at a device pixel ratio of 2.)
TEST(CalendarPagesTest, ThumbnailsDrawTheirDataWholeAndTheirFramesFollowEveryClickAtOnce)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("quarters", {LongSession(2, 900)})));
    ASSERT_NE(ShowCalendar(program), nullptr);
    ClickOption(*ShowCalendar(program), CalendarBar::kFirstGranularity + kCalendarHour);
    CCalendarTableView& table = *ShowCalendar(program);
    const structCalendarBins& bins = *table.GetSessionList().BinsOf(0);
    const std::vector<int> seen = BinsInSight(*table.GetGrid(), bins);
    ASSERT_GE(seen.size(), 5u);
    const auto drawn = [](DWORD pixel) { return (pixel & 0xFFFFFF) != 0xFFFFFF; };
    for (int bin : std::vector(seen.begin() + 1, seen.begin() + 5)) {
        const std::unique_ptr<CBitmap> picture = ReadThumbnailBitmap(bins.folder + bins.bins[std::size_t(bin)].fileName);
        ASSERT_NE(picture, nullptr);
        std::vector<DWORD> bits(std::size_t(picture->GetSize().cx * picture->GetSize().cy));
        picture->GetBitmapBits(DWORD(bits.size() * 4), bits.data());
        int ratio = 0;
        const std::vector<COLORREF> shown = CellPixels(table, bin, ratio);
        EXPECT_EQ(std::count_if(shown.begin(), shown.end(), drawn), std::count_if(bits.begin(), bits.end(), drawn) * ratio * ratio) << bin;
    }
    const auto framesShow = [&](const std::vector<int>& picked) {
        for (int i = 0; i < 5; ++i) {
            int ratio = 0;
            const COLORREF frame = CellPixels(table, seen[std::size_t(i)], ratio)[std::size_t(3 * ratio)];
            const auto at = std::find(picked.begin(), picked.end(), i);
            EXPECT_EQ(frame == CMyBasicCalendarGrid::kFirstSelection, at == picked.begin()) << i;
            EXPECT_EQ(frame == CMyBasicCalendarGrid::kSecondSelection, picked.size() > 1 && at == picked.begin() + 1) << i;
        }
    };
    // Two picked, the first unpicked, another picked, and a fourth in place of the second.
    for (const auto& [click, picked] : {std::pair{1, std::vector{1}}, {2, {1, 2}}, {1, {2}}, {3, {2, 3}}, {4, {2, 4}}}) {
        ClickBin(table, 0, seen[std::size_t(click)]);
        SCOPED_TRACE(click);
        framesShow(picked);
    }
}

TEST(CalendarPagesTest, CalendarColoursFollowTheSessionOrTheDistinctColourPreference)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("colours", CAssembledProgram::StandardSessions())));
    auto* table = ShowCalendar(program);
    auto* graph = program.Section<CCalendarGraphView>(12);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(graph, nullptr);
    ClickOption(*table, CalendarBar::kFirstGranularity + kCalendarWeek);
    // The thumbnail's curve colour of a bin.
    const auto curveColour = [&](int session) {
        CCalendarTableView& shown = *program.Section<CCalendarTableView>(kEnergyCalendarTable);
        const structCalendarBins& bins = *shown.GetSessionList().BinsOf(session);
        std::set<COLORREF> colours;
        const auto picture = ReadThumbnailBitmap(bins.folder + bins.bins[0].fileName);
        if (!picture)
            return colours;
        std::vector<BYTE> pixels(std::size_t(picture->GetSize().cx) * std::size_t(picture->GetSize().cy) * 4);
        picture->GetBitmapBits(DWORD(pixels.size()), pixels.data());
        for (std::size_t i = 0; i < pixels.size(); i += 4) // blue, green, red, unused
            if (const COLORREF colour = RGB(pixels[i + 2], pixels[i + 1], pixels[i]); colour != RGB(255, 255, 255))
                colours.insert(colour);
        return colours;
    };
    // By the session: its thumbnails and its curve in the graph alike, whichever bin is first.
    ClickBin(*table, 1, 0);
    const std::set<COLORREF> second = curveColour(1);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(curveColour(0), second);
    CiPlotX& chart = *graph->GetPlotControl();
    ASSERT_GE(chart.GetChannelCount(), 1);
    EXPECT_EQ(chart.GetChannel(0)->GetColor(), *second.begin());

    // Distinct colours: the first channel in one, every further one in another.
    CProfile::Instance().WriteProfileInt("prefs", "Region", 6);
    ASSERT_TRUE(program.ShowStudyPage(0));
    table = ShowCalendar(program);
    graph = program.Section<CCalendarGraphView>(12);
    ClickBin(*table, 0, 0);
    const std::set<COLORREF> first = curveColour(0);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_NE(curveColour(1), first);
    CiPlotX& distinct = *graph->GetPlotControl();
    ASSERT_GE(distinct.GetChannelCount(), 2);
    // The second session's bin, selected first, takes the first colour, whatever its session's.
    EXPECT_EQ(distinct.GetChannel(0)->GetColor(), *first.begin());
    EXPECT_EQ(distinct.GetChannel(1)->GetColor(), *curveColour(1).begin());
}

// Whether the chart's picture shows anything but its background under a window standing on it
// (text of an axis label that the axis buttons hide).
bool ChartDrawsUnder(CiPlotX& chart, CWnd& button)
{
    const std::vector<BYTE> bitmap = chart.GetBitmapBytes();
    const auto word = [&](std::size_t at) {
        return int(bitmap[at]) | int(bitmap[at + 1]) << 8 | int(bitmap[at + 2]) << 16 | int(bitmap[at + 3]) << 24;
    };
    const int offset = word(10);
    const int width = word(18);
    const int height = word(22);
    const int stride = (width * 3 + 3) / 4 * 4;
    CRect rect;
    button.GetWindowRect(&rect);
    chart.ScreenToClient(&rect);
    for (int y = std::max(0, int(rect.top)); y < std::min(height, int(rect.bottom)); ++y)
        for (int x = std::max(0, int(rect.left)); x < std::min(width, int(rect.right)); ++x) {
            const std::size_t at = std::size_t(offset + (height - 1 - y) * stride + x * 3);
            if (bitmap[at] < 128 && bitmap[at + 1] < 128 && bitmap[at + 2] < 128)
                return true;
        }
    return false;
}

// Two bins of one session: the graph's options name the sessions it shows and offer no rows the
// calendar has not, the two curves differ in colour, and the plot, its time axes and their first
// labels show whole in the window the screen gives (run at device ratios 1 and 2).
TEST(CalendarPagesTest, TheCalendarGraphNamesItsSessionsTellsItsBinsApartAndShowsItsTimeAxes)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("graph", CAssembledProgram::StandardSessions())));
    program.FitToTheScreen();
    auto* table = ShowCalendar(program);
    ASSERT_NE(table, nullptr);
    ClickOption(*table, CalendarBar::kFirstParameter + 3); // "Active Power [W]"
    ClickOption(*table, CalendarBar::kFirstGranularity + kCalendarDay);
    auto* graph = program.Section<CCalendarGraphView>(12);
    ASSERT_NE(graph, nullptr);
    if (dynamic_cast<CSplitFrame*>(graph->GetParent())->IsSectionCollapsed())
        ClickGraphToolBar(program, 33047);
    CFrameworkApp::RunFor(500);
    // A bin's picture, scrolled into sight and clicked.
    const auto clickBin = [&](int bin) {
        int col = 0;
        int row = 0;
        table->GetGrid()->BinCell(0, bin, col, row);
        EXPECT_TRUE(CAssembledProgram::ClickGridCell(*table->GetGrid(), col, row)) << bin;
        CFrameworkApp::RunFor(300);
    };
    // The first bin's time axis comes with its buttons.
    clickBin(1);
    EXPECT_TRUE(graph->GetDlgItem(int(kFirstAxisLabelButton))->IsWindowVisible());
    EXPECT_TRUE(graph->GetDlgItem(int(kFirstScrollForwardButton))->IsWindowVisible());
    clickBin(3);

    CBasicGraphViewDialogBar& bar = *graph->GetDialogBar();
    const auto shows = [&](UINT id) { return bar.GetDlgItem(int(id))->IsWindowVisible() != FALSE; };
    const char* const names[] = {"1: Feeder north", "2: Feeder south", "3: Workshop load"};
    for (int i = 0; i < 3; ++i) {
        CWnd* box = bar.GetDlgItem(int(GraphBar::kFirstSession) + i);
        CString text;
        box->GetWindowText(text);
        EXPECT_EQ(text, CString(names[i]));
        EXPECT_TRUE(box->IsWindowVisible());
        EXPECT_EQ(static_cast<CButton*>(box)->GetCheck() == BST_CHECKED, i == 0) << names[i];
    }
    EXPECT_FALSE(shows(GraphBar::kFirstSession + 3)); // the project has three sessions
    for (UINT id = GraphBar::kChannelHeader; id < GraphBar::kChannelHeader + 5; ++id)
        EXPECT_FALSE(shows(id)) << id;
    EXPECT_FALSE(shows(GraphBar::kMinMaxHeader));
    EXPECT_FALSE(shows(GraphBar::kAux1));
    // The other graphs keep their headers.
    auto* power = program.Section<CBasicGraphView>(6);
    EXPECT_TRUE(power == nullptr || power->GetDialogBar()->GetDlgItem(int(GraphBar::kChannelHeader))->IsWindowVisible());

    CiPlotX& chart = *graph->GetPlotControl();
    ASSERT_EQ(chart.GetChannelCount(), 2);
    EXPECT_NE(chart.GetChannel(0)->GetColor(), chart.GetChannel(1)->GetColor());
    EXPECT_EQ(CAssembledProgram::PlotOutOfSight(*graph), "");
    for (UINT id : {kFirstAxisLabelButton, kFirstAxisLabelButton + 1, kFirstScrollBackButton, kFirstScrollForwardButton + 1}) {
        CWnd* button = graph->GetDlgItem(int(id));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->IsWindowVisible());
        EXPECT_FALSE(ChartDrawsUnder(chart, *button)) << id;
    }
    EXPECT_TRUE(program.Complaints().empty());
}

// Pictures for a person to look at (run with --gtest_also_run_disabled_tests, at QT_SCALE_FACTOR
// 1 and 2; written to ORN_RENDER_DIR, /tmp when unset): the Energy calendar by hours and by days
// with two bins selected and the graph open, a month of hours scrolled down, the Load calendar.
TEST(CalendarPagesTest, DISABLED_RenderTheCalendarPages)
{
    const std::string ratio = std::getenv("QT_SCALE_FACTOR") ? std::string("-x") + std::getenv("QT_SCALE_FACTOR") : "";
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("render", CAssembledProgram::StandardSessions())));
    auto* table = ShowCalendar(program);
    ASSERT_NE(table, nullptr);
    program.SavePage("calendar-hour" + ratio);
    ClickOption(*table, CalendarBar::kFirstParameter + 3); // "Active Power [W]"
    ClickOption(*table, CalendarBar::kFirstGranularity + kCalendarDay);
    ClickBin(*table, 0, 1);
    ClickBin(*table, 0, 3);
    ClickGraphToolBar(program, 33047); // the graph section opens
    program.SavePage("calendar-day" + ratio);
    ASSERT_TRUE(program.ShowStudyPage(kLoadCalendar));
    program.SavePage("load-calendar" + ratio);
    program.Exit();

    CAssembledProgram month;
    ASSERT_TRUE(month.Start(month.MakeProject("render-month", {LongSession(30, 600)})));
    table = ShowCalendar(month);
    ASSERT_NE(table, nullptr);
    WheelDown(*table, 12);
    month.SavePage("calendar-month-scrolled" + ratio);
}

} // namespace
