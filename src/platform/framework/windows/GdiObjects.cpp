#include "platform/framework/windows/GdiObjects.h"

#include "platform/framework/StringTable.h"
#include "platform/framework/windows/QtBridge.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetrics>

#include <cstring>
#include <mutex>
#include <unordered_map>

namespace
{
std::unordered_map<HGDIOBJ, CGdiObject*>& Owners()
{
    static std::unordered_map<HGDIOBJ, CGdiObject*> owners;
    return owners;
}

int RegionKind(const QRegion& r)
{
    if (r.isEmpty()) return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRegion& RegionOf(const CGdiObject& o) { return o.Data()->region; }
} // namespace

CGdiObject::CGdiObject() = default;

CGdiObject::~CGdiObject() { DeleteObject(); }

void CGdiObject::Adopt(std::shared_ptr<GdiData> data)
{
    DeleteObject();
    m_data = std::move(data);
    m_hObject = m_data.get();
    Owners().emplace(m_hObject, this);
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject) return FALSE;
    auto it = Owners().find(m_hObject);
    if (it != Owners().end() && it->second == this) Owners().erase(it);
    m_data.reset();
    m_hObject = nullptr;
    return TRUE;
}

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
    CGdiObject* owner = FromHandle(handle);
    if (!owner || owner == this) return FALSE;
    auto data = owner->m_data;
    DeleteObject();
    m_data = std::move(data);
    m_hObject = m_data.get();
    return TRUE;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle)
{
    if (!handle) return nullptr;
    auto it = Owners().find(handle);
    return it == Owners().end() ? nullptr : it->second;
}

// ---- pens and brushes

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    LOGPEN lp;
    lp.lopnStyle = UINT(style);
    lp.lopnWidth.x = width;
    lp.lopnColor = color;
    return CreatePenIndirect(&lp);
}

BOOL CPen::CreatePenIndirect(const LOGPEN* description)
{
    if (!description) return FALSE;
    auto data = std::make_shared<GdiData>(GdiKind::Pen);
    data->pen = *description;
    Adopt(std::move(data));
    return TRUE;
}

BOOL CPen::GetLogPen(LOGPEN* description) const
{
    if (!m_hObject || !description) return FALSE;
    *description = Data()->pen;
    return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    auto data = std::make_shared<GdiData>(GdiKind::Brush);
    data->brush.lbStyle = BS_SOLID;
    data->brush.lbColor = color;
    Adopt(std::move(data));
    return TRUE;
}

BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color)
{
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return FALSE;
    auto data = std::make_shared<GdiData>(GdiKind::Brush);
    data->brush.lbStyle = BS_HATCHED;
    data->brush.lbColor = color;
    data->brush.lbHatch = hatch;
    Adopt(std::move(data));
    return TRUE;
}

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap)
{
    if (!bitmap || !bitmap->m_hObject) return FALSE;
    auto data = std::make_shared<GdiData>(GdiKind::Brush);
    data->brush.lbStyle = BS_PATTERN;
    data->pattern = BitmapImage(*bitmap).copy();
    data->monochrome = bitmap->Data()->monochrome;
    Adopt(std::move(data));
    return TRUE;
}

BOOL CBrush::CreateSysColorBrush(int colorIndex) { return CreateSolidBrush(GetSysColor(colorIndex)); }

BOOL CBrush::GetLogBrush(LOGBRUSH* description) const
{
    if (!m_hObject || !description) return FALSE;
    *description = Data()->brush;
    return TRUE;
}

// ---- fonts

QFont MakeQFont(const LOGFONT& lf)
{
    QFont f(lf.lfFaceName[0] ? QString::fromUtf8(lf.lfFaceName) : QStringLiteral("DejaVu Sans"));
    if (lf.lfPitchAndFamily & FIXED_PITCH) f.setStyleHint(QFont::Monospace);
    int pixels = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    if (pixels == 0) pixels = 12;
    f.setPixelSize(pixels);
    if (lf.lfHeight > 0)
    {
        // A positive height is the cell height: scale the character size to fit it.
        const int cell = QFontMetrics(f).height();
        if (cell > 0) f.setPixelSize(std::max(1, pixels * pixels / cell));
    }
    const int weight = lf.lfWeight == 0 ? FW_NORMAL : std::clamp(int(lf.lfWeight), 100, 900);
    f.setWeight(QFont::Weight(weight));
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    f.setKerning(false);
    return f;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* description)
{
    if (!description) return FALSE;
    auto data = std::make_shared<GdiData>(GdiKind::Font);
    data->font = *description;
    data->font.lfFaceName[LF_FACESIZE - 1] = 0;
    data->qfont = MakeQFont(data->font);
    Adopt(std::move(data));
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                       BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                       BYTE pitchAndFamily, LPCTSTR faceName)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    if (faceName) std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int pointSizeTenths, LPCTSTR faceName, CDC* dc)
{
    LOGFONT lf;
    lf.lfHeight = pointSizeTenths;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (faceName) std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* description, CDC*)
{
    if (!description) return FALSE;
    LOGFONT lf = *description;
    // Tenths of a point at 96 pixels per inch, as a character height.
    lf.lfHeight = -((std::abs(int(lf.lfHeight)) * 96 + 360) / 720);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* description) const
{
    if (!m_hObject || !description) return 0;
    *description = Data()->font;
    return int(sizeof(LOGFONT));
}

