#include "grid/CellTextFit.h"

#include "grid/CUGCell.h"
#include "grid/CUGCellType.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGridInfo.h"
#include "grid/UGDefs.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/WindowStyles.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int kBitmapMargin = 2; // on both sides of a cell's bitmap, as the cell type draws it

constexpr WORD kLeftLine = 0x1;  // the thin line of a border's left side; medium and thick 4 and 8 bits up
constexpr WORD kRightLine = 0x4;

// The room a cell's bitmap takes before the text in a cell of that height.
int BitmapRoom(CBitmap& bitmap, int height)
{
    const CSize own = bitmap.GetSize();
    if (own.cx <= 0 || own.cy <= 0)
        return 0;
    if (height <= 0 || own.cy <= height - 2 * kBitmapMargin)
        return 2 * kBitmapMargin + own.cx;
    const int stretched = height - 2 * kBitmapMargin;
    return stretched > 0 ? 2 * kBitmapMargin + own.cx * ((stretched * 100) / own.cy) / 100 : 0;
}

struct SJoinedNeed
{
    int first;
    int last;
    int need;
};

int Sum(const std::vector<int>& widths, int first, int last)
{
    return std::accumulate(widths.begin() + first, widths.begin() + last + 1, 0);
}

// The height of the cell with the rows joined to it.
int JoinedHeight(CUGCtrl& grid, CUGCell& cell, int col, int row)
{
    int startCol = col, startRow = row, endCol = col, endRow = row;
    if (!cell.IsPropertySet(UGCELL_JOIN_SET) || grid.GetJoinRange(&startCol, &startRow, &endCol, &endRow) != UG_SUCCESS)
        return grid.GetRowHeight(row);
    int height = 0;
    for (; startRow <= endRow; ++startRow)
        height += grid.GetRowHeight(startRow);
    return height;
}

// The narrowest width at which a panel of several fonts, its lines broken to that width, fits the
// height of its cell; 0 when none up to kWidestPanel does. Each layout costs a text measurement
// per run, so the search takes what a layout tells besides fitting: lines broken to a width are
// as wide as their widest one, and break the same at that width, which therefore fits as well;
// and no width below the widest word fits.
constexpr int kWidestPanel = 4096;
int PanelNeed(CUGCellType& type, CDC& dc, CUGCell& cell, int height)
{
    const auto layOut = [&](int width) {
        CSize size(width, height);
        type.GetBestSize(&dc, &size, &cell);
        return size;
    };
    const auto fits = [&](int width, CSize size) { return size.cx <= width && size.cy <= height; };
    if (height <= 0)
        return 0;
    const CSize widest = layOut(kWidestPanel);
    if (!fits(kWidestPanel, widest))
        return 0;
    int wide = std::max(1, int(widest.cx));
    int tooNarrow = std::max(0, int(layOut(1).cx) - 1);
    // A tall panel fits at its widest word.
    int next = tooNarrow + 1;
    while (wide - tooNarrow > 1) {
        const int width = next > tooNarrow && next < wide ? next : (tooNarrow + wide) / 2;
        next = 0;
        const CSize size = layOut(width);
        if (fits(width, size))
            wide = std::max(tooNarrow + 1, int(size.cx));
        else
            tooNarrow = std::max(width, int(size.cx) - 1);
    }
    return wide;
}

// The width the cell's text needs, measured in the context's units with the cell's font (the
// grid's default font when the cell has none); for a check box its mark with its label, for a line
// of several fonts (a cost amount) its runs, for a panel of several fonts the width at which its
// lines fit its height. 0 for an empty cell and for other cells that wrap their text. The cell is
// the origin of its join, when joined, as the grid gives it with its defaults.
int CellTextNeed(CUGCtrl& grid, CDC& dc, CUGCell& cell, int col, int row)
{
    CUGCellType* type = cell.GetCellType() != 0 ? grid.GetCellType(cell.GetCellType()) : nullptr;
    const char* text = cell.GetText();
    const bool severalFonts = type && type->GetName() == "Multi-Font" && text && *text;
    if (cell.GetCellTypeEx() & UGCT_NORMALMULTILINE) {
        const int need = severalFonts ? PanelNeed(*type, dc, cell, JoinedHeight(grid, cell, col, row)) : 0;
        return need > 0 ? need + CellBorderRoom(grid, cell) : 0;
    }
    if (type) {
        const char* label = cell.GetLabelText();
        if (!severalFonts && (type->GetName() != "CheckBox" || !label || !*label))
            return 0;
        CSize size(grid.GetColWidth(col), grid.GetRowHeight(row));
        type->GetBestSize(&dc, &size, &cell);
        return size.cx + CellBorderRoom(grid, cell);
    }
    if (cell.GetCellType() != 0 || !text || !*text)
        return 0;
    const int height = JoinedHeight(grid, cell, col, row);
    CFont* font = cell.IsPropertySet(UGCELL_FONT_SET) && cell.GetFont() ? cell.GetFont() : grid.m_GI->m_defFont;
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    const int textWidth = dc.GetTextExtent(text).cx;
    if (old)
        dc.SelectObject(old);
    int need = textWidth + CellBorderRoom(grid, cell);
    // A text that ends with an ellipsis when cut keeps 3 pixels free beside it (on both sides
    // unless it is left-aligned); any other keeps the grid's margin unless it is centred.
    if (cell.GetCellTypeEx() & UGCT_NORMALELLIPSIS)
        need += (cell.GetAlignment() & (UG_ALIGNCENTER | UG_ALIGNRIGHT)) ? 6 : 3;
    else if (!(cell.GetAlignment() & UG_ALIGNCENTER))
        need += grid.m_GI->m_margin;
    if (CBitmap* bitmap = cell.GetBitmap())
        need += BitmapRoom(*bitmap, height);
    return need;
}

} // namespace

