// The graph pages of the assembled program as a user drives them, on a project of two Energy
// sessions (the first with a gap across the end of daylight-saving time) and a Load session:
// clicks on the options bar, the chart, its axes and the section toolbars, and what the pages
// then show and keep.
#include "AssembledProgram.h"

#include "datamodel/DataSet.h"
#include "datamodel/DateTimeFormats.h"
#include "datamodel/PowerFactor.h"
#include "datamodel/RegionPrefs.h"
#include "datamodel/TrendTimeBlock.h"
#include "mainview/MainViewLayout.h"
#include "mainview/StudyLayouts.h"
#include "platform/framework/Profile.h"
#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/CDateTimeCtrl.h"
#include "platform/framework/windows/CFileDialog.h"
#include "platform/framework/windows/CMenu.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"
#include "platform/framework/windows/WindowTesting.h"
#include "project/EditAuxSettingsDlg.h"
#include "project/ProjectSettings.h"
#include "project/BasicViewSettings.h"
#include "project/ZcaArchive.h"
#include "projectmanager/ProjectManagerDataSetGrid.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "shell/MainFrame.h"
#include "study/BasicGraphViewDialogBar.h"
#include "study/BasicTableView.h"
#include "study/ChartMenus.h"
#include "study/FundamentalPowerGraphView.h"
#include "study/LoadStudySummaryGraphView.h"
#include "study/LoadStudySummaryTableViews.h"
#include "study/ManualScaleDlg.h"
#include "study/NoteAnnotations.h"
#include "study/PlotNames.h"
#include "study/SummaryGraphView.h"
#include "study/SummaryGrid.h"
#include "study/SummaryTableData.h"
#include "study/VAHzTHDGraphView.h"
#include "study/WorkingHoursShading.h"
#include "views/MyToolBar.h"
#include "views/TabWnd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <tuple>

namespace {

// Study view ids and the window-table entries of their graph sections.
constexpr int kRmsPowerPage = 0;
constexpr int kDemandPage = 1;
constexpr int kFundamentalPowerPage = 3;
constexpr int kVAHzTHDPage = 4;
constexpr int kLoadRmsPowerPage = 5;
constexpr int kSummaryGraphEntry = 6;
constexpr int kFundamentalGraphEntry = 14;
constexpr int kVAHzTHDGraphEntry = 17;
constexpr int kLoadSummaryTableEntry = 25;
constexpr int kLoadSummaryGraphEntry = 26;

constexpr double kHour = 1.0 / 24.0;
constexpr UINT kBookmarkButton = 33055;
constexpr UINT kZoomInButton = 33049;
constexpr UINT kZoomOutButton = 33050;
constexpr UINT kNotesButton = 33051;

class GraphPagesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_program.Start(m_program.MakeProject("graphs", Sessions()))); }
    virtual std::vector<SSessionSpec> Sessions() const { return CAssembledProgram::StandardSessions(); }

    template <class View>
    View& ShowGraph(int viewId, int entry)
    {
        EXPECT_TRUE(m_program.ShowStudyPage(viewId));
        View* view = m_program.Section<View>(entry);
        EXPECT_NE(view, nullptr);
        // The deferred work of a new page (the bar, the data at the laid-out size) is done.
        CFrameworkApp::RunFor(700);
        return *view;
    }
    static CBasicGraphViewDialogBar& Bar(CBasicGraphView& view) { return *view.GetDialogBar(); }
    static CiPlotX& Chart(CBasicGraphView& view) { return *view.GetPlotControl(); }

    // A control of the options bar, scrolled into sight first as the user would.
    static CWnd& Control(CBasicGraphView& view, UINT id)
    {
        CBasicGraphViewDialogBar& bar = Bar(view);
        CWnd* control = bar.GetDlgItem(int(id));
        EXPECT_NE(control, nullptr);
        CRect rect;
        CRect client;
        control->GetWindowRect(&rect);
        bar.ScreenToClient(&rect);
        bar.GetClientRect(&client);
        if (rect.top < 0 || rect.bottom > client.bottom) {
            const int position = bar.GetScrollPos(SB_VERT) + rect.top - client.Height() / 2;
            bar.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::max(0, position)), 0);
        }
        return *control;
    }
    static void ClickControl(CBasicGraphView& view, UINT id) { CAssembledProgram::ClickAtCentre(Control(view, id)); }
    // A choice of a list of the bar, as the user's selection tells it.
    static void Choose(CBasicGraphView& view, UINT listId, int choice)
    {
        auto& list = static_cast<CComboBox&>(Control(view, listId));
        for (int i = 0; i < list.GetCount(); ++i)
            if (int(list.GetItemData(i)) == choice)
                list.SetCurSel(i);
        Bar(view).SendMessage(WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), LPARAM(list.GetSafeHwnd()));
        CFrameworkApp::PumpWaitingMessages();
    }
    // Text typed into an edit of the bar, then the focus moved on.
    static void Type(CBasicGraphView& view, UINT editId, const CString& text)
    {
        CWnd& edit = Control(view, editId);
        edit.SetWindowText(text);
        Bar(view).SendMessage(WM_COMMAND, MAKEWPARAM(editId, EN_KILLFOCUS), LPARAM(edit.GetSafeHwnd()));
        CFrameworkApp::PumpWaitingMessages();
    }
    // A button of the graph section's toolbar.
    static void ClickSectionButton(CBasicGraphView& view, UINT command)
    {
        CMyToolBar* toolBar = dynamic_cast<CSplitFrame*>(view.GetParent())->GetMyToolBar(0);
        ASSERT_NE(toolBar, nullptr);
        ASSERT_FALSE(toolBar->GetButtonRect(command).IsRectEmpty());
        CAssembledProgram::ClickAt(*toolBar, toolBar->GetButtonRect(command).CenterPoint());
    }
    static bool IsChecked(CBasicGraphView& view, UINT id)
    {
        return static_cast<CButton&>(Control(view, id)).GetCheck() == BST_CHECKED;
    }

    // The first visible channel whose title starts so, and the pixel of one of its points.
    static int FindChannel(CiPlotX& chart, const CString& titleStart)
    {
        for (int i = 0; i < chart.GetChannelCount(); ++i)
            if (chart.GetChannel(i)->IsVisible() && chart.GetChannel(i)->GetTitle().Find(titleStart) == 0)
                return i;
        return -1;
    }
    static CPoint PointPixel(CiPlotX& chart, int channel, int point)
    {
        const CPlotChannel& c = *chart.GetChannel(channel);
        return CPoint(int(std::lround(chart.XValueToPixel(chart.FindXAxis(c.GetXAxisName()), c.GetXValue(point)))),
                      int(std::lround(chart.YValueToPixel(chart.FindYAxis(c.GetYAxisName()), c.GetYValue(point)))));
    }
    // A point of the channel with a value, near the middle of what the chart shows of it (the
    // cursors stand at a third and two thirds).
    static int ShownPoint(CiPlotX& chart, int channel)
    {
        const CPlotChannel& c = *chart.GetChannel(channel);
        const CPlotXAxis& axis = *chart.GetXAxis(chart.FindXAxis(c.GetXAxisName()));
        for (int i = std::max(0, c.GetIndexOfX(axis.FractionToValue(0.45))); i < c.GetCount(); ++i)
            if (std::isfinite(c.GetYValue(i)))
                return i;
        return -1;
    }
    static double PickerRange(CBasicGraphView& view, bool end)
    {
        double begin = 0.0;
        double finish = 0.0;
        Bar(view).XAxisPickers().GetRange(begin, finish);
        return end ? finish : begin;
    }

    // The span button shown pressed (0 "1 Hour" .. 3 "Individual"); -1 unless exactly one is.
    static int PressedSpanButton(CBasicGraphView& view)
    {
        int pressed = -1;
        for (int i = 0; i < 4; ++i)
            if (IsChecked(view, GraphBar::kFirstSpanButton + UINT(i)))
                pressed = pressed < 0 ? i : 4;
        return pressed < 4 ? pressed : -1;
    }
    // The time axis dragged along by the mouse.
    static void DragTimeAxis(CBasicGraphView& view, int pixels)
    {
        CiPlotX& chart = Chart(view);
        const CPoint at = chart.GetLayout().xAxisBands.at(0).CenterPoint();
        SimulateMouse(chart, WM_LBUTTONDOWN, at);
        SimulateMouse(chart, WM_MOUSEMOVE, at + CPoint(pixels, 0), MK_LBUTTON);
        SimulateMouse(chart, WM_LBUTTONUP, at + CPoint(pixels, 0));
        CFrameworkApp::RunFor(300);
    }
    static void ScrollAxis(CBasicGraphView& view, int session, bool forward)
    {
        CAssembledProgram::ClickAtCentre(
            *view.GetDlgItem(int((forward ? kFirstScrollForwardButton : kFirstScrollBackButton) + UINT(session))));
    }

    CAssembledProgram m_program;
};

TEST_F(GraphPagesTest, TheProjectManagersBroadcastsLeaveEverySessionsSettingsAsTheyWere)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    ClickControl(graph, GraphBar::kFirstSession + 1);
    ASSERT_TRUE(graph.GetSettings().m_sessions[1]);
    // The second session's total power gets a colour of the user's.
    CiPlotX& chart = Chart(graph);
    const int channel = FindChannel(chart, "2: ");
    ASSERT_GE(channel, 0);
    const CString name = chart.GetChannel(channel)->GetName();
    const auto previousMenu = CMenu::SetTrackDriver([](CMenu&) { return 33112u; });
    const auto previousColor = CColorDialog::SetDriver([](CColorDialog& dialog) {
        dialog.SetCurrentColor(RGB(1, 2, 3));
        return INT_PTR(IDOK);
    });
    const CPoint point = PointPixel(chart, channel, ShownPoint(chart, channel));
    SimulateMouse(chart, WM_RBUTTONDOWN, point);
    SimulateMouse(chart, WM_RBUTTONUP, point);
    CMenu::SetTrackDriver(previousMenu);
    CColorDialog::SetDriver(previousColor);
    ASSERT_TRUE(graph.GetSettings().HasCustomColors());
    const std::vector<SCustomColor> colors = graph.GetSettings().m_customColors;
    EXPECT_EQ(colors.front().measurementId, 1);

    // A bookmark makes the project manager page update itself, which it tells every view.
    ClickSectionButton(graph, kBookmarkButton);
    CFrameworkApp::RunFor(300);
    EXPECT_EQ(m_program.Document().GetProjectSettings()->GetBookmarkCount(), 1);
    EXPECT_TRUE(graph.GetSettings().m_sessions[1]);
    EXPECT_TRUE(IsChecked(graph, GraphBar::kFirstSession + 1));
    EXPECT_TRUE(chart.GetXAxis(1)->IsVisible());
    ASSERT_EQ(graph.GetSettings().m_customColors.size(), colors.size());
    EXPECT_EQ(graph.GetSettings().m_customColors.front().measurementId, 1);
    ASSERT_GE(chart.FindChannel(name), 0);
    EXPECT_EQ(chart.GetChannel(chart.FindChannel(name))->GetColor(), RGB(1, 2, 3));

    // Left for another page, the view keeps them in the project.
    ShowGraph<CVAHzTHDGraphView>(kVAHzTHDPage, kVAHzTHDGraphEntry);
    const auto* stored =
        dynamic_cast<const CBasicViewSettings*>(m_program.Document().GetProjectSettings()->GetStudyViewSettings(kRmsPowerPage));
    ASSERT_NE(stored, nullptr);
    EXPECT_TRUE(stored->m_sessions[0]);
    EXPECT_TRUE(stored->m_sessions[1]);
    ASSERT_EQ(stored->m_customColors.size(), colors.size());
    EXPECT_EQ(stored->m_customColors.front().measurementId, 1);
    EXPECT_TRUE(m_program.Complaints().empty());
}

