#include "platform/framework/windows/CDC.h"

#include "platform/framework/windows/DcPainting.h"

#include <QGuiApplication>
#include <QPainterPath>
#include <QScreen>

#include <cmath>

namespace
{
DcAttributes DefaultAttributes()
{
    DcAttributes a;
    a.pen.object = static_cast<CPen*>(StockObject(BLACK_PEN));
    a.pen.data = StockData(BLACK_PEN);
    a.brush.object = static_cast<CBrush*>(StockObject(WHITE_BRUSH));
    a.brush.data = StockData(WHITE_BRUSH);
    a.font.object = static_cast<CFont*>(StockObject(SYSTEM_FONT));
    a.font.data = StockData(SYSTEM_FONT);
    return a;
}

int PenWidth(const GdiData& pen) { return std::max(1, int(pen.pen.lopnWidth.x)); }
bool IsNullPen(const GdiData* pen) { return !pen || pen->pen.lopnStyle == PS_NULL; }
bool IsSimplePen(const GdiData& pen)
{
    return PenWidth(pen) == 1 && (pen.pen.lopnStyle == PS_SOLID || pen.pen.lopnStyle == PS_INSIDEFRAME);
}

QPen MakeQPen(const GdiData& pen)
{
    Qt::PenStyle style = Qt::SolidLine;
    switch (pen.pen.lopnStyle)
    {
    case PS_DASH: style = Qt::DashLine; break;
    case PS_DOT: style = Qt::DotLine; break;
    case PS_DASHDOT: style = Qt::DashDotLine; break;
    case PS_DASHDOTDOT: style = Qt::DashDotDotLine; break;
    case PS_NULL: style = Qt::NoPen; break;
    default: break;
    }
    QPen p(ToQColor(pen.pen.lopnColor), PenWidth(pen) == 1 ? 0 : PenWidth(pen), style, Qt::FlatCap, Qt::MiterJoin);
    return p;
}

QBrush MakeQBrush(const GdiData* brush, QPoint origin)
{
    if (dc::IsNullBrush(brush)) return Qt::NoBrush;
    QBrush b;
    if (brush->brush.lbStyle == BS_PATTERN) b = QBrush(brush->pattern);
    else if (brush->brush.lbStyle == BS_HATCHED) b = QBrush(ToQColor(brush->brush.lbColor), Qt::DiagCrossPattern);
    else b = QBrush(ToQColor(brush->brush.lbColor));
    b.setTransform(QTransform::fromTranslate(origin.x(), origin.y()));
    return b;
}
} // namespace

CDC::CDC() : m_state(std::make_unique<DcState>())
{
    m_hDC = reinterpret_cast<HDC>(this);
    m_state->attr = DefaultAttributes();
}

CDC::~CDC() = default;

void AttachDcToImage(CDC& dc, std::shared_ptr<DcSurface> surface)
{
    dc.State().surface = std::move(surface);
    dc.State().widget = nullptr;
    dc.State().window = nullptr;
    dc.State().limit.reset();
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    auto surface = std::make_shared<DcSurface>();
    surface->image = QImage(1, 1, QImage::Format_RGB32);
    surface->image.fill(Qt::black);
    AttachDcToImage(*this, std::move(surface));
    m_state->attr = DefaultAttributes();
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    m_state = std::make_unique<DcState>();
    m_state->attr = DefaultAttributes();
    return TRUE;
}

CWnd* CDC::GetWindow() const { return m_state->window; }

int CDC::GetDeviceCaps(int index) const
{
    switch (index)
    {
    case LOGPIXELSX:
    case LOGPIXELSY:
    {
        // The logical resolution of the window's screen: text and layouts in logical pixels
        // follow the user's font scaling; the device pixel ratio stays inside the layer.
        const QScreen* screen = m_state->widget ? m_state->widget->screen() : QGuiApplication::primaryScreen();
        return screen ? qRound(screen->logicalDotsPerInch()) : 96;
    }
    case BITSPIXEL: return 32;
    case HORZRES: return m_state->surface ? m_state->surface->LogicalSize().width() : 0;
    case VERTRES: return m_state->surface ? m_state->surface->LogicalSize().height() : 0;
    default: return 0;
    }
}

