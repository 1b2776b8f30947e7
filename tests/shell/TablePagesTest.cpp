// The study table pages of the assembled program as a user drives them: the demand tables
// scrolled to their last session, bookmarks and titles of table sections, the collapse state the
// user chose, the axis sides of the graphs beside them, the full-window layout, the texts and
// numbers the tables read and show (valid intervals, THD, power factor, nominal voltage).
#include "AssembledProgram.h"

#include "grid/CUGCtrl.h"
#include "mainview/MainViewLayout.h"
#include "mainview/StudyLayouts.h"
#include "platform/framework/UserLocale.h"
#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowTesting.h"
#include "project/EditAuxSettingsDlg.h"
#include "project/ProjectSettings.h"
#include "projectmanager/ProjectManagerDataSetGrid.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "shell/MainFrame.h"
#include "study/BasicGraphView.h"
#include "study/BasicTableView.h"
#include "study/DemandTableViews.h"
#include "views/MyToolBar.h"
#include "views/SplitFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <tuple>
#include <vector>

namespace {

constexpr int kSummaryTableEntry = 5;
constexpr int kSummaryGraphEntry = 6;
constexpr int kDemandTableEntry = 8;
constexpr int kDemandGraphEntry = 9;
constexpr int kGridId = 2012;
constexpr UINT kTimeRangeCheck = 1093;
constexpr UINT kFirstSessionCheck = 2246;
constexpr int kCalendarTableEntry = 11;
constexpr int kVAHzTHDTableEntry = 16;
constexpr int kLoadSummaryTableEntry = 25;
constexpr int kLoadCalendarTableEntry = 28;
constexpr int kLoadVAHzTHDTableEntry = 33;
constexpr UINT kXAxisIntervalList = 2267;
constexpr UINT kFullWindowCommand = 33048;
constexpr UINT kBookmarkCommand = 33055;

// Four Energy sessions of three days each, one after the other.
std::vector<SSessionSpec> FourEnergySessions()
{
    std::vector<SSessionSpec> sessions = CAssembledProgram::StandardSessions();
    sessions.pop_back();
    for (int i = 0; i < 2; ++i) {
        SSessionSpec more = sessions[1];
        more.name = i == 0 ? u"Feeder east" : u"Feeder west";
        more.startTicks += std::int64_t(i + 1) * 3 * 864000000000;
        more.serialNumber = i == 0 ? "4626020" : "4626021";
        sessions.push_back(more);
    }
    return sessions;
}

// Thirty days at a power factor of 0.92 in every interval, recorded between 0.90 and 0.94,
// under the daily swing of the load.
std::vector<BYTE> SteadyPowerFactorSession()
{
    SSessionSpec recording = CAssembledProgram::StandardSessions()[1];
    recording.trendRecords = 30 * 144;
    recording.steadyPowerFactor = 0.92;
    CSessionWriter writer(recording);
    std::vector<SWrittenTable> tables = writer.BuildTables();
    constexpr WORD kTrendRecord = 64;
    constexpr std::size_t kPowerFactorL1 = 504; // minimum, maximum, average; L2, L3 and total follow
    for (SWrittenTable& table : tables)
        if (table.type == kTrendRecord)
            for (std::size_t slot = 0; slot < 4; ++slot) {
                table.bytes.PutF32(kPowerFactorL1 + 12 * slot, 0.90f);
                table.bytes.PutF32(kPowerFactorL1 + 12 * slot + 4, 0.94f);
                table.bytes.PutF32(kPowerFactorL1 + 12 * slot + 8, 0.92f);
            }
    return writer.BuildFile(tables);
}

// A month of a large feeder, measured with a 10 kA probe.
SSessionSpec LargeFeeder()
{
    SSessionSpec feeder = CAssembledProgram::StandardSessions()[1];
    feeder.name = u"Main feeder";
    feeder.trendRecords = 30 * 144;
    feeder.probeRange = 10000.0f;
    feeder.gapStart = -1;
    return feeder;
}

float FieldOf(const SWrittenTable& table, std::size_t offset)
{
    return std::bit_cast<float>(table.bytes.GetU32(offset));
}

// Which way power flows in the records of a session.
enum class EFlow { Forward, Reverse, Mixed };

constexpr WORD kTrendRecordType = 64;
constexpr std::size_t kActivePowerTriple = 216;      // P of L1; L2, L3 and the total follow, 12 bytes each
constexpr std::size_t kFundamentalPowerTriple = 360; // Pf
constexpr std::size_t kFundamentalReactiveTriple = 456;
constexpr std::size_t kApparentPowerTriple = 264;
constexpr std::size_t kPowerFactorTriple = 504;
constexpr std::size_t kDisplacementTriple = 552;

// Three days at a power factor of 0.92 in every interval, recorded between 0.90 and 0.94, with
// the power flowing forward, returned throughout, or returned in every third interval (P and
// the fundamental P negative: the minimum of the triple is the larger magnitude).
std::vector<SWrittenTable> FlowSessionTables(EFlow flow)
{
    SSessionSpec recording = CAssembledProgram::StandardSessions()[1];
    recording.steadyPowerFactor = 0.92;
    std::vector<SWrittenTable> tables = CSessionWriter(recording).BuildTables();
    int record = 0;
    for (SWrittenTable& table : tables) {
        if (table.type != kTrendRecordType)
            continue;
        const bool reverse = flow == EFlow::Reverse || (flow == EFlow::Mixed && record % 3 == 0);
        ++record;
        for (std::size_t slot = 0; slot < 4; ++slot) {
            table.bytes.PutF32(kPowerFactorTriple + 12 * slot, 0.90f);
            table.bytes.PutF32(kPowerFactorTriple + 12 * slot + 4, 0.94f);
            table.bytes.PutF32(kPowerFactorTriple + 12 * slot + 8, 0.92f);
            if (!reverse)
                continue;
            for (std::size_t triple : {kActivePowerTriple, kFundamentalPowerTriple}) {
                const std::size_t at = triple + 12 * slot;
                const float min = FieldOf(table, at), max = FieldOf(table, at + 4), avg = FieldOf(table, at + 8);
                table.bytes.PutF32(at, -max);
                table.bytes.PutF32(at + 4, -min);
                table.bytes.PutF32(at + 8, -avg);
            }
        }
    }
    return tables;
}

// The Max, Avg and Min a table must show for a power factor of a phase slot, from the records:
// each interval's recorded magnitudes take the sign of its (fundamental) active power, and the
// average is the active over the apparent power of the means.
struct SExpectedPowerFactor
{
    double max = -2.0, min = 2.0, avg = 0.0;
};

// The window with that id below a window, at any depth; null when there is none.
CWnd* FindDescendant(CWnd& window, int id)
{
    for (CWnd* child = window.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (child->GetDlgCtrlID() == id)
            return child;
        if (CWnd* found = FindDescendant(*child, id))
            return found;
    }
    return nullptr;
}

} // namespace