TEST_F(GraphPagesTest, EveryChannelIsNamedReadAndColouredAsItself)
{
    auto& graph = ShowGraph<CVAHzTHDGraphView>(kVAHzTHDPage, kVAHzTHDGraphEntry);
    ClickControl(graph, PhaseCheckId(1, 0)); // the current of the first phase beside its voltage
    CiPlotX& chart = Chart(graph);
    std::set<CString> titles;
    int shown = 0;
    for (int i = 0; i < chart.GetChannelCount(); ++i)
        if (chart.GetChannel(i)->IsVisible()) {
            titles.insert(chart.GetChannel(i)->GetTitle());
            ++shown;
        }
    EXPECT_EQ(int(titles.size()), shown);
    const int voltage = FindChannel(chart, "1: Volt ");
    const int current = FindChannel(chart, "1: Current ");
    ASSERT_GE(voltage, 0);
    ASSERT_GE(current, 0);
    const CString currentTitle = chart.GetChannel(current)->GetTitle();
    const CString voltageTitle = chart.GetChannel(voltage)->GetTitle();

    // A double click on the current makes the cursors follow it: on a graph without cursors
    // they come onto it in view, and read amperes.
    const int point = ShownPoint(chart, current);
    SimulateMouse(chart, WM_LBUTTONDBLCLK, PointPixel(chart, current, point));
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(chart.GetCursor(0).channelName, chart.GetChannel(current)->GetName());
    for (int i = 0; i < CiPlotX::kCursorCount; ++i)
        EXPECT_EQ(chart.GetCursor(i).readout.Find(currentTitle), 0) << chart.GetCursor(i).readout.str();
    chart.SetCursorPosition(0, chart.GetChannel(current)->GetXValue(point));
    const CString readout = chart.GetCursor(0).readout;
    EXPECT_EQ(readout.Left(readout.Find('\n')), currentTitle);
    const CString value = readout.Mid(readout.Find('\n') + 1);
    EXPECT_EQ(value.Left(value.Find('\n')).Right(2), CString(" A"));

    // "Change Color" on the current recolours the current, not the voltage.
    const auto previousMenu = CMenu::SetTrackDriver([](CMenu&) { return 33112u; });
    const auto previousColor = CColorDialog::SetDriver([](CColorDialog& dialog) {
        dialog.SetCurrentColor(RGB(9, 8, 7));
        return INT_PTR(IDOK);
    });
    const CPoint pixel = PointPixel(chart, current, point + 20); // away from the cursor
    SimulateMouse(chart, WM_RBUTTONDOWN, pixel);
    SimulateMouse(chart, WM_RBUTTONUP, pixel);
    CMenu::SetTrackDriver(previousMenu);
    CColorDialog::SetDriver(previousColor);
    ASSERT_EQ(graph.GetSettings().m_customColors.size(), 1u);
    EXPECT_EQ(graph.GetSettings().m_customColors.front().dataType, 1);
    EXPECT_EQ(chart.GetChannel(FindChannel(chart, currentTitle))->GetColor(), RGB(9, 8, 7));
    EXPECT_NE(chart.GetChannel(FindChannel(chart, voltageTitle))->GetColor(), RGB(9, 8, 7));

    // A cursor the axis scrolled past shows nothing: no readout at the plot's edge.
    ClickSectionButton(graph, kZoomInButton);
    ScrollAxis(graph, 0, true);
    ASSERT_GT(chart.GetXAxis(0)->GetMin(), chart.GetCursor(0).position);
    EXPECT_TRUE(chart.GetCursorReadoutBox(0).IsRectEmpty());
    // The distortion of the current is drawn on the axis of the distortions, not the voltage's.
    ClickControl(graph, PhaseCheckId(4, 0));
    const int distortion = FindChannel(chart, "1: THD-A");
    ASSERT_GE(distortion, 0);
    EXPECT_EQ(chart.GetYAxis(chart.FindYAxis(chart.GetChannel(distortion)->GetYAxisName()))->GetTitle(), CString("THD [%]"));
}

TEST_F(GraphPagesTest, AFoldedPowerFactorIsPlottedBesideItsFoldedLimit)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    // The power factor signed by its quadrant, total, with a limit of 0.9.
    graph.GetSettings().m_isIndCap = true;
    ClickControl(graph, PhaseCheckId(3, 3));
    Type(graph, GraphBar::kFirstLimitEdit + 3, "0.9");
    ClickControl(graph, GraphBar::kFirstLimitCheck + 3);
    CiPlotX& chart = Chart(graph);
    const int factor = FindChannel(chart, "1: PF");
    ASSERT_GE(factor, 0);
    const int limit = chart.FindLimit(chart.GetChannel(factor)->GetTitle() + kLimitChannelSuffix);
    ASSERT_GE(limit, 0);
    EXPECT_NEAR(chart.GetLimit(limit)->position1, FoldPowerFactor(0.9f), 1e-6);
    // The recorded factors lie between 0.84 and 0.94: folded, between 0.06 and 0.16.
    const CPlotChannel& data = *chart.GetChannel(factor);
    int finite = 0;
    for (int i = 0; i < data.GetCount(); ++i)
        if (std::isfinite(data.GetYValue(i))) {
            ++finite;
            EXPECT_GT(data.GetYValue(i), 0.05f);
            EXPECT_LT(data.GetYValue(i), 0.17f);
        }
    EXPECT_GT(finite, 100);
}

TEST_F(GraphPagesTest, AReadoutShowsTheValueAsPlottedWithTheSessionsScaling)
{
    auto& graph = ShowGraph<CLoadStudySummaryGraphView>(kLoadRmsPowerPage, kLoadSummaryGraphEntry);
    // The estimated apparent power at a nominal voltage of 400 V instead of the logger's 230 V.
    auto* table = m_program.Section<CLoadStudySummaryTableView>(kLoadSummaryTableEntry);
    ASSERT_NE(table, nullptr);
    SNominalVoltageRecord nominal;
    nominal.voltage = 400.0f;
    table->SendMessage(WM_TABLE_NOMINAL_VOLTAGE, 2, reinterpret_cast<LPARAM>(&nominal));
    // The first line of the readout of a point the cursor follows, and what is plotted there.
    const auto readAt = [](CiPlotX& chart, int channel, int point) {
        chart.SetCursorPosition(0, chart.GetChannel(channel)->GetXValue(point / 2)); // off the point
        SimulateMouse(chart, WM_LBUTTONDBLCLK, PointPixel(chart, channel, point));
        chart.SetCursorPosition(0, chart.GetChannel(channel)->GetXValue(point));
        const CString readout = chart.GetCursor(0).readout;
        const CString value = readout.Mid(readout.Find('\n') + 1);
        EXPECT_NEAR(std::atof(value.GetString()), chart.GetChannel(channel)->GetYValue(point),
                    std::fabs(chart.GetChannel(channel)->GetYValue(point)) * 0.01) << readout.GetString();
        return value.Find('\n') < 0 ? value : value.Left(value.Find('\n'));
    };
    CiPlotX& chart = Chart(graph);
    const int power = FindChannel(chart, "3: S"); // the third session is the Load study's
    ASSERT_GE(power, 0);
    readAt(chart, power, ShownPoint(chart, power));

    // An aux input the session records, ticked: on the Aux axis of its unit at the gain, offset
    // and unit of the session's settings (read so, also once reopened), as logged once the
    // correction is off; its box off while no session shown records it; unticked, gone.
    ClickControl(graph, GraphBar::kAux1);
    const int point = ShownPoint(chart, FindChannel(chart, "3: Aux1"));
    const double logged = chart.GetChannel(FindChannel(chart, "3: Aux1"))->GetYValue(point);
    const auto shows = [&](double gain, double offset, const CString& unit) {
        CiPlotX& scaled = Chart(ShowGraph<CLoadStudySummaryGraphView>(kLoadRmsPowerPage, kLoadSummaryGraphEntry));
        const int aux = FindChannel(scaled, "3: Aux1");
        ASSERT_GE(aux, 0) << unit;
        EXPECT_NEAR(scaled.GetChannel(aux)->GetYValue(point), gain * logged + offset, 1e-5 * logged) << unit;
        EXPECT_EQ(scaled.GetYAxis(scaled.FindYAxis(scaled.GetChannel(aux)->GetYAxisName()))->GetTitle(), "Aux [" + unit + "]");
        EXPECT_EQ(readAt(scaled, aux, point).Right(unit.GetLength() + 1), " " + unit);
    };
    const auto correct = [this](UINT radio) {
        m_program.AnswerNextDialog(CEditAuxSettingsDlg::kTemplateId, [radio](CDialog& dialog) {
            const auto control = [&dialog](UINT id) -> CWnd& { return *CAssembledProgram::FindDescendantWithId(&dialog, int(id)); };
            CAssembledProgram::ClickAtCentre(control(radio));
            for (const auto& [id, text] : {std::pair{CEditAuxSettingsDlg::kGainEdit[0], "2"},
                                           std::pair{CEditAuxSettingsDlg::kOffsetEdit[0], "1"},
                                           std::pair{CEditAuxSettingsDlg::kUnitEdit[0], "kPa"}})
                if (control(id).IsWindowEnabled())
                    CAssembledProgram::TypeInto(control(id), text);
            CAssembledProgram::ClickAtCentre(control(IDOK));
        });
        m_program.ClickTab(CAssembledProgram::kProjectManagerTab);
        CProjectManagerBasicGrid& cards = *m_program.Section<CProjectManagerTableView>(SMainViewLayout::kProjectManagerPage)->GetDataSetGrid();
        const auto& buttons = cards.Layout().buttons;
        const auto button = std::find_if(buttons.begin(), buttons.end(), [](const SCardButton& b) { return b.command == kCommandSessionSettings; });
        ASSERT_TRUE(button != buttons.end() && CAssembledProgram::ClickGridCell(cards, cards.OriginCol(button->rect), cards.OriginRow(2, button->rect)));
    };
    shows(1.0, 0.0, "V");
    correct(CEditAuxSettingsDlg::kCorrectionRadio);
    shows(2.0, 1.0, "kPa");
    const CString path = m_program.Document().GetPathName();
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_SAVE) && m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE) &&
                m_program.App().OpenDocumentFile(path));
    shows(2.0, 1.0, "kPa");
    correct(CEditAuxSettingsDlg::kUseLoggedRadio);
    shows(1.0, 0.0, "V");
    auto& shown = *m_program.Section<CLoadStudySummaryGraphView>(kLoadSummaryGraphEntry);
    for (const bool on : {false, true}) {
        ClickControl(shown, GraphBar::kFirstSession + 2);
        EXPECT_EQ(Control(shown, GraphBar::kAux1).IsWindowEnabled() != FALSE, on);
    }
    ClickControl(shown, GraphBar::kAux1);
    EXPECT_LT(FindChannel(Chart(shown), "3: Aux1"), 0);
    EXPECT_TRUE(m_program.Complaints().empty());
}

TEST_F(GraphPagesTest, AnIdleGraphPageDoesNoWork)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    ClickControl(graph, PhaseCheckId(0, 0)); // a refresh of the user's, then nothing more
    CFrameworkApp::RunFor(600);
    const int renders = Chart(graph).GetRenderCount();
    CFrameworkApp::RunFor(1000);
    EXPECT_EQ(Chart(graph).GetRenderCount(), renders);
    EXPECT_FALSE(graph.IsTimerRunning(kFeedTimer));
    // Hidden behind the Load study, it stays idle too.
    ShowGraph<CLoadStudySummaryGraphView>(kLoadRmsPowerPage, kLoadSummaryGraphEntry);
    m_program.ClickTab(CAssembledProgram::kEnergyTab);
    auto& again = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    m_program.ClickTab(CAssembledProgram::kProjectManagerTab);
    CFrameworkApp::RunFor(500);
    const int hidden = Chart(again).GetRenderCount();
    CFrameworkApp::RunFor(1000);
    EXPECT_EQ(Chart(again).GetRenderCount(), hidden);
}

TEST_F(GraphPagesTest, TheTimeRangeKeepsTwoMarkerLabelsThroughRefreshes)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    ClickControl(graph, GraphBar::kSetTimeRange);
    CiPlotX& chart = Chart(graph);
    const auto countLabels = [&](const char* name) {
        int count = 0;
        for (int i = 0; i < chart.GetLabelCount(); ++i)
            count += chart.GetLabel(i)->name == name ? 1 : 0;
        return count;
    };
    ASSERT_EQ(countLabels(kTimeRangeStart), 1);
    for (int i = 0; i < 5; ++i) {
        ClickControl(graph, PhaseCheckId(0, i % 3)); // each a refresh
        CFrameworkApp::PumpWaitingMessages();
    }
    EXPECT_EQ(countLabels(kTimeRangeStart), 1);
    EXPECT_EQ(countLabels(kTimeRangeEnd), 1);
}

