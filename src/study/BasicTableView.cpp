#include "study/BasicTableView.h"

#include "datamodel/CalculationValidRatio.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/DateTimeFormats.h"
#include "datamodel/FiniteRecords.h"
#include "datamodel/IntervalText.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/QuantityInfo.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/TrendTimeBlock.h"
#include "datamodel/ValueFormatter.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/BasicViewSettings.h"
#include "project/RecDoc.h"
#include "study/FrameBarNotify.h"
#include "study/LinkedGraphView.h"
#include "study/TableSectionCommands.h"
#include "study/TableStatistics.h"
#include "study/TableStrings.h"
#include "views/CaptureWindowRect.h"
#include "views/MainWindow.h"
#include "views/MyFont.h"
#include "views/MySplitterWnd.h"
#include "views/SectionWindows.h"
#include "views/SplitFrame.h"
#include "views/TimeSpanText.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr UINT kCollapseCommand = 33047;
constexpr UINT kFullWindowCommand = 33048;
constexpr UINT kCopyCommand = 33054;
constexpr UINT kBookmarkCommand = 33055;
constexpr UINT kFirstSelectorCommand = 33074;
constexpr UINT kLastSelectorCommand = 33078;
constexpr int kTitleEditId = 10002;
constexpr int kEnergyStudy = 1;
constexpr int kLoadStudy = 2;
constexpr int kTimeRangeFullWindowMode = 2;
constexpr int kDateTimeFormat = 8066;

} // namespace

CBasicTableView::CBasicTableView() : CMyFormView(kTemplateId) {}

CBasicTableView::~CBasicTableView() = default;

// ---- hooks

void CBasicTableView::SetToolBarCheck(UINT command)
{
    if (g_pSectionWindows)
        g_pSectionWindows->MarkViewSelectors(GetStudyKind() == kLoadStudy, command);
}

void CBasicTableView::CreateGrid()
{
    CRecDoc* document = GetDocument();
    m_grid = std::make_unique<CSummaryGrid>(this, document ? document->GetValueFormatter() : nullptr, m_sectionCount);
    PrepareGrid(*m_grid);
    CRect client;
    GetClientRect(&client);
    m_grid->CreateGrid(WS_CHILD, client, this, kGridId);
    const int kind = GetViewKind();
    if (kind == 11 || kind == 12 || kind == 22 || kind == 23)
        m_grid->HidePhaseGroup(CMyBasicSummaryGrid::kTotalGroup);
    m_grid->ShowWindow(SW_SHOW);
}

void CBasicTableView::SetSectionTitles(structSummaryTableData&) {}

void CBasicTableView::InitDataItems() {}

void CBasicTableView::LinkWindows() {}

// ---- lifecycle

void CBasicTableView::OnInitialUpdate()
{
    CMyFormView::OnInitialUpdate();
    LinkWindows();
    InitDataItems();
    ResizeViewAndRecalcFrame(GetContentRect());
    CreateGrid();
    UpdateScrollSizes();
    SetToolBarCheck(kFirstSelectorCommand);
    // A page without a graph view has no one to ask for the first fill.
    if (!m_linkedView)
        Refill(true);
}

void CBasicTableView::OnSize(UINT type, int cx, int cy)
{
    CMyFormView::OnSize(type, cx, cy);
    if (m_grid && m_grid->GetSafeHwnd())
        m_grid->OnParentSize(false);
    UpdateScrollSizes();
}

BOOL CBasicTableView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return NotifyFrameBars(*this, wParam, lParam, result) || CMyFormView::OnNotify(wParam, lParam, result);
}

int CBasicTableView::GetStudyKind() const
{
    return m_linkedView ? m_linkedView->GetStudyKind() : kEnergyStudy;
}

// ---- messages

LRESULT CBasicTableView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TABLE_REFILL:
        Refill(wParam == kRefillForce || wParam == kRefillClear);
        return 0;
    case WM_TABLE_NOMINAL_VOLTAGE:
        OnNominalVoltage(int(wParam), lParam);
        return 0;
    case WM_TABLE_COLLAPSE_STATE:
        if (wParam)
            OnCollapseState(*reinterpret_cast<const CString*>(wParam));
        return 0;
    case WM_SECTION_TOGGLE:
        if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
            frame->ToggleSection(0);
        return 0;
    case WM_LBUTTONDOWN:
        return 0;
    default:
        return CMyFormView::WindowProc(message, wParam, lParam);
    }
}

