// The calendar grid: where bins lie (weekday and hour offsets), blocks without bins, selection by
// clicks, collapse states through the collapse text, and thumbnails read from their files into
// the cache (a short or missing file leaves the cell without a picture).
#include "datamodel/HighTime.h"
#include "grid/CUGCell.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"
#include "datamodel/DateTimeFormats.h"
#include "study/CalendarGrid.h"
#include "study/CalendarThumbnailFile.h"
#include "study/MyBasicSummaryGrid.h"
#include "support/ScopedTimeZone.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

class CGridParent : public CWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TABLE_COLLAPSE_STATE)
            states.push_back(*reinterpret_cast<const CString*>(wParam));
        if (message == WM_CALENDAR_SHOW_SELECTION)
            ++selectionNotices;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<CString> states;
    int selectionNotices = 0;
};

// A 24-bit bottom-up bitmap file of one colour, as the chart writes it.
std::vector<unsigned char> BitmapFile(int width, int height, unsigned char blue)
{
    const std::uint32_t stride = (std::uint32_t(width) * 3 + 3) / 4 * 4;
    const std::uint32_t size = 54 + stride * std::uint32_t(height);
    std::vector<unsigned char> bytes(size, 0);
    auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + std::size_t(i)] = (unsigned char)(value >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bytes[54 + stride * std::uint32_t(y) + std::uint32_t(x) * 3] = blue;
    return bytes;
}

void WriteFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class CalendarGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "calendar", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1000, 800), nullptr, 0));
        m_folder = m_home.Root() / "thumbs";
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override
    {
        m_grid.reset();
        m_parent.DestroyWindow();
        CFrameworkApp::PumpWaitingMessages();
    }
    // Session 0 with bins from `start` to `end`; session 1 without bins.
    void Build(int granularity, double start, double end)
    {
        m_list.Clear();
        m_list.granularity = granularity;
        for (int s = 0; s < 2; ++s) {
            auto data = std::make_unique<structCalendarSessionData>();
            data->name.Format("Session %d", s + 1);
            m_list.sessions.push_back(std::move(data));
        }
        auto bins = std::make_unique<structCalendarBins>();
        bins->bins = MakeCalendarBins(start, end, granularity);
        bins->count = int(bins->bins.size());
        bins->granularity = granularity;
        bins->folder = (m_folder.string() + "/").c_str();
        for (structCalendarBin& bin : bins->bins)
            bin.fileName = CalendarBinFileName(0, granularity, bin.start);
        m_list.sessions[0]->bins[std::size_t(granularity)] = std::move(bins);
        m_grid = std::make_unique<CCalendarGrid>(granularity, 2, &m_list);
        CRect client;
        m_parent.GetClientRect(&client);
        ASSERT_TRUE(m_grid->CreateGrid(WS_CHILD | WS_VISIBLE, client, &m_parent, CCalendarGrid::kGridId));
        m_grid->Populate();
    }
    void Click(int col, int row)
    {
        m_grid->OnLClicked(col, row, 1, nullptr, nullptr, FALSE);
        m_grid->OnLClicked(col, row, 0, nullptr, nullptr, FALSE);
    }
    CUGCell Cell(int col, int row)
    {
        CUGCell cell;
        m_grid->GetCellWithDefaults(col, row, &cell);
        return cell;
    }

    CTempXdgHome m_home;
    ScopedTimeZone m_zone{kCentralEuropeZone};
    CGridParent m_parent;
    std::filesystem::path m_folder;
    CCalendarSessionList m_list;
    std::unique_ptr<CCalendarGrid> m_grid;
};

double Local(int year, int month, int day, int hour = 0, int minute = 0)
{
    return CHighTime(year, month, day, hour, minute, 0).GetAsDate();
}

