// What a user does in a project, driven through the started program: every setting of every
// view comes back when the project is opened again, text still being typed is not lost, the
// cards follow added data, and the report of the project holds its sessions whatever the user
// did on the report page before.
#include "AssembledProgram.h"
#include "datamodel/AvailableMemory.h"
#include "datamodel/DataSet.h"
#include "datamodel/LargeBlock.h"
#include "datamodel/StreamBlockReader.h"
#include "datamodel/TrendTimeBlock.h"
#include "export/ExportCsvDlg.h"
#include "grid/CUGGrid.h"
#include "platform/chart/CiPlotX.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/CFileDialog.h"
#include "platform/framework/windows/CTabCtrl.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/MessageBoxWindow.h"
#include "platform/framework/windows/WindowStyles.h"
#include "platform/framework/windows/WindowTesting.h"
#include "project/AppFolders.h"
#include "project/Bookmark.h"
#include "project/EditAuxSettingsDlg.h"
#include "project/EnergyCostsDlg.h"
#include "project/ProjectManagerSettings.h"
#include "project/ReportViewSettings.h"
#include "project/ViewSettingsTestUtil.h"
#include "project/ZcaArchive.h"
#include "projectmanager/ProjectManagerDataSetGrid.h"
#include "projectmanager/ProjectManagerSummaryGrid.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "report/IReport.h"
#include "reportpages/ReportChange.h"
#include "reportpages/ReportListGrid.h"
#include "reportpages/ReportListView.h"
#include "shell/ExportReportCommand.h"
#include "shell/MainFrame.h"
#include "study/BasicGraphView.h"
#include "study/BasicGraphViewDialogBar.h"
#include "study/BasicTableView.h"
#include "study/ManualScaleDlg.h"
#include "support/ExternalTools.h"
#include "support/SmallDisk.h"
#include "support/TempFolder.h"
#include "views/MyToolBar.h"
#include "views/SplitFrame.h"
#include "views/TabWnd.h"

#include <gtest/gtest.h>

#include <csignal>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace {

const CString kSamplePath = CString(ORN_SOURCE_DIR) + "/resources/samples/sample.zlg";
constexpr const char* kSampleSession = "Sample feeder";
// Every page of a study: view 7 has none.
constexpr int kStudyPages[] = {0, 1, 2, 3, 4, 5, 6, 8};

// A name stem of 251 bytes (a 255-byte name with ".zca"): the start (of an even length), then
// two-byte letters that a name shortened to fit must not cut, then one more byte.
std::string LongStem(std::string stem)
{
    while (stem.size() + 2 < 251)
        stem += "\xC3\xA9";
    return stem + "x";
}
constexpr UINT kNotesCommand = 33051;
constexpr UINT kBookmarkCommand = 33055;

class UserWorkKeptTest : public ::testing::Test
{
protected:
    UserWorkKeptTest()
    {
        // Add Data asks through a file dialog of its own; it takes the next of these answers.
        m_previousFileDialog = CFileDialog::SetDriver([this](CFileDialog& dialog) {
            if (m_addDataAnswers.empty())
                return INT_PTR(IDCANCEL);
            dialog.SetPathNames({m_addDataAnswers.front()});
            m_addDataAnswers.pop_front();
            return INT_PTR(IDOK);
        });
    }
    ~UserWorkKeptTest() override { CFileDialog::SetDriver(std::move(m_previousFileDialog)); }

