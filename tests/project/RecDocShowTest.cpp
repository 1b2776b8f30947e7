// What the document asks of the project window and its views: saving their settings, the
// session settings dialog and renames through the project manager, switching study views and
// showing bookmarks.
#include "project/RecDoc.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "support/TempFolder.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/BasicViewSettings.h"
#include "project/IRecordFormView.h"
#include "project/ISplitFrame.h"
#include "project/ToolBarEditFieldCount.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "datamodel/RegionPrefs.h"
#include "project/ToolBarBookmarkName.h"
#include "project/IBasicGraphView.h"
#include "support/MessageBoxRecorder.h"
#include "support/SessionWriter.h"
#include "support/TempXdgHome.h"

namespace {

using Log = std::vector<std::string>;

std::string Entry(const char* what, long long a = 0, long long b = 0)
{
    return std::string(what) + " " + std::to_string(a) + " " + std::to_string(b);
}

// Records the messages of the document in one log shared by every window of a test.
class CLoggingWnd : public CWnd
{
public:
    explicit CLoggingWnd(Log& log) : m_log(log) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_SETREDRAW: m_log.push_back(Entry("redraw", (long long)wParam)); break;
        case WM_FRAME_STUDY_VIEW: m_log.push_back(Entry("studyView", (long long)wParam, lParam)); break;
        case WM_FRAME_PRESENTATION: m_log.push_back(Entry("presentation", (long long)wParam)); break;
        case WM_COMMAND: m_log.push_back(Entry("command", LOWORD(wParam))); break;
        case WM_DOC_UPDATE: m_log.push_back(Entry("update", wParam != 0)); break;
        case WM_SESSION_NOMINAL_VOLTAGE: m_log.push_back(Entry("nominal", (long long)wParam, lParam)); break;
        default: break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

protected:
    Log& m_log;
};

class CSplitFrame : public CWnd, public ISplitFrame
{
public:
    std::vector<CWnd*> toolBars;
    CWnd* GetToolBar(int index) const override
    {
        return index >= 0 && index < int(toolBars.size()) ? toolBars[std::size_t(index)] : nullptr;
    }
};

// A study graph view: its settings are a study-view settings object of its view id.
class CGraphView : public CLoggingWnd, public IRecordFormView, public IBasicGraphView
{
public:
    CGraphView(Log& log, int viewId) : CLoggingWnd(log), settings(viewId) { settings.SetPresent(true); }

    int GetSettingsKind() const override { return settings.GetViewId(); }
    void SaveViewSettings(CProjectSettings* project) override
    {
        m_log.push_back(Entry("save", settings.GetViewId()));
        project->SetViewSettings(settings.GetViewId(), &settings);
    }
    void TakeViewSettings(const CViewSettings* taken) override
    {
        m_log.push_back(Entry("take", settings.GetViewId()));
        if (const auto* basic = dynamic_cast<const CBasicViewSettings*>(taken))
            settings = *basic;
    }

    CBasicViewSettings settings;
};

class CManagerView : public CLoggingWnd, public IProjectManagerView
{
public:
    using CLoggingWnd::CLoggingWnd;

    int EditSessionSettings(int session) override
    {
        m_log.push_back(Entry("edit", session));
        return 1;
    }
    void SetItemName(const SProjectItemName& item) override
    {
        m_log.push_back(Entry("rename", item.kind, item.index) + " " + item.name.str());
    }
    void SaveSettings() override { m_log.push_back("managerSave 0 0"); }
};

class CHost : public IStudyViewHost
{
public:
    CHost(Log& log, CWnd* frame) : m_log(log), m_frame(frame) {}

    int viewId = -1;
    int topTab = 0;
    int editFieldsWhileBuilding = 0;

