#include "BenchProgram.h"

#include "BenchSessionFile.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "project/RecDoc.h"
#include "project/ZlgSessionInfo.h"
#include "shell/ChildFrameQuarn.h"
#include "shell/MainFrame.h"
#include "shell/OrnApp.h"
#include "shell/RecDocTemplate.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

std::filesystem::path ScratchHome()
{
    return std::filesystem::temp_directory_path() / ("orn-bench-home-" + std::to_string(::getpid()));
}

} // namespace

void UseScratchHome()
{
    static const bool done = [] {
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
            const auto folder = ScratchHome() / name;
            std::filesystem::create_directories(folder);
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
            ::setenv(name, folder.c_str(), 1);
        }
        return std::atexit([] {
                   std::error_code ignored;
                   std::filesystem::remove_all(ScratchHome(), ignored);
               }) == 0;
    }();
    (void)done;
}

const std::string& MinuteSessionProject(int records, int studyType)
{
    static std::map<std::pair<int, int>, std::string> projects;
    std::string& project = projects[{records, studyType}];
    if (project.empty()) {
        UseScratchHome();
        const std::string& zlg = MinuteSessionFile(records, studyType);
        project = (ScratchHome() / (std::to_string(records) + "-study" + std::to_string(studyType) + ".zca")).string();
        SZlgSessionInfo info;
        info.path = CString(zlg);
        info.sourcePath = info.path;
        info.sessionName = "Bench";
        if (CRecDoc::BuildArchiveFromZlg(CString(project), CString(zlg), info) != 0)
            project.clear();
    }
    return project;
}

const std::string& FourSessionProject(int records)
{
    static std::map<int, std::string> projects;
    std::string& project = projects[records];
    if (project.empty()) {
        const std::string& one = MinuteSessionProject(records);
        if (one.empty())
            return project;
        const std::string four = (ScratchHome() / ("four-" + std::to_string(records) + ".zca")).string();
        std::filesystem::copy_file(one, four, std::filesystem::copy_options::overwrite_existing);
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        CRecDoc document;
        bool made = document.OnOpenDocument(CString(four)) != FALSE;
        for (int i = 0; made && i < 3; ++i)
            made = document.ImportSession(CString(one), 0) == 0;
        if (made)
            project = four;
    }
    return project;
}

bool StartProgramOn(const std::string& project)
{
    // The program would ask about a missing file in a message box nobody answers here.
    std::error_code error;
    if (!std::filesystem::is_regular_file(project, error))
        return false;
    UseScratchHome();
    COrnApp& app = COrnApp::Instance();
    static const bool templateSet = [&app] {
        app.SetDocTemplate(CreateRecDocTemplate());
        return true;
    }();
    (void)templateSet;
    SStartOptions options;
    options.logging = false;
    options.endOnSignals = false;
    const bool opened = app.InitInstance({CString(project)}, options) && app.GetDocument();
    CFrameworkApp::PumpWaitingMessages();
    return opened;
}

void EndProgram()
{
    COrnApp::Instance().ExitInstance();
    CFrameworkApp::PumpWaitingMessages();
}

CRecDoc* ProgramDocument()
{
    return dynamic_cast<CRecDoc*>(COrnApp::Instance().GetDocument());
}

CMainView* ProgramMainView()
{
    CMainFrame* frame = COrnApp::Instance().GetMainFrame();
    CChildFrameQuarn* window = frame ? frame->GetProjectWindow() : nullptr;
    return window ? &window->GetMainView() : nullptr;
}

void ProgramCommand(UINT id)
{
    ProgramMessage(WM_COMMAND, id, 0);
}

void ProgramMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CMainFrame* frame = COrnApp::Instance().GetMainFrame())
        frame->SendMessage(message, wParam, lParam);
    CFrameworkApp::PumpWaitingMessages();
}
