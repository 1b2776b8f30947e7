#include "views/ScrolledGridPage.h"

#include "platform/framework/windows/ScrollRequest.h"
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

void CScrolledGridPage::ScrollBarTo(int bar, int position)
{
    SCROLLINFO info{};
    info.fMask = SIF_RANGE | SIF_PAGE;
    GetScrollInfo(bar, &info);
    const int last = std::max(0, info.nMax - int(info.nPage) + 1);
    position = std::clamp(position, 0, last);
    if (position != GetScrollPos(bar))
        SetScrollPos(bar, position);
    PlaceGrids();
}

void CScrolledGridPage::SetContentSize(CSize content)
{
    const CPoint position(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
    SetScrollRanges(*this, content);
    // A page that became smaller may leave the old positions past its end.
    ScrollAcrossTo(position.x);
    ScrollTo(position.y);
}

void CScrolledGridPage::OnVScroll(UINT code, UINT pos, CWnd*)
{
    CRect client;
    GetClientRect(&client);
    ScrollTo(ScrollRequestTarget(code, pos, GetScrollPos(SB_VERT), kLineStep, client.Height(), INT_MAX));
}

void CScrolledGridPage::OnHScroll(UINT code, UINT pos, CWnd*)
{
    CRect client;
    GetClientRect(&client);
    ScrollAcrossTo(ScrollRequestTarget(code, pos, GetScrollPos(SB_HORZ), kLineStep, client.Width(), INT_MAX));
}

BOOL CScrolledGridPage::OnMouseWheel(UINT, short delta, CPoint)
{
    ScrollTo(GetScrollPos(SB_VERT) - delta / WHEEL_DELTA * kWheelStep);
    return TRUE;
}
