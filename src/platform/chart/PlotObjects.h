#pragma once
// The objects drawn over the data: the two X-axis data cursors, limits (value lines, vertical
// markers and bands) and labels (texts, rectangles behind the data, points on a channel).
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

// An X-axis data cursor: a vertical line on the X axis of the channel it follows, with a
// readout box whose text the owner gives (event 49).
struct SPlotDataCursor
{
    CString name;
    CString channelName;
    double position = 0.0;       // X value
    double readoutPosition = 50; // percent of the plot height, 100 = top
    int style = 0;               // 0 off; other values show the cursor
    COLORREF color = RGB(0, 0, 0);
    bool hasColor = false;       // else the channel's colour
    bool visible = true;
    CString readout;             // the last text the owner gave

    bool IsShown() const { return visible && style != 0; }
};

enum class EPlotLimitKind
{
    YLine,   // horizontal line at position 1 on the Y axis
    XMarker, // vertical line at position 1 on the X axis
    XBand,   // vertical band from position 1 to position 2 on the X axis
};

// A limit (band object): named, draggable when asked for.
struct SPlotLimit
{
    CString name;
    EPlotLimitKind kind = EPlotLimitKind::YLine;
    CString axisName;
    double position1 = 0.0;
    double position2 = 0.0; // band end, or the height of a marker in percent of the plot
    int style = 0;          // 0 solid, 1 dash, 2 dot
    COLORREF color = RGB(255, 0, 0);
    int size = 1;           // line width
    bool visible = true;
    bool draggable = false;
};

enum class EPlotLabelKind
{
    Text,      // a text at (x on the X axis, y in percent of the plot height)
    Rectangle, // a filled rectangle from x to x2 over the whole plot height, behind the data
    Point,     // a marker at (x, value) on the axes of channel `channelName`, with its text beside it
};

// A label (annotation object).
struct SPlotLabel
{
    CString name;
    EPlotLabelKind kind = EPlotLabelKind::Text;
    CString xAxisName;
    double x = 0.0;
    double y = 50.0;
    double x2 = 0.0;
    CString text;
    COLORREF color = RGB(0, 0, 0);
    COLORREF fillColor = RGB(255, 255, 255);
    bool filled = false;
    bool visible = true;
    bool draggable = false;
    CString channelName;
    double value = 0.0; // of a Point: its place on the channel's Y axis
};
