#include "WindowTestSupport.h"

#include "platform/framework/windows/CDocument.h"
#include "platform/framework/windows/CFrameWnd.h"
#include "platform/framework/windows/CSplitterWnd.h"
#include "platform/framework/windows/CView.h"
#include "platform/framework/windows/WindowTesting.h"

namespace
{
class PaneView : public CView
{
    DECLARE_DYNCREATE(PaneView)
public:
    void OnDraw(CDC* dc) override
    {
        CRect r;
        GetClientRect(&r);
        dc->FillSolidRect(&r, RGB(255, 255, 255));
        dc->TextOut(4, 4, "pane");
    }
};
IMPLEMENT_DYNCREATE(PaneView, CView)

class SplitterTest : public WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 318), nullptr, 0));
        ASSERT_TRUE(splitter.CreateStatic(&parent, 3, 1));
        context.m_pCurrentDoc = &document;
        for (int row = 0; row < 3; ++row)
            ASSERT_TRUE(splitter.CreateView(row, 0, RUNTIME_CLASS(PaneView), CSize(400, 100), &context));
    }
    CRect Pane(int row) const
    {
        CRect r;
        splitter.GetPane(row, 0)->GetWindowRect(&r);
        splitter.ScreenToClient(&r);
        return r;
    }
    void Drag(CPoint from, CPoint to)
    {
        SendMouse(splitter, QEvent::MouseButtonPress, QPoint(from.x, from.y));
        SendMouse(splitter, QEvent::MouseMove, QPoint(to.x, to.y));
        SendMouse(splitter, QEvent::MouseButtonRelease, QPoint(to.x, to.y), Qt::LeftButton, Qt::NoButton);
    }

    CWnd parent;
    CDocument document;
    CCreateContext context;
    CSplitterWnd splitter;
};
} // namespace

TEST_F(SplitterTest, RowsTakeTheirIdealSizesAndTheLastTheRest)
{
    EXPECT_EQ(Pane(0), CRect(0, 0, 400, 100));
    EXPECT_EQ(Pane(1), CRect(0, 106, 400, 206));
    EXPECT_EQ(Pane(2), CRect(0, 212, 400, 318));
    EXPECT_EQ(splitter.GetDlgItem(splitter.IdFromRowCol(1, 0)), splitter.GetPane(1, 0));
    EXPECT_EQ(static_cast<CView*>(splitter.GetPane(2, 0))->GetDocument(), &document);

    // A row whose ideal size is under its minimum gets no room and is hidden.
    splitter.SetRowInfo(1, 20, 30);
    splitter.RecalcLayout();
    EXPECT_FALSE(splitter.GetPane(1, 0)->IsWindowVisible());
    EXPECT_EQ(Pane(2).top, 112);
    splitter.SetRowInfo(1, 40, 30);
    splitter.RecalcLayout();
    EXPECT_TRUE(splitter.GetPane(1, 0)->IsWindowVisible());
    EXPECT_EQ(Pane(1).Height(), 40);
    int current = 0, minimum = 0;
    splitter.GetRowInfo(1, current, minimum);
    EXPECT_EQ(current, 40);
    EXPECT_EQ(minimum, 30);
}

TEST_F(SplitterTest, DraggingABarResizesTheRowsOnEitherSide)
{
    EXPECT_EQ(splitter.HitTest(CPoint(50, 102)), 1);
    EXPECT_EQ(splitter.HitTest(CPoint(50, 50)), 0);
    // Grab the first bar 2 px below its top and drag it down by 30 px.
    Drag(CPoint(50, 102), CPoint(50, 132));
    EXPECT_EQ(Pane(0), CRect(0, 0, 400, 130));
    EXPECT_EQ(Pane(1), CRect(0, 136, 400, 206)); // the middle row gave up what the first took
    EXPECT_EQ(Pane(2), CRect(0, 212, 400, 318));
    EXPECT_FALSE(splitter.IsTracking());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    if (const char* out = std::getenv("ORN_SPLITTER_PNG")) SaveWindowPicture(parent, out);

    // Dragging past the next bar stops at it.
    Drag(CPoint(50, 208), CPoint(50, 500));
    EXPECT_EQ(Pane(2).Height(), 0);

    // Resizing the splitter gives the difference to the last row.
    splitter.MoveWindow(0, 0, 300, 400);
    EXPECT_EQ(Pane(0), CRect(0, 0, 300, 130));
    EXPECT_EQ(Pane(2).bottom, 400);
}

TEST(SplitterColumns, ColumnsFollowTheSameRules)
{
    CFrameworkApp::EnsureInitialized();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 500, 200), nullptr, 0));
    CSplitterWnd splitter;
    ASSERT_TRUE(splitter.CreateStatic(&parent, 1, 2));
    ASSERT_TRUE(splitter.CreateView(0, 0, RUNTIME_CLASS(PaneView), CSize(180, 200), nullptr));
    ASSERT_TRUE(splitter.CreateView(0, 1, RUNTIME_CLASS(PaneView), CSize(100, 200), nullptr));
    EXPECT_FALSE(splitter.CreateView(0, 1, RUNTIME_CLASS(PaneView), CSize(100, 200), nullptr)); // taken
    int width = 0, minimum = 0;
    splitter.GetColumnInfo(1, width, minimum);
    EXPECT_EQ(width, 500 - 180 - 6);
    EXPECT_EQ(splitter.HitTest(CPoint(182, 50)), 101);
    SendMouse(splitter, QEvent::MouseButtonPress, QPoint(182, 50));
    SendMouse(splitter, QEvent::MouseButtonRelease, QPoint(82, 50), Qt::LeftButton, Qt::NoButton);
    splitter.GetColumnInfo(0, width, minimum);
    EXPECT_EQ(width, 80);
}
