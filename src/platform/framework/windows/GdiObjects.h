#pragma once
// Drawing objects: pens, brushes, fonts, bitmaps and regions. Each object owns its data through
// a shared record, so a device context that still has an object selected keeps drawing correctly
// even after the object itself went away. Handles name the shared record.
#include "platform/framework/CString.h"
#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/WinDefs.h"

#include <memory>
#include <vector>

struct GdiData; // defined in the framework's private drawing code
class CDC;

class CGdiObject
{
public:
    CGdiObject();
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    // Releases the object; a context that has it selected keeps its own reference.
    BOOL DeleteObject();
    // Shares the object that a handle names (a stock object or one made by another wrapper).
    BOOL Attach(HGDIOBJ handle);
    // The wrapper that made a handle, or the wrapper of a stock object; null for unknown handles.
    static CGdiObject* FromHandle(HGDIOBJ handle);

    const std::shared_ptr<GdiData>& Data() const { return m_data; }

protected:
    void Adopt(std::shared_ptr<GdiData> data);

private:
    std::shared_ptr<GdiData> m_data;
};

class CPen : public CGdiObject
{
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL CreatePenIndirect(const LOGPEN* description);
    BOOL GetLogPen(LOGPEN* description) const;
    static CPen* FromHandle(HPEN handle) { return static_cast<CPen*>(CGdiObject::FromHandle(handle)); }
};

class CBitmap;
class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int hatch, COLORREF color);
    // The bitmap is copied; the brush tiles it from the context's origin.
    BOOL CreatePatternBrush(CBitmap* bitmap);
    BOOL CreateSysColorBrush(int colorIndex);
    BOOL GetLogBrush(LOGBRUSH* description) const;
    static CBrush* FromHandle(HBRUSH handle) { return static_cast<CBrush*>(CGdiObject::FromHandle(handle)); }
};

class CFont : public CGdiObject
{
public:
    BOOL CreateFontIndirect(const LOGFONT* description);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, LPCTSTR faceName);
    // Size in tenths of a point at the screen's 96 pixels per inch.
    BOOL CreatePointFont(int pointSizeTenths, LPCTSTR faceName, CDC* dc = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONT* description, CDC* dc = nullptr);
    int GetLogFont(LOGFONT* description) const;
    static CFont* FromHandle(HFONT handle) { return static_cast<CFont*>(CGdiObject::FromHandle(handle)); }
};

class CBitmap : public CGdiObject
{
public:
    // 32 bits per pixel: rows top-down, each pixel in memory order B, G, R, x. 1 bit per pixel: a
    // monochrome bitmap, rows padded to 16 bits, set bits white. Bits may be null.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    // An image of the resource folder: bitmaps/<id>.bmp or bitmaps/<id>.png.
    BOOL LoadBitmap(UINT resourceId);
    // Any picture file Qt's image readers know (BMP, PNG, JPEG, GIF).
    BOOL LoadFromFile(const CString& path);
    BOOL LoadFromMemory(const void* bytes, std::size_t count);
    // Writes the bitmap as PNG.
    BOOL SaveToFile(const CString& path) const;
    int GetBitmap(BITMAP* description) const;
    CSize GetSize() const;
    // Copies the pixels in the CreateBitmap layout; returns the number of bytes copied.
    DWORD GetBitmapBits(DWORD count, void* bits) const;
    DWORD SetBitmapBits(DWORD count, const void* bits);
    static CBitmap* FromHandle(HBITMAP handle) { return static_cast<CBitmap*>(CGdiObject::FromHandle(handle)); }

private:
    BOOL AdoptBitmap(std::shared_ptr<GdiData> data);
};

class CRgn : public CGdiObject
{
public:
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    BOOL CreateEllipticRgn(int left, int top, int right, int bottom);
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode);
    // This region becomes a combined with b; returns the kind of the result (NULLREGION ...).
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    int CopyRgn(const CRgn* source);
    void SetRectRgn(int left, int top, int right, int bottom);
    void SetRectRgn(LPCRECT rect);
    int OffsetRgn(int dx, int dy);
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    BOOL RectInRegion(LPCRECT rect) const;
    BOOL EqualRgn(const CRgn* other) const;
    int GetRgnBox(LPRECT rect) const;
    // The rectangles the region is made of, top to bottom.
    std::vector<CRect> GetRects() const;
    static CRgn* FromHandle(HRGN handle) { return static_cast<CRgn*>(CGdiObject::FromHandle(handle)); }
};
inline constexpr int ALTERNATE = 1;
inline constexpr int WINDING = 2;

// Stock objects and the fixed system colour and metric tables.
HGDIOBJ GetStockObject(int index);
COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
int GetSystemMetrics(int index);

// The screens: the one a rectangle (screen coordinates) lies on, and its whole rectangle and work
// area (without the desktop's panels), in the logical pixels windows are placed in.
inline constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;
struct MONITORINFO
{
    DWORD cbSize = sizeof(MONITORINFO);
    RECT rcMonitor{};
    RECT rcWork{};
    DWORD dwFlags = 0;
};
// The screen holding the rectangle's centre, else the one it overlaps most, else the nearest.
HMONITOR MonitorFromRect(LPCRECT rect, DWORD flags);
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
// The screen's device pixels per logical pixel (1 when the screen is unknown): what a stored
// placement is multiplied by, so that it means the same at every ratio.
double GetMonitorPixelRatio(HMONITOR monitor);
