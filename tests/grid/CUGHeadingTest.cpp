// Headings and the corner button: size drags of columns, rows and the headings, the double
// click that fits a column, and the heading click notifications.
#include "GridTestSupport.h"
#include "grid/CUGCnrBtn.h"
#include "grid/CUGSideHdg.h"
#include "grid/CUGTopHdg.h"

namespace
{
using Log = std::vector<std::string>;

class HeadingGrid : public RecordingGrid
{
public:
    void OnTH_LClicked(int col, int row, int updn, RECT*, POINT*, BOOL) override
    {
        log.push_back(Line("OnTH_LClicked", col, row, updn));
    }
    void OnSH_LClicked(int col, int row, int updn, RECT*, POINT*, BOOL) override
    {
        log.push_back(Line("OnSH_LClicked", col, row, updn));
    }
    BOOL OnTopHdgSizing(int* height) override
    {
        log.push_back(Line("OnTopHdgSizing", *height));
        return TRUE;
    }
    void OnCB_LClicked(int updn, RECT*, POINT*, BOOL processed) override
    {
        log.push_back(Line("OnCB_LClicked", updn, processed));
    }
};

class HeadingTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        grid.SetNumberCols(5);
        grid.SetNumberRows(10);
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 1));
        CFrameworkApp::PumpWaitingMessages();
        grid.log.clear();
    }
    static void Send(CWnd& wnd, UINT message, WPARAM flags, int x, int y)
    {
        wnd.SendMessage(message, flags, MAKELPARAM(x, y));
    }
    // Rests on (x, y), presses, moves to (toX, toY) and releases there.
    static void Drag(CWnd& wnd, int x, int y, int toX, int toY)
    {
        Send(wnd, WM_MOUSEMOVE, 0, x, y);
        Send(wnd, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        Send(wnd, WM_MOUSEMOVE, MK_LBUTTON, toX, toY);
        Send(wnd, WM_LBUTTONUP, 0, toX, toY);
    }
    CUGTopHdg& Top() { return *grid.m_CUGTopHdg; }
    CUGSideHdg& Side() { return *grid.m_CUGSideHdg; }

    HeadingGrid grid;
};
} // namespace

TEST_F(HeadingTest, DraggingAColumnEdgeSizesTheColumn)
{
    Drag(Top(), 76, 10, 106, 10);
    EXPECT_EQ(grid.GetColWidth(0), 105);
    EXPECT_EQ(grid.Only("OnColSized").back(), "OnColSized(0,105)");
    EXPECT_TRUE(grid.Only("OnTH_LClicked").empty()); // a drag is no click

    // Never below 0.
    Drag(Top(), 105, 10, 0, 10);
    EXPECT_EQ(grid.GetColWidth(0), 0);
}

TEST_F(HeadingTest, AnEdgeIsFoundWithinTwoPixels)
{
    Drag(Top(), 78, 10, 98, 10); // 3 pixels off the edge: a click, not a drag
    EXPECT_EQ(grid.GetColWidth(0), 75);
    EXPECT_EQ(grid.Only("OnTH_LClicked"), (Log{"OnTH_LClicked(1,-1,1)", "OnTH_LClicked(1,-1,0)"}));
    Drag(Top(), 73, 10, 93, 10);
    EXPECT_EQ(grid.GetColWidth(0), 95);
}

TEST_F(HeadingTest, AHiddenColumnRightOfTheEdgeIsPulledOpen)
{
    grid.SetColWidth(1, 0);
    Drag(Top(), 75, 10, 115, 10);
    EXPECT_EQ(grid.GetColWidth(0), 75);
    EXPECT_EQ(grid.GetColWidth(1), 40);
}

TEST_F(HeadingTest, ADoubleClickOnAnEdgeFitsTheColumn)
{
    grid.QuickSetText(0, 3, "A text much wider than seventy-five pixels");
    Send(Top(), WM_MOUSEMOVE, 0, 75, 10);
    Send(Top(), WM_LBUTTONDBLCLK, MK_LBUTTON, 75, 10);
    EXPECT_GT(grid.GetColWidth(0), 150);
    EXPECT_EQ(grid.Only("OnColSized").back(), Line("OnColSized", 0, grid.GetColWidth(0)));
}

