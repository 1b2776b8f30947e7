#pragma once
// The cells of a grid the keyboard stops at (those a click acts on), given in reading order, and
// where the arrow keys take the current cell among them.
#include "platform/framework/windows/Geometry.h"

#include <optional>
#include <vector>

class CUGCtrl;

// Up and Down: the first stop of the row above or below; Left and Right: the stop before or
// after. From a cell that is none of them (or hides now) the keys go on from where it stands.
// Nothing for another key or past the ends.
std::optional<CPoint> KeyCellAfterArrow(const std::vector<CPoint>& cells, CPoint current, UINT key);
// The grid's current cell onto that cell, brought into view with the cells joined to it.
void GoToKeyCell(CUGCtrl& grid, CPoint cell);
// Tab arriving at the grid from outside: the current cell onto the first stop (Shift+Tab: the
// last) unless it is on one of them.
void ArriveByTab(CUGCtrl& grid, const std::vector<CPoint>& cells);