// The wheel rolled over the options bar with the pointer resting on a picker of the time range:
// the bar scrolls and no picker or list that passes under the pointer changes. A picker the user
// clicked into takes the wheel; the range follows it and stays in order (an end rolled back past
// the begin is refused), and the program goes on (the picker's change notice reads the picker
// back while the wheel is still being handled).
TEST_F(GraphPagesTest, TheWheelStepsOnlyAPickerTheUserClickedInto)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    CBasicGraphViewDialogBar& bar = Bar(graph);
    const SPickerControlIds& ids = GraphBar::kTimeRangePickers;
    // Over a control that is off (the box of the Load session on an Energy page) the bar
    // scrolls as well.
    CRect off;
    ASSERT_FALSE(Control(graph, GraphBar::kFirstSession + 2).IsWindowEnabled());
    Control(graph, GraphBar::kFirstSession + 2).GetWindowRect(&off);
    const int top = bar.GetScrollPos(SB_VERT);
    SimulateScreenMouse(bar, WM_MOUSEMOVE, off.CenterPoint());
    SimulateScreenWheel(bar, off.CenterPoint(), -WHEEL_DELTA);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_NE(bar.GetScrollPos(SB_VERT), top);
    ClickControl(graph, GraphBar::kSetTimeRange);
    CFrameworkApp::PumpWaitingMessages();
    const auto range = [&] {
        const SValueRange held{graph.GetTimeRangeMarkers().GetBegin(), graph.GetTimeRangeMarkers().GetEnd()};
        SValueRange shown;
        bar.TimeRangePickers().GetRange(shown.from, shown.to);
        EXPECT_EQ(graph.GetSettings().m_timeRange, held);
        EXPECT_NEAR(held.from, shown.from, 0.5 / 86400.0);
        EXPECT_NEAR(held.to, shown.to, 0.5 / 86400.0);
        EXPECT_LE(held.from, held.to);
        return held;
    };
    const SValueRange before = range();
    CRect picker;
    Control(graph, ids.endDate).GetWindowRect(&picker);
    const CPoint rest = picker.CenterPoint();
    SimulateScreenMouse(bar, WM_MOUSEMOVE, rest);
    int scrolled = 0;
    for (const int notches : {-4, 8, -4}) {
        for (int i = 0; i < std::abs(notches); ++i) {
            const int position = bar.GetScrollPos(SB_VERT);
            SimulateScreenWheel(bar, rest, notches < 0 ? -WHEEL_DELTA : WHEEL_DELTA);
            CFrameworkApp::PumpWaitingMessages();
            scrolled += bar.GetScrollPos(SB_VERT) != position ? 1 : 0;
            EXPECT_EQ(range(), before) << "after " << scrolled << " notches that scrolled the bar";
        }
    }
    EXPECT_GE(scrolled, 8);

    ClickControl(graph, ids.endDate);
    ASSERT_TRUE(CAssembledProgram::RollWheelInView(Control(graph, ids.endDate), WHEEL_DELTA));
    const SValueRange later = range();
    EXPECT_EQ(later.from, before.from);
    EXPECT_GT(later.to, before.to);
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(CAssembledProgram::RollWheelInView(Control(graph, ids.endDate), -WHEEL_DELTA));
    const SValueRange back = range();
    EXPECT_EQ(back.from, before.from);
    EXPECT_LT(back.to, later.to);
    EXPECT_TRUE(m_program.Complaints().empty());
}

// The pixels the plot of a chart shows on the screen now.
std::vector<COLORREF> PlotPixels(CiPlotX& chart)
{
    CFrameworkApp::PumpWaitingMessages();
    CRect plot = chart.GetLayout().plot;
    chart.ClientToScreen(&plot);
    return GetScreenPixelsNow(chart, plot);
}

// The markers moved by a click on the data while the begin lies left of the window, and by the
// arrow keys after a click on a marker: the range stays in order, and the chart draws its
// markers where the range is at once, as the pickers and the time-range table show it.
TEST_F(GraphPagesTest, AClickAndTheArrowKeysKeepTheRangeInOrderAndShownAtOnce)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    ClickControl(graph, GraphBar::kSetTimeRange);
    CFrameworkApp::PumpWaitingMessages();
    CiPlotX& chart = Chart(graph);
    const CTimeRangeMarkers& markers = graph.GetTimeRangeMarkers();
    auto* table = m_program.Section<CBasicTableView>(kSummaryGraphEntry + 1);
    ASSERT_NE(table, nullptr);
    const auto expectShown = [&](const std::string& what, bool holdsRecords = false) {
        CFrameworkApp::PumpWaitingMessages();
        EXPECT_LE(markers.GetBegin(), markers.GetEnd()) << what;
        double begin = 0.0;
        double end = 0.0;
        Bar(graph).TimeRangePickers().GetRange(begin, end);
        EXPECT_NEAR(begin, markers.GetBegin(), 0.5 / 86400.0) << what;
        EXPECT_NEAR(end, markers.GetEnd(), 0.5 / 86400.0) << what;
        ASSERT_FALSE(table->GetSelectedRanges().empty());
        EXPECT_TRUE(!holdsRecords || !table->GetSelectedRanges()[0].records.IsEmpty()) << what;
        // The picture is the chart as it stands: drawn again, no pixel of the plot changes.
        const std::vector<COLORREF> shown = PlotPixels(chart);
        chart.Repaint();
        EXPECT_TRUE(PlotPixels(chart) == shown) << what << ": the chart shows an older picture";
    };
    // The time axis dragged on until the begin lies just left of the window.
    DragTimeAxis(graph, -int(0.35 * chart.GetLayout().plot.Width()));
    const CPlotXAxis& axis = *chart.GetXAxis(0);
    ASSERT_LT(markers.GetBegin(), axis.GetMin());
    ASSERT_GT(markers.GetEnd(), axis.GetMin());
    const double end = markers.GetEnd();
    const int channel = FindChannel(chart, "");
    ASSERT_GE(channel, 0);
    const CPlotChannel& data = *chart.GetChannel(channel);
    int point = data.GetIndexOfX(axis.FractionToValue(0.85));
    while (point < data.GetCount() && !std::isfinite(data.GetYValue(point)))
        ++point;
    ASSERT_LT(point, data.GetCount());
    CAssembledProgram::ClickAt(chart, PointPixel(chart, channel, point));
    EXPECT_DOUBLE_EQ(markers.GetBegin(), end);
    EXPECT_DOUBLE_EQ(markers.GetEnd(), data.GetXValue(point));
    expectShown("a click after the end", true);

    // The end marker clicked, then moved back a record at a time until it passes the begin: it
    // is the begin then, and the old begin the end.
    const CPoint onEnd(int(std::lround(chart.XValueToPixel(0, markers.GetEnd()))), chart.GetLayout().plot.top + 4);
    CAssembledProgram::ClickAt(chart, onEnd);
    expectShown("the end marker clicked");
    const double begin = markers.GetBegin();
    for (int press = 1; markers.GetBegin() == begin && press < 400; ++press) {
        const double before = markers.GetEnd();
        SimulateKey(chart, VK_LEFT);
        EXPECT_TRUE(markers.GetEnd() < before || markers.GetBegin() < begin) << "press " << press;
        expectShown("left arrow " + std::to_string(press));
    }
    EXPECT_LT(markers.GetBegin(), begin);
    EXPECT_DOUBLE_EQ(markers.GetEnd(), begin);
    const double moved = markers.GetBegin();
    SimulateKey(chart, VK_LEFT);
    EXPECT_LT(markers.GetBegin(), moved);
    expectShown("left arrow past the begin");
}

// The range's two dates read whole however close its markers stand: a quarter of an hour apart
// at a day shown they stand one above the other (on the screen their fill takes two labels' rows),
// inside the plot also at the window's right edge.
TEST_F(GraphPagesTest, TheDatesOfTheRangeReadWholeHoweverCloseItsMarkersStand)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    ClickControl(graph, GraphBar::kFirstSpanButton + 1);
    ClickControl(graph, GraphBar::kSetTimeRange);
    CiPlotX& chart = Chart(graph);
    const CPlotXAxis& axis = *chart.GetXAxis(0);
    for (const double end : {axis.GetMin() + 0.5, axis.GetMax()}) {
        Bar(graph).TimeRangePickers().SetRange(end - 15.0 / 1440.0, end);
        NMHDR change{Control(graph, GraphBar::kTimeRangePickers.endTime).GetSafeHwnd(), GraphBar::kTimeRangePickers.endTime, DTN_DATETIMECHANGE};
        Bar(graph).SendMessage(WM_NOTIFY, change.idFrom, LPARAM(&change));
        ASSERT_NEAR(graph.GetTimeRangeMarkers().GetEnd(), end, 1.0 / 86400.0);
        const std::vector<COLORREF> pixels = PlotPixels(chart);
        const CRect plot = chart.GetLayout().plot;
        const CRect start = chart.GetLabelBox(chart.FindLabel(kTimeRangeStart));
        const CRect finish = chart.GetLabelBox(chart.FindLabel(kTimeRangeEnd));
        CRect inside;
        EXPECT_TRUE(inside.IntersectRect(start, plot) && inside == start && inside.IntersectRect(finish, plot) && inside == finish);
        EXPECT_FALSE(inside.IntersectRect(start, finish));
        const int ratio = int(std::lround(std::sqrt(double(pixels.size()) / (plot.Width() * plot.Height()))));
        std::set<std::size_t> filledRows;
        for (std::size_t i = 0; i < pixels.size(); ++i)
            if (pixels[i] == RGB(221, 230, 233))
                filledRows.insert(i / std::size_t(plot.Width() * ratio));
        EXPECT_GE(int(filledRows.size()), (start.Height() + finish.Height() - 4) * ratio);
    }
}

// A begin between two records (the pickers set to a time inside a record's interval): the
// time-range table starts with the next record.
TEST_F(GraphPagesTest, ABeginInsideARecordStartsTheTableWithTheNextRecord)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    ClickControl(graph, GraphBar::kSetTimeRange);
    CFrameworkApp::PumpWaitingMessages();
    const CTrendTimeBlock& records = *m_program.Document().GetDataSet(0)->GetTrendTimeBlock();
    double begin = 0.0;
    double end = 0.0;
    Bar(graph).TimeRangePickers().GetRange(begin, end);
    int first = 0;
    while (first + 3 < records.GetRecordCount() && records.GetTime(first).GetAsDate() < begin)
        ++first;
    const CHighTime inside = records.GetTime(first) + CHighTimeSpan(0, 0, 5, 0);
    SYSTEMTIME local{};
    ASSERT_TRUE(inside.GetAsSystemTime(local));
    auto& picker = static_cast<CDateTimeCtrl&>(Control(graph, GraphBar::kTimeRangePickers.beginTime));
    picker.SetTime(&local);
    NMHDR change{picker.GetSafeHwnd(), UINT_PTR(GraphBar::kTimeRangePickers.beginTime), DTN_DATETIMECHANGE};
    Bar(graph).SendMessage(WM_NOTIFY, change.idFrom, LPARAM(&change));
    CFrameworkApp::PumpWaitingMessages();
    auto* table = m_program.Section<CBasicTableView>(kSummaryGraphEntry + 1);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->GetSelectedRanges()[0].records.first, first + 1);
    const CString start = records.AlignTime(records.GetBeginTime(first + 1)).Format(ExpandDateTimeFormat(8066).GetString()); // "dtFmt1 tmFmt1"
    EXPECT_GE(table->GetSessionData()[0]->summaryText.Find(start), 0) << start.str();
}

