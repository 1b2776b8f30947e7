// The view framework: toolbars from resources, split frames with their view, toolbars and bar,
// section collapse and full window in the splitter, the tile drag, the tab window and the
// tabbed-view framework's tree.
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"
#include "platform/framework/windows/WindowTesting.h"
#include "support/MessageBoxRecorder.h"
#include "platform/framework/windows/CDC.h"
#include "views/ButtonST.h"
#include "views/MainWindow.h"
#include "project/BasicViewSettings.h"
#include "project/ProjectSettings.h"
#include "views/MyFormView.h"
#include "platform/chart/CiPlotX.h"
#include "views/RecordFormView.h"
#include "views/MySplitterWnd.h"
#include "views/SplitFrame.h"
#include "views/TabWnd.h"
#include "views/ToolBarBuilders.h"
#include "views/VisualFramework.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

// A view that records the commands and drag records it hears.
class CRecordingView : public CMyFormView
{
public:
    static const SRuntimeClass& Class()
    {
        static const SRuntimeClass runtimeClass{"CRecordingView", &CMyFormView::Class(),
                                                &CreateWindowObject<CRecordingView>, nullptr};
        return runtimeClass;
    }
    static inline std::vector<UINT> commands;
    static inline std::vector<SSplitterDragRecord> drags;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CMyFormView::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CMySplitterWnd::WM_SPLITTER_DRAG) {
            drags.push_back(*reinterpret_cast<const SSplitterDragRecord*>(lParam));
            return 0;
        }
        return CMyFormView::WindowProc(message, wParam, lParam);
    }
};

// A tile painted red on its left half and blue on its right half.
class CTwoColourTile : public CWnd
{
public:
    static constexpr COLORREF kLeft = RGB(220, 30, 30);
    static constexpr COLORREF kRight = RGB(30, 30, 220);
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(0, 0, client.Width() / 2, client.Height(), kLeft);
        dc.FillSolidRect(client.Width() / 2, 0, client.Width() - client.Width() / 2, client.Height(), kRight);
    }
};

CWnd* CreateRecordingFrame(const SRuntimeClass&)
{
    return new CSplitFrame(&CRecordingView::Class());
}

const SRuntimeClass& RecordingFrameClass()
{
    static const SRuntimeClass runtimeClass{"CRecordingFrame", &CSplitFrame::Class(), &CreateRecordingFrame, nullptr};
    return runtimeClass;
}

class ViewFrameworkTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
    }
    void SetUp() override
    {
        CRecordingView::commands.clear();
        CRecordingView::drags.clear();
        ASSERT_TRUE(m_window.CreateEx(0, nullptr, "page", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                      CRect(0, 0, 800, 600), nullptr, 0));
    }
    void TearDown() override
    {
        m_framework.Destroy();
        m_window.DestroyWindow();
        CFrameworkApp::PumpWaitingMessages();
    }

    // A study-like page: three sections of recording frames, toolbars as the main view gives them.
    CMySplitterWnd* MakeSections()
    {
        auto* splitter = new CMySplitterWnd;
        EXPECT_TRUE(splitter->CreateStatic(&m_window, 3, 1));
        for (int row = 0; row < 3; ++row)
            EXPECT_TRUE(splitter->CreatePane(row, 0, RecordingFrameClass(), CSize(0, 0), SViewCreateContext()));
        AddEnergyViewSelector(*Section(splitter, 0));
        AddTableSectionToolBar(*Section(splitter, 0), 10088, true);
        AddGraphSectionToolBar(*Section(splitter, 1), 10089, false);
        AddTableSectionToolBar(*Section(splitter, 2), 10090, true);
        splitter->RecalcSections();
        return splitter;
    }
    static CSplitFrame* Section(CMySplitterWnd* splitter, int row)
    {
        return dynamic_cast<CSplitFrame*>(splitter->GetPane(row, 0));
    }
    static int Height(CWnd* window)
    {
        CRect rect;
        window->GetWindowRect(&rect);
        return window->IsWindowVisible() ? rect.Height() : 0;
    }

    CWnd m_window;
    TVisualFramework m_framework;
};

} // namespace

