#include "study/ScaleTooltipLayout.h"

#include "platform/chart/CiPlotX.h"

SScaleTooltipBands LayoutScaleTooltips(const CiPlotX& chart)
{
    const SPlotLayout& layout = chart.GetLayout();
    const int m = SPlotLayout::kMargin;
    const CRect inner(layout.client.left + m, layout.client.top + m, layout.client.right - m, layout.client.bottom - m);
    SScaleTooltipBands bands;
    int xHeight = 0;
    for (const CRect& band : layout.xAxisBands)
        xHeight += band.Height();
    if (xHeight > 0)
        bands.xAxes = CRect(inner.left, inner.bottom - xHeight, inner.right, inner.bottom);
    int leftWidth = 0, rightWidth = 0;
    for (int i = 0; i < chart.GetYAxisCount(); ++i) {
        const CRect& band = layout.yAxisBands[std::size_t(i)];
        (chart.GetYAxis(i)->IsRightSide() ? rightWidth : leftWidth) += band.Width();
    }
    if (leftWidth > 0)
        bands.leftYAxes = CRect(inner.left, inner.top, inner.left + leftWidth, layout.plot.bottom);
    if (rightWidth > 0)
        bands.rightYAxes = CRect(inner.right - rightWidth, inner.top, inner.right, layout.plot.bottom);
    return bands;
}
