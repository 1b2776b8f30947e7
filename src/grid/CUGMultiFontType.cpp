#include "grid/CUGMultiFontType.h"

#include "grid/CUGCell.h"
#include "grid/CUGCtrl.h"
#include "platform/framework/windows/CDC.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace
{
constexpr int kMaxCommas = 29;
constexpr int kDefaultHeight = 12;
constexpr int kDefaultWeight = 400;
constexpr int kDefaultColour = 255;

int FieldOr(const std::vector<CString>& fields, std::size_t index, int fallback)
{
    if (index >= fields.size())
        return fallback;
    CString field = fields[index];
    field.Trim();
    return field.IsEmpty() ? fallback : std::atoi(field.GetString());
}
} // namespace

CUGMultiFontType::CUGMultiFontType()
{
    m_mayOverflow = FALSE;
}

bool CUGMultiFontType::IsTag(const CString& text, int pos)
{
    return pos + 1 < text.GetLength() && text[pos] == '<' && text[pos + 1] == ':';
}

int CUGMultiFontType::CharLength(const CString& text, int pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return std::min(length, text.GetLength() - pos);
}

int CUGMultiFontType::ApplyTag(CDC* dc, const CString& text, int pos)
{
    const int close = text.Find('>', pos + 2);
    if (close < 0)
        return text.GetLength();
    const CString body = text.Mid(pos + 2, close - pos - 2);
    std::vector<CString> fields;
    int start = 0;
    for (int commas = 0; commas < kMaxCommas; ++commas)
    {
        const int comma = body.Find(',', start);
        if (comma < 0)
            break;
        fields.push_back(body.Mid(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(body.Mid(start));
    CString command = fields[0];
    command.Trim();
    switch (command.IsEmpty() ? 0 : command[0])
    {
    case 'F':
    {
        CString face = fields.size() > 1 ? fields[1] : CString();
        face.Trim();
        const int height = int(FieldOr(fields, 2, kDefaultHeight) * m_scaleY);
        const int weight = FieldOr(fields, 3, kDefaultWeight);
        std::unique_ptr<CFont>& font = m_tagFonts[{face.GetString(), height, weight}];
        if (!font)
        {
            font = std::make_unique<CFont>();
            font->CreateFont(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, face);
        }
        CFont* previous = dc->SelectObject(font.get());
        if (!m_tagFont)
            m_displacedFont = previous;
        m_tagFont = font.get();
        break;
    }
    case 'C':
        dc->SetTextColor(RGB(FieldOr(fields, 1, kDefaultColour), FieldOr(fields, 2, kDefaultColour),
                             FieldOr(fields, 3, kDefaultColour)));
        break;
    case 'S':
    {
        if (!m_smallFont)
        {
            LOGFONT description;
            CFont* current = dc->GetCurrentFont();
            if (current && current->GetLogFont(&description))
            {
                TEXTMETRIC metrics;
                dc->GetTextMetrics(&metrics);
                description.lfHeight = description.lfHeight * 3 / 4;
                m_smallFont = std::make_unique<CFont>();
                m_smallFont->CreateFontIndirect(&description);
                CFont* old = dc->SelectObject(m_smallFont.get());
                TEXTMETRIC small;
                dc->GetTextMetrics(&small);
                dc->SelectObject(old);
                m_smallOffset = metrics.tmAscent - small.tmHeight / 2;
            }
        }
        if (m_smallFont)
        {
            m_verticalOffset = m_smallOffset;
            CFont* previous = dc->SelectObject(m_smallFont.get());
            if (previous != m_smallFont.get())
                m_beforeSmallFont = previous;
        }
        break;
    }
    case 'N':
        m_verticalOffset = 0;
        if (m_beforeSmallFont)
            dc->SelectObject(m_beforeSmallFont);
        break;
    default: break;
    }
    return close + 1;
}

void CUGMultiFontType::EndPass(CDC* dc)
{
    if (m_displacedFont)
        dc->SelectObject(m_displacedFont);
    m_displacedFont = nullptr;
    m_beforeSmallFont = nullptr;
    m_verticalOffset = 0;
    m_tagFont = nullptr;
    m_smallFont.reset();
}

void CUGMultiFontType::GetBestSize(CDC* dc, CSize* size, CUGCell* cell)
{
    if (!dc || !size || !cell)
        return;
    const char* raw = cell->GetText();
    const CString text = raw ? raw : "";
    // Measuring applies the tags; the colour and fonts they set must not outlast it.
    const int saved = dc->SaveDC();
    if (cell->GetFont())
        dc->SelectObject(cell->GetFont());
    int width = 0, height = 0;
    if (cell->GetCellTypeEx() & UGCT_NORMALMULTILINE)
    {
        // The lines as they are drawn in the width given, long ones broken at blanks.
        int right = 0;
        height = LayOutLines(dc, text, CRect(0, 0, size->cx, size->cy), false, &right);
        width = right;
    }
    else
        for (int pos = 0; pos < text.GetLength();)
        {
            if (IsTag(text, pos))
            {
                pos = ApplyTag(dc, text, pos);
                continue;
            }
            const int length = CharLength(text, pos);
            CRect extent(0, 0, 0, 0);
            dc->DrawText(text.GetString() + pos, length, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            width += extent.Width();
            height = std::max(height, int(extent.Height()));
            pos += length;
        }
    EndPass(dc);
    dc->RestoreDC(saved);
    if (cell->GetCellTypeEx() & UGCT_NORMALMULTILINE)
    {
        *size = CSize(width, height);
        return;
    }
    width += 6;
    if (CBitmap* bitmap = cell->GetBitmap())
    {
        const CSize bitmapSize = bitmap->GetSize();
        if (bitmapSize.cy > 0)
            width += bitmapSize.cx * 7 / bitmapSize.cy + 6;
    }
    *size = CSize(width, height + 2);
}

int CUGMultiFontType::LayOutLines(CDC* dc, const CString& text, const CRect& area, bool draw, int* right)
{
    const int margin = m_ctrl ? m_ctrl->m_GI->m_margin : 0;
    CRect lineRect = area;
    int start = 0;
    while (start <= text.GetLength())
    {
        int end = text.Find('\n', start);
        if (end < 0)
            end = text.GetLength();
        lineRect.left = area.left + margin;
        int height = 0;
        int pos = start;
        while (pos < end)
        {
            int next = pos;
            while (next < end && !IsTag(text, next))
                ++next;
            if (next > pos)
            {
                CRect run = lineRect;
                run.top += m_verticalOffset;
                height = std::max(height, dc->DrawText(text.GetString() + pos, next - pos, &run,
                                                       DT_WORDBREAK | DT_NOPREFIX | (draw ? 0 : DT_CALCRECT)));
                if (right)
                    *right = std::max(*right, int(run.right) - int(area.left));
                lineRect.left += dc->GetTextExtent(text.GetString() + pos, next - pos).cx;
            }
            pos = next < end ? ApplyTag(dc, text, next) : end;
        }
        lineRect.top += height > 0 ? height : dc->GetTextExtent(" ").cy;
        // A tag that runs over the line feed takes the text up to its ">" with it.
        start = pos > end ? pos : end + 1;
    }
    return lineRect.top - area.top;
}

void CUGMultiFontType::OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current)
{
    if (!m_visualStyleFixed)
        m_useVisualStyle = cell->GetCellState() != 0;
    const int saved = dc->SaveDC();
    m_scaleX = m_scaleY = 1.0;
    DrawBorder(dc, rect, rect, cell);

    const bool highlighted = selected || (current && m_ctrl && (m_ctrl->m_GI->m_currentCellMode & 2));
    const bool disabled = (cell->GetCellTypeEx() & UGCT_DISABLED) != 0;
    const COLORREF back = (highlighted && !disabled) ? cell->GetHighlightBackColor() : cell->GetBackColor();
    dc->SetTextColor(disabled ? UG_DISABLED_TEXT_COLOR : highlighted ? cell->GetHighlightTextColor() : cell->GetTextColor());
    dc->SetBkColor(back);
    DrawBackground(dc, rect, back, row, col, cell, current, selected);
    CRect area(*rect);
    if (CBitmap* bitmap = cell->GetBitmap())
        area.left += DrawBitmap(dc, bitmap, &area, back);
    if (cell->GetFont())
        dc->SelectObject(cell->GetFont());

    const char* raw = cell->GetText();
    const CString text = raw ? raw : "";
    CSize best;
    GetBestSize(dc, &best, cell);
    const WORD align = cell->GetAlignment();
    // A text wider than the cell shows its beginning, whatever its alignment.
    const bool fits = best.cx <= area.Width();
    int x = fits && (align & UG_ALIGNCENTER) ? area.left + (area.Width() - best.cx) / 2
            : fits && (align & UG_ALIGNRIGHT) ? area.right - best.cx - 3
                                              : area.left + 3;
    int y = area.top + 1;
    if (align & UG_ALIGNVCENTER)
        y = area.top + (area.Height() - dc->GetTextExtent(text).cy) / 2;
    else if (align & UG_ALIGNBOTTOM)
    {
        y = area.bottom - 6;
        dc->SetTextAlign(TA_BASELINE);
    }
    dc->SetBkMode(TRANSPARENT);

    if (!(cell->GetCellTypeEx() & UGCT_NORMALMULTILINE))
    {
        // Each character clipped to the cell: a clip moving with the characters would hide all of
        // a text that starts left of it.
        const CRect clip = area;
        for (int pos = 0; pos < text.GetLength();)
        {
            if (IsTag(text, pos))
            {
                pos = ApplyTag(dc, text, pos);
                continue;
            }
            const int length = CharLength(text, pos);
            dc->ExtTextOut(x, y + m_verticalOffset, ETO_CLIPPED, &clip, text.GetString() + pos, UINT(length), nullptr);
            x += dc->GetTextExtent(text.GetString() + pos, length).cx;
            pos += length;
        }
    }
    else
        LayOutLines(dc, text, area, true, nullptr);
    EndPass(dc);
    dc->RestoreDC(saved);
}
