#pragma once
// CReportContentView: the right page of the Report tab: the report itself, one item grid per
// report item in report order: the project manager's cards of the summary, a session or a saved
// screen, or a CReportContentGrid for a bookmark. Items come from the report list (its menu or a
// tile dropped at a place), move by dragging their title, leave by Remove, by the list or by
// being dragged out of the page; every change is stored in the project at once.
#include "platform/framework/windows/CWnd.h"
#include "project/ProjectManagerSettings.h"
#include "project/SavedScreenCache.h"
#include "reportpages/ReportDropPosition.h"
#include "reportpages/ReportPageView.h"

#include <memory>
#include <vector>

class CUGCtrl;
struct SReportChange;
struct SSplitterDragRecord;

class CReportContentView : public CReportPageView
{
public:
    static constexpr UINT ID_EXPAND_ALL = 33084;
    static constexpr UINT ID_COLLAPSE_ALL = 33085;
    // The commands of an item's menu (the menu key or Shift+F10 on its title).
    static constexpr UINT kMoveUp = 135;
    static constexpr UINT kMoveDown = 136;
    static constexpr UINT kRemoveFromReport = 124;
    static constexpr int kLineWidth = 976;
    static constexpr int kLineHeight = 3;
    static constexpr COLORREF kLineColour = RGB(255, 0, 0);

    // One item of the report with its grid.
    struct SContentRecord
    {
        std::unique_ptr<CUGCtrl> grid;
        int position = 0;
        CRect rect;
        int kind = 0;
        int index = 0;
        int collapsed = 0;
    };

    static const SRuntimeClass& Class();

    CReportContentView();
    ~CReportContentView() override;

    void Rebuild() override;
    void RefreshGrids() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The items by the keyboard, where it is on an item (not in one of its fields): Up and Down
    // go to the title of the item above or below, Delete removes the item from the report, and
    // the menu key (or Shift+F10) shows the item's menu, which moves it up or down or removes it.
    BOOL PreTranslateMessage(MSG* msg) override;

    const std::vector<SContentRecord>& GetRecords() const { return m_records; }
    // The drop line as it shows now (hidden: no line).
    bool IsDropLineShown() const;
    int GetDropLineY() const { return m_lineY; }
    bool IsCollapsed(const CUGCtrl* grid) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
    void OnDestroy() override;
    int ContentHeight() const override;
    int ContentWidth() const override;
    void PlaceGrids() override;

private:
    // A red bar over the grids where a dragged item would go.
    class CDropLine : public CWnd
    {
    protected:
        BOOL OnEraseBkgnd(CDC* dc) override;
        void OnPaint() override;
    };

    std::unique_ptr<CUGCtrl> CreateItemGrid(int kind, int index);
    SContentRecord* FindRecord(const CUGCtrl* grid);
    SReportDropPosition DropPositionAt(CPoint screenPoint);
    void ShowDropLine(int y);
    void HideDropLine();
    void OnItemDrag(const SSplitterDragRecord& record);
    void OnReportChange(const SReportChange& change);
    void OnGridNotification(CUGCtrl* grid, int code);
    void SetAllCollapsed(bool collapsed);
    // The item whose cell area the window is (its fields excluded), null when none.
    SContentRecord* ItemOfCellArea(CWnd* window);
    bool OnItemKey(SContentRecord& record, UINT key);
    void ShowItemMenu(SContentRecord& record);
    // The keyboard onto the title of the item at that place, held to the items there are.
    void FocusItem(int position);
    void RemoveItem(SContentRecord& record);
    // The items' places changed: stored, laid out and drawn again.
    void ItemsChanged();
    // The records' items in position order become the project's report.
    void StoreReport();
    void EndSourceDrag(CUGCtrl* source, bool dropped);

    std::vector<SContentRecord> m_records; // in position order
    std::unique_ptr<CSavedScreenCache> m_pictures;
    // The cards' settings while the window has no project manager page.
    CProjectManagerSettings m_cardSettings{CViewSettings::kProjectManagerViewId};
    CDropLine m_line;
    int m_lineY = -1;
    bool m_dragging = false;
};
