// The kept pixels of plain windows. Every pixel a window shows comes from its surface, so that
// drawing outside WM_PAINT stays on screen; but a surface costs four bytes a pixel, and most
// windows of a page stack are hidden (other tabs) or covered by their children (frames, form
// views holding a grid). Surfaces are therefore made when something draws, dropped when the
// window is hidden, and never made for a covered window; the whole window is painted again when
// it shows. A window larger than its parent (a grid as tall as its rows, scrolled by its view)
// keeps only the part that shows, and paints the rest as it comes into sight.
#include "platform/framework/windows/WindowBridge.h"

#include <QPainter>
#include <QScrollBar>

namespace
{
// A surface for a logical area of the client at the widget's device pixel ratio.
QImage NewSurface(const QWidget* widget, QSize logical, QRgb fill)
{
    const qreal ratio = widget ? widget->devicePixelRatioF() : 1.0;
    QImage image((QSizeF(logical.expandedTo(QSize(1, 1))) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    return image;
}
} // namespace

QRect WndImpl::ShownArea() const
{
    QRect area = ClientRect();
    if (!widget) return area;
    // A window as tall as its rows inside a view that scrolls it shows a screenful at most.
    QPoint offset; // of this client area in the client area of `w`'s parent
    for (const QWidget* w = widget; !w->isWindow() && w->parentWidget() && !area.isEmpty(); w = w->parentWidget())
    {
        offset += w->pos();
        const QWidget* parent = w->parentWidget();
        const WndImpl* p = FromWidget(parent);
        const QRect parentClient = p && p->widget == parent ? p->ClientRect() : parent->rect();
        area &= parentClient.translated(-offset);
    }
    return area;
}

void WndImpl::ResizeSurface(QSize size)
{
    invalid &= QRect(QPoint(0, 0), size);
    if (surface->image.isNull()) return; // made when something draws
    EnsureSurface();
}

void WndImpl::EnsureSurface()
{
    if (nativeControl) return;
    const QRect area = ShownArea();
    const qreal ratio = widget ? widget->devicePixelRatioF() : 1.0;
    const QRgb fill = ToQRgb(hasBackground ? background : 0xFFFFFF);
    if (surface->image.isNull())
    {
        // Nothing else to do: a window gets its surface dropped only while hidden or covered,
        // and showing or uncovering it invalidates what becomes visible.
        if (area.isEmpty()) return;
        surface->image = NewSurface(widget, area.size(), fill);
        surface->origin = area.topLeft();
        return;
    }
    if (surface->Ratio() != ratio)
    {
        // Moved to a screen of another ratio: the window paints itself again at the new one.
        Invalidate(ClientRect(), true);
        surface->image = area.isEmpty() ? QImage() : NewSurface(widget, area.size(), fill);
        surface->origin = area.topLeft();
        return;
    }
    // Out of sight the kept pixels stay as they are (a screenful at most) until it shows again.
    const QRect kept = surface->Area();
    if (area.isEmpty() || area == kept) return;
    QImage image = NewSurface(widget, area.size(), fill);
    QPainter p(&image);
    p.drawImage(kept.topLeft() - area.topLeft(), surface->image);
    p.end();
    surface->image = std::move(image);
    surface->origin = area.topLeft();
    // What comes into sight was painted nowhere (or lost when it left): the window paints it.
    Invalidate(QRegion(area) - kept, true);
}

void WndImpl::DropSurface()
{
    if (surface->image.isNull()) return;
    surface->image = QImage();
    invalid = QRegion();
    erasePending = false;
}

bool WndImpl::CoveredByChildren() const
{
    if (!widget) return false;
    // Only children that paint every pixel of theirs count: plain windows, painted controls and
    // scroll bars. A native control (a label, a group box) may let the parent show through.
    QRegion open(ClientRect());
    for (QObject* o : widget->children())
    {
        auto* child = qobject_cast<QWidget*>(o);
        if (!child || child->isHidden() || child->isWindow()) continue;
        const WndImpl* c = FromWidget(child);
        const bool opaque = qobject_cast<QScrollBar*>(child) || (c && c->widget == child && (!c->nativeControl || c->painted));
        if (opaque) open -= child->geometry();
        if (open.isEmpty()) return true;
    }
    return false;
}

void WndImpl::ShowChanged(const QRegion& region)
{
    if (!widget) return;
    // What lies under opaque children or siblings shows when they move away, which paints this
    // widget there again anyway; asked now, it would paint them again too.
    QRegion rest = region & widget->visibleRegion();
    if (qtPainting) rest -= *qtPainting;
    if (!rest.isEmpty()) widget->update(rest);
}

void WndImpl::PaintInvalid()
{
    if (CoveredByChildren())
    {
        DropSurface();
        return;
    }
    // What lies out of sight waits until it shows.
    if (!ShownInvalid().isEmpty()) Dispatch(WM_PAINT, 0, 0);
}