void CBasicTableView::Refill(bool force)
{
    const bool changed = RebuildSessionData(force);
    if (!m_grid)
        return;
    if (changed) {
        m_grid->SetData(&m_sessions);
        Invalidate(TRUE);
        UpdateWindow();
        CMyToolBar* toolBar = TableSectionToolBar(*this);
        CBasicViewSettings* settings = m_linkedView ? m_linkedView->GetGraphSettings() : nullptr;
        if (toolBar && settings)
            toolBar->SetEditText(m_timeRange ? settings->m_toolbarEdit.TimeRangeTable : settings->m_toolbarEdit.Table);
    }
    m_grid->ApplyCollapseState(CMyFormView::GetTitle());
    m_grid->ApplyHiddenFlags();
}

CString CBasicTableView::GetTitle() const
{
    return m_grid ? m_grid->GetCollapseState() : CString();
}

void CBasicTableView::OnNominalVoltage(int session, LPARAM record)
{
    CRecDoc* document = GetDocument();
    CDataSet* dataSet = document ? document->GetDataSet(session) : nullptr;
    CBasicViewSettings* settings = m_linkedView ? m_linkedView->GetGraphSettings() : nullptr;
    if (!dataSet || !settings)
        return;
    const CMeasurementConfig& config = dataSet->GetMeasurementConfig();
    if (record) {
        const auto* nominal = reinterpret_cast<const SNominalVoltageRecord*>(record);
        settings->SetNominalVoltage(session, config, nominal->voltage, nominal->topology);
    } else if (session >= 0 && session < int(m_sessions.size())) {
        const structSummaryTableData& data = *m_sessions[std::size_t(session)];
        settings->SetNominalVoltage(session, config, data.nominalVoltage, data.nominalTopology);
    }
    if (CWnd* graph = m_linkedView->GetGraphWindow())
        graph->SendMessage(WM_GRAPH_SETTINGS_CHANGED, 0, 0);
}

void CBasicTableView::OnCollapseState(const CString& state)
{
    SetTitle(state);
    if (m_linkedView)
        m_linkedView->SetTableStateText(m_timeRange != 0, state);
}

int CBasicTableView::ViewIdOfSelector(UINT command) const
{
    const int index = int(command - kFirstSelectorCommand);
    if (GetStudyKind() == kLoadStudy) {
        constexpr int kLoadViews[] = {5, 6, 8};
        return index >= 0 && index < 3 ? kLoadViews[index] : -1;
    }
    return index >= 0 && index <= 4 ? index : -1;
}

BOOL CBasicTableView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT command = LOWORD(wParam);
    auto* frame = dynamic_cast<CSplitFrame*>(GetParent());
    // Kept as typed: the field may still hold the focus when another page is shown.
    if (command == kTitleEditId && (HIWORD(wParam) == EN_CHANGE || HIWORD(wParam) == EN_KILLFOCUS)) {
        OnEditFieldLeft();
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
        if (m_linkedView)
            m_linkedView->UpdateTimeRangeSection();
        return TRUE;
    case kCopyCommand:
        CopyTableSectionToClipboard(*this);
        return TRUE;
    case kBookmarkCommand:
        AddTableSectionBookmark(*this, m_fullWindow != 0);
        return TRUE;
    default:
        break;
    }
    if (command >= kFirstSelectorCommand && command <= kLastSelectorCommand) {
        const int viewId = ViewIdOfSelector(command);
        if (CWnd* main = GetMainWindow(); main && viewId >= 0)
            main->PostMessage(WM_SHOW_STUDY_VIEW_ID, WPARAM(viewId), 0);
        return TRUE;
    }
    return CMyFormView::OnCommand(wParam, lParam);
}

void CBasicTableView::OnEditFieldLeft()
{
    CMyToolBar* toolBar = TableSectionToolBar(*this);
    CBasicViewSettings* settings = m_linkedView ? m_linkedView->GetGraphSettings() : nullptr;
    if (toolBar && settings)
        (m_timeRange ? settings->m_toolbarEdit.TimeRangeTable : settings->m_toolbarEdit.Table) =
            toolBar->GetUserEditText();
}

// ---- the session data

