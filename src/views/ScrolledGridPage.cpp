#include "views/ScrolledGridPage.h"

#include "platform/framework/windows/WindowStyles.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int kLineStep = 20;
constexpr int kWheelStep = 3 * kLineStep;

} // namespace

BOOL CScrolledGridPage::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_VSCROLL;
    return CGridViewBase::PreCreateWindow(cs);
}

void CScrolledGridPage::ScrollTo(int position)
{
    SCROLLINFO info{};
    info.fMask = SIF_RANGE | SIF_PAGE;
    GetScrollInfo(SB_VERT, &info);
    const int last = std::max(0, info.nMax - int(info.nPage) + 1);
    position = std::clamp(position, 0, last);
    if (position != GetScrollPos(SB_VERT))
        SetScrollPos(SB_VERT, position);
    PlaceGrids();
}

void CScrolledGridPage::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    CRect client;
    GetClientRect(&client);
    const int current = GetScrollPos(SB_VERT);
    switch (code) {
    case SB_LINEUP: ScrollTo(current - kLineStep); break;
    case SB_LINEDOWN: ScrollTo(current + kLineStep); break;
    case SB_PAGEUP: ScrollTo(current - client.Height()); break;
    case SB_PAGEDOWN: ScrollTo(current + client.Height()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(int(pos)); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(INT_MAX); break;
    default: break;
    }
}

BOOL CScrolledGridPage::OnMouseWheel(UINT, short delta, CPoint)
{
    ScrollTo(GetScrollPos(SB_VERT) - delta / WHEEL_DELTA * kWheelStep);
    return TRUE;
}
