#pragma once
// The zoom rectangle a user draws over the plot with the left button: pressed on the plot
// (not on a cursor, limit, label or data point), drawn while the mouse moves, completed on
// release when it is at least a few pixels wide and high.
#include "platform/framework/windows/Geometry.h"

class CiPlotX;

class CZoomRectangle
{
public:
    enum Mode { Press = 0, Move = 1, Release = 2 };

    // True when a release completed a rectangle (GetRect then holds it).
    bool Handle(CiPlotX& chart, int mode, int button, int shift, int x, int y);
    bool IsDrawing() const { return m_drawing; }
    const CRect& GetRect() const { return m_rect; }

private:
    CRect Span(const CiPlotX& chart, int x, int y) const;

    bool m_drawing = false;
    CPoint m_start;
    CRect m_rect;
};