TEST(TablePagesTest, TheDemandTableScrollsToItsLastSession)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("four", FourEnergySessions()), CSize(1024, 600)));
    ASSERT_TRUE(program.ShowStudyPage(1));
    auto* table = program.Section<CDemandTableView>(kDemandTableEntry);
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(program.ClickSectionButton(kDemandTableEntry, CMyToolBar::kCollapseCommand));
    CDemandGrid& grid = *table->GetGrid();
    ASSERT_EQ(grid.GetSessionCount(), 4);
    CRect client;
    table->GetClientRect(&client);
    ASSERT_GT(client.Height(), 100);
    ASSERT_GT(grid.GetRowsHeight(), client.Height());
    // The page's range holds every block, and a scroll bar shows it.
    EXPECT_GE(table->GetScrollSizes().cy, grid.GetRowsHeight());
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(table->GetScrollInfo(SB_VERT, &info));
    EXPECT_EQ(info.nMax + 1, table->GetScrollSizes().cy);
    EXPECT_EQ(int(info.nPage), client.Height());

    // Page by page down to the end, as clicks below the thumb give it: the last block shows whole.
    for (int i = 0; i < 10; ++i)
        table->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    CFrameworkApp::PumpWaitingMessages();
    CRect gridRect;
    grid.GetWindowRect(&gridRect);
    table->ScreenToClient(&gridRect);
    int lastBlockTop = gridRect.top;
    for (int row = 0; row < CDemandGrid::BlockStart(3); ++row)
        lastBlockTop += grid.GetRowHeight(row);
    EXPECT_GE(lastBlockTop, 0);
    EXPECT_EQ(gridRect.bottom, client.bottom);

    // Collapsing the first block shortens the range with it.
    const int before = table->GetScrollSizes().cy;
    table->SendMessage(WM_VSCROLL, SB_TOP, 0);
    grid.GetWindowRect(&gridRect);
    CAssembledProgram::ClickAt(grid, CPoint(40, 10));
    EXPECT_TRUE(grid.IsBlockCollapsed(0));
    EXPECT_EQ(table->GetScrollSizes().cy, grid.GetRowsHeight());
    EXPECT_LT(table->GetScrollSizes().cy, before);
    EXPECT_TRUE(program.Complaints().empty());
}

TEST(TablePagesTest, ABookmarkOfACollapsedTableSectionOpensTheSectionFirst)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("bookmarks", CAssembledProgram::StandardSessions())));
    const CProjectSettings& project = *program.Document().GetProjectSettings();
    struct SCase
    {
        int viewId;
        int entry;
        int bookmarkType;
    };
    // The overview tables of both pages start collapsed.
    for (const SCase& c : {SCase{0, kSummaryTableEntry, 0}, SCase{1, kDemandTableEntry, 3}}) {
        SCOPED_TRACE(c.viewId);
        ASSERT_TRUE(program.ShowStudyPage(c.viewId));
        CSplitFrame* frame = program.SectionFrame(c.entry);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(frame->IsSectionCollapsed());
        const int before = project.GetBookmarkCount();
        ASSERT_TRUE(program.ClickSectionButton(c.entry, kBookmarkCommand));
        ASSERT_EQ(project.GetBookmarkCount(), before + 1);
        EXPECT_EQ(project.GetBookmark(before).GetType(), c.bookmarkType);
        EXPECT_FALSE(frame->IsSectionCollapsed());
        CRect client;
        frame->GetView()->GetClientRect(&client);
        EXPECT_GT(client.Height(), 100);
    }
    EXPECT_TRUE(program.Complaints().empty());
}

TEST(TablePagesTest, ABookmarkOfACollapsedCalendarTableOpensItAndTakesTheSectionsTitle)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("calendar marks", CAssembledProgram::StandardSessions())));
    const CProjectSettings& project = *program.Document().GetProjectSettings();
    struct SCase
    {
        int viewId;
        int entry;
    };
    // The overview tables and the calendar tables of both studies; the user collapses each first.
    for (const SCase& c : {SCase{0, kSummaryTableEntry}, SCase{2, kCalendarTableEntry}, SCase{5, kLoadSummaryTableEntry},
                           SCase{6, kLoadCalendarTableEntry}}) {
        SCOPED_TRACE(c.viewId);
        ASSERT_TRUE(program.ShowStudyPage(c.viewId));
        CSplitFrame* frame = program.SectionFrame(c.entry);
        ASSERT_NE(frame, nullptr);
        if (!frame->IsSectionCollapsed()) {
            ASSERT_TRUE(program.ClickSectionButton(c.entry, CMyToolBar::kCollapseCommand));
        }
        ASSERT_TRUE(frame->IsSectionCollapsed());
        const CString title = frame->FindSectionToolBar()->GetTitleText();
        ASSERT_FALSE(title.IsEmpty());
        const int before = project.GetBookmarkCount();
        program.ForgetInterruptions();
        ASSERT_TRUE(program.ClickSectionButton(c.entry, kBookmarkCommand));
        for (const std::string& interruption : program.Interruptions())
            ADD_FAILURE() << interruption;
        ASSERT_EQ(project.GetBookmarkCount(), before + 1);
        EXPECT_EQ(project.GetBookmark(before).GetStudyView(), c.viewId);
        // Without a text of the user's the bookmark is named as the section's title field shows it.
        EXPECT_EQ(CString(project.GetBookmark(before).GetName()), title);
        EXPECT_FALSE(frame->IsSectionCollapsed());
    }
    EXPECT_TRUE(program.Complaints().empty());
    // A section with nothing in sight is told as that, not as a folder that cannot be written.
    auto* calendar = dynamic_cast<CMyFormView*>(program.SectionFrame(kLoadCalendarTableEntry)->GetView());
    ASSERT_NE(calendar, nullptr);
    const std::size_t boxes = program.Boxes().size();
    EXPECT_FALSE(calendar->BeginSectionCapture(CRect(0, 0, 0, 0), CString()));
    ASSERT_EQ(program.Boxes().size(), boxes + 1);
    EXPECT_EQ(program.Boxes().back().text,
              CString("The picture of the bookmark cannot be made: the section does not show on the page."));
}

