// The kept pixels of plain windows. Every pixel a window shows comes from its surface, so that
// drawing outside WM_PAINT stays on screen; but a surface costs four bytes a pixel, and most
// windows of a page stack are hidden (other tabs) or covered by their children (frames, form
// views holding a grid). Surfaces are therefore made when something draws, dropped when the
// window is hidden, and never made for a covered window; the whole window is painted again when
// it shows.
#include "platform/framework/windows/WindowBridge.h"

#include <QPainter>
#include <QScrollBar>

namespace
{
// A surface for a logical size at the widget's device pixel ratio.
QImage NewSurface(const QWidget* widget, QSize logical, QRgb fill)
{
    const qreal ratio = widget ? widget->devicePixelRatioF() : 1.0;
    QImage image((QSizeF(logical.expandedTo(QSize(1, 1))) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    return image;
}
} // namespace

void WndImpl::ResizeSurface(QSize size)
{
    invalid &= QRect(QPoint(0, 0), size);
    if (surface->image.isNull()) return; // made when something draws
    QImage image = NewSurface(widget, size, ToQRgb(hasBackground ? background : 0xFFFFFF));
    QPainter p(&image);
    p.drawImage(QPoint(0, 0), surface->image);
    p.end();
    surface->image = std::move(image);
}

void WndImpl::EnsureSurface()
{
    if (nativeControl) return;
    const qreal ratio = widget ? widget->devicePixelRatioF() : 1.0;
    if (!surface->image.isNull())
    {
        if (surface->Ratio() == ratio) return;
        // Moved to a screen of another ratio: the window paints itself again at the new one.
        Invalidate(ClientRect(), true);
    }
    surface->image = NewSurface(widget, ClientRect().size(), ToQRgb(hasBackground ? background : 0xFFFFFF));
    // Nothing else to do: a window gets its surface dropped only while hidden or covered, and
    // showing or uncovering it invalidates what becomes visible.
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

void WndImpl::PaintInvalid()
{
    if (CoveredByChildren())
    {
        DropSurface();
        return;
    }
    Dispatch(WM_PAINT, 0, 0);
}
