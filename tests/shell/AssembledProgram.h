#pragma once
// The program as main() assembles it (the application object, its main window, the project
// window with its main view and the document), on the offscreen platform, opening a project
// made from sessions the session writer wrote. Tests drive it as a user does: clicks at the
// centre of what the user sees, through the top-level window, and the View menu.
#include "datamodel/ProgressThread.h"
#include "mainview/MainView.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/windows/CDialog.h"
#include "platform/framework/windows/CFileDialog.h"
#include "platform/framework/windows/CMenu.h"
#include "project/RecDoc.h"
#include "shell/OrnApp.h"
#include "support/LogCapture.h"
#include "support/MessageBoxRecorder.h"
#include "support/ScopedTimeZone.h"
#include "support/SessionWriter.h"
#include "support/TempXdgHome.h"
#include "views/SplitFrame.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CBasicGraphView;
class CMainFrame;
class CMyToolBar;
class CUGCtrl;
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
    // The next message box takes this answer (none queued: OK).
    void AnswerNextMessageBox(int answer) { m_boxes.AnswerNext(answer); }
    // Whether the next start lets SIGTERM, SIGINT and SIGHUP end the program (they are left to
    // the system again on exit).
    void EndOnSignals(bool end) { m_endOnSignals = end; }
    // Log lines a normal run never writes (see CLogCapture::Complaints).
    std::vector<std::string> Complaints() const { return m_log.Complaints(); }
    void ForgetLog() { m_log.Clear(); }

    std::string InHome(const std::string& name) const { return (m_home.Root() / name).string(); }

    // ---- Starting as a user does, dialogs and menus answered, typing, layout.
    // Starts the program on the project with the main window where the program places it (the
    // user's first start); false as for Start.
    bool StartAsPlaced(const CString& project);
    // Modal dialogs, colour dialogs and popup menus never wait for a person: a dialog takes the
    // answer queued for its template (none queued: Cancel), a colour dialog is cancelled, a menu
    // chooses the command queued for it (none: nothing). Each is noted in Interruptions() as
    // "dialog <template>", "file dialog", "colour dialog" or "menu <its first command>", and so is
    // every message box as "message box: <text>".
    using DialogAnswer = std::function<void(CDialog&)>;
    void AnswerNextDialog(UINT templateId, DialogAnswer answer);
    // Where the keyboard was when the last dialog opened from the main window (not from another
    // dialog), as `describe` tells the window that had the focus; taken once. Nothing when none
    // opened since, or nothing had the focus.
    void DescribeDialogOpenersWith(std::function<std::string(CWnd&)> describe) { m_describeOpener = std::move(describe); }
    std::optional<std::string> TakeDialogOpener() { return std::exchange(m_dialogOpener, std::nullopt); }
    void AnswerNextMenu(UINT command);
    std::vector<std::string> Interruptions();
    void ForgetInterruptions();
    // Opens a menu of the main window at its title, as a click does (0 File, 1 View), and chooses
    // the command; false, choosing nothing, when the menu holds no enabled item of it.
    bool ChooseMenuItem(int menu, UINT command);
    // Clicks into an edit (unless it has the focus) and types the text over what it holds
    // (digits, letters, spaces and . , - /), as the keyboard does; the text is committed when the focus
    // moves on, as the user's is. False when the edit cannot be brought into view.
    static bool TypeInto(CWnd& edit, const CString& text);
    // The part of the window that shows, in screen coordinates: inside every window holding it.
    static CRect ShownPart(CWnd& window);
    // Clicks the scroll bars of the windows holding the window, as a user does, until the client
    // point that `where` gives shows inside the window and all that holds it; the point then, or
    // nothing when it cannot be brought into view.
    static std::optional<CPoint> BringIntoView(CWnd& window, const std::function<CPoint()>& where);
    // A click at the centre of a window or a grid cell (with the cells joined to it) that is
    // first brought into view; false, with nothing clicked, when it cannot be. A cell may be
    // clicked that far from its left edge instead (a check box in it).
    static bool ClickInView(CWnd& window);
    static bool ClickGridCell(CUGCtrl& grid, int col, int row, int fromLeft = -1);
    // The same with the right mouse button (a cell's menu), and a double click.
    static bool RightClickGridCell(CUGCtrl& grid, int col, int row);
    static bool DoubleClickGridCell(CUGCtrl& grid, int col, int row);
    // A toolbar button, brought into view and clicked; false when it cannot be.
    static bool ClickButtonInView(CMyToolBar& toolBar, UINT command);
    // The next (or previous) item of a drop-down list chosen with the keyboard after a click; the
    // day of a date (wherever the locale puts it) or the first field (the hour) of a time clicked
    // and stepped with the key. False when the control cannot be brought into view.
    static bool StepInView(CWnd& control, UINT key);
    // The first window below the parent of that class, or with that control id (null: none).
    template <class Window>
    static Window* FindDescendant(CWnd* parent)
    {
        for (CWnd* child = parent ? parent->GetWindow(GW_CHILD) : nullptr; child; child = child->GetWindow(GW_HWNDNEXT)) {
            if (auto* found = dynamic_cast<Window*>(child))
                return found;
            if (auto* inside = FindDescendant<Window>(child))
                return inside;
        }
        return nullptr;
    }
    static CWnd* FindDescendantWithId(CWnd* parent, int id);
    // "project.xml" as the project file holds it (empty when it cannot be read).
    static std::string ReadProjectXmlText(const CString& path);
    // Whatever still shows besides the main window (see GetOtherShownWindows).
    std::vector<CString> OtherShownWindows();
    // What is wrong with the arrangement of the visible windows below the root and of the
    // buttons of its toolbars, one line each: a window or button that reaches outside its
    // parent's client area (where the parent cannot scroll it into view), or covers part of a
    // visible sibling (group boxes frame their controls; charts and grids are canvases that
    // controls stand on).
    static std::vector<std::string> FindLayoutFaults(CWnd& root);
    // A name for a window in such lines: its class, control id and text.
    static std::string Describe(CWnd& window);

    // The section frame of a window-table entry (null when there is none).
    CSplitFrame* SectionFrame(int entry);
    // Clicks the button of that command on the section toolbar of a window-table entry; false
    // when that toolbar does not show it.
    bool ClickSectionButton(int entry, UINT command);
    // Makes "<name>.zca" of session files as written (for sessions the writer's settings cannot
    // describe), in the order given.
    CString MakeProjectOfFiles(const std::string& name, const std::vector<std::vector<BYTE>>& files);

    // ---- The wheel and Enter, as a user gives them.
    // Rolls the mouse wheel (multiples of WHEEL_DELTA; positive away from the user) with the
    // pointer at the centre of a window, brought into view first; false, with nothing rolled,
    // when it cannot be.
    static bool RollWheelInView(CWnd& window, int delta);
    // Clicks into an edit (unless it has the focus) and presses Enter; false when the edit
    // cannot be brought into view.
    static bool PressEnterIn(CWnd& edit);
    // The texts of grid cells below the root, in grids that show, that are wider than the room
    // their cells give them, one line each (the grid, the cell, the text, the widths): measured
    // in the cell's font as the grid draws it, beside the cell's borders, margin and bitmap; a
    // left-aligned text may run on into the empty cells beside it. Cells of other types (check
    // boxes, panels that wrap their text) are not looked at.
    static std::vector<std::string> FindCutGridTexts(CWnd& root);
    // The same for every text the user reads below the root: grid cells with the labels of their
    // check boxes and the panels of several fonts (wider or taller than their cells), and labels,
    // buttons, group boxes, edits and graph axis titles that neither show their text whole nor
    // cut it to end with "…" and tell it whole as the tip a hover brings, each measured in its
    // own font.
    static std::vector<std::string> FindCutTexts(CWnd& root);

    // ---- The page in the window the screen gives.
    // The main window as large as the screen's work area lets it be, up to 1024 x 720 (958 x 538
    // on a 1920 x 1080 screen at device ratio 2).
    void FitToTheScreen();
    // What of a graph's plot and visible time axes lies outside the part of the page the user
    // sees, one word each (empty: all in sight); a graph section that scrolls is named too.
    static std::string PlotOutOfSight(CBasicGraphView& graph);

