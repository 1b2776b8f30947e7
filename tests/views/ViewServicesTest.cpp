// The small services of the view framework: time-span text, language names, stored sizes,
// column widths, the shared fonts, grid margins, paths and window captures.
#include "grid/CUGCtrl.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/Clipboard.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/WindowStyles.h"
#include "views/AppPaths.h"
#include "views/CaptureWindowRect.h"
#include "views/ColumnWidths.h"
#include "views/GridMargins.h"
#include "views/LanguageAbbreviation.h"
#include "views/MainWindow.h"
#include "views/MyFont.h"
#include "views/StoredSize.h"
#include "views/TimeSpanText.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class WindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { CFrameworkApp::EnsureInitialized(); }
    void TearDown() override { CFrameworkApp::PumpWaitingMessages(); }
};

} // namespace

TEST(TimeSpanTextTest, ShowsOnlyTheUnitsTheSpanReaches)
{
    EXPECT_EQ(FormatTimeSpanText(CHighTimeSpan(0, 0, 0, 0)), CString("0s"));
    EXPECT_EQ(FormatTimeSpanText(CHighTimeSpan(0, 0, 0, 59, 999)), CString("59s"));
    EXPECT_EQ(FormatTimeSpanText(CHighTimeSpan(0, 0, 1, 0)), CString("1m 0s"));
    EXPECT_EQ(FormatTimeSpanText(CHighTimeSpan(0, 1, 0, 5)), CString("1h 0m 5s"));
    EXPECT_EQ(FormatTimeSpanText(CHighTimeSpan(0, 23, 59, 59)), CString("23h 59m 59s"));
    EXPECT_EQ(FormatTimeSpanText(CHighTimeSpan(1, 0, 0, 0)), CString("1d 0h 0m 0s"));
    EXPECT_EQ(FormatTimeSpanText(CHighTimeSpan(400, 2, 3, 4)), CString("400d 2h 3m 4s"));
    EXPECT_EQ(FormatTimeSpanText(CHighTimeSpan(0, -1, 0, -1)), CString("-1h 0m 1s"));
}

TEST(LanguageAbbreviationTest, ThirteenLanguagesAndNullOutside)
{
    EXPECT_STREQ(GetLanguageAbbreviation(0), "ENG");
    EXPECT_STREQ(GetLanguageAbbreviation(5), "CHS");
    EXPECT_STREQ(GetLanguageAbbreviation(12), "JPN");
    EXPECT_EQ(GetLanguageAbbreviation(13), nullptr);
    EXPECT_EQ(GetLanguageAbbreviation(-1), nullptr);
}

TEST(StoredSizeTest, SmallSidesAreIgnoredAndChangedSidesReported)
{
    CSize stored(100, 50);
    EXPECT_EQ(UpdateStoredSize(stored, CSize(9, 300)), unsigned(kSizeUnchanged));
    EXPECT_EQ(UpdateStoredSize(stored, CSize(300, 0)), unsigned(kSizeUnchanged));
    EXPECT_EQ(stored, CSize(100, 50));
    EXPECT_EQ(UpdateStoredSize(stored, CSize(100, 50)), unsigned(kSizeUnchanged));
    EXPECT_EQ(UpdateStoredSize(stored, CSize(120, 50)), unsigned(kWidthChanged));
    EXPECT_EQ(UpdateStoredSize(stored, CSize(120, 10)), unsigned(kHeightChanged));
    EXPECT_EQ(UpdateStoredSize(stored, CSize(10, 11)), unsigned(kWidthChanged | kHeightChanged));
    EXPECT_EQ(stored, CSize(10, 11));
}

TEST(PathsTest, BesideTheProgramAndTheTemplatesFolder)
{
    const std::filesystem::path beside(GetPathBesideExecutable("x.txt").str());
    EXPECT_EQ(beside.filename(), "x.txt");
    EXPECT_TRUE(std::filesystem::is_directory(beside.parent_path()));
    const CString templates = GetReportTemplatesFolder();
    EXPECT_EQ(templates.Right(9), CString("/reports/"));
}

using ColumnWidthsTest = WindowTest;

