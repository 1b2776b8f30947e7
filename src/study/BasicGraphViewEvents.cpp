// The chart's events as the graph view base answers them: zoom rectangles, data cursors, the
// time-range markers, notes, context menus, keys and axis changes made by the user.
#include "study/BasicGraphView.h"

#include "platform/framework/windows/CFileDialog.h"
#include "platform/framework/windows/CMenu.h"
#include "study/BasicGraphViewDialogBar.h"
#include "study/ChartMenus.h"
#include "study/CursorRecords.h"
#include "study/ManualScaleDlg.h"
#include "study/PlotNames.h"
#include "study/RecTrendToIOComp.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr UINT kChannelColorMenuFirst = 33111;
constexpr UINT kChangeColor = 33112;
constexpr UINT kUseDefaultColor = 33113;
constexpr UINT kDefaultColorForAll = 33114;
const char* const kExtensionValueMarkers[2] = {"CurExtMarker1", "CurExtMarker2"};
constexpr int kKeyboardMenuInset = 8;

} // namespace

void CBasicGraphView::OnPlotEvent(SPlotEvent& event)
{
    const bool notesBusy = m_notes.IsBusy();
    const bool suppressed = m_eventSuppression > 0;
    switch (event.id) {
    case PlotEvent::MouseDown:
        if (!notesBusy) {
            m_zoom.Handle(m_chart, CZoomRectangle::Press, event.button, event.shift, event.x, event.y);
        }
        break;
    case PlotEvent::MouseMove:
        if (m_notes.IsMoving()) {
            const CRect& plot = m_chart.GetLayout().plot;
            const double y = (plot.bottom - 1 - event.y) * 100.0 / std::max(1, plot.Height() - 1);
            m_notes.MoveTo(m_chart.XPixelToValue(ReferenceAxis(), event.x), y);
        } else if (m_zoom.IsDrawing()) {
            m_zoom.Handle(m_chart, CZoomRectangle::Move, event.button, event.shift, event.x, event.y);
        }
        break;
    case PlotEvent::MouseUp:
        if (m_notes.IsMoving()) {
            m_notes.EndMove();
        } else if (!notesBusy && m_zoom.Handle(m_chart, CZoomRectangle::Release, event.button, event.shift, event.x, event.y) &&
                   m_feeder) {
            bool changed = false;
            {
                CGraphEventScope scope(*this);
                changed = m_feeder->ApplyZoom(m_zoom.GetRect());
            }
            if (changed)
                RefreshGraph();
        }
        break;
    case PlotEvent::CursorChange:
        PlaceCursorExtensionMarkers();
        if (!m_markers.IsShown() && event.index >= 0 && event.index < CiPlotX::kCursorCount) {
            SPlotDataCursor& cursor = m_chart.GetCursor(event.index);
            if (const SPlotLabel* marker = m_chart.GetLabel(m_chart.FindLabel(kExtensionValueMarkers[event.index])))
                cursor.readoutPosition = ReadoutPositionAvoiding(cursor.readoutPosition, marker->y);
        }
        break;
    case PlotEvent::ChannelPointClick:
        if (m_notes.IsNotesMode()) {
            const int entryIndex = m_feeder && m_chart.GetChannel(event.index)
                                       ? m_feeder->FindChannelEntry(m_chart.GetChannel(event.index)->GetName())
                                       : -1;
            if (const SFeederChannel* entry = m_feeder ? m_feeder->GetChannelEntry(entryIndex) : nullptr) {
                const CString text = GetCursorValueText(-1, event.index, m_chart.GetChannel(event.index)->GetXValue(event.point));
                const std::optional<int> sample = NoteSampleOfPoint(event.index, event.point);
                m_notes.PlaceAtPoint({entry->session, int(entry->quantity), int(entry->phase), entry->statistic,
                                      sample.value_or(event.point), sample.has_value()},
                                     event.index, event.point, text);
                PostMessage(WM_GRAPH_NOTIFY, MAKEWPARAM(0, kGraphRefreshNotification), 0);
            }
        } else if (!notesBusy) {
            OnPlotChannelPointEvent(event.index, event.point);
            if (m_markers.IsShown()) {
                m_markers.OnPointClicked(event.index, event.point);
                ShowTimeRange();
            }
        }
        break;
    case PlotEvent::LimitClick:
        if (m_markers.IsShown()) {
            bool moved = false;
            {
                CGraphEventScope scope(*this);
                moved = m_markers.OnIndicatorClicked(event.index);
            }
            if (moved) {
                RefreshGraph();
                ShowTimeRange();
            }
        }
        break;
    case PlotEvent::KeyDown:
        if (IsMenuKey(event.key, event.shift)) {
            event.key = 0;
            ChartMenuByKeys();
            break;
        }
        if (m_markers.IsShown() && (event.key == 37 || event.key == 39)) {
            if (m_markers.OnArrowKey(event.key))
                ShowTimeRange();
        }
        if (m_feeder && event.key != 0 && HandleChartKey(*m_feeder, event.key))
            RefreshGraph();
        if (m_timeRangeTableView && m_timeRangeTableView->GetSafeHwnd())
            m_timeRangeTableView->PostMessage(WM_TABLE_REFILL, 0, 0);
        break;
    case PlotEvent::LimitReleased:
        if (m_markers.IsShown()) {
            m_markers.OnObjectReleased(event.index);
            ShowTimeRange();
        }
        if (m_notes.IsMoving())
            m_notes.EndMove();
        break;
    case PlotEvent::ChannelMenu:
        event.cancel = true;
        if (!m_calendar)
            ChannelColorMenu(event.index, event.x, event.y);
        break;
    case PlotEvent::ChartMenu: {
        event.cancel = true;
        if (!m_feeder || !m_chart.HasVisibleChannel())
            break;
        const UINT command = TrackChartContextMenu(*m_feeder, this, event.x, event.y);
        if (command == ID_PLOT_AUTO_Y_AXES || command == ID_PLOT_RESET_ZOOM)
            RefreshGraph(); // lays the chart out again
        RefillTables(false);
        break;
    }
    case PlotEvent::AxisMenu: {
        event.cancel = true;
        if (!m_feeder || !m_chart.HasVisibleChannel())
            break;
        const UINT command = TrackAxisContextMenu(*m_feeder, this, event.state == 1, event.x, event.y);
        if (command == ID_PLOT_SCALE_AXIS)
            OpenAxisScaleDialog(event.state == 1, event.index);
        else if (command == ID_PLOT_RESET_ZOOM)
            RefreshGraph(); // lays the chart out again
        m_notes.Replace();
        if (command == ID_PLOT_RESET_ZOOM)
            RefillTables(false);
        m_chart.RefreshCursorReadouts();
        break;
    }
    case PlotEvent::DblClick: {
        const SPlotHit hit = m_chart.HitTest(event.x, event.y);
        if (hit.kind == SPlotHit::XAxis || hit.kind == SPlotHit::YAxis)
            OpenAxisScaleDialog(hit.kind == SPlotHit::YAxis, hit.index);
        break;
    }
    case PlotEvent::LabelEdit:
        event.cancel = true;
        m_notes.Edit(m_notes.NoteOfLabel(event.index));
        break;
    case PlotEvent::CursorReadout:
        if (event.index >= 0 && event.index < CiPlotX::kCursorCount) {
            PlaceCursorExtensionMarkers();
            event.text = GetCursorValueText(event.index, -1, 0.0);
            if (!suppressed)
                m_cursorRecords.Store(m_chart, event.index);
        }
        break;
    case PlotEvent::XAxisChange:
        OnXAxisChangedByUser(event);
        break;
    case PlotEvent::CursorChannel:
        if (const CPlotChannel* channel = m_chart.GetChannel(event.index)) {
            // The markers' two cursors follow together; otherwise only the cursor the user
            // took last, or both while none was taken. Such a cursor comes onto the curve where
            // the user sees it: where it stands in view, else at its third of the curve's axis.
            const int active = m_markers.IsShown() ? -1 : m_chart.GetActiveCursor();
            const CPlotXAxis* axis = m_chart.GetXAxis(m_chart.FindXAxis(channel->GetXAxisName()));
            for (int i = 0; i < CiPlotX::kCursorCount; ++i) {
                if (active >= 0 && i != active)
                    continue;
                SPlotDataCursor& cursor = m_chart.GetCursor(i);
                cursor.channelName = channel->GetName();
                if (m_markers.IsShown() || !axis)
                    continue;
                const bool inView = cursor.position >= axis->GetMin() && cursor.position <= axis->GetMax();
                m_chart.SetCursorPosition(i, inView ? cursor.position : axis->FractionToValue((i + 1) / 3.0));
            }
            if (m_markers.IsShown()) {
                m_markers.Replace();
                UpdateTimeRangePickers();
            } else {
                m_chart.RefreshCursorReadouts();
                PlaceCursorExtensionMarkers();
                m_chart.Repaint();
            }
        }
        break;
    case PlotEvent::LabelClick:
        if (!notesBusy && m_notes.NoteOfLabel(event.index) >= 0)
            m_notes.BeginMove(event.index);
        break;
    case PlotEvent::YAxisChange:
        OnPlotYAxisUserChange(event.index, event.a, event.b, event.c, event.d);
        SyncViewSettings();
        break;
    case PlotEvent::ToolbarClick:
        if (m_feeder && event.state == 0)
            m_feeder->Reset();
        else if (m_feeder && (event.state == 6 || event.state == 7))
            m_feeder->SetAllYAxesManual(false);
        RefillTables(false);
        break;
    case PlotEvent::XAxisMouseDown:
        m_zoomState = 4;
        break;
    case PlotEvent::LabelMouseMove:
        if (m_notes.IsMoving())
            PostMessage(WM_GRAPH_NOTIFY, MAKEWPARAM(0, kGraphRefreshNotification), 0);
        break;
    case PlotEvent::LimitMouseDown:
        if (m_markers.IsShown())
            m_markers.SetActiveSide(event.index);
        break;
    case PlotEvent::XAxisMouseUp:
        if ((m_zoomState & 3) != 0)
            RefreshGraph();
        m_zoomState = 0;
        DrawWorkingHours();
        RefillTables(false);
        break;
    case PlotEvent::ObjectMouseDown:
        if (event.state == 1)
            HandleObjectClick(m_chart, event.index);
        break;
    case PlotEvent::ObjectMouseUp:
        RefillTables(false);
        break;
    case PlotEvent::LabelMenu:
        m_notes.ContextMenu(event.index, event.x, event.y);
        break;
    case PlotEvent::LabelMoved:
        m_notes.OnLabelMoved(event.index);
        break;
    case PlotEvent::DataViewMouseUp:
        if (event.index >= 0 && !(event.point >= 0 && m_markers.IsShown()))
            m_cursorRecords.Restore(m_chart);
        break;
    case PlotEvent::LimitDragged:
        if (m_markers.IsShown()) {
            m_markers.OnObjectDragged(event.index, event.state);
            ShowTimeRange();
        }
        break;
    default:
        break;
    }
}

