// The demand tables by the keyboard: a current cell that goes through what a click acts on.
#include "study/DemandGrid.h"

#include "grid/CUGCellType.h"
#include "grid/KeyCells.h"

#include <algorithm>

std::vector<CPoint> CDemandGrid::KeyCells() const
{
    std::vector<CPoint> cells;
    for (int b = 0; b < m_blocks; ++b) {
        if (IsBlockHidden(b))
            continue;
        cells.emplace_back(0, BlockStart(b));
        if (!IsBlockCollapsed(b)) {
            cells.emplace_back(kStandardColumn, DataRow(b) + kChoiceRow);
            cells.emplace_back(kAdvancedColumn, DataRow(b) + kChoiceRow);
        }
    }
    return cells;
}

bool CDemandGrid::IsKeyCell(int col, int row) const
{
    const std::vector<CPoint> cells = KeyCells();
    return std::find(cells.begin(), cells.end(), CPoint(col, row)) != cells.end();
}

void CDemandGrid::OnKeyDown(UINT* vcKey, BOOL processed)
{
    CUGCtrl::OnKeyDown(vcKey, processed);
    if (!vcKey || *vcKey == 0)
        return;
    const UINT key = *vcKey;
    const int col = GetCurrentCol();
    const int row = GetCurrentRow();
    const int block = row / kRowsPerBlock;
    if (const std::optional<CPoint> next = KeyCellAfterArrow(KeyCells(), CPoint(col, row), key)) {
        GoToKeyCell(*this, *next);
    } else if ((key == VK_RETURN || key == VK_SPACE) && IsKeyCell(col, row) && col == 0) {
        SetCollapsed(block, !IsBlockCollapsed(block));
        StateChanged();
        RedrawCell(col, row);
    } else if (key == VK_RETURN && IsKeyCell(col, row)) {
        // As Space on the choice takes it.
        UINT space = VK_SPACE;
        GetCellTypeAt(col, row)->OnCharDown(col, row, &space);
    } else if (key == VK_F2 && col == kAdvancedColumn && IsKeyCell(col, row)) {
        OnDClicked(col, row, nullptr, nullptr, FALSE);
    } else if (key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN) {
        return;
    }
    // The grid's own moves go cell by cell, onto cells the keyboard does not stop at.
    *vcKey = 0;
}

void CDemandGrid::OnSetFocus(int section)
{
    CUGCtrl::OnSetFocus(section);
    ArriveByTab(*this, KeyCells());
}