TEST_F(ViewFrameworkTest, SectionToolbarsFromTheirBuilders)
{
    CMySplitterWnd* splitter = MakeSections();
    CMyToolBar* graph = Section(splitter, 1)->GetMyToolBar(0);
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->GetButtonCount(), 10);
    EXPECT_TRUE(graph->IsButtonHidden(33052));
    EXPECT_TRUE(graph->IsButtonHidden(33053));
    EXPECT_TRUE(graph->GetButtonRect(33052).IsRectEmpty());
    EXPECT_EQ(graph->GetButtonRect(33070).Width(), 250);
    EXPECT_EQ(graph->GetToolTip(33049), CString("Zoom in"));
    EXPECT_EQ(graph->GetToolTip(33051), CString("Graph options"));
    EXPECT_EQ(graph->GetToolTip(33070), CString("Type a bookmark name here"));
    splitter->SetMode(1);
    EXPECT_EQ(graph->GetToolTip(33070), CString("Type a name for the report item here"));

    CMyToolBar* table = Section(splitter, 2)->GetMyToolBar(0);
    EXPECT_EQ(table->GetButtonCount(), 7);
    EXPECT_EQ(table->GetToolTip(33049), CString()); // not on a table toolbar
    EXPECT_EQ(table->GetToolTip(33054), CString("Copy to clipboard"));

    CMyToolBar* selector = Section(splitter, 0)->GetMyToolBar(0);
    EXPECT_EQ(selector->GetButtonText(33076), CString("Calendar View"));
    // Separators sit between the selector's buttons, which do not overlap.
    EXPECT_LE(selector->GetButtonRect(33074).right, selector->GetButtonRect(33075).left - 8);
}

TEST_F(ViewFrameworkTest, TheLoadSelectorHidesItsFourthButton)
{
    auto* frame = new CSplitFrame(&CRecordingView::Class());
    ASSERT_TRUE(frame->CreateFrame(&m_window, CRect(0, 0, 600, 200), 1, SViewCreateContext()));
    CMyToolBar* selector = AddLoadViewSelector(*frame);
    ASSERT_NE(selector, nullptr);
    EXPECT_TRUE(selector->IsButtonHidden(33077));
    EXPECT_EQ(selector->GetButtonText(33076), CString("A, Hz, THD"));
    EXPECT_EQ(frame->GetToolBar(0), selector);
    EXPECT_EQ(frame->GetToolBar(1), nullptr);
}

// As the window narrows, the selector's buttons stay inside it: first the separators narrow, then
// the longest labels are shortened alike (the short ones stay whole) and tell themselves as tips.
TEST_F(ViewFrameworkTest, TheSelectorFitsANarrowWindow)
{
    auto* frame = new CSplitFrame(&CRecordingView::Class());
    ASSERT_TRUE(frame->CreateFrame(&m_window, CRect(0, 0, 900, 200), 1, SViewCreateContext()));
    CMyToolBar* selector = AddEnergyViewSelector(*frame);
    ASSERT_NE(selector, nullptr);
    const std::array<UINT, 5> buttons{33074, 33075, 33076, 33077, 33078};
    std::map<UINT, int> whole;
    for (UINT command : buttons)
        whole[command] = selector->GetLabelRect(command).Width();
    const int natural = selector->GetButtonRect(33078).right;
    for (const int width : {natural + 2, natural - 10, natural - 60, natural - 160}) {
        frame->MoveWindow(0, 0, width, 200);
        CRect client;
        selector->GetClientRect(&client);
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            const CRect rect = selector->GetButtonRect(buttons[i]);
            EXPECT_LE(rect.right, client.right) << width << " " << buttons[i];
            if (i > 0) {
                EXPECT_GE(rect.left, selector->GetButtonRect(buttons[i - 1]).right + 3) << width;
            }
            const int shown = selector->GetLabelRect(buttons[i]).Width();
            const CString tip = SimulateHoverTip(*selector, rect.CenterPoint());
            EXPECT_EQ(tip, shown < whole[buttons[i]] ? selector->GetButtonText(buttons[i]) : CString())
                << width << " " << buttons[i];
        }
        if (width > natural) {
            EXPECT_EQ(selector->GetLabelRect(33077).Width(), whole[33077]);
        }
        // "Demand", the shortest, stays whole while "Fundamental Power", the longest, is shortened.
        if (width == natural - 60) {
            EXPECT_EQ(selector->GetLabelRect(33075).Width(), whole[33075]);
            EXPECT_LT(selector->GetLabelRect(33077).Width(), whole[33077]);
        }
    }
    frame->MoveWindow(0, 0, 900, 200);
    for (UINT command : buttons)
        EXPECT_EQ(selector->GetLabelRect(command).Width(), whole[command]) << command;
}

TEST_F(ViewFrameworkTest, ButtonFlagsAreExclusiveOnRequestAndStateBitsSeparate)
{
    CMySplitterWnd* splitter = MakeSections();
    CMyToolBar* selector = Section(splitter, 0)->GetMyToolBar(0);
    selector->SetButtonFlag(33075, 1, false);
    selector->SetButtonFlag(33076, 1, false);
    EXPECT_EQ(selector->GetButtonFlag(33075), 1);
    selector->SetButtonFlag(33078, 1, true);
    EXPECT_EQ(selector->GetButtonFlag(33075), 0);
    EXPECT_EQ(selector->GetButtonFlag(33076), 0);
    EXPECT_EQ(selector->GetButtonFlag(33078), 1);
    selector->SetButtonFlag(40000, 1, true); // not on the toolbar: nothing changes
    EXPECT_EQ(selector->GetButtonFlag(33078), 1);
    selector->SetButtonStateBits(33074, CMyToolBar::kPressedBit);
    EXPECT_EQ(selector->GetButtonStateBits(33074), CMyToolBar::kPressedBit);
    EXPECT_EQ(selector->GetButtonFlag(33074), 0);
}

