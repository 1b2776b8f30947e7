#include "study/BasicGraphView.h"

#include "datamodel/DataSet.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/TrendTimeBlock.h"
#include "datamodel/QuantityInfo.h"
#include "datamodel/TrendItemIds.h"
#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "study/BasicGraphViewDialogBar.h"
#include "study/DemandPeriodChoices.h"
#include "study/IOCompUtils.h"
#include "study/PlotNames.h"
#include "study/RecTrendToIOComp.h"
#include "views/MySplitterWnd.h"
#include "views/MyToolBar.h"
#include "views/SplitFrame.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace {

constexpr double kXLoDefault = 40.0;
constexpr UINT kTotalNameId = 8338; // "Total", the name of the total of the phases

} // namespace

CBasicGraphView::CBasicGraphView(int settingsKind, int viewKind, int studyType)
    : CRecordFormView(settingsKind), m_settings(settingsKind), m_markers(&m_chart, &m_axisControls),
      m_viewKindValue(viewKind), m_studyType(studyType), m_notes(this, &m_chart, &m_settings.m_notes)
{
    SetViewKind(viewKind);
    m_chart.SetEventSink(this);
    m_notes.SetAnchorLocator([this](const CNoteAnnotations::SAnchor& anchor) { return LocateNoteSample(anchor); });
}

CBasicGraphView::~CBasicGraphView()
{
    m_chart.SetEventSink(nullptr);
    m_dialogBar = nullptr;
    m_tableView = nullptr;
    m_timeRangeTableView = nullptr;
}

void CBasicGraphView::SetTableStateText(bool timeRangeTable, const CString& text)
{
    // Straight into the settings: every refill hands the tables their text from there.
    (timeRangeTable ? m_settings.m_tableTimeRangeCollapse : m_settings.m_tableCollapse) = text;
}

bool CBasicGraphView::IsSessionCompatible(int session) const
{
    const CRecDoc* document = GetDocument();
    const CDataSet* set = document ? document->GetDataSet(session) : nullptr;
    return set && set->GetMeasurementConfig().IsStudyTypeCompatible(m_studyType);
}

bool CBasicGraphView::SessionHolds(int session, const SDataItem& item, int slot) const
{
    if (!IsSessionCompatible(session) || slot >= item.phaseSlots)
        return false;
    CQuantityInfo info(GetDocument()->GetDataSet(session)->GetMeasurementConfig());
    return info.Select(item.quantity) && info.IsOffered(PhaseOfSlot(slot));
}

CQuantityInfo CBasicGraphView::SessionQuantities(int session) const
{
    const CRecDoc* document = GetDocument();
    return CQuantityInfo(document->GetDataSet(session)->GetMeasurementConfig(), document->GetSessionAuxUnits(session));
}

void CBasicGraphView::OfferHeldValues(bool clearMissing)
{
    // A phase box stands for every item of its row, an aux box for its input: it is offered when
    // a shown session holds any of them, and no longer ticked when no session holds any.
    struct SBox
    {
        bool* shownFlag = nullptr;
        bool held = false;
        bool offered = false;
    };
    std::map<UINT, SBox> boxes;
    for (const SDataItem& item : m_dataItems) {
        const bool aux = item.quantity == 51 || item.quantity == 52;
        if (item.row < 0 || (!aux && item.row >= CBasicViewSettings::kQuantityGroups))
            continue;
        for (int slot = 0; slot < (aux ? 1 : CBasicViewSettings::kChannelPhases); ++slot) {
            SBox& box = boxes[aux ? GraphBar::kAux1 + (item.quantity - 51) : PhaseCheckId(item.row, slot)];
            box.shownFlag = aux ? &m_settings.m_aux[item.quantity - 51]
                                : &m_settings.m_channels[std::size_t(item.row)][std::size_t(slot)];
            for (int i = 0; i < m_sessionCount; ++i) {
                if (!SessionHolds(i, item, slot))
                    continue;
                box.held = true;
                box.offered = box.offered || (i < CBasicViewSettings::kMaxSessions && m_settings.m_sessions[std::size_t(i)]);
            }
        }
    }
    for (const auto& [id, box] : boxes) {
        if (clearMissing && !box.held)
            *box.shownFlag = false;
        if (m_dialogBar)
            m_dialogBar->EnableControl(id, box.offered);
    }
}