bool CBasicTableView::RebuildSessionData(bool force)
{
    CRecDoc* document = GetDocument();
    const int count = document ? document->GetDataSetCount() : 0;
    bool changed = false;
    bool recomputeAll = force;
    if (int(m_ranges.size()) != count) {
        m_ranges.assign(std::size_t(count), SSelectedTimeRange{});
        changed = true;
    }
    if (int(m_sessions.size()) != count) {
        while (int(m_sessions.size()) < count)
            m_sessions.push_back(std::make_unique<structSummaryTableData>());
        m_sessions.resize(std::size_t(count));
        m_validRuns.assign(std::size_t(count), {});
        recomputeAll = true;
        changed = true;
    }
    if (m_grid)
        m_grid->SetSessionCount(count);
    for (int i = 0; i < count; ++i)
        changed = RebuildSession(i, recomputeAll) || changed;
    return changed;
}

CDataItemTrend* CBasicTableView::FindFirstItem(CDataSet& dataSet, STrendAccessSpec& recordAccess, int& displayInterval) const
{
    CTrendCache* cache = GetDocument()->GetTrendCache();
    const CMeasurementConfig& config = dataSet.GetMeasurementConfig();
    const CBasicViewSettings* settings = m_linkedView ? m_linkedView->GetGraphSettings() : nullptr;
    for (const SDataItem& item : m_dataItems) {
        if (item.quantity == 121)
            continue;
        const int display = item.useDemandPeriod && settings ? settings->GetDemandPeriod() : 0;
        STrendAccessSpec itemSpec;
        GetIntervalMultiple(config, display, itemSpec, item.demandRecords);
        const DWORD itemId = TrendItemForQuantity(config, item.quantity, itemSpec.demand != 0);
        if (itemId == kNoTrendItem || !cache)
            continue;
        CDataItemTrend* trend = cache->FindTrendItem(&dataSet, itemId, 0, itemSpec);
        if (!trend)
            trend = cache->GetTrendItem(&dataSet, itemId, 0, itemSpec);
        if (trend && trend->GetTimeBlock()) {
            recordAccess = itemSpec;
            const CTrendTimeBlock& block = *trend->GetTimeBlock();
            displayInterval = block.GetAccessSpec().IsGrouped() ? block.GetIntervalSeconds() : 0;
            return trend;
        }
    }
    return nullptr;
}

SSelectedTimeRange CBasicTableView::SelectRange(int session, const CTrendTimeBlock& block,
                                                const STrendAccessSpec& recordAccess) const
{
    SSelectedTimeRange range;
    range.accessSpec = recordAccess;
    CHighTime begin;
    CHighTime end;
    if (m_timeRange && m_linkedView && m_linkedView->GetSelectedTimeRange(session, begin, end)) {
        range.records = FindRecordRange(block, begin, end);
        range.selected = 1;
    } else {
        range.records = WholeRecordRange(block);
    }
    return range;
}

bool CBasicTableView::RebuildSession(int session, bool recompute)
{
    structSummaryTableData& data = *m_sessions[std::size_t(session)];
    CRecDoc* document = GetDocument();
    CDataSet* dataSet = document->GetDataSet(session);
    if (!dataSet)
        return false;
    const CMeasurementConfig& config = dataSet->GetMeasurementConfig();
    bool hidden = !config.IsStudyTypeCompatible(GetStudyKind());
    const CBasicViewSettings* settings = m_linkedView ? m_linkedView->GetGraphSettings() : nullptr;
    if (m_timeRange && settings && session < CBasicViewSettings::kMaxSessions &&
        !settings->m_sessions[std::size_t(session)])
        hidden = true;
    bool changed = (data.hidden != 0) != hidden;
    if (hidden) {
        data.Reset();
        data.hidden = 1;
        m_ranges[std::size_t(session)] = SSelectedTimeRange{};
        return changed;
    }
    data.hidden = 0;
    const CString name = document->GetSessionName(session);
    if (name != data.name) {
        data.name = name;
        changed = true;
    }

    STrendAccessSpec recordAccess;
    int displayInterval = 0;
    CDataItemTrend* first = FindFirstItem(*dataSet, recordAccess, displayInterval);
    if (!first)
        return changed;
    const CTrendTimeBlock& block = *first->GetTimeBlock();
    const SSelectedTimeRange range = SelectRange(session, block, recordAccess);
    // Found once per way of reading the records: a session shown only later, or read at another
    // interval, has none yet for them.
    if (const SValidRuns& runs = m_validRuns[std::size_t(session)]; !runs.found || !(runs.accessSpec == recordAccess))
        ComputeValidRuns(session, *dataSet, recordAccess, block.GetRecordCount());
    if (!recompute && range == m_ranges[std::size_t(session)])
        return changed;
    m_ranges[std::size_t(session)] = range;
    FillSession(session, *dataSet, block, displayInterval);
    return true;
}