TEST_F(ViewFrameworkTest, TheTitleFieldShowsItsPromptUntilTheUserTypes)
{
    CMySplitterWnd* splitter = MakeSections();
    CMyToolBar* graph = Section(splitter, 1)->GetMyToolBar(0);
    ASSERT_NE(graph->GetTitleEdit(), nullptr);
    EXPECT_EQ(graph->GetTitleEdit()->GetDlgCtrlID(), CMyToolBar::kTitleEditId);
    EXPECT_TRUE(graph->IsPromptShown());
    EXPECT_EQ(graph->GetUserEditText(), CString());
    graph->SetEditText("");
    EXPECT_TRUE(graph->IsPromptShown());
    graph->SetEditText("Monday peak");
    EXPECT_EQ(graph->GetUserEditText(), CString("Monday peak"));
    // Three section toolbars with a title field each.
    EXPECT_EQ(CMyToolBar::GetEditFieldCount(), 3);
    splitter->DestroyWindow();
    EXPECT_EQ(CMyToolBar::GetEditFieldCount(), 0);
}

TEST_F(ViewFrameworkTest, AButtonClickReachesTheFramesViewAndTheDataButtonsDoNothing)
{
    CMessageBoxRecorder boxes;
    CMySplitterWnd* splitter = MakeSections();
    CMyToolBar* graph = Section(splitter, 1)->GetMyToolBar(0);
    const CPoint copy = graph->GetButtonRect(33054).CenterPoint();
    graph->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(copy.x, copy.y));
    graph->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(copy.x, copy.y));
    // The view hears the button, besides the title field's own notifications.
    auto& commands = CRecordingView::commands;
    commands.erase(std::remove(commands.begin(), commands.end(), UINT(CMyToolBar::kTitleEditId)), commands.end());
    EXPECT_EQ(commands, std::vector<UINT>{33054});

    auto* view = dynamic_cast<CMyFormView*>(Section(splitter, 1)->GetView());
    EXPECT_TRUE(view->OnCommand(33052, 0));
    EXPECT_TRUE(view->OnCommand(33053, 0));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ViewFrameworkTest, CollapsedSectionsKeepTheirToolbarsAndFullWindowTakesAll)
{
    CMySplitterWnd* splitter = MakeSections();
    CRect client;
    splitter->GetClientRect(&client);
    // Overview (selector + toolbar) and time range collapsed; the graph gets the rest.
    EXPECT_EQ(Height(Section(splitter, 0)), 2 * CMyToolBar::kHeight);
    EXPECT_EQ(Height(Section(splitter, 2)), CMyToolBar::kHeight);
    EXPECT_EQ(Height(Section(splitter, 1)), client.Height() - 3 * CMyToolBar::kHeight);
    EXPECT_EQ(splitter->GetColumnWidth(0), client.Width());

    Section(splitter, 2)->ToggleSection(1); // expand the time range
    EXPECT_FALSE(Section(splitter, 2)->IsSectionCollapsed());
    const int shared = client.Height() - 2 * CMyToolBar::kHeight;
    EXPECT_EQ(Height(Section(splitter, 1)) + Height(Section(splitter, 2)), shared);
    EXPECT_LE(std::abs(Height(Section(splitter, 1)) - Height(Section(splitter, 2))), 1);
    Section(splitter, 2)->ToggleSection(0); // the toolbar's message toggles as well
    EXPECT_TRUE(Section(splitter, 2)->IsSectionCollapsed());
    EXPECT_EQ(Height(Section(splitter, 2)), CMyToolBar::kHeight);
    Section(splitter, 2)->ToggleSection(1);
    EXPECT_FALSE(Section(splitter, 2)->IsSectionCollapsed());

    EXPECT_TRUE(splitter->ToggleFullWindow(Section(splitter, 2)->GetView(), 2));
    EXPECT_TRUE(splitter->IsFullWindow());
    EXPECT_EQ(splitter->GetMode(), 2);
    EXPECT_EQ(Height(Section(splitter, 2)), client.Height());
    EXPECT_EQ(Height(Section(splitter, 0)), 0);
    EXPECT_FALSE(splitter->ToggleFullWindow(Section(splitter, 2)->GetView(), 0));
    EXPECT_EQ(Height(Section(splitter, 0)), 2 * CMyToolBar::kHeight);

    splitter->ShowThirdSection(false);
    EXPECT_EQ(Height(Section(splitter, 2)), 0);
    splitter->RestoreAllSections();
    EXPECT_GT(Height(Section(splitter, 2)), 0);
}

