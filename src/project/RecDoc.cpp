#include "project/RecDoc.h"

#include <algorithm>
#include <glog/logging.h>

#include "datamodel/TrendTimeBlock.h"
#include "platform/framework/MessageBoxService.h"
#include "project/FileFailureText.h"
#include "project/PartialFile.h"
#include "project/ProjectManagerSettings.h"
#include "project/UniqueStreamName.h"
#include "datamodel/RegionPrefs.h"

namespace {

constexpr UINT IDS_FILE_CANNOT_BE_OPENED = 5520;   // "File can not be opened: %s."
constexpr UINT IDS_PROJECT_UNREADABLE = 134;       // the project description cannot be read
constexpr UINT IDS_SAVED_SCREEN = 10119;           // "Saved Screen"
constexpr UINT IDS_PROJECT_IN_USE = 20143;         // "%s is open in another instance of the program. ..."
constexpr UINT IDS_PROJECT_READ_ONLY = 20144;      // "%s is read-only. ..."
constexpr UINT IDS_STREAM_OF_ANOTHER_SESSION = 20231; // "the session \"%s\" is kept in the same stream \"%s\""
constexpr UINT IDS_SESSION_NOT_LOADED = 20145;     // "%s cannot be opened: the session \"%s\" cannot be loaded: %s."
constexpr UINT IDS_PART_NOT_READ = 20302;          // "Part of %s cannot be read by this version ...: %s. ..."
constexpr UINT IDS_ONE_SESSION = 20304;
constexpr UINT IDS_SESSIONS = 20305;               // "%d sessions"
constexpr UINT IDS_ONE_SAVED_SCREEN = 20306;
constexpr UINT IDS_SAVED_SCREENS = 20307;
constexpr UINT IDS_ONE_BOOKMARK = 20308;
constexpr UINT IDS_BOOKMARKS = 20309;
constexpr UINT IDS_THE_SESSION_LIST = 20310;       // "the list of sessions"

CRecDoc*& CurrentDocument()
{
    static CRecDoc* current = nullptr;
    return current;
}

CString LoadFormatted(UINT id, const CString& argument, const CString& second = {}, const CString& third = {})
{
    CString format;
    format.LoadString(id);
    return CString::Formatted(format.GetString(), argument, second, third);
}

// Why a project file cannot be opened: another opener holds it, it may not be written, or any
// other cause.
CString ArchiveOpenFailureText(const CString& path)
{
    if (IsFileHeldByAnotherOpener(path))
        return LoadFormatted(IDS_PROJECT_IN_USE, path);
    if (IsFileReadOnly(path))
        return LoadFormatted(IDS_PROJECT_READ_ONLY, path);
    return LoadFormatted(IDS_FILE_CANNOT_BE_OPENED, path);
}

} // namespace

bool IsZlgPath(const CString& path)
{
    const int dot = path.ReverseFind('.');
    return dot > path.ReverseFind('/') && path.Mid(dot).CompareNoCase(".zlg") == 0;
}

CRecDoc::CRecDoc()
{
    if (CRecDoc* previous = CurrentDocument())
        previous->OnCloseDocument();
    CurrentDocument() = this;
    m_trendCache = std::make_unique<CTrendCache>();
    m_valueFormatter = std::make_unique<CValueFormatter>();
    m_userViewSettings = std::make_unique<CUserViewSettings>();
}

CRecDoc::~CRecDoc()
{
    DeleteContents();
    if (CurrentDocument() == this)
        CurrentDocument() = nullptr;
}

CRecDoc* CRecDoc::GetCurrent()
{
    return CurrentDocument();
}

void CRecDoc::DeleteContents()
{
    if (!m_changesDiscarded)
        WriteProjectQuietly();
    ReleaseContents();
}

void CRecDoc::ReleaseContents()
{
    m_trendCache->Clear();
    m_dataSets.clear();
    m_archive.reset();
    m_project.reset();
    m_writtenText.clear();
    m_changesDiscarded = false;
}

void CRecDoc::OnCloseDocument()
{
    DeleteContents();
    if (CurrentDocument() == this)
        CurrentDocument() = nullptr;
}

