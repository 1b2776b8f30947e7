#include "grid/CUGMem.h"

#include "GridTestSupport.h"
#include "support/ScopedUserLocale.h"

#include <gtest/gtest.h>

namespace
{
void Put(CUGMem& mem, int col, int row, const char* text)
{
    CUGCell cell;
    cell.SetText(text);
    mem.SetCell(col, row, &cell);
}

void PutNumber(CUGMem& mem, int col, int row, double value, WORD type = UGCELLDATA_NUMBER)
{
    CUGCell cell;
    cell.SetNumber(value);
    cell.SetDataType(type);
    mem.SetCell(col, row, &cell);
}

CString Text(CUGMem& mem, int col, int row)
{
    CUGCell cell;
    if (mem.GetCell(col, row, &cell) != 0)
        return "<none>";
    const char* t = cell.GetText();
    return t ? CString(t) : CString("<empty>");
}

std::vector<std::string> Column(CUGMem& mem, int col, int rows)
{
    std::vector<std::string> out;
    for (int r = 0; r < rows; ++r)
        out.push_back(Text(mem, col, r).str());
    return out;
}
} // namespace

TEST(CUGMemTest, StoresCellsAndCreatesRowsUpToTheOneWritten)
{
    CUGMem mem;
    CUGCell untouched;
    untouched.SetText("mine");
    EXPECT_EQ(mem.GetCell(0, 0, &untouched), 1);
    EXPECT_STREQ(untouched.GetText(), "mine");

    Put(mem, 3, 10, "x");
    EXPECT_EQ(mem.GetLastRowIndex(), 10);
    CUGCell cell;
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(mem.GetCell(0, r, &cell), 1);
    EXPECT_EQ(mem.GetCell(2, 10, &cell), 1);
    EXPECT_EQ(Text(mem, 3, 10), "x");

    // Heading cells (negative coordinates) are stored too.
    Put(mem, 1, -1, "Heading");
    Put(mem, -1, 4, "Row 4");
    EXPECT_EQ(Text(mem, 1, -1), "Heading");
    EXPECT_EQ(Text(mem, -1, 4), "Row 4");

    EXPECT_EQ(mem.DeleteRow(50), 0);
    EXPECT_EQ(mem.DeleteCell(7, 10), 1);
    EXPECT_EQ(mem.DeleteCell(3, 10), 0);
    EXPECT_EQ(mem.GetCell(3, 10, &cell), 1);

    EXPECT_EQ(mem.InsertRow(11), 1);
    Put(mem, 0, 1, "b");
    EXPECT_EQ(mem.InsertRow(1), 0);
    EXPECT_EQ(Text(mem, 0, 2), "b");
    EXPECT_EQ(mem.GetCell(0, 1, &cell), 1);
    EXPECT_EQ(mem.DeleteRow(1), 0);
    EXPECT_EQ(Text(mem, 0, 1), "b");

    EXPECT_EQ(mem.Empty(), 0);
    EXPECT_EQ(mem.GetLastRowIndex(), -1);
    EXPECT_EQ(mem.InsertCol(0), 1);
}

// Rows never written between written ones (a long grid storing only its headings) move, sort
// and lose columns like the others.
TEST(CUGMemTest, RowsNeverWrittenSortAndShiftLikeTheOthers)
{
    CUGMem mem;
    Put(mem, 0, 0, "b");
    Put(mem, 1, 0, "b1");
    Put(mem, 0, 5, "a");
    EXPECT_EQ(mem.GetLastRowIndex(), 5);
    EXPECT_EQ(mem.InsertCol(0), 0);
    EXPECT_EQ(Text(mem, 1, 0), "b");
    EXPECT_EQ(Text(mem, 2, 0), "b1");
    EXPECT_EQ(Text(mem, 1, 5), "a");
    EXPECT_EQ(mem.DeleteCol(0), 0);
    EXPECT_EQ(mem.DeleteRow(3), 0);
    EXPECT_EQ(mem.GetLastRowIndex(), 4);
    EXPECT_EQ(Text(mem, 0, 4), "a");
    EXPECT_EQ(mem.InsertRow(2), 0);
    EXPECT_EQ(Text(mem, 0, 5), "a");
    // Missing cells sort as cleared ones, after any text.
    EXPECT_EQ(mem.SortBy(0, UG_SORT_ASCENDING), 0);
    EXPECT_EQ(Column(mem, 0, 6), (std::vector<std::string>{"a", "b", "<none>", "<none>", "<none>", "<none>"}));
    EXPECT_EQ(Text(mem, 1, 1), "b1");
    EXPECT_EQ(mem.Empty(), 0);
    EXPECT_EQ(mem.GetLastRowIndex(), -1);
}

