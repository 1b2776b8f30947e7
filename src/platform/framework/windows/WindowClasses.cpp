// Registered window classes of plain windows.
#include "platform/framework/windows/WindowClasses.h"

#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/QtBridge.h"

#include <list>
#include <string>

namespace
{
struct WindowClass
{
    std::string name;
    UINT style = 0;
    HCURSOR cursor = nullptr;
    bool hasBackground = false;
    COLORREF background = 0;
};

std::list<WindowClass>& Classes()
{
    static std::list<WindowClass> classes;
    return classes;
}
} // namespace

LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON)
{
    WindowClass c;
    c.style = classStyle;
    c.cursor = cursor;
    const auto value = reinterpret_cast<std::uintptr_t>(background);
    if (value > 0 && value <= 64)
    {
        c.hasBackground = true;
        c.background = GetSysColor(int(value) - 1);
    }
    else if (const CBrush* brush = CBrush::FromHandle(background); brush && brush->Data()->brush.lbStyle == BS_SOLID)
    {
        c.hasBackground = true;
        c.background = brush->Data()->brush.lbColor;
    }
    for (const WindowClass& known : Classes())
        if (known.style == c.style && known.cursor == c.cursor && known.hasBackground == c.hasBackground &&
            known.background == c.background)
            return known.name.c_str();
    c.name = "Orn:" + std::to_string(Classes().size());
    Classes().push_back(std::move(c));
    return Classes().back().name.c_str();
}

void ApplyWindowClass(WndImpl& impl, LPCTSTR className)
{
    if (!className) return;
    for (const WindowClass& c : Classes())
        if (c.name == className)
        {
            impl.classStyle = c.style;
            impl.classCursor = c.cursor;
            impl.hasBackground = c.hasBackground;
            impl.background = c.background;
            return;
        }
}