int CDC::SaveDC()
{
    m_state->saved.push_back(m_state->attr);
    return int(m_state->saved.size());
}

BOOL CDC::RestoreDC(int savedDC)
{
    auto& saved = m_state->saved;
    const int level = savedDC < 0 ? int(saved.size()) + savedDC + 1 : savedDC;
    if (level < 1 || level > int(saved.size())) return FALSE;
    DcAttributes restored = saved[std::size_t(level - 1)];
    // A memory context keeps drawing into the bitmap that is selected again.
    if (restored.bitmap.data && restored.bitmap.data->bitmap) m_state->surface = restored.bitmap.data->bitmap;
    m_state->attr = std::move(restored);
    saved.resize(std::size_t(level - 1));
    return TRUE;
}

// ---- selection

template <typename T>
static T* Swap(DcSelected<T>& slot, T* object)
{
    T* old = slot.object;
    slot.object = object;
    slot.data = object->Data();
    return old;
}

CPen* CDC::SelectObject(CPen* pen)
{
    return pen && pen->m_hObject ? Swap(m_state->attr.pen, pen) : nullptr;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return brush && brush->m_hObject ? Swap(m_state->attr.brush, brush) : nullptr;
}

CFont* CDC::SelectObject(CFont* font)
{
    return font && font->m_hObject ? Swap(m_state->attr.font, font) : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    if (!bitmap || !bitmap->m_hObject || m_state->widget) return nullptr;
    CBitmap* old = Swap(m_state->attr.bitmap, bitmap);
    m_state->surface = bitmap->Data()->bitmap;
    return old;
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    if (!object || !object->m_hObject) return nullptr;
    switch (object->Data()->kind)
    {
    case GdiKind::Pen: return SelectObject(static_cast<CPen*>(object));
    case GdiKind::Brush: return SelectObject(static_cast<CBrush*>(object));
    case GdiKind::Font: return SelectObject(static_cast<CFont*>(object));
    case GdiKind::Bitmap: return SelectObject(static_cast<CBitmap*>(object));
    case GdiKind::Region: SelectClipRgn(static_cast<CRgn*>(object)); return nullptr;
    }
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index) { return SelectObject(StockObject(index)); }

HGDIOBJ CDC::SelectObject(HGDIOBJ handle)
{
    CGdiObject* old = SelectObject(CGdiObject::FromHandle(handle));
    return old ? old->m_hObject : nullptr;
}

CPen* CDC::GetCurrentPen() const { return m_state->attr.pen.object; }
CBrush* CDC::GetCurrentBrush() const { return m_state->attr.brush.object; }
CFont* CDC::GetCurrentFont() const { return m_state->attr.font.object; }
CBitmap* CDC::GetCurrentBitmap() const { return m_state->attr.bitmap.object; }

COLORREF CDC::SetTextColor(COLORREF color) { return std::exchange(m_state->attr.textColor, color); }
COLORREF CDC::GetTextColor() const { return m_state->attr.textColor; }
COLORREF CDC::SetBkColor(COLORREF color) { return std::exchange(m_state->attr.bkColor, color); }
COLORREF CDC::GetBkColor() const { return m_state->attr.bkColor; }
int CDC::SetBkMode(int mode) { return std::exchange(m_state->attr.bkMode, mode); }
int CDC::GetBkMode() const { return m_state->attr.bkMode; }
UINT CDC::SetTextAlign(UINT flags) { return std::exchange(m_state->attr.textAlign, flags); }
UINT CDC::GetTextAlign() const { return m_state->attr.textAlign; }
int CDC::SetROP2(int mode) { return std::exchange(m_state->attr.rop2, mode); }
int CDC::GetROP2() const { return m_state->attr.rop2; }
int CDC::SetStretchBltMode(int mode) { return std::exchange(m_state->attr.stretchMode, mode); }
int CDC::SetMapMode(int) { return MM_TEXT; }

CPoint CDC::SetBrushOrg(int x, int y)
{
    const QPoint old = std::exchange(m_state->attr.brushOrg, QPoint(x, y));
    return {old.x(), old.y()};
}

// ---- origins

