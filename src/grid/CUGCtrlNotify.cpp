// The default answers of the grid's notifications and overridable services.
#include "grid/CUGCellType.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "platform/framework/windows/CDC.h"

#include <algorithm>
#include <cstring>
#include <numeric>

void CUGCtrl::OnSetFocus(int /*section*/) {}
void CUGCtrl::OnSetup() {}
void CUGCtrl::OnAfterSetup() {}
void CUGCtrl::OnSheetSetup(int /*sheetNumber*/) {}
BOOL CUGCtrl::OnCanMove(int, int, int, int) { return TRUE; }
BOOL CUGCtrl::OnCanViewMove(int, int, int, int) { return TRUE; }
void CUGCtrl::OnRowsRequested(int, int, int*) {}
BOOL CUGCtrl::OnCanSizeCol(int) { return TRUE; }
void CUGCtrl::OnColSizing(int, int*) {}
void CUGCtrl::OnColSized(int, int*) {}
BOOL CUGCtrl::OnCanSizeRow(int) { return TRUE; }
void CUGCtrl::OnRowSizing(int, int*) {}
void CUGCtrl::OnRowSized(int, int*) {}
BOOL CUGCtrl::OnCanSizeTopHdg() { return TRUE; }
BOOL CUGCtrl::OnCanSizeSideHdg() { return TRUE; }
BOOL CUGCtrl::OnTopHdgSizing(int*) { return TRUE; }
BOOL CUGCtrl::OnSideHdgSizing(int*) { return TRUE; }
BOOL CUGCtrl::OnTopHdgSized(int*) { return TRUE; }
BOOL CUGCtrl::OnSideHdgSized(int*) { return TRUE; }
void CUGCtrl::OnColChanged(int, int) {}
void CUGCtrl::OnRowChanged(int, int) {}
void CUGCtrl::OnCellChanged(int, int, int, int) {}
void CUGCtrl::OnLeftColChanged(int, int) {}
void CUGCtrl::OnTopRowChanged(int, int) {}
void CUGCtrl::OnViewMoved(int, int, int) {}
void CUGCtrl::OnSelectionChanged(int, int, int, int, int) {}
void CUGCtrl::OnLClicked(int, int, int, RECT*, POINT*, BOOL) {}
void CUGCtrl::OnRClicked(int, int, int, RECT*, POINT*, BOOL) {}
void CUGCtrl::OnDClicked(int, int, RECT*, POINT*, BOOL) {}
void CUGCtrl::OnMouseMove(int, int, POINT*, UINT, BOOL) {}
void CUGCtrl::OnTH_LClicked(int, int, int, RECT*, POINT*, BOOL) {}
void CUGCtrl::OnTH_RClicked(int, int, int, RECT*, POINT*, BOOL) {}
void CUGCtrl::OnTH_DClicked(int, int, RECT*, POINT*, BOOL) {}
void CUGCtrl::OnSH_LClicked(int, int, int, RECT*, POINT*, BOOL) {}
void CUGCtrl::OnSH_RClicked(int, int, int, RECT*, POINT*, BOOL) {}
void CUGCtrl::OnSH_DClicked(int, int, RECT*, POINT*, BOOL) {}
void CUGCtrl::OnCB_LClicked(int, RECT*, POINT*, BOOL) {}
void CUGCtrl::OnCB_RClicked(int, RECT*, POINT*, BOOL) {}
void CUGCtrl::OnCB_DClicked(RECT*, POINT*, BOOL) {}
void CUGCtrl::OnKeyDown(UINT*, BOOL) {}
void CUGCtrl::OnKeyUp(UINT*, BOOL) {}
void CUGCtrl::OnChar(UINT*, BOOL) {}
void CUGCtrl::OnGetCell(int, int, CUGCell*) {}
void CUGCtrl::OnSetCell(int, int, CUGCell*) {}
BOOL CUGCtrl::OnCellTypeNotify(int, int, int, LONG, LPARAM) { return TRUE; }
BOOL CUGCtrl::OnEditStart(int, int, CWnd**) { return TRUE; }
BOOL CUGCtrl::OnEditVerify(int, int, CWnd*, UINT*) { return TRUE; }
BOOL CUGCtrl::OnEditFinish(int, int, CWnd*, const CString&, BOOL) { return TRUE; }
BOOL CUGCtrl::OnEditContinue(int, int, int*, int*) { return TRUE; }
void CUGCtrl::OnPopupMenuCommand(int, int, int, UINT) {}
BOOL CUGCtrl::OnPopupMenuStart(int, int, int) { return TRUE; }
DWORD CUGCtrl::OnGetHelpId(int, int, int) { return 0; }
BOOL CUGCtrl::OnVScrollHint(int, CString*) { return TRUE; }
BOOL CUGCtrl::OnHScrollHint(int, CString*) { return TRUE; }
int CUGCtrl::OnHintSetup(TOOLTIPTEXT*) { return 0; }
void CUGCtrl::OnPaintDCSetup(CDC*, CDC*, int) {}
void CUGCtrl::OnLayoutAdjust(RECT*, RECT*, RECT*, RECT*, RECT*, RECT*, RECT*) {}
void CUGCtrl::OnTabSelected(int) {}
void CUGCtrl::OnKillFocus(int) {}
BOOL CUGCtrl::OnColMoveStart(int) { return TRUE; }
BOOL CUGCtrl::OnCanColMove(int, int) { return TRUE; }
void CUGCtrl::OnColMoved(int, int) {}
void CUGCtrl::OnTrackWindowPlace(RECT*, RECT*) {}

