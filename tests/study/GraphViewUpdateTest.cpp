// The update sequence of the graph view base on projects of one, two, four and five sessions:
// settings, sessions, axes, channels, table refills, stored settings through "project.xml".
#include "GraphViewFixture.h"

#include "datamodel/DataSet.h"
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