void CBasicTableView::ComputeValidRuns(int session, CDataSet& dataSet, const STrendAccessSpec& recordAccess, int recordCount)
{
    CTrendCache* cache = GetDocument()->GetTrendCache();
    const CMeasurementConfig& config = dataSet.GetMeasurementConfig();
    CQuantityInfo info(config);
    std::vector<bool> marked(std::size_t(std::max(recordCount, 0)), false);
    std::vector<SSeriesRequest> averages;
    for (const SDataItem& item : m_dataItems) {
        if (item.quantity == 121 || !cache)
            continue;
        const DWORD itemId = TrendItemForQuantity(config, item.quantity, recordAccess.demand != 0);
        CDataItemTrend* trend = itemId == kNoTrendItem ? nullptr : cache->FindTrendItem(&dataSet, itemId, 0, recordAccess);
        if (!trend && itemId != kNoTrendItem)
            trend = cache->GetTrendItem(&dataSet, itemId, 0, recordAccess);
        if (!trend)
            continue;
        for (int slot = 0; slot < item.phaseSlots; ++slot) {
            const int phase = PhaseOfSlot(slot);
            if (info.IsAvailable({item.quantity, phase, kStatAvg}, 0))
                averages.push_back({trend, item.quantity, DWORD(phase), 1});
        }
    }
    MarkFiniteRecords(averages, marked);
    SValidRuns& valid = m_validRuns[std::size_t(session)];
    valid.found = true;
    valid.accessSpec = recordAccess;
    std::vector<SRecordRange>& runs = valid.runs;
    runs.clear();
    // Run by run rather than record by record: a session is mostly one run.
    for (auto first = std::find(marked.begin(), marked.end(), true); first != marked.end();) {
        const auto end = std::find(first, marked.end(), false);
        runs.push_back({int(first - marked.begin()), int(end - marked.begin()) - 1});
        first = std::find(end, marked.end(), true);
    }
}

void CBasicTableView::FillSession(int session, CDataSet& dataSet, const CTrendTimeBlock& block, int displayInterval)
{
    structSummaryTableData& data = *m_sessions[std::size_t(session)];
    const SSelectedTimeRange& range = m_ranges[std::size_t(session)];
    CRecDoc* document = GetDocument();
    const CMeasurementConfig& config = dataSet.GetMeasurementConfig();
    CQuantityInfo info(config);
    data.Reset();
    data.displayInterval = displayInterval;
    SetSectionTitles(data);
    for (std::size_t r = 0; r < m_dataItems.size() && r < data.rows.size(); ++r) {
        const SDataItem& item = m_dataItems[r];
        SSummaryTableRow& row = data.rows[r];
        row.quantity = std::uint32_t(item.quantity);
        row.recordKind = item.demandRecords ? 1 : 0;
        if (item.quantity == 121)
            continue;
        for (int slot = 0; slot < item.phaseSlots; ++slot) {
            CString phaseName = info.GetPhaseText({item.quantity, PhaseOfSlot(slot), kStatAvg}, 0);
            // The total's resource text ends in a marker underscore that a column heading leaves out.
            if (phaseName.GetLength() > 1 && phaseName[phaseName.GetLength() - 1] == '_')
                phaseName = phaseName.Left(phaseName.GetLength() - 1);
            row.phaseNames[std::size_t(slot)] = phaseName;
        }
    }
    const CBasicViewSettings* settings = m_linkedView ? m_linkedView->GetGraphSettings() : nullptr;
    if (settings) {
        settings->GetNominalVoltage(session, config, data.nominalVoltage, data.nominalTopology);
    } else {
        data.nominalVoltage = config.GetNominalVoltage();
        data.nominalTopology = config.IsPhaseToPhaseDefault() ? 1 : 0;
    }
    data.topology = config.GetTopology();

    if (!range.records.IsEmpty()) {
        const float factor = m_linkedView ? m_linkedView->GetNominalVoltageFactor(session) : 1.0f;
        CTableStatistics statistics(*document->GetTrendCache(), dataSet, range.accessSpec, range.records,
                                    GetCalculationValidRatio(), factor);
        statistics.Prepare(StatisticsCells());
        CValueFormatter* formatter = document->GetValueFormatter();
        for (std::size_t r = 0; r < m_dataItems.size() && r < data.rows.size(); ++r) {
            const SDataItem& item = m_dataItems[r];
            if (item.quantity == 121)
                continue;
            SValueScaleSelection selection;
            selection.quantity = item.quantity;
            for (int slot = 0; slot < item.phaseSlots; ++slot) {
                const int phase = PhaseOfSlot(slot);
                selection.phases[std::size_t(phase)] = true;
                statistics.FillCell(item.quantity, phase, data.rows[r].cells[std::size_t(slot)]);
            }
            const DWORD itemId = TrendItemForQuantity(config, item.quantity, range.accessSpec.demand != 0);
            CDataItemTrend* trend = itemId == kNoTrendItem
                                        ? nullptr
                                        : document->GetTrendCache()->FindTrendItem(&dataSet, itemId, 0, range.accessSpec);
            if (formatter && trend)
                formatter->ComputeScaleFromData(selection, *trend);
        }
    }
    if (!(m_timeRange && range.records.IsEmpty()))
        FillSummaryText(session, dataSet, block);
}

