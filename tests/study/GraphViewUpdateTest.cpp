// The update sequence of the graph view base on projects of one, two, four and five sessions:
// settings, sessions, axes, channels, table refills, stored settings through "project.xml".
#include "GraphViewFixture.h"

#include "datamodel/DataItemTrend.h"
#include <cmath>
#include "datamodel/DataSet.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/TrendTimeBlock.h"
#include "project/ProjectSettings.h"
#include "study/PlotNames.h"

namespace {

class GraphViewUpdateTest : public GraphViewFixture
{
};

double FirstRecordDate(CRecDoc& document, int session)
{
    return document.GetDataSet(session)->GetTrendTimeBlock()->GetFirstTime().GetAsDate();
}

TEST_F(GraphViewUpdateTest, TheFirstUpdateShowsTheFirstSessionAndRefillsBothTables)
{
    OpenProject({Spec()});
    OpenView();
    const CBasicViewSettings& settings = m_view->GetSettings();
    EXPECT_TRUE(settings.IsPresent());
    EXPECT_EQ(m_view->GetSessionCount(), 1);
    EXPECT_TRUE(settings.m_sessions[0]);
    EXPECT_FALSE(settings.m_sessions[1]);
    // Defaults of the summary graph: the total of row 0, 08:00 for 8 hours, Monday to Friday.
    EXPECT_TRUE(settings.m_setWorkingHours == false);
    EXPECT_EQ(settings.m_workingDays, (std::array<bool, 7>{true, true, true, true, true, false, false}));
    // The time axis of session 1 spans its data: 144 ten-minute records, one day.
    const CPlotXAxis* axis = Chart().GetXAxis(0);
    ASSERT_NE(axis, nullptr);
    EXPECT_TRUE(axis->IsVisible());
    EXPECT_NEAR(axis->GetMin(), FirstRecordDate(*m_document, 0), 1e-9);
    EXPECT_NEAR(axis->GetSpan(), 1.0, 1e-6);
    EXPECT_FALSE(Chart().GetXAxis(1)->IsVisible());
    // One refill message to each table view, sent with the stored state texts.
    EXPECT_EQ(m_table->refills, std::vector<WPARAM>{0});
    EXPECT_GE(m_timeRangeTable->refills.size(), 1u);
    // The bar names the session.
    CString text;
    m_bar->GetDlgItemText(int(GraphBar::kFirstSession), text);
    EXPECT_EQ(text.Left(3), CString("1: "));
    EXPECT_FALSE(m_view->IsFirstUpdate());
    EXPECT_GE(View().timeRangeSectionUpdates, 1);
}

TEST_F(GraphViewUpdateTest, ShownPhasesBecomeChannelsFedInsideTheirWindow)
{
    OpenProject({Spec()});
    OpenView();
    CBasicViewSettings& settings = m_view->GetSettings();
    settings.m_channels[0] = {true, true, true, false};
    m_bar->SettingsToControls();
    m_view->RefreshGraph();
    // V1..V3 with their Min and Max, the envelopes hidden until Min/Max is ticked.
    int voltage = 0;
    for (int i = 0; i < Chart().GetChannelCount(); ++i)
        if (Chart().GetChannel(i)->GetTitle().Find(": V") >= 0)
            ++voltage;
    EXPECT_EQ(voltage, 9);
    EXPECT_EQ(VisibleChannels(), 3);
    const CPlotChannel* v1 = Chart().GetChannel(Chart().FindChannel("1: V1_TC"));
    ASSERT_NE(v1, nullptr);
    // Every record of the day is inside the feeding window, the missing ones as a gap.
    EXPECT_EQ(v1->GetCount(), m_document->GetDataSet(0)->GetTrendTimeBlock()->GetPointCount());
    EXPECT_FALSE(v1->GapIndexes().empty());
    Click(GraphBar::kFirstMinMax);
    EXPECT_EQ(VisibleChannels(), 9);
}

TEST_F(GraphViewUpdateTest, TwoSessionsOfDifferentPeriodsHaveTheirOwnTimeAxes)
{
    SSessionSpec second = Spec(1, 300, 288);
    second.startTicks += 864000000000LL * 3; // three days later
    OpenProject({Spec(), second});
    OpenView();
    EXPECT_EQ(m_view->GetSessionCount(), 2);
    Click(GraphBar::kFirstSession + 1);
    EXPECT_TRUE(m_view->GetSettings().m_sessions[1]);
    EXPECT_TRUE(Chart().GetXAxis(1)->IsVisible());
    // Both axes start at their own first record.
    EXPECT_NEAR(Chart().GetXAxis(1)->GetMin(), FirstRecordDate(*m_document, 1), 1e-9);
    EXPECT_NEAR(Chart().GetXAxis(0)->GetMin(), FirstRecordDate(*m_document, 0), 1e-9);
    // The time range of session 2 is the same relative stretch of its own axis.
    Click(GraphBar::kSetTimeRange);
    const CTimeRangeMarkers& markers = m_view->GetTimeRangeMarkers();
    const CPlotXAxis& second_axis = *Chart().GetXAxis(1);
    EXPECT_NEAR(second_axis.ValueToFraction(markers.GetBegin(1)), 0.3, 1e-9);
    EXPECT_NEAR(second_axis.ValueToFraction(markers.GetEnd(1)), 0.7, 1e-9);
}

TEST_F(GraphViewUpdateTest, FiveSessionsOfferFourSessionBoxes)
{
    OpenProject({Spec(), Spec(), Spec(), Spec(), Spec()});
    OpenView();
    EXPECT_EQ(m_view->GetSessionCount(), 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(m_bar->GetDlgItem(int(GraphBar::kFirstSession) + i)->IsWindowVisible()) << i;
    for (int i = 1; i < 4; ++i)
        Click(GraphBar::kFirstSession + UINT(i));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Chart().GetXAxis(i)->IsVisible()) << i;
    EXPECT_EQ(Chart().GetXAxisCount(), 4);
}

TEST_F(GraphViewUpdateTest, ALoadStudyViewOnAnEnergyProjectDisablesEverySessionBox)
{
    OpenProject({Spec(1), Spec(1)});
    OpenView(CLoadTestGraphView::Class());
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(m_bar->GetDlgItem(int(GraphBar::kFirstSession) + i)->IsWindowEnabled()) << i;
    EXPECT_EQ(m_view->ReferenceSession(), -1);
    EXPECT_EQ(VisibleChannels(), 0);
    // Nothing to shade and no axis to retry on.
    Click(GraphBar::kSetWorkingHours);
    EXPECT_FALSE(m_view->IsTimerRunning(kWorkingHoursTimer));
}

TEST_F(GraphViewUpdateTest, RemovingTheShownSessionRenumbersAndShowsTheFirstCompatibleOne)
{
    OpenProject({Spec(), Spec(), Spec()});
    OpenView();
    Click(GraphBar::kFirstSession + 2);
    Click(GraphBar::kFirstSession);
    ASSERT_EQ(m_view->GetSettings().m_sessions, (std::array<bool, 4>{false, false, true, false}));
    ASSERT_EQ(m_document->DeleteSession(0), 0);
    // Session 3 is now session 2 and still shown.
    EXPECT_EQ(m_view->GetSessionCount(), 2);
    EXPECT_EQ(m_view->GetSettings().m_sessions, (std::array<bool, 4>{false, true, false, false}));
}

TEST_F(GraphViewUpdateTest, SettingsAreStoredOnDestroyAndReadBackThroughTheProjectFile)
{
    OpenProject({Spec()});
    OpenView();
    Click(GraphBar::kSetWorkingHours);
    Click(GraphBar::kSetTimeRange);
    const double begin = m_view->GetTimeRangeMarkers().GetBegin();
    const double span = Chart().GetXAxis(0)->GetSpan();
    Command(33049); // zoom in: the axis range is stored too
    const double zoomed = Chart().GetXAxis(0)->GetSpan();
    ASSERT_LT(zoomed, span);
    CloseView();
    const auto* stored = dynamic_cast<const CBasicViewSettings*>(m_document->GetProjectSettings()->GetViewSettings(0));
    ASSERT_NE(stored, nullptr);
    EXPECT_TRUE(stored->m_setWorkingHours);
    EXPECT_TRUE(stored->m_checkTimeRange);
    EXPECT_NEAR(stored->m_upperPlot.xAxes[0].span, zoomed, 1e-9);

    // Written into "project.xml" and read back by a new document.
    m_document->SaveProject();
    const CString path = m_document->GetPathName();
    m_document->OnCloseDocument();
    m_document = std::make_unique<CRecDoc>();
    ASSERT_TRUE(m_document->OnOpenDocument(path));
    OpenView();
    const CBasicViewSettings& settings = m_view->GetSettings();
    EXPECT_TRUE(settings.m_setWorkingHours);
    EXPECT_TRUE(settings.m_checkTimeRange);
    EXPECT_TRUE(m_view->GetTimeRangeMarkers().IsShown());
    EXPECT_NEAR(m_view->GetTimeRangeMarkers().GetBegin(), begin, 1e-6);
    EXPECT_NEAR(Chart().GetXAxis(0)->GetSpan(), zoomed, 1e-6);
}

TEST_F(GraphViewUpdateTest, AProjectWithoutSessionsLeavesTheViewEmptyAndClearsTheTables)
{
    OpenProject({Spec()});
    OpenView();
    ASSERT_EQ(m_document->DeleteSession(0), 0);
    EXPECT_FALSE(m_view->GetSettings().IsPresent());
    EXPECT_EQ(m_table->refills.back(), kRefillClear);
    EXPECT_EQ(m_timeRangeTable->refills.back(), kRefillClear);
}

} // namespace

