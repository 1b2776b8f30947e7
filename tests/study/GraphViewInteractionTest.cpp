// What the user does on a graph view: the time-range markers, limits and envelopes, working
// hours, the section toolbar's commands and private messages, notes, the power-factor axis.
#include "GraphViewFixture.h"

#include "datamodel/DataSet.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CDialog.h"
#include "platform/framework/windows/CFileDialog.h"
#include "platform/framework/windows/CMenu.h"
#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/CDateTimeCtrl.h"
#include "platform/framework/windows/WindowTesting.h"
#include "project/ProjectManagerChange.h"
#include "support/MessageBoxRecorder.h"
#include "study/DemandPeriodChoices.h"
#include "study/ManualScaleDlg.h"
#include "study/PlotNames.h"
#include "study/RecTrendToIOComp.h"
#include "study/WorkingHoursShading.h"
#include "views/MainWindow.h"
#include "views/MySplitterWnd.h"
#include "views/MyToolBar.h"

#include <cmath>

namespace {

class GraphViewInteractionTest : public GraphViewFixture
{
protected:
    void SetUp() override
    {
        GraphViewFixture::SetUp();
        OpenProject({Spec()});
        OpenView();
    }
    void Reopen(const std::vector<SSessionSpec>& specs)
    {
        CloseView();
        m_document->OnCloseDocument();
        m_document.reset();
        m_sources.clear();
        OpenProject(specs);
        OpenView();
    }
    void Fire(SPlotEvent event) { m_view->OnPlotEvent(event); }
    SPlotEvent Event(int id, int index = -1)
    {
        SPlotEvent event;
        event.id = id;
        event.index = index;
        return event;
    }
    const SPlotLimit* Limit(const char* name) { return Chart().GetLimit(Chart().FindLimit(name)); }
};

TEST_F(GraphViewInteractionTest, MarkersStartAtThirtyAndSeventyPercentAndSwapOnRelease)
{
    Click(GraphBar::kSetTimeRange);
    const CTimeRangeMarkers& markers = m_view->GetTimeRangeMarkers();
    ASSERT_TRUE(markers.IsShown());
    const CPlotXAxis& axis = *Chart().GetXAxis(0);
    EXPECT_NEAR(axis.ValueToFraction(markers.GetBegin()), 0.3, 1e-9);
    EXPECT_NEAR(axis.ValueToFraction(markers.GetEnd()), 0.7, 1e-9);
    // The data cursors are off while the markers show; the table heard of the range.
    EXPECT_EQ(Chart().GetCursor(0).style, 0);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_FALSE(m_timeRangeTable->refills.empty());
    // The pickers show the range.
    double begin = 0, end = 0;
    m_bar->TimeRangePickers().GetRange(begin, end);
    EXPECT_NEAR(begin, markers.GetBegin(), 1e-5); // to the second

    // The start marker dragged right of the end marker: released, the two swap.
    const int start = Chart().FindLimit(kTimeRangeStart);
    Chart().GetLimit(start)->position1 = axis.FractionToValue(0.9);
    Fire(Event(PlotEvent::LimitMouseDown, start));
    Fire(Event(PlotEvent::LimitReleased, start));
    EXPECT_LE(markers.GetBegin(), markers.GetEnd());
    EXPECT_NEAR(axis.ValueToFraction(markers.GetBegin()), 0.7, 1e-3);
    EXPECT_GT(axis.ValueToFraction(markers.GetEnd()), 0.85);
    EXPECT_EQ(markers.GetActiveSide(), 0); // the released marker is now the end
    // Switched off and on again: the last range comes back.
    const double kept = markers.GetBegin();
    Click(GraphBar::kSetTimeRange);
    EXPECT_FALSE(markers.IsShown());
    EXPECT_NE(Chart().GetCursor(0).style, 0);
    Click(GraphBar::kSetTimeRange);
    EXPECT_NEAR(markers.GetBegin(), kept, 1e-9);
}

TEST_F(GraphViewInteractionTest, ARangeLeftOfTheWindowShowsTheIndicatorWhoseClickScrollsToIt)
{
    Click(GraphBar::kSetTimeRange);
    CTimeRangeMarkers& markers = m_view->GetTimeRangeMarkers();
    const CPlotXAxis& axis = *Chart().GetXAxis(0);
    const double span = axis.GetSpan();
    markers.SetRange(axis.GetMin() - span / 4, axis.GetMin() + span / 2);
    EXPECT_FALSE(Limit(kTimeRangeStart)->visible);
    EXPECT_TRUE(Limit(kTimeRangeLeftIndicator)->visible);
    EXPECT_FALSE(Limit(kTimeRangeRightIndicator)->visible);
    const double begin = markers.GetBegin();
    Fire(Event(PlotEvent::LimitClick, Chart().FindLimit(kTimeRangeLeftIndicator)));
    EXPECT_NEAR(Chart().GetXAxis(0)->GetMin(), begin, 1e-9);
    EXPECT_NEAR(Chart().GetXAxis(0)->GetSpan(), span, 1e-9);
    EXPECT_TRUE(Limit(kTimeRangeStart)->visible);
    EXPECT_FALSE(Limit(kTimeRangeLeftIndicator)->visible);
}

TEST_F(GraphViewInteractionTest, ArrowKeysMoveOnlyTheActiveMarkerFromSampleToSample)
{
    Click(GraphBar::kSetTimeRange);
    CTimeRangeMarkers& markers = m_view->GetTimeRangeMarkers();
    const double begin = markers.GetBegin();
    SPlotEvent key = Event(PlotEvent::KeyDown);
    key.key = 39;
    Fire(key); // no active side: nothing moves
    EXPECT_EQ(markers.GetBegin(), begin);
    Fire(Event(PlotEvent::LimitMouseDown, Chart().FindLimit(kTimeRangeStart)));
    ASSERT_EQ(markers.GetActiveSide(), 1);
    key.key = 39;
    Fire(key);
    EXPECT_EQ(key.key, 39); // the view's event copy consumed it, the sample is next
    const double afterRight = markers.GetBegin();
    EXPECT_GT(afterRight, begin);
    EXPECT_LT(afterRight - begin, 10.5 / 1440.0); // at most one ten-minute sample on
    const double end = markers.GetEnd();
    key.key = 37;
    Fire(key);
    Fire(key);
    EXPECT_LT(markers.GetBegin(), afterRight);
    EXPECT_EQ(markers.GetEnd(), end);
}

TEST_F(GraphViewInteractionTest, ALimitIsShownAloneAndPowerFactorLimitsStayWithinOne)
{
    CBasicViewSettings& settings = m_view->GetSettings();
    settings.m_channels[0] = {true, false, false, false};
    settings.m_channels[1] = {false, false, false, true};
    m_bar->SettingsToControls();
    Click(GraphBar::kFirstLimitCheck);
    ASSERT_TRUE(settings.m_isLimit[0]);
    Click(GraphBar::kFirstLimitCheck + 1);
    EXPECT_FALSE(settings.m_isLimit[0]);
    EXPECT_TRUE(settings.m_isLimit[1]);
    // Minus three typed into the power-factor limit is refused with the range; minus one is taken.
    CMessageBoxRecorder boxes;
    const float before = settings.m_limits[1];
    m_bar->SetDlgItemText(int(GraphBar::kFirstLimitEdit) + 1, "-3");
    m_view->SendMessage(WM_COMMAND, MAKEWPARAM(GraphBar::kFirstLimitEdit + 1, EN_KILLFOCUS), 0);
    CFrameworkApp::PumpWaitingMessages();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "-3 is out of range.\nPlease enter a number from -1 to 1.");
    EXPECT_EQ(settings.m_limits[1], before);
    m_bar->SetDlgItemText(int(GraphBar::kFirstLimitEdit) + 1, "-1");
    m_view->SendMessage(WM_COMMAND, MAKEWPARAM(GraphBar::kFirstLimitEdit + 1, EN_KILLFOCUS), 0);
    EXPECT_EQ(settings.m_limits[1], -1.0f);
    CString text;
    m_bar->GetDlgItemText(int(GraphBar::kFirstLimitEdit) + 1, text);
    EXPECT_EQ(text, CString("-1"));
    // The shown limit is a line on the power-factor axis.
    bool line = false;
    for (int i = 0; i < Chart().GetLimitCount(); ++i)
        if (Chart().GetLimit(i)->kind == EPlotLimitKind::YLine && Chart().GetLimit(i)->position1 == -1.0)
            line = true;
    EXPECT_TRUE(line);
    // Unparsable text keeps the limit; an empty text hides the limit.
    m_bar->SetDlgItemText(int(GraphBar::kFirstLimitEdit), "abc");
    m_view->SendMessage(WM_COMMAND, MAKEWPARAM(GraphBar::kFirstLimitEdit, EN_KILLFOCUS), 0);
    EXPECT_EQ(settings.m_limits[0], 0.0f);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    m_bar->SetDlgItemText(int(GraphBar::kFirstLimitEdit) + 1, "");
    m_view->SendMessage(WM_COMMAND, MAKEWPARAM(GraphBar::kFirstLimitEdit + 1, EN_KILLFOCUS), 0);
    EXPECT_FALSE(settings.m_isLimit[1]);
}

