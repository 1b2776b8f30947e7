#include "study/CalendarGraphView.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/DateTimeFormats.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/QuantityInfo.h"
#include "datamodel/RegionPrefs.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendItemIds.h"
#include "project/RecDoc.h"
#include "study/BasicGraphViewDialogBar.h"
#include "study/CalendarTableView.h"
#include "study/CalendarTableViewDialogBar.h"
#include "study/IOCompUtils.h"
#include "study/PlotNames.h"
#include "study/RecTrendToIOComp.h"
#include "study/SeriesFeed.h"
#include "study/SetupPlot.h"
#include "study/TableStrings.h"
#include "study/WalkThreads.h"
#include "views/SectionWindows.h"
#include "views/SplitFrame.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <iterator>
#include <limits>
#include <utility>

namespace {

constexpr SCalendarParameter kEnergyParameters[] = {
    {41, 4}, {48, 1}, {49, 1}, {5, 4}, {6, 4}, {7, 4}, {0, 3}, {1, 3},
};
constexpr SDataItem kInitialItem{0, 3, -1, 0, false, true};
constexpr UINT kDateTimeFormat = 8066;
constexpr int kTotalButton = 3;
// The calendar's one channel row of the view settings.
constexpr DWORD kChannelRow = 0;
// A session's colour by its running number among the sessions of the study, so that its curve
// looks alike in the thumbnails and in the graph.
constexpr COLORREF kSessionColors[CBasicViewSettings::kMaxSessions] = {RGB(200, 30, 30), RGB(30, 70, 220),
                                                                        RGB(20, 140, 60), RGB(40, 40, 40)};
// The distinct-colour preference: the first channel added in one colour, every further one in
// another, so that the two selected bins never look alike.
constexpr COLORREF kDistinctFirst = RGB(31, 119, 180);
constexpr COLORREF kDistinctFurther = RGB(255, 127, 14);
// The second of two selected bins of one session, beside the session's own colour.
constexpr COLORREF kSecondBinColor = RGB(230, 120, 0);
// Every sample of a session is fed: the thumbnails draw any of its bins.
constexpr double kWholeStart = -1.0e9;
constexpr double kWholeEnd = 1.0e9;
// Where the X markers stand in the shown bin (as the graph base places them first).
constexpr double kXMarkerPercent = 40.0;

bool IsEnergyDirection(DWORD quantity)
{
    return quantity == 48 || quantity == 49;
}

UINT AxisTitleOf(DWORD quantity)
{
    switch (quantity) {
    case 0:
        return tablestr::kVoltage;
    case 1:
        return tablestr::kCurrent;
    case 2:
        return tablestr::kFrequency;
    case 5: case 6: case 7: case 20: case 21: case 22: case 54:
        return tablestr::kPower;
    case 30:
        return tablestr::kThdA;
    case 41: case 48: case 49:
        return tablestr::kEnergy;
    default:
        return 0;
    }
}

} // namespace

const SRuntimeClass& CCalendarGraphView::Class()
{
    static const SRuntimeClass runtimeClass{"CCalendarGraphView", &CMyFormView::Class(), &CreateWindowObject<CCalendarGraphView>, nullptr};
    return runtimeClass;
}

CCalendarGraphView::CCalendarGraphView() : CCalendarGraphView(2, 7, 1) {}

CCalendarGraphView::CCalendarGraphView(int settingsKind, int viewKind, int studyType)
    : CBasicGraphView(settingsKind, viewKind, studyType)
{
    m_calendar = true;
    // Thumbnails need every sample of a session, not a window around the visible range.
    m_windowedFeeding = false;
    m_dataItems = {kInitialItem};
}

std::span<const SCalendarParameter> CCalendarGraphView::Parameters() const
{
    return kEnergyParameters;
}

void CCalendarGraphView::OnUpdate(CWnd* sender, LPARAM hint, CUpdateMsg* hintObject)
{
    // The settings' parameter (the project's, a bookmark's) is the data item when the base
    // sorts the value ranges by their units: a bookmark's range stays with its unit.
    SetParameter(GetSettings().m_calendarViewParameter);
    CBasicGraphView::OnUpdate(sender, hint, hintObject);
}

void CCalendarGraphView::RefreshGraph()
{
    GetPlotControl()->Repaint();
    GetNotes().Replace();
}

