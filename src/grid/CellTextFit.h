#pragma once
// Texts that show whole: the room the standard cell type needs to draw a cell's text (the text
// in the cell's font, the margin beside left- or right-aligned text, the cell's borders and a
// bitmap before the text), and columns widened to what their cells need.
#include <vector>

class CUGCell;
class CUGCtrl;

// What the cell's border takes of its width at the left and right, as the cell type insets its
// text.
int CellBorderRoom(CUGCtrl& grid, CUGCell& cell);

// Widens every shown column (width above 0) to what the texts of its cells need; a joined cell
// that needs more than its columns give widens the last shown column of its join. The width
// added is taken back from the `givers`, as far as their own cells allow. When the columns then
// need more than `room` (the width the grid shows them in), the grid window widens by the
// difference, for its parent to scroll.
void FitColumnsToTexts(CUGCtrl& grid, const std::vector<int>& givers, int room);

// Whether the text of the cell (of its join's origin, when joined) needs more than the cell's
// width: the grid then draws it cut.
bool IsCellTextCut(CUGCtrl& grid, int col, int row);
