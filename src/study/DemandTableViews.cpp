#include "study/DemandTableViews.h"

#include "datamodel/CalculationValidRatio.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/DateTimeFormats.h"
#include "datamodel/IntervalText.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/TrendTimeBlock.h"
#include "datamodel/ValueFormatter.h"
#include "platform/framework/LocaleNumber.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/BasicViewSettings.h"
#include "project/EnergyCostSchedule.h"
#include "project/RecDoc.h"
#include "study/BasicTableView.h"
#include "study/DemandComputation.h"
#include "study/DemandCostTexts.h"
#include "study/DemandStrings.h"
#include "study/FrameBarNotify.h"
#include "study/LinkedGraphView.h"
#include "study/Money.h"
#include "study/StudyTableRows.h"
#include "study/TableSectionCommands.h"
#include "study/TableStrings.h"
#include "views/CaptureWindowRect.h"
#include "views/MainWindow.h"
#include "views/MyFont.h"
#include "views/MySplitterWnd.h"
#include "views/SectionWindows.h"
#include "views/SplitFrame.h"
#include "views/TimeSpanText.h"

namespace {

constexpr UINT kCollapseCommand = 33047;
constexpr UINT kFullWindowCommand = 33048;
constexpr UINT kDataCommandFirst = 33052;
constexpr UINT kDataCommandLast = 33053;
constexpr UINT kCopyCommand = 33054;
constexpr UINT kBookmarkCommand = 33055;
constexpr UINT kFirstSelectorCommand = 33074;
constexpr UINT kLastSelectorCommand = 33078;
constexpr int kTitleEditId = 10002;
constexpr int kEnergyStudy = 1;
constexpr int kTimeRangeFullWindowMode = 2;
constexpr unsigned kDateTimeFormat = 8066;
constexpr DWORD kForwardEnergy = 48;
constexpr DWORD kReverseEnergy = 49;
// Entries of the Demand page in the main view's window table.
constexpr int kTableEntry = 8;
constexpr int kGraphEntry = 9;
constexpr int kTimeRangeTableEntry = 10;

} // namespace

const SRuntimeClass& CDemandTableView::Class()
{
    static const SRuntimeClass runtimeClass{"CDemandTableView", &CMyFormView::Class(),
                                            &CreateWindowObject<CDemandTableView>, nullptr};
    return runtimeClass;
}

CDemandTableView::CDemandTableView() : CMyFormView(kTemplateId)
{
    SetViewKind(3);
}

CDemandTableView::~CDemandTableView() = default;

void CDemandTableView::LinkWindows()
{
    m_graph = FindLinkedGraphView(kGraphEntry);
    CWnd* sibling = g_pSectionWindows
                        ? g_pSectionWindows->GetSectionView(m_timeRange ? kTableEntry : kTimeRangeTableEntry)
                        : nullptr;
    m_sibling = dynamic_cast<CDemandTableView*>(sibling);
}

CBasicViewSettings* CDemandTableView::Settings() const
{
    return m_graph ? m_graph->GetGraphSettings() : nullptr;
}

// ---- lifecycle

void CDemandTableView::OnInitialUpdate()
{
    CMyFormView::OnInitialUpdate();
    LinkWindows();
    m_mainWindow = GetMainWindow();
    ResizeViewAndRecalcFrame(GetContentRect());
    if (!m_grid) {
        CRecDoc* document = GetDocument();
        m_grid = std::make_unique<CDemandGrid>(this, document ? document->GetValueFormatter() : nullptr);
        CRect client;
        GetClientRect(&client);
        m_grid->CreateGrid(WS_CHILD, client, this, kGridId);
        // The grid reads the blocks from the start, so that a new layout sizes them for their values.
        m_grid->SetData(&m_sessions, Settings());
        m_grid->ShowWindow(SW_SHOW);
    }
    UpdateScrollSizes();
    if (g_pSectionWindows)
        g_pSectionWindows->MarkViewSelectors(false, kFirstSelectorCommand);
    // A page without a graph view has no one to ask for the first fill.
    if (!m_graph)
        Refresh();
}

BOOL CDemandTableView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return NotifyFrameBars(*this, wParam, lParam, result) || CMyFormView::OnNotify(wParam, lParam, result);
}

void CDemandTableView::OnSize(UINT type, int cx, int cy)
{
    CMyFormView::OnSize(type, cx, cy);
    if (m_grid && m_grid->GetSafeHwnd())
        m_grid->OnParentSize(false);
}

// ---- messages

