#include "grid/KeyCells.h"

#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "platform/framework/windows/FocusChain.h"
#include "platform/framework/windows/Messages.h"

#include <algorithm>

std::optional<CPoint> KeyCellAfterArrow(const std::vector<CPoint>& cells, CPoint current, UINT key)
{
    if (cells.empty())
        return std::nullopt;
    const auto at = std::find(cells.begin(), cells.end(), current);
    const bool stop = at != cells.end();
    const auto after = std::find_if(cells.begin(), cells.end(), [&](const CPoint& c) { return c.y > current.y; });
    const auto before = std::find_if(cells.rbegin(), cells.rend(), [&](const CPoint& c) { return c.y < current.y; });
    switch (key) {
    case VK_DOWN:
        if (after != cells.end())
            return *after;
        return stop ? std::nullopt : std::optional<CPoint>(cells.back());
    case VK_UP:
        if (before != cells.rend())
            return *std::find_if(cells.begin(), cells.end(), [&](const CPoint& c) { return c.y == before->y; });
        return stop ? std::nullopt : std::optional<CPoint>(cells.front());
    case VK_RIGHT:
        if (stop)
            return at + 1 != cells.end() ? std::optional<CPoint>(*(at + 1)) : std::nullopt;
        return after != cells.end() ? *after : cells.back();
    case VK_LEFT:
        if (stop)
            return at != cells.begin() ? std::optional<CPoint>(*(at - 1)) : std::nullopt;
        return before != cells.rend() ? *before : cells.front();
    default: return std::nullopt;
    }
}

void GoToKeyCell(CUGCtrl& grid, CPoint cell)
{
    CRect rect;
    if (grid.GotoCell(cell.x, cell.y) == UG_SUCCESS && grid.GetJoinedCellRect(cell.x, cell.y, &rect) == UG_SUCCESS &&
        grid.m_CUGGrid)
        BringIntoView(*grid.m_CUGGrid, rect);
}

void ArriveByTab(CUGCtrl& grid, const std::vector<CPoint>& cells)
{
    const CPoint current(grid.GetCurrentCol(), grid.GetCurrentRow());
    if (GetKeyState(VK_TAB) >= 0 || cells.empty() || std::find(cells.begin(), cells.end(), current) != cells.end())
        return;
    GoToKeyCell(grid, GetKeyState(VK_SHIFT) < 0 ? cells.back() : cells.front());
}
