#pragma once
// Grids that keep their right edge at a fixed distance to their parent's client right edge when
// the parent changes its width.
class CWnd;

// The distance from the grid's right edge to its parent's client right edge (0 without a parent).
int GridRememberRightMargin(CWnd& grid);
// Widens or narrows the grid, its left edge and height kept, so that its right edge is `margin`
// pixels from the parent's client right edge; never narrower than 0.
void GridKeepRightMargin(CWnd& grid, int margin);