TEST(TablePagesTest, WhatTheUserOpenedStaysOpenWhenATariffIsEntered)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("tariff", CAssembledProgram::StandardSessions())));
    auto openTable = [&program](int viewId, int entry) {
        ASSERT_TRUE(program.ShowStudyPage(viewId));
        if (program.SectionFrame(entry)->IsSectionCollapsed()) {
            ASSERT_TRUE(program.ClickSectionButton(entry, CMyToolBar::kCollapseCommand));
        }
    };
    // RMS Power: the overview table opened and the first session's second group collapsed.
    openTable(0, kSummaryTableEntry);
    CSummaryGrid* summary = program.Section<CBasicTableView>(kSummaryTableEntry)->GetGrid();
    ASSERT_TRUE(CAssembledProgram::ClickGridCell(*summary, 0, summary->GroupHeaderRow(0, 1), 40));
    auto summaryGroups = [&program] {
        CSummaryGrid* grid = program.Section<CBasicTableView>(kSummaryTableEntry)->GetGrid();
        return std::vector<bool>{grid->IsGroupCollapsed(0, 0), grid->IsGroupCollapsed(0, 1), grid->IsGroupCollapsed(0, 2)};
    };
    const std::vector<bool> groups = summaryGroups();
    ASSERT_EQ(std::count(groups.begin(), groups.end(), true), 1);
    // Demand: the overview table opened and the second session's block collapsed.
    openTable(1, kDemandTableEntry);
    CDemandGrid* demand = program.Section<CDemandTableView>(kDemandTableEntry)->GetGrid();
    ASSERT_GE(demand->GetSessionCount(), 2);
    ASSERT_TRUE(CAssembledProgram::ClickGridCell(*demand, 0, CDemandGrid::BlockStart(1), 40));
    // The time range on, its table opened, the first session's block collapsed and opened again.
    CWnd* rangeCheck = program.SectionFrame(kDemandGraphEntry)->GetDialogBar()->GetDlgItem(kTimeRangeCheck);
    ASSERT_NE(rangeCheck, nullptr);
    ASSERT_TRUE(CAssembledProgram::ClickInView(*rangeCheck));
    ASSERT_TRUE(program.Section<CBasicGraphView>(kDemandGraphEntry)->GetSettings().m_checkTimeRange);
    if (program.SectionFrame(kDemandGraphEntry + 1)->IsSectionCollapsed()) {
        ASSERT_TRUE(program.ClickSectionButton(kDemandGraphEntry + 1, CMyToolBar::kCollapseCommand));
    }
    CDemandGrid* ranged = program.Section<CDemandTableView>(kDemandGraphEntry + 1)->GetGrid();
    for (int click = 0; click < 2; ++click) {
        ASSERT_TRUE(CAssembledProgram::ClickGridCell(*ranged, 0, CDemandGrid::BlockStart(0), 40));
    }
    auto demandBlocks = [&program] {
        std::vector<bool> shown;
        for (int entry : {kDemandTableEntry, kDemandGraphEntry + 1}) {
            CDemandGrid* grid = program.Section<CDemandTableView>(entry)->GetGrid();
            shown.insert(shown.end(), {grid->IsBlockCollapsed(0), grid->IsBlockCollapsed(1)});
        }
        return shown;
    };
    const std::vector<bool> blocks = demandBlocks();
    ASSERT_EQ(blocks, (std::vector<bool>{false, true, false, false}));

    // The tariff of a session, entered in the dialog that shows its costs page alone.
    auto enterTariff = [&program](const char* price) {
        program.AnswerNextDialog(CEditAuxSettingsDlg::kTemplateId, [price](CDialog& dialog) {
            for (const auto& [id, text] : {std::pair{2414, "EUR"}, std::pair{2415, price}}) {
                CWnd* edit = CAssembledProgram::FindDescendantWithId(&dialog, id);
                ASSERT_NE(edit, nullptr);
                ASSERT_TRUE(CAssembledProgram::TypeInto(*edit, text));
            }
            CWnd* ok = CAssembledProgram::FindDescendantWithId(&dialog, IDOK);
            ASSERT_NE(ok, nullptr);
            CAssembledProgram::ClickAtCentre(*ok);
        });
        program.ForgetInterruptions();
    };
    const std::vector<std::string> dialogShown{"dialog " + std::to_string(CEditAuxSettingsDlg::kTemplateId)};
    // From the demand table: the check box of the first session's advanced tariff.
    enterTariff("25");
    ASSERT_TRUE(CAssembledProgram::ClickGridCell(*demand, CDemandGrid::kAdvancedColumn,
                                                 CDemandGrid::DataRow(0) + CDemandGrid::kChoiceRow, 8));
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(program.Interruptions(), dialogShown);
    EXPECT_EQ(program.Section<CDemandTableView>(kDemandTableEntry)->GetSessionData()[0]->tariffEnabled, 1);
    EXPECT_FALSE(program.SectionFrame(kDemandTableEntry)->IsSectionCollapsed());
    EXPECT_FALSE(program.SectionFrame(kDemandGraphEntry + 1)->IsSectionCollapsed());
    EXPECT_EQ(demandBlocks(), blocks);

    // From the session's card on the project manager page.
    program.ClickTab(CAssembledProgram::kProjectManagerTab);
    auto* manager = program.Section<CProjectManagerTableView>(SMainViewLayout::kProjectManagerPage);
    ASSERT_NE(manager, nullptr);
    CProjectManagerBasicGrid& cards = *manager->GetDataSetGrid();
    // The second session's card collapsed and saved so, then opened again; the third collapsed.
    auto toggleCard = [&cards](int card) {
        ASSERT_TRUE(CAssembledProgram::ClickGridCell(cards, 0, card * cards.GetRowsPerSection(), 8));
    };
    toggleCard(1);
    ASSERT_TRUE(cards.IsSectionCollapsed(1));
    program.MenuCommand(CMainFrame::ID_FILE_SAVE);
    toggleCard(1);
    toggleCard(2);
    auto cardStates = [&manager] {
        CProjectManagerBasicGrid* grid = manager->GetDataSetGrid();
        std::vector<bool> shown;
        for (int card = 0; card < grid->GetSectionCount(); ++card)
            shown.push_back(grid->IsSectionCollapsed(card));
        return shown;
    };
    const std::vector<bool> cardsBefore = cardStates();
    ASSERT_EQ(cardsBefore, (std::vector<bool>{false, false, true}));
    enterTariff("30");
    bool clicked = false;
    for (const SCardButton& button : cards.Layout().buttons)
        if (!clicked && button.command == kCommandSessionSettings)
            clicked = CAssembledProgram::ClickGridCell(cards, cards.OriginCol(button.rect), cards.OriginRow(0, button.rect));
    ASSERT_TRUE(clicked);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(program.Interruptions(), dialogShown);
    EXPECT_EQ(cardStates(), cardsBefore);
    // Back on the Demand page, rebuilt for the change: the tables are open as the user left them.
    ASSERT_TRUE(program.ShowStudyPage(1));
    EXPECT_FALSE(program.SectionFrame(kDemandTableEntry)->IsSectionCollapsed());
    EXPECT_FALSE(program.SectionFrame(kDemandGraphEntry + 1)->IsSectionCollapsed());
    EXPECT_EQ(demandBlocks(), blocks);
    openTable(0, kSummaryTableEntry);
    EXPECT_EQ(summaryGroups(), groups);
    EXPECT_TRUE(program.Complaints().empty());
}

