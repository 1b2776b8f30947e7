#include "WindowTestSupport.h"

#include "platform/framework/windows/CControlBar.h"
#include "platform/framework/windows/CDocument.h"
#include "platform/framework/windows/CFrameWnd.h"
#include "platform/framework/windows/CMDIFrameWnd.h"
#include "platform/framework/windows/CView.h"
#include "platform/framework/windows/CWinApp.h"

#include <map>
#include <string>

namespace
{
constexpr UINT kViewCommand = 33001;
constexpr UINT kDocumentCommand = 33002;
constexpr UINT kAppCommand = 33003;
constexpr UINT kUnhandled = 33004;
constexpr UINT kChecked = 33005;

std::vector<std::string> g_log;

class LogDocument : public CDocument
{
public:
    LogDocument()
    {
        MapCommand(kViewCommand, [] { g_log.push_back("doc:view-command"); });
        MapCommand(kDocumentCommand, [] { g_log.push_back("doc:document-command"); });
    }
};

class LogView : public CView
{
    DECLARE_DYNCREATE(LogView)
public:
    LogView()
    {
        MapCommand(kViewCommand, [] { g_log.push_back("view:view-command"); });
        MapUpdateCommandUI(kChecked, [](CCmdUI* ui) { ui->SetCheck(1); });
    }
    void OnInitialUpdate() override
    {
        g_log.push_back("view:initial-update");
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView*, LPARAM hint, CObject*) override { g_log.push_back("view:update " + std::to_string(hint)); }
};
IMPLEMENT_DYNCREATE(LogView, CView)

class LogApp : public CWinApp
{
public:
    LogApp() { MapCommand(kAppCommand, [] { g_log.push_back("app:command"); }); }
};

// A bar of a fixed height whose update-UI pass records each command's state.
class StateBar : public CControlBar
{
public:
    StateBar(int height, DWORD align) { m_barHeight = height, m_dwStyle = align; }
    struct State
    {
        bool enabled = true;
        int check = 0;
    };
    std::map<UINT, State> states;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override
    {
        struct BarCmdUI : CCmdUI
        {
            State* state = nullptr;
            void Enable(BOOL on) override
            {
                CCmdUI::Enable(on);
                state->enabled = on;
            }
            void SetCheck(int check) override { state->check = check; }
        };
        for (UINT id : {kViewCommand, kDocumentCommand, kAppCommand, kUnhandled, kChecked})
        {
            BarCmdUI ui;
            ui.m_nID = id;
            ui.state = &states[id];
            ui.DoUpdate(target, disableIfNoHandler);
        }
    }
    BOOL Create(CWnd* parent, UINT id) { return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), parent, id); }
};

class FrameRoutingTest : public WindowTest
{
protected:
    void SetUp() override
    {
        g_log.clear();
        context.m_pNewViewClass = RUNTIME_CLASS(LogView);
        context.m_pCurrentDoc = &document;
        ASSERT_TRUE(frame.Create(nullptr, "Frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, nullptr, 0, &context));
        ASSERT_TRUE(top1.Create(&frame, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(top2.Create(&frame, AFX_IDW_TOOLBAR + 1));
        ASSERT_TRUE(bottom.Create(&frame, AFX_IDW_DIALOGBAR));
        frame.InitialUpdateFrame(&document, TRUE);
    }
    CView* View() const { return dynamic_cast<CView*>(frame.GetDlgItem(int(AFX_IDW_PANE_FIRST))); }
    static CRect Place(CWnd& w)
    {
        CRect r;
        w.GetWindowRect(&r);
        w.GetParent()->ScreenToClient(&r);
        return r;
    }

    LogApp app;
    LogDocument document;
    CCreateContext context;
    CFrameWnd frame;
    StateBar top1{24, CBRS_TOP};
    StateBar top2{30, CBRS_TOP};
    StateBar bottom{40, CBRS_BOTTOM};
};
} // namespace

TEST_F(FrameRoutingTest, BarsTakeTheirBandsAndTheViewTheRest)
{
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(View()->GetDocument(), &document);
    EXPECT_EQ(frame.GetActiveView(), View());
    EXPECT_EQ(Place(top1), CRect(0, 0, 400, 24));
    EXPECT_EQ(Place(top2), CRect(0, 24, 400, 54));
    EXPECT_EQ(Place(bottom), CRect(0, 260, 400, 300));
    EXPECT_EQ(Place(*View()), CRect(0, 54, 400, 260));

    frame.MoveWindow(0, 0, 500, 200);
    EXPECT_EQ(Place(bottom), CRect(0, 160, 500, 200));
    EXPECT_EQ(Place(*View()), CRect(0, 54, 500, 160));

    frame.ShowControlBar(&top2, FALSE);
    EXPECT_EQ(Place(*View()), CRect(0, 24, 500, 160));
    EXPECT_EQ(frame.GetControlBar(AFX_IDW_DIALOGBAR), &bottom);

    // Smaller than the bars: the view gets an empty rectangle, never a negative one.
    frame.MoveWindow(0, 0, 500, 30);
    EXPECT_EQ(Place(*View()).Height(), 0);
}

TEST_F(FrameRoutingTest, InitialUpdateAndDocumentUpdatesReachTheView)
{
    EXPECT_EQ(g_log, (std::vector<std::string>{"view:initial-update", "view:update 0"}));
    g_log.clear();
    document.UpdateAllViews(nullptr, 7);
    document.UpdateAllViews(View(), 8); // the sender is not told
    EXPECT_EQ(g_log, (std::vector<std::string>{"view:update 7"}));
}

TEST_F(FrameRoutingTest, CommandsGoToTheViewThenTheDocumentThenTheApplication)
{
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(kViewCommand, 0), LPARAM(top1.m_hWnd));
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(kDocumentCommand, 0), LPARAM(top1.m_hWnd));
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(kAppCommand, 0), 0);
    EXPECT_FALSE(frame.SendMessage(WM_COMMAND, MAKEWPARAM(kUnhandled, 0), 0));
    EXPECT_EQ(g_log, (std::vector<std::string>{"view:initial-update", "view:update 0", "view:view-command",
                                               "doc:document-command", "app:command"}));
}

