#include "grid/CUGCellType.h"

#include "grid/CUGCell.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGDataSource.h"
#include "grid/CUGGrid.h"
#include "grid/UGVisualStyle.h"
#include "platform/framework/windows/CDC.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int kBitmapMargin = 2;
constexpr UINT kEdgeFlags = 15;

void Line(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

// The cell's display text, or its label for types and styles that show the label.
CString CellText(CUGCell* cell, bool label)
{
    const char* text = label ? cell->GetLabelText() : cell->GetText();
    return text ? CString(text) : CString();
}
} // namespace

const UGTypeGuid& CUGCellType::GetTypeGuid() const
{
    static constexpr UGTypeGuid guid{0x1d, 0x5c, 0x32, 0x90, 0x4e, 0x0a, 0x4b, 0x61,
                                     0x9a, 0x2f, 0x6c, 0x11, 0x83, 0xe4, 0x27, 0x05};
    return guid;
}

BOOL CUGCellType::CellMayOverflow(CUGCell* cell) const
{
    return m_mayOverflow && cell->GetCellTypeEx() == 0 && !cell->IsPropertySet(UGCELL_JOIN_SET) &&
           cell->IsPropertySet(UGCELL_ALIGNMENT_SET) && (cell->GetAlignment() & UG_ALIGNLEFT);
}

void CUGCellType::OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current)
{
    if (!m_visualStyleFixed)
        m_useVisualStyle = cell->GetCellState() != 0;

    CUGGrid* grid = m_ctrl ? m_ctrl->m_CUGGrid.get() : nullptr;
    if (m_ctrl && m_ctrl->m_GI->m_enableCellOverlap && CellMayOverflow(cell))
    {
        const char* text = cell->GetText();
        if (!text || !*text)
        {
            CUGCell start;
            int startCol = col;
            const int offset = GetOverflowOffset(dc, col, row, &startCol, &start);
            if (offset != 0)
            {
                DrawBorder(dc, rect, rect, cell);
                DrawText(dc, rect, offset, col, row, &start, selected, current);
                if (grid)
                    grid->m_drawHint.AddCell(col + 1, row);
                return;
            }
        }
        else if (grid)
        {
            grid->m_drawHint.AddCell(col + 1, row);
        }
    }
    DrawBorder(dc, rect, rect, cell);
    DrawText(dc, rect, 0, col, row, cell, selected, current);
}

int CUGCellType::GetOverflowOffset(CDC* dc, int col, int row, int* startCol, CUGCell* scratch)
{
    if (!m_ctrl || !m_ctrl->m_GI->m_enableCellOverlap)
        return 0;
    CUGGridInfo& gi = *m_ctrl->m_GI;
    int start = col;
    if (gi.m_defDataSource->GetPrevNonBlankCol(&start, row) != 0 || start >= col)
        return 0;

    m_ctrl->GetCellWithDefaults(start, row, scratch);
    CUGCellType* type = m_ctrl->GetCellType(scratch->GetCellType());
    const int startWidth = m_ctrl->GetColWidth(start);
    CSize needed(startWidth, m_ctrl->GetRowHeight(row));
    type->GetBestSize(dc, &needed, scratch);
    if (needed.cx <= startWidth || !type->CellMayOverflow(scratch))
        return 0;

    // The text reaches this cell only when the columns before it are narrower than the text.
    int sum = 0;
    for (int c = start; c < col; ++c)
    {
        sum += m_ctrl->GetColWidth(c);
        if (sum >= needed.cx)
            return 0;
    }
    *startCol = start;
    return -sum;
}