TEST(TablePagesTest, TheTitleTypedOverAnOverviewTableStaysWithIt)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("titles", CAssembledProgram::StandardSessions())));
    // The summary table and the calendar table, whose frames hold the view selector first; the
    // user clicks the graph, or a tile of the calendar (its graph section starts collapsed).
    struct SCase
    {
        int viewId;
        int tableEntry;
        int clickedEntry;
        const char* title;
    };
    for (const SCase& c : {SCase{0, kSummaryTableEntry, kSummaryGraphEntry, "North feeder, October"},
                           SCase{2, kCalendarTableEntry, kCalendarTableEntry, "Hours of October"}}) {
        SCOPED_TRACE(c.viewId);
        ASSERT_TRUE(program.ShowStudyPage(c.viewId));
        CMyToolBar* toolBar = program.SectionFrame(c.tableEntry)->FindSectionToolBar();
        ASSERT_NE(toolBar, nullptr);
        CEdit* edit = toolBar->GetTitleEdit();
        ASSERT_NE(edit, nullptr);
        CAssembledProgram::ClickAtCentre(*edit);
        edit->SetWindowText(c.title);
        // The focus leaves the field: the text is kept with the page's settings.
        CAssembledProgram::ClickAtCentre(*program.SectionFrame(c.clickedEntry)->GetView());
        EXPECT_EQ(program.Section<CBasicGraphView>(c.tableEntry + 1)->GetSettings().m_toolbarEdit.Table,
                  CString(c.title));
        // Back on the page after another one, the toolbar shows it again.
        ASSERT_TRUE(program.ShowStudyPage(1));
        ASSERT_TRUE(program.ShowStudyPage(c.viewId));
        toolBar = program.SectionFrame(c.tableEntry)->FindSectionToolBar();
        ASSERT_NE(toolBar, nullptr);
        EXPECT_EQ(toolBar->GetUserEditText(), CString(c.title));
    }
}

TEST(TablePagesTest, ATitleConfirmedWithEnterIsKeptWhenAnotherPageIsShown)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("titles", CAssembledProgram::StandardSessions())));
    // The summary table, its graph and the calendar table: typed, Enter, and the next page is
    // chosen with the focus still in the field.
    struct SCase
    {
        int viewId;
        int entry;
        const char* title;
    };
    for (const SCase& c : {SCase{0, kSummaryTableEntry, "North feeder October"},
                           SCase{0, kSummaryGraphEntry, "North feeder graph"},
                           SCase{2, kCalendarTableEntry, "Hours of October"}}) {
        SCOPED_TRACE(c.title);
        ASSERT_TRUE(program.ShowStudyPage(c.viewId));
        CMyToolBar* toolBar = program.SectionFrame(c.entry)->FindSectionToolBar();
        ASSERT_NE(toolBar, nullptr);
        CEdit* edit = toolBar->GetTitleEdit();
        ASSERT_NE(edit, nullptr);
        ASSERT_TRUE(CAssembledProgram::TypeInto(*edit, c.title));
        SimulateKey(*edit, VK_RETURN);
        CFrameworkApp::PumpWaitingMessages();
        ASSERT_TRUE(program.ShowStudyPage(1));
        ASSERT_TRUE(program.ShowStudyPage(c.viewId));
        const CBasicViewSettings& settings =
            program.Section<CBasicGraphView>(c.entry == kSummaryGraphEntry ? c.entry : c.entry + 1)->GetSettings();
        EXPECT_EQ(c.entry == kSummaryGraphEntry ? settings.m_toolbarEdit.Graph : settings.m_toolbarEdit.Table,
                  CString(c.title));
        toolBar = program.SectionFrame(c.entry)->FindSectionToolBar();
        ASSERT_NE(toolBar, nullptr);
        EXPECT_EQ(toolBar->GetUserEditText(), CString(c.title));
    }
    EXPECT_TRUE(program.Complaints().empty());
}

TEST(TablePagesTest, WhatTheUserCollapsesInATimeRangeTableOutlastsTheGraphsNextRefill)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("collapse", CAssembledProgram::StandardSessions())));
    for (const int viewId : {0, 1}) {
        SCOPED_TRACE(viewId);
        const int graphEntry = viewId == 0 ? kSummaryGraphEntry : kDemandGraphEntry;
        const int tableEntry = graphEntry + 1;
        ASSERT_TRUE(program.ShowStudyPage(viewId));
        // The time range on, its table opened.
        CWnd* rangeCheck = program.SectionFrame(graphEntry)->GetDialogBar()->GetDlgItem(kTimeRangeCheck);
        ASSERT_NE(rangeCheck, nullptr);
        CAssembledProgram::ClickAtCentre(*rangeCheck);
        ASSERT_TRUE(program.Section<CBasicGraphView>(graphEntry)->GetSettings().m_checkTimeRange);
        auto table = [&] { return dynamic_cast<CMyFormView*>(program.SectionFrame(tableEntry)->GetView()); };
        auto clickFirstTitle = [&] {
            if (program.SectionFrame(tableEntry)->IsSectionCollapsed()) {
                ASSERT_TRUE(program.ClickSectionButton(tableEntry, CMyToolBar::kCollapseCommand));
            }
            CUGCtrl* grid = dynamic_cast<CUGCtrl*>(table()->GetDlgItem(kGridId));
            ASSERT_NE(grid, nullptr);
            CAssembledProgram::ClickAt(*grid, CPoint(60, 8));
        };
        auto firstBlockCollapsed = [&] {
            auto* demand = dynamic_cast<CDemandTableView*>(table());
            auto* summary = dynamic_cast<CBasicTableView*>(table());
            return demand ? demand->GetGrid()->IsBlockCollapsed(0) : summary->GetGrid()->IsBlockCollapsed(0);
        };
        // The first session's block collapsed; the page left and shown again keeps it so.
        clickFirstTitle();
        ASSERT_TRUE(firstBlockCollapsed());
        ASSERT_TRUE(program.ShowStudyPage(viewId == 0 ? 1 : 0));
        ASSERT_TRUE(program.ShowStudyPage(viewId));
        EXPECT_TRUE(firstBlockCollapsed());
        // Opened again, it stays open when the second session is ticked in the graph options,
        // which refills the time-range table.
        clickFirstTitle();
        ASSERT_FALSE(firstBlockCollapsed());
        CWnd* secondSession = program.SectionFrame(graphEntry)->GetDialogBar()->GetDlgItem(kFirstSessionCheck + 1);
        ASSERT_NE(secondSession, nullptr);
        CAssembledProgram::ClickAtCentre(*secondSession);
        ASSERT_TRUE(program.Section<CBasicGraphView>(graphEntry)->GetSettings().m_sessions[1]);
        EXPECT_FALSE(firstBlockCollapsed());
    }
    EXPECT_TRUE(program.Complaints().empty());
}