TEST_F(HeadingTest, DraggingTheHeadingRowKeepsTotalAndRowEqual)
{
    Drag(Top(), 10, 19, 10, 31);
    EXPECT_EQ(grid.GetTopHdgHeight(), 32);
    EXPECT_EQ(grid.GetTopHdgRowHeight(-1), 32);
    EXPECT_EQ(grid.Only("OnTopHdgSizing"), (Log{"OnTopHdgSizing(32)"}));
    EXPECT_EQ(grid.m_GI->m_gridRect.top, 32);
}

TEST_F(HeadingTest, DraggingARowEdgeSizesTheRow)
{
    Drag(Side(), 10, 41, 10, 51);
    EXPECT_EQ(grid.GetRowHeight(1), 30);
    EXPECT_EQ(grid.GetRowHeight(0), 20);
    EXPECT_EQ(grid.Only("OnRowSized").back(), "OnRowSized(1,30)");
}

TEST_F(HeadingTest, UniformRowsKeepTheirCountAboveThePointer)
{
    grid.SetUniformRowHeight(TRUE);
    // Resting 2 pixels above the edge below row 2: the first move must not change the height.
    Send(Side(), WM_MOUSEMOVE, 0, 10, 58);
    Send(Side(), WM_LBUTTONDOWN, MK_LBUTTON, 10, 58);
    Send(Side(), WM_MOUSEMOVE, MK_LBUTTON, 10, 60);
    EXPECT_EQ(grid.GetRowHeight(5), 20);
    Send(Side(), WM_MOUSEMOVE, MK_LBUTTON, 10, 90);
    Send(Side(), WM_LBUTTONUP, 0, 10, 90);
    EXPECT_EQ(grid.GetRowHeight(0), 30);
    EXPECT_EQ(grid.GetRowHeight(7), 30);
}

TEST_F(HeadingTest, DraggingTheRowHeadingEdgeSizesItsWidth)
{
    const int width = grid.GetSideHdgWidth();
    Drag(Side(), width - 1, 100, width + 19, 100);
    EXPECT_EQ(grid.GetSideHdgWidth(), width + 20);
    EXPECT_EQ(grid.m_GI->m_gridRect.left, width + 20);
}

TEST_F(HeadingTest, HeadingClicksNameTheirCells)
{
    Send(Side(), WM_LBUTTONDOWN, MK_LBUTTON, 10, 45);
    Send(Side(), WM_LBUTTONUP, 0, 10, 45);
    EXPECT_EQ(grid.Only("OnSH_LClicked"), (Log{"OnSH_LClicked(-1,2,1)", "OnSH_LClicked(-1,2,0)"}));
    Send(Top(), WM_LBUTTONDOWN, MK_LBUTTON, 380, 10); // right of the last column
    EXPECT_EQ(grid.Only("OnTH_LClicked").back(), "OnTH_LClicked(-1,-1,1)");
    Send(Top(), WM_LBUTTONUP, 0, 380, 10);
}

TEST_F(HeadingTest, TheCornerButtonSizesBothHeadings)
{
    CUGCnrBtn& corner = *grid.m_CUGCnrBtn;
    CRect client;
    corner.GetClientRect(&client);
    Drag(corner, client.right - 2, 5, 70, 5);
    EXPECT_EQ(grid.GetSideHdgWidth(), 70);
    EXPECT_EQ(grid.Only("OnCB_LClicked"), (Log{"OnCB_LClicked(1,1)", "OnCB_LClicked(0,1)"}));

    corner.GetClientRect(&client);
    Drag(corner, 5, client.bottom - 2, 5, 35);
    EXPECT_EQ(grid.GetTopHdgHeight(), 35);
}