void CUGCellType::DrawBorder(CDC* dc, RECT* rect, RECT* rectOut, CUGCell* cell)
{
    const CRect r(*rect);
    CRect content;
    if (m_useVisualStyle && UGVisualStyle::DrawStyledEdge(dc->GetWindow(), dc, int(cell->GetDrawHints()), 1, &r,
                                                          cell->GetBorder(), kEdgeFlags, &content))
    {
        *rectOut = content;
        return;
    }
    const BOOL gridLines = m_ctrl && m_ctrl->m_GI->m_enableGridLines;
    if (!cell->IsPropertySet(UGCELL_BORDERSTYLE_SET) && !gridLines)
    {
        *rectOut = r;
        return;
    }

    const WORD border = cell->GetBorder();
    const bool defaultBorder = gridLines && !(border & (UG_BDR_RECESSED | UG_BDR_RAISED));
    CPen* gridPen = m_ctrl ? &m_ctrl->m_GI->m_gridLinePen : nullptr;
    CPen* pen = cell->GetBorderColor() ? cell->GetBorderColor() : gridPen;
    if (pen)
        dc->SelectObject(pen);

    int inL = 0, inT = 0, inR = 0, inB = 0;
    // One to three adjacent lines per edge: thin, medium, thick.
    for (int width = 1; width <= 3; ++width)
    {
        const int shift = 4 * (width - 1);
        const bool left = border & (0x1 << shift);
        const bool top = border & (0x2 << shift);
        const bool right = border & (0x4 << shift);
        const bool bottom = border & (0x8 << shift);
        for (int i = 0; i < width; ++i)
        {
            if (left)
                Line(dc, r.left + i, r.top, r.left + i, r.bottom);
            if (top)
                Line(dc, r.left, r.top + i, r.right, r.top + i);
            if (right)
                Line(dc, r.right - 1 - i, r.top, r.right - 1 - i, r.bottom);
            if (bottom)
                Line(dc, r.left, r.bottom - 1 - i, r.right, r.bottom - 1 - i);
        }
        inL = left ? width : inL;
        inT = top ? width : inT;
        inR = right ? width : inR;
        inB = bottom ? width : inB;
        if (width == 1 && defaultBorder)
        {
            // The default grid lines at the right and bottom edges, in the grid-line pen.
            CPen* previous = gridPen ? dc->SelectObject(gridPen) : nullptr;
            if (!right)
                Line(dc, r.right - 1, r.top, r.right - 1, r.bottom);
            if (!bottom)
                Line(dc, r.left, r.bottom - 1, r.right, r.bottom - 1);
            if (previous)
                dc->SelectObject(previous);
            inR = std::max(inR, 1);
            inB = std::max(inB, 1);
        }
    }

    if (m_ctrl && (border & (UG_BDR_RECESSED | UG_BDR_RAISED)))
    {
        const bool sunken = border & UG_BDR_RECESSED;
        CPen* topLeft = sunken ? &m_ctrl->m_threeDDarkPen : &m_ctrl->m_threeDLightPen;
        CPen* bottomRight = sunken ? &m_ctrl->m_threeDLightPen : &m_ctrl->m_threeDDarkPen;
        const int depth = m_ctrl->m_GI->m_threeDHeight;
        for (int i = 0; i < depth; ++i)
        {
            dc->SelectObject(topLeft);
            dc->MoveTo(r.left + i, r.bottom - i - 1);
            dc->LineTo(r.left + i, r.top + i);
            dc->LineTo(r.right - i - 1, r.top + i);
            dc->SelectObject(bottomRight);
            dc->LineTo(r.right - i - 1, r.bottom - i - 1);
            dc->LineTo(r.left + i, r.bottom - i - 1);
        }
        inL = inT = inR = inB = depth;
    }
    *rectOut = CRect(r.left + inL, r.top + inT, r.right - inR, r.bottom - inB);
}

