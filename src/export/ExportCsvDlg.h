#pragma once
// CExportCsvDlg: the modal dialog "Select exported data" in which the user chooses what a CSV
// export of one session holds: trend or demand records, the quantities (a tree with check
// boxes), the series (min, max, avg, total) and the field separator. The choices persist in the
// profile between runs ("ExportDlg..." values of the section "Settings").
#include "platform/framework/CString.h"
#include "platform/framework/windows/CDialog.h"
#include "platform/framework/windows/CTreeCtrl.h"

#include <string>
#include <vector>

class CExportCsvDlg : public CDialog
{
public:
    enum : UINT
    {
        IDD = 1502,
        kTrendRadio = 2352,
        kDemandRadio = 2353,
        kQuantityTree = 2354,
        kMinCheck = 2355,
        kMaxCheck = 2356,
        kAvgCheck = 2357,
        kTotalCheck = 2358,
        kSemicolonRadio = 2359,
        kTabRadio = 2360,
    };
    // Posted to itself after a check box of the tree changed, so that the tree toggles first.
    static constexpr UINT WM_TREE_CHECK_CHANGED = WM_USER + 37;
    // A state list holding only this value stands for "every item checked".
    static constexpr int kEveryItem = -100;

    explicit CExportCsvDlg(CWnd* parent = nullptr);

    bool IsTrend() const { return m_trend; }
    bool IsMin() const { return m_min != 0; }
    bool IsMax() const { return m_max != 0; }
    bool IsAvg() const { return m_avg != 0; }
    bool IsTotal() const { return m_total != 0; }
    // A tab or ";".
    std::string GetSeparator() const { return m_separatorChoice == 1 ? "\t" : ";"; }
    // The chosen quantity ids, sorted.
    const std::vector<int>& GetQuantities() const { return m_quantities; }

    // "5,,20" -> {5, 20}, sorted; a token that is not a decimal integer is left out.
    static std::vector<int> ParseState(const CString& text);
    static CString FormatState(const std::vector<int>& state);
    // Quantity ids of a state list: groups and the root left out, the aux item as both inputs.
    static std::vector<int> QuantitiesOfState(const std::vector<int>& state);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void LoadChoices();
    void SaveChoices() const;
    void FillTree();
    void CollectTreeState();
    void CheckSubtree(HTREEITEM item, BOOL check);
    bool IsInTree(HTREEITEM item) const;
    std::vector<int>& CurrentState() { return m_trend ? m_trendState : m_demandState; }

    CTreeCtrl m_tree;
    bool m_trend = true;
    int m_min = 1;
    int m_max = 1;
    int m_avg = 1;
    int m_total = 1;
    int m_separatorChoice = 0;
    std::vector<int> m_quantities;
    std::vector<int> m_trendState;
    std::vector<int> m_demandState;
};
