#include "grid/MeasureMultilineText.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CWnd.h"

#include <algorithm>

CSize& MeasureMultilineText(CSize& size, CWnd* wnd, CFont* font, const CString& text)
{
    size = CSize(0, 0);
    if (!wnd)
        return size;
    CDC* dc = wnd->GetDC();
    if (!dc)
        return size;
    CFont* old = font ? dc->SelectObject(font) : nullptr;
    CString lines = text;
    lines.Replace("\r\n", "\n");
    // An empty line is measured with a placeholder so that it still has a height.
    const auto measure = [dc](const CString& line) { return dc->GetTextExtent(line.IsEmpty() ? CString(" ") : line); };
    int start = 0;
    while (true)
    {
        const int end = lines.Find('\n', start);
        const CSize extent = measure(end < 0 ? lines.Mid(start) : lines.Mid(start, end - start));
        size.cx = std::max(size.cx, extent.cx);
        size.cy += extent.cy;
        if (end < 0)
            break;
        start = end + 1;
    }
    if (old)
        dc->SelectObject(old);
    wnd->ReleaseDC(dc);
    return size;
}
