#include "study/CalendarTableView.h"

#include "datamodel/DataSet.h"
#include "datamodel/TrendTimeBlock.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "study/BasicTableView.h"
#include "study/CalendarGraphView.h"
#include "study/CalendarTableViewDialogBar.h"
#include "study/FrameBarNotify.h"
#include "study/MyBasicSummaryGrid.h"
#include "study/TableSectionCommands.h"
#include "views/CaptureWindowRect.h"
#include "views/MainWindow.h"
#include "views/MySplitterWnd.h"
#include "views/MyToolBar.h"
#include "views/SectionWindows.h"
#include "views/SplitFrame.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr UINT kOptionsButtonId = 2258;
constexpr UINT kOptionsButtonBitmap = 1542;
constexpr COLORREF kOptionsButtonFace = 0x0EC2FF;
constexpr int kOptionsButtonWidth = 110;
constexpr int kOptionsButtonHeight = 24;
constexpr UINT kCollapseCommand = 33047;
constexpr UINT kFullWindowCommand = 33048;
constexpr UINT kCopyCommand = 33054;
constexpr UINT kBookmarkCommand = 33055;
constexpr UINT kFirstSelectorCommand = 33074;
constexpr UINT kLastSelectorCommand = 33078;
constexpr int kTitleEditId = 10002;
constexpr double kOneMinute = 1.0 / 1440.0;

bool InRange(UINT id, UINT first, int count)
{
    return id >= first && id < first + UINT(count);
}

} // namespace

const SRuntimeClass& CCalendarTableView::Class()
{
    static const SRuntimeClass runtimeClass{"CCalendarTableView", &CMyFormView::Class(), &CreateWindowObject<CCalendarTableView>, nullptr};
    return runtimeClass;
}

CCalendarTableView::CCalendarTableView() : CCalendarTableView(6) {}

CCalendarTableView::CCalendarTableView(int viewKind) : CMyFormView(kTemplateId)
{
    SetViewKind(viewKind);
}

CCalendarTableView::~CCalendarTableView() = default;

void CCalendarTableView::SetToolBarCheck(UINT command)
{
    if (g_pSectionWindows)
        g_pSectionWindows->MarkViewSelectors(StudyType() == 2, command);
}

void CCalendarTableView::LinkViews()
{
    m_graph = g_pSectionWindows ? dynamic_cast<CCalendarGraphView*>(g_pSectionWindows->GetSectionView(CalendarGraphEntry()))
                                : nullptr;
    auto* frame = dynamic_cast<CSplitFrame*>(GetParent());
    m_bar = frame ? dynamic_cast<CCalendarTableViewDialogBar*>(frame->GetDialogBar()) : nullptr;
}

void CCalendarTableView::OnInitialUpdate()
{
    CMyFormView::OnInitialUpdate();
    LinkViews();
    m_optionsButton.Create("Graph options", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, kOptionsButtonWidth, kOptionsButtonHeight),
                           this, kOptionsButtonId);
    m_optionsButton.SetupBitmapButton(kOptionsButtonBitmap, kOptionsButtonFace, 0, TRUE);
    CRecDoc* document = GetDocument();
    m_sessionCount = document ? document->GetMeasurementCount() : 0;
    if (m_bar)
        m_bar->SettingsToControls();
    if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
        frame->RecalcLayout(TRUE);
    SetToolBarCheck(kFirstSelectorCommand);
}

void CCalendarTableView::OnDestroy()
{
    m_grid.reset();
    CMyFormView::OnDestroy();
}

// ---- filling

void CCalendarTableView::Fill()
{
    if (m_graph && m_graph->IsBookmarkApplied() && m_bar)
        m_bar->SettingsToControls();
    // The bins the graph shows (those of the project, of a bookmark, or the user's before the
    // document changed) stay selected.
    m_takeSelection = true;
    CRecDoc* document = GetDocument();
    m_sessionCount = document ? document->GetMeasurementCount() : 0;
    if (m_bar)
        m_bar->RedrawWindow();
    if (m_graph)
        m_graph->SendMessage(WM_CALENDAR_APPLY_OPTIONS, 0, 0);
    Rebuild(false);
    if (CMyToolBar* toolBar = TableSectionToolBar(*this); toolBar && m_graph)
        toolBar->SetEditText(m_graph->GetSettings().m_toolbarEdit.Table);
    m_takeSelection = false;
}

void CCalendarTableView::Rebuild(bool keepSelection)
{
    CWaitCursor wait;
    const auto saved = m_sessions.selections;
    SetRedraw(FALSE);
    m_grid.reset();
    // The new grid is laid out from the view's top, whatever the old one was scrolled to.
    ScrollToPosition(CPoint(0, 0));
    m_sessions.Clear();
    m_granularity = m_bar ? m_bar->GetCheckedGranularity() : (m_graph ? m_graph->GetSettings().m_calendarViewGranularity : 0);
    m_sessions.granularity = m_granularity;
    CRecDoc* document = GetDocument();
    for (int s = 0; s < m_sessionCount; ++s) {
        auto data = std::make_unique<structCalendarSessionData>();
        if (document)
            data->name = document->GetSessionName(s);
        m_sessions.sessions.push_back(std::move(data));
    }
    if (MakeBins()) {
        CreateGrid();
        RestoreSelection(keepSelection, saved);
    }
    if (m_graph)
        m_graph->SendMessage(WM_CALENDAR_SHOW_SELECTION, 0, 0);
    SetRedraw(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE | RDW_FRAME);
}

