// Closing the project: writing it back, and what is done when it cannot be written.
#include "project/RecDoc.h"

#include <ctime>
#include <filesystem>
#include <glog/logging.h>

#include "platform/framework/MessageBoxService.h"
#include "project/AppFolders.h"
#include "project/FileNameLimit.h"

namespace {

constexpr UINT IDS_SAVE_AS_OR_CLOSE = 20301;         // "... (Save As)? No closes it without the changes ..."
constexpr UINT IDS_UNSAVED_COPY_NAME = 20311;        // "%s (unsaved changes %s)"
constexpr UINT IDS_SAVE_CHANGES_AS_OR_CLOSE = 20314; // "... under a new name (Save As)? No closes the project without them."

// The name of a copy in the folder that holds changes the project file could not take, by the
// hour it was made: "<project> (unsaved changes 2026-12-08 17.05).zca", the project's name
// shortened where the whole would not fit the folder's file system.
CString UnsavedCopyName(const CString& projectPath, const std::filesystem::path& folder)
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char stamp[32] = {};
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H.%M", &local);
    CString format;
    format.LoadString(IDS_UNSAVED_COPY_NAME);
    const auto name = [&](const std::string& stem) {
        return CString::Formatted(format.GetString(), stem, CString(stamp)) + ".zca";
    };
    const std::string stem = std::filesystem::path(projectPath.str()).stem().string();
    const std::size_t rest = name(stem).str().size() - stem.size();
    return name(StemThatFits(stem, rest, FileNameLimit(folder)));
}

} // namespace

bool CRecDoc::HasUnwrittenChanges() const
{
    return m_project && m_project->SaveToBytes() != m_writtenText;
}

void CRecDoc::TakeShownViewsAsRead()
{
    if (!m_project || !m_project->IsLoadImperfect())
        return;
    StoreViewSettings();
    m_writtenText = m_project->SaveToBytes();
}

bool CRecDoc::IsUntouchedSinceRead()
{
    if (!m_project || !m_project->IsLoadImperfect())
        return false;
    // What is typed into a view reaches the project when the view stores its settings.
    StoreViewSettings();
    return !HasUnwrittenChanges();
}

bool CRecDoc::WriteBeforeClose()
{
    if (!m_project)
        return true;
    StoreViewSettings();
    // A project not read completely is never written: it loses nothing unless it was changed.
    if (WriteProjectQuietly() || !HasUnwrittenChanges())
        return true;
    CString question;
    question.LoadString(m_project->IsLoadImperfect() ? IDS_SAVE_CHANGES_AS_OR_CLOSE : IDS_SAVE_AS_OR_CLOSE);
    const int answer =
        AfxMessageBox((DescribeWhyNotWritten() + "\n\n" + question).GetString(), MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDNO) {
        LOG(INFO) << "Closing " << m_pathName.str() << " without the changes that could not be written";
        m_changesDiscarded = true;
        return true;
    }
    return answer == IDYES && AskAndSaveAs();
}

void CRecDoc::WriteBeforeEnd()
{
    if (!m_project)
        return;
    StoreViewSettings();
    if (WriteProjectQuietly() || !HasUnwrittenChanges() || !m_archive || !m_archive->IsOpen())
        return;
    // Nobody may be there to answer: the changes go into a copy where there is room for one,
    // beside the project or else in the data folder.
    const std::filesystem::path projectFolder = std::filesystem::path(m_pathName.str()).parent_path();
    for (const std::filesystem::path& folder : {projectFolder, std::filesystem::path(GetAppDataFolder().str())}) {
        const CString target((folder / UnsavedCopyName(m_pathName, folder).str()).string());
        const CString refusal = CopyProjectTo(target);
        if (refusal.IsEmpty()) {
            LOG(INFO) << "The changes the project file could not take are in " << target.str();
            return;
        }
        LOG(INFO) << "CRecDoc::WriteBeforeEnd - WARNING: " << refusal.str();
    }
    LOG(INFO) << "CRecDoc::WriteBeforeEnd - WARNING: the changes to " << m_pathName.str() << " could not be written anywhere";
}
