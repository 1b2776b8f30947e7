#pragma once
// Push buttons, check boxes, radio buttons and group boxes (the BS_ type in the style). A click
// sends BN_CLICKED to the parent; automatic check boxes and radio buttons change their own check
// state first, the others leave that to the parent.
#include "platform/framework/windows/CWnd.h"

class CButton : public CWnd
{
public:
    BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetCheck() const;
    void SetCheck(int check);
    UINT GetButtonStyle() const { return UINT(GetStyle() & BS_TYPEMASK); }
};