    // A project of one written session of the study type.
    CString MakeProject(const std::string& name, WORD studyType, const char16_t* sessionName)
    {
        return m_program.MakeProject(name, {Session(studyType, sessionName)});
    }
    static SSessionSpec Session(WORD studyType, const char16_t* name)
    {
        SSessionSpec recording;
        recording.studyType = studyType;
        recording.name = name;
        return recording;
    }
    CString InHome(const std::string& name) const { return CString(m_program.InHome(name)); }
    COrnApp& App() { return m_program.App(); }
    const std::vector<CMessageBoxRecorder::Box>& Boxes() const { return m_program.Boxes(); }
    CRecDoc& Project() { return m_program.Document(); }
    CProjectManagerTableView* Manager()
    {
        return m_program.Section<CProjectManagerTableView>(SMainViewLayout::kProjectManagerPage);
    }
    CReportListView* ReportList() { return m_program.Section<CReportListView>(SMainViewLayout::kReportList); }
    CBasicGraphView* Graph(int viewId)
    {
        for (CWnd* view : Project().GetViews())
            if (auto* graph = dynamic_cast<CBasicGraphView*>(view); graph && graph->GetSettingsKind() == viewId)
                return graph;
        return nullptr;
    }
    // The "project.xml" of a project file, as written.
    std::string ProjectXmlOf(const CString& path)
    {
        CZcaArchive archive;
        const CString copy = InHome("project.xml");
        if (!archive.Open(path) || !archive.ExportStream("project.xml", copy))
            return {};
        std::ifstream in(copy.str(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Every stream of a project file but "project.xml", as stored.
    std::map<std::string, std::string> SessionStreamsOf(const CString& path)
    {
        std::map<std::string, std::string> streams;
        CZcaArchive archive;
        if (!archive.Open(path))
            return streams;
        for (int i = 0; i < archive.GetElementCount(); ++i) {
            const CString name = archive.GetElement(i).name;
            std::unique_ptr<IDataStream> stream;
            if (name == CZcaArchive::kProjectStreamName || archive.OpenStream(name, stream) != 0)
                continue;
            std::string bytes(std::size_t(stream->GetLength()), '\0');
            bytes.resize(std::size_t(std::max<std::int64_t>(0, stream->Read(bytes.data(), bytes.size()))));
            streams[name.str()] = std::move(bytes);
        }
        return streams;
    }
    // The user clicks the summary card's Client field and types into it, leaving the focus there.
    void TypeClient(const char* text)
    {
        m_program.ClickTab(CAssembledProgram::kProjectManagerTab);
        CProjectManagerSummaryGrid& summary = *Manager()->GetSummaryGrid();
        const SCardRect& clientField = summary.Layout().edits[0].rect;
        ASSERT_TRUE(m_program.ClickGridCell(summary, summary.OriginCol(clientField), summary.OriginRow(0, clientField)));
        ASSERT_NE(CWnd::GetFocus(), nullptr);
        ASSERT_TRUE(CAssembledProgram::TypeInto(*CWnd::GetFocus(), text));
    }
    // The names of the files in a folder, sorted.
    static std::vector<std::string> FilesIn(const std::string& folder)
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The text of body row r of card k of the session cards (nine rows a card).
    static CString SessionCardText(CProjectManagerDataSetGrid& grid, int card, int bodyRow, int col = 1)
    {
        CString text;
        grid.QuickGetText(col, card * 9 + 2 + bodyRow, &text);
        return text;
    }

    CAssembledProgram m_program;
    std::deque<CString> m_addDataAnswers;
    CFileDialog::Driver m_previousFileDialog;
};

} // namespace

TEST_F(UserWorkKeptTest, EverySettingOfEveryViewKindComesBackWhenTheProjectIsOpenedAgain)
{
    const CString path = m_program.MakeProject("project", {Session(1, u"Energy feeder"), Session(2, u"Load feeder")});
    ASSERT_TRUE(m_program.Start(path));

    // Each study page in turn (leaving a page stores it): every setting, a span from one of the
    // span buttons and a note placed on a data point.
    std::map<int, int> spans;
    for (int viewId : kStudyPages) {
        SCOPED_TRACE(viewId);
        ASSERT_TRUE(m_program.ShowStudyPage(viewId));
        CBasicGraphView* graph = Graph(viewId);
        ASSERT_NE(graph, nullptr);
        CBasicViewSettings full = MakeFullViewSettings(viewId);
        // Both sessions of the project shown, its colours and nominal voltages naming them.
        full.m_sessions = {true, true, false, false};
        full.m_customColors[0].measurementId = 1;
        full.m_nominalVoltages.clear();
        full.SetNominalVoltage(1, Project().GetDataSet(1)->GetMeasurementConfig(), 240.0f, 0);
        full.m_notes.resize(1);
        graph->GetSettings().CopyFrom(&full);
        if (CViewSettings::IsCalendarView(viewId))
            continue;
        spans[viewId] = int(spans.size()) % 3;
        graph->SendMessage(WM_COMMAND, MAKEWPARAM(GraphBar::kFirstSpanButton + UINT(spans[viewId]), BN_CLICKED), 0);
        graph->SendMessage(WM_COMMAND, MAKEWPARAM(kNotesCommand, BN_CLICKED), 0);
        // The first plotted point of a session's quantity that takes a note.
        CiPlotX& chart = *graph->GetPlotControl();
        for (int channel = 0; channel < chart.GetChannelCount() && graph->GetSettings().m_notes.size() < 2; ++channel) {
            SPlotEvent click;
            click.id = PlotEvent::ChannelPointClick;
            click.index = channel;
            click.point = 3;
            if (chart.GetChannel(channel)->GetCount() > click.point)
                graph->OnPlotEvent(click);
        }
        ASSERT_EQ(graph->GetSettings().m_notes.size(), 2u);
    }
    CProjectManagerSettings& manager = Manager()->GetSettings();
    ASSERT_EQ(manager.m_dataSets.size(), 2u);
    manager.m_summary[0] = {1, "Client \xE2\x82\xAC", "Plant 4", "Yearly survey"};
    manager.m_dataSets[1].Notes = "After the repair";
    manager.m_dataSets[1].AuxOverride = true;
    manager.m_dataSets[1].auxData[0] = {TRUE, 2.5f, -0.5f, "bar"};
    for (SProjectManagerDataSetEntry& entry : manager.m_dataSets) {
        entry.energyCosts.SetEnabled(true);
        entry.energyCosts.SetCurrency("EUR");
        entry.energyCosts.SetCostFwd(0.25f);
    }
    Manager()->StoreSettingsInProject();
    m_program.MenuCommand(CMainFrame::ID_FILE_SAVE);

    const CProjectSettings& saved = *Project().GetProjectSettings();
    for (int viewId : kStudyPages) {
        const auto* settings = dynamic_cast<const CBasicViewSettings*>(saved.GetViewSettings(viewId));
        ASSERT_NE(settings, nullptr) << viewId;
        EXPECT_EQ(settings->m_workingHours, MakeFullViewSettings(viewId).m_workingHours) << viewId;
        if (CViewSettings::IsCalendarView(viewId))
            continue;
        EXPECT_EQ(settings->m_typeTimeRange, spans[viewId]) << viewId;
        EXPECT_EQ(settings->m_limits, MakeFullViewSettings(viewId).m_limits) << viewId;
        ASSERT_EQ(settings->m_notes.size(), 2u) << viewId;
        EXPECT_TRUE(settings->m_notes[1].IsAttached());
    }
    m_program.MenuCommand(CMainFrame::ID_FILE_CLOSE);

    // Opened again, the project holds every value the file holds: written once more, it gives
    // the same document.
    const std::string written = ProjectXmlOf(path);
    ASSERT_FALSE(written.empty());
    ASSERT_TRUE(App().OpenDocumentFile(path));
    EXPECT_FALSE(Project().GetProjectSettings()->IsLoadImperfect());
    EXPECT_EQ(Project().GetProjectSettings()->SaveToBytes(), written);
    for (int viewId : kStudyPages)
        EXPECT_NE(Project().GetProjectSettings()->GetViewSettings(viewId), nullptr) << viewId;
    EXPECT_NE(Project().GetProjectSettings()->GetViewSettings(CViewSettings::kProjectManagerViewId), nullptr);
    // The page shows what it stored: the Demand view's limits and span.
    ASSERT_TRUE(m_program.ShowStudyPage(1));
    ASSERT_NE(Graph(1), nullptr);
    EXPECT_EQ(Graph(1)->GetSettings().m_limits, MakeFullViewSettings(1).m_limits);
    EXPECT_EQ(Graph(1)->GetSettings().m_typeTimeRange, spans[1]);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(UserWorkKeptTest, ANoteStaysOnItsSampleThroughScrollZoomSpansPagesAndReopening)
{
    // Twenty days from Monday 2 March 2026.
    SSessionSpec recording = Session(1, u"Twenty days");
    recording.trendRecords = 20 * 144;
    const CString path = m_program.MakeProject("notes", {recording});
    ASSERT_TRUE(m_program.Start(path));
    constexpr int kSummaryGraphEntry = 6;
    constexpr UINT kZoomOutCommand = 33050;
    const auto graph = [&] {
        EXPECT_TRUE(m_program.ShowStudyPage(0));
        CFrameworkApp::RunFor(700); // the page's deferred feeding
        return Graph(0);
    };
    const auto clickSpan = [&](int button) {
        CBasicGraphView* view = Graph(0);
        ASSERT_TRUE(CAssembledProgram::ClickInView(*view->GetDialogBar()->GetDlgItem(int(GraphBar::kFirstSpanButton) + button)));
        CFrameworkApp::RunFor(700);
    };
    CBasicGraphView* view = graph();
    ASSERT_NE(view, nullptr);
    clickSpan(1); // "1 Day": Monday
    CAssembledProgram::ClickAtCentre(*view->GetDlgItem(int(kFirstScrollForwardButton)));
    CFrameworkApp::RunFor(700);

    // Tuesday 11:00: the point of the first plotted channel there, clicked in notes mode.
    CiPlotX& chart = *view->GetPlotControl();
    int channel = 0;
    while (channel < chart.GetChannelCount() && (!chart.GetChannel(channel)->IsVisible() || chart.GetChannel(channel)->GetCount() == 0))
        ++channel;
    ASSERT_LT(channel, chart.GetChannelCount());
    const CPlotChannel& plotted = *chart.GetChannel(channel);
    const int xAxis = chart.FindXAxis(plotted.GetXAxisName());
    const int point = plotted.GetIndexOfX(chart.GetXAxis(xAxis)->GetMin() + 11.0 / 24.0);
    ASSERT_GE(point, 0);
    const CString channelName = plotted.GetName();
    const double sampleX = plotted.GetXValue(point);
    const double sampleValue = plotted.GetYValue(point);
    EXPECT_EQ(CHighTime::FromDate(sampleX).Format("%a %H:%M", true), CString("Tue 11:00"));
    ASSERT_TRUE(m_program.ClickToolBarButton(kNotesCommand));
    CAssembledProgram::ClickAt(chart, CPoint(int(std::lround(chart.XValueToPixel(xAxis, sampleX))),
                                             int(std::lround(chart.YValueToPixel(chart.FindYAxis(plotted.GetYAxisName()), sampleValue)))));
    CFrameworkApp::PumpWaitingMessages();
    ASSERT_EQ(view->GetSettings().m_notes.size(), 1u);
    const CString note = view->GetSettings().m_notes[0].name;

    // Where the note's marker stands: on the sample clicked, whatever the chart was fed since.
    const auto expectOnSample = [&](const char* after) {
        SCOPED_TRACE(after);
        CBasicGraphView* shown = Graph(0);
        ASSERT_NE(shown, nullptr);
        CiPlotX& now = *shown->GetPlotControl();
        const SPlotLabel* anchor = now.GetLabel(now.FindLabel(note + " anchor"));
        ASSERT_NE(anchor, nullptr);
        EXPECT_EQ(anchor->kind, EPlotLabelKind::Point);
        EXPECT_EQ(anchor->channelName, channelName);
        EXPECT_EQ(CHighTime::FromDate(anchor->x).Format("%a %H:%M", true), CString("Tue 11:00"));
        EXPECT_NEAR(anchor->x, sampleX, 1e-9);
        EXPECT_FLOAT_EQ(float(anchor->value), float(sampleValue));
    };
    expectOnSample("placed");
    // The sample dragged just out of the window on the left: the note goes with it, no cut piece
    // of it stands at the plot's edge beside the value axis.
    const CPoint onAxis = chart.GetLayout().xAxisBands.at(0).CenterPoint();
    const CPoint dropped = onAxis + CPoint(chart.GetLayout().plot.left - 12 - int(std::lround(chart.XValueToPixel(xAxis, sampleX))), 0);
    SimulateMouse(chart, WM_LBUTTONDOWN, onAxis);
    SimulateMouse(chart, WM_MOUSEMOVE, dropped, MK_LBUTTON);
    SimulateMouse(chart, WM_LBUTTONUP, dropped);
    CFrameworkApp::RunFor(700);
    CRect edge(chart.GetLayout().plot.TopLeft(), CSize(24, chart.GetLayout().plot.Height()));
    chart.ClientToScreen(&edge);
    const std::vector<COLORREF> atEdge = GetScreenPixelsNow(chart, edge);
    EXPECT_EQ(std::count(atEdge.begin(), atEdge.end(), RGB(255, 255, 225)), 0);
    expectOnSample("its sample dragged out of the window");
    CAssembledProgram::ClickAtCentre(*view->GetDlgItem(int(kFirstScrollForwardButton)));
    CFrameworkApp::RunFor(700);
    expectOnSample("a scroll to Wednesday");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(m_program.ClickSectionButton(kSummaryGraphEntry, kZoomOutCommand));
    CFrameworkApp::RunFor(700);
    expectOnSample("zooming out to eight days");
    clickSpan(2); // "1 Week"
    expectOnSample("the week's span");
    ASSERT_TRUE(m_program.ShowStudyPage(1));
    CFrameworkApp::RunFor(700);
    view = graph();
    expectOnSample("a visit to another page");
    m_program.MenuCommand(CMainFrame::ID_FILE_SAVE);
    m_program.MenuCommand(CMainFrame::ID_FILE_CLOSE);
    ASSERT_TRUE(App().OpenDocumentFile(path));
    view = graph();
    ASSERT_NE(view, nullptr);
    clickSpan(2);
    expectOnSample("opening the project again");
    EXPECT_TRUE(m_program.Complaints().empty());
}

// Sections the user opened or collapsed come back so after the project is saved, closed and
// opened again: the RMS Power page's overview table opened and its graph collapsed, the Demand
// page's table opened.
TEST_F(UserWorkKeptTest, SectionsComeBackOpenedOrCollapsedAsTheUserLeftThem)
{
    const CString path = MakeProject("sections", 1, u"Feeder");
    ASSERT_TRUE(m_program.Start(path));
    constexpr int kSummaryTable = 5;
    constexpr int kSummaryGraph = 6;
    constexpr int kDemandTable = 8;
    const auto collapsed = [&](int entry) {
        const CSplitFrame* frame = m_program.SectionFrame(entry);
        return frame && frame->IsSectionCollapsed();
    };
    ASSERT_TRUE(m_program.ShowStudyPage(0));
    ASSERT_TRUE(collapsed(kSummaryTable));
    ASSERT_FALSE(collapsed(kSummaryGraph));
    ASSERT_TRUE(m_program.ClickSectionButton(kSummaryTable, CMyToolBar::kCollapseCommand));
    ASSERT_TRUE(m_program.ClickSectionButton(kSummaryGraph, CMyToolBar::kCollapseCommand));
    ASSERT_TRUE(m_program.ShowStudyPage(1));
    ASSERT_TRUE(m_program.ClickSectionButton(kDemandTable, CMyToolBar::kCollapseCommand));
    ASSERT_FALSE(collapsed(kDemandTable));
    m_program.MenuCommand(CMainFrame::ID_FILE_SAVE);
    m_program.MenuCommand(CMainFrame::ID_FILE_CLOSE);

    ASSERT_TRUE(App().OpenDocumentFile(path));
    ASSERT_TRUE(m_program.ShowStudyPage(0));
    EXPECT_FALSE(collapsed(kSummaryTable));
    EXPECT_TRUE(collapsed(kSummaryGraph));
    EXPECT_TRUE(collapsed(kSummaryTable + 2));
    ASSERT_TRUE(m_program.ShowStudyPage(1));
    EXPECT_FALSE(collapsed(kDemandTable));
    EXPECT_FALSE(collapsed(kDemandTable + 1));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(UserWorkKeptTest, TextStillBeingTypedIntoTheProjectManagerIsKeptOnCloseOpenAndExit)
{
    const CString first = MakeProject("first", 1, u"First feeder");
    const CString second = MakeProject("second", 1, u"Second feeder");
    // The user types into the summary's Client field and does not leave it.
    const auto type = [this](const char* text) {
        CProjectManagerSummaryGrid& summary = *Manager()->GetSummaryGrid();
        ASSERT_EQ(summary.StartEditAt(1, 3), 0);
        ASSERT_NE(summary.m_editCtrl, nullptr);
        summary.m_editCtrl->SetWindowText(text);
    };
    const auto client = [this] { return Manager()->GetSettings().m_summary[0].Client; };

    ASSERT_TRUE(m_program.Start(first));
    type("Typed before Close");
    m_program.MenuCommand(CMainFrame::ID_FILE_CLOSE);
    ASSERT_TRUE(App().OpenDocumentFile(first));
    EXPECT_EQ(client(), "Typed before Close");

    type("Typed before opening another");
    ASSERT_TRUE(App().OpenDocumentFile(second));
    ASSERT_TRUE(App().OpenDocumentFile(first));
    EXPECT_EQ(client(), "Typed before opening another");

    type("Typed before Exit");
    m_program.MenuCommand(CMainFrame::ID_APP_EXIT);
    m_program.Exit();
    ASSERT_TRUE(m_program.Start(first));
    EXPECT_EQ(client(), "Typed before Exit");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(m_program.Complaints(), std::vector<std::string>{});

    // The desktop session ends while the question of the session's Remove button waits on the
    // screen: the question ends as No would (the session stays), the program ends, and what was
    // typed is written.
    m_program.Exit();
    m_program.EndOnSignals(true);
    ASSERT_TRUE(m_program.Start(first));
    type("Typed before the end of the session");
    const MessageBoxHandler recorder = SetMessageBoxHandler({});
    InstallWindowMessageBox();
    std::raise(SIGTERM);
    CProjectManagerDataSetGrid& cards = *Manager()->GetDataSetGrid();
    const auto remove = std::find_if(cards.Layout().buttons.begin(), cards.Layout().buttons.end(),
                                     [](const SCardButton& button) { return button.command == kCommandDeleteSession; });
    ASSERT_NE(remove, cards.Layout().buttons.end());
    ASSERT_TRUE(m_program.ClickGridCell(cards, cards.OriginCol(remove->rect), cards.OriginRow(0, remove->rect)));
    CFrameworkApp::RunUntil([this] { return !m_program.MainFrame().GetSafeHwnd(); }, 2000);
    SetMessageBoxHandler(recorder);
    EXPECT_EQ(App().GetDocument(), nullptr);
    EXPECT_EQ(m_program.MainFrame().GetSafeHwnd(), nullptr);
    m_program.Exit();
    EXPECT_NE(ProjectXmlOf(first).find("Client=\"Typed before the end of the session\""), std::string::npos);
    EXPECT_EQ(SessionStreamsOf(first).size(), 1u);
}

TEST_F(UserWorkKeptTest, ATariffTypedInSessionSettingsStaysWithItsSessionWhateverArrivesBehindTheDialog)
{
    // While the first session's Settings are up, the user clicks that session's Remove button and
    // presses Ctrl+W on the main window, and a File > Close arrives: the dialog blocks the input,
    // the close waits for it. The tariff typed meanwhile (a ratio's times as digits, a price
    // confirmed with Enter) lands on that session, and the close then writes it.
    const CString path = m_program.MakeProject("tariff", CAssembledProgram::StandardSessions());
    ASSERT_TRUE(m_program.Start(path));
    m_program.ClickTab(CAssembledProgram::kProjectManagerTab);
    const auto costsOf = [this](int session) { return Manager()->GetSettings().GetDataSetEntry(session)->energyCosts; };
    const CEnergyCosts second = costsOf(1);
    const CEnergyCosts third = costsOf(2);
    const auto clickCardButton = [this](int card, int command) {
        CProjectManagerDataSetGrid& cards = *Manager()->GetDataSetGrid();
        for (const SCardButton& button : cards.Layout().buttons)
            if (button.command == command)
                return m_program.ClickGridCell(cards, cards.OriginCol(button.rect), cards.OriginRow(card, button.rect));
        return false;
    };
    const auto typeKeys = [](CWnd& window, const char* digits) {
        for (const char* digit = digits; *digit; ++digit)
            SimulateKey(window, UINT(*digit));
    };

    m_program.AnswerNextDialog(CEditAuxSettingsDlg::kTemplateId, [&](CDialog& dialog) {
        EXPECT_TRUE(clickCardButton(0, kCommandDeleteSession));
        SimulateScreenKey(m_program.MainFrame(), 'W', MK_CONTROL);
        m_program.MenuCommand(CMainFrame::ID_FILE_CLOSE);
        EXPECT_NE(App().GetDocument(), nullptr);
        EXPECT_EQ(Project().GetMeasurementCount(), 3);

        auto* tabs = dynamic_cast<CTabCtrl*>(CAssembledProgram::FindDescendantWithId(&dialog, CEditAuxSettingsDlg::kTabControl));
        CRect costTab;
        ASSERT_TRUE(tabs && tabs->GetItemRect(1, &costTab));
        CAssembledProgram::ClickAt(*tabs, costTab.CenterPoint());
        CEnergyCostsDlg& page = *dynamic_cast<CEditAuxSettingsDlg&>(dialog).GetCostPage();
        CAssembledProgram::ClickAtCentre(*page.GetDlgItem(int(CEnergyCostsDlg::kAddRatioButton)));
        ASSERT_EQ(page.GetGroupCount(), 1);
        // Each time typed from its first field, where a click at its left end puts the caret.
        for (const auto& [picker, digits] : {std::pair{page.GetGroup(0).rows[0].start.get(), "0800"},
                                             std::pair{page.GetGroup(0).rows[0].end.get(), "1730"}}) {
            CRect field;
            picker->GetClientRect(&field);
            CAssembledProgram::ClickAt(*picker, CPoint(field.left + 4, field.CenterPoint().y));
            typeKeys(*picker, digits);
        }
        CWnd& price = *page.GetDlgItem(int(CEnergyCostsDlg::kBasicFwdEdit));
        ASSERT_TRUE(CAssembledProgram::TypeInto(price, "0.40"));
        SimulateKey(price, VK_RETURN);
        // Cancels a dialog that Enter left open (once its loop runs): nothing typed is kept then.
        dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    m_program.ForgetInterruptions();
    EXPECT_TRUE(clickCardButton(0, kCommandSessionSettings));
    EXPECT_EQ(m_program.Interruptions(), std::vector<std::string>{"dialog " + std::to_string(CEditAuxSettingsDlg::kTemplateId)});
    CFrameworkApp::RunFor(300);
    EXPECT_EQ(App().GetDocument(), nullptr);
    EXPECT_TRUE(Boxes().empty()) << Boxes().front().text;

    ASSERT_TRUE(App().OpenDocumentFile(path));
    ASSERT_EQ(Project().GetMeasurementCount(), 3);
    const CEnergyCosts first = costsOf(0);
    EXPECT_FLOAT_EQ(first.GetCostFwd(), 0.4f);
    ASSERT_EQ(first.GetRatioCount(), 1);
    ASSERT_EQ(first.GetRatio(0).GetIntervalCount(), 1);
    EXPECT_EQ(first.GetRatio(0).GetInterval(0), (SRatioInterval{8 * 60, 17 * 60 + 30}));
    EXPECT_EQ(costsOf(1), second);
    EXPECT_EQ(costsOf(2), third);
    EXPECT_EQ(m_program.Complaints(), std::vector<std::string>{});
}

TEST_F(UserWorkKeptTest, AddedDataShowsItsCardAtOnce)
{
    const CString first = MakeProject("first", 1, u"First feeder");
    const CString second = MakeProject("second", 2, u"Second feeder");
    ASSERT_TRUE(m_program.Start(first));
    m_addDataAnswers.push_back(second);
    // "Add Data" on the summary card's heading, clicked.
    CProjectManagerSummaryGrid& summary = *Manager()->GetSummaryGrid();
    CRect button;
    summary.GetCellRect(7, 0, &button);
    CAssembledProgram::ClickAt(*summary.m_CUGGrid, button.CenterPoint());
    ASSERT_EQ(Project().GetDataSetCount(), 2);
    CProjectManagerDataSetGrid& cards = *Manager()->GetDataSetGrid();
    ASSERT_EQ(cards.GetSectionCount(), 2);
    // Name, Description and Notes of the new card, and its three information texts.
    EXPECT_EQ(SessionCardText(cards, 1, 1), "Second feeder");
    EXPECT_EQ(SessionCardText(cards, 1, 3), "Feeder 2 energy survey");
    EXPECT_EQ(SessionCardText(cards, 1, 5), "");
    for (const char* part : {"Load study", "Start date:", "Original name:"})
        EXPECT_GE((SessionCardText(cards, 1, 1, 3) + SessionCardText(cards, 1, 1, 5) + SessionCardText(cards, 1, 1, 7))
                      .Find(part),
                  0)
            << part;
    // What the window shows: the empty Notes field of the new card is blank, no placeholder text
    // painted while the card was built is left on the screen.
    CRect notes;
    cards.GetCellRect(1, 9 + 2 + 5, &notes);
    int inked = 0;
    for (int y = notes.top + 2; y < notes.top + 20; ++y)
        for (int x = notes.left + 2; x < notes.left + 120; ++x)
            inked += GetShownPixel(*cards.m_CUGGrid, CPoint(x, y)) != RGB(255, 255, 255) ? 1 : 0;
    EXPECT_EQ(inked, 0);
    EXPECT_EQ(Manager()->GetSettings().m_dataSets.size(), 2u);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(m_program.Complaints(), std::vector<std::string>{});
}

TEST_F(UserWorkKeptTest, TheReportOfTheSampleHoldsItsSessionWhateverWasDoneOnTheReportPage)
{
    const CString sample = InHome("sample.zca");
    m_program.AnswerNextFileDialog(sample);
    ASSERT_TRUE(m_program.Start(kSamplePath));
    m_program.MenuCommand(CMainFrame::ID_FILE_CLOSE);
    ASSERT_TRUE(App().OpenDocumentFile(sample));
    m_program.MenuCommand(CMainFrame::ID_FILE_CLOSE);
    ASSERT_TRUE(App().OpenDocumentFile(sample));

    // The bookmark button of the RMS Power graph: the bookmark is named after the section, and
    // the report page shows its tile selected.
    ASSERT_TRUE(m_program.ShowStudyPage(0));
    ASSERT_NE(Graph(0), nullptr);
    Graph(0)->SendMessage(WM_COMMAND, MAKEWPARAM(kBookmarkCommand, BN_CLICKED), 0);
    CFrameworkApp::PumpWaitingMessages();
    ASSERT_EQ(Project().GetProjectSettings()->GetBookmarkCount(), 1);
    EXPECT_EQ(Project().GetProjectSettings()->GetBookmark(0).GetName(), "RMS Power graph");
    EXPECT_EQ(m_program.Tabs().GetActiveTab(), CAssembledProgram::kReportTab);
    // (The list builds its grid anew with every change of the project.)
    CReportListGrid& tiles = *ReportList()->GetGrid();
    const SReportListEntry* tile = tiles.EntryOfTile(tiles.GetSelectedTile());
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->kind, SReportItem::kBookmark);
    EXPECT_EQ(tile->name, "RMS Power graph");

    // The list's first section collapsed, and the bookmark removed from the project.
    ReportList()->SendMessage(WM_PM_CARD_STATE, reinterpret_cast<WPARAM>(&tiles), kReportSectionCollapsed);
    ReportList()->SendMessage(WM_REPORT_LIST_COMMAND, CReportListGrid::kRemoveFromProject, tiles.GetSelectedTile());
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(Project().GetProjectSettings()->GetBookmarkCount(), 0);

    // Exported as PDF: no program opens it here, so the user is told where it is.
    const CString pdf = InHome("sample report.pdf");
    m_program.AnswerNextFileDialog(pdf);
    EXPECT_EQ(RunExportReport(*App().GetReportDriver(), Project(), &m_program.MainFrame(), 1,
                              [](const CString&) { return false; }),
              EExportReportResult::kNotOpened);
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().back().text, "No program could be started to show the report. The report is " + pdf + ".");
    ASSERT_TRUE(std::filesystem::exists(pdf.str()));
    if (HasTool("pdftotext")) {
        EXPECT_NE(PdfText(pdf.str()).find(kSampleSession), std::string::npos);
    }

    // The user empties the report: it says so and writes nothing.
    ReportList()->SendMessage(WM_REPORT_LIST_COMMAND, CReportListGrid::kAddToReport,
                              ReportList()->GetGrid()->TileKeyOfEntry(1)); // the session
    CFrameworkApp::PumpWaitingMessages();
    ReportList()->SendMessage(WM_REPORT_LIST_COMMAND, CReportListGrid::kRemoveFromReport,
                              ReportList()->GetGrid()->TileKeyOfEntry(1));
    CFrameworkApp::PumpWaitingMessages();
    const CString empty = InHome("empty.pdf");
    m_program.AnswerNextFileDialog(empty);
    const std::size_t boxes = Boxes().size();
    EXPECT_EQ(RunExportReport(*App().GetReportDriver(), Project(), &m_program.MainFrame(), 1),
              EExportReportResult::kEmpty);
    ASSERT_EQ(Boxes().size(), boxes + 1);
    EXPECT_EQ(Boxes().back().text,
              "The report holds nothing. Add sessions, saved screens or bookmarks to it on the Report page.");
    EXPECT_FALSE(std::filesystem::exists(empty.str()));
}

TEST_F(UserWorkKeptTest, ASectionOfTheReportListOpenedAgainShowsItsTilesAtOnce)
{
    ASSERT_TRUE(m_program.Start(m_program.MakeProject("report list", CAssembledProgram::StandardSessions())));
    ASSERT_TRUE(m_program.ShowStudyPage(0));
    ASSERT_TRUE(m_program.ClickSectionButton(6, kBookmarkCommand));
    m_program.ClickTab(CAssembledProgram::kReportTab);
    CReportListGrid* tiles = ReportList()->GetGrid();
    ASSERT_NE(tiles, nullptr);
    ASSERT_EQ(tiles->GetSectionCount(), 2);
    const CRect picture = tiles->GetTileRect(tiles->TileKeyOfEntry(1)); // the first session
    const CPoint inPicture(picture.CenterPoint().x, picture.top + 20);
    const COLORREF shown = GetShownPixel(*tiles->m_CUGGrid, inPicture);
    for (int section : {0, 1}) {
        SCOPED_TRACE(section);
        // The title's button, clicked to collapse the section and again to open it.
        for (bool collapsed : {true, false}) {
            ASSERT_TRUE(CAssembledProgram::ClickGridCell(*tiles, 0, tiles->FirstRowOfSection(section), 10));
            ASSERT_EQ(tiles->IsSectionCollapsed(section), collapsed);
        }
        // Drawn at once, without another tab chosen first.
        EXPECT_EQ(GetShownPixel(*tiles->m_CUGGrid, inPicture), shown);
    }
    EXPECT_EQ(ReportList()->GetGrid(), tiles);

    // The bookmark's name is wider than its tile: it shows from its start, ends inside the tile,
    // and the tile's tip gives it whole.
    const int bookmarkTile = tiles->TileKeyOfEntry(int(tiles->GetEntries().size()) - 1);
    ASSERT_EQ(tiles->EntryOfTile(bookmarkTile)->name, "RMS Power graph");
    CRect name;
    tiles->GetCellRect(bookmarkTile % 1024, bookmarkTile / 1024 + 1, &name);
    auto inkIn = [&](int x0, int x1) {
        for (int x = x0; x < x1; ++x)
            for (int y = name.top + 2; y < name.bottom - 2; ++y)
                if (GetShownPixel(*tiles->m_CUGGrid, CPoint(x, y)) != GetShownPixel(*tiles->m_CUGGrid, CPoint(name.left + 1, name.top + 1)))
                    return true;
        return false;
    };
    EXPECT_FALSE(inkIn(name.left + 1, name.left + 3)) << "cut at its start";
    EXPECT_FALSE(inkIn(name.right - 3, name.right - 1)) << "cut at its end";
    EXPECT_TRUE(inkIn(name.left + 3, name.right - 3));
    // The mouse comes onto the name and rests there.
    SimulateHoverTip(*tiles->m_CUGGrid, name.CenterPoint());
    EXPECT_EQ(SimulateHoverTip(*tiles->m_CUGGrid, name.CenterPoint() + CPoint(1, 0)), "RMS Power graph");
}

TEST_F(UserWorkKeptTest, AFullOrReadOnlyDiskAndAProjectOpenElsewhereAreToldAsSuch)
{
    const std::string disk = SmallDiskFolder();
    if (disk.empty()) {
        // A project held by another instance of the program.
        const CString held = MakeProject("held", 1, u"Feeder");
        ASSERT_TRUE(m_program.Start(MakeProject("other", 1, u"Other feeder")));
        {
            CZcaArchive elsewhere;
            ASSERT_TRUE(elsewhere.Open(held));
            EXPECT_FALSE(App().OpenDocumentFile(held));
        }
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].text, held + " is open in another instance of the program. Close it there to open it here.");
        if (!RunCurrentTestOnSmallDisk(1024))
            GTEST_SKIP() << "no small file system can be mounted here";
        return;
    }
    // Names as long as the file system takes: every file the program names after them must fit.
    const std::string stem = LongStem("project ");
    const std::string name = stem + ".zca";
    const CString project(disk + "/" + name);
    std::filesystem::copy_file(MakeProject("project", 1, u"Feeder").str(), project.str());
    const CString added = MakeProject("added", 1, u"Added feeder");
    // Whatever fails, the sessions stored come back bit for bit.
    const std::map<std::string, std::string> sessions = SessionStreamsOf(project);
    ASSERT_EQ(sessions.size(), 1u);
    m_program.EndOnSignals(true);
    ASSERT_TRUE(m_program.Start(project));
    // Less room than any file the program writes needs: the writes stop short.
    FillDisk(disk, 8192);
    const std::string failed = "Saving of " + name + " failed: the disk is full.";
    const std::string wayOut = " Your work is still open: save again once the cause is removed, or save the project under "
                               "another name or on another disk with File > Save As.";
    const std::string closeQuestion = "\n\nDo you want to save the project under another name or on another disk (Save "
                                      "As)? No closes it without the changes made since it was last saved.";

    // A bookmark whose picture cannot be stored.
    ASSERT_TRUE(m_program.ShowStudyPage(0));
    ASSERT_NE(Graph(0), nullptr);
    Graph(0)->SendMessage(WM_COMMAND, MAKEWPARAM(kBookmarkCommand, BN_CLICKED), 0);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(Project().GetProjectSettings()->GetBookmarkCount(), 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, failed);

    // Save, with a description longer than the room left.
    Manager()->GetSettings().m_summary[0].Description = CString(std::string(20000, 'd'));
    Manager()->StoreSettingsInProject();
    m_program.MenuCommand(CMainFrame::ID_FILE_SAVE);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].text, failed + wayOut);

