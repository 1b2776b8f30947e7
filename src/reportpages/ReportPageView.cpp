#include "reportpages/ReportPageView.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "reportpages/ReportBasicGrid.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int kLineStep = 20;
constexpr int kWheelStep = 3 * kLineStep;

} // namespace

CReportPageView::CReportPageView() : CGridViewBase(kTemplateId)
{
}

BOOL CReportPageView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_VSCROLL;
    return CGridViewBase::PreCreateWindow(cs);
}

void CReportPageView::OnInitialUpdate()
{
    CGridViewBase::OnInitialUpdate();
    Rebuild();
}

LRESULT CReportPageView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DOC_UPDATE) {
        RequestRebuild();
        return 0;
    }
    if (message == WM_REPORT_REBUILD) {
        m_rebuildPosted = false;
        Rebuild();
        return 0;
    }
    return CGridViewBase::WindowProc(message, wParam, lParam);
}

void CReportPageView::RequestRebuild()
{
    if (!m_rebuildPosted && GetSafeHwnd()) {
        m_rebuildPosted = true;
        PostMessage(WM_REPORT_REBUILD, 0, 0);
    }
}

CReportViewSettings CReportPageView::ReadReportSettings() const
{
    CReportViewSettings settings;
    const CRecDoc* document = GetDocument();
    if (const CProjectSettings* project = document ? document->GetProjectSettings() : nullptr)
        settings.CopyFrom(project->GetViewSettings(CViewSettings::kReportViewId));
    return settings;
}

void CReportPageView::StoreReportSettings(const CReportViewSettings& settings) const
{
    CRecDoc* document = GetDocument();
    if (CProjectSettings* project = document ? document->GetProjectSettings() : nullptr) {
        project->SetViewSettings(CViewSettings::kReportViewId, &settings);
        document->SetModifiedFlag();
    }
}

void CReportPageView::UpdateScrollSizes()
{
    const int position = GetScrollPos(SB_VERT);
    CRect client;
    GetClientRect(&client);
    SCROLLINFO info{};
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = std::max(0, ContentHeight() - 1);
    info.nPage = UINT(std::max(0, client.Height()));
    SetScrollInfo(SB_VERT, &info, TRUE);
    ScrollTo(position);
}

bool CReportPageView::IsScrolledToBottom() const
{
    SCROLLINFO info{};
    info.fMask = SIF_RANGE | SIF_PAGE;
    const_cast<CReportPageView*>(this)->GetScrollInfo(SB_VERT, &info);
    return GetScrollPos(SB_VERT) >= std::max(0, info.nMax - int(info.nPage) + 1);
}

void CReportPageView::ScrollTo(int position)
{
    SCROLLINFO info{};
    info.fMask = SIF_RANGE | SIF_PAGE;
    GetScrollInfo(SB_VERT, &info);
    position = std::clamp(position, 0, std::max(0, info.nMax - int(info.nPage) + 1));
    if (position != GetScrollPos(SB_VERT))
        SetScrollPos(SB_VERT, position);
    PlaceGrids();
}

void CReportPageView::OnVScroll(UINT code, UINT pos, CScrollBar*)
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

BOOL CReportPageView::OnMouseWheel(UINT, short delta, CPoint)
{
    ScrollTo(GetScrollPos(SB_VERT) - delta / WHEEL_DELTA * kWheelStep);
    return TRUE;
}

BOOL CReportPageView::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, CReportBasicGrid::kPageBack);
    return TRUE;
}

void CReportPageView::OnSize(UINT type, int cx, int cy)
{
    if (cx == 0 || cy == 0)
        return;
    CGridViewBase::OnSize(type, cx, cy);
    RefreshGrids();
    UpdateScrollSizes();
    Invalidate();
}
