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
// The manual scale dialog of time axis i (value axis i) chosen in the keyboard's menu.
inline constexpr UINT ID_PLOT_SCALE_TIME_AXIS = 33140;
inline constexpr UINT ID_PLOT_SCALE_VALUE_AXIS = 33150;

// The menu at (x, y) in `owner`'s client coordinates; the chosen command is carried out on the
// feeder and returned (0 when none was chosen).
UINT TrackChartContextMenu(CDataToIOComp& feeder, CWnd* owner, int x, int y);
// The axis menu: "Set scale...", "Reset zoom", and for a Y axis also automatic scaling.
UINT TrackAxisContextMenu(CDataToIOComp& feeder, CWnd* owner, bool yAxis, int x, int y);
// The menu the menu key (or Shift+F10) brings on the chart: the chart menu's commands and the
// scale of every axis that shows, which the mouse reaches on the axis itself. The view opens the
// scale dialog of ID_PLOT_SCALE_TIME_AXIS + i or ID_PLOT_SCALE_VALUE_AXIS + i.
UINT TrackChartKeyboardMenu(CDataToIOComp& feeder, CWnd* owner, int x, int y);
// The menu key, or Shift+F10 (shift: the chart's kPlotShift flags).
bool IsMenuKey(int key, int shift);
// "+" and "-" zoom every time axis in and out, Home resets the axes; a handled key is
// consumed (set to 0). True when the chart changed.
bool HandleChartKey(CRecTrendToIOComp& feeder, int& key);
// A clicked label comes to the front of the labels drawn over the data.
void HandleObjectClick(CiPlotX& chart, int label);
