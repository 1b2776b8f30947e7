#pragma once
// Push buttons, check boxes, radio buttons and group boxes (the BS_ type in the style). A click
// sends BN_CLICKED to the parent; automatic check boxes and radio buttons change their own check
// state first, the others leave that to the parent. A push button may show a bitmap (BM_SETIMAGE):
// beside its text, or alone with BS_BITMAP. The caller keeps the bitmap alive while it is set.
#include "platform/framework/windows/CWnd.h"

class CButton : public CWnd
{
public:
    BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetCheck() const;
    void SetCheck(int check);
    UINT GetButtonStyle() const { return UINT(GetStyle() & BS_TYPEMASK); }
    // Returns the bitmap shown before (null for none); a null bitmap removes it.
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
};