CPoint CDC::SetViewportOrg(int x, int y)
{
    const QPoint old = std::exchange(m_state->attr.viewportOrg, QPoint(x, y));
    return {old.x(), old.y()};
}
CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    const QPoint o = m_state->attr.viewportOrg;
    return SetViewportOrg(o.x() + dx, o.y() + dy);
}
CPoint CDC::GetViewportOrg() const { return {m_state->attr.viewportOrg.x(), m_state->attr.viewportOrg.y()}; }
CPoint CDC::SetWindowOrg(int x, int y)
{
    const QPoint old = std::exchange(m_state->attr.windowOrg, QPoint(x, y));
    return {old.x(), old.y()};
}
CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    const QPoint o = m_state->attr.windowOrg;
    return SetWindowOrg(o.x() + dx, o.y() + dy);
}
CPoint CDC::GetWindowOrg() const { return {m_state->attr.windowOrg.x(), m_state->attr.windowOrg.y()}; }

void CDC::LPtoDP(LPPOINT points, int count) const
{
    const QPoint o = m_state->attr.viewportOrg - m_state->attr.windowOrg;
    for (int i = 0; i < count; ++i) points[i] = {points[i].x + o.x(), points[i].y + o.y()};
}
void CDC::LPtoDP(LPRECT rect) const { LPtoDP(reinterpret_cast<LPPOINT>(rect), 2); }
void CDC::DPtoLP(LPPOINT points, int count) const
{
    const QPoint o = m_state->attr.viewportOrg - m_state->attr.windowOrg;
    for (int i = 0; i < count; ++i) points[i] = {points[i].x - o.x(), points[i].y - o.y()};
}
void CDC::DPtoLP(LPRECT rect) const { DPtoLP(reinterpret_cast<LPPOINT>(rect), 2); }

// ---- clipping

static int ClipKind(const QRegion& r)
{
    if (r.isEmpty()) return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int CDC::SelectClipRgn(CRgn* region)
{
    if (!region || !region->m_hObject) m_state->attr.clip.reset();
    else m_state->attr.clip = region->Data()->region;
    return ClipKind(m_state->EffectiveClip());
}

int CDC::SelectClipRgn(CRgn* region, int mode)
{
    if (mode == RGN_COPY) return SelectClipRgn(region);
    if (!region || !region->m_hObject) return RGN_ERROR;
    const QRegion full = m_state->EffectiveClip();
    const QRegion current = m_state->attr.clip.value_or(full);
    const QRegion& r = region->Data()->region;
    switch (mode)
    {
    case RGN_AND: m_state->attr.clip = current & r; break;
    case RGN_OR: m_state->attr.clip = current | r; break;
    case RGN_XOR: m_state->attr.clip = current ^ r; break;
    case RGN_DIFF: m_state->attr.clip = current - r; break;
    default: return RGN_ERROR;
    }
    return ClipKind(m_state->EffectiveClip());
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    const QRect r = m_state->ToDevice(CRect(left, top, right, bottom));
    m_state->attr.clip = m_state->attr.clip.value_or(m_state->EffectiveClip()) & r;
    return ClipKind(m_state->EffectiveClip());
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom)
{
    const QRect r = m_state->ToDevice(CRect(left, top, right, bottom));
    m_state->attr.clip = m_state->attr.clip.value_or(m_state->EffectiveClip()) - r;
    return ClipKind(m_state->EffectiveClip());
}

int CDC::GetClipBox(LPRECT rect) const
{
    const QRegion clip = m_state->EffectiveClip();
    CRect box = clip.isEmpty() ? CRect() : FromQRect(clip.boundingRect());
    DPtoLP(&box);
    *rect = box;
    return ClipKind(clip);
}

BOOL CDC::PtVisible(int x, int y) const { return m_state->EffectiveClip().contains(m_state->ToDevice(x, y)); }

BOOL CDC::RectVisible(LPCRECT rect) const
{
    return rect && m_state->EffectiveClip().intersects(m_state->ToDevice(*rect));
}

// ---- lines

CPoint CDC::MoveTo(int x, int y)
{
    const QPoint old = std::exchange(m_state->attr.position, QPoint(x, y));
    return {old.x(), old.y()};
}

CPoint CDC::GetCurrentPosition() const { return {m_state->attr.position.x(), m_state->attr.position.y()}; }

namespace
{
// The pixels of a one-pixel line from a to b, the end point excluded.
QRegion LinePixels(QPoint a, QPoint b)
{
    QRegion pixels;
    if (a == b) return pixels;
    if (a.y() == b.y())
        return QRegion(a.x() < b.x() ? QRect(a.x(), a.y(), b.x() - a.x(), 1) : QRect(b.x() + 1, a.y(), a.x() - b.x(), 1));
    if (a.x() == b.x())
        return QRegion(a.y() < b.y() ? QRect(a.x(), a.y(), 1, b.y() - a.y()) : QRect(a.x(), b.y() + 1, 1, a.y() - b.y()));
    const int dx = std::abs(b.x() - a.x()), sx = a.x() < b.x() ? 1 : -1;
    const int dy = -std::abs(b.y() - a.y()), sy = a.y() < b.y() ? 1 : -1;
    int err = dx + dy;
    QPoint p = a;
    QVector<QRect> rects;
    while (p != b)
    {
        rects.append(QRect(p, QSize(1, 1)));
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; p.rx() += sx; }
        if (e2 <= dx) { err += dx; p.ry() += sy; }
    }
    pixels.setRects(rects.constData(), int(rects.size()));
    return pixels;
}
} // namespace

