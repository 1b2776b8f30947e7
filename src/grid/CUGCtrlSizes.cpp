// Counts, column widths, row heights and heading sizes of the current sheet, and the scroll limits
// that follow from them.
#include "grid/CUGCellType.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGHScroll.h"
#include "grid/CUGVScroll.h"

#include <algorithm>
#include <numeric>

namespace
{
constexpr int kMaxCols = 32000;
constexpr int kMaxIndividualRows = 64000;
constexpr int kMaxHeadingCount = 64;
constexpr int kMaxHeadingSize = 1024;
constexpr int kMaxRowHeight = 1024;

// Spreads a total over sizes in proportion, rounding each half up; an all-zero set gives the
// whole total to the outermost entry (the last one) rather than dividing by zero.
void ScaleSizes(std::vector<int>& sizes, int total)
{
    const long long sum = std::accumulate(sizes.begin(), sizes.end(), 0LL);
    if (sum <= 0)
    {
        std::fill(sizes.begin(), sizes.end(), 0);
        if (!sizes.empty())
            sizes.back() = total;
        return;
    }
    for (int& size : sizes)
        size = int(double(size) * double(total) / double(sum) + 0.5);
}
} // namespace

void CUGCtrl::CalcLockColWidth()
{
    m_GI->m_lockColWidth = 0;
    for (int c = 0; c < m_GI->m_numLockCols && c < m_GI->m_numberCols; ++c)
        m_GI->m_lockColWidth += m_GI->GetColWidth(c);
}

void CUGCtrl::CalcLockRowHeight()
{
    m_GI->m_lockRowHeight = 0;
    for (int r = 0; r < m_GI->m_numLockRows && r < m_GI->m_numberRows; ++r)
        m_GI->m_lockRowHeight += m_GI->GetRowHeight(r);
}

void CUGCtrl::CalcMaxLeftCol()
{
    CUGGridInfo& gi = *m_GI;
    int rest = gi.m_gridWidth - gi.m_lockColWidth;
    int maxLeft = gi.m_numLockCols;
    for (int c = gi.m_numberCols - 1; c >= gi.m_numLockCols; --c)
    {
        rest -= gi.GetColWidth(c);
        if (rest < 0)
        {
            maxLeft = c + 1;
            break;
        }
    }
    maxLeft = std::max(std::min(maxLeft, gi.m_numberCols - 1), gi.m_numLockCols);
    gi.m_maxLeftCol = maxLeft;
    gi.m_leftCol = std::clamp(gi.m_leftCol, gi.m_numLockCols, maxLeft);
}

void CUGCtrl::CalcMaxTopRow()
{
    CUGGridInfo& gi = *m_GI;
    const int rest = gi.m_gridHeight - gi.m_lockRowHeight;
    int maxTop = gi.m_numLockRows;
    if (gi.m_uniformRowHeight || gi.m_rowHeights.empty())
    {
        const int fitting = gi.m_defRowHeight > 0 ? std::max(rest, 0) / gi.m_defRowHeight : 0;
        if (gi.m_numberRows - gi.m_numLockRows > fitting)
            maxTop = gi.m_numberRows - fitting;
    }
    else
    {
        int left = rest;
        for (int r = gi.m_numberRows - 1; r >= gi.m_numLockRows; --r)
        {
            left -= gi.GetRowHeight(r);
            if (left < 0)
            {
                maxTop = r + 1;
                break;
            }
        }
    }
    maxTop = std::max(std::min(maxTop, gi.m_numberRows - 1), gi.m_numLockRows);
    gi.m_maxTopRow = maxTop;
    gi.m_topRow = std::clamp(gi.m_topRow, gi.m_numLockRows, maxTop);
}

void CUGCtrl::CalcRightColBottomRow()
{
    // The last column and row (partly) shown, never one past the last cell.
    CUGGridInfo& gi = *m_GI;
    gi.m_rightCol = gi.m_numberCols - 1;
    gi.m_rightColWhole = true;
    int x = gi.m_lockColWidth;
    for (int c = std::max(gi.m_leftCol, gi.m_numLockCols); c < gi.m_numberCols; ++c)
    {
        x += gi.GetColWidth(c);
        if (x >= gi.m_gridWidth)
        {
            gi.m_rightCol = c;
            gi.m_rightColWhole = x == gi.m_gridWidth;
            break;
        }
    }
    gi.m_bottomRow = gi.m_numberRows - 1;
    gi.m_bottomRowWhole = true;
    int y = gi.m_lockRowHeight;
    for (int r = std::max(gi.m_topRow, gi.m_numLockRows); r < gi.m_numberRows; ++r)
    {
        y += gi.GetRowHeight(r);
        if (y >= gi.m_gridHeight)
        {
            gi.m_bottomRow = r;
            gi.m_bottomRowWhole = y == gi.m_gridHeight;
            break;
        }
    }
}

