#include "grid/CUGCell.h"

#include "platform/framework/windows/GdiObjects.h"
#include "support/ScopedUserLocale.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
CUserLocale CLocale()
{
    CUserLocale c = CUserLocale::EnUs();
    c.thousandsSeparator = "";
    c.currencySymbol = "";
    return c;
}

CString TextOf(CUGCell& cell)
{
    const char* t = cell.GetText();
    return t ? CString(t) : CString("<null>");
}
} // namespace

TEST(CUGCellTest, ANewOrClearedCellCarriesTheStoredFlagWordAndItsDefaults)
{
    CUGCell cell;
    EXPECT_EQ(cell.GetPropertyFlags(), 0x08008788u);
    EXPECT_EQ(cell.GetDataType(), UGCELLDATA_STRING);
    EXPECT_EQ(cell.GetAlignment(), UG_ALIGNLEFT);
    EXPECT_EQ(cell.GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(cell.GetBackColor(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(cell.GetHighlightTextColor(), GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(cell.GetHighlightBackColor(), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(cell.IsPropertySet(0x80));
    EXPECT_EQ(cell.GetDrawHints(), UG_DRAWHINT_DEFAULT);
    EXPECT_EQ(cell.GetCellState(), 1);
    // Unset properties answer their defaults.
    EXPECT_EQ(cell.GetText(), nullptr);
    EXPECT_EQ(cell.GetParam(), 0);
    EXPECT_EQ(cell.GetCellType(), 0);
    EXPECT_EQ(cell.GetLabelText(), nullptr);
    int join = 0;
    EXPECT_EQ(cell.GetJoinInfo(nullptr, &join, nullptr), 1);

    cell.SetText("x");
    cell.SetParam(7);
    cell.SetBorder(15);
    cell.SetCellState(3);
    cell.ClearAll();
    EXPECT_EQ(cell.GetPropertyFlags(), 0x08008788u);
    EXPECT_EQ(cell.GetText(), nullptr);
    EXPECT_EQ(cell.GetBorder(), 0);
    EXPECT_EQ(cell.GetCellState(), 3); // the state byte survives clearing
}

TEST(CUGCellTest, TextSettersAndNumberGetters)
{
    CScopedUserLocale locale(CUserLocale::EnUs());
    CUGCell cell;
    cell.SetText("");
    EXPECT_FALSE(cell.IsPropertySet(UGCELL_TEXT_SET));
    EXPECT_EQ(cell.GetText(), nullptr);
    EXPECT_EQ(cell.GetNumber(), 0.0);
    CString out;
    EXPECT_EQ(cell.GetTextString(&out), 1);
    int n = 5;
    EXPECT_EQ(cell.GetNumberLong(&n), 1);

    cell.SetText("1,234.5");
    EXPECT_EQ(cell.GetDataType(), UGCELLDATA_STRING);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 1234.5);
    EXPECT_EQ(cell.GetNumberLong(&n), 0);
    EXPECT_EQ(n, 1234);

    cell.SetBitmap(nullptr);
    EXPECT_FALSE(cell.IsPropertySet(UGCELL_BITMAP_SET));
    EXPECT_EQ(cell.GetBitmap(), nullptr);
    CBitmap bitmap;
    cell.SetBitmap(&bitmap);
    EXPECT_EQ(cell.GetBitmap(), &bitmap);
    cell.SetBitmap(nullptr);
    EXPECT_EQ(cell.GetBitmap(), nullptr);
}

TEST(CUGCellTest, NumbersShowAsTheShortestTextInTheUsersFormat)
{
    CScopedUserLocale locale(CUserLocale::EnUs());
    CUGCell cell;
    cell.SetNumber(0.0);
    EXPECT_EQ(TextOf(cell), "0");
    cell.SetNumber(100.0);
    EXPECT_EQ(TextOf(cell), "100");
    cell.SetNumber(0.5);
    EXPECT_EQ(TextOf(cell), "0.5");
    cell.SetNumber(0.1); // not 0.10000000000000000555
    EXPECT_EQ(TextOf(cell), "0.1");
    cell.SetNumber(-1234567.25);
    EXPECT_EQ(TextOf(cell), "-1,234,567.25");
    cell.SetNumber(1234.5);
    cell.SetNumberDecimals(2);
    EXPECT_EQ(TextOf(cell), "1,234.50");
    cell.SetNumber(2.675);
    cell.SetNumberDecimals(0);
    EXPECT_EQ(TextOf(cell), "3");

    CUGCell plain;
    plain.SetNumber(1234.5);
    plain.SetPropertyFlags(plain.GetPropertyFlags() | UGCELL_DONOT_LOCALIZE);
    EXPECT_EQ(TextOf(plain), "1234.5");
    EXPECT_DOUBLE_EQ(plain.GetNumber(), 1234.5);

    CScopedUserLocale german(CUserLocale::DeDe());
    cell.SetNumber(1234.5);
    cell.SetNumberDecimals(2);
    EXPECT_EQ(TextOf(cell), "1.234,50");
    CUGCell small;
    small.SetNumber(0.5);
    EXPECT_EQ(TextOf(small), "0,5");
    for (double v : {0.1, 1.0 / 3.0, 123456.789, 1e-7, -2.5e10})
    {
        small.SetNumber(v);
        EXPECT_EQ(CUGCell::ParseLocaleNumber(small.GetText()), v) << small.GetText();
    }
}

TEST(CUGCellTest, LocaleWithoutThousandsSeparatorParsesAndFormats)
{
    CScopedUserLocale locale(CLocale());
    EXPECT_DOUBLE_EQ(CUGCell::ParseLocaleNumber("1234.5"), 1234.5);
    EXPECT_DOUBLE_EQ(CUGCell::ParseLocaleNumber("  -7.25xyz"), -7.25);
    EXPECT_EQ(CUGCell::ParseLocaleNumber("abc"), 0.0);
    CUGCell cell;
    cell.SetNumber(1234567.5);
    EXPECT_EQ(TextOf(cell), "1234567.5");
}

TEST(CUGCellTest, DataTypeChangesConvertTheValue)
{
    CScopedUserLocale locale(CUserLocale::EnUs());
    CUGCell cell;
    cell.SetText("12.34");
    cell.SetDataType(UGCELLDATA_CURRENCY);
    EXPECT_EQ(cell.GetDataType(), UGCELLDATA_CURRENCY);
    EXPECT_EQ(cell.GetNumber(), 12.0); // whole currency units

    CUGCell number;
    number.SetNumber(3.14159);
    number.SetDataType(UGCELLDATA_CURRENCY);
    EXPECT_EQ(number.GetNumber(), 3.14159);
    EXPECT_EQ(TextOf(number), "3.14");

    CUGCell text;
    text.SetText("1,500.25");
    text.SetDataType(UGCELLDATA_NUMBER);
    EXPECT_EQ(text.GetNumber(), 1500.25);
    EXPECT_EQ(TextOf(text), "1,500.25");

    CUGCell date;
    date.SetText("12/31/1899 6:00:00 PM");
    date.SetDataType(UGCELLDATA_TIME);
    EXPECT_DOUBLE_EQ(date.GetNumber(), 1.75);

    CUGCell mismatch;
    mismatch.SetText("not a date");
    mismatch.SetDataType(UGCELLDATA_TIME);
    EXPECT_EQ(mismatch.GetDataType(), UGCELLDATA_TIME);
    EXPECT_EQ(mismatch.GetNumber(), 0.0);

    CUGCell overflow;
    overflow.SetText("13/45/2020");
    overflow.SetDataType(UGCELLDATA_TIME);
    EXPECT_EQ(overflow.GetDataType(), UGCELLDATA_TIME);
    EXPECT_EQ(overflow.GetNumber(), -1.0);

    // The same type again with the type bit set changes nothing.
    overflow.SetNumber(5.0);
    overflow.SetDataType(UGCELLDATA_NUMBER);
    EXPECT_EQ(overflow.GetNumber(), 5.0);
}

TEST(CUGCellTest, MergeCopiesOnlySetPropertiesAndAssignTakesTheFlagWord)
{
    CUGCell source;
    source.SetPropertyFlags(0);
    source.SetBackColor(RGB(1, 2, 3));
    source.SetParam(42);
    source.SetCellState(9);

    CUGCell target;
    target.SetText("keep");
    target.SetTextColor(RGB(9, 9, 9));
    target.MergeFrom(&source);
    EXPECT_EQ(target.GetBackColor(), RGB(1, 2, 3));
    EXPECT_EQ(target.GetParam(), 42);
    EXPECT_STREQ(target.GetText(), "keep");
    EXPECT_EQ(target.GetTextColor(), RGB(9, 9, 9));
    EXPECT_EQ(target.GetCellState(), 9);

    CUGCell assigned;
    assigned.SetText("gone");
    assigned.AssignFrom(&source);
    EXPECT_EQ(assigned.GetPropertyFlags(), source.GetPropertyFlags());
    EXPECT_EQ(assigned.GetText(), nullptr);

    // A cleared cell merged over another brings its seven set properties along.
    CUGCell cleared;
    CUGCell coloured;
    coloured.SetBackColor(RGB(5, 5, 5));
    coloured.SetBorder(15);
    coloured.MergeFrom(&cleared);
    EXPECT_EQ(coloured.GetBackColor(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(coloured.GetBorder(), 15);
}

TEST(CUGCellTest, CopiesOwnTheirExtraBlockAndBackup)
{
    CUGCell source;
    auto* block = static_cast<char*>(source.AllocExtraBlock(8));
    std::strcpy(block, "abcdefg");
    source.SetText("original");
    source.SaveBackup();
    source.SetText("changed");

    CUGCell target;
    target.MergeFrom(&source);
    ASSERT_NE(target.GetExtraBlock(), nullptr);
    EXPECT_NE(target.GetExtraBlock(), source.GetExtraBlock());
    EXPECT_STREQ(static_cast<char*>(target.GetExtraBlock()), "abcdefg");
    ASSERT_NE(target.GetBackup(), nullptr);
    EXPECT_NE(target.GetBackup(), source.GetBackup());

    source.ReleaseOwned();
    EXPECT_EQ(source.GetExtraBlock(), nullptr);
    EXPECT_FALSE(source.IsPropertySet(UGCELL_EXTRAMEM_SET));
    EXPECT_STREQ(static_cast<char*>(target.GetExtraBlock()), "abcdefg");

    // A source without a block leaves the target's block and backup alone.
    CUGCell plain;
    plain.SetText("plain");
    target.MergeFrom(&plain);
    EXPECT_STREQ(static_cast<char*>(target.GetExtraBlock()), "abcdefg");
    ASSERT_NE(target.GetBackup(), nullptr);
    CUGCell backup = *target.GetBackup();
    EXPECT_STREQ(backup.GetText(), "original");

    CUGCell copy = target;
    EXPECT_NE(copy.GetExtraBlock(), target.GetExtraBlock());
    copy = source;
    EXPECT_EQ(copy.GetExtraBlock(), nullptr);

    target.ClearValues();
    EXPECT_EQ(target.GetBackup(), nullptr);
}

TEST(CUGCellTest, AssigningACellItsOwnBackupIsSafe)
{
    CUGCell cell;
    cell.SetText("first");
    cell.SaveBackup();
    cell.SetText("second");
    cell = *cell.GetBackup();
    EXPECT_STREQ(cell.GetText(), "first");
    EXPECT_EQ(cell.GetBackup(), nullptr);
}

TEST(CUGCellTest, EachBackupHoldsOneEarlierState)
{
    CUGCell cell;
    for (const char* text : {"a", "b", "c"})
    {
        cell.SetText(text);
        cell.SaveBackup();
    }
    ASSERT_NE(cell.GetBackup(), nullptr);
    EXPECT_EQ(cell.GetBackup()->GetBackup(), nullptr);
}