TEST_F(GraphViewInteractionTest, PowerFactorAxesReturnToMinusOneToOne)
{
    CBasicViewSettings& settings = m_view->GetSettings();
    settings.m_channels[1] = {false, false, false, true};
    m_bar->SettingsToControls();
    m_view->RefreshGraph();
    const int axis = Chart().FindYAxis(YAxisName(1));
    ASSERT_GE(axis, 0);
    EXPECT_DOUBLE_EQ(Chart().GetYAxis(axis)->GetMin(), -1.0);
    // Scaled by the user to 0 .. 2.
    Chart().SetYAxisRange(axis, 0.0, 2.0);
    m_view->LabelYAxes();
    EXPECT_DOUBLE_EQ(Chart().GetYAxis(axis)->GetMin(), -1.0);
    EXPECT_DOUBLE_EQ(Chart().GetYAxis(axis)->GetMax(), 1.000000000001);
    // Min/Max never shows for a power factor.
    Click(GraphBar::kFirstMinMax + 1);
    EXPECT_FALSE(settings.m_isMaxMin[1]);
}

TEST_F(GraphViewInteractionTest, WorkingHoursShadeWeekendsGreyAndWeekdaysWhiteFromEightForEightHours)
{
    // Monday to Sunday in view.
    Chart().SetXAxisRange(0, CHighTime(2026, 3, 2, 0, 0, 0).GetAsDate(), 7.0 - 1e-6);
    Click(GraphBar::kSetWorkingHours);
    EXPECT_EQ(Chart().GetPlotBackground(), kOffHoursColor);
    int inWeek = 0;
    for (int i = 0; i < Chart().GetLabelCount(); ++i) {
        const SPlotLabel& label = *Chart().GetLabel(i);
        if (label.name != kWorkingHourAnnotation)
            continue;
        const CHighTime from = CHighTime::FromDate(label.x);
        const CHighTime to = CHighTime::FromDate(label.x2);
        EXPECT_NE(from.GetDayOfWeek(), 1); // never Sunday
        EXPECT_NE(from.GetDayOfWeek(), 7); // never Saturday
        EXPECT_EQ(from.GetHour(), 8);
        EXPECT_EQ(to.GetHour(), 16);
        if (label.x >= Chart().GetXAxis(0)->GetMin() && label.x < Chart().GetXAxis(0)->GetMax())
            ++inWeek;
    }
    EXPECT_EQ(inWeek, 5);
    // Unticking Friday removes its rectangle.
    Click(GraphBar::kFirstWeekday + 4);
    inWeek = 0;
    for (int i = 0; i < Chart().GetLabelCount(); ++i)
        if (Chart().GetLabel(i)->name == kWorkingHourAnnotation && Chart().GetLabel(i)->x >= Chart().GetXAxis(0)->GetMin() &&
            Chart().GetLabel(i)->x < Chart().GetXAxis(0)->GetMax())
            ++inWeek;
    EXPECT_EQ(inWeek, 4);
    Click(GraphBar::kSetWorkingHours);
    EXPECT_EQ(Chart().GetPlotBackground(), CiPlotX::kDefaultBackground);
}