BOOL CDC::LineTo(int x, int y)
{
    const QPoint from = m_state->attr.position;
    m_state->attr.position = QPoint(x, y);
    const GdiData* pen = m_state->attr.pen.data.get();
    if (IsNullPen(pen)) return TRUE;
    if (IsSimplePen(*pen))
    {
        QRegion pixels = LinePixels(m_state->ToDevice(from.x(), from.y()), m_state->ToDevice(x, y));
        dc::Fill(*m_state, dc::Clipped(*m_state, pixels), pen->pen.lopnColor, m_state->attr.rop2);
        return TRUE;
    }
    dc::Painter p(*m_state);
    if (!p.isActive()) return FALSE;
    p->setPen(MakeQPen(*pen));
    p->drawLine(from, QPoint(x, y));
    m_state->Touched(m_state->EffectiveClip().boundingRect());
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    if (!points || count < 2) return FALSE;
    const QPoint saved = m_state->attr.position;
    MoveTo(points[0]);
    for (int i = 1; i < count; ++i) LineTo(points[i]);
    m_state->attr.position = saved;
    return TRUE;
}

// ---- closed figures

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    CRect r(left, top, right, bottom);
    r.NormalizeRect();
    const QRect device = m_state->ToDevice(r);
    const GdiData* pen = m_state->attr.pen.data.get();
    const GdiData* brush = m_state->attr.brush.data.get();
    if (IsNullPen(pen))
    {
        // Without a pen the figure is one pixel smaller at the right and bottom.
        dc::FillWithBrush(*m_state, dc::Clipped(*m_state, device.adjusted(0, 0, -1, -1)), brush);
        return TRUE;
    }
    const int w = PenWidth(*pen);
    const QRect inner = device.adjusted(w, w, -w, -w);
    if (inner.isValid()) dc::FillWithBrush(*m_state, dc::Clipped(*m_state, inner), brush);
    QRegion frame = QRegion(device) - QRegion(inner.isValid() ? inner : QRect());
    if (IsSimplePen(*pen) || pen->pen.lopnStyle == PS_SOLID || pen->pen.lopnStyle == PS_INSIDEFRAME)
    {
        dc::Fill(*m_state, dc::Clipped(*m_state, frame), pen->pen.lopnColor, m_state->attr.rop2);
        return TRUE;
    }
    dc::Painter p(*m_state);
    p->setPen(MakeQPen(*pen));
    p->setBrush(Qt::NoBrush);
    p->drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
    m_state->Touched(device);
    return TRUE;
}