bool CCalendarTableView::MakeBins()
{
    if (!m_graph || m_sessionCount == 0)
        return false;
    CiPlotX& chart = *m_graph->GetPlotControl();
    // One value range for the thumbnails of all sessions, so that the pictures compare.
    double lower = std::numeric_limits<double>::infinity();
    double upper = -std::numeric_limits<double>::infinity();
    CCalendarThumbnails::SessionFlags present{};
    for (int s = 0; s < int(present.size()); ++s)
        present[std::size_t(s)] = m_graph->IsSessionPresent(s);
    for (int i = 0; i < chart.GetChannelCount(); ++i) {
        const CPlotChannel* channel = chart.GetChannel(i);
        double minimum = 0.0;
        double maximum = 0.0;
        if (channel->IsVisible() && channel->IsEnabled() && m_graph->IsSessionPresent(chart.FindXAxis(channel->GetXAxisName())) &&
            channel->GetDataRange(minimum, maximum)) {
            lower = std::min(lower, minimum);
            upper = std::max(upper, maximum);
        }
    }
    if (!(lower <= upper)) {
        lower = 0.0;
        upper = 1.0;
    } else if (upper - lower < 1e-9 * std::max(1.0, std::fabs(upper))) {
        lower -= 0.5;
        upper += 0.5;
    }
    // The pictures come when the grid shows their bins (ProvidePicture).
    m_thumbnails.Take(chart, present, lower, upper, m_graph->TakePointFeeds());
    bool anyBins = false;
    const CString folder = CCalendarThumbnails::Folder();
    for (int s = 0; s < std::min(m_sessionCount, CBasicViewSettings::kMaxSessions); ++s) {
        if (!present[std::size_t(s)])
            continue;
        auto bins = MakeSessionBins(s, lower, upper, folder);
        anyBins = anyBins || bins != nullptr;
        m_sessions.sessions[std::size_t(s)]->bins[std::size_t(m_granularity)] = std::move(bins);
    }
    return anyBins;
}

std::unique_ptr<structCalendarBins> CCalendarTableView::MakeSessionBins(int session, double lower, double upper,
                                                                       const CString& folder) const
{
    CRecDoc* document = GetDocument();
    CDataSet* set = document ? document->GetDataSet(session) : nullptr;
    const CTrendTimeBlock* block = set ? set->GetTrendTimeBlock() : nullptr;
    if (!block || block->GetRecordCount() == 0)
        return nullptr;
    // The session's range on the chart: its first record to its last, less a minute.
    std::vector<structCalendarBin> made =
        MakeCalendarBins(block->GetFirstTime().GetAsDate(), block->GetLastTime().GetAsDate() + kOneMinute, m_granularity);
    if (made.empty())
        return nullptr;
    auto bins = std::make_unique<structCalendarBins>();
    bins->lower = lower;
    bins->upper = upper;
    bins->folder = folder;
    bins->granularity = m_granularity;
    for (structCalendarBin& bin : made)
        bin.fileName = CalendarBinFileName(session, m_granularity, bin.start);
    bins->count = int(made.size());
    bins->bins = std::move(made);
    return bins;
}

void CCalendarTableView::CreateGrid()
{
    m_grid = std::make_unique<CCalendarGrid>(m_granularity, m_sessionCount, &m_sessions);
    m_grid->SetPictureSource(&m_thumbnails);
    CRect client;
    GetClientRect(&client);
    if (!m_grid->CreateGrid(WS_CHILD | WS_VISIBLE, client, this, CCalendarGrid::kGridId)) {
        m_grid.reset();
        return;
    }
    m_grid->Populate();
    m_grid->ApplyCollapseState(GetTitle());
    m_optionsButton.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PlaceButton();
}

void CCalendarTableView::RestoreSelection(bool keep, const std::array<structCalendarSelection, 2>& saved)
{
    if (!m_grid)
        return;
    if (keep) {
        for (const structCalendarSelection& record : saved)
            if (record.HasSession())
                m_grid->SelectBin(record.session, record.bin);
    } else if (m_takeSelection && m_graph) {
        for (const SCalendarThumbSelection& record : m_graph->GetSettings().m_thumbSelections) {
            if (record.session >= 0 && record.thumb >= 0)
                m_grid->SelectBin(record.session, record.thumb);
            else if (record.col >= 0 && record.row >= 0)
                m_grid->SelectCell(record.col, record.row);
        }
    }
}

// ---- messages

