#include "platform/chart/PlotLayout.h"

#include "platform/chart/PlotAxis.h"

SPlotLayout SPlotLayout::Compute(int width, int height, const std::vector<CPlotXAxis>& xAxes,
                                 const std::vector<CPlotYAxis>& yAxes, bool withAxes)
{
    SPlotLayout layout;
    layout.client = CRect(0, 0, width, height);
    layout.xAxisBands.assign(xAxes.size(), CRect());
    layout.yAxisBands.assign(yAxes.size(), CRect());
    if (!withAxes) {
        layout.plot = layout.client;
        return layout;
    }
    int left = kMargin, right = width - kMargin, bottom = height - kMargin;
    int visibleX = 0;
    for (const auto& axis : xAxes)
        visibleX += axis.IsVisible() ? 1 : 0;
    int plotBottom = bottom - visibleX * kXAxisHeight;
    for (const auto& axis : yAxes) {
        if (!axis.IsVisible())
            continue;
        if (axis.IsRightSide())
            right -= kYAxisWidth;
        else
            left += kYAxisWidth;
    }
    layout.plot = CRect(left, kMargin, std::max(left + 1, right), std::max(kMargin + 1, plotBottom));
    int y = layout.plot.bottom;
    for (std::size_t i = 0; i < xAxes.size(); ++i)
        if (xAxes[i].IsVisible()) {
            layout.xAxisBands[i] = CRect(layout.plot.left, y, layout.plot.right, y + kXAxisHeight);
            y += kXAxisHeight;
        }
    int leftEdge = layout.plot.left, rightEdge = layout.plot.right;
    for (std::size_t i = 0; i < yAxes.size(); ++i) {
        if (!yAxes[i].IsVisible())
            continue;
        if (yAxes[i].IsRightSide()) {
            layout.yAxisBands[i] = CRect(rightEdge, layout.plot.top, rightEdge + kYAxisWidth, layout.plot.bottom);
            rightEdge += kYAxisWidth;
        } else {
            layout.yAxisBands[i] = CRect(leftEdge - kYAxisWidth, layout.plot.top, leftEdge, layout.plot.bottom);
            leftEdge -= kYAxisWidth;
        }
    }
    return layout;
}
