#include "platform/framework/windows/FocusChain.h"

#include "platform/framework/windows/CDialog.h"
#include "platform/framework/windows/CDialogBar.h"
#include "platform/framework/windows/CFormView.h"
#include "platform/framework/windows/QtBridge.h"

#include <QApplication>

#include <algorithm>

namespace
{
bool IsShownAndEnabled(CWnd& window) { return window.IsWindowVisible() && window.IsWindowEnabled(); }

// WS_TABSTOP as the window's widget holds it: a radio group is one stop, at its checked button.
// A window of no size (a list without entries) shows nothing where the keyboard would be.
bool IsTabStop(CWnd& window)
{
    const QWidget* widget = WidgetOf(&window);
    return widget && (widget->focusPolicy() & Qt::TabFocus) && !widget->size().isEmpty();
}

// A dialog template gives its controls in the order the user goes through them.
bool KeepsTemplateOrder(CWnd& parent)
{
    return dynamic_cast<CDialog*>(&parent) || dynamic_cast<CDialogBar*>(&parent) || dynamic_cast<CFormView*>(&parent);
}

// Children in reading order: rows from the top (a window starts a new row when its top lies below
// the middle of the row's first window), left to right within a row.
std::vector<CWnd*> InReadingOrder(std::vector<CWnd*> children)
{
    const auto rectOf = [](CWnd* w) {
        CRect r;
        w->GetWindowRect(&r);
        return r;
    };
    std::stable_sort(children.begin(), children.end(), [&](CWnd* a, CWnd* b) { return rectOf(a).top < rectOf(b).top; });
    std::vector<CWnd*> ordered;
    for (auto row = children.begin(); row != children.end();)
    {
        const CRect first = rectOf(*row);
        const auto end = std::find_if(row, children.end(), [&](CWnd* w) { return rectOf(w).top >= first.CenterPoint().y; });
        std::vector<CWnd*> cells(row, end == row ? row + 1 : end);
        std::stable_sort(cells.begin(), cells.end(), [&](CWnd* a, CWnd* b) { return rectOf(a).left < rectOf(b).left; });
        ordered.insert(ordered.end(), cells.begin(), cells.end());
        row += std::ptrdiff_t(cells.size());
    }
    return ordered;
}

void Collect(CWnd& parent, std::vector<CWnd*>& stops)
{
    std::vector<CWnd*> children;
    for (CWnd* child = parent.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        if (IsShownAndEnabled(*child) && child->GetParent() == &parent) children.push_back(child);
    if (!KeepsTemplateOrder(parent)) children = InReadingOrder(std::move(children));
    for (CWnd* child : children)
    {
        if (IsTabStop(*child)) stops.push_back(child);
        Collect(*child, stops);
    }
}
} // namespace

std::vector<CWnd*> GetTabStops(CWnd& anyWindow)
{
    std::vector<CWnd*> stops;
    if (CWnd* top = anyWindow.GetTopLevelParent()) Collect(*top, stops);
    return stops;
}

CWnd* MoveFocusToNextTabStop(CWnd& focus, bool backwards)
{
    const std::vector<CWnd*> stops = GetTabStops(focus);
    if (stops.empty()) return nullptr;
    // The stop of the focus window: itself, or the innermost stop that holds it (a grid's part).
    auto holder = std::find(stops.begin(), stops.end(), &focus);
    for (auto it = stops.begin(); holder == stops.end() && it != stops.end(); ++it)
        if ((*it)->IsChild(&focus) && std::none_of(it + 1, stops.end(), [&](CWnd* inner) { return (*it)->IsChild(inner) && inner->IsChild(&focus); }))
            holder = it;
    const std::ptrdiff_t n = std::ptrdiff_t(stops.size());
    std::ptrdiff_t next = 0;
    if (holder == stops.end())
        next = backwards ? n - 1 : 0;
    else
        next = ((holder - stops.begin()) + (backwards ? -1 : 1) + n) % n;
    CWnd* stop = stops[std::size_t(next)];
    // Given as Tab gives it, so that the controls show where the keyboard is; the window the key
    // came to is the one the user works in.
    if (QWidget* widget = WidgetOf(stop))
    {
        if (widget->window()->isVisible() && QApplication::activeWindow() != widget->window())
            QApplication::setActiveWindow(widget->window());
        widget->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    }
    return stop;
}

namespace
{
// The step (positive: scroll on) that brings [low, high) into [roomLow, roomHigh), 0 when it
// shows as well as it can.
int StepIntoView(int low, int high, int roomLow, int roomHigh)
{
    const bool fits = high - low <= roomHigh - roomLow;
    if (!fits && high > roomLow && low < roomHigh) return 0;
    if (high > roomHigh) return std::min(high - roomHigh, low - roomLow);
    if (low < roomLow) return low - roomLow;
    return 0;
}

void ScrollBy(CWnd& holder, int bar, int step)
{
    SCROLLINFO info{};
    info.fMask = SIF_ALL;
    if (step == 0 || !holder.GetScrollInfo(bar, &info) || info.nMax - info.nMin + 1 <= int(info.nPage)) return;
    const int last = std::max(info.nMin, info.nMax - int(info.nPage) + 1);
    const int position = std::clamp(holder.GetScrollPos(bar) + step, info.nMin, last);
    holder.SendMessage(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
}
} // namespace

void BringIntoView(CWnd& focus)
{
    CRect rect;
    focus.GetWindowRect(&rect);
    focus.ScreenToClient(&rect);
    BringIntoView(focus, rect);
}

void BringIntoView(CWnd& window, const CRect& part)
{
    const auto onScreen = [&] {
        CRect rect = part;
        window.ClientToScreen(&rect);
        return rect;
    };
    for (CWnd* holder = window.GetParent(); holder && window.GetSafeHwnd(); holder = holder->GetParent())
    {
        CRect room;
        holder->GetClientRect(&room);
        holder->ClientToScreen(&room);
        CRect rect = onScreen();
        ScrollBy(*holder, SB_VERT, StepIntoView(rect.top, rect.bottom, room.top, room.bottom));
        rect = onScreen();
        ScrollBy(*holder, SB_HORZ, StepIntoView(rect.left, rect.right, room.left, room.right));
    }
}
