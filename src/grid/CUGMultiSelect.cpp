#include "grid/CUGMultiSelect.h"

#include "grid/CUGCtrl.h"

#include <algorithm>

void CUGMultiSelect::Normalise(Block& block) const
{
    block.left = std::min(block.startCol, block.endCol);
    block.right = std::max(block.startCol, block.endCol);
    block.top = std::min(block.startRow, block.endRow);
    block.bottom = std::max(block.startRow, block.endRow);
    if (RowMode())
    {
        block.left = 0;
        block.right = m_ctrl ? m_ctrl->GetNumberCols() : 0;
    }
}

void CUGMultiSelect::Notify(const Block& block)
{
    if (m_ctrl)
        m_ctrl->OnSelectionChanged(block.right, block.top, block.left, block.bottom, m_blockNumber);
}

void CUGMultiSelect::Redraw(const Block& block)
{
    if (m_ctrl)
        m_ctrl->RedrawRange(block.left, block.top, block.right, block.bottom);
}

int CUGMultiSelect::ClearAll()
{
    const auto old = std::move(m_blocks);
    m_blocks.clear();
    m_building = false;
    m_blockNumber = 0;
    m_lastCol = -1;
    m_lastRow = -1;
    m_enumActive = false;
    for (const auto& block : old)
        Redraw(block);
    return 0;
}

int CUGMultiSelect::StartBlock(int col, int row)
{
    m_startCol = col;
    m_startRow = row;
    Block block{col, col, row, row, 0, 0, 0, 0, true};
    Normalise(block);
    m_blocks.push_back(block);
    m_building = true;
    ++m_blockNumber;
    m_lastCol = col;
    m_lastRow = row;
    Notify(block);
    Redraw(block);
    return 0;
}

int CUGMultiSelect::EndBlock(int col, int row)
{
    if (!m_building || m_blocks.empty())
        return StartBlock(col, row);
    Block& block = m_blocks.back();
    const Block before = block;
    block.endCol = col;
    block.endRow = row;
    Normalise(block);
    block.selected = true;
    m_lastCol = col;
    m_lastRow = row;
    const Block after = block;
    Notify(after);
    // Only what entered or left the block needs painting: the difference lies in the union.
    Redraw(Block{0, 0, 0, 0, std::min(before.left, after.left), std::max(before.right, after.right),
                 std::min(before.top, after.top), std::max(before.bottom, after.bottom), true});
    return 0;
}

int CUGMultiSelect::OnLClick(int col, int row, UINT keyFlags)
{
    if (!Active())
        return 1;
    if (keyFlags & MK_SHIFT)
        EndBlock(col, row);
    else if (keyFlags & MK_CONTROL)
        StartBlock(col, row);
    else
    {
        ClearAll();
        StartBlock(col, row);
    }
    return 0;
}

int CUGMultiSelect::OnRClick(int col, int row, UINT /*keyFlags*/)
{
    if (!Active())
        return 1;
    if (!IsSelected(col, row))
    {
        ClearAll();
        StartBlock(col, row);
    }
    return 0;
}

int CUGMultiSelect::OnKeyMove(int col, int row)
{
    if (!Active())
        return 1;
    if (col == m_lastCol && row == m_lastRow)
        return 0;
    const UINT flags = m_ctrl ? m_ctrl->m_GI->m_moveFlags : 0;
    if (flags & MK_SHIFT)
        EndBlock(col, row);
    else if (!(flags & MK_CONTROL))
    {
        ClearAll();
        StartBlock(col, row);
    }
    return 0;
}

int CUGMultiSelect::OnMouseMove(int col, int row, UINT keyFlags)
{
    if (!Active() || !(keyFlags & (MK_LBUTTON | MK_RBUTTON)))
        return 1;
    if (col != m_lastCol || row != m_lastRow)
        EndBlock(col, row);
    return 0;
}

int CUGMultiSelect::ToggleCell(int col, int row)
{
    for (auto it = m_blocks.rbegin(); it != m_blocks.rend(); ++it)
        if (it->startCol == col && it->endCol == col && it->startRow == row && it->endRow == row)
        {
            it->selected = !it->selected;
            Redraw(*it);
            return 0;
        }
    const BOOL wasSelected = IsSelected(col, row);
    StartBlock(col, row);
    m_blocks.back().selected = !wasSelected;
    Redraw(m_blocks.back());
    return 0;
}

int CUGMultiSelect::GetOrigin(int* col, int* row)
{
    if (!m_building)
        return 1;
    if (col)
        *col = m_startCol;
    if (row)
        *row = m_startRow;
    return 0;
}

int CUGMultiSelect::GetCurrentBlock(int* left, int* top, int* right, int* bottom)
{
    if (!m_building || m_blocks.empty())
        return 1;
    const Block& b = m_blocks.back();
    if (left) *left = b.left;
    if (top) *top = b.top;
    if (right) *right = b.right;
    if (bottom) *bottom = b.bottom;
    return 0;
}

