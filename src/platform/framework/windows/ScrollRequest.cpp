#include "platform/framework/windows/ScrollRequest.h"

#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/Messages.h"

#include <algorithm>

int ScrollRequestTarget(UINT code, UINT thumb, int current, int line, int page, int end)
{
    switch (code) {
    case SB_LINEUP: return current - line;
    case SB_LINEDOWN: return current + line;
    case SB_PAGEUP: return current - page;
    case SB_PAGEDOWN: return current + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return int(thumb);
    case SB_TOP: return 0;
    case SB_BOTTOM: return end;
    default: return current;
    }
}

void SetScrollRanges(CWnd& window, CSize content)
{
    // Twice: a bar that comes takes room from the other direction.
    for (int pass = 0; pass < 2; ++pass)
        for (const int bar : {SB_HORZ, SB_VERT}) {
            CRect client;
            window.GetClientRect(&client);
            SCROLLINFO info{};
            info.fMask = SIF_RANGE | SIF_PAGE;
            info.nMin = 0;
            info.nMax = std::max(0, int(bar == SB_HORZ ? content.cx : content.cy) - 1);
            info.nPage = UINT(std::max(0, int(bar == SB_HORZ ? client.Width() : client.Height())));
            window.SetScrollInfo(bar, &info, TRUE);
        }
}
