// Measuring texts of several lines in a window's font.
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "grid/MeasureMultilineText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
class MeasureMultilineTextTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { CFrameworkApp::EnsureInitialized(); }
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
        font.CreateFont(-20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Sans");
    }
    CSize Extent(const char* text, CFont* with)
    {
        CDC* dc = wnd.GetDC();
        CFont* old = with ? dc->SelectObject(with) : nullptr;
        const CSize size = dc->GetTextExtent(text);
        if (old)
            dc->SelectObject(old);
        wnd.ReleaseDC(dc);
        return size;
    }

    CWnd wnd;
    CFont font;
};
} // namespace

TEST_F(MeasureMultilineTextTest, WidestLineAndSummedHeights)
{
    CSize size;
    CSize& result = MeasureMultilineText(size, &wnd, &font, "ab\r\nlonger line\nx");
    EXPECT_EQ(&result, &size);
    const CSize longest = Extent("longer line", &font);
    EXPECT_EQ(size.cx, longest.cx);
    EXPECT_EQ(size.cy, Extent("ab", &font).cy + longest.cy + Extent("x", &font).cy);
}

TEST_F(MeasureMultilineTextTest, EmptyLinesStillCountAndTheFontIsRestored)
{
    CSize size;
    MeasureMultilineText(size, &wnd, &font, "a\n\nb");
    EXPECT_EQ(size.cy, 3 * Extent("a", &font).cy);
    MeasureMultilineText(size, &wnd, nullptr, "single");
    EXPECT_EQ(size, Extent("single", nullptr));
    // The window's context came back with its own font.
    CSize again;
    MeasureMultilineText(again, &wnd, nullptr, "single");
    EXPECT_EQ(again, size);
}
