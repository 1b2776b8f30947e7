// The application object started as the program starts it, on the offscreen platform, with the
// project document and the page the program shows for it.
#include "ForeignInstance.h"
#include "datamodel/DataSet.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/MessageBoxWindow.h"
#include "project/RecDoc.h"
#include "shell/RecDocTemplate.h"
#include "project/AppFolders.h"
#include "shell/MainFrame.h"
#include "platform/framework/windows/CEdit.h"
#include "shell/OrnApp.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "study/BasicGraphView.h"
#include "study/BasicTableView.h"
#include "mainview/MainView.h"
#include "project/IProjectManagerView.h"
#include "views/SplitFrame.h"
#include "views/TabWnd.h"
#include "platform/framework/Logging.h"
#include "shell/LogFileViewer.h"
#include "platform/framework/windows/WindowTesting.h"
#include "support/MessageBoxRecorder.h"
#include "support/SmallDisk.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <csignal>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <tuple>

namespace {

const CString kSamplePath = CString(ORN_SOURCE_DIR) + "/resources/samples/sample.zlg";
constexpr const char* kSampleSession = "Sample feeder";
constexpr const char* kCannotOpen = "File can not be opened: %s.";

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Steps a user takes while something waits for them (a menu that shows), one every few
// milliseconds from whatever event loop runs then.
class CStepsWhileWaiting : public CWnd
{
public:
    explicit CStepsWhileWaiting(std::vector<std::function<void()>> steps) : m_steps(std::move(steps))
    {
        CreateEx(0, nullptr, "steps", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0);
        SetTimer(1, 20);
    }
    bool Done() const { return m_next == m_steps.size(); }
    void OnTimer(UINT_PTR) override
    {
        if (m_next < m_steps.size())
            m_steps[m_next++]();
    }

private:
    std::vector<std::function<void()>> m_steps;
    std::size_t m_next = 0;
};

// A document that records what the shell asks of it; Save As moves it to "renamed.zca".
class CRecordingDocument : public IProjectDocument
{
public:
    explicit CRecordingDocument(std::vector<std::string>& calls) : m_calls(calls) {}
    BOOL OnOpenDocument(const CString& path) override
    {
        m_calls.push_back("open " + path.str());
        m_path = path;
        return TRUE;
    }
    BOOL MakeProjectFromSession(const CString&, const CString&) override { return FALSE; }
    void SaveProject() override { m_calls.push_back("save"); }
    void SaveProjectAs() override
    {
        m_calls.push_back("save as");
        m_path = "/projects/renamed.zca";
    }
    void DeleteContents() override { m_calls.push_back("delete contents"); }
    bool WriteBeforeClose() override { return true; }
    void WriteBeforeEnd() override {}
    BOOL IsModified() override { return FALSE; }
    CString GetPathName() const override { return m_path; }
    CString GetTitle() const override { return std::filesystem::path(m_path.str()).filename().string(); }
    bool HasStudyViews() const override { return true; }
    int ShowStudyView(int tabKind, int viewId) override
    {
        m_calls.push_back("study " + std::to_string(tabKind) + " " + std::to_string(viewId));
        return 1;
    }

private:
    std::vector<std::string>& m_calls;
    CString m_path;
};

class ApplicationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CStringTable::Instance().LoadLanguage("ENG");
        m_app.SetDocTemplate(CreateRecDocTemplate());
        // Each file dialog takes the next answer; an empty answer (or none left) cancels.
        m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest& request, CString& path) {
            m_dialogs.push_back(request);
            if (m_answers.empty())
                return false;
            path = m_answers.front();
            m_answers.pop_front();
            return !path.IsEmpty();
        });
        CProgressThread::SetDialogFactory([this] { return std::make_unique<CRecordingProgressDialog>(m_progress); });
        m_options.windowServices = false;
        m_options.logging = false;
        m_options.showWindow = false;
        m_options.endOnSignals = false;
        m_options.clock = [this] { return m_now; };
    }
    void TearDown() override
    {
        m_app.ExitInstance();
        CProgressThread::SetDialogFactory({});
        SetFileDialogHandler(std::move(m_previousDialog));
    }

    BOOL Start(std::vector<CString> arguments) { return m_app.InitInstance(arguments, m_options); }
    void Command(UINT id) { m_app.GetMainFrame()->SendMessage(WM_COMMAND, id, 0); }
    CString Title() const
    {
        CString title;
        m_app.GetMainFrame()->GetWindowText(title);
        return title;
    }
    CString InTemp(const char* name) const { return CString((m_home.Root() / name).string()); }
    CRecDoc* Project() const { return dynamic_cast<CRecDoc*>(m_app.GetDocument()); }
    CInstanceRecords Records() const
    {
        return CInstanceRecords(CInstanceRecords::PathFor(CInstanceRegistry::DefaultLockPath(m_app.GetProfile())));
    }
    CString RecentMenuItem(int index)
    {
        m_app.GetMainFrame()->UpdateFileMenu();
        CString item;
        m_app.GetMainFrame()->GetFileMenu().GetMenuString(CMainFrame::ID_FILE_MRU_FILE1 + index, item, MF_BYCOMMAND);
        return item;
    }
    // Makes a project from the sample session, as the program does on its first start.
    CString MakeSampleProject(const char* name)
    {
        m_answers.push_back(InTemp(name));
        EXPECT_TRUE(m_app.OpenDocumentFile(kSamplePath));
        m_app.CloseDocument();
        return InTemp(name);
    }

    CTempXdgHome m_home;
    CMessageBoxRecorder m_boxes;
    COrnApp& m_app = COrnApp::Instance();
    SStartOptions m_options;
    long long m_now = 5'000'000;
    std::deque<CString> m_answers;
    std::vector<SFileDialogRequest> m_dialogs;
    FileDialogHandler m_previousDialog;
    std::shared_ptr<SProgressRecord> m_progress = std::make_shared<SProgressRecord>();
};

} // namespace

