#pragma once
// Where the parts of the chart lie in a picture of a given size: the plot area in the middle,
// the visible X axes stacked downwards below it in index order, the visible Y axes stacked
// outwards on their side in index order. Hidden axes take no room.
#include "platform/framework/windows/Geometry.h"

#include <vector>

class CPlotXAxis;
class CPlotYAxis;

struct SPlotLayout
{
    static constexpr int kMargin = 6;
    static constexpr int kXAxisHeight = 24;
    static constexpr int kYAxisWidth = 62;

    CRect client;
    CRect plot;
    std::vector<CRect> xAxisBands; // empty rectangle for a hidden axis
    std::vector<CRect> yAxisBands;

    static SPlotLayout Compute(int width, int height, const std::vector<CPlotXAxis>& xAxes,
                               const std::vector<CPlotYAxis>& yAxes, bool withAxes = true);
};