std::vector<SStatisticsCell> CBasicTableView::StatisticsCells() const
{
    std::vector<SStatisticsCell> cells;
    for (const SDataItem& item : m_dataItems)
        if (item.quantity != 121)
            for (int slot = 0; slot < item.phaseSlots; ++slot)
                cells.push_back({item.quantity, PhaseOfSlot(slot)});
    return cells;
}

void CBasicTableView::PrepareStatistics(int session, std::span<const SSeriesRequest> wholeSeries)
{
    CRecDoc* document = GetDocument();
    CDataSet* dataSet = document ? document->GetDataSet(session) : nullptr;
    if (!dataSet || !dataSet->GetMeasurementConfig().IsStudyTypeCompatible(GetStudyKind()))
        return;
    STrendAccessSpec recordAccess;
    int displayInterval = 0;
    const CDataItemTrend* first = FindFirstItem(*dataSet, recordAccess, displayInterval);
    if (!first)
        return;
    const SRecordRange whole = WholeRecordRange(*first->GetTimeBlock());
    if (whole.IsEmpty())
        return;
    const float factor = m_linkedView ? m_linkedView->GetNominalVoltageFactor(session) : 1.0f;
    CTableStatistics statistics(*document->GetTrendCache(), *dataSet, recordAccess, whole, GetCalculationValidRatio(),
                                factor);
    statistics.Prepare(StatisticsCells(), wholeSeries);
}

void CBasicTableView::FillSummaryText(int session, const CDataSet& dataSet, const CTrendTimeBlock& block)
{
    structSummaryTableData& data = *m_sessions[std::size_t(session)];
    const SSelectedTimeRange& range = m_ranges[std::size_t(session)];
    const CMeasurementConfig& config = dataSet.GetMeasurementConfig();
    const CString labelTag = CMyFont::SharedFontTag(11, false);
    const CString valueTag = CMyFont::SharedFontTag(12, true);
    const CString smallTag = CMyFont::SharedFontTag(5, false);
    CString text = CMyFont::SharedFontTag(10, false) + " \n";
    auto pair = [&](unsigned label, const CString& value) {
        text += labelTag + LoadTableString(label) + "\n";
        text += valueTag + value + "\n" + smallTag + " \n";
    };
    const CString dateFormat = ExpandDateTimeFormat(kDateTimeFormat);
    const int first = range.records.first;
    const int last = range.records.IsEmpty() ? block.GetRecordCount() - 1 : range.records.last;
    const CHighTime start = block.AlignTime(block.GetBeginTime(first));
    const CHighTime end = block.AlignTime(block.GetEndTime(last));
    const int records = std::max(0, last - first + 1);
    int covered = 0;
    for (const SRecordRange& run : m_validRuns[std::size_t(session)].runs)
        covered += std::max(0, std::min(run.last, last) - std::max(run.first, first) + 1);

    pair(tablestr::kStudyType, config.GetStudyTypeName());
    pair(tablestr::kTopology, config.GetTopologyName());
    pair(tablestr::kStartDate, start.Format(dateFormat.GetString()));
    pair(tablestr::kEndDate, end.Format(dateFormat.GetString()));
    pair(tablestr::kDuration, FormatTimeSpanText(end - start));
    pair(tablestr::kAveragingInterval, FormatIntervalText(block.GetIntervalSeconds()));
    CString count;
    if (covered >= 1)
        count.Format("%d (%d)", covered, records);
    else
        count.Format("%d", records);
    pair(tablestr::kAveragingIntervalCount, count);
    data.summaryText = text;
}
