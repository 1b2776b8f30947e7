#pragma once
// Texts that show whole: the room the standard cell type needs to draw a cell's text (the text
// in the cell's font, the margin beside left- or right-aligned text, the cell's borders and a
// bitmap before the text), and columns widened to what their cells need.
#include <vector>

class CDC;
class CUGCtrl;

// The width the cell's text needs, measured in the context's units with the cell's font (the
// grid's default font when the cell has none); 0 for an empty cell and for cells whose type lays
// out or wraps its text itself. The cell is the origin of its join, when joined.
int CellTextNeed(CUGCtrl& grid, CDC& dc, int col, int row);

// Widens every shown column (width above 0) to what the texts of its cells need; a joined cell
// that needs more than its columns give widens the last shown column of its join. The width
// added is taken back from the `givers`, as far as their own cells allow. When the columns then
// need more than `room` (the width the grid shows them in), the grid window widens by the
// difference, for its parent to scroll.
void FitColumnsToTexts(CUGCtrl& grid, const std::vector<int>& givers, int room);