BOOL CDC::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    dc::Painter p(*m_state);
    if (!p.isActive()) return FALSE;
    const GdiData* pen = m_state->attr.pen.data.get();
    p->setPen(IsNullPen(pen) ? QPen(Qt::NoPen) : MakeQPen(*pen));
    p->setBrush(MakeQBrush(m_state->attr.brush.data.get(), m_state->attr.brushOrg));
    p->drawRoundedRect(QRect(left, top, right - left - 1, bottom - top - 1), width / 2.0, height / 2.0);
    m_state->Touched(m_state->EffectiveClip().boundingRect());
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    dc::Painter p(*m_state);
    if (!p.isActive()) return FALSE;
    const GdiData* pen = m_state->attr.pen.data.get();
    p->setPen(IsNullPen(pen) ? QPen(Qt::NoPen) : MakeQPen(*pen));
    p->setBrush(MakeQBrush(m_state->attr.brush.data.get(), m_state->attr.brushOrg));
    p->drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
    m_state->Touched(m_state->EffectiveClip().boundingRect());
    return TRUE;
}

namespace
{
// Angles of the radial points of Arc and Pie, in Qt's sixteenths of a degree (counter-clockwise).
std::pair<int, int> ArcAngles(const QRectF& box, QPointF start, QPointF end)
{
    const QPointF c = box.center();
    auto angle = [&](QPointF p) { return std::atan2(-(p.y() - c.y()) * box.width(), (p.x() - c.x()) * box.height()); };
    const double a0 = angle(start) * 180.0 / M_PI;
    double span = angle(end) * 180.0 / M_PI - a0;
    if (span <= 0) span += 360.0;
    return {int(std::lround(a0 * 16)), int(std::lround(span * 16))};
}
} // namespace

BOOL CDC::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4)
{
    dc::Painter p(*m_state);
    const GdiData* pen = m_state->attr.pen.data.get();
    if (!p.isActive() || IsNullPen(pen)) return p.isActive();
    const QRectF box(left, top, right - left - 1, bottom - top - 1);
    const auto [a, span] = ArcAngles(box, QPointF(x3, y3), QPointF(x4, y4));
    p->setPen(MakeQPen(*pen));
    p->drawArc(box, a, span);
    m_state->Touched(m_state->EffectiveClip().boundingRect());
    return TRUE;
}

BOOL CDC::Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4)
{
    dc::Painter p(*m_state);
    if (!p.isActive()) return FALSE;
    const GdiData* pen = m_state->attr.pen.data.get();
    const QRectF box(left, top, right - left - 1, bottom - top - 1);
    const auto [a, span] = ArcAngles(box, QPointF(x3, y3), QPointF(x4, y4));
    p->setPen(IsNullPen(pen) ? QPen(Qt::NoPen) : MakeQPen(*pen));
    p->setBrush(MakeQBrush(m_state->attr.brush.data.get(), m_state->attr.brushOrg));
    p->drawPie(box, a, span);
    m_state->Touched(m_state->EffectiveClip().boundingRect());
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count)
{
    if (!points || count < 2) return FALSE;
    dc::Painter p(*m_state);
    if (!p.isActive()) return FALSE;
    QPolygon polygon;
    for (int i = 0; i < count; ++i) polygon << QPoint(points[i].x, points[i].y);
    const GdiData* pen = m_state->attr.pen.data.get();
    p->setPen(IsNullPen(pen) ? QPen(Qt::NoPen) : MakeQPen(*pen));
    p->setBrush(MakeQBrush(m_state->attr.brush.data.get(), m_state->attr.brushOrg));
    p->drawPolygon(polygon);
    m_state->Touched(m_state->EffectiveClip().boundingRect());
    return TRUE;
}

// ---- fills and frames

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    if (!rect) return;
    dc::FillWithBrush(*m_state, dc::Clipped(*m_state, m_state->ToDevice(*rect)), dc::BrushOf(brush));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    if (!rect) return;
    // As on the platform, the fill goes through the background colour, which it leaves set.
    SetBkColor(color);
    CRect r(rect);
    r.NormalizeRect();
    if (r.IsRectEmpty()) return;
    dc::Fill(*m_state, dc::Clipped(*m_state, m_state->ToDevice(r)), color);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    const CRect r(x, y, x + cx, y + cy);
    FillSolidRect(&r, color);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush)
{
    if (!rect) return;
    const QRect d = m_state->ToDevice(*rect);
    if (d.width() <= 0 || d.height() <= 0) return;
    const QRegion frame = QRegion(d) - QRegion(d.adjusted(1, 1, -1, -1));
    dc::FillWithBrush(*m_state, dc::Clipped(*m_state, frame), dc::BrushOf(brush));
}

