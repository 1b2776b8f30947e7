#pragma once
// Private to the window layer (and its tests): how windows, contexts and drawing objects are held
// on the Qt side. Subsystem code never includes this header.
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/GdiObjects.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

struct HWND__
{
};
class CPaintedControl;
class CToolTipCtrl;
struct HGDIOBJ__
{
};

// Pixels that a context draws into: a window's client area or a bitmap. A window's pixels are
// kept at the screen's device pixel ratio (the image's ratio) while contexts work in logical
// (device-independent) pixels: QPainter scales by itself (after Painter's translation), and the
// direct pixel operations go through Physical(). A window keeps only the part of its client area
// that its parents let show: the image's top-left pixel stands at `origin` of the client area.
struct DcSurface
{
    QImage image;
    QPoint origin; // logical, in the client area

    qreal Ratio() const { return image.devicePixelRatio(); }
    // The logical size of the surface.
    QSize LogicalSize() const { return image.isNull() ? QSize() : (QSizeF(image.size()) / Ratio()).toSize(); }
    // The logical rectangle the pixels cover (device coordinates of a context).
    QRect Area() const { return QRect(origin, LogicalSize()); }
    // The image pixels that a logical rectangle covers: edges are rounded, so that adjacent
    // rectangles share no pixel and leave no gap at any ratio.
    QRect Physical(const QRect& logical) const
    {
        const QRect l = logical.translated(-origin);
        const qreal r = Ratio();
        if (r == 1.0) return l;
        const int left = qRound(l.left() * r), top = qRound(l.top() * r);
        const int right = qRound((l.right() + 1) * r), bottom = qRound((l.bottom() + 1) * r);
        return QRect(left, top, right - left, bottom - top);
    }
    // The image pixel at the centre of a logical pixel.
    QPoint Physical(const QPoint& logical) const
    {
        const QPoint l = logical - origin;
        const qreal r = Ratio();
        return r == 1.0 ? l : QPoint(int((l.x() + 0.5) * r), int((l.y() + 0.5) * r));
    }
};

enum class GdiKind
{
    Pen,
    Brush,
    Font,
    Bitmap,
    Region
};

struct GdiData : HGDIOBJ__
{
    explicit GdiData(GdiKind k) : kind(k) {}
    GdiKind kind;
    LOGPEN pen;
    LOGBRUSH brush;
    QImage pattern; // pattern brushes
    bool monochrome = false; // a one-bit bitmap, or a pattern brush made from one
    LOGFONT font;
    QFont qfont;
    mutable QHash<QString, int> widths; // of the texts measured in the font
    std::shared_ptr<DcSurface> bitmap;
    QRegion region;
};

// One selected drawing object: the wrapper handed back by SelectObject and the data drawn with.
template <typename T>
struct DcSelected
{
    T* object = nullptr;
    std::shared_ptr<GdiData> data;
};

struct DcAttributes
{
    DcSelected<CPen> pen;
    DcSelected<CBrush> brush;
    DcSelected<CFont> font;
    DcSelected<CBitmap> bitmap;
    COLORREF textColor = 0;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    UINT textAlign = 0;
    int rop2 = R2_COPYPEN;
    int stretchMode = 3; // COLORONCOLOR
    QPoint viewportOrg;
    QPoint windowOrg;
    QPoint brushOrg;
    QPoint position;
    std::optional<QRegion> clip; // device coordinates
};

struct DcState
{
    std::shared_ptr<DcSurface> surface;
    QPointer<QWidget> widget; // shown again after drawing into a window's pixels
    CWnd* window = nullptr;
    std::optional<QRegion> limit; // the region a paint context may draw, device coordinates
    DcAttributes attr;
    std::vector<DcAttributes> saved;

    QPoint ToDevice(int x, int y) const { return QPoint(x, y) - attr.windowOrg + attr.viewportOrg; }
    QRect ToDevice(const RECT& r) const
    {
        const QPoint o = attr.viewportOrg - attr.windowOrg;
        return QRect(QPoint(r.left, r.top) + o, QPoint(r.right - 1, r.bottom - 1) + o);
    }
    // Whether there are pixels to draw on: a window keeps none while it has no size or is out of
    // sight, and a painter cannot begin on an empty image.
    bool HasPixels() const { return surface && !surface->image.isNull(); }
    // Where drawing may land, device coordinates.
    QRegion EffectiveClip() const;
    // Marks device pixels as changed so that a window shows them.
    void Touched(const QRect& deviceRect) const;
};