    // The report as RTF on the same disk.
    m_program.AnswerNextFileDialog(CString(disk + "/report.rtf"));
    EXPECT_EQ(RunExportReport(*App().GetReportDriver(), Project(), &m_program.MainFrame(), 2),
              EExportReportResult::kExportFailed);
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(Boxes()[2].text, "The file \"" + disk + "/report.rtf\" cannot be written: the disk is full.");
    // The CSV of the session, told in the same words.
    m_program.AnswerNextDialog(1502, [](CDialog& dialog) { CAssembledProgram::ClickAtCentre(*dialog.GetDlgItem(IDOK)); });
    m_addDataAnswers.push_back(CString(disk + "/session.txt"));
    Manager()->SendMessage(WM_PM_COMMAND, kCommandExportSession, 0);
    ASSERT_EQ(Boxes().size(), 4u);
    EXPECT_NE(Boxes()[3].text.Find(": the disk is full."), -1) << Boxes()[3].text.str();
    // A picture and a session added: neither is taken, and the box says why as Save does.
    const CString picture = InHome("site-photo.png");
    ASSERT_TRUE(SaveWindowPicture(m_program.MainFrame(), picture));
    m_addDataAnswers.push_back(picture);
    Manager()->SendMessage(WM_PM_COMMAND, kCommandAddSavedScreens, 0);
    ASSERT_EQ(Boxes().size(), 5u);
    EXPECT_EQ(Boxes()[4].text, failed);
    EXPECT_EQ(Project().GetProjectSettings()->GetImageCount(), 0);
    m_addDataAnswers.push_back(added);
    Manager()->SendMessage(WM_PM_COMMAND, kCommandAddSession, 0);
    ASSERT_EQ(Boxes().size(), 6u);
    EXPECT_EQ(Boxes()[5].text, failed);
    EXPECT_EQ(Project().GetMeasurementCount(), 1);

