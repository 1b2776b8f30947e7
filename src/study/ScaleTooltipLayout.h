#pragma once
// Where the scale tooltips of a graph stand over its chart: the band of the left Y axes, the band
// of the right Y axes and the band of the visible X axes, in the chart's client coordinates.
#include "platform/framework/windows/Geometry.h"

class CiPlotX;

struct SScaleTooltipBands
{
    CRect leftYAxes;
    CRect rightYAxes;
    CRect xAxes;
};

// Inside the chart's client rectangle less its outer margins; a band without visible axes is
// empty.
SScaleTooltipBands LayoutScaleTooltips(const CiPlotX& chart);
