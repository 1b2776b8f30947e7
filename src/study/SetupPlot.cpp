#include "study/SetupPlot.h"

#include "platform/chart/CiPlotX.h"
#include "study/PlotNames.h"

void SetupPlot(CiPlotX& chart, unsigned optionSet)
{
    chart.BeginUpdate();
    chart.RemoveAllChannels();
    chart.RemoveAllLimits();
    chart.RemoveAllLabels();
    chart.RemoveAllYAxes();
    for (int i = chart.GetXAxisCount(); i < kMaxPlotXAxes; ++i)
        chart.AddXAxis(XAxisName(i));
    for (int i = 0; i < chart.GetXAxisCount(); ++i) {
        CPlotXAxis& axis = *chart.GetXAxis(i);
        axis.SetVisible(false); // shown with their sessions
        axis.SetCustomLabels((optionSet & PlotSetup::kCustomXLabels) != 0);
        axis.ClearLabels();
    }
    for (int i = 0; i < CiPlotX::kCursorCount; ++i) {
        SPlotDataCursor& cursor = chart.GetCursor(i);
        cursor.style = (optionSet & PlotSetup::kDataCursors) ? (i == 0 ? 3 : 4) : 0;
        cursor.channelName.Empty();
        cursor.readout.Empty();
    }
    chart.EnableAxisDrag((optionSet & PlotSetup::kXAxisDrag) != 0, (optionSet & PlotSetup::kYAxisDrag) != 0);
    chart.SetPlotBackground(CiPlotX::kDefaultBackground);
    chart.SetZoomRect(CRect());
    chart.EndUpdate();
}
