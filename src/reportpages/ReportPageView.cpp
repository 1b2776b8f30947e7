#include "reportpages/ReportPageView.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "reportpages/ReportBasicGrid.h"

#include <algorithm>

CReportPageView::CReportPageView() : CScrolledGridPage(kTemplateId)
{
}

void CReportPageView::OnInitialUpdate()
{
    CScrolledGridPage::OnInitialUpdate();
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
    return CScrolledGridPage::WindowProc(message, wParam, lParam);
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
    SetContentSize(CSize(ContentWidth(), ContentHeight()));
}

bool CReportPageView::IsScrolledToBottom() const
{
    SCROLLINFO info{};
    info.fMask = SIF_RANGE | SIF_PAGE;
    const_cast<CReportPageView*>(this)->GetScrollInfo(SB_VERT, &info);
    return GetScrollPos(SB_VERT) >= std::max(0, info.nMax - int(info.nPage) + 1);
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
    CScrolledGridPage::OnSize(type, cx, cy);
    RefreshGrids();
    UpdateScrollSizes();
    Invalidate();
}
