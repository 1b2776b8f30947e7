#pragma once
// The application object: one per process. It names the profile ("Zelko Power Quality" /
// "Zelko Ampelon"), answers the application-wide settings and facts, starts the program
// (InitInstance), holds the open project's document and the main window, and ends the program
// (ExitInstance).
#include "platform/framework/CString.h"
#include "platform/framework/Profile.h"
#include "project/AppFolders.h"
#include "shell/InstanceRegistry.h"
#include "shell/OrnCommandLineInfo.h"
#include "project/ProjectDocTemplate.h"
#include "platform/framework/windows/Geometry.h"
#include "shell/RecentFileList.h"

#include <memory>
#include <vector>

class CMainFrame;
class CMessageBoxCaption;
class IReport;
class CWnd;

// What a start sets up beside the application's own state. Tests keep their recording message
// boxes and dialogs and give the instance registry a clock of their own.
struct SStartOptions
{
    bool windowServices = true; // message boxes, file dialogs and progress dialogs as windows
    bool logging = true;        // the log file under the data folder
    bool showWindow = true;
    // SIGTERM, SIGINT and SIGHUP close the main window, so that the shutdown runs in its order;
    // from the start on, as a project may be opened (and its dialogs shown) before the loop runs.
    bool endOnSignals = true;
    CInstanceRegistry::Clock clock;
};

class COrnApp
{
public:
    static constexpr const char* kRegistryKey = kAppRegistryKey;
    static constexpr const char* kAppName = kAppProductName;
    static constexpr int kRecentFileCount = 4;
    static constexpr const char* kAlreadyRunning =
        "Zelko Ampelon is already running; some functions are only accessible within the first instance.";

    static COrnApp& Instance();

    CProfile& GetProfile() { return m_profile; }

    // Fraction 0..1 of the expected samples that must be valid for an aggregated value. The
    // profile keeps it as a whole percentage (Settings/CalculationValidRatio), 95 when unset;
    // values outside 0..100 are held to that range.
    double GetCalculationValidRatio();
    // The program's version: the whole version, or with `shortForm` only the part before the
    // second point ("1.2.3" -> "1.2"); "???" when the build carries none.
    CString GetAppVersion(bool shortForm) const;

    // ---- settings of the export dialog, the CSV writer, the report output and the last folders
    // (profile section "Settings")
    int GetExportDlgDataSource();
    int GetExportDlgSeparator();
    int GetExportDlgSerieMin();
    int GetExportDlgSerieMax();
    int GetExportDlgSerieAvg();
    int GetExportDlgSerieTotal();
    CString GetExportDlgTrendState();
    CString GetExportDlgDemandState();
    void SetExportDlgDataSource(int value);
    void SetExportDlgSeparator(int value);
    void SetExportDlgSerieMin(int value);
    void SetExportDlgSerieMax(int value);
    void SetExportDlgSerieAvg(int value);
    void SetExportDlgSerieTotal(int value);
    void SetExportDlgTrendState(const CString& value);
    void SetExportDlgDemandState(const CString& value);
    // Read only: nothing in the program writes them.
    CString GetCsvExportSeparator();
    bool IsCsvExportUseUTC();
    bool IsCsvExportTimeZoneOfDataSet();
    bool IsCsvExportUseLocale();
    // The folder part of the path is stored; an empty path is ignored.
    CString GetLastAddDataPath();
    void SetLastAddDataPath(const CString& path);
    // LastImageZelkoPath while a logger is mounted as a drive, else LastImagePath.
    CString GetLastImagePath();
    void SetLastImagePath(const CString& path);
    // 1 PDF, 2 RTF, anything else the on-screen preview; 1 when unset.
    int GetReportOutputFormat();

    // ---- start-up, run, exit
    // The document template (CreateRecDocTemplate); set before InitInstance.
    void SetDocTemplate(std::unique_ptr<CProjectDocTemplate> docTemplate);
    // Starts the program with its command line (without the program name); FALSE when it
    // cannot run.
    BOOL InitInstance(const std::vector<CString>& arguments, const SStartOptions& options = SStartOptions());
    // The message loop; returns when the main window is gone.
    int Run();
    // Ends what InitInstance started, in the reverse order; InitInstance may follow again.
    int ExitInstance();