void CCalendarGraphView::LinkWindows()
{
    if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
        SetDialogBar(dynamic_cast<CBasicGraphViewDialogBar*>(frame->GetDialogBar()));
    m_calendarTable = g_pSectionWindows ? dynamic_cast<CCalendarTableView*>(g_pSectionWindows->GetSectionView(CalendarTableEntry()))
                                        : nullptr;
    m_optionsBar = m_calendarTable ? m_calendarTable->GetOptionsBar() : nullptr;
    SetTableViews(m_calendarTable, nullptr);
}

void CCalendarGraphView::InitDataItems()
{
    m_dataItems = {kInitialItem};
    // The parameter the project (or a bookmark) chose is the one shown from the first fill.
    SetParameter(GetSettings().m_calendarViewParameter);
}

void CCalendarGraphView::UpdateValueScales()
{
    // Only a selected bin's values are read out; the thumbnails need no scale. Scaling every
    // session's year of records would hold up the page's first show for nothing.
    for (const SCalendarThumbSelection& selection : GetSettings().m_thumbSelections)
        if (IsSessionPresent(selection.session))
            UpdateValueScalesOf(selection.session);
}

bool CCalendarGraphView::IsItemShown(DWORD quantity, int slot) const
{
    const bool studyQuantity = std::any_of(Parameters().begin(), Parameters().end(),
                                           [quantity](const SCalendarParameter& p) { return p.quantity == quantity; });
    return studyQuantity && slot >= 0 && slot < CBasicViewSettings::kChannelPhases &&
           GetSettings().m_channels[0][std::size_t(slot)];
}

void CCalendarGraphView::ConfigurePlot()
{
    SetupPlot(*GetPlotControl(), PlotSetup::kCalendarOptions);
    GetDataToIOComp()->SetDateTimeFormat(ExpandDateTimeFormat(kDateTimeFormat));
    SetYAxisTitle();
}

void CCalendarGraphView::StoreAxisCounts()
{
    GetSettings().m_upperPlot.xAxisCount = CBasicViewSettings::kMaxSessions;
    GetSettings().m_upperPlot.yAxisCount = 1;
    if (m_optionsBar) {
        m_optionsBar->SetSettings(&GetSettings());
        m_optionsBar->SettingsToControls();
    }
}

void CCalendarGraphView::SetParameter(int index)
{
    const auto parameters = Parameters();
    if (index < 0 || index >= int(parameters.size()))
        return;
    SDataItem item = kInitialItem;
    item.quantity = parameters[std::size_t(index)].quantity;
    item.phaseSlots = parameters[std::size_t(index)].phaseSlots;
    m_dataItems = {item};
}

void CCalendarGraphView::SetYAxisTitle()
{
    if (m_dataItems.empty() || !GetDataToIOComp())
        return;
    GetDataToIOComp()->SetYAxis(0, m_dataItems.front().quantity, AxisTitleOf(m_dataItems.front().quantity));
    SetYAxisUnits();
}

bool CCalendarGraphView::IsSessionPresent(int session) const
{
    return session >= 0 && session < int(m_present.size()) && m_present[std::size_t(session)];
}

void CCalendarGraphView::UpdateSessionFlags()
{
    for (int i = 0; i < int(m_present.size()); ++i)
        m_present[std::size_t(i)] = i < GetSessionCount() && IsSessionCompatible(i);
}

bool CCalendarGraphView::AnySessionHolds(DWORD quantity, int slot) const
{
    const CRecDoc* document = GetDocument();
    for (int i = 0; document && i < GetSessionCount(); ++i) {
        if (!IsSessionCompatible(i))
            continue;
        const CMeasurementConfig& config = document->GetDataSet(i)->GetMeasurementConfig();
        CQuantityInfo info(config);
        if (info.Select(quantity) && info.IsOffered(PhaseOfSlot(slot)))
            return true;
    }
    return false;
}

COLORREF CCalendarGraphView::ChannelColor(int session, bool secondBinOfSession) const
{
    if (CRegionPrefs::IsDistinctColorMode())
        return GetDataToIOComp()->GetChannelCount() == 0 ? kDistinctFirst : kDistinctFurther;
    if (secondBinOfSession)
        return kSecondBinColor;
    int running = 0;
    for (int i = 0; i < session; ++i)
        running += IsSessionCompatible(i) ? 1 : 0;
    return kSessionColors[std::size_t(running) % std::size(kSessionColors)];
}