TEST_F(GraphViewInteractionTest, TheWorkingHoursRetryStopsWhileTheViewIsHidden)
{
    View().StartWorkingHoursRetry();
    ASSERT_TRUE(m_view->IsTimerRunning(kWorkingHoursTimer));
    m_view->ShowWindow(SW_HIDE);
    m_view->SendMessage(WM_TIMER, kWorkingHoursTimer, 0);
    EXPECT_FALSE(m_view->IsTimerRunning(kWorkingHoursTimer));
    // The next update starts it again when the shading is asked for and cannot be drawn.
    m_view->ShowWindow(SW_SHOW);
}

TEST_F(GraphViewInteractionTest, ToolbarCommandsZoomToggleNotesAndSections)
{
    const double span = Chart().GetXAxis(0)->GetSpan();
    Command(33049);
    EXPECT_NEAR(Chart().GetXAxis(0)->GetSpan(), span / 2, 1e-9);
    Command(33050);
    EXPECT_NEAR(Chart().GetXAxis(0)->GetSpan(), span, 1e-9);
    EXPECT_EQ(m_view->GetEventSuppression(), 0);
    // Notes mode and its toolbar button.
    CMyToolBar* toolBar = m_frame->GetMyToolBar(0);
    ASSERT_NE(toolBar, nullptr);
    Command(33051);
    EXPECT_TRUE(m_view->GetNotes().IsNotesMode());
    EXPECT_EQ(toolBar->GetButtonStateBits(33051), CMyToolBar::kPressedBit);
    m_view->SendMessage(WM_NOTES_STATE);
    EXPECT_FALSE(m_view->GetNotes().IsNotesMode());
    EXPECT_EQ(toolBar->GetButtonStateBits(33051), 0u);
    // The hidden data buttons do nothing at all.
    Command(33052);
    Command(33053);
    EXPECT_TRUE(m_boxes.Boxes().empty());
    EXPECT_TRUE(toolBar->IsButtonHidden(33052));
    // Collapse from the toolbar; the table's message is answered with 0.
    Command(33047);
    EXPECT_TRUE(m_frame->IsSectionCollapsed());
    Command(33047);
    EXPECT_FALSE(m_frame->IsSectionCollapsed());
    EXPECT_EQ(m_view->SendMessage(WM_SECTION_TOGGLE), 0);
    EXPECT_TRUE(m_frame->IsSectionCollapsed());
    m_view->SendMessage(WM_SECTION_TOGGLE);
    EXPECT_FALSE(m_frame->IsSectionCollapsed());
    // The toolbar's edit text is kept as the settings' text.
    toolBar->SetEditText("Feeder week");
    m_view->SendMessage(WM_COMMAND, MAKEWPARAM(10002, EN_KILLFOCUS), 0);
    EXPECT_EQ(m_view->GetSettings().m_toolbarEdit.Graph, CString("Feeder week"));
}

TEST_F(GraphViewInteractionTest, ScrollButtonsMoveOneSpanAndCouplingMovesEveryAxis)
{
    Reopen({Spec(), Spec()});
    Click(GraphBar::kFirstSession + 1);
    // Both axes zoomed to the first third of their sessions.
    const double first = Chart().GetXAxis(0)->GetMin();
    const double second = Chart().GetXAxis(1)->GetMin();
    const double span = Chart().GetXAxis(0)->GetSpan() / 3;
    Chart().SetXAxisRange(0, first, span);
    Chart().SetXAxisRange(1, second, span);
    Command(kFirstScrollForwardButton);
    EXPECT_NEAR(Chart().GetXAxis(0)->GetMin(), first + span, 1e-9);
    EXPECT_NEAR(Chart().GetXAxis(1)->GetMin(), second, 1e-9);
    Command(kAxisCouplingButton);
    ASSERT_EQ(m_view->GetAxisControls().coupled, 1);
    // The second axis stands at the start of its data: no further back, and the coupled axes
    // stay in step.
    Command(kFirstScrollBackButton + 1);
    EXPECT_NEAR(Chart().GetXAxis(0)->GetMin(), first + span, 1e-9);
    EXPECT_NEAR(Chart().GetXAxis(1)->GetMin(), second, 1e-9);
    // The first goes back one span, and the second with it by the same time.
    Command(kFirstScrollBackButton);
    EXPECT_NEAR(Chart().GetXAxis(0)->GetMin(), first, 1e-9);
    EXPECT_NEAR(Chart().GetXAxis(1)->GetMin(), second - span, 1e-9);
}

