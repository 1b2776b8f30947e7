// Study switches as the main window asks for them (WM_USER+60 reaches the document's study
// switch): every study view of an Energy and of a Load project, the remembered views, and the
// views' membership in the document.
#include "MainViewFixture.h"

#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "mainview/MainViewStudyHost.h"
#include "mainview/StudyTabsEnabled.h"
#include "platform/framework/FileDialogService.h"
#include "project/RecDoc.h"
#include "support/MessageBoxRecorder.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"
#include "views/MyFormView.h"

namespace {

class StudySwitchTest : public MainViewFixture
{
protected:
    void SetUp() override
    {
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_answer = m_folder.Path("project.zca");
        m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_answer;
            return true;
        });
        ASSERT_TRUE(m_window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                      CRect(0, 0, 1100, 760), nullptr, 0));
    }
    void TearDown() override
    {
        if (m_document)
            m_document->SetStudyViewHost(nullptr);
        m_view.reset();
        m_host.reset();
        m_document.reset();
        m_window.DestroyWindow();
        SetFileDialogHandler(std::move(m_previousDialog));
        CProgressThread::SetDialogFactory({});
        CFrameworkApp::PumpWaitingMessages();
    }

    // A project of one session of the study type, made from a written session.
    void MakeProject(WORD studyType, const std::string& name)
    {
        SSessionSpec sessionSpec;
        sessionSpec.studyType = studyType;
        const std::string session = m_folder.Path(name + ".zlg");
        ASSERT_TRUE(WriteBytesToFile(session, CSessionWriter(sessionSpec).BuildFile()));
        m_answer = m_folder.Path(name + ".zca");
        CRecDoc maker;
        ASSERT_TRUE(maker.OnOpenDocument(session));
    }

    void Open(WORD studyType)
    {
        SSessionSpec sessionSpec;
        sessionSpec.studyType = studyType;
        const std::string session = m_folder.Path("session.zlg");
        ASSERT_TRUE(WriteBytesToFile(session, CSessionWriter(sessionSpec).BuildFile()));
        m_answer = m_folder.Path("project.zca");
        m_document = std::make_unique<CRecDoc>();
        ASSERT_TRUE(m_document->OnOpenDocument(session));
        SViewCreateContext context;
        context.document = m_document.get();
        m_view = std::make_unique<CMainView>();
        ASSERT_TRUE(m_view->Create(&m_window, nullptr, context));
        m_host = std::make_unique<CMainViewStudyHost>(*m_view, m_window, context);
        m_document->SetStudyViewHost(m_host.get());
    }

    // What the main window does with WM_USER+60.
    void Show(int viewId, int tabSelector) { m_document->ShowStudyView(tabSelector, viewId); }

    CTempXdgHome m_home;
    CTempFolder m_folder;
    CString m_answer; // the project file the document is given
    CMessageBoxRecorder m_boxes;
    FileDialogHandler m_previousDialog;
    std::unique_ptr<CRecDoc> m_document;
    std::unique_ptr<CMainViewStudyHost> m_host;
};

} // namespace

TEST_F(StudySwitchTest, EveryStudyViewIsBuiltAndItsViewsJoinTheDocument)
{
    Open(1);
    // The pages that live as long as the window: the project manager page and its right pane,
    // Advanced, the report list and content; before the first build the Energy Study tab's three
    // sections and the Load Study placeholder join them.
    const std::size_t fixedViews = 5;
    EXPECT_EQ(m_document->GetViews().size(), fixedViews + 4);
    for (int viewId = 0; viewId <= 8; ++viewId) {
        SCOPED_TRACE(viewId);
        Show(viewId, 0);
        EXPECT_EQ(m_view->GetCurrentViewId(), viewId);
        if (viewId == 7)
            continue; // no page: the previous one stays
        const TVisualObject* tab = viewId >= 5 ? Layout().load.tab : Layout().energy.tab;
        const int sections = viewId == 2 || viewId == 6 ? 2 : 3;
        EXPECT_EQ(tab->GetChildCount(), sections);
        EXPECT_EQ(Tabs().GetActiveTab(), viewId >= 5 ? 2 : 1);
        // The sections' views and the other study tab's placeholder: one view per page.
        EXPECT_EQ(m_document->GetViews().size(), fixedViews + std::size_t(sections) + 1);
        for (CWnd* view : m_document->GetViews())
            EXPECT_NE(view->GetSafeHwnd(), nullptr);
    }
}

TEST_F(StudySwitchTest, TheStudyTabsTakeTheRememberedViews)
{
    Open(1);
    Show(3, 0);
    Show(6, 0);
    EXPECT_EQ(m_view->GetCurrentViewId(), 6);
    // The Energy Study tab (lParam 1) brings back view 3, the Load Study tab view 6.
    Show(0, 1);
    EXPECT_EQ(m_view->GetCurrentViewId(), 3);
    EXPECT_NE(Frame(13), nullptr);
    Show(0, 2);
    EXPECT_EQ(m_view->GetCurrentViewId(), 6);
    EXPECT_NE(Frame(28), nullptr);
    // Asking again for the view shown on its own tab rebuilds nothing.
    const TVisualObject* tab = Layout().load.tab;
    Show(6, 2);
    EXPECT_EQ(Layout().load.tab, tab);
    // A bookmark forces the rebuild by clearing the current view id first.
    m_view->SetCurrentViewId(-1);
    Show(6, 2);
    EXPECT_NE(Layout().load.tab, tab);
}

TEST_F(StudySwitchTest, TheTabsFollowALoadProject)
{
    Open(2);
    UpdateStudyTabsEnabled(Layout(), m_document.get());
    EXPECT_FALSE(Tabs().IsTabEnabled(1));
    EXPECT_TRUE(Tabs().IsTabEnabled(2));
    EXPECT_FALSE(Tabs().IsTabEnabled(3));
    EXPECT_TRUE(Tabs().IsTabEnabled(4));
    Show(0, 2);
    EXPECT_EQ(m_view->GetCurrentViewId(), 5);
    // The build ends with the tab enabling routine: still no Energy tab.
    EXPECT_FALSE(Tabs().IsTabEnabled(1));
}

TEST_F(StudySwitchTest, AddingAndDeletingSessionsUpdatesTheTabs)
{
    MakeProject(2, "load");
    Open(1);
    m_host->UpdateTabsEnabled();
    EXPECT_TRUE(Tabs().IsTabEnabled(1));
    EXPECT_FALSE(Tabs().IsTabEnabled(2));
    ASSERT_EQ(0, m_document->ImportSession(m_folder.Path("load.zca"), 0));
    EXPECT_TRUE(Tabs().IsTabEnabled(2));
    ASSERT_EQ(0, m_document->DeleteSession(1));
    EXPECT_FALSE(Tabs().IsTabEnabled(2));
    EXPECT_TRUE(Tabs().IsTabEnabled(1));
}