LRESULT CDemandTableView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TABLE_REFILL:
        Refresh();
        return 0;
    case WM_DEMAND_COST_CHOICE:
        if (m_grid)
            m_grid->ApplyCostChoices();
        return 0;
    case WM_TABLE_COLLAPSE_STATE:
        if (wParam)
            OnCollapseState(*reinterpret_cast<const CString*>(wParam));
        return 0;
    case WM_SECTION_TOGGLE:
        if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
            frame->ToggleSection(0);
        return 0;
    default:
        return CMyFormView::WindowProc(message, wParam, lParam);
    }
}

void CDemandTableView::Refresh()
{
    const bool changed = RebuildSessionData();
    if (!m_grid)
        return;
    if (changed) {
        m_grid->SetData(&m_sessions, Settings());
        Invalidate(TRUE);
        UpdateWindow();
        CMyToolBar* toolBar = TableSectionToolBar(*this);
        if (const CBasicViewSettings* settings = Settings(); toolBar && settings)
            toolBar->SetEditText(m_timeRange ? settings->m_toolbarEdit.TimeRangeTable : settings->m_toolbarEdit.Table);
    } else {
        m_grid->FollowCostChoices();
    }
    m_grid->ApplyCollapseState(CMyFormView::GetTitle());
    m_grid->ApplyHiddenFlags();
}

CString CDemandTableView::GetTitle() const
{
    return m_grid ? m_grid->GetCollapseState() : CString();
}

void CDemandTableView::OnCollapseState(const CString& state)
{
    SetTitle(state);
    if (m_graph)
        m_graph->SetTableStateText(m_timeRange != 0, state);
}

BOOL CDemandTableView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT command = LOWORD(wParam);
    auto* frame = dynamic_cast<CSplitFrame*>(GetParent());
    // Kept as typed: the field may still hold the focus when another page is shown.
    if (command == kTitleEditId && (HIWORD(wParam) == EN_CHANGE || HIWORD(wParam) == EN_KILLFOCUS)) {
        OnEditFieldLeft();
        return TRUE;
    }
    if (command >= kFirstSelectorCommand && command <= kLastSelectorCommand) {
        if (m_mainWindow)
            m_mainWindow->PostMessage(WM_SHOW_STUDY_VIEW_ID, WPARAM(command - kFirstSelectorCommand), 0);
        return TRUE;
    }
    if (command >= kDataCommandFirst && command <= kDataCommandLast) {
        MessageBox(LoadTableString(demandstr::kToolBarData).GetString());
        return TRUE;
    }
    switch (command) {
    case kCollapseCommand:
        if (frame && !m_fullWindow)
            frame->ToggleSection(1);
        return TRUE;
    case kFullWindowCommand:
        if (auto* splitter = frame ? dynamic_cast<CMySplitterWnd*>(frame->GetParent()) : nullptr)
            m_fullWindow = splitter->ToggleFullWindow(this, m_timeRange ? kTimeRangeFullWindowMode : 0) ? 1 : 0;
        EnableSectionCollapse(*this, !m_fullWindow);
        return TRUE;
    case kCopyCommand:
        CopyTableSectionToClipboard(*this);
        return TRUE;
    case kBookmarkCommand:
        AddTableSectionBookmark(*this, m_fullWindow != 0);
        return TRUE;
    default:
        return CMyFormView::OnCommand(wParam, lParam);
    }
}

void CDemandTableView::OnEditFieldLeft()
{
    CMyToolBar* toolBar = TableSectionToolBar(*this);
    if (CBasicViewSettings* settings = Settings(); toolBar && settings)
        (m_timeRange ? settings->m_toolbarEdit.TimeRangeTable : settings->m_toolbarEdit.Table) =
            toolBar->GetUserEditText();
}

// ---- the grid's requests

int CDemandTableView::EditSessionTariff(int session)
{
    CRecDoc* document = GetDocument();
    const int result = document ? document->EditSessionSettings(session) : 0;
    if (result) {
        // Both tables price the session at its new tariff before the user sees either.
        RebuildSessionData();
        if (m_sibling && m_sibling->GetSafeHwnd())
            m_sibling->SendMessage(WM_TABLE_REFILL, 0, 0);
    }
    return result;
}

void CDemandTableView::NotifyCostChoice()
{
    if (m_sibling && m_sibling->GetSafeHwnd())
        m_sibling->PostMessage(WM_DEMAND_COST_CHOICE, 0, 0);
}

// ---- the session data

bool CDemandTableView::RebuildSessionData()
{
    CRecDoc* document = GetDocument();
    const int count = document ? document->GetDataSetCount() : 0;
    bool changed = false;
    if (int(m_ranges.size()) != count) {
        m_ranges.assign(std::size_t(count), SSelectedTimeRange{});
        changed = true;
    }
    while (int(m_sessions.size()) < count)
        m_sessions.push_back(std::make_unique<structDemandTableData>());
    if (int(m_sessions.size()) > count) {
        m_sessions.resize(std::size_t(count));
        changed = true;
    }
    for (int i = 0; i < count; ++i)
        changed = RebuildSession(i) || changed;
    // After the values: the blocks' heights depend on them, and the grid is sized once.
    if (m_grid)
        m_grid->SetSessionCount(count);
    return changed;
}

