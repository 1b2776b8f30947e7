#pragma once
// An open project on the project manager page: sessions written by the session writer (Energy
// and Load studies, either byte order), screenshots as the logger writes them and pictures from
// elsewhere, a host window with the page inside, and the recorders that answer its dialogs.
#include "CardGridTestSupport.h"
#include "ScreenshotPicture.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/windows/CFileDialog.h"
#include "project/RecDoc.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "support/MessageBoxRecorder.h"
#include "support/ScopedUserLocale.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

class ProjectManagerPageTest : public CardGridTest
{
protected:
    static constexpr int kPageWidth = 1100;
    static constexpr int kPageHeight = 800;

    ProjectManagerPageTest()
    {
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousFileDialog = CFileDialog::SetDriver([this](CFileDialog& dialog) {
            fileRequests.push_back(dialog.GetQtFilter());
            proposedNames.push_back(dialog.GetPathName());
            initialFolders.push_back(dialog.m_ofn.lpstrInitialDir);
            if (nextPaths.empty())
                return INT_PTR(IDCANCEL);
            dialog.SetPathNames(nextPaths);
            nextPaths.clear();
            return INT_PTR(IDOK);
        });
        m_previousService = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_projectPathForZlg;
            return true;
        });
    }
    ~ProjectManagerPageTest() override
    {
        CloseProject();
        SetFileDialogHandler(std::move(m_previousService));
        CFileDialog::SetDriver(std::move(m_previousFileDialog));
        CProgressThread::SetDialogFactory({});
    }

    // A project archive holding one session of that kind; its path.
    CString MakeArchive(const std::string& name, SSessionSpec recording)
    {
        const std::string zlg = folder.Path(name + ".zlg");
        EXPECT_TRUE(WriteBytesToFile(zlg, CSessionWriter(recording).BuildFile()));
        const CString archive = folder.Path(name + ".zca");
        SZlgSessionInfo info;
        EXPECT_EQ(CRecDoc::ReadZlgSessionInfo(zlg, info), 0);
        EXPECT_EQ(CRecDoc::BuildArchiveFromZlg(archive, zlg, info), 0);
        return archive;
    }
    CString WritePicture(const std::string& name, int width, int height, const std::string& serial)
    {
        WriteFileBytes(folder.Root() / name, MakePicture(width, height, serial));
        return CString(folder.Path(name));
    }

    static SSessionSpec Spec(const char16_t* name, WORD studyType, bool bigEndian, int records)
    {
        SSessionSpec recording;
        recording.name = name;
        recording.studyType = studyType;
        recording.bigEndian = bigEndian;
        recording.trendRecords = records;
        return recording;
    }

    // Opens the project and shows the page for it.
    void OpenProject(const CString& path)
    {
        document = std::make_unique<CRecDoc>();
        ASSERT_TRUE(document->OnOpenDocument(path));
        projectPath = path;
        ShowPage();
    }
    // The bundled sample session, opened the way a user opens a data file: it becomes a project.
    void OpenSample()
    {
        const std::filesystem::path sample = std::filesystem::path(ORN_SOURCE_DIR) / "resources/samples/sample.zlg";
        std::filesystem::copy_file(sample, folder.Root() / "sample.zlg");
        m_projectPathForZlg = folder.Path("sample.zca");
        OpenProject(folder.Path("sample.zlg"));
        projectPath = m_projectPathForZlg;
    }
    void ShowPage()
    {
        host = std::make_unique<CRecordingPage>();
        ASSERT_TRUE(host->CreatePage(kPageWidth, kPageHeight));
        view = std::make_unique<CProjectManagerTableView>();
        view->m_bAutoDelete = false;
        ASSERT_TRUE(view->CreateView(host.get(), 1, document.get()));
        view->SendMessage(WM_INITIALUPDATE);
        CFrameworkApp::PumpWaitingMessages();
    }
    // Closes the page (it keeps its settings in the project) and then the project.
    void CloseProject()
    {
        if (view && view->GetSafeHwnd())
            view->DestroyWindow();
        view.reset();
        host.reset();
        if (document)
            document->OnCloseDocument();
        document.reset();
    }
    void Reopen()
    {
        document->SaveProject();
        CloseProject();
        OpenProject(projectPath);
    }
    // Sends a command as the cards do and lets everything it posted run.
    void Command(int command, int argument)
    {
        view->SendMessage(WM_PM_COMMAND, WPARAM(command), LPARAM(argument));
        CFrameworkApp::PumpWaitingMessages();
    }
    std::vector<CString> BoxTexts() const
    {
        std::vector<CString> texts;
        for (const auto& box : boxes.Boxes())
            texts.push_back(box.text);
        return texts;
    }

    CTempXdgHome home;
    CTempFolder folder;
    CScopedUserLocale locale{CUserLocale::EnUs()};
    CMessageBoxRecorder boxes{IDYES};
    std::unique_ptr<CRecDoc> document;
    std::unique_ptr<CRecordingPage> host;
    std::unique_ptr<CProjectManagerTableView> view;
    CString projectPath;
    // What the next file dialog answers (none: cancel), and the filters of those shown.
    std::vector<CString> nextPaths;
    std::vector<CString> fileRequests;
    std::vector<CString> proposedNames;
    std::vector<CString> initialFolders;

private:
    CString m_projectPathForZlg;
    CFileDialog::Driver m_previousFileDialog;
    FileDialogHandler m_previousService;
};
