#include "export/ExportCsvDlg.h"

#include "export/ExportCsvTrees.h"
#include "export/ExportProfile.h"
#include "platform/framework/windows/DataExchange.h"

#include <algorithm>
#include <charconv>

namespace {

// A whole token of decimal digits with an optional sign, surrounded by blanks at most.
bool ParseToken(std::string_view token, int& value)
{
    while (!token.empty() && token.front() == ' ')
        token.remove_prefix(1);
    while (!token.empty() && token.back() == ' ')
        token.remove_suffix(1);
    if (!token.empty() && token.front() == '+')
        token.remove_prefix(1);
    const auto result = std::from_chars(token.data(), token.data() + token.size(), value);
    return !token.empty() && result.ec == std::errc() && result.ptr == token.data() + token.size();
}

} // namespace

CExportCsvDlg::CExportCsvDlg(CWnd* parent) : CDialog(IDD, parent)
{
    LoadChoices();
}

std::vector<int> CExportCsvDlg::ParseState(const CString& text)
{
    std::vector<int> state;
    std::string_view rest = text.str();
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view token = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        // Runs of commas count as one; a token that is no number selects nothing (it used to read
        // as 0 and check the "Voltage" item).
        int value = 0;
        if (!token.empty() && ParseToken(token, value))
            state.push_back(value);
    }
    std::sort(state.begin(), state.end());
    return state;
}

CString CExportCsvDlg::FormatState(const std::vector<int>& state)
{
    CString text;
    for (std::size_t i = 0; i < state.size(); ++i)
        text.AppendFormat(i ? ",%d" : "%d", state[i]);
    return text;
}

std::vector<int> CExportCsvDlg::QuantitiesOfState(const std::vector<int>& state)
{
    std::vector<int> quantities;
    for (const int value : state) {
        if (value == kExportTreeBothAux) {
            quantities.push_back(51);
            quantities.push_back(52);
        } else if (value >= 0) {
            quantities.push_back(value);
        }
    }
    std::sort(quantities.begin(), quantities.end());
    return quantities;
}

void CExportCsvDlg::LoadChoices()
{
    m_trend = GetExportDlgDataSource() != 1;
    const int separator = GetExportDlgSeparator();
    m_separatorChoice = separator == 0 || separator == 1 ? separator : 0;
    m_min = GetExportDlgSerieMin() != 0;
    m_max = GetExportDlgSerieMax() != 0;
    m_avg = GetExportDlgSerieAvg() != 0;
    m_total = GetExportDlgSerieTotal() != 0;
    m_trendState = ParseState(GetExportDlgTrendState());
    m_demandState = ParseState(GetExportDlgDemandState());
}

void CExportCsvDlg::SaveChoices() const
{
    SetExportDlgDataSource(m_trend ? 0 : 1);
    SetExportDlgSeparator(m_separatorChoice);
    SetExportDlgSerieMin(m_min);
    SetExportDlgSerieMax(m_max);
    SetExportDlgSerieAvg(m_avg);
    SetExportDlgSerieTotal(m_total);
    SetExportDlgTrendState(FormatState(m_trendState));
    SetExportDlgDemandState(FormatState(m_demandState));
}

void CExportCsvDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kQuantityTree, m_tree);
    DDX_Check(dx, kMinCheck, m_min);
    DDX_Check(dx, kMaxCheck, m_max);
    DDX_Check(dx, kAvgCheck, m_avg);
    DDX_Check(dx, kTotalCheck, m_total);
}

BOOL CExportCsvDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckRadioButton(kTrendRadio, kDemandRadio, m_trend ? kTrendRadio : kDemandRadio);
    CheckRadioButton(kSemicolonRadio, kTabRadio, kSemicolonRadio + m_separatorChoice);
    // Setting the style anew gives every item its check box.
    m_tree.ModifyStyle(TVS_CHECKBOXES, 0);
    m_tree.ModifyStyle(0, TVS_CHECKBOXES);
    FillTree();
    return TRUE;
}

