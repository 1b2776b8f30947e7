#pragma once
// Tab and Shift+Tab in a window that is no dialog (the main window with its pages), as a dialog
// has them: the focus goes round the tab stops of the top-level window. Tab stops are the visible,
// enabled windows of some size with WS_TABSTOP (the tab strip holding its pages is one too); a window keeps Tab
// only while it answers WM_GETDLGCODE with DLGC_WANTTAB. Windows that hold each other go outside
// in; side by side, in reading order (rows from the top, left to right within a row), and the
// controls of a dialog template in the template's order. A radio group is one stop, at its
// checked button. Where Tab comes to shows: the windows holding it that scroll bring it into
// view.
#include "platform/framework/windows/CWnd.h"

#include <vector>

// The tab stops of the window's top-level window, in order.
std::vector<CWnd*> GetTabStops(CWnd& anyWindow);
// The focus to the next (previous) tab stop after the one that holds the focus window, round;
// the window that took it, null when there is none.
CWnd* MoveFocusToNextTabStop(CWnd& focus, bool backwards);
// Each window holding the focus window that scrolls with scroll bars of its own is asked (with
// WM_VSCROLL and WM_HSCROLL, SB_THUMBPOSITION) to bring it into view, the innermost first: whole
// when it has the room; a larger window only when none of it shows.
void BringIntoView(CWnd& focus);
// The same for a part of a window (client coordinates), such as a grid's current cell.
void BringIntoView(CWnd& window, const CRect& part);
