#include "grid/CUGVScroll.h"

#include "grid/CUGCtrl.h"
#include "platform/framework/windows/CScrollBar.h"

#include <algorithm>

namespace
{
constexpr double kMaxRange = 32000.0;
} // namespace

DWORD CUGVScroll::ChildStyle() const
{
    return SBS_VERT;
}

void CUGVScroll::Update()
{
    if (!GetSafeHwnd() || !m_GI || !m_GI->m_paintMode)
        return;
    CUGGridInfo& gi = *m_GI;
    bool rangeSet = false;
    if (gi.m_maxTopRow != m_cachedMaxTopRow || gi.m_vScrollMode != m_cachedTrackingMode ||
        gi.m_numLockRows != m_cachedLockedRows)
    {
        m_cachedMaxTopRow = gi.m_maxTopRow;
        m_cachedTrackingMode = gi.m_vScrollMode;
        m_cachedLockedRows = gi.m_numLockRows;
        gi.m_defRowHeight = std::max(gi.m_defRowHeight, 1);
        double total = 0;
        if (gi.m_uniformRowHeight)
            total = double(gi.m_defRowHeight) * gi.m_numberRows;
        else
            for (int row = 0; row < gi.m_numberRows; ++row)
                total += gi.GetRowHeight(row);
        m_scale = total > kMaxRange ? total / kMaxRange : 1.0;
        // The page is the cell area's height, so that the thumb reaches the last rows.
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMin = 0;
        info.nMax = int(total / m_scale);
        info.nPage = UINT(std::max(1.0, gi.m_gridHeight / m_scale));
        SendMessage(SBM_SETSCROLLINFO, FALSE, LPARAM(&info));
        Invalidate();
        rangeSet = true;
    }
    if (gi.m_topRow != gi.m_lastTopRow || rangeSet)
    {
        double above = 0;
        if (gi.m_uniformRowHeight)
            above = double(gi.m_defRowHeight) * gi.m_topRow;
        else
            for (int row = 0; row < gi.m_topRow; ++row)
                above += gi.GetRowHeight(row);
        SendMessage(SBM_SETPOS, WPARAM(int(above / m_scale)), TRUE);
        m_ctrl->OnViewMoved(UG_VSCROLL, gi.m_lastTopRow, gi.m_topRow);
    }
}

int CUGVScroll::RowFromThumb(UINT pos)
{
    const CUGGridInfo& gi = *m_GI;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    SendMessage(SBM_GETSCROLLINFO, 0, LPARAM(&info));
    const double target = double(pos) * m_scale;
    double sum = 0;
    int row = 0;
    for (; row < gi.m_numberRows; ++row)
    {
        sum += gi.GetRowHeight(row);
        if (sum >= target)
            break;
    }
    if (sum / m_scale + info.nPage > info.nMax)
    {
        // The thumb is at the end: show the last rows.
        do
            ++row;
        while (row < gi.m_numberRows && gi.GetRowHeight(row) == 0);
        row = std::min(row, gi.m_numberRows);
    }
    return row;
}

void CUGVScroll::VScroll(UINT code, UINT pos)
{
    if (!m_GI)
        return;
    FocusCellArea();
    m_GI->m_moveType = UG_MOVE_SCROLL;
    if (const int move = ScrollMoveOf(code); move >= 0)
        m_ctrl->MoveTopRow(move);
    else if (code == SB_THUMBPOSITION || (code == SB_THUMBTRACK && m_GI->m_vScrollMode == 1))
        m_ctrl->SetTopRow(RowFromThumb(pos));
    m_GI->m_moveType = UG_MOVE_KEY;
    Invalidate();
}

LRESULT CUGVScroll::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HELPHITTEST && m_ctrl && m_GI)
        return LRESULT(m_ctrl->OnGetHelpId(m_GI->m_currentCol, m_GI->m_currentRow, UG_VSCROLL));
    return CUGChildWnd::WindowProc(message, wParam, lParam);
}
