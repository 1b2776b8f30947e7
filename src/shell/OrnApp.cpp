#include "shell/OrnApp.h"

#include "platform/framework/FileDialogService.h"
#include "platform/framework/Logging.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/MessageBoxWindow.h"
#include "platform/framework/windows/ModalLoop.h"
#include "datamodel/CalculationValidRatio.h"
#include "project/AppFolders.h"
#include "project/BuildInfo.h"
#include "project/RecDoc.h"
#include "report/IReport.h"
#include "shell/ExportReportCommand.h"
#include "shell/FileDialogWindow.h"
#include "views/LanguageAbbreviation.h"
#include "shell/MainFrame.h"
#include "datamodel/ProgressThread.h"
#include "shell/SampleFiles.h"
#include "shell/WindowProgressDialog.h"
#include "study/WalkThreads.h"

#include <glog/logging.h>

#include <algorithm>
#include <cmath>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>

namespace {

constexpr const char* kPlacementSection = "AppWindowPlacement";
constexpr const char* kPlacementEntry = "Rect";
constexpr const char* kMaximizedEntry = "Maximized";
constexpr const char* kLanguageSection = "Language";
constexpr const char* kLogFileSection = "LogFileList";
constexpr int kLogFileCount = 32;
constexpr const char* kDefaultLanguage = "ENG";
// A restart waits this long for the ending instance to give the first-instance role up.
constexpr int kRestartWaitMs = 10000;
constexpr CRect kDefaultWindowRect(40, 40, 1064, 760);
constexpr int kMinimumWindowSide = 200;
constexpr int kCascadeOffset = 32;
constexpr int kMaxCascadeSteps = 8;
// Followed by the document template's own filter (its data files) and the closing "|".
constexpr const char* kOpenFilterHead =
    "Projects and sessions (*.zca;*.zlg)|*.zca;*.zlg|Zelko Compound files (*.zca)|*.zca|";

constexpr const char* kSampleProjectName = "sample.zca";

CString BundledSamplePath()
{
    return (std::filesystem::path(CStringTable::ResourceDir()) / "samples" / "sample.zlg").string();
}

// Set by the signals that ask the program to end (the desktop session ending, Ctrl+C); the
// heartbeat closes the main window, so that the shutdown runs in its order.
std::atomic<bool> g_endRequested{false};

void RequestEnd(int)
{
    g_endRequested = true;
}

void InstallEndSignals()
{
    struct sigaction action {};
    action.sa_handler = RequestEnd;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

// Index 0..12 of the loaded language, as the report driver takes it.
int LanguageIndex(const CString& language)
{
    for (int i = 0; GetLanguageAbbreviation(i); ++i)
        if (language == GetLanguageAbbreviation(i))
            return i;
    return 0;
}

} // namespace

COrnApp::COrnApp() : m_profile(CProfile::Instance()), m_recentFiles(m_profile, CRecentFileList::kRecentFiles, kRecentFileCount)
{
    m_profile.SetRegistryKey(kRegistryKey);
    m_profile.SetAppName(kAppName);
}

COrnApp::~COrnApp() = default;

COrnApp& COrnApp::Instance()
{
    static COrnApp app;
    return app;
}

double COrnApp::GetCalculationValidRatio()
{
    return ::GetCalculationValidRatio();
}

CString COrnApp::GetAppVersion(bool shortForm) const
{
    return ::GetAppVersion(shortForm);
}

void COrnApp::SetDocTemplate(std::unique_ptr<CProjectDocTemplate> docTemplate)
{
    m_docTemplate = std::move(docTemplate);
}

void COrnApp::LoadLanguage()
{
    const char* language = GetLanguageAbbreviation(m_profile.GetProfileInt(kLanguageSection, "Language", 0));
    m_language = language ? language : kDefaultLanguage;
    if (!CStringTable::Instance().LoadLanguage(m_language.str()) && m_language != kDefaultLanguage) {
        LOG(INFO) << "String table " << m_language.str() << " not found; using " << kDefaultLanguage;
        m_language = kDefaultLanguage;
        CStringTable::Instance().LoadLanguage(kDefaultLanguage);
    }
    LOG(INFO) << "Language " << m_language.str();
}

void COrnApp::InstallWindowServices()
{
    InstallWindowMessageBox();
    m_boxCaption = std::make_unique<CMessageBoxCaption>(kAppName);
    SetFileDialogHandler([this](const SFileDialogRequest& request, CString& path) {
        return ShowFileDialogWindow(request.open, request.title, request.defaultExtension, request.initialName,
                                    request.filter, request.flags, m_mainFrame.get(), path);
    });
    CProgressThread::SetDialogFactory([this] { return std::make_unique<CWindowProgressDialog>(m_mainFrame.get()); });
}

void COrnApp::RemoveWindowServices()
{
    CProgressThread::SetDialogFactory({});
    SetFileDialogHandler({});
    SetMessageBoxHandler({});
    m_boxCaption.reset();
}

CRect COrnApp::RestoredWindowRect()
{
    // Kept in the screen's device pixels: the window comes back as large on the screen whatever
    // the ratio of logical to device pixels was when it was stored.
    const CString stored = m_profile.GetProfileString(kPlacementSection, kPlacementEntry, "");
    CRect rect;
    const bool read =
        std::sscanf(stored.GetString(), "%d,%d,%d,%d", &rect.left, &rect.top, &rect.right, &rect.bottom) == 4;
    const double ratio = read ? GetMonitorPixelRatio(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST)) : 1.0;
    rect = CRect(int(std::lround(rect.left / ratio)), int(std::lround(rect.top / ratio)),
                 int(std::lround(rect.right / ratio)), int(std::lround(rect.bottom / ratio)));
    if (!read || rect.Width() < kMinimumWindowSide || rect.Height() < kMinimumWindowSide)
        rect = kDefaultWindowRect;
    // A further instance opens beside the first, not exactly over it.
    if (m_instances && m_instances->IsRegistered() && !m_instances->IsFirstInstance()) {
        const int steps = std::clamp(m_instances->GetInstanceNumber() - 1, 1, kMaxCascadeSteps);
        rect.OffsetRect(steps * kCascadeOffset, steps * kCascadeOffset);
    }
    return rect;
}