TEST_F(ApplicationTest, TheSampleBecomesAProjectThatIsSavedAsClosedAndReopenedFromTheRecentFiles)
{
    const std::string sampleBytes = ReadBytes(kSamplePath.str());
    const CString project = InTemp("sample.zca");
    m_answers.push_back(project);
    ASSERT_TRUE(Start({kSamplePath}));
    EXPECT_TRUE(m_boxes.Boxes().empty());
    EXPECT_EQ(CString("ENG"), m_app.GetLanguage());
    EXPECT_TRUE(m_app.GetInstanceRegistry()->IsFirstInstance());

    // The session is not a project yet: the document asks where the new one goes, starting in
    // the download folder with the session's name.
    ASSERT_EQ(1u, m_dialogs.size());
    EXPECT_FALSE(m_dialogs[0].open);
    EXPECT_EQ(CString("zca"), m_dialogs[0].defaultExtension);
    EXPECT_EQ(GetDownloadFolder() + kSampleSession, m_dialogs[0].initialName);
    EXPECT_NE(-1, m_dialogs[0].filter.Find("*.zca"));

    CRecDoc* document = Project();
    ASSERT_NE(nullptr, document);
    EXPECT_EQ(project, document->GetPathName());
    ASSERT_EQ(1, document->GetDataSetCount());
    EXPECT_EQ(CString(kSampleSession), document->GetFirstDataSet()->GetName());
    // The session loaded under the progress dialog.
    EXPECT_GE(m_progress->showCount, 1);
    EXPECT_EQ(m_progress->showCount, m_progress->closeCount);
    EXPECT_EQ(CString("Zelko Ampelon - sample.zca"), Title());
    CChildFrameQuarn* window = m_app.GetMainFrame()->GetProjectWindow();
    ASSERT_NE(nullptr, window);
    // The main view shows its five tabs, the Project Manager tab selected.
    const auto* tabs = dynamic_cast<TTabWnd*>(window->GetMainView().GetRootWindow());
    ASSERT_NE(nullptr, tabs);
    EXPECT_EQ(5, tabs->GetTabCount());
    EXPECT_EQ(0, tabs->GetActiveTab());
    // The Project Manager tab shows the project's session.
    const TVisualObject* managerPage = window->GetMainView().GetLayout().GetObject(20);
    auto* managerFrame = managerPage ? dynamic_cast<CSplitFrame*>(managerPage->GetWnd()) : nullptr;
    auto* manager = managerFrame ? dynamic_cast<CProjectManagerTableView*>(managerFrame->GetView()) : nullptr;
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(1, manager->GetContent().dataSetCount);
    EXPECT_EQ(std::vector<CString>{project}, m_app.GetRecentFileList().GetFiles());
    EXPECT_EQ(sampleBytes, ReadBytes(kSamplePath.str()));
    // After the start the sample also waits in the download folder.
    EXPECT_TRUE(std::filesystem::exists(GetDownloadFolder().str() + "sample.zlg"));

    const CString copy = InTemp("copy.zca");
    m_answers.push_back(copy);
    // The page shows the path: it is drawn again once the path changed.
    manager->RedrawWindow(nullptr, nullptr, RDW_VALIDATE);
    ASSERT_FALSE(manager->GetUpdateRect(nullptr));
    Command(CMainFrame::ID_FILE_SAVE_AS);
    EXPECT_TRUE(manager->GetUpdateRect(nullptr));
    ASSERT_EQ(2u, m_dialogs.size());
    EXPECT_EQ(project, m_dialogs[1].initialName);
    EXPECT_EQ(copy, Project()->GetPathName());
    EXPECT_EQ(CString("Zelko Ampelon - copy.zca"), Title());
    CString windowTitle;
    m_app.GetMainFrame()->GetProjectWindow()->GetWindowText(windowTitle);
    EXPECT_EQ(CString("copy.zca"), windowTitle);
    EXPECT_EQ((std::vector<CString>{copy, project}), m_app.GetRecentFileList().GetFiles());
    Command(CMainFrame::ID_FILE_SAVE);
    EXPECT_TRUE(m_boxes.Boxes().empty());

    Command(CMainFrame::ID_FILE_CLOSE);
    EXPECT_EQ(nullptr, m_app.GetDocument());
    EXPECT_EQ(nullptr, m_app.GetMainFrame()->GetProjectWindow());
    EXPECT_EQ(1, m_app.GetMainFrame()->GetDocumentClosedCount());
    EXPECT_EQ(CString("Zelko Ampelon"), Title());

    // Both projects hold the session; a project opens without asking anything.
    EXPECT_EQ(CString("&1 copy.zca"), RecentMenuItem(0));
    EXPECT_EQ(CString("&2 sample.zca"), RecentMenuItem(1));
    // The second entry each time: the first project, then (the list turned over) the copy.
    for (const CString& expected : {project, copy}) {
        Command(CMainFrame::ID_FILE_MRU_FILE1 + 1);
        ASSERT_NE(nullptr, Project());
        EXPECT_EQ(expected, Project()->GetPathName());
        ASSERT_EQ(1, Project()->GetDataSetCount());
        EXPECT_EQ(CString(kSampleSession), Project()->GetFirstDataSet()->GetName());
    }
    EXPECT_EQ(2u, m_dialogs.size());
    EXPECT_TRUE(m_boxes.Boxes().empty());
    EXPECT_EQ(sampleBytes, ReadBytes(kSamplePath.str()));

    // Exit closes the project through the main window.
    Command(CMainFrame::ID_APP_EXIT);
    EXPECT_EQ(nullptr, m_app.GetDocument());
}