LRESULT CCalendarTableView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TABLE_REFILL:
        Fill();
        return 0;
    case WM_TABLE_COLLAPSE_STATE:
        if (wParam) {
            const CString& state = *reinterpret_cast<const CString*>(wParam);
            SetTitle(state);
            if (m_graph)
                m_graph->SetTableStateText(false, state);
        }
        return 0;
    case WM_CALENDAR_SHOW_SELECTION:
        if (m_graph)
            m_graph->SendMessage(WM_CALENDAR_SHOW_SELECTION, 0, 0);
        return 0;
    case WM_SECTION_TOGGLE:
        if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
            frame->ToggleSection(0);
        return 0;
    default:
        return CMyFormView::WindowProc(message, wParam, lParam);
    }
}

void CCalendarTableView::OnOptionChanged(bool keepSelection)
{
    if (m_bar) {
        m_bar->ControlsToSettings();
        m_bar->SettingsToControls();
    }
    if (m_graph)
        m_graph->SendMessage(WM_CALENDAR_APPLY_OPTIONS, 0, 0);
    Rebuild(keepSelection);
}

int CCalendarTableView::ViewIdOfSelector(UINT command) const
{
    const int index = int(command - kFirstSelectorCommand);
    if (StudyType() == 2) {
        constexpr int kLoadViews[] = {5, 6, 8};
        return index >= 0 && index < 3 ? kLoadViews[index] : -1;
    }
    return index >= 0 && index <= 4 ? index : -1;
}

BOOL CCalendarTableView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT command = LOWORD(wParam);
    auto* frame = dynamic_cast<CSplitFrame*>(GetParent());
    // Kept as typed: the field may still hold the focus when another page is shown.
    if (command == kTitleEditId && (HIWORD(wParam) == EN_CHANGE || HIWORD(wParam) == EN_KILLFOCUS)) {
        OnEditFieldLeft();
        return TRUE;
    }
    if (InRange(command, CalendarBar::kFirstGranularity, CalendarBar::kGranularities)) {
        OnOptionChanged(false);
        return TRUE;
    }
    if (InRange(command, CalendarBar::kFirstParameter, CalendarBar::kParameters) ||
        InRange(command, CalendarBar::kFirstChannel, CalendarBar::kChannels)) {
        OnOptionChanged(true);
        return TRUE;
    }
    switch (command) {
    case kOptionsButtonId:
        if (m_bar && frame) {
            m_bar->ShowWindow(SW_SHOW);
            frame->SendMessage(WM_SIZE, 0, 0);
            frame->RecalcLayout();
        }
        PlaceButton();
        return TRUE;
    case kCollapseCommand:
        if (frame && !m_fullWindow)
            frame->ToggleSection(1);
        return TRUE;
    case kFullWindowCommand:
        if (auto* splitter = frame ? dynamic_cast<CMySplitterWnd*>(frame->GetParent()) : nullptr)
            m_fullWindow = splitter->ToggleFullWindow(this, 0) ? 1 : 0;
        EnableSectionCollapse(*this, !m_fullWindow);
        return TRUE;
    case kCopyCommand:
        CaptureSection(false);
        return TRUE;
    case kBookmarkCommand:
        CaptureSection(true);
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

void CCalendarTableView::OnEditFieldLeft()
{
    CMyToolBar* toolBar = TableSectionToolBar(*this);
    if (toolBar && m_graph)
        m_graph->GetSettings().m_toolbarEdit.Table = toolBar->GetUserEditText();
}

void CCalendarTableView::CaptureSection(bool bookmark)
{
    CWnd* main = GetMainWindow();
    CRecDoc* document = GetDocument();
    if (!main || !document)
        return;
    if (bookmark)
        OpenSectionForBookmark(*this, m_fullWindow != 0);
    // The view together with its options bar.
    CRect rect;
    GetWindowRect(&rect);
    if (m_bar && m_bar->IsWindowVisible()) {
        CRect barRect;
        m_bar->GetWindowRect(&barRect);
        rect.UnionRect(&rect, &barRect);
    }
    main->ScreenToClient(&rect);
    if (!bookmark) {
        CaptureWindowRect(rect, kCaptureToClipboard, nullptr);
        return;
    }
    CMyToolBar* toolBar = TableSectionToolBar(*this);
    BeginSectionCapture(rect, toolBar ? toolBar->GetUserEditText() : CString());
}

// ---- size

BOOL CCalendarTableView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return NotifyFrameBars(*this, wParam, lParam, result) || CMyFormView::OnNotify(wParam, lParam, result);
}

void CCalendarTableView::OnSize(UINT type, int cx, int cy)
{
    CMyFormView::OnSize(type, cx, cy);
    if (m_grid && m_grid->GetSafeHwnd())
        m_grid->OnParentSize(false);
    PlaceButton();
}

void CCalendarTableView::PlaceButton()
{
    if (!m_optionsButton.GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty() || !m_grid) {
        m_optionsButton.ShowWindow(SW_HIDE);
        return;
    }
    // The bar's own state: while the page is built its tab is still hidden.
    const bool barShown = m_bar && (m_bar->GetStyle() & WS_VISIBLE);
    m_optionsButton.MoveWindow(client.right - kOptionsButtonWidth, 0, kOptionsButtonWidth, kOptionsButtonHeight);
    m_optionsButton.ShowWindow(barShown ? SW_HIDE : SW_SHOW);
}