void COrnApp::FitMainWindowToScreen()
{
    // The screen the window opens on may be smaller than the one its size was kept on, or count
    // in larger pixels: the window with its frame is made to fit it, so that none of it lies off
    // the screen.
    if (m_mainFrame->IsZoomed())
        return;
    CRect rect;
    m_mainFrame->GetWindowRect(&rect);
    MONITORINFO screen;
    if (!GetMonitorInfo(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &screen))
        return;
    const CRect frame = m_mainFrame->GetFrameMargins();
    const CRect work(screen.rcWork.left + frame.left, screen.rcWork.top + frame.top, screen.rcWork.right - frame.right,
                     screen.rcWork.bottom - frame.bottom);
    const int width = std::max(0, std::min(rect.Width(), work.Width()));
    const int height = std::max(0, std::min(rect.Height(), work.Height()));
    const int left = std::clamp(int(rect.left), int(work.left), std::max(int(work.left), int(work.right) - width));
    const int top = std::clamp(int(rect.top), int(work.top), std::max(int(work.top), int(work.bottom) - height));
    if (CRect(left, top, left + width, top + height) != rect)
        m_mainFrame->MoveWindow(left, top, width, height);
}

void COrnApp::SaveWindowPlacement(CWnd& frame)
{
    // The normal rectangle, so that a maximized window is restored to where it was before.
    WINDOWPLACEMENT placement;
    if (!frame.GetWindowPlacement(&placement))
        return;
    const CRect rect(placement.rcNormalPosition);
    const double ratio = GetMonitorPixelRatio(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
    const auto device = [ratio](LONG v) { return int(std::lround(v * ratio)); };
    const CString text = CString::Formatted("%d,%d,%d,%d", device(rect.left), device(rect.top), device(rect.right),
                                            device(rect.bottom));
    m_profile.WriteProfileString(kPlacementSection, kPlacementEntry, text.GetString());
    m_profile.WriteProfileInt(kPlacementSection, kMaximizedEntry, placement.showCmd == UINT(SW_SHOWMAXIMIZED) ? 1 : 0);
}

BOOL COrnApp::InitInstance(const std::vector<CString>& arguments, const SStartOptions& options)
{
    m_options = options;
    m_endingOnSignal = false;
    CFrameworkApp::EnsureInitialized();
    CModalLoop::SetProgramEnding(false);
    m_closeDeferred = false;
    if (options.endOnSignals)
        InstallEndSignals();
    m_profile.SetRegistryKey(kRegistryKey);
    m_profile.SetAppName(kAppName);
    if (options.logging)
        InitLogging(std::filesystem::path(GetAppDataFolder().str()) / "Logs");
    LoadLanguage();
    LOG(INFO) << kAppName << " " << GetAppVersion(false).str() << " starting";
    if (options.windowServices)
        InstallWindowServices();
    m_recentFiles.ReadList();
    if (!m_docTemplate)
        LOG(INFO) << "No document template registered: projects cannot be opened";
    LOG(INFO) << "Report output format " << GetReportOutputFormat();
    m_report = CreateReportEngine(1, LanguageIndex(m_language));

    // Before a study is shown: threads started then would wait their turn on a busy machine.
    StartWalkThreads();
    m_commandLine = COrnCommandLineInfo();
    m_commandLine.Parse(arguments);
    m_instances = std::make_unique<CInstanceRegistry>(CInstanceRegistry::DefaultLockPath(m_profile), options.clock);
    m_instances->Register(m_commandLine.IsRestart() ? kRestartWaitMs : 0);

    m_mainFrame = std::make_unique<CMainFrame>();
    if (!m_mainFrame->LoadFrame(GetMainWindowTitle(), RestoredWindowRect())) {
        LOG(INFO) << "The main window cannot be created";
        m_mainFrame.reset();
        return FALSE;
    }
    if (options.showWindow)
        m_mainFrame->ShowWindow(m_profile.GetProfileInt(kPlacementSection, kMaximizedEntry, 0) ? SW_SHOWMAXIMIZED : SW_SHOW);
    FitMainWindowToScreen();
    // Told over the main window, whose heartbeat lets an end signal end the box.
    if (!m_instances->IsFirstInstance())
        AfxMessageBox(kAlreadyRunning, MB_OK | MB_ICONINFORMATION);
    if (m_commandLine.IsSampleStart())
        OpenSampleProject();
    else if (!m_commandLine.GetFileName().IsEmpty())
        OpenDocumentFile(m_commandLine.GetFileName());

    CopySampleIfNewer(BundledSamplePath().str(), GetDownloadFolder().str());
    return TRUE;
}

int COrnApp::Run()
{
    return CFrameworkApp::Run();
}

void COrnApp::OnMainWindowDestroyed()
{
    // Without a running main loop (tests) this ends nothing.
    PostQuitMessage(0);
}

int COrnApp::ExitInstance()
{
    CloseDocument();
    if (m_mainFrame && m_mainFrame->GetSafeHwnd()) {
        SaveWindowPlacement(*m_mainFrame);
        m_mainFrame->DestroyWindow();
    }
    m_mainFrame.reset();
    m_report.reset();
    if (const CString log = GetLogFileName(); !log.IsEmpty())
        CRecentFileList(m_profile, kLogFileSection, kLogFileCount).Add(log);
    LOG(INFO) << kAppName << " ends";
    if (m_options.logging)
        ShutdownLogging();
    m_instances.reset(); // clears this instance's record
    if (m_options.windowServices)
        RemoveWindowServices();
    CModalLoop::SetProgramEnding(false);
    return 0;
}

CString COrnApp::GetMainWindowTitle() const
{
    CString title(kAppName);
    if (m_instances && m_instances->IsRegistered() && !m_instances->IsFirstInstance())
        title += CString::Formatted(" (%d)", m_instances->GetInstanceNumber());
    if (m_document)
        title += " - " + m_document->GetTitle();
    return title;
}

void COrnApp::UpdateTitles()
{
    if (!m_mainFrame || !m_mainFrame->GetSafeHwnd())
        return;
    m_mainFrame->SetWindowText(GetMainWindowTitle());
    if (CChildFrameQuarn* project = m_mainFrame->GetProjectWindow(); project && m_document) {
        project->SetWindowText(m_document->GetTitle());
        // Its page may show the path as well.
        project->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

BOOL COrnApp::OpenDocumentFile(const CString& path)
{
    if (!m_docTemplate)
        return FALSE;
    LOG(INFO) << "Opening " << path.str();
    const CDocumentCall call(*this);
    if (!CloseWrittenDocument())
        return FALSE;
    std::unique_ptr<IProjectDocument> document = m_docTemplate->CreateDocument();
    if (!document->OnOpenDocument(path))
        return FALSE;
    m_document = std::move(document);
    m_recentFiles.Add(m_document->GetPathName());
    if (m_mainFrame && m_mainFrame->GetSafeHwnd())
        m_mainFrame->ShowProjectWindow(*m_document, m_document->GetTitle());
    UpdateTitles();
    return TRUE;
}

BOOL COrnApp::OpenSampleProject()
{
    if (!m_docTemplate)
        return FALSE;
    const CString project = GetAppDataFolder() + kSampleProjectName;
    if (!std::filesystem::exists(project.str())) {
        LOG(INFO) << "Making the sample project " << project.str();
        std::error_code ignored; // a folder that cannot be made is reported by the document
        std::filesystem::create_directories(GetAppDataFolder().str(), ignored);
        const CDocumentCall call(*this);
        CloseDocument();
        if (!m_docTemplate->CreateDocument()->MakeProjectFromSession(BundledSamplePath(), project))
            return FALSE;
    }
    return OpenDocumentFile(project);
}

bool COrnApp::CloseWrittenDocument()
{
    const CDocumentCall call(*this);
    if (m_document) {
        const CString path = m_document->GetPathName();
        if (m_endingOnSignal)
            m_document->WriteBeforeEnd();
        else if (!m_document->WriteBeforeClose())
            return false;
        // Saved under a new name on the way (or copied where there was room): the user finds it
        // among the recent files.
        if (m_document->GetPathName() != path)
            m_recentFiles.Add(m_document->GetPathName());
    }
    CloseDocument();
    return true;
}

void COrnApp::CloseDocument()
{
    if (!m_document)
        return;
    LOG(INFO) << "Closing " << m_document->GetPathName().str();
    if (m_mainFrame && m_mainFrame->GetSafeHwnd()) {
        m_mainFrame->DestroyProjectWindow();
        m_mainFrame->SendMessage(CMainFrame::WM_DOCUMENT_CLOSED, 0, 0);
    }
    m_document->DeleteContents();
    m_document.reset();
    UpdateTitles();
}

void COrnApp::OnFileOpen()
{
    const CDocumentCall call(*this);
    SFileDialogRequest request;
    request.open = true;
    request.defaultExtension = "zca";
    request.initialName = GetDownloadFolder();
    request.filter = kOpenFilterHead;
    const CString filterName = m_docTemplate ? m_docTemplate->GetDocString(CProjectDocTemplate::filterName) : CString();
    const CString filterExt = m_docTemplate ? m_docTemplate->GetDocString(CProjectDocTemplate::filterExt) : CString();
    if (!filterName.IsEmpty() && !filterExt.IsEmpty())
        request.filter += filterName + "|*" + filterExt + "|";
    request.filter += "|";
    request.flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER;
    CString path;
    if (RunFileDialog(request, path))
        OpenDocumentFile(path);
}

void COrnApp::OpenRecentFile(int index)
{
    const auto& files = m_recentFiles.GetFiles();
    if (index < 0 || index >= static_cast<int>(files.size()))
        return;
    const CString path = files[index];
    if (!OpenDocumentFile(path))
        m_recentFiles.Remove(index);
}

void COrnApp::OnFileSave()
{
    if (!m_document)
        return;
    const CDocumentCall call(*this);
    m_document->SaveProject();
}

void COrnApp::OnFileSaveAs()
{
    if (!m_document)
        return;
    const CDocumentCall call(*this);
    m_document->SaveProjectAs();
    m_recentFiles.Add(m_document->GetPathName());
    UpdateTitles();
}

void COrnApp::OnExportReport()
{
    auto* document = dynamic_cast<CRecDoc*>(m_document.get());
    if (!document || !m_report)
        return;
    const CDocumentCall call(*this);
    RunExportReport(*m_report, *document, m_mainFrame.get(), GetReportOutputFormat());
}

bool COrnApp::CanCloseMainWindow()
{
    if (m_documentCalls == 0 && CModalLoop::Running() == 0)
        return true;
    if (!m_closeDeferred)
        LOG(INFO) << "The main window closes once the document and the dialogs are done";
    m_closeDeferred = true;
    return false;
}

void COrnApp::CloseIfDeferred()
{
    if (!m_closeDeferred || m_documentCalls > 0 || CModalLoop::Running() > 0)
        return;
    m_closeDeferred = false;
    if (m_mainFrame && m_mainFrame->GetSafeHwnd())
        m_mainFrame->PostMessage(WM_CLOSE);
}

COrnApp::CDocumentCall::~CDocumentCall()
{
    --m_app.m_documentCalls;
    m_app.CloseIfDeferred();
}

void COrnApp::OnHeartbeat()
{
    if (g_endRequested.exchange(false) && m_mainFrame && m_mainFrame->GetSafeHwnd()) {
        LOG(INFO) << "Asked to end by a signal";
        m_endingOnSignal = true;
        // Nobody may be there to answer: what waits for the user ends as Cancel does, and so
        // does what would ask while the program ends.
        CModalLoop::SetProgramEnding(true);
        CModalLoop::EndAll();
        m_mainFrame->PostMessage(WM_CLOSE);
    }
    CloseIfDeferred();
    if (m_instances && m_instances->Heartbeat())
        UpdateTitles();
}
