#pragma once
// CUGHScroll: the horizontal scroll bar of the grid control. It works in columns and turns
// scroll requests into moves of the left column.
#include "grid/CUGChildWnd.h"

class CUGHScroll : public CUGChildWnd
{
public:
    // A scroll request (SB_ code and thumb position) forwarded by the control.
    void HScroll(UINT code, UINT pos);
    // Brings range and position in line with the sheet.
    void Update();

protected:
    LPCTSTR ChildClassName() const override { return "SCROLLBAR"; }
    DWORD ChildStyle() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int m_cachedMaxLeftCol = -1;
    int m_cachedLockedCols = 0;
};
