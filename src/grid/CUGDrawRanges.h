#pragma once
// CUGDrawRanges: the cells to draw in the next painting pass of the cell area or a heading, and
// the joined ranges already drawn in that pass, so that a joined range is drawn once.
#include <vector>

class CUGDrawRanges
{
public:
    // Bounds inclusive.
    void AddRange(int startCol, int startRow, int endCol, int endRow);
    void AddCell(int col, int row) { AddRange(col, row, col, row); }
    void Clear();
    bool IsEmpty() const { return m_ranges.empty(); }
    bool Contains(int col, int row) const;
    bool OriginDrawn(int col, int row) const;
    void MarkOriginDrawn(int col, int row);

private:
    struct Range
    {
        int startCol, startRow, endCol, endRow;
    };
    struct Cell
    {
        int col, row;
    };
    std::vector<Range> m_ranges;
    std::vector<Cell> m_drawnOrigins;
    int m_minCol = 0, m_maxCol = 0, m_minRow = 0, m_maxRow = 0;
};
