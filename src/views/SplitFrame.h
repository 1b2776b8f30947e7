#pragma once
// CSplitFrame: the frame of one page of the project window (a study section, the project
// manager page, a report page, an empty page). It holds exactly one view, created from the
// frame's view class as its first pane when its window is made, its toolbars stacked along the
// top and at most one dialog bar at the left. Commands of its toolbars and bar go to the view
// first, then up to the splitter.
#include "platform/framework/windows/CWnd.h"
#include "project/ISplitFrame.h"
#include "views/MyDialogBar.h"
#include "views/MyToolBar.h"
#include "views/RuntimeClass.h"
#include "views/ViewCreateContext.h"

#include <map>
#include <memory>

class CSplitFrame : public CWnd, public ISplitFrame
{
public:
    static constexpr UINT kFirstPaneId = 0xE900;

    static const SRuntimeClass& Class();

    // viewClass null: a frame without a view.
    explicit CSplitFrame(const SRuntimeClass* viewClass = nullptr);
    ~CSplitFrame() override;

    // The frame's run-time class as it was created (the record of its frame class).
    const SRuntimeClass* GetFrameClass() const { return m_runtimeClass; }
    void SetFrameClass(const SRuntimeClass* runtimeClass) { m_runtimeClass = runtimeClass; }

    // Creates the frame window and its view; FALSE (the frame is gone) when either fails.
    BOOL CreateFrame(CWnd* parent, const CRect& rect, UINT id, const SViewCreateContext& context);
    // The view: the frame's first child window.
    CWnd* GetView() const;

    // Appends a toolbar of the type from the toolbar resource; null when it cannot be made.
    CMyToolBar* AddToolBar(int type, UINT resourceId);
    CWnd* GetToolBar(int index) const override;
    CMyToolBar* GetMyToolBar(int index) const;
    int GetToolBarCount() const { return int(m_toolBars.size()); }
    // The total height of the toolbars: the height of the collapsed section.
    int GetToolBarsHeight() const;

    // Takes the bar, creates it from the template and lays the frame out again; FALSE when the
    // bar cannot be made (the frame keeps no bar then).
    BOOL AddDialogBar(std::unique_ptr<CMyDialogBar> bar, UINT templateId);
    CMyDialogBar* GetDialogBar() const { return m_dialogBar.get(); }

    // The section toolbar: the one with the collapse button and the title field (the overview
    // table's frame has the view selector above it); null in a frame without one.
    CMyToolBar* FindSectionToolBar() const;
    // Collapsed when the toolbar with the collapse button says so.
    bool IsSectionCollapsed() const;
    // The user opened the section the page lays out collapsed, or collapsed one it lays out open.
    bool IsSectionToggled() const;
    void SetSectionToggled(bool toggled);
    // Collapses an expanded section or expands a collapsed one, and lets the splitter lay its
    // sections out again. The flag tells who asked (1 the collapse button, 0 the section
    // toolbar's message); both toggle.
    void ToggleSection(int flag);

    // Toolbars at the top, the dialog bar at the left, the view in the rest; with notify the
    // view hears the new size at once.
    void RecalcLayout(BOOL notify = TRUE);

    bool m_bAutoDelete = true;

    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    int OnCreate(LPCREATESTRUCT cs) override;
    // The view goes with the frame's children: commands that arrive while they are destroyed
    // (a control losing the focus) no longer reach it.
    void OnDestroy() override;
    void PostNcDestroy() override;

private:
    const SRuntimeClass* m_runtimeClass;
    const SRuntimeClass* m_viewClass;
    SViewCreateContext m_context;
    CWnd* m_view = nullptr; // deletes itself with its window
    std::map<int, std::unique_ptr<CMyToolBar>> m_toolBars;
    std::unique_ptr<CMyDialogBar> m_dialogBar;
};
