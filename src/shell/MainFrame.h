#pragma once
// The main window: the menu bar (File, View), the project window in the client area, the status
// bar, and timer 1, the application's heartbeat. File commands go to the application object
// and the open document; the document's private messages are answered here.
#include "platform/framework/windows/CMenu.h"
#include "platform/framework/windows/CWnd.h"
#include "shell/ChildFrameQuarn.h"
#include "shell/MenuStrip.h"
#include "shell/StatusBar.h"

#include <memory>
#include <vector>

class CMainFrame : public CWnd
{
public:
    // The framework's command ids of the File menu.
    static constexpr UINT ID_FILE_OPEN = 0xE101;
    static constexpr UINT ID_FILE_CLOSE = 0xE102;
    static constexpr UINT ID_FILE_SAVE = 0xE103;
    static constexpr UINT ID_FILE_SAVE_AS = 0xE104;
    static constexpr UINT ID_FILE_MRU_FILE1 = 0xE110;
    static constexpr UINT ID_APP_EXIT = 0xE141;
    static constexpr UINT ID_OPEN_LOG_FILE = 32880;
    static constexpr UINT ID_EXPORT_REPORT = 32881;
    // View menu: the study tabs through WM_USER+60, the other tabs through the window table.
    static constexpr UINT ID_VIEW_PROJECT_MANAGER = 32823;
    static constexpr UINT ID_VIEW_LOAD_STUDY = 32824;
    static constexpr UINT ID_VIEW_ENERGY_STUDY = 32825;
    static constexpr UINT ID_VIEW_ADVANCED = 32826;
    static constexpr UINT ID_VIEW_REPORT = 32827;
    // Sent by the document when it closes (both parameters 0).
    static constexpr UINT WM_DOCUMENT_CLOSED = WM_USER + 12;
    // wParam view id, lParam tab selector (1 Energy, 2 Load): the document switches the study
    // view (0x43C).
    static constexpr UINT WM_SHOW_STUDY_VIEW = WM_USER + 60;
    static constexpr UINT_PTR kHeartbeatTimer = 1;
    static constexpr UINT kHeartbeatMs = 100;

    CMainFrame();
    ~CMainFrame() override;

    // Creates the window (hidden), its menus, status bar and heartbeat.
    BOOL LoadFrame(const CString& title, const RECT& rect);
    // Replaces the project window by one showing the document.
    BOOL ShowProjectWindow(IProjectDocument& document, const CString& title);
    void DestroyProjectWindow();
    CChildFrameQuarn* GetProjectWindow() const { return m_projectWindow.get(); }
    CStatusBar& GetStatusBar() { return m_statusBar; }
    CMenu& GetFileMenu() { return m_fileMenu; }
    CMenuStrip& GetMenuStrip() { return m_menuStrip; }
    // Rebuilds the File menu with the current recent-file list.
    void UpdateFileMenu();
    // How many times the document's close message arrived (the logger connection is released
    // in answer; there is none to release here).
    int GetDocumentClosedCount() const { return m_documentClosedCount; }
    // Whether the window was fitted to the screen with the frame the window manager gave it.
    bool IsFittedWithFrame() const { return m_fittedWithFrame; }

    // The menu accelerators, Alt with a menu's mnemonic and F10 (the first menu).
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnClose() override;
    void OnDestroy() override;
    void OnTimer(UINT_PTR id) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;

private:
    CRect ProjectRect() const;
    // Selects the tab of that window-table entry in the open project window.
    void SelectMainViewTab(int entry);
    // Whether a message of this window (a command, a study switch) that arrived now waits: while
    // a modal loop runs, what opened it must stay as it is. The message is kept and posted again
    // once no loop runs.
    bool HoldWhileModal(UINT message, WPARAM wParam, LPARAM lParam);
    void PostHeldMessages();
    // "Open Log File...": the copy of the log in the desktop's viewer, or a message that says
    // why not and where the copy is.
    void ShowLogFile();

    CMenuStrip m_menuStrip;
    CStatusBar m_statusBar;
    CMenu m_fileMenu;
    CMenu m_viewMenu;
    std::unique_ptr<CChildFrameQuarn> m_projectWindow;
    int m_documentClosedCount = 0;
    std::vector<MSG> m_held;
    // Whether the window was fitted to the screen with its frame: the window manager gives the
    // frame some time after the first show; the heartbeat fits the window again once it has it.
    bool m_fittedWithFrame = false;
};
