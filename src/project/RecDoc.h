#pragma once
// CRecDoc: the document of the one open project. It owns the project archive, the project model,
// one data set per session, the trend cache, the value formatter and the per-session user
// settings. It opens a ".zca" project or turns a ".zlg" data file into a new one, saves and saves
// as, and writes the project back when it is cleared.
//
// The archive holds the user's only copy of the recordings: a project that cannot be opened
// completely is refused and its file left as it was, and a copy made by Save As replaces its
// target only once it is complete.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "datamodel/DataSet.h"
#include "datamodel/HighTime.h"
#include "datamodel/TrendCache.h"
#include "datamodel/ValueFormatter.h"
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"
#include "project/ProjectManagerChange.h"
#include "project/ProjectSettings.h"
#include "project/UpdateMsg.h"
#include "project/UserViewSettings.h"
#include "project/ZcaArchive.h"
#include "project/ZlgSessionInfo.h"
#include "project/IProjectManagerView.h"
#include "project/IProjectDocument.h"
#include "project/IStudyViewHost.h"

// True when the extension of the path is ".zlg" in any case.
bool IsZlgPath(const CString& path);

class CWnd;

// Private messages of the document to its views.
inline constexpr UINT WM_DOC_UPDATE = 0x41E; // WM_USER+30: first parameter a CUpdateMsg or 0
inline constexpr UINT WM_DOC_VALUE = 0x422;  // WM_USER+34: first parameter a value
// ... and to the active child frame when it shows a bookmark.
inline constexpr UINT WM_FRAME_PRESENTATION = 0x43B; // WM_USER+59: the presentation
inline constexpr UINT WM_FRAME_STUDY_VIEW = 0x43C;   // WM_USER+60: view id, tab kind (as the main frame reads it)

class CRecDoc final : public IProjectDocument
{
public:
    // Record kinds of GetFirstTime and GetLastTime.
    static constexpr int kTrendRecords = 0;
    static constexpr int kDemandRecords = 1;
    static constexpr int kAllRecords = -1;

    // Closes the document that is current, then becomes the current one.
    CRecDoc();
    ~CRecDoc() override;
    CRecDoc(const CRecDoc&) = delete;
    CRecDoc& operator=(const CRecDoc&) = delete;

    // The one live document, or null.
    static CRecDoc* GetCurrent();
    // The project window shows the project: of a project read in part, what its views show
    // before the user does anything counts as read, so that Close asks about the user's changes
    // only, not about pages that were merely shown.
    void TakeShownViewsAsRead();

    BOOL OnOpenDocument(const CString& path) override;
    BOOL MakeProjectFromSession(const CString& zlgPath, const CString& projectPath) override;
    // Writes the project back (when it was read completely and not discarded) and releases it.
    void DeleteContents() override;
    bool WriteBeforeClose() override;
    void WriteBeforeEnd() override;
    // Clears the document and ends its role as the current one.
    void OnCloseDocument();

    // Every record form view stores its settings and the project manager its grid states in the
    // project; then "project.xml" is rewritten (the user is told when nothing was written).
    void SaveProject() override;
    // Asks for a new file name and continues there (SaveProjectTo); the open file itself is
    // refused before an existing one is offered for replacement.
    void SaveProjectAs() override;
    // Copies the project into a new file beside the target, renames it into place and continues
    // in it. Refused for the open file itself; on any failure the old file stays open. The copy
    // holds the project as the program has it: of a project not read completely, what was read
    // and the changes since (its own file keeps what could not be read).
    bool SaveProjectTo(const CString& targetPath);

    // Fills the record from a ".zlg" file; 0, or -1 when it cannot be loaded (the loader's
    // result, or the bad-stream result for a file without a configuration, in `loadResult`).
    static int ReadZlgSessionInfo(const CString& zlgPath, SZlgSessionInfo& info, int* loadResult = nullptr);
    // A new archive holding the data file as its one session; 0, or -1 (with a message) and no
    // file left behind.
    static int BuildArchiveFromZlg(const CString& archivePath, const CString& zlgPath, const SZlgSessionInfo& info);

