#pragma once
// CUGEdit: the in-place editor for ordinary cells (multi-line, scrolling vertically). While the
// text grows it widens over the empty cells to its right and then grows downwards, one whole
// cell at a time, when the cell's text may overflow.
#include "grid/CUGEditBase.h"

class CUGEdit : public CUGEditBase
{
public:
    // Whether the editor may grow with its text (on by default).
    BOOL m_autoSize = TRUE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSetFocus(CWnd* oldWnd) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    BOOL PreTranslateMessage(MSG* msg) override;

private:
    void AutoSize();

    BOOL m_autoSizeNow = FALSE; // for the edit in progress
    int m_firstHeight = 0;
    int m_currentHeight = 0;
    bool m_sizing = false;
};
