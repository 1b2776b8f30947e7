#pragma once
// CUGCheckBoxType_MyColor: a check box whose square outline and mark take a colour of the
// application's choosing; without a colour it looks exactly like the plain check box.
#include "grid/CUGCheckBoxType.h"

class CUGCheckBoxType_MyColor : public CUGCheckBoxType
{
public:
    // Stores the colour and makes the 1-pixel solid pen the box is drawn with.
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }

    void OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current) override;

private:
    COLORREF m_color = COLORREF(-1); // none
    CPen m_pen;
};
