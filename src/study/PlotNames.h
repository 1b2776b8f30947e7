#pragma once
// Names of the chart objects that the study views share: the X axes of the four sessions,
// the Y axes, the two X markers, and the suffixes of limit and trend channels.
#include "platform/framework/CString.h"

inline constexpr int kMaxPlotXAxes = 4;
inline constexpr char kXLoMarker[] = "XLo";
inline constexpr char kXHiMarker[] = "XHi";
inline constexpr char kLimitChannelSuffix[] = "_LC";
inline constexpr char kTrendChannelSuffix[] = "_TC";

// "XAxis0" .. "XAxis3".
CString XAxisName(int index);
// "YAxis%d".
CString YAxisName(int index);
// The channel name without a "_TC" suffix.
CString StripTcSuffix(const CString& name);
// The channel name without a "_LC" or "_TC" suffix.
CString StripChannelSuffix(const CString& name);
