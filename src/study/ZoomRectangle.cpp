#include "study/ZoomRectangle.h"

#include "platform/chart/CiPlotX.h"

#include <algorithm>

namespace {

constexpr int kMinimumSize = 4;

} // namespace

CRect CZoomRectangle::Span(const CiPlotX& chart, int x, int y) const
{
    const CRect& plot = chart.GetLayout().plot;
    x = std::clamp(x, int(plot.left), int(plot.right) - 1);
    y = std::clamp(y, int(plot.top), int(plot.bottom) - 1);
    return CRect(std::min<int>(m_start.x, x), std::min<int>(m_start.y, y), std::max<int>(m_start.x, x) + 1,
                 std::max<int>(m_start.y, y) + 1);
}

bool CZoomRectangle::Handle(CiPlotX& chart, int mode, int button, int, int x, int y)
{
    switch (mode) {
    case Press:
        m_drawing = button == kPlotLeftButton && chart.HitTest(x, y).kind == SPlotHit::Plot;
        m_start = CPoint(x, y);
        m_rect = CRect();
        return false;
    case Move:
        if (!m_drawing)
            return false;
        m_rect = Span(chart, x, y);
        chart.SetZoomRect(m_rect);
        chart.Repaint();
        return false;
    default: {
        if (!m_drawing)
            return false;
        m_drawing = false;
        m_rect = Span(chart, x, y);
        chart.SetZoomRect(CRect());
        chart.Repaint();
        return m_rect.Width() >= kMinimumSize && m_rect.Height() >= kMinimumSize;
    }
    }
}
