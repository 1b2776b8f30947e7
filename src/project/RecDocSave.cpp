// Making a project from a data file, Save and Save As.
#include "project/RecDoc.h"

#include <cstdio>
#include <filesystem>
#include <glog/logging.h>
#include <sys/stat.h>

#include "datamodel/VersionEntry.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/MessageBoxService.h"
#include "project/FileFailureText.h"
#include "project/PartialFile.h"
#include "project/UniqueStreamName.h"
#include "project/AppFolders.h"
#include "project/BuildInfo.h"

namespace {

constexpr UINT IDS_SAVING_FAILED_BECAUSE = 20010; // "Saving of %s failed: %s."
constexpr UINT IDS_NOT_READ_BACK = 20016;
constexpr UINT IDS_SAVE_OVER_ITSELF = 20019;     // "%s is the open project and cannot be replaced ..."
constexpr UINT IDS_REPLACE_FILE = 20020;         // "%s already exists.\nDo you want to replace it?"
constexpr UINT IDS_SAVE_AS_INSTEAD = 20315;      // "Do you want to save the project under a name ... (Save As)? ..."
constexpr UINT IDS_ZCA_FILTER = 10000;          // "Zelko Compound files (*.zca)|*.zca||"
constexpr UINT IDS_UNABLE_TO_CREATE_ZCA = 10062; // "Unable to create ZCA file: %s!"
constexpr WORD kSerialNumberEntry = 45;
constexpr char kZcaExtension[] = "zca";

CString LoadFormatted(UINT id, const CString& argument, const CString& second = {})
{
    CString format;
    format.LoadString(id);
    return CString::Formatted(format.GetString(), argument, second);
}

void ShowFormatted(UINT id, const CString& argument, const CString& second = {})
{
    AfxMessageBox(LoadFormatted(id, argument, second).GetString(), MB_ICONEXCLAMATION);
}

std::uint64_t FileSize(const CString& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path.GetString(), error);
    return error ? 0 : std::uint64_t(size);
}

