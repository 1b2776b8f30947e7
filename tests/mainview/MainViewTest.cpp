// The main view: the five tabs of a new project window, the window table, the study builds with
// their sections, toolbars, dialog bars and initial updates, and the tab enabling routine.
#include "MainViewFixture.h"

#include "mainview/EmptyView.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "mainview/StudyLayouts.h"
#include "mainview/StudyTabsEnabled.h"
#include "views/MySplitterWnd.h"
#include "views/ToolBarResources.h"

#include <string>
#include <vector>

namespace {

using MainViewTest = MainViewFixture;

std::vector<CString> TabTitles(const TTabWnd& tabs)
{
    std::vector<CString> titles;
    for (int i = 0; i < tabs.GetTabCount(); ++i)
        titles.push_back(tabs.GetTabTitle(i));
    return titles;
}

CString TitleOf(CMyToolBar* toolBar)
{
    CString text;
    if (toolBar && toolBar->GetTitleEdit())
        toolBar->GetTitleEdit()->GetWindowText(text);
    return text;
}

std::string ClassOf(const CSplitFrame* frame)
{
    return frame && frame->GetFrameClass() ? frame->GetFrameClass()->className : "";
}

} // namespace

TEST_F(MainViewTest, ANewProjectWindowHasFiveTabsAndOnlyTheProjectManagerEnabled)
{
    const std::vector<CString> expected{"Project Manager", "Energy Study", "Load Study", "Advanced", "Report"};
    EXPECT_EQ(TabTitles(Tabs()), expected);
    EXPECT_EQ(Tabs().GetActiveTab(), 0);
    for (int tab = 0; tab < 5; ++tab)
        EXPECT_EQ(Tabs().IsTabEnabled(tab), tab == 0) << tab;
    EXPECT_EQ(g_pMainViewLayout, &Layout());
    EXPECT_EQ(g_pMainViewFramework, &m_view->GetFramework());
    EXPECT_EQ(m_view->GetCurrentViewId(), -1);

    // The window table by number, with the ids given in creation order.
    EXPECT_EQ(Layout().framework, &m_view->GetFramework());
    EXPECT_EQ(Layout().reserved, -1);
    EXPECT_EQ(Layout().energy.framework, &m_view->GetFramework());
    EXPECT_EQ(Layout().load.framework, &m_view->GetFramework());
    const std::pair<int, DWORD> ids[] = {{2, 1}, {19, 2}, {20, 3}, {21, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8},
                                         {24, 9}, {22, 10}, {36, 11}, {37, 12}, {38, 13}};
    for (const auto& [entry, id] : ids) {
        ASSERT_NE(Layout().GetObject(entry), nullptr) << entry;
        EXPECT_EQ(Layout().GetObject(entry)->GetID(), id) << entry;
    }
    for (int entry = 8; entry <= 18; ++entry)
        EXPECT_EQ(Layout().GetObject(entry), nullptr) << entry;
    for (int entry = 25; entry <= 35; ++entry)
        EXPECT_EQ(Layout().GetObject(entry), nullptr) << entry;
    EXPECT_EQ(Layout().GetObject(0), nullptr);
    EXPECT_EQ(Layout().GetObject(3), nullptr);
    EXPECT_EQ(Layout().GetObject(39), nullptr);

    // The placeholder sections carry view 0's section toolbars and no selector.
    const CString titles[] = {"RMS Power overview table", "RMS Power graph", "RMS Power time range table"};
    const bool collapsed[] = {true, false, true};
    for (int section = 0; section < 3; ++section) {
        CSplitFrame* frame = Frame(5 + section);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(ClassOf(frame), "CEmptyFrame");
        ASSERT_EQ(frame->GetToolBarCount(), 1);
        EXPECT_EQ(TitleOf(frame->GetMyToolBar(0)), titles[section]);
        EXPECT_EQ(frame->GetMyToolBar(0)->IsCollapsed(), collapsed[section]);
        EXPECT_EQ(frame->GetDialogBar(), nullptr);
    }
    CSplitFrame* content = Frame(38);
    ASSERT_NE(content, nullptr);
    ASSERT_EQ(content->GetToolBarCount(), 1);
    EXPECT_EQ(content->GetMyToolBar(0)->GetButtonText(33084), CString("Expand All"));
    EXPECT_EQ(content->GetMyToolBar(0)->GetButtonText(33085), CString("Collapse All"));
    EXPECT_EQ(ClassOf(Frame(20)), "CProjectManagerTableFrame");
    EXPECT_STREQ(GetPageFrameViewName(EPageFrame::ProjectManagerTable), "CProjectManagerTableView");
    EXPECT_EQ(ClassOf(Frame(37)), "CReportListFrame");
    EXPECT_EQ(ClassOf(Frame(38)), "CReportContentFrame");
}

