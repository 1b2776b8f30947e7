#include "shell/MainFrame.h"

#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/ModalLoop.h"
#include "shell/LogFileViewer.h"
#include "shell/OrnApp.h"
#include "views/MainWindow.h"
#include "views/TabWnd.h"
#include "views/VisualFramework.h"
#include "mainview/MainViewLayout.h"

#include <glog/logging.h>

#include <filesystem>
#include <utility>

namespace {

struct SMenuItem
{
    UINT id; // 0: separator
    const char* text;
};

// Mnemonics after "&"; the accelerator's name after a tab, as the menu shows it.
constexpr SMenuItem kFileHead[] = {
    {CMainFrame::ID_FILE_OPEN, "&Open...\tCtrl+O"},
    {CMainFrame::ID_FILE_CLOSE, "&Close\tCtrl+W"},
    {CMainFrame::ID_FILE_SAVE, "&Save\tCtrl+S"},
    {CMainFrame::ID_FILE_SAVE_AS, "Save &As...\tCtrl+Shift+S"},
    {0, nullptr},
    {CMainFrame::ID_EXPORT_REPORT, "&Export Report..."},
    {CMainFrame::ID_OPEN_LOG_FILE, "Open &Log File..."},
};
constexpr SMenuItem kViewItems[] = {
    {CMainFrame::ID_VIEW_PROJECT_MANAGER, "&Project Manager"},
    {CMainFrame::ID_VIEW_ENERGY_STUDY, "&Energy Study"},
    {CMainFrame::ID_VIEW_LOAD_STUDY, "&Load Study"},
    {CMainFrame::ID_VIEW_ADVANCED, "&Advanced"},
    {CMainFrame::ID_VIEW_REPORT, "&Report"},
};
constexpr const char* kExitText = "E&xit\tCtrl+Q";

// The tab of the project window that each View menu command shows, by its index.
int TabOfViewCommand(UINT command)
{
    switch (command) {
    case CMainFrame::ID_VIEW_PROJECT_MANAGER: return 0;
    case CMainFrame::ID_VIEW_ENERGY_STUDY: return 1;
    case CMainFrame::ID_VIEW_LOAD_STUDY: return 2;
    case CMainFrame::ID_VIEW_ADVANCED: return 3;
    case CMainFrame::ID_VIEW_REPORT: return 4;
    default: return -1;
    }
}

// A View menu command reaches only a page the tabs let the user reach: the tab enabling of the
// project window (run whenever its sessions change) decides for both.
bool IsViewCommandEnabled(UINT command)
{
    const TVisualObject* root = g_pMainViewLayout ? g_pMainViewLayout->GetObject(SMainViewLayout::kRoot) : nullptr;
    const auto* tabs = root ? dynamic_cast<const TTabWnd*>(root->GetWnd()) : nullptr;
    const int tab = TabOfViewCommand(command);
    return tabs && tab >= 0 && tabs->IsTabEnabled(tab);
}

// The accelerators of the menu commands (Ctrl with the key, and Shift where given).
struct SAccelerator
{
    UINT key;
    bool shift;
    UINT command;
};
constexpr SAccelerator kAccelerators[] = {
    {'O', false, CMainFrame::ID_FILE_OPEN},   {'W', false, CMainFrame::ID_FILE_CLOSE},
    {'S', false, CMainFrame::ID_FILE_SAVE},   {'S', true, CMainFrame::ID_FILE_SAVE_AS},
    {'Q', false, CMainFrame::ID_APP_EXIT},
};

bool IsKeyDown(UINT key)
{
    return (GetKeyState(int(key)) & 0x8000) != 0;
}

constexpr UINT kNoLogViewer = 20021;  // "No viewer for text files could be started. The copy ... is %s."
constexpr UINT kNoLogFile = 20022;    // "No log file is being written."
constexpr UINT kLogNotCopied = 20023; // "The log file could not be copied to %s."
constexpr COLORREF kClientColor = RGB(171, 171, 171);

void AppendItems(CMenu& menu, const SMenuItem* first, const SMenuItem* last)
{
    for (const SMenuItem* item = first; item != last; ++item)
        item->id ? menu.AppendMenu(MF_STRING, item->id, item->text) : menu.AppendMenu(MF_SEPARATOR);
}

} // namespace

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CMainFrame::LoadFrame(const CString& title, const RECT& rect)
{
    if (!Create(nullptr, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect, nullptr, 0))
        return FALSE;
    SetMainWindow(this);
    CFrameworkApp::SetMainWindow(this);
    CRect client;
    GetClientRect(&client);
    m_menuStrip.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, client.right, CMenuStrip::kHeight), this, 0);
    m_statusBar.Create(nullptr, "", WS_CHILD | WS_VISIBLE,
                       CRect(0, client.bottom - CStatusBar::kHeight, client.right, client.bottom), this, 0);
    m_statusBar.SetText("Ready");

    m_fileMenu.CreatePopupMenu();
    UpdateFileMenu();
    m_viewMenu.CreatePopupMenu();
    AppendItems(m_viewMenu, std::begin(kViewItems), std::end(kViewItems));
    m_menuStrip.AddMenu("&File", &m_fileMenu, [this] { UpdateFileMenu(); });
    m_menuStrip.AddMenu("&View", &m_viewMenu, [this] {
        for (const SMenuItem& item : kViewItems)
            m_viewMenu.EnableMenuItem(item.id, MF_BYCOMMAND | (IsViewCommandEnabled(item.id) ? MF_ENABLED : MF_GRAYED));
    });

    SetTimer(kHeartbeatTimer, kHeartbeatMs);
    return TRUE;
}