    CString GetPathName() const override { return m_pathName; }
    CString GetTitle() const override;
    BOOL IsModified() override { return m_modified; }
    void SetModifiedFlag(BOOL modified = TRUE) { m_modified = modified; }

    CZcaArchive* GetArchive() const { return m_archive.get(); }
    CProjectSettings* GetProjectSettings() const { return m_project.get(); }
    CTrendCache* GetTrendCache() const { return m_trendCache.get(); }
    CValueFormatter* GetValueFormatter() const { return m_valueFormatter.get(); }
    CUserViewSettings* GetUserViewSettings() const { return m_userViewSettings.get(); }
    CUpdateMsg& GetUpdateMsg() { return m_updateMsg; }

    // Null when the index is outside the list.
    CDataSet* GetDataSet(int index) const;
    CDataSet* GetFirstDataSet() const { return GetDataSet(0); }
    int GetDataSetCount() const { return int(m_dataSets.size()); }
    int GetMeasurementCount() const;
    int GetEnergyStudySessionCount() const { return m_energyStudySessions; }
    int GetLoadStudySessionCount() const { return m_loadStudySessions; }
    void CountSessionsByStudyType();

    // The project manager's name of the session, else the session's own name.
    CStringW GetSessionName(int index) const;
    // The project manager's name of the saved screen, else "Saved Screen <n>".
    CStringW GetSavedScreenName(int index) const;

    // Earliest first and latest last record time of the sessions compatible with the study
    // type (-1: any); 2010-01-01 and 2011-01-01 when none has records.
    CHighTime GetFirstTime(int recordKind, int studyType);
    CHighTime GetLastTime(int recordKind, int studyType);

    void RebuildUserViewSettings();
    void UpdateSessionConfigs();
    // The units the user gave the session's aux inputs where the session's scaling replaces the
    // logger's; empty where it does not (the logger's unit holds).
    std::array<CString, SUserSessionSettings::kAuxChannelCount> GetSessionAuxUnits(int session) const;
    // The session's aux scaling and units into the value formatter, as the graphs draw the
    // inputs (once the formatter has the inputs' scales).
    void ApplyAuxScaling(int session);

    // Tab kind 1 (Energy study) or 2 (Load study) shows the study's last view (0 or 5 when
    // none), any other kind the given view; the view is remembered as its study's last view, and
    // the host rebuilds its layout for it unless it shows it already under that tab, or, coming
    // from another tab, its page is built and nothing it shows changed since (its tab is then
    // only selected). Returns 1.
    int ShowStudyView(int tabKind, int viewId) override;
    bool HasStudyViews() const override { return m_studyViewHost != nullptr; }
    // Switches the project window to the bookmark's view and presentation and gives the view
    // the bookmark's settings (the current ones are saved first).
    void ShowBookmark(int index);
    // The project window's main view, or null while there is none.
    void SetStudyViewHost(IStudyViewHost* host) { m_studyViewHost = host; }

    // The views of the document; each receives its private messages.
    void AddView(CWnd* view);
    void RemoveView(CWnd* view);
    const std::vector<CWnd*>& GetViews() const { return m_views; }
    // Hint kinds of NotifyViews that concern the session settings: both rebuild the user view
    // settings, the second also applies the sessions' aux scaling to the value formatter.
    static constexpr int kHintSessionSettings = 8;
    static constexpr int kHintAuxScaling = 10;
    // Then every view receives WM_DOC_UPDATE with the hint.
    void NotifyViews(CUpdateMsg* hint);
    // The project manager page's change: the session-settings kinds as for NotifyViews, then
    // every view receives it.
    void NotifyProjectManagerChange(SProjectManagerChange* change);
    void SendMessageToAllViews(WPARAM value);

    // Renames bookmark i and the toolbar text of its presentation in its own view settings;
    // an empty (trimmed) name keeps the old one. -1 without such a bookmark or for a type the
    // study toolbars do not show.
    int RenameBookmark(const CStringW& name, int index);

    // The project manager view runs the session settings dialog; its result, 0 without the view.
    int EditSessionSettings(int session);
    // The project manager view renames the session or saved screen.
    void RenameProjectItem(const SProjectItemName& item);

