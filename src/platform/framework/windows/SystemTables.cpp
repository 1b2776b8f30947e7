// The fixed system colours, metrics and stock objects: drawing looks the same on every machine.
// Only the screen's size is the machine's own (the table's is for a process without a screen).
#include "platform/framework/windows/QtBridge.h"

#include <QGuiApplication>
#include <QScreen>

#include <array>
#include <cstring>

namespace
{
constexpr std::array<COLORREF, 31> kSysColors = {
    RGB(200, 200, 200), // COLOR_SCROLLBAR
    RGB(0, 0, 0),       // COLOR_BACKGROUND
    RGB(153, 180, 209), // COLOR_ACTIVECAPTION
    RGB(191, 205, 219), // COLOR_INACTIVECAPTION
    RGB(240, 240, 240), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(100, 100, 100), // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(0, 0, 0),       // COLOR_CAPTIONTEXT
    RGB(180, 180, 180), // COLOR_ACTIVEBORDER
    RGB(244, 247, 252), // COLOR_INACTIVEBORDER
    RGB(171, 171, 171), // COLOR_APPWORKSPACE
    RGB(0, 120, 215),   // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240), // COLOR_BTNFACE
    RGB(160, 160, 160), // COLOR_BTNSHADOW
    RGB(109, 109, 109), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(0, 0, 0),       // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105), // COLOR_3DDKSHADOW
    RGB(227, 227, 227), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(0, 0, 0),       // (unused)
    RGB(0, 102, 204),   // COLOR_HOTLIGHT
    RGB(185, 209, 234), // COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242), // COLOR_GRADIENTINACTIVECAPTION
    RGB(51, 153, 255),  // COLOR_MENUHILIGHT
    RGB(240, 240, 240), // COLOR_MENUBAR
};

struct Metric
{
    int index;
    int value;
};
constexpr Metric kMetrics[] = {
    {SM_CXSCREEN, 1920}, {SM_CYSCREEN, 1080}, {SM_CXVSCROLL, 17}, {SM_CYHSCROLL, 17}, {SM_CYCAPTION, 23},
    {SM_CXBORDER, 1},    {SM_CYBORDER, 1},    {SM_CXDLGFRAME, 3}, {SM_CYDLGFRAME, 3}, {SM_CYVTHUMB, 17},
    {SM_CXHTHUMB, 17},   {SM_CXICON, 32},     {SM_CYICON, 32},    {SM_CXCURSOR, 32},  {SM_CYCURSOR, 32},
    {SM_CYMENU, 20},     {SM_CYVSCROLL, 17},  {SM_CXHSCROLL, 17}, {SM_CXFRAME, 4},    {SM_CYFRAME, 4},
    {SM_CXDOUBLECLK, 4}, {SM_CYDOUBLECLK, 4}, {SM_CXEDGE, 2},     {SM_CYEDGE, 2},     {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
};

struct StockBrush
{
    int index;
    COLORREF color;
};
constexpr StockBrush kStockBrushes[] = {
    {WHITE_BRUSH, RGB(255, 255, 255)}, {LTGRAY_BRUSH, RGB(192, 192, 192)}, {GRAY_BRUSH, RGB(128, 128, 128)},
    {DKGRAY_BRUSH, RGB(64, 64, 64)},   {BLACK_BRUSH, RGB(0, 0, 0)},
};

// Stock objects: wrappers that live as long as the process, so FromHandle finds them.
class StockPen : public CPen
{
public:
    StockPen(int style, COLORREF color) { CreatePen(style, 1, color); }
};
class StockBrushObject : public CBrush
{
public:
    explicit StockBrushObject(COLORREF color) { CreateSolidBrush(color); }
    StockBrushObject()
    {
        LOGBRUSH lb;
        lb.lbStyle = BS_NULL;
        CreateSolidBrush(0);
        Data()->brush = lb;
    }
};
class StockFont : public CFont
{
public:
    StockFont(int height, const char* face)
    {
        LOGFONT lf;
        lf.lfHeight = height;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
        CreateFontIndirect(&lf);
    }
};

CGdiObject* Stock(int index)
{
    static std::array<std::unique_ptr<CGdiObject>, 18> objects = [] {
        std::array<std::unique_ptr<CGdiObject>, 18> o;
        for (const StockBrush& b : kStockBrushes) o[std::size_t(b.index)] = std::make_unique<StockBrushObject>(b.color);
        o[NULL_BRUSH] = std::make_unique<StockBrushObject>();
        o[WHITE_PEN] = std::make_unique<StockPen>(PS_SOLID, RGB(255, 255, 255));
        o[BLACK_PEN] = std::make_unique<StockPen>(PS_SOLID, RGB(0, 0, 0));
        o[NULL_PEN] = std::make_unique<StockPen>(PS_NULL, RGB(0, 0, 0));
        o[ANSI_FIXED_FONT] = std::make_unique<StockFont>(-12, "DejaVu Sans Mono");
        o[SYSTEM_FIXED_FONT] = std::make_unique<StockFont>(-12, "DejaVu Sans Mono");
        o[ANSI_VAR_FONT] = std::make_unique<StockFont>(-11, "DejaVu Sans");
        o[SYSTEM_FONT] = std::make_unique<StockFont>(-12, "DejaVu Sans");
        o[DEVICE_DEFAULT_FONT] = std::make_unique<StockFont>(-12, "DejaVu Sans");
        o[DEFAULT_GUI_FONT] = std::make_unique<StockFont>(-11, "DejaVu Sans");
        return o;
    }();
    if (index < 0 || std::size_t(index) >= objects.size()) return nullptr;
    return objects[std::size_t(index)].get();
}
} // namespace

CGdiObject* StockObject(int index) { return Stock(index); }

std::shared_ptr<GdiData> StockData(int index)
{
    CGdiObject* o = Stock(index);
    return o ? o->Data() : nullptr;
}

HGDIOBJ GetStockObject(int index)
{
    CGdiObject* o = Stock(index);
    return o ? o->m_hObject : nullptr;
}

COLORREF GetSysColor(int index)
{
    return (index >= 0 && std::size_t(index) < kSysColors.size()) ? kSysColors[std::size_t(index)] : 0;
}

HBRUSH GetSysColorBrush(int index)
{
    static std::array<std::unique_ptr<CBrush>, kSysColors.size()> brushes;
    if (index < 0 || std::size_t(index) >= brushes.size()) return nullptr;
    auto& b = brushes[std::size_t(index)];
    if (!b) b = std::make_unique<CBrush>(GetSysColor(index));
    return b->m_hObject;
}

int GetSystemMetrics(int index)
{
    if (index == SM_CXSCREEN || index == SM_CYSCREEN)
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return index == SM_CXSCREEN ? screen->geometry().width() : screen->geometry().height();
    for (const Metric& m : kMetrics)
        if (m.index == index) return m.value;
    return 0;
}

HMONITOR MonitorFromRect(LPCRECT rect, DWORD)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (!rect || screens.isEmpty())
        return reinterpret_cast<HMONITOR>(QGuiApplication::primaryScreen());
    const QRect area = ToQRect(*rect);
    QScreen* best = nullptr;
    long long bestShare = -1;
    for (QScreen* screen : screens) {
        if (screen->geometry().contains(area.center()))
            return reinterpret_cast<HMONITOR>(screen);
        const QRect common = screen->geometry() & area;
        const long long share = common.isEmpty() ? 0 : (long long)common.width() * common.height();
        if (share > bestShare) {
            best = screen;
            bestShare = share;
        }
    }
    if (bestShare > 0)
        return reinterpret_cast<HMONITOR>(best);
    // Off every screen: the one whose centre is nearest.
    const auto distance = [&](const QScreen* screen) { return (screen->geometry().center() - area.center()).manhattanLength(); };
    for (QScreen* screen : screens)
        if (distance(screen) < distance(best))
            best = screen;
    return reinterpret_cast<HMONITOR>(best);
}

double GetMonitorPixelRatio(HMONITOR monitor)
{
    const QScreen* screen = reinterpret_cast<const QScreen*>(monitor);
    return screen && QGuiApplication::screens().contains(const_cast<QScreen*>(screen)) ? screen->devicePixelRatio() : 1.0;
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info)
{
    const QScreen* screen = reinterpret_cast<const QScreen*>(monitor);
    if (!screen || !info || !QGuiApplication::screens().contains(const_cast<QScreen*>(screen)))
        return FALSE;
    info->rcMonitor = FromQRect(screen->geometry());
    info->rcWork = FromQRect(screen->availableGeometry());
    info->dwFlags = screen == QGuiApplication::primaryScreen() ? 1 : 0;
    return TRUE;
}