private:
    ScopedTimeZone m_zone{kCentralEuropeZone};
    CTempXdgHome m_home;
    CMessageBoxRecorder m_boxes;
    CLogCapture m_log;
    COrnApp& m_app = COrnApp::Instance();
    std::deque<CString> m_answers;
    FileDialogHandler m_previousDialog;
    bool m_started = false;
    bool m_endOnSignals = false;

    bool FinishStart(bool started);
    void Note(const std::string& interruption);
    // Mouse messages at the centre of a grid cell brought into view; false when it cannot be.
    static bool PressInGridCell(CUGCtrl& grid, int col, int row, std::initializer_list<UINT> messages);
    // Every modal dialog blocks the main window behind it: a click on its File menu or on a tab
    // and its Close and Open keys do nothing while the dialog is up.
    void CheckMainWindowBlocked(CDialog& dialog);

    std::multimap<UINT, DialogAnswer> m_dialogAnswers;
    std::function<std::string(CWnd&)> m_describeOpener;
    std::optional<std::string> m_dialogOpener;
    std::deque<UINT> m_menuAnswers;
    std::vector<std::string> m_interruptions;
    std::size_t m_boxesSeen = 0;
    CDialog::ModalDriver m_previousModalDriver;
    CMenu::TrackDriver m_previousMenuDriver;
    CFileDialog::Driver m_previousFileDriver;
    CColorDialog::Driver m_previousColorDriver;
};