TEST_F(GraphViewInteractionTest, SpanButtonsSetTheReferenceAxisToTheChosenLength)
{
    const CPlotXAxis& axis = *Chart().GetXAxis(0);
    const CHighTime start = CHighTime::FromDate(axis.GetMin());
    Click(GraphBar::kFirstSpanButton); // 1 Hour
    EXPECT_NEAR(axis.GetSpan(), 1.0 / 24.0, 1e-9);
    EXPECT_EQ(m_bar->GetSelectedSpanButton(), GraphBar::kFirstSpanButton);
    // From the full hour the axis started in.
    EXPECT_EQ(CHighTime::FromDate(axis.GetMin()).Format("%Y-%m-%d %H:%M:%S"), start.Format("%Y-%m-%d %H:00:00"));
    EXPECT_EQ(m_view->GetSettings().m_typeTimeRange, 0);
    Click(GraphBar::kFirstSpanButton + 3); // Individual: no span of its own
    EXPECT_NEAR(axis.GetSpan(), 1.0 / 24.0, 1e-9);
    // A span the user drags that is no choice selects "Individual" again.
    Click(GraphBar::kFirstSpanButton + 1);
    SPlotEvent event = Event(PlotEvent::XAxisChange, 0);
    event.a = axis.GetMin();
    event.b = axis.GetSpan();
    Chart().SetXAxisRange(0, axis.GetMin(), 0.37);
    event.c = axis.GetMin();
    event.d = axis.GetSpan();
    Fire(event);
    EXPECT_EQ(m_bar->GetSelectedSpanButton(), GraphBar::kFirstSpanButton + 3);
    EXPECT_EQ(m_view->GetSettings().m_typeTimeRange, -1);
    // The scale tooltips stand over the axis bands.
    const SScaleTooltipBands& bands = m_view->GetTooltipBands();
    EXPECT_FALSE(bands.xAxes.IsRectEmpty());
    EXPECT_FALSE(bands.leftYAxes.IsRectEmpty());
    EXPECT_GT(bands.xAxes.top, Chart().GetLayout().plot.top);
}

TEST_F(GraphViewInteractionTest, NotesArePlacedMovedEditedAndDeleted)
{
    CBasicViewSettings& settings = m_view->GetSettings();
    Command(33051);
    const int channel = Chart().FindChannel("1: V1_TC") >= 0 ? Chart().FindChannel("1: V1_TC") : 0;
    ASSERT_GT(Chart().GetChannel(channel)->GetCount(), 20);
    SPlotEvent click = Event(PlotEvent::ChannelPointClick, channel);
    click.point = 20;
    Fire(click);
    ASSERT_EQ(settings.m_notes.size(), 1u);
    const structAddNotes& note = settings.m_notes[0];
    EXPECT_TRUE(note.IsAttached());
    EXPECT_EQ(note.name.Left(7), CString("Note 0."));
    EXPECT_NE(note.text.Find('\n'), -1); // the cursor readout of the point
    EXPECT_FALSE(m_view->GetNotes().IsNotesMode());
    const int box = Chart().FindLabel(note.name);
    ASSERT_GE(box, 0);
    EXPECT_GE(Chart().FindLabel(note.name + " anchor"), 0);
    // Moved by the chart.
    Chart().GetLabel(box)->y = 42.0;
    Fire(Event(PlotEvent::LabelMoved, box));
    EXPECT_EQ(settings.m_notes[0].y, 42.0);
    // Edited through its dialog.
    auto previous = CDialog::SetModalDriver([](CDialog& dialog) {
        dialog.SetDlgItemText(1000, "Peak of the morning");
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
    });
    Fire(Event(PlotEvent::LabelEdit, box));
    CDialog::SetModalDriver(std::move(previous));
    EXPECT_EQ(settings.m_notes[0].text, CString("Peak of the morning"));
    // Deleted through the view's notification.
    const CString name = note.name;
    m_view->SendMessage(WM_GRAPH_NOTIFY, MAKEWPARAM(0, kNoteDeleteNotification), 0);
    EXPECT_TRUE(settings.m_notes.empty());
    EXPECT_LT(Chart().FindLabel(name), 0);
}

TEST_F(GraphViewInteractionTest, ANoteOfAnOlderVersionStandsOnTheChartPointItNames)
{
    // Older versions named the chart point (last number 0); such a note is read as it was.
    const int channel = Chart().FindChannel("1: V1_TC") >= 0 ? Chart().FindChannel("1: V1_TC") : 0;
    const CPlotChannel& plotted = *Chart().GetChannel(channel);
    ASSERT_GT(plotted.GetCount(), 20);
    CRecTrendToIOComp& feeder = *m_view->GetDataToIOComp();
    const SFeederChannel& entry = *feeder.GetChannelEntry(feeder.FindChannelEntry(plotted.GetName()));
    CString name;
    name.Format("Note 0.%d.%d.%d.%d.20.0", entry.session, 5000 + int(entry.quantity), int(entry.phase), entry.statistic);
    m_view->GetSettings().m_notes = {{"older", 1, name, 0, 50}};
    m_view->GetNotes().Reinitialise();
    const SPlotLabel* anchor = Chart().GetLabel(Chart().FindLabel(name + " anchor"));
    ASSERT_NE(anchor, nullptr);
    EXPECT_EQ(anchor->channelName, plotted.GetName());
    EXPECT_DOUBLE_EQ(anchor->x, plotted.GetXValue(20));
    EXPECT_FLOAT_EQ(float(anchor->value), plotted.GetYValue(20));
}

