#include "grid/CUGCheckBoxType.h"

#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "platform/framework/windows/CDC.h"

#include <algorithm>
#include <array>

namespace
{
constexpr int kMaxBoxSize = 12;
constexpr int kBoxMargin = 6;
constexpr int kMinBoxSize = 6;
constexpr COLORREF kLightColor = 0xE1E1E1;

constexpr int kStateDisabled = 8;

void Line(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

// A path through points, each segment drawn as LineTo draws it.
template <std::size_t N>
void Path(CDC* dc, const std::array<POINT, N>& points)
{
    dc->MoveTo(points[0].x, points[0].y);
    for (std::size_t i = 1; i < N; ++i)
        dc->LineTo(points[i].x, points[i].y);
}

CPen* StockPen(int index)
{
    return CPen::FromHandle(static_cast<HPEN>(GetStockObject(index)));
}

CBrush* StockBrush(int index)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(index)));
}
} // namespace

CUGCheckBoxType::CUGCheckBoxType()
{
    m_lightPen.CreatePen(PS_SOLID, 1, kLightColor);
    m_shadowPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    m_facePen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    // An 8 x 8 checkerboard of the button face and highlight colours.
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    std::array<DWORD, 64> pixels{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
        {
            const COLORREF c = ((x + y) % 2 == 0) ? face : light;
            pixels[std::size_t(y * 8 + x)] = DWORD(GetBValue(c)) | DWORD(GetGValue(c)) << 8 | DWORD(GetRValue(c)) << 16;
        }
    CBitmap pattern;
    if (pattern.CreateBitmap(8, 8, 1, 32, pixels.data()))
        m_hatchBrush.CreatePatternBrush(&pattern);
    m_mayOverflow = FALSE;
    m_textEditable = FALSE;
}

const UGTypeGuid& CUGCheckBoxType::GetTypeGuid() const
{
    static constexpr UGTypeGuid guid{0x6a, 0x21, 0xc4, 0x0e, 0x93, 0x5b, 0x47, 0x1d,
                                     0xb8, 0x02, 0x7f, 0x3a, 0x5e, 0x91, 0xc6, 0x48};
    return guid;
}

CRect CUGCheckBoxType::BoxRect(const RECT& rect, CUGCell* cell, int* sizeOut)
{
    const long style = cell->GetCellTypeEx();
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int size = std::min(height - kBoxMargin, kMaxBoxSize);
    const int offset = (height - size) / 2;
    *sizeOut = size;
    if (!(style & UGCT_CHECKBOXUSEALIGN))
    {
        const int boxWidth = (style & UGCT_CHECKBOXROUND) ? size + 1 : size;
        return CRect(rect.left + 3, rect.top + offset, rect.left + 3 + boxWidth, rect.top + offset + size);
    }
    const WORD align = cell->GetAlignment();
    const int left = (align & UG_ALIGNCENTER) ? rect.left + (width / 2 - size / 2)
                     : (align & UG_ALIGNRIGHT) ? rect.right - size - 6
                                               : rect.left + 3;
    const int top = (align & UG_ALIGNTOP) ? rect.top + 3 : (align & UG_ALIGNBOTTOM) ? rect.bottom - size - 6 : rect.top + offset;
    return CRect(left, top, left + size, top + size);
}

bool CUGCheckBoxType::Toggle(int col, int row, bool clicked)
{
    if (!m_ctrl || m_ctrl->GetCellWithDefaults(col, row, &m_cell) != UG_SUCCESS)
        return false;
    const long style = m_cell.GetCellTypeEx();
    if (m_cell.GetReadOnly() || (style & UGCT_CHECKBOXDISABLED))
        return false;
    const int states = (style & UGCT_CHECKBOX3STATE) ? 3 : 2;
    const int value = (int(m_cell.GetNumber()) + 1) % states;
    m_cell.SetNumber(value);
    m_ctrl->SetCell(col, row, &m_cell);
    if (clicked)
    {
        NotifyControl(m_ID, col, row, UGCT_CHECKBOXSET, value);
        m_ctrl->RedrawCell(col, row);
    }
    else
    {
        m_ctrl->RedrawCell(col, row);
        NotifyControl(m_ID, col, row, UGCT_CHECKBOXSET, value);
    }
    return true;
}

BOOL CUGCheckBoxType::OnLClicked(int col, int row, int updn, RECT* rect, POINT* point)
{
    if (!updn || !rect || !point || !m_ctrl || m_ctrl->GetCellWithDefaults(col, row, &m_cell) != UG_SUCCESS)
        return FALSE;
    int size = 0;
    const CRect box = BoxRect(*rect, &m_cell, &size);
    // The outline is drawn on the right and bottom edges too: they belong to the box.
    if (point->x < box.left || point->x > box.right || point->y < box.top || point->y > box.bottom)
        return FALSE;
    return Toggle(col, row, true);
}

BOOL CUGCheckBoxType::OnDClicked(int col, int row, RECT* rect, POINT* point)
{
    return OnLClicked(col, row, 1, rect, point);
}

BOOL CUGCheckBoxType::OnCharDown(int col, int row, UINT* character)
{
    return character && *character == VK_SPACE && Toggle(col, row, false);
}

void CUGCheckBoxType::OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current)
{
    DrawCheckBox(dc, rect, col, row, cell, selected, current, nullptr);
}

