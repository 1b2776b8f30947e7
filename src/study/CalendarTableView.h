#pragma once
// The "Calendar overview table": cuts every session into hour, day or week bins, shows them in
// the calendar grid with a thumbnail of the calendar graph's chart per bin (drawn as the grid
// shows it) and passes the selected bins to the calendar graph.
#include "study/CalendarGrid.h"
#include "study/CalendarModel.h"
#include "study/CalendarThumbnails.h"
#include "views/ButtonST.h"
#include "views/MyFormView.h"
#include "views/RuntimeClass.h"

#include <memory>

class CCalendarGraphView;
class CCalendarTableViewDialogBar;

class CCalendarTableView : public CMyFormView
{
public:
    static constexpr UINT kTemplateId = 1137;
    static const SRuntimeClass& Class();
    CCalendarTableView();
    ~CCalendarTableView() override;

    void OnInitialUpdate() override;
    // Marks the view selector's button in the study's toolbars.
    virtual void SetToolBarCheck(UINT command);

    CCalendarTableViewDialogBar* GetOptionsBar() const { return m_bar; }
    const CCalendarSessionList& GetSessionList() const { return m_sessions; }
    CCalendarGrid* GetGrid() const { return m_grid.get(); }
    const CCalendarThumbnails& GetThumbnails() const { return m_thumbnails; }
    int GetGranularity() const { return m_granularity; }

    // New bins for all sessions (their thumbnails come as the grid shows them), then a new grid;
    // the selection is kept (by session and bin) or, on a fill, taken from the graph's settings.
    void Rebuild(bool keepSelection);
    // The fill message's work: options, graph, grid, the graph's selected bins again.
    void Fill();

protected:
    CCalendarTableView(int viewKind);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;
    // The window-table entry of the calendar graph of this study.
    virtual int CalendarGraphEntry() const { return 12; }
    virtual int StudyType() const { return 1; }

private:
    void LinkViews();
    // The bins of every present session at the granularity, and the chart state their
    // thumbnails are drawn from; true when any session got bins.
    bool MakeBins();
    std::unique_ptr<structCalendarBins> MakeSessionBins(int session, double lower, double upper,
                                                        const CString& folder) const;
    void CreateGrid();
    void RestoreSelection(bool keep, const std::array<structCalendarSelection, 2>& saved);
    void OnOptionChanged(bool keepSelection);
    void PlaceButton();
    void OnEditFieldLeft();
    int ViewIdOfSelector(UINT command) const;
    void CaptureSection(bool bookmark);

    std::unique_ptr<CCalendarGrid> m_grid;
    CButtonST m_optionsButton;
    CCalendarSessionList m_sessions;
    int m_sessionCount = 0;
    CCalendarGraphView* m_graph = nullptr;
    CCalendarTableViewDialogBar* m_bar = nullptr;
    int m_fullWindow = 0;
    int m_granularity = kCalendarHour;
    bool m_takeSelection = false;
    CCalendarThumbnails m_thumbnails;
};
