#include "AssembledProgram.h"

#include "datamodel/IDataStream.h"
#include "datamodel/RecordingProgressDialog.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGCell.h"
#include "grid/CUGCellType.h"
#include "grid/CUGGrid.h"
#include "grid/CellTextFit.h"
#include "grid/UGDefs.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiObjects.h"
#include "mainview/StudyLayouts.h"
#include "platform/chart/CiPlotX.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/UserLocale.h"
#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CDateTimeCtrl.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/ModalLoop.h"
#include "platform/framework/windows/WindowStyles.h"
#include "platform/framework/windows/WindowTesting.h"
#include "project/ZcaArchive.h"
#include "shell/ChildFrameQuarn.h"
#include "shell/MainFrame.h"
#include "shell/RecDocTemplate.h"
#include "study/BasicGraphView.h"
#include "views/MyFont.h"
#include "views/MyToolBar.h"
#include "views/TabWnd.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

namespace {

constexpr std::int64_t kOneDay = 864000000000;
constexpr std::int64_t kSaturday24October2026 = 134372736000000000;
constexpr int kRecordsPerDay = 144; // ten-minute records

// How many characters of a date picker's text come before its day: its text read along the
// locale's date picture (each run of d, M or y is a run of digits in the text).
int CharactersBeforeDay(const CString& text, const CString& picture)
{
    int at = 0;
    for (int p = 0; p < picture.GetLength() && at <= text.GetLength();) {
        const char letter = picture[p];
        int run = 1;
        while (p + run < picture.GetLength() && picture[p + run] == letter)
            ++run;
        p += run;
        if (letter == 'd')
            return at;
        if (letter == 'M' || letter == 'y') {
            while (at < text.GetLength() && text[at] >= '0' && text[at] <= '9')
                ++at;
        } else {
            at += run;
        }
    }
    return 0;
}

} // namespace

CAssembledProgram::CAssembledProgram()
{
    CStringTable::Instance().LoadLanguage("ENG");
    m_app.SetDocTemplate(CreateRecDocTemplate());
    m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
        Note("file dialog");
        if (m_answers.empty())
            return false;
        path = m_answers.front();
        m_answers.pop_front();
        return !path.IsEmpty();
    });
    CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
    m_previousModalDriver = CDialog::SetModalDriver([this](CDialog& dialog) {
        Note("dialog " + std::to_string(dialog.GetTemplateId()));
        if (CWnd* opener = dialog.GetOpener(); opener && m_describeOpener && CModalLoop::Running() == 1)
            m_dialogOpener = m_describeOpener(*opener);
        CheckMainWindowBlocked(dialog);
        const auto answer = m_dialogAnswers.find(dialog.GetTemplateId());
        if (answer == m_dialogAnswers.end()) {
            dialog.EndDialog(IDCANCEL);
            return;
        }
        const DialogAnswer act = answer->second;
        m_dialogAnswers.erase(answer);
        act(dialog);
    });
    m_previousMenuDriver = CMenu::SetTrackDriver([this](CMenu& menu) {
        Note("menu " + std::to_string(menu.GetMenuItemCount() > 0 ? menu.GetMenuItemID(0) : 0));
        if (m_menuAnswers.empty())
            return 0u;
        const UINT command = m_menuAnswers.front();
        m_menuAnswers.pop_front();
        const UINT state = menu.GetMenuState(command, MF_BYCOMMAND);
        return state == UINT(-1) || (state & (MF_GRAYED | MF_DISABLED)) ? 0u : command;
    });
    m_previousFileDriver = CFileDialog::SetDriver([this](CFileDialog& dialog) {
        Note("file dialog");
        if (m_answers.empty() || m_answers.front().IsEmpty()) {
            if (!m_answers.empty())
                m_answers.pop_front();
            return INT_PTR(IDCANCEL);
        }
        dialog.SetPathName(m_answers.front());
        m_answers.pop_front();
        return INT_PTR(IDOK);
    });
    m_previousColorDriver = CColorDialog::SetDriver([this](CColorDialog&) {
        Note("colour dialog");
        return INT_PTR(IDCANCEL);
    });
}

CAssembledProgram::~CAssembledProgram()
{
    Exit();
    CColorDialog::SetDriver(std::move(m_previousColorDriver));
    CFileDialog::SetDriver(std::move(m_previousFileDriver));
    CMenu::SetTrackDriver(std::move(m_previousMenuDriver));
    CDialog::SetModalDriver(std::move(m_previousModalDriver));
    CProgressThread::SetDialogFactory({});
    SetFileDialogHandler(std::move(m_previousDialog));
}