void CUGCtrl::RefreshBarsAfterResize(int oldMaxLeftCol, int oldMaxTopRow)
{
    const CUGGridInfo& gi = *m_GI;
    if (!gi.m_paintMode || !GetSafeHwnd())
        return;
    if ((oldMaxLeftCol == 0) != (gi.m_maxLeftCol == 0) || (oldMaxTopRow == 0) != (gi.m_maxTopRow == 0))
    {
        LayoutChildren(); // updates both bars
        return;
    }
    if (m_CUGVScroll)
        m_CUGVScroll->Update();
    if (m_CUGHScroll)
        m_CUGHScroll->Update();
}

int CUGCtrl::SetNumberCols(int count, BOOL redraw)
{
    if (count < 0 || count > kMaxCols)
        return 1;
    CUGGridInfo& gi = *m_GI;
    if (count >= 1 && count <= gi.m_numLockCols)
        gi.m_numLockCols = count - 1;
    const int old = int(gi.m_colInfo.size());
    gi.m_colInfo.resize(std::size_t(count));
    for (int c = old; c < count; ++c)
    {
        UGColInfo& info = gi.m_colInfo[std::size_t(c)];
        info.width = gi.m_defColWidth;
        info.dataSource = gi.m_defDataSource;
        info.colDefault = std::make_unique<CUGCell>();
        info.colDefault->AssignFrom(&gi.m_gridDefaults);
        info.colTranslation = c;
    }
    gi.m_numberCols = count;
    const int oldMaxLeft = gi.m_maxLeftCol;
    CalcLockColWidth();
    CalcMaxLeftCol();
    if (gi.m_currentCol >= count)
    {
        gi.m_currentCol = count - 1;
        gi.m_dragCol = gi.m_currentCol;
    }
    if (gi.m_currentCol < 0 && count >= 1)
    {
        gi.m_currentCol = 0;
        gi.m_dragCol = 0;
    }
    CalcRightColBottomRow();
    RefreshBarsAfterResize(oldMaxLeft, gi.m_maxTopRow);
    if (redraw)
        RedrawAll();
    return 0;
}

int CUGCtrl::SetNumberRows(int count, BOOL redraw)
{
    if (count < 0)
        return 1;
    CUGGridInfo& gi = *m_GI;
    if (count >= 1 && count <= gi.m_numLockRows)
        gi.m_numLockRows = count - 1;
    if (count > kMaxIndividualRows && !gi.m_uniformRowHeight)
        SetUniformRowHeight(TRUE);
    if (!gi.m_uniformRowHeight)
        gi.m_rowHeights.resize(std::size_t(count), gi.m_defRowHeight);
    gi.m_numberRows = count;
    const int oldMaxTop = gi.m_maxTopRow;
    CalcLockRowHeight();
    CalcMaxTopRow();
    if (gi.m_currentRow >= count)
    {
        gi.m_currentRow = count - 1;
        gi.m_lastRow = gi.m_currentRow;
        gi.m_dragRow = gi.m_currentRow;
    }
    if (gi.m_dragRow > count - 1)
        gi.m_dragRow = count - 1;
    if (gi.m_currentRow < 0 && count >= 1)
    {
        gi.m_currentRow = 0;
        gi.m_dragRow = 0;
    }
    CalcRightColBottomRow();
    RefreshBarsAfterResize(gi.m_maxLeftCol, oldMaxTop);
    if (redraw)
        RedrawAll();
    return 0;
}

int CUGCtrl::SetUniformRowHeight(BOOL on)
{
    CUGGridInfo& gi = *m_GI;
    if (on)
    {
        std::vector<int>().swap(gi.m_rowHeights);
        gi.m_uniformRowHeight = 1;
    }
    else if (gi.m_uniformRowHeight)
    {
        gi.m_rowHeights.assign(std::size_t(gi.m_numberRows), gi.m_defRowHeight);
        gi.m_uniformRowHeight = 0;
    }
    return 0;
}

int CUGCtrl::ColWidthAt(int col) const
{
    if (col < 0)
    {
        const std::size_t k = std::size_t(-(col + 1));
        return k < m_GI->m_sideHdgWidths.size() ? m_GI->m_sideHdgWidths[k] : m_GI->m_defColWidth;
    }
    return m_GI->GetColWidth(col);
}