TEST(TablePagesTest, ThePowerFactorAndDistortionAxesStandRightOfTheirGraphs)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("axes", CAssembledProgram::StandardSessions())));
    struct SCase
    {
        int viewId;
        int graphEntry;
        UINT checkBox;       // the channel the user ticks: DPF total, THD-V of L1
        int axisCount;       // the study's own axes; the auxiliary inputs' follow them on the right
        int rightAxes[2];    // -1: none
        int tickedAxis;      // the axis of the ticked channel
    };
    for (const SCase& c : {SCase{3, 14, 1368, 3, {1, 2}, 2}, SCase{4, 17, 1365, 4, {3, -1}, 3}}) {
        SCOPED_TRACE(c.viewId);
        ASSERT_TRUE(program.ShowStudyPage(c.viewId));
        auto* graph = program.Section<CBasicGraphView>(c.graphEntry);
        ASSERT_NE(graph, nullptr);
        CWnd* check = program.SectionFrame(c.graphEntry)->GetDialogBar()->GetDlgItem(c.checkBox);
        ASSERT_NE(check, nullptr);
        CAssembledProgram::ClickAtCentre(*check);
        CFrameworkApp::PumpWaitingMessages();
        CiPlotX& chart = *graph->GetPlotControl();
        const SPlotLayout& layout = chart.GetLayout();
        ASSERT_GT(int(layout.yAxisBands.size()), c.tickedAxis);
        ASSERT_GE(chart.GetYAxisCount(), c.axisCount);
        for (int axis = 0; axis < chart.GetYAxisCount(); ++axis) {
            const bool right = axis >= c.axisCount || axis == c.rightAxes[0] || axis == c.rightAxes[1];
            EXPECT_EQ(chart.GetYAxis(axis)->GetPosition(), right ? 100.0 : 0.0) << axis;
        }
        // The first axis and the ticked channel's axis are drawn, each on its side of the plot.
        const CRect& left = layout.yAxisBands[0];
        const CRect& ticked = layout.yAxisBands[std::size_t(c.tickedAxis)];
        ASSERT_FALSE(left.IsRectEmpty());
        ASSERT_FALSE(ticked.IsRectEmpty());
        EXPECT_LE(left.right, layout.plot.left);
        EXPECT_GE(ticked.left, layout.plot.right);
    }
    EXPECT_TRUE(program.Complaints().empty());
}

TEST(TablePagesTest, ATableThatFillsThePageCannotBeCollapsed)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("fullwindow", CAssembledProgram::StandardSessions())));
    // The summary and demand overview tables, the summary time-range table, the calendar table.
    struct SCase
    {
        int viewId;
        int entry;
    };
    for (const SCase& c : {SCase{0, kSummaryTableEntry}, SCase{1, kDemandTableEntry}, SCase{0, kSummaryGraphEntry + 1},
                           SCase{2, kCalendarTableEntry}}) {
        SCOPED_TRACE(c.entry);
        ASSERT_TRUE(program.ShowStudyPage(c.viewId));
        if (c.entry == kSummaryGraphEntry + 1)
            CAssembledProgram::ClickAtCentre(
                *program.SectionFrame(kSummaryGraphEntry)->GetDialogBar()->GetDlgItem(kTimeRangeCheck));
        CSplitFrame* frame = program.SectionFrame(c.entry);
        ASSERT_NE(frame, nullptr);
        if (frame->IsSectionCollapsed()) {
            ASSERT_TRUE(program.ClickSectionButton(c.entry, CMyToolBar::kCollapseCommand));
        }
        CMyToolBar* toolBar = frame->FindSectionToolBar();
        ASSERT_TRUE(toolBar->IsButtonEnabled(CMyToolBar::kCollapseCommand));

        ASSERT_TRUE(program.ClickSectionButton(c.entry, kFullWindowCommand));
        EXPECT_FALSE(toolBar->IsButtonEnabled(CMyToolBar::kCollapseCommand));
        EXPECT_TRUE(program.ClickSectionButton(c.entry, CMyToolBar::kCollapseCommand));
        EXPECT_FALSE(frame->IsSectionCollapsed());

        ASSERT_TRUE(program.ClickSectionButton(c.entry, kFullWindowCommand));
        EXPECT_TRUE(toolBar->IsButtonEnabled(CMyToolBar::kCollapseCommand));
        ASSERT_TRUE(program.ClickSectionButton(c.entry, CMyToolBar::kCollapseCommand));
        EXPECT_TRUE(frame->IsSectionCollapsed());
    }
    EXPECT_TRUE(program.Complaints().empty());
}

TEST(TablePagesTest, ASessionShownLaterInTheTimeRangeTableCountsItsValidIntervals)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("intervals", CAssembledProgram::StandardSessions())));
    ASSERT_TRUE(program.ShowStudyPage(0));
    CMyDialogBar& bar = *program.SectionFrame(kSummaryGraphEntry)->GetDialogBar();
    CAssembledProgram::ClickAtCentre(*bar.GetDlgItem(kTimeRangeCheck));
    auto* overview = program.Section<CBasicTableView>(kSummaryTableEntry);
    auto* timeRange = program.Section<CBasicTableView>(kSummaryGraphEntry + 1);
    ASSERT_NE(overview, nullptr);
    ASSERT_NE(timeRange, nullptr);
    // The count as the panel shows it: the valid intervals, then the records of the range.
    auto intervals = [](const CBasicTableView& table, int session) {
        const CString& text = table.GetSessionData()[std::size_t(session)]->summaryText;
        const int label = text.Find("Number of averaging intervals:");
        const int value = label < 0 ? -1 : text.Find(">", text.Find("\n", label));
        return value < 0 ? CString() : text.Mid(value + 1, text.Find("\n", value) - value - 1);
    };
    EXPECT_EQ(intervals(*overview, 1), CString("432 (432)"));
    ASSERT_TRUE(timeRange->GetSessionData()[1]->summaryText.IsEmpty());
    // The second session ticked in the graph options joins the time-range table: the records
    // of its stretch of the range (the middle 40 % of what its axis shows), each valid.
    CAssembledProgram::ClickAtCentre(*bar.GetDlgItem(kFirstSessionCheck + 1));
    const CString counted = intervals(*timeRange, 1);
    const int valid = std::atoi(counted.GetString());
    EXPECT_EQ(counted, CString((std::to_string(valid) + " (" + std::to_string(valid) + ")").c_str()));
    EXPECT_GE(valid, 432 * 2 / 5);
    EXPECT_LE(valid, 432 * 2 / 5 + 2);
}

TEST(TablePagesTest, AnOverloadedDistortionUnderAFiniteVoltageHasNoAverage)
{
    // THD-V of L1 overloaded (+infinity) in every record; its voltage as measured.
    CSessionWriter writer(CAssembledProgram::StandardSessions()[1]);
    std::vector<SWrittenTable> tables = writer.BuildTables();
    constexpr WORD kTrendRecord = 64;
    constexpr std::size_t kThdVoltageL1 = 132; // minimum, maximum, average
    for (SWrittenTable& table : tables)
        if (table.type == kTrendRecord)
            for (std::size_t field = 0; field < 3; ++field)
                table.bytes.PutF32(kThdVoltageL1 + 4 * field, std::numeric_limits<float>::infinity());
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProjectOfFiles("overload", {writer.BuildFile(tables)})));
    ASSERT_TRUE(program.ShowStudyPage(4));
    ASSERT_TRUE(program.ClickSectionButton(kVAHzTHDTableEntry, CMyToolBar::kCollapseCommand));
    auto* table = program.Section<CBasicTableView>(kVAHzTHDTableEntry);
    ASSERT_NE(table, nullptr);
    constexpr int kThdVoltageRow = 3;
    const SSummaryTableRow& row = table->GetSessionData()[0]->rows[kThdVoltageRow];
    ASSERT_EQ(row.quantity, 29u);
    const SSummaryTableCell& l1 = row.cells[0];
    EXPECT_TRUE(std::isnan(l1.entries[SSummaryTableCell::kAvg].value));
    EXPECT_EQ(l1.entries[SSummaryTableCell::kMax].value, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isfinite(row.cells[1].entries[SSummaryTableCell::kAvg].value));
    // The grid: "OL" for the maximum, an empty average.
    CMyBasicSummaryGrid& grid = *table->GetGrid();
    auto cellText = [&](int statistic) {
        const char* text = grid.QuickGetTextPtr(2, grid.DataRow(0, kThdVoltageRow, statistic));
        return CString(text ? text : "");
    };
    EXPECT_EQ(cellText(0), CString("OL"));
    EXPECT_EQ(cellText(1), CString(""));
    EXPECT_TRUE(program.Complaints().empty());
}

