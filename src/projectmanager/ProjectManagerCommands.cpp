// The commands the project manager's cards send to their page: edited texts, adding and deleting
// sessions and saved screens, the session settings and the CSV export of a session.
#include "projectmanager/ProjectManagerTableView.h"

#include <filesystem>

#include "datamodel/DataSet.h"
#include "export/CsvExportFile.h"
#include "export/ExportCsvDlg.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/windows/CFileDialog.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/EditAuxSettingsDlg.h"
#include "project/ImageSettings.h"
#include "project/LastFolders.h"
#include "project/RecDoc.h"
#include "projectmanager/ProjectManagerDataSetGrid.h"
#include "projectmanager/ProjectManagerSavedScreenGrid.h"
#include "projectmanager/ProjectManagerSummaryGrid.h"

namespace {

constexpr UINT IDS_SAVED_SCREEN_LIMIT = 103;
constexpr UINT IDS_SESSION_LIMIT = 104;
constexpr UINT IDS_LOADING_FAILED = 105;
constexpr UINT IDS_CONFIRM_DELETE_IMAGE = 109;
constexpr UINT IDS_CONFIRM_DELETE_SESSION = 111;
constexpr UINT IDS_DELETE_IMAGE_FAILED = 112;
constexpr UINT IDS_DELETE_SESSION_FAILED = 113;
constexpr UINT IDS_PROJECT_FILES_FILTER = 10000;
constexpr UINT IDS_IMAGE_FILES_FILTER = 151;
constexpr UINT IDS_NOT_AN_IMAGE = 152;
constexpr UINT IDS_SEMICOLON_FILES_FILTER = 8125;
constexpr UINT IDS_TAB_FILES_FILTER = 8126;
constexpr int kNotAnImage = -2;
constexpr int kFirstSession = 0;

// "<limit text> 4.\n"
void ShowLimit(UINT textId, int limit)
{
    CString text;
    text.LoadString(textId);
    text.AppendFormat(" %d.\n", limit);
    AfxMessageBox(text.GetString(), MB_ICONEXCLAMATION);
}

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// The window draws nothing while it lives and everything, children and frame, afterwards.
class CRedrawSuspended
{
public:
    explicit CRedrawSuspended(CWnd& wnd) : m_wnd(wnd) { m_wnd.SetRedraw(FALSE); }
    ~CRedrawSuspended()
    {
        m_wnd.SetRedraw(TRUE);
        m_wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    CRedrawSuspended(const CRedrawSuspended&) = delete;
    CRedrawSuspended& operator=(const CRedrawSuspended&) = delete;

private:
    CWnd& m_wnd;
};

// The file a CSV export goes to: the project's path without its extension, the suffix and
// ".txt" is proposed; its type is named by the separator its values are written with. Empty
// when the user cancels.
CString AskCsvFileName(const CString& projectPath, const char* suffix, const std::string& separator, CWnd* parent)
{
    const std::filesystem::path project(projectPath.str());
    const CString proposed = (project.parent_path() / (project.stem().string() + suffix + ".txt")).string();
    const UINT filter = separator == "\t" ? IDS_TAB_FILES_FILTER : IDS_SEMICOLON_FILES_FILTER;
    CFileDialog dialog(FALSE, "txt", proposed, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, LoadText(filter), parent);
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

} // namespace

void CProjectManagerTableView::OnProjectManagerCommand(int command, int argument)
{
    switch (command) {
    case kCommandRowEdited: OnRowEdited(argument); break;
    case kCommandAddSession: OnAddSession(); break;
    case kCommandAddSavedScreens: OnAddSavedScreens(); break;
    case kCommandDeleteSession: OnDeleteSession(argument); break;
    case kCommandDeleteSavedScreen: OnDeleteSavedScreen(argument); break;
    case kCommandExportSession: OnExportSession(argument); break;
    case kCommandSessionSettings: OnEditSessionSettings(argument); break;
    default: break;
    }
}

void CProjectManagerTableView::OnRowEdited(int kind)
{
    StoreSettingsInProject();
    if (!GetDocument() || !m_dataSetGrid) {
        NotifyDocument(kind);
        return;
    }
    if (kind == SProjectManagerChange::kSessionName) {
        for (int i = 0; i < int(m_content.dataSets.size()); ++i)
            m_content.dataSets[std::size_t(i)]->displayName = GetDocument()->GetSessionName(i);
        m_dataSetGrid->Fill(m_content, m_settings, -1);
        m_dataSetGrid->RedrawAll();
    } else if (kind == SProjectManagerChange::kSavedScreenName) {
        for (int j = 0; j < int(m_content.savedScreens.size()); ++j)
            m_content.savedScreens[std::size_t(j)]->displayName = GetDocument()->GetSavedScreenName(j);
        m_savedScreenGrid->Fill(m_content, m_settings, -1);
        m_savedScreenGrid->RedrawAll();
    }
    NotifyDocument(kind);
}

void CProjectManagerTableView::OnAddSession()
{
    if (GetDocument() && GetDocument()->GetMeasurementCount() >= kMaxSessions) {
        ShowLimit(IDS_SESSION_LIMIT, kMaxSessions);
        return;
    }
    CFileDialog dialog(TRUE, "zca", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, LoadText(IDS_PROJECT_FILES_FILTER),
                       this);
    dialog.m_ofn.lpstrInitialDir = GetLastAddDataPath();
    if (dialog.DoModal() != IDOK)
        return;
    // The document's update brings the new session into the page; a copy the project file could
    // not take the document has told as a failed save.
    const int result = GetDocument() ? GetDocument()->ImportSession(dialog.GetPathName(), kFirstSession) : -1;
    if (result != 0) {
        if (result != CRecDoc::kImportNotStored)
            AfxMessageBox(IDS_LOADING_FAILED, MB_ICONEXCLAMATION);
        return;
    }
    // The document has enabled the study tabs the new session fills.
    SetLastAddDataPath(dialog.GetPathName());
}

void CProjectManagerTableView::OnAddSavedScreens()
{
    if (m_content.savedScreenCount >= kMaxSavedScreens) {
        ShowLimit(IDS_SAVED_SCREEN_LIMIT, kMaxSavedScreens);
        return;
    }
    CWaitCursor wait;
    CFileDialog dialog(TRUE, "png", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT,
                       LoadText(IDS_IMAGE_FILES_FILTER), this);
    dialog.m_ofn.lpstrInitialDir = GetLastImagePath();
    const bool chosen = dialog.DoModal() == IDOK;
    CRedrawSuspended redraw(*this);
    if (!chosen)
        return;
    if (GetDocument() && m_savedScreenGrid) {
        m_savedScreenGrid->StoreStates(m_settings);
        const std::vector<CString> paths = dialog.GetPathNames();
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const int result = GetDocument()->ImportSavedScreen(paths[i]);
            if (result != 0) {
                if (result != CRecDoc::kImportNotStored)
                    AfxMessageBox(result == kNotAnImage ? IDS_NOT_AN_IMAGE : IDS_LOADING_FAILED, MB_ICONEXCLAMATION);
                break;
            }
            SetLastImagePath(paths[i]);
            const int index = m_content.savedScreenCount;
            auto info = std::make_unique<structProjectManagerSavedScreenInfo>();
            const CProjectSettings* project = GetDocument()->GetProjectSettings();
            const CImageSettings* image = index < project->GetImageCount() ? &project->GetImage(index) : nullptr;
            info->screenText = m_texts.FormatSavedScreenText(image);
            m_content.savedScreens.push_back(std::move(info));
            ++m_content.savedScreenCount;
            m_settings.m_savedScreens.resize(std::size_t(m_content.savedScreenCount));
            if (image)
                m_settings.m_savedScreens.back().Name = image->fileName;
            StoreSettingsInProject();
            m_content.savedScreens.back()->displayName = GetDocument()->GetSavedScreenName(index);
            // The limit is told as soon as it is reached, whether or not a chosen picture is left out.
            if (m_content.savedScreenCount >= kMaxSavedScreens) {
                ShowLimit(IDS_SAVED_SCREEN_LIMIT, kMaxSavedScreens);
                break;
            }
        }
    }
    RebuildSavedScreenGrid();
    NotifyDocument(SProjectManagerChange::kSavedScreensAdded);
}

void CProjectManagerTableView::RebuildSavedScreenGrid()
{
    if (!m_savedScreenGrid)
        return;
    m_savedScreenGrid->SetSectionCount(m_content.savedScreenCount);
    m_savedScreenGrid->Fill(m_content, m_settings, -1);
    m_savedScreenGrid->RestoreStates(m_settings);
    LayoutGrids();
    RefreshGrids();
    UpdateScrollSizes();
}

void CProjectManagerTableView::OnDeleteSession(int session)
{
    if (!GetDocument())
        return;
    // A session that bookmarks or the report use stays: the user is told why, not asked first.
    if (const CString refusal = GetDocument()->WhySessionStays(session); !refusal.IsEmpty()) {
        AfxMessageBox(refusal.GetString(), MB_ICONEXCLAMATION);
        return;
    }
    if (AfxMessageBox(IDS_CONFIRM_DELETE_SESSION, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_deletingSessionIndex = session;
    const int result = GetDocument()->DeleteSession(session);
    m_deletingSessionIndex = -1;
    // On success the document has closed the study tabs the session filled alone.
    if (result != 0)
        AfxMessageBox(IDS_DELETE_SESSION_FAILED, MB_ICONEXCLAMATION);
}

void CProjectManagerTableView::OnDeleteSavedScreen(int screen)
{
    if (AfxMessageBox(IDS_CONFIRM_DELETE_IMAGE, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (!GetDocument() || screen < 0 || std::size_t(screen) >= m_content.savedScreens.size() ||
        GetDocument()->DeleteSavedScreen(screen) != 0) {
        AfxMessageBox(IDS_DELETE_IMAGE_FAILED, MB_ICONEXCLAMATION);
        return;
    }
    CRedrawSuspended redraw(*this);
    m_savedScreenGrid->StoreStates(m_settings);
    m_content.savedScreens.erase(m_content.savedScreens.begin() + screen);
    --m_content.savedScreenCount;
    m_settings.RemoveSavedScreenEntry(screen);
    StoreSettingsInProject();
    m_savedScreenGrid->GetCache().Purge();
    RebuildSavedScreenGrid();
    NotifyDocument(SProjectManagerChange::kSavedScreenDeleted);
}

void CProjectManagerTableView::OnEditSessionSettings(int session)
{
    SProjectManagerDataSetEntry* entry = m_settings.GetDataSetEntry(session);
    CDataSet* dataSet = GetDocument() ? GetDocument()->GetDataSet(session) : nullptr;
    if (!entry || !dataSet)
        return;
    CEditAuxSettingsDlg dialog(GetDocument(), entry, &dataSet->GetMeasurementConfig(), dataSet->GetIndex(), false, this);
    const INT_PTR result = dialog.DoModal();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (result != IDOK)
        return;
    dialog.StoreSettings(*entry);
    StoreSettingsInProject();
    NotifyDocument(SProjectManagerChange::kSessionSettings);
}

int CProjectManagerTableView::EditSessionSettings(int session)
{
    SProjectManagerDataSetEntry* entry = m_settings.GetDataSetEntry(session);
    CDataSet* dataSet = GetDocument() ? GetDocument()->GetDataSet(session) : nullptr;
    if (!entry || !dataSet)
        return 0;
    SProjectManagerDataSetEntry edited = *entry;
    CEditAuxSettingsDlg dialog(GetDocument(), &edited, &dataSet->GetMeasurementConfig(), dataSet->GetIndex(), true, this);
    if (dialog.DoModal() != IDOK)
        return 0;
    SProjectManagerDataSetEntry fresh;
    dialog.StoreSettings(fresh);
    entry->energyCosts = fresh.energyCosts;
    StoreSettingsInProject();
    GetDocument()->RebuildUserViewSettings();
    return 1;
}

void CProjectManagerTableView::OnExportSession(int session)
{
    CDataSet* dataSet = GetDocument() ? GetDocument()->GetDataSet(session) : nullptr;
    if (!dataSet)
        return;
    CExportCsvDlg choice(this);
    if (choice.DoModal() != IDOK)
        return;
    CCsvExportFile file(dataSet->GetMeasurementConfig());
    file.SetSeparator(choice.GetSeparator());
    const CString name =
        AskCsvFileName(GetDocument()->GetPathName(), choice.IsTrend() ? "_trend" : "_demand", choice.GetSeparator(), this);
    const CDataTable* records = choice.IsTrend() ? dataSet->GetTrendTable() : dataSet->GetDemandTable();
    if (name.IsEmpty() || !records)
        return;
    file.Export(*records, name, choice.GetQuantities(), choice.IsMin(), choice.IsMax(), choice.IsAvg(), choice.IsTotal());
}