TEST_F(ViewFrameworkTest, ThePlainSplitterKeepsItsColumnsAndDragsTheDivider)
{
    auto* splitter = new CMySplitterWnd;
    ASSERT_TRUE(splitter->CreateStatic(&m_window, 1, 2));
    ASSERT_TRUE(splitter->CreatePane(0, 0, RecordingFrameClass(), CSize(200, 0), SViewCreateContext()));
    ASSERT_TRUE(splitter->CreatePane(0, 1, RecordingFrameClass(), CSize(0, 0), SViewCreateContext()));
    splitter->RecalcSections();
    EXPECT_EQ(splitter->GetColumnWidth(0), 800); // a section splitter stretches its first column
    splitter->SetPlainSplitter(1);
    splitter->SetColumnInfo(0, 300, 50);
    splitter->RecalcSections();
    EXPECT_EQ(splitter->GetColumnWidth(0), 300);
    splitter->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(301, 100));
    splitter->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(420, 100));
    splitter->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(420, 100));
    EXPECT_EQ(splitter->GetColumnWidth(0), 420);
    CRect right;
    splitter->GetPane(0, 1)->GetWindowRect(&right);
    splitter->ScreenToClient(&right);
    EXPECT_EQ(right.left, 420 + CMySplitterWnd::kDividerWidth);
}

TEST_F(ViewFrameworkTest, ATileDragReportsEveryMoveAndTheDropToTheSourcesView)
{
    CMySplitterWnd* splitter = MakeSections();
    CWnd* view = Section(splitter, 1)->GetView();
    CWnd tile;
    ASSERT_TRUE(tile.CreateEx(0, nullptr, "tile", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 40), view, 7));
    CRect source;
    tile.GetWindowRect(&source);
    splitter->BeginDragImage(source, &tile);
    EXPECT_TRUE(splitter->IsDragging());
    splitter->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 200));
    splitter->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(310, 210));
    CPoint inside = source.CenterPoint();
    splitter->ScreenToClient(&inside);
    splitter->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_FALSE(splitter->IsDragging());

    const auto& drags = CRecordingView::drags;
    ASSERT_EQ(drags.size(), 3u);
    CPoint screen(300, 200);
    splitter->ClientToScreen(&screen);
    EXPECT_EQ(drags[0].screenPoint, screen);
    EXPECT_FALSE(drags[0].dropped);
    EXPECT_EQ(drags[0].source, &tile);
    EXPECT_FALSE(drags[1].dropped);
    EXPECT_TRUE(drags[2].dropped);
    EXPECT_TRUE(drags[2].releasedInsideSource);
    EXPECT_EQ(drags[2].screenPoint, source.CenterPoint());
}

TEST_F(ViewFrameworkTest, TheDraggedTilesPictureFollowsTheMouseUntilTheDrop)
{
    CMySplitterWnd* splitter = MakeSections();
    CWnd* view = Section(splitter, 1)->GetView();
    CTwoColourTile tile;
    ASSERT_TRUE(tile.CreateEx(0, nullptr, "tile", WS_CHILD | WS_VISIBLE, CRect(10, 10, 70, 40), view, 7));
    CRect source;
    tile.GetWindowRect(&source);
    // Pressed 5 px into the tile's left half: that point of the picture stays under the mouse.
    SimulateMouse(tile, WM_LBUTTONDOWN, CPoint(5, 5));
    splitter->BeginDragImage(source, &tile);
    CPoint mouse(300, 200);
    splitter->ClientToScreen(&mouse);
    CPoint client(300, 200);
    SimulateMouse(*splitter, WM_MOUSEMOVE, client, MK_LBUTTON);
    EXPECT_EQ(GetShownDragImagePixel(mouse), CTwoColourTile::kLeft);
    EXPECT_EQ(GetShownDragImagePixel(mouse + CSize(-5, -5)), CTwoColourTile::kLeft); // the tile's corner
    EXPECT_EQ(GetShownDragImagePixel(mouse + CSize(50, 20)), CTwoColourTile::kRight);
    EXPECT_EQ(GetShownDragImagePixel(mouse + CSize(-6, 0)), CLR_INVALID);   // left of the picture
    EXPECT_EQ(GetShownDragImagePixel(mouse + CSize(55, 0)), CLR_INVALID);   // right of it
    EXPECT_EQ(GetShownDragImagePixel(source.TopLeft()), CLR_INVALID);       // it left its place
    if (const char* dir = std::getenv("ORN_RENDER_DIR"))
        SaveWindowPicture(m_window, CString(dir) + "/tile_drag.png");

    // It moves with the mouse and is gone after the drop.
    SimulateMouse(*splitter, WM_MOUSEMOVE, CPoint(400, 100), MK_LBUTTON);
    CPoint moved(400, 100);
    splitter->ClientToScreen(&moved);
    EXPECT_EQ(GetShownDragImagePixel(mouse), CLR_INVALID);
    EXPECT_EQ(GetShownDragImagePixel(moved + CSize(40, 0)), CTwoColourTile::kRight);
    SimulateMouse(*splitter, WM_LBUTTONUP, CPoint(400, 100));
    EXPECT_FALSE(splitter->IsDragging());
    EXPECT_EQ(GetShownDragImagePixel(moved), CLR_INVALID);
    ASSERT_EQ(CRecordingView::drags.size(), 3u);
    EXPECT_TRUE(CRecordingView::drags.back().dropped);
    EXPECT_FALSE(CRecordingView::drags.back().releasedInsideSource);

    // A splitter destroyed in the middle of a drag takes the picture with it.
    SimulateMouse(tile, WM_LBUTTONDOWN, CPoint(5, 5));
    splitter->BeginDragImage(source, &tile);
    SimulateMouse(*splitter, WM_MOUSEMOVE, client, MK_LBUTTON);
    EXPECT_EQ(GetShownDragImagePixel(mouse), CTwoColourTile::kLeft);
    tile.DestroyWindow();
    splitter->DestroyWindow();
    EXPECT_EQ(GetShownDragImagePixel(mouse), CLR_INVALID);
}

