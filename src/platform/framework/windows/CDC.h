#pragma once
// Device contexts. A context draws into a surface: a window's client area (CPaintDC, CClientDC,
// CWindowDC, CWnd::GetDC), a bitmap selected into a memory context (CreateCompatibleDC), or an
// image given by the framework's own code. Coordinates are logical pixels, mapped by the window
// and viewport origins; the mapping mode is always MM_TEXT. What is drawn into a window's client
// area stays there until the window repaints it, as on the original platform, so a part may draw
// outside its paint handler.
#include "platform/framework/CString.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/WinDefs.h"

#include <memory>

class CWnd;
struct DcState;   // private
struct DcSurface; // private

inline constexpr int MM_TEXT = 1;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

class CDC
{
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }

    // A memory context with a 1x1 monochrome-like bitmap until a bitmap is selected into it.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    // The window whose client area this context draws into; null for memory contexts.
    CWnd* GetWindow() const;
    BOOL IsPrinting() const { return FALSE; }
    int GetDeviceCaps(int index) const;

    int SaveDC();
    // A negative level counts back from the latest save.
    BOOL RestoreDC(int savedDC);

    // Selection returns the object that was selected before (a stock object at first).
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* region) { return SelectClipRgn(region); }
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);
    HGDIOBJ SelectObject(HGDIOBJ handle);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;
    int SetROP2(int mode);
    int GetROP2() const;
    int SetStretchBltMode(int mode);
    int SetMapMode(int mode);
    int GetMapMode() const { return MM_TEXT; }
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT p) { return SetBrushOrg(p.x, p.y); }

    // Origins: device = logical - window origin + viewport origin.
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint GetWindowOrg() const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;

    // Clipping. Regions are given in device coordinates, rectangles in logical ones. A paint
    // context is always limited to the region being painted as well.
    int SelectClipRgn(CRgn* region);
    int SelectClipRgn(CRgn* region, int mode);
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int ExcludeClipRect(int left, int top, int right, int bottom);
    int ExcludeClipRect(LPCRECT rect) { return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int GetClipBox(LPRECT rect) const;
    BOOL PtVisible(int x, int y) const;
    BOOL RectVisible(LPCRECT rect) const;

    // Lines: LineTo draws from the current position up to, not including, the end point.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* points, int count);

    // Closed figures: outlined with the pen, filled with the brush; the right and bottom edges
    // are excluded as for every rectangle.
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(int left, int top, int right, int bottom, int width, int height);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
    BOOL Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
    BOOL Polygon(const POINT* points, int count);

    void FillRect(LPCRECT rect, CBrush* brush);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    // The dotted focus rectangle, drawn by inverting; drawing it twice removes it.
    void DrawFocusRect(LPCRECT rect);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL FillRgn(CRgn* region, CBrush* brush);
    BOOL FrameRgn(CRgn* region, CBrush* brush, int width, int height);
    BOOL InvertRgn(CRgn* region);

    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT p, COLORREF color) { return SetPixel(p.x, p.y, color); }
    BOOL SetPixelV(int x, int y, COLORREF color);
    // CLR_INVALID outside the surface or the clip region.
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }

    // Text. The reference point of TextOut and ExtTextOut follows the text alignment;
    // opaque background mode fills the text's cell with the background colour first.
    BOOL TextOut(int x, int y, const CString& text);
    BOOL TextOut(int x, int y, LPCTSTR text, int count);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const int* dx = nullptr);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, const int* dx);
    // Returns the height of the text (with DT_VCENTER or DT_BOTTOM the offset from the top of the
    // rectangle to the bottom of the text); with DT_CALCRECT the rectangle is set to the text's
    // extent and nothing is drawn. A count of -1 takes the whole null-terminated text.
    int DrawText(const CString& text, LPRECT rect, UINT format);
    int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
    CSize GetTextExtent(const CString& text) const;
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;

    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);
    // Moves the pixels of the scroll rectangle (all of the surface when null) by dx, dy, limited
    // to the clip rectangle; reports the uncovered area in the region and/or rectangle.
    BOOL ScrollDC(int dx, int dy, LPCRECT scrollRect, LPCRECT clipRect, CRgn* updateRegion, LPRECT updateRect);

    // The framework's own: the state and target of the context.
    DcState& State() const { return *m_state; }

    static CDC* FromHandle(HDC hdc) { return reinterpret_cast<CDC*>(hdc); }

private:
    std::unique_ptr<DcState> m_state;
};

// The context of a paint handler: BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;
    HWND m_hWnd = nullptr;

private:
    CWnd* m_window;
    CRect m_paintRegionBox;
};

// A context on the client area outside painting.
class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;
    HWND m_hWnd = nullptr;
};

// The framework draws no non-client areas of its own, so a window context is a client context.
class CWindowDC : public CClientDC
{
public:
    explicit CWindowDC(CWnd* window) : CClientDC(window) {}
};