TEST_F(GraphPagesTest, TheXAxisPickersShowWhatIsPlottedAndTheSpanButtonsTheirChoice)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    CiPlotX& chart = Chart(graph);
    const CPlotXAxis& axis = *chart.GetXAxis(0);
    const auto showsAxis = [&] {
        EXPECT_NEAR(PickerRange(graph, false), axis.GetMin(), 1.0 / 86400.0);
        EXPECT_NEAR(PickerRange(graph, true), axis.GetMax(), 1.0 / 86400.0);
        // The time pickers read the local times the axis shows.
        for (const auto& [id, date] : {std::pair{GraphBar::kXAxisPickers.beginTime, axis.GetMin()},
                                       std::pair{GraphBar::kXAxisPickers.endTime, axis.GetMax()}}) {
            SYSTEMTIME shown{};
            static_cast<CDateTimeCtrl&>(Control(graph, id)).GetTime(&shown);
            CString text;
            text.Format("%02d:%02d:%02d", shown.wHour, shown.wMinute, shown.wSecond);
            EXPECT_EQ(text, CHighTime::FromDate(date).Format("%H:%M:%S", true));
        }
        // The pickers write their dates and times as the user's locale does, as the axis and
        // the tables do (the year in full, as a field the user edits needs it).
        CString dateFormat = GetShortDateStrftimeFormat();
        dateFormat.Replace("%y", "%Y");
        for (const auto& [dateId, timeId, date] :
             {std::tuple{GraphBar::kXAxisPickers.beginDate, GraphBar::kXAxisPickers.beginTime, axis.GetMin()},
              std::tuple{GraphBar::kXAxisPickers.endDate, GraphBar::kXAxisPickers.endTime, axis.GetMax()}}) {
            CString shownDate;
            CString shownTime;
            Control(graph, dateId).GetWindowText(shownDate);
            Control(graph, timeId).GetWindowText(shownTime);
            const CHighTime local = CHighTime::FromDate(date);
            EXPECT_EQ(shownDate, local.Format(dateFormat.GetString(), true));
            EXPECT_EQ(shownTime, local.Format(GetTimeStrftimeFormat().GetString(), true));
        }
    };
    // "1 Hour": an hour from a full hour, the button pressed.
    ClickControl(graph, GraphBar::kFirstSpanButton);
    EXPECT_NEAR(axis.GetSpan(), kHour, 1e-9);
    showsAxis();
    EXPECT_TRUE(IsChecked(graph, GraphBar::kFirstSpanButton));
    EXPECT_FALSE(IsChecked(graph, GraphBar::kFirstSpanButton + 3));
    // A length chosen in the list is drawn at once.
    const int renders = chart.GetRenderCount();
    Choose(graph, GraphBar::kXAxisPickers.intervalList, 5); // 2 hours
    EXPECT_GT(chart.GetRenderCount(), renders);
    EXPECT_NEAR(axis.GetSpan(), 2 * kHour, 1e-9);
    showsAxis();
    EXPECT_TRUE(IsChecked(graph, GraphBar::kFirstSpanButton + 3));
    // A zoom step of the section toolbar.
    ClickSectionButton(graph, kZoomInButton);
    EXPECT_NEAR(axis.GetSpan(), kHour, 1e-9);
    showsAxis();
}

TEST_F(GraphPagesTest, ADayIsACalendarDayAcrossTheClockChange)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    const CPlotXAxis& axis = *Chart(graph).GetXAxis(0);
    // Saturday 24 October, then the Sunday the clocks go back.
    Choose(graph, GraphBar::kXAxisPickers.intervalList, 6);
    EXPECT_EQ(CHighTime::FromDate(axis.GetMin()).Format("%Y-%m-%d %H:%M"), CString("2026-10-24 00:00"));
    EXPECT_NEAR(axis.GetSpan(), 1.0, 1e-9);
    CAssembledProgram::ClickAtCentre(*graph.GetDlgItem(int(kFirstScrollForwardButton)));
    Choose(graph, GraphBar::kXAxisPickers.intervalList, 6);
    EXPECT_EQ(CHighTime::FromDate(axis.GetMin()).Format("%Y-%m-%d %H:%M"), CString("2026-10-25 00:00"));
    EXPECT_EQ(CHighTime::FromDate(axis.GetMax()).Format("%Y-%m-%d %H:%M"), CString("2026-10-26 00:00"));
    EXPECT_NEAR(axis.GetSpan(), 25 * kHour, 1e-9);
    // The list shows the length it made, as its last item.
    auto& list = static_cast<CComboBox&>(Control(graph, GraphBar::kXAxisPickers.intervalList));
    EXPECT_EQ(list.GetCurSel(), list.GetCount() - 1);
    CString text;
    list.GetLBText(list.GetCurSel(), text);
    EXPECT_EQ(text, CString("1d 1h 0m 0s"));
}

TEST_F(GraphPagesTest, OptionRowsAreLabelledAxesCarryUnitsAndTheBarScrolls)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    CBasicGraphViewDialogBar& bar = Bar(graph);
    const auto text = [&](UINT id) {
        CString value;
        bar.GetDlgItemText(int(id), value);
        return value;
    };
    EXPECT_EQ(text(GraphBar::kFirstRowLabel), CString("P"));
    EXPECT_EQ(text(GraphBar::kFirstRowLabel + 3), CString("PF"));
    EXPECT_EQ(text(GraphBar::kFirstLimitLabel), CString("P [kW]"));
    EXPECT_EQ(text(GraphBar::kFirstLimitLabel + 3), CString("PF"));
    EXPECT_EQ(text(GraphBar::kFirstLimitLabel + 5), CString("Aux"));
    // The fifth row has no quantity on this page.
    EXPECT_FALSE(bar.GetDlgItem(int(GraphBar::kFirstRowLabel) + 4)->IsWindowVisible());
    EXPECT_FALSE(bar.GetDlgItem(int(PhaseCheckId(4, 0)))->IsWindowVisible());
    CiPlotX& chart = Chart(graph);
    EXPECT_EQ(chart.GetYAxis(0)->GetTitle(), CString("Power [kW]"));
    // The time labels stay on round local times after the clocks went back.
    int labelled = 0;
    for (const SPlotAxisLabel& label : chart.GetXAxis(0)->GetLabels())
        if (!label.text.IsEmpty()) {
            ++labelled;
            const CHighTime time = CHighTime::FromDate(label.value);
            EXPECT_EQ(time.GetHour() % 6, 0) << label.text.GetString();
            EXPECT_EQ(time.GetMinute(), 0) << label.text.GetString();
        }
    EXPECT_GT(labelled, 3);
    // A limit is typed in the unit of its axis.
    Type(graph, GraphBar::kFirstLimitEdit, "50");
    EXPECT_FLOAT_EQ(graph.GetSettings().m_limits[0], 50000.0f);
    EXPECT_EQ(text(GraphBar::kFirstLimitEdit), CString("50"));
    ClickControl(graph, GraphBar::kFirstLimitCheck);
    const int total = FindChannel(chart, "1: P Total");
    ASSERT_GE(total, 0);
    const int limit = chart.FindLimit(chart.GetChannel(total)->GetTitle() + kLimitChannelSuffix);
    ASSERT_GE(limit, 0);
    EXPECT_DOUBLE_EQ(chart.GetLimit(limit)->position1, 50.0);

    // At 1024 x 720 the bar is shorter than its controls: it scrolls down to the last one.
    CRect client;
    bar.GetClientRect(&client);
    ASSERT_LT(client.Height(), bar.GetContentHeight());
    EXPECT_TRUE(bar.GetStyle() & WS_VSCROLL);
    bar.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    CRect last;
    bar.GetDlgItem(int(GraphBar::kWorkingHourSpan))->GetWindowRect(&last);
    bar.ScreenToClient(&last);
    EXPECT_GE(last.top, 0);
    EXPECT_LE(last.bottom, client.bottom);
    // The V, A, Hz, THD page names its own rows and units.
    auto& quantities = ShowGraph<CVAHzTHDGraphView>(kVAHzTHDPage, kVAHzTHDGraphEntry);
    CString current;
    Bar(quantities).GetDlgItemText(int(GraphBar::kFirstLimitLabel) + 1, current);
    EXPECT_EQ(current, CString("Current [A]"));
    EXPECT_EQ(Chart(quantities).GetYAxis(0)->GetTitle(), CString("Voltage [V]"));
    EXPECT_FALSE(Bar(quantities).GetDlgItem(int(PhaseCheckId(0, 3)))->IsWindowVisible()); // no total voltage
}

TEST_F(GraphPagesTest, AxesAreScaledInTheirDialogsAndScrollingStopsAtTheData)
{
    auto& graph = ShowGraph<CFundamentalPowerGraphView>(kFundamentalPowerPage, kFundamentalGraphEntry);
    CiPlotX& chart = Chart(graph);
    // The power axis's menu opens its scale dialog.
    const CRect powerBand = chart.GetLayout().yAxisBands.at(0);
    std::vector<UINT> offered;
    const auto previousMenu = CMenu::SetTrackDriver([&](CMenu& menu) {
        for (const CMenu::Item& item : menu.Items())
            offered.push_back(item.id);
        return ID_PLOT_SCALE_AXIS;
    });
    // Text that is no number and a minimum above the maximum are refused, each with a message,
    // and the dialog stays open; nothing is swapped.
    std::vector<CString> refusals;
    const auto previousDialog = CDialog::SetModalDriver([&](CDialog& dialog) {
        if (dialog.GetTemplateId() == CManualScaleDlg::kTemplateId) {
            const auto tryValues = [&](const char* low, const char* high) {
                const std::size_t before = m_program.Boxes().size();
                dialog.SetDlgItemText(int(CManualScaleDlg::kLowEdit), low);
                dialog.SetDlgItemText(int(CManualScaleDlg::kHighEdit), high);
                dialog.SendMessage(WM_COMMAND, IDOK, 0);
                CFrameworkApp::PumpWaitingMessages();
                for (std::size_t i = before; i < m_program.Boxes().size(); ++i)
                    refusals.push_back(m_program.Boxes()[i].text);
            };
            tryValues("abc", "20");
            tryValues("20", "-5");
            tryValues("-5", "20");
            return;
        }
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
    });
    SimulateMouse(chart, WM_RBUTTONDOWN, powerBand.CenterPoint());
    SimulateMouse(chart, WM_RBUTTONUP, powerBand.CenterPoint());
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(offered.front(), ID_PLOT_SCALE_AXIS);
    EXPECT_DOUBLE_EQ(chart.GetYAxis(0)->GetMin(), -5.0);
    EXPECT_DOUBLE_EQ(chart.GetYAxis(0)->GetMax(), 20.0);
    EXPECT_TRUE(chart.GetYAxis(0)->IsManual());
    EXPECT_EQ(refusals, (std::vector<CString>{"\"abc\" is not a number.\nPlease enter a number from -1000000000 to 1000000000.",
                                              "The minimum 20 is not below the maximum -5.\nPlease enter a minimum below the maximum."}));
    // A double click on the time axis opens its dialog, which takes the axis's range as it is.
    const CPlotXAxis& axis = *chart.GetXAxis(0);
    const double start = axis.GetMin();
    const double span = axis.GetSpan();
    CDialog::SetModalDriver([](CDialog& dialog) {
        auto* list = static_cast<CComboBox*>(dialog.GetDlgItem(int(CManualScaleXAxisDlg::kPickerIds.intervalList)));
        for (int i = 0; list && i < list->GetCount(); ++i)
            if (int(list->GetItemData(i)) == 6)
                list->SetCurSel(i);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CManualScaleXAxisDlg::kPickerIds.intervalList, CBN_SELCHANGE),
                           LPARAM(list ? list->GetSafeHwnd() : nullptr));
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
    });
    SimulateMouse(chart, WM_LBUTTONDBLCLK, chart.GetLayout().xAxisBands.at(0).CenterPoint());
    CMenu::SetTrackDriver(previousMenu);
    CDialog::SetModalDriver(previousDialog);
    EXPECT_NEAR(axis.GetSpan(), 1.0, 1e-9);
    EXPECT_EQ(CHighTime::FromDate(axis.GetMin()).Format("%Y-%m-%d %H:%M"),
              CHighTime::FromDate(start).Format("%Y-%m-%d 00:00"));
    EXPECT_NE(span, axis.GetSpan());
    // Forward one span at a time, the axis stops where the data ends.
    const CTrendTimeBlock& records = *m_program.Document().GetDataSet(0)->GetTrendTimeBlock();
    const double first = records.GetFirstTime().GetAsDate();
    const double last = records.GetLastTime().GetAsDate();
    CWnd& forward = *graph.GetDlgItem(int(kFirstScrollForwardButton));
    CWnd& back = *graph.GetDlgItem(int(kFirstScrollBackButton));
    for (int i = 0; i < 6; ++i)
        CAssembledProgram::ClickAtCentre(forward);
    EXPECT_NEAR(axis.GetMax(), last, 1e-9);
    CAssembledProgram::ClickAtCentre(forward);
    EXPECT_NEAR(axis.GetMax(), last, 1e-9);
    for (int i = 0; i < 6; ++i)
        CAssembledProgram::ClickAtCentre(back);
    EXPECT_NEAR(axis.GetMin(), first, 1e-9);

    // The red label of the first session brings the data cursors onto its data.
    CAssembledProgram::ClickAtCentre(*graph.GetDlgItem(int(kFirstAxisLabelButton)));
    for (int i = 0; i < CiPlotX::kCursorCount; ++i) {
        const SPlotDataCursor& cursor = chart.GetCursor(i);
        EXPECT_TRUE(cursor.IsShown());
        EXPECT_EQ(cursor.channelName.Left(3), CString("1: "));
        EXPECT_GT(cursor.position, axis.GetMin());
        EXPECT_LT(cursor.position, axis.GetMax());
        EXPECT_NE(cursor.readout.Find(" kW"), -1) << cursor.readout.GetString();
    }
}