void CBasicGraphView::OnXAxisChangedByUser(const SPlotEvent& event)
{
    const int axis = event.index;
    m_zoomState |= (event.a != event.c ? 1 : 0) | (event.b != event.d ? 2 : 0);
    CustomXAxis(axis, event.c, event.c + event.d);
    if (m_handlingAxisChange || m_eventSuppression > 0)
        return;
    m_handlingAxisChange = true;
    // Coupled axes move by the same share of their own spans.
    if (m_axisControls.coupled && !m_capturing && event.b > 0.0) {
        CGraphEventScope scope(*this);
        for (int i = 0; i < m_chart.GetXAxisCount(); ++i) {
            if (i == axis)
                continue;
            const CPlotXAxis* other = m_chart.GetXAxis(i);
            m_chart.SetXAxisRange(i, other->GetMin() + (event.c - event.a) / event.b * other->GetSpan(), other->GetSpan());
        }
    }
    if (m_settings.IsPresent())
        StoreXAxisRanges();
    if (axis == m_markers.GetReferenceAxis() && m_dialogBar) {
        m_dialogBar->XAxisPickers().SetRange(event.c, event.c + event.d);
        m_settings.m_xAxisScaling = {event.c, event.c + event.d};
        FollowSpanButton(event.c, event.c + event.d);
    }
    if (m_zoomState != 4)
        DrawWorkingHours();
    if (m_feeder && (m_feeder->OnAxisChange(axis) || event.b != event.d)) {
        m_feeding.deferred = false;
        StartTimer(kFeedTimer);
    }
    m_markers.Replace();
    AlignAxisTicks(axis);
    m_handlingAxisChange = false;
}

