#pragma once
// What the project document asks of the project window when it switches the study view, answered
// by the main view inside it.
#include "project/IStudyViewHost.h"
#include "views/ViewCreateContext.h"

class CMainView;

class CMainViewStudyHost : public IStudyViewHost
{
public:
    CMainViewStudyHost(CMainView& mainView, CWnd& projectWindow, const SViewCreateContext& context)
        : m_mainView(mainView), m_projectWindow(projectWindow), m_context(context)
    {
    }

    int GetCurrentViewId() const override;
    void SetCurrentViewId(int viewId) override;
    int GetCurrentTopTab() const override;
    CWnd* GetActiveFrame() const override { return &m_projectWindow; }
    // The Project Manager tab's right pane, shown through every enclosing tab window.
    void SelectMainViewTab() override;
    void BuildStudyLayout() override;
    bool SelectBuiltStudy() override;
    void UpdateTabsEnabled() override;
    void ShowBookmarkTile(int bookmark) override;

private:
    CMainView& m_mainView;
    CWnd& m_projectWindow;
    SViewCreateContext m_context;
};