TEST(CUGMemTest, SetCellReplacesTheStoredPropertiesAndGetCellMergesThem)
{
    CUGMem mem;
    CUGCell a;
    a.SetText("a");
    a.SetBackColor(RGB(1, 1, 1));
    mem.SetCell(0, 0, &a);
    CUGCell b;
    b.SetPropertyFlags(0);
    b.SetParam(5);
    mem.SetCell(0, 0, &b);

    CUGCell read;
    read.SetText("caller");
    ASSERT_EQ(mem.GetCell(0, 0, &read), 0);
    EXPECT_EQ(read.GetParam(), 5);
    EXPECT_STREQ(read.GetText(), "caller"); // the stored cell no longer sets the text
}

TEST(CUGMemTest, FindHonoursEveryFlagAndWrapsAround)
{
    CUGMem mem;
    const char* rows[][3] = {{"apple", "Pear", "plum"}, {"pear", "fig", "apple pie"}, {"kiwi", "", "APPLE"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            if (*rows[r][c])
                Put(mem, c, r, rows[r][c]);

    int col = 0, row = 0;
    EXPECT_EQ(mem.FindFirst("apple", &col, &row, 0), 0);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(mem.FindNext("apple", &col, &row, 0), 0); // only match: found again after a full wrap
    EXPECT_EQ(row, 0);

    col = 2;
    EXPECT_EQ(mem.FindFirst("apple", &col, &row, UG_FIND_PARTIAL), 0);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(mem.FindNext("apple", &col, &row, UG_FIND_PARTIAL | UG_FIND_CASEINSENSITIVE), 0);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(mem.FindNext("apple", &col, &row, UG_FIND_PARTIAL), 0);
    EXPECT_EQ(row, 1); // wrapped past the end; "APPLE" needs the case flag

    EXPECT_EQ(mem.FindFirst("pear", &col, &row, UG_FIND_ALLCOLUMNS | UG_FIND_CASEINSENSITIVE), 0);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(1, 0));
    EXPECT_EQ(mem.FindNext("pear", &col, &row, UG_FIND_ALLCOLUMNS | UG_FIND_CASEINSENSITIVE), 0);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(0, 1));
    EXPECT_EQ(mem.FindNext("pear", &col, &row, UG_FIND_ALLCOLUMNS | UG_FIND_UP | UG_FIND_CASEINSENSITIVE), 0);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(1, 0));
    EXPECT_EQ(mem.FindNext("pear", &col, &row, UG_FIND_ALLCOLUMNS | UG_FIND_UP), 0);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(0, 1)); // backwards, wrapping from the top

    col = 1;
    EXPECT_EQ(mem.FindFirst("banana", &col, &row, UG_FIND_PARTIAL), 1);
    col = 1;
    EXPECT_EQ(mem.FindFirst("", &col, &row, 0), 1); // empty cells never equal
}

