// Placing the child windows and asking them to repaint.
#include "grid/CUGCnrBtn.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "grid/CUGHScroll.h"
#include "grid/CUGSideHdg.h"
#include "grid/CUGTab.h"
#include "grid/CUGTopHdg.h"
#include "grid/CUGVScroll.h"

#include <algorithm>

void CUGCtrl::RedrawAll()
{
    if (!m_enablePainting || !GetSafeHwnd())
        return;
    for (CWnd* child : std::initializer_list<CWnd*>{m_CUGGrid.get(), m_CUGCnrBtn.get(), m_CUGVScroll.get(),
                                                   m_CUGHScroll.get(), m_CUGTab.get(), m_CUGTopHdg.get(),
                                                   m_CUGSideHdg.get()})
        if (child && child->GetSafeHwnd())
        {
            child->Invalidate(FALSE);
            child->UpdateWindow();
        }
}

void CUGCtrl::RedrawCell(int col, int row)
{
    if (!m_enablePainting || !m_CUGGrid || !m_CUGGrid->GetSafeHwnd())
        return;
    if (col < 0)
        m_CUGSideHdg->Invalidate(FALSE);
    else if (row < 0)
        m_CUGTopHdg->Invalidate(FALSE);
    else
        m_CUGGrid->RedrawCell(col, row);
}

void CUGCtrl::RedrawRange(int startCol, int startRow, int endCol, int endRow)
{
    if (m_enablePainting && m_CUGGrid && m_CUGGrid->GetSafeHwnd())
        m_CUGGrid->RedrawRange(startCol, startRow, endCol, endRow);
}

void CUGCtrl::RedrawRow(int row)
{
    if (m_enablePainting && m_CUGGrid && m_CUGGrid->GetSafeHwnd())
        m_CUGGrid->RedrawRow(row);
}

void CUGCtrl::LayoutChildren()
{
    if (!GetSafeHwnd())
        return;
    CUGGridInfo& gi = *m_GI;
    CRect client;
    GetClientRect(&client);
    const int W = client.Width(), H = client.Height();
    const int TH = gi.m_topHdgHeight, SW = gi.m_sideHdgWidth;

    long long widths = 0;
    for (int c = 0; c < gi.m_numberCols && widths <= W - SW; ++c)
        widths += gi.GetColWidth(c);
    const bool colsFit = widths <= W - SW;
    const int HH = (gi.m_tabWidth > 0 || !colsFit) ? gi.m_hScrollHeight : 0;
    long long heights = 0;
    for (int r = 0; r < gi.m_numberRows && heights <= H - TH - HH; ++r)
        heights += gi.GetRowHeight(r);
    const bool rowsFit = heights <= H - TH - HH;
    const int VW = rowsFit ? 0 : gi.m_vScrollWidth;
    int tabWidth = gi.m_tabWidth;
    if (tabWidth > 0)
        tabWidth = colsFit ? W + 6 : std::min(tabWidth, W - VW);

    CRect vScroll(W - VW, 0, W, H - HH);
    CRect hScroll(tabWidth, H - HH, W - VW, H);
    CRect tab(0, H - HH, tabWidth, H);
    CRect topHdg(SW, 0, W - VW, TH);
    CRect sideHdg(0, TH, SW, H - HH);
    CRect cnrBtn(0, 0, SW, TH);
    CRect grid(SW, TH, W - VW, H - HH);
    OnLayoutAdjust(&grid, &topHdg, &sideHdg, &cnrBtn, &vScroll, &hScroll, &tab);
    gi.m_gridRect = grid;
    gi.m_topHdgRect = topHdg;
    gi.m_sideHdgRect = sideHdg;
    gi.m_cnrBtnRect = cnrBtn;
    gi.m_vScrollRect = vScroll;
    gi.m_hScrollRect = hScroll;
    gi.m_tabRect = tab;
    gi.m_gridWidth = std::max(grid.Width(), 0);
    gi.m_gridHeight = std::max(grid.Height(), 0);

    if (!gi.m_paintMode)
        return;
    const std::pair<CWnd*, CRect*> placements[] = {{m_CUGGrid.get(), &gi.m_gridRect},   {m_CUGTopHdg.get(), &gi.m_topHdgRect},
                                                   {m_CUGSideHdg.get(), &gi.m_sideHdgRect}, {m_CUGCnrBtn.get(), &gi.m_cnrBtnRect},
                                                   {m_CUGVScroll.get(), &gi.m_vScrollRect}, {m_CUGHScroll.get(), &gi.m_hScrollRect},
                                                   {m_CUGTab.get(), &gi.m_tabRect}};
    for (const auto& [wnd, rect] : placements)
        if (wnd && wnd->GetSafeHwnd())
            wnd->MoveWindow(rect, TRUE);
    const int oldMaxTop = gi.m_maxTopRow;
    CalcMaxTopRow();
    CalcMaxLeftCol();
    CalcRightColBottomRow();
    if (m_CUGVScroll)
        m_CUGVScroll->Update();
    if (m_CUGHScroll)
        m_CUGHScroll->Update();
    RedrawAll();
    // The vertical bar comes or goes when the rows start or stop fitting.
    if ((oldMaxTop == 0) != (gi.m_maxTopRow == 0) && !m_relayingOut)
    {
        m_relayingOut = true;
        LayoutChildren();
        m_relayingOut = false;
    }
}

