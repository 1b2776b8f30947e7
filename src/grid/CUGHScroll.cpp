#include "grid/CUGHScroll.h"

#include "grid/CUGCtrl.h"
#include "platform/framework/windows/CScrollBar.h"

#include <algorithm>

DWORD CUGHScroll::ChildStyle() const
{
    return SBS_HORZ;
}

void CUGHScroll::Update()
{
    if (!GetSafeHwnd() || !m_GI || !m_GI->m_paintMode)
        return;
    CUGGridInfo& gi = *m_GI;
    if (gi.m_maxLeftCol != m_cachedMaxLeftCol || gi.m_numLockCols != m_cachedLockedCols)
    {
        m_cachedMaxLeftCol = gi.m_maxLeftCol;
        m_cachedLockedCols = gi.m_numLockCols;
        // The page is the columns that fit in the cell area at the last left column, at least one.
        int page = 0;
        for (int col = gi.m_maxLeftCol, width = gi.m_lockColWidth; col < gi.m_numberCols; ++col)
        {
            width += gi.GetColWidth(col);
            if (width > gi.m_gridWidth)
                break;
            ++page;
        }
        page = std::max(page, 1);
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMin = 0;
        info.nMax = page + (gi.m_maxLeftCol - gi.m_numLockCols) - 1;
        info.nPage = UINT(page);
        SendMessage(SBM_SETSCROLLINFO, FALSE, LPARAM(&info));
        if (gi.m_hScrollRect.Height() == 0)
            m_ctrl->LayoutChildren();
    }
    if (gi.m_leftCol != gi.m_lastLeftCol)
    {
        SendMessage(SBM_SETPOS, WPARAM(gi.m_leftCol - gi.m_numLockCols), TRUE);
        m_ctrl->OnViewMoved(UG_HSCROLL, gi.m_lastLeftCol, gi.m_leftCol);
    }
}

void CUGHScroll::HScroll(UINT code, UINT pos)
{
    if (!m_GI)
        return;
    FocusCellArea();
    m_GI->m_moveType = UG_MOVE_SCROLL;
    if (const int move = ScrollMoveOf(code); move >= 0)
        m_ctrl->MoveLeftCol(move);
    else if (code == SB_THUMBPOSITION)
        m_ctrl->SetLeftCol(m_GI->m_numLockCols + int(pos));
    m_GI->m_moveType = UG_MOVE_KEY;
}

LRESULT CUGHScroll::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HELPHITTEST && m_ctrl && m_GI)
        return LRESULT(m_ctrl->OnGetHelpId(m_GI->m_currentCol, m_GI->m_currentRow, UG_HSCROLL));
    return CUGChildWnd::WindowProc(message, wParam, lParam);
}
