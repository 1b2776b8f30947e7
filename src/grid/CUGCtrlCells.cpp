// Reading, assembling and writing cells, column defaults, joins, and the sheet's switches.
#include "grid/CUGCellFormat.h"
#include "grid/CUGCnrBtn.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGDataSource.h"
#include "grid/CUGGrid.h"
#include "grid/CUGSideHdg.h"
#include "grid/CUGTopHdg.h"
#include "grid/CUGVScroll.h"

#include <initializer_list>

CUGDataSource* CUGCtrl::GetColDataSource(int col) const
{
    if (col >= 0 && col < m_GI->m_numberCols && m_GI->m_colInfo[std::size_t(col)].dataSource)
        return m_GI->m_colInfo[std::size_t(col)].dataSource;
    return m_GI->m_defDataSource;
}

int CUGCtrl::GetColTranslation(int col) const
{
    if (col < 0 || col >= m_GI->m_numberCols)
        return col;
    return m_GI->m_colInfo[std::size_t(col)].colTranslation;
}

int CUGCtrl::SetColTranslation(int col, int translation)
{
    if (col < 0 || col >= m_GI->m_numberCols)
        return 1;
    m_GI->m_colInfo[std::size_t(col)].colTranslation = translation;
    return 0;
}

int CUGCtrl::GetCell(int col, int row, CUGCell* cell)
{
    if (!cell)
        return 1;
    return GetColDataSource(col)->GetCell(GetColTranslation(col), row, cell);
}

int CUGCtrl::GetCellWithDefaults(int col, int row, CUGCell* cell)
{
    if (!cell)
        return 1;
    CUGGridInfo& gi = *m_GI;
    if (col >= 0 && col < gi.m_numberCols && row >= 0 && gi.m_colInfo[std::size_t(col)].colDefault)
        cell->AssignFrom(gi.m_colInfo[std::size_t(col)].colDefault.get());
    else
    {
        cell->AssignFrom(&gi.m_hdgDefaults);
        if (row == -gi.m_numberTopHdgRows)
            cell->SetDrawHints(UG_DRAWHINT_LASTHDGROW);
        else if (col == -gi.m_numberSideHdgCols)
            cell->SetDrawHints(UG_DRAWHINT_LASTHDGCOL);
    }
    if (row < gi.m_numberRows)
    {
        GetColDataSource(col)->GetCell(GetColTranslation(col), row, cell);
        OnGetCell(col, row, cell);
        if (CUGCellFormat* format = cell->GetFormatObject())
            format->ApplyDisplayFormat(cell);
        if (CUGCell* style = cell->GetStyleCell())
            cell->MergeFrom(style);
    }
    return 0;
}

int CUGCtrl::SetCell(int col, int row, CUGCell* cell)
{
    if (!cell || col < -m_GI->m_numberSideHdgCols || col >= m_GI->m_numberCols || row < -m_GI->m_numberTopHdgRows ||
        row >= m_GI->m_numberRows)
        return 1;
    OnSetCell(col, row, cell);
    return GetColDataSource(col)->SetCell(GetColTranslation(col), row, cell);
}

int CUGCtrl::DeleteCell(int col, int row)
{
    return GetColDataSource(col)->DeleteCell(GetColTranslation(col), row);
}

int CUGCtrl::QuickGetText(int col, int row, CString* text)
{
    m_cell.ClearAll();
    GetCell(col, row, &m_cell);
    return m_cell.GetTextString(text);
}

const char* CUGCtrl::QuickGetTextPtr(int col, int row)
{
    m_cell.ClearAll();
    GetCell(col, row, &m_cell);
    return m_cell.GetText();
}

template <typename Apply>
int CUGCtrl::QuickSet(int col, int row, Apply apply)
{
    m_cell.ClearAll();
    GetCell(col, row, &m_cell);
    apply(m_cell);
    return SetCell(col, row, &m_cell);
}

int CUGCtrl::QuickSetText(int col, int row, const CString& text)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetText(text); });
}

