// The Project Manager tab of a project window over an open project: its page shows the
// project's cards, and sessions the page adds or removes turn the study tabs on and off.
#include "MainViewFixture.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "mainview/MainViewStudyHost.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CFileDialog.h"
#include "project/RecDoc.h"
#include "projectmanager/ProjectManagerDataSetGrid.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "support/MessageBoxRecorder.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"

#include <cstdlib>
#include <filesystem>

namespace {

class ProjectManagerTabTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
    }
    void SetUp() override
    {
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousService = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_folder.Path("energy.zca");
            return true;
        });
        SSessionSpec energy;
        ASSERT_TRUE(WriteBytesToFile(m_folder.Path("energy.zlg"), CSessionWriter(energy).BuildFile()));
        SSessionSpec load;
        load.studyType = 2;
        load.name = u"Motor load";
        ASSERT_TRUE(WriteBytesToFile(m_folder.Path("load.zlg"), CSessionWriter(load).BuildFile()));
        SZlgSessionInfo info;
        ASSERT_EQ(CRecDoc::ReadZlgSessionInfo(m_folder.Path("load.zlg"), info), 0);
        ASSERT_EQ(CRecDoc::BuildArchiveFromZlg(m_folder.Path("load.zca"), m_folder.Path("load.zlg"), info), 0);

        m_document = std::make_unique<CRecDoc>();
        ASSERT_TRUE(m_document->OnOpenDocument(m_folder.Path("energy.zlg")));
        ASSERT_TRUE(m_window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                      CRect(0, 0, 1100, 760), nullptr, 0));
        SViewCreateContext context;
        context.document = m_document.get();
        m_view = std::make_unique<CMainView>();
        ASSERT_TRUE(m_view->Create(&m_window, nullptr, context));
        m_host = std::make_unique<CMainViewStudyHost>(*m_view, m_window, context);
        m_document->SetStudyViewHost(m_host.get());
        m_host->UpdateTabsEnabled();
        CFrameworkApp::PumpWaitingMessages();
    }
    void TearDown() override
    {
        m_document->SetStudyViewHost(nullptr);
        m_view.reset();
        m_window.DestroyWindow();
        CFrameworkApp::PumpWaitingMessages();
        m_document->OnCloseDocument();
        SetFileDialogHandler(std::move(m_previousService));
        CProgressThread::SetDialogFactory({});
    }

    TTabWnd& Tabs() { return *dynamic_cast<TTabWnd*>(m_view->GetRootWindow()); }
    CProjectManagerTableView* Page()
    {
        const TVisualObject* object = m_view->GetLayout().GetObject(20);
        auto* frame = object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
        return frame ? dynamic_cast<CProjectManagerTableView*>(frame->GetView()) : nullptr;
    }
    void Command(int command, int argument)
    {
        Page()->SendMessage(WM_PM_COMMAND, WPARAM(command), LPARAM(argument));
        CFrameworkApp::PumpWaitingMessages();
    }
    void Render(const char* name)
    {
        CFrameworkApp::PumpWaitingMessages();
        CRect client;
        m_window.GetClientRect(&client);
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr);
        CBitmap* old = memory.SelectObject(&bitmap);
        m_window.PrintWindow(&memory);
        memory.SelectObject(old);
        if (const char* dir = std::getenv("ORN_RENDER_DIR")) {
            EXPECT_TRUE(bitmap.SaveToFile(CString((std::filesystem::path(dir) / (std::string(name) + ".png")).string())));
        }
    }

    CTempXdgHome m_home;
    CTempFolder m_folder;
    CMessageBoxRecorder m_boxes{IDYES};
    std::unique_ptr<CRecDoc> m_document;
    CWnd m_window;
    std::unique_ptr<CMainView> m_view;
    std::unique_ptr<CMainViewStudyHost> m_host;
    FileDialogHandler m_previousService;
};

TEST_F(ProjectManagerTabTest, ThePageShowsTheProjectAndItsSessionsSwitchTheStudyTabs)
{
    ASSERT_NE(Page(), nullptr);
    Page()->SendMessage(WM_INITIALUPDATE);
    EXPECT_EQ(Page()->GetContent().dataSetCount, 1);
    EXPECT_EQ(Page()->GetDataSetGrid()->GetSectionCount(), 1);
    EXPECT_TRUE(Tabs().IsTabEnabled(1));
    EXPECT_FALSE(Tabs().IsTabEnabled(2));
    Render("project_window_manager_tab");

    // A Load session added on the page opens the Load Study tab.
    const auto previous = CFileDialog::SetDriver([this](CFileDialog& dialog) {
        dialog.SetPathName(m_folder.Path("load.zca"));
        return INT_PTR(IDOK);
    });
    Command(kCommandAddSession, 0);
    CFileDialog::SetDriver(previous);
    EXPECT_EQ(Page()->GetContent().dataSetCount, 2);
    EXPECT_TRUE(Tabs().IsTabEnabled(2));

    // Without sessions the study tabs close.
    Command(kCommandDeleteSession, 1);
    Command(kCommandDeleteSession, 0);
    EXPECT_EQ(m_document->GetMeasurementCount(), 0);
    EXPECT_FALSE(Tabs().IsTabEnabled(1));
    EXPECT_FALSE(Tabs().IsTabEnabled(4));
}

} // namespace
