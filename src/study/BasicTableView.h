#pragma once
// CBasicTableView: the base of the study table views (overview and time-range tables). Per
// session it computes Max, Min and Avg of its rows' quantities over the whole session or over the
// range of the graph's time-range markers, writes the session summary text and hands the blocks
// to its grid. The study classes choose only the rows and the linked graph view.
#include "study/BasicGraphView.h"
#include "study/LinkedTableView.h"
#include "study/SummaryGrid.h"
#include "study/SummaryTableData.h"
#include "views/MyFormView.h"

#include <memory>
#include <vector>

class CDataSet;
class CDataItemTrend;
class ILinkedGraphView;
struct SStatisticsCell;

inline constexpr UINT WM_SHOW_STUDY_VIEW_ID = 0x43C;   // to the main window: wParam the view id

class CBasicTableView : public CMyFormView, public ILinkedTableView
{
public:
    static constexpr UINT kTemplateId = 1137;
    static constexpr UINT kGridId = 2012;

    CBasicTableView();
    ~CBasicTableView() override;

    // ---- per-study hooks, in slot order
    virtual void SetToolBarCheck(UINT command);
    virtual void CreateGrid();
    virtual void SetSectionTitles(structSummaryTableData& data);
    virtual void InitDataItems();
    virtual void LinkWindows();

    void OnInitialUpdate() override;
    void OnSize(UINT type, int cx, int cy) override;
    // The frame's toolbars see a notification first.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The grid's collapse state as it stands; empty without a grid.
    CString GetTitle() const override;

    // Rebuilds the session blocks; true when anything changed (the refill message's work).
    bool RebuildSessionData(bool force);
    // What the cells of a session are computed from over the whole session, with the given whole
    // series, in one walk over its records.
    void PrepareStatistics(int session, std::span<const SSeriesRequest> wholeSeries) override;
    void Refill(bool force);

    void SetLinkedGraphView(ILinkedGraphView* view) { m_linkedView = view; }
    CSummaryGrid* GetGrid() const { return m_grid.get(); }
    const SummaryBlocks& GetSessionData() const { return m_sessions; }
    const std::vector<SSelectedTimeRange>& GetSelectedRanges() const { return m_ranges; }

protected:
    // The Energy (1) or Load (2) study of the linked graph view; Energy without one.
    int GetStudyKind() const;
    // The view id of a view-selector command in this study; -1 for none.
    int ViewIdOfSelector(UINT command) const;

    // Set-up of a new grid before its window is made (the Load summary's nominal-voltage cells).
    virtual void PrepareGrid(CSummaryGrid&) {}

    int m_timeRange = 0;
    int m_sectionCount = 5;
    std::vector<SDataItem> m_dataItems;

private:
    // Recomputes session i; true when it changed.
    bool RebuildSession(int session, bool recompute);
    // The first trend item, with how its records are read and the display interval; null without
    // trend data.
    CDataItemTrend* FindFirstItem(CDataSet& dataSet, STrendAccessSpec& recordAccess, int& displayInterval) const;
    SSelectedTimeRange SelectRange(int session, const CTrendTimeBlock& block, const STrendAccessSpec& recordAccess) const;
    void ComputeValidRuns(int session, CDataSet& dataSet, const STrendAccessSpec& recordAccess, int recordCount);
    void FillSession(int session, CDataSet& dataSet, const CTrendTimeBlock& block, int displayInterval);
    // The quantity and phase of every cell of the rows.
    std::vector<SStatisticsCell> StatisticsCells() const;
    void FillSummaryText(int session, const CDataSet& dataSet, const CTrendTimeBlock& block);
    void OnNominalVoltage(int session, LPARAM record);
    void OnCollapseState(const CString& state);
    void OnEditFieldLeft();

    std::unique_ptr<CSummaryGrid> m_grid;
    SummaryBlocks m_sessions;
    std::vector<SSelectedTimeRange> m_ranges;
    ILinkedGraphView* m_linkedView = nullptr;
    int m_fullWindow = 0;
    // The runs of records with a valid value of each session, at the records they were found in.
    struct SValidRuns
    {
        bool found = false;
        STrendAccessSpec accessSpec;
        std::vector<SRecordRange> runs;
    };
    std::vector<SValidRuns> m_validRuns;
};
