#pragma once
// CReportListView: the left page of the Report tab: everything the project can contribute to
// the report as tiles (CReportListGrid). Its menu and key commands add entries to the report,
// remove them from it, delete, restore and rename bookmarks and rename sessions and saved
// screens; a tile dragged into the report content is added where it is dropped.
#include "reportpages/ReportListGrid.h"
#include "reportpages/ReportPageView.h"

#include <memory>

struct SReportChange;

class CReportListView : public CReportPageView
{
public:
    static constexpr int kDefaultWidth = 200;
    static constexpr int kMinimumWidth = 100;

    static const SRuntimeClass& Class();

    CReportListView();
    ~CReportListView() override;

    void OnInitialUpdate() override;
    void Rebuild() override;
    void RefreshGrids() override;
    CReportListGrid* GetGrid() const { return m_grid.get(); }
    // Once the list shows the project as it is now, the tile of bookmark i is selected and
    // scrolled into view.
    void ShowBookmarkTile(int bookmark);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    int ContentHeight() const override;
    void PlaceGrids() override;

private:
    void OnTileCommand(UINT command, int key);
    void OnGridNotification(int code);
    void OnTileDrag(const struct SSplitterDragRecord& record);
    // Hands the change to every view of the document.
    void Broadcast(int kind, const SReportListEntry& entry, const SSplitterDragRecord* drag);
    void StoreSectionStates();
    void SelectBookmarkTile(int bookmark);

    std::unique_ptr<CReportListGrid> m_grid;
    CReportViewSettings m_settings;
    bool m_projectManagerCollapsed = false;
    bool m_bookmarksCollapsed = false;
    int m_bookmarkToShow = -1;
};
