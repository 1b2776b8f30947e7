#pragma once
// CUGVScroll: the vertical scroll bar of the grid control. It works in pixels of the sheet's
// total row height, scaled so that its range never exceeds 32000, and turns scroll requests
// into moves of the top row.
#include "grid/CUGChildWnd.h"

class CUGVScroll : public CUGChildWnd
{
public:
    // A scroll request (SB_ code and thumb position) forwarded by the control.
    void VScroll(UINT code, UINT pos);
    // Brings range and position in line with the sheet.
    void Update();
    // Sheet pixels per scroll unit.
    double GetScale() const { return m_scale; }

protected:
    LPCTSTR ChildClassName() const override { return "SCROLLBAR"; }
    DWORD ChildStyle() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The row a thumb position stands for.
    int RowFromThumb(UINT pos);

    double m_scale = 1.0;
    int m_cachedMaxTopRow = -2;
    int m_cachedTrackingMode = -2;
    int m_cachedLockedRows = 0;
};
