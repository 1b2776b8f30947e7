// Importing sessions, saved screens and bookmarks into the open project and deleting them.
#include "project/RecDoc.h"

#include <filesystem>
#include <set>

#include "datamodel/DiskSpace.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/GdiObjects.h"
#include "project/BookmarkToolbarRow.h"
#include "project/BookmarkType.h"
#include "project/FileFailureText.h"
#include "project/PartialFile.h"
#include "project/ReportViewSettings.h"
#include "project/ScreenshotFolder.h"
#include "project/ScreenshotInfo.h"
#include "project/UniqueStreamName.h"
#include "project/IRecordFormView.h"

namespace {

constexpr UINT IDS_REFERENCED_BY_BOOKMARKS = 118; // "Data are referenced by bookmarks. ..."
constexpr UINT IDS_SAVE_AGAIN_OR_SAVE_AS = 20300;
constexpr UINT IDS_KEPT_AS_IT_IS = 20303;        // "%s is kept as it is, since part of it cannot be read (%s)."
constexpr UINT IDS_KEEP_CHANGES_UNDER_NEW_NAME = 20313;
constexpr UINT IDS_FILE_MOVED_AWAY = 20018; // "the file %s was moved, deleted or replaced ..."
constexpr UINT IDS_BOOKMARK_IN_REPORT = 129;
constexpr UINT IDS_SESSION_IN_REPORT = 130;
constexpr UINT IDS_IMAGE_IN_REPORT = 132;
constexpr char kBookmarkStreamName[] = "bookmark.png";
constexpr std::uint64_t kSectorTableReserve = 64 * 1024;
// Toolbar text kind per presentation (graph, overview table, time-range table).
constexpr int kViewTextKind[] = {1, 0, 2};

} // namespace

bool CRecDoc::WriteProject()
{
    if (WriteProjectQuietly())
        return true;
    // Told with the way out: nothing is lost while the project stays open.
    CString wayOut;
    wayOut.LoadString(m_project && m_project->IsLoadImperfect() ? IDS_KEEP_CHANGES_UNDER_NEW_NAME : IDS_SAVE_AGAIN_OR_SAVE_AS);
    AfxMessageBox((DescribeWhyNotWritten() + " " + wayOut).GetString(), MB_ICONEXCLAMATION);
    return false;
}

bool CRecDoc::WriteProjectQuietly()
{
    if (m_archive && m_archive->IsOpen())
        RemoveAbandonedPartials(m_pathName);
    if (!m_archive || !m_project || m_project->IsLoadImperfect() || !m_archive->WriteProjectXml(*m_project))
        return false;
    m_writtenText = m_project->SaveToBytes();
    return true;
}

void CRecDoc::ShowSaveFailure(const CString& reason) const
{
    CString format;
    format.LoadString(20010); // "Saving of %s failed: %s."
    AfxMessageBox(CString::Formatted(format.GetString(), GetFileNameOnly(m_pathName), reason).GetString(),
                  MB_ICONEXCLAMATION);
}

CString CRecDoc::DescribeWhyNotWritten() const
{
    CString text;
    if (m_project && m_project->IsLoadImperfect()) {
        text.LoadString(IDS_KEPT_AS_IT_IS);
        return CString::Formatted(text.GetString(), GetFileNameOnly(m_pathName), DescribeDroppedEntries());
    }
    CString reason;
    if (!m_archive || !m_archive->IsOpen() || !m_project)
        reason.LoadString(20017); // "the project file is no longer open"
    else if (!m_archive->IsAtItsPath()) {
        reason.LoadString(IDS_FILE_MOVED_AWAY);
        reason = CString::Formatted(reason.GetString(), m_pathName);
    } else
        reason = DescribeWriteFailure(m_pathName, m_project->SaveToBytes().size(), EWriteTarget::kOpenProject);
    text.LoadString(20010); // "Saving of %s failed: %s."
    return CString::Formatted(text.GetString(), GetFileNameOnly(m_pathName), reason);
}

int CRecDoc::RefuseUnstoredImport(std::uint64_t bytes) const
{
    // The copy takes whole sectors and the table sectors that chain them besides its bytes.
    const std::uint64_t needed = bytes + bytes / 64 + kSectorTableReserve;
    const std::optional<std::uint64_t> free = QueryFreeSpaceForFile(m_pathName.str());
    if (free && *free >= needed)
        return -1;
    ShowSaveFailure(DescribeWriteFailure(m_pathName, needed, EWriteTarget::kOpenProject, free));
    return kImportNotStored;
}