TEST_F(GraphPagesTest, ChannelsTakeTheRegionsColoursAndCursorsTheUsersChoice)
{
    auto& graph = ShowGraph<CVAHzTHDGraphView>(kVAHzTHDPage, kVAHzTHDGraphEntry);
    ClickControl(graph, PhaseCheckId(0, 1));
    ClickControl(graph, PhaseCheckId(1, 0));
    CiPlotX& chart = Chart(graph);
    std::vector<int> voltages;
    for (int i = 0; i < chart.GetChannelCount(); ++i)
        if (chart.GetChannel(i)->IsVisible() && chart.GetChannel(i)->GetTitle().Find("1: Volt ") == 0)
            voltages.push_back(i);
    ASSERT_EQ(voltages.size(), 2u);
    const int voltageA = voltages[0];
    const int voltageB = voltages[1];
    const int currentA = FindChannel(chart, "1: Current ");
    ASSERT_GE(currentA, 0);
    EXPECT_EQ(chart.GetChannel(voltageA)->GetColor(), CRegionPrefs::GetPhaseColor(0));
    EXPECT_EQ(chart.GetChannel(voltageB)->GetColor(), CRegionPrefs::GetPhaseColor(1));
    EXPECT_EQ(chart.GetChannel(currentA)->GetColor(), CRegionPrefs::GetPhaseColor(0));

    // The second cursor, once taken, alone follows the channel double-clicked.
    const CString voltageName = chart.GetChannel(voltageA)->GetName();
    for (int i = 0; i < CiPlotX::kCursorCount; ++i)
        chart.GetCursor(i).channelName = voltageName;
    const CPlotXAxis& axis = *chart.GetXAxis(0);
    chart.SetCursorPosition(1, axis.FractionToValue(0.6));
    CFrameworkApp::PumpWaitingMessages();
    const CRect plot = chart.GetLayout().plot;
    const CPoint cursorPixel(int(std::lround(chart.XValueToPixel(0, chart.GetCursor(1).position))), plot.top + 5);
    SimulateMouse(chart, WM_LBUTTONDOWN, cursorPixel);
    SimulateMouse(chart, WM_LBUTTONUP, cursorPixel);
    ASSERT_EQ(chart.GetActiveCursor(), 1);
    SimulateMouse(chart, WM_LBUTTONDBLCLK, PointPixel(chart, currentA, ShownPoint(chart, currentA)));
    EXPECT_EQ(chart.GetCursor(0).channelName, voltageName);
    EXPECT_EQ(chart.GetCursor(1).channelName, chart.GetChannel(currentA)->GetName());

    // An axis dragged by the user is kept in the settings at once.
    const CRect band = chart.GetLayout().xAxisBands.at(0);
    SimulateMouse(chart, WM_LBUTTONDOWN, band.CenterPoint());
    SimulateMouse(chart, WM_MOUSEMOVE, band.CenterPoint() + CPoint(-80, 0), MK_LBUTTON);
    SimulateMouse(chart, WM_LBUTTONUP, band.CenterPoint() + CPoint(-80, 0));
    EXPECT_DOUBLE_EQ(graph.GetSettings().m_upperPlot.xAxes[0].min, axis.GetMin());

    // In the distinct-colour region every channel has a colour of its own.
    CProfile::Instance().WriteProfileInt(CRegionPrefs::kSection, CRegionPrefs::kPhaseNamingEntry,
                                         CRegionPrefs::kDistinctColorRegion);
    graph.SendMessage(WM_GRAPH_NOTIFY, MAKEWPARAM(0, kGraphRefreshNotification), 0);
    std::set<COLORREF> colors;
    int shown = 0;
    for (int i = 0; i < chart.GetChannelCount(); ++i)
        if (chart.GetChannel(i)->IsVisible()) {
            colors.insert(chart.GetChannel(i)->GetColor());
            ++shown;
        }
    EXPECT_EQ(int(colors.size()), shown);
    CProfile::Instance().WriteProfileInt(CRegionPrefs::kSection, CRegionPrefs::kPhaseNamingEntry, 0);
}

TEST_F(GraphPagesTest, ACollapsedOptionsBarLeavesItsRoomToTheGraph)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    CRect frame;
    graph.GetParent()->GetClientRect(&frame);
    CRect view;
    graph.GetWindowRect(&view);
    EXPECT_LT(view.Width(), frame.Width());
    // Settings that keep the bar collapsed (as a project may hold them) take effect at an update.
    graph.GetSettings().m_graphOptionsCollapse = 1;
    m_program.Document().NotifyViews(nullptr);
    CFrameworkApp::RunFor(500);
    EXPECT_FALSE(Bar(graph).IsWindowVisible());
    graph.GetWindowRect(&view);
    EXPECT_EQ(view.Width(), frame.Width());
    // The "Graph options" button brings it back beside the graph.
    CWnd* button = graph.GetDlgItem(int(kGraphOptionsButton));
    ASSERT_NE(button, nullptr);
    CAssembledProgram::ClickAtCentre(*button);
    EXPECT_TRUE(Bar(graph).IsWindowVisible());
    graph.GetWindowRect(&view);
    EXPECT_LT(view.Width(), frame.Width());
}

TEST_F(GraphPagesTest, AYScaleSetInItsDialogIsSavedAndComesBackOnReopening)
{
    const CString path = m_program.Document().GetPathName();
    // Typed into the dialog a double click on the power axis opens, and confirmed with Enter.
    const auto scaleTo = [this](const char* low, const char* high) {
        auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
        CiPlotX& chart = Chart(graph);
        m_program.ForgetInterruptions();
        m_program.AnswerNextDialog(CManualScaleDlg::kTemplateId, [&](CDialog& dialog) {
            CAssembledProgram::TypeInto(*dialog.GetDlgItem(int(CManualScaleDlg::kLowEdit)), low);
            CAssembledProgram::TypeInto(*dialog.GetDlgItem(int(CManualScaleDlg::kHighEdit)), high);
            SimulateKey(*dialog.GetDlgItem(int(CManualScaleDlg::kHighEdit)), VK_RETURN);
        });
        SimulateMouse(chart, WM_LBUTTONDBLCLK, chart.GetLayout().yAxisBands.at(0).CenterPoint());
        CFrameworkApp::PumpWaitingMessages();
        EXPECT_EQ(m_program.Interruptions(), std::vector<std::string>{"dialog " + std::to_string(CManualScaleDlg::kTemplateId)});
        EXPECT_DOUBLE_EQ(chart.GetYAxis(0)->GetMin(), std::atof(low));
        EXPECT_DOUBLE_EQ(chart.GetYAxis(0)->GetMax(), std::atof(high));
    };
    // What the project holds, as saved, or as the file holds it once closed.
    const auto held = [](const CProjectSettings& project) {
        const auto* settings = dynamic_cast<const CBasicViewSettings*>(project.GetStudyViewSettings(kRmsPowerPage));
        return settings && settings->m_upperPlot.yAxisCount > 0 ? settings->m_upperPlot.yAxes[0] : SAxisRange{};
    };
    const auto saved = [&] { return held(*m_program.Document().GetProjectSettings()); };
    const auto stored = [&] {
        CZcaArchive archive;
        CProjectSettings project;
        EXPECT_TRUE(archive.Open(path));
        EXPECT_EQ(archive.ReadProjectXml(project), EProjectLoadResult::kComplete);
        return held(project);
    };
    const auto shown = [this] {
        CiPlotX& chart = Chart(ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry));
        return SAxisRange{chart.GetYAxis(0)->GetMin(), chart.GetYAxis(0)->GetSpan()};
    };

    scaleTo("10", "30");
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_SAVE));
    EXPECT_EQ(saved(), (SAxisRange{10.0, 20.0, true}));
    scaleTo("5", "35");
    EXPECT_EQ(shown(), (SAxisRange{5.0, 30.0}));
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_SAVE));
    EXPECT_EQ(saved(), (SAxisRange{5.0, 30.0, true}));
    // Scaled again and closed: the file holds it, and the graph shows it when reopened.
    scaleTo("0", "40");
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    EXPECT_EQ(stored(), (SAxisRange{0.0, 40.0, true}));
    ASSERT_TRUE(m_program.App().OpenDocumentFile(path));
    EXPECT_EQ(shown(), (SAxisRange{0.0, 40.0}));
    EXPECT_TRUE(Chart(ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry)).GetYAxis(0)->IsManual());
    EXPECT_TRUE(m_program.Complaints().empty());
}

TEST_F(GraphPagesTest, WhatArrivesWhileAnAxisDialogIsUpWaitsForIt)
{
    // A close of the project, a study switch (a tab click's message) or a close of the window
    // (its title-bar button, Alt+F4, the end of the session) reaches the main window while the
    // graph's axis dialog is up: it takes effect once the dialog is done with the graph.
    const CString path = m_program.Document().GetPathName();
    CMainFrame& frame = m_program.MainFrame();
    m_program.ForgetInterruptions();
    const auto openAxisDialog = [&](bool timeAxis, std::function<void()> arrives, bool confirm) {
        auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
        CiPlotX& chart = Chart(graph);
        const UINT id = timeAxis ? CManualScaleXAxisDlg::kTemplateId : CManualScaleDlg::kTemplateId;
        m_program.AnswerNextDialog(id, [&, timeAxis, confirm](CDialog& dialog) {
            arrives();
            CFrameworkApp::PumpWaitingMessages();
            EXPECT_NE(nullptr, m_program.App().GetDocument());
            if (!timeAxis) {
                CAssembledProgram::TypeInto(*dialog.GetDlgItem(int(CManualScaleDlg::kLowEdit)), "12");
                CAssembledProgram::TypeInto(*dialog.GetDlgItem(int(CManualScaleDlg::kHighEdit)), "34");
            }
            SimulateKey(dialog, confirm ? VK_RETURN : VK_ESCAPE);
        });
        const CRect band = timeAxis ? chart.GetLayout().xAxisBands.at(0) : chart.GetLayout().yAxisBands.at(0);
        SimulateMouse(chart, WM_LBUTTONDBLCLK, band.CenterPoint());
        return &chart;
    };

    CiPlotX* chart = openAxisDialog(false, [&] { m_program.MenuCommand(CMainFrame::ID_FILE_CLOSE); }, true);
    EXPECT_DOUBLE_EQ(12.0, chart->GetYAxis(0)->GetMin());
    CFrameworkApp::RunFor(300);
    EXPECT_EQ(nullptr, m_program.App().GetDocument());
    ASSERT_TRUE(m_program.App().OpenDocumentFile(path));

    openAxisDialog(true, [&] { frame.SendMessage(CMainFrame::WM_SHOW_STUDY_VIEW, 0, 2); }, false);
    EXPECT_EQ(CAssembledProgram::kEnergyTab, m_program.Tabs().GetActiveTab());
    CFrameworkApp::RunFor(300);
    EXPECT_EQ(CAssembledProgram::kLoadTab, m_program.Tabs().GetActiveTab());

    openAxisDialog(true, [&] { frame.SendMessage(WM_CLOSE); }, true);
    EXPECT_NE(nullptr, frame.GetSafeHwnd());
    CFrameworkApp::RunFor(300);
    EXPECT_EQ(nullptr, m_program.App().GetMainFrame()->GetSafeHwnd());
    EXPECT_EQ(nullptr, m_program.App().GetDocument());
    const std::string valueAxis = "dialog " + std::to_string(CManualScaleDlg::kTemplateId);
    const std::string timeAxis = "dialog " + std::to_string(CManualScaleXAxisDlg::kTemplateId);
    EXPECT_EQ(m_program.Interruptions(), (std::vector<std::string>{valueAxis, timeAxis, timeAxis}));
}