TEST_F(ViewFrameworkTest, HoveringAToolbarButtonShowsItsTip)
{
    CMySplitterWnd* splitter = MakeSections();
    CMyToolBar* graph = Section(splitter, 1)->GetMyToolBar(0);
    EXPECT_EQ(SimulateHoverTip(*graph, graph->GetButtonRect(33049).CenterPoint()), CString("Zoom in"));
    EXPECT_EQ(SimulateHoverTip(*graph, graph->GetButtonRect(33047).CenterPoint()),
              CString("Collapse or expand this section"));
    // The title field's tip shows over the edit field and follows the splitter's mode.
    const CPoint title = graph->GetButtonRect(33070).CenterPoint();
    EXPECT_EQ(SimulateHoverTip(*graph, title), CString("Type a bookmark name here"));
    splitter->SetMode(1);
    EXPECT_EQ(SimulateHoverTip(*graph, title), CString("Type a name for the report item here"));
    // Where no button is (past the last one) no tip shows; a selector's buttons have none.
    CRect client;
    graph->GetClientRect(&client);
    EXPECT_EQ(SimulateHoverTip(*graph, CPoint(client.right - 2, 10)), CString());
    CMyToolBar* selector = Section(splitter, 0)->GetMyToolBar(0);
    EXPECT_EQ(SimulateHoverTip(*selector, selector->GetButtonRect(33075).CenterPoint()), CString());
}

TEST_F(ViewFrameworkTest, TheFrameLaysOutToolbarsBarAndView)
{
    auto* frame = new CSplitFrame(&CRecordingView::Class());
    ASSERT_TRUE(frame->CreateFrame(&m_window, CRect(0, 0, 700, 400), 1, SViewCreateContext()));
    EXPECT_EQ(frame->GetView()->GetDlgCtrlID(), int(CSplitFrame::kFirstPaneId));
    AddGraphSectionToolBar(*frame, 10089, false);
    ASSERT_TRUE(frame->AddDialogBar(std::make_unique<CMyDialogBar>(), 30043));
    EXPECT_FALSE(frame->AddDialogBar(std::make_unique<CMyDialogBar>(), 39999)); // no template
    ASSERT_NE(frame->GetDialogBar(), nullptr);
    EXPECT_EQ(frame->GetDialogBar()->GetTemplateId(), 30043u);
    CRect bar;
    CRect view;
    frame->GetDialogBar()->GetWindowRect(&bar);
    frame->GetView()->GetWindowRect(&view);
    frame->ScreenToClient(&bar);
    frame->ScreenToClient(&view);
    EXPECT_EQ(bar.top, CMyToolBar::kHeight);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(view.left, bar.right);
    EXPECT_EQ(view.top, CMyToolBar::kHeight);
    EXPECT_EQ(view.right, 700);
    EXPECT_EQ(view.bottom, 400);
}

