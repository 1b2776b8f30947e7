#include "grid/CUGCnrBtn.h"

#include "grid/CUGCellType.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/Cursors.h"

#include <algorithm>

namespace
{
constexpr int kEdgeWidth = 4; // the rightmost and bottom pixels that size the headings
} // namespace

void CUGCnrBtn::OnPaint()
{
    if (!m_GI || !m_GI->m_paintMode)
        return;
    CPaintDC dc(this);
    m_ctrl->OnPaintDCSetup(&dc, nullptr, UG_CORNERBUTTON);
    PaintInto(&dc);
}

void CUGCnrBtn::PaintInto(CDC* dc)
{
    CUGCell cell;
    m_ctrl->GetCellWithDefaults(-1, -1, &cell);
    if (m_GI->m_defFont)
        dc->SelectObject(m_GI->m_defFont);
    CRect rect;
    GetClientRect(&rect);
    const int saved = dc->SaveDC();
    m_ctrl->GetCellType(cell.GetCellType())->OnDraw(dc, &rect, -1, -1, &cell, 0, 0);
    dc->RestoreDC(saved);
}

void CUGCnrBtn::OnMouseMove(UINT flags, CPoint point)
{
    if (m_sizing)
    {
        if (m_sizingWidth)
        {
            int width = std::max(int(point.x), 0);
            m_ctrl->OnSideHdgSizing(&width);
            m_ctrl->SetSideHdgWidth(width);
        }
        else
        {
            int height = std::max(int(point.y), 0);
            m_ctrl->OnTopHdgSizing(&height);
            m_ctrl->SetTopHdgHeight(height);
        }
        m_ctrl->LayoutChildren();
        return;
    }
    if (flags & (MK_LBUTTON | MK_RBUTTON))
        return;
    CRect client;
    GetClientRect(&client);
    m_overEdge = m_sizingWidth = m_sizingHeight = FALSE;
    if (point.x > client.right - kEdgeWidth && m_ctrl->OnCanSizeSideHdg())
    {
        m_overEdge = m_sizingWidth = TRUE;
        SetCursor(m_GI->m_WEResizeCursor);
    }
    else if (point.y > client.bottom - kEdgeWidth && m_ctrl->OnCanSizeTopHdg())
    {
        m_overEdge = m_sizingHeight = TRUE;
        SetCursor(m_GI->m_NSResizeCursor);
    }
}

BOOL CUGCnrBtn::OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/)
{
    SetCursor(!m_overEdge ? m_GI->m_arrowCursor : m_sizingWidth ? m_GI->m_WEResizeCursor : m_GI->m_NSResizeCursor);
    return TRUE;
}

void CUGCnrBtn::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    if (m_ctrl->m_CUGGrid)
        m_ctrl->m_CUGGrid->SetFocus();
    if (m_overEdge)
    {
        m_sizing = TRUE;
        SetCapture();
    }
    m_ctrl->OnCB_LClicked(1, &m_GI->m_cnrBtnRect, &point, m_overEdge);
}

void CUGCnrBtn::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    const BOOL ended = m_sizing;
    if (m_sizing)
    {
        m_sizing = FALSE;
        ReleaseCapture();
        if (m_sizingHeight)
        {
            int height = m_GI->m_topHdgHeight;
            m_ctrl->OnTopHdgSized(&height);
        }
        else
        {
            int width = m_GI->m_sideHdgWidth;
            m_ctrl->OnSideHdgSized(&width);
        }
    }
    m_ctrl->OnCB_LClicked(0, &m_GI->m_cnrBtnRect, &point, ended);
}

void CUGCnrBtn::OnLButtonDblClk(UINT /*flags*/, CPoint point)
{
    m_ctrl->OnCB_DClicked(&m_GI->m_cnrBtnRect, &point, FALSE);
}

void CUGCnrBtn::OnRButtonDown(UINT /*flags*/, CPoint point)
{
    m_ctrl->OnCB_RClicked(1, &m_GI->m_cnrBtnRect, &point, FALSE);
}

void CUGCnrBtn::OnRButtonUp(UINT /*flags*/, CPoint point)
{
    m_ctrl->OnCB_RClicked(0, &m_GI->m_cnrBtnRect, &point, FALSE);
}

INT_PTR CUGCnrBtn::OnToolHitTest(CPoint /*point*/, TOOLINFO* info) const
{
    if (!m_tipTested)
    {
        // The first test ever finds no tool; every later one answers the corner.
        m_tipTested = true;
        return -1;
    }
    return AnswerCellTool(true, -1, -1, m_tipCol, m_tipRow, info);
}

BOOL CUGCnrBtn::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return NotifyCellTip(wParam, lParam, result, -1, -1, UG_CORNERBUTTON);
}

LRESULT CUGCnrBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PRINT && m_GI)
    {
        Invalidate(FALSE);
        PaintInto(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        return 0;
    }
    if (message == WM_HELPHITTEST && m_ctrl)
        return LRESULT(m_ctrl->OnGetHelpId(-1, -1, UG_CORNERBUTTON));
    return CUGChildWnd::WindowProc(message, wParam, lParam);
}
