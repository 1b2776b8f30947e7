#include "WindowTestSupport.h"

#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/CEdit.h"
#include "platform/framework/windows/CListBox.h"
#include "platform/framework/windows/CScrollBar.h"
#include "platform/framework/windows/CStatic.h"
#include "platform/framework/windows/WindowTesting.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QScrollBar>

namespace
{
// A parent that records the notifications and scroll requests of its controls.
class ParentWnd : public RecordingWnd
{
public:
    std::vector<std::pair<int, int>> commands; // id, code
    std::vector<std::pair<UINT, UINT>> scrolls; // code, pos
    std::vector<CWnd*> scrollSenders;
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    void OnVScroll(UINT code, UINT pos, CWnd* sender) override
    {
        scrolls.emplace_back(code, pos);
        scrollSenders.push_back(sender);
    }
    bool Heard(int id, int code) const { return std::find(commands.begin(), commands.end(), std::make_pair(id, code)) != commands.end(); }
};

// An edit that refuses digits and counts what it sees, as an in-place editor filters keys.
class FilteringEdit : public CEdit
{
public:
    std::vector<UINT> keys;
    void OnKeyDown(UINT nChar, UINT repeat, UINT flags) override
    {
        keys.push_back(nChar);
        CEdit::OnKeyDown(nChar, repeat, flags);
    }
    void OnChar(UINT nChar, UINT repeat, UINT flags) override
    {
        if (nChar >= '0' && nChar <= '9') return;
        CEdit::OnChar(nChar, repeat, flags);
    }
    UINT OnGetDlgCode() override { return DLGC_WANTALLKEYS; }
};

class ControlsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    }
    ParentWnd parent;
};
} // namespace

TEST_F(ControlsTest, EditKeepsUtf8TextSelectionAndLimit)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(5, 5, 100, 25), &parent, 101));
    parent.commands.clear();
    edit.SetWindowText("Gr\xC3\xBC\xC3\x9F" "e");
    EXPECT_TRUE(parent.Heard(101, EN_UPDATE));
    EXPECT_TRUE(parent.Heard(101, EN_CHANGE));
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "Gr\xC3\xBC\xC3\x9F" "e");
    EXPECT_EQ(edit.GetWindowTextLength(), 7);
    edit.SetSel(2, 6); // the two two-byte letters
    int s = 0, e = 0;
    edit.GetSel(s, e);
    EXPECT_EQ(s, 2);
    EXPECT_EQ(e, 6);
    edit.ReplaceSel("ss");
    edit.GetWindowText(text);
    EXPECT_EQ(text, "Grsse");
    edit.SetSel(0, -1);
    edit.GetSel(s, e);
    EXPECT_EQ(e, 5);

    edit.SetLimitText(6);
    edit.SetSel(5, 5);
    edit.SetFocus();
    parent.commands.clear();
    SendKey(edit, Qt::Key_X, Qt::NoModifier, "x");
    SendKey(edit, Qt::Key_Y, Qt::NoModifier, "y");
    edit.GetWindowText(text);
    EXPECT_EQ(text, "Grssex");
    EXPECT_TRUE(parent.Heard(101, EN_MAXTEXT));
    edit.SetReadOnly(TRUE);
    SendKey(edit, Qt::Key_Backspace);
    edit.GetWindowText(text);
    EXPECT_EQ(text, "Grssex");
}

TEST_F(ControlsTest, SubclassedEditSeesKeysBeforeTheControlAndCanDropCharacters)
{
    FilteringEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(5, 5, 100, 25), &parent, 102));
    edit.SetFocus();
    SendKey(edit, Qt::Key_A, Qt::NoModifier, "a");
    SendKey(edit, Qt::Key_1, Qt::NoModifier, "1");
    SendKey(edit, Qt::Key_B, Qt::NoModifier, "b");
    SendKey(edit, Qt::Key_Left);
    edit.SendMessage(WM_CHAR, 'c');
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "acb");
    EXPECT_EQ(edit.keys, (std::vector<UINT>{'A', '1', 'B', VK_LEFT}));
}