TEST_F(ColumnWidthsTest, PixelsFirstThenSharesThenTheRestToTheLastUnweightedColumn)
{
    CUGCtrl grid;
    grid.SetNumberCols(6);
    ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 400, 200), nullptr, 1));
    const double weights[] = {40, 0.5, 0, 0.25, 0};
    DistributeColumnWidths(&grid, 1, 5, 250, weights, 5);
    EXPECT_EQ(grid.GetColWidth(1), 40);
    EXPECT_EQ(grid.GetColWidth(2), 105);  // half of 210
    EXPECT_EQ(grid.GetColWidth(3), 0);    // unweighted, but not the last one
    EXPECT_EQ(grid.GetColWidth(4), 52);   // a quarter of 210, truncated
    EXPECT_EQ(grid.GetColWidth(5), 53);   // what is left

    // Pixel widths wider than the total leave nothing to share, and nothing goes negative.
    const double wide[] = {300, 0.5, 0};
    DistributeColumnWidths(&grid, 0, 2, 250, wide, 3);
    EXPECT_EQ(grid.GetColWidth(0), 300);
    EXPECT_EQ(grid.GetColWidth(1), 0);
    EXPECT_EQ(grid.GetColWidth(2), 0);
}

using SharedFontTest = WindowTest;

TEST_F(SharedFontTest, TheSetHoldsTheListedSizesAndTagsNameThem)
{
    for (int height : CMyFont::kRegularHeights)
        ASSERT_NE(CMyFont::GetSharedFont(height, false), nullptr) << height;
    for (int height : CMyFont::kBoldHeights)
        ASSERT_NE(CMyFont::GetSharedFont(height, true), nullptr) << height;
    EXPECT_EQ(CMyFont::GetSharedFont(5, true), nullptr);
    EXPECT_EQ(CMyFont::GetSharedFont(13, false), nullptr);
    EXPECT_NE(CMyFont::GetSharedFont(12, true), CMyFont::GetSharedFont(12, false));

    LOGFONT bold;
    CMyFont::GetSharedFont(12, true)->GetLogFont(&bold);
    EXPECT_EQ(bold.lfHeight, 12);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    CString expected;
    expected.Format("<:F,%s,12,700>", bold.lfFaceName);
    EXPECT_EQ(CMyFont::FormatFontTag(*CMyFont::GetSharedFont(12, true)), expected);

    CFont own;
    own.CreateFont(11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Serif");
    EXPECT_EQ(CMyFont::FormatFontTag(own), CString("<:F,Serif,11,400>"));
}

using GridMarginTest = WindowTest;

TEST_F(GridMarginTest, TheRightEdgeFollowsTheParent)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0));
    CWnd grid;
    ASSERT_TRUE(grid.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 20, 370, 120), &parent, 1));
    const int margin = GridRememberRightMargin(grid);
    EXPECT_EQ(margin, 30);
    parent.MoveWindow(0, 0, 600, 300);
    GridKeepRightMargin(grid, margin);
    CRect rect;
    grid.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(10, 20, 570, 120));
    parent.MoveWindow(0, 0, 20, 300);
    GridKeepRightMargin(grid, margin);
    grid.GetWindowRect(&rect);
    EXPECT_EQ(rect.Width(), 0);
}

namespace {

// A window painted in one colour.
class CFilledWnd : public CWnd
{
public:
    explicit CFilledWnd(COLORREF colour) : m_colour(colour) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT) {
            PAINTSTRUCT paint;
            CDC* dc = BeginPaint(&paint);
            CRect client;
            GetClientRect(&client);
            dc->FillSolidRect(&client, m_colour);
            EndPaint(&paint);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    COLORREF m_colour;
};

} // namespace

using CaptureTest = WindowTest;

TEST_F(CaptureTest, TheRectangleOfTheMainWindowGoesToTheClipboardAndAFile)
{
    CString file;
    SetMainWindow(nullptr);
    EXPECT_FALSE(CaptureWindowRect(CRect(0, 0, 10, 10), kCaptureToClipboard, &file));

    CFilledWnd main(RGB(255, 255, 255));
    ASSERT_TRUE(main.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    CFilledWnd child(RGB(0, 0, 255));
    ASSERT_TRUE(child.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(100, 50, 200, 150), &main, 1));
    SetMainWindow(&main);

    EXPECT_FALSE(CaptureWindowRect(CRect(400, 400, 500, 500), kCaptureToClipboard, &file));  // outside
    ASSERT_TRUE(CaptureWindowRect(CRect(90, 40, 210, 160), kCaptureToClipboard | kCaptureToFile, &file));
    SetMainWindow(nullptr);

    CBitmap saved;
    ASSERT_TRUE(saved.LoadFromFile(file));
    EXPECT_EQ(saved.GetSize(), CSize(120, 120));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&saved);
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(255, 255, 255));    // the main window around the child
    EXPECT_EQ(dc.GetPixel(60, 60), RGB(0, 0, 255));      // the child
    dc.SelectObject(old);
    std::filesystem::remove(file.str());

    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
}