TEST_F(GraphViewInteractionTest, TheNotesOfARemovedSessionAreDropped)
{
    Reopen({Spec(), Spec()});
    CBasicViewSettings& settings = m_view->GetSettings();
    settings.m_notes = {{"", 1, "Note 0.0.0.0.1.5.0", 0, 50}, {"", 1, "Note 1.1.0.0.1.7.0", 0, 50}, {"", 0, "Note 2", 0, 50}};
    m_view->GetNotes().Reinitialise();
    ASSERT_EQ(m_document->DeleteSession(0), 0);
    ASSERT_EQ(settings.m_notes.size(), 2u);
    EXPECT_EQ(settings.m_notes[0].name, CString("Note 0.0.0.0.1.7.0"));
    EXPECT_EQ(settings.m_notes[1].name, CString("Note 1"));
}

TEST_F(GraphViewInteractionTest, PrivateMessagesRefreshDeferAndFollowTheDocument)
{
    const int renders = Chart().GetRenderCount();
    m_view->SendMessage(WM_GRAPH_NOTIFY, MAKEWPARAM(0, kGraphRefreshNotification), 0);
    EXPECT_GT(Chart().GetRenderCount(), renders);
    // Left through the view toolbar: the data is released until the view is drawn again.
    m_view->SendMessage(WM_GRAPH_NOTIFY, MAKEWPARAM(33075, kViewLeftNotification), 0);
    EXPECT_EQ(Chart().GetChannelCount(), 0);
    m_view->SendMessage(WM_PAINT);
    EXPECT_GT(Chart().GetChannelCount(), 0);
    // The session-settings change refreshes the texts and refills both tables.
    const std::size_t refills = m_table->refills.size();
    SProjectManagerChange hint(nullptr, nullptr);
    hint.Set(SProjectManagerChange::kSessionName);
    m_view->SendMessage(WM_DOC_UPDATE, reinterpret_cast<WPARAM>(&hint), 0);
    EXPECT_EQ(m_table->refills.size(), refills + 1);
    // The graph options button shows the bar and clears the collapsed flag.
    m_bar->ShowWindow(SW_HIDE);
    m_view->GetSettings().m_graphOptionsCollapse = 1;
    Command(kGraphOptionsButton);
    EXPECT_TRUE(m_bar->IsWindowVisible());
    EXPECT_EQ(m_view->GetSettings().m_graphOptionsCollapse, 0);
}


namespace {

TEST_F(GraphViewInteractionTest, ASessionAxisDraggedByTheUserSnapsToTheReferenceTickGrid)
{
    Reopen({Spec(), Spec()});
    Click(GraphBar::kFirstSession + 1);
    CiPlotX& chart = Chart();
    // The user drags session 2's axis by seven minutes.
    const CPlotXAxis& second = *chart.GetXAxis(1);
    SPlotEvent event;
    event.id = PlotEvent::XAxisChange;
    event.index = 1;
    event.a = second.GetMin();
    event.b = second.GetSpan();
    chart.SetXAxisRange(1, second.GetMin() + 7.0 / 1440.0, second.GetSpan());
    event.c = second.GetMin();
    event.d = second.GetSpan();
    m_view->OnPlotEvent(event);
    auto firstLabelled = [&chart](int axis) {
        for (const SPlotAxisLabel& label : chart.GetXAxis(axis)->GetLabels())
            if (!label.text.IsEmpty())
                return chart.XValueToPixel(axis, label.value);
        return -1.0;
    };
    auto spacing = [&chart](int axis) {
        std::vector<double> pixels;
        for (const SPlotAxisLabel& label : chart.GetXAxis(axis)->GetLabels())
            if (!label.text.IsEmpty())
                pixels.push_back(chart.XValueToPixel(axis, label.value));
        return pixels.size() > 1 ? pixels[1] - pixels[0] : 0.0;
    };
    const double t = spacing(0);
    ASSERT_GT(t, 0.0);
    const double offset = std::fmod(std::fabs(firstLabelled(1) - firstLabelled(0)), t);
    EXPECT_TRUE(offset < 1.0 || t - offset < 1.0) << offset;
}

} // namespace