TEST_F(FrameRoutingTest, UpdatePassDisablesCommandsWithoutHandlersAndSetsChecks)
{
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_TRUE(top1.states[kViewCommand].enabled);
    EXPECT_TRUE(top1.states[kDocumentCommand].enabled);
    EXPECT_TRUE(top1.states[kAppCommand].enabled);
    EXPECT_FALSE(top1.states[kUnhandled].enabled);
    EXPECT_EQ(top1.states[kChecked].check, 1);
    EXPECT_TRUE(bottom.states[kChecked].enabled); // an update handler leaves the enabling to it

    // Without an active view the view's and document's commands have no handler any more;
    // the pass runs by itself after the next command.
    frame.SetActiveView(nullptr);
    top1.states.clear();
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(kAppCommand, 0), 0);
    EXPECT_TRUE(top1.states.empty());
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_FALSE(top1.states[kViewCommand].enabled);
    EXPECT_FALSE(top1.states[kDocumentCommand].enabled);
    EXPECT_TRUE(top1.states[kAppCommand].enabled);
}

TEST_F(FrameRoutingTest, ViewsMadeFromTheirClassLeaveTheDocumentWhenDestroyed)
{
    CView* view = View();
    POSITION pos = document.GetFirstViewPosition();
    EXPECT_EQ(document.GetNextView(pos), view);
    EXPECT_EQ(pos, nullptr);
    frame.DestroyWindow(); // deletes the view
    EXPECT_EQ(document.GetFirstViewPosition(), nullptr);
    EXPECT_TRUE(LogView().IsKindOf(RUNTIME_CLASS(CView)));
    EXPECT_FALSE(frame.IsKindOf(RUNTIME_CLASS(CView)));
}

TEST_F(FrameRoutingTest, MdiChildFramesFillTheClientAreaAndTheActiveOneRoutesFirst)
{
    CMDIFrameWnd main;
    ASSERT_TRUE(main.Create(nullptr, "Main", WS_POPUP | WS_VISIBLE, CRect(0, 0, 600, 400)));
    StateBar bar(20, CBRS_TOP);
    ASSERT_TRUE(bar.Create(&main, AFX_IDW_TOOLBAR));
    main.RecalcLayout();
    auto* child = new CMDIChildWnd; // deletes itself with its window
    child->m_bAutoDelete = TRUE;
    ASSERT_TRUE(child->Create(nullptr, "Project", WS_VISIBLE, CRect(), &main, &context));
    child->InitialUpdateFrame(&document, TRUE);
    EXPECT_EQ(main.MDIGetActive(), child);
    EXPECT_EQ(Place(*child), CRect(0, 20, 600, 400));
    main.MoveWindow(0, 0, 300, 200);
    EXPECT_EQ(Place(*child), CRect(0, 20, 300, 200));
    g_log.clear();
    main.SendMessage(WM_COMMAND, MAKEWPARAM(kViewCommand, 0), 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"view:view-command"}));
    EXPECT_NE(main.GetActiveDocument(), nullptr);
    child->DestroyWindow();
    EXPECT_EQ(main.MDIGetActive(), nullptr);
}

namespace
{
// An edit that handles its own change notification (reflected from its parent).
class SelfCheckingEdit : public CWnd
{
public:
    int changes = 0;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT*) override
    {
        if (message != WM_COMMAND || HIWORD(wParam) != EN_CHANGE) return FALSE;
        ++changes;
        return TRUE;
    }
};

class CommandParent : public RecordingWnd
{
public:
    std::vector<UINT> codes;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (CWnd::OnCommand(wParam, lParam)) return TRUE;
        codes.push_back(HIWORD(wParam));
        return TRUE;
    }
};
} // namespace

TEST_F(FrameRoutingTest, ControlNotificationsAreReflectedToTheControlFirst)
{
    CommandParent parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
    SelfCheckingEdit edit;
    ASSERT_TRUE(edit.Create("EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 5));
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(5, EN_CHANGE), LPARAM(edit.m_hWnd));
    EXPECT_EQ(edit.changes, 1);
    EXPECT_TRUE(parent.codes.empty());
    // Other notifications of the control reach the parent.
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(5, EN_SETFOCUS), LPARAM(edit.m_hWnd));
    EXPECT_EQ(parent.codes, std::vector<UINT>{UINT(EN_SETFOCUS)});
}
