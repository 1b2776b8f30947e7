#include "platform/framework/windows/DcPainting.h"

QRegion DcState::EffectiveClip() const
{
    QRegion r(surface ? surface->Area() : QRect());
    if (limit) r &= *limit;
    if (attr.clip) r &= *attr.clip;
    return r;
}

void DcState::Touched(const QRect& deviceRect) const
{
    if (!widget || deviceRect.isEmpty()) return;
    if (WndImpl* impl = WndImpl::FromWidget(widget); impl && impl->widget == widget) impl->ShowChanged(deviceRect);
    else widget->update(deviceRect);
}

namespace dc
{
QRegion Clipped(const DcState& s, const QRect& deviceRect) { return s.EffectiveClip() & deviceRect.normalized(); }

QRegion Clipped(const DcState& s, const QRegion& deviceRegion) { return s.EffectiveClip() & deviceRegion; }

namespace
{
template <typename Op>
void ForEachPixel(const DcState& s, const QRegion& region, Op op)
{
    if (!s.surface) return;
    QImage& image = s.surface->image;
    for (const QRect& logical : region)
    {
        const QRect r = s.surface->Physical(logical) & image.rect();
        for (int y = r.top(); y <= r.bottom(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = r.left(); x <= r.right(); ++x) line[x] = 0xFF000000u | (op(line[x]) & 0xFFFFFFu);
        }
    }
    s.Touched(region.boundingRect());
}
} // namespace

void Fill(const DcState& s, const QRegion& region, COLORREF color, int rop2)
{
    const QRgb c = ToQRgb(color);
    switch (rop2)
    {
    case R2_XORPEN: ForEachPixel(s, region, [c](QRgb d) { return d ^ c; }); break;
    case R2_NOT: ForEachPixel(s, region, [](QRgb d) { return ~d; }); break;
    case R2_NOTXORPEN: ForEachPixel(s, region, [c](QRgb d) { return ~(d ^ c); }); break;
    case R2_BLACK: ForEachPixel(s, region, [](QRgb) { return QRgb(0); }); break;
    case R2_WHITE: ForEachPixel(s, region, [](QRgb) { return QRgb(0xFFFFFF); }); break;
    default:
        if (!s.surface) return;
        for (const QRect& logical : region)
        {
            const QRect r = s.surface->Physical(logical) & s.surface->image.rect();
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::fill_n(reinterpret_cast<QRgb*>(s.surface->image.scanLine(y)) + r.left(), r.width(), c);
        }
        s.Touched(region.boundingRect());
        break;
    }
}

void Invert(const DcState& s, const QRegion& region)
{
    ForEachPixel(s, region, [](QRgb d) { return ~d; });
}

const GdiData* BrushOf(const CBrush* brush) { return brush && brush->m_hObject ? brush->Data().get() : nullptr; }

bool IsNullBrush(const GdiData* brush) { return !brush || brush->brush.lbStyle == BS_NULL; }

const GdiData& FontOf(const DcState& s)
{
    if (s.attr.font.data) return *s.attr.font.data;
    static const std::shared_ptr<GdiData> fallback = StockData(SYSTEM_FONT);
    return *fallback;
}

namespace
{
Qt::BrushStyle HatchStyle(int hatch)
{
    switch (hatch)
    {
    case HS_HORIZONTAL: return Qt::HorPattern;
    case HS_VERTICAL: return Qt::VerPattern;
    case HS_FDIAGONAL: return Qt::BDiagPattern;
    case HS_BDIAGONAL: return Qt::FDiagPattern;
    case HS_CROSS: return Qt::CrossPattern;
    default: return Qt::DiagCrossPattern;
    }
}
} // namespace

void FillWithBrush(const DcState& s, const QRegion& region, const GdiData* brush)
{
    if (IsNullBrush(brush) || region.isEmpty() || !s.HasPixels()) return;
    if (brush->brush.lbStyle == BS_SOLID)
    {
        Fill(s, region, brush->brush.lbColor);
        return;
    }
    QPainter p(&s.surface->image);
    p.translate(-s.surface->origin);
    p.setClipRegion(region);
    QBrush qb;
    if (brush->brush.lbStyle == BS_PATTERN && brush->monochrome)
    {
        // A one-bit pattern draws its clear bits in the text colour and its set bits in the
        // background colour.
        QImage coloured = brush->pattern;
        for (int y = 0; y < coloured.height(); ++y)
            for (int x = 0; x < coloured.width(); ++x)
                coloured.setPixel(x, y, ToQRgb(qRed(coloured.pixel(x, y)) ? s.attr.bkColor : s.attr.textColor));
        qb = QBrush(coloured);
    }
    else if (brush->brush.lbStyle == BS_PATTERN)
    {
        qb = QBrush(brush->pattern);
    }
    else
    {
        // Hatch lines in the brush colour over the background colour, as in opaque mode.
        if (s.attr.bkMode == OPAQUE) p.fillRect(region.boundingRect(), ToQColor(s.attr.bkColor));
        qb = QBrush(ToQColor(brush->brush.lbColor), HatchStyle(brush->brush.lbHatch));
    }
    p.setBrushOrigin(s.attr.brushOrg);
    p.fillRect(region.boundingRect(), qb);
    s.Touched(region.boundingRect());
}

Painter::Painter(const DcState& s)
{
    if (!s.HasPixels()) return;
    m_painter.begin(&s.surface->image);
    m_painter.translate(-s.surface->origin);
    m_painter.setClipRegion(s.EffectiveClip());
    m_painter.translate(s.attr.viewportOrg - s.attr.windowOrg);
    if (s.attr.rop2 == R2_XORPEN) m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    else if (s.attr.rop2 == R2_NOT) m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    else if (s.attr.rop2 == R2_NOTXORPEN) m_painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
}
} // namespace dc