int CUGCtrl::RowHeightAt(int row) const
{
    if (row < 0)
    {
        const std::size_t k = std::size_t(-(row + 1));
        return k < m_GI->m_topHdgHeights.size() ? m_GI->m_topHdgHeights[k] : m_GI->m_defRowHeight;
    }
    return m_GI->GetRowHeight(row);
}

int CUGCtrl::SetColWidth(int col, int width)
{
    if (col < 0)
        return SetSideHdgColWidth(col, width);
    if (col >= m_GI->m_numberCols || width < 0)
        return 1;
    if (GetSafeHwnd() && IsWindowVisible() && m_GI->m_paintMode)
    {
        for (int row = m_GI->m_topRow; row <= m_GI->m_bottomRow; ++row)
            GetCellTypeAt(col, row)->OnChangedCellWidth(col, row, &width);
        OnColSized(col, &width);
        width = std::max(width, 0);
    }
    m_GI->m_colInfo[std::size_t(col)].width = width;
    const int oldMaxLeft = m_GI->m_maxLeftCol;
    if (col < m_GI->m_numLockCols)
        CalcLockColWidth();
    CalcMaxLeftCol();
    CalcRightColBottomRow();
    RefreshBarsAfterResize(oldMaxLeft, m_GI->m_maxTopRow);
    return 0;
}

int CUGCtrl::GetColWidth(int col, int* width) const
{
    if (col >= m_GI->m_numberCols || col < -m_GI->m_numberSideHdgCols || !width)
        return 1;
    *width = ColWidthAt(col);
    return 0;
}

int CUGCtrl::GetColWidth(int col) const
{
    int width = 0;
    return GetColWidth(col, &width) == 0 ? width : 0;
}

int CUGCtrl::SetRowHeight(int row, int height)
{
    if (row < 0)
        return SetTopHdgRowHeight(row, height);
    return SetRowHeights(row, 1, [height](int) { return height; });
}

int CUGCtrl::SetRowHeights(int first, int count, const std::function<int(int)>& heightOf)
{
    if (first < 0 || count < 0 || first >= m_GI->m_numberRows)
        return 1;
    // Rows past the grid's are refused, as SetRowHeight refuses each.
    const int end = std::min(first + count, m_GI->m_numberRows);
    const bool told = GetSafeHwnd() && IsWindowVisible() && m_GI->m_paintMode;
    const int oldMaxTop = m_GI->m_maxTopRow;
    bool lockRows = m_GI->m_uniformRowHeight;
    int result = end < first + count ? 1 : 0;
    for (int row = first; row < end; ++row)
    {
        int height = heightOf(row);
        // A height refused stops the run; the rows before it keep theirs.
        if (height < 0)
        {
            result = 1;
            break;
        }
        if (told)
        {
            for (int col = m_GI->m_leftCol; col <= m_GI->m_rightCol; ++col)
                GetCellTypeAt(col, row)->OnChangedCellHeight(col, row, &height);
            OnRowSized(row, &height);
            height = std::max(height, 0);
        }
        if (m_GI->m_uniformRowHeight)
            m_GI->m_defRowHeight = height;
        else
            m_GI->m_rowHeights[std::size_t(row)] = height;
        lockRows = lockRows || row < m_GI->m_numLockRows;
    }
    if (lockRows)
        CalcLockRowHeight();
    CalcMaxTopRow();
    CalcRightColBottomRow();
    RefreshBarsAfterResize(m_GI->m_maxLeftCol, oldMaxTop);
    return result;
}

int CUGCtrl::GetRowHeight(int row, int* height) const
{
    if (row >= m_GI->m_numberRows || row < -m_GI->m_numberTopHdgRows || !height)
        return 1;
    *height = RowHeightAt(row);
    return 0;
}

int CUGCtrl::GetRowHeight(int row) const
{
    int height = 0;
    return GetRowHeight(row, &height) == 0 ? height : 0;
}

int CUGCtrl::SetDefColWidth(int width)
{
    if (width < 0)
        return 1;
    m_GI->m_defColWidth = width;
    return 0;
}

int CUGCtrl::SetDefRowHeight(int height)
{
    if (height < 1 || height > kMaxRowHeight)
        return 1;
    m_GI->m_defRowHeight = height;
    if (m_GI->m_uniformRowHeight)
    {
        const int oldMaxTop = m_GI->m_maxTopRow;
        CalcLockRowHeight();
        CalcMaxTopRow();
        CalcRightColBottomRow();
        RefreshBarsAfterResize(m_GI->m_maxLeftCol, oldMaxTop);
    }
    return 0;
}