    // Close, with the client just typed into its card and the focus still there: told why, and
    // asked; kept open (the box's other answer), with what was typed.
    TypeClient("Typed before Close");
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    ASSERT_EQ(Boxes().size(), 7u);
    EXPECT_EQ(Boxes()[6].text, failed + closeQuestion);
    EXPECT_EQ(Boxes()[6].type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    ASSERT_NE(App().GetDocument(), nullptr);
    ASSERT_NE(Manager(), nullptr);
    EXPECT_EQ(Manager()->GetSettings().m_summary[0].Client, "Typed before Close");

    // Some room again (less than the project): Save writes it, Close asks nothing.
    const std::string filler = disk + "/filler";
    ASSERT_EQ(::truncate(filler.c_str(), off_t(std::filesystem::file_size(filler) - 304 * 1024)), 0);
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_SAVE));
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    EXPECT_EQ(App().GetDocument(), nullptr);
    EXPECT_EQ(Boxes().size(), 7u) << Boxes().back().text;
    std::string written = ProjectXmlOf(project);
    EXPECT_NE(written.find("Client=\"Typed before Close\""), std::string::npos);
    EXPECT_NE(written.find(std::string(20000, 'd')), std::string::npos);
    EXPECT_EQ(SessionStreamsOf(project), sessions);

    // Full again, and more to write than the room the file holds inside. Closed without the
    // changes: the file stays as it was saved.
    FillDisk(disk, 8192);
    const auto changeBeyondRoom = [this](const char* client) {
        m_program.ClickTab(CAssembledProgram::kProjectManagerTab);
        Manager()->GetSettings().m_summary[0].Description = CString(std::string(60000, 'e'));
        Manager()->StoreSettingsInProject();
        TypeClient(client);
    };
    ASSERT_TRUE(App().OpenDocumentFile(project));
    changeBeyondRoom("Typed and dropped");
    m_program.AnswerNextMessageBox(IDNO);
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    ASSERT_EQ(Boxes().size(), 8u);
    EXPECT_EQ(App().GetDocument(), nullptr);
    EXPECT_EQ(ProjectXmlOf(project), written);

    // Saved under a new name on another disk from the question: closed, the copy holds it all.
    ASSERT_TRUE(App().OpenDocumentFile(project));
    changeBeyondRoom("Typed and saved elsewhere");
    m_program.AnswerNextMessageBox(IDYES);
    const CString copy = InHome(LongStem("copy") + ".zca");
    m_program.AnswerNextFileDialog(copy);
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    ASSERT_EQ(Boxes().size(), 9u);
    EXPECT_EQ(Boxes()[8].text, failed + closeQuestion);
    EXPECT_EQ(App().GetDocument(), nullptr);
    EXPECT_NE(ProjectXmlOf(copy).find("Client=\"Typed and saved elsewhere\""), std::string::npos);
    EXPECT_EQ(SessionStreamsOf(copy), sessions);
    EXPECT_EQ(App().GetRecentFileList().GetFiles().front(), copy);
    EXPECT_EQ(ProjectXmlOf(project), written);

    // Exit asks as Close does; Cancel keeps the program and the project.
    ASSERT_TRUE(App().OpenDocumentFile(project));
    changeBeyondRoom("Typed before the end");
    m_program.AnswerNextMessageBox(IDCANCEL);
    m_program.MenuCommand(CMainFrame::ID_APP_EXIT);
    ASSERT_EQ(Boxes().size(), 10u);
    ASSERT_NE(App().GetDocument(), nullptr);
    ASSERT_NE(m_program.MainFrame().GetSafeHwnd(), nullptr);

    // The desktop session ends: nobody is asked, the program ends, and what the project file
    // cannot take is in a copy in the data folder (there is no room beside the project).
    std::raise(SIGTERM);
    m_program.MainFrame().SendMessage(WM_TIMER, CMainFrame::kHeartbeatTimer, 0);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(Boxes().size(), 10u) << Boxes().back().text;
    EXPECT_EQ(App().GetDocument(), nullptr);
    EXPECT_EQ(m_program.MainFrame().GetSafeHwnd(), nullptr);
    const CString rescued = App().GetRecentFileList().GetFiles().front();
    EXPECT_EQ(rescued.Left(GetAppDataFolder().GetLength()), GetAppDataFolder());
    const std::string rescuedName = std::filesystem::path(rescued.str()).filename().string();
    const std::size_t kept = rescuedName.find(" (unsaved changes ");
    EXPECT_TRUE(kept != std::string::npos && stem.compare(0, kept, rescuedName, 0, kept) == 0 && kept % 2 == 0) << rescued.str();
    EXPECT_NE(ProjectXmlOf(rescued).find("Client=\"Typed before the end\""), std::string::npos);
    EXPECT_EQ(SessionStreamsOf(rescued), sessions);
    EXPECT_EQ(ProjectXmlOf(project), written);
    EXPECT_EQ(SessionStreamsOf(project), sessions);
    m_program.Exit();

    // A new project made from a session on the full disk: told why as Save tells it, and no
    // part of it is left.
    ASSERT_TRUE(m_program.Start(rescued));
    m_program.AnswerNextFileDialog(CString(disk + "/new.zca"));
    EXPECT_FALSE(App().OpenDocumentFile(CString(InHome("added.zlg"))));
    ASSERT_EQ(Boxes().size(), 11u);
    EXPECT_EQ(Boxes()[10].text, "Saving of new.zca failed: the disk is full.");
    EXPECT_EQ(FilesIn(disk), (std::vector<std::string>{"filler", name}));

    // A project on a disk that cannot be written.
    ASSERT_TRUE(MakeSmallDiskReadOnly());
    EXPECT_FALSE(App().OpenDocumentFile(project));
    ASSERT_EQ(Boxes().size(), 12u);
    EXPECT_EQ(Boxes()[11].text, project + " is read-only. A project is written while it is worked on: remove its write "
                                          "protection, or copy it to a folder that can be written and open the copy.");
}