TEST(TablePagesTest, WhatTheTablePagesReadAndAnswerAsTheUserSeesIt)
{
    // English number settings: a thousands separator the nominal voltage may be typed with.
    CUserLocale::SetForTesting(CUserLocale::EnUs());
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("texts", CAssembledProgram::StandardSessions())));

    // The interval lists of the graph options name their choices in the plural.
    ASSERT_TRUE(program.ShowStudyPage(0));
    auto* intervals = static_cast<CComboBox*>(
        program.SectionFrame(kSummaryGraphEntry)->GetDialogBar()->GetDlgItem(kXAxisIntervalList));
    ASSERT_NE(intervals, nullptr);
    ASSERT_GE(intervals->GetCount(), 9);
    CString text;
    intervals->GetLBText(7, text);
    EXPECT_EQ(text, CString("5 days"));

    // A table's title is the collapse state its grid shows, whatever text it was handed last.
    ASSERT_TRUE(program.ClickSectionButton(kSummaryTableEntry, CMyToolBar::kCollapseCommand));
    auto* summary = program.Section<CBasicTableView>(kSummaryTableEntry);
    CAssembledProgram::ClickAt(*summary->GetGrid(), CPoint(60, 8));
    ASSERT_TRUE(summary->GetGrid()->IsBlockCollapsed(0));
    summary->SetTitle("0");
    EXPECT_EQ(summary->GetTitle(), summary->GetGrid()->GetCollapseState());
    ASSERT_TRUE(program.ShowStudyPage(1));
    ASSERT_TRUE(program.ClickSectionButton(kDemandTableEntry, CMyToolBar::kCollapseCommand));
    auto* demand = program.Section<CDemandTableView>(kDemandTableEntry);
    CAssembledProgram::ClickAt(*demand->GetGrid(), CPoint(60, 8));
    demand->SetTitle("0");
    EXPECT_EQ(demand->GetTitle(), demand->GetGrid()->GetCollapseState());
    EXPECT_EQ(demand->GetTitle().Left(2), CString("01"));

    // The nominal voltage of the Load session, typed as the user writes numbers.
    ASSERT_TRUE(program.ShowStudyPage(5));
    ASSERT_TRUE(program.ClickSectionButton(kLoadSummaryTableEntry, CMyToolBar::kCollapseCommand));
    auto* load = program.Section<CBasicTableView>(kLoadSummaryTableEntry);
    ASSERT_NE(load, nullptr);
    CSummaryGrid& grid = *load->GetGrid();
    constexpr int kLoadSession = 2;
    ASSERT_FALSE(load->GetSessionData()[kLoadSession]->hidden);
    auto type = [&](const char* typed) {
        CRect cell;
        grid.GetCellRect(2, grid.NumberCellRow(kLoadSession), &cell);
        CAssembledProgram::ClickAt(grid, cell.CenterPoint());
        CWnd* edit = FindDescendant(grid, int(CMyBasicSummaryGrid::kNumberEditId));
        ASSERT_NE(edit, nullptr);
        edit->SetWindowText(typed);
        SimulateKey(*edit, VK_RETURN);
        CFrameworkApp::PumpWaitingMessages();
    };
    type("1,000");
    EXPECT_FLOAT_EQ(load->GetSessionData()[kLoadSession]->nominalVoltage, 1000.0f);
    for (const char* refused : {"abc", "-230", "0"}) {
        type(refused);
        EXPECT_FLOAT_EQ(load->GetSessionData()[kLoadSession]->nominalVoltage, 1000.0f) << refused;
        grid.EditCtrlFinished(CString(), TRUE, FALSE, 0, 0);
    }
    CUserLocale::ResetForTesting();
    EXPECT_TRUE(program.Complaints().empty());
}

TEST(TablePagesTest, ASteadyPowerFactorShowsItsRecordedRangeWithTheAverageInsideIt)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProjectOfFiles("steady", {SteadyPowerFactorSession()})));
    ASSERT_TRUE(program.ShowStudyPage(0));
    ASSERT_TRUE(program.ClickSectionButton(kSummaryTableEntry, CMyToolBar::kCollapseCommand));
    auto* table = program.Section<CBasicTableView>(kSummaryTableEntry);
    ASSERT_NE(table, nullptr);
    constexpr int kPowerFactorRow = 3;
    const SSummaryTableRow& row = table->GetSessionData()[0]->rows[kPowerFactorRow];
    ASSERT_EQ(row.quantity, 8u);
    CMyBasicSummaryGrid& grid = *table->GetGrid();
    auto cellText = [&](int col, int statistic) {
        const char* text = grid.QuickGetTextPtr(col, grid.DataRow(0, kPowerFactorRow, statistic));
        return CString(text ? text : "");
    };
    for (int slot = 0; slot < 4; ++slot) {
        SCOPED_TRACE(slot);
        const auto& entries = row.cells[std::size_t(slot)].entries;
        EXPECT_NEAR(entries[SSummaryTableCell::kMax].value, 0.94f, 1e-6f);
        EXPECT_NEAR(entries[SSummaryTableCell::kAvg].value, 0.92f, 1e-4f);
        EXPECT_NEAR(entries[SSummaryTableCell::kMin].value, 0.90f, 1e-6f);
        // Max, Avg and Min, each with its unit cell saying inductive.
        const int column = 2 + 4 * slot;
        EXPECT_EQ(cellText(column, 0), CString("0.94"));
        EXPECT_EQ(cellText(column, 1), CString("0.92"));
        EXPECT_EQ(cellText(column, 2), CString("0.90"));
        for (int statistic = 0; statistic < 3; ++statistic)
            EXPECT_NE(cellText(column + 2, statistic).Find("ind"), -1) << statistic;
    }
    EXPECT_TRUE(program.Complaints().empty());
}