void CCalendarGraphView::AddSessionChannels(int plotSlot, int session, bool secondBinOfSession,
                                            std::vector<SPlacedChannel>* placed)
{
    CRecDoc* document = GetDocument();
    CDataSet* set = document ? document->GetDataSet(session) : nullptr;
    CRecTrendToIOComp* feeder = GetDataToIOComp();
    if (!set || !feeder || m_dataItems.empty() || !IsSessionPresent(session))
        return;
    const SDataItem& item = m_dataItems.front();
    const CMeasurementConfig& config = set->GetMeasurementConfig();
    const DWORD itemId = TrendItemForQuantity(config, item.quantity, false);
    if (itemId == kNoTrendItem)
        return;
    CDataItemTrend* trendItem = feeder->ProvideTrendItem(session, itemId, {0, 1});
    if (!trendItem || !trendItem->GetTimeBlock())
        return;
    for (int slot = 0; slot < item.phaseSlots; ++slot) {
        if (!IsItemShown(item.quantity, slot))
            continue;
        const DWORD phase = DWORD(PhaseOfSlot(slot));
        std::unique_ptr<CTrendChannel> trend = trendItem->GetChannel(item.quantity, phase);
        if (!trend)
            continue;
        const float scale = item.quantity == 54 ? float(NominalVoltageFactor(session)) : 1.0f;
        if (item.quantity == 54)
            trend->Scale(scale);
        const int channel = feeder->AddChannel(session, GetDataItemName(item, slot), phase, kStatAvg, ChannelColor(session, secondBinOfSession));
        feeder->SetChannelQuantity(channel, item.quantity);
        SFeederChannel* entry = feeder->GetChannelEntry(channel);
        entry->slot = slot;
        entry->flags = kChannelRow;
        if (!placed) {
            feeder->FeedChannel(channel, *trend, *trendItem->GetTimeBlock(), false, plotSlot, kWholeStart, kWholeEnd);
            continue;
        }
        feeder->PlaceChannel(channel, plotSlot, kWholeStart, kWholeEnd);
        // Fed when the session's first picture is drawn: the trend item is looked up again then,
        // not held (the cache may have let this one go).
        m_pointFeeds.resize(std::size_t(channel) + 1);
        m_pointFeeds[std::size_t(channel)] = [document, session, itemId, quantity = item.quantity, phase,
                                              scale](CPlotChannel& plot) {
            CDataItemTrend* source = CRecTrendToIOComp::ProvideTrendItem(document, session, itemId, {0, 1});
            std::unique_ptr<CTrendChannel> points = source ? source->GetChannel(quantity, phase) : nullptr;
            if (!points || !source->GetTimeBlock())
                return;
            if (quantity == 54)
                points->Scale(scale);
            if (const ITrendChannelAccess* access = points->GetAccess(kStatAvg))
                CRecTrendToIOComp::FeedPoints(plot, *access, int(points->GetRecordCount()), *source->GetTimeBlock(),
                                              kWholeStart, kWholeEnd);
        };
        placed->push_back({channel, std::move(trend), trendItem->GetTimeBlock()});
    }
}

void CCalendarGraphView::SetValueRanges(const std::vector<SPlacedChannel>& placed)
{
    // A session's year of records is read at the pace of its cache misses: every session is cut
    // into pieces, each taken by whichever walk thread is free (the records are only read), so
    // that a few sessions keep every thread busy. First the latest date of each piece, which the
    // next ones start from, then the values.
    static constexpr std::size_t kPiecesPerSession = 8;
    static constexpr float kNone = std::numeric_limits<float>::infinity();
    struct SChannelRange
    {
        CSeriesFeed feed;
        const ITrendChannelAccess* access;
        int records;
        std::vector<double> latest = std::vector<double>(kPiecesPerSession); // then where each starts
        std::vector<float> lows = std::vector<float>(kPiecesPerSession, kNone);
        std::vector<float> highs = std::vector<float>(kPiecesPerSession, -kNone);
    };
    std::vector<SChannelRange> channels;
    channels.reserve(placed.size());
    for (const SPlacedChannel& channel : placed)
        channels.push_back({CSeriesFeed(*channel.block, kWholeStart, kWholeEnd, 0.0), channel.trend->GetAccess(kStatAvg),
                            int(channel.trend->GetRecordCount())});
    const std::size_t pieces = channels.size() * kPiecesPerSession;
    if (pieces == 0)
        return;
    const auto inParallel = [&](const std::function<void(SChannelRange&, std::size_t)>& work) {
        std::atomic<std::size_t> next{0};
        const std::function<void()> takeAll = [&] {
            for (std::size_t k = next++; k < pieces; k = next++)
                work(channels[k / kPiecesPerSession], k % kPiecesPerSession);
        };
        RunWithWalkThreads(std::min(pieces, MachineWalks()) - 1, takeAll, takeAll);
    };
    inParallel([](SChannelRange& c, std::size_t k) { c.latest[k] = c.feed.LatestDate(k, kPiecesPerSession); });
    // Each piece starts from the latest date of the pieces before it.
    for (SChannelRange& c : channels) {
        double before = -std::numeric_limits<double>::infinity();
        for (double& latest : c.latest)
            before = std::max(before, std::exchange(latest, before));
    }
    inParallel([](SChannelRange& c, std::size_t k) {
        if (c.access)
            c.feed.PieceValueRange(*c.access, c.records, k, kPiecesPerSession, c.latest[k], c.lows[k], c.highs[k]);
    });
    CiPlotX& chart = *GetPlotControl();
    for (std::size_t i = 0; i < placed.size(); ++i) {
        // The pieces in order, as one walk would meet their values.
        float low = kNone;
        float high = -kNone;
        for (std::size_t k = 0; k < kPiecesPerSession; ++k) {
            low = std::min(low, channels[i].lows[k]);
            high = std::max(high, channels[i].highs[k]);
        }
        if (CPlotChannel* plot = chart.GetChannel(placed[i].channel); plot && low <= high)
            plot->SetDataRange(low, high);
    }
}