bool CDemandTableView::ClearSession(int session)
{
    structDemandTableData& data = *m_sessions[std::size_t(session)];
    const bool had = data.dataVersion != -1;
    data.ClearValues();
    data.dataVersion = -1;
    m_ranges[std::size_t(session)] = SSelectedTimeRange{};
    return had;
}

bool CDemandTableView::RebuildSession(int session)
{
    structDemandTableData& data = *m_sessions[std::size_t(session)];
    CRecDoc* document = GetDocument();
    CDataSet* dataSet = document->GetDataSet(session);
    CTrendCache* cache = document->GetTrendCache();
    if (!dataSet || !cache)
        return false;
    const CMeasurementConfig& config = dataSet->GetMeasurementConfig();
    const CBasicViewSettings* settings = Settings();
    bool hidden = !config.IsStudyTypeCompatible(kEnergyStudy);
    if (m_timeRange && settings &&
        (session >= CBasicViewSettings::kMaxSessions || !settings->m_sessions[std::size_t(session)]))
        hidden = true;
    bool changed = false;
    if ((data.hidden != 0) != hidden) {
        data.hidden = hidden ? 1 : 0;
        changed = true;
    }
    // Whether the session has a tariff, also while its block is hidden or without values: the
    // grid keeps the user's choice of the tariff only for a session that has one.
    TakeTariff(session);
    if (hidden)
        return changed;
    const CString name = document->GetSessionName(session);
    if (name != data.name) {
        data.name = name;
        changed = true;
    }

    // Quantities 48 and 49 come from one trend item: the overview always reads the demand
    // records as logged, the time-range table the graph's demand period and source.
    const bool demand = !(m_timeRange && settings && settings->m_useTrendDataForDemand);
    const int period = m_timeRange && settings ? settings->GetDemandPeriod() : 0;
    const DWORD recorded = demand ? config.GetDemandInterval() : config.GetAveragingInterval();
    STrendAccessSpec recordAccess;
    // A period that the recorded interval does not divide (or a session without one) has no
    // values at that period.
    if (!GetIntervalMultiple(config, period, recordAccess, demand) || (period != 0 && recorded == 0))
        return ClearSession(session) || changed;
    const DWORD itemId = TrendItemForQuantity(config, kForwardEnergy, demand);
    CDataItemTrend* trend = itemId == kNoTrendItem ? nullptr : cache->FindTrendItem(dataSet, itemId, 0, recordAccess);
    if (!trend && itemId != kNoTrendItem)
        trend = cache->GetTrendItem(dataSet, itemId, 0, recordAccess);
    const CTrendTimeBlock* block = trend ? trend->GetTimeBlock() : nullptr;
    if (!block || block->GetIntervalSeconds() <= 0)
        return ClearSession(session) || changed;

    SSelectedTimeRange range;
    range.accessSpec = recordAccess;
    CHighTime begin;
    CHighTime end;
    if (m_timeRange && m_graph && m_graph->GetSelectedTimeRange(session, begin, end)) {
        range.records = FindRecordRange(*block, begin, end);
        range.selected = 1;
    } else {
        range.records = WholeRecordRange(*block);
    }
    // The block's record count stands for its version: its records change only by growing.
    const std::int32_t version = block->GetRecordCount();
    const CEnergyCosts& tariff = SessionTariff(session);
    if (range == m_ranges[std::size_t(session)] && version == data.dataVersion && tariff == data.pricedTariff)
        return changed;
    m_ranges[std::size_t(session)] = range;
    data.dataVersion = version;
    data.pricedTariff = tariff;
    data.ClearValues();
    if (!range.records.IsEmpty()) {
        // A grouped period's energies are summed from the records as written.
        const STrendAccessSpec written{recordAccess.demand, 1};
        const CDataItemTrend* base = nullptr;
        if (recordAccess.IsGrouped()) {
            base = cache->FindTrendItem(dataSet, itemId, 0, written);
            if (!base)
                base = cache->GetTrendItem(dataSet, itemId, 0, written);
        }
        const DWORD quantities[] = {kForwardEnergy, kReverseEnergy};
        const std::vector<std::vector<double>> energies = RecordedEnergies(*trend, base, quantities, range.records);
        CEnergyCostSchedule schedule(tariff);
        ComputeDemandValues(*block, energies[0], energies[1], range.records, schedule, GetCalculationValidRatio(), data);
    }
    if (!(m_timeRange && range.records.IsEmpty()))
        FillTexts(session, *dataSet, *block);
    return true;
}