TEST_F(MainViewTest, TheProjectManagerPageFillsItsTabAndTheReportSplitterIsPlain)
{
    auto* managerSplitter = dynamic_cast<CMySplitterWnd*>(Layout().projectManagerTab->GetWnd());
    auto* reportSplitter = dynamic_cast<CMySplitterWnd*>(Layout().reportTab->GetWnd());
    ASSERT_NE(managerSplitter, nullptr);
    ASSERT_NE(reportSplitter, nullptr);
    EXPECT_EQ(managerSplitter->GetPlainSplitter(), 0);
    EXPECT_EQ(reportSplitter->GetPlainSplitter(), 1);
    CRect client;
    managerSplitter->GetClientRect(&client);
    CRect page;
    Frame(20)->GetWindowRect(&page);
    EXPECT_EQ(page.Width(), client.Width());
    EXPECT_FALSE(Frame(21)->IsWindowVisible());
    // The report list and content share the Report tab until their splitter position is set.
    Tabs().SetActiveTab(4);
    for (int entry : {37, 38}) {
        CRect rect;
        Frame(entry)->GetWindowRect(&rect);
        EXPECT_TRUE(Frame(entry)->IsWindowVisible()) << entry;
        EXPECT_GT(rect.Width(), 300) << entry;
    }
    // Every page holds its view as the first pane, an empty page for the views not built yet.
    EXPECT_NE(dynamic_cast<CProjectManagerTableView*>(Frame(20)->GetView()), nullptr);
    for (int entry : {21, 37, 38})
        EXPECT_NE(dynamic_cast<CEmptyView*>(Frame(entry)->GetView()), nullptr) << entry;
}

TEST_F(MainViewTest, TheTabsFollowTheProjectsSessions)
{
    struct SCase
    {
        bool firstDataSet;
        int energy;
        int load;
        bool energyTab, loadTab, reportTab;
    };
    const SCase cases[] = {
        {true, 2, 0, true, false, true},   {true, 0, 1, false, true, true}, {true, 1, 1, true, true, true},
        {true, 0, 0, false, false, false}, {false, 1, 1, false, false, false},
    };
    for (const SCase& c : cases) {
        UpdateStudyTabsEnabled(Layout(), false, 0, 0);
        UpdateStudyTabsEnabled(Layout(), c.firstDataSet, c.energy, c.load);
        EXPECT_EQ(Tabs().IsTabEnabled(1), c.energyTab);
        EXPECT_EQ(Tabs().IsTabEnabled(2), c.loadTab);
        EXPECT_EQ(Tabs().IsTabEnabled(4), c.reportTab);
        EXPECT_FALSE(Tabs().IsTabEnabled(3)); // Advanced: never
        EXPECT_TRUE(Tabs().IsTabEnabled(0));
    }
    // A study tab without sessions goes off even while the other study has some.
    UpdateStudyTabsEnabled(Layout(), true, 1, 0);
    UpdateStudyTabsEnabled(Layout(), true, 0, 1);
    EXPECT_FALSE(Tabs().IsTabEnabled(1));
    EXPECT_TRUE(Tabs().IsTabEnabled(2));
    // The selected tab is never disabled.
    Tabs().SetActiveTab(4);
    UpdateStudyTabsEnabled(Layout(), false, 0, 0);
    EXPECT_TRUE(Tabs().IsTabEnabled(4));
    EXPECT_FALSE(Tabs().IsTabEnabled(1));
}

