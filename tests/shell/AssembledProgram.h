#pragma once
// The program as main() assembles it (the application object, its main window, the project
// window with its main view and the document), on the offscreen platform, opening a project
// made from sessions the session writer wrote. Tests drive it as a user does: clicks at the
// centre of what the user sees, through the top-level window, and the View menu.
#include "datamodel/ProgressThread.h"
#include "mainview/MainView.h"
#include "platform/framework/FileDialogService.h"
#include "project/RecDoc.h"
#include "shell/OrnApp.h"
#include "support/LogCapture.h"
#include "support/MessageBoxRecorder.h"
#include "support/ScopedTimeZone.h"
#include "support/SessionWriter.h"
#include "support/TempXdgHome.h"
#include "views/SplitFrame.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class CMyToolBar;
class TTabWnd;

class CAssembledProgram
{
public:
    // Main-view tabs in their order.
    enum ETab { kProjectManagerTab, kEnergyTab, kLoadTab, kAdvancedTab, kReportTab };

    CAssembledProgram();
    ~CAssembledProgram();
    CAssembledProgram(const CAssembledProgram&) = delete;
    CAssembledProgram& operator=(const CAssembledProgram&) = delete;

    // Two Energy sessions of three days (the first with a recording gap across the end of
    // daylight-saving time in Central Europe, 25 October 2026) and one Load session of two days.
    static std::vector<SSessionSpec> StandardSessions();
    // Writes each session as a ".zlg" and makes "<name>.zca" of them, in the order given.
    CString MakeProject(const std::string& name, const std::vector<SSessionSpec>& sessions);

    // Starts the program on the project with its main window of that size; false when it did not
    // start or the project did not open.
    bool Start(const CString& project, CSize windowSize = CSize(1024, 720));
    // Ends the program (also done on destruction).
    void Exit();

    COrnApp& App() { return m_app; }
    CMainFrame& MainFrame();
    CRecDoc& Document();
    CMainView& MainView();
    TTabWnd& Tabs();
    // The view of a window-table entry's section (null when there is none of that class).
    template <class View>
    View* Section(int entry)
    {
        const TVisualObject* object = MainView().GetLayout().GetObject(entry);
        auto* frame = object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
        return frame ? dynamic_cast<View*>(frame->GetView()) : nullptr;
    }

    // A left click at the centre of a window, as the user's mouse gives it.
    static void ClickAtCentre(CWnd& window);
    // A left click at a client point of a window.
    static void ClickAt(CWnd& window, CPoint clientPoint);
    void ClickTab(ETab tab);
    // The visible toolbar button of that command in the project window; null when none shows.
    CMyToolBar* FindToolBarButton(UINT command);
    // Clicks the button of that command; false when no toolbar shows it.
    bool ClickToolBarButton(UINT command);
    // Shows a study view as the user does: its tab, then its button of the view selector.
    bool ShowStudyPage(int viewId);
    // A command of the main window's menus.
    void MenuCommand(UINT command);

    // Saves the main window as "<name>.png" in ORN_RENDER_DIR (/tmp when unset).
    void SavePage(const std::string& name);

    // The message boxes shown so far; the file dialogs take the queued answers (none left:
    // cancelled).
    const std::vector<CMessageBoxRecorder::Box>& Boxes() const { return m_boxes.Boxes(); }
    void AnswerNextFileDialog(const CString& path) { m_answers.push_back(path); }
    // Log lines a normal run never writes (see CLogCapture::Complaints).
    std::vector<std::string> Complaints() const { return m_log.Complaints(); }
    void ForgetLog() { m_log.Clear(); }

    std::string InHome(const std::string& name) const { return (m_home.Root() / name).string(); }

    // The section frame of a window-table entry (null when there is none).
    CSplitFrame* SectionFrame(int entry);
    // Clicks the button of that command on the section toolbar of a window-table entry; false
    // when that toolbar does not show it.
    bool ClickSectionButton(int entry, UINT command);
    // Makes "<name>.zca" of session files as written (for sessions the writer's spec cannot
    // describe), in the order given.
    CString MakeProjectOfFiles(const std::string& name, const std::vector<std::vector<BYTE>>& files);

private:
    ScopedTimeZone m_zone{kCentralEuropeZone};
    CTempXdgHome m_home;
    CMessageBoxRecorder m_boxes;
    CLogCapture m_log;
    COrnApp& m_app = COrnApp::Instance();
    std::deque<CString> m_answers;
    FileDialogHandler m_previousDialog;
    bool m_started = false;
};
