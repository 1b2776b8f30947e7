// The study tables by the keyboard: a current cell that goes through the cells a click acts on.
#include "study/MyBasicSummaryGrid.h"

#include "grid/CUGCellType.h"
#include "grid/CUGGrid.h"
#include "grid/UGDefs.h"
#include "platform/framework/windows/FocusChain.h"

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

void CMyBasicSummaryGrid::GoToKeyCell(const CPoint& cell)
{
    if (GotoCell(cell.x, cell.y) != UG_SUCCESS)
        return;
    CRect rect;
    if (GetJoinedCellRect(cell.x, cell.y, &rect) == UG_SUCCESS && m_CUGGrid)
        BringIntoView(*m_CUGGrid, rect);
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
    const CPoint current(GetCurrentCol(), GetCurrentRow());
    const auto at = std::find(cells.begin(), cells.end(), current);
    // A current cell that is none of them (or hides now) goes on from where it stands.
    const auto after = std::find_if(cells.begin(), cells.end(), [&](const CPoint& c) { return c.y > current.y; });
    const auto before = std::find_if(cells.rbegin(), cells.rend(), [&](const CPoint& c) { return c.y < current.y; });
    switch (*vcKey) {
    case VK_DOWN:
        if (after != cells.end())
            GoToKeyCell(*after);
        else if (at == cells.end())
            GoToKeyCell(cells.back());
        break;
    case VK_UP:
        if (before != cells.rend())
            GoToKeyCell(*std::find_if(cells.begin(), cells.end(), [&](const CPoint& c) { return c.y == before->y; }));
        else if (at == cells.end())
            GoToKeyCell(cells.front());
        break;
    case VK_RIGHT:
        if (at != cells.end() && at + 1 != cells.end())
            GoToKeyCell(*(at + 1));
        else if (at == cells.end())
            GoToKeyCell(after != cells.end() ? *after : cells.back());
        break;
    case VK_LEFT:
        if (at != cells.end() && at != cells.begin())
            GoToKeyCell(*(at - 1));
        else if (at == cells.end())
            GoToKeyCell(before != cells.rend() ? *before : cells.front());
        break;
    case VK_RETURN:
    case VK_SPACE:
    case VK_F2:
        if (!ActOnCurrentCell())
            return;
        break;
    default:
        return;
    }
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
    if (GetKeyState(VK_TAB) >= 0 || IsKeyCell(GetCurrentCol(), GetCurrentRow()))
        return;
    const std::vector<CPoint> cells = KeyCells();
    if (!cells.empty())
        GoToKeyCell(GetKeyState(VK_SHIFT) < 0 ? cells.back() : cells.front());
}
