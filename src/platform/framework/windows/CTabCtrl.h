#pragma once
// The tab control: a row of tabs. A user's pick sends WM_NOTIFY to the parent with NM_CLICK and
// TCN_SELCHANGE; SetCurSel notifies nobody.
#include "platform/framework/windows/CWnd.h"

class CTabCtrl : public CWnd
{
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    LONG InsertItem(int index, LPCTSTR text);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    // A disabled tab shows greyed and a click does not pick it; SetCurSel still may.
    BOOL EnableItem(int index, BOOL enable = TRUE);
    BOOL IsItemEnabled(int index) const;
    int GetItemCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    BOOL GetItemRect(int index, LPRECT rect) const;
    // Larger: the window rectangle for a display area; otherwise the display area of a window
    // rectangle (below the tabs).
    void AdjustRect(BOOL larger, LPRECT rect) const;
};