int CBasicGraphView::ReferenceSession() const
{
    for (int i = 0; i < std::min(m_sessionCount, CBasicViewSettings::kMaxSessions); ++i)
        if (m_settings.m_sessions[std::size_t(i)] && IsSessionCompatible(i))
            return i;
    return -1;
}

void CBasicGraphView::OnInitialUpdate()
{
    CRecordFormView::OnInitialUpdate();
    OnUpdate(nullptr, 0, nullptr);
}

void CBasicGraphView::TakeViewSettings(const CViewSettings* settings)
{
    const auto* basic = dynamic_cast<const CBasicViewSettings*>(settings);
    if (!basic)
        return;
    m_settings.CopyFrom(basic);
    m_spanNamedRange = m_settings.m_xAxisScaling;
    m_bookmarkApplied = true;
}

void CBasicGraphView::SetDefaultSettings()
{
    const int kind = GetViewKind();
    const bool totalSlot = kind == 2 || kind == 5 || kind == 10 || kind == 16 || kind == 21;
    for (auto& row : m_settings.m_channels)
        row.fill(false);
    m_settings.m_channels[m_studyType == 2 ? 1 : 0][totalSlot ? 3 : 0] = true;
    // 08:00 for 8 hours, as dates of 30 December 1899.
    m_settings.m_workingHours.from = CHighTime(1899, 12, 30, 8, 0, 0).GetAsDate();
    m_settings.m_workingHours.to = CHighTime(1899, 12, 30, 8, 0, 0).GetAsDate();
    m_settings.m_workingDays = {true, true, true, true, true, false, false};
    for (int row = 0; row < CBasicViewSettings::kLimits; ++row) {
        DWORD quantity = kNoQuantity;
        for (const SDataItem& item : m_dataItems)
            if (item.row == row)
                quantity = item.quantity;
        m_settings.m_limits[std::size_t(row)] = quantity == 56 || quantity == 57 ? 1.0f : 0.0f;
        m_settings.m_isLimit[std::size_t(row)] = false;
    }
}

void CBasicGraphView::StoreAxisCounts()
{
    m_settings.m_upperPlot.xAxisCount = std::min(m_chart.GetXAxisCount(), SCurAxisDetails::kMaxXAxes);
    // The chart takes its Y axes when it is fed; until then they are the feeder's.
    const int yAxes = m_feeder ? std::max(m_chart.GetYAxisCount(), int(m_feeder->GetYAxes().size())) : m_chart.GetYAxisCount();
    m_settings.m_upperPlot.yAxisCount = std::min(yAxes, SCurAxisDetails::kMaxYAxes);
}

CString CBasicGraphView::GetDataItemName(const SDataItem& item, int slot) const
{
    for (const SPlottedSelector& selector : m_plottedSelectors)
        if (selector.quantity == item.quantity && selector.slot == slot)
            return selector.name;
    return CString();
}

const CDataSet* CBasicGraphView::SessionHolding(DWORD quantity) const
{
    // A compatible session first; the names and units of any other do where none is.
    const CRecDoc* document = GetDocument();
    for (const bool compatibleOnly : {true, false})
        for (int i = 0; document && i < m_sessionCount; ++i) {
            const CDataSet* set = document->GetDataSet(i);
            if (!set || (compatibleOnly && !IsSessionCompatible(i)))
                continue;
            CQuantityInfo info(set->GetMeasurementConfig());
            if (info.Select(quantity))
                return set;
        }
    return nullptr;
}