TEST_F(ApplicationTest, TheMainWindowComesBackWhereItWas)
{
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(nullptr, m_app.GetDocument());
    m_app.GetMainFrame()->MoveWindow(70, 80, 900, 600);
    m_app.GetMainFrame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(CString("70,80,970,680"), m_app.GetProfile().GetProfileString("AppWindowPlacement", "Rect"));
    m_app.ExitInstance();
    EXPECT_TRUE(Records().GetEntries().empty());

    ASSERT_TRUE(Start({}));
    CRect rect;
    m_app.GetMainFrame()->GetWindowRect(&rect);
    EXPECT_EQ(CRect(70, 80, 970, 680), rect);
}

TEST_F(ApplicationTest, AMaximizedMainWindowComesBackMaximizedOverItsNormalRectangle)
{
    m_options.showWindow = true;
    ASSERT_TRUE(Start({}));
    m_app.GetMainFrame()->MoveWindow(70, 80, 900, 600);
    m_app.GetMainFrame()->ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(m_app.GetMainFrame()->IsZoomed());
    m_app.GetMainFrame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(CString("70,80,970,680"), m_app.GetProfile().GetProfileString("AppWindowPlacement", "Rect"));
    EXPECT_EQ(1, m_app.GetProfile().GetProfileInt("AppWindowPlacement", "Maximized", 0));
    m_app.ExitInstance();

    ASSERT_TRUE(Start({}));
    EXPECT_TRUE(m_app.GetMainFrame()->IsZoomed());
    m_app.GetMainFrame()->ShowWindow(SW_RESTORE);
    CRect rect;
    m_app.GetMainFrame()->GetWindowRect(&rect);
    EXPECT_EQ(CRect(70, 80, 970, 680), rect);
    // Closed while restored, it comes back restored.
    m_app.GetMainFrame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(0, m_app.GetProfile().GetProfileInt("AppWindowPlacement", "Maximized", 1));
}

TEST_F(ApplicationTest, FileOpenAsksForAProjectOrSessionFile)
{
    ASSERT_TRUE(Start({}));
    m_answers = {kSamplePath, InTemp("opened.zca")};
    Command(CMainFrame::ID_FILE_OPEN);
    ASSERT_EQ(2u, m_dialogs.size());
    EXPECT_TRUE(m_dialogs[0].open);
    EXPECT_EQ(GetDownloadFolder(), m_dialogs[0].initialName);
    // The data files' filter comes from the document template's document string.
    EXPECT_EQ("Projects and sessions (*.zca;*.zlg)|*.zca;*.zlg|Zelko Compound files (*.zca)|*.zca|"
              "4626 Files (*.zlg)|*.zlg||",
              m_dialogs[0].filter);
    EXPECT_FALSE(m_dialogs[1].open);
    ASSERT_NE(nullptr, Project());
    EXPECT_EQ(InTemp("opened.zca"), Project()->GetPathName());

    // Cancelled: the open project stays.
    Command(CMainFrame::ID_FILE_OPEN);
    ASSERT_NE(nullptr, Project());
    EXPECT_EQ(InTemp("opened.zca"), Project()->GetPathName());
}

TEST_F(ApplicationTest, FilesThatCannotBeOpenedAreReportedAndLeftAsTheyWere)
{
    ASSERT_TRUE(Start({}));
    const CString project = MakeSampleProject("good.zca");

    const auto brokenSession = m_home.Root() / "broken.zlg";
    const auto brokenProject = m_home.Root() / "broken.zca";
    const auto cutProject = m_home.Root() / "cut.zca";
    const std::string text = "not a logger session, only some text\n";
    std::ofstream(brokenSession, std::ios::binary) << text;
    std::ofstream(brokenProject, std::ios::binary) << text;
    const std::string projectBytes = ReadBytes(project.str());
    const std::string cutBytes = projectBytes.substr(0, projectBytes.size() / 2);
    std::ofstream(cutProject, std::ios::binary) << cutBytes;
    m_app.GetRecentFileList().Remove(0);

    for (const auto& [path, bytes] : {std::pair{brokenSession, text}, {brokenProject, text}, {cutProject, cutBytes}}) {
        SCOPED_TRACE(path.string());
        const std::size_t boxes = m_boxes.Boxes().size();
        EXPECT_FALSE(m_app.OpenDocumentFile(path.string()));
        EXPECT_EQ(nullptr, m_app.GetDocument());
        EXPECT_EQ(nullptr, m_app.GetMainFrame()->GetProjectWindow());
        ASSERT_EQ(boxes + 1, m_boxes.Boxes().size());
        const CString expected = path == brokenSession ? CString(path.string()) + " cannot be opened: it is not a session file."
                                                       : CString::Formatted(kCannotOpen, CString(path.string()));
        EXPECT_EQ(expected, m_boxes.Boxes().back().text);
        EXPECT_EQ(bytes, ReadBytes(path));
        EXPECT_TRUE(m_app.GetRecentFileList().GetFiles().empty());
    }
    // A project is named in the message.
    EXPECT_EQ(CString::Formatted(kCannotOpen, CString(brokenProject.string())), m_boxes.Boxes()[1].text);
    // A session that did not load asked for no project file.
    EXPECT_EQ(1u, m_dialogs.size());
    EXPECT_EQ(projectBytes, ReadBytes(project.str()));

    // A recent file that no longer opens leaves the list; no project stays open.
    ASSERT_TRUE(m_app.OpenDocumentFile(project));
    m_app.GetRecentFileList().Add(CString(brokenProject.string()));
    Command(CMainFrame::ID_FILE_MRU_FILE1);
    EXPECT_EQ(nullptr, m_app.GetDocument());
    EXPECT_EQ(std::vector<CString>{project}, m_app.GetRecentFileList().GetFiles());
    EXPECT_EQ(text, ReadBytes(brokenProject));
}

