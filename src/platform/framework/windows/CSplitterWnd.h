#pragma once
// The static splitter window: a grid of panes (rows x columns) separated by bars the user
// drags. Each row and column has an ideal size and a minimum; the layout gives every row but
// the last its ideal size (none when the ideal is under the minimum) and the last the rest.
// Dragging a bar sets the ideal size of the row or column before it. Panes are children with
// the ids IdFromRowCol(row, col), usually views or frames made from their run-time class.
#include "platform/framework/windows/CCreateContext.h"
#include "platform/framework/windows/CWnd.h"

#include <vector>

class CSplitterWnd : public CWnd
{
    DECLARE_DYNCREATE(CSplitterWnd)
public:
    CSplitterWnd() = default;
    ~CSplitterWnd() override;

    BOOL CreateStatic(CWnd* parent, int rows, int columns, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = 0xE900 /* AFX_IDW_PANE_FIRST */);
    // Makes the pane of a cell from a run-time class with the context's document; the size
    // becomes the ideal height of the row and width of the column.
    virtual BOOL CreateView(int row, int column, const CRuntimeClass* viewClass, SIZE initialSize, CCreateContext* context);

    int GetRowCount() const { return int(m_rows.size()); }
    int GetColumnCount() const { return int(m_columns.size()); }
    CWnd* GetPane(int row, int column) const;
    int IdFromRowCol(int row, int column) const;
    // Whether a window is a pane, and which.
    BOOL IsChildPane(CWnd* wnd, int* row, int* column) const;
    void SetRowInfo(int row, int ideal, int minimum);
    void GetRowInfo(int row, int& current, int& minimum) const;
    void SetColumnInfo(int column, int ideal, int minimum);
    void GetColumnInfo(int column, int& current, int& minimum) const;
    // Places the panes and bars for the current client size.
    virtual void RecalcLayout();
    // The pane of the frame's active view when it is one of this splitter's.
    CWnd* GetActivePane(int* row = nullptr, int* column = nullptr) const;
    void SetActivePane(int row, int column);

    // The bar under a client point: 0 none, 1..rows-1 a row bar (horizontal), 100 + n a column bar.
    int HitTest(CPoint point) const;
    BOOL IsTracking() const { return m_tracking != 0; }

    // Gap between panes, and the visible bar within it.
    int m_cxSplitterGap = 6;
    int m_cySplitterGap = 6;

protected:
    enum ESplitType
    {
        splitBox,
        splitBar,
        splitIntersection,
        splitBorder
    };
    virtual void OnDrawSplitter(CDC* dc, ESplitType type, const CRect& rect);
    virtual void StartTracking(int hitTest);
    virtual void StopTracking(BOOL accept);

    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    struct CRowColInfo
    {
        int nMinSize = 0;
        int nIdealSize = 0;
        int nCurSize = 0;
    };
    std::vector<CRowColInfo> m_rows;
    std::vector<CRowColInfo> m_columns;

private:
    static void LayoutRowCol(std::vector<CRowColInfo>& info, int size, int gap);
    // Left or top edge of a row or column.
    static int Start(const std::vector<CRowColInfo>& info, int index, int gap);
    void TrackTo(CPoint point);

    int m_tracking = 0; // the bar being dragged (HitTest's numbering)
    CPoint m_trackOffset;
};