    CMainFrame* GetMainFrame() const { return m_mainFrame.get(); }
    CRecentFileList& GetRecentFileList() { return m_recentFiles; }
    CInstanceRegistry* GetInstanceRegistry() const { return m_instances.get(); }
    const COrnCommandLineInfo& GetCommandLine() const { return m_commandLine; }
    // The language whose string table is loaded ("ENG" unless the profile chooses another).
    const CString& GetLanguage() const { return m_language; }

    // ---- the open project
    IProjectDocument* GetDocument() const { return m_document.get(); }
    // Closes the open project and opens the file; FALSE when the document refused it (it told
    // the user).
    BOOL OpenDocumentFile(const CString& path);
    // The sample project in the data folder, made from the bundled session when it is missing;
    // FALSE when it cannot be made or opened (the user was told).
    BOOL OpenSampleProject();
    // Closes the project window and the document; nothing without one.
    void CloseDocument();
    // The same once the project is written back; false, with the project left open, when it
    // could not be and the user chose to keep it open (the user was told why and chose between
    // Save As, closing without the changes and keeping it open). Asked to end by a signal, it
    // never asks and never refuses: what cannot go into the project file goes into a copy.
    bool CloseWrittenDocument();
    // File Open: asks for a ".zca" or ".zlg".
    void OnFileOpen();
    // A recent file; one that does not open leaves the list.
    void OpenRecentFile(int index);
    // File Save and File Save As of the open project; after Save As the project's path and
    // title may have changed.
    void OnFileSave();
    void OnFileSaveAs();
    // Whether the main window may close now. Not while the document is at work or a modal loop
    // runs (a dialog, a message box, a menu, a progress dialog: what opened it is still on the
    // stack): the window then closes once they are done.
    bool CanCloseMainWindow();
    // The main window's title: the application, the instance number of a secondary instance
    // and the project's title.
    CString GetMainWindowTitle() const;

    // The report driver made at start-up for the user-interface language; null before.
    IReport* GetReportDriver() const { return m_report.get(); }
    // Export Report: the automatic report of the open project (nothing without one).
    void OnExportReport();

    // Timer 1 of the main window.
    void OnHeartbeat();
    // The main window is gone: the message loop ends.
    void OnMainWindowDestroyed();
    void SaveWindowPlacement(CWnd& frame);
    // Moves and shrinks the main window so that it lies on its screen whole, with its frame.
    void FitMainWindowToScreen();

    COrnApp(const COrnApp&) = delete;
    COrnApp& operator=(const COrnApp&) = delete;

private:
    COrnApp();
    ~COrnApp();

    void LoadLanguage();
    void InstallWindowServices();
    void RemoveWindowServices();
    CRect RestoredWindowRect();
    void UpdateTitles();

    // Marks a call into the document (opening, saving) for its lifetime.
    class CDocumentCall
    {
    public:
        explicit CDocumentCall(COrnApp& app) : m_app(app) { ++m_app.m_documentCalls; }
        ~CDocumentCall();
        CDocumentCall(const CDocumentCall&) = delete;
        CDocumentCall& operator=(const CDocumentCall&) = delete;

    private:
        COrnApp& m_app;
    };

    CProfile& m_profile;
    CRecentFileList m_recentFiles;
    std::unique_ptr<CProjectDocTemplate> m_docTemplate;
    std::unique_ptr<IProjectDocument> m_document;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<IReport> m_report;
    std::unique_ptr<CInstanceRegistry> m_instances;
    COrnCommandLineInfo m_commandLine;
    CString m_language;
    SStartOptions m_options;
    // The application's name over its message boxes, as long as they are windows.
    std::unique_ptr<CMessageBoxCaption> m_boxCaption;
    int m_documentCalls = 0;
    bool m_closeDeferred = false;
    // A signal asked the program to end: nobody may be there to answer a question.
    bool m_endingOnSignal = false;
    // Posts the close held back by CanCloseMainWindow once nothing holds it any more.
    void CloseIfDeferred();
};