// ---- bitmaps

const QImage& BitmapImage(const CBitmap& bitmap)
{
    static const QImage none;
    if (!bitmap.m_hObject || !bitmap.Data()->bitmap) return none;
    return bitmap.Data()->bitmap->image;
}

namespace
{
std::shared_ptr<GdiData> BitmapData(const QImage& image)
{
    if (image.isNull()) return nullptr;
    auto data = std::make_shared<GdiData>(GdiKind::Bitmap);
    data->bitmap = std::make_shared<DcSurface>();
    data->bitmap->image = image.convertToFormat(QImage::Format_RGB32);
    return data;
}
} // namespace

BOOL CBitmap::AdoptBitmap(std::shared_ptr<GdiData> data)
{
    if (!data) return FALSE;
    Adopt(std::move(data));
    return TRUE;
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT, UINT bitsPerPixel, const void* bits)
{
    if (width <= 0 || height <= 0 || (bitsPerPixel != 1 && bitsPerPixel != 32)) return FALSE;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    const auto* bytes = static_cast<const BYTE*>(bits);
    if (bytes && bitsPerPixel == 32)
        for (int y = 0; y < height; ++y)
            std::memcpy(image.scanLine(y), bytes + std::size_t(y) * width * 4, std::size_t(width) * 4);
    if (bytes && bitsPerPixel == 1)
    {
        // Monochrome rows are padded to 16 bits; a set bit is white, a clear one black.
        const std::size_t stride = std::size_t((width + 15) / 16) * 2;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (bytes[std::size_t(y) * stride + std::size_t(x / 8)] & (0x80 >> (x % 8))) image.setPixel(x, y, qRgb(255, 255, 255));
    }
    if (!AdoptBitmap(BitmapData(image))) return FALSE;
    Data()->monochrome = bitsPerPixel == 1;
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    return CreateBitmap(std::max(width, 1), std::max(height, 1), 1, 32, nullptr);
}

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    const QString base = QString::fromStdString(CStringTable::ResourceDir()) + QStringLiteral("/bitmaps/%1").arg(resourceId);
    // Toolbars load their bitmaps each time a page is built: each is decoded once and shared.
    static std::mutex cacheLock;
    static std::unordered_map<QString, QImage> cache;
    {
        const std::lock_guard lock(cacheLock);
        if (const auto found = cache.find(base); found != cache.end()) return AdoptBitmap(BitmapData(found->second));
    }
    for (const char* ext : {".bmp", ".png"})
        if (QFile::exists(base + QLatin1String(ext)))
        {
            const QImage image(base + QLatin1String(ext));
            const std::lock_guard lock(cacheLock);
            cache.emplace(base, image);
            return AdoptBitmap(BitmapData(image));
        }
    return FALSE;
}

BOOL CBitmap::LoadFromFile(const CString& path)
{
    return AdoptBitmap(BitmapData(QImage(ToQString(path))));
}

BOOL CBitmap::LoadFromMemory(const void* bytes, std::size_t count)
{
    QImage image;
    if (!bytes || !image.loadFromData(static_cast<const uchar*>(bytes), int(count))) return FALSE;
    return AdoptBitmap(BitmapData(image));
}

BOOL CBitmap::SaveToFile(const CString& path) const
{
    return m_hObject && BitmapImage(*this).save(ToQString(path), "PNG");
}

int CBitmap::GetBitmap(BITMAP* description) const
{
    if (!m_hObject || !description) return 0;
    const QImage& image = BitmapImage(*this);
    *description = BITMAP{};
    description->bmWidth = image.width();
    description->bmHeight = image.height();
    description->bmWidthBytes = image.width() * 4;
    description->bmPlanes = 1;
    description->bmBitsPixel = 32;
    return int(sizeof(BITMAP));
}

