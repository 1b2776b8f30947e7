// The commands and notifications the graph view base answers: its dialog bar's controls, its form
// button and axis controls, its section toolbar, its timers and the private messages of the
// document, the table views, the toolbar and the note manager.
#include "study/BasicGraphView.h"

#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/Messages.h"
#include "project/ProjectManagerChange.h"
#include "project/RecDoc.h"
#include "study/BasicGraphViewDialogBar.h"
#include "study/DemandPeriodChoices.h"
#include "study/IOCompUtils.h"
#include "study/RecTrendToIOComp.h"
#include "views/CaptureWindowRect.h"
#include "views/MainWindow.h"
#include "views/MySplitterWnd.h"
#include "views/MyToolBar.h"
#include "views/SplitFrame.h"

namespace {

constexpr UINT kSectionCollapse = 33047;
constexpr UINT kFullWindow = 33048;
constexpr UINT kZoomIn = 33049;
constexpr UINT kZoomOut = 33050;
constexpr UINT kNotesMode = 33051;
constexpr UINT kCopyToClipboard = 33054;
constexpr UINT kBookmarkCapture = 33055;
constexpr UINT kToolbarEdit = 10002;

bool InRange(UINT id, UINT first, UINT last)
{
    return id >= first && id <= last;
}

CMyToolBar* SectionToolBar(const CWnd* view)
{
    auto* frame = dynamic_cast<CSplitFrame*>(view->GetParent());
    return frame ? frame->GetMyToolBar(0) : nullptr;
}

} // namespace

bool CBasicGraphView::ApplyDialogBarState()
{
    auto* frame = dynamic_cast<CSplitFrame*>(GetParent());
    if (!frame || !m_dialogBar || !m_dialogBar->GetSafeHwnd())
        return false;
    const bool shown = (m_dialogBar->GetStyle() & WS_VISIBLE) != 0;
    if (shown != !m_settings.m_graphOptionsCollapse) {
        m_dialogBar->ShowWindow(m_settings.m_graphOptionsCollapse ? SW_HIDE : SW_SHOW);
        frame->RecalcLayout();
        return true;
    }
    return false;
}

bool CBasicGraphView::IsTimerRunning(UINT_PTR id) const
{
    return id >= kFeedTimer && id <= kWorkingHoursTimer && m_timers[std::size_t(id - kFeedTimer)];
}

void CBasicGraphView::StartTimer(UINT_PTR id)
{
    if (IsTimerRunning(id) || !GetSafeHwnd())
        return;
    SetTimer(id, kGraphTimerMs);
    m_timers[std::size_t(id - kFeedTimer)] = true;
}

void CBasicGraphView::StopTimer(UINT_PTR id)
{
    if (!IsTimerRunning(id))
        return;
    KillTimer(id);
    m_timers[std::size_t(id - kFeedTimer)] = false;
}

void CBasicGraphView::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kFeedTimer:
        StopTimer(id);
        m_chart.BeginUpdate();
        RefreshGraph();
        m_chart.EndUpdate();
        break;
    case kDialogBarTimer:
        StopTimer(id);
        // A bar that already stands as the settings keep it leaves the page as it is drawn.
        if (ApplyDialogBarState()) {
            m_storedSize = CSize();
            RecalcLayout();
        }
        break;
    case kWorkingHoursTimer: {
        // No retry while nobody sees the view or no session gives a time axis; the next update
        // starts it again.
        const CPlotXAxis* axis = m_chart.GetXAxis(ReferenceAxis());
        if (!IsWindowVisible() || !axis || !m_settings.m_setWorkingHours || DrawWorkingHours())
            StopTimer(id);
        break;
    }
    default:
        CRecordFormView::OnTimer(id);
    }
}