TEST_F(CalendarGridTest, DayBinsRunMondayToSundayAndCellsBeforeTheFirstAreEmpty)
{
    // Wednesday 10 June 2026 to Sunday 21 June: two lines.
    Build(kCalendarDay, Local(2026, 6, 10, 9), Local(2026, 6, 21, 9));
    EXPECT_EQ(m_grid->GetBinsPerLine(), 7);
    EXPECT_EQ(m_grid->GetLines(), 2);
    EXPECT_EQ(m_grid->GetNumberCols(), 15);
    EXPECT_EQ(m_grid->FirstColumnOffset(0), 2);
    int col = 0;
    int row = 0;
    m_grid->BinCell(0, 0, col, row);
    EXPECT_EQ(col, 5); // the third bin column
    EXPECT_EQ(row, 2);
    EXPECT_EQ(Cell(1, 2).GetBackColor(), CMyBasicCalendarGrid::kEmptyBack);
    EXPECT_EQ(Cell(3, 2).GetBackColor(), CMyBasicCalendarGrid::kEmptyBack);
    EXPECT_EQ(Cell(5, 2).GetBackColor(), CMyBasicCalendarGrid::kPictureBack);
    EXPECT_EQ(CString(Cell(1, 3).GetText()), CString("Monday"));
    EXPECT_EQ(CString(Cell(13, 3).GetText()), CString("Sunday"));
    int session = -1;
    int bin = -1;
    ASSERT_TRUE(m_grid->FindBin(13, 6, session, bin));
    EXPECT_EQ(session, 0);
    EXPECT_EQ(bin, 11);
    EXPECT_FALSE(m_grid->FindBin(14, 6, session, bin));
    EXPECT_FALSE(m_grid->FindBin(13, 7, session, bin));
    // The picture row is 2.1/3 of the column width; the session without bins is hidden.
    EXPECT_EQ(m_grid->GetRowHeight(2), int(m_grid->GetColWidth(1) * 2.1 / 3));
    const int second = m_grid->BlockStart(1);
    for (int r = second; r < second + m_grid->GetRowsPerBlock(); ++r)
        EXPECT_EQ(m_grid->GetRowHeight(r), 0) << r;
}

TEST_F(CalendarGridTest, HourBinsLieInLinesOfEightHours)
{
    Build(kCalendarHour, Local(2026, 6, 10, 13, 20), Local(2026, 6, 10, 18, 0));
    EXPECT_EQ(m_grid->FirstColumnOffset(0), 5);
    int col = 0;
    int row = 0;
    m_grid->BinCell(0, 0, col, row);
    EXPECT_EQ(col, 11); // the sixth bin column of the line 08:00 .. 15:00
    EXPECT_EQ(CString(Cell(1, 3).GetText()), CHighTime(2026, 6, 10, 8, 0, 0).Format(GetLocaleTimeFormat()));
    // The block of a session without bins has no titles, nor has a column between bins.
    EXPECT_EQ(CString(Cell(1, m_grid->BlockStart(1) + 3).GetText()), CString());
    EXPECT_EQ(CString(Cell(2, 3).GetText()), CString());
    m_grid->BinCell(0, 3, col, row);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 6);
}

// Every hour's title is the local time its bin starts, on the days the clocks change as on the
// others, also by half an hour (Lord Howe Island); cells without a bin go on an hour a cell. A
// week is labelled with its last day, the week of the spring change too.
TEST_F(CalendarGridTest, HourTitlesAreTheLocalTimesOfTheirHoursAndWeeksNameTheirLastDay)
{
    const struct
    {
        const char* zone;
        int month;
        int fromDay;
        int toDay;
    } cases[] = {{kCentralEuropeZone, 3, 27, 31}, {kCentralEuropeZone, 10, 23, 27}, {kLordHoweZone, 4, 3, 7}, {kLordHoweZone, 10, 2, 6}};
    for (const auto& c : cases) {
        ScopedTimeZone zone(c.zone);
        Build(kCalendarHour, Local(2026, c.month, c.fromDay, 5), Local(2026, c.month, c.toDay, 2));
        const structCalendarBins& bins = *m_list.sessions[0]->bins[std::size_t(kCalendarHour)];
        const int offset = m_grid->FirstColumnOffset(0);
        const int lines = (offset + bins.count + 7) / 8;
        ASSERT_GT(lines, 9);
        for (int place = 0; place < lines * 8; ++place) {
            const int bin = std::clamp(place - offset, 0, bins.count - 1);
            CHighTime hour = CHighTime::FromDate(bins.bins[std::size_t(bin)].start);
            hour.RoundToSecond();
            hour += CHighTimeSpan(0, place - offset - bin, 0, 0);
            EXPECT_EQ(CString(Cell(1 + 2 * (place % 8), 3 + 4 * (place / 8)).GetText()), hour.Format(GetLocaleTimeFormat()))
                << c.zone << " " << place;
        }
    }
    // Weeks from 23 March 2026: the first, of the spring change and an hour short of 7 days, ends on
    // Sunday 29 March, the second on Sunday 5 April.
    Build(kCalendarWeek, Local(2026, 3, 24, 9), Local(2026, 4, 2, 9));
    for (const auto& [bin, sunday] : {std::pair{0, 29}, std::pair{1, 5}}) {
        m_grid->LabelBin(0, bin);
        int col = 0;
        int row = 0;
        m_grid->BinCell(0, bin, col, row);
        EXPECT_EQ(CString(Cell(col, row + 1).GetText()),
                  CHighTime(2026, bin == 0 ? 3 : 4, sunday, 12, 0, 0).Format(ExpandDateTimeFormat(8070))) << bin;
    }
}