TEST_F(ViewFrameworkTest, TheFrameworkTreeKeepsIdsUniqueAndRemovesWithoutDestroying)
{
    const SViewCreateContext context;
    auto root = std::make_unique<TVisualObject>(1, CString(), context, TTabWnd::Class());
    TVisualObject* rootObject = root.get();
    EXPECT_EQ(rootObject->GetKind(), TVisualObject::kTabWindow);
    ASSERT_TRUE(m_framework.AddRootObject(std::move(root)));
    EXPECT_FALSE(m_framework.AddRootObject(std::make_unique<TVisualObject>(1, CString(), context, TTabWnd::Class())));
    auto first = std::make_unique<TVisualObject>(2, "First", context, RecordingFrameClass());
    EXPECT_EQ(first->GetKind(), TVisualObject::kWindow);
    TVisualObject* firstObject = first.get();
    ASSERT_TRUE(m_framework.AddObject(rootObject, std::move(first)));
    ASSERT_TRUE(m_framework.AddObject(rootObject, std::make_unique<TVisualObject>(5, "Third", 1, 1, context)));
    ASSERT_TRUE(m_framework.InsertObject(rootObject, std::make_unique<TVisualObject>(3, "Second", context,
                                                                                      RecordingFrameClass()), 1));
    EXPECT_FALSE(m_framework.AddObject(rootObject, std::make_unique<TVisualObject>(2, "Again", context,
                                                                                    RecordingFrameClass())));
    EXPECT_EQ(m_framework.GetUnusedId(), 6u);
    EXPECT_EQ(m_framework.FindObject(3)->GetTitle(), CString("Second"));
    EXPECT_EQ(m_framework.FindObject(4), nullptr);

    ASSERT_TRUE(m_framework.Create(&m_window));
    auto* tabs = dynamic_cast<TTabWnd*>(rootObject->GetWnd());
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->GetTabCount(), 3);
    EXPECT_EQ(tabs->GetTabTitle(1), CString("Second"));
    EXPECT_EQ(tabs->GetActiveTab(), 0);

    EXPECT_TRUE(m_framework.EnableTab(m_framework.FindObject(3), false));
    EXPECT_FALSE(m_framework.EnableTab(firstObject, false)); // the selected tab
    EXPECT_TRUE(tabs->IsTabEnabled(0));
    EXPECT_TRUE(m_framework.SelectTab(m_framework.FindObject(5)));
    EXPECT_EQ(tabs->GetActiveTab(), 2);

    // Removing the object leaves its window; destroying the window takes its tab along.
    CWnd* window = firstObject->GetWnd();
    ASSERT_TRUE(m_framework.RemoveObject(firstObject));
    EXPECT_EQ(m_framework.FindObject(2), nullptr);
    EXPECT_NE(window->GetSafeHwnd(), nullptr);
    EXPECT_FALSE(m_framework.RemoveObject(m_framework.FindObject(2)));
    window->DestroyWindow();
    tabs->RemoveTab(window);
    EXPECT_EQ(tabs->GetTabCount(), 2);

    m_framework.DestroyObjectWindows(m_framework.FindObject(5));
    EXPECT_EQ(tabs->GetTabCount(), 1);
    m_framework.Destroy();
    EXPECT_EQ(m_framework.FindObject(1), nullptr);
    EXPECT_EQ(m_framework.GetUnusedId(), 1u);
}

TEST_F(ViewFrameworkTest, ClicksOnTheStudyTabsAskTheMainWindowFirst)
{
    struct CMainRecorder : CWnd
    {
        std::vector<std::pair<WPARAM, LPARAM>> requests;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == TTabWnd::WM_SHOW_STUDY_VIEW)
                requests.emplace_back(wParam, lParam);
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    SetMainWindow(&main);
    auto* tabs = new TTabWnd;
    ASSERT_TRUE(tabs->CreateTabWnd(&m_window, CRect(0, 0, 800, 600), 1));
    std::vector<CWnd*> pages;
    for (const char* title : {"Project Manager", "Energy Study", "Load Study", "Advanced"}) {
        auto* page = new CSplitFrame(&CRecordingView::Class());
        ASSERT_TRUE(page->CreateFrame(tabs, tabs->GetPageRect(), 0, SViewCreateContext()));
        tabs->InsertTab(-1, page, title);
        pages.push_back(page);
    }
    tabs->EnableTab(3, false);
    const auto click = [&](int index) {
        const CPoint at = tabs->GetTabRect(index).CenterPoint();
        tabs->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        CFrameworkApp::PumpWaitingMessages();
    };
    click(1);
    EXPECT_EQ(tabs->GetActiveTab(), 1);
    click(2);
    click(0);
    click(3); // disabled: nothing
    EXPECT_EQ(tabs->GetActiveTab(), 0);
    const std::vector<std::pair<WPARAM, LPARAM>> expected{{0, 1}, {0, 2}};
    EXPECT_EQ(main.requests, expected);
    EXPECT_TRUE(pages[0]->IsWindowVisible());
    EXPECT_FALSE(pages[1]->IsWindowVisible());
    SetMainWindow(nullptr);
    main.DestroyWindow();
}