void CBasicGraphView::OnDocumentChange(CUpdateMsg* hint)
{
    // The project manager page tells every view of its changes; of its kinds only a session's
    // name and its settings concern a graph. Its other kinds carry no session index: taken as
    // one they would remove a session from the view's settings.
    if (const auto* change = dynamic_cast<const SProjectManagerChange*>(hint)) {
        if (change->GetKind() == SProjectManagerChange::kSessionName) {
            RefreshSessionTexts();
            RefillTables(true);
        } else if (change->GetKind() == SProjectManagerChange::kSessionSettings) {
            OnUpdate(nullptr, 0, nullptr);
        }
        return;
    }
    OnUpdate(nullptr, 0, hint);
}

void CBasicGraphView::OnSize(UINT type, int cx, int cy)
{
    CRecordFormView::OnSize(type, cx, cy); // lays the chart out once the view is ready
    PlaceCursorExtensionMarkers();
}

void CBasicGraphView::OnDestroy()
{
    m_destroying = true;
    SyncViewSettings();
    StopTimer(kFeedTimer);
    StopTimer(kDialogBarTimer);
    StopTimer(kWorkingHoursTimer);
    m_scaleTooltips.Destroy();
    CRecordFormView::OnDestroy();
}

void CBasicGraphView::OnPaint()
{
    // A view left through the view toolbar feeds its data again when it is drawn.
    if (m_feeding.deferred && !m_firstUpdate && m_feeder) {
        m_feeding.deferred = false;
        m_notes.Reinitialise();
        RefreshGraph();
        for (int i = 0; i < m_chart.GetXAxisCount(); ++i)
            CustomXAxis(i);
        m_notes.Replace();
    }
    CRecordFormView::OnPaint();
}

LRESULT CBasicGraphView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DOC_UPDATE:
        OnDocumentChange(reinterpret_cast<CUpdateMsg*>(wParam));
        return 0;
    case WM_GRAPH_NOTIFY:
        switch (HIWORD(wParam)) {
        case kViewLeftNotification:
            if (m_feeder) {
                m_feeder->ClearChannels();
                m_feeding.deferred = true;
            }
            break;
        case kGraphRefreshNotification:
            RefreshGraph();
            break;
        case kNoteDeleteNotification:
            m_notes.Delete(LOWORD(wParam));
            break;
        default:
            break;
        }
        return 0;
    case WM_NOTES_STATE:
        m_notes.SetNotesMode(false);
        if (CMyToolBar* toolBar = SectionToolBar(this))
            toolBar->SetButtonStateBits(kNotesMode, m_notes.IsMoving() ? CMyToolBar::kPressedBit : 0);
        return 0;
    case WM_SECTION_TOGGLE:
        if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
            frame->ToggleSection(0);
        return 0;
    default:
        return CRecordFormView::WindowProc(message, wParam, lParam);
    }
}

BOOL CBasicGraphView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->code != DTN_DATETIMECHANGE)
        return CRecordFormView::OnNotify(wParam, lParam, result);
    const UINT id = UINT(header->idFrom);
    const SPickerControlIds& range = GraphBar::kTimeRangePickers;
    const SPickerControlIds& xAxis = GraphBar::kXAxisPickers;
    if (id == range.beginDate || id == range.beginTime)
        OnTimeRangePickerChanged(true);
    else if (id == range.endDate || id == range.endTime)
        OnTimeRangePickerChanged(false);
    else if (id == xAxis.beginDate || id == xAxis.beginTime)
        OnXAxisPickerChanged(true);
    else if (id == xAxis.endDate || id == xAxis.endTime)
        OnXAxisPickerChanged(false);
    else if (id == GraphBar::kWorkingHourStart || id == GraphBar::kWorkingHourSpan)
        OnWorkingHourPickerChanged();
    else
        return CRecordFormView::OnNotify(wParam, lParam, result);
    *result = 0;
    return TRUE;
}