    int GetCurrentViewId() const override { return viewId; }
    void SetCurrentViewId(int id) override
    {
        viewId = id;
        m_log.push_back(Entry("setView", id));
    }
    int GetCurrentTopTab() const override { return topTab; }
    CWnd* GetActiveFrame() const override { return m_frame; }
    void SelectMainViewTab() override { m_log.push_back("selectTab 0 0"); }
    void BuildStudyLayout() override
    {
        editFieldsWhileBuilding = CToolBarEditFieldCount::Get();
        m_log.push_back(Entry("build", viewId));
    }
    // No page is ever built here.
    bool SelectBuiltStudy() override { return false; }

private:
    Log& m_log;
    CWnd* m_frame;
};

class RecDocShowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_folder.Path("project.zca");
            return true;
        });
        ASSERT_TRUE(m_split.CreateEx(0, nullptr, "split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(m_frame.CreateEx(0, nullptr, "frame", WS_CHILD, CRect(0, 0, 300, 200), &m_split, 1));
        ASSERT_TRUE(m_toolBar.CreateEx(0, nullptr, "bar", WS_CHILD, CRect(0, 0, 300, 20), &m_split, 2));
        ASSERT_TRUE(m_nameField.CreateEx(0, "EDIT", "", WS_CHILD, CRect(0, 0, 100, 20), &m_toolBar, kBookmarkNameEdit));
        m_split.toolBars = {&m_toolBar};
    }
    void TearDown() override
    {
        m_split.DestroyWindow();
        SetFileDialogHandler(std::move(m_previousDialog));
        CProgressThread::SetDialogFactory({});
    }

    // The document opened on a project made from one session of the study type.
    void Open(CRecDoc& doc, WORD studyType)
    {
        SSessionSpec sessionSpec;
        sessionSpec.studyType = studyType;
        const std::string session = m_folder.Path("session.zlg");
        ASSERT_TRUE(WriteBytesToFile(session, CSessionWriter(sessionSpec).BuildFile()));
        ASSERT_TRUE(doc.OnOpenDocument(session));
        doc.SetStudyViewHost(&m_host);
    }

    void Show(CWnd& view)
    {
        ASSERT_TRUE(view.CreateEx(0, nullptr, "view", WS_CHILD, CRect(0, 0, 10, 10), &m_frame, 0));
    }

    CString WritePicture()
    {
        const std::string path = m_folder.Path("bookmark.png");
        EXPECT_TRUE(WriteBytesToFile(path, std::vector<BYTE>(100, 7)));
        return path;
    }

    CTempXdgHome m_home;
    CTempFolder m_folder;
    CMessageBoxRecorder m_boxes;
    FileDialogHandler m_previousDialog;
    Log m_log;
    CSplitFrame m_split;
    CLoggingWnd m_frame{m_log};
    CWnd m_toolBar;
    CWnd m_nameField;
    CHost m_host{m_log, &m_frame};
};

} // namespace

TEST_F(RecDocShowTest, StudyTabsShowTheirLastViewAndRebuildTheLayoutOnce)
{
    CRecDoc doc;
    Open(doc, 1);
    CProjectSettings& project = *doc.GetProjectSettings();
    EXPECT_EQ(doc.ShowStudyView(2, 0), 1);
    EXPECT_EQ(project.GetLoadStudyLastView(), 5);
    EXPECT_EQ(project.GetEnergyStudyLastView(), -1);
    EXPECT_EQ(m_log, (Log{"setView 5 0", "redraw 0 0", "selectTab 0 0", "build 5 0", "redraw 1 0"}));
    EXPECT_EQ(m_host.editFieldsWhileBuilding, 1);
    EXPECT_EQ(CToolBarEditFieldCount::Get(), 0);

    doc.ShowStudyView(0, 3);
    EXPECT_EQ(project.GetEnergyStudyLastView(), 3);
    doc.ShowStudyView(0, 9);
    EXPECT_EQ(project.GetEnergyStudyLastView(), 3);
    EXPECT_EQ(project.GetLoadStudyLastView(), 5);
    project.SetEnergyStudyLastView(-1);
    doc.ShowStudyView(1, 7);
    EXPECT_EQ(project.GetEnergyStudyLastView(), 0);
    EXPECT_EQ(m_host.viewId, 0);

    // Nothing to do when the view is shown under that tab already.
    m_host.topTab = 1;
    m_log.clear();
    doc.ShowStudyView(1, 4);
    EXPECT_TRUE(m_log.empty());
    // Nor when the view button of the page shown is clicked; another view is built.
    doc.ShowStudyView(0, 0);
    EXPECT_TRUE(m_log.empty());
    doc.ShowStudyView(0, 1);
    EXPECT_EQ(m_log.size(), 5u);
}

TEST_F(RecDocShowTest, SaveStoresEveryViewsSettingsInTheProjectFile)
{
    CGraphView graph(m_log, 3);
    CManagerView manager(m_log);
    graph.settings.m_toolbarEdit.Graph = "kept";
    {
        CRecDoc doc;
        Open(doc, 1);
        Show(graph);
        Show(manager);
        doc.AddView(&graph);
        doc.AddView(&manager);
        doc.SaveProject();
        EXPECT_EQ(m_log, (Log{"save 3 0", "managerSave 0 0"}));
        EXPECT_TRUE(m_boxes.Boxes().empty());
    }
    CZcaArchive archive;
    ASSERT_TRUE(archive.Open(m_folder.Path("project.zca")));
    CProjectSettings project;
    ASSERT_EQ(archive.ReadProjectXml(project), EProjectLoadResult::kComplete);
    const auto* stored = dynamic_cast<const CBasicViewSettings*>(project.GetViewSettings(3));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->m_toolbarEdit.Graph, "kept");
}