int CUGCtrl::QuickSetNumber(int col, int row, double number)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetNumber(number); });
}

int CUGCtrl::QuickSetAlignment(int col, int row, WORD alignment)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetAlignment(alignment); });
}

int CUGCtrl::QuickSetBackColor(int col, int row, COLORREF color)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetBackColor(color); });
}

int CUGCtrl::QuickSetTextColor(int col, int row, COLORREF color)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetTextColor(color); });
}

int CUGCtrl::QuickSetBorder(int col, int row, WORD border)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetBorder(border); });
}

int CUGCtrl::QuickSetBorderColor(int col, int row, CPen* pen)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetBorderColor(pen); });
}

int CUGCtrl::QuickSetFont(int col, int row, CFont* font)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetFont(font); });
}

int CUGCtrl::QuickSetFont(int col, int row, int fontIndex)
{
    return QuickSetFont(col, row, GetFont(fontIndex));
}

int CUGCtrl::QuickSetBitmap(int col, int row, CBitmap* bitmap)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetBitmap(bitmap); });
}

int CUGCtrl::QuickSetBitmapIndex(int col, int row, int bitmapIndex)
{
    return QuickSetBitmap(col, row, GetBitmap(bitmapIndex));
}

int CUGCtrl::QuickSetCellType(int col, int row, int type)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetCellType(type); });
}

int CUGCtrl::QuickSetCellTypeEx(int col, int row, long style)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetCellTypeEx(style); });
}

int CUGCtrl::QuickSetLabelText(int col, int row, const CString& text)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetLabelText(text); });
}

int CUGCtrl::SetColDefault(int col, const CUGCell* cell)
{
    if (!cell || col < 0 || col >= m_GI->m_numberCols)
        return 1;
    auto& slot = m_GI->m_colInfo[std::size_t(col)].colDefault;
    if (!slot)
        slot = std::make_unique<CUGCell>();
    slot->AssignFrom(cell);
    return 0;
}

int CUGCtrl::GetColDefault(int col, CUGCell* cell) const
{
    if (!cell || col < 0 || col >= m_GI->m_numberCols || !m_GI->m_colInfo[std::size_t(col)].colDefault)
        return 1;
    cell->AssignFrom(m_GI->m_colInfo[std::size_t(col)].colDefault.get());
    return 0;
}

int CUGCtrl::SetGridDefault(const CUGCell* cell)
{
    return cell ? m_GI->m_gridDefaults.AssignFrom(cell) : 1;
}

int CUGCtrl::GetGridDefault(CUGCell* cell) const
{
    return cell ? cell->AssignFrom(&m_GI->m_gridDefaults) : 1;
}

int CUGCtrl::SetHeadingDefault(const CUGCell* cell)
{
    return cell ? m_GI->m_hdgDefaults.AssignFrom(cell) : 1;
}

int CUGCtrl::GetHeadingDefault(CUGCell* cell) const
{
    return cell ? cell->AssignFrom(&m_GI->m_hdgDefaults) : 1;
}

int CUGCtrl::JoinCells(int startCol, int startRow, int endCol, int endRow)
{
    const CUGGridInfo& gi = *m_GI;
    if (startCol > endCol || startRow > endRow || endCol >= gi.m_numberCols || endRow >= gi.m_numberRows ||
        startCol < -gi.m_numberSideHdgCols || startRow < -gi.m_numberTopHdgRows)
        return 1;
    for (int row = startRow; row <= endRow; ++row)
        for (int col = startCol; col <= endCol; ++col)
        {
            m_cell.ClearAll();
            GetCell(col, row, &m_cell);
            m_cell.SetJoinInfo(FALSE, startCol - col, startRow - row);
            SetCell(col, row, &m_cell);
        }
    m_cell.ClearAll();
    GetCell(startCol, startRow, &m_cell);
    m_cell.SetJoinInfo(TRUE, endCol - startCol, endRow - startRow);
    SetCell(startCol, startRow, &m_cell);
    return 0;
}

