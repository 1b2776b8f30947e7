#include "WindowTestSupport.h"

#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CDialog.h"
#include "platform/framework/windows/CEdit.h"
#include "platform/framework/windows/CListBox.h"
#include "platform/framework/windows/DataExchange.h"
#include "platform/framework/windows/DialogTemplate.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/ModalLoop.h"
#include "platform/framework/windows/WindowTesting.h"
#include "platform/framework/StringTable.h"

#include <QWindow>

namespace
{
constexpr const char* kTemplate = R"({
  "id": 9001, "caption": "Values", "size": [200, 100],
  "style": ["WS_POPUP", "WS_CAPTION", "WS_SYSMENU"],
  "font": {"size": 8, "face": "DejaVu Sans"},
  "controls": [
    {"id": 100, "class": "STATIC", "rect": [5, 5, 40, 10], "text": "&Name:"},
    {"id": 101, "class": "EDIT", "rect": [50, 5, 100, 12], "style": ["ES_AUTOHSCROLL", "WS_TABSTOP"]},
    {"id": 102, "class": "EDIT", "rect": [50, 20, 100, 12], "style": ["WS_TABSTOP"]},
    {"id": 103, "class": "BUTTON", "rect": [5, 40, 80, 10], "text": "First", "style": ["BS_AUTORADIOBUTTON", "WS_GROUP", "WS_TABSTOP"]},
    {"id": 104, "class": "BUTTON", "rect": [5, 52, 80, 10], "text": "Second", "style": ["BS_AUTORADIOBUTTON"]},
    {"id": 105, "class": "BUTTON", "rect": [100, 40, 80, 10], "text": "Check", "style": ["BS_AUTOCHECKBOX", "WS_GROUP", "WS_TABSTOP"]},
    {"id": 106, "class": "LISTBOX", "rect": [100, 55, 60, 30], "style": ["LBS_NOTIFY", "WS_TABSTOP"], "hidden": true},
    {"id": 1, "class": "BUTTON", "rect": [90, 80, 50, 14], "text": "OK", "style": ["BS_DEFPUSHBUTTON", "WS_TABSTOP"]},
    {"id": 2, "class": "BUTTON", "rect": [145, 80, 50, 14], "text": "Cancel", "style": ["WS_TABSTOP"]}
  ]})";

class ValuesDlg : public CDialog
{
public:
    CString name = "start";
    double factor = 1.5;
    int choice = 1;
    int checked = 1;
    CEdit nameEdit;
    int initCalls = 0;
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, 101, nameEdit);
        DDX_Text(dx, 101, name);
        DDX_Text(dx, 102, factor);
        DDX_Radio(dx, 103, choice);
        DDX_Check(dx, 105, checked);
    }
    BOOL OnInitDialog() override
    {
        ++initCalls;
        return CDialog::OnInitDialog();
    }
};

DialogTemplate Template()
{
    auto t = ParseDialogTemplate(kTemplate);
    EXPECT_TRUE(t.has_value());
    return *t;
}

// Records message boxes instead of showing them.
struct BoxRecorder
{
    std::vector<CString> texts;
    MessageBoxHandler previous;
    BoxRecorder()
    {
        previous = SetMessageBoxHandler([this](const CString& text, UINT) {
            texts.push_back(text);
            return IDOK;
        });
    }
    ~BoxRecorder() { SetMessageBoxHandler(previous); }
};
} // namespace