void CBasicGraphView::OpenAxisScaleDialog(bool yAxis, int index)
{
    if (!m_feeder)
        return;
    if (yAxis) {
        const CPlotYAxis* axis = m_chart.GetYAxis(index);
        if (!axis)
            return;
        CManualScaleDlg dialog(m_feeder.get(), index, axis->GetMin(), axis->GetMax(), false, this);
        if (dialog.DoModal() != IDOK || !dialog.Apply())
            return;
        RefreshGraph();
        SyncViewSettings();
        return;
    }
    const CPlotXAxis* axis = m_chart.GetXAxis(index);
    if (!axis)
        return;
    CManualScaleXAxisDlg dialog(m_feeder.get(), index, axis->GetMin(), axis->GetMax(), this);
    bool applied = false;
    {
        CGraphEventScope scope(*this);
        applied = dialog.DoModal() == IDOK && dialog.Apply();
    }
    if (!applied)
        return;
    RefreshGraph();
    RefillTables(false);
}

void CBasicGraphView::ChartMenuByKeys()
{
    if (!m_feeder || !m_chart.HasVisibleChannel())
        return;
    const CPoint corner = m_chart.GetLayout().plot.TopLeft() + CSize(kKeyboardMenuInset, kKeyboardMenuInset);
    const UINT command = TrackChartKeyboardMenu(*m_feeder, &m_chart, corner.x, corner.y);
    if (command >= ID_PLOT_SCALE_VALUE_AXIS)
        OpenAxisScaleDialog(true, int(command - ID_PLOT_SCALE_VALUE_AXIS));
    else if (command >= ID_PLOT_SCALE_TIME_AXIS)
        OpenAxisScaleDialog(false, int(command - ID_PLOT_SCALE_TIME_AXIS));
    else if (command != 0) {
        if (command == ID_PLOT_AUTO_Y_AXES || command == ID_PLOT_RESET_ZOOM)
            RefreshGraph(); // lays the chart out again
        RefillTables(false);
    }
    if (m_chart.GetSafeHwnd())
        m_chart.SetFocus();
}

