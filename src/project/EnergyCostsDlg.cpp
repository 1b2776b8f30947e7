#include "project/EnergyCostsDlg.h"

#include "datamodel/DateTimeFormats.h"
#include "datamodel/LocaleCurrency.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/ValueFormatter.h"
#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/NumberField.h"

#include <glog/logging.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace
{
// Pattern controls of a ratio group in the template.
constexpr UINT kPatternGroup = 2418;
constexpr UINT kPatternFwdLabel = 2419;
constexpr UINT kPatternRevLabel = 2420;
constexpr UINT kPatternFwdEdit = 2421;
constexpr UINT kPatternRevEdit = 2422;
constexpr UINT kPatternStartLabel = 2423;
constexpr UINT kPatternEndLabel = 2424;
constexpr UINT kPatternStart = 2425;
constexpr UINT kPatternEnd = 2426;
constexpr UINT kPatternSecondRow = 2427;
constexpr UINT kPatternRemoveRatio = 2429;
constexpr UINT kPatternAddInterval = 2430;
constexpr UINT kPatternRemoveInterval = 2431;
constexpr UINT kPatternOverlap = 2432;
constexpr UINT kRatioTitleString = 8177;
constexpr UINT kAddBitmap = 1588;
constexpr UINT kRemoveBitmap = 1589;

constexpr UINT kPatternIds[] = {kPatternGroup,       kPatternFwdLabel,     kPatternRevLabel,       kPatternFwdEdit,
                                kPatternRevEdit,     kPatternStartLabel,   kPatternEndLabel,       kPatternStart,
                                kPatternEnd,         kPatternSecondRow,    kPatternRemoveRatio,    kPatternAddInterval,
                                kPatternRemoveInterval, kPatternOverlap,   CEnergyCostsDlg::kBasicGroup};

constexpr int kRoleTolerance = 4;
constexpr int kMinimumStep = 5;
constexpr int kCostDecimals = 6;
// Prices of a kWh in any currency, credits of fed-in energy negative.
constexpr SNumberRange kCostRange{-100000.0, 100000.0, true, kCostDecimals};

bool Near(CPoint a, CPoint b)
{
    return std::abs(a.x - b.x) <= kRoleTolerance && std::abs(a.y - b.y) <= kRoleTolerance;
}

CRect ChildRect(const CWnd& parent, CWnd& child)
{
    CRect r;
    child.GetWindowRect(&r);
    parent.ScreenToClient(&r);
    return r;
}

void MoveBy(const CWnd& parent, CWnd* child, int dy)
{
    if (!child)
        return;
    CRect r = ChildRect(parent, *child);
    r.OffsetRect(0, dy);
    child->MoveWindow(&r, FALSE);
}

void MoveRow(const CWnd& parent, const CEnergyCostsDlg::SIntervalRow& row, int dy)
{
    MoveBy(parent, row.start.get(), dy);
    MoveBy(parent, row.end.get(), dy);
    MoveBy(parent, row.remove.get(), dy);
    MoveBy(parent, row.overlapMarker.get(), dy);
}

SYSTEMTIME TimeOfDay(int minutes)
{
    SYSTEMTIME st{};
    st.wYear = 2000;
    st.wMonth = 1;
    st.wDay = 1;
    const int m = std::clamp(minutes, 0, 1439);
    st.wHour = WORD(m / 60);
    st.wMinute = WORD(m % 60);
    return st;
}
} // namespace

CEnergyCostsDlg::CEnergyCostsDlg(const CEnergyCosts& costs, const CMeasurementConfig* config,
                                 CValueFormatter& formatter, CWnd* parent)
    : m_costs(costs), m_formatter(formatter), m_timePicture(GetLocaleTimePicture(true))
{
    if (!m_costs.IsEnabled())
    {
        m_costs.Reset();
        m_costs.SetCurrency(GetLocaleCurrencySymbol());
        m_costs.SetCostFwd(config ? config->GetForwardEnergyCost() : 0.0f);
        m_costs.SetCostRev(config ? config->GetReverseEnergyCost() : 0.0f);
        m_costs.SetEnabled(true);
    }
    while (m_costs.GetRatioCount() > kMaxRatios)
        m_costs.RemoveRatio(m_costs.GetRatioCount() - 1);
    for (int i = 0; i < m_costs.GetRatioCount(); ++i)
    {
        SRatioData& ratio = m_costs.GetRatio(i);
        if (ratio.GetIntervalCount() > kMaxIntervals)
            ratio.intervals.resize(kMaxIntervals);
    }
    Create(kTemplateId, parent);
}