TEST_F(WindowTest, DialogTemplatesReadControlsInDialogUnits)
{
    const DialogTemplate t = Template();
    EXPECT_EQ(t.id, 9001u);
    EXPECT_EQ(t.caption, "Values");
    ASSERT_EQ(t.items.size(), 9u);
    EXPECT_EQ(t.items[1].className, "EDIT");
    EXPECT_EQ(t.items[1].style & (ES_AUTOHSCROLL | WS_TABSTOP | WS_CHILD | WS_VISIBLE),
              ES_AUTOHSCROLL | WS_TABSTOP | WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(t.items[6].style & WS_VISIBLE, 0u);
    EXPECT_EQ(DialogUnitsToPixels(CRect(0, 0, 4, 8)), CRect(0, 0, 6, 13));
    EXPECT_FALSE(ParseDialogTemplate(R"({"size": [1, 2], "controls": [{"class": "EDIT", "rect": [1, 2]}]})").has_value());
    EXPECT_FALSE(ParseDialogTemplate(R"({"size": [1, 2], "style": ["WS_NONSENSE"]})").has_value());
    EXPECT_FALSE(ParseDialogTemplate("not json").has_value());
}

TEST_F(WindowTest, ModelessDialogExchangesDataWithItsControls)
{
    ValuesDlg dlg;
    ASSERT_TRUE(dlg.CreateIndirect(Template()));
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_FALSE(dlg.IsWindowVisible()); // the template has no WS_VISIBLE
    dlg.ShowWindow(SW_SHOW);
    CString text;
    dlg.GetDlgItemText(101, text);
    EXPECT_EQ(text, "start");
    EXPECT_EQ(dlg.nameEdit.GetDlgCtrlID(), 101);
    EXPECT_EQ(dlg.GetDlgItem(101), &dlg.nameEdit);
    dlg.GetDlgItemText(102, text);
    EXPECT_EQ(text, "1.5");
    EXPECT_EQ(dlg.IsDlgButtonChecked(104), UINT(BST_CHECKED));
    EXPECT_EQ(dlg.IsDlgButtonChecked(103), UINT(BST_UNCHECKED));
    EXPECT_EQ(dlg.IsDlgButtonChecked(105), UINT(BST_CHECKED));
    CRect r;
    dlg.GetDlgItem(101)->GetWindowRect(&r);
    dlg.ScreenToClient(&r);
    EXPECT_EQ(r, DialogUnitsToPixels(CRect(50, 5, 150, 17)));
    EXPECT_FALSE(dlg.GetDlgItem(106)->IsWindowVisible());
    // Every control shows the template's font, hidden ones too.
    const LRESULT font = dlg.SendMessage(WM_GETFONT);
    ASSERT_NE(font, 0);
    for (const int id : {100, 101, 103, 105, 106, 1}) {
        EXPECT_EQ(dlg.GetDlgItem(id)->SendMessage(WM_GETFONT), font) << id;
        EXPECT_EQ(Widget(*dlg.GetDlgItem(id))->font(), CFont::FromHandle(HFONT(font))->Data()->qfont) << id;
    }

    dlg.nameEdit.SetWindowText("changed");
    dlg.SetDlgItemText(102, " 2.25 ");
    dlg.CheckRadioButton(103, 104, 103);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.name, "changed");
    EXPECT_DOUBLE_EQ(dlg.factor, 2.25);
    EXPECT_EQ(dlg.choice, 0);

    // The radio group is one stop of Tab, at its checked button; the arrows move the choice
    // round the group and back out of it Tab goes on.
    dlg.GetDlgItem(102)->SetFocus();
    SendKey(dlg, Qt::Key_Tab);
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(103));
    SendKey(dlg, Qt::Key_Down);
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(104));
    EXPECT_EQ(dlg.IsDlgButtonChecked(104), UINT(BST_CHECKED));
    EXPECT_EQ(dlg.IsDlgButtonChecked(103), UINT(BST_UNCHECKED));
    SendKey(dlg, Qt::Key_Down);
    EXPECT_EQ(dlg.IsDlgButtonChecked(103), UINT(BST_CHECKED));
    SendKey(dlg, Qt::Key_Up);
    EXPECT_EQ(dlg.IsDlgButtonChecked(104), UINT(BST_CHECKED));
    SendKey(dlg, Qt::Key_Tab);
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(105));
    SendKey(dlg, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(104));
    SendKey(dlg, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(102));
    dlg.CheckRadioButton(103, 104, 103);

    BoxRecorder boxes;
    dlg.SetDlgItemText(102, "2,5x");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(102));
    EXPECT_DOUBLE_EQ(dlg.factor, 2.25);
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.nameEdit.m_hWnd, nullptr);
}