TEST_F(ControlsTest, MultiLineEditCountsLinesWithCrLf)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(5, 5, 200, 100), &parent, 103));
    edit.SetWindowText("one\r\ntwo\r\nthree");
    EXPECT_EQ(edit.GetLineCount(), 3);
    EXPECT_EQ(edit.LineIndex(2), 10);
    EXPECT_EQ(edit.LineLength(10), 5);
    EXPECT_EQ(edit.LineFromChar(6), 1);
    char buffer[16] = {};
    EXPECT_EQ(edit.GetLine(1, buffer, sizeof(buffer)), 3);
    EXPECT_EQ(std::string(buffer, 3), "two");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "one\r\ntwo\r\nthree");
    EXPECT_GT(edit.PosFromChar(5).y, edit.PosFromChar(0).y);
}

TEST_F(ControlsTest, AOneLineEditJoinsPastedLinesAndABorderlessEditShowsThatItHasTheFocus)
{
    CEdit line;
    ASSERT_TRUE(line.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(5, 5, 150, 25), &parent, 104));
    line.SetWindowText("ab");
    line.SetSel(1, 1);
    line.ReplaceSel("1\r\n2\n");
    CString text;
    line.GetWindowText(text);
    EXPECT_EQ(text, "a1 2 b");
    int start = 0, end = 0;
    line.GetSel(start, end);
    EXPECT_EQ(end, 5); // the caret after what was pasted

    // A grid's in-place editor lies over its cell without a border: it shows a frame while it has
    // the focus, of one line or of several.
    CEdit several;
    ASSERT_TRUE(several.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(5, 30, 150, 70), &parent, 105));
    for (CEdit* edit : {&line, &several})
    {
        CEdit& other = edit == &line ? several : line;
        other.SetFocus();
        const COLORREF without = GetShownPixel(*edit, CPoint(0, 8));
        edit->SetFocus();
        EXPECT_NE(GetShownPixel(*edit, CPoint(0, 8)), without) << edit->GetDlgCtrlID();
    }
}