namespace {

TEST_F(GraphViewInteractionTest, AnUpdateReappliesTheStoredTimeRangeNotThePickersOldValues)
{
    Click(GraphBar::kSetTimeRange);
    CTimeRangeMarkers& markers = m_view->GetTimeRangeMarkers();
    const CPlotXAxis& axis = *Chart().GetXAxis(0);
    // The pickers keep an older range; the markers were dragged since.
    m_bar->TimeRangePickers().SetRange(axis.FractionToValue(0.1), axis.FractionToValue(0.2));
    markers.SetRange(axis.FractionToValue(0.45), axis.FractionToValue(0.55));
    m_view->GetSettings().m_timeRange = {markers.GetBegin(), markers.GetEnd()};
    m_view->SendMessage(WM_DOC_UPDATE, 0, 0);
    ASSERT_TRUE(markers.IsShown());
    EXPECT_NEAR(axis.ValueToFraction(markers.GetBegin()), 0.45, 1e-6);
    EXPECT_NEAR(axis.ValueToFraction(markers.GetEnd()), 0.55, 1e-6);
    double begin = 0, end = 0;
    m_bar->TimeRangePickers().GetRange(begin, end);
    EXPECT_NEAR(begin, markers.GetBegin(), 1e-5);
}

TEST_F(GraphViewInteractionTest, PickerChangesMoveTheMarkersAndTheTimeRangeTableRefills)
{
    Click(GraphBar::kSetTimeRange);
    CFrameworkApp::PumpWaitingMessages();
    const std::size_t refills = m_timeRangeTable->refills.size();
    const CHighTime begin = CHighTime::FromDate(m_view->GetTimeRangeMarkers().GetBegin());
    SYSTEMTIME st{};
    const CHighTime later = begin + CHighTimeSpan(0, 1, 0, 0);
    ASSERT_TRUE(later.GetAsSystemTime(st));
    auto* picker = static_cast<CDateTimeCtrl*>(m_bar->GetDlgItem(int(GraphBar::kTimeRangePickers.beginTime)));
    picker->SetTime(&st);
    NMHDR header;
    header.idFrom = GraphBar::kTimeRangePickers.beginTime;
    header.code = DTN_DATETIMECHANGE;
    m_view->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_NEAR(m_view->GetTimeRangeMarkers().GetBegin(), later.GetAsDate(), 2e-5);
    EXPECT_GT(m_timeRangeTable->refills.size(), refills);
}

TEST_F(GraphViewInteractionTest, ManualScaleDialogsWriteTheirRangeToTheAxis)
{
    CRecTrendToIOComp* feeder = m_view->GetDataToIOComp();
    CManualScaleDlg scale(feeder, 0, 240.0, 220.0, false);
    ASSERT_TRUE(scale.Apply());
    EXPECT_DOUBLE_EQ(Chart().GetYAxis(0)->GetMin(), 220.0);
    EXPECT_DOUBLE_EQ(Chart().GetYAxis(0)->GetMax(), 240.0);
    EXPECT_TRUE(Chart().GetYAxis(0)->IsManual());
    EXPECT_FALSE(CManualScaleDlg(feeder, 0, 5.0, 5.0, false).Apply()); // an empty range is refused
    const double start = Chart().GetXAxis(0)->GetMin();
    CManualScaleXAxisDlg xScale(feeder, 0, start + 0.1, start + 0.2);
    ASSERT_TRUE(xScale.Apply());
    EXPECT_NEAR(Chart().GetXAxis(0)->GetSpan(), 0.1, 1e-9);
    EXPECT_FALSE(CManualScaleXAxisDlg(feeder, 0, start, start).Apply());
}

} // namespace

namespace {

TEST_F(GraphViewInteractionTest, TheDemandViewOffersThePeriodsOfItsSessionsAndSplitsTheChoice)
{
    SSessionSpec first = Spec();
    first.demandSeconds = 300;
    SSessionSpec second = Spec();
    second.demandSeconds = 900;
    CloseView();
    m_document->OnCloseDocument();
    m_document.reset();
    OpenProject({first, second});
    OpenView(CDemandTestGraphView::Class(), std::make_unique<CDemandGraphViewDialogBar>());
    auto& view = dynamic_cast<CDemandTestGraphView&>(*m_view);
    auto* combo = static_cast<CComboBox*>(m_bar->GetDlgItem(int(kDemandPeriodCombo)));
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->IsWindowVisible());
    // Base 900 s: 15, 30, 60 minutes and "as logged" of the demand records, then the trend block.
    ASSERT_GE(combo->GetCount(), 4);
    CString text;
    combo->GetLBText(0, text);
    EXPECT_EQ(text, CString("demand 15"));
    EXPECT_EQ(combo->GetItemData(3), 0u);
    // New settings read the demand records as logged.
    EXPECT_EQ(view.GetSettings().m_demandPeriod, 0);
    EXPECT_FALSE(view.GetSettings().m_useTrendDataForDemand);
    EXPECT_EQ(combo->GetCurSel(), 3);
    ASSERT_FALSE(view.demandSources.empty());
    // A stored period no entry offers: the first entry is taken.
    view.GetSettings().m_demandPeriod = 1234;
    view.OnActivateView(true);
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(view.GetSettings().m_demandPeriod, 900);
    // A trend entry: the period below 65536, the trend flag above.
    combo->SetCurSel(4);
    m_view->SendMessage(WM_COMMAND, MAKEWPARAM(kDemandPeriodCombo, CBN_SELCHANGE), 0);
    EXPECT_EQ(view.GetSettings().m_demandPeriod, 600);
    EXPECT_TRUE(view.GetSettings().m_useTrendDataForDemand);
    EXPECT_TRUE(view.demandSources.back());
}

TEST_F(GraphViewInteractionTest, TheDialogBarTimerCollapsesTheBarWhenTheSettingsSaySo)
{
    m_view->GetSettings().m_graphOptionsCollapse = 1;
    m_view->SendMessage(WM_TIMER, kDialogBarTimer, 0);
    EXPECT_FALSE(m_bar->IsWindowVisible());
    EXPECT_FALSE(m_view->IsTimerRunning(kDialogBarTimer));
    Command(kGraphOptionsButton);
    EXPECT_TRUE(m_bar->IsWindowVisible());
}

} // namespace