TEST_F(ApplicationTest, ASessionWhoseProjectIsNotChosenOpensNothing)
{
    ASSERT_TRUE(Start({kSamplePath}));
    EXPECT_EQ(1u, m_dialogs.size());
    EXPECT_EQ(nullptr, m_app.GetDocument());
    EXPECT_EQ(nullptr, m_app.GetMainFrame()->GetProjectWindow());
    EXPECT_TRUE(m_app.GetRecentFileList().GetFiles().empty());
    EXPECT_EQ(CString("Zelko Ampelon"), Title());
}

TEST_F(ApplicationTest, USBSetsTheFileAside)
{
    ASSERT_TRUE(Start({kSamplePath, "USB"}));
    EXPECT_TRUE(m_app.GetCommandLine().IsUsbStart());
    EXPECT_EQ(nullptr, m_app.GetDocument());
    EXPECT_TRUE(m_dialogs.empty());
}

TEST_F(ApplicationTest, ASecondInstanceIsToldAndShowsItsNumberUntilItTakesOver)
{
    CForeignFirstInstance first(CInstanceRegistry::DefaultLockPath(m_app.GetProfile()), m_now);

    m_answers.push_back(InTemp("sample.zca"));
    ASSERT_TRUE(Start({kSamplePath}));
    ASSERT_EQ(1u, m_boxes.Boxes().size());
    EXPECT_EQ(CString(COrnApp::kAlreadyRunning), m_boxes.Boxes()[0].text);
    EXPECT_FALSE(m_app.GetInstanceRegistry()->IsFirstInstance());
    EXPECT_EQ(CString("Zelko Ampelon (2) - sample.zca"), Title());
    // Its window opens beside the first one's, not exactly over it.
    WINDOWPLACEMENT placement;
    ASSERT_TRUE(m_app.GetMainFrame()->GetWindowPlacement(&placement));
    EXPECT_EQ(CRect(72, 72, 1096, 792), CRect(placement.rcNormalPosition));

    // While the first instance beats, this one stays second.
    m_now += CInstanceRegistry::kStaleMs;
    first.Beat(m_now);
    m_app.GetMainFrame()->SendMessage(WM_TIMER, CMainFrame::kHeartbeatTimer, 0);
    EXPECT_FALSE(m_app.GetInstanceRegistry()->IsFirstInstance());

    // The first instance crashes: its record stays behind, and once it is older than ten
    // seconds the heartbeat of timer 1 makes this instance the first one.
    first.Die();
    m_now += CInstanceRegistry::kStaleMs;
    m_app.GetMainFrame()->SendMessage(WM_TIMER, CMainFrame::kHeartbeatTimer, 0);
    EXPECT_FALSE(m_app.GetInstanceRegistry()->IsFirstInstance());
    m_now += 1;
    m_app.GetMainFrame()->SendMessage(WM_TIMER, CMainFrame::kHeartbeatTimer, 0);
    EXPECT_TRUE(m_app.GetInstanceRegistry()->IsFirstInstance());
    EXPECT_EQ(CString("Zelko Ampelon - sample.zca"), Title());
    EXPECT_EQ(std::vector<CString>{"Instance2"}, Records().GetEntries());
}

TEST_F(ApplicationTest, TheHeartbeatRunsOnTimerOne)
{
    m_options.clock = {};
    ASSERT_TRUE(Start({}));
    const CString before = Records().GetValue("Instance1");
    CFrameworkApp::RunFor(350);
    EXPECT_NE(before, Records().GetValue("Instance1"));
}

// The heartbeat keeps its record in the runtime folder: an idle program leaves the settings
// file alone (it used to be rewritten and synced ten times a second).
TEST_F(ApplicationTest, AnIdleProgramWritesNoSettingsFile)
{
    m_options.clock = {};
    ASSERT_TRUE(Start({}));
    CFrameworkApp::RunFor(150);
    const std::filesystem::path settings = m_app.GetProfile().GetFilePath();
    const auto stamp = [&settings] {
        struct stat info {};
        return ::stat(settings.c_str(), &info) == 0 ? std::make_tuple(true, info.st_ino, info.st_mtim.tv_sec, info.st_mtim.tv_nsec)
                                                     : std::make_tuple(false, ino_t(0), time_t(0), long(0));
    };
    const auto before = stamp();
    const CString record = Records().GetValue("Instance1");
    CFrameworkApp::RunFor(550);
    EXPECT_NE(record, Records().GetValue("Instance1"));
    EXPECT_EQ(before, stamp());
    EXPECT_TRUE(m_app.GetProfile().GetProfileEntries("instances").empty());
    EXPECT_EQ(Records().GetPath().parent_path(), m_home.RuntimeDir());
}

TEST_F(ApplicationTest, TheFileMenuOpensUnderItsTitleWithTheRecentFiles)
{
    ASSERT_TRUE(Start({}));
    MakeSampleProject("sample.zca");
    ASSERT_TRUE(m_app.OpenDocumentFile(InTemp("sample.zca")));
    std::vector<CString> shown;
    std::vector<CString> tips;
    const CMenu::TrackDriver previous = CMenu::SetTrackDriver([&](CMenu& menu) {
        for (const CMenu::Item& item : menu.Items()) {
            shown.push_back(item.text);
            if (!item.tip.IsEmpty())
                tips.push_back(item.tip);
        }
        return CMainFrame::ID_FILE_CLOSE;
    });
    m_app.GetMainFrame()->GetMenuStrip().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, LPARAM(10 | (10 << 16)));
    CFrameworkApp::PumpWaitingMessages();
    CMenu::SetTrackDriver(previous);
    const std::vector<CString> expected{"&Open...\tCtrl+O", "&Close\tCtrl+W", "&Save\tCtrl+S",
                                        "Save &As...\tCtrl+Shift+S", "", "&Export Report...", "Open &Log File...", "", "&1 sample.zca", "",
                                        "E&xit\tCtrl+Q"};
    EXPECT_EQ(expected, shown);
    // A recent file's tip names its folder too.
    EXPECT_EQ(std::vector<CString>{InTemp("sample.zca")}, tips);
    EXPECT_EQ(nullptr, m_app.GetDocument());
}

