#include "AssembledProgram.h"

#include "datamodel/RecordingProgressDialog.h"
#include "mainview/StudyLayouts.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowTesting.h"
#include "shell/ChildFrameQuarn.h"
#include "shell/MainFrame.h"
#include "shell/RecDocTemplate.h"
#include "views/MyToolBar.h"
#include "views/TabWnd.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr std::int64_t kOneDay = 864000000000;
constexpr std::int64_t kSaturday24October2026 = 134372736000000000;
constexpr int kRecordsPerDay = 144; // ten-minute records

} // namespace

CAssembledProgram::CAssembledProgram()
{
    CStringTable::Instance().LoadLanguage("ENG");
    m_app.SetDocTemplate(CreateRecDocTemplate());
    m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
        if (m_answers.empty())
            return false;
        path = m_answers.front();
        m_answers.pop_front();
        return !path.IsEmpty();
    });
    CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
}

CAssembledProgram::~CAssembledProgram()
{
    Exit();
    CProgressThread::SetDialogFactory({});
    SetFileDialogHandler(std::move(m_previousDialog));
}

std::vector<SSessionSpec> CAssembledProgram::StandardSessions()
{
    SSessionSpec first;
    first.name = u"Feeder north";
    first.description = u"Main switchboard, north feeder";
    first.startTicks = kSaturday24October2026;
    first.trendRecords = 3 * kRecordsPerDay;
    // From 00:00 to 03:00 UTC on the 25th: the clocks go back at 01:00 UTC inside the gap.
    first.gapStart = kRecordsPerDay;
    first.gapLength = 18;
    SSessionSpec second = first;
    second.name = u"Feeder south";
    second.description = u"Main switchboard, south feeder";
    second.startTicks = kSaturday24October2026 + kOneDay / 2;
    second.gapStart = -1;
    second.serialNumber = "4626018";
    SSessionSpec load = second;
    load.name = u"Workshop load";
    load.description = u"Workshop load survey";
    load.studyType = 2;
    load.trendRecords = 2 * kRecordsPerDay;
    load.serialNumber = "4626019";
    return {first, second, load};
}

CString CAssembledProgram::MakeProject(const std::string& name, const std::vector<SSessionSpec>& sessions)
{
    std::vector<std::vector<BYTE>> files;
    for (const SSessionSpec& session : sessions)
        files.push_back(CSessionWriter(session).BuildFile());
    return MakeProjectOfFiles(name, files);
}

CString CAssembledProgram::MakeProjectOfFiles(const std::string& name, const std::vector<std::vector<BYTE>>& files)
{
    // Each session becomes a project of its own, as the program makes one from a ".zlg"; the
    // first is the project, the others are added to it from theirs as Add Data does.
    std::vector<CString> projects;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string stem = i == 0 ? name : name + "-" + std::to_string(i + 1);
        const std::string session = InHome(stem + ".zlg");
        EXPECT_TRUE(WriteBytesToFile(session, files[i]));
        projects.emplace_back(InHome(stem + ".zca"));
        m_answers.push_back(projects.back());
        CRecDoc maker;
        EXPECT_TRUE(maker.OnOpenDocument(CString(session)));
        maker.OnCloseDocument();
    }
    CRecDoc project;
    EXPECT_TRUE(project.OnOpenDocument(projects.front()));
    for (std::size_t i = 1; i < projects.size(); ++i)
        EXPECT_EQ(0, project.ImportSession(projects[i], 0));
    project.OnCloseDocument();
    return projects.front();
}

bool CAssembledProgram::Start(const CString& project, CSize windowSize)
{
    SStartOptions options;
    options.windowServices = false;
    options.logging = false;
    options.endOnSignals = false;
    m_started = m_app.InitInstance({project}, options);
    if (!m_started || !m_app.GetMainFrame() || !m_app.GetMainFrame()->GetProjectWindow())
        return false;
    m_app.GetMainFrame()->MoveWindow(0, 0, windowSize.cx, windowSize.cy);
    CFrameworkApp::PumpWaitingMessages();
    return true;
}

