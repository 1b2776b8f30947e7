#include "study/IOCompUtils.h"

#include "platform/chart/CiPlotX.h"
#include "study/PlotNames.h"

namespace IOCompUtils {

void SetXSpan(CiPlotX& chart, int axis, double span)
{
    for (int i = 0; i < chart.GetXAxisCount(); ++i) {
        if (axis >= 0 && i != axis)
            continue;
        const CPlotXAxis& x = *chart.GetXAxis(i);
        chart.SetXAxisRange(i, x.GetMin() + x.GetSpan() / 2 - span / 2, span);
    }
}

void PositionCursors(CiPlotX& chart, const CString& channelName)
{
    const CPlotChannel* channel = chart.GetChannel(chart.FindChannel(channelName));
    const CPlotXAxis* axis = channel ? chart.GetXAxis(chart.FindXAxis(channel->GetXAxisName())) : nullptr;
    if (!axis)
        return;
    for (int i = 0; i < CiPlotX::kCursorCount; ++i) {
        chart.GetCursor(i).channelName = channelName;
        chart.SetCursorPosition(i, axis->FractionToValue((i + 1) / 3.0));
    }
}

void PlaceXMarkers(CiPlotX& chart, int axis, double loPercent, double hiPercent)
{
    const CPlotXAxis* x = chart.GetXAxis(axis);
    if (!x)
        return;
    for (auto [name, percent] : {std::pair{kXLoMarker, loPercent}, {kXHiMarker, hiPercent}}) {
        int index = chart.FindLimit(name);
        if (index < 0) {
            SPlotLimit marker;
            marker.name = name;
            marker.kind = EPlotLimitKind::XMarker;
            marker.draggable = true;
            marker.color = RGB(0, 0, 128);
            index = chart.AddLimit(marker);
        }
        SPlotLimit& marker = *chart.GetLimit(index);
        marker.axisName = x->GetName();
        marker.position1 = x->FractionToValue(percent / 100.0);
    }
}

double XMarkerPercent(const CiPlotX& chart, const CString& name, int axis)
{
    const CPlotXAxis* x = chart.GetXAxis(axis);
    const int index = chart.FindLimit(name);
    if (!x || index < 0)
        return -1.0;
    return x->ValueToFraction(chart.GetLimit(index)->position1) * 100.0;
}

void Redraw(CiPlotX& chart)
{
    chart.RecalcLayout();
    chart.Repaint();
}

} // namespace IOCompUtils