std::vector<SSessionSpec> CAssembledProgram::StandardSessions()
{
    SSessionSpec first;
    first.name = u"Feeder north";
    first.description = u"Main switchboard, north feeder";
    first.startTicks = kSaturday24October2026;
    first.trendRecords = 3 * kRecordsPerDay;
    // From 00:00 to 03:00 UTC on the 25th: the clocks go back at 01:00 UTC inside the gap.
    first.gapStart = kRecordsPerDay;
    first.gapLength = 18;
    SSessionSpec second = first;
    second.name = u"Feeder south";
    second.description = u"Main switchboard, south feeder";
    second.startTicks = kSaturday24October2026 + kOneDay / 2;
    second.gapStart = -1;
    second.serialNumber = "4626018";
    SSessionSpec load = second;
    load.name = u"Workshop load";
    load.description = u"Workshop load survey";
    load.studyType = 2;
    load.trendRecords = 2 * kRecordsPerDay;
    load.serialNumber = "4626019";
    return {first, second, load};
}

CString CAssembledProgram::MakeProject(const std::string& name, const std::vector<SSessionSpec>& sessions)
{
    std::vector<std::vector<BYTE>> files;
    for (const SSessionSpec& session : sessions)
        files.push_back(CSessionWriter(session).BuildFile());
    return MakeProjectOfFiles(name, files);
}

CString CAssembledProgram::MakeProjectOfFiles(const std::string& name, const std::vector<std::vector<BYTE>>& files)
{
    // Each session becomes a project of its own, as the program makes one from a ".zlg"; the
    // first is the project, the others are added to it from theirs as Add Data does.
    std::vector<CString> projects;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string stem = i == 0 ? name : name + "-" + std::to_string(i + 1);
        const std::string session = InHome(stem + ".zlg");
        EXPECT_TRUE(WriteBytesToFile(session, files[i]));
        projects.emplace_back(InHome(stem + ".zca"));
        m_answers.push_back(projects.back());
        CRecDoc maker;
        EXPECT_TRUE(maker.OnOpenDocument(CString(session)));
        maker.OnCloseDocument();
    }
    CRecDoc project;
    EXPECT_TRUE(project.OnOpenDocument(projects.front()));
    for (std::size_t i = 1; i < projects.size(); ++i)
        EXPECT_EQ(0, project.ImportSession(projects[i], 0));
    project.OnCloseDocument();
    return projects.front();
}

bool CAssembledProgram::Start(const CString& project, CSize windowSize)
{
    SStartOptions options;
    options.windowServices = false;
    options.logging = false;
    options.endOnSignals = m_endOnSignals;
    if (!FinishStart(m_app.InitInstance({project}, options)))
        return false;
    // Placed once the program has fitted the window to the screen with its frame: that fit comes
    // with a heartbeat after the frame does, and would otherwise move the window at some moment
    // of the test, the later the busier the machine.
    CMainFrame& frame = *m_app.GetMainFrame();
    EXPECT_TRUE(CFrameworkApp::RunUntil([&frame] { return frame.IsFittedWithFrame(); }, 10000));
    frame.MoveWindow(0, 0, windowSize.cx, windowSize.cy);
    CFrameworkApp::PumpWaitingMessages();
    return true;
}

bool CAssembledProgram::StartAsPlaced(const CString& project)
{
    SStartOptions options;
    options.windowServices = false;
    options.logging = false;
    options.endOnSignals = false;
    return FinishStart(m_app.InitInstance({project}, options));
}

bool CAssembledProgram::FinishStart(bool started)
{
    m_started = started;
    if (!m_started || !m_app.GetMainFrame() || !m_app.GetMainFrame()->GetProjectWindow())
        return false;
    CFrameworkApp::PumpWaitingMessages();
    return true;
}

void CAssembledProgram::Exit()
{
    if (!m_started)
        return;
    m_started = false;
    m_app.ExitInstance();
    CFrameworkApp::PumpWaitingMessages();
    if (m_endOnSignals)
        for (int signal : {SIGTERM, SIGINT, SIGHUP})
            std::signal(signal, SIG_DFL);
}

CMainFrame& CAssembledProgram::MainFrame()
{
    return *m_app.GetMainFrame();
}

CRecDoc& CAssembledProgram::Document()
{
    return *dynamic_cast<CRecDoc*>(m_app.GetDocument());
}

CMainView& CAssembledProgram::MainView()
{
    return MainFrame().GetProjectWindow()->GetMainView();
}

TTabWnd& CAssembledProgram::Tabs()
{
    return *dynamic_cast<TTabWnd*>(MainView().GetRootWindow());
}

void CAssembledProgram::ClickAt(CWnd& window, CPoint clientPoint)
{
    CPoint screen = clientPoint;
    window.ClientToScreen(&screen);
    SimulateScreenMouse(window, WM_LBUTTONDOWN, screen);
    SimulateScreenMouse(window, WM_LBUTTONUP, screen);
    CFrameworkApp::PumpWaitingMessages();
}

void CAssembledProgram::ClickAtCentre(CWnd& window)
{
    CRect client;
    window.GetClientRect(&client);
    ClickAt(window, client.CenterPoint());
}

void CAssembledProgram::ClickTab(ETab tab)
{
    ClickAt(Tabs(), Tabs().GetTabRect(int(tab)).CenterPoint());
}

