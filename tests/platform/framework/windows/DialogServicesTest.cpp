#include "WindowTestSupport.h"

#include "platform/framework/windows/CEdit.h"
#include "platform/framework/windows/CFileDialog.h"
#include "platform/framework/windows/CFindReplaceDialog.h"
#include "platform/framework/windows/CMenu.h"
#include "platform/framework/windows/CProgressCtrl.h"
#include "platform/framework/windows/CProgressDlg.h"
#include "platform/framework/windows/Clipboard.h"
#include "platform/framework/windows/MessageBoxWindow.h"
#include "platform/framework/windows/WindowTesting.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <thread>

namespace
{
// Runs an action on the modal widget that appears next (a box, a menu, a file dialog).
void WhenModalAppears(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) w = QApplication::activePopupWidget();
        if (!w) return;
        timer->stop();
        timer->deleteLater();
        action(w);
    });
    timer->start(5);
}

class FindOwner : public CWnd
{
public:
    std::vector<DWORD> requests;
    std::vector<CString> texts;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == RegisterWindowMessage(FINDMSGSTRING))
        {
            CFindReplaceDialog* dialog = CFindReplaceDialog::GetNotifier(lParam);
            requests.push_back(reinterpret_cast<FINDREPLACE*>(lParam)->Flags);
            texts.push_back(dialog->GetFindString() + "|" + dialog->GetReplaceString());
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
} // namespace

TEST_F(WindowTest, MessageBoxWindowAnswersWithTheButtonPressed)
{
    auto previous = SetMessageBoxHandler({});
    InstallWindowMessageBox();
    QString shownText, shownTitle;
    WhenModalAppears([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        shownText = box->text();
        shownTitle = box->windowTitle();
        box->button(QMessageBox::No)->click();
    });
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 40), nullptr, 0));
    // The control that had the focus loses it to no window of the program's (not to the box's
    // owner) and has it back when the box closes.
    struct Field : CEdit
    {
        std::vector<CWnd*> lostTo;
        void OnKillFocus(CWnd* newWnd) override
        {
            lostTo.push_back(newWnd);
            CEdit::OnKillFocus(newWnd);
        }
    } field;
    ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE, CRect(2, 2, 90, 20), &owner, 1));
    field.SetFocus();
    EXPECT_EQ(owner.MessageBox("Item not found", "Not Found", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(shownText, "Item not found");
    EXPECT_EQ(shownTitle, "Not Found");
    EXPECT_EQ(field.lostTo, std::vector<CWnd*>{nullptr});
    EXPECT_EQ(CWnd::GetFocus(), &field);
    WhenModalAppears([](QWidget* w) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &escape);
    });
    EXPECT_EQ(AfxMessageBox("Only OK"), IDOK);

    // A short message shows its whole title; a path in the text stays on one line.
    int width = 0;
    QStringList lines;
    WhenModalAppears([&](QWidget* w) {
        width = w->width();
        qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click();
    });
    {
        const CMessageBoxCaption caption("Zelko Ampelon");
        AfxMessageBox("Please enter a number.");
    }
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance("Zelko Ampelon") + 96); // the icon and three buttons of a frame
    WhenModalAppears([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        const QLabel* label = nullptr;
        for (const QLabel* l : box->findChildren<QLabel*>())
            if (l->text().contains(u'/')) label = l;
        ASSERT_NE(label, nullptr);
        QTextLayout layout(label->text(), label->font());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(120); // narrower than the path
            lines << label->text().mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        box->button(QMessageBox::Ok)->click();
    });
    AfxMessageBox("Copied to /tmp/kem_log_20261208.txt.");
    ASSERT_GE(lines.size(), 2);
    for (const QString& line : lines)
        EXPECT_FALSE(line.endsWith(u'/')) << line.toStdString();
    SetMessageBoxHandler(previous);
}

