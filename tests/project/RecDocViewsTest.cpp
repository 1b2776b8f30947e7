#include "project/RecDoc.h"

#include <gtest/gtest.h>

#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"

namespace {

struct SReceived
{
    UINT message;
    WPARAM wParam;
};

class CRecordingView : public CWnd
{
public:
    std::vector<SReceived> received;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DOC_UPDATE || message == WM_DOC_VALUE)
            received.push_back({message, wParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST(RecDocViews, EveryViewReceivesTheDocumentsMessages)
{
    CFrameworkApp::EnsureInitialized();
    CRecordingView first;
    CRecordingView second;
    ASSERT_TRUE(first.CreateEx(0, nullptr, "first", WS_OVERLAPPEDWINDOW, CRect(0, 0, 10, 10), nullptr, 0));
    ASSERT_TRUE(second.CreateEx(0, nullptr, "second", WS_OVERLAPPEDWINDOW, CRect(0, 0, 10, 10), nullptr, 0));
    CRecDoc doc;
    doc.AddView(&first);
    doc.AddView(&second);
    doc.AddView(&first);
    CUpdateMsg& hint = doc.GetUpdateMsg();
    hint.Set(2);
    doc.NotifyViews(&hint);
    doc.SendMessageToAllViews(7);
    doc.RemoveView(&second);
    doc.NotifyViews(nullptr);

    ASSERT_EQ(first.received.size(), 3u);
    EXPECT_EQ(first.received[0].message, WM_DOC_UPDATE);
    EXPECT_EQ(first.received[0].wParam, reinterpret_cast<WPARAM>(&hint));
    EXPECT_EQ(first.received[1].message, WM_DOC_VALUE);
    EXPECT_EQ(first.received[1].wParam, 7u);
    EXPECT_EQ(first.received[2].wParam, 0u);
    EXPECT_EQ(second.received.size(), 2u);
    first.DestroyWindow();
    second.DestroyWindow();
}