BOOL CRecDoc::OnOpenDocument(const CString& path)
{
    // The first keys of the new project get the first palette colours again.
    CRegionPrefs::ResetPaletteAssignment();
    DeleteContents();
    SetModifiedFlag(TRUE);
    m_project = std::make_unique<CProjectSettings>();

    CString projectPath = path;
    if (IsZlgPath(path) && CreateProjectFromZlg(path, projectPath) != 0) {
        // Cancelled, or the user was told why.
        ReleaseContents();
        return FALSE;
    }

    m_archive = std::make_unique<CZcaArchive>();
    if (!m_archive->Open(projectPath)) {
        FailOpen(ArchiveOpenFailureText(projectPath));
        return FALSE;
    }
    RemoveAbandonedPartials(projectPath);
    // A project that cannot be read would open empty, and writing it back would sweep every
    // session away: such a file is refused and left as it is.
    if (m_archive->ReadProjectXml(*m_project) == EProjectLoadResult::kUnreadable) {
        FailOpen(LoadFormatted(IDS_PROJECT_UNREADABLE, projectPath));
        return FALSE;
    }
    if (const CString failure = LoadDataSets(projectPath); !failure.IsEmpty()) {
        FailOpen(failure);
        return FALSE;
    }
    m_pathName = projectPath;
    UpdateSessionConfigs();
    RebuildUserViewSettings();
    CountSessionsByStudyType();
    SetModifiedFlag(FALSE);
    m_writtenText = m_project->SaveToBytes();
    // What this version cannot read stays in the file; the user learns it before working on it.
    if (m_project->IsLoadImperfect())
        AfxMessageBox(LoadFormatted(IDS_PART_NOT_READ, projectPath, DescribeDroppedEntries()).GetString(),
                      MB_ICONINFORMATION);
    return TRUE;
}

CString CRecDoc::DescribeDroppedEntries() const
{
    const SDroppedEntries& dropped = m_project->GetDroppedEntries();
    const auto count = [](int n, UINT one, UINT many) {
        CString text;
        text.LoadString(n == 1 ? one : many);
        return n == 1 ? text : CString::Formatted(text.GetString(), n);
    };
    std::vector<CString> parts;
    if (dropped.sessionList)
        parts.push_back(count(1, IDS_THE_SESSION_LIST, IDS_THE_SESSION_LIST));
    if (dropped.sessions > 0)
        parts.push_back(count(dropped.sessions, IDS_ONE_SESSION, IDS_SESSIONS));
    if (dropped.savedScreens > 0)
        parts.push_back(count(dropped.savedScreens, IDS_ONE_SAVED_SCREEN, IDS_SAVED_SCREENS));
    if (dropped.bookmarks > 0)
        parts.push_back(count(dropped.bookmarks, IDS_ONE_BOOKMARK, IDS_BOOKMARKS));
    CString text;
    for (const CString& part : parts)
        text += (text.IsEmpty() ? "" : ", ") + part;
    return text;
}

CString CRecDoc::LoadDataSets(const CString& projectPath)
{
    // A session as the user named it, else the file it came from.
    const auto* manager =
        dynamic_cast<const CProjectManagerSettings*>(m_project->GetViewSettings(CViewSettings::kProjectManagerViewId));
    const auto nameOf = [&](int i) -> CString {
        CStringW name;
        if (manager)
            name = manager->GetDataSetName(i);
        if (name.IsEmpty())
            name = GetFileNameOnly(m_project->GetMeasurement(i).GetFileName());
        return name;
    };
    for (int i = 0; i < m_project->GetMeasurementCount(); ++i) {
        CMeasurementSettings& measurement = m_project->GetMeasurement(i);
        // A stream can be read by one session only: a second one naming it is told as such.
        for (int earlier = 0; earlier < i; ++earlier)
            if (m_project->GetMeasurement(earlier).GetStreamName().CompareNoCase(measurement.GetStreamName()) == 0) {
                LOG(INFO) << "CRecDoc::OnOpenDocument - WARNING: sessions " << earlier << " and " << i
                          << " name one stream " << measurement.GetStreamName().str();
                return LoadFormatted(IDS_SESSION_NOT_LOADED, projectPath, nameOf(i),
                                     LoadFormatted(IDS_STREAM_OF_ANOTHER_SESSION, nameOf(earlier), measurement.GetStreamName()));
            }
        auto dataSet = std::make_unique<CDataSet>(&measurement);
        dataSet->SetIndex(i);
        const int result = dataSet->LoadFromCompoundFile(*m_archive, measurement.GetStreamName());
        if (result != 0) {
            LOG(INFO) << "CRecDoc::OnOpenDocument - WARNING: session stream " << measurement.GetStreamName().str()
                      << " cannot be loaded, result " << result;
            return LoadFormatted(IDS_SESSION_NOT_LOADED, projectPath, nameOf(i), SessionLoadFailureReason(result));
        }
        m_dataSets.push_back(std::move(dataSet));
    }
    return {};
}