TEST(CUGMemTest, SortIsStableAndComparesByType)
{
    CUGMem mem;
    // Column 0: numbers that would sort wrongly as text; column 1 tells the rows apart.
    const double numbers[] = {10, 9, 100, 9, -1};
    for (int r = 0; r < 5; ++r)
    {
        PutNumber(mem, 0, r, numbers[r]);
        Put(mem, 1, r, std::to_string(r).c_str());
    }
    EXPECT_EQ(mem.SortBy(0, UG_SORT_ASCENDING), 0);
    EXPECT_EQ(Column(mem, 1, 5), (std::vector<std::string>{"4", "1", "3", "0", "2"}));
    EXPECT_EQ(mem.SortBy(0, UG_SORT_DESCENDING), 0);
    EXPECT_EQ(Column(mem, 1, 5), (std::vector<std::string>{"2", "0", "1", "3", "4"}));

    // Date-times sort by their number, not by their text.
    CScopedUserLocale locale(CUserLocale::EnUs());
    CUGMem dates;
    const char* days[] = {"1/1/2020", "1/2/1900", "12/31/1999"};
    for (int r = 0; r < 3; ++r)
    {
        CUGCell cell;
        cell.SetText(days[r]);
        cell.SetDataType(UGCELLDATA_TIME);
        dates.SetCell(0, r, &cell);
        Put(dates, 1, r, std::to_string(r).c_str());
    }
    EXPECT_EQ(dates.SortBy(0, UG_SORT_ASCENDING), 0);
    EXPECT_EQ(Column(dates, 1, 3), (std::vector<std::string>{"1", "2", "0"}));

    // Texts by character values; missing cells are cleared cells without text and go last.
    CUGMem texts;
    Put(texts, 0, 0, "b");
    Put(texts, 1, 0, "0");
    Put(texts, 1, 1, "1");
    Put(texts, 0, 2, "B");
    Put(texts, 1, 2, "2");
    Put(texts, 0, 3, "a");
    Put(texts, 1, 3, "3");
    const int cols[] = {0};
    EXPECT_EQ(texts.SortBy(cols, 1, UG_SORT_ASCENDING), 0);
    EXPECT_EQ(Column(texts, 1, 4), (std::vector<std::string>{"2", "3", "0", "1"}));

    CUGMem empty;
    EXPECT_EQ(empty.SortBy(0, UG_SORT_ASCENDING), 1);
    Put(empty, 0, 0, "only");
    EXPECT_EQ(empty.SortBy(0, UG_SORT_ASCENDING), 1);
}

TEST(CUGMemTest, SortByTwoColumnsUsesTheSecondOnTies)
{
    CUGMem mem;
    const char* keys[][2] = {{"x", "2"}, {"y", "1"}, {"x", "1"}, {"y", "0"}};
    for (int r = 0; r < 4; ++r)
    {
        Put(mem, 0, r, keys[r][0]);
        Put(mem, 1, r, keys[r][1]);
    }
    const int cols[] = {0, 1};
    EXPECT_EQ(mem.SortBy(cols, 2, UG_SORT_ASCENDING), 0);
    EXPECT_EQ(Column(mem, 1, 4), (std::vector<std::string>{"1", "2", "0", "1"}));
    EXPECT_EQ(Column(mem, 0, 4), (std::vector<std::string>{"x", "x", "y", "y"}));
}

TEST(CUGMemTest, PreviousNonBlankColumn)
{
    CUGMem mem;
    Put(mem, 1, 0, "left");
    Put(mem, 3, 0, "");
    int col = 4;
    EXPECT_EQ(mem.GetPrevNonBlankCol(&col, 0), 0);
    EXPECT_EQ(col, 1);
    col = 1;
    EXPECT_EQ(mem.GetPrevNonBlankCol(&col, 0), 1);
}

TEST(CUGMemTest, DefaultSortRule)
{
    CUGCell number1, number2, text, noText;
    number1.SetNumber(2);
    number2.SetNumber(10);
    text.SetText("abc");
    EXPECT_EQ(CUGCtrl::DefaultSortCompare(&number1, &number2, UG_SORT_ASCENDING), -1);
    EXPECT_EQ(CUGCtrl::DefaultSortCompare(&number1, &number2, UG_SORT_DESCENDING), 1);
    EXPECT_EQ(CUGCtrl::DefaultSortCompare(&number1, &number1, UG_SORT_ASCENDING), 0);
    EXPECT_EQ(CUGCtrl::DefaultSortCompare(nullptr, nullptr, UG_SORT_ASCENDING), 0);
    EXPECT_EQ(CUGCtrl::DefaultSortCompare(nullptr, &text, UG_SORT_ASCENDING), 1);
    EXPECT_EQ(CUGCtrl::DefaultSortCompare(nullptr, &text, UG_SORT_DESCENDING), 1);
    EXPECT_EQ(CUGCtrl::DefaultSortCompare(&text, nullptr, UG_SORT_DESCENDING), -1);
    EXPECT_EQ(CUGCtrl::DefaultSortCompare(&noText, &text, UG_SORT_ASCENDING), 1);
    EXPECT_EQ(CUGCtrl::DefaultSortCompare(&noText, &noText, UG_SORT_ASCENDING), 0);
}