void CDC::InvertRect(LPCRECT rect)
{
    if (rect) dc::Invert(*m_state, dc::Clipped(*m_state, m_state->ToDevice(*rect)));
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

void CDC::DrawFocusRect(LPCRECT rect)
{
    if (!rect) return;
    const QRect d = m_state->ToDevice(*rect);
    if (d.width() <= 0 || d.height() <= 0) return;
    // Every other pixel of the frame, on the screen's checkerboard.
    QVector<QRect> dots;
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) dots.append(QRect(x, y, 1, 1));
    };
    for (int x = d.left(); x <= d.right(); ++x)
    {
        dot(x, d.top());
        if (d.bottom() != d.top()) dot(x, d.bottom());
    }
    for (int y = d.top() + 1; y < d.bottom(); ++y)
    {
        dot(d.left(), y);
        if (d.right() != d.left()) dot(d.right(), y);
    }
    QRegion region;
    region.setRects(dots.constData(), int(dots.size()));
    dc::Invert(*m_state, dc::Clipped(*m_state, region));
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags)
{
    if (!rect) return FALSE;
    CRect r(rect);
    struct Border
    {
        UINT raised, sunken;
        int raisedTL, raisedBR, sunkenTL, sunkenBR;
    };
    constexpr Border kBorders[] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
    };
    for (const Border& b : kBorders)
    {
        int tl = -1, br = -1;
        if (edge & b.raised) tl = b.raisedTL, br = b.raisedBR;
        else if (edge & b.sunken) tl = b.sunkenTL, br = b.sunkenBR;
        if (tl < 0) continue;
        COLORREF ctl = GetSysColor(tl), cbr = GetSysColor(br);
        if (flags & (BF_FLAT | BF_MONO)) ctl = cbr = GetSysColor((flags & BF_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW);
        const COLORREF keep = GetBkColor();
        if (flags & BF_TOP) FillSolidRect(r.left, r.top, r.Width(), 1, ctl);
        if (flags & BF_LEFT) FillSolidRect(r.left, r.top, 1, r.Height(), ctl);
        if (flags & BF_BOTTOM) FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, cbr);
        if (flags & BF_RIGHT) FillSolidRect(r.right - 1, r.top, 1, r.Height(), cbr);
        SetBkColor(keep);
        r.DeflateRect((flags & BF_LEFT) ? 1 : 0, (flags & BF_TOP) ? 1 : 0, (flags & BF_RIGHT) ? 1 : 0, (flags & BF_BOTTOM) ? 1 : 0);
    }
    if (flags & BF_MIDDLE)
    {
        const COLORREF keep = GetBkColor();
        FillSolidRect(&r, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
        SetBkColor(keep);
    }
    if (flags & BF_ADJUST) *rect = r;
    return TRUE;
}