BOOL CBasicGraphView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    // Picker ids of the bar share numbers with commands; their changes come as notifications.
    // The title is kept as typed: the field may still hold the focus when another page is shown.
    if (code == EN_CHANGE && id == kToolbarEdit) {
        if (CMyToolBar* toolBar = SectionToolBar(this))
            m_settings.m_toolbarEdit.Graph = toolBar->GetUserEditText();
        return TRUE;
    }
    if (code == EN_KILLFOCUS) {
        if (InRange(id, GraphBar::kFirstLimitEdit, GraphBar::kFirstLimitEdit + 5))
            OnLimitEditKillFocus(id);
        else if (id == kToolbarEdit)
            if (CMyToolBar* toolBar = SectionToolBar(this))
                m_settings.m_toolbarEdit.Graph = toolBar->GetUserEditText();
        return TRUE;
    }
    if (code == CBN_SELCHANGE) {
        if (id == kDemandPeriodCombo)
            OnDemandPeriodChanged();
        else if (id == GraphBar::kTimeRangePickers.intervalList)
            OnTimeRangeChoice();
        else if (id == GraphBar::kXAxisPickers.intervalList)
            OnXAxisChoice();
        return TRUE;
    }
    if (code != BN_CLICKED)
        return CRecordFormView::OnCommand(wParam, lParam);
    HandleCommand(id, code);
    return TRUE;
}

void CBasicGraphView::HandleCommand(UINT id, UINT)
{
    CSplitFrame* frame = dynamic_cast<CSplitFrame*>(GetParent());
    CMyToolBar* toolBar = SectionToolBar(this);
    if (InRange(id, GraphBar::kFirstMinMax, GraphBar::kFirstMinMax + 5)) {
        OnMinMaxCheck(id);
    } else if (InRange(id, GraphBar::kFirstLimitCheck, GraphBar::kFirstLimitCheck + 5)) {
        OnLimitCheck(id);
    } else if (InRange(id, GraphBar::kFirstPhaseRow, GraphBar::kFirstPhaseRow + 15) ||
               InRange(id, GraphBar::kFirstPhaseRow4, GraphBar::kFirstPhaseRow4 + 3) || id == GraphBar::kAux1 ||
               id == GraphBar::kAux2) {
        if (m_dialogBar)
            m_dialogBar->ControlsToSettings();
        RefreshGraph();
    } else if (InRange(id, GraphBar::kFirstSession, GraphBar::kFirstSession + 3)) {
        if (m_dialogBar)
            m_dialogBar->ControlsToSettings();
        OfferHeldValues(false);
        m_markers.SetReferenceAxis(ReferenceAxis());
        RefreshGraph();
        DrawWorkingHours();
        RefillTables(false);
        PlaceAxisControls();
        // Each Y axis as it now stands goes through the user's axis-change handling, which keeps
        // the scales in the settings.
        for (int i = 0; i < m_chart.GetYAxisCount(); ++i) {
            const CPlotYAxis* axis = m_chart.GetYAxis(i);
            OnPlotYAxisUserChange(i, axis->GetMin(), axis->GetSpan(), axis->GetMin(), axis->GetSpan());
        }
        SyncViewSettings();
        if (m_feeder)
            m_feeder->SyncChannels(m_settings, GetViewKind() == 5);
    } else if (InRange(id, GraphBar::kFirstWeekday, GraphBar::kFirstWeekday + 6)) {
        if (m_dialogBar)
            m_dialogBar->ControlsToSettings();
        DrawWorkingHours();
    } else if (id == kGraphOptionsButton) {
        if (m_dialogBar && frame) {
            m_dialogBar->ShowWindow(SW_SHOW);
            frame->RecalcLayout();
        }
        m_settings.m_graphOptionsCollapse = 0;
        m_storedSize = CSize();
        RecalcLayout();
    } else if (InRange(id, kFirstAxisLabelButton, kFirstAxisLabelButton + 3)) {
        ShowSessionCursors(int(id - kFirstAxisLabelButton));
    } else if (id == kAxisCouplingButton) {
        ToggleAxisCoupling();
    } else if (InRange(id, kFirstScrollBackButton, kFirstScrollBackButton + 3)) {
        ScrollSessionAxis(int(id - kFirstScrollBackButton), -1);
    } else if (InRange(id, kFirstScrollForwardButton, kFirstScrollForwardButton + 3)) {
        ScrollSessionAxis(int(id - kFirstScrollForwardButton), 1);
    } else if (id == kSectionCollapse) {
        if (frame)
            frame->ToggleSection(1);
    } else if (InRange(id, GraphBar::kFirstSpanButton, GraphBar::kFirstSpanButton + 3)) {
        OnSpanButton(id);
    } else if (id == GraphBar::kSetTimeRange) {
        OnSetTimeRange();
    } else if (id == GraphBar::kSetWorkingHours) {
        if (m_dialogBar) {
            m_dialogBar->ControlsToSettings();
            m_dialogBar->EnableWorkingHourControls(m_settings.m_setWorkingHours);
        }
        if (!DrawWorkingHours() && m_settings.m_setWorkingHours)
            StartTimer(kWorkingHoursTimer);
    } else if (id == kFullWindow) {
        if (CMySplitterWnd* splitter = FindSplitter())
            splitter->ToggleFullWindow(frame ? static_cast<CWnd*>(frame) : this, 0);
        UpdateTimeRangeSection();
    } else if (id == kZoomIn || id == kZoomOut) {
        ZoomStep(id == kZoomIn);
    } else if (id == kNotesMode) {
        m_notes.SetNotesMode(!m_notes.IsNotesMode());
        if (toolBar)
            toolBar->SetButtonStateBits(kNotesMode, m_notes.IsNotesMode() ? CMyToolBar::kPressedBit : 0);
    } else if (id == kCopyToClipboard || id == kBookmarkCapture) {
        CaptureSection(id == kBookmarkCapture);
    }
}