TEST_F(ControlsTest, ListBoxKeepsItemsDataAndNotifiesOnlyUserChanges)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_SORT, CRect(0, 0, 120, 100), &parent, 200));
    EXPECT_EQ(list.AddString("pear"), 0);
    EXPECT_EQ(list.AddString("apple"), 0);
    EXPECT_EQ(list.AddString("Banana"), 1);
    EXPECT_EQ(list.InsertString(-1, "zz-unsorted"), 3);
    EXPECT_EQ(list.GetCount(), 4);
    CString t;
    list.GetText(2, t);
    EXPECT_EQ(t, "pear");
    EXPECT_EQ(list.GetTextLen(1), 6);
    EXPECT_EQ(list.FindString(-1, "ban"), 1);
    EXPECT_EQ(list.FindStringExact(-1, "PEAR"), 2);
    EXPECT_EQ(list.FindStringExact(-1, "kiwi"), LB_ERR);
    list.SetItemData(2, 77);
    EXPECT_EQ(list.GetItemData(2), 77u);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    parent.commands.clear();
    EXPECT_EQ(list.SetCurSel(1), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_FALSE(parent.Heard(200, LBN_SELCHANGE));
    // A click on an item is a user change.
    auto* widget = static_cast<QListWidget*>(Widget(list));
    const QRect itemRect = widget->visualItemRect(widget->item(2));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(itemRect.center()), QPointF(widget->viewport()->mapToGlobal(itemRect.center())),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(itemRect.center()),
                        QPointF(widget->viewport()->mapToGlobal(itemRect.center())), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget->viewport(), &release);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_TRUE(parent.Heard(200, LBN_SELCHANGE));
    CRect r;
    ASSERT_EQ(list.GetItemRect(2, &r), 0);
    BOOL outside = TRUE;
    EXPECT_EQ(list.ItemFromPoint(r.CenterPoint(), outside), 2u);
    EXPECT_FALSE(outside);
    EXPECT_EQ(list.DeleteString(0), 3);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(ControlsTest, ScrollBarFollowsThePlatformRangeAndLeavesMovingToItsOwner)
{
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(280, 0, 297, 200), &parent, 300));
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 99;
    info.nPage = 10;
    info.nPos = 95;
    bar.SetScrollInfo(&info);
    EXPECT_EQ(bar.GetScrollPos(), 90); // thumb maximum = max - page + 1
    EXPECT_EQ(bar.GetScrollLimit(), 90);
    auto* qbar = static_cast<QScrollBar*>(Widget(bar));
    EXPECT_EQ(qbar->maximum(), 90);
    EXPECT_EQ(qbar->pageStep(), 10);

    bar.SetScrollPos(40);
    parent.scrolls.clear();
    qbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    qbar->triggerAction(QAbstractSlider::SliderPageStepSub);
    qbar->triggerAction(QAbstractSlider::SliderToMaximum);
    const std::vector<std::pair<UINT, UINT>> expected = {
        {SB_LINEDOWN, 40}, {SB_ENDSCROLL, 40}, {SB_PAGEUP, 40}, {SB_ENDSCROLL, 40}, {SB_BOTTOM, 40}, {SB_ENDSCROLL, 40}};
    EXPECT_EQ(parent.scrolls, expected);
    EXPECT_EQ(parent.scrollSenders, std::vector<CWnd*>(expected.size(), &bar));
    EXPECT_EQ(bar.GetScrollPos(), 40);
    EXPECT_EQ(qbar->value(), 40);

    // A window of another class that scrolls its parent (as a grid's own bars do) is the sender
    // as the window it is.
    CWnd other;
    ASSERT_TRUE(other.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 17, 100), &parent, 301));
    parent.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), LPARAM(other.GetSafeHwnd()));
    EXPECT_EQ(parent.scrollSenders.back(), &other);
}