BOOL CDC::DrawFrameControl(LPRECT rect, UINT type, UINT state)
{
    if (!rect) return FALSE;
    CRect r(rect);
    const COLORREF keep = GetBkColor();
    const bool pushed = state & (DFCS_PUSHED | DFCS_CHECKED);
    if (type == DFC_BUTTON && (state & 0x1F) == DFCS_BUTTONPUSH)
    {
        DrawEdge(&r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | ((state & DFCS_FLAT) ? BF_FLAT : 0));
    }
    else if (type == DFC_BUTTON)
    {
        // Check box or radio button: a sunken white box with a mark when checked.
        DrawEdge(&r, EDGE_SUNKEN, BF_RECT | BF_ADJUST | ((state & DFCS_FLAT) ? BF_FLAT : 0) | ((state & DFCS_MONO) ? BF_MONO : 0));
        FillSolidRect(&r, GetSysColor((state & DFCS_INACTIVE) ? COLOR_BTNFACE : COLOR_WINDOW));
        if (state & DFCS_CHECKED)
        {
            dc::Painter p(*m_state);
            p->setPen(QPen(ToQColor(GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT)), 2));
            const QRectF b(r.left, r.top, r.Width(), r.Height());
            if ((state & 0x1F) == DFCS_BUTTONRADIO)
            {
                p->setBrush(p->pen().color());
                p->drawEllipse(b.adjusted(b.width() / 3, b.height() / 3, -b.width() / 3, -b.height() / 3));
            }
            else
            {
                p->drawPolyline(QPolygonF({QPointF(b.left() + b.width() * 0.2, b.top() + b.height() * 0.5),
                                           QPointF(b.left() + b.width() * 0.4, b.top() + b.height() * 0.75),
                                           QPointF(b.left() + b.width() * 0.8, b.top() + b.height() * 0.25)}));
            }
        }
    }
    else if (type == DFC_SCROLL)
    {
        DrawEdge(&r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
        dc::Painter p(*m_state);
        p->setPen(Qt::NoPen);
        p->setBrush(ToQColor(GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT)));
        const QPointF c(r.left + r.Width() / 2.0, r.top + r.Height() / 2.0);
        const double s = std::max(2, std::min(r.Width(), r.Height()) / 4);
        QPolygonF arrow;
        switch (state & 0x1F)
        {
        case DFCS_SCROLLUP: arrow << c + QPointF(-s, s / 2) << c + QPointF(s, s / 2) << c + QPointF(0, -s / 2); break;
        case DFCS_SCROLLLEFT: arrow << c + QPointF(s / 2, -s) << c + QPointF(s / 2, s) << c + QPointF(-s / 2, 0); break;
        case DFCS_SCROLLRIGHT: arrow << c + QPointF(-s / 2, -s) << c + QPointF(-s / 2, s) << c + QPointF(s / 2, 0); break;
        default: arrow << c + QPointF(-s, -s / 2) << c + QPointF(s, -s / 2) << c + QPointF(0, s / 2); break;
        }
        p->drawPolygon(arrow);
    }
    SetBkColor(keep);
    m_state->Touched(m_state->ToDevice(*rect));
    return TRUE;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    CRect r(x, y, x + width, y + height);
    r.NormalizeRect();
    const QRegion region = dc::Clipped(*m_state, m_state->ToDevice(r));
    const GdiData* brush = m_state->attr.brush.data.get();
    switch (rop)
    {
    case PATCOPY: dc::FillWithBrush(*m_state, region, brush); break;
    case PATINVERT:
        if (!dc::IsNullBrush(brush)) dc::Fill(*m_state, region, brush->brush.lbColor, R2_XORPEN);
        break;
    case DSTINVERT: dc::Invert(*m_state, region); break;
    case BLACKNESS: dc::Fill(*m_state, region, 0); break;
    case WHITENESS: dc::Fill(*m_state, region, RGB(255, 255, 255)); break;
    default: return FALSE;
    }
    return TRUE;
}

BOOL CDC::FillRgn(CRgn* region, CBrush* brush)
{
    if (!region || !region->m_hObject) return FALSE;
    dc::FillWithBrush(*m_state, dc::Clipped(*m_state, region->Data()->region), dc::BrushOf(brush));
    return TRUE;
}

BOOL CDC::FrameRgn(CRgn* region, CBrush* brush, int width, int height)
{
    if (!region || !region->m_hObject) return FALSE;
    const QRegion& r = region->Data()->region;
    QRegion inner = r;
    inner &= r.translated(width, 0);
    inner &= r.translated(-width, 0);
    inner &= r.translated(0, height);
    inner &= r.translated(0, -height);
    dc::FillWithBrush(*m_state, dc::Clipped(*m_state, r - inner), dc::BrushOf(brush));
    return TRUE;
}

BOOL CDC::InvertRgn(CRgn* region)
{
    if (!region || !region->m_hObject) return FALSE;
    dc::Invert(*m_state, dc::Clipped(*m_state, region->Data()->region));
    return TRUE;
}

// ---- pixels

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    const QPoint p = m_state->ToDevice(x, y);
    if (!m_state->EffectiveClip().contains(p)) return CLR_INVALID;
    dc::Fill(*m_state, QRegion(p.x(), p.y(), 1, 1), color);
    return color;
}

BOOL CDC::SetPixelV(int x, int y, COLORREF color) { return SetPixel(x, y, color) != CLR_INVALID; }

COLORREF CDC::GetPixel(int x, int y) const
{
    const QPoint p = m_state->ToDevice(x, y);
    if (!m_state->surface || !m_state->EffectiveClip().contains(p)) return CLR_INVALID;
    return FromQRgb(m_state->surface->image.pixel(m_state->surface->Physical(p)));
}
