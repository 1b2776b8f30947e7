#pragma once
// Plot set-up helpers shared by the study graphs: X spans, cursor placement, the two X markers
// and the chart redraw.
#include "platform/framework/CString.h"

class CiPlotX;

namespace IOCompUtils {

// Sets the span of X axis `axis` (every X axis when negative) keeping each axis's centre.
void SetXSpan(CiPlotX& chart, int axis, double span);
// Puts both data cursors on the channel, at one third and two thirds of its axis's visible span.
void PositionCursors(CiPlotX& chart, const CString& channelName);
// The X markers "XLo" and "XHi" (made when missing) at percent positions of X axis `axis`.
void PlaceXMarkers(CiPlotX& chart, int axis, double loPercent, double hiPercent);
// A marker's position in percent of the axis's visible span; -1 without marker or axis.
double XMarkerPercent(const CiPlotX& chart, const CString& name, int axis);
void Redraw(CiPlotX& chart);

} // namespace IOCompUtils
