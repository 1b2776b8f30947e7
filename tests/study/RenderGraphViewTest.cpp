// The picture of a graph view of the sample project with its data cursors, time-range markers, a
// limit line, Min/Max envelopes and working hours, written for a person to look at (run with
// --gtest_also_run_disabled_tests; ORN_RENDER_DIR chooses the folder, /tmp by default).
#include "GraphViewFixture.h"

#include "support/WindowPicture.h"

namespace {

class RenderGraphViewTest : public GraphViewFixture
{
};

TEST_F(RenderGraphViewTest, DISABLED_TheSampleProjectWithCursorsMarkersLimitsAndWorkingHours)
{
    m_dialogAnswer = m_folder.Path("sample.zca");
    m_document = std::make_unique<CRecDoc>();
    ASSERT_TRUE(m_document->OnOpenDocument(CString(std::string(ORN_SOURCE_DIR) + "/resources/samples/sample.zlg")));
    OpenView();
    CBasicViewSettings& settings = m_view->GetSettings();
    settings.m_channels[0] = {true, true, true, false};
    settings.m_isMaxMin[0] = true;
    settings.m_isLimit[0] = true;
    settings.m_limits[0] = 232.0f;
    m_bar->SettingsToControls();
    m_view->RefreshGraph();
    Click(GraphBar::kSetWorkingHours);
    // Cursors first (the markers switch them off), then a copy with the time range.
    const int v1 = Chart().FindChannel("1: V1_TC");
    ASSERT_GE(v1, 0);
    const CPlotXAxis& axis = *Chart().GetXAxis(0);
    for (int i = 0; i < CiPlotX::kCursorCount; ++i) {
        Chart().GetCursor(i).channelName = Chart().GetChannel(v1)->GetName();
        Chart().SetCursorPosition(i, axis.FractionToValue(i == 0 ? 0.25 : 0.6));
    }
    m_view->PlaceCursorExtensionMarkers();
    Chart().Repaint();
    m_frame->RedrawWindow();
    SavePicture(*m_frame, "orn_graph_view_cursors");
    Click(GraphBar::kSetTimeRange);
    Chart().Repaint();
    m_frame->RedrawWindow();
    SavePicture(*m_frame, "orn_graph_view_markers");
}

} // namespace