namespace {

CMyToolBar* FindShownButton(CWnd& parent, UINT command)
{
    for (CWnd* child = parent.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (!child->IsWindowVisible())
            continue;
        auto* toolBar = dynamic_cast<CMyToolBar*>(child);
        if (toolBar && !toolBar->GetButtonRect(command).IsRectEmpty())
            return toolBar;
        if (CMyToolBar* inside = FindShownButton(*child, command))
            return inside;
    }
    return nullptr;
}

} // namespace

CMyToolBar* CAssembledProgram::FindToolBarButton(UINT command)
{
    return FindShownButton(*MainFrame().GetProjectWindow(), command);
}

bool CAssembledProgram::ClickToolBarButton(UINT command)
{
    CMyToolBar* toolBar = FindToolBarButton(command);
    if (!toolBar)
        return false;
    ClickAt(*toolBar, toolBar->GetButtonRect(command).CenterPoint());
    return true;
}

bool CAssembledProgram::ShowStudyPage(int viewId)
{
    const SStudyLayout* layout = FindStudyLayout(viewId);
    if (!layout)
        return false;
    ClickTab(layout->loadStudy ? kLoadTab : kEnergyTab);
    return ClickToolBarButton(layout->checkCommand);
}

void CAssembledProgram::MenuCommand(UINT command)
{
    MainFrame().SendMessage(WM_COMMAND, command, 0);
    CFrameworkApp::PumpWaitingMessages();
}

void CAssembledProgram::SavePage(const std::string& name)
{
    const char* folder = std::getenv("ORN_RENDER_DIR");
    EXPECT_TRUE(SaveWindowPicture(MainFrame(), CString(std::string(folder ? folder : "/tmp") + "/" + name + ".png")));
}

void CAssembledProgram::CheckMainWindowBlocked(CDialog& dialog)
{
    CMainFrame* frame = m_app.GetMainFrame();
    if (!frame || !frame->GetSafeHwnd())
        return;
    const std::size_t noted = Interruptions().size();
    const IProjectDocument* document = m_app.GetDocument();
    CChildFrameQuarn* project = frame->GetProjectWindow();
    const int tab = project ? Tabs().GetActiveTab() : -1;
    // The File menu's title, another tab, the keys of Close and Open: all of the main window.
    ClickAt(frame->GetMenuStrip(), CPoint(10, CMenuStrip::kHeight / 2));
    if (project)
        ClickTab(tab == kProjectManagerTab ? kReportTab : kProjectManagerTab);
    SimulateScreenKey(*frame, 'W', MK_CONTROL);
    SimulateScreenKey(*frame, 'O', MK_CONTROL);
    CFrameworkApp::PumpWaitingMessages();
    const std::vector<std::string> after = Interruptions();
    const std::string what = "while dialog " + std::to_string(dialog.GetTemplateId()) + " was up, the main window ";
    if (after.size() != noted)
        ADD_FAILURE() << what << "opened " << after.back();
    if (m_app.GetDocument() != document)
        ADD_FAILURE() << what << "closed the project";
    else if (project && Tabs().GetActiveTab() != tab)
        ADD_FAILURE() << what << "switched to tab " << Tabs().GetActiveTab();
    m_interruptions.resize(std::min(m_interruptions.size(), noted));
}

void CAssembledProgram::Note(const std::string& interruption)
{
    // Message boxes shown before it come first.
    for (; m_boxesSeen < m_boxes.Boxes().size(); ++m_boxesSeen)
        m_interruptions.push_back("message box: " + m_boxes.Boxes()[m_boxesSeen].text.str());
    if (!interruption.empty())
        m_interruptions.push_back(interruption);
}

void CAssembledProgram::AnswerNextDialog(UINT templateId, DialogAnswer answer)
{
    m_dialogAnswers.emplace(templateId, std::move(answer));
}

void CAssembledProgram::AnswerNextMenu(UINT command)
{
    m_menuAnswers.push_back(command);
}

std::vector<std::string> CAssembledProgram::Interruptions()
{
    Note({});
    return m_interruptions;
}

void CAssembledProgram::ForgetInterruptions()
{
    Note({});
    m_interruptions.clear();
}

bool CAssembledProgram::ChooseMenuItem(int menu, UINT command)
{
    bool chosen = false;
    const CMenu::TrackDriver queued = CMenu::SetTrackDriver([&](CMenu& shown) {
        const UINT state = shown.GetMenuState(command, MF_BYCOMMAND);
        chosen = state != UINT(-1) && !(state & (MF_GRAYED | MF_DISABLED));
        return chosen ? command : 0u;
    });
    MainFrame().GetMenuStrip().OpenMenu(menu);
    CMenu::SetTrackDriver(queued);
    CFrameworkApp::PumpWaitingMessages();
    return chosen;
}