CEnergyCostsDlg::~CEnergyCostsDlg()
{
    m_rebuilding = true;
    m_groups.clear();
    m_scrollBar.reset();
}

BOOL CEnergyCostsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_addBitmap.LoadBitmap(kAddBitmap) || !m_removeBitmap.LoadBitmap(kRemoveBitmap))
        LOG(INFO) << "CEnergyCostsDlg: the button bitmaps are missing";
    SetDlgItemText(int(kCurrencyEdit), m_costs.GetCurrency());
    if (CWnd* fwd = GetDlgItem(int(kBasicFwdEdit)))
        ShowCost(*fwd, m_costs.GetCostFwd());
    if (CWnd* rev = GetDlgItem(int(kBasicRevEdit)))
        ShowCost(*rev, m_costs.GetCostRev());

    CRect client;
    GetClientRect(&client);
    m_pageHeight = client.Height();
    m_scrollBar = std::make_unique<CScrollBar>();
    m_scrollBar->Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(), this, 0xFFFF);
    PlaceScrollBar();

    MeasureTemplate();
    for (int i = 0; i < m_costs.GetRatioCount(); ++i)
        BuildGroup(i);
    UpdateAddRatioButton();
    UpdateScrollBar();
    ValidateIntervals();
    return TRUE;
}

void CEnergyCostsDlg::MeasureTemplate()
{
    for (UINT id : kPatternIds)
        if (CWnd* pattern = GetDlgItem(int(id)))
            m_patternRects[id] = ChildRect(*this, *pattern);
    auto top = [&](UINT id) { return m_patternRects[id].top; };
    auto corner = [&](UINT id) { return m_patternRects[id].TopLeft(); };
    SGeometry& g = m_geometry;
    g.rowPitch = std::max(1, top(kPatternSecondRow) - top(kPatternStart));
    g.baseGroupHeight = m_patternRects[kPatternGroup].Height() - 2 * g.rowPitch;
    g.firstGroupTop = top(kPatternGroup);
    g.groupGap = top(kPatternGroup) - m_patternRects[kBasicGroup].bottom;
    g.removeRatio = corner(kPatternRemoveRatio);
    g.addInterval = corner(kPatternAddInterval);
    g.removeInterval = corner(kPatternRemoveInterval);
    g.costFwd = corner(kPatternFwdEdit);
    g.costRev = corner(kPatternRevEdit);
    g.start = corner(kPatternStart);
    g.end = corner(kPatternEnd);
}

int CEnergyCostsDlg::GroupTop(int ratio) const
{
    int top = m_geometry.firstGroupTop;
    for (int i = 0; i < ratio; ++i)
        top += GroupHeight(i) + m_geometry.groupGap;
    return top;
}

int CEnergyCostsDlg::GroupHeight(int ratio) const
{
    return m_geometry.baseGroupHeight + m_costs.GetRatio(ratio).GetIntervalCount() * m_geometry.rowPitch;
}