void CExportCsvDlg::FillTree()
{
    m_tree.DeleteAllItems();
    std::vector<HTREEITEM> parents; // the last item of each depth
    for (const SExportTreeRow& row : m_trend ? TrendExportTree() : DemandExportTree()) {
        parents.resize(std::size_t(row.depth));
        const HTREEITEM item = m_tree.InsertItem(row.text, parents.empty() ? TVI_ROOT : parents.back(), TVI_LAST);
        m_tree.SetItemData(item, DWORD_PTR(std::intptr_t(row.data)));
        parents.push_back(item);
    }
    const std::vector<int>& state = CurrentState();
    const bool everything = state.size() == 1 && state.front() == kEveryItem;
    std::vector<HTREEITEM> pending{m_tree.GetRootItem()};
    while (!pending.empty()) {
        const HTREEITEM item = pending.back();
        pending.pop_back();
        if (!item)
            continue;
        if (m_tree.ItemHasChildren(item))
            m_tree.Expand(item, TVE_EXPAND);
        const int data = int(std::intptr_t(m_tree.GetItemData(item)));
        m_tree.SetCheck(item, everything || std::binary_search(state.begin(), state.end(), data));
        pending.push_back(m_tree.GetNextSiblingItem(item));
        pending.push_back(m_tree.GetChildItem(item));
    }
}

void CExportCsvDlg::CollectTreeState()
{
    std::vector<int>& state = CurrentState();
    state.clear();
    std::vector<HTREEITEM> pending{m_tree.GetRootItem()};
    while (!pending.empty()) {
        const HTREEITEM item = pending.back();
        pending.pop_back();
        if (!item)
            continue;
        if (m_tree.GetCheck(item))
            state.push_back(int(std::intptr_t(m_tree.GetItemData(item))));
        pending.push_back(m_tree.GetNextSiblingItem(item));
        pending.push_back(m_tree.GetChildItem(item));
    }
    std::sort(state.begin(), state.end());
}

void CExportCsvDlg::CheckSubtree(HTREEITEM item, BOOL check)
{
    for (HTREEITEM child = m_tree.GetChildItem(item); child; child = m_tree.GetNextSiblingItem(child)) {
        m_tree.SetCheck(child, check);
        CheckSubtree(child, check);
    }
}

bool CExportCsvDlg::IsInTree(HTREEITEM item) const
{
    std::vector<HTREEITEM> pending{m_tree.GetRootItem()};
    while (!pending.empty()) {
        const HTREEITEM candidate = pending.back();
        pending.pop_back();
        if (!candidate)
            continue;
        if (candidate == item)
            return true;
        pending.push_back(m_tree.GetNextSiblingItem(candidate));
        pending.push_back(m_tree.GetChildItem(candidate));
    }
    return false;
}

BOOL CExportCsvDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && (id == kTrendRadio || id == kDemandRadio)) {
        CheckRadioButton(kTrendRadio, kDemandRadio, int(id));
        if ((id == kTrendRadio) != m_trend) {
            CollectTreeState();
            m_trend = id == kTrendRadio;
            FillTree();
        }
        return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED && (id == kSemicolonRadio || id == kTabRadio)) {
        CheckRadioButton(kSemicolonRadio, kTabRadio, int(id));
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CExportCsvDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (wParam != kQuantityTree || !header)
        return CDialog::OnNotify(wParam, lParam, result);
    switch (header->code) {
    case TVN_ITEMEXPANDING:
        // The tree always shows everything.
        *result = reinterpret_cast<const NMTREEVIEW*>(lParam)->action == TVE_COLLAPSE ? TRUE : FALSE;
        return TRUE;
    case NM_CLICK: {
        CPoint point;
        GetCursorPos(&point);
        m_tree.ScreenToClient(&point);
        UINT flags = 0;
        const HTREEITEM item = m_tree.HitTest(point, &flags);
        if (item && (flags & TVHT_ONITEMSTATEICON))
            PostMessage(WM_TREE_CHECK_CHANGED, 0, LPARAM(item));
        return FALSE;
    }
    case TVN_KEYDOWN:
        if (reinterpret_cast<const NMTVKEYDOWN*>(lParam)->wVKey == VK_SPACE && m_tree.GetSelectedItem())
            PostMessage(WM_TREE_CHECK_CHANGED, 0, LPARAM(m_tree.GetSelectedItem()));
        return FALSE;
    default:
        return CDialog::OnNotify(wParam, lParam, result);
    }
}

BOOL CExportCsvDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message != WM_TREE_CHECK_CHANGED)
        return CDialog::OnWndMsg(message, wParam, lParam, result);
    // The tree may have been refilled (the source switched) since the message was posted.
    const auto item = reinterpret_cast<HTREEITEM>(lParam);
    if (IsInTree(item))
        CheckSubtree(item, m_tree.GetCheck(item));
    *result = 0;
    return TRUE;
}

void CExportCsvDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_separatorChoice = IsDlgButtonChecked(kTabRadio) ? 1 : 0;
    CollectTreeState();
    m_quantities = QuantitiesOfState(CurrentState());
    SaveChoices();
    EndDialog(IDOK);
}