TEST_F(ApplicationTest, TheViewMenuSwitchesTheProjectsStudyView)
{
    ASSERT_TRUE(Start({}));
    ASSERT_TRUE(m_app.OpenDocumentFile(MakeSampleProject("sample.zca")));
    // The menu asks for the remembered view of a study: none yet, so its first view. The sample
    // holds no Load session: that study's tab, and so its menu item, do nothing.
    Command(CMainFrame::ID_VIEW_ENERGY_STUDY);
    EXPECT_EQ(0, Project()->GetProjectSettings()->GetEnergyStudyLastView());
    Command(CMainFrame::ID_VIEW_LOAD_STUDY);
    EXPECT_EQ(-1, Project()->GetProjectSettings()->GetLoadStudyLastView());
    // A view id in wParam is shown and remembered for its study.
    EXPECT_EQ(1, m_app.GetMainFrame()->SendMessage(CMainFrame::WM_SHOW_STUDY_VIEW, 6, 0));
    EXPECT_EQ(6, Project()->GetProjectSettings()->GetLoadStudyLastView());
    Command(CMainFrame::ID_VIEW_LOAD_STUDY);
    EXPECT_EQ(6, Project()->GetProjectSettings()->GetLoadStudyLastView());
}

TEST_F(ApplicationTest, TheViewMenuShowsTheTabsOfTheProjectWindow)
{
    ASSERT_TRUE(Start({}));
    ASSERT_TRUE(m_app.OpenDocumentFile(MakeSampleProject("sample.zca")));
    CMainView& mainView = m_app.GetMainFrame()->GetProjectWindow()->GetMainView();
    const auto* tabs = dynamic_cast<TTabWnd*>(mainView.GetRootWindow());
    ASSERT_NE(nullptr, tabs);
    // The sample is an Energy session: its study and the report are open, Advanced never.
    EXPECT_TRUE(tabs->IsTabEnabled(1));
    EXPECT_FALSE(tabs->IsTabEnabled(2));
    EXPECT_FALSE(tabs->IsTabEnabled(3));
    EXPECT_TRUE(tabs->IsTabEnabled(4));
    Command(CMainFrame::ID_VIEW_REPORT);
    EXPECT_EQ(4, tabs->GetActiveTab());
    // Advanced is never enabled: its menu item leaves the page shown.
    Command(CMainFrame::ID_VIEW_ADVANCED);
    EXPECT_EQ(4, tabs->GetActiveTab());
    Command(CMainFrame::ID_VIEW_PROJECT_MANAGER);
    EXPECT_EQ(0, tabs->GetActiveTab());
    // The study switch (0x43C) builds the chosen view in the project window.
    EXPECT_EQ(1, m_app.GetMainFrame()->SendMessage(CMainFrame::WM_SHOW_STUDY_VIEW, 4, 0));
    EXPECT_EQ(4, mainView.GetCurrentViewId());
    EXPECT_EQ(1, tabs->GetActiveTab());
    EXPECT_NE(nullptr, mainView.GetLayout().GetObject(16));
    Command(CMainFrame::ID_VIEW_PROJECT_MANAGER);
    EXPECT_EQ(0, tabs->GetActiveTab());
}

TEST_F(ApplicationTest, AStudyChosenAgainIsRebuiltOnlyWhenWhatItShowsChanged)
{
    ASSERT_TRUE(Start({}));
    const CString second = MakeSampleProject("second.zca");
    ASSERT_TRUE(m_app.OpenDocumentFile(MakeSampleProject("sample.zca")));
    CRecDoc* document = Project();
    CMainView& mainView = m_app.GetMainFrame()->GetProjectWindow()->GetMainView();
    const auto* tabs = dynamic_cast<TTabWnd*>(mainView.GetRootWindow());
    ASSERT_NE(nullptr, tabs);
    const auto view = [&](int entry) {
        auto* frame = dynamic_cast<CSplitFrame*>(mainView.GetLayout().GetObject(entry)->GetWnd());
        return frame ? frame->GetView() : nullptr;
    };
    const auto overviewTable = [&] { return dynamic_cast<CBasicTableView*>(view(5)); };
    const auto graph = [&] { return dynamic_cast<CBasicGraphView*>(view(6)); };
    // A mark only the page shown now carries: a page built again has lost it.
    const auto markThePage = [&] { graph()->SetWindowText("shown before"); };
    const auto sameOldPage = [&] {
        CString text;
        graph()->GetWindowText(text);
        return text == "shown before";
    };
    // The View menu's Energy Study after the Project Manager tab, as a user goes back and forth.
    const auto backToTheStudy = [&] {
        Command(CMainFrame::ID_VIEW_PROJECT_MANAGER);
        EXPECT_EQ(0, tabs->GetActiveTab());
        Command(CMainFrame::ID_VIEW_ENERGY_STUDY);
        EXPECT_EQ(1, tabs->GetActiveTab());
    };

    Command(CMainFrame::ID_VIEW_ENERGY_STUDY);
    ASSERT_NE(nullptr, graph());
    // The user zooms in; nothing the page shows changes elsewhere, so it comes back as it was.
    graph()->SendMessage(WM_COMMAND, MAKEWPARAM(33049, BN_CLICKED), 0);
    const double zoomedSpan = graph()->GetPlotControl()->GetXAxis(0)->GetSpan();
    markThePage();
    backToTheStudy();
    Command(CMainFrame::ID_VIEW_REPORT);
    Command(CMainFrame::ID_VIEW_ENERGY_STUDY);
    EXPECT_TRUE(sameOldPage());
    EXPECT_EQ(zoomedSpan, graph()->GetPlotControl()->GetXAxis(0)->GetSpan());

    // Each change below reaches the page: it is built again and shows the change.
    document->RenameProjectItem({SProjectItemName::kSession, 0, "Renamed feeder"});
    backToTheStudy();
    EXPECT_FALSE(sameOldPage());
    EXPECT_EQ(CString("Renamed feeder"), overviewTable()->GetSessionData()[0]->name);

    markThePage();
    ASSERT_EQ(0, document->ImportSession(second, 0));
    backToTheStudy();
    EXPECT_FALSE(sameOldPage());
    EXPECT_EQ(2u, overviewTable()->GetSessionData().size());

    markThePage();
    ASSERT_EQ(0, document->DeleteSession(1));
    backToTheStudy();
    EXPECT_FALSE(sameOldPage());
    EXPECT_EQ(1u, overviewTable()->GetSessionData().size());

    markThePage();
    m_answers.push_back(InTemp("moved.zca"));
    Command(CMainFrame::ID_FILE_SAVE_AS);
    backToTheStudy();
    EXPECT_FALSE(sameOldPage());
    EXPECT_EQ(CString("moved.zca"), graph()->GetPlotControl()->GetText());

    markThePage();
    const std::string picture = (m_home.Root() / "bookmark.png").string();
    std::ofstream(picture) << "picture";
    ASSERT_EQ(0, document->AddBookmark(2, CStringW("Morning peak"), CString(picture)));
    backToTheStudy();
    EXPECT_FALSE(sameOldPage());

    // A bookmark shows its page; that page too comes back as the bookmark left it.
    document->ShowBookmark(0);
    CFrameworkApp::PumpWaitingMessages();
    markThePage();
    backToTheStudy();
    EXPECT_TRUE(sameOldPage());
}

