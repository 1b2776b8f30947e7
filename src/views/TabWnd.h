#pragma once
// TTabWnd: the tab window of the tabbed-view framework. A strip of tabs along the top, one page
// window per tab below it; a disabled tab cannot be chosen. A click on the Energy Study tab
// (index 1) or the Load Study tab (index 2) first asks the main window for that study
// (WM_USER+60, lParam 1 or 2), then shows the tab. The strip takes the focus with Tab; Left and
// Right (Home, End) then choose the enabled tab beside (the first, the last) as a click does.
#include "platform/framework/CString.h"
#include "platform/framework/windows/CWnd.h"
#include "views/RuntimeClass.h"

#include <vector>

class TTabWnd : public CWnd
{
public:
    static constexpr UINT WM_SHOW_STUDY_VIEW = WM_USER + 60;
    static constexpr int kStripHeight = 26;

    static const SRuntimeClass& Class();

    TTabWnd() = default;
    ~TTabWnd() override;

    BOOL CreateTabWnd(CWnd* parent, const CRect& rect, UINT id);

    // Makes the page a tab with that title at the index (appended when out of range).
    void InsertTab(int index, CWnd* page, const CString& title);
    // Forgets the tab of the page (the page window stays); the next enabled tab is shown.
    void RemoveTab(CWnd* page);
    int GetTabCount() const { return int(m_tabs.size()); }
    int FindTab(const CWnd* page) const;
    CWnd* GetPage(int index) const;
    CString GetTabTitle(int index) const;
    CRect GetTabRect(int index) const;
    // The page area below the strip, in client coordinates.
    CRect GetPageRect() const;

    int GetActiveTab() const { return m_active; }
    // Shows the tab's page and hides the others; FALSE for an index out of range.
    BOOL SetActiveTab(int index);
    // Refused (FALSE) for the selected tab.
    BOOL EnableTab(int index, bool enable);
    bool IsTabEnabled(int index) const;

    bool m_bAutoDelete = true;

    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    UINT OnGetDlgCode() override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;

protected:
    void PostNcDestroy() override;

private:
    struct STab
    {
        CWnd* page;
        CString title;
        bool enabled = true;
        CRect rect;
    };
    void LayoutTabs();
    // What a click on the tab does: the study asked for, then the tab shown.
    void ChooseTab(int index);

    std::vector<STab> m_tabs;
    int m_active = -1;
};