bool CAssembledProgram::TypeInto(CWnd& edit, const CString& text)
{
    if (CWnd::GetFocus() != &edit && !ClickInView(edit))
        return false;
    SimulateKey(edit, 'A', MK_CONTROL);
    // The punctuation keys of a US keyboard.
    constexpr std::pair<char, UINT> kPunctuation[] = {{'.', 0xBE}, {',', 0xBC}, {'-', 0xBD}, {'/', 0xBF}};
    for (const char c : text.str()) {
        const bool upper = c >= 'A' && c <= 'Z';
        const auto punctuation = std::find_if(std::begin(kPunctuation), std::end(kPunctuation),
                                              [c](const auto& key) { return key.first == c; });
        const bool typable = upper || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' ||
                             punctuation != std::end(kPunctuation);
        EXPECT_TRUE(typable) << "the keyboard of the tests has no key for '" << c << "'";
        if (typable)
            SimulateKey(edit, punctuation != std::end(kPunctuation) ? punctuation->second
                                                                     : UINT(std::toupper(static_cast<unsigned char>(c))),
                        upper ? MK_SHIFT : 0);
    }
    CFrameworkApp::PumpWaitingMessages();
    return true;
}

CRect CAssembledProgram::ShownPart(CWnd& window)
{
    CRect shown;
    window.GetWindowRect(&shown);
    for (CWnd* holder = window.GetParent(); holder; holder = holder->GetParent()) {
        CRect client;
        holder->GetClientRect(&client);
        holder->ClientToScreen(&client);
        shown.IntersectRect(&shown, &client);
    }
    return shown;
}

std::optional<CPoint> CAssembledProgram::BringIntoView(CWnd& window, const std::function<CPoint()>& where)
{
    for (int turn = 0; turn < 200; ++turn) {
        const CPoint point = where();
        CPoint screen = point;
        window.ClientToScreen(&screen);
        CRect shown = ShownPart(window);
        if (shown.PtInRect(screen))
            return point;
        // A window wholly out of sight lies that way from what shows of the windows holding it.
        for (CWnd* holder = window.GetParent(); shown.IsRectEmpty() && holder; holder = holder->GetParent())
            shown = ShownPart(*holder);
        // A click on the scroll bar of the nearest window holding it that scrolls that way and
        // moves it; the windows further out when it does not move.
        const bool vertical = screen.y < shown.top || screen.y >= shown.bottom;
        const bool back = vertical ? screen.y < shown.top : screen.x < shown.left;
        bool moved = false;
        for (CWnd* holder = &window; holder && !moved; holder = holder->GetParent()) {
            const int bar = vertical ? SB_VERT : SB_HORZ;
            if (!(holder->GetStyle() & (vertical ? WS_VSCROLL : WS_HSCROLL)) && !holder->GetScrollBarCtrl(bar))
                continue;
            holder->SendMessage(vertical ? WM_VSCROLL : WM_HSCROLL, back ? SB_LINEUP : SB_LINEDOWN, 0);
            CFrameworkApp::PumpWaitingMessages();
            CPoint now = where();
            window.ClientToScreen(&now);
            moved = now != screen;
        }
        if (!moved)
            return std::nullopt;
    }
    return std::nullopt;
}

bool CAssembledProgram::ClickInView(CWnd& window)
{
    const auto centre = BringIntoView(window, [&window] {
        CRect client;
        window.GetClientRect(&client);
        return client.CenterPoint();
    });
    if (centre)
        ClickAt(window, *centre);
    return centre.has_value();
}

namespace {

// A point of a grid cell (with the cells joined to it) brought into view, in the client
// coordinates of the grid's cells: its centre, or that far from its left edge.
std::optional<CPoint> CellInView(CUGCtrl& grid, int col, int row, int fromLeft)
{
    const auto where = [&]() -> std::optional<CRect> {
        int startCol = col, startRow = row, endCol = col, endRow = row;
        if (grid.GetJoinRange(&startCol, &startRow, &endCol, &endRow) != 0) {
            startCol = endCol = col;
            startRow = endRow = row;
        }
        CRect cell;
        if (grid.GetRangeRect(startCol, startRow, endCol, endRow, &cell) != 0)
            return std::nullopt;
        return cell;
    };
    if (!where())
        return std::nullopt;
    return CAssembledProgram::BringIntoView(*grid.m_CUGGrid, [&] {
        const CRect cell = *where();
        return fromLeft < 0 ? cell.CenterPoint() : CPoint(cell.left + fromLeft, cell.CenterPoint().y);
    });
}

} // namespace

bool CAssembledProgram::ClickGridCell(CUGCtrl& grid, int col, int row, int fromLeft)
{
    const auto point = CellInView(grid, col, row, fromLeft);
    if (point)
        ClickAt(*grid.m_CUGGrid, *point);
    return point.has_value();
}

bool CAssembledProgram::RightClickGridCell(CUGCtrl& grid, int col, int row)
{
    return PressInGridCell(grid, col, row, {WM_RBUTTONDOWN, WM_RBUTTONUP});
}

