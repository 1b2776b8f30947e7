#include "platform/framework/windows/WindowTheme.h"

#include "platform/framework/windows/QtBridge.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace
{
// The classic look: Qt's plain Windows style, one for the whole run (the application owns it).
QStyle* ClassicStyle()
{
    static QPointer<QStyle> style;
    if (!style)
    {
        style = QStyleFactory::create(QStringLiteral("Windows"));
        if (style) style->setParent(QCoreApplication::instance());
    }
    return style;
}
} // namespace

// The one theme handle of windows drawn with the desktop's theme.
struct HTHEME__
{
};
static HTHEME__ g_desktopTheme;

HRESULT SetWindowTheme(HWND hwnd, LPCTSTR subAppName, LPCTSTR subIdList)
{
    WndImpl* impl = WndImpl::From(hwnd);
    if (!impl || !impl->widget) return E_INVALIDARG;
    const bool classic = subAppName && subIdList && !*subAppName && !*subIdList;
    QStyle* style = classic ? ClassicStyle() : nullptr;
    // Null gives the widget the application's style again.
    impl->widget->setStyle(style);
    return S_OK;
}

HTHEME GetWindowTheme(HWND hwnd)
{
    const WndImpl* impl = WndImpl::From(hwnd);
    if (!impl || !impl->widget) return nullptr;
    return impl->widget->style() == ClassicStyle() ? nullptr : &g_desktopTheme;
}