int CRecDoc::ImportSession(const CString& sourcePath, int index)
{
    if (!m_archive || !m_project || index < 0)
        return -1;
    CWaitCursor wait;
    CZcaArchive source;
    CProjectSettings sourceProject;
    if (!source.Open(sourcePath) || source.ReadProjectXml(sourceProject) == EProjectLoadResult::kUnreadable ||
        index >= sourceProject.GetMeasurementCount())
        return -1;
    const CMeasurementSettings& from = sourceProject.GetMeasurement(index);
    const CString targetName = m_archive->MakeUniqueStreamName(from.GetStreamName());
    if (targetName.IsEmpty())
        return -1;
    if (!m_archive->CopyStreamFrom(targetName, source, from.GetStreamName())) {
        std::uint64_t bytes = 0;
        for (int i = 0; i < source.GetElementCount(); ++i)
            if (source.GetElement(i).name == from.GetStreamName())
                bytes = source.GetElement(i).size;
        return RefuseUnstoredImport(bytes);
    }
    source.Close();

    CMeasurementSettings& measurement = m_project->AddMeasurement();
    measurement = from;
    measurement.SetStreamName(targetName);
    const int newIndex = m_project->GetMeasurementCount() - 1;
    // The session is read from its copy in this project, not from the source that closes now.
    auto dataSet = std::make_unique<CDataSet>(&measurement);
    dataSet->SetIndex(newIndex);
    const bool loaded = dataSet->LoadFromCompoundFile(*m_archive, targetName) == 0;
    if (loaded)
        m_dataSets.push_back(std::move(dataSet));
    const bool written = loaded && WriteProject();
    if (!written) {
        m_dataSets.resize(std::size_t(newIndex));
        m_project->RemoveMeasurementByStream(targetName);
        m_archive->DeleteElement(targetName);
        RebuildUserViewSettings();
        return loaded ? kImportNotStored : -1;
    }
    m_updateMsg.SetAdded(newIndex, GetDataSet(newIndex)->GetMeasurementConfig().GetStudyType());
    RebuildUserViewSettings();
    CountSessionsByStudyType();
    NotifyViews(&m_updateMsg);
    if (m_studyViewHost)
        m_studyViewHost->UpdateTabsEnabled();
    return 0;
}

int CRecDoc::ImportSavedScreen(const CString& filePath)
{
    CWaitCursor wait;
    if (!m_archive || !m_project)
        return -1;
    const CString fileName = GetFileNameOnly(filePath);
    const CString streamName = m_archive->MakeUniqueStreamName(fileName);
    CBitmap picture;
    if (!picture.LoadFromFile(filePath))
        return -2;
    if (streamName.IsEmpty())
        return -1;
    if (!m_archive->ImportFile(streamName, filePath)) {
        m_archive->DeleteElement(streamName);
        std::error_code unknown;
        const auto bytes = std::filesystem::file_size(filePath.GetString(), unknown);
        return RefuseUnstoredImport(unknown ? 0 : bytes);
    }
    CImageSettings image;
    image.fileName = fileName;
    image.streamName = streamName;
    if (!ReadScreenshotInfo(filePath, image))
        ReadScreenshotInfoFromLoggerDrive(filePath, image);
    m_project->AddImage(image);
    if (!WriteProject()) {
        m_project->RemoveImage(m_project->GetImageCount() - 1);
        m_archive->DeleteElement(streamName);
        return kImportNotStored;
    }
    return 0;
}

int CRecDoc::AddBookmark(int type, const CStringW& name, const CString& picturePath)
{
    if (!m_archive || !m_project || type < 0 || type >= kBookmarkTypeCount)
        return -1;
    // The settings the views of the bookmark's study view show now are kept with it.
    CProjectSettings viewSettings;
    const int studyView = BookmarkTypeToStudyView(type);
    for (CWnd* view : m_views) {
        auto* form = dynamic_cast<IRecordFormView*>(view);
        if (form && form->GetSettingsKind() == studyView)
            form->SaveViewSettings(&viewSettings);
    }
    const CString streamName = m_archive->MakeUniqueStreamName(kBookmarkStreamName);
    if (streamName.IsEmpty() || !m_archive->ImportFile(streamName, picturePath)) {
        if (!streamName.IsEmpty())
            m_archive->DeleteElement(streamName);
        std::error_code unknown;
        const auto pictureBytes = std::filesystem::file_size(picturePath.GetString(), unknown);
        ShowSaveFailure(DescribeWriteFailure(m_pathName, unknown ? 0 : pictureBytes, EWriteTarget::kOpenProject));
        return -1;
    }
    m_project->AddBookmark(type, name, streamName, CHighTime::GetPresentTime(), &viewSettings, m_userViewSettings.get());
    if (!WriteProject()) {
        m_project->RemoveBookmark(m_project->GetBookmarkCount() - 1);
        m_archive->DeleteElement(streamName);
        return -1;
    }
    NotifyViews(nullptr);
    // The button's answer: the new bookmark's tile on the report page.
    if (m_studyViewHost)
        m_studyViewHost->ShowBookmarkTile(m_project->GetBookmarkCount() - 1);
    return 0;
}