TEST_F(GraphPagesTest, ACursorMovedWithTheKeysComesBackOnItsRecordWhenReopened)
{
    const CString path = m_program.Document().GetPathName();
    CiPlotX* chart = &Chart(ShowGraph<CFundamentalPowerGraphView>(kFundamentalPowerPage, kFundamentalGraphEntry));
    ASSERT_TRUE(chart->GetCursor(0).IsShown());
    CAssembledProgram::ClickInView(*chart->GetParent());
    for (int i = 0; i < 2; ++i)
        SimulateKey(*chart, VK_RIGHT);
    CFrameworkApp::PumpWaitingMessages();
    const SPlotDataCursor moved = chart->GetCursor(0);
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    ASSERT_TRUE(m_program.App().OpenDocumentFile(path));
    chart = &Chart(ShowGraph<CFundamentalPowerGraphView>(kFundamentalPowerPage, kFundamentalGraphEntry));
    EXPECT_EQ(chart->GetCursor(0).channelName, moved.channelName);
    EXPECT_EQ(std::llround(chart->GetCursor(0).position * 86400000.0), std::llround(moved.position * 86400000.0));
    EXPECT_EQ(chart->GetCursor(0).readout, moved.readout);
}

TEST_F(GraphPagesTest, TheCollapseButtonRestsWhileTheSectionIsCaptured)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    CMyToolBar* toolBar = dynamic_cast<CSplitFrame*>(graph.GetParent())->GetMyToolBar(0);
    ASSERT_NE(toolBar, nullptr);
    EXPECT_TRUE(toolBar->IsButtonEnabled(CMyToolBar::kCollapseCommand));
    graph.SetCapturing(true);
    EXPECT_FALSE(toolBar->IsButtonEnabled(CMyToolBar::kCollapseCommand));
    graph.SetCapturing(false);
    EXPECT_TRUE(toolBar->IsButtonEnabled(CMyToolBar::kCollapseCommand));
}

// Every graph page shows its plot with its axes whole, with the overview table collapsed and open,
// in the window the screen gives (run at device ratios 1 and 2).
TEST_F(GraphPagesTest, ThePlotWithItsAxesFitsThePageTheUserSees)
{
    m_program.FitToTheScreen();
    const std::pair<int, int> pages[] = {{kRmsPowerPage, kSummaryGraphEntry},
                                         {kFundamentalPowerPage, kFundamentalGraphEntry},
                                         {kVAHzTHDPage, kVAHzTHDGraphEntry},
                                         {kLoadRmsPowerPage, kLoadSummaryGraphEntry}};
    for (const auto& [page, entry] : pages) {
        auto& graph = ShowGraph<CBasicGraphView>(page, entry);
        // Two sessions on two time axes where the page has them, and an aux input on its axis.
        if (page != kLoadRmsPowerPage && !IsChecked(graph, GraphBar::kFirstSession + 1))
            ClickControl(graph, GraphBar::kFirstSession + 1);
        ClickControl(graph, GraphBar::kAux2);
        CFrameworkApp::RunFor(300);
        EXPECT_EQ(CAssembledProgram::PlotOutOfSight(graph), "") << "page " << page;
        const int overviewEntry = FindStudyLayout(page)->firstEntry;
        CSplitFrame* overview = m_program.SectionFrame(overviewEntry);
        ASSERT_NE(overview, nullptr);
        if (overview->IsSectionCollapsed()) {
            ASSERT_TRUE(m_program.ClickSectionButton(overviewEntry, CMyToolBar::kCollapseCommand));
        }
        CFrameworkApp::RunFor(300);
        EXPECT_EQ(CAssembledProgram::PlotOutOfSight(graph), "") << "page " << page << ", overview table open";
    }
    EXPECT_TRUE(m_program.Complaints().empty());
}

// The note on a point, edited through its menu: the chart shows the new text at once.
TEST_F(GraphPagesTest, AnEditedNoteShowsItsNewTextAtOnce)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    CiPlotX& chart = Chart(graph);
    ClickSectionButton(graph, kNotesButton);
    const int channel = FindChannel(chart, "1: P Total");
    ASSERT_GE(channel, 0);
    SimulateMouse(chart, WM_LBUTTONDOWN, PointPixel(chart, channel, ShownPoint(chart, channel)));
    SimulateMouse(chart, WM_LBUTTONUP, PointPixel(chart, channel, ShownPoint(chart, channel)));
    CFrameworkApp::PumpWaitingMessages();
    ASSERT_EQ(graph.GetSettings().m_notes.size(), 1u);
    // Where the note's box shows.
    std::optional<CPoint> box;
    const CRect plot = chart.GetLayout().plot;
    for (int y = plot.top; y < plot.bottom && !box; y += 2)
        for (int x = plot.left; x < plot.right && !box; x += 2)
            if (const SPlotHit hit = chart.HitTest(x, y); hit.kind == SPlotHit::Label &&
                chart.GetLabel(hit.index)->name == graph.GetSettings().m_notes[0].name)
                box = CPoint(x, y);
    ASSERT_TRUE(box.has_value());
    const CString before = m_program.InHome("note-before.png").c_str();
    const CString after = m_program.InHome("note-after.png").c_str();
    ASSERT_TRUE(SaveWindowPicture(chart, before));

    m_program.AnswerNextMenu(ID_NOTE_EDIT);
    m_program.AnswerNextDialog(0, [](CDialog& dialog) {
        dialog.SetDlgItemText(1000, "Breaker opened");
        CAssembledProgram::ClickAtCentre(*dialog.GetDlgItem(IDOK));
    });
    SimulateMouse(chart, WM_RBUTTONDOWN, *box);
    SimulateMouse(chart, WM_RBUTTONUP, *box);
    EXPECT_EQ(graph.GetSettings().m_notes[0].text, CString("Breaker opened"));
    ASSERT_TRUE(SaveWindowPicture(chart, after));
    const auto bytes = [](const CString& path) {
        std::ifstream in(path.str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    EXPECT_TRUE(bytes(before) != bytes(after)) << "the chart still shows the old text";
    EXPECT_TRUE(m_program.Complaints().empty());
}

TEST_F(GraphPagesTest, ThePressedSpanButtonNamesTheSpanShownAndIsKept)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    const CPlotXAxis& axis = *Chart(graph).GetXAxis(0);
    // "Individual" after "1 Hour" stays the user's choice through an update of the page.
    ClickControl(graph, GraphBar::kFirstSpanButton);
    ClickControl(graph, GraphBar::kFirstSpanButton + 3);
    EXPECT_EQ(PressedSpanButton(graph), 3);
    m_program.Document().NotifyViews(nullptr);
    CFrameworkApp::RunFor(300);
    EXPECT_EQ(PressedSpanButton(graph), 3);
    EXPECT_EQ(graph.GetSettings().m_typeTimeRange, -1);
    // A zoom step makes half a day of "1 Day": a span of the user's own; the step back shows the
    // day again, and its button.
    ClickControl(graph, GraphBar::kFirstSpanButton + 1);
    EXPECT_EQ(PressedSpanButton(graph), 1);
    ClickSectionButton(graph, kZoomInButton);
    EXPECT_NEAR(axis.GetSpan(), 0.5, 1e-9);
    EXPECT_EQ(PressedSpanButton(graph), 3);
    EXPECT_EQ(graph.GetSettings().m_typeTimeRange, -1);
    ClickSectionButton(graph, kZoomOutButton);
    EXPECT_EQ(PressedSpanButton(graph), 1);
    // So does an end moved an hour on: 25 hours are no day here.
    ClickControl(graph, GraphBar::kFirstSpanButton + 1);
    ASSERT_TRUE(CAssembledProgram::StepInView(Control(graph, GraphBar::kXAxisPickers.endTime), VK_UP));
    EXPECT_NEAR(axis.GetSpan(), 25 * kHour, 1e-9);
    EXPECT_EQ(PressedSpanButton(graph), 3);
    // Only the second session shown after "1 Day" of the first, its axis dragged back across
    // the clock change: the day's 24 hours there are no calendar day.
    ClickControl(graph, GraphBar::kFirstSpanButton + 1);
    ClickControl(graph, GraphBar::kFirstSession + 1);
    CiPlotX& chart = Chart(graph);
    const CPoint onSecond = chart.GetLayout().xAxisBands.at(1).CenterPoint();
    SimulateMouse(chart, WM_LBUTTONDOWN, onSecond);
    SimulateMouse(chart, WM_MOUSEMOVE, onSecond + CPoint(int(0.6 * chart.GetLayout().plot.Width()), 0), MK_LBUTTON);
    SimulateMouse(chart, WM_LBUTTONUP, onSecond + CPoint(int(0.6 * chart.GetLayout().plot.Width()), 0));
    ClickControl(graph, GraphBar::kFirstSession);
    ASSERT_EQ(graph.GetTimeRangeMarkers().GetReferenceAxis(), 1);
    EXPECT_NE(CHighTime::FromDate(chart.GetXAxis(1)->GetMin()).Format("%H:%M", true),
              CHighTime::FromDate(chart.GetXAxis(1)->GetMax()).Format("%H:%M", true));
    EXPECT_EQ(PressedSpanButton(graph), 3);
    ClickControl(graph, GraphBar::kFirstSession);
    ClickControl(graph, GraphBar::kFirstSession + 1);
    // The project keeps what the page shows.
    ClickControl(graph, GraphBar::kFirstSpanButton);
    ClickControl(graph, GraphBar::kFirstSpanButton + 3);
    ShowGraph<CVAHzTHDGraphView>(kVAHzTHDPage, kVAHzTHDGraphEntry);
    const auto* stored =
        dynamic_cast<const CBasicViewSettings*>(m_program.Document().GetProjectSettings()->GetStudyViewSettings(kRmsPowerPage));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->m_typeTimeRange, -1);
    auto& again = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    EXPECT_EQ(PressedSpanButton(again), 3);
    EXPECT_TRUE(m_program.Complaints().empty());
}

// A bookmark taken at "1 Day" with the second session's axis scrolled on brings back each
// session's time axis and the span button it was taken with, whatever the page shows since.
TEST_F(GraphPagesTest, ABookmarkBringsBackTheTimeAxesItWasTakenWith)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    ClickControl(graph, GraphBar::kFirstSession + 1);
    ClickControl(graph, GraphBar::kFirstSpanButton + 1);
    ScrollAxis(graph, 1, true);
    CiPlotX& chart = Chart(graph);
    ASSERT_GE(chart.GetXAxisCount(), 2);
    std::vector<std::pair<double, double>> taken;
    for (int i = 0; i < 2; ++i)
        taken.emplace_back(chart.GetXAxis(i)->GetMin(), chart.GetXAxis(i)->GetSpan());
    const int bookmark = m_program.Document().GetProjectSettings()->GetBookmarkCount();
    ClickSectionButton(graph, kBookmarkButton);
    CFrameworkApp::PumpWaitingMessages();
    ASSERT_EQ(m_program.Document().GetProjectSettings()->GetBookmarkCount(), bookmark + 1);

    ClickControl(graph, GraphBar::kFirstSpanButton);
    ScrollAxis(graph, 1, true);
    ClickSectionButton(graph, kZoomInButton);
    ShowGraph<CVAHzTHDGraphView>(kVAHzTHDPage, kVAHzTHDGraphEntry);
    m_program.Document().ShowBookmark(bookmark);
    CFrameworkApp::RunFor(700);
    auto* shown = m_program.Section<CSummaryGraphView>(kSummaryGraphEntry);
    ASSERT_NE(shown, nullptr);
    for (int i = 0; i < 2; ++i) {
        EXPECT_DOUBLE_EQ(Chart(*shown).GetXAxis(i)->GetMin(), taken[std::size_t(i)].first) << "axis " << i;
        EXPECT_DOUBLE_EQ(Chart(*shown).GetXAxis(i)->GetSpan(), taken[std::size_t(i)].second) << "axis " << i;
    }
    EXPECT_EQ(PressedSpanButton(*shown), 1);
    EXPECT_EQ(shown->GetSettings().m_typeTimeRange, 1);
    EXPECT_TRUE(m_program.Complaints().empty());
}

