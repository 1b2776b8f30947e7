#pragma once
// CUGGrid: the cell area of the grid control. The control forwards its redraw requests here and
// tells it when the view or the current cell moved.
#include "grid/CUGChildWnd.h"

class CUGGrid : public CUGChildWnd
{
public:
    virtual void RedrawCell(int col, int row);
    virtual void RedrawRange(int startCol, int startRow, int endCol, int endRow);
    virtual void RedrawRow(int row);
    // The next painting pass draws no focus rectangle.
    void SetNoFocusRectOnce() { m_noFocusRectOnce = TRUE; }

protected:
    BOOL m_noFocusRectOnce = FALSE;
};