template <typename T>
std::unique_ptr<T> CEnergyCostsDlg::CopyPattern(UINT patternId, const char* className, int dy, CWnd*& after)
{
    auto control = std::make_unique<T>();
    CWnd* pattern = GetDlgItem(int(patternId));
    if (!pattern)
        return control;
    CString text;
    pattern->GetWindowText(text);
    CRect rect = m_patternRects[patternId];
    rect.OffsetRect(0, dy);
    if (!control->CreateEx(pattern->GetExStyle(), className, text, pattern->GetStyle() | WS_VISIBLE, rect, this,
                           m_nextId++))
    {
        LOG(INFO) << "CEnergyCostsDlg: a copy of control " << patternId << " cannot be made";
        return control;
    }
    control->SetFont(pattern->GetFont(), FALSE);
    if (after)
        control->SetWindowPos(after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = control.get();
    return control;
}

void CEnergyCostsDlg::BuildGroup(int ratio)
{
    const SRatioData& data = m_costs.GetRatio(ratio);
    const int dy = GroupTop(ratio) - m_geometry.firstGroupTop - m_scrollPos;
    CWnd* after = GetDlgItem(int(kAddRatioButton));
    if (!m_groups.empty())
    {
        const SRatioGroup& last = m_groups.back();
        after = last.rows.empty() ? static_cast<CWnd*>(last.addInterval.get()) : last.rows.back().overlapMarker.get();
    }
    SRatioGroup group;
    group.groupBox = CopyPattern<CButton>(kPatternGroup, "BUTTON", dy, after);
    group.fwdLabel = CopyPattern<CStatic>(kPatternFwdLabel, "STATIC", dy, after);
    group.fwdEdit = CopyPattern<CEdit>(kPatternFwdEdit, "EDIT", dy, after);
    group.revLabel = CopyPattern<CStatic>(kPatternRevLabel, "STATIC", dy, after);
    group.revEdit = CopyPattern<CEdit>(kPatternRevEdit, "EDIT", dy, after);
    group.removeRatio = CopyPattern<CButton>(kPatternRemoveRatio, "BUTTON", dy, after);
    group.startLabel = CopyPattern<CStatic>(kPatternStartLabel, "STATIC", dy, after);
    group.endLabel = CopyPattern<CStatic>(kPatternEndLabel, "STATIC", dy, after);
    group.addInterval = CopyPattern<CButton>(kPatternAddInterval, "BUTTON", dy, after);
    group.removeRatio->SetBitmap(m_removeBitmap);
    group.addInterval->SetBitmap(m_addBitmap);
    // The pattern box is drawn for two rows; a group is as high as its own rows.
    CRect box = ChildRect(*this, *group.groupBox);
    box.bottom = box.top + GroupHeight(ratio);
    group.groupBox->MoveWindow(&box, FALSE);
    ShowCost(*group.fwdEdit, data.costFwd);
    ShowCost(*group.revEdit, data.costRev);
    group.addInterval->EnableWindow(data.GetIntervalCount() < kMaxIntervals);
    m_groups.insert(m_groups.begin() + ratio, std::move(group));
    RetitleGroup(ratio);
    for (int r = 0; r < data.GetIntervalCount(); ++r)
        BuildRow(ratio, r, after);
}

void CEnergyCostsDlg::BuildRow(int ratio, int row, CWnd*& after)
{
    const int dy = GroupTop(ratio) - m_geometry.firstGroupTop - m_scrollPos + row * m_geometry.rowPitch;
    SIntervalRow r;
    r.start = CopyPattern<CECDateTimeCtrl>(kPatternStart, "SysDateTimePick32", dy, after);
    r.end = CopyPattern<CECDateTimeCtrl>(kPatternEnd, "SysDateTimePick32", dy, after);
    r.remove = CopyPattern<CButton>(kPatternRemoveInterval, "BUTTON", dy, after);
    r.overlapMarker = CopyPattern<CStatic>(kPatternOverlap, "STATIC", dy, after);
    r.remove->SetBitmap(m_removeBitmap);
    r.start->SetFormat(m_timePicture);
    r.end->SetFormat(m_timePicture);
    ShowInterval(r, m_costs.GetRatio(ratio).GetInterval(row));
    auto& rows = m_groups.at(std::size_t(ratio)).rows;
    rows.insert(rows.begin() + row, std::move(r));
}

void CEnergyCostsDlg::RetitleGroup(int ratio)
{
    CString format;
    format.LoadString(kRatioTitleString);
    CString title;
    title.Format(format.GetString(), ratio + 1);
    m_groups.at(std::size_t(ratio)).groupBox->SetWindowText(title);
}

void CEnergyCostsDlg::MoveGroupsFrom(int firstRatio, int dy)
{
    for (std::size_t i = std::size_t(std::max(firstRatio, 0)); i < m_groups.size(); ++i)
    {
        SRatioGroup& g = m_groups[i];
        for (CWnd* c : {static_cast<CWnd*>(g.groupBox.get()), static_cast<CWnd*>(g.removeRatio.get()),
                        static_cast<CWnd*>(g.fwdLabel.get()), static_cast<CWnd*>(g.revLabel.get()),
                        static_cast<CWnd*>(g.startLabel.get()), static_cast<CWnd*>(g.endLabel.get()),
                        static_cast<CWnd*>(g.fwdEdit.get()), static_cast<CWnd*>(g.revEdit.get()),
                        static_cast<CWnd*>(g.addInterval.get())})
            MoveBy(*this, c, dy);
        for (const SIntervalRow& row : g.rows)
            MoveRow(*this, row, dy);
    }
}

void CEnergyCostsDlg::AddRatio()
{
    if (m_costs.GetRatioCount() >= kMaxRatios)
        return;
    SRatioData ratio;
    ratio.AddInterval({0, 0});
    m_costs.AddRatio(ratio);
    BuildGroup(m_costs.GetRatioCount() - 1);
    UpdateAddRatioButton();
    UpdateScrollBar();
    ValidateIntervals();
}

void CEnergyCostsDlg::AddInterval(int ratio)
{
    if (ratio < 0 || ratio >= GetGroupCount())
        return;
    SRatioData& data = m_costs.GetRatio(ratio);
    if (data.GetIntervalCount() >= kMaxIntervals)
        return;
    data.AddInterval({0, 0});
    MoveGroupsFrom(ratio + 1, m_geometry.rowPitch);
    SRatioGroup& group = m_groups[std::size_t(ratio)];
    CRect box = ChildRect(*this, *group.groupBox);
    box.bottom += m_geometry.rowPitch;
    group.groupBox->MoveWindow(&box, FALSE);
    CWnd* after = group.rows.empty() ? static_cast<CWnd*>(group.addInterval.get()) : group.rows.back().overlapMarker.get();
    BuildRow(ratio, data.GetIntervalCount() - 1, after);
    group.addInterval->EnableWindow(data.GetIntervalCount() < kMaxIntervals);
    Invalidate();
    UpdateScrollBar();
    ValidateIntervals();
}

void CEnergyCostsDlg::RemoveInterval(int ratio, int interval)
{
    if (ratio < 0 || ratio >= GetGroupCount())
        return;
    SRatioData& data = m_costs.GetRatio(ratio);
    if (interval < 0 || interval >= data.GetIntervalCount())
        return;
    data.RemoveInterval(interval);
    SRatioGroup& group = m_groups[std::size_t(ratio)];
    m_rebuilding = true;
    group.rows.erase(group.rows.begin() + interval);
    m_rebuilding = false;
    for (std::size_t r = std::size_t(interval); r < group.rows.size(); ++r)
        MoveRow(*this, group.rows[r], -m_geometry.rowPitch);
    MoveGroupsFrom(ratio + 1, -m_geometry.rowPitch);
    CRect box = ChildRect(*this, *group.groupBox);
    box.bottom -= m_geometry.rowPitch;
    group.groupBox->MoveWindow(&box, FALSE);
    group.addInterval->EnableWindow(TRUE);
    Invalidate();
    UpdateScrollBar();
    ValidateIntervals();
}

void CEnergyCostsDlg::RemoveRatio(int ratio)
{
    if (ratio < 0 || ratio >= GetGroupCount())
        return;
    const int removed = GroupHeight(ratio) + m_geometry.groupGap;
    m_costs.RemoveRatio(ratio);
    m_rebuilding = true;
    m_groups.erase(m_groups.begin() + ratio);
    m_rebuilding = false;
    MoveGroupsFrom(ratio, -removed);
    for (int i = ratio; i < GetGroupCount(); ++i)
        RetitleGroup(i);
    UpdateAddRatioButton();
    Invalidate();
    UpdateScrollBar();
    ValidateIntervals();
}

void CEnergyCostsDlg::UpdateAddRatioButton()
{
    if (CWnd* add = GetDlgItem(int(kAddRatioButton)))
        add->EnableWindow(m_costs.GetRatioCount() < kMaxRatios);
}

void CEnergyCostsDlg::ValidateIntervals()
{
    for (int i = 0; i < GetGroupCount(); ++i)
    {
        const SRatioData& data = m_costs.GetRatio(i);
        for (int k = 0; k < data.GetIntervalCount(); ++k)
        {
            const bool invalid = m_costs.IntervalOverlaps(i, k, data.GetInterval(k));
            const SIntervalRow& row = m_groups[std::size_t(i)].rows[std::size_t(k)];
            row.overlapMarker->ShowWindow(invalid ? SW_SHOW : SW_HIDE);
            row.start->SetInvalid(invalid);
            row.end->SetInvalid(invalid);
        }
    }
}

// ---- finding what a dynamic control stands for

bool CEnergyCostsDlg::LocateControl(CWnd* control, int& ratio, CPoint& inGroup) const
{
    if (!control)
        return false;
    CRect rect = ChildRect(*this, *control);
    const CPoint content(rect.left, rect.top + m_scrollPos);
    for (int i = 0; i < GetGroupCount(); ++i)
    {
        const int top = GroupTop(i);
        if (content.y >= top && content.y < top + GroupHeight(i))
        {
            ratio = i;
            inGroup = CPoint(content.x, content.y - (top - m_geometry.firstGroupTop));
            return true;
        }
    }
    return false;
}

int CEnergyCostsDlg::RowAt(int ratio, int y) const
{
    const int rel = y - m_geometry.start.y + kRoleTolerance;
    if (rel < 0)
        return -1;
    const int row = rel / m_geometry.rowPitch;
    return row < m_costs.GetRatio(ratio).GetIntervalCount() ? row : -1;
}

CEnergyCostsDlg::ERole CEnergyCostsDlg::FindButtonRole(CWnd* control, int& ratio, int& row) const
{
    CPoint p;
    if (!LocateControl(control, ratio, p))
        return ERole::None;
    if (Near(p, m_geometry.removeRatio))
        return ERole::RemoveRatio;
    if (Near(p, m_geometry.addInterval))
        return ERole::AddInterval;
    row = RowAt(ratio, p.y);
    if (row >= 0 && Near(p, m_geometry.removeInterval + CPoint(0, row * m_geometry.rowPitch)))
        return ERole::RemoveInterval;
    return ERole::None;
}

CEnergyCostsDlg::ERole CEnergyCostsDlg::FindFieldRole(CWnd* control, int& ratio, int& row) const
{
    CPoint p;
    if (!LocateControl(control, ratio, p))
        return ERole::None;
    if (Near(p, m_geometry.costFwd))
        return ERole::CostFwd;
    if (Near(p, m_geometry.costRev))
        return ERole::CostRev;
    row = RowAt(ratio, p.y);
    if (row < 0)
        return ERole::None;
    const CPoint shift(0, row * m_geometry.rowPitch);
    if (Near(p, m_geometry.start + shift))
        return ERole::Start;
    if (Near(p, m_geometry.end + shift))
        return ERole::End;
    return ERole::None;
}

// ---- user actions

BOOL CEnergyCostsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (code == BN_CLICKED && id == kAddRatioButton)
    {
        AddRatio();
        return TRUE;
    }
    if (code == BN_CLICKED && id >= kFirstDynamicId)
    {
        int ratio = -1;
        int row = -1;
        switch (FindButtonRole(GetDlgItem(int(id)), ratio, row))
        {
        case ERole::RemoveRatio: RemoveRatio(ratio); break;
        case ERole::AddInterval: AddInterval(ratio); break;
        case ERole::RemoveInterval: RemoveInterval(ratio, row); break;
        default: break;
        }
        return TRUE;
    }
    if (code == EN_KILLFOCUS && !m_rebuilding)
    {
        if (id == kCurrencyEdit)
        {
            CString text;
            GetDlgItemText(int(id), text);
            m_costs.SetCurrency(text);
        }
        else if (id == kBasicFwdEdit || id == kBasicRevEdit)
            OnBasicCostKillFocus(id);
        else if (id >= kFirstDynamicId)
        {
            int ratio = -1;
            int row = -1;
            const ERole role = FindFieldRole(GetDlgItem(int(id)), ratio, row);
            if (role == ERole::CostFwd || role == ERole::CostRev)
            {
                SRatioGroup& group = m_groups[std::size_t(ratio)];
                SRatioData& data = m_costs.GetRatio(ratio);
                if (role == ERole::CostFwd)
                    OnCostKillFocus(*group.fwdEdit, data.costFwd);
                else
                    OnCostKillFocus(*group.revEdit, data.costRev);
            }
        }
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CEnergyCostsDlg::OnBasicCostKillFocus(UINT id)
{
    if (CWnd* edit = GetDlgItem(int(id))) {
        float cost = id == kBasicFwdEdit ? m_costs.GetCostFwd() : m_costs.GetCostRev();
        OnCostKillFocus(*edit, cost);
        if (id == kBasicFwdEdit)
            m_costs.SetCostFwd(cost);
        else
            m_costs.SetCostRev(cost);
    }
}

void CEnergyCostsDlg::OnCostKillFocus(CWnd& edit, float& cost)
{
    // A cost that is no number or an absurd one is refused with a message; the cost stays.
    if (const std::optional<double> read = ReadNumberField(edit, kCostRange, CostText(cost)))
        cost = float(*read);
    edit.SetWindowText(CostText(cost));
}

BOOL CEnergyCostsDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && !m_rebuilding && (header->code == DTN_DATETIMECHANGE || header->code == NM_KILLFOCUS))
    {
        OnPickerChanged(CWnd::FromHandle(header->hwndFrom));
        if (header->code == NM_KILLFOCUS)
            ValidateIntervals();
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

void CEnergyCostsDlg::OnPickerChanged(CWnd* picker)
{
    int ratio = -1;
    int row = -1;
    const ERole role = FindFieldRole(picker, ratio, row);
    if (role != ERole::Start && role != ERole::End)
        return;
    // Read through the row's own picker object; the notice names only a window.
    const SIntervalRow& pickers = m_groups[std::size_t(ratio)].rows[std::size_t(row)];
    SYSTEMTIME st{};
    if ((role == ERole::Start ? pickers.start : pickers.end)->GetTime(&st) != GDT_VALID)
        return;
    SRatioInterval& interval = m_costs.GetRatio(ratio).GetInterval(row);
    (role == ERole::Start ? interval.start : interval.end) = st.wHour * 60 + st.wMinute;
}

void CEnergyCostsDlg::ShowCost(CWnd& edit, float cost)
{
    edit.SetWindowText(CostText(cost));
}

CString CEnergyCostsDlg::CostText(float cost) const
{
    return m_formatter.FormatNumber(double(cost), kCostDecimals);
}

void CEnergyCostsDlg::ShowInterval(const SIntervalRow& row, const SRatioInterval& interval)
{
    const SYSTEMTIME start = TimeOfDay(interval.start);
    const SYSTEMTIME end = TimeOfDay(interval.end);
    row.start->SetTime(&start);
    row.end->SetTime(&end);
}

// ---- scrolling

CScrollBar* CEnergyCostsDlg::GetScrollBarCtrl(int bar) const
{
    return bar == SB_VERT ? m_scrollBar.get() : nullptr;
}

void CEnergyCostsDlg::PlaceScrollBar()
{
    if (!m_scrollBar || !m_scrollBar->m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    m_scrollBar->MoveWindow(client.right - width, 0, width, client.Height(), TRUE);
}

void CEnergyCostsDlg::UpdateScrollBar()
{
    int content = m_geometry.firstGroupTop;
    for (int i = 0; i < m_costs.GetRatioCount(); ++i)
        content += GroupHeight(i) + m_geometry.groupGap;
    content += m_geometry.groupGap;
    m_contentHeight = content;
    if (content < m_scrollPos + m_pageHeight)
    {
        const int position = std::max(0, content - m_pageHeight);
        ScrollWindow(0, m_scrollPos - position);
        m_scrollPos = position;
        PlaceScrollBar();
    }
    SCROLLINFO info{};
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = content;
    info.nPage = UINT(std::max(m_pageHeight, 0));
    info.nPos = m_scrollPos;
    SetScrollInfo(SB_VERT, &info, TRUE);
    if (m_scrollBar && m_scrollBar->m_hWnd)
        m_scrollBar->EnableWindow(content > m_pageHeight);
}

void CEnergyCostsDlg::ScrollTo(int position)
{
    const int limit = std::max(0, m_contentHeight - m_pageHeight);
    position = std::clamp(position, 0, limit);
    if (position == m_scrollPos)
        return;
    ScrollWindow(0, m_scrollPos - position);
    m_scrollPos = position;
    PlaceScrollBar();
    SetScrollPos(SB_VERT, position, TRUE);
}

void CEnergyCostsDlg::OnVScroll(UINT code, UINT pos, CWnd*)
{
    const int range = m_contentHeight - m_pageHeight;
    const int line = std::max(kMinimumStep, range / 20);
    const int page = std::max(kMinimumStep, range / 10);
    switch (code)
    {
    case SB_LINEUP: ScrollTo(m_scrollPos - line); break;
    case SB_LINEDOWN: ScrollTo(m_scrollPos + line); break;
    case SB_PAGEUP: ScrollTo(m_scrollPos - page); break;
    case SB_PAGEDOWN: ScrollTo(m_scrollPos + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(int(pos)); break;
    default: break;
    }
}

BOOL CEnergyCostsDlg::OnMouseWheel(UINT, short delta, CPoint)
{
    OnVScroll(delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0, nullptr);
    return TRUE;
}

void CEnergyCostsDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    m_pageHeight = cy;
    PlaceScrollBar();
    if (!m_patternRects.empty())
        UpdateScrollBar();
}
