#include "platform/framework/windows/ScrollRequest.h"

#include "platform/framework/windows/Messages.h"

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