int CUGCtrl::SetTopHdgNumberRows(int count)
{
    if (count < 1 || count > kMaxHeadingCount)
        return 1;
    m_GI->m_topHdgHeights.resize(std::size_t(count), m_GI->m_defRowHeight);
    m_GI->m_numberTopHdgRows = count;
    m_GI->m_topHdgHeight =
        std::min(std::accumulate(m_GI->m_topHdgHeights.begin(), m_GI->m_topHdgHeights.end(), 0), kMaxHeadingSize);
    LayoutChildren();
    return 0;
}

int CUGCtrl::SetSideHdgNumberCols(int count)
{
    if (count < 1 || count > kMaxHeadingCount)
        return 1;
    m_GI->m_sideHdgWidths.resize(std::size_t(count), m_GI->m_defColWidth);
    m_GI->m_numberSideHdgCols = count;
    m_GI->m_sideHdgWidth =
        std::min(std::accumulate(m_GI->m_sideHdgWidths.begin(), m_GI->m_sideHdgWidths.end(), 0), kMaxHeadingSize);
    LayoutChildren();
    return 0;
}

int CUGCtrl::SetTopHdgHeight(int height)
{
    if (height < 0 || height > kMaxHeadingSize)
        return 1;
    m_GI->m_topHdgHeight = height;
    ScaleSizes(m_GI->m_topHdgHeights, height);
    LayoutChildren();
    return 0;
}

int CUGCtrl::SetSideHdgWidth(int width)
{
    if (width < 0 || width > kMaxHeadingSize)
        return 1;
    m_GI->m_sideHdgWidth = width;
    ScaleSizes(m_GI->m_sideHdgWidths, width);
    LayoutChildren();
    return 0;
}

int CUGCtrl::SetTopHdgRowHeight(int row, int height)
{
    if (row >= 0 || row < -m_GI->m_numberTopHdgRows || height < 0)
        return 1;
    if (height > kMaxHeadingSize)
        return 2;
    m_GI->m_topHdgHeights[std::size_t(-(row + 1))] = height;
    if (m_GI->m_numberTopHdgRows == 1)
        m_GI->m_topHdgHeight = height;
    LayoutChildren();
    return 0;
}

int CUGCtrl::GetTopHdgRowHeight(int row) const
{
    return row < 0 && row >= -m_GI->m_numberTopHdgRows ? RowHeightAt(row) : 0;
}

int CUGCtrl::SetSideHdgColWidth(int col, int width)
{
    if (col >= 0 || col < -m_GI->m_numberSideHdgCols || width < 0)
        return 1;
    if (width > kMaxHeadingSize)
        return 2;
    m_GI->m_sideHdgWidths[std::size_t(-(col + 1))] = width;
    if (m_GI->m_numberSideHdgCols == 1)
        m_GI->m_sideHdgWidth = width;
    LayoutChildren();
    return 0;
}

int CUGCtrl::GetSideHdgColWidth(int col) const
{
    return col < 0 && col >= -m_GI->m_numberSideHdgCols ? ColWidthAt(col) : 0;
}

int CUGCtrl::LockColumns(int count)
{
    if (count < 0 || count > m_GI->m_numberCols)
        return 1;
    m_GI->m_numLockCols = count;
    CalcLockColWidth();
    m_GI->m_leftCol = count;
    m_GI->m_lastLeftCol = count;
    CalcMaxLeftCol();
    CalcRightColBottomRow();
    return 0;
}

int CUGCtrl::LockRows(int count)
{
    if (count < 0 || count > m_GI->m_numberRows)
        return 1;
    m_GI->m_numLockRows = count;
    CalcLockRowHeight();
    m_GI->m_topRow = count;
    m_GI->m_lastTopRow = count;
    CalcMaxTopRow();
    CalcRightColBottomRow();
    return 0;
}

int CUGCtrl::MoveColumn(int fromCol, int toCol)
{
    auto& cols = m_GI->m_colInfo;
    if (fromCol < 0 || toCol < 0 || fromCol >= m_GI->m_numberCols || toCol >= m_GI->m_numberCols)
        return 1;
    UGColInfo moved = std::move(cols[std::size_t(fromCol)]);
    cols.erase(cols.begin() + fromCol);
    cols.insert(cols.begin() + toCol, std::move(moved));
    CalcLockColWidth();
    RedrawAll();
    return 0;
}