void CBasicGraphView::ClearYAxisAutoFlag(int axis)
{
    if (m_feeder)
        m_feeder->SetYAxisManual(axis, true);
}

void CBasicGraphView::AlignAxisTicks(int index)
{
    const int reference = ReferenceSession() < 0 ? -1 : ReferenceAxis();
    const CPlotXAxis* axis = m_chart.GetXAxis(index);
    const CPlotXAxis* referenceAxis = m_chart.GetXAxis(reference);
    if ((m_axisControls.coupled && m_eventSuppression > 0) || !axis || !axis->IsVisible() || !IsReady() ||
        !referenceAxis || index == reference)
        return;
    constexpr double kOneSecond = 1.0 / 86400.0;
    if (std::fabs(axis->GetSpan() - referenceAxis->GetSpan()) > kOneSecond)
        return;
    // Pixel positions of the first two labelled ticks of an axis.
    auto labelled = [this](int which, double& first, double& second) {
        int found = 0;
        for (const SPlotAxisLabel& label : m_chart.GetXAxis(which)->GetLabels()) {
            if (label.text.IsEmpty())
                continue;
            (found == 0 ? first : second) = m_chart.XValueToPixel(which, label.value);
            if (++found == 2)
                return true;
        }
        return false;
    };
    double axisFirst = 0, axisSecond = 0, referenceFirst = 0, referenceSecond = 0;
    if (!labelled(index, axisFirst, axisSecond) || !labelled(reference, referenceFirst, referenceSecond))
        return;
    const double d = axisFirst - referenceFirst;
    const double t = referenceSecond - referenceFirst;
    if (!(t > 0.0))
        return;
    double move = d;
    if (d > 0.0 && d > t - d)
        move = -(t - d);
    else if (d < 0.0 && -d > t + d)
        move = t + d;
    if (move == 0.0)
        return;
    CGraphEventScope scope(*this);
    const double left = m_chart.XValueToPixel(index, axis->GetMin());
    m_chart.SetXAxisRange(index, m_chart.XPixelToValue(index, left + move), axis->GetSpan());
    CustomXAxis(index);
    m_chart.Repaint();
}