void CUGCellType::DrawText(CDC* dc, RECT* rect, int offset, int col, int row, CUGCell* cell, int selected, int current)
{
    const int savedLeft = rect->left;
    CRect textRect(rect->left - offset, rect->top - offset, rect->right + offset, rect->bottom + offset);

    const long style = cell->GetCellTypeEx();
    const CString text = CellText(cell, m_drawLabel || (style & UGCT_NORMALLABELTEXT));
    const WORD align = cell->GetAlignment();
    CFont* oldFont =
        cell->IsPropertySet(UGCELL_FONT_SET) && cell->GetFont() ? dc->SelectObject(cell->GetFont()) : nullptr;

    const int currentMode = m_ctrl ? m_ctrl->m_GI->m_currentCellMode : 1;
    COLORREF textColor, backColor;
    if (style & UGCT_DISABLED)
    {
        textColor = UG_DISABLED_TEXT_COLOR;
        backColor = cell->GetBackColor();
    }
    else if (!selected && !(current && (currentMode & 2)))
    {
        textColor = cell->GetTextColor();
        backColor = cell->GetBackColor();
    }
    else
    {
        textColor = cell->GetHighlightTextColor();
        backColor = cell->GetHighlightBackColor();
    }
    dc->SetTextColor(textColor);

    const bool styledButton =
        cell->GetDrawHints() == 0x8000 && m_useVisualStyle && UGVisualStyle::IsVisualStyleActive();
    if (!styledButton)
        DrawBackground(dc, rect, backColor, row, col, cell, current, selected);

    if (CBitmap* bitmap = cell->GetBitmap())
    {
        if (offset == 0)
        {
            rect->left += DrawBitmap(dc, bitmap, rect, backColor);
        }
        else
        {
            CRect at(*rect);
            at.left += offset;
            offset += DrawBitmap(dc, bitmap, &at, backColor);
        }
    }

    const CSize extent = dc->GetTextExtent(text);
    const int margin = m_ctrl ? m_ctrl->m_GI->m_margin : 4;
    int x, y;
    if (align & UG_ALIGNCENTER)
        x = rect->left + (rect->right - rect->left - extent.cx) / 2;
    else if (align & UG_ALIGNRIGHT)
        x = rect->right - margin - extent.cx;
    else
        x = rect->left + margin + offset;
    if (align & UG_ALIGNVCENTER)
        y = rect->top + (rect->bottom - rect->top - extent.cy) / 2;
    else if (align & UG_ALIGNBOTTOM)
        y = rect->bottom - extent.cy - 1;
    else
        y = rect->top + 1;
    if (offset < 0)
        rect->left -= 1;

    CWnd* wnd = dc->GetWindow();
    const int state = UGVisualStyle::StateFromFlags(current, selected);
    const bool styledText = m_useVisualStyle && UGVisualStyle::IsVisualStyleActive();
    if (!(style & (UGCT_NORMALMULTILINE | UGCT_NORMALELLIPSIS)))
    {
        const UINT format = DT_NOPREFIX | ((align & UG_ALIGNBOTTOM) ? (DT_SINGLELINE | DT_BOTTOM) : 0);
        if (!styledText || !UGVisualStyle::DrawStyledText(wnd, dc, int(cell->GetDrawHints()), state, text,
                                                          text.GetLength(), format, rect))
            dc->ExtTextOut(x, y, ETO_CLIPPED, rect, text);
    }
    else if (!(style & UGCT_NORMALMULTILINE))
    {
        CRect r(*rect);
        r.left += 3;
        r.top = y;
        UINT format = DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS;
        // Centred and right-aligned text keeps its place; the margin is kept on both sides.
        if (align & (UG_ALIGNCENTER | UG_ALIGNRIGHT)) {
            r.right -= 3;
            format |= (align & UG_ALIGNCENTER) ? DT_CENTER : DT_RIGHT;
        }
        if (!styledText || !UGVisualStyle::DrawStyledText(wnd, dc, int(cell->GetDrawHints()), state, text,
                                                          text.GetLength(), format, &r))
            dc->DrawText(text, &r, format);
    }
    else
    {
        UINT format = DT_NOPREFIX | DT_WORDBREAK;
        if (align & UG_ALIGNCENTER)
            format |= DT_CENTER;
        else if (align & UG_ALIGNRIGHT)
            format |= DT_RIGHT;
        if (align & (UG_ALIGNRIGHT | UG_ALIGNCENTER))
            textRect.right -= margin + offset;
        if (!(align & UG_ALIGNRIGHT))
            textRect.left += margin + offset;
        if (align & (UG_ALIGNBOTTOM | UG_ALIGNVCENTER))
        {
            CRect measure(textRect);
            dc->DrawText(text, &measure, format | DT_CALCRECT);
            const int height = measure.Height();
            textRect.top =
                (align & UG_ALIGNVCENTER) ? textRect.top + (textRect.Height() - height) / 2 : textRect.bottom - height;
        }
        dc->DrawText(text, &textRect, format);
    }

    rect->left = savedLeft;
    if (oldFont)
        dc->SelectObject(oldFont);
}

void CUGCellType::DrawBackground(CDC* dc, RECT* rect, COLORREF backColor, int /*row*/, int /*col*/, CUGCell* cell,
                                 int current, int selected)
{
    if (cell && m_useVisualStyle &&
        UGVisualStyle::DrawStyledBackground(dc->GetWindow(), dc, int(cell->GetDrawHints()),
                                            UGVisualStyle::StateFromFlags(current, selected), rect, rect))
        return;
    dc->FillSolidRect(rect, backColor);
    dc->SetBkMode(TRANSPARENT);
}