bool IsSameFile(const CString& a, const CString& b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(a.GetString(), &first) == 0 && ::stat(b.GetString(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// "Saving of <name> failed: <reason>." for a project file that could not be written.
CString SaveFailureText(const CString& path, std::uint64_t neededBytes)
{
    return LoadFormatted(IDS_SAVING_FAILED_BECAUSE, GetFileNameOnly(path), DescribeWriteFailure(path, neededBytes));
}

// Save As asks about replacing a file itself, after refusing the open file.
SFileDialogRequest ZcaSaveRequest(const CString& initialName, bool overwritePrompt = true)
{
    SFileDialogRequest request;
    request.defaultExtension = kZcaExtension;
    request.initialName = initialName;
    request.filter.LoadString(IDS_ZCA_FILTER);
    request.flags = OFN_HIDEREADONLY | (overwritePrompt ? OFN_OVERWRITEPROMPT : 0) | OFN_EXPLORER;
    return request;
}

} // namespace

int CRecDoc::ReadZlgSessionInfo(const CString& zlgPath, SZlgSessionInfo& info, int* loadResult)
{
    CMeasurementSettings measurement;
    CDataSet dataSet(&measurement);
    const int result = dataSet.LoadFromFile(zlgPath, false);
    if (loadResult)
        *loadResult = result != 0 || dataSet.GetMeasurementConfig().IsLoaded() ? result : CDataSet::kResultBadStream;
    if (result != 0 || !dataSet.GetMeasurementConfig().IsLoaded())
        return -1;
    const CMeasurementConfig& config = dataSet.GetMeasurementConfig();
    info.sessionName = config.GetSessionName();
    info.sourcePath = zlgPath;
    info.description = config.GetDescription();
    info.path = zlgPath;
    MakeDisplayNameWithSerial(info.displayName, info.sessionName, dataSet.DescribeTable(kSerialNumberEntry, false));
    info.startTime = config.GetConfiguredStart();
    info.endTime = config.GetConfiguredEnd();
    info.studyType = WORD(config.GetStudyType());
    info.filled = 1;
    return 0;
}

namespace {

// The session's record; false (after telling the user why) when it cannot be loaded.
bool ReadSessionForProject(const CString& zlgPath, SZlgSessionInfo& info)
{
    int loadResult = 0;
    if (CRecDoc::ReadZlgSessionInfo(zlgPath, info, &loadResult) == 0)
        return true;
    if (const CString text = SessionOpenFailureText(zlgPath, loadResult); !text.IsEmpty())
        AfxMessageBox(text.GetString(), MB_ICONEXCLAMATION);
    return false;
}

} // namespace

BOOL CRecDoc::MakeProjectFromSession(const CString& zlgPath, const CString& projectPath)
{
    SZlgSessionInfo info;
    return ReadSessionForProject(zlgPath, info) && BuildArchiveFromZlg(projectPath, zlgPath, info) == 0;
}

int CRecDoc::CreateProjectFromZlg(const CString& zlgPath, CString& projectPath)
{
    SZlgSessionInfo info;
    if (!ReadSessionForProject(zlgPath, info))
        return -1;
    CString chosen;
    if (!RunFileDialog(ZcaSaveRequest(GetDownloadFolder() + info.sessionName), chosen))
        return -1;
    if (BuildArchiveFromZlg(chosen, zlgPath, info) != 0)
        return -1;
    projectPath = chosen;
    return 0;
}

int CRecDoc::BuildArchiveFromZlg(const CString& archivePath, const CString& zlgPath, const SZlgSessionInfo& info)
{
    // The archive is built beside its target and renamed into place when complete, so that a
    // failure loses no file the user chose to replace; a target that is the data file itself
    // would be emptied before it is read. Until the rename nothing relies on the partial file, so
    // it is synced once, complete, instead of at every commit.
    if (IsSameFile(archivePath, zlgPath)) {
        ShowFormatted(IDS_UNABLE_TO_CREATE_ZCA, archivePath);
        return -1;
    }
    RemoveAbandonedPartials(archivePath);
    const CString partial = PartialPathFor(archivePath);
    CZcaArchive archive;
    // A half-made project is of no use to anyone, even one whose file could not be started; the
    // data file itself is untouched.
    const auto fail = [&] {
        archive.Close();
        std::remove(partial.GetString());
        AfxMessageBox(SaveFailureText(archivePath, FileSize(zlgPath)).GetString(), MB_ICONEXCLAMATION);
        return -1;
    };
    if (!archive.Create(partial, {}, ECommitSync::Deferred))
        return fail();
    const CString streamName = archive.MakeUniqueStreamName(info.path);
    CProjectSettings project;
    CMeasurementSettings& measurement = project.AddMeasurement(info.path, streamName);
    measurement.SetDescription(info.description);
    measurement.SetStartTime(info.startTime);
    measurement.SetEndTime(info.endTime);
    measurement.SetStudyType(info.studyType);
    measurement.SetAppVersion(GetAppVersion(false));
    measurement.SetAppBuild(GetBuildStamp());
    bool written = !streamName.IsEmpty() && archive.ImportFile(streamName, zlgPath) &&
                   archive.WriteProjectXml(project) && archive.FlushToDisk();
    archive.Close();
    if (!written || std::rename(partial.GetString(), archivePath.GetString()) != 0)
        return fail();
    return 0;
}

void CRecDoc::SaveProject()
{
    StoreViewSettings();
    if (!m_archive)
        return;
    if (m_archive->IsOpen() && !m_archive->IsAtItsPath()) {
        // Saving again cannot help: the work goes where the user chooses.
        CString offer;
        offer.LoadString(IDS_SAVE_AS_INSTEAD);
        if (AfxMessageBox((DescribeWhyNotWritten() + " " + offer).GetString(), MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
            AskAndSaveAs();
        return;
    }
    WriteProject();
}

void CRecDoc::SaveProjectAs()
{
    AskAndSaveAs();
}

bool CRecDoc::AskAndSaveAs()
{
    if (!m_archive)
        return false;
    CString chosen;
    if (!RunFileDialog(ZcaSaveRequest(m_archive->GetPath(), false), chosen))
        return false;
    if (m_archive->HoldsFileAt(chosen)) {
        ShowFormatted(IDS_SAVE_OVER_ITSELF, GetFileNameOnly(chosen));
        return false;
    }
    if (std::filesystem::exists(chosen.GetString()) &&
        AfxMessageBox(LoadFormatted(IDS_REPLACE_FILE, chosen).GetString(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return false;
    return SaveProjectTo(chosen);
}

bool CRecDoc::SaveProjectTo(const CString& targetPath)
{
    if (!m_archive || !m_archive->IsOpen() || !m_project)
        return false;
    StoreViewSettings();
    const CString refusal = CopyProjectTo(targetPath);
    if (!refusal.IsEmpty())
        AfxMessageBox(refusal.GetString(), MB_ICONEXCLAMATION);
    return refusal.IsEmpty();
}

CString CRecDoc::CopyProjectTo(const CString& targetPath)
{
    const CString fileName = GetFileNameOnly(targetPath);
    // Replacing the open file by its own copy would delete the original first.
    if (m_archive->HoldsFileAt(targetPath))
        return LoadFormatted(IDS_SAVE_OVER_ITSELF, fileName);
    // A file another project holds open would be replaced under it, and written back later.
    const std::uint64_t needed = FileSize(m_archive->GetPath());
    if (IsFileHeldByAnotherOpener(targetPath))
        return SaveFailureText(targetPath, needed);

    // The copy is made beside the target and renamed into place only when it is complete (and
    // synced once), so that neither the old project nor an existing target is lost on the way.
    RemoveAbandonedPartials(targetPath);
    const CString partial = PartialPathFor(targetPath);
    bool copied = false;
    {
        CZcaArchive target;
        if (target.Create(partial, {}, ECommitSync::Deferred)) {
            m_archive->RefreshElementList();
            copied = true;
            for (int i = 0; copied && i < m_archive->GetElementCount(); ++i) {
                const CString name = m_archive->GetElement(i).name;
                // A session's stream is held open by its data set and is read through it.
                const int session = m_project->FindMeasurement(name);
                IDataStream* held = GetDataSet(session) ? GetDataSet(session)->GetStream() : nullptr;
                copied = held ? target.ImportDataStream(name, *held) : target.CopyStreamFrom(name, *m_archive, name);
            }
            copied = copied && target.WriteProjectXml(*m_project) && target.FlushToDisk();
        }
    }
    if (!copied || std::rename(partial.GetString(), targetPath.GetString()) != 0) {
        std::remove(partial.GetString());
        return SaveFailureText(targetPath, needed);
    }

    auto reopened = std::make_unique<CZcaArchive>();
    CProjectSettings check;
    if (!reopened->Open(targetPath) || reopened->ReadProjectXml(check) != EProjectLoadResult::kComplete) {
        // The old file stays the open project; the new one holds the complete copy.
        return LoadFormatted(IDS_SAVING_FAILED_BECAUSE, fileName, LoadFormatted(IDS_NOT_READ_BACK, {}, {}));
    }
    // The data sets keep reading from the streams they opened in the old file, which stays
    // alive (and locked) until they are released. The new file holds all the project holds.
    m_archive = std::move(reopened);
    m_pathName = targetPath;
    m_project->ForgetDroppedEntries();
    m_writtenText = m_project->SaveToBytes();
    ++m_pageChanges; // the graphs show the project's title
    SetModifiedFlag(FALSE);
    return {};
}