TEST_F(ViewFrameworkTest, AFlatBitmapButtonShowsItsFaceThroughTheMagentaPixels)
{
    CButtonST button;
    ASSERT_TRUE(button.Create("", WS_VISIBLE, CRect(10, 10, 50, 50), &m_window, 3));
    EXPECT_FALSE(button.SetupBitmapButton(39999, RGB(1, 2, 3), RGB(4, 5, 6), TRUE));
    ASSERT_TRUE(button.SetupBitmapButton(1575, RGB(250, 240, 200), RGB(200, 220, 250), TRUE));
    const auto pixelAt = [&](int x, int y) {
        CClientDC screen(&button);
        CDC memory;
        memory.CreateCompatibleDC(&screen);
        CBitmap picture;
        picture.CreateCompatibleBitmap(&screen, 40, 40);
        CBitmap* old = memory.SelectObject(&picture);
        button.PrintWindow(&memory);
        const COLORREF colour = memory.GetPixel(x, y);
        memory.SelectObject(old);
        return colour;
    };
    // The 32 x 16 strip sits in the middle: (4, 12) is its magenta corner, (6, 14) its frame.
    EXPECT_EQ(pixelAt(4, 12), RGB(250, 240, 200));
    EXPECT_EQ(pixelAt(6, 14), RGB(40, 52, 70));
    EXPECT_EQ(pixelAt(1, 1), RGB(250, 240, 200));
    button.SetFlatColors(RGB(0, 128, 0), RGB(0, 0, 128));
    EXPECT_EQ(pixelAt(4, 12), RGB(0, 128, 0));
    EXPECT_EQ(button.GetFaceColor(), RGB(0, 128, 0));
}

TEST_F(ViewFrameworkTest, AFormViewsScrollRangeIsTheUnionOfItsChildren)
{
    auto* view = new CMyFormView;
    ASSERT_TRUE(view->CreateView(&m_window, 1, nullptr));
    view->MoveWindow(0, 0, 200, 100);
    CWnd first;
    CWnd second;
    ASSERT_TRUE(first.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 60), view, 2));
    ASSERT_TRUE(second.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(100, 200, 320, 260), view, 3));
    view->UpdateScrollSizes();
    EXPECT_EQ(view->GetScrollSizes(), CSize(320, 260));
    view->OnInitialUpdate();
    EXPECT_EQ(view->GetContentRect(), CRect());  // no template controls
    view->DestroyWindow();
}

TEST_F(ViewFrameworkTest, AFormViewScrollsItsChildrenWithinItsRange)
{
    auto* view = new CMyFormView;
    ASSERT_TRUE(view->CreateView(&m_window, 1, nullptr));
    view->MoveWindow(0, 0, 200, 100);
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 260), view, 2));
    const auto childRect = [&] {
        CRect rect;
        child.GetWindowRect(&rect);
        view->ScreenToClient(&rect);
        return rect;
    };
    view->UpdateScrollSizes();
    EXPECT_TRUE(view->GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(view->GetStyle() & WS_HSCROLL);
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(client.Height(), 100);

    view->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 160));
    EXPECT_EQ(childRect().top, -160);
    view->SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(childRect().top, -144);
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(childRect().top, -160) << "never past the end";

    // The content shrinks below the client height: the bar goes and the child comes back.
    child.MoveWindow(0, -160, 150, 50);
    view->UpdateScrollSizes();
    EXPECT_EQ(view->GetScrollSizes(), CSize(150, 50));
    EXPECT_FALSE(view->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(childRect().top, 0);
    view->DestroyWindow();
}

TEST_F(ViewFrameworkTest, AViewSizedToItsContentIsLaidOutAgainByItsFrame)
{
    auto* frame = new CSplitFrame(&CRecordingView::Class());
    ASSERT_TRUE(frame->CreateFrame(&m_window, CRect(0, 0, 600, 300), 1, SViewCreateContext()));
    auto* view = dynamic_cast<CMyFormView*>(frame->GetView());
    ASSERT_NE(view, nullptr);
    view->ResizeViewAndRecalcFrame(CRect(0, 0, 50, 40));
    CRect frameClient;
    frame->GetClientRect(&frameClient);
    CRect viewRect;
    view->GetWindowRect(&viewRect);
    EXPECT_EQ(viewRect.Size(), frameClient.Size());
    EXPECT_EQ(view->GetScrollSizes(), CSize(0, 0));

    // Outside a frame the view keeps the content's right and bottom as its size, where it stands.
    auto* lone = new CMyFormView;
    ASSERT_TRUE(lone->CreateView(&m_window, 2, nullptr));
    lone->MoveWindow(5, 5, 200, 100);
    lone->ResizeViewAndRecalcFrame(CRect(10, 10, 50, 40));
    CRect loneRect;
    lone->GetWindowRect(&loneRect);
    m_window.ScreenToClient(&loneRect);
    EXPECT_EQ(loneRect, CRect(5, 5, 55, 45));
    // The scroll sizes of the content that follows take the bars back.
    lone->UpdateScrollSizes();
    EXPECT_FALSE(lone->GetStyle() & (WS_HSCROLL | WS_VSCROLL));
    lone->DestroyWindow();
}