TEST_F(UserWorkKeptTest, AProjectFileMovedDeletedOrReplacedWhileOpenIsToldAndTheWorkGoesWhereTheUserSays)
{
    const CString path = MakeProject("moving", 1, u"Feeder");
    const CString other = MakeProject("other", 2, u"Other feeder");
    const std::map<std::string, std::string> sessions = SessionStreamsOf(path);
    const std::string gone = "Saving of moving.zca failed: the file " + path.str() +
                             " was moved, deleted or replaced by another file while the project was open.";
    const std::string offer = " Do you want to save the project under a name you choose (Save As)? Your work stays open "
                              "until it is saved.";
    const std::string closeQuestion = "\n\nDo you want to save the project under another name or on another disk (Save "
                                      "As)? No closes it without the changes made since it was last saved.";
    const auto holds = [this, &sessions](const CString& file, const char* client) {
        return ProjectXmlOf(file).find("Client=\"" + std::string(client) + "\"") != std::string::npos &&
               SessionStreamsOf(file) == sessions;
    };

    // Deleted: Save tells it and offers Save As (declined), writing nothing; Close asks, and
    // Save As from the question puts the work back under the name.
    m_program.EndOnSignals(true);
    ASSERT_TRUE(m_program.Start(path));
    TypeClient("Typed before the file was deleted");
    ASSERT_TRUE(std::filesystem::remove(path.str()));
    m_program.AnswerNextMessageBox(IDNO);
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_SAVE));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, gone + offer);
    EXPECT_EQ(Boxes()[0].type, MB_YESNO | MB_ICONEXCLAMATION);
    EXPECT_FALSE(std::filesystem::exists(path.str()));
    m_program.AnswerNextMessageBox(IDYES);
    m_program.AnswerNextFileDialog(path);
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].text, gone + closeQuestion);
    EXPECT_TRUE(holds(path, "Typed before the file was deleted"));

    // Replaced by another project: Save As from Save's offer, onto the name the other project
    // took (its replacement asked for), and the project goes on there.
    ASSERT_TRUE(App().OpenDocumentFile(path));
    TypeClient("Typed before another file took the name");
    std::filesystem::rename(other.str(), path.str());
    m_program.AnswerNextMessageBox(IDYES);
    m_program.AnswerNextFileDialog(path);
    m_program.AnswerNextMessageBox(IDYES);
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_SAVE));
    ASSERT_EQ(Boxes().size(), 4u);
    EXPECT_EQ(Boxes()[2].text, gone + offer);
    EXPECT_EQ(Boxes()[3].text, path + " already exists.\nDo you want to replace it?");
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    EXPECT_EQ(Boxes().size(), 4u);
    EXPECT_TRUE(holds(path, "Typed before another file took the name"));

    // Moved, and the desktop session ends: the work is in a copy beside where the project was,
    // the moved file as it was.
    const std::string written = ProjectXmlOf(path);
    ASSERT_TRUE(App().OpenDocumentFile(path));
    TypeClient("Typed before the end");
    const CString moved = InHome("moved away.zca");
    std::filesystem::rename(path.str(), moved.str());
    std::raise(SIGTERM);
    m_program.MainFrame().SendMessage(WM_TIMER, CMainFrame::kHeartbeatTimer, 0);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(Boxes().size(), 4u);
    EXPECT_EQ(m_program.MainFrame().GetSafeHwnd(), nullptr);
    const CString rescued = App().GetRecentFileList().GetFiles().front();
    EXPECT_EQ(rescued.Find(InHome("moving (unsaved changes ")), 0) << rescued.str();
    EXPECT_TRUE(holds(rescued, "Typed before the end"));
    EXPECT_EQ(ProjectXmlOf(moved), written);
    m_program.Exit();
    for (const std::string& file : FilesIn(m_program.InHome("")))
        EXPECT_EQ(file.find(".part"), std::string::npos) << file;
}