TEST_F(WindowTest, ModalDialogEndsWithEnterAndEscape)
{
    ValuesDlg dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(Template()));
    auto previous = CDialog::SetModalDriver([](CDialog& d) {
        d.SetDlgItemText(101, "typed");
        // Enter in an edit presses the default button.
        d.GetDlgItem(101)->SetFocus();
        SendKey(*d.GetDlgItem(101), Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.name, "typed");
    EXPECT_EQ(dlg.m_hWnd, nullptr);

    ValuesDlg cancelled;
    cancelled.InitModalIndirect(Template());
    CDialog::SetModalDriver([](CDialog& d) {
        d.SetDlgItemText(101, "ignored");
        d.GetDlgItem(102)->SetFocus();
        SendKey(*d.GetDlgItem(102), Qt::Key_Escape);
    });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.name, "start");

    // A driver that only posts the command: the dialog's own loop delivers it.
    ValuesDlg posted;
    posted.InitModalIndirect(Template());
    CDialog::SetModalDriver([](CDialog& d) { d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
    EXPECT_EQ(posted.DoModal(), IDOK);
    CDialog::SetModalDriver(previous);

    EXPECT_EQ(CDialog(4242).DoModal(), -1); // no such template
}

namespace
{
constexpr const char* kListTemplate = R"({
  "id": 9002, "caption": {"string": 61713}, "size": [120, 80],
  "controls": [
    {"id": 201, "class": "EDIT", "rect": [5, 5, 50, 12], "style": ["WS_TABSTOP"]},
    {"id": 202, "class": "COMBOBOX", "rect": [5, 20, 50, 60], "style": ["CBS_DROPDOWNLIST", "WS_TABSTOP"]},
    {"id": 203, "class": "LISTBOX", "rect": [60, 5, 50, 40], "style": ["WS_TABSTOP"], "disabled": true},
    {"id": 204, "class": "LISTBOX", "rect": [60, 50, 50, 20], "style": ["WS_TABSTOP"]},
    {"id": 1, "class": "BUTTON", "rect": [5, 60, 40, 14], "text": "OK", "style": ["BS_DEFPUSHBUTTON", "WS_TABSTOP"]}
  ]})";

class ListDlg : public CDialog
{
public:
    int count = 7;
    int comboIndex = 1;
    int listIndex = 0;
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, 201, count);
        DDV_MinMaxInt(dx, count, 1, 10);
        DDX_CBIndex(dx, 202, comboIndex);
        DDX_LBIndex(dx, 204, listIndex);
    }
    BOOL OnInitDialog() override
    {
        auto* combo = GetDlgItem(202);
        combo->SendMessage(CB_ADDSTRING, 0, LPARAM("a"));
        combo->SendMessage(CB_ADDSTRING, 0, LPARAM("b"));
        GetDlgItem(204)->SendMessage(LB_ADDSTRING, 0, LPARAM("x"));
        GetDlgItem(204)->SendMessage(LB_ADDSTRING, 0, LPARAM("y"));
        return CDialog::OnInitDialog();
    }
};
} // namespace

TEST_F(WindowTest, DialogTabOrderSkipsDisabledControlsAndWraps)
{
    CStringTable::Instance().Set(61713, "##+Please enter a number.");
    ListDlg dlg;
    ASSERT_TRUE(dlg.CreateIndirect(*ParseDialogTemplate(kListTemplate)));
    CString caption;
    dlg.GetWindowText(caption);
    EXPECT_EQ(caption, "Please enter a number."); // a caption by string id
    CWnd* edit = dlg.GetDlgItem(201);
    EXPECT_EQ(dlg.GetNextDlgTabItem(edit), dlg.GetDlgItem(202));
    EXPECT_EQ(dlg.GetNextDlgTabItem(dlg.GetDlgItem(202)), dlg.GetDlgItem(204));
    EXPECT_EQ(dlg.GetNextDlgTabItem(dlg.GetDlgItem(1)), edit);
    EXPECT_EQ(dlg.GetNextDlgTabItem(edit, TRUE), dlg.GetDlgItem(1));
    EXPECT_EQ(LOWORD(dlg.GetDefID()), 1);
}

// A dialog larger than the screen's work area fits it, its content scrolling; Tab brings each
// control it comes to into view, the buttons at the far corner too.
TEST_F(WindowTest, ADialogLargerThanTheScreenFitsItAndTabBringsItsControlsIntoView)
{
    DialogTemplate large = Template();
    large.size = CSize(2000, 1500);
    for (DialogItemTemplate& item : large.items)
        if (item.id == IDOK || item.id == IDCANCEL)
            item.rect.OffsetRect(1800, 1400);
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 300, 200), nullptr, 0));
    ValuesDlg dlg;
    ASSERT_TRUE(dlg.CreateIndirect(large, &owner));
    dlg.ShowWindow(SW_SHOW);
    CRect window;
    dlg.GetWindowRect(&window);
    const CRect frame = dlg.GetFrameMargins();
    window.InflateRect(frame.left, frame.top, frame.right, frame.bottom);
    MONITORINFO screen;
    ASSERT_TRUE(GetMonitorInfo(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &screen));
    CRect inside;
    inside.IntersectRect(&window, &screen.rcWork);
    EXPECT_EQ(inside, window);
    dlg.GetDlgItem(101)->SetFocus();
    for (int presses = 0; presses < 8 && CWnd::GetFocus() != dlg.GetDlgItem(IDCANCEL); ++presses)
        SendKey(dlg, Qt::Key_Tab);
    ASSERT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDCANCEL));
    for (const int id : {IDOK, IDCANCEL}) {
        CRect button;
        dlg.GetDlgItem(id)->GetWindowRect(&button);
        CRect client;
        dlg.GetClientRect(&client);
        dlg.ClientToScreen(&client);
        inside.IntersectRect(&button, &client);
        EXPECT_EQ(inside, button) << id;
    }
    dlg.DestroyWindow();
}

