#pragma once
// CUGButtonType: draws a cell as a push button that goes down while pressed and raises the
// pressed (2), released (3) and clicked (1) notifications.
#include "grid/CUGCellType.h"

// Cell-type style bit: no focus rectangle on the current button.
inline constexpr long UGCT_BUTTONNOFOCUS = 0x0010;

// Notifications.
inline constexpr LONG UGCT_BUTTONCLICK = 1;
inline constexpr LONG UGCT_BUTTONDOWN = 2;
inline constexpr LONG UGCT_BUTTONUP = 3;

class CUGButtonType : public CUGCellType
{
public:
    CUGButtonType();

    BOOL OnLClicked(int col, int row, int updn, RECT* rect, POINT* point) override;
    BOOL OnDClicked(int col, int row, RECT* rect, POINT* point) override;
    BOOL OnKeyDown(int col, int row, UINT* vcKey) override;
    BOOL OnMouseMove(int col, int row, POINT* point, UINT flags) override;
    void OnKillFocus(int col, int row, CUGCell* cell) override;
    void OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current) override;

private:
    BOOL m_btnDown = FALSE;
    int m_btnCol = -1;
    int m_btnRow = -1;
    CRect m_btnRect;
};