// In a window too narrow for eight titles a line, every title and date stays whole: the columns
// keep the width of their texts and the grid grows wider than its window, to be scrolled across.
TEST_F(CalendarGridTest, TitlesAndDatesStayWholeInANarrowWindow)
{
    m_parent.MoveWindow(0, 0, 240, 800);
    for (const int granularity : {kCalendarHour, kCalendarDay, kCalendarWeek}) {
        Build(granularity, Local(2026, 9, 7, 9), Local(2026, granularity == kCalendarWeek ? 11 : 9, 28, 9));
        CClientDC dc(m_grid.get());
        const structCalendarBins& bins = *m_list.sessions[0]->bins[std::size_t(granularity)];
        int columnsWidth = 0;
        for (int col = 0; col < m_grid->GetNumberCols(); ++col)
            columnsWidth += m_grid->GetColWidth(col);
        CRect window;
        m_grid->GetWindowRect(&window);
        EXPECT_GE(window.Width(), columnsWidth) << granularity;
        for (int bin = 0; bin < bins.count; ++bin) {
            m_grid->LabelBin(0, bin);
            int col = 0;
            int row = 0;
            m_grid->BinCell(0, bin, col, row);
            for (const int textRow : {row + 1, row + 2}) {
                CUGCell cell = Cell(col, textRow);
                CFont* old = dc.SelectObject(cell.GetFont());
                EXPECT_LT(dc.GetTextExtent(cell.GetText()).cx, m_grid->GetColWidth(col))
                    << granularity << " " << bin << " " << cell.GetText();
                dc.SelectObject(old);
            }
        }
    }
}

TEST_F(CalendarGridTest, ClicksSelectUpToTwoBinsAndDeselect)
{
    Build(kCalendarDay, Local(2026, 6, 8, 9), Local(2026, 6, 14, 9));
    Click(1, 2);
    Click(3, 2);
    EXPECT_TRUE(m_list.selections[0].Holds(0, 0));
    EXPECT_TRUE(m_list.selections[1].Holds(0, 1));
    EXPECT_EQ(Cell(1, 2).GetBorder(), 240);
    // A third picture replaces the second.
    Click(5, 2);
    EXPECT_TRUE(m_list.selections[1].Holds(0, 2));
    EXPECT_EQ(Cell(3, 2).GetBorder(), 15);
    // Clicking the first again deselects it; the second moves up.
    Click(1, 2);
    EXPECT_TRUE(m_list.selections[0].Holds(0, 2));
    EXPECT_FALSE(m_list.selections[1].HasSession());
    EXPECT_EQ(m_parent.selectionNotices, 4);
    // Clicks on spacers or on empty cells change nothing.
    Click(2, 2);
    Click(1, 6);
    EXPECT_EQ(m_parent.selectionNotices, 4);
}