void CBasicGraphView::DescribeOptionRows()
{
    for (int row = 0; m_dialogBar && row < GraphBar::kRows; ++row) {
        SOptionRow option;
        for (const SDataItem& item : m_dataItems) {
            if (item.row != row)
                continue;
            option.phaseSlots = std::max(option.phaseSlots, item.phaseSlots);
            const CDataSet* set = SessionHolding(item.quantity);
            if (!option.name.IsEmpty() || !set)
                continue;
            CQuantityInfo info(set->GetMeasurementConfig());
            info.Select(item.quantity);
            // Both auxiliary inputs share their row; their units are the sessions' own.
            if (item.quantity == 51 || item.quantity == 52) {
                option.name.LoadString(kAuxAxisTitleId);
                continue;
            }
            option.name.LoadString(UINT(info.GetNameId()));
            option.unit = info.GetUnitText(CString());
            option.limitScale = std::max(1, info.GetUnitScale());
        }
        m_dialogBar->SetRow(row, option);
    }
}

void CBasicGraphView::SetYAxisUnits()
{
    const auto& axes = m_feeder->GetYAxes();
    for (int i = 0; i < int(axes.size()); ++i) {
        const SYAxisEntry& axis = axes[std::size_t(i)];
        const CDataSet* set = axis.quantity == kAuxAxisQuantity || !axis.unitText.IsEmpty() ? nullptr
                                                                                            : SessionHolding(axis.quantity);
        if (!set)
            continue;
        CQuantityInfo info(set->GetMeasurementConfig());
        info.Select(axis.quantity);
        const CString unit = info.GetUnitText(CString());
        if (!unit.IsEmpty() && unit != "1")
            m_feeder->SetYAxisUnit(i, unit);
    }
}

void CBasicGraphView::CollectPlottedSelectors()
{
    // Each value is named as the session that holds its quantity names it: the quantity's name
    // and, for items of several phases, the phase.
    m_plottedSelectors.clear();
    CString total;
    total.LoadString(kTotalNameId);
    for (const SDataItem& item : m_dataItems) {
        const CDataSet* set = SessionHolding(item.quantity);
        if (!set)
            continue;
        CQuantityInfo info(set->GetMeasurementConfig());
        info.Select(item.quantity);
        CString name;
        name.LoadString(UINT(info.GetNameId()));
        for (int slot = 0; slot < item.phaseSlots; ++slot) {
            const int phase = PhaseOfSlot(slot);
            CString text = name;
            if (item.phaseSlots > 1)
                text += " " + (phase == CQuantityInfo::kTotalPhase ? total : info.GetPhaseText({item.quantity, phase, kStatAvg}, 0));
            m_plottedSelectors.push_back({item.quantity, slot, text});
        }
    }
}

void CBasicGraphView::SyncViewSettings()
{
    if (!m_settings.IsPresent())
        return;
    StoreXAxisRanges();
    SCurAxisDetails& details = m_settings.m_upperPlot;
    details.yAxisCount = std::min(m_chart.GetYAxisCount(), SCurAxisDetails::kMaxYAxes);
    for (int i = 0; i < details.yAxisCount; ++i)
        details.yAxes[std::size_t(i)] = {m_chart.GetYAxis(i)->GetMin(), m_chart.GetYAxis(i)->GetSpan(),
                                         m_chart.GetYAxis(i)->IsManual()};
    m_cursorRecords.ToDetails(m_chart, details);
    if (const CMySplitterWnd* splitter = FindSplitter())
        m_settings.m_mainViewSplitterAActiveRow = splitter->GetActiveRow();
    if (m_markers.IsRangeSet()) {
        m_settings.m_timeRange = {m_markers.GetBegin(), m_markers.GetEnd()};
        m_settings.m_RefAxis = m_markers.GetReferenceAxis();
    }
}

void CBasicGraphView::SaveViewSettings(CProjectSettings* project)
{
    // Within an update the chart does not yet show the settings it is given; a view whose
    // windows are going keeps what it held when its page was taken down.
    if (!m_updating && !m_bookmarkApplied && !m_destroying) {
        SyncViewSettings();
        StoreSectionStates();
    }
    CRecordFormView::SaveViewSettings(project);
}