bool CAssembledProgram::DoubleClickGridCell(CUGCtrl& grid, int col, int row)
{
    return PressInGridCell(grid, col, row, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
}

bool CAssembledProgram::PressInGridCell(CUGCtrl& grid, int col, int row, std::initializer_list<UINT> messages)
{
    const auto centre = CellInView(grid, col, row, -1);
    if (!centre)
        return false;
    CPoint screen = *centre;
    grid.m_CUGGrid->ClientToScreen(&screen);
    for (const UINT message : messages)
        SimulateScreenMouse(*grid.m_CUGGrid, message, screen);
    CFrameworkApp::PumpWaitingMessages();
    return true;
}

bool CAssembledProgram::ClickButtonInView(CMyToolBar& toolBar, UINT command)
{
    const auto centre = BringIntoView(toolBar, [&] { return toolBar.GetButtonRect(command).CenterPoint(); });
    if (centre)
        ClickAt(toolBar, *centre);
    return centre.has_value();
}

bool CAssembledProgram::StepInView(CWnd& control, UINT key)
{
    const bool picker = dynamic_cast<CDateTimeCtrl*>(&control) != nullptr;
    const auto at = BringIntoView(control, [&] {
        CRect client;
        control.GetClientRect(&client);
        return picker ? CPoint(client.left + client.Width() / 6, client.CenterPoint().y) : client.CenterPoint();
    });
    if (!at)
        return false;
    ClickAt(control, *at);
    // A date's day, wherever the user's locale puts it: the cursor keys take the user there.
    if (picker && (control.GetStyle() & DTS_TIMEFORMAT) != DTS_TIMEFORMAT) {
        CString text;
        control.GetWindowText(text);
        SimulateKey(control, VK_HOME);
        for (int step = CharactersBeforeDay(text, CUserLocale::Current().shortDatePicture); step > 0; --step)
            SimulateKey(control, VK_RIGHT);
    }
    SimulateKey(control, key);
    if (!picker)
        SimulateKey(control, VK_RETURN);
    CFrameworkApp::PumpWaitingMessages();
    return true;
}

CWnd* CAssembledProgram::FindDescendantWithId(CWnd* parent, int id)
{
    for (CWnd* child = parent ? parent->GetWindow(GW_CHILD) : nullptr; child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (child->GetDlgCtrlID() == id)
            return child;
        if (CWnd* inside = FindDescendantWithId(child, id))
            return inside;
    }
    return nullptr;
}

std::string CAssembledProgram::ReadProjectXmlText(const CString& path)
{
    CZcaArchive archive;
    std::unique_ptr<IDataStream> stream;
    if (!archive.Open(path) || archive.OpenStream("project.xml", stream) != 0)
        return {};
    std::string text(std::size_t(stream->GetLength()), '\0');
    text.resize(std::size_t(std::max<std::int64_t>(0, stream->Read(text.data(), text.size()))));
    return text;
}

std::vector<CString> CAssembledProgram::OtherShownWindows()
{
    CFrameworkApp::PumpWaitingMessages();
    return GetOtherShownWindows(m_app.GetMainFrame());
}

std::string CAssembledProgram::Describe(CWnd& window)
{
    CString text;
    window.GetWindowText(text);
    const char* name = typeid(window).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> readable(abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
    return std::string(status == 0 ? readable.get() : name) + " " + std::to_string(window.GetDlgCtrlID()) +
           (text.IsEmpty() ? "" : " \"" + text.str() + "\"");
}

namespace {

bool IsGroupBox(CWnd& window)
{
    auto* button = dynamic_cast<CButton*>(&window);
    return button && button->GetButtonStyle() == BS_GROUPBOX;
}

// Charts and grids are canvases: controls may stand on them.
bool IsCanvas(CWnd& window)
{
    return dynamic_cast<CiPlotX*>(&window) || dynamic_cast<CUGCtrl*>(&window);
}

std::string RectText(const CRect& rect)
{
    return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" + std::to_string(rect.right) +
           "," + std::to_string(rect.bottom) + ")";
}

// What reaches outside the parent's client area on a side that the parent cannot scroll.
std::string Outside(const CRect& inner, const CRect& client, bool scrollsAcross, bool scrollsDown)
{
    std::string sides;
    if (!scrollsAcross && (inner.left < client.left || inner.right > client.right))
        sides += " across";
    if (!scrollsDown && (inner.top < client.top || inner.bottom > client.bottom))
        sides += " down";
    return sides.empty() ? "" : " reaches outside " + RectText(client) + sides;
}

void CollectLayoutFaults(CWnd& parent, std::vector<std::string>& faults)
{
    CRect client;
    parent.GetClientRect(&client);
    const bool scrollsAcross = (parent.GetStyle() & WS_HSCROLL) != 0;
    const bool scrollsDown = (parent.GetStyle() & WS_VSCROLL) != 0;
    std::vector<std::pair<CWnd*, CRect>> shown;
    for (CWnd* child = parent.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        CRect rect;
        child->GetWindowRect(&rect);
        parent.ScreenToClient(&rect);
        if (!child->IsWindowVisible() || rect.IsRectEmpty())
            continue;
        if (const std::string outside = Outside(rect, client, scrollsAcross, scrollsDown); !outside.empty())
            faults.push_back(CAssembledProgram::Describe(*child) + " at " + RectText(rect) + outside + " of " +
                             CAssembledProgram::Describe(parent));
        if (!IsGroupBox(*child) && !IsCanvas(*child))
            shown.emplace_back(child, rect);
        // A button narrower than its label and glyph cuts the label.
        if (SIZE ideal{}; !IsGroupBox(*child) && child->SendMessage(BCM_GETIDEALSIZE, 0, LPARAM(&ideal)) &&
                          rect.Width() < ideal.cx)
            faults.push_back(CAssembledProgram::Describe(*child) + " cuts its label: " + std::to_string(rect.Width()) +
                             " px of " + std::to_string(ideal.cx));
        if (auto* toolBar = dynamic_cast<CMyToolBar*>(child)) {
            CRect bar;
            toolBar->GetClientRect(&bar);
            for (int i = 0; i < toolBar->GetButtonCount(); ++i) {
                const CRect button = toolBar->GetButtonRect(toolBar->GetCommand(i));
                if (!button.IsRectEmpty() && !Outside(button, bar, false, false).empty())
                    faults.push_back("button " + std::to_string(toolBar->GetCommand(i)) + " of toolbar " +
                                     std::to_string(toolBar->GetResourceId()) + Outside(button, bar, false, false));
            }
        }
        CollectLayoutFaults(*child, faults);
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            CRect common;
            if (common.IntersectRect(&shown[i].second, &shown[j].second))
                faults.push_back(CAssembledProgram::Describe(*shown[i].first) + " and " +
                                 CAssembledProgram::Describe(*shown[j].first) + " overlap in " + RectText(common));
        }
    }
}

} // namespace

std::vector<std::string> CAssembledProgram::FindLayoutFaults(CWnd& root)
{
    CFrameworkApp::PumpWaitingMessages();
    std::vector<std::string> faults;
    CollectLayoutFaults(root, faults);
    return faults;
}

CSplitFrame* CAssembledProgram::SectionFrame(int entry)
{
    const TVisualObject* object = MainView().GetLayout().GetObject(entry);
    return object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
}

bool CAssembledProgram::ClickSectionButton(int entry, UINT command)
{
    CSplitFrame* frame = SectionFrame(entry);
    for (int i = 0; frame && i < frame->GetToolBarCount(); ++i) {
        CMyToolBar* toolBar = frame->GetMyToolBar(i);
        if (toolBar && toolBar->IsWindowVisible() && !toolBar->GetButtonRect(command).IsRectEmpty()) {
            ClickAt(*toolBar, toolBar->GetButtonRect(command).CenterPoint());
            return true;
        }
    }
    return false;
}

bool CAssembledProgram::RollWheelInView(CWnd& window, int delta)
{
    const auto centre = BringIntoView(window, [&window] {
        CRect client;
        window.GetClientRect(&client);
        return client.CenterPoint();
    });
    if (!centre)
        return false;
    CPoint screen = *centre;
    window.ClientToScreen(&screen);
    SimulateScreenMouse(window, WM_MOUSEMOVE, screen);
    SimulateScreenWheel(window, screen, delta);
    CFrameworkApp::PumpWaitingMessages();
    return true;
}

bool CAssembledProgram::PressEnterIn(CWnd& edit)
{
    if (CWnd::GetFocus() != &edit && !ClickInView(edit))
        return false;
    SimulateKey(edit, VK_RETURN);
    CFrameworkApp::PumpWaitingMessages();
    return true;
}

namespace {

// The width of a cell's bitmap with its margins, as it is drawn in a rectangle of that height.
int CellBitmapRoom(CBitmap& bitmap, int height)
{
    const CSize own = bitmap.GetSize();
    if (own.cx <= 0 || own.cy <= 0)
        return 0;
    if (own.cy <= height - 4)
        return 4 + own.cx;
    return height > 4 ? 4 + own.cx * ((height - 4) * 100 / own.cy) / 100 : 0;
}

// A cell's text on one line without its font tags, as a fault names it.
std::string ReadableText(const std::string& text)
{
    std::string readable;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "<:") == 0 && text.find('>', i) != std::string::npos)
            i = text.find('>', i);
        else if (text[i] == '\n')
            readable += " / ";
        else
            readable += text[i];
    }
    return readable;
}