// One message being handled, with the Qt event behind it (none for sent and posted messages).
struct MessageFrame
{
    MSG msg;
    QEvent* event = nullptr;
    QObject* target = nullptr;
    bool defaultDone = false;
};

// The colours an owner gave a native control (through WM_CTLCOLOR... to its parent and
// WM_ERASEBKGND to itself), as they were put into the control's palette; the palette and fill
// flag the control had before keep the defaults.
struct ControlColors
{
    std::optional<QImage> background; // 1x1 for a solid colour
    std::optional<QColor> text;
    std::optional<QPalette> natural;
    bool naturalAutoFill = false;
    bool asking = false;
};

// The native control's own handling of a message (EM_SETSEL, LB_ADDSTRING, WM_SETTEXT ...);
// sets handled when it knows the message.
using ControlProc = std::function<LRESULT(WndImpl&, UINT, WPARAM, LPARAM, bool& handled)>;

// The widget side of a window.
struct WndImpl : HWND__, std::enable_shared_from_this<WndImpl>
{
    CWnd* owner = nullptr;
    bool alive = false;
    QPointer<QWidget> widget;
    bool nativeControl = false; // a Qt control paints itself
    QString controlClass;       // upper-case class name of a native control
    ControlProc controlProc;
    std::shared_ptr<CPaintedControl> painted; // a control drawn with QPainter
    ControlColors colors;
    std::shared_ptr<DcSurface> surface = std::make_shared<DcSurface>();
    QRegion invalid;
    bool erasePending = false;
    bool paintPosted = false;
    bool redraw = true;
    // While Qt paints the widget: the pixels it shows from the surface once the window painted.
    std::optional<QRegion> qtPainting;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT id = 0;
    CString text;
    HFONT font = nullptr;
    std::unique_ptr<CFont> fontObject; // keeps the font alive while the window uses it
    COLORREF background = 0xFFFFFF;
    bool hasBackground = true;
    UINT classStyle = 0x000B; // CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW
    HCURSOR classCursor = nullptr; // the arrow (the I-beam for edits) when none
    std::map<UINT_PTR, int> timers; // id -> Qt timer id
    // The messages being handled, innermost last. A deque: a message handler may send more to
    // the same window, and the frames (and GetCurrentMessage's record) must stay where they are.
    std::deque<MessageFrame> frames;
    QSize reportedSize{-1, -1};
    QPoint reportedPos{-100000, -100000};
    int wheelRemainder = 0;
    bool toolTips = false;
    std::vector<const CToolTipCtrl*> toolTipControls; // controls with tool rectangles on this window
    bool isDialog = false; // takes Enter and Escape for its controls
    UINT defaultButton = 1; // the command of Enter in a dialog
    // Enter or Escape, once the dialog saw the key go down: only then do its auto-repeats count.
    UINT dialogKeyPressed = 0;
    SCROLLINFO scroll[2];
    std::vector<std::unique_ptr<CWnd>> ownedChildren; // wrappers of a dialog's template controls
    // While a template's controls are made in this window: the font each takes (WM_SETFONT)
    // before its text, so that the text is laid out and fitted in that font only.
    HFONT fontOfNewControls = nullptr;
    std::vector<std::unique_ptr<CDC>> contexts;      // handed out by GetDC and BeginPaint