void CBasicGraphView::StoreSectionStates()
{
    const CMySplitterWnd* splitter = FindSplitter();
    for (int row = 0; splitter && row < std::min(splitter->GetRowCount(), CBasicViewSettings::kCollapseStates); ++row)
        if (const auto* frame = dynamic_cast<const CSplitFrame*>(splitter->GetPane(row, 0)))
            m_settings.m_collStates[std::size_t(row)] = frame->IsSectionToggled();
}

void CBasicGraphView::StoreXAxisRanges()
{
    SCurAxisDetails& details = m_settings.m_upperPlot;
    details.xAxisCount = std::min(m_chart.GetXAxisCount(), SCurAxisDetails::kMaxXAxes);
    for (int i = 0; i < details.xAxisCount; ++i)
        details.xAxes[std::size_t(i)] = {m_chart.GetXAxis(i)->GetMin(), m_chart.GetXAxis(i)->GetSpan()};
}

CMySplitterWnd* CBasicGraphView::FindSplitter() const
{
    for (CWnd* parent = GetParent(); parent; parent = parent->GetParent())
        if (auto* splitter = dynamic_cast<CMySplitterWnd*>(parent))
            return splitter;
    return nullptr;
}

void CBasicGraphView::RefreshSessionTexts()
{
    if (!m_dialogBar)
        return;
    std::vector<CString> texts;
    std::vector<bool> enabled;
    const int count = std::min(4, m_sessionCount);
    for (int i = 0; i < count; ++i) {
        CString text;
        text.Format("%d: %s", i + 1, GetDocument()->GetSessionName(i).GetString());
        texts.push_back(text);
        // The calendar's sessions are those of the bins chosen in the calendar: its boxes only
        // say which they are.
        enabled.push_back(!m_calendar && IsSessionCompatible(i));
    }
    m_dialogBar->SetSessions(texts, enabled);
}

void CBasicGraphView::RefillTables(bool both, WPARAM how)
{
    if (both && m_tableView && m_tableView->GetSafeHwnd()) {
        m_tableView->SetTitle(m_settings.m_tableCollapse);
        m_tableView->SendMessage(WM_TABLE_REFILL, how, 0);
    }
    if (m_timeRangeTableView && m_timeRangeTableView->GetSafeHwnd()) {
        m_timeRangeTableView->SetTitle(m_settings.m_tableTimeRangeCollapse);
        // Filled when its section shows: a page's first show filled a table nobody saw.
        if (TimeRangeTableHidden()) {
            m_timeRangeRefill = std::max(m_timeRangeRefill.value_or(0), how);
            return;
        }
        // A table spared so far is filled before its section is drawn.
        const std::optional<WPARAM> spared = std::exchange(m_timeRangeRefill, std::nullopt);
        if (both || spared)
            m_timeRangeTableView->SendMessage(WM_TABLE_REFILL, std::max(how, spared.value_or(0)), 0);
        else
            m_timeRangeTableView->PostMessage(WM_TABLE_REFILL, how, 0);
    }
}

bool CBasicGraphView::TimeRangeTableHidden() const
{
    const CMySplitterWnd* splitter = FindSplitter();
    return splitter && FillsTimeRangeTableWhenShown() && !m_settings.m_checkTimeRange &&
           (m_firstUpdate || !splitter->IsThirdSectionShown());
}

void CBasicGraphView::FillHiddenTimeRangeTable()
{
    if (m_timeRangeRefill && m_timeRangeTableView && m_timeRangeTableView->GetSafeHwnd())
        m_timeRangeTableView->SendMessage(WM_TABLE_REFILL, *std::exchange(m_timeRangeRefill, std::nullopt), 0);
}

