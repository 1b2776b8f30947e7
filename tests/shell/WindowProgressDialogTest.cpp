#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "datamodel/ProgressThread.h"
#include "platform/framework/windows/WindowTesting.h"
#include "shell/WindowProgressDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

TEST(WindowProgressDialog, ShowsTheCaptionAndTheBarAndCloses)
{
    CFrameworkApp::EnsureInitialized();
    CStringTable::Instance().Set(64000, "Loading %s");
    CWindowProgressDialog* shown = nullptr;
    CProgressThread::SetDialogFactory([&] {
        auto dialog = std::make_unique<CWindowProgressDialog>(nullptr);
        shown = dialog.get();
        return dialog;
    });
    {
        CProgressThread progress;
        progress.SetRange(50, 100);
        progress.StartDialog(64000, "day.zlg");
        ASSERT_NE(nullptr, shown);
        const CProgressDlg& dialog = shown->GetDialog();
        const HWND window = dialog.GetSafeHwnd();
        ASSERT_TRUE(IsWindow(window));
        CString caption;
        dialog.GetWindowText(caption);
        EXPECT_EQ(CString("Loading day.zlg"), caption);
        progress.SetPercent(50);
        EXPECT_EQ(75, dialog.GetPercent());
        EXPECT_FALSE(progress.IsCanceled());
        progress.Finish();
        EXPECT_FALSE(IsWindow(window));
    }
    CProgressThread::SetDialogFactory({});
}

// Work on the user-interface thread lets no message run while it goes on: the dialog is on the
// screen, painted, as soon as it is shown, and its bar as soon as it moves.
TEST(WindowProgressDialog, ShowsPaintedAndItsBarMovingWhileTheWorkHoldsTheMessages)
{
    CFrameworkApp::EnsureInitialized();
    CStringTable::Instance().Set(64000, "Loading %s");
    CWindowProgressDialog* shown = nullptr;
    CProgressThread::SetDialogFactory([&] {
        auto dialog = std::make_unique<CWindowProgressDialog>(nullptr);
        shown = dialog.get();
        return dialog;
    });
    {
        CProgressThread progress;
        progress.StartDialog(64000, "year.zlg");
        ASSERT_NE(nullptr, shown);
        const CProgressDlg& dialog = shown->GetDialog();
        CRect window;
        dialog.GetWindowRect(&window);
        const std::vector<COLORREF> first = GetScreenPixelsNow(dialog, window);
        ASSERT_FALSE(first.empty());
        const auto black = std::count(first.begin(), first.end(), RGB(0, 0, 0));
        EXPECT_LT(black, std::ptrdiff_t(first.size() / 10)) << "the dialog shows unpainted";
        CRect bar;
        dialog.GetDlgItem(int(CProgressDlg::kBarId))->GetWindowRect(&bar);
        const CRect left(bar.left + 2, bar.CenterPoint().y, bar.left + bar.Width() / 4, bar.CenterPoint().y + 1);
        const std::vector<COLORREF> before = GetScreenPixelsNow(dialog, left);
        progress.SetPercent(90);
        const std::vector<COLORREF> after = GetScreenPixelsNow(dialog, left);
        EXPECT_NE(std::set<COLORREF>(before.begin(), before.end()), std::set<COLORREF>(after.begin(), after.end()))
            << "the bar does not move on the screen";
        progress.Finish();
    }
    CProgressThread::SetDialogFactory({});
}
