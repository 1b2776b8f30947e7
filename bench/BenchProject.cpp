#include "BenchProject.h"

#include "BenchSessionFile.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "project/RecDoc.h"

#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>

void OpenFourSessionProject(CRecDoc& document, const std::string& name, int demandSeconds)
{
    CFrameworkApp::EnsureInitialized();
    CStringTable::Instance().LoadLanguage("ENG");
    CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
    const auto folder = std::filesystem::temp_directory_path() / ("orn_" + name + "_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    // The project files go when the process ends; the windows live until then.
    static struct SRemover
    {
        std::vector<std::filesystem::path> folders;
        ~SRemover()
        {
            std::error_code ec;
            for (const auto& made : folders)
                std::filesystem::remove_all(made, ec);
        }
    } remover;
    remover.folders.push_back(folder);
    const CString source = (folder / "one.zca").string();
    CString answer = source;
    const FileDialogHandler previous = SetFileDialogHandler([&answer](const SFileDialogRequest&, CString& path) {
        path = answer;
        return true;
    });
    const CString session = BenchSessionFile(100000, 60, demandSeconds, false);
    {
        CRecDoc maker;
        maker.OnOpenDocument(session);
    }
    answer = (folder / "four.zca").string();
    document.OnOpenDocument(session);
    for (int i = 0; i < 3; ++i)
        document.ImportSession(source, 0);
    SetFileDialogHandler(previous);
}