void CBasicGraphView::OnUpdate(CWnd*, LPARAM, CUpdateMsg* hintObject)
{
    CRecDoc* document = GetDocument();
    if (!document || !GetSafeHwnd())
        return;
    // 1-2: settings of the project (first update) or of the chart (later ones).
    m_updating = true;
    CChartDrawingScope drawing(m_chart);
    if (m_firstUpdate) {
        if (const auto* stored = dynamic_cast<const CBasicViewSettings*>(GetStoredViewSettings());
            stored && stored->GetViewId() == m_settings.GetViewId()) {
            m_settings.CopyFrom(stored);
            // The span button the page was left with, for the range it showed.
            m_spanNamedRange = m_settings.m_xAxisScaling;
        }
    } else if (m_settings.IsPresent() && !m_bookmarkApplied) {
        SyncViewSettings();
    }
    // 3-4: sessions.
    m_sessionCount = document->GetProjectSettings() ? document->GetProjectSettings()->GetMeasurementCount() : 0;
    const int handled = std::min(m_sessionCount, CBasicViewSettings::kMaxSessions);
    if (m_sessionCount == 0) {
        m_settings.SetPresent(false);
        m_updating = false;
        if (m_tableView && m_tableView->GetSafeHwnd())
            m_tableView->SendMessage(WM_TABLE_REFILL, kRefillClear, 0);
        if (m_timeRangeTableView && m_timeRangeTableView->GetSafeHwnd())
            m_timeRangeTableView->SendMessage(WM_TABLE_REFILL, kRefillClear, 0);
        m_settings.m_nominalVoltages.clear();
        return;
    }
    // 5: a removed session.
    const int removed = hintObject ? hintObject->GetKind() : -1;
    const int added = hintObject ? hintObject->GetAdded() : -1;
    if (removed >= 0) {
        m_settings.RemoveSession(removed);
        for (SXCursorDetails& cursor : m_settings.m_upperPlot.xCursors)
            cursor.index = -1;
    }
    // 6-8: data items, session flags, defaults.
    if (m_firstUpdate)
        InitDataItems();
    const bool present = m_settings.IsPresent();
    const bool hintCompatible = added >= 0 && added < handled && IsSessionCompatible(added);
    if (!present) {
        m_settings.m_sessions.fill(false);
        for (int i = 0; i < handled; ++i)
            if (IsSessionCompatible(i)) {
                m_settings.m_sessions[std::size_t(i)] = true;
                break;
            }
    } else if (hintCompatible) {
        m_settings.m_sessions[std::size_t(added)] = true;
    }
    for (int i = handled; i < CBasicViewSettings::kMaxSessions; ++i)
        m_settings.m_sessions[std::size_t(i)] = false;
    if (!present || (GetViewKind() == 5 && int(m_settings.m_costTables.size()) != m_sessionCount))
        SetDefaultSettings();
    // 9: one-time set-up.
    if (m_firstUpdate) {
        CreateChildren();
        LinkWindows();
    }
    // 10: a new feeder on an empty chart; the units of the axes the user scaled stay scaled.
    std::vector<CString> scaledUnits;
    if (m_feeder)
        for (const SYAxisEntry& axis : m_feeder->GetYAxes())
            if (axis.manual)
                scaledUnits.push_back(axis.unitText);
    m_feeder = std::make_unique<CRecTrendToIOComp>(&m_chart, document, 1, 0);
    m_chart.RemoveAllChannels();
    m_chart.RemoveAllLimits();
    m_chart.RemoveAllLabels();
    m_chart.RemoveAllYAxes();
    // 11: the dialog bar.
    if (m_dialogBar) {
        m_dialogBar->SetViewKind(GetViewKind());
        m_dialogBar->SetSettings(&m_settings);
        m_dialogBar->SetNotifyWindow(this);
        m_dialogBar->Initialise();
        DescribeOptionRows();
        RefreshSessionTexts();
    }
    // 12: demand period.
    if (GetViewKind() == 5 && m_dialogBar) {
        std::vector<DWORD> demand;
        std::vector<DWORD> averaging;
        for (int i = 0; i < m_sessionCount; ++i)
            if (IsSessionCompatible(i)) {
                demand.push_back(document->GetDataSet(i)->GetMeasurementConfig().GetDemandInterval());
                averaging.push_back(document->GetDataSet(i)->GetMeasurementConfig().GetAveragingInterval());
            }
        if (auto* combo = static_cast<CComboBox*>(m_dialogBar->GetDlgItem(int(kDemandPeriodCombo)))) {
            FillDemandPeriodCombo(*combo, BuildDemandPeriodChoices(demand, averaging));
            if (hintCompatible || !present)
                m_settings.ResetDemandSettings();
            SelectDemandPeriod(*combo, m_settings.m_demandPeriod, m_settings.m_useTrendDataForDemand);
        }
        OnDemandSourceChanged(m_settings.m_useTrendDataForDemand);
    } else {
        m_settings.ResetDemandSettings();
    }
    // 13: one Y axis per unit (stored ranges follow their unit) and the names of the values.
    std::vector<CString> units;
    for (const SDataItem& item : m_dataItems)
        for (int i = 0; i < m_sessionCount; ++i) {
            if (!IsSessionCompatible(i))
                continue;
            CQuantityInfo info(document->GetDataSet(i)->GetMeasurementConfig());
            if (!info.Select(item.quantity))
                continue;
            const CString unit = info.GetUnitText(CString());
            if (std::find(units.begin(), units.end(), unit) == units.end())
                units.push_back(unit);
        }
    if (units != m_unitList && !m_firstUpdate) {
        std::array<SAxisRange, SCurAxisDetails::kMaxYAxes> carried{};
        for (std::size_t i = 0; i < units.size() && i < carried.size(); ++i) {
            const auto old = std::find(m_unitList.begin(), m_unitList.end(), units[i]);
            if (old != m_unitList.end() && std::size_t(old - m_unitList.begin()) < carried.size())
                carried[i] = m_settings.m_upperPlot.yAxes[std::size_t(old - m_unitList.begin())];
        }
        m_settings.m_upperPlot.yAxes = carried;
    }
    m_unitList = units;
    CollectPlottedSelectors();
    ConfigurePlot();
    SetYAxisUnits();
    // The chart has no Y axis until it is fed: the stored ranges are counted before.
    const int storedYAxes = m_settings.m_upperPlot.yAxisCount;
    StoreAxisCounts();
    // 14: axes from the data or from the settings.
    const int reference = std::max(0, ReferenceSession());
    const auto rangeOfData = [&](int i) {
        const bool demand = GetViewKind() == 5;
        CDataSet* set = document->GetDataSet(i < m_sessionCount ? i : reference);
        CTrendTimeBlock* block = set ? (demand ? set->GetDemandTimeBlock() : set->GetTrendTimeBlock()) : nullptr;
        if (!block || block->GetRecordCount() == 0)
            return;
        const double first = block->GetFirstTime().GetAsDate();
        const double last = block->GetLastTime().GetAsDate();
        m_feeder->SetSessionRange(i, first, last);
        // A session of one sample has no duration: the axis keeps a showable span.
        m_chart.SetXAxisRange(i, first, last > first ? last - first : 1.0 / 24.0);
    };
    if (hintCompatible || !present) {
        for (int i = 0; i < std::min(m_chart.GetXAxisCount(), kMaxPlotXAxes); ++i)
            rangeOfData(i);
    } else {
        // A stored range the chart refuses (none was readable) leaves the axis on the data.
        const SCurAxisDetails& details = m_settings.m_upperPlot;
        for (int i = 0; i < std::min(details.xAxisCount, m_chart.GetXAxisCount()); ++i)
            if (!m_chart.SetXAxisRange(i, details.xAxes[std::size_t(i)].min, details.xAxes[std::size_t(i)].span) &&
                i < kMaxPlotXAxes)
                rangeOfData(i);
        for (int i = 0; i < m_sessionCount && i < kMaxPlotXAxes; ++i)
            if (CDataSet* set = document->GetDataSet(i); set && set->GetTrendTimeBlock() &&
                                                          set->GetTrendTimeBlock()->GetRecordCount() > 0)
                m_feeder->SetSessionRange(i, set->GetTrendTimeBlock()->GetFirstTime().GetAsDate(),
                                          set->GetTrendTimeBlock()->GetLastTime().GetAsDate());
        const int yAxes = std::min({storedYAxes, int(m_feeder->GetYAxes().size()), SCurAxisDetails::kMaxYAxes});
        for (int i = 0; i < yAxes; ++i) {
            // The ranges the user set come back (from the project when the page is built, from
            // the chart on later updates); the others follow the data.
            const CString& unit = m_feeder->GetYAxes()[std::size_t(i)].unitText;
            const bool scaled = m_firstUpdate ? details.yAxes[std::size_t(i)].manual
                                              : std::find(scaledUnits.begin(), scaledUnits.end(), unit) != scaledUnits.end();
            if (details.yAxes[std::size_t(i)].span <= 0.0 || !scaled)
                continue;
            m_feeder->SetYAxisManual(i, true);
            m_feeder->SetYAxisRange(i, details.yAxes[std::size_t(i)].min,
                                    details.yAxes[std::size_t(i)].min + details.yAxes[std::size_t(i)].span);
        }
    }
    // 15: the toolbar's text.
    auto* frame = dynamic_cast<CSplitFrame*>(GetParent());
    CMyToolBar* toolBar = frame ? frame->GetMyToolBar(0) : nullptr;
    if (toolBar && !m_settings.m_toolbarEdit.Graph.IsEmpty())
        toolBar->SetEditText(m_settings.m_toolbarEdit.Graph);
    // 16: values no session holds are neither shown nor offered, as the tables leave them blank.
    OfferHeldValues(m_firstUpdate || hintObject);
    // 17: chart text, the X markers, the second Y axis.
    m_chart.SetText(document->GetTitle());
    if (!present)
        IOCompUtils::PlaceXMarkers(m_chart, ReferenceAxis(), kXLoDefault, 100.0 - kXLoDefault);
    // 18: cursors, trend items, value scales.
    m_feeder->SetCursorStyle(true);
    UpdateValueScales();
    // 19: time range off, picker pairs in their initial state.
    m_markers.Show(false);
    m_markers.SetReferenceAxis(ReferenceAxis());
    if (m_dialogBar) {
        const CPlotXAxis* axis = m_chart.GetXAxis(ReferenceAxis());
        if (ReferenceSession() < 0) {
            m_settings.m_checkTimeRange = false;
        } else if (axis) {
            m_dialogBar->TimeRangePickers().SetRange(axis->GetMin(), axis->GetMax());
            m_dialogBar->XAxisPickers().SetRange(axis->GetMin(), axis->GetMax());
        }
    }
    // 20: the stored time range and the enable states. A range nobody placed (the whole
    // recording an untouched view keeps) leaves the markers to their first placement inside
    // what the axis then shows.
    if (present) {
        const bool placed = m_markers.IsRangeSet() || !IsUntouchedTimeRange();
        m_markers.SetRange(m_settings.m_timeRange.from, m_settings.m_timeRange.to);
        m_markers.SetReferenceAxis(std::clamp(m_settings.m_RefAxis, 0, kMaxPlotXAxes - 1));
        m_markers.SetRangeSet(placed);
    }
    const bool anyZero = m_settings.m_timeRange.from == 0.0 || m_settings.m_timeRange.to == 0.0 ||
                         m_settings.m_xAxisScaling.from == 0.0 || m_settings.m_xAxisScaling.to == 0.0;
    if (!present || anyZero) {
        m_settings.m_typeTimeRange = -1;
        if (m_dialogBar) {
            m_dialogBar->TimeRangePickers().GetRange(m_settings.m_timeRange.from, m_settings.m_timeRange.to);
            m_dialogBar->XAxisPickers().GetRange(m_settings.m_xAxisScaling.from, m_settings.m_xAxisScaling.to);
        }
        m_markers.SetRangeSet(false);
    } else if (m_dialogBar) {
        m_dialogBar->TimeRangePickers().Enable(m_settings.m_checkTimeRange);
        m_dialogBar->EnableWorkingHourControls(m_settings.m_setWorkingHours);
    }
    // 21: controls, layout. The bar takes its stored state first, so that the page is laid out
    // once at the size it keeps.
    if (m_dialogBar)
        m_dialogBar->SettingsToControls();
    if (m_firstUpdate)
        ApplyDialogBarState();
    SetReady(true);
    RecalcLayout();
    // 22-23: tables and the splitter row.
    RefillTables(true);
    if (CMySplitterWnd* splitter = FindSplitter()) {
        if (m_settings.m_mainViewSplitterAActiveRow >= 0)
            splitter->SetActiveRow(m_settings.m_mainViewSplitterAActiveRow);
        // The page shows its sections as the user left them, or as the bookmark shown keeps them.
        const bool statesTaken = m_firstUpdate || m_bookmarkApplied;
        for (int row = 0; statesTaken && row < std::min(splitter->GetRowCount(), CBasicViewSettings::kCollapseStates); ++row)
            if (auto* frame = dynamic_cast<CSplitFrame*>(splitter->GetPane(row, 0)))
                frame->SetSectionToggled(m_settings.m_collStates[std::size_t(row)]);
    }
    // 26-27: the data, the time range, the notes.
    RefreshGraph();
    m_cursorRecords.FromDetails(m_chart, m_settings.m_upperPlot);
    m_cursorRecords.Restore(m_chart);
    if (m_settings.m_checkTimeRange) {
        if (m_dialogBar)
            m_dialogBar->SettingsToControls();
        OnSetTimeRange();
    } else {
        UpdateTimeRangeSection();
    }
    if (removed >= 0)
        m_notes.DropSession(removed);
    // 28: the Load calendar lays a bookmark's picture out once more.
    if (GetViewKind() == 18 && m_bookmarkApplied) {
        m_storedSize = CSize();
        RecalcLayout();
    }
    // 29
    m_firstUpdate = false;
    m_updating = false;
    m_bookmarkApplied = false;
    // The bar takes its stored state once the page has been laid out, shown or not yet.
    StartTimer(kDialogBarTimer);
}