TEST_F(ApplicationTest, FileAndViewCommandsReachTheDocument)
{
    std::vector<std::string> calls;
    m_app.SetDocTemplate(
        std::make_unique<CProjectDocTemplate>([&] { return std::make_unique<CRecordingDocument>(calls); }));
    ASSERT_TRUE(Start({"/projects/site.zca"}));
    Command(CMainFrame::ID_FILE_SAVE);
    Command(CMainFrame::ID_FILE_SAVE_AS);
    EXPECT_EQ(CString("Zelko Ampelon - renamed.zca"), Title());
    EXPECT_EQ((std::vector<CString>{"/projects/renamed.zca", "/projects/site.zca"}), m_app.GetRecentFileList().GetFiles());
    // The study tabs of a document without sessions stay disabled, and so do their menu items;
    // the study message itself reaches the document.
    Command(CMainFrame::ID_VIEW_ENERGY_STUDY);
    Command(CMainFrame::ID_VIEW_LOAD_STUDY);
    EXPECT_EQ(1, m_app.GetMainFrame()->SendMessage(CMainFrame::WM_SHOW_STUDY_VIEW, 4, 0));
    Command(CMainFrame::ID_FILE_CLOSE);
    const std::vector<std::string> expected{"open /projects/site.zca", "save", "save as", "study 0 4", "delete contents"};
    EXPECT_EQ(expected, calls);
    // Without a project the study message has no target.
    EXPECT_EQ(0, m_app.GetMainFrame()->SendMessage(CMainFrame::WM_SHOW_STUDY_VIEW, 0, 1));
}

TEST_F(ApplicationTest, AskedToCloseWhileTheDocumentAsksSomethingTheProgramClosesAfterwards)
{
    // The end of the desktop session closes the main window from the heartbeat, which also runs
    // while a dialog of the document waits for the user: the document finishes first.
    const auto closeThenAnswer = [this](const char* name) {
        return [this, name](const SFileDialogRequest& request, CString& path) {
            if (request.open) {
                path = kSamplePath;
                return true;
            }
            m_app.GetMainFrame()->SendMessage(WM_CLOSE);
            EXPECT_NE(nullptr, m_app.GetMainFrame()->GetSafeHwnd());
            path = InTemp(name);
            return true;
        };
    };
    const std::pair<UINT, const char*> cases[] = {{CMainFrame::ID_FILE_SAVE_AS, "copy.zca"},
                                                  {CMainFrame::ID_FILE_OPEN, "opened.zca"}};
    for (const auto& [command, name] : cases) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(Start({}));
        if (command == CMainFrame::ID_FILE_SAVE_AS) {
            ASSERT_TRUE(m_app.OpenDocumentFile(MakeSampleProject("sample.zca")));
        }
        const FileDialogHandler answers = SetFileDialogHandler(closeThenAnswer(name));
        Command(command);
        SetFileDialogHandler(answers);
        ASSERT_NE(nullptr, Project());
        EXPECT_EQ(InTemp(name), Project()->GetPathName());
        CFrameworkApp::PumpWaitingMessages();
        EXPECT_EQ(nullptr, m_app.GetDocument());
        EXPECT_EQ(nullptr, m_app.GetMainFrame()->GetSafeHwnd());
        EXPECT_EQ(InTemp(name), m_app.GetRecentFileList().GetFiles().front());
        m_app.ExitInstance();
    }
}