int CUGMultiSelect::GetTotalRange(int* left, int* top, int* right, int* bottom)
{
    if (m_blocks.empty())
        return 1;
    int l = m_blocks.front().left, t = m_blocks.front().top, r = m_blocks.front().right, b = m_blocks.front().bottom;
    for (const auto& block : m_blocks)
    {
        l = std::min(l, block.left);
        t = std::min(t, block.top);
        r = std::max(r, block.right);
        b = std::max(b, block.bottom);
    }
    if (left) *left = l;
    if (top) *top = t;
    if (right) *right = r;
    if (bottom) *bottom = b;
    return 0;
}

int CUGMultiSelect::GetBlockNumber()
{
    return m_blockNumber;
}

int CUGMultiSelect::DecidingBlock(bool testCol, int col, bool testRow, int row) const
{
    const bool firstDecides = (m_mode & UG_MULTISELECT_NODESELECT) != 0;
    int found = -1;
    for (std::size_t i = 0; i < m_blocks.size(); ++i)
    {
        const Block& b = m_blocks[i];
        const bool inCols = !testCol || (col >= b.left && col <= b.right);
        const bool inRows = !testRow || (row >= b.top && row <= b.bottom);
        if (inCols && inRows)
        {
            found = int(i);
            if (firstDecides)
                break;
        }
    }
    return found;
}

BOOL CUGMultiSelect::IsSelected(int col, int row, int* block)
{
    const int index = DecidingBlock(!RowMode(), col, true, row);
    if (index < 0)
        return FALSE;
    if (block)
        *block = index;
    return m_blocks[std::size_t(index)].selected ? TRUE : FALSE;
}

BOOL CUGMultiSelect::IsColSelected(int col)
{
    const int index = DecidingBlock(true, RowMode() ? 1 : col, false, 0);
    return index >= 0 && m_blocks[std::size_t(index)].selected ? TRUE : FALSE;
}

BOOL CUGMultiSelect::IsRowSelected(int row)
{
    const int index = DecidingBlock(false, 0, true, row);
    return index >= 0 && m_blocks[std::size_t(index)].selected ? TRUE : FALSE;
}

int CUGMultiSelect::SetMode(int mode)
{
    ClearAll();
    m_mode = mode;
    return 0;
}

int CUGMultiSelect::GetMode()
{
    return m_mode;
}

bool CUGMultiSelect::NextSelectedFrom(int col, int row, int* outCol, int* outRow)
{
    for (int r = row; r <= m_enumBottom; ++r)
    {
        if (RowMode())
        {
            if (IsSelected(m_enumLeft, r))
            {
                *outCol = m_enumLeft;
                *outRow = r;
                return true;
            }
            continue;
        }
        for (int c = (r == row ? col : m_enumLeft); c <= m_enumRight; ++c)
            if (IsSelected(c, r))
            {
                *outCol = c;
                *outRow = r;
                return true;
            }
    }
    return false;
}

int CUGMultiSelect::EnumFirstSelected(int* col, int* row)
{
    if (!col || !row)
        return 1;
    if (m_blocks.empty())
    {
        m_enumActive = false;
        if (!m_ctrl)
            return 1;
        *col = m_ctrl->GetCurrentCol();
        *row = m_ctrl->GetCurrentRow();
        return 0;
    }
    GetTotalRange(&m_enumLeft, &m_enumTop, &m_enumRight, &m_enumBottom);
    m_enumActive = NextSelectedFrom(m_enumLeft, m_enumTop, &m_enumCol, &m_enumRow);
    if (!m_enumActive)
        return 1;
    *col = m_enumCol;
    *row = m_enumRow;
    return 0;
}

int CUGMultiSelect::EnumNextSelected(int* col, int* row)
{
    if (!m_enumActive || !col || !row)
        return 1;
    int c = m_enumCol + 1, r = m_enumRow;
    if (RowMode() || c > m_enumRight)
    {
        c = m_enumLeft;
        ++r;
    }
    m_enumActive = NextSelectedFrom(c, r, &m_enumCol, &m_enumRow);
    if (!m_enumActive)
        return 1;
    *col = m_enumCol;
    *row = m_enumRow;
    return 0;
}

int CUGMultiSelect::EnumFirstBlock(int* left, int* top, int* right, int* bottom)
{
    m_enumBlock = 0;
    return EnumNextBlock(left, top, right, bottom);
}

int CUGMultiSelect::EnumNextBlock(int* left, int* top, int* right, int* bottom)
{
    if (m_enumBlock >= m_blocks.size())
        return 1;
    const Block& b = m_blocks[m_enumBlock++];
    if (left) *left = b.left;
    if (top) *top = b.top;
    if (right) *right = b.right;
    if (bottom) *bottom = b.bottom;
    return 0;
}
