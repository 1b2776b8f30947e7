#pragma once
// The demand tables of the Energy study: the overview table computes each session's energies,
// maximum demand and costs over the whole session, the time-range table over the range the
// graph's markers select. Both keep the demand graph's settings (demand period and source, the
// per-session cost choice, collapse states and toolbar texts) and tell each other when a cost
// choice or a tariff changed.
#include "datamodel/TrendAccess.h"
#include "study/DemandGrid.h"
#include "study/SummaryTableData.h"
#include "views/MyFormView.h"

#include <memory>
#include <vector>

class CBasicViewSettings;
class CDataSet;
class CEnergyCosts;
class ILinkedGraphView;

inline constexpr UINT WM_DEMAND_COST_CHOICE = 0x438; // WM_USER+56, to the sibling demand table

class CDemandTableView : public CMyFormView, public IDemandTableOwner
{
public:
    static const SRuntimeClass& Class();
    static constexpr UINT kTemplateId = 1137;
    static constexpr UINT kGridId = 2012;

    CDemandTableView();
    ~CDemandTableView() override;

    // Sets the linked graph view and the sibling table from the main view's window table.
    virtual void LinkWindows();
    void SetLinks(ILinkedGraphView* graph, CDemandTableView* sibling)
    {
        m_graph = graph;
        m_sibling = sibling;
    }

    void OnInitialUpdate() override;
    void OnSize(UINT type, int cx, int cy) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // The grid's collapse state as it stands; empty without a grid.
    CString GetTitle() const override;

    // ---- what the grid asks
    int EditSessionTariff(int session) override;
    void NotifyCostChoice() override;

    // Rebuilds the session blocks; true when anything changed (the refresh message's work).
    bool RebuildSessionData();
    void Refresh();

    CDemandGrid* GetGrid() const { return m_grid.get(); }
    const DemandBlocks& GetSessionData() const { return m_sessions; }
    const std::vector<SSelectedTimeRange>& GetStoredRanges() const { return m_ranges; }

protected:
    int m_timeRange = 0;

private:
    CBasicViewSettings* Settings() const;
    bool RebuildSession(int session);
    // Forgets what session i showed; true when it showed anything.
    bool ClearSession(int session);
    // The session's own tariff as the project holds it (none: a disabled one).
    const CEnergyCosts& SessionTariff(int session) const;
    void TakeTariff(int session);
    void FillTexts(int session, const CDataSet& dataSet, const CTrendTimeBlock& block);
    void OnCollapseState(const CString& state);
    void OnEditFieldLeft();

    std::unique_ptr<CDemandGrid> m_grid;
    DemandBlocks m_sessions;
    std::vector<SSelectedTimeRange> m_ranges;
    ILinkedGraphView* m_graph = nullptr;
    CDemandTableView* m_sibling = nullptr;
    CWnd* m_mainWindow = nullptr;
    int m_fullWindow = 0;
};

class CDemandTableTimeRangeView : public CDemandTableView
{
public:
    static const SRuntimeClass& Class();
    CDemandTableTimeRangeView();
};
