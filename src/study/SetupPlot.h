#pragma once
// The chart set-up of a study graph: an empty chart with the four session X axes and the
// interaction the option set asks for.
class CiPlotX;

namespace PlotSetup {
inline constexpr unsigned kCustomXLabels = 0x0004; // the views label the time axes
inline constexpr unsigned kAutoYAxes = 0x0040;     // Y axes follow the visible channels
inline constexpr unsigned kDataCursors = 0x0080;   // the two data cursors are shown
inline constexpr unsigned kXAxisDrag = 0x1000;     // the user scrolls and zooms time axes
inline constexpr unsigned kYAxisDrag = 0x2000;     // the user scrolls and zooms value axes

inline constexpr unsigned kCalendarOptions = 12356;      // calendar graphs, Load summary graph
inline constexpr unsigned kEnergySummaryOptions = 12740; // Energy summary graph
} // namespace PlotSetup

// Other bits of an option set select nothing on this chart.
void SetupPlot(CiPlotX& chart, unsigned optionSet);