TEST_F(WindowTest, ProgressDialogTakesPercentFromAnyThreadAndRaisesCancel)
{
    CProgressDlg dlg;
    ASSERT_TRUE(dlg.Create("Loading"));
    CString caption;
    dlg.GetWindowText(caption);
    EXPECT_EQ(caption, "Loading");
    dlg.SetPercent(30);
    auto* bar = static_cast<CProgressCtrl*>(dlg.GetDlgItem(int(CProgressDlg::kBarId)));
    EXPECT_EQ(bar->GetPos(), 30);
    std::thread worker([&] { dlg.SetPercent(150); });
    worker.join();
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(bar->GetPos(), 100);
    EXPECT_FALSE(dlg.IsCanceled());
    static_cast<QAbstractButton*>(Widget(*dlg.GetDlgItem(IDCANCEL)))->click();
    EXPECT_TRUE(dlg.IsCanceled());
    EXPECT_TRUE(dlg.m_hWnd != nullptr); // cancel asks; the work closes
    dlg.RequestClose();
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

// Work on the user-interface thread holds the messages: the dialog is on the screen painted from
// its creation, and its bar shows each new percentage, with no message let run in between.
TEST_F(WindowTest, ProgressDialogIsPaintedWhileTheWorkHoldsTheMessages)
{
    CProgressDlg dlg;
    ASSERT_TRUE(dlg.Create("Loading"));
    CRect window;
    dlg.GetWindowRect(&window);
    const std::vector<COLORREF> shown = GetScreenPixelsNow(dlg, window);
    ASSERT_FALSE(shown.empty());
    const auto face = std::count(shown.begin(), shown.end(), GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(face, std::ptrdiff_t(shown.size() / 2)) << "the dialog shows unpainted";
    CRect bar;
    dlg.GetDlgItem(int(CProgressDlg::kBarId))->GetWindowRect(&bar);
    const CRect left(bar.left + 2, bar.CenterPoint().y, bar.left + bar.Width() / 4, bar.CenterPoint().y + 1);
    const std::vector<COLORREF> before = GetScreenPixelsNow(dlg, left);
    dlg.SetPercent(90);
    EXPECT_NE(GetScreenPixelsNow(dlg, left), before) << "the bar does not move on the screen";
    dlg.DestroyWindow();
}

// Holding Enter after another dialog closed repeats the key into the progress dialog that
// follows: it must not cancel the work. A fresh Escape still does.
TEST_F(WindowTest, ProgressDialogIgnoresAKeyHeldSinceBeforeItAppeared)
{
    CProgressDlg dlg;
    ASSERT_TRUE(dlg.Create("Loading"));
    dlg.GetDlgItem(IDCANCEL)->SetFocus();
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Widget(dlg);
    for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
        for (int repeat = 0; repeat < 3; ++repeat) {
            QKeyEvent held(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
            QCoreApplication::sendEvent(target, &held);
        }
    }
    EXPECT_FALSE(dlg.IsCanceled());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &escape);
    EXPECT_TRUE(dlg.IsCanceled());
    dlg.DestroyWindow();
}

TEST_F(WindowTest, FindReplaceDialogReportsRequestsAndItsEnd)
{
    FindOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 10, 10), nullptr, 0));
    auto* dialog = new CFindReplaceDialog;
    ASSERT_TRUE(dialog->Create(FALSE, "abc", "xyz", FR_DOWN | FR_MATCHCASE, &owner));
    dialog->SetDlgItemText(int(CFindReplaceDialog::kFindWhat), "needle");
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(int(CFindReplaceDialog::kReplaceAll), BN_CLICKED), 0);
    ASSERT_EQ(owner.requests.size(), 2u);
    EXPECT_TRUE(owner.requests[0] & FR_FINDNEXT);
    EXPECT_TRUE(owner.requests[0] & FR_MATCHCASE);
    EXPECT_TRUE(owner.requests[0] & FR_DOWN);
    EXPECT_TRUE(owner.requests[1] & FR_REPLACEALL);
    EXPECT_FALSE(owner.requests[1] & FR_FINDNEXT);
    EXPECT_EQ(owner.texts[0], "needle|xyz");
    // Escape closes it: the owner hears the end and the dialog deletes itself.
    dialog->GetDlgItem(int(CFindReplaceDialog::kFindWhat))->SetFocus();
    SendKey(*dialog->GetDlgItem(int(CFindReplaceDialog::kFindWhat)), Qt::Key_Escape);
    ASSERT_EQ(owner.requests.size(), 3u);
    EXPECT_TRUE(owner.requests[2] & FR_DIALOGTERM);
    EXPECT_EQ(RegisterWindowMessage(FINDMSGSTRING), RegisterWindowMessage(FINDMSGSTRING));
    EXPECT_GE(RegisterWindowMessage(FINDMSGSTRING), 0xC000u);
}

TEST_F(WindowTest, ClipboardTakesABitmap)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 8, 6);
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 8, 6, RGB(10, 200, 30));
    EXPECT_EQ(SetClipboardData(CF_BITMAP, bitmap.m_hObject), nullptr); // not open
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_NE(SetClipboardData(CF_BITMAP, bitmap.m_hObject), nullptr);
    EXPECT_TRUE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    CBitmap* copy = CBitmap::FromHandle(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetSize(), CSize(8, 6));
    EXPECT_EQ(BitmapImage(*copy).pixel(3, 3), qRgb(10, 200, 30));
}

TEST_F(WindowTest, PopupMenuReturnsOrSendsTheChosenCommand)
{
    RecordingWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 101, "&Copy");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_GRAYED, 102, "Paste");
    EXPECT_EQ(menu.GetMenuItemCount(), 3);
    EXPECT_EQ(menu.GetMenuItemID(2), 102u);
    EXPECT_EQ(menu.CheckMenuItem(101, MF_BYCOMMAND | MF_CHECKED), 0u);
    EXPECT_TRUE(menu.GetMenuState(101, MF_BYCOMMAND) & MF_CHECKED);

    WhenModalAppears([](QWidget* popup) {
        auto* m = qobject_cast<QMenu*>(popup);
        ASSERT_NE(m, nullptr);
        for (QAction* a : m->actions())
            if (a->data().toUInt() == 101) m->setActiveAction(a);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(m, &enter);
    });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &w), 101);

    auto previous = CMenu::SetTrackDriver([](CMenu&) { return 102u; });
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &w));
    CFrameworkApp::PumpWaitingMessages();
    ASSERT_NE(w.Last(WM_COMMAND), nullptr);
    EXPECT_EQ(LOWORD(w.Last(WM_COMMAND)->wParam), 102);
    CMenu::SetTrackDriver(previous);
}