void CUGCheckBoxType::DrawCheckBox(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current,
                                   CPen* colourPen)
{
    if (!m_visualStyleFixed)
        m_useVisualStyle = cell->GetCellState() != 0;
    DrawBorder(dc, rect, rect, cell);
    const bool highlighted = selected || (current && m_ctrl && (m_ctrl->m_GI->m_currentCellMode & 2));
    DrawBackground(dc, rect, highlighted ? cell->GetHighlightBackColor() : cell->GetBackColor(), row, col, cell, current,
                   selected);

    const long style = cell->GetCellTypeEx();
    const double value = cell->GetNumber();
    const bool round = (style & UGCT_CHECKBOXROUND) != 0, tick = (style & UGCT_CHECKBOXCHECKMARK) != 0;
    int size = 0;
    CRect box = BoxRect(*rect, cell, &size);

    if (size >= kMinBoxSize)
    {
        CPen* black = StockPen(highlighted ? WHITE_PEN : BLACK_PEN);
        CPen* outlinePen = (colourPen && !highlighted) ? colourPen : black;
        CPen* oldPen = dc->SelectObject(&m_lightPen);
        if (style & UGCT_CHECKBOX3DRECESS)
        {
            Path<3>(dc, {{{box.left, box.bottom}, {box.left, box.top}, {box.right, box.top}}});
            dc->SelectObject(&m_shadowPen);
            Path<3>(dc, {{{box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}}});
            const CRect in(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
            dc->SelectObject(&m_facePen);
            Path<3>(dc, {{{in.left, in.bottom}, {in.right, in.bottom}, {in.right, in.top}}});
            dc->SelectObject(StockPen(BLACK_PEN));
            Path<3>(dc, {{{in.right, in.top}, {in.left, in.top}, {in.left, in.bottom}}});
        }
        else if (style & UGCT_CHECKBOX3DRAISED)
        {
            dc->SelectObject(&m_shadowPen);
            Path<3>(dc, {{{box.left, box.bottom}, {box.left, box.top}, {box.right, box.top}}});
            dc->SelectObject(StockPen(BLACK_PEN));
            Path<3>(dc, {{{box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}}});
            const CRect in(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
            dc->SelectObject(&m_lightPen);
            Path<3>(dc, {{{in.left, in.bottom}, {in.right, in.bottom}, {in.right, in.top}}});
            dc->SelectObject(&m_facePen);
            Path<3>(dc, {{{in.right, in.top}, {in.left, in.top}, {in.left, in.bottom}}});
        }
        else if (!round)
        {
            dc->SelectObject(outlinePen);
            Path<5>(dc, {{{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom},
                          {box.left, box.top}}});
        }
        else
        {
            dc->SelectObject(black);
            const int midY = box.top + box.Height() / 2;
            dc->Arc(box.left, box.top, box.right, box.bottom, box.left, midY, box.left, midY);
        }
        box.left += 1;
        box.top += 1;
        if (!round && value > 1 && m_hatchBrush.GetSafeHandle())
            dc->FillRect(&box, &m_hatchBrush);
        if (cell->GetReadOnly())
        {
            CBrush window;
            window.CreateSysColorBrush(COLOR_WINDOW);
            dc->FillRect(&box, m_hatchBrush.GetSafeHandle() ? &m_hatchBrush : &window);
        }

        if (value > 0)
        {
            CPen* markPen = value > 1 ? &m_lightPen : outlinePen;
            dc->SelectObject(markPen);
            if (tick)
            {
                Path<3>(dc, {{{box.left + 2, box.bottom - 4}, {box.left + 4, box.bottom - 2}, {box.right + 3, box.top - 1}}});
                if (size > 9)
                {
                    Path<3>(dc, {{{box.left + 2, box.bottom - 5}, {box.left + 4, box.bottom - 3}, {box.right + 3, box.top - 2}}});
                    Line(dc, box.left + 5, box.bottom - 2, box.right + 4, box.top - 1);
                    Line(dc, box.left + 2, box.bottom - 6, box.left + 5, box.bottom - 3);
                }
            }
            else if (!round)
            {
                box.InflateRect(-1, -1, -2, -2);
                Line(dc, box.left, box.top, box.right + 1, box.bottom + 1);
                Line(dc, box.left, box.bottom, box.right + 1, box.top - 1);
                if (size > 9)
                {
                    Line(dc, box.left + 1, box.top, box.right + 1, box.bottom);
                    Line(dc, box.left, box.bottom - 1, box.right, box.top - 1);
                    Line(dc, box.left, box.top + 1, box.right, box.bottom + 1);
                    Line(dc, box.left + 1, box.bottom, box.right + 1, box.top);
                }
            }
            else
            {
                box.InflateRect(-2, -2, -2, -2);
                CBrush light(kLightColor);
                CBrush* oldBrush = dc->SelectObject(value > 1 ? &light : StockBrush(highlighted ? WHITE_BRUSH : BLACK_BRUSH));
                dc->Ellipse(&box);
                dc->SelectObject(oldBrush);
                if (!colourPen)
                {
                    box.InflateRect(2, 2, 2, 2);
                    dc->SelectObject(StockPen(BLACK_PEN));
                    const int midY = box.top + box.Height() / 2;
                    dc->Arc(box.left, box.top, box.right, box.bottom, box.left, midY, box.left, midY);
                }
            }
        }
        dc->SelectObject(oldPen);
    }

    if (!(style & UGCT_CHECKBOXUSEALIGN))
    {
        const LONG left = rect->left;
        rect->left += std::max(size, 0) + 6;
        m_drawLabel = TRUE;
        DrawText(dc, rect, 0, col, row, cell, selected, current);
        rect->left = left;
    }
}

void CUGCheckBoxType::GetBestSize(CDC* dc, CSize* size, CUGCell* cell)
{
    if (!dc || !size || !cell)
        return;
    const long style = cell->GetCellTypeEx();
    if (style & UGCT_CHECKBOXUSEALIGN)
    {
        *size = CSize(18, 2);
        return;
    }
    CFont* font = cell->GetFont() ? cell->GetFont() : (m_ctrl ? m_ctrl->m_GI->m_defFont : nullptr);
    CFont* old = font ? dc->SelectObject(font) : nullptr;
    CRect rect(0, 0, 0, 0);
    const char* label = cell->GetLabelText();
    if (label && *label)
    {
        UINT format = DT_CALCRECT | DT_NOPREFIX;
        if (style == 0 || (style & UGCT_NORMALSINGLELINE))
            format |= DT_SINGLELINE;
        if (style & UGCT_NORMALELLIPSIS)
            format |= DT_END_ELLIPSIS;
        dc->DrawText(label, &rect, format);
    }
    if (old)
        dc->SelectObject(old);
    *size = CSize(rect.Width() + 24, rect.Height() + 2);
}