TEST_F(UserWorkKeptTest, AnAddDataCutShortGivesItsSpaceBackAtTheNextSave)
{
    const CString path = MakeProject("project", 1, u"Feeder");
    const std::map<std::string, std::string> sessions = SessionStreamsOf(path);
    const auto held = std::filesystem::file_size(path.str());
    // Killed after the session's copy, before the project named it (the loading of a large
    // session takes the longest): the file holds a stream the project does not know.
    SSessionSpec large = Session(2, u"A long recording");
    large.trendRecords = 30000;
    const CString added = m_program.MakeProject("added", {large});
    {
        CZcaArchive project;
        CZcaArchive source;
        ASSERT_TRUE(project.Open(path));
        ASSERT_TRUE(source.Open(added));
        ASSERT_TRUE(project.CopyStreamFrom("added.zlg", source, "added.zlg"));
    }
    ASSERT_GT(std::filesystem::file_size(path.str()), held + 1000000);

    ASSERT_TRUE(m_program.Start(path));
    TypeClient("Typed after the cut");
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_SAVE));
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_LT(std::filesystem::file_size(path.str()), held + 16 * 1024);
    EXPECT_NE(ProjectXmlOf(path).find("Client=\"Typed after the cut\""), std::string::npos);
    EXPECT_EQ(SessionStreamsOf(path), sessions);
}

TEST_F(UserWorkKeptTest, AnAxisRangeAnotherToolDamagedLeavesTheAxisOnTheData)
{
    const CString path = MakeProject("damaged", 1, u"Feeder");
    ASSERT_TRUE(m_program.Start(path));
    ASSERT_TRUE(m_program.ShowStudyPage(0));
    CFrameworkApp::RunFor(700);
    m_program.Exit();
    // Another tool writes the time axis's start and the power axis's span as no numbers.
    {
        CZcaArchive archive;
        CProjectSettings project;
        ASSERT_TRUE(archive.Open(path));
        ASSERT_EQ(archive.ReadProjectXml(project), EProjectLoadResult::kComplete);
        const auto* stored = dynamic_cast<const CBasicViewSettings*>(project.GetStudyViewSettings(0));
        ASSERT_NE(stored, nullptr);
        CBasicViewSettings damaged(*stored);
        ASSERT_GT(damaged.m_upperPlot.yAxisCount, 0);
        damaged.m_upperPlot.xAxes[0].min = std::numeric_limits<double>::quiet_NaN();
        damaged.m_upperPlot.yAxes[0] = {-10.0, std::numeric_limits<double>::infinity(), true};
        project.SetStudyViewSettings(0, &damaged);
        ASSERT_TRUE(archive.WriteProjectXml(project));
    }
    ASSERT_TRUE(m_program.Start(path));
    ASSERT_TRUE(m_program.ShowStudyPage(0));
    CFrameworkApp::RunFor(700);
    const CiPlotX& chart = *Graph(0)->GetPlotControl();
    const CTrendTimeBlock& records = *Project().GetDataSet(0)->GetTrendTimeBlock();
    EXPECT_NEAR(chart.GetXAxis(0)->GetMin(), records.GetFirstTime().GetAsDate(), 1e-6);
    EXPECT_NE(chart.GetYAxis(0)->GetMin(), -10.0);
    EXPECT_FALSE(chart.GetYAxis(0)->IsManual());
}

