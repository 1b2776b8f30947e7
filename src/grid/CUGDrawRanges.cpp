#include "grid/CUGDrawRanges.h"

#include <algorithm>

void CUGDrawRanges::AddRange(int startCol, int startRow, int endCol, int endRow)
{
    if (m_ranges.empty())
    {
        m_minCol = startCol;
        m_maxCol = endCol;
        m_minRow = startRow;
        m_maxRow = endRow;
    }
    else
    {
        m_minCol = std::min(m_minCol, startCol);
        m_maxCol = std::max(m_maxCol, endCol);
        m_minRow = std::min(m_minRow, startRow);
        m_maxRow = std::max(m_maxRow, endRow);
    }
    m_ranges.push_back({startCol, startRow, endCol, endRow});
}

void CUGDrawRanges::Clear()
{
    m_ranges.clear();
    m_drawnOrigins.clear();
}

bool CUGDrawRanges::Contains(int col, int row) const
{
    if (m_ranges.empty() || col < m_minCol || col > m_maxCol || row < m_minRow || row > m_maxRow)
        return false;
    return std::any_of(m_ranges.begin(), m_ranges.end(), [&](const Range& r) {
        return col >= r.startCol && col <= r.endCol && row >= r.startRow && row <= r.endRow;
    });
}

bool CUGDrawRanges::OriginDrawn(int col, int row) const
{
    return std::any_of(m_drawnOrigins.begin(), m_drawnOrigins.end(),
                       [&](const Cell& c) { return c.col == col && c.row == row; });
}

void CUGDrawRanges::MarkOriginDrawn(int col, int row)
{
    m_drawnOrigins.push_back({col, row});
}
