#pragma once
// What the project document asks of the project window when it switches the study view shown
// or shows a bookmark: the main view (its view id, its tab, its layout), the main frame's top tab
// and the active child frame. The main view implements it; the document decides what is shown.
class CWnd;

class IStudyViewHost
{
public:
    virtual ~IStudyViewHost() = default;

    // The view id the main view shows, and setting it (the layout follows with BuildStudyLayout).
    virtual int GetCurrentViewId() const = 0;
    virtual void SetCurrentViewId(int viewId) = 0;
    // The main frame's current top tab (1 Energy study, 2 Load study, other kinds as the frame
    // numbers them).
    virtual int GetCurrentTopTab() const = 0;
    // The active child frame (the project window), or null when the main window has none.
    virtual CWnd* GetActiveFrame() const = 0;
    // Selects the tab that holds the main view and shows it through every enclosing tab window.
    virtual void SelectMainViewTab() = 0;
    // Rebuilds the tabbed layout of the project window for the main view's current view id.
    virtual void BuildStudyLayout() = 0;
    // Brings the page of the current view id forward when it is built; false when it is not.
    virtual bool SelectBuiltStudy() = 0;
    // Enables the study and report tabs the project's sessions allow (after sessions were added
    // or deleted); a host without tabs has nothing to do.
    virtual void UpdateTabsEnabled() {}
    // Shows the report page with the tile of bookmark i selected (after the bookmark was made);
    // a host without a report page has nothing to show.
    virtual void ShowBookmarkTile(int) {}
};