// A time range another tool stored the wrong way round is read in order: the page shows it
// with its table, and the project keeps it in order.
TEST_F(UserWorkKeptTest, ATimeRangeStoredTheWrongWayRoundComesBackInOrder)
{
    const CString path = MakeProject("reversed", 1, u"Feeder");
    ASSERT_TRUE(m_program.Start(path));
    ASSERT_TRUE(m_program.ShowStudyPage(0));
    CFrameworkApp::RunFor(700);
    m_program.Exit();
    SValueRange reversed;
    {
        CZcaArchive archive;
        CProjectSettings project;
        ASSERT_TRUE(archive.Open(path));
        ASSERT_EQ(archive.ReadProjectXml(project), EProjectLoadResult::kComplete);
        const auto* stored = dynamic_cast<const CBasicViewSettings*>(project.GetStudyViewSettings(0));
        ASSERT_NE(stored, nullptr);
        CBasicViewSettings damaged(*stored);
        reversed = {damaged.m_xAxisScaling.from + 0.75, damaged.m_xAxisScaling.from + 0.25};
        damaged.m_timeRange = reversed;
        damaged.m_checkTimeRange = true;
        project.SetStudyViewSettings(0, &damaged);
        ASSERT_TRUE(archive.WriteProjectXml(project));
    }
    ASSERT_TRUE(m_program.Start(path));
    ASSERT_TRUE(m_program.ShowStudyPage(0));
    CFrameworkApp::RunFor(700);
    CBasicGraphView& graph = *Graph(0);
    EXPECT_TRUE(graph.GetTimeRangeMarkers().IsShown());
    EXPECT_DOUBLE_EQ(graph.GetTimeRangeMarkers().GetBegin(), reversed.to);
    EXPECT_DOUBLE_EQ(graph.GetTimeRangeMarkers().GetEnd(), reversed.from);
    auto* table = m_program.Section<CBasicTableView>(7);
    ASSERT_NE(table, nullptr);
    ASSERT_FALSE(table->GetSelectedRanges().empty());
    const SRecordRange& records = table->GetSelectedRanges()[0].records;
    EXPECT_GE(records.GetCount(), 60); // about half a day of 10-minute records
    m_program.Exit();
    CZcaArchive archive;
    CProjectSettings project;
    ASSERT_TRUE(archive.Open(path));
    ASSERT_EQ(archive.ReadProjectXml(project), EProjectLoadResult::kComplete);
    const auto* kept = dynamic_cast<const CBasicViewSettings*>(project.GetStudyViewSettings(0));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->m_timeRange, (SValueRange{reversed.to, reversed.from}));
}

TEST_F(UserWorkKeptTest, AProjectTooLargeForTheMemoryLeftIsRefusedBeforeItIsLoaded)
{
    // Larger than the block a load reads into, which the load holds before it asks for more.
    SSessionSpec large = Session(1, u"Feeder");
    large.trendRecords = 30000;
    const CString project = m_program.MakeProject("project", {large});
    const CString session = InHome("project.zlg");
    ASSERT_TRUE(m_program.Start(MakeProject("small", 1, u"Other feeder")));
    const auto sessionBytes = std::filesystem::file_size(session.str());
    struct SPinnedMemory
    {
        explicit SPinnedMemory(std::uint64_t bytes) { SetAvailableMemoryForTesting(bytes); }
        ~SPinnedMemory() { ResetAvailableMemoryForTesting(); }
    };
    {
        // A byte less than loading and viewing it takes (twice its bytes), counting as room what
        // the process holds for loads: blocks given back and the block a load reads into.
        const std::uint64_t held = GetKeptLargeBlockBytes() + CStreamBlockReader::kBlockSize;
        ASSERT_LT(held, 2 * sessionBytes);
        const SPinnedMemory memory(2 * sessionBytes - held - 1);
        EXPECT_FALSE(App().OpenDocumentFile(project));
        EXPECT_EQ(App().GetDocument(), nullptr);
        // The session file alone is refused as well, before the user is asked where its project
        // goes.
        EXPECT_FALSE(App().OpenDocumentFile(session));
    }
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text, project + " cannot be opened: the session \"project.zlg\" cannot be loaded: there is "
                                         "too little free memory to load it.");
    EXPECT_EQ(Boxes()[1].text, session + " cannot be opened: there is too little free memory to load it.");
    // With the memory it needs, the project opens.
    EXPECT_TRUE(App().OpenDocumentFile(project));
}

TEST_F(UserWorkKeptTest, AStoredWindowSizeIsFittedToTheScreenItOpensOn)
{
    // Kept from a larger screen, or from one of smaller pixels: 1600 x 1000.
    const CString project = MakeProject("project", 1, u"Feeder");
    ASSERT_TRUE(m_program.Start(project));
    m_program.MainFrame().MoveWindow(100, 100, 1600, 1000);
    m_program.MainFrame().SendMessage(WM_CLOSE);
    m_program.Exit();
    SStartOptions options;
    options.windowServices = false;
    options.logging = false;
    options.endOnSignals = false;
    ASSERT_TRUE(App().InitInstance({project}, options));
    CRect window;
    App().GetMainFrame()->GetWindowRect(&window);
    MONITORINFO screen;
    ASSERT_TRUE(GetMonitorInfo(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &screen));
    // The window with the frame around it lies on the screen's work area.
    const CRect work(screen.rcWork);
    const CRect frame = App().GetMainFrame()->GetFrameMargins();
    EXPECT_EQ(window.Width(), std::min(1600, work.Width() - frame.left - frame.right));
    EXPECT_EQ(window.Height(), std::min(1000, work.Height() - frame.top - frame.bottom));
    EXPECT_GE(window.left - frame.left, work.left);
    EXPECT_GE(window.top - frame.top, work.top);
    EXPECT_LE(window.right + frame.right, work.right);
    EXPECT_LE(window.bottom + frame.bottom, work.bottom);

    // Kept in the screen's device pixels: a window stored at one ratio comes back as large on the
    // screen at another (800 x 600 device pixels are 400 x 300 at a ratio of 2).
    const double ratio = GetMonitorPixelRatio(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST));
    const auto logical = [ratio](int devicePixels) { return int(std::lround(devicePixels / ratio)); };
    App().GetMainFrame()->MoveWindow(logical(40), logical(60), logical(800), logical(600));
    App().GetMainFrame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(App().GetProfile().GetProfileString("AppWindowPlacement", "Rect"), "40,60,840,660");
    App().ExitInstance();
    ASSERT_TRUE(App().InitInstance({project}, options));
    App().GetMainFrame()->GetWindowRect(&window);
    EXPECT_EQ(window, CRect(logical(40), logical(60), logical(840), logical(660)));
    App().ExitInstance();
}