int CRecDoc::RenameBookmark(const CStringW& name, int index)
{
    if (!m_project || index < 0 || index >= m_project->GetBookmarkCount())
        return -1;
    CBookmark& bookmark = m_project->GetBookmark(index);
    CStringW text = name;
    text.Trim();
    if (text.IsEmpty())
        text = bookmark.GetName();
    const SBookmarkToolbarRow* row = BookmarkToolbar::FindRow(bookmark.GetType());
    if (!row)
        return -1;
    bookmark.SetViewText(kViewTextKind[row->presentation], text);
    bookmark.SetName(text);
    ++m_pageChanges;
    for (CWnd* view : m_views)
        view->PostMessage(WM_DOC_UPDATE, 0, 0);
    return 0;
}

CString CRecDoc::WhySessionStays(int index) const
{
    if (!m_project)
        return {};
    std::vector<CStringW> found;
    m_project->FindBookmarksUsingSession(index, found);
    const std::set<CStringW> names(found.begin(), found.end());
    CString text;
    if (!names.empty()) {
        text.LoadString(IDS_REFERENCED_BY_BOOKMARKS);
        bool first = true;
        for (const CStringW& name : names) {
            text += first ? "\"" : ", \"";
            text += name + "\"";
            first = false;
        }
        return text;
    }
    const auto* report = dynamic_cast<const CReportViewSettings*>(m_project->GetViewSettings(CViewSettings::kReportViewId));
    if (report && report->HasItem(SReportItem::kSession, index))
        text.LoadString(IDS_SESSION_IN_REPORT);
    return text;
}

int CRecDoc::DeleteSession(int index)
{
    CWaitCursor wait;
    if (!m_archive || !m_project || index < 0 || index >= m_project->GetMeasurementCount() || !GetDataSet(index))
        return -1;
    if (const CString refusal = WhySessionStays(index); !refusal.IsEmpty()) {
        AfxMessageBox(refusal.GetString(), MB_ICONEXCLAMATION);
        return -1;
    }
    m_project->RemoveSessionFromReport(index);
    // The stream goes with the rewrite of the project, which no longer names it: until that
    // is written the old project and its stream stay together in the file.
    m_project->RemoveMeasurement(index);
    m_project->RemoveSessionFromBookmarks(index);
    m_project->RemoveSessionFromProjectManager(index);
    m_trendCache->RemoveDataSet(GetDataSet(index));
    m_dataSets.erase(m_dataSets.begin() + index);
    m_project->RemoveUnusedStudyViewSettings();
    for (int i = 0; i < GetDataSetCount(); ++i)
        m_dataSets[std::size_t(i)]->SetIndex(i);
    WriteProject();
    m_valueFormatter->RemoveGroup(index);
    RebuildUserViewSettings();
    CountSessionsByStudyType();
    m_updateMsg.Set(index);
    NotifyViews(&m_updateMsg);
    if (m_studyViewHost)
        m_studyViewHost->UpdateTabsEnabled();
    return 0;
}

int CRecDoc::DeleteSavedScreen(int index)
{
    CWaitCursor wait;
    if (!m_archive || !m_project || index < 0 || index >= m_project->GetImageCount())
        return -1;
    if (!m_project->RemoveImageFromReport(index)) {
        AfxMessageBox(IDS_IMAGE_IN_REPORT, MB_ICONEXCLAMATION);
        return -1;
    }
    m_project->RemoveImage(index);
    m_project->RemoveImageFromProjectManager(index);
    WriteProject();
    return 0;
}

int CRecDoc::DeleteBookmark(int index)
{
    if (!m_archive || !m_project || index < 0 || index >= m_project->GetBookmarkCount())
        return -1;
    if (!m_project->RemoveBookmarkFromReport(index)) {
        AfxMessageBox(IDS_BOOKMARK_IN_REPORT, MB_ICONEXCLAMATION);
        return -1;
    }
    m_project->RemoveBookmark(index);
    WriteProject();
    NotifyViews(nullptr);
    return 0;
}