namespace {

class CSettingsView : public CRecordFormView
{
public:
    CSettingsView() : CRecordFormView(2), m_settings(2) {}
    int layouts = 0;
    void RecalcLayout() override { ++layouts; }

protected:
    const CViewSettings* GetViewSettings() const override { return &m_settings; }

private:
    CBasicViewSettings m_settings;
};

} // namespace

TEST_F(ViewFrameworkTest, ARecordViewKeepsItsSettingsInTheProjectAndLaysOutOnceReady)
{
    CProjectSettings project;
    CSettingsView view;
    view.m_bAutoDelete = false;
    EXPECT_EQ(view.GetTemplateId(), CRecordFormView::kTemplateId);
    EXPECT_EQ(view.GetSettingsKind(), 2);
    ASSERT_TRUE(view.CreateView(&m_window, 1, nullptr));
    view.MoveWindow(0, 0, 300, 200);
    EXPECT_EQ(view.layouts, 0);
    view.SetReady(true);
    view.MoveWindow(0, 0, 310, 200);
    EXPECT_EQ(view.layouts, 1);
    view.MoveWindow(0, 0, 0, 200);
    EXPECT_EQ(view.layouts, 1);
    EXPECT_EQ(project.GetViewSettings(2), nullptr);
    view.SaveViewSettings(&project);
    ASSERT_NE(project.GetViewSettings(2), nullptr);
    view.DestroyWindow();
}

namespace {

// A record view with a chart child, as the graph views have.
class CChartRecordView : public CRecordFormView
{
public:
    CChartRecordView() : CRecordFormView(3) {}
    CiPlotX chart;
    std::vector<int> manualAxes;
    using CRecordFormView::OnPlotChannelPointEvent;
    using CRecordFormView::OnPlotYAxisUserChange;

protected:
    CiPlotX* GetPlot() override { return &chart; }
    void ClearYAxisAutoFlag(int axis) override { manualAxes.push_back(axis); }
};

} // namespace

TEST_F(ViewFrameworkTest, ARecordViewAnswersChartPointClicksAndUserYAxisChanges)
{
    CChartRecordView view;
    view.m_bAutoDelete = false;
    ASSERT_TRUE(view.CreateView(&m_window, 1, nullptr));
    view.MoveWindow(0, 0, 300, 200);
    ASSERT_TRUE(view.chart.Create(CRect(0, 0, 280, 180), &view, 100));
    view.chart.AddXAxis("x");
    view.chart.AddYAxis("y0");
    view.chart.AddYAxis("y1");
    view.chart.AddChannel("c", "x", "y0");
    view.chart.GetChannel(0)->AddXY(1.0, 2.0f);

    // A click on a channel's point draws the chart again; a click beside every channel does not.
    int renders = view.chart.GetRenderCount();
    view.OnPlotChannelPointEvent(0, 0);
    EXPECT_EQ(view.chart.GetRenderCount(), renders + 1);
    renders = view.chart.GetRenderCount();
    view.OnPlotChannelPointEvent(5, 0);
    view.OnPlotChannelPointEvent(0, -1);
    EXPECT_EQ(view.chart.GetRenderCount(), renders);

    // Without the focus the change is the view's own: the axis stays automatic.
    view.OnPlotYAxisUserChange(1, 0.0, 10.0, 2.0, 5.0);
    EXPECT_TRUE(view.manualAxes.empty());

    view.chart.SetFocus();
    ASSERT_EQ(CWnd::GetFocus(), &view.chart);
    view.OnPlotYAxisUserChange(1, 0.0, 10.0, 0.0, 10.0); // nothing moved
    view.OnPlotYAxisUserChange(7, 0.0, 10.0, 2.0, 5.0);  // no such axis
    EXPECT_TRUE(view.manualAxes.empty());
    view.OnPlotYAxisUserChange(1, 0.0, 10.0, 2.0, 5.0);
    EXPECT_EQ(view.manualAxes, std::vector<int>{1});
    view.DestroyWindow();
}

TEST_F(ViewFrameworkTest, ASectionCaptureWithoutADocumentKeepsNoBookmark)
{
    CMyFormView view;
    view.m_bAutoDelete = false;
    ASSERT_TRUE(view.CreateView(&m_window, 1, nullptr));
    view.MoveWindow(0, 0, 100, 80);
    EXPECT_FALSE(view.BeginSectionCapture(CRect(0, 0, 100, 80), "Section"));
    view.DestroyWindow();
}