void CRecDoc::FailOpen(const CString& text)
{
    // Nothing was changed by the failed open, so nothing is written back.
    ReleaseContents();
    AfxMessageBox(text.GetString(), MB_ICONEXCLAMATION);
}

CDataSet* CRecDoc::GetDataSet(int index) const
{
    return index >= 0 && index < GetDataSetCount() ? m_dataSets[std::size_t(index)].get() : nullptr;
}

int CRecDoc::GetMeasurementCount() const
{
    return m_project ? m_project->GetMeasurementCount() : 0;
}

void CRecDoc::CountSessionsByStudyType()
{
    m_energyStudySessions = 0;
    m_loadStudySessions = 0;
    if (!m_project)
        return;
    for (const auto& dataSet : m_dataSets) {
        if (dataSet->GetMeasurementConfig().IsStudyTypeCompatible(1))
            ++m_energyStudySessions;
        if (dataSet->GetMeasurementConfig().IsStudyTypeCompatible(2))
            ++m_loadStudySessions;
    }
}

CStringW CRecDoc::GetSessionName(int index) const
{
    CStringW name;
    if (m_project) {
        if (const auto* manager = dynamic_cast<const CProjectManagerSettings*>(
                m_project->GetViewSettings(CViewSettings::kProjectManagerViewId)))
            name = manager->GetDataSetName(index);
    }
    if (name.IsEmpty()) {
        if (const CDataSet* dataSet = GetDataSet(index))
            name = dataSet->GetMeasurementConfig().GetSessionName();
    }
    return name;
}

CStringW CRecDoc::GetSavedScreenName(int index) const
{
    CStringW name;
    if (m_project) {
        if (const auto* manager = dynamic_cast<const CProjectManagerSettings*>(
                m_project->GetViewSettings(CViewSettings::kProjectManagerViewId)))
            name = manager->GetSavedScreenName(index);
    }
    if (name.IsEmpty()) {
        CString text;
        text.LoadString(IDS_SAVED_SCREEN);
        name = CString::Formatted("%s %d", text, index + 1);
    }
    return name;
}

template <typename Select>
CHighTime CRecDoc::FindTime(int recordKind, int studyType, const CHighTime& fallback, Select select)
{
    bool found = false;
    CHighTime result = fallback;
    for (const auto& dataSet : m_dataSets) {
        if (studyType != -1 && !dataSet->GetMeasurementConfig().IsStudyTypeCompatible(studyType))
            continue;
        const CTrendTimeBlock* blocks[] = {
            recordKind == kTrendRecords || recordKind == kAllRecords ? dataSet->GetTrendTimeBlock() : nullptr,
            recordKind == kDemandRecords || recordKind == kAllRecords ? dataSet->GetDemandTimeBlock() : nullptr,
        };
        for (const CTrendTimeBlock* block : blocks) {
            if (!block || block->GetRecordCount() < 1)
                continue;
            const CHighTime time = select(*block);
            if (time.IsZero())
                continue;
            if (!found || select.IsBetter(time, result))
                result = time;
            found = true;
        }
    }
    return result;
}

CHighTime CRecDoc::GetFirstTime(int recordKind, int studyType)
{
    struct SFirst
    {
        CHighTime operator()(const CTrendTimeBlock& block) const { return block.GetFirstTime(); }
        bool IsBetter(const CHighTime& a, const CHighTime& b) const { return a.GetTicks() < b.GetTicks(); }
    };
    return FindTime(recordKind, studyType, CHighTime(2010, 1, 1, 0, 0, 0), SFirst{});
}

CHighTime CRecDoc::GetLastTime(int recordKind, int studyType)
{
    struct SLast
    {
        CHighTime operator()(const CTrendTimeBlock& block) const { return block.GetLastTime(); }
        bool IsBetter(const CHighTime& a, const CHighTime& b) const { return a.GetTicks() > b.GetTicks(); }
    };
    return FindTime(recordKind, studyType, CHighTime(2011, 1, 1, 0, 0, 0), SLast{});
}

CString CRecDoc::GetTitle() const
{
    return GetFileNameOnly(m_pathName);
}

void CRecDoc::RebuildUserViewSettings()
{
    m_userViewSettings->Rebuild(m_project.get());
}

void CRecDoc::UpdateSessionConfigs()
{
    if (!m_project)
        return;
    for (int i = 0; i < m_project->GetMeasurementCount(); ++i) {
        if (const CDataSet* dataSet = GetDataSet(i))
            m_project->UpdateSessionInViews(i, &dataSet->GetMeasurementConfig());
    }
}