// What the cell's border takes of its width at the left and right, as the cell type insets its
// text: one to three lines a side, a three-dimensional edge, the grid lines at the right.
int CellBorderRoom(CUGCtrl& grid, CUGCell& cell)
{
    const bool gridLines = grid.m_GI->m_enableGridLines;
    if (!cell.IsPropertySet(UGCELL_BORDERSTYLE_SET) && !gridLines)
        return 0;
    const WORD border = cell.GetBorder();
    if (border & (UG_BDR_RECESSED | UG_BDR_RAISED))
        return 2 * grid.m_GI->m_threeDHeight;
    int left = 0;
    int right = 0;
    for (int width = 1; width <= 3; ++width) {
        const int shift = 4 * (width - 1);
        left = (border & (kLeftLine << shift)) ? width : left;
        right = (border & (kRightLine << shift)) ? width : right;
    }
    return left + (gridLines ? std::max(right, 1) : right);
}

void FitColumnsToTexts(CUGCtrl& grid, const std::vector<int>& givers, int room)
{
    const int cols = grid.GetNumberCols();
    if (cols <= 0)
        return;
    std::vector<int> widths;
    for (int col = 0; col < cols; ++col)
        widths.push_back(grid.GetColWidth(col));
    std::vector<int> needs(widths.size(), 0);
    std::vector<SJoinedNeed> joined;
    CClientDC dc(&grid);
    for (int row = 0; row < grid.GetNumberRows(); ++row)
        for (int col = 0; col < cols; ++col) {
            // The cell is fetched once: its join tells where the join it belongs to starts and ends.
            CUGCell cell;
            if (grid.GetCellWithDefaults(col, row, &cell) != UG_SUCCESS)
                continue;
            BOOL origin = FALSE;
            int colOffset = 0;
            int rowOffset = 0;
            int endCol = col;
            if (grid.m_GI->m_enableJoins && cell.GetJoinInfo(&origin, &colOffset, &rowOffset) == 0) {
                if (!origin && (colOffset != 0 || rowOffset != 0))
                    continue; // a join's text is its origin's
                if (origin)
                    endCol = col + colOffset;
            }
            const int need = CellTextNeed(grid, dc, cell, col, row);
            if (need <= 0)
                continue;
            const int last = std::min(std::max(col, endCol), cols - 1);
            if (last == col)
                needs[std::size_t(col)] = std::max(needs[std::size_t(col)], need);
            else
                joined.push_back({col, last, need});
        }
    const std::vector<int> before = widths;
    int added = 0;
    for (std::size_t col = 0; col < widths.size(); ++col)
        if (widths[col] > 0 && widths[col] < needs[col]) {
            added += needs[col] - widths[col];
            widths[col] = needs[col];
        }
    for (const SJoinedNeed& join : joined) {
        const int room = Sum(widths, join.first, join.last);
        int last = join.last;
        while (last > join.first && widths[std::size_t(last)] == 0)
            --last;
        if (room > 0 && room < join.need) {
            widths[std::size_t(last)] += join.need - room;
            added += join.need - room;
        }
    }
    for (const int giver : givers) {
        if (giver < 0 || giver >= cols || added <= 0)
            continue;
        // A giver keeps what its own cells and the joins across it need.
        int floor = needs[std::size_t(giver)];
        for (const SJoinedNeed& join : joined)
            if (join.first <= giver && giver <= join.last)
                floor = std::max(floor, join.need - (Sum(widths, join.first, join.last) - widths[std::size_t(giver)]));
        const int taken = std::clamp(widths[std::size_t(giver)] - floor, 0, added);
        widths[std::size_t(giver)] -= taken;
        added -= taken;
    }
    for (int col = 0; col < cols; ++col)
        if (widths[std::size_t(col)] != before[std::size_t(col)])
            grid.SetColWidth(col, widths[std::size_t(col)]);
    const int total = Sum(widths, 0, cols - 1);
    if (total > room) {
        CRect window;
        grid.GetWindowRect(&window);
        grid.SetWindowPos(nullptr, 0, 0, window.Width() + total - room, window.Height(), SWP_NOMOVE | SWP_NOZORDER);
    }
}

bool IsCellTextCut(CUGCtrl& grid, int col, int row)
{
    int startCol = col, startRow = row, endCol = col, endRow = row;
    if (grid.GetJoinRange(&startCol, &startRow, &endCol, &endRow) == UG_SUCCESS) {
        col = startCol;
        row = startRow;
    }
    CClientDC dc(&grid);
    int width = 0;
    for (int c = col; c <= std::max(col, endCol); ++c)
        width += grid.GetColWidth(c);
    CUGCell cell;
    return grid.GetCellWithDefaults(col, row, &cell) == UG_SUCCESS && CellTextNeed(grid, dc, cell, col, row) > width;
}
