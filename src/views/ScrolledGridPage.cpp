#include "views/ScrolledGridPage.h"

#include "platform/framework/windows/WindowStyles.h"
#include "views/ScrollRequest.h"

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
    ScrollTo(ScrollRequestTarget(code, pos, GetScrollPos(SB_VERT), kLineStep, client.Height(), INT_MAX));
}

BOOL CScrolledGridPage::OnMouseWheel(UINT, short delta, CPoint)
{
    ScrollTo(GetScrollPos(SB_VERT) - delta / WHEEL_DELTA * kWheelStep);
    return TRUE;
}