void CCalendarGraphView::ApplyOptions(bool pointsOnDemand)
{
    CBasicViewSettings& settings = GetSettings();
    if (m_optionsBar)
        SetParameter(m_optionsBar->GetCheckedParameter());
    // The channels are titled with the parameter's quantity and phase, as the readouts show them.
    CollectPlottedSelectors();
    if (GetDialogBar())
        GetDialogBar()->SettingsToControls();
    if (m_dataItems.empty())
        return;
    const SDataItem& item = m_dataItems.front();
    const bool energyDirection = IsEnergyDirection(item.quantity);
    int chosen = m_optionsBar ? m_optionsBar->GetCheckedChannel() : settings.m_calendarViewChannel;
    int firstEnabled = -1;
    std::array<bool, CBasicViewSettings::kChannelPhases> enabled{};
    for (int k = 0; k < CBasicViewSettings::kChannelPhases; ++k) {
        enabled[std::size_t(k)] = energyDirection ? k == kTotalButton && AnySessionHolds(item.quantity, 0)
                                                  : k < item.phaseSlots && AnySessionHolds(item.quantity, k);
        if (enabled[std::size_t(k)] && firstEnabled < 0)
            firstEnabled = k;
        if (m_optionsBar)
            m_optionsBar->EnableChannel(k, enabled[std::size_t(k)]);
    }
    int corrected = chosen;
    if (energyDirection)
        corrected = kTotalButton;
    else if (chosen < 0 || chosen >= item.phaseSlots || !enabled[std::size_t(chosen)])
        corrected = std::max(firstEnabled, 0);
    if (corrected != chosen && m_optionsBar)
        m_optionsBar->CheckChannel(corrected);
    settings.m_calendarViewChannel = corrected;
    for (auto& flag : settings.m_channels[0])
        flag = false;
    settings.m_channels[0][std::size_t(energyDirection ? 0 : corrected)] = true;

    SetYAxisTitle();
    UpdateSessionFlags();
    CRecTrendToIOComp* feeder = GetDataToIOComp();
    if (!feeder)
        return;
    CGraphEventScope scope(*this);
    feeder->ClearChannels();
    m_pointFeeds.clear();
    std::vector<SPlacedChannel> placed;
    for (int session = 0; session < int(m_present.size()); ++session)
        AddSessionChannels(session, session, false, pointsOnDemand ? &placed : nullptr);
    SetValueRanges(placed);
    feeder->Finish();
    RemakeTimeRangeMarkers();
    settings.SetPresent(true);
    CiPlotX& chart = *GetPlotControl();
    for (int i = 0; i < chart.GetXAxisCount(); ++i)
        chart.GetXAxis(i)->SetVisible(IsSessionPresent(i));
    chart.AutoScaleYAxes();
    RecalcLayout();
    chart.Repaint();
}

