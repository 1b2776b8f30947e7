#include "mainview/MainViewStudyHost.h"

#include "mainview/MainView.h"
#include "mainview/StudyTabsEnabled.h"
#include "reportpages/ReportListView.h"
#include "views/SplitFrame.h"

int CMainViewStudyHost::GetCurrentViewId() const
{
    return m_mainView.GetCurrentViewId();
}

void CMainViewStudyHost::SetCurrentViewId(int viewId)
{
    m_mainView.SetCurrentViewId(viewId);
}

int CMainViewStudyHost::GetCurrentTopTab() const
{
    return m_mainView.GetSelectedTab();
}

void CMainViewStudyHost::SelectMainViewTab()
{
    TVisualObject* right = m_mainView.GetLayout().projectManagerRight;
    m_mainView.GetFramework().SelectTab(right);
    m_mainView.GetFramework().ShowObject(right);
}

void CMainViewStudyHost::BuildStudyLayout()
{
    m_mainView.BuildStudyLayout(m_context);
}

bool CMainViewStudyHost::SelectBuiltStudy()
{
    return m_mainView.SelectBuiltStudy();
}

void CMainViewStudyHost::UpdateTabsEnabled()
{
    UpdateStudyTabsEnabled(m_mainView.GetLayout(), m_context.document);
}

void CMainViewStudyHost::ShowBookmarkTile(int bookmark)
{
    const SMainViewLayout& layout = m_mainView.GetLayout();
    const TVisualObject* list = layout.reportList;
    auto* frame = list ? dynamic_cast<CSplitFrame*>(list->GetWnd()) : nullptr;
    auto* view = frame ? dynamic_cast<CReportListView*>(frame->GetView()) : nullptr;
    if (!view)
        return;
    m_mainView.GetFramework().SelectTab(layout.reportTab);
    m_mainView.GetFramework().ShowObject(layout.reportTab);
    view->ShowBookmarkTile(bookmark);
}