namespace {

TEST_F(GraphViewUpdateTest, FeedingAtAStepKeepsEachStepsFirstLowestHighestAndLastSample)
{
    OpenProject({Spec(1, 60, 1440)}); // one day of one-minute records
    OpenView();
    CRecTrendToIOComp& feeder = *m_view->GetDataToIOComp();
    const int channel = Chart().FindChannel("1: V1_TC");
    ASSERT_GE(channel, 0);
    const CPlotChannel& all = *Chart().GetChannel(channel);
    const int fullCount = all.GetCount();
    ASSERT_GT(fullCount, 1000);
    double low = 0, high = 0;
    ASSERT_TRUE(all.GetDataRange(low, high));
    // One-hour steps: at most four samples an hour, plus the gap markers.
    CDataSet* set = m_document->GetDataSet(0);
    CDataItemTrend* item = feeder.ProvideTrendItem(0, TrendItemForQuantity(set->GetMeasurementConfig(), kVoltageQuantity, false),
                                                   STrendAccessSpec{0, 1});
    ASSERT_NE(item, nullptr);
    const int entry = feeder.FindChannelEntry(all.GetName());
    feeder.SetDecimationStep(1.0 / 24.0);
    const double start = all.GetXValue(0);
    const double end = all.GetXValue(fullCount - 1);
    feeder.FeedChannel(entry, *item->GetChannel(kVoltageQuantity, 0), *item->GetTimeBlock(), false, 0, start, end);
    const CPlotChannel& reduced = all;
    EXPECT_LT(reduced.GetCount(), fullCount / 10);
    EXPECT_LE(reduced.GetCount(), 4 * 25 + int(reduced.GapIndexes().size()) * 5);
    double reducedLow = 0, reducedHigh = 0;
    ASSERT_TRUE(reduced.GetDataRange(reducedLow, reducedHigh));
    EXPECT_EQ(reducedLow, low);
    EXPECT_EQ(reducedHigh, high);
    EXPECT_FALSE(reduced.GapIndexes().empty());
    for (int i = 1; i < reduced.GetCount(); ++i)
        ASSERT_LE(reduced.GetXValue(i - 1), reduced.GetXValue(i));
}

} // namespace