TEST_F(MainViewTest, EveryStudyViewBuildsItsSectionsToolbarsAndBars)
{
    for (int viewId : {0, 1, 2, 3, 4, 5, 6, 8}) {
        SCOPED_TRACE(viewId);
        Build(viewId);
        const SStudyLayout& study = *FindStudyLayout(viewId);
        EXPECT_EQ(m_view->GetCurrentViewId(), viewId);
        EXPECT_EQ(Tabs().GetActiveTab(), study.loadStudy ? 2 : 1);
        EXPECT_EQ(Tabs().GetTabTitle(1), CString("Energy Study"));
        EXPECT_EQ(Tabs().GetTabTitle(2), CString("Load Study"));
        EXPECT_EQ(Tabs().GetTabCount(), 5);

        // Only the entries of the built view are set.
        for (int entry = 5; entry <= 35; ++entry) {
            if (entry >= 19 && entry <= 24)
                continue;
            const bool own = entry >= study.firstEntry && entry < study.firstEntry + study.sectionCount;
            EXPECT_EQ(Layout().GetObject(entry) != nullptr, own) << entry;
        }
        // The other study tab is an empty placeholder page.
        TVisualObject* other = study.loadStudy ? Layout().energy.tab : Layout().load.tab;
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(other->GetKind(), TVisualObject::kWindow);
        EXPECT_EQ(ClassOf(dynamic_cast<CSplitFrame*>(other->GetWnd())), "CEmptyFrame");

        std::vector<unsigned> serials;
        for (int section = 0; section < study.sectionCount; ++section) {
            CSplitFrame* frame = Frame(study.firstEntry + section);
            ASSERT_NE(frame, nullptr);
            const SSectionLayout& expected = study.sections[section];
            EXPECT_EQ(frame->GetFrameClass(), &GetPageFrameClass(expected.frame));
            // The view selector is toolbar 0 of the top section; the section toolbar follows.
            const int sectionBar = section == 0 ? 1 : 0;
            ASSERT_EQ(frame->GetToolBarCount(), sectionBar + 1);
            if (section == 0) {
                CMyToolBar* selector = frame->GetMyToolBar(0);
                EXPECT_EQ(selector->GetType(), int(CMyToolBar::kSelectorType));
                EXPECT_EQ(selector->GetResourceId(), study.loadStudy ? kLoadSelectorToolBar : kEnergySelectorToolBar);
                EXPECT_EQ(selector->GetButtonFlag(study.checkCommand), 1);
                for (UINT command = 33074; command <= 33078; ++command) {
                    if (command != study.checkCommand) {
                        EXPECT_EQ(selector->GetButtonFlag(command), 0) << command;
                    }
                }
            }
            CMyToolBar* toolBar = frame->GetMyToolBar(sectionBar);
            EXPECT_EQ(toolBar->GetResourceId(), expected.graphToolBar ? kGraphSectionToolBar : kTableSectionToolBar);
            CString title;
            title.LoadString(expected.titleId);
            EXPECT_EQ(TitleOf(toolBar), title);
            EXPECT_EQ(toolBar->IsCollapsed(), expected.collapsed);
            EXPECT_TRUE(toolBar->IsButtonHidden(33052));
            EXPECT_TRUE(toolBar->IsButtonHidden(33053));

            const bool barExpected = section == kGraphSection || (section == kOverviewSection && study.tableBar.create);
            ASSERT_EQ(frame->GetDialogBar() != nullptr, barExpected);
            if (barExpected) {
                EXPECT_EQ(frame->GetDialogBar()->GetTemplateId(), section == kGraphSection ? 30043u : 30047u);
            }

            const auto* view = dynamic_cast<CMyFormView*>(frame->GetView());
            ASSERT_NE(view, nullptr);
            EXPECT_EQ(view->GetInitialUpdateCount(), 1);
            serials.push_back(view->GetInitialUpdateSerial());
        }
        // Initialised in the order overview table, time-range table, graph.
        if (study.sectionCount == 3) {
            EXPECT_LT(serials[0], serials[2]);
            EXPECT_LT(serials[2], serials[1]);
        } else {
            EXPECT_LT(serials[0], serials[1]);
        }
    }
}

TEST_F(MainViewTest, TheCalendarStacksTwoSectionsWithTheTableOnTop)
{
    Build(2);
    auto* splitter = dynamic_cast<CMySplitterWnd*>(Layout().energy.tab->GetWnd());
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->GetRowCount(), 2);
    CRect table;
    CRect graph;
    Frame(11)->GetWindowRect(&table);
    Frame(12)->GetWindowRect(&graph);
    EXPECT_LT(table.top, graph.top);
    // The graph section is collapsed to its toolbar; the table takes the rest.
    EXPECT_EQ(graph.Height(), CMyToolBar::kHeight);
    EXPECT_GT(table.Height(), graph.Height());
}

TEST_F(MainViewTest, ViewSevenAndUnknownIdsChangeNothing)
{
    Build(1);
    const TVisualObject* tab = Layout().energy.tab;
    const int windows = CountWindows(m_window);
    for (int viewId : {7, 9, -1, 42}) {
        Build(viewId);
        EXPECT_EQ(Layout().energy.tab, tab);
        EXPECT_EQ(CountWindows(m_window), windows);
    }
}

TEST_F(MainViewTest, RebuildingLeavesNoWindowBehind)
{
    Build(0);
    const int energyWindows = CountWindows(m_window);
    Build(5);
    const int loadWindows = CountWindows(m_window);
    for (int round = 0; round < 3; ++round) {
        Build(0);
        EXPECT_EQ(CountWindows(m_window), energyWindows);
        Build(5);
        EXPECT_EQ(CountWindows(m_window), loadWindows);
    }
    // The ids keep growing from the largest in use: nothing is reused while alive.
    EXPECT_GT(Layout().load.tab->GetID(), 13u);
}