// A month of a large feeder (a 10 kA probe): its forward energy has seven digits before the
// point. In the default window of 1024 x 720 every figure and title of the demand table, and of
// the load table beside it, shows whole, and the figure is the energy of the demand records, read
// in the prefix its size calls for.
TEST(TablePagesTest, FiguresOfSevenDigitsAndLongTitlesShowWhole)
{
    const SSessionSpec feeder = LargeFeeder();
    const SSessionSpec load = CAssembledProgram::StandardSessions()[2];
    const CSessionWriter writer(feeder);
    double forwardKWh = 0.0;
    for (const std::int64_t begin : writer.DemandBegins()) {
        const std::int64_t mid = begin + std::int64_t(feeder.demandSeconds) * 10000000 / 2;
        for (int phase = 0; phase < 3; ++phase)
            forwardKWh += CSessionWriter::PhaseValues(feeder, mid, phase).activePower * feeder.demandSeconds / 3600.0 / 1000.0;
    }
    ASSERT_GT(forwardKWh, 1e6);

    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("large", {feeder, load})));
    ASSERT_TRUE(program.ShowStudyPage(1));
    ASSERT_TRUE(program.ClickSectionButton(kDemandTableEntry, CMyToolBar::kCollapseCommand)); // expanded
    auto* demand = program.Section<CDemandTableView>(kDemandTableEntry);
    ASSERT_NE(demand, nullptr);
    CString shown, unit;
    demand->GetGrid()->QuickGetText(2, CDemandGrid::DataRow(0), &shown);
    demand->GetGrid()->QuickGetText(3, CDemandGrid::DataRow(0), &unit);
    ASSERT_EQ(unit, CString("MWh")) << shown.GetString();
    EXPECT_NEAR(std::atof(shown.GetString()) * 1000.0, forwardKWh, 0.5) << shown.GetString();
    std::vector<std::string> cut = CAssembledProgram::FindCutGridTexts(*demand);
    EXPECT_TRUE(cut.empty()) << cut.front();
    // What the table cannot fit in the page's width, the page scrolls to.
    CRect grid;
    demand->GetGrid()->GetWindowRect(&grid);
    EXPECT_GE(demand->GetScrollSizes().cx, grid.Width());

    ASSERT_TRUE(program.ShowStudyPage(5));
    ASSERT_TRUE(program.ClickSectionButton(kLoadSummaryTableEntry, CMyToolBar::kCollapseCommand));
    auto* loadTable = program.Section<CBasicTableView>(kLoadSummaryTableEntry);
    ASSERT_NE(loadTable, nullptr);
    cut = CAssembledProgram::FindCutGridTexts(*loadTable);
    EXPECT_TRUE(cut.empty()) << cut.front();
    // Where the table is wider than the page, the page's scroll bar shows over it.
    CRect page;
    loadTable->GetClientRect(&page);
    if (loadTable->GetScrollSizes().cx > page.Width()) {
        CRect window;
        loadTable->GetWindowRect(&window);
        EXPECT_EQ(WindowFromPoint(CPoint(window.left + page.Width() / 2, window.bottom - 3)), loadTable);
    }
    // Every study page with its overview shown: the calendars' tiles, the power and quantity tables.
    for (const int viewId : {0, 2, 3, 4, 6, 8}) {
        ASSERT_TRUE(program.ShowStudyPage(viewId));
        const int entry = FindStudyLayout(viewId)->firstEntry;
        if (program.SectionFrame(entry)->IsSectionCollapsed()) {
            ASSERT_TRUE(program.ClickSectionButton(entry, CMyToolBar::kCollapseCommand));
        }
        cut = CAssembledProgram::FindCutGridTexts(*program.SectionFrame(entry));
        EXPECT_TRUE(cut.empty()) << "page " << viewId << ": " << cut.front() << " and " << cut.size() - 1 << " more";
    }
    EXPECT_TRUE(program.Complaints().empty());
}

TEST(TablePagesTest, APowerFactorShowsOnlyWhatItsIntervalsHadWhicheverWayPowerFlows)
{
    constexpr int kFundamentalTableEntry = 13;
    constexpr int kPowerFactorRow = 3;
    for (const EFlow flow : {EFlow::Forward, EFlow::Reverse, EFlow::Mixed}) {
        SCOPED_TRACE(int(flow));
        const std::vector<SWrittenTable> tables = FlowSessionTables(flow);
        CAssembledProgram program;
        CSessionWriter writer(CAssembledProgram::StandardSessions()[1]);
        ASSERT_TRUE(program.Start(program.MakeProjectOfFiles("flow", {writer.BuildFile(tables)})));
        // PF on the RMS Power page, DPF on the Fundamental Power page.
        for (const auto& [viewId, entry, triple, signTriple] :
             {std::tuple{0, kSummaryTableEntry, kPowerFactorTriple, kActivePowerTriple},
              std::tuple{3, kFundamentalTableEntry, kDisplacementTriple, kFundamentalPowerTriple}}) {
            ASSERT_TRUE(program.ShowStudyPage(viewId));
            ASSERT_TRUE(program.ClickSectionButton(entry, CMyToolBar::kCollapseCommand));
            auto* table = program.Section<CBasicTableView>(entry);
            ASSERT_NE(table, nullptr);
            const SSummaryTableRow& row = table->GetSessionData()[0]->rows[kPowerFactorRow];
            for (std::size_t slot = 0; slot < 4; ++slot) {
                SCOPED_TRACE(testing::Message() << "view " << viewId << " slot " << slot);
                SExpectedPowerFactor expected;
                double active = 0.0, apparent = 0.0, activeMagnitude = 0.0, reactiveMagnitude = 0.0;
                for (const SWrittenTable& t : tables) {
                    if (t.type != kTrendRecordType)
                        continue;
                    const std::size_t at = triple + 12 * slot;
                    const bool reverse = FieldOf(t, signTriple + 12 * slot + 8) < 0.0f;
                    const double min = FieldOf(t, at), max = FieldOf(t, at + 4);
                    expected.max = std::max(expected.max, reverse ? -min : max);
                    expected.min = std::min(expected.min, reverse ? -max : min);
                    active += FieldOf(t, signTriple + 12 * slot + 8);
                    apparent += FieldOf(t, kApparentPowerTriple + 12 * slot + 8);
                    activeMagnitude += std::fabs(FieldOf(t, signTriple + 12 * slot + 8));
                    reactiveMagnitude += std::fabs(FieldOf(t, kFundamentalReactiveTriple + 12 * slot + 8));
                }
                // PF: P over the recorded S; DPF: the net Pf over the Sf of the magnitudes of Pf and
                // Qf, so that flow part of the time back does not make it larger than the PF.
                expected.avg = viewId == 0 ? active / apparent : active / std::hypot(activeMagnitude, reactiveMagnitude);
                const auto& entries = row.cells[slot].entries;
                EXPECT_NEAR(entries[SSummaryTableCell::kMax].value, expected.max, 1e-6);
                EXPECT_NEAR(entries[SSummaryTableCell::kMin].value, expected.min, 1e-6);
                EXPECT_NEAR(entries[SSummaryTableCell::kAvg].value, expected.avg, 1e-4);
                EXPECT_LE(entries[SSummaryTableCell::kMin].value, entries[SSummaryTableCell::kAvg].value);
                EXPECT_GE(entries[SSummaryTableCell::kMax].value, entries[SSummaryTableCell::kAvg].value);
            }
        }
        EXPECT_TRUE(program.Complaints().empty());
    }
}