bool CBasicGraphView::IsUntouchedTimeRange() const
{
    // What the first update stores: the pickers' range over the reference session's data, to the
    // second.
    const CRecDoc* document = GetDocument();
    CDataSet* set = document ? document->GetDataSet(ReferenceSession()) : nullptr;
    const CTrendTimeBlock* block = set ? (GetViewKind() == 5 ? set->GetDemandTimeBlock() : set->GetTrendTimeBlock()) : nullptr;
    if (!block || block->GetRecordCount() == 0)
        return false;
    constexpr double kSecond = 1.0 / 86400.0;
    return std::fabs(m_settings.m_timeRange.from - block->GetFirstTime().GetAsDate()) <= kSecond &&
           std::fabs(m_settings.m_timeRange.to - block->GetLastTime().GetAsDate()) <= kSecond;
}

void CBasicGraphView::OnActivateView(bool activate)
{
    if (!activate || !m_dialogBar)
        return;
    m_dialogBar->SettingsToControls();
    if (auto* combo = static_cast<CComboBox*>(m_dialogBar->GetDlgItem(int(kDemandPeriodCombo))); combo && GetViewKind() == 5)
        SelectDemandPeriod(*combo, m_settings.m_demandPeriod, m_settings.m_useTrendDataForDemand);
}

double CBasicGraphView::NominalVoltageFactor(int session) const
{
    const CRecDoc* document = GetDocument();
    const CDataSet* set = document ? document->GetDataSet(session) : nullptr;
    if (!set)
        return 1.0;
    const CMeasurementConfig& config = set->GetMeasurementConfig();
    float nominal = 0.0f;
    int topology = 0;
    m_settings.GetNominalVoltage(session, config, nominal, topology);
    const double configured = config.GetNominalVoltage();
    // A configuration without a nominal voltage leaves the values unscaled.
    if (!(configured > 0.0) || !(nominal > 0.0f))
        return 1.0;
    double factor = nominal / configured;
    if (config.IsPhaseToPhaseDefault() && topology == 0)
        factor *= std::sqrt(3.0);
    else if (!config.IsPhaseToPhaseDefault() && topology == 1)
        factor /= std::sqrt(3.0);
    return factor;
}