TEST_F(RecDocShowTest, ABookmarkKeepsTheSettingsOfItsOwnStudyView)
{
    CRecDoc doc;
    Open(doc, 1);
    CGraphView summary(m_log, 0);
    CGraphView fundamental(m_log, 3);
    Show(summary);
    Show(fundamental);
    doc.AddView(&summary);
    doc.AddView(&fundamental);
    fundamental.settings.m_toolbarEdit.Graph = "at capture";
    ASSERT_EQ(doc.AddBookmark(10, "B", WritePicture()), 0); // the fundamental power graph
    EXPECT_EQ(m_log, (Log{"save 3 0", "update 0 0", "update 0 0"}));
    const CBookmark& bookmark = doc.GetProjectSettings()->GetBookmark(0);
    const auto* kept = dynamic_cast<const CBasicViewSettings*>(bookmark.GetViewSettings());
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->m_toolbarEdit.Graph, "at capture");
    // The capture went into the bookmark, not into the project's own settings.
    EXPECT_EQ(doc.GetProjectSettings()->GetViewSettings(3), nullptr);
}

TEST_F(RecDocShowTest, ShowingABookmarkSwitchesTheWindowAndHandsItsSettingsToTheView)
{
    CRecDoc doc;
    Open(doc, 1);
    CGraphView view(m_log, 3);
    Show(view);
    doc.AddView(&view);
    view.settings.m_toolbarEdit.Graph = "bookmarked";
    ASSERT_EQ(doc.AddBookmark(10, "Peak", WritePicture()), 0);
    view.settings.m_toolbarEdit.Graph = "current";
    m_log.clear();

    doc.ShowBookmark(0);
    EXPECT_EQ(m_log, (Log{"redraw 0 0", "setView 3 0", "studyView 3 0", "command 33077 0", "presentation 0 0",
                          "save 3 0", "take 3 0", "update 0 0", "redraw 1 0"}));
    CString name;
    m_nameField.GetWindowText(name);
    EXPECT_EQ(name, "Peak");
    EXPECT_EQ(view.settings.m_toolbarEdit.Graph, "bookmarked");
    // The settings the view had before were saved first.
    const auto* saved = dynamic_cast<const CBasicViewSettings*>(doc.GetProjectSettings()->GetViewSettings(3));
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->m_toolbarEdit.Graph, "current");

    m_log.clear();
    doc.ShowBookmark(1);
    doc.ShowBookmark(-1);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(RecDocShowTest, ABookmarkTypeTheToolbarsDoNotShowOnlySwitchesTheView)
{
    CRecDoc doc;
    Open(doc, 2);
    CGraphView view(m_log, 7);
    Show(view);
    doc.AddView(&view);
    ASSERT_EQ(doc.AddBookmark(21, "F", WritePicture()), 0); // load-study fundamental power graph
    m_log.clear();
    doc.ShowBookmark(0);
    EXPECT_EQ(m_log, (Log{"setView 7 0", "studyView 7 0"}));
}

TEST_F(RecDocShowTest, ALoadStudyBookmarkAnnouncesTheNominalVoltagesItChanges)
{
    CRecDoc doc;
    Open(doc, 2);
    CGraphView view(m_log, 5);
    Show(view);
    doc.AddView(&view);
    const CMeasurementConfig& config = doc.GetDataSet(0)->GetMeasurementConfig();
    view.settings.SetNominalVoltage(0, config, 250.0f, 0);
    ASSERT_EQ(doc.AddBookmark(16, "L", WritePicture()), 0); // load-study summary graph
    view.settings = CBasicViewSettings(5);
    view.settings.SetPresent(true);
    m_log.clear();
    doc.ShowBookmark(0);
    const std::string announced = Entry("nominal", 0, std::bit_cast<std::uint32_t>(250.0f));
    EXPECT_EQ(std::count(m_log.begin(), m_log.end(), announced), 1) << ::testing::PrintToString(m_log);

    // Shown again, the project holds the bookmark's voltage now: nothing to announce.
    m_log.clear();
    doc.ShowBookmark(0);
    EXPECT_EQ(std::count(m_log.begin(), m_log.end(), announced), 0);
}

TEST_F(RecDocShowTest, TheProjectManagerViewRunsTheSessionDialogAndRenames)
{
    CRecDoc doc;
    Open(doc, 1);
    EXPECT_EQ(doc.EditSessionSettings(0), 0);
    doc.RenameProjectItem({SProjectItemName::kSession, 0, "x"});
    EXPECT_TRUE(m_log.empty());

    CGraphView graph(m_log, 0);
    CManagerView manager(m_log);
    Show(graph);
    Show(manager);
    doc.AddView(&graph);
    doc.AddView(&manager);
    EXPECT_EQ(doc.EditSessionSettings(0), 1);
    doc.RenameProjectItem({SProjectItemName::kSavedScreen, 2, "Screen"});
    EXPECT_EQ(m_log, (Log{"edit 0 0", "rename 2 2 Screen"}));
}

TEST_F(RecDocShowTest, OpeningAProjectStartsTheColourAssignmentAgain)
{
    EXPECT_EQ(CRegionPrefs::GetPaletteSlot(40), 0);
    EXPECT_EQ(CRegionPrefs::GetPaletteSlot(41), 1);
    CRecDoc doc;
    Open(doc, 1);
    EXPECT_EQ(CRegionPrefs::GetPaletteSlot(41), 0);
}
