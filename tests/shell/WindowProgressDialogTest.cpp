#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "datamodel/ProgressThread.h"
#include "shell/WindowProgressDialog.h"

#include <gtest/gtest.h>

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