void CBasicGraphView::ChannelColorMenu(int channelIndex, int x, int y)
{
    const CPlotChannel* channel = m_chart.GetChannel(channelIndex);
    const int entryIndex = channel && m_feeder ? m_feeder->FindChannelEntry(channel->GetName()) : -1;
    const SFeederChannel* entry = m_feeder ? m_feeder->GetChannelEntry(entryIndex) : nullptr;
    if (!entry)
        return;
    COLORREF custom = 0;
    const bool hasCustom = m_settings.FindCustomColor(entry->session, int(entry->quantity), int(entry->phase),
                                                      entry->statistic, custom);
    const COLORREF color = channel->GetColor();
    CString rgb;
    rgb.Format("RGB(%d,%d,%d)", GetRValue(color), GetGValue(color), GetBValue(color));
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING | MF_GRAYED, kChannelColorMenuFirst, (hasCustom ? "Custom color " : "Default color ") + rgb);
    menu.AppendMenu(MF_STRING, kChangeColor, "Change Color");
    menu.AppendMenu(MF_STRING | (hasCustom ? 0 : MF_GRAYED), kUseDefaultColor, "Use Default Color");
    menu.AppendMenu(MF_STRING | (m_settings.HasCustomColors() ? 0 : MF_GRAYED), kDefaultColorForAll,
                    "Use Default Color for all channels");
    CPoint at(x, y);
    m_chart.ClientToScreen(&at);
    const UINT command = UINT(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, this));
    if (command == kChangeColor) {
        CColorDialog dialog(color, CC_FULLOPEN | CC_RGBINIT, this);
        if (dialog.DoModal() != IDOK)
            return;
        m_settings.SetCustomColor(entry->session, int(entry->quantity), int(entry->phase), entry->statistic,
                                  dialog.GetColor());
        RefreshGraph();
    } else if (command == kUseDefaultColor) {
        std::erase_if(m_settings.m_customColors, [entry](const SCustomColor& c) {
            return c.measurementId == entry->session && c.dataType == int(entry->quantity) &&
                   c.phase == int(entry->phase) && c.mamType == entry->statistic;
        });
        RefreshGraph();
    } else if (command == kDefaultColorForAll) {
        m_settings.ClearCustomColors();
        RefreshGraph();
    }
}