    // Imports and deletions: 0, or -1 when refused (with a message where the user can act) or
    // failed; ImportSavedScreen gives -2 for a file that is not a picture. An import that cannot
    // be written into the project file is undone; when its disk has no room for it or the project
    // could not be written, the user was told why as a failed save is, and the import gives
    // kImportNotStored.
    static constexpr int kImportNotStored = -3;
    int ImportSession(const CString& sourcePath, int index);
    int ImportSavedScreen(const CString& filePath);
    int AddBookmark(int type, const CStringW& name, const CString& picturePath);
    int DeleteSession(int index);
    // Why a session cannot be deleted (the bookmarks or the report that use it); empty when it can.
    CString WhySessionStays(int index) const;
    int DeleteSavedScreen(int index);
    int DeleteBookmark(int index);

private:
    void ReleaseContents();
    // Every record form view stores its settings and the project manager view its grid states.
    void StoreViewSettings();
    IProjectManagerView* FindProjectManagerView() const;
    void AnnounceNominalVoltages(const CBookmark& bookmark, CWnd* view);
    // A new project from the data file; -1 when cancelled or failed (the user was told why).
    int CreateProjectFromZlg(const CString& zlgPath, CString& projectPath);
    // Loads every session of the project; what to tell the user when one cannot be loaded, else
    // empty.
    CString LoadDataSets(const CString& projectPath);
    // Releases what the open made and tells the user why it failed.
    void FailOpen(const CString& text);
    // Rewrites "project.xml"; false, after telling the user, when nothing was written.
    bool WriteProject();
    // "Saving of <project> failed: <reason>."
    void ShowSaveFailure(const CString& reason) const;
    // An import whose copy of `bytes` the project file did not take: told as a failed save and
    // kImportNotStored when the project's disk has no room for it; else -1 (a failed read).
    int RefuseUnstoredImport(std::uint64_t bytes) const;
    // Rewrites "project.xml" without telling anyone; false when nothing was written.
    bool WriteProjectQuietly();
    // Why the project cannot be written: "Saving of <project> failed: <reason>." or that part
    // of it could not be read; empty when it can.
    CString DescribeWhyNotWritten() const;
    // Whether the project holds changes its file does not (as last read or written).
    bool HasUnwrittenChanges() const;
    // Of a project read in part: whether it holds nothing the user did since it was read (the
    // views store their settings first). False for any other project.
    bool IsUntouchedSinceRead();
    // Save As with its dialog; true when the project now lives in the new file.
    bool AskAndSaveAs();
    // The copy of SaveProjectTo; the whole text of the refusal, or empty on success.
    CString CopyProjectTo(const CString& targetPath);
    // What the open could not read, one phrase ("2 sessions, 1 bookmark").
    CString DescribeDroppedEntries() const;
    template <typename Select>
    CHighTime FindTime(int recordKind, int studyType, const CHighTime& fallback, Select select);

    std::unique_ptr<CZcaArchive> m_archive;
    std::vector<std::unique_ptr<CDataSet>> m_dataSets;
    std::unique_ptr<CProjectSettings> m_project;
    std::unique_ptr<CTrendCache> m_trendCache;
    std::unique_ptr<CValueFormatter> m_valueFormatter;
    std::unique_ptr<CUserViewSettings> m_userViewSettings;
    CUpdateMsg m_updateMsg;
    int m_energyStudySessions = 0;
    int m_loadStudySessions = 0;
    std::vector<CWnd*> m_views;
    IStudyViewHost* m_studyViewHost = nullptr;
    // Counts the changes a study page shows (every update broadcast, a new title); the built page
    // was made at m_studyBuiltAt and is shown again as it is while nothing changed since.
    int m_pageChanges = 0;
    int m_studyBuiltAt = -1;
    CString m_pathName;
    BOOL m_modified = FALSE;
    // The project's text as its file holds it (for a project not read completely: as it was
    // read), to tell whether there is work to lose.
    std::string m_writtenText;
    // The user chose to close without the changes: nothing is written back.
    bool m_changesDiscarded = false;
};
