// The chart's reaction to the mouse and the keys: hit testing, drags of axes, cursors, limits
// and labels, and the events each step fires, in the order the input causes them.
#include "platform/chart/CiPlotX.h"

#include <cmath>

namespace {

constexpr int kGrip = 3;     // pixels either side of a line that still hit it
constexpr int kPointGrip = 4;
constexpr UINT kVkLeft = 0x25;
constexpr UINT kVkRight = 0x27;

bool Inside(const CRect& r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

int ShiftFromFlags(UINT flags)
{
    return ((flags & MK_SHIFT) ? kPlotShift : 0) | ((flags & MK_CONTROL) ? kPlotControl : 0) |
           (GetKeyState(int(VK_MENU)) < 0 ? kPlotAlt : 0);
}

int ShiftFromKeys()
{
    return (GetKeyState(int(VK_SHIFT)) < 0 ? kPlotShift : 0) | (GetKeyState(int(VK_CONTROL)) < 0 ? kPlotControl : 0) |
           (GetKeyState(int(VK_MENU)) < 0 ? kPlotAlt : 0);
}

} // namespace

double CiPlotX::XAxisValueAt(const CString& axisName, int x) const
{
    int axis = FindXAxis(axisName);
    if (axis < 0 && GetXAxisCount() > 0)
        axis = 0;
    return XPixelToValue(axis, x);
}

SPlotHit CiPlotX::HitTest(int x, int y) const
{
    // The topmost object takes the click, as the picture stacks them (PlotRenderer): the cursors
    // over the text boxes, the boxes over the limit lines, the lines over the curves.
    SPlotHit hit;
    const CRect& plot = m_layout.plot;
    if (Inside(plot, x, y)) {
        for (int i = 0; i < kCursorCount; ++i) {
            const SPlotDataCursor& cursor = m_cursors[std::size_t(i)];
            const CPlotChannel* channel = GetChannel(FindChannel(cursor.channelName));
            if (IsCursorInSight(i) &&
                std::fabs(XValueToPixel(FindXAxis(channel->GetXAxisName()), cursor.position) - x) <= kGrip)
                return {SPlotHit::Cursor, i, -1};
        }
        for (int i = int(m_labels.size()) - 1; i >= 0; --i)
            if (Inside(GetLabelBox(i), x, y))
                return {SPlotHit::Label, i, -1};
        for (int i = int(m_limits.size()) - 1; i >= 0; --i) {
            const SPlotLimit& limit = m_limits[std::size_t(i)];
            if (!limit.visible)
                continue;
            bool onIt = false;
            if (limit.kind == EPlotLimitKind::YLine) {
                const int axis = std::max(0, FindYAxis(limit.axisName));
                onIt = std::fabs(YValueToPixel(axis, limit.position1) - y) <= kGrip;
            } else {
                const int axis = std::max(0, FindXAxis(limit.axisName));
                const double x1 = XValueToPixel(axis, limit.position1);
                onIt = std::fabs(x1 - x) <= kGrip;
                if (limit.kind == EPlotLimitKind::XBand) {
                    const double x2 = XValueToPixel(axis, limit.position2);
                    onIt = x >= std::min(x1, x2) - kGrip && x <= std::max(x1, x2) + kGrip;
                }
            }
            if (onIt)
                return {SPlotHit::Limit, i, -1};
        }
        SPlotHit nearest{SPlotHit::Plot, -1, -1};
        double best = kPointGrip + 1.0;
        for (int c = 0; c < int(m_channels.size()); ++c) {
            const CPlotChannel& channel = m_channels[std::size_t(c)];
            const int xAxis = FindXAxis(channel.GetXAxisName()), yAxis = FindYAxis(channel.GetYAxisName());
            if (!channel.IsVisible() || !channel.IsEnabled() || xAxis < 0 || yAxis < 0 || !m_xAxes[std::size_t(xAxis)].IsVisible())
                continue;
            const int before = channel.GetIndexOfX(XPixelToValue(xAxis, x));
            for (int p : {before, before + 1}) {
                if (p < 0 || p >= channel.GetCount() || !std::isfinite(channel.GetYValue(p)))
                    continue;
                const double dx = std::fabs(XValueToPixel(xAxis, channel.GetXValue(p)) - x);
                const double dy = std::fabs(YValueToPixel(yAxis, channel.GetYValue(p)) - y);
                if (dx <= kPointGrip && dy <= kPointGrip && std::max(dx, dy) < best) {
                    best = std::max(dx, dy);
                    nearest = {SPlotHit::ChannelPoint, c, p};
                }
            }
        }
        return nearest;
    }
    for (std::size_t i = 0; i < m_layout.xAxisBands.size(); ++i)
        if (Inside(m_layout.xAxisBands[i], x, y))
            return {SPlotHit::XAxis, int(i), -1};
    for (std::size_t i = 0; i < m_layout.yAxisBands.size(); ++i)
        if (Inside(m_layout.yAxisBands[i], x, y))
            return {SPlotHit::YAxis, int(i), -1};
    return hit;
}

void CiPlotX::MouseDown(int button, int shift, int x, int y)
{
    m_buttons |= button;
    const SPlotHit hit = HitTest(x, y);
    SPlotEvent event;
    event.button = button;
    event.shift = shift;
    event.x = x;
    event.y = y;
    Fire(PlotEvent::MouseDown, event);
    m_drag = SDrag{};
    m_drag.kind = EDrag::Press;
    m_drag.hit = hit;
    m_drag.startX = x;
    m_drag.startY = y;
    if (button != kPlotLeftButton)
        return;
    event.index = hit.index;
    switch (hit.kind) {
    case SPlotHit::Cursor:
        m_activeCursor = hit.index;
        m_drag.kind = EDrag::Cursor;
        m_drag.index = hit.index;
        break;
    case SPlotHit::Limit:
        Fire(PlotEvent::LimitMouseDown, event);
        Fire(PlotEvent::LimitClick, event);
        Fire(PlotEvent::ObjectMouseDown, event);
        if (SPlotLimit* limit = GetLimit(hit.index); limit && limit->draggable) {
            m_drag.kind = EDrag::Limit;
            m_drag.index = hit.index;
            m_drag.startPos = limit->position1;
            m_drag.startPos2 = limit->position2;
        }
        break;
    case SPlotHit::Label:
        // Taken before the owner hears of the press: it may bring the label to the front, and
        // the drag follows it there.
        if (const SPlotLabel* label = GetLabel(hit.index); label && label->draggable) {
            m_drag.kind = EDrag::Label;
            m_drag.index = hit.index;
        }
        Fire(PlotEvent::LabelClick, event);
        event.state = 1; // a label
        Fire(PlotEvent::ObjectMouseDown, event);
        break;
    case SPlotHit::ChannelPoint:
        event.point = hit.point;
        Fire(PlotEvent::ChannelPointClick, event);
        break;
    case SPlotHit::XAxis:
        Fire(PlotEvent::XAxisMouseDown, event);
        if (!m_xAxisDrag)
            break;
        m_drag.kind = EDrag::XAxis;
        m_drag.index = hit.index;
        m_drag.startMin = m_xAxes[std::size_t(hit.index)].GetMin();
        m_drag.startSpan = m_xAxes[std::size_t(hit.index)].GetSpan();
        m_drag.zoom = (shift & (kPlotShift | kPlotControl)) != 0;
        break;
    case SPlotHit::YAxis:
        if (!m_yAxisDrag)
            break;
        m_drag.kind = EDrag::YAxis;
        m_drag.index = hit.index;
        m_drag.startMin = m_yAxes[std::size_t(hit.index)].GetMin();
        m_drag.startSpan = m_yAxes[std::size_t(hit.index)].GetSpan();
        m_drag.zoom = (shift & (kPlotShift | kPlotControl)) != 0;
        break;
    default:
        break;
    }
}

void CiPlotX::MouseMove(int shift, int x, int y)
{
    if (m_buttons != 0 && m_drag.kind != EDrag::None && m_drag.kind != EDrag::Press &&
        (x != m_drag.startX || y != m_drag.startY || m_drag.moved)) {
        m_drag.moved = true;
        DragTo(shift, x, y);
    }
    SPlotEvent event;
    event.shift = shift;
    event.x = x;
    event.y = y;
    if (m_buttons == 0) {
        const SPlotHit hit = HitTest(x, y);
        if (hit.kind == SPlotHit::Limit || hit.kind == SPlotHit::Label) {
            SPlotEvent over = event;
            over.index = hit.index;
            over.state = hit.kind == SPlotHit::Label ? 1 : 0;
            Fire(PlotEvent::ObjectMouseMove, over);
        }
    }
    Fire(PlotEvent::MouseMove, event);
}

void CiPlotX::DragTo(int shift, int x, int y)
{
    SPlotEvent event;
    event.index = m_drag.index;
    event.button = m_buttons;
    event.shift = shift;
    event.x = x;
    event.y = y;
    const CRect& plot = m_layout.plot;
    switch (m_drag.kind) {
    case EDrag::XAxis:
    case EDrag::YAxis: {
        const bool isX = m_drag.kind == EDrag::XAxis;
        CPlotAxis& axis = isX ? static_cast<CPlotAxis&>(m_xAxes[std::size_t(m_drag.index)])
                              : static_cast<CPlotAxis&>(m_yAxes[std::size_t(m_drag.index)]);
        const double length = std::max(1, (isX ? plot.Width() : plot.Height()) - 1);
        // Dragging towards higher values on screen moves the range the other way.
        const double pixels = isX ? double(x - m_drag.startX) : double(m_drag.startY - y);
        double minimum = m_drag.startMin, span = m_drag.startSpan;
        if (m_drag.zoom) {
            const double pressFraction =
                isX ? (m_drag.startX - plot.left) / length : (plot.bottom - 1 - m_drag.startY) / length;
            const double anchor = m_drag.startMin + pressFraction * m_drag.startSpan;
            span = m_drag.startSpan * std::exp(-pixels / 200.0);
            minimum = anchor - pressFraction * span;
        } else {
            minimum = m_drag.startMin - pixels / length * m_drag.startSpan;
        }
        event.a = axis.GetMin();
        event.b = axis.GetSpan();
        if (!axis.SetMinSpan(minimum, span) || (axis.GetMin() == event.a && axis.GetSpan() == event.b))
            return;
        event.c = axis.GetMin();
        event.d = axis.GetSpan();
        if (!isX)
            m_yAxes[std::size_t(m_drag.index)].SetManual(true);
        Repaint();
        Fire(isX ? PlotEvent::XAxisChange : PlotEvent::YAxisChange, event);
        break;
    }
    case EDrag::Cursor: {
        const CPlotChannel* channel = GetChannel(FindChannel(m_cursors[std::size_t(m_drag.index)].channelName));
        if (!channel)
            return;
        const double value = XPixelToValue(FindXAxis(channel->GetXAxisName()), x);
        // The nearer of the two points around the mouse.
        int point = std::max(0, channel->GetIndexOfX(value));
        if (point + 1 < channel->GetCount() && channel->GetXValue(point + 1) - value < value - channel->GetXValue(point))
            ++point;
        if (channel->GetCount() == 0 || channel->GetXValue(point) == m_cursors[std::size_t(m_drag.index)].position)
            return;
        m_cursors[std::size_t(m_drag.index)].position = channel->GetXValue(point);
        Fire(PlotEvent::CursorChange, event);
        SPlotEvent readout;
        readout.index = m_drag.index;
        m_cursors[std::size_t(m_drag.index)].readout = Fire(PlotEvent::CursorReadout, readout).text;
        Repaint();
        break;
    }
    case EDrag::Limit: {
        SPlotLimit& limit = m_limits[std::size_t(m_drag.index)];
        if (limit.kind == EPlotLimitKind::YLine) {
            limit.position1 = YPixelToValue(std::max(0, FindYAxis(limit.axisName)), y);
        } else {
            const double delta = XAxisValueAt(limit.axisName, x) - XAxisValueAt(limit.axisName, m_drag.startX);
            limit.position1 = m_drag.startPos + delta;
            if (limit.kind == EPlotLimitKind::XBand)
                limit.position2 = m_drag.startPos2 + delta;
        }
        Repaint();
        Fire(PlotEvent::LimitDragged, event);
        break;
    }
    case EDrag::Label: {
        SPlotLabel& label = m_labels[std::size_t(m_drag.index)];
        event.a = label.x;
        event.b = label.y;
        label.x = XAxisValueAt(label.xAxisName, x);
        label.y = std::clamp((plot.bottom - 1 - y) * 100.0 / std::max(1, plot.Height() - 1), 0.0, 100.0);
        event.c = label.x;
        event.d = label.y;
        Repaint();
        Fire(PlotEvent::LabelMouseMove, event);
        Fire(PlotEvent::LabelMoved, event);
        break;
    }
    default:
        break;
    }
}

void CiPlotX::MouseUp(int button, int shift, int x, int y)
{
    m_buttons &= ~button;
    if (button == kPlotLeftButton)
        EndDrag(button, shift, x, y);
    else if (button == kPlotRightButton)
        ContextMenu(HitTest(x, y), x, y);
    m_drag = SDrag{};
    SPlotEvent event;
    event.button = button;
    event.shift = shift;
    event.x = x;
    event.y = y;
    Fire(PlotEvent::MouseUp, event);
}

void CiPlotX::EndDrag(int button, int shift, int x, int y)
{
    SPlotEvent event;
    event.index = m_drag.index;
    event.button = button;
    event.shift = shift;
    event.x = x;
    event.y = y;
    switch (m_drag.kind) {
    case EDrag::XAxis:
        Fire(PlotEvent::XAxisMouseUp, event);
        break;
    case EDrag::Limit:
        Fire(PlotEvent::LimitReleased, event);
        Fire(PlotEvent::ObjectMouseUp, event);
        break;
    case EDrag::Label:
        Fire(PlotEvent::ObjectMouseUp, event);
        break;
    case EDrag::Press:
        if (m_drag.hit.kind == SPlotHit::XAxis) {
            event.index = m_drag.hit.index;
            Fire(PlotEvent::XAxisMouseUp, event);
        } else if (m_drag.hit.kind == SPlotHit::ChannelPoint || m_drag.hit.kind == SPlotHit::Plot) {
            event.index = m_drag.hit.kind == SPlotHit::ChannelPoint ? m_drag.hit.index : -1;
            event.point = m_drag.hit.point;
            Fire(PlotEvent::DataViewMouseUp, event);
        } else if (m_drag.hit.kind == SPlotHit::Limit) {
            event.index = m_drag.hit.index;
            Fire(PlotEvent::LimitReleased, event);
            Fire(PlotEvent::ObjectMouseUp, event);
        } else if (m_drag.hit.kind == SPlotHit::Label) {
            event.index = m_drag.hit.index;
            Fire(PlotEvent::ObjectMouseUp, event);
        }
        break;
    default:
        break;
    }
}

void CiPlotX::ContextMenu(const SPlotHit& hit, int x, int y)
{
    SPlotEvent event;
    event.index = hit.index;
    event.x = x;
    event.y = y;
    event.button = kPlotRightButton;
    switch (hit.kind) {
    case SPlotHit::ChannelPoint:
        Fire(PlotEvent::ChannelMenu, event);
        break;
    case SPlotHit::XAxis:
        Fire(PlotEvent::AxisMenu, event);
        break;
    case SPlotHit::YAxis:
        event.state = 1; // a Y axis
        Fire(PlotEvent::AxisMenu, event);
        break;
    case SPlotHit::Label:
        Fire(PlotEvent::LabelMenu, event);
        break;
    default:
        Fire(PlotEvent::ChartMenu, event);
        break;
    }
}

void CiPlotX::DoubleClick(int button, int shift, int x, int y)
{
    const SPlotHit hit = HitTest(x, y);
    SPlotEvent event;
    event.button = button;
    event.shift = shift;
    event.x = x;
    event.y = y;
    Fire(PlotEvent::DblClick, event);
    event.index = hit.index;
    if (hit.kind == SPlotHit::Label)
        Fire(PlotEvent::LabelEdit, event);
    else if (hit.kind == SPlotHit::ChannelPoint)
        Fire(PlotEvent::CursorChannel, event);
}

void CiPlotX::KeyDown(int key, int shift)
{
    SPlotEvent event;
    event.key = key;
    event.shift = shift;
    event = Fire(PlotEvent::KeyDown, event);
    if (event.key != 0)
        MoveActiveCursorByKey(event.key);
}

void CiPlotX::KeyUp(int key, int shift)
{
    SPlotEvent event;
    event.key = key;
    event.shift = shift;
    Fire(PlotEvent::KeyUp, event);
}

void CiPlotX::MoveActiveCursorByKey(int key)
{
    if (key != int(kVkLeft) && key != int(kVkRight))
        return;
    // The keys move the first cursor until the user clicks one.
    const int active = std::max(m_activeCursor, 0);
    SPlotDataCursor& cursor = m_cursors[std::size_t(active)];
    const CPlotChannel* channel = GetChannel(FindChannel(cursor.channelName));
    if (!cursor.IsShown() || !channel || channel->GetCount() == 0)
        return;
    const int point = std::max(0, channel->GetIndexOfX(cursor.position));
    const int next = std::clamp(point + (key == int(kVkRight) ? 1 : -1), 0, channel->GetCount() - 1);
    if (next == point)
        return;
    cursor.position = channel->GetXValue(next);
    SPlotEvent event;
    event.index = active;
    Fire(PlotEvent::CursorChange, event);
    cursor.readout = Fire(PlotEvent::CursorReadout, event).text;
    Repaint();
}

// ---- window messages

void CiPlotX::OnLButtonDown(UINT flags, CPoint point)
{
    SetFocus();
    SetCapture();
    MouseDown(kPlotLeftButton, ShiftFromFlags(flags), point.x, point.y);
}

void CiPlotX::OnLButtonUp(UINT flags, CPoint point)
{
    if (GetCapture() == this)
        ReleaseCapture();
    MouseUp(kPlotLeftButton, ShiftFromFlags(flags), point.x, point.y);
}

void CiPlotX::OnLButtonDblClk(UINT flags, CPoint point)
{
    DoubleClick(kPlotLeftButton, ShiftFromFlags(flags), point.x, point.y);
}

void CiPlotX::OnRButtonDown(UINT flags, CPoint point)
{
    SetFocus();
    MouseDown(kPlotRightButton, ShiftFromFlags(flags), point.x, point.y);
}

void CiPlotX::OnRButtonUp(UINT flags, CPoint point)
{
    MouseUp(kPlotRightButton, ShiftFromFlags(flags), point.x, point.y);
}

void CiPlotX::OnMouseMove(UINT flags, CPoint point)
{
    MouseMove(ShiftFromFlags(flags), point.x, point.y);
}

void CiPlotX::OnKeyDown(UINT nChar, UINT, UINT)
{
    KeyDown(int(nChar), ShiftFromKeys());
}

void CiPlotX::OnKeyUp(UINT nChar, UINT, UINT)
{
    KeyUp(int(nChar), ShiftFromKeys());
}

void CiPlotX::OnSetFocus(CWnd* oldWnd)
{
    CWnd::OnSetFocus(oldWnd);
    Invalidate(FALSE); // the focus frame
    Fire(PlotEvent::GotFocus, SPlotEvent{});
}

void CiPlotX::OnKillFocus(CWnd* newWnd)
{
    CWnd::OnKillFocus(newWnd);
    Invalidate(FALSE);
    Fire(PlotEvent::LostFocus, SPlotEvent{});
}

UINT CiPlotX::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}