// The Bookmark button of a collapsed graph section opens the section for its picture.
TEST_F(GraphPagesTest, ACollapsedGraphSectionIsOpenedForItsBookmark)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    auto* frame = dynamic_cast<CSplitFrame*>(graph.GetParent());
    ASSERT_NE(frame, nullptr);
    ClickSectionButton(graph, CMyToolBar::kCollapseCommand);
    ASSERT_TRUE(frame->IsSectionCollapsed());
    const int bookmarks = m_program.Document().GetProjectSettings()->GetBookmarkCount();
    ClickSectionButton(graph, kBookmarkButton);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(m_program.Document().GetProjectSettings()->GetBookmarkCount(), bookmarks + 1);
    EXPECT_TRUE(m_program.Boxes().empty());
    EXPECT_FALSE(frame->IsSectionCollapsed());
}

TEST_F(GraphPagesTest, ASpanChosenBesideTheDataShowsTheDataNearest)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    const CPlotXAxis& axis = *Chart(graph).GetXAxis(0);
    const CTrendTimeBlock& records = *m_program.Document().GetDataSet(0)->GetTrendTimeBlock();
    const CHighTime first = records.GetFirstTime();
    const CHighTime last = records.GetLastTime();
    const auto shownFrom = [&] { return CHighTime::FromDate(axis.GetMin()).Format("%Y-%m-%d %H:%M"); };
    const auto showsRecord = [&](const CHighTime& record, const char* after) {
        EXPECT_LE(axis.GetMin(), record.GetAsDate() + 1e-9) << after;
        EXPECT_GT(axis.GetMax(), record.GetAsDate()) << after;
    };
    const auto zoomOutPastTheData = [&] {
        for (int i = 0; i < 10 && (axis.GetMin() >= first.GetAsDate() || axis.GetMax() <= last.GetAsDate()); ++i)
            ClickSectionButton(graph, kZoomInButton + 1);
        ASSERT_LT(axis.GetMin(), first.GetAsDate());
        ASSERT_GT(axis.GetMax(), last.GetAsDate());
    };
    // Zoomed out past both ends, a span starts with the first record, aligned as its button
    // aligns: the week from the Monday before that Saturday, its day, its hour.
    zoomOutPastTheData();
    ClickControl(graph, GraphBar::kFirstSpanButton + 2);
    EXPECT_EQ(shownFrom(), CString("2026-10-19 00:00"));
    EXPECT_NEAR(axis.GetSpan(), 7.0 + kHour, 1e-9); // the clocks go back an hour on the 25th
    showsRecord(first, "1 Week");
    zoomOutPastTheData();
    ClickControl(graph, GraphBar::kFirstSpanButton + 1);
    EXPECT_EQ(shownFrom(), first.Format("%Y-%m-%d 00:00", true));
    showsRecord(first, "1 Day");
    zoomOutPastTheData();
    ClickControl(graph, GraphBar::kFirstSpanButton);
    EXPECT_EQ(shownFrom(), first.Format("%Y-%m-%d %H:00", true));
    showsRecord(first, "1 Hour");
    // So does a length chosen in the list.
    zoomOutPastTheData();
    Choose(graph, GraphBar::kXAxisPickers.intervalList, 6);
    EXPECT_EQ(shownFrom(), first.Format("%Y-%m-%d 00:00", true));
    // Dragged beyond the end, a span holds the last record.
    const auto dragPastTheEnd = [&] {
        for (int i = 0; i < 8 && axis.GetMin() <= last.GetAsDate(); ++i)
            DragTimeAxis(graph, -400);
        ASSERT_GT(axis.GetMin(), last.GetAsDate());
    };
    dragPastTheEnd();
    ClickControl(graph, GraphBar::kFirstSpanButton + 1);
    EXPECT_EQ(shownFrom(), last.Format("%Y-%m-%d 00:00", true));
    showsRecord(last, "1 Day past the end");
    dragPastTheEnd();
    ClickControl(graph, GraphBar::kFirstSpanButton);
    EXPECT_EQ(shownFrom(), last.Format("%Y-%m-%d %H:00", true));
    showsRecord(last, "1 Hour past the end");
    // Inside the data a span starts where the axis does, as before.
    ClickControl(graph, GraphBar::kFirstSpanButton + 1);
    ScrollAxis(graph, 0, false);
    const CHighTime shown = CHighTime::FromDate(axis.GetMin());
    ClickControl(graph, GraphBar::kFirstSpanButton);
    EXPECT_EQ(shownFrom(), shown.Format("%Y-%m-%d %H:00"));
    EXPECT_TRUE(m_program.Complaints().empty());
}

TEST_F(GraphPagesTest, WorkingHoursShadeTheWeekdaysOfWhatEveryRefreshShows)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    CiPlotX& chart = Chart(graph);
    const CPlotXAxis& axis = *chart.GetXAxis(0);
    // Every local day the axis shows has its rectangle from 08:00 to 16:00 on Monday to Friday
    // (the settings' defaults) and none at the weekend.
    const auto shadesShownDays = [&](const char* after) {
        std::set<CString> shaded;
        for (int i = 0; i < chart.GetLabelCount(); ++i) {
            const SPlotLabel& label = *chart.GetLabel(i);
            if (label.name != kWorkingHourAnnotation)
                continue;
            EXPECT_EQ(CHighTime::FromDate(label.x).Format("%H:%M"), CString("08:00")) << after;
            EXPECT_EQ(CHighTime::FromDate(label.x2).Format("%H:%M"), CString("16:00")) << after;
            shaded.insert(CHighTime::FromDate(label.x).Format("%Y-%m-%d"));
        }
        const CHighTime first = CHighTime::FromDate(axis.GetMin());
        CHighTime day(first.GetYear(), first.GetMonth(), first.GetDay(), 0, 0, 0);
        for (int i = 0; i < 40 && day.GetAsDate() < axis.GetMax(); ++i) {
            const bool weekday = day.GetDayOfWeek() >= 2 && day.GetDayOfWeek() <= 6;
            EXPECT_EQ(shaded.count(day.Format("%Y-%m-%d")) == 1, weekday) << after << " " << day.Format("%a %d %b").GetString();
            const CHighTime next = day + CHighTimeSpan(0, 36, 0, 0);
            day = CHighTime(next.GetYear(), next.GetMonth(), next.GetDay(), 0, 0, 0);
        }
    };
    // Set over an hour, the shading reaches a day or two either side.
    ClickControl(graph, GraphBar::kFirstSpanButton);
    ClickControl(graph, GraphBar::kSetWorkingHours);
    shadesShownDays("set");
    ClickControl(graph, GraphBar::kFirstSpanButton + 2);
    shadesShownDays("1 Week");
    ScrollAxis(graph, 0, true);
    shadesShownDays("scrolled");
    Choose(graph, GraphBar::kXAxisPickers.intervalList, 6);
    shadesShownDays("1 day chosen");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(CAssembledProgram::StepInView(Control(graph, GraphBar::kXAxisPickers.beginDate), VK_UP));
    shadesShownDays("days later");
    ClickSectionButton(graph, kZoomInButton + 1);
    shadesShownDays("zoomed out");
}

TEST_F(GraphPagesTest, CoupledAxesScrollByTheSameTime)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    ClickControl(graph, GraphBar::kFirstSession + 1);
    ClickControl(graph, GraphBar::kFirstSpanButton + 1);
    CiPlotX& chart = Chart(graph);
    const CPlotXAxis& first = *chart.GetXAxis(0);
    const CPlotXAxis& second = *chart.GetXAxis(1);
    CAssembledProgram::ClickAtCentre(*graph.GetDlgItem(int(kAxisCouplingButton)));
    ASSERT_EQ(graph.GetAxisControls().coupled, 1);
    // The second session's data ends half a day after the first's: forward on the first axis,
    // the second follows every step although its own data would end it sooner.
    const double offset = second.GetMin() - first.GetMin();
    const double last = m_program.Document().GetDataSet(0)->GetTrendTimeBlock()->GetLastTime().GetAsDate();
    for (int i = 0; i < 4; ++i) {
        const double before = first.GetMin();
        ScrollAxis(graph, 0, true);
        EXPECT_GT(first.GetMin(), before - 1e-9);
        EXPECT_NEAR(second.GetMin() - first.GetMin(), offset, 1e-9) << i;
    }
    EXPECT_NEAR(first.GetMax(), last, 1e-9);
    // Back on the second axis, as far as its own data starts; the first keeps in step.
    for (int i = 0; i < 5; ++i) {
        ScrollAxis(graph, 1, false);
        EXPECT_NEAR(second.GetMin() - first.GetMin(), offset, 1e-9) << i;
    }
    EXPECT_NEAR(second.GetMin(), m_program.Document().GetDataSet(1)->GetTrendTimeBlock()->GetFirstTime().GetAsDate(), 1e-9);
}

TEST_F(GraphPagesTest, AFirstTimeRangeLiesInsideTheShownDayAfterAnotherUpdate)
{
    // The markers of a range nobody placed yet stand at 30 % and 70 % of the day shown.
    const auto firstRangeInside = [&](CBasicGraphView& view, const char* after) {
        ClickControl(view, GraphBar::kSetTimeRange);
        const CPlotXAxis& axis = *Chart(view).GetXAxis(0);
        EXPECT_NEAR(axis.GetSpan(), 1.0, 1e-9) << after;
        EXPECT_NEAR(axis.ValueToFraction(view.GetTimeRangeMarkers().GetBegin()), 0.3, 1e-6) << after;
        EXPECT_NEAR(axis.ValueToFraction(view.GetTimeRangeMarkers().GetEnd()), 0.7, 1e-6) << after;
    };
    // The view button of the page shown leaves the page as it is (its notes mode on).
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    ClickControl(graph, GraphBar::kFirstSpanButton + 1);
    ClickSectionButton(graph, 33051);
    ASSERT_TRUE(graph.GetNotes().IsNotesMode());
    ASSERT_TRUE(m_program.ClickToolBarButton(33074));
    CFrameworkApp::RunFor(300);
    auto* shown = m_program.Section<CSummaryGraphView>(kSummaryGraphEntry);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->GetNotes().IsNotesMode());
    ClickSectionButton(*shown, 33051);
    firstRangeInside(*shown, "the view button");
    // An update of the document.
    auto& quantities = ShowGraph<CVAHzTHDGraphView>(kVAHzTHDPage, kVAHzTHDGraphEntry);
    ClickControl(quantities, GraphBar::kFirstSpanButton + 1);
    m_program.Document().NotifyViews(nullptr);
    CFrameworkApp::RunFor(300);
    firstRangeInside(quantities, "an update");
    // The page built again from what the project keeps.
    auto& fundamental = ShowGraph<CFundamentalPowerGraphView>(kFundamentalPowerPage, kFundamentalGraphEntry);
    ClickControl(fundamental, GraphBar::kFirstSpanButton + 1);
    ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    firstRangeInside(ShowGraph<CFundamentalPowerGraphView>(kFundamentalPowerPage, kFundamentalGraphEntry), "a rebuild");
    // A range the user placed stays where it was.
    auto& rebuilt = *m_program.Section<CFundamentalPowerGraphView>(kFundamentalGraphEntry);
    const double begin = rebuilt.GetTimeRangeMarkers().GetBegin();
    ClickControl(rebuilt, GraphBar::kSetTimeRange);
    ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    auto& back = ShowGraph<CFundamentalPowerGraphView>(kFundamentalPowerPage, kFundamentalGraphEntry);
    ClickControl(back, GraphBar::kSetTimeRange);
    EXPECT_NEAR(back.GetTimeRangeMarkers().GetBegin(), begin, 1.0 / 86400.0);
    EXPECT_TRUE(m_program.Complaints().empty());
}