bool CBasicGraphView::SetCapturing(bool capturing)
{
    m_capturing = capturing;
    if (CMyToolBar* toolBar = SectionToolBar(this))
        toolBar->EnableButton(kSectionCollapse, !capturing);
    return m_capturing;
}

void CBasicGraphView::CaptureSection(bool bookmark)
{
    CWnd* mainWindow = GetMainWindow();
    if (!mainWindow)
        return;
    CMySplitterWnd* splitter = FindSplitter();
    const auto* frame = dynamic_cast<CSplitFrame*>(GetParent());
    const bool collapsed = frame && frame->IsSectionCollapsed();
    if (bookmark && splitter && !splitter->IsFullWindow() && (splitter->GetMode() != 0 || collapsed)) {
        // The standard layout with this section open (a collapsed section is opened for its
        // picture, as a table's is): laid out once collapsed, so that the other sections take
        // their places, and again expanded.
        splitter->ResetSectionExtents();
        splitter->SetMode(0);
        CMyToolBar* toolBar = SectionToolBar(this);
        for (const bool collapsed : {true, false}) {
            if (toolBar)
                toolBar->SetCollapsed(collapsed);
            splitter->RestoreAllSections();
        }
        FillHiddenTimeRangeTable();
        mainWindow->RedrawWindow();
    }
    // The view and, while it shows, its dialog bar, in main-window coordinates.
    CRect rect;
    GetWindowRect(&rect);
    if (m_dialogBar && m_dialogBar->GetSafeHwnd() && m_dialogBar->IsWindowVisible()) {
        CRect bar;
        m_dialogBar->GetWindowRect(&bar);
        rect.UnionRect(&rect, &bar);
    }
    mainWindow->ScreenToClient(&rect);
    SetCapturing(true);
    if (!bookmark) {
        CaptureWindowRect(rect, kCaptureToClipboard, nullptr);
    } else {
        CMyToolBar* toolBar = SectionToolBar(this);
        BeginSectionCapture(rect, toolBar ? toolBar->GetUserEditText() : CString());
    }
    SetCapturing(false);
}