// The cells of a grid whose texts are wider (panels: also taller) than the room their cells give
// them, measured in the cell's font as the grid draws it.
void CollectCutCells(CUGCtrl& grid, std::vector<std::string>& cut)
{
    CClientDC dc(grid.m_CUGGrid.get());
    for (int row = 0; row < grid.GetNumberRows(); ++row) {
        if (grid.GetRowHeight(row) <= 0)
            continue;
        for (int col = 0; col < grid.GetNumberCols(); ++col) {
            CUGCell cell;
            grid.GetCellWithDefaults(col, row, &cell);
            int endCol = col, endRow = row;
            int startCol = col, startRow = row;
            const bool joined = cell.IsPropertySet(UGCELL_JOIN_SET) &&
                                grid.GetJoinRange(&startCol, &startRow, &endCol, &endRow) == UG_SUCCESS;
            if (joined && (startCol != col || startRow != row))
                continue;
            const char* text = cell.GetText();
            const char* label = cell.GetLabelText();
            CUGCellType* type = grid.GetCellType(cell.GetCellType());
            if (grid.GetColWidth(col) <= 0 || !type)
                continue;
            CRect rect;
            grid.GetRangeRect(col, row, endCol, endRow, &rect);
            auto report = [&](const std::string& shown, CSize needed, CSize room) {
                cut.push_back(CAssembledProgram::Describe(grid) + " cell " + std::to_string(col) + "," +
                              std::to_string(row) + " \"" + ReadableText(shown) + "\" needs " + std::to_string(needed.cx) + " x " +
                              std::to_string(needed.cy) + " px in " + std::to_string(room.cx) + " x " +
                              std::to_string(room.cy));
            };
            if (cell.GetCellType() != 0) {
                // Check boxes with their labels and panels of several fonts measure themselves,
                // a panel with its lines broken to its width.
                const bool labelled = label && *label && type->GetName() == "CheckBox";
                const bool panel = type->GetName() == "Multi-Font" && text && *text;
                if (!labelled && !panel)
                    continue;
                const CSize room(rect.Width() - CellBorderRoom(grid, cell), rect.Height());
                CSize needed = room;
                type->GetBestSize(&dc, &needed, &cell);
                if (needed.cx > room.cx || (panel && needed.cy > room.cy))
                    report(labelled ? label : text, needed, room);
                continue;
            }
            if (!text || !*text || (cell.GetCellTypeEx() & UGCT_NORMALMULTILINE))
                continue;
            const WORD align = cell.GetAlignment();
            // A left-aligned text runs on over the empty cells beside it.
            if (!joined && grid.m_GI->m_enableCellOverlap && cell.GetCellTypeEx() == 0 &&
                cell.IsPropertySet(UGCELL_ALIGNMENT_SET) && (align & UG_ALIGNLEFT))
                for (CUGCell next; endCol + 1 < grid.GetNumberCols(); ++endCol) {
                    grid.GetCellWithDefaults(endCol + 1, row, &next);
                    if ((next.GetText() && *next.GetText()) || next.IsPropertySet(UGCELL_JOIN_SET))
                        break;
                }
            grid.GetRangeRect(col, row, endCol, endRow, &rect);
            CFont* font = cell.IsPropertySet(UGCELL_FONT_SET) && cell.GetFont() ? cell.GetFont() : grid.m_GI->m_defFont;
            CFont* old = font ? dc.SelectObject(font) : nullptr;
            const int textWidth = dc.GetTextExtent(text).cx;
            if (old)
                dc.SelectObject(old);
            // A text cut short with an ellipsis keeps 3 pixels free beside it and is told whole
            // by the tip over its cell; any other keeps the grid's margin unless it is centred.
            const bool ellipsis = (cell.GetCellTypeEx() & UGCT_NORMALELLIPSIS) != 0;
            int room = rect.Width() - CellBorderRoom(grid, cell);
            if (ellipsis)
                room -= (align & (UG_ALIGNCENTER | UG_ALIGNRIGHT)) ? 6 : 3;
            else if (!(align & UG_ALIGNCENTER))
                room -= grid.m_GI->m_margin;
            if (CBitmap* bitmap = cell.GetBitmap())
                room -= CellBitmapRoom(*bitmap, rect.Height());
            if (textWidth > room && ellipsis) {
                CRect shown;
                grid.GetCellRect(col, row, &shown);
                // The grid answers a hover of a cell it was not over before with no tip.
                SimulateHoverTip(*grid.m_CUGGrid, shown.CenterPoint());
                if (SimulateHoverTip(*grid.m_CUGGrid, shown.CenterPoint()) == text)
                    continue;
            }
            if (textWidth > room)
                report(text, CSize(textWidth, 0), CSize(room, rect.Height()));
        }
    }
}

