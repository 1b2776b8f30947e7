#pragma once
// CMainView: the content of the project window. It assembles the project's pages into one tab
// window with the tabs "Project Manager", "Energy Study", "Load Study", "Advanced" and "Report";
// the study tabs show one study view at a time and are torn down and built again on every study
// switch. The window table is published in g_pMainViewLayout.
#include "mainview/MainViewLayout.h"
#include "mainview/MainViewSectionWindows.h"
#include "views/ViewCreateContext.h"
#include "views/VisualFramework.h"

#include "platform/framework/windows/CWnd.h"

#include <vector>

struct SStudyLayout;

class CMainView
{
public:
    CMainView();
    virtual ~CMainView();
    CMainView(const CMainView&) = delete;
    CMainView& operator=(const CMainView&) = delete;

    // Builds the initial layout inside the project window; FALSE when a window cannot be made.
    BOOL Create(CWnd* parent, const CREATESTRUCT* cs, const SViewCreateContext& context);
    // Builds the pages of the current view id (0..6, 8); nothing for any other id. A build that
    // fails half-way leaves both study tabs as empty pages, the current view id -1.
    void BuildStudyLayout(const SViewCreateContext& context);
    // Selects the study tab of the current view id when it holds that view's page; false when
    // the page is not built.
    bool SelectBuiltStudy();

    int GetCurrentViewId() const { return m_currentViewId; }
    // -1 asks for the next build from scratch (a bookmark's page).
    void SetCurrentViewId(int viewId)
    {
        m_currentViewId = viewId;
        if (viewId < 0)
            m_builtViewId = -1;
    }
    TVisualFramework& GetFramework() { return m_framework; }
    SMainViewLayout& GetLayout() { return m_layout; }
    // The root tab window (null before Create).
    CWnd* GetRootWindow() const;
    // Index of the selected tab of the root tab window; -1 without one.
    int GetSelectedTab() const;

private:
    DWORD NextId() { return m_nextId++; }
    void RemoveStudyTabs();
    bool BuildStudyObjects(const SStudyLayout& study, const SViewCreateContext& context);
    bool FinishStudyLayout(const SStudyLayout& study);
    bool AddStudyToolBars(const SStudyLayout& study);
    bool AddStudyDialogBars(const SStudyLayout& study);
    void ActivateStudy(const SStudyLayout& study);
    // After a failed build: both study tabs as empty pages.
    void ShowEmptyStudyTabs(const SViewCreateContext& context);
    TVisualObject* AddPlaceholder(UINT titleId, int index, const SViewCreateContext& context);
    TVisualObject* SectionEntry(const SStudyLayout& study, int section) const;
    void UpdateTabsEnabled();
    // Which sections of the built page are collapsed, in section order.
    std::vector<bool> CollapsedSections(const SStudyLayout& study) const;
    void CollapseSectionsAsBefore(const SStudyLayout& study, const std::vector<bool>& collapsed);

    int m_currentViewId = -1;
    // The view whose page the study tabs hold (-1: none, or one to be built from scratch).
    int m_builtViewId = -1;
    TVisualFramework m_framework;
    SMainViewLayout m_layout;
    CMainViewSectionWindows m_sectionWindows{m_layout};
    CWnd* m_parent = nullptr;
    SViewCreateContext m_context;
    DWORD m_nextId = 1;
};
