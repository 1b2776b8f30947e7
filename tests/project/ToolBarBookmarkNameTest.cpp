#include "project/ToolBarBookmarkName.h"

#include <gtest/gtest.h>

#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/ISplitFrame.h"

namespace {

class CSplitFrame : public CWnd, public ISplitFrame
{
public:
    std::vector<CWnd*> toolBars;
    CWnd* GetToolBar(int index) const override
    {
        return index >= 0 && index < int(toolBars.size()) ? toolBars[std::size_t(index)] : nullptr;
    }
};

} // namespace

TEST(ToolBarBookmarkName, GoesIntoTheFieldOfWhicheverToolbarHasIt)
{
    CFrameworkApp::EnsureInitialized();
    CSplitFrame split;
    CWnd frame;
    CWnd views;
    CWnd bookmarks;
    CWnd field;
    ASSERT_TRUE(split.CreateEx(0, nullptr, "split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), nullptr, 0));
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_CHILD, CRect(0, 0, 200, 80), &split, 1));
    ASSERT_TRUE(views.CreateEx(0, nullptr, "views", WS_CHILD, CRect(0, 0, 200, 20), &split, 2));
    ASSERT_TRUE(bookmarks.CreateEx(0, nullptr, "bookmarks", WS_CHILD, CRect(0, 20, 200, 40), &split, 3));

    EXPECT_EQ(SetToolBarBookmarkName(nullptr, "a"), -1);
    EXPECT_EQ(SetToolBarBookmarkName(&split, "a"), -1); // no split frame above it
    EXPECT_EQ(SetToolBarBookmarkName(&frame, "a"), -1); // no toolbar
    split.toolBars = {&views, &bookmarks};
    EXPECT_EQ(SetToolBarBookmarkName(&frame, "a"), -1); // no toolbar with the field

    ASSERT_TRUE(field.CreateEx(0, "EDIT", "", WS_CHILD, CRect(0, 0, 100, 20), &bookmarks, kBookmarkNameEdit));
    EXPECT_EQ(SetToolBarBookmarkName(&frame, "Peak load"), 0);
    CString text;
    field.GetWindowText(text);
    EXPECT_EQ(text, "Peak load");
    split.DestroyWindow();
}