void CBasicGraphView::ZoomStep(bool in)
{
    if (!m_feeder)
        return;
    CGraphEventScope scope(*this);
    CChartDrawingScope drawing(m_chart);
    if (in)
        m_feeder->ZoomIn();
    else
        m_feeder->ZoomOut();
    RefreshAxes();
    // The data is fed again at the new resolution once the user pauses.
    StartTimer(kFeedTimer);
}

void CBasicGraphView::RefreshAxes()
{
    UpdateXAxisPickers();
    for (int i = 0; i < m_chart.GetXAxisCount(); ++i)
        CustomXAxis(i);
    LabelYAxes();
    m_markers.Replace();
    if (m_settings.m_setWorkingHours)
        DrawWorkingHours();
    PlaceCursorExtensionMarkers();
    m_chart.Repaint();
    // Data beyond what was fed follows once the user pauses.
    bool outside = false;
    for (int i = 0; i < m_chart.GetXAxisCount(); ++i)
        outside = outside || (m_chart.GetXAxis(i)->IsVisible() && m_feeder && m_feeder->OnAxisChange(i));
    if (outside)
        StartTimer(kFeedTimer);
}

void CBasicGraphView::OnDemandPeriodChanged()
{
    auto* combo = m_dialogBar ? static_cast<CComboBox*>(m_dialogBar->GetDlgItem(int(kDemandPeriodCombo))) : nullptr;
    if (!combo || combo->GetCurSel() < 0)
        return;
    const DWORD value = DWORD(combo->GetItemData(combo->GetCurSel()));
    m_settings.m_demandPeriod = int(value % kTrendDemandFlag);
    m_settings.m_useTrendDataForDemand = value >= kTrendDemandFlag;
    m_dialogBar->SettingsToControls();
    OnDemandSourceChanged(m_settings.m_useTrendDataForDemand);
    UpdateValueScales();
    RefreshGraph();
    RefillTables(false);
}

void CBasicGraphView::ScrollSessionAxis(int session, int direction)
{
    {
        CGraphEventScope scope(*this);
        m_markers.ScrollAxis(session, direction, m_axisControls.coupled != 0, [this](int axis, double& first, double& last) {
            return m_feeder && m_feeder->GetSessionRange(axis, first, last);
        });
    }
    RefreshGraph();
    ShowTimeRange();
    if (!m_markers.IsShown()) {
        m_chart.Repaint();
        RefillTables(false);
    }
}

void CBasicGraphView::ShowSessionCursors(int session)
{
    // The data cursors come onto the session's first shown channel, at a third and two thirds of
    // what its axis shows; the time range's markers have them while it is on.
    if (!m_feeder || m_markers.IsShown())
        return;
    for (int i = 0; i < m_feeder->GetChannelCount(); ++i) {
        const SFeederChannel* entry = m_feeder->GetChannelEntry(i);
        const CPlotChannel* channel = m_chart.GetChannel(i);
        if (entry->session != session || !channel || !channel->IsVisible() || channel->GetCount() == 0)
            continue;
        IOCompUtils::PositionCursors(m_chart, channel->GetName());
        for (int cursor = 0; cursor < CiPlotX::kCursorCount; ++cursor)
            m_cursorRecords.Store(m_chart, cursor);
        PlaceCursorExtensionMarkers();
        m_chart.Repaint();
        return;
    }
}

void CBasicGraphView::ToggleAxisCoupling()
{
    m_axisControls.coupled = m_axisControls.coupled ? 0 : 1;
    if (m_axisControls.coupling) {
        m_axisControls.coupling->SetupBitmapButton(m_axisControls.coupled ? 1562 : 1563, RGB(255, 255, 255), 0, TRUE);
        m_axisControls.coupling->SetWindowText(m_axisControls.coupled ? "#" : "=");
    }
}
