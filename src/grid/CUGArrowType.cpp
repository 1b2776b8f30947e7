#include "grid/CUGArrowType.h"

#include "grid/CUGCell.h"
#include "grid/CUGCtrl.h"
#include "platform/framework/windows/CDC.h"

#include <array>
#include <span>

namespace
{
// One stroke of an arrow: points relative to the cell's centre, joined by lines that leave out
// their end pixels.
struct Stroke
{
    std::array<POINT, 5> points;
    int count;
};

constexpr Stroke kRight[] = {{{{{-1, -3}, {-1, 4}}}, 2}, {{{{0, -2}, {0, 2}, {2, 0}, {1, -1}, {1, 1}}}, 5}};
constexpr Stroke kLeft[] = {{{{{1, -3}, {1, 4}}}, 2}, {{{{0, -2}, {0, 2}, {-2, 0}, {-1, -1}, {-1, 1}}}, 5}};
constexpr Stroke kDoubleRight[] = {{{{{2, -3}, {2, 4}}}, 2},
                                   {{{{3, -2}, {3, 2}, {5, 0}, {4, -1}, {4, 1}}}, 5},
                                   {{{{-4, -3}, {-4, 4}}}, 2},
                                   {{{{-3, -2}, {-3, 2}, {-1, 0}, {-2, -1}, {-2, 1}}}, 5}};
constexpr Stroke kDoubleLeft[] = {{{{{4, -3}, {4, 4}}}, 2},
                                  {{{{3, -2}, {3, 2}, {1, 0}, {2, -1}, {2, 1}}}, 5},
                                  {{{{-2, -3}, {-2, 4}}}, 2},
                                  {{{{-3, -2}, {-3, 2}, {-5, 0}, {-4, -1}, {-4, 1}}}, 5}};

// The strokes of a style, tested in the order of the bits; none for a style without them.
std::span<const Stroke> StrokesOf(long style)
{
    if (style <= 0 || (style & UGCT_ARROWRIGHT))
        return kRight;
    if (style & UGCT_ARROWLEFT)
        return kLeft;
    if (style & UGCT_ARROWDRIGHT)
        return kDoubleRight;
    if (style & UGCT_ARROWDLEFT)
        return kDoubleLeft;
    return {};
}
} // namespace

CUGArrowType::CUGArrowType()
{
    m_textEditable = FALSE;
}

void CUGArrowType::GetBestSize(CDC* /*dc*/, CSize* size, CUGCell* cell)
{
    if (!size || !cell)
        return;
    const long style = cell->GetCellTypeEx();
    size->cx = (style > 0 && !(style & (UGCT_ARROWRIGHT | UGCT_ARROWLEFT)) &&
                (style & (UGCT_ARROWDRIGHT | UGCT_ARROWDLEFT)))
                   ? 14
                   : 10;
}

void CUGArrowType::OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current)
{
    if (!m_visualStyleFixed)
        m_useVisualStyle = cell->GetCellState() != 0;
    DrawBorder(dc, rect, rect, cell);
    const bool highlighted = selected || (current && m_ctrl && (m_ctrl->m_GI->m_currentCellMode & 2));
    dc->SetTextColor(highlighted ? cell->GetHighlightTextColor() : cell->GetTextColor());
    DrawBackground(dc, rect, highlighted ? cell->GetHighlightBackColor() : cell->GetBackColor(), row, col, cell,
                   current, selected);
    if (rect->right - rect->left < 4)
        return;
    CPen pen(PS_SOLID, 1, cell->GetTextColor());
    CPen* old = dc->SelectObject(&pen);
    const int cx = rect->left + (rect->right - rect->left) / 2;
    const int cy = rect->top + (rect->bottom - rect->top) / 2;
    for (const Stroke& stroke : StrokesOf(cell->GetCellTypeEx()))
    {
        dc->MoveTo(cx + stroke.points[0].x, cy + stroke.points[0].y);
        for (int i = 1; i < stroke.count; ++i)
            dc->LineTo(cx + stroke.points[std::size_t(i)].x, cy + stroke.points[std::size_t(i)].y);
    }
    dc->SelectObject(old);
}
