#pragma once
// Drawing with the platform's visual styles. This platform has no theme library, so every call
// reports that it did not draw and the caller draws the classic way; callers keep asking so that
// the classic fallback stays the single drawing path.
#include "platform/framework/windows/Geometry.h"

class CDC;
class CWnd;

namespace UGVisualStyle
{
// Theme state bits from two flags (a pressed and a hot flag, or current and selected):
// neither 1, second only 2, first only 4, both 6.
constexpr int StateFromFlags(bool first, bool second)
{
    return first ? (second ? 6 : 4) : (second ? 2 : 1);
}

inline bool IsVisualStyleActive()
{
    return false;
}

inline bool DrawStyledBackground(CWnd* /*wnd*/, CDC* /*dc*/, int /*styleId*/, int /*state*/, const RECT* /*rect*/,
                                 const RECT* /*clip*/)
{
    return false;
}

// On success *content receives the rectangle inside the edge.
inline bool DrawStyledEdge(CWnd* /*wnd*/, CDC* /*dc*/, int /*styleId*/, int /*state*/, const RECT* /*rect*/,
                           UINT /*borderBits*/, UINT /*edgeFlags*/, RECT* /*content*/)
{
    return false;
}

inline bool DrawStyledText(CWnd* /*wnd*/, CDC* /*dc*/, int /*styleId*/, int /*state*/, const char* /*text*/,
                           int /*count*/, UINT /*format*/, const RECT* /*rect*/)
{
    return false;
}
} // namespace UGVisualStyle