TEST_F(ApplicationTest, ASignalClosesTheProgramOnceTheDocumentIsDone)
{
    // Asked to end while the project of the command line waits for its file name.
    m_options.endOnSignals = true;
    SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
        std::raise(SIGTERM);
        m_app.GetMainFrame()->SendMessage(WM_TIMER, CMainFrame::kHeartbeatTimer, 0);
        CFrameworkApp::PumpWaitingMessages();
        EXPECT_NE(nullptr, m_app.GetMainFrame()->GetSafeHwnd());
        path = InTemp("sample.zca");
        return true;
    });
    const bool started = Start({kSamplePath});
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, SIG_DFL);
    ASSERT_TRUE(started);
    EXPECT_EQ(InTemp("sample.zca"), Project()->GetPathName());
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(nullptr, m_app.GetDocument());
    EXPECT_EQ(nullptr, m_app.GetMainFrame()->GetSafeHwnd());
    EXPECT_EQ(std::vector<CString>{InTemp("sample.zca")}, m_app.GetRecentFileList().GetFiles());
}

TEST_F(ApplicationTest, ASignalWhileAMessageBoxWaitsEndsTheBoxAndTheProgram)
{
    // Nobody answers the box at the end of the desktop session: it ends as its way out does, and
    // so does any box shown while the program ends; the project is closed and the program ends.
    m_options.endOnSignals = true;
    const bool started = Start({});
    ASSERT_TRUE(started);
    ASSERT_TRUE(m_app.OpenDocumentFile(MakeSampleProject("sample.zca")));
    const MessageBoxHandler recorder = SetMessageBoxHandler({});
    InstallWindowMessageBox();
    std::raise(SIGTERM);
    // Noted by the program; the test itself stays one a signal ends.
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, SIG_DFL);
    const int question = AfxMessageBox("Really delete the session from project?", MB_YESNO);
    const int later = AfxMessageBox("Loading data from file failed", MB_OKCANCEL);
    CFrameworkApp::RunFor(300);
    SetMessageBoxHandler(recorder);
    EXPECT_EQ(IDNO, question);
    EXPECT_EQ(IDCANCEL, later);
    EXPECT_EQ(nullptr, m_app.GetDocument());
    EXPECT_EQ(nullptr, m_app.GetMainFrame()->GetSafeHwnd());
}

TEST_F(ApplicationTest, MessageBoxesCarryTheApplicationsName)
{
    m_options.windowServices = true;
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(CString(COrnApp::kAppName), CMessageBoxCaption::Current());
    m_app.ExitInstance();
    EXPECT_TRUE(CMessageBoxCaption::Current().IsEmpty());
}

TEST_F(ApplicationTest, TheKeyboardReachesEveryFileCommandAndTheMenus)
{
    m_options.showWindow = true;
    ASSERT_TRUE(Start({}));
    const CString project = MakeSampleProject("sample.zca");
    CMainFrame& frame = *m_app.GetMainFrame();
    frame.SetFocus();
    const auto press = [&](UINT key, UINT modifiers) {
        SimulateKey(frame, key, modifiers);
        CFrameworkApp::PumpWaitingMessages();
    };

    // Ctrl+O asks for a file and opens it.
    m_answers.push_back(project);
    const std::size_t dialogs = m_dialogs.size();
    press('O', MK_CONTROL);
    ASSERT_EQ(dialogs + 1, m_dialogs.size());
    EXPECT_TRUE(m_dialogs.back().open);
    ASSERT_NE(nullptr, Project());
    // Ctrl+S saves (nothing to tell), Ctrl+Shift+S asks for the new name.
    press('S', MK_CONTROL);
    EXPECT_TRUE(m_boxes.Boxes().empty());
    press('S', MK_CONTROL | MK_SHIFT);
    ASSERT_EQ(dialogs + 2, m_dialogs.size());
    EXPECT_FALSE(m_dialogs.back().open);
    // Ctrl+W closes the project.
    press('W', MK_CONTROL);
    EXPECT_EQ(nullptr, m_app.GetDocument());

    // Alt+F and F10 open the File menu, Alt+V the View menu.
    std::vector<UINT> firstItems;
    const CMenu::TrackDriver previous = CMenu::SetTrackDriver([&](CMenu& menu) {
        firstItems.push_back(menu.Items().front().id);
        return 0u;
    });
    press('F', MK_ALT);
    press(VK_F10, 0);
    press('V', MK_ALT);
    CMenu::SetTrackDriver(previous);
    EXPECT_EQ((std::vector<UINT>{CMainFrame::ID_FILE_OPEN, CMainFrame::ID_FILE_OPEN, CMainFrame::ID_VIEW_PROJECT_MANAGER}),
              firstItems);

    // The menus themselves, keys given as the window system gives them (to the menu that shows):
    // Left and Right go round the bar from menu to menu, Escape leaves; a menu opened by the
    // keyboard marks its first item, which Enter chooses. So with the focus in a field.
    CMenuStrip& strip = frame.GetMenuStrip();
    std::vector<int> shown;
    const auto key = [&](UINT pressed) {
        return [&, pressed] {
            shown.push_back(strip.GetOpenMenu());
            SimulateScreenKey(frame, pressed);
        };
    };
    CEdit field;
    ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 40, 110, 60), &frame, 77));
    field.SetFocus();
    {
        CStepsWhileWaiting user({key(VK_RIGHT), key(VK_RIGHT), key(VK_LEFT), key(VK_ESCAPE)});
        SimulateScreenKey(frame, 'F', MK_ALT);
        EXPECT_TRUE(user.Done());
    }
    EXPECT_EQ((std::vector<int>{0, 1, 0, 1}), shown);
    EXPECT_EQ(-1, strip.GetOpenMenu());
    EXPECT_EQ(&field, CWnd::GetFocus());
    shown.clear();
    {
        CStepsWhileWaiting user({key(VK_LEFT), key(VK_RETURN)});
        SimulateScreenKey(frame, 'V', MK_ALT);
        CFrameworkApp::PumpWaitingMessages();
    }
    EXPECT_EQ((std::vector<int>{1, 0}), shown);
    ASSERT_EQ(dialogs + 3, m_dialogs.size()) << "Enter did not choose Open..., the File menu's first item";
    EXPECT_TRUE(m_dialogs.back().open);
    field.DestroyWindow();

    // A window the main window owns (a dialog) keeps its keys.
    CWnd owned;
    ASSERT_TRUE(owned.CreateEx(0, nullptr, "owned", WS_POPUP | WS_VISIBLE, CRect(0, 0, 60, 60), &frame, 0));
    ASSERT_EQ(&frame, owned.GetParent()); // keys of its focus window pass the main window first
    owned.SetFocus();
    const std::size_t before = m_dialogs.size();
    press('O', MK_CONTROL);
    EXPECT_EQ(before, m_dialogs.size());
    owned.DestroyWindow();
    frame.SetFocus();

    // Ctrl+Q ends the program.
    press('Q', MK_CONTROL);
    EXPECT_EQ(nullptr, frame.GetSafeHwnd());
}

