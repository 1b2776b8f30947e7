// Block transfers between contexts and the moving of pixels within one.
#include "platform/framework/windows/CDC.h"

#include "platform/framework/windows/DcPainting.h"

#include <cmath>
#include <vector>

namespace
{
// The raster operations that combine source and destination, per pixel; null for the others.
QRgb (*SourceOp(DWORD rop))(QRgb, QRgb)
{
    switch (rop)
    {
    case SRCCOPY: return [](QRgb s, QRgb) { return s; };
    case SRCPAINT: return [](QRgb s, QRgb d) { return s | d; };
    case SRCAND: return [](QRgb s, QRgb d) { return s & d; };
    case SRCINVERT: return [](QRgb s, QRgb d) { return s ^ d; };
    case NOTSRCCOPY: return [](QRgb s, QRgb) { return ~s; };
    default: return nullptr;
    }
}

void Combine(const DcState& dst, const QImage& source, QPoint sourceOffset, const QRegion& region, QRgb (*op)(QRgb, QRgb))
{
    // Each image pixel of the target takes the source pixel under the centre of its logical
    // pixel: at equal ratios pixel for pixel, otherwise the nearest one. The source's logical
    // pixel lies `sourceOffset` from the target's device pixel.
    QImage& image = dst.surface->image;
    const QPoint sourceOrigin = sourceOffset + dst.surface->origin;
    const qreal targetRatio = dst.surface->Ratio();
    const qreal sourceRatio = source.devicePixelRatio();
    // Whole lines of 32-bit pixels are read directly (a grid draws many pictures a screen).
    const bool direct = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32;
    const QImage pixels = direct ? source : source.convertToFormat(QImage::Format_RGB32);
    std::vector<int> columns;
    for (const QRect& logical : region)
    {
        const QRect r = dst.surface->Physical(logical) & image.rect();
        if (r.isEmpty()) continue;
        columns.resize(std::size_t(r.width()));
        for (int x = r.left(); x <= r.right(); ++x)
        {
            const int sx = int(std::floor(((x + 0.5) / targetRatio + sourceOrigin.x()) * sourceRatio));
            columns[std::size_t(x - r.left())] = sx >= 0 && sx < pixels.width() ? sx : -1;
        }
        for (int y = r.top(); y <= r.bottom(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            const int sy = int(std::floor(((y + 0.5) / targetRatio + sourceOrigin.y()) * sourceRatio));
            const auto* from = sy >= 0 && sy < pixels.height() ? reinterpret_cast<const QRgb*>(pixels.constScanLine(sy)) : nullptr;
            for (int x = r.left(); x <= r.right(); ++x)
            {
                const int sx = columns[std::size_t(x - r.left())];
                const QRgb s = from && sx >= 0 ? from[sx] : 0xFF000000u;
                line[x] = 0xFF000000u | (op(s, line[x]) & 0xFFFFFFu);
            }
        }
    }
    dst.Touched(region.boundingRect());
}
} // namespace

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop)
{
    auto op = SourceOp(rop);
    if (!op) return PatBlt(x, y, width, height, rop);
    if (!source || !source->State().surface || !m_state->surface) return FALSE;
    const QRect target(m_state->ToDevice(x, y), QSize(width, height));
    const QPoint sourceStart = source->State().ToDevice(xSrc, ySrc);
    // Copy the source first: a context may blit onto itself.
    const DcSurface& from = *source->State().surface;
    const QImage sourceImage = from.image.copy();
    Combine(*m_state, sourceImage, sourceStart - from.origin - target.topLeft(), dc::Clipped(*m_state, target), op);
    return TRUE;
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth, int srcHeight,
                     DWORD rop)
{
    auto op = SourceOp(rop);
    if (!op) return PatBlt(x, y, width, height, rop);
    if (!source || !source->State().surface || !m_state->surface || srcWidth == 0 || srcHeight == 0) return FALSE;
    const QPoint s0 = source->State().ToDevice(xSrc, ySrc);
    const DcSurface& from = *source->State().surface;
    QImage part = from.image.copy(from.Physical(QRect(s0, QSize(std::abs(srcWidth), std::abs(srcHeight)))));
    part.setDevicePixelRatio(1.0);
    part = part.mirrored((srcWidth < 0) != (width < 0), (srcHeight < 0) != (height < 0));
    // HALFTONE averages the source pixels into the target's own pixels (a picture made smaller keeps
    // its lines and letters whole); otherwise each target pixel takes the nearest source pixel.
    QImage scaled;
    if (m_state->attr.stretchMode == HALFTONE)
    {
        const qreal ratio = m_state->surface->Ratio();
        scaled = part.scaled(int(std::lround(std::abs(width) * ratio)), int(std::lround(std::abs(height) * ratio)),
                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
    }
    else
        scaled = part.scaled(std::abs(width), std::abs(height), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QRect target(m_state->ToDevice(x, y), QSize(width, height));
    target = target.normalized();
    Combine(*m_state, scaled, -target.topLeft(), dc::Clipped(*m_state, target), op);
    return TRUE;
}

BOOL CDC::ScrollDC(int dx, int dy, LPCRECT scrollRect, LPCRECT clipRect, CRgn* updateRegion, LPRECT updateRect)
{
    DcState& s = *m_state;
    if (!s.surface) return FALSE;
    const QRect all = s.surface->Area();
    QRegion area = s.EffectiveClip();
    if (scrollRect) area &= s.ToDevice(*scrollRect);
    QRegion limit = s.EffectiveClip();
    if (clipRect) limit &= s.ToDevice(*clipRect);
    area &= limit;
    // Pixels come from the scroll area and land inside the clip area.
    const QRegion landed = area.translated(dx, dy) & limit;
    const QImage before = s.surface->image.copy();
    if (s.HasPixels())
    {
        QPainter p(&s.surface->image);
        p.translate(-s.surface->origin);
        p.setClipRegion(landed);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(s.surface->origin + QPoint(dx, dy), before);
    }
    s.Touched(landed.boundingRect());
    const QRegion uncovered = (limit & (scrollRect ? QRegion(s.ToDevice(*scrollRect)) : QRegion(all))) - landed;
    if (updateRegion)
    {
        if (!updateRegion->m_hObject) updateRegion->CreateRectRgn(0, 0, 0, 0);
        updateRegion->Data()->region = uncovered;
    }
    if (updateRect)
    {
        CRect box = uncovered.isEmpty() ? CRect() : FromQRect(uncovered.boundingRect());
        DPtoLP(&box);
        *updateRect = box;
    }
    return TRUE;
}