TEST_F(ControlsTest, ButtonsReportClicksAndCheckStates)
{
    CButton push, autoCheck, manualCheck;
    ASSERT_TRUE(push.Create("&OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 60, 20), &parent, 1));
    ASSERT_TRUE(autoCheck.Create("Auto", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 30, 60, 50), &parent, 401));
    ASSERT_TRUE(manualCheck.Create("Manual", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, CRect(0, 60, 60, 80), &parent, 402));
    static_cast<QAbstractButton*>(Widget(push))->click();
    EXPECT_TRUE(parent.Heard(1, BN_CLICKED));
    static_cast<QAbstractButton*>(Widget(autoCheck))->click();
    EXPECT_EQ(autoCheck.GetCheck(), BST_CHECKED);
    static_cast<QAbstractButton*>(Widget(manualCheck))->click();
    EXPECT_EQ(manualCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_TRUE(parent.Heard(402, BN_CLICKED));
    parent.CheckDlgButton(402, BST_CHECKED);
    EXPECT_EQ(parent.IsDlgButtonChecked(402), UINT(BST_CHECKED));
    CString caption;
    push.GetWindowText(caption);
    EXPECT_EQ(caption, "&OK");

    CStatic label;
    ASSERT_TRUE(label.Create("Na&me:", WS_CHILD | WS_VISIBLE, CRect(0, 90, 60, 110), &parent, 403));
    parent.SetDlgItemInt(403, UINT(-12));
    BOOL ok = FALSE;
    EXPECT_EQ(int(parent.GetDlgItemInt(403, &ok)), -12);
    EXPECT_TRUE(ok);
}

// A label, check box, radio button or push button too narrow for its text ends it with "…" and
// tells it whole as its tip; made wide enough it shows it whole and drops the tip. The window
// text stays whole, and a button's ideal size is what the whole text needs.
TEST_F(ControlsTest, TextsTooLongForTheirControlEndWithAnEllipsisAndTellThemselvesInATip)
{
    const CString whole = "1: Main incomer of the north substation";
    CStatic label;
    CButton check, radio, push;
    ASSERT_TRUE(label.Create(whole, WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 16), &parent, 501));
    ASSERT_TRUE(check.Create(whole, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 20, 80, 40), &parent, 502));
    ASSERT_TRUE(radio.Create(whole, WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 45, 80, 65), &parent, 503));
    ASSERT_TRUE(push.Create("&" + whole, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 70, 80, 90), &parent, 504));
    for (CWnd* control : std::initializer_list<CWnd*>{&label, &check, &radio, &push}) {
        const CString cut = DescribeCutText(*control);
        EXPECT_EQ(cut, CString()) << control->GetDlgCtrlID() << ": " << cut.str();
        CRect rect;
        control->GetWindowRect(&rect);
        parent.ScreenToClient(&rect);
        EXPECT_EQ(SimulateHoverTip(parent, rect.CenterPoint()), whole) << control->GetDlgCtrlID();
        CString text;
        control->GetWindowText(text);
        EXPECT_EQ(text.Right(whole.GetLength()), whole);
    }
    SIZE ideal{};
    ASSERT_TRUE(check.SendMessage(BCM_GETIDEALSIZE, 0, LPARAM(&ideal)));
    EXPECT_GT(ideal.cx, 200) << "the whole label, not what shows of it";

    for (CWnd* control : std::initializer_list<CWnd*>{&label, &check, &radio, &push})
        control->SetWindowPos(nullptr, 0, 0, 290, 20, SWP_NOMOVE | SWP_NOZORDER);
    for (CWnd* control : std::initializer_list<CWnd*>{&label, &check, &radio, &push}) {
        EXPECT_EQ(DescribeCutText(*control), CString());
        EXPECT_EQ(SimulateHoverTip(*control, CPoint(40, 8)), CString()) << control->GetDlgCtrlID();
    }
    EXPECT_EQ(static_cast<QAbstractButton*>(Widget(push))->text().toStdString(), "&" + whole.str()) << "mnemonic kept";

    // Narrowed or widened while hidden, a control fits its text to its new size when it shows.
    for (const int width : {80, 290})
        for (CWnd* control : std::initializer_list<CWnd*>{&label, &check, &radio, &push}) {
            control->ShowWindow(SW_HIDE);
            control->SetWindowPos(nullptr, 0, 0, width, 20, SWP_NOMOVE | SWP_NOZORDER);
            control->ShowWindow(SW_SHOW);
            EXPECT_EQ(DescribeCutText(*control), CString()) << control->GetDlgCtrlID() << " at " << width;
            EXPECT_EQ(SimulateHoverTip(*control, CPoint(40, 8)), width == 80 ? whole : CString()) << control->GetDlgCtrlID();
        }
}

TEST_F(ControlsTest, ComboBoxSelectsAndReportsUserPicks)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), &parent, 500));
    combo.AddString("one");
    combo.AddString("two");
    combo.SetItemData(1, 2);
    EXPECT_EQ(combo.GetCount(), 2);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    parent.commands.clear();
    combo.SetCurSel(1);
    EXPECT_FALSE(parent.Heard(500, CBN_SELCHANGE));
    CString text;
    combo.GetWindowText(text);
    EXPECT_EQ(text, "two");
    EXPECT_EQ(combo.GetItemData(1), 2u);
    auto* q = static_cast<QComboBox*>(Widget(combo));
    q->setCurrentIndex(0);
    emit q->activated(0);
    EXPECT_TRUE(parent.Heard(500, CBN_SELCHANGE));
    EXPECT_EQ(combo.FindStringExact(-1, "TWO"), 1);
}