namespace {

TEST_F(GraphViewInteractionTest, ALowViewKeepsItsPlotAndTimeAxisInSightWithoutScrolling)
{
    CRect rect;
    m_view->GetWindowRect(&rect);
    m_frame->ScreenToClient(&rect);
    const auto inSight = [&] {
        CRect client;
        m_view->GetClientRect(&client);
        CRect chart;
        Chart().GetWindowRect(&chart);
        m_view->ScreenToClient(&chart);
        const SPlotLayout& layout = Chart().GetLayout();
        const CRect& axis = layout.xAxisBands[0];
        return chart.top + layout.plot.top >= 0 && chart.top + axis.bottom <= client.bottom;
    };
    m_view->MoveWindow(rect.left, rect.top, rect.Width(), 200);
    EXPECT_EQ(m_view->GetStyle() & WS_VSCROLL, 0u);
    EXPECT_TRUE(inSight());
    const int lowPlot = Chart().GetLayout().plot.Height();
    EXPECT_GT(lowPlot, 0);
    m_view->MoveWindow(rect.left, rect.top, rect.Width(), 700);
    EXPECT_EQ(m_view->GetStyle() & WS_VSCROLL, 0u);
    EXPECT_TRUE(inSight());
    EXPECT_EQ(Chart().GetLayout().plot.Height(), lowPlot + 500);
}

} // namespace

TEST_F(GraphViewInteractionTest, HoveringAnAxisBandShowsHowToChangeTheScale)
{
    const SScaleTooltipBands& bands = m_view->GetTooltipBands();
    CString yText, xText;
    yText.LoadString(145);
    xText.LoadString(144);
    const auto unwrapped = [](CString text) {
        text.Replace("\n", " ");
        return text;
    };
    EXPECT_EQ(unwrapped(SimulateHoverTip(Chart(), bands.leftYAxes.CenterPoint())), yText);
    const CString shown = SimulateHoverTip(Chart(), bands.xAxes.CenterPoint());
    EXPECT_EQ(unwrapped(shown), xText);
    EXPECT_NE(shown.Find('\n'), -1); // wrapped to the narrow tip
    // The plot itself has no tip.
    EXPECT_EQ(SimulateHoverTip(Chart(), Chart().GetLayout().plot.CenterPoint()), CString());

    // A band too short for its axis's title cuts the title short; the tip tells it whole first.
    const CString title = Chart().GetYAxis(0)->GetTitle();
    ASSERT_FALSE(title.IsEmpty());
    EXPECT_EQ(Chart().GetShownYAxisTitle(0), title);
    CRect rect;
    m_view->GetWindowRect(&rect);
    m_frame->ScreenToClient(&rect);
    m_view->MoveWindow(rect.left, rect.top, rect.Width(), 120);
    const CString cut = Chart().GetShownYAxisTitle(0);
    EXPECT_EQ(cut.Right(3), CString("\xE2\x80\xA6")) << cut.str();
    EXPECT_EQ(title.Left(cut.GetLength() - 3), cut.Left(cut.GetLength() - 3));
    const CString tip = SimulateHoverTip(Chart(), m_view->GetTooltipBands().leftYAxes.CenterPoint());
    EXPECT_EQ(tip.Left(title.GetLength() + 2), title + "\n\n") << tip.str();
    EXPECT_EQ(unwrapped(tip.Mid(title.GetLength() + 2)), yText);
}

TEST_F(GraphViewInteractionTest, TheChannelColorMenuChangesAndRestoresAChannelsColour)
{
    ASSERT_GT(Chart().GetChannelCount(), 0);
    const CString name = Chart().GetChannel(0)->GetName();
    const COLORREF original = Chart().GetChannel(0)->GetColor();
    const COLORREF chosen = RGB(12, 200, 34);
    const auto colorOf = [&] { return Chart().GetChannel(Chart().FindChannel(name))->GetColor(); };
    std::vector<CString> firstItems;
    UINT answer = 0;
    const auto previousMenu = CMenu::SetTrackDriver([&](CMenu& menu) {
        firstItems.push_back(menu.Items().at(0).text);
        EXPECT_EQ(menu.Items().at(1).id, 33112u);
        EXPECT_EQ(menu.Items().at(1).text, CString("Change Color"));
        EXPECT_EQ(menu.GetMenuState(33112, MF_BYCOMMAND) & MF_GRAYED, 0u);
        return answer;
    });
    INT_PTR dialogAnswer = IDCANCEL;
    COLORREF offered = 0;
    const auto previousDialog = CColorDialog::SetDriver([&](CColorDialog& dialog) {
        offered = dialog.GetColor();
        dialog.SetCurrentColor(chosen);
        return dialogAnswer;
    });
    const auto openMenu = [&](UINT command) {
        answer = command;
        SPlotEvent event = Event(PlotEvent::ChannelMenu, Chart().FindChannel(name));
        Fire(event);
    };

    // A cancelled dialog changes nothing; it was offered the channel's colour.
    openMenu(33112);
    EXPECT_EQ(offered, original);
    EXPECT_EQ(colorOf(), original);
    EXPECT_FALSE(m_view->GetSettings().HasCustomColors());
    // A confirmed one recolours the channel and keeps the colour in the settings.
    dialogAnswer = IDOK;
    openMenu(33112);
    EXPECT_EQ(colorOf(), chosen);
    ASSERT_TRUE(m_view->GetSettings().HasCustomColors());
    // The menu now names the custom colour; "Use Default Color" brings the default back.
    openMenu(33113);
    EXPECT_EQ(firstItems.back(), CString("Custom color RGB(12,200,34)"));
    EXPECT_EQ(colorOf(), original);
    EXPECT_FALSE(m_view->GetSettings().HasCustomColors());
    openMenu(0);
    EXPECT_EQ(firstItems.back().Left(14), CString("Default color "));

    CMenu::SetTrackDriver(previousMenu);
    CColorDialog::SetDriver(previousDialog);
}