// The titles of a chart's Y axes cut short without the tip over their band that tells them whole.
void CollectCutAxisTitles(CiPlotX& chart, std::vector<std::string>& cut)
{
    const SPlotLayout& layout = chart.GetLayout();
    for (int axis = 0; axis < chart.GetYAxisCount(); ++axis) {
        const CPlotYAxis& y = *chart.GetYAxis(axis);
        const CString shown = chart.GetShownYAxisTitle(axis);
        if (!y.IsVisible() || shown == y.GetTitle() || std::size_t(axis) >= layout.yAxisBands.size())
            continue;
        const CString tip = SimulateHoverTip(chart, layout.yAxisBands[std::size_t(axis)].CenterPoint());
        if (shown.Right(3) != "\xE2\x80\xA6" || tip.Find(y.GetTitle()) < 0)
            cut.push_back(CAssembledProgram::Describe(chart) + " axis " + std::to_string(axis) + " shows \"" +
                          shown.str() + "\" of \"" + y.GetTitle().str() + "\" and tells \"" + tip.str() + "\"");
    }
}

// The labels of a toolbar's buttons wider than the room the button gives them without the tip
// over the button that tells them whole.
void CollectCutButtonLabels(CMyToolBar& toolBar, std::vector<std::string>& cut)
{
    CClientDC dc(&toolBar);
    CFont* old = dc.SelectObject(CMyFont::GetSharedFont(12, false));
    for (int index = 0; index < toolBar.GetButtonCount(); ++index) {
        const UINT command = toolBar.GetCommand(index);
        const CRect room = toolBar.GetLabelRect(command);
        const CString text = toolBar.GetButtonText(command);
        if (room.IsRectEmpty() || dc.GetTextExtent(text).cx <= room.Width())
            continue;
        if (SimulateHoverTip(toolBar, toolBar.GetButtonRect(command).CenterPoint()) != text)
            cut.push_back(CAssembledProgram::Describe(toolBar) + " button \"" + text.str() + "\" in " +
                          std::to_string(room.Width()) + " px without its tip");
    }
    dc.SelectObject(old);
}