namespace {

TEST_F(GraphViewUpdateTest, ABookmarksAxesWinOverWhatTheChartShowed)
{
    OpenProject({Spec()});
    OpenView();
    CBasicViewSettings bookmark(m_view->GetSettings());
    const double start = Chart().GetXAxis(0)->GetMin();
    bookmark.m_upperPlot.xAxisCount = 1;
    bookmark.m_upperPlot.xAxes[0] = {start + 0.25, 0.125};
    Command(33049); // the user zooms elsewhere meanwhile
    m_view->TakeViewSettings(&bookmark);
    m_view->SendMessage(WM_DOC_UPDATE, 0, 0);
    EXPECT_NEAR(Chart().GetXAxis(0)->GetMin(), start + 0.25, 1e-9);
    EXPECT_NEAR(Chart().GetXAxis(0)->GetSpan(), 0.125, 1e-9);
    // A later update keeps what the user does from then on.
    Command(33050);
    m_view->SendMessage(WM_DOC_UPDATE, 0, 0);
    EXPECT_NEAR(Chart().GetXAxis(0)->GetSpan(), 0.25, 1e-9);
}

TEST_F(GraphViewUpdateTest, ASessionOfOneSampleGetsAShowableAxisAndNoDivisionByZero)
{
    SSessionSpec recording = Spec(1, 600, 1);
    recording.gapStart = -1;
    OpenProject({recording});
    OpenView();
    const CPlotXAxis& axis = *Chart().GetXAxis(0);
    EXPECT_GT(axis.GetSpan(), 0.0);
    EXPECT_TRUE(std::isfinite(axis.GetMin()));
    Click(GraphBar::kSetTimeRange);
    EXPECT_TRUE(std::isfinite(m_view->GetTimeRangeMarkers().GetBegin()));
    Command(33049);
    EXPECT_GT(axis.GetSpan(), 0.0);
    Click(GraphBar::kSetWorkingHours);
    int first = 0, last = 0;
    CBasicGraphView::GetTimeBlockRange(*m_document->GetDataSet(0)->GetTrendTimeBlock(), -1.0, -1.0, first, last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 0);
}

TEST_F(GraphViewUpdateTest, TimeBlockRangesRunBetweenTheRecordsOfTwoDates)
{
    OpenProject({Spec()});
    const CTrendTimeBlock& block = *m_document->GetDataSet(0)->GetTrendTimeBlock();
    const double first = block.GetFirstTime().GetAsDate();
    const double tenMinutes = 10.0 / 1440.0;
    int from = 0, to = 0;
    CBasicGraphView::GetTimeBlockRange(block, first + tenMinutes, first + 3 * tenMinutes, from, to);
    EXPECT_EQ(from, 1);
    EXPECT_EQ(to, 2); // the record ending at the range's end
    CBasicGraphView::GetTimeBlockRange(block, first - 2.0, first - 1.0, from, to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, -1);
    CBasicGraphView::GetTimeBlockRange(block, first + 1.0, first, from, to);
    EXPECT_EQ(from, -1);
    EXPECT_EQ(to, -1);
}

} // namespace