// A session recorded hourly from 27 March to 28 October 2026: across both clock changes of
// Central European time.
class GraphPagesAcrossTheYearTest : public GraphPagesTest
{
protected:
    std::vector<SSessionSpec> Sessions() const override
    {
        SSessionSpec year;
        year.name = u"Feeder year";
        year.startTicks = 134190432000000000; // 2026-03-27 00:00 UTC
        year.trendRecords = 215 * 24;
        year.averagingSeconds = 3600;
        year.demandSeconds = 3600;
        year.gapStart = -1;
        return {year};
    }
    // The axis brought to the local day as the user does: weeks, then days forward, then "1 day"
    // chosen in the list.
    void ShowDay(CBasicGraphView& view, int year, int month, int day)
    {
        const CPlotXAxis& axis = *Chart(view).GetXAxis(0);
        const double midnight = CHighTime(year, month, day, 0, 0, 0).GetAsDate();
        Choose(view, GraphBar::kXAxisPickers.intervalList, 8);
        for (int i = 0; i < 40 && axis.GetMax() <= midnight; ++i)
            ScrollAxis(view, 0, true);
        Choose(view, GraphBar::kXAxisPickers.intervalList, 6);
        for (int i = 0; i < 8 && axis.GetMin() < midnight - 1e-9; ++i)
            ScrollAxis(view, 0, true);
        Choose(view, GraphBar::kXAxisPickers.intervalList, 6);
        ASSERT_NEAR(axis.GetMin(), midnight, 1e-9);
    }
    static CString PickerTime(CBasicGraphView& view, UINT id)
    {
        SYSTEMTIME shown{};
        static_cast<CDateTimeCtrl&>(Control(view, id)).GetTime(&shown);
        CString text;
        text.Format("%02d:%02d:%02d", shown.wHour, shown.wMinute, shown.wSecond);
        return text;
    }
};

// "1 Day" and "1 Week" are days of the local calendar: scrolled across a clock change, the window
// steps by such days (of 23 or 25 hours) and the button stays pressed; a window dragged off them
// is no such days, and the button says so.
TEST_F(GraphPagesAcrossTheYearTest, TheSpanButtonNamesTheCalendarDaysShownAtEveryStep)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    const CPlotXAxis& axis = *Chart(graph).GetXAxis(0);
    const auto shows = [&](const char* from, const char* to, int button) {
        EXPECT_EQ(CHighTime::FromDate(axis.GetMin()).Format("%Y-%m-%d %H:%M", true), CString(from));
        EXPECT_EQ(CHighTime::FromDate(axis.GetMax()).Format("%Y-%m-%d %H:%M", true), CString(to));
        EXPECT_EQ(PressedSpanButton(graph), button) << from;
        EXPECT_EQ(graph.GetSettings().m_typeTimeRange, button < 3 ? button : -1) << from;
    };
    for (const auto& [month, day, hours] : {std::tuple{3, 28, 23}, std::tuple{10, 24, 25}}) {
        ShowDay(graph, 2026, month, day);
        ClickControl(graph, GraphBar::kFirstSpanButton + 1);
        const CString saturday = CHighTime(2026, month, day, 0, 0, 0).Format("%Y-%m-%d %H:%M");
        const CString sunday = CHighTime(2026, month, day + 1, 0, 0, 0).Format("%Y-%m-%d %H:%M");
        shows(saturday, sunday, 1);
        ScrollAxis(graph, 0, true);
        shows(sunday, CHighTime(2026, month, day + 2, 0, 0, 0).Format("%Y-%m-%d %H:%M"), 1);
        EXPECT_NEAR(axis.GetSpan(), hours * kHour, 1e-9);
        // The Sunday dragged on until its clock change lies behind: hours of another day.
        DragTimeAxis(graph, -int(0.4 * Chart(graph).GetLayout().plot.Width()));
        ASSERT_GT(axis.GetMin(), CHighTime(2026, month, day + 1, 4, 0, 0).GetAsDate());
        EXPECT_EQ(PressedSpanButton(graph), 3) << hours;
        EXPECT_EQ(graph.GetSettings().m_typeTimeRange, -1) << hours;
    }
    // "1 Week" from that Sunday: the Monday after; the week before holds the autumn change and
    // 169 hours.
    ClickControl(graph, GraphBar::kFirstSpanButton + 2);
    shows("2026-10-26 00:00", "2026-11-02 00:00", 2);
    EXPECT_NEAR(axis.GetSpan(), 7.0, 1e-9);
    ScrollAxis(graph, 0, false);
    shows("2026-10-19 00:00", "2026-10-26 00:00", 2);
    EXPECT_NEAR(axis.GetSpan(), 7.0 + kHour, 1e-9);
    EXPECT_TRUE(m_program.Complaints().empty());
}

TEST_F(GraphPagesAcrossTheYearTest, AnHourChosenInTheRepeatedHourStartsWithIt)
{
    auto& graph = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    const CPlotXAxis& axis = *Chart(graph).GetXAxis(0);
    ShowDay(graph, 2026, 10, 25);
    // From 02:30 in the second 02:00 hour (01:30 UTC), which the clocks show twice: an hour
    // scrolled there, then its second half.
    const double secondTwoOClock = CHighTime(134373636000000000).GetAsDate(); // 01:00 UTC
    const auto fromHalfPastTwoAgain = [&] {
        Choose(graph, GraphBar::kXAxisPickers.intervalList, 4);
        for (int i = 0; i < 6 && std::fabs(axis.GetMin() - secondTwoOClock) > 1e-9; ++i)
            ScrollAxis(graph, 0, axis.GetMin() < secondTwoOClock);
        Choose(graph, GraphBar::kXAxisPickers.intervalList, 3);
        ScrollAxis(graph, 0, true);
        ASSERT_EQ(CHighTime::FromDate(axis.GetMin()).FormatUTC("%H:%M", true), CString("01:30"));
        ASSERT_EQ(CHighTime::FromDate(axis.GetMin()).Format("%H:%M", true), CString("02:30"));
    };
    const auto shows = [&](const char* from, const char* to, const char* beginTime, const char* endTime) {
        EXPECT_EQ(CHighTime::FromDate(axis.GetMin()).FormatUTC("%Y-%m-%d %H:%M:%S", true), CString(from));
        EXPECT_EQ(CHighTime::FromDate(axis.GetMax()).FormatUTC("%Y-%m-%d %H:%M:%S", true), CString(to));
        EXPECT_EQ(PickerTime(graph, GraphBar::kXAxisPickers.beginTime), CString(beginTime));
        EXPECT_EQ(PickerTime(graph, GraphBar::kXAxisPickers.endTime), CString(endTime));
    };
    fromHalfPastTwoAgain();
    ClickControl(graph, GraphBar::kFirstSpanButton);
    shows("2026-10-25 01:00:00", "2026-10-25 02:00:00", "02:00:00", "03:00:00");
    EXPECT_EQ(PressedSpanButton(graph), 0);
    fromHalfPastTwoAgain();
    Choose(graph, GraphBar::kXAxisPickers.intervalList, 5);
    shows("2026-10-25 01:00:00", "2026-10-25 03:00:00", "02:00:00", "04:00:00");
    // The end moved an hour back: the begin the user left stays in the second 02:00 hour.
    ASSERT_TRUE(CAssembledProgram::StepInView(Control(graph, GraphBar::kXAxisPickers.endTime), VK_DOWN));
    shows("2026-10-25 01:00:00", "2026-10-25 02:00:00", "02:00:00", "03:00:00");
    EXPECT_TRUE(m_program.Complaints().empty());
}

// Pictures for people: the three power and quantity pages of the two Energy sessions. Run with
// ORN_RENDER_DIR set, once as it is and once with QT_SCALE_FACTOR=2.
TEST_F(GraphPagesTest, DISABLED_RenderTheGraphPages)
{
    const char* ratio = std::getenv("QT_SCALE_FACTOR");
    const std::string suffix = ratio && std::string(ratio) == "2" ? "-x2" : "";
    auto& power = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    ClickControl(power, GraphBar::kFirstSession + 1);
    CFrameworkApp::RunFor(500);
    m_program.SavePage("graph-rms-power" + suffix);
    auto& fundamental = ShowGraph<CFundamentalPowerGraphView>(kFundamentalPowerPage, kFundamentalGraphEntry);
    ClickControl(fundamental, GraphBar::kFirstSession + 1);
    CFrameworkApp::RunFor(500);
    m_program.SavePage("graph-fundamental-power" + suffix);
    auto& quantities = ShowGraph<CVAHzTHDGraphView>(kVAHzTHDPage, kVAHzTHDGraphEntry);
    ClickControl(quantities, GraphBar::kFirstSession + 1);
    ClickControl(quantities, PhaseCheckId(1, 0));
    ClickControl(quantities, GraphBar::kSetTimeRange);
    CFrameworkApp::RunFor(500);
    m_program.SavePage("graph-vahzthd" + suffix);
    // A week with its working hours, the two sessions' axes coupled.
    auto& week = ShowGraph<CSummaryGraphView>(kRmsPowerPage, kSummaryGraphEntry);
    ClickControl(week, GraphBar::kFirstSpanButton + 2);
    ClickControl(week, GraphBar::kSetWorkingHours);
    CAssembledProgram::ClickAtCentre(*week.GetDlgItem(int(kAxisCouplingButton)));
    CFrameworkApp::RunFor(500);
    m_program.SavePage("graph-working-hours" + suffix);
    // A week chosen after zooming out past the data.
    for (int i = 0; i < 3; ++i)
        ClickSectionButton(week, kZoomInButton + 1);
    ClickControl(week, GraphBar::kFirstSpanButton + 2);
    CFrameworkApp::RunFor(500);
    m_program.SavePage("graph-week-after-zoom-out" + suffix);
    EXPECT_TRUE(m_program.Complaints().empty());
}

// More records than the plot has pixels, so that what the chart is fed depends on its width:
// each graph page, built anew when it is chosen, is drawn once, at its laid-out size, and a feed
// at that size afterwards (what a timer would do) changes nothing.
TEST_F(GraphPagesAcrossTheYearTest, EveryGraphPageIsDrawnOnceOnItsFirstShowWithItsFinalCurve)
{
    const auto curves = [](CiPlotX& chart) {
        std::vector<std::pair<double, float>> points;
        for (int c = 0; c < chart.GetChannelCount(); ++c)
            for (int i = 0; i < chart.GetChannel(c)->GetCount(); ++i)
                points.emplace_back(chart.GetChannel(c)->GetXValue(i), chart.GetChannel(c)->GetYValue(i));
        return points;
    };
    for (const int page : {kRmsPowerPage, kDemandPage, kFundamentalPowerPage, kVAHzTHDPage}) {
        SCOPED_TRACE(page);
        ASSERT_TRUE(m_program.ShowStudyPage(page));
        auto* graph = m_program.Section<CBasicGraphView>(FindStudyLayout(page)->firstEntry + 1);
        ASSERT_NE(graph, nullptr);
        CiPlotX& chart = Chart(*graph);
        const auto shown = curves(chart);
        EXPECT_GT(shown.size(), std::size_t(chart.GetLayout().plot.Width()));
        CFrameworkApp::RunFor(700);
        EXPECT_EQ(chart.GetRenderCount(), 1);
        EXPECT_TRUE(curves(chart) == shown);
        graph->SendMessage(WM_TIMER, kFeedTimer, 0);
        EXPECT_TRUE(curves(chart) == shown);
    }
    EXPECT_TRUE(m_program.Complaints().empty());
}

} // namespace