BOOL CUGCtrl::OnHint(int col, int row, int /*section*/, CString* text)
{
    if (text)
        text->Format("Col:%d Row:%ld", col, long(row));
    return TRUE;
}

int CUGCtrl::OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags)
{
    return DefaultSortCompare(cell1, cell2, flags);
}

int CUGCtrl::DefaultSortCompare(CUGCell* cell1, CUGCell* cell2, int flags)
{
    // Absent cells go last whatever the direction.
    if (!cell1)
        return cell2 ? 1 : 0;
    if (!cell2)
        return -1;
    if (flags & UG_SORT_DESCENDING)
        std::swap(cell1, cell2);
    switch (cell1->GetDataType())
    {
    case UGCELLDATA_NUMBER:
    case UGCELLDATA_NUMERIC:
    case UGCELLDATA_TIME: // date-times are numbers of days
    case UGCELLDATA_CURRENCY:
    {
        const double a = cell1->GetNumber(), b = cell2->GetNumber();
        return a < b ? -1 : (a > b ? 1 : 0);
    }
    default: break;
    }
    const char* a = cell1->GetText();
    const char* b = cell2->GetText();
    const bool hasA = a && *a, hasB = b && *b;
    if (!hasA || !hasB)
        return hasA == hasB ? 0 : (hasA ? -1 : 1);
    const int r = std::strcmp(a, b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

COLORREF CUGCtrl::OnGetSectionBackColor(int section)
{
    return GetSysColor(section == UG_GRID ? COLOR_WINDOW : COLOR_BTNFACE);
}

void CUGCtrl::OnDrawFocusRect(CDC* dc, RECT* rect)
{
    if (!dc || !rect)
        return;
    const int col = m_GI->m_currentCol, row = m_GI->m_currentRow;
    if (GetCellTypeAt(col, row)->OnDrawFocusRect(dc, rect, col, row))
        return;
    rect->right -= 1;
    rect->bottom -= 1;
    // Inverted dots all but vanish on a mid-grey cell (a session's title): there the frame is
    // drawn solid, in black, so the current cell shows on every colour a table uses.
    CUGCell cell;
    GetCell(col, row, &cell);
    const COLORREF back = cell.GetBackColor();
    const int grey = (GetRValue(back) * 299 + GetGValue(back) * 587 + GetBValue(back) * 114) / 1000;
    if (grey > 96 && grey < 160)
        dc->Draw3dRect(rect, RGB(0, 0, 0), RGB(0, 0, 0));
    else
        dc->DrawFocusRect(rect);
}

void CUGCtrl::OnKillFocusTo(int section, CWnd* /*newWnd*/)
{
    OnKillFocus(section);
}

int CUGCtrl::ScaleColumnsToWindow(int firstCol, int lastCol)
{
    if (firstCol < 0 || firstCol > lastCol || lastCol >= m_GI->m_numberCols)
        return 1;
    if (!m_GI->m_paintMode)
        LayoutChildren();
    const int client = m_GI->m_gridWidth;
    auto& cols = m_GI->m_colInfo;
    long long sum = 0;
    for (int c = firstCol; c <= lastCol; ++c)
        sum += cols[std::size_t(c)].width;
    const int count = lastCol - firstCol + 1;
    int used = 0;
    for (int c = firstCol; c < lastCol; ++c)
    {
        // Columns of no width at all share the window evenly.
        const int width = sum > 0 ? int(float(cols[std::size_t(c)].width) * (float(client) / float(sum))) : client / count;
        cols[std::size_t(c)].width = width;
        used += width;
    }
    cols[std::size_t(lastCol)].width = std::max(client - used, 0);
    CalcLockColWidth();
    LayoutChildren();
    RedrawAll();
    return 0;
}

int CUGCtrl::FitColumnsToContent(int firstCol, int lastCol, int rows, int flags)
{
    CUGGridInfo& gi = *m_GI;
    if (firstCol < -gi.m_numberSideHdgCols)
        return 1;
    if (lastCol >= gi.m_numberCols || lastCol < -gi.m_numberSideHdgCols)
        return 2;
    if (firstCol > lastCol)
        return 3;

    // The rows examined: the headings on request, the locked rows, then from the top row shown.
    std::vector<int> examined;
    const auto take = [&](int row) {
        if (int(examined.size()) < rows)
            examined.push_back(row);
    };
    if (flags & 1)
        for (int r = -gi.m_numberTopHdgRows; r < 0; ++r)
            take(r);
    for (int r = 0; r < gi.m_numLockRows; ++r)
        take(r);
    for (int r = std::max(gi.m_topRow, gi.m_numLockRows); r < gi.m_numberRows && int(examined.size()) < rows; ++r)
        take(r);

    std::unique_ptr<CDC> ownDc;
    CDC* dc = nullptr;
    if (m_CUGGrid && m_CUGGrid->GetSafeHwnd())
        dc = (ownDc = std::make_unique<CClientDC>(m_CUGGrid.get())).get();
    else
    {
        ownDc = std::make_unique<CDC>();
        ownDc->CreateCompatibleDC(nullptr);
        dc = ownDc.get();
    }
    if (gi.m_defFont)
        dc->SelectObject(gi.m_defFont);

    const int widest = gi.m_gridWidth > 0 ? gi.m_gridWidth - gi.m_vScrollWidth : 300;
    for (int col = firstCol; col <= lastCol; ++col)
    {
        int needed = 3;
        for (int row : examined)
        {
            CUGCell cell;
            GetCellWithDefaults(col, row, &cell);
            if (cell.IsPropertySet(UGCELL_JOIN_SET))
                continue;
            CSize size(ColWidthAt(col), RowHeightAt(row));
            GetCellType(cell.GetCellType())->GetBestSize(dc, &size, &cell);
            needed = std::max(needed, int(size.cx));
        }
        // Never narrower than the starting 3 pixels, even in a window too small to show it.
        int width = std::max(std::min(widest, needed + 2), 3);
        OnColSized(col, &width);
        if (col < 0)
        {
            gi.m_sideHdgWidths[std::size_t(-(col + 1))] = std::max(width, 0);
            gi.m_sideHdgWidth = std::min(std::accumulate(gi.m_sideHdgWidths.begin(), gi.m_sideHdgWidths.end(), 0), 1024);
        }
        else
            gi.m_colInfo[std::size_t(col)].width = std::max(width, 0);
    }
    CalcLockColWidth();
    LayoutChildren();
    RedrawAll();
    return 0;
}