TEST_F(WindowTest, FileDialogAddsTheDefaultExtensionAndSplitsThePath)
{
    CFileDialog save(FALSE, "zca", "project", OFN_OVERWRITEPROMPT, "Projects (*.zca)|*.zca|All files (*.*)|*.*||");
    EXPECT_EQ(save.GetQtFilter(), "Projects (*.zca);;All files (*.*)");
    auto previous = CFileDialog::SetDriver([](CFileDialog& d) {
        d.SetPathName("/tmp/folder/name");
        return INT_PTR(IDOK);
    });
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), "/tmp/folder/name.zca");
    EXPECT_EQ(save.GetFileName(), "name.zca");
    EXPECT_EQ(save.GetFileExt(), "zca");
    EXPECT_EQ(save.GetFileTitle(), "name");
    EXPECT_EQ(save.GetFolderPath(), "/tmp/folder");
    CFileDialog::SetDriver(previous);

    // The real dialog over its window: type a name and accept.
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "Window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 200, 150), nullptr, 0));
    QTemporaryDir dir;
    CFileDialog open(TRUE, "txt", nullptr, 0, "Text (*.txt)|*.txt||", &window);
    open.m_ofn.lpstrInitialDir = FromQString(dir.path());
    WhenModalAppears([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        // Within the work area of its screen, however small the screen.
        EXPECT_TRUE(w->screen()->availableGeometry().contains(w->frameGeometry()));
        dialog->selectFile(dir.path() + "/typed");
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetPathName(), FromQString(dir.path() + "/typed.txt"));

    CColorDialog colour(RGB(1, 2, 3));
    auto previousColour = CColorDialog::SetDriver([](CColorDialog& d) {
        d.SetCurrentColor(RGB(9, 8, 7));
        return INT_PTR(IDOK);
    });
    EXPECT_EQ(colour.DoModal(), IDOK);
    EXPECT_EQ(colour.GetColor(), RGB(9, 8, 7));
    CColorDialog::SetDriver(previousColour);
}

TEST_F(WindowTest, EveryModalWindowBlocksTheOtherWindowsWhileItIsUp)
{
    // A message box, a file dialog, a colour dialog and a progress dialog: while each is up, a
    // click and keys that the window system gives another window of the program reach nothing
    // there.
    RecordingWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 450, 350), nullptr, 0));
    CFrameworkApp::PumpWaitingMessages();
    const auto inputReachingOther = [&other] {
        return other.Numbers({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN, WM_CHAR}).size();
    };
    const auto clickAndType = [&other] {
        CPoint inside(150, 150);
        other.ClientToScreen(&inside);
        SimulateScreenMouse(other, WM_LBUTTONDOWN, inside);
        SimulateScreenMouse(other, WM_LBUTTONUP, inside);
        SimulateScreenKey(other, 'W', MK_CONTROL);
        SimulateScreenKey(other, 'A');
    };
    std::vector<std::string> reached;
    const auto whileUp = [&](const std::string& kind) {
        WhenModalAppears([&, kind](QWidget* shown) {
            clickAndType();
            CFrameworkApp::PumpWaitingMessages();
            if (inputReachingOther() != 0)
                reached.push_back(kind);
            if (auto* dialog = qobject_cast<QDialog*>(shown))
                dialog->reject();
        });
    };

    const MessageBoxHandler previous = SetMessageBoxHandler({});
    InstallWindowMessageBox();
    whileUp("message box");
    AfxMessageBox("Loading data from file failed", MB_ICONEXCLAMATION);
    SetMessageBoxHandler(previous);
    whileUp("file dialog");
    CFileDialog open(TRUE, "txt", nullptr, 0, "Text (*.txt)|*.txt||", &other);
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    whileUp("colour dialog");
    CColorDialog colour(RGB(1, 2, 3), 0, &other);
    EXPECT_EQ(colour.DoModal(), IDCANCEL);
    // The progress dialog shows while the work under it lets the waiting messages through.
    {
        CProgressDlg progress;
        ASSERT_TRUE(progress.Create("Loading", &other));
        clickAndType();
        CFrameworkApp::PumpWaitingMessages();
        if (inputReachingOther() != 0)
            reached.push_back("progress dialog");
        progress.RequestClose();
        CFrameworkApp::PumpWaitingMessages();
    }
    EXPECT_EQ(reached, std::vector<std::string>{});

    // With none up, the same input reaches the window.
    clickAndType();
    EXPECT_EQ(inputReachingOther(), 6u);
    other.DestroyWindow();
}