CSize CBitmap::GetSize() const
{
    const QImage& image = BitmapImage(*this);
    return {image.width(), image.height()};
}

DWORD CBitmap::GetBitmapBits(DWORD count, void* bits) const
{
    if (!m_hObject || !bits) return 0;
    const QImage& image = BitmapImage(*this);
    const std::size_t row = std::size_t(image.width()) * 4;
    DWORD copied = 0;
    for (int y = 0; y < image.height() && copied + row <= count; ++y, copied += DWORD(row))
        std::memcpy(static_cast<BYTE*>(bits) + copied, image.constScanLine(y), row);
    return copied;
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits)
{
    if (!m_hObject || !bits) return 0;
    QImage& image = Data()->bitmap->image;
    const std::size_t row = std::size_t(image.width()) * 4;
    DWORD copied = 0;
    for (int y = 0; y < image.height() && copied + row <= count; ++y, copied += DWORD(row))
        std::memcpy(image.scanLine(y), static_cast<const BYTE*>(bits) + copied, row);
    return copied;
}

// ---- regions

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom)
{
    auto data = std::make_shared<GdiData>(GdiKind::Region);
    if (right > left && bottom > top) data->region = QRegion(left, top, right - left, bottom - top);
    Adopt(std::move(data));
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect)
{
    return rect && CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CRgn::CreateEllipticRgn(int left, int top, int right, int bottom)
{
    auto data = std::make_shared<GdiData>(GdiKind::Region);
    data->region = QRegion(left, top, right - left, bottom - top, QRegion::Ellipse);
    Adopt(std::move(data));
    return TRUE;
}

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    if (!points || count < 3) return FALSE;
    QPolygon polygon;
    for (int i = 0; i < count; ++i) polygon << QPoint(points[i].x, points[i].y);
    auto data = std::make_shared<GdiData>(GdiKind::Region);
    data->region = QRegion(polygon, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    Adopt(std::move(data));
    return TRUE;
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode)
{
    if (!m_hObject || !a || !a->m_hObject) return RGN_ERROR;
    const QRegion ra = RegionOf(*a);
    if (mode == RGN_COPY)
    {
        RegionOf(*this) = ra;
        return RegionKind(ra);
    }
    if (!b || !b->m_hObject) return RGN_ERROR;
    const QRegion rb = RegionOf(*b);
    QRegion result;
    switch (mode)
    {
    case RGN_AND: result = ra.intersected(rb); break;
    case RGN_OR: result = ra.united(rb); break;
    case RGN_XOR: result = ra.xored(rb); break;
    case RGN_DIFF: result = ra.subtracted(rb); break;
    default: return RGN_ERROR;
    }
    RegionOf(*this) = result;
    return RegionKind(result);
}

int CRgn::CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }

void CRgn::SetRectRgn(int left, int top, int right, int bottom)
{
    if (!m_hObject)
    {
        CreateRectRgn(left, top, right, bottom);
        return;
    }
    RegionOf(*this) = (right > left && bottom > top) ? QRegion(left, top, right - left, bottom - top) : QRegion();
}

void CRgn::SetRectRgn(LPCRECT rect) { SetRectRgn(rect->left, rect->top, rect->right, rect->bottom); }

int CRgn::OffsetRgn(int dx, int dy)
{
    if (!m_hObject) return RGN_ERROR;
    RegionOf(*this).translate(dx, dy);
    return RegionKind(RegionOf(*this));
}

BOOL CRgn::PtInRegion(int x, int y) const { return m_hObject && RegionOf(*this).contains(QPoint(x, y)); }

BOOL CRgn::RectInRegion(LPCRECT rect) const
{
    return m_hObject && rect && CRect(rect).Width() > 0 && CRect(rect).Height() > 0 &&
           RegionOf(*this).intersects(ToQRect(*rect));
}

BOOL CRgn::EqualRgn(const CRgn* other) const
{
    return m_hObject && other && other->m_hObject && RegionOf(*this) == RegionOf(*other);
}

int CRgn::GetRgnBox(LPRECT rect) const
{
    if (!m_hObject || !rect) return RGN_ERROR;
    const QRegion& r = RegionOf(*this);
    *rect = r.isEmpty() ? CRect() : FromQRect(r.boundingRect());
    return RegionKind(r);
}

std::vector<CRect> CRgn::GetRects() const
{
    std::vector<CRect> rects;
    if (m_hObject)
        for (const QRect& r : RegionOf(*this)) rects.push_back(FromQRect(r));
    return rects;
}