TEST_F(ApplicationTest, MenuItemsWithoutAVisibleEffectSayWhyOrAreDisabled)
{
    ASSERT_TRUE(Start({}));
    // Without a project window there are no pages to show: the View menu's items are disabled.
    std::vector<UINT> states;
    const CMenu::TrackDriver previous = CMenu::SetTrackDriver([&](CMenu& menu) {
        for (const CMenu::Item& item : menu.Items())
            states.push_back(item.flags & MF_GRAYED);
        return 0u;
    });
    m_app.GetMainFrame()->GetMenuStrip().OpenMenuByMnemonic('V');
    EXPECT_EQ(std::vector<UINT>(5, MF_GRAYED), states);
    ASSERT_TRUE(m_app.OpenDocumentFile(MakeSampleProject("sample.zca")));
    states.clear();
    m_app.GetMainFrame()->GetMenuStrip().OpenMenuByMnemonic('V');
    CMenu::SetTrackDriver(previous);
    // The sample's Energy session: no Load study, and Advanced never, as the tabs.
    EXPECT_EQ((std::vector<UINT>{0u, 0u, MF_GRAYED, MF_GRAYED, 0u}), states);

    // Without a log, and without a viewer for the copy, the user is told where the copy is.
    Command(CMainFrame::ID_OPEN_LOG_FILE);
    ASSERT_EQ(1u, m_boxes.Boxes().size());
    EXPECT_EQ(CString("No log file is being written."), m_boxes.Boxes().back().text);
    ASSERT_TRUE(InitLogging(m_home.Root() / "Logs"));
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", m_home.Root().c_str(), 1); // no xdg-open
    Command(CMainFrame::ID_OPEN_LOG_FILE);
    ::setenv("PATH", path.c_str(), 1);
    ShutdownLogging();
    ASSERT_EQ(2u, m_boxes.Boxes().size());
    EXPECT_EQ("No viewer for text files could be started. The copy of the log file is " + GetLogCopyPath() + ".",
              m_boxes.Boxes().back().text);
    std::filesystem::remove(GetLogCopyPath().str());
}

TEST_F(ApplicationTest, AFirstStartOnAFullDiskLeavesNothingBehindAndTheNextStartMakesTheSample)
{
    const std::string disk = SmallDiskFolder();
    if (disk.empty()) {
        if (!RunCurrentTestOnSmallDisk(1024))
            GTEST_SKIP() << "no small file system can be mounted here";
        return;
    }
    // The data folder on a disk with less room than the sample takes.
    ::setenv("XDG_DATA_HOME", (disk + "/data").c_str(), 1);
    FillDisk(disk, 8192);
    const std::filesystem::path data(GetAppDataFolder().str());
    ASSERT_TRUE(Start({"--sample"}));
    EXPECT_EQ(nullptr, Project());
    ASSERT_EQ(1u, m_boxes.Boxes().size());
    EXPECT_EQ(CString("Saving of sample.zca failed: the disk is full."), m_boxes.Boxes()[0].text);
    m_app.ExitInstance();
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(data))
        left.push_back(entry.path().lexically_relative(data).string());
    EXPECT_EQ(std::vector<std::string>{"Download"}, left);

    // With room again, the next start makes the project and copies the sample whole.
    ASSERT_EQ(0, ::truncate((disk + "/filler").c_str(), 0));
    ASSERT_TRUE(Start({"--sample"}));
    ASSERT_NE(nullptr, Project());
    EXPECT_EQ(CString(kSampleSession), Project()->GetFirstDataSet()->GetName());
    EXPECT_TRUE(ReadBytes(kSamplePath.str()) == ReadBytes(data / "Download" / "sample.zlg"));
    EXPECT_EQ(1u, m_boxes.Boxes().size());
}

TEST_F(ApplicationTest, TheSampleStartMakesTheSampleProjectOnceAndThenReopensIt)
{
    const CString project = GetAppDataFolder() + "sample.zca";
    ASSERT_TRUE(Start({"--sample"}));
    EXPECT_TRUE(m_dialogs.empty());
    EXPECT_TRUE(m_boxes.Boxes().empty());
    ASSERT_NE(nullptr, Project());
    EXPECT_EQ(project, Project()->GetPathName());
    EXPECT_EQ(CString(kSampleSession), Project()->GetFirstDataSet()->GetName());
    m_app.ExitInstance();
    const std::string made = ReadBytes(project.str());

    // The second start opens the same project, unchanged, without asking.
    ASSERT_TRUE(Start({"--sample"}));
    EXPECT_TRUE(m_dialogs.empty());
    ASSERT_NE(nullptr, Project());
    EXPECT_EQ(project, Project()->GetPathName());
    m_app.ExitInstance();
    EXPECT_EQ(made, ReadBytes(project.str()));
    EXPECT_TRUE(m_boxes.Boxes().empty());
}
