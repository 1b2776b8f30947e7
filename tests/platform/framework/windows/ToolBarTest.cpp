#include "WindowTestSupport.h"

#include "platform/framework/StringTable.h"
#include "platform/framework/windows/CDocument.h"
#include "platform/framework/windows/CEdit.h"
#include "platform/framework/windows/CFrameWnd.h"
#include "platform/framework/windows/CToolBar.h"
#include "platform/framework/windows/CView.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/WindowTesting.h"

#include <string>

namespace
{
constexpr UINT kTitleField = 33070;
constexpr UINT kZoomIn = 33048;  // the view handles it and shows it checked
constexpr UINT kZoomOut = 33049; // the document handles it
constexpr UINT kNoHandler = 33050;

std::vector<std::string> g_log;

class Document : public CDocument
{
public:
    Document()
    {
        MapCommand(kZoomIn, [] { g_log.push_back("document:zoom-in"); });
        MapCommand(kZoomOut, [] { g_log.push_back("document:zoom-out"); });
    }
};

class View : public CView
{
    DECLARE_DYNCREATE(View)
public:
    View()
    {
        MapCommand(kZoomIn, [] { g_log.push_back("view:zoom-in"); });
        MapUpdateCommandUI(kZoomIn, [](CCmdUI* ui) { ui->SetCheck(1); });
    }
};
IMPLEMENT_DYNCREATE(View, CView)

// Records the edit field's notifications that reach the frame.
class Frame : public CFrameWnd
{
public:
    std::vector<std::pair<UINT, UINT>> notifications;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) != BN_CLICKED) notifications.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
};

class ToolBarTest : public WindowTest
{
protected:
    void SetUp() override
    {
        g_log.clear();
        context.m_pNewViewClass = RUNTIME_CLASS(View);
        context.m_pCurrentDoc = &document;
        ASSERT_TRUE(frame.Create(nullptr, "Frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 700, 300), nullptr, nullptr, 0, &context));
        ASSERT_TRUE(sections.CreateEx(&frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS));
        ASSERT_TRUE(sections.LoadToolBar(1510));
        ASSERT_TRUE(second.CreateEx(&frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 2, 0, 2), AFX_IDW_TOOLBAR + 1));
        const UINT ids[] = {33084, ID_SEPARATOR, 33085};
        ASSERT_TRUE(second.SetButtons(ids, 3));
        second.SetButtonText(0, "Expand All");
        frame.InitialUpdateFrame(&document, TRUE);
        CFrameworkApp::PumpWaitingMessages();
    }
    CRect ItemRect(CToolBar& bar, UINT id) const
    {
        CRect r;
        bar.GetItemRect(bar.CommandToIndex(id), &r);
        return r;
    }
    void Click(CToolBar& bar, UINT id)
    {
        CRect r;
        bar.GetToolBarCtrl().GetItemRect(bar.CommandToIndex(id), &r);
        SimulateMouse(bar.GetToolBarCtrl(), WM_LBUTTONDOWN, r.CenterPoint());
        SimulateMouse(bar.GetToolBarCtrl(), WM_LBUTTONUP, r.CenterPoint());
        CFrameworkApp::PumpWaitingMessages();
    }

    Document document;
    CCreateContext context;
    Frame frame;
    CToolBar sections;
    CToolBar second;
};
} // namespace

TEST_F(ToolBarTest, ResourceButtonsStackedBarsAndAFieldAtACommandsPlace)
{
    ASSERT_EQ(sections.GetCount(), 10);
    EXPECT_EQ(sections.GetItemID(1), kTitleField);
    EXPECT_EQ(ItemRect(sections, 33047), CRect(0, 2, 23, 24));
    CRect bar;
    second.GetWindowRect(&bar);
    frame.ScreenToClient(&bar);
    EXPECT_EQ(bar.top, 26); // below the first toolbar: 22 px buttons and 2 px borders
    EXPECT_GT(ItemRect(second, 33084).Width(), 23); // the text widens its button

    // The title field takes 250 pixels at its command's place; the buttons after it move on.
    sections.SetButtonInfo(1, kTitleField, TBBS_SEPARATOR, 250);
    const CRect field = ItemRect(sections, kTitleField);
    EXPECT_EQ(field.Width(), 250);
    EXPECT_EQ(ItemRect(sections, kZoomIn).left, field.right);
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, field, &sections, 10002));
    edit.SetWindowText("Graph");
    // The field's notifications reach the frame through the bar.
    EXPECT_NE(std::find(frame.notifications.begin(), frame.notifications.end(), std::make_pair(10002u, UINT(EN_CHANGE))),
              frame.notifications.end());

    // Hidden buttons take no room.
    const int before = ItemRect(sections, 33054).left;
    sections.GetToolBarCtrl().HideButton(33052);
    sections.GetToolBarCtrl().HideButton(33053);
    EXPECT_TRUE(ItemRect(sections, 33052).IsRectEmpty());
    EXPECT_EQ(ItemRect(sections, 33054).left, before - 46);
    EXPECT_TRUE(sections.GetButtonStyle(sections.CommandToIndex(33052)) & TBBS_HIDDEN);
}

