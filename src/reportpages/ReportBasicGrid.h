#pragma once
// CReportBasicGrid: the grid of the report pages: a stack of sections, each a title row with a
// collapse button, rows of content, and a spacing row. Collapsing hides a section's rows by
// height (a row shows again when every collapse that hid it was undone); button cells show a hot
// picture under the mouse; a press on a section's title (or on a tile of the list) drags it
// through the splitter of the page; cells marked editable are edited in place.
#include "grid/FixedSizeGrid.h"

#include <map>
#include <utility>
#include <vector>

class CGridViewBase;

class CReportBasicGrid : public CFixedSizeGrid
{
public:
    static constexpr COLORREF kPageBack = RGB(233, 239, 244);
    static constexpr COLORREF kTitleBack = RGB(69, 72, 76);
    static constexpr COLORREF kTitleText = RGB(255, 255, 255);
    static constexpr int kTitleHeight = 25;
    static constexpr int kSpacerHeight = 8;
    static constexpr UINT kHoverTimer = 1001;
    static constexpr UINT kHoverMs = 100;
    static constexpr UINT kGridId = 2012;

    explicit CReportBasicGrid(CGridViewBase* view);
    ~CReportBasicGrid() override;

    // Lays the grid out again from the subclass's data.
    void Rebuild();

    int GetSectionCount() const { return int(m_sectionSizes.size()); }
    int FirstRowOfSection(int section) const;
    // The section of a grid row, -1 outside.
    int SectionOfRow(int row) const;
    bool IsSectionCollapsed(int section) const;
    void CollapseSection(int section);
    void ExpandSection(int section);
    // The whole height and width of the rows and columns.
    int TotalHeight() const;
    int TotalWidth() const;
    // The drag of a title or tile ended; a drag that was not dropped was a click.
    void EndDrag(bool dropped);
    bool IsDragging() const { return m_dragging; }
    // The cell the drag started on.
    int GetDragCol() const { return m_dragCol; }
    int GetDragRow() const { return m_dragRow; }
    bool IsHovering() const { return m_hovering; }
    CGridViewBase* GetView() const { return m_view; }

    void OnSetup() override;
    BOOL OnCanMove(int oldCol, int oldRow, int newCol, int newRow) override;
    void OnLClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL processed) override;
    void OnMouseMove(int col, int row, POINT* point, UINT keyFlags, BOOL processed) override;
    BOOL OnEditStart(int col, int row, CWnd** edit) override;
    BOOL OnEditContinue(int oldCol, int oldRow, int* newCol, int* newRow) override;
    BOOL OnEditFinish(int col, int row, CWnd* edit, const CString& text, BOOL cancelled) override;
    void OnDrawFocusRect(CDC* dc, RECT* rect) override;

protected:
    void OnTimer(UINT_PTR id) override;

    // ---- what the subclasses give
    virtual int ColumnCount() const = 0;
    virtual void SetColumnLayout() = 0;
    virtual void SetRowHeights() = 0;
    virtual void FillSectionTitle(int section) = 0;
    virtual void FillSectionCells(int section) = 0;
    virtual void FillSectionButtons(int section) = 0;
    // A press on a cell that is not a title: true when it starts a drag (list tiles).
    virtual bool StartsDrag(int /*col*/, int /*row*/) const { return false; }
    // A click released on a cell that is neither a title nor a button.
    virtual void OnCellClicked(int /*col*/, int /*row*/) {}
    virtual void OnButtonClicked(int section, int col, int row) = 0;
    virtual void OnTextEdited(int col, int row, const CString& text) = 0;
    // Titles drag only where the subclass allows it (the content grids).
    virtual bool IsDragEnabled() const { return false; }

    // ---- helpers for the subclasses
    void SetSectionSizes(std::vector<int> sizes) { m_sectionSizes = std::move(sizes); }
    int RegisterBitmap(UINT resourceId);
    // A button cell: its picture and the picture under the mouse.
    void AddButtonCell(int col, int row, int normalBitmap, int hotBitmap);
    bool IsButtonCell(int col, int row) const { return m_buttons.count({col, row}) != 0; }
    // Marks the cell editable and starts editing it.
    void EditCell(int col, int row);
    // Sends a notification (message 1060) to the view.
    void Notify(int code);
    void StyleCell(int col, int row, COLORREF back, COLORREF text, CFont* font, WORD alignment);
    // Where a click toggles the section: its collapse button, or a collapsed section's title.
    bool IsToggleArea(int col, int row) const;
    // Collapses an expanded section, expands a collapsed one, and tells the view.
    void ToggleSection(int section);

    CGridViewBase* m_view;
    int m_iconExpanded = -1;
    int m_iconCollapsed = -1;
    CFont* m_titleFont = nullptr;
    CFont* m_labelFont = nullptr;

private:
    struct SRowState
    {
        int hidden = 0;
        int savedHeight = 0;
    };
    struct SButton
    {
        int normal;
        int hot;
    };

    void StartDrag(int col, int row, RECT* rect, POINT* point);
    void EndHover();

    std::vector<int> m_sectionSizes;
    std::vector<SRowState> m_rowStates;
    std::map<std::pair<int, int>, SButton> m_buttons;
    std::map<UINT, int> m_bitmaps;
    bool m_hovering = false;
    int m_hoverCol = -1;
    int m_hoverRow = -1;
    bool m_pressed = false;
    bool m_dragging = false;
    int m_dragCol = -1;
    int m_dragRow = -1;
};
