#pragma once
// The chart's own context menus, key handler and object click handler of the study graphs.
#include "platform/framework/WinTypes.h"

class CiPlotX;
class CDataToIOComp;
class CRecTrendToIOComp;
class CWnd;

inline constexpr UINT ID_PLOT_RESET_ZOOM = 33033;   // every axis back to its data
inline constexpr UINT ID_PLOT_AUTO_Y_AXES = 33039;  // every Y axis scaled automatically
inline constexpr UINT ID_PLOT_SCALE_AXIS = 33040;   // the axis's manual scale dialog (the view opens it)

// The menu at (x, y) in `owner`'s client coordinates; the chosen command is carried out on the
// feeder and returned (0 when none was chosen).
UINT TrackChartContextMenu(CDataToIOComp& feeder, CWnd* owner, int x, int y);
// The axis menu: "Set scale...", "Reset zoom", and for a Y axis also automatic scaling.
UINT TrackAxisContextMenu(CDataToIOComp& feeder, CWnd* owner, bool yAxis, int x, int y);
// "+" and "-" zoom every time axis in and out, Home resets the axes; a handled key is
// consumed (set to 0). True when the chart changed.
bool HandleChartKey(CRecTrendToIOComp& feeder, int& key);
// A clicked label comes to the front of the labels drawn over the data.
void HandleObjectClick(CiPlotX& chart, int label);