TEST(TablePagesTest, AConstantDistortionAveragesToItselfAndAVaryingOneToItsWeightedMean)
{
    // THD-A of 8.0 % in every record of the Load session; THD-V as the writer's model varies it.
    constexpr std::size_t kThdVoltageTriple = 132, kThdCurrentTriple = 168, kVoltageTriple = 24, kCurrentTriple = 96;
    SSessionSpec recording = CAssembledProgram::StandardSessions()[2];
    recording.invalidValues = false;
    for (const WORD studyType : {WORD(2), WORD(1)}) {
        SCOPED_TRACE(studyType);
        recording.studyType = studyType;
        CSessionWriter writer(recording);
        std::vector<SWrittenTable> tables = writer.BuildTables();
        for (SWrittenTable& table : tables)
            if (table.type == kTrendRecordType)
                for (std::size_t k = 0; k < 3; ++k)
                    for (std::size_t field = 0; field < 3; ++field)
                        table.bytes.PutF32(kThdCurrentTriple + 12 * k + 4 * field, 8.0f);
        CAssembledProgram program;
        ASSERT_TRUE(program.Start(program.MakeProjectOfFiles("thd", {writer.BuildFile(tables)})));
        ASSERT_TRUE(program.ShowStudyPage(studyType == 2 ? 8 : 4));
        const int entry = studyType == 2 ? kLoadVAHzTHDTableEntry : kVAHzTHDTableEntry;
        ASSERT_TRUE(program.ClickSectionButton(entry, CMyToolBar::kCollapseCommand));
        auto* table = program.Section<CBasicTableView>(entry);
        ASSERT_NE(table, nullptr);
        const structSummaryTableData& data = *table->GetSessionData()[0];
        CMyBasicSummaryGrid& grid = *table->GetGrid();
        for (int group = 0; group < 5; ++group) {
            const DWORD quantity = data.rows[std::size_t(group)].quantity;
            if (quantity != 29 && quantity != 30)
                continue;
            for (std::size_t k = 0; k < 3; ++k) {
                SCOPED_TRACE(testing::Message() << "THD " << quantity << " phase " << k);
                const std::size_t thd = (quantity == 29 ? kThdVoltageTriple : kThdCurrentTriple) + 12 * k + 8;
                const std::size_t weight = (quantity == 29 ? kVoltageTriple : kCurrentTriple) + 12 * k + 8;
                double weighted = 0.0, weights = 0.0;
                for (const SWrittenTable& t : tables)
                    if (t.type == kTrendRecordType) {
                        weighted += double(FieldOf(t, thd)) * FieldOf(t, weight);
                        weights += FieldOf(t, weight);
                    }
                const float avg = data.rows[std::size_t(group)].cells[k].entries[SSummaryTableCell::kAvg].value;
                EXPECT_NEAR(avg, weighted / weights, 1e-4);
                if (quantity == 30) {
                    EXPECT_NEAR(avg, 8.0f, 1e-5f);
                    const char* text = grid.QuickGetTextPtr(2 + 4 * int(k), grid.DataRow(0, group, 1));
                    EXPECT_EQ(CString(text ? text : ""), CString("8.0"));
                }
            }
        }
        EXPECT_TRUE(program.Complaints().empty());
    }
}

// Pictures for a person to look at (run with --gtest_also_run_disabled_tests; written to
// ORN_RENDER_DIR, /tmp when unset): the Demand page of four sessions in a 600-pixel window
// scrolled to its last block, the demand table filling the page, the graphs with their right-hand
// axes, the power factor of thirty days, and the demand table of a large feeder and the load table
// in the default window (named "-x2" when run with QT_SCALE_FACTOR=2).
TEST(TablePagesTest, DISABLED_TheTablePagesAsTheUserSeesThem)
{
    {
        CAssembledProgram program;
        ASSERT_TRUE(program.Start(program.MakeProject("four", FourEnergySessions()), CSize(1024, 600)));
        ASSERT_TRUE(program.ShowStudyPage(1));
        ASSERT_TRUE(program.ClickSectionButton(kDemandTableEntry, CMyToolBar::kCollapseCommand));
        program.Section<CDemandTableView>(kDemandTableEntry)->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
        CFrameworkApp::PumpWaitingMessages();
        program.SavePage("demand-four-sessions-last-block");
        ASSERT_TRUE(program.ClickSectionButton(kDemandTableEntry, kFullWindowCommand));
        program.SavePage("demand-table-full-window");
    }
    {
        CAssembledProgram program;
        ASSERT_TRUE(program.Start(program.MakeProject("axes", CAssembledProgram::StandardSessions())));
        // DPF of the total and THD-V and THD-A of L1 beside the page's first channel.
        for (const auto& [viewId, graphEntry, checks, picture] :
             {std::tuple{3, 14, std::vector<UINT>{1368}, "fundamental-power-axes"},
              std::tuple{4, 17, std::vector<UINT>{1365, 1378}, "v-a-hz-thd-axes"}}) {
            ASSERT_TRUE(program.ShowStudyPage(viewId));
            for (const UINT check : checks)
                CAssembledProgram::ClickAtCentre(*program.SectionFrame(graphEntry)->GetDialogBar()->GetDlgItem(check));
            program.SavePage(picture);
        }
    }
    {
        CAssembledProgram program;
        ASSERT_TRUE(program.Start(program.MakeProjectOfFiles("steady", {SteadyPowerFactorSession()})));
        ASSERT_TRUE(program.ShowStudyPage(0));
        ASSERT_TRUE(program.ClickSectionButton(kSummaryTableEntry, CMyToolBar::kCollapseCommand));
        program.Section<CBasicTableView>(kSummaryTableEntry)->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
        CFrameworkApp::PumpWaitingMessages();
        program.SavePage("power-factor-of-thirty-days");
    }
    {
        CAssembledProgram program;
        ASSERT_TRUE(program.Start(program.MakeProject("large", {LargeFeeder(), CAssembledProgram::StandardSessions()[2]})));
        const char* ratio = std::getenv("QT_SCALE_FACTOR");
        const std::string suffix = ratio && std::string(ratio) == "2" ? "-x2" : "";
        ASSERT_TRUE(program.ShowStudyPage(1));
        ASSERT_TRUE(program.ClickSectionButton(kDemandTableEntry, CMyToolBar::kCollapseCommand));
        program.SavePage("demand-table-of-a-large-feeder" + suffix);
        ASSERT_TRUE(program.ShowStudyPage(5));
        ASSERT_TRUE(program.ClickSectionButton(kLoadSummaryTableEntry, CMyToolBar::kCollapseCommand));
        program.SavePage("load-table" + suffix);
    }
}
