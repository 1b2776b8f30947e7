// The study tables by the keyboard: a current cell that goes through the cells a click acts on.
#include "study/MyBasicSummaryGrid.h"

#include "grid/CUGCellType.h"
#include "grid/CUGGrid.h"
#include "grid/KeyCells.h"
#include "grid/UGDefs.h"

#include <algorithm>

namespace {

constexpr int kTitleColumn = 0;
constexpr int kHeaderColumn = 1;

} // namespace

std::vector<CPoint> CMyBasicSummaryGrid::KeyCells() const
{
    std::vector<CPoint> cells;
    for (int b = 0; b < m_blocks; ++b) {
        if (IsBlockHidden(b))
            continue;
        cells.emplace_back(kTitleColumn, BlockStart(b));
        for (int g = 0; g < m_groupCount && !IsBlockCollapsed(b); ++g) {
            cells.emplace_back(kHeaderColumn, GroupHeaderRow(b, g));
            for (int row = DataRow(b, g, 0); !IsGroupCollapsed(b, g) && row < DataRow(b, g, 0) + 6; ++row)
                for (int col = 0; col < kColumnCount; ++col)
                    if (FindNumberCell(col, row) >= 0 || FindReferenceCell(col, row) >= 0)
                        cells.emplace_back(col, row);
        }
    }
    return cells;
}

bool CMyBasicSummaryGrid::IsKeyCell(int col, int row) const
{
    const std::vector<CPoint> cells = KeyCells();
    return std::find(cells.begin(), cells.end(), CPoint(col, row)) != cells.end();
}

bool CMyBasicSummaryGrid::ActOnCurrentCell()
{
    const int col = GetCurrentCol();
    const int row = GetCurrentRow();
    if (!IsKeyCell(col, row))
        return false;
    if (FindNumberCell(col, row) >= 0)
        return StartEditAt(col, row) == UG_SUCCESS;
    if (FindReferenceCell(col, row) >= 0) {
        // As Return on its list opens it.
        UINT key = VK_RETURN;
        return GetCellTypeAt(col, row)->OnKeyDown(col, row, &key) != FALSE;
    }
    const int block = row / GetRowsPerBlock();
    if (col == kTitleColumn)
        ToggleBlock(block);
    else
        ToggleGroup(block, (row % GetRowsPerBlock() - 1) / 7);
    StateChanged();
    RedrawCell(col, row);
    return true;
}

void CMyBasicSummaryGrid::OnKeyDown(UINT* vcKey, BOOL processed)
{
    CUGCtrl::OnKeyDown(vcKey, processed);
    const std::vector<CPoint> cells = KeyCells();
    if (!vcKey || *vcKey == 0 || cells.empty())
        return;
    const UINT key = *vcKey;
    if (const std::optional<CPoint> next = KeyCellAfterArrow(cells, CPoint(GetCurrentCol(), GetCurrentRow()), key))
        GoToKeyCell(*this, *next);
    else if (key == VK_RETURN || key == VK_SPACE || key == VK_F2) {
        if (!ActOnCurrentCell())
            return;
    } else if (key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN)
        return;
    // The grid's own moves go cell by cell, onto cells the keyboard does not stop at.
    *vcKey = 0;
}

void CMyBasicSummaryGrid::OnChar(UINT* character, BOOL processed)
{
    CUGCtrl::OnChar(character, processed);
    const int col = GetCurrentCol();
    const int row = GetCurrentRow();
    const bool figure = character && ((*character >= '0' && *character <= '9') || *character == '.' ||
                                      *character == ',' || *character == '-' || *character == '+');
    if (figure && FindNumberCell(col, row) >= 0 && IsKeyCell(col, row) && !m_editInProgress)
        StartEditAt(col, row, int(*character));
}

void CMyBasicSummaryGrid::OnSetFocus(int section)
{
    CUGCtrl::OnSetFocus(section);
    ArriveByTab(*this, KeyCells());
}