int CUGCellType::DrawBitmap(CDC* dc, CBitmap* bitmap, RECT* rect, COLORREF backColor)
{
    const CSize own = bitmap->GetSize();
    const int rectWidth = rect->right - rect->left;
    const int rectHeight = rect->bottom - rect->top;
    const int stretchedHeight = rectHeight - 4;
    // A bitmap without pixels or a row too low to show it (a hidden row) is not drawn.
    if (own.cx <= 0 || own.cy <= 0 || stretchedHeight <= 0)
        return 0;

    const bool ownSize = own.cy <= rectHeight - 2 * kBitmapMargin;
    const int height = ownSize ? own.cy : stretchedHeight;
    int width = ownSize ? own.cx : own.cx * ((stretchedHeight * 100) / own.cy) / 100;
    width = std::min(width, rectWidth - 2 * kBitmapMargin);
    if (width <= 0)
        return 0;

    if (!(m_useVisualStyle && UGVisualStyle::IsVisualStyleActive()))
    {
        CRect behind(rect->left, rect->top, rect->left + 2 * kBitmapMargin + width, rect->bottom);
        DrawBackground(dc, &behind, backColor, -1, -1, nullptr, 0, 0);
    }

    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* previous = memory.SelectObject(bitmap);
    if (ownSize)
        dc->BitBlt(rect->left + kBitmapMargin, rect->top + (rectHeight - height) / 2, width, height, &memory, 0, 0,
                   SRCCOPY);
    else
        dc->StretchBlt(rect->left + kBitmapMargin, rect->top + kBitmapMargin, width, height, &memory, 0, 0, own.cx,
                       own.cy, SRCCOPY);
    memory.SelectObject(previous);
    return 2 * kBitmapMargin + width;
}

void CUGCellType::GetBestSize(CDC* dc, CSize* size, CUGCell* cell)
{
    if (!dc || !size || !cell)
        return;
    CFont* font = cell->GetFont();
    if (!font && m_ctrl)
        font = m_ctrl->m_GI->m_defFont;
    CFont* old = font ? dc->SelectObject(font) : nullptr;

    int bitmapWidth = 0;
    if (CBitmap* bitmap = cell->GetBitmap())
    {
        const CSize own = bitmap->GetSize();
        if (own.cy > 0)
            bitmapWidth = own.cx * size->cy / own.cy;
    }
    const long style = cell->GetCellTypeEx();
    CRect rect(0, 0, 0, 0);
    const CString text = CellText(cell, false);
    if (!text.IsEmpty())
    {
        UINT format = DT_CALCRECT | DT_NOPREFIX;
        if (style == 0 || (style & UGCT_NORMALSINGLELINE))
            format |= DT_SINGLELINE;
        if (style & UGCT_NORMALELLIPSIS)
            format |= DT_END_ELLIPSIS;
        dc->DrawText(text, &rect, format);
    }
    if (old)
        dc->SelectObject(old);
    *size = CSize(rect.Width() + bitmapWidth + 6, rect.Height() + 2);
}

void CUGCellType::DrawScaled(CDC* dc, RECT* rect, int col, int row, CUGCell* cell)
{
    if (!m_ctrl)
        return;
    CUGGridInfo& gi = *m_ctrl->m_GI;
    CRect r(*rect);
    r.NormalizeRect();
    double height = r.Height();
    int rowHeight = 0;
    if (row < 0)
    {
        const int index = -row - 1;
        rowHeight = index < int(gi.m_topHdgHeights.size()) ? gi.m_topHdgHeights[std::size_t(index)] : 0;
        if (col < 0 && gi.m_numberTopHdgRows > 0)
            height /= gi.m_numberTopHdgRows;
    }
    else
    {
        rowHeight = m_ctrl->GetRowHeight(row);
        int startCol = col, startRow = row, endCol = col, endRow = row;
        if (cell->IsPropertySet(UGCELL_JOIN_SET) && m_ctrl->GetJoinRange(&startCol, &startRow, &endCol, &endRow) == 0 &&
            endRow > startRow)
            height /= endRow - startRow + 1;
    }
    // A hidden row has no height to scale from.
    if (rowHeight <= 0)
        return;
    const double scale = height / rowHeight;

    CFont* base = cell->GetFont() ? cell->GetFont() : gi.m_defFont;
    CFont stock;
    if (!base)
    {
        stock.Attach(GetStockObject(SYSTEM_FONT));
        base = &stock;
    }
    LOGFONT description{};
    base->GetLogFont(&description);
    description.lfHeight = LONG(std::lround(description.lfHeight * scale));
    CFont scaled;
    scaled.CreateFontIndirect(&description);

    CFont* cellFont = cell->GetFont();
    const bool hadFont = cell->IsPropertySet(UGCELL_FONT_SET);
    CFont* previous = dc->SelectObject(&scaled);
    cell->SetFont(&scaled);
    OnDraw(dc, &r, col, row, cell, 0, 0);
    DrawBorder(dc, &r, &r, cell);
    dc->SelectObject(previous);
    // The scaled font dies here: give the cell back what it had.
    cell->SetFont(cellFont);
    if (!hadFont)
        cell->SetPropertyFlags(cell->GetPropertyFlags() & ~UGCELL_FONT_SET);
}

BOOL CUGCellType::NotifyControl(int id, int col, int row, LONG msg, LPARAM param)
{
    return m_ctrl ? m_ctrl->OnCellTypeNotify(id, col, row, msg, param) : TRUE;
}
