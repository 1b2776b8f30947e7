#include "grid/CUGCheckBoxType_MyColor.h"

void CUGCheckBoxType_MyColor::SetColor(COLORREF color)
{
    m_color = color;
    m_pen.DeleteObject(); // a second colour replaces the first pen
    m_pen.CreatePen(PS_SOLID, 1, color);
}

void CUGCheckBoxType_MyColor::OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current)
{
    DrawCheckBox(dc, rect, col, row, cell, selected, current, m_color == COLORREF(-1) ? nullptr : &m_pen);
}