const CEnergyCosts& CDemandTableView::SessionTariff(int session) const
{
    static const CEnergyCosts kNoTariff;
    CRecDoc* document = GetDocument();
    const SUserSessionSettings* user = document && document->GetUserViewSettings()
                                           ? document->GetUserViewSettings()->GetSession(session)
                                           : nullptr;
    return user ? user->energyCosts : kNoTariff;
}

void CDemandTableView::TakeTariff(int session)
{
    structDemandTableData& data = *m_sessions[std::size_t(session)];
    CRecDoc* document = GetDocument();
    const CEnergyCosts& costs = SessionTariff(session);
    data.tariffEnabled = costs.IsEnabled() ? 1 : 0;
    data.tariffCurrency = costs.GetCurrency();
    // Both costs in the one currency the user chose.
    data.loggerCurrency = SessionCurrency(costs);
    if (const CValueFormatter* formatter = document->GetValueFormatter())
        data.tariffCostText = BuildPriceLine(*formatter, TypedDecimal(costs.GetCostFwd()), TypedDecimal(costs.GetCostRev()),
                                             data.tariffCurrency, true);
    CBasicViewSettings* settings = Settings();
    if (m_timeRange || !costs.IsEnabled() || !settings)
        return;
    if (int(settings->m_costTables.size()) <= session)
        settings->m_costTables.resize(std::size_t(session) + 1);
    SCostTableChoice& choice = settings->m_costTables[std::size_t(session)];
    choice.currencyUnit = costs.GetCurrency();
    choice.costFwd = costs.GetCostFwd();
    choice.costRev = costs.GetCostRev();
}

void CDemandTableView::FillTexts(int session, const CDataSet& dataSet, const CTrendTimeBlock& block)
{
    structDemandTableData& data = *m_sessions[std::size_t(session)];
    const SSelectedTimeRange& range = m_ranges[std::size_t(session)];
    const CMeasurementConfig& config = dataSet.GetMeasurementConfig();
    const bool demand = range.accessSpec.demand != 0;
    const CString labelTag = DemandLabelTag();
    const CString valueTag = DemandValueTag();
    CString text = CMyFont::SharedFontTag(5, false) + " \n";
    auto pair = [&](unsigned label, const CString& value) {
        text += labelTag + LoadTableString(label) + valueTag + " " + value + "\n";
    };
    const CString dateFormat = ExpandDateTimeFormat(kDateTimeFormat);
    CString startText;
    CString endText;
    CString durationText;
    if (!range.records.IsEmpty()) {
        const CHighTime start = block.AlignTime(block.GetBeginTime(range.records.first));
        const CHighTime end = block.AlignTime(block.GetEndTime(range.records.last));
        startText = start.Format(dateFormat.GetString());
        endText = end.Format(dateFormat.GetString());
        durationText = FormatTimeSpanText(end - start);
    }
    pair(tablestr::kTopology, config.GetTopologyName());
    pair(tablestr::kStartDate, startText);
    pair(tablestr::kEndDate, endText);
    pair(tablestr::kDuration, durationText);
    if (demand)
        pair(demandstr::kDemandInterval, config.GetDemandInterval() == 0 ? LoadTableString(demandstr::kNoInterval)
                                                                          : FormatIntervalText(block.GetIntervalSeconds()));
    else
        pair(tablestr::kAveragingInterval, FormatIntervalText(block.GetIntervalSeconds()));
    CString count;
    count.Format("%d", range.records.GetCount());
    pair(demand ? demandstr::kDemandIntervalCount : tablestr::kAveragingIntervalCount, count);
    data.infoText = text;

    data.loggerForwardPrice = TypedDecimal(config.GetForwardEnergyCost());
    data.loggerReversePrice = TypedDecimal(config.GetReverseEnergyCost());
    if (const CValueFormatter* formatter = GetDocument()->GetValueFormatter())
        data.loggerCostText = BuildPriceLine(*formatter, data.loggerForwardPrice, data.loggerReversePrice,
                                             data.loggerCurrency, false);
}

// ---- the time-range table

const SRuntimeClass& CDemandTableTimeRangeView::Class()
{
    static const SRuntimeClass runtimeClass{"CDemandTableTimeRangeView", &CDemandTableView::Class(),
                                            &CreateWindowObject<CDemandTableTimeRangeView>, nullptr};
    return runtimeClass;
}

CDemandTableTimeRangeView::CDemandTableTimeRangeView()
{
    SetViewKind(4);
    m_timeRange = 1;
}