void CCalendarGraphView::ShowSelection()
{
    CBasicViewSettings& settings = GetSettings();
    CRecTrendToIOComp* feeder = GetDataToIOComp();
    if (!feeder)
        return;
    CGraphEventScope scope(*this);
    UpdateSessionFlags();
    // The table's two records, compacted, become the settings' (kept with the project and bookmarks).
    std::array<structCalendarSelection, 2> selected{};
    if (m_calendarTable) {
        int next = 0;
        for (const structCalendarSelection& record : m_calendarTable->GetSessionList().selections)
            if (record.HasSession())
                selected[std::size_t(next++)] = record;
    }
    for (std::size_t r = 0; r < 2; ++r)
        settings.m_thumbSelections[r] = {selected[r].session, selected[r].bin, selected[r].row, selected[r].column};
    UpdateValueScales();

    feeder->ClearChannels();
    m_pointFeeds.clear();
    for (int r = 0; r < 2; ++r)
        if (selected[std::size_t(r)].HasSession())
            AddSessionChannels(r, selected[std::size_t(r)].session, r == 1 && selected[1].session == selected[0].session);
    // The bar's session boxes name the sessions of the bins shown.
    if (GetDialogBar()) {
        std::vector<bool> shown(std::size_t(std::min(GetSessionCount(), CBasicViewSettings::kMaxSessions)), false);
        for (const structCalendarSelection& record : selected)
            if (record.HasSession() && record.session < int(shown.size()))
                shown[std::size_t(record.session)] = true;
        GetDialogBar()->ShowSessionsShown(shown);
    }
    // The channels follow the view settings (the chosen channel of the calendar's row).
    feeder->SyncChannels(settings, false);
    feeder->Finish();
    RemakeTimeRangeMarkers();
    CiPlotX& chart = *GetPlotControl();
    for (int i = 0; i < chart.GetXAxisCount(); ++i)
        chart.GetXAxis(i)->SetVisible(i < 2 && selected[std::size_t(i)].HasSession());
    const bool bookmark = IsBookmarkApplied();
    const bool shown = selected[0].HasSession();
    double lower = 0.0;
    double upper = 0.0;
    bool ranged = false;
    for (int r = 0; r < 2; ++r) {
        const structCalendarSelection& record = selected[std::size_t(r)];
        if (!record.HasSession())
            continue;
        if (bookmark) {
            const SAxisRange& stored = settings.m_upperPlot.xAxes[std::size_t(r)];
            chart.SetXAxisRange(r, stored.min, stored.span);
            continue;
        }
        const structCalendarBins* bins = m_calendarTable ? m_calendarTable->GetSessionList().BinsOf(record.session) : nullptr;
        if (!bins || record.bin < 0 || record.bin >= bins->count)
            continue;
        const structCalendarBin& bin = bins->bins[std::size_t(record.bin)];
        chart.SetXAxisRange(r, bin.start, bin.width);
        lower = ranged ? std::min(lower, bins->lower) : bins->lower;
        upper = ranged ? std::max(upper, bins->upper) : bins->upper;
        ranged = true;
    }
    // The value axis takes the thumbnails' common range for new options and then keeps what it
    // shows (that range, the user's own scale, a bookmark's) while the user steps through bins
    // and while the document changes; the settings hold it from each show with bins.
    const SAxisRange& held = settings.m_upperPlot.yAxes[0];
    const SValueScaleKey key{m_dataItems.empty() ? kNoQuantity : m_dataItems.front().quantity, settings.m_calendarViewChannel};
    if (shown && held.span > 0.0 && (bookmark || key == m_scaleKey || m_scaleKey.quantity == kUnknownScale)) {
        lower = held.min;
        upper = held.min + held.span;
        ranged = true;
    }
    m_scaleKey = shown ? key : SValueScaleKey{kNoScale, -1};
    if (ranged && upper > lower && chart.GetYAxisCount() > 0) {
        chart.SetYAxisRange(0, lower, upper - lower);
        feeder->SetYAxisRange(0, lower, upper);
        feeder->SetYAxisManual(0, true);
        chart.GetYAxis(0)->SetManual(true);
    } else {
        chart.AutoScaleYAxes();
    }
    if (shown)
        UpdateXAxisPickers();
    RecalcLayout();
    for (int r = 0; r < 2; ++r)
        if (selected[std::size_t(r)].HasSession())
            CustomXAxis(r);
    if (!bookmark && shown)
        IOCompUtils::PlaceXMarkers(chart, 0, kXMarkerPercent, 100.0 - kXMarkerPercent);
    chart.Repaint();
    GetNotes().Replace();
    if (settings.m_setWorkingHours)
        DrawWorkingHours();
    // What is shown now is what the project and a bookmark keep.
    if (!bookmark && shown)
        SyncViewSettings();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE | RDW_FRAME);
}

LRESULT CCalendarGraphView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CALENDAR_APPLY_OPTIONS:
        ApplyOptions(true);
        return 0;
    case WM_CALENDAR_SHOW_SELECTION:
        ShowSelection();
        return 0;
    default:
        return CBasicGraphView::WindowProc(message, wParam, lParam);
    }
}
