#include "mainview/MainViewStudyHost.h"

#include "mainview/MainView.h"
#include "mainview/StudyTabsEnabled.h"

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
