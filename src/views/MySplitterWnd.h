#pragma once
// CMySplitterWnd: the splitter of a tab page. A study page is one column of sections (overview
// table, graph, time-range table), each a split frame in a row; the section layout gives a
// collapsed section just its toolbars and shares the rest of the height among the expanded
// ones, and stretches column 0 over the client width. A plain splitter (the Report tab) keeps its
// column widths and lets the user drag the divider between its columns. The splitter also tracks
// the drag of a report tile, shows the tile's picture under the mouse and tells the source's view
// (message 1055).
#include "platform/framework/windows/CImageList.h"
#include "platform/framework/windows/CWnd.h"
#include "views/RuntimeClass.h"
#include "views/ViewCreateContext.h"

#include <vector>

// The record sent with message 1055 while a tile is dragged and when it is dropped.
struct SSplitterDragRecord
{
    CPoint screenPoint;
    BOOL releasedInsideSource = FALSE;
    BOOL dropped = FALSE;
    CWnd* source = nullptr;
};

class CMySplitterWnd : public CWnd
{
public:
    static constexpr UINT WM_SPLITTER_DRAG = WM_USER + 31; // 1055
    static constexpr int kDividerWidth = 4;
    static constexpr int kUnsetWidth = -1;

    static const SRuntimeClass& Class();

    CMySplitterWnd() = default;
    ~CMySplitterWnd() override;

    // The splitter window with its grid of rows x columns, empty cells.
    BOOL CreateStatic(CWnd* parent, int rows, int columns, UINT id = 0);
    // Creates the pane of a cell from its run-time class (a split frame or a view) with the
    // context's document; `size` is the pane's initial width and height. FALSE when the object or
    // its window cannot be made.
    BOOL CreatePane(int row, int column, const SRuntimeClass& runtimeClass, const CSize& size,
                    const SViewCreateContext& context);
    CWnd* GetPane(int row, int column) const;
    int GetRowCount() const { return m_rows; }
    int GetColumnCount() const { return m_columns; }
    // The row and column of the pane that is, or holds, the window; false when none does.
    bool FindPane(const CWnd* window, int& row, int& column) const;

    // Column widths of a plain splitter; the first column's ideal width and minimum.
    void SetColumnInfo(int column, int ideal, int minimum);
    int GetColumnWidth(int column) const;
    int GetRowHeight(int row) const;

    void SetPlainSplitter(int plain);
    int GetPlainSplitter() const { return m_plain; }
    // The mode word: non-zero chooses the other tooltip of the toolbars' title fields.
    void SetMode(int mode) { m_mode = mode; }
    int GetMode() const { return m_mode; }

    // ---- sections (the rows of column 0)
    int GetSectionCount() const { return m_rows; }
    // Lays the sections out again from their toolbars' collapsed states.
    void RecalcSections();
    // Lets the section holding the view fill the splitter, or gives every section its place back;
    // returns the new full-window state.
    bool ToggleFullWindow(CWnd* view, int mode);
    bool IsFullWindow() const { return m_fullRow >= 0; }
    // Ends the full-window layout and lays every section out again.
    void RestoreAllSections();
    // Forgets the sections' remembered heights (the next layout shares the height anew).
    void ResetSectionExtents();
    void ShowThirdSection(bool show);
    bool IsThirdSectionShown() const { return m_thirdShown; }
    int GetActiveRow() const { return m_activeRow; }
    void SetActiveRow(int row) { m_activeRow = row; }

    // ---- tile drag
    // Starts tracking a drag of the screen rectangle for the source window: a picture of that
    // rectangle follows the mouse, held where it was pressed, until the release; the source's view
    // (the source's parent) hears message 1055 with an SSplitterDragRecord on every move and on
    // the release.
    void BeginDragImage(const CRect& screenRect, CWnd* source);
    bool IsDragging() const { return m_dragSource != nullptr; }

    bool m_bAutoDelete = true;

    void OnSize(UINT type, int cx, int cy) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The splitter shows only between its panes: the divider of a plain splitter.
    BOOL OnEraseBkgnd(CDC* dc) override;

protected:
    void PostNcDestroy() override;

private:
    void LayoutPanes();
    void SendDragRecord(CPoint screenPoint, bool dropped);
    // The drag image: what the source shows in the screen rectangle. False when it cannot be made.
    bool MakeDragImage(const CRect& screenRect, CWnd& source);
    void EndDragImage();

    int m_rows = 0;
    int m_columns = 0;
    std::vector<CWnd*> m_panes; // row-major; the panes delete themselves with their windows
    std::vector<int> m_columnWidths;
    std::vector<int> m_columnMinimum;
    std::vector<int> m_rowHeights;
    int m_plain = 0;
    int m_mode = 0;
    int m_fullRow = -1;
    bool m_thirdShown = true;
    int m_activeRow = 0;
    bool m_draggingDivider = false;
    CWnd* m_dragSource = nullptr;
    CRect m_dragRect;
    CImageList m_dragImage;
};