TEST_F(GraphViewInteractionTest, ABookmarkCaptureFirstOpensTheSectionInTheStandardLayout)
{
    static const SRuntimeClass graphFrame{"CTestGraphFrame", &CSplitFrame::Class(), CSplitFrame::Class().createObject,
                                          &CTestGraphView::Class()};
    CloseView();
    auto* splitter = new CMySplitterWnd;
    ASSERT_TRUE(splitter->CreateStatic(&m_window, 3, 1));
    splitter->MoveWindow(0, 0, 1200, 720);
    SViewCreateContext context;
    context.document = m_document.get();
    ASSERT_TRUE(splitter->CreatePane(0, 0, CSplitFrame::Class(), CSize(0, 0), SViewCreateContext()));
    ASSERT_TRUE(splitter->CreatePane(1, 0, graphFrame, CSize(0, 0), context));
    ASSERT_TRUE(splitter->CreatePane(2, 0, CSplitFrame::Class(), CSize(0, 0), SViewCreateContext()));
    const auto section = [&](int row) { return dynamic_cast<CSplitFrame*>(splitter->GetPane(row, 0)); };
    const auto height = [&](int row) {
        CRect rect;
        section(row)->GetWindowRect(&rect);
        return section(row)->IsWindowVisible() ? rect.Height() : 0;
    };
    AddTableSectionToolBar(*section(0), 10088, false);
    AddGraphSectionToolBar(*section(1), 10089, true);
    AddTableSectionToolBar(*section(2), 10090, false);
    auto* view = dynamic_cast<CBasicGraphView*>(section(1)->GetView());
    ASSERT_NE(view, nullptr);
    view->SendMessage(WM_INITIALUPDATE);
    // The user left the graph collapsed, the time range hidden and the report mode on.
    splitter->ShowThirdSection(false);
    splitter->SetMode(1);
    ASSERT_TRUE(section(1)->IsSectionCollapsed());

    const int bookmarks = m_document->GetProjectSettings()->GetBookmarkCount();
    SetMainWindow(&m_window);
    view->SendMessage(WM_COMMAND, 33055, 0);
    SetMainWindow(nullptr);
    EXPECT_EQ(m_document->GetProjectSettings()->GetBookmarkCount(), bookmarks + 1);
    EXPECT_EQ(splitter->GetMode(), 0);
    EXPECT_TRUE(splitter->IsThirdSectionShown());
    EXPECT_FALSE(section(1)->IsSectionCollapsed());
    EXPECT_EQ(height(0) + height(1) + height(2), 720);
    EXPECT_LE(std::abs(height(1) - height(0)), 1);
    EXPECT_LE(std::abs(height(2) - height(1)), 1);
    splitter->DestroyWindow();
}


TEST_F(GraphViewInteractionTest, APrintedViewShowsItsChartAndButtonWhereTheyStand)
{
    m_view->GetSettings().m_graphOptionsCollapse = 1;
    m_view->SendMessage(WM_TIMER, kDialogBarTimer, 0);
    CWnd* button = m_view->GetDlgItem(int(kGraphOptionsButton));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->IsWindowVisible());
    CRect buttonRect;
    button->GetWindowRect(&buttonRect);
    m_view->ScreenToClient(&buttonRect);
    CRect chartRect;
    Chart().GetWindowRect(&chartRect);
    m_view->ScreenToClient(&chartRect);
    CRect client;
    m_view->GetClientRect(&client);
    CClientDC screen(m_view);
    const auto print = [&](CDC& dc, CBitmap& bitmap) {
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
        dc.SelectObject(&bitmap);
        m_view->SendMessage(WM_PRINTCLIENT, WPARAM(dc.m_hDC), 0);
    };
    CDC printed, withoutChart;
    CBitmap printedBitmap, withoutChartBitmap;
    print(printed, printedBitmap);
    Chart().ShowWindow(SW_HIDE);
    print(withoutChart, withoutChartBitmap);
    Chart().ShowWindow(SW_SHOW);

    // A grid of points over the chart's plot and over the button prints as shown.
    const CRect& plot = Chart().GetLayout().plot;
    int differing = 0;
    for (const CRect& area : {CRect(plot) + chartRect.TopLeft(), buttonRect})
        for (int i = 0; i < 9; ++i)
            for (int j = 0; j < 9; ++j) {
                const CPoint point(area.left + area.Width() * (2 * i + 1) / 18,
                                   std::max(0, int(area.top + area.Height() * (2 * j + 1) / 18)));
                differing += printed.GetPixel(point.x, point.y) != GetShownPixel(*m_view, point) ? 1 : 0;
            }
    EXPECT_EQ(differing, 0);
    // The chart's grid lines across the middle of the plot are its own drawing, not the form's.
    int chartPixels = 0;
    const int middle = chartRect.top + plot.CenterPoint().y;
    for (int x = chartRect.left + plot.left; x < chartRect.left + plot.right; ++x)
        chartPixels += printed.GetPixel(x, middle) != withoutChart.GetPixel(x, middle) ? 1 : 0;
    EXPECT_GT(chartPixels, 3);
}

} // namespace