// On a small screen or one of large pixels: the main window where the program places it and
// every dialog with its frame on the screen's work area; Tab brings each control of a dialog into
// sight, its buttons too.
TEST_F(UserWorkKeptTest, TheMainWindowAndEveryDialogFitTheScreenWithTheirButtonsInReach)
{
    const auto onWorkArea = [](CWnd& window) {
        CRect rect;
        window.GetWindowRect(&rect);
        const CRect frame = window.GetFrameMargins();
        rect.InflateRect(frame.left, frame.top, frame.right, frame.bottom);
        MONITORINFO screen;
        CRect inside;
        return GetMonitorInfo(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &screen) &&
               inside.IntersectRect(&rect, &screen.rcWork) && inside == rect;
    };
    const auto answer = [&](UINT templateId) {
        m_program.AnswerNextDialog(templateId, [&, templateId](CDialog& dialog) {
            EXPECT_TRUE(onWorkArea(dialog)) << "dialog " << templateId;
            CRect client;
            dialog.GetClientRect(&client);
            std::set<CWnd*> reached;
            for (CWnd* focus = CWnd::GetFocus(); focus && reached.insert(focus).second; focus = CWnd::GetFocus()) {
                CRect rect;
                focus->GetWindowRect(&rect);
                if (rect.Width() <= client.Width() && rect.Height() <= client.Height()) {
                    EXPECT_EQ(CAssembledProgram::ShownPart(*focus), rect)
                        << "dialog " << templateId << ": " << CAssembledProgram::Describe(*focus);
                }
                SimulateScreenKey(dialog, VK_TAB);
            }
            EXPECT_TRUE(reached.count(dialog.GetDlgItem(IDCANCEL))) << "dialog " << templateId << ": Tab never reaches Cancel";
            dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
    };
    ASSERT_TRUE(m_program.StartAsPlaced(m_program.MakeProject("screen", CAssembledProgram::StandardSessions())));
    EXPECT_TRUE(onWorkArea(m_program.MainFrame()));
    m_program.ClickTab(CAssembledProgram::kProjectManagerTab);
    CProjectManagerDataSetGrid& cards = *Manager()->GetDataSetGrid();
    for (const auto& [command, templateId] : {std::pair<int, UINT>{kCommandSessionSettings, CEditAuxSettingsDlg::kTemplateId},
                                              std::pair<int, UINT>{kCommandExportSession, CExportCsvDlg::IDD}}) {
        answer(templateId);
        m_program.ForgetInterruptions();
        for (const SCardButton& button : cards.Layout().buttons)
            if (button.command == command) {
                EXPECT_TRUE(m_program.ClickGridCell(cards, cards.OriginCol(button.rect), cards.OriginRow(0, button.rect)));
            }
        EXPECT_EQ(m_program.Interruptions(), std::vector<std::string>{"dialog " + std::to_string(templateId)});
    }
    // The scale dialogs of the graph's axes, each opened with a double click on its axis.
    ASSERT_TRUE(m_program.ShowStudyPage(0));
    CiPlotX& chart = *Graph(0)->GetPlotControl();
    for (const auto& [bands, templateId] : {std::pair{chart.GetLayout().xAxisBands, CManualScaleXAxisDlg::kTemplateId},
                                            std::pair{chart.GetLayout().yAxisBands, CManualScaleDlg::kTemplateId}}) {
        answer(templateId);
        m_program.ForgetInterruptions();
        ASSERT_FALSE(bands.empty());
        SimulateMouse(chart, WM_LBUTTONDBLCLK, bands.front().CenterPoint());
        CFrameworkApp::PumpWaitingMessages();
        EXPECT_EQ(m_program.Interruptions(), std::vector<std::string>{"dialog " + std::to_string(templateId)});
    }
}

// Project files another tool wrote (libgsf's gsf) from the streams of a project of two sessions,
// with "project.xml" as given; the path, empty when the tool is missing.
std::string WriteWithAnotherTool(const std::filesystem::path& folder, const CString& project, const std::string& name,
                                 const std::string& projectXml)
{
    const std::filesystem::path streams = folder / (name + "-streams");
    std::filesystem::create_directories(streams);
    CZcaArchive archive;
    if (!HasTool("gsf") || !archive.Open(project))
        return {};
    std::string arguments = " project.xml";
    for (int i = 0; i < archive.GetElementCount(); ++i) {
        const CString stream = archive.GetElement(i).name;
        if (stream == "project.xml")
            continue;
        if (!archive.ExportStream(stream, CString((streams / stream.str()).string())))
            return {};
        arguments += " '" + stream.str() + "'";
    }
    std::ofstream(streams / "project.xml", std::ios::binary) << projectXml;
    const std::string path = (folder / (name + ".zca")).string();
    return RunTool("cd '" + streams.string() + "' && gsf createole '" + path + "'" + arguments) ? path : std::string();
}

TEST_F(UserWorkKeptTest, FilesOtherToolsWroteAreRefusedUnchangedWithTheTrueReason)
{
    const CString source = m_program.MakeProject("source", {Session(1, u"Feeder north"), Session(1, u"Feeder south")});
    const std::string xml = ProjectXmlOf(source);
    ASSERT_FALSE(xml.empty());
    const std::filesystem::path folder = m_program.InHome("other-tool");

    // A project description that cannot be read: the file is refused and stays byte for byte.
    const std::string unreadable = WriteWithAnotherTool(folder, source, "unreadable", "<project not closed");
    if (unreadable.empty())
        GTEST_SKIP() << "gsf is not installed (scripts/install-deps.sh)";
    const std::vector<unsigned char> before = ReadFileBytes(unreadable);
    EXPECT_FALSE(m_program.Start(CString(unreadable)));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "The project description in " + CString(unreadable) +
                                   " is missing or cannot be read. The project is not opened and the file is left unchanged.");
    m_program.Exit();
    EXPECT_TRUE(ReadFileBytes(unreadable) == before) << "the refused file was written";

    // Two sessions naming one stream: told so, and the file stays as it was.
    const std::string open = "<streamName>";
    const std::size_t first = xml.find(open) + open.size();
    const std::size_t second = xml.find(open, first) + open.size();
    ASSERT_GT(second, first);
    const std::string firstStream = xml.substr(first, xml.find('<', first) - first);
    std::string shared = xml;
    shared.replace(second, shared.find('<', second) - second, firstStream);
    const std::string sharing = WriteWithAnotherTool(folder, source, "sharing", shared);
    ASSERT_FALSE(sharing.empty());
    const std::vector<unsigned char> sharingBefore = ReadFileBytes(sharing);
    ASSERT_TRUE(m_program.Start(source));
    EXPECT_FALSE(App().OpenDocumentFile(CString(sharing)));
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].text, CString(sharing) + " cannot be opened: the session \"source-2.zlg\" cannot be loaded: the "
                                                  "session \"source.zlg\" is kept in the same stream \"" +
                                   CString(firstStream) + "\".");
    EXPECT_TRUE(ReadFileBytes(sharing) == sharingBefore);

    // An entry this version cannot read (a session without a file name): the project opens
    // without it, told so, and its file is kept as it is; work typed into it is not dropped
    // without asking, and saved under a new name it is kept.
    const std::string fileName = "<fileName>";
    const std::size_t secondName = xml.find(fileName, xml.find(fileName) + 1) + fileName.size();
    std::string nameless = xml;
    nameless.erase(secondName, nameless.find('<', secondName) - secondName);
    const std::string partly = WriteWithAnotherTool(folder, source, "partly", nameless);
    ASSERT_FALSE(partly.empty());
    const std::vector<unsigned char> partlyBefore = ReadFileBytes(partly);
    const CString told = "Part of " + CString(partly) +
                         " cannot be read by this version of the program: 1 session. The project opens without it, and "
                         "its file is kept as it is: to keep changes you make, save the project under a new name with "
                         "File > Save As.";
    const auto openPartly = [&] {
        const std::size_t boxes = Boxes().size();
        ASSERT_TRUE(App().OpenDocumentFile(CString(partly)));
        ASSERT_EQ(Boxes().size(), boxes + 1);
        EXPECT_EQ(Boxes().back().text, told);
        EXPECT_EQ(Project().GetMeasurementCount(), 1);
        m_program.ClickTab(CAssembledProgram::kProjectManagerTab);
    };
    // Looked at only: closed without a question.
    openPartly();
    ASSERT_TRUE(m_program.ShowStudyPage(0));
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    EXPECT_EQ(App().GetDocument(), nullptr);
    ASSERT_EQ(Boxes().size(), 3u);
    // Typed into: Save tells the way out, Close asks (kept open, then closed without it).
    openPartly();
    TypeClient("Typed into a project read in part");
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_SAVE));
    ASSERT_EQ(Boxes().size(), 5u);
    const CString keptAsItIs = "partly.zca is kept as it is, since part of it cannot be read (1 session).";
    EXPECT_EQ(Boxes()[4].text, keptAsItIs + " To keep your changes, save the project under a new name with File > Save As.");
    const CString question = keptAsItIs + "\n\nDo you want to save your changes under a new name (Save As)? No closes "
                                          "the project without them.";
    m_program.AnswerNextMessageBox(IDCANCEL);
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    ASSERT_EQ(Boxes().size(), 6u);
    EXPECT_EQ(Boxes()[5].text, question);
    ASSERT_NE(App().GetDocument(), nullptr);
    EXPECT_EQ(Manager()->GetSettings().m_summary[0].Client, "Typed into a project read in part");
    m_program.AnswerNextMessageBox(IDNO);
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    EXPECT_EQ(App().GetDocument(), nullptr);
    EXPECT_TRUE(ReadFileBytes(partly) == partlyBefore) << "the file read in part was written";
    // Saved under a new name from the question: the new file holds what was read and typed,
    // and opens complete.
    openPartly();
    TypeClient("Kept under a new name");
    m_program.AnswerNextMessageBox(IDYES);
    const CString renamed((folder / "renamed.zca").string());
    m_program.AnswerNextFileDialog(renamed);
    ASSERT_TRUE(m_program.ChooseMenuItem(0, CMainFrame::ID_FILE_CLOSE));
    EXPECT_EQ(App().GetDocument(), nullptr);
    ASSERT_EQ(Boxes().size(), 9u);
    EXPECT_EQ(Boxes()[8].text, question);
    EXPECT_TRUE(ReadFileBytes(partly) == partlyBefore) << "the file read in part was written";
    ASSERT_TRUE(App().OpenDocumentFile(renamed));
    EXPECT_EQ(Boxes().size(), 9u);
    EXPECT_EQ(Project().GetMeasurementCount(), 1);
    ASSERT_NE(Manager(), nullptr);
    EXPECT_EQ(Manager()->GetSettings().m_summary[0].Client, "Kept under a new name");
}

// Pictures for a person to look at (run with --gtest_also_run_disabled_tests, and with
// QT_SCALE_FACTOR=2 for the device ratio 2): the cards after Add Data and the report page with
// the tile of a bookmark just made. They are written to ORN_RENDER_DIR (/tmp when unset).
TEST_F(UserWorkKeptTest, DISABLED_RenderTheCardsAfterAddDataAndTheNewBookmarksTile)
{
    const CString first = MakeProject("first", 1, u"First feeder");
    const CString second = MakeProject("second", 2, u"Second feeder");
    ASSERT_TRUE(m_program.Start(first));
    m_addDataAnswers.push_back(second);
    Manager()->SendMessage(WM_PM_COMMAND, kCommandAddSession, 0);
    CFrameworkApp::PumpWaitingMessages();
    m_program.SavePage("user-work-cards-after-add-data");
    ASSERT_TRUE(m_program.ShowStudyPage(0));
    ASSERT_NE(Graph(0), nullptr);
    Graph(0)->SendMessage(WM_COMMAND, MAKEWPARAM(kBookmarkCommand, BN_CLICKED), 0);
    CFrameworkApp::PumpWaitingMessages();
    m_program.SavePage("user-work-new-bookmark-tile");
}