TEST_F(ToolBarTest, ButtonClicksAreRoutedAndTheUpdatePassSetsTheirStates)
{
    CToolBarCtrl& ctrl = sections.GetToolBarCtrl();
    EXPECT_TRUE(ctrl.IsButtonChecked(kZoomIn));
    EXPECT_TRUE(ctrl.IsButtonEnabled(kZoomOut));
    EXPECT_FALSE(ctrl.IsButtonEnabled(kNoHandler));
    EXPECT_TRUE(sections.GetButtonStyle(sections.CommandToIndex(kNoHandler)) & TBBS_DISABLED);

    Click(sections, kZoomIn);
    Click(sections, kZoomOut);
    Click(sections, kNoHandler); // disabled: nothing happens
    EXPECT_EQ(g_log, (std::vector<std::string>{"view:zoom-in", "document:zoom-out"}));

    // The document is reached through the active view: without one its commands are disabled.
    frame.SetActiveView(nullptr);
    EXPECT_FALSE(ctrl.IsButtonEnabled(kZoomOut));
    Click(sections, kZoomOut);
    EXPECT_EQ(g_log.size(), 2u);
}

TEST_F(ToolBarTest, CheckButtonsToggleAndGroupsKeepOneChecked)
{
    CToolBarCtrl& ctrl = second.GetToolBarCtrl();
    ctrl.SetButtonInfo(0, 33084, TBSTYLE_CHECKGROUP, 0);
    ctrl.SetButtonInfo(2, 33085, TBSTYLE_CHECKGROUP, 1);
    ctrl.SetButtonInfo(1, 33086, TBSTYLE_CHECKGROUP, 2); // the separator becomes a group member
    ctrl.EnableButton(33084);
    ctrl.EnableButton(33085);
    ctrl.EnableButton(33086);
    ctrl.CheckButton(33084);
    CRect r;
    ctrl.GetItemRect(2, &r);
    SendMouse(ctrl, QEvent::MouseButtonPress, QPoint(r.CenterPoint().x, r.CenterPoint().y));
    SendMouse(ctrl, QEvent::MouseButtonRelease, QPoint(r.CenterPoint().x, r.CenterPoint().y), Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(ctrl.IsButtonChecked(33085));
    EXPECT_FALSE(ctrl.IsButtonChecked(33084));
    // A press released outside the button is no click.
    ctrl.GetItemRect(0, &r);
    SendMouse(ctrl, QEvent::MouseButtonPress, QPoint(r.CenterPoint().x, r.CenterPoint().y));
    SendMouse(ctrl, QEvent::MouseButtonRelease, QPoint(r.right + 200, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(ctrl.IsButtonChecked(33084));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(ToolBarTest, TipsComeFromTheButtonOrTheStringTable)
{
    CToolBarCtrl& ctrl = sections.GetToolBarCtrl();
    ctrl.SetButtonToolTip(kZoomIn, "Zoom in");
    EXPECT_EQ(ctrl.GetToolTipTextAt(CPoint(ItemRect(sections, kZoomIn).CenterPoint().x, 10)), CString("Zoom in"));
    // Without a tip of its own, the frame answers with the part after the newline of the
    // command's string.
    CStringTable::Instance().Set(990001, "Prompt in the status bar\nShort tip");
    sections.SetButtonInfo(0, 990001, TBBS_BUTTON, 0);
    EXPECT_EQ(ctrl.GetToolTipTextAt(CPoint(10, 10)), CString("Short tip"));
    EXPECT_EQ(ctrl.GetToolTipTextAt(CPoint(690, 10)), CString());
}

TEST_F(ToolBarTest, AButtonUnderTheMouseIsLitUntilTheMouseLeaves)
{
    CToolBarCtrl& ctrl = sections.GetToolBarCtrl();
    CRect r;
    ctrl.GetItemRect(ctrl.CommandToIndex(kZoomOut), &r);
    const CPoint edge(r.left, r.top + 5);
    EXPECT_EQ(GetShownPixel(ctrl, edge), GetSysColor(COLOR_BTNFACE));
    SimulateMouse(ctrl, WM_MOUSEMOVE, r.CenterPoint());
    EXPECT_EQ(GetShownPixel(ctrl, edge), GetSysColor(COLOR_BTNHIGHLIGHT));
    SimulateMouse(frame, WM_MOUSEMOVE, CPoint(350, 200)); // over the view
    CFrameworkApp::RunFor(250);
    EXPECT_EQ(GetShownPixel(ctrl, edge), GetSysColor(COLOR_BTNFACE));
}