int CUGCtrl::GetJoinStartCell(int* col, int* row)
{
    if (!col || !row)
        return 1;
    if (!m_GI->m_enableJoins)
        return 1;
    CUGCell cell;
    GetCellWithDefaults(*col, *row, &cell);
    BOOL origin = FALSE;
    int colOffset = 0, rowOffset = 0;
    if (cell.GetJoinInfo(&origin, &colOffset, &rowOffset) != 0)
        return 2;
    if (!origin)
    {
        *col += colOffset;
        *row += rowOffset;
    }
    return 0;
}

int CUGCtrl::GetJoinRange(int* col, int* row, int* endCol, int* endRow)
{
    if (!col || !row || !endCol || !endRow)
        return 1;
    const int rc = GetJoinStartCell(col, row);
    if (rc != 0)
        return rc;
    CUGCell cell;
    GetCellWithDefaults(*col, *row, &cell);
    BOOL origin = FALSE;
    int colOffset = 0, rowOffset = 0;
    if (cell.GetJoinInfo(&origin, &colOffset, &rowOffset) != 0)
        return 2;
    *endCol = *col + colOffset;
    *endRow = *row + rowOffset;
    return 0;
}

int CUGCtrl::DeleteRow(int row)
{
    if (row < 0 || row >= m_GI->m_numberRows)
        return 1;
    const int rc = m_GI->m_defDataSource->DeleteRow(row);
    if (rc == 0)
        SetNumberRows(m_GI->m_numberRows - 1, TRUE);
    return rc;
}

// ---------------------------------------------------------------- options

int CUGCtrl::EnableJoins(BOOL on)
{
    m_GI->m_enableJoins = on ? 1 : 0;
    return 0;
}

int CUGCtrl::EnableCellOverlap(BOOL on)
{
    m_GI->m_enableCellOverlap = on ? 1 : 0;
    return 0;
}

int CUGCtrl::EnableGridLines(BOOL on)
{
    m_GI->m_enableGridLines = on ? 1 : 0;
    return 0;
}

int CUGCtrl::SetCurrentCellMode(int mode)
{
    if (mode < 0 || mode > 3)
        return 1;
    m_GI->m_currentCellMode = mode;
    return 0;
}

int CUGCtrl::SetHighlightRow(BOOL on, int param)
{
    if (on)
    {
        m_GI->m_currentCellMode = (m_GI->m_currentCellMode | 2) & ~1;
        m_GI->m_highlightRowFlag = 1;
        m_GI->m_highlightRowParam = param;
    }
    else
    {
        m_GI->m_currentCellMode = (m_GI->m_currentCellMode & ~2) | 1;
        m_GI->m_highlightRowFlag = 0;
    }
    return 0;
}

int CUGCtrl::SetMargin(int pixels)
{
    if (pixels < 0)
        return 1;
    m_GI->m_margin = pixels;
    return 0;
}

int CUGCtrl::SetVScrollMode(int mode)
{
    m_GI->m_vScrollMode = mode;
    if (m_CUGVScroll)
        m_CUGVScroll->Update();
    return 0;
}

int CUGCtrl::EnableCellToolTips(BOOL on)
{
    m_GI->m_enableCellTips = 1;
    // Cells, both headings and the corner show their tips together.
    for (CWnd* wnd : std::initializer_list<CWnd*>{m_CUGGrid.get(), m_CUGTopHdg.get(), m_CUGSideHdg.get(), m_CUGCnrBtn.get()})
        if (wnd && wnd->GetSafeHwnd())
            wnd->EnableToolTips(on);
    return 0;
}

int CUGCtrl::SetPaintEnabled(BOOL on)
{
    m_enablePainting = on ? TRUE : FALSE;
    return 0;
}

int CUGCtrl::SetMultiSelectMode(int mode)
{
    return m_GI->m_multiSelect->SetMode(mode);
}