void CollectCutGridTexts(CWnd& window, std::vector<std::string>& cut)
{
    for (CWnd* child = window.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (!child->IsWindowVisible() || CAssembledProgram::ShownPart(*child).IsRectEmpty())
            continue;
        if (auto* grid = dynamic_cast<CUGCtrl*>(child))
            CollectCutCells(*grid, cut);
        else
            CollectCutGridTexts(*child, cut);
    }
}

void CollectCutTexts(CWnd& window, std::vector<std::string>& cut)
{
    for (CWnd* child = window.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (!child->IsWindowVisible() || CAssembledProgram::ShownPart(*child).IsRectEmpty())
            continue;
        // A grid's in-place edit lives among the windows of its cells.
        if (auto* grid = dynamic_cast<CUGCtrl*>(child))
            CollectCutCells(*grid, cut);
        else if (auto* chart = dynamic_cast<CiPlotX*>(child))
            CollectCutAxisTitles(*chart, cut);
        else if (auto* toolBar = dynamic_cast<CMyToolBar*>(child))
            CollectCutButtonLabels(*toolBar, cut);
        else if (const CString text = DescribeCutText(*child); !text.IsEmpty())
            cut.push_back(CAssembledProgram::Describe(*child) + " " + text.str());
        CollectCutTexts(*child, cut);
    }
}

} // namespace

std::vector<std::string> CAssembledProgram::FindCutGridTexts(CWnd& root)
{
    CFrameworkApp::PumpWaitingMessages();
    std::vector<std::string> cut;
    CollectCutGridTexts(root, cut);
    return cut;
}

std::vector<std::string> CAssembledProgram::FindCutTexts(CWnd& root)
{
    CFrameworkApp::PumpWaitingMessages();
    std::vector<std::string> cut;
    CollectCutTexts(root, cut);
    return cut;
}

void CAssembledProgram::FitToTheScreen()
{
    CRect window;
    MainFrame().GetWindowRect(&window);
    MONITORINFO screen;
    if (!GetMonitorInfo(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &screen))
        return;
    const CRect work(screen.rcWork);
    const CRect frame = MainFrame().GetFrameMargins();
    MainFrame().MoveWindow(work.left + frame.left, work.top + frame.top, std::min(1024, work.Width() - frame.left - frame.right),
                           std::min(720, work.Height() - frame.top - frame.bottom));
    CFrameworkApp::RunFor(500);
}

std::string CAssembledProgram::PlotOutOfSight(CBasicGraphView& graph)
{
    CiPlotX& chart = *graph.GetPlotControl();
    const CRect shown = ShownPart(chart);
    const SPlotLayout& layout = chart.GetLayout();
    std::string faults;
    const auto check = [&](CRect part, const std::string& name) {
        if (part.IsRectEmpty())
            return;
        chart.ClientToScreen(&part);
        CRect inside;
        inside.IntersectRect(&part, &shown);
        if (inside != part)
            faults += " " + name;
    };
    check(layout.plot, "plot");
    for (std::size_t i = 0; i < layout.xAxisBands.size(); ++i)
        if (chart.GetXAxis(int(i))->IsVisible())
            check(layout.xAxisBands[i], "time-axis-" + std::to_string(i));
    if (graph.GetStyle() & WS_VSCROLL)
        faults += " section-scrolls";
    return faults;
}