void CMainFrame::UpdateFileMenu()
{
    while (m_fileMenu.GetMenuItemCount() > 0)
        m_fileMenu.RemoveMenu(0, MF_BYPOSITION);
    AppendItems(m_fileMenu, std::begin(kFileHead), std::end(kFileHead));
    const auto& files = COrnApp::Instance().GetRecentFileList().GetFiles();
    if (!files.empty())
        m_fileMenu.AppendMenu(MF_SEPARATOR);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const CString text = CString::Formatted("&%d %s", static_cast<int>(i + 1),
                                                CString(std::filesystem::path(files[i].str()).filename().string()));
        m_fileMenu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1 + i, text);
        // Two files of one name in different folders are told apart by their whole path.
        m_fileMenu.SetMenuItemTip(ID_FILE_MRU_FILE1 + UINT(i), files[i], MF_BYCOMMAND);
    }
    m_fileMenu.AppendMenu(MF_SEPARATOR);
    m_fileMenu.AppendMenu(MF_STRING, ID_APP_EXIT, kExitText);

    const bool open = COrnApp::Instance().GetDocument() != nullptr;
    for (UINT id : {ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_EXPORT_REPORT})
        m_fileMenu.EnableMenuItem(id, MF_BYCOMMAND | (open ? MF_ENABLED : MF_GRAYED));
}

CRect CMainFrame::ProjectRect() const
{
    CRect client;
    GetClientRect(&client);
    client.top = CMenuStrip::kHeight;
    client.bottom = std::max<int>(client.top, client.bottom - CStatusBar::kHeight);
    return client;
}

BOOL CMainFrame::ShowProjectWindow(IProjectDocument& document, const CString& title)
{
    DestroyProjectWindow();
    m_projectWindow = std::make_unique<CChildFrameQuarn>();
    if (!m_projectWindow->CreateFrame(this, ProjectRect(), title, document)) {
        DestroyProjectWindow();
        return FALSE;
    }
    return TRUE;
}

void CMainFrame::DestroyProjectWindow()
{
    if (m_projectWindow && m_projectWindow->GetSafeHwnd())
        m_projectWindow->DestroyWindow();
    m_projectWindow.reset();
    Invalidate();
}

BOOL CMainFrame::PreTranslateMessage(MSG* msg)
{
    // Only keys of this window's own children: a dialog it owns keeps its keys.
    const CWnd* source = CWnd::FromHandle(msg->hwnd);
    if ((msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) || !source || source->GetTopLevelParent() != this)
        return CWnd::PreTranslateMessage(msg);
    const UINT key = UINT(msg->wParam);
    if (key == VK_F10 && !IsKeyDown(VK_SHIFT) && !IsKeyDown(VK_CONTROL))
        return m_menuStrip.OpenMenu(0, true);
    if (msg->message == WM_SYSKEYDOWN)
        return m_menuStrip.OpenMenuByMnemonic(key);
    if (IsKeyDown(VK_CONTROL)) {
        for (const SAccelerator& accelerator : kAccelerators) {
            if (accelerator.key == key && accelerator.shift == IsKeyDown(VK_SHIFT)) {
                // Posted, as a menu choice is: the command runs after the key is handled.
                PostMessage(WM_COMMAND, MAKEWPARAM(int(accelerator.command), 1), 0);
                return TRUE;
            }
        }
    }
    return CWnd::PreTranslateMessage(msg);
}

BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    COrnApp& app = COrnApp::Instance();
    const UINT id = LOWORD(wParam);
    const bool own = TabOfViewCommand(id) >= 0 || id == ID_FILE_OPEN || id == ID_FILE_CLOSE || id == ID_FILE_SAVE ||
                     id == ID_FILE_SAVE_AS || id == ID_OPEN_LOG_FILE || id == ID_EXPORT_REPORT || id == ID_APP_EXIT ||
                     (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + UINT(COrnApp::kRecentFileCount));
    if (own && HoldWhileModal(WM_COMMAND, wParam, lParam))
        return TRUE;
    // However it arrives (menu, key, message), a View command of a disabled tab does nothing.
    if (TabOfViewCommand(id) >= 0 && !IsViewCommandEnabled(id))
        return TRUE;
    switch (id) {
    case ID_FILE_OPEN: app.OnFileOpen(); return TRUE;
    case ID_FILE_CLOSE: app.CloseWrittenDocument(); return TRUE;
    case ID_FILE_SAVE: app.OnFileSave(); return TRUE;
    case ID_FILE_SAVE_AS: app.OnFileSaveAs(); return TRUE;
    case ID_OPEN_LOG_FILE: ShowLogFile(); return TRUE;
    case ID_EXPORT_REPORT: app.OnExportReport(); return TRUE;
    case ID_VIEW_PROJECT_MANAGER: SelectMainViewTab(SMainViewLayout::kProjectManagerTab); return TRUE;
    case ID_VIEW_ADVANCED: SelectMainViewTab(SMainViewLayout::kAdvancedTab); return TRUE;
    case ID_VIEW_REPORT: SelectMainViewTab(SMainViewLayout::kReportTab); return TRUE;
    case ID_VIEW_ENERGY_STUDY: SendMessage(WM_SHOW_STUDY_VIEW, 0, 1); return TRUE;
    case ID_VIEW_LOAD_STUDY: SendMessage(WM_SHOW_STUDY_VIEW, 0, 2); return TRUE;
    case ID_APP_EXIT: SendMessage(WM_CLOSE); return TRUE;
    default: break;
    }
    if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + UINT(app.GetRecentFileList().GetSize())) {
        app.OpenRecentFile(static_cast<int>(id - ID_FILE_MRU_FILE1));
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CMainFrame::SelectMainViewTab(int entry)
{
    if (g_pMainViewFramework && g_pMainViewLayout)
        g_pMainViewFramework->SelectTab(g_pMainViewLayout->GetObject(entry));
}

void CMainFrame::ShowLogFile()
{
    UINT messageId = 0;
    switch (OpenLogFileCopy()) {
    case ELogFileResult::kOpened: return;
    case ELogFileResult::kNoLog: messageId = kNoLogFile; break;
    case ELogFileResult::kNotCopied: messageId = kLogNotCopied; break;
    case ELogFileResult::kNoViewer: messageId = kNoLogViewer; break;
    }
    CString format;
    format.LoadString(messageId);
    AfxMessageBox(CString::Formatted(format.GetString(), GetLogCopyPath()).GetString(), MB_ICONINFORMATION);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DOCUMENT_CLOSED) {
        ++m_documentClosedCount;
        LOG(INFO) << "Document closed; no logger connection is held";
        return 0;
    }
    if (message == WM_SHOW_STUDY_VIEW) {
        if (HoldWhileModal(message, wParam, lParam))
            return 0;
        IProjectDocument* document = COrnApp::Instance().GetDocument();
        // The message (0x43C) carries the view id in wParam and the tab selector (1 Energy, 2 Load)
        // in lParam.
        return document ? document->ShowStudyView(static_cast<int>(lParam), static_cast<int>(wParam)) : 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CMainFrame::HoldWhileModal(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CModalLoop::Running() == 0)
        return false;
    LOG(INFO) << "Message 0x" << std::hex << message << std::dec << " waits for the dialog";
    MSG held{};
    held.message = message;
    held.wParam = wParam;
    held.lParam = lParam;
    m_held.push_back(held);
    return true;
}

void CMainFrame::PostHeldMessages()
{
    if (CModalLoop::Running() > 0)
        return;
    for (const MSG& held : std::exchange(m_held, {}))
        PostMessage(held.message, held.wParam, held.lParam);
}

void CMainFrame::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_menuStrip.GetSafeHwnd())
        m_menuStrip.MoveWindow(0, 0, cx, CMenuStrip::kHeight);
    if (m_statusBar.GetSafeHwnd())
        m_statusBar.MoveWindow(0, std::max(0, cy - CStatusBar::kHeight), cx, CStatusBar::kHeight);
    if (m_projectWindow && m_projectWindow->GetSafeHwnd())
        m_projectWindow->MoveWindow(ProjectRect());
    Invalidate();
}

void CMainFrame::OnClose()
{
    COrnApp& app = COrnApp::Instance();
    if (!app.CanCloseMainWindow() || !app.CloseWrittenDocument())
        return;
    app.SaveWindowPlacement(*this);
    DestroyWindow();
}

void CMainFrame::OnDestroy()
{
    KillTimer(kHeartbeatTimer);
    DestroyProjectWindow();
    if (GetMainWindow() == this)
        SetMainWindow(nullptr);
    if (CFrameworkApp::GetMainWindow() == this)
        CFrameworkApp::SetMainWindow(nullptr);
    CWnd::OnDestroy();
    COrnApp::Instance().OnMainWindowDestroyed();
}

void CMainFrame::OnTimer(UINT_PTR id)
{
    if (id == kHeartbeatTimer) {
        if (!m_fittedWithFrame && !GetFrameMargins().IsRectNull()) {
            m_fittedWithFrame = true;
            COrnApp::Instance().FitMainWindowToScreen();
        }
        PostHeldMessages();
        COrnApp::Instance().OnHeartbeat();
    }
    else
        CWnd::OnTimer(id);
}

BOOL CMainFrame::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CMainFrame::OnPaint()
{
    CPaintDC dc(this);
    const CRect area = ProjectRect();
    dc.FillSolidRect(&area, kClientColor);
}
