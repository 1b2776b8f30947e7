#pragma once
// What every table view of a study page does for the section-toolbar commands that do not
// depend on its table: the section toolbar, its collapse button in the full-window layout, the
// section's picture for the clipboard or for a bookmark.
class CMyFormView;
class CMyToolBar;

// The toolbar with the section's collapse button and title field; null outside a section.
CMyToolBar* TableSectionToolBar(const CMyFormView& view);
// While the section fills the page its collapse button cannot be used.
void EnableSectionCollapse(const CMyFormView& view, bool enable);

// The view's client area, in the main window's client coordinates, to the clipboard.
void CopyTableSectionToClipboard(CMyFormView& view);
// Unless the section fills the page, the page's standard layout comes back with this section
// open: a collapsed section has nothing to show in a bookmark's picture.
void OpenSectionForBookmark(CMyFormView& view, bool fullWindow);
// A bookmark of the section under the section toolbar's text, the section opened first.
void AddTableSectionBookmark(CMyFormView& view, bool fullWindow);
