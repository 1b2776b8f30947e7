#pragma once
// The events the chart fires at its owner, by their numbers (the views dispatch on them), and
// the record that carries their arguments; out arguments are written by the owner. This chart
// has no legend and no toolbar: 52, 77 and 81 keep their numbers for the views' dispatch but
// are not fired.
#include "platform/framework/CString.h"

namespace PlotEvent {
inline constexpr int MouseDown = 3;          // button, shift, x, y
inline constexpr int MouseMove = 4;          // shift, x, y
inline constexpr int MouseUp = 5;            // button, shift, x, y
inline constexpr int CursorChange = 6;       // cursor index
inline constexpr int DblClick = 9;
inline constexpr int KeyUp = 11;             // key, shift
inline constexpr int ChannelPointClick = 15; // channel, point
inline constexpr int LimitClick = 16;        // object index
inline constexpr int GotFocus = 33;
inline constexpr int LostFocus = 34;
inline constexpr int KeyDown = 36;           // key (in/out), shift
inline constexpr int KeyPress = 37;          // character
inline constexpr int LimitReleased = 38;     // object index
inline constexpr int ChannelMenu = 41;       // channel, cancel (out), x, y
inline constexpr int ChartMenu = 42;         // object index, cancel (out), x, y
inline constexpr int AxisMenu = 43;          // object index, cancel (out), x, y
inline constexpr int LabelEdit = 47;         // object index, cancel (out), x, y
inline constexpr int CursorReadout = 49;     // cursor index, text (out)
inline constexpr int XAxisChange = 50;       // axis, old minimum, old span, new minimum, new span
inline constexpr int ItemSelected = 52;      // item index
inline constexpr int CursorChannel = 55;     // channel
inline constexpr int LabelClick = 66;        // object index
inline constexpr int YAxisChange = 67;       // axis, old minimum, old span, new minimum, new span
inline constexpr int ToolbarClick = 77;      // object index, state
inline constexpr int XAxisMouseDown = 78;    // axis, button, shift, x, y
inline constexpr int LabelMouseMove = 80;    // object, button, shift, x, y
inline constexpr int LegendMouseDown = 81;   // object, button, shift, x, y
inline constexpr int ObjectMouseMove = 84;   // object, state (0 limit, 1 label); no button held
inline constexpr int LimitMouseDown = 85;    // object, button, shift, x, y
inline constexpr int XAxisMouseUp = 86;      // axis, button, shift, x, y
inline constexpr int ObjectMouseDown = 92;   // object, state (0 limit, 1 label), button, shift, x, y
inline constexpr int ObjectMouseUp = 93;     // object, button, shift, x, y
inline constexpr int LabelMenu = 101;        // object, button, x, y
inline constexpr int LabelMoved = 104;       // object, old x, old y, new x, new y
inline constexpr int DataViewMouseUp = 134;  // channel, point, button, shift, x, y
inline constexpr int LimitDragged = 137;     // object index
} // namespace PlotEvent

// Shift states as the events carry them.
inline constexpr int kPlotShift = 1;
inline constexpr int kPlotControl = 2;
inline constexpr int kPlotAlt = 4;
// Mouse buttons.
inline constexpr int kPlotLeftButton = 1;
inline constexpr int kPlotRightButton = 2;

struct SPlotEvent
{
    int id = 0;
    int index = -1; // object, axis, channel or cursor index
    int point = -1;
    int button = 0;
    int shift = 0;
    int x = 0;
    int y = 0;
    int state = 0;
    int key = 0;    // in/out: a handler consumes a key by setting it to 0
    double a = 0.0, b = 0.0, c = 0.0, d = 0.0;
    bool cancel = false; // out: the chart's own reaction is dropped
    CString text;        // out: the readout text
};

class IPlotEventSink
{
public:
    virtual ~IPlotEventSink() = default;
    virtual void OnPlotEvent(SPlotEvent& event) = 0;
};
