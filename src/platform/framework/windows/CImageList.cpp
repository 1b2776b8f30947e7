#include "platform/framework/windows/CImageList.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/DcPainting.h"
#include "platform/framework/windows/WindowTesting.h"

#include <QLabel>

struct ImageListData
{
    QSize size;
    UINT flags = 0;
    std::vector<QImage> images; // ARGB32, the mask colour already transparent
};

namespace
{
std::vector<QImage> CutStrip(const QImage& strip, QSize size, COLORREF mask, bool masked)
{
    std::vector<QImage> out;
    if (size.isEmpty()) return out;
    QImage source = strip.convertToFormat(QImage::Format_ARGB32);
    if (masked)
    {
        const QRgb key = ToQRgb(mask);
        for (int y = 0; y < source.height(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(source.scanLine(y));
            for (int x = 0; x < source.width(); ++x)
                if ((line[x] | 0xFF000000u) == key) line[x] = 0;
        }
    }
    for (int x = 0; x + size.width() <= source.width(); x += size.width())
        out.push_back(source.copy(QRect(QPoint(x, 0), size)));
    return out;
}

// The window that shows the drag image: a frameless tool window above everything.
struct DragState
{
    QImage image;
    QPoint hotSpot;
    QPointer<QWidget> lock;
    QPointer<QLabel> label; // deleted by EndDrag (never after the application is gone)
    bool active = false;
    bool shown = false;
    QPoint topLeft; // screen coordinates
};

DragState& Drag()
{
    static DragState drag;
    return drag;
}

void PlaceDragWindow()
{
    DragState& d = Drag();
    if (!d.label) return;
    d.label->move(d.topLeft);
    d.label->setVisible(d.shown);
}
} // namespace

CImageList::CImageList() = default;
CImageList::~CImageList() = default;

BOOL CImageList::Create(int cx, int cy, UINT flags, int, int)
{
    if (cx <= 0 || cy <= 0) return FALSE;
    m_data = std::make_unique<ImageListData>();
    m_data->size = QSize(cx, cy);
    m_data->flags = flags;
    return TRUE;
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(bitmapId)) return FALSE;
    const int cy = bitmap.GetSize().cy;
    if (!Create(cx, cy, ILC_MASK | ILC_COLOR32, 0, grow)) return FALSE;
    return Add(&bitmap, mask) >= 0;
}

BOOL CImageList::DeleteImageList()
{
    const bool had = m_data != nullptr;
    m_data.reset();
    return had;
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask)
{
    if (!m_data || !bitmap || !bitmap->m_hObject) return -1;
    auto images = CutStrip(BitmapImage(*bitmap), m_data->size, mask, (m_data->flags & ILC_MASK) != 0);
    if (images.empty()) return -1;
    const int first = int(m_data->images.size());
    m_data->images.insert(m_data->images.end(), images.begin(), images.end());
    return first;
}

BOOL CImageList::Remove(int image)
{
    if (!m_data) return FALSE;
    if (image == -1)
    {
        m_data->images.clear();
        return TRUE;
    }
    if (image < 0 || image >= GetImageCount()) return FALSE;
    m_data->images.erase(m_data->images.begin() + image);
    return TRUE;
}

BOOL CImageList::Replace(int image, CBitmap* bitmap, COLORREF mask)
{
    if (!m_data || !bitmap || image < 0 || image >= GetImageCount()) return FALSE;
    auto images = CutStrip(BitmapImage(*bitmap), m_data->size, mask, (m_data->flags & ILC_MASK) != 0);
    if (images.empty()) return FALSE;
    m_data->images[std::size_t(image)] = images.front();
    return TRUE;
}

int CImageList::GetImageCount() const { return m_data ? int(m_data->images.size()) : 0; }
CSize CImageList::GetImageSize() const { return m_data ? CSize(m_data->size.width(), m_data->size.height()) : CSize(); }

BOOL CImageList::Draw(CDC* dc, int image, POINT point, UINT style) const
{
    if (!m_data || !dc || image < 0 || image >= GetImageCount() || !dc->State().surface) return FALSE;
    dc::Painter painter(dc->State());
    if (!painter.isActive()) return FALSE;
    if (style & ILD_BLEND50) painter->setOpacity(0.5);
    painter->drawImage(QPoint(point.x, point.y), m_data->images[std::size_t(image)]);
    const QPoint device = dc->State().ToDevice(point.x, point.y);
    dc->State().Touched(QRect(device, m_data->size));
    return TRUE;
}

BOOL CImageList::BeginDrag(int image, CPoint hotSpot)
{
    if (!m_data || image < 0 || image >= GetImageCount()) return FALSE;
    EndDrag();
    DragState& d = Drag();
    d.image = m_data->images[std::size_t(image)];
    d.hotSpot = QPoint(hotSpot.x, hotSpot.y);
    d.active = true;
    return TRUE;
}

BOOL CImageList::DragEnter(CWnd* lockWnd, CPoint point)
{
    DragState& d = Drag();
    if (!d.active) return FALSE;
    d.lock = WidgetOf(lockWnd);
    if (!d.label)
    {
        d.label = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
        d.label->setAttribute(Qt::WA_TranslucentBackground);
        d.label->setWindowOpacity(0.7);
    }
    d.label->setPixmap(QPixmap::fromImage(d.image));
    d.label->resize(d.image.size());
    d.shown = true;
    return DragMove(point);
}

BOOL CImageList::DragMove(CPoint point)
{
    DragState& d = Drag();
    if (!d.active) return FALSE;
    const QPoint p(point.x, point.y);
    d.topLeft = (d.lock ? d.lock->mapToGlobal(p) : p) - d.hotSpot;
    PlaceDragWindow();
    return TRUE;
}

BOOL CImageList::DragShowNolock(BOOL show)
{
    DragState& d = Drag();
    if (!d.active) return FALSE;
    d.shown = show;
    PlaceDragWindow();
    return TRUE;
}

BOOL CImageList::DragLeave(CWnd*)
{
    DragState& d = Drag();
    if (!d.active) return FALSE;
    d.shown = false;
    PlaceDragWindow();
    return TRUE;
}

void CImageList::EndDrag()
{
    DragState& d = Drag();
    d.active = false;
    d.shown = false;
    delete d.label.data();
    d.lock = nullptr;
}

BOOL CImageList::GetDragPosition(LPPOINT screenTopLeft)
{
    const DragState& d = Drag();
    if (screenTopLeft) *screenTopLeft = {d.topLeft.x(), d.topLeft.y()};
    return d.active && d.shown;
}

COLORREF GetShownDragImagePixel(CPoint screenPoint)
{
    const DragState& d = Drag();
    const QPoint p = QPoint(screenPoint.x, screenPoint.y) - d.topLeft;
    if (!d.active || !d.shown || !d.label || !d.label->isVisible() || !d.image.valid(p)) return CLR_INVALID;
    return FromQRgb(d.image.pixel(p));
}

void PaintDragImageOver(QImage& picture, QPoint pictureScreenOrigin)
{
    const DragState& d = Drag();
    if (!d.active || !d.shown || !d.label || !d.label->isVisible()) return;
    QPainter painter(&picture);
    painter.setOpacity(d.label->windowOpacity());
    painter.drawImage(d.topLeft - pictureScreenOrigin, d.image); // logical coordinates at any pixel ratio
}