void CAssembledProgram::Exit()
{
    if (!m_started)
        return;
    m_started = false;
    m_app.ExitInstance();
    CFrameworkApp::PumpWaitingMessages();
}

CMainFrame& CAssembledProgram::MainFrame()
{
    return *m_app.GetMainFrame();
}

CRecDoc& CAssembledProgram::Document()
{
    return *dynamic_cast<CRecDoc*>(m_app.GetDocument());
}

CMainView& CAssembledProgram::MainView()
{
    return MainFrame().GetProjectWindow()->GetMainView();
}

TTabWnd& CAssembledProgram::Tabs()
{
    return *dynamic_cast<TTabWnd*>(MainView().GetRootWindow());
}

void CAssembledProgram::ClickAt(CWnd& window, CPoint clientPoint)
{
    CPoint screen = clientPoint;
    window.ClientToScreen(&screen);
    SimulateScreenMouse(window, WM_LBUTTONDOWN, screen);
    SimulateScreenMouse(window, WM_LBUTTONUP, screen);
    CFrameworkApp::PumpWaitingMessages();
}

void CAssembledProgram::ClickAtCentre(CWnd& window)
{
    CRect client;
    window.GetClientRect(&client);
    ClickAt(window, client.CenterPoint());
}

void CAssembledProgram::ClickTab(ETab tab)
{
    ClickAt(Tabs(), Tabs().GetTabRect(int(tab)).CenterPoint());
}

namespace {

CMyToolBar* FindShownButton(CWnd& parent, UINT command)
{
    for (CWnd* child = parent.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (!child->IsWindowVisible())
            continue;
        auto* toolBar = dynamic_cast<CMyToolBar*>(child);
        if (toolBar && !toolBar->GetButtonRect(command).IsRectEmpty())
            return toolBar;
        if (CMyToolBar* inside = FindShownButton(*child, command))
            return inside;
    }
    return nullptr;
}

} // namespace

CMyToolBar* CAssembledProgram::FindToolBarButton(UINT command)
{
    return FindShownButton(*MainFrame().GetProjectWindow(), command);
}

bool CAssembledProgram::ClickToolBarButton(UINT command)
{
    CMyToolBar* toolBar = FindToolBarButton(command);
    if (!toolBar)
        return false;
    ClickAt(*toolBar, toolBar->GetButtonRect(command).CenterPoint());
    return true;
}

bool CAssembledProgram::ShowStudyPage(int viewId)
{
    const SStudyLayout* layout = FindStudyLayout(viewId);
    if (!layout)
        return false;
    ClickTab(layout->loadStudy ? kLoadTab : kEnergyTab);
    return ClickToolBarButton(layout->checkCommand);
}

void CAssembledProgram::MenuCommand(UINT command)
{
    MainFrame().SendMessage(WM_COMMAND, command, 0);
    CFrameworkApp::PumpWaitingMessages();
}

void CAssembledProgram::SavePage(const std::string& name)
{
    const char* folder = std::getenv("ORN_RENDER_DIR");
    EXPECT_TRUE(SaveWindowPicture(MainFrame(), CString(std::string(folder ? folder : "/tmp") + "/" + name + ".png")));
}

CSplitFrame* CAssembledProgram::SectionFrame(int entry)
{
    const TVisualObject* object = MainView().GetLayout().GetObject(entry);
    return object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
}

bool CAssembledProgram::ClickSectionButton(int entry, UINT command)
{
    CSplitFrame* frame = SectionFrame(entry);
    for (int i = 0; frame && i < frame->GetToolBarCount(); ++i) {
        CMyToolBar* toolBar = frame->GetMyToolBar(i);
        if (toolBar && toolBar->IsWindowVisible() && !toolBar->GetButtonRect(command).IsRectEmpty()) {
            ClickAt(*toolBar, toolBar->GetButtonRect(command).CenterPoint());
            return true;
        }
    }
    return false;
}