TEST_F(WindowTest, DialogExchangeChecksNumbersAndRanges)
{
    ListDlg dlg;
    ASSERT_TRUE(dlg.CreateIndirect(*ParseDialogTemplate(kListTemplate)));
    dlg.ShowWindow(SW_SHOW);
    CString text;
    dlg.GetDlgItemText(201, text);
    EXPECT_EQ(text, "7");
    EXPECT_EQ(dlg.GetDlgItem(202)->SendMessage(CB_GETCURSEL), 1);
    EXPECT_EQ(dlg.GetDlgItem(204)->SendMessage(LB_GETCURSEL), 0);

    BoxRecorder boxes;
    dlg.SetDlgItemText(201, "12");
    EXPECT_FALSE(dlg.UpdateData(TRUE)); // out of 1..10
    dlg.SetDlgItemText(201, "3x");
    EXPECT_FALSE(dlg.UpdateData(TRUE)); // not an integer
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(dlg.count, 12); // the value was read before the range check failed, as the framework does
    dlg.SetDlgItemText(201, " 4 ");
    dlg.GetDlgItem(204)->SendMessage(LB_SETCURSEL, 1);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.count, 4);
    EXPECT_EQ(dlg.listIndex, 1);
}

TEST_F(WindowTest, ModalDialogWhoseWindowIsDestroyedFromOutsideEnds)
{
    ValuesDlg dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(Template()));
    auto previous = CDialog::SetModalDriver([](CDialog& d) { d.DestroyWindow(); });
    EXPECT_EQ(dlg.DoModal(), -1);
    CDialog::SetModalDriver(previous);
}

TEST_F(WindowTest, ModalDialogBlocksTheOtherWindowsFromItsFirstFrameAndStaysInFrontOfItsOwner)
{
    RecordingWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 450, 350), nullptr, 0));
    CFrameworkApp::PumpWaitingMessages();
    const CPoint inOwner(150, 150);
    const auto inputReachingOwner = [&owner] {
        return owner.Numbers({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN, WM_CHAR}).size();
    };
    const auto clickAndType = [&] {
        SimulateScreenMouse(owner, WM_LBUTTONDOWN, inOwner);
        SimulateScreenMouse(owner, WM_LBUTTONUP, inOwner);
        SimulateScreenKey(owner, 'W', MK_CONTROL);
        SimulateScreenKey(owner, 'A');
    };

    // Opened from a press of an owner's control that captured the mouse (a grid's choice), the
    // dialog takes the clicks, and the focus goes back to that control when it closes.
    CEdit opener;
    ASSERT_TRUE(opener.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 100, 30), &owner, 7));
    opener.SetFocus();
    opener.SetCapture();
    ValuesDlg dlg;
    dlg.InitModalIndirect(Template(), &owner);
    std::size_t duringDialog = 0;
    int loopsDuringDialog = 0;
    auto previous = CDialog::SetModalDriver([&](CDialog& d) {
        QWidget* shown = Widget(d);
        EXPECT_EQ(Qt::Dialog, shown->windowType());
        EXPECT_EQ(Widget(owner)->windowHandle(), shown->windowHandle()->transientParent());
        loopsDuringDialog = CModalLoop::Running();
        clickAndType();
        CFrameworkApp::PumpWaitingMessages();
        duringDialog = inputReachingOwner();
        CRect field;
        d.GetDlgItem(102)->GetWindowRect(&field);
        SimulateScreenMouse(d, WM_LBUTTONDOWN, field.CenterPoint());
        SimulateScreenMouse(d, WM_LBUTTONUP, field.CenterPoint());
        EXPECT_EQ(CWnd::GetFocus(), d.GetDlgItem(102));
        // The dialog is still the window the keyboard reaches: Escape cancels it.
        EXPECT_EQ(shown, QApplication::activeWindow());
        SimulateScreenKey(d, VK_ESCAPE);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(1, loopsDuringDialog);
    EXPECT_EQ(0u, duringDialog);
    EXPECT_EQ(0, CModalLoop::Running());
    EXPECT_EQ(CWnd::GetFocus(), &opener);
    owner.SetFocus();
    // With the dialog gone the same input reaches the owner.
    clickAndType();
    EXPECT_EQ(6u, inputReachingOwner());

    // An end of the program ends a running dialog as Cancel does, and one opening meanwhile
    // ends before it waits.
    CDialog::SetModalDriver([](CDialog&) {
        CModalLoop::SetProgramEnding(true);
        CModalLoop::EndAll();
    });
    ValuesDlg ended;
    ended.InitModalIndirect(Template(), &owner);
    ended.name = "kept";
    EXPECT_EQ(IDCANCEL, ended.DoModal());
    EXPECT_EQ("kept", ended.name);
    int driven = 0;
    CDialog::SetModalDriver([&driven](CDialog&) { ++driven; });
    ValuesDlg late;
    late.InitModalIndirect(Template(), &owner);
    EXPECT_EQ(IDCANCEL, late.DoModal());
    EXPECT_EQ(0, driven);
    CModalLoop::SetProgramEnding(false);
    CDialog::SetModalDriver(previous);
    owner.DestroyWindow();
}