    static WndImpl* From(HWND h);
    static WndImpl* FromWidget(const QObject* w);
    // Runs a message through the owner's WindowProc, with the Qt event that caused it.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam, QEvent* event = nullptr, QObject* target = nullptr);
    void Invalidate(const QRegion& region, bool erase);
    void SchedulePaint();
    // The kept pixels of a plain window are made when something draws (lazily), cover the part
    // of the client area that shows inside the parents (ShownArea) and follow it, and are dropped
    // while the window is hidden or covered by its children. Client pixels outside the kept part
    // stay invalid: they are painted when they come into sight.
    void ResizeSurface(QSize size);
    void EnsureSurface();
    void DropSurface();
    // The part of the client area inside every parent's client area (all of it for a top-level
    // window); empty when none shows.
    QRect ShownArea() const;
    // What is invalid of the shown part.
    QRegion ShownInvalid() const { return invalid & ShownArea(); }
    // Whether visible children cover the whole client area.
    bool CoveredByChildren() const;
    // Shows changed pixels of the surface, but neither what a running Qt paint of the widget
    // shows anyway nor what is hidden: the widget and its children are not painted again for it.
    void ShowChanged(const QRegion& region);
    // WM_PAINT for the invalid region; a covered window is validated without painting.
    void PaintInvalid();
    // Tells the owner about a new size or position (WM_SIZE, WM_MOVE) when it changed.
    void ReportGeometry();
    // The widget's area less the window's own scroll bars (which stand at the right and bottom).
    QRect ClientRect() const;
    // The window's own scroll bars (plain windows; null until first shown).
    QPointer<QWidget> scrollBars[2];
    bool scrollBarShown[2] = {false, false};
    // The square between both bars (null until both first show).
    QPointer<QWidget> scrollCorner;
    // Whether a dialog contains this window.
    bool InDialog() const;
    // The height the window takes for a height it is given (a drop-down combo box shows one line;
    // the rest of what a template gives it is its list's); none: the height given.
    std::function<int(int given)> shownHeight;
};

// Registers a native widget (or a scroll area's viewport) so that its input reaches a window.
void BridgeWidget(WndImpl& impl, QWidget* widget);
// Makes the native control of a class (nullptr for plain windows).
QWidget* CreateNativeControl(WndImpl& impl, const QString& upperClass, QWidget* parent);
// The default processing of a native control for the message being handled.
LRESULT NativeDefault(WndImpl& impl, UINT message, WPARAM wParam, LPARAM lParam);
UINT VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers);
int QtKeyFromVirtualKey(UINT vk);

// Conversions used across the layer.
inline QRgb ToQRgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline COLORREF FromQRgb(QRgb c) { return RGB(BYTE(qRed(c)), BYTE(qGreen(c)), BYTE(qBlue(c))); }
inline QString ToQString(const CString& s) { return QString::fromUtf8(s.GetString(), s.GetLength()); }
inline CString FromQString(const QString& s) { return CString(s.toUtf8().toStdString()); }
inline QRect ToQRect(const RECT& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }
inline CRect FromQRect(const QRect& r) { return CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1); }
QFont MakeQFont(const LOGFONT& lf);
std::shared_ptr<GdiData> StockData(int index);
CGdiObject* StockObject(int index);
const QImage& BitmapImage(const CBitmap& bitmap);
// The window's pixels as the screen shows them (pending paints done first).
QImage WindowImage(CWnd& window);
// Paints the drag image that shows now (if any) over a picture whose top-left corner is at that
// screen point, as a user sees it over the windows below.
void PaintDragImageOver(QImage& picture, QPoint pictureScreenOrigin);
QWidget* WidgetOf(const CWnd* window);
// The window a dialog or message box opening now belongs to (and opens over): the given
// window's top-level window (the modal dialog that blocks it, when one does), else the modal
// dialog or the window that is active, else the main window; null when there is none.
QWidget* OwnerWidget(const CWnd* given);
// Makes a context draw into a window's client area, limited to a device region when given.
void AttachDcToWindow(CDC& dc, WndImpl& wnd, std::optional<QRegion> limit);
// BeginPaint's work: takes the update region (validating it), erases the background when that is
// pending, and fills in the paint record. EndPaint shows what was painted.
QRegion BeginPaintRegion(WndImpl& wnd, PAINTSTRUCT& paint);
void EndPaintRegion(WndImpl& wnd, const QRegion& region);
// Gives a context its drawing target directly (a picture being composed by the framework).
void AttachDcToImage(CDC& dc, std::shared_ptr<DcSurface> surface);
// Shows, hides and places a plain window's own scroll bars after its scroll information, style
// or size changed; the client area shrinks by the bars shown, and WM_SIZE reports it.
void UpdateWindowScrollBars(WndImpl& impl);
// The live child windows of a window, in stacking order from the bottom (creation order).
std::vector<CWnd*> ChildWindows(const CWnd& parent);