TEST_F(CalendarGridTest, CollapseStateFollowsHeadingClicksAndIsAppliedAgain)
{
    Build(kCalendarDay, Local(2026, 6, 8, 9), Local(2026, 6, 14, 9));
    EXPECT_EQ(m_grid->GetCollapseState(), CString("00"));
    Click(4, 0);
    ASSERT_EQ(m_parent.states.size(), 1u);
    EXPECT_EQ(m_parent.states.back(), CString("10"));
    EXPECT_EQ(m_grid->GetRowHeight(2), 0);
    // A rebuilt grid takes the text back; a session without bins never reads as collapsed.
    Build(kCalendarDay, Local(2026, 6, 8, 9), Local(2026, 6, 14, 9));
    m_grid->ApplyCollapseState("11");
    EXPECT_EQ(m_grid->GetCollapseState(), CString("10"));
    EXPECT_TRUE(m_grid->IsBlockCollapsed(0));
    EXPECT_EQ(m_grid->GetRowHeight(2), 0);
    m_grid->ApplyCollapseState("00");
    EXPECT_GT(m_grid->GetRowHeight(2), 0);
}

TEST_F(CalendarGridTest, ThumbnailsAreReadOnDemandAndABrokenFileShowsNoPicture)
{
    Build(kCalendarDay, Local(2026, 6, 8, 9), Local(2026, 6, 10, 9));
    const structCalendarBins& bins = *m_list.sessions[0]->bins[kCalendarDay];
    WriteFile(m_folder / bins.bins[0].fileName.GetString(), BitmapFile(195, 130, 200));
    std::vector<unsigned char> shortFile = BitmapFile(195, 130, 100);
    shortFile.resize(shortFile.size() - 10);
    WriteFile(m_folder / bins.bins[1].fileName.GetString(), shortFile);

    CBitmap* picture = Cell(1, 2).GetBitmap();
    ASSERT_NE(picture, nullptr);
    // Shrunk into the cell with its proportions.
    const CSize fit = m_grid->PictureFit(1, 2);
    const CSize size = picture->GetSize();
    EXPECT_TRUE(size.cx <= fit.cx && size.cy <= fit.cy && (size.cx == fit.cx || size.cy == fit.cy));
    EXPECT_NEAR(double(size.cx) / size.cy, 1.5, 0.05);
    std::vector<unsigned char> pixels(std::size_t(size.cx * size.cy * 4));
    picture->GetBitmapBits(DWORD(pixels.size()), pixels.data());
    EXPECT_EQ(pixels[0], 200);
    EXPECT_EQ(Cell(3, 2).GetBitmap(), nullptr); // short
    EXPECT_EQ(Cell(5, 2).GetBitmap(), nullptr); // missing
    EXPECT_EQ(Cell(5, 2).GetBackColor(), CMyBasicCalendarGrid::kPictureBack);
    EXPECT_EQ(m_grid->GetDataSourceObject()->GetCachedCount(), 1u);
    // The cached picture is served again without reading the file.
    std::filesystem::remove(m_folder / bins.bins[0].fileName.GetString());
    EXPECT_EQ(Cell(1, 2).GetBitmap(), picture);
    EXPECT_EQ(ReadThumbnailBitmap((m_folder / "none.bmp").string().c_str()), nullptr);
}

TEST(CalendarThumbnailFileTest, AOnePixelCurveSurvivesShrinking)
{
    CTempXdgHome home;
    std::vector<unsigned char> bytes = BitmapFile(195, 130, 255);
    for (std::size_t i = 54; i < bytes.size(); ++i)
        bytes[i] = 255; // white
    const std::size_t stride = (195 * 3 + 3) / 4 * 4;
    for (std::size_t x = 0; x < 195; ++x) // one black row
        for (int c = 0; c < 3; ++c)
            bytes[54 + stride * 64 + x * 3 + std::size_t(c)] = 0;
    const auto path = home.Root() / "line.bmp";
    WriteFile(path, bytes);
    const auto full = ReadThumbnailBitmap(path.string().c_str());
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full->GetSize(), CSize(195, 130));
    const auto small = ReadThumbnailBitmap(path.string().c_str(), CSize(60, 60));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->GetSize(), CSize(60, 40));
    std::vector<unsigned char> pixels(60 * 40 * 4);
    small->GetBitmapBits(DWORD(pixels.size()), pixels.data());
    for (int x = 0; x < 60; ++x) {
        bool dark = false;
        for (int y = 0; y < 40; ++y)
            dark = dark || pixels[std::size_t((y * 60 + x) * 4)] == 0;
        EXPECT_TRUE(dark) << x;
    }
}

} // namespace
