// Check box cells: the box geometry and marks in rendered pixels, and toggling by click and key.
#include "CellTypeTestSupport.h"
#include "grid/CUGCheckBoxType.h"
#include "grid/CUGCheckBoxType_MyColor.h"

namespace
{
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kCheckBox = 2;

class CheckBoxTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        grid.SetNumberCols(3);
        grid.SetNumberRows(3);
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 1));
        grid.EnableGridLines(FALSE);
        grid.QuickSetCellType(0, 0, kCheckBox);
        grid.log.clear();
    }
    void SetValue(double value, long style = 0)
    {
        grid.QuickSetNumber(0, 0, value);
        grid.QuickSetCellType(0, 0, kCheckBox);
        grid.QuickSetCellTypeEx(0, 0, style);
    }
    double Value()
    {
        CUGCell cell;
        grid.GetCell(0, 0, &cell);
        return cell.GetNumber();
    }
    BOOL Click(int x, int y, int updn = 1, CRect rect = CRect(0, 0, 60, 20))
    {
        POINT point{x, y};
        return grid.GetCellType(kCheckBox)->OnLClicked(0, 0, updn, &rect, &point);
    }

    CUGCheckBoxType_MyColor coloured; // registered by some tests: it outlives the grid
    NotifyingGrid grid;
};
} // namespace

TEST_F(CheckBoxTest, TheBoxSizeFollowsTheRowHeight)
{
    CUGCell cell;
    int size = 0;
    EXPECT_EQ(CUGCheckBoxType::BoxRect(CRect(0, 0, 60, 14), &cell, &size), CRect(3, 3, 11, 11));
    EXPECT_EQ(size, 8);
    EXPECT_EQ(CUGCheckBoxType::BoxRect(CRect(0, 0, 60, 30), &cell, &size), CRect(3, 9, 15, 21));
    EXPECT_EQ(size, 12);
    cell.SetCellTypeEx(UGCT_CHECKBOXROUND);
    EXPECT_EQ(CUGCheckBoxType::BoxRect(CRect(0, 0, 60, 30), &cell, &size).Width(), 13);
    cell.SetCellTypeEx(UGCT_CHECKBOXUSEALIGN);
    cell.SetAlignment(UG_ALIGNCENTER | UG_ALIGNBOTTOM);
    EXPECT_EQ(CUGCheckBoxType::BoxRect(CRect(0, 0, 60, 30), &cell, &size), CRect(24, 12, 36, 24));
}

TEST_F(CheckBoxTest, AClearBoxIsAnOutlineAndASetOneHasACross)
{
    CellPicture clear(60, 20);
    clear.Draw(grid, 0, 0);
    // The outline runs through (3, 4), (15, 4), (15, 16) and (3, 16).
    EXPECT_EQ(clear.At(3, 4), kBlack);
    EXPECT_EQ(clear.At(15, 4), kBlack);
    EXPECT_EQ(clear.At(15, 16), kBlack);
    EXPECT_EQ(clear.At(3, 16), kBlack);
    EXPECT_EQ(clear.At(2, 10), kWhite);
    EXPECT_EQ(clear.At(16, 10), kWhite);
    EXPECT_EQ(clear.Marked(CRect(4, 5, 15, 16)), 0);

    SetValue(1);
    CellPicture set(60, 20);
    set.Draw(grid, 0, 0);
    EXPECT_EQ(set.At(5, 6), kBlack); // both diagonals of the cross
    EXPECT_EQ(set.At(13, 14), kBlack);
    EXPECT_EQ(set.At(5, 14), kBlack);
    EXPECT_EQ(set.At(13, 6), kBlack);
    EXPECT_EQ(set.At(9, 10), kBlack);
    EXPECT_EQ(set.At(5, 10), kWhite);
    EXPECT_EQ(set.At(9, 6), kWhite);
}

TEST_F(CheckBoxTest, ATickReplacesTheCrossAndARoundBoxGetsADot)
{
    SetValue(1, UGCT_CHECKBOXCHECKMARK);
    CellPicture tick(60, 20);
    tick.Draw(grid, 0, 0);
    // From (left + 2, bottom - 4) down to (left + 4, bottom - 2) and up to the top right.
    EXPECT_EQ(tick.At(6, 12), kBlack);
    EXPECT_EQ(tick.At(8, 14), kBlack);
    EXPECT_EQ(tick.At(13, 9), kBlack);
    EXPECT_EQ(tick.At(5, 6), kWhite);

    SetValue(1, UGCT_CHECKBOXROUND);
    CellPicture round(60, 20);
    round.Draw(grid, 0, 0);
    EXPECT_EQ(round.At(9, 10), kBlack); // the dot
    EXPECT_EQ(round.At(3, 4), kWhite);  // no square corner
    EXPECT_GT(round.Marked(CRect(3, 4, 17, 17)), 40);
}

TEST_F(CheckBoxTest, TheThirdStateAndReadOnlyCellsShowTheHalftoneFill)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    SetValue(2, UGCT_CHECKBOX3STATE);
    CellPicture third(60, 20);
    third.Draw(grid, 0, 0);
    // A checkerboard of the face and highlight colours, with the cross in the light grey pen.
    const COLORREF a = third.At(9, 6), b = third.At(10, 6);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == face && b == light) || (a == light && b == face));
    EXPECT_EQ(third.At(9, 10), RGB(0xE1, 0xE1, 0xE1));

    SetValue(0);
    CUGCell cell;
    grid.GetCell(0, 0, &cell);
    cell.SetReadOnly(TRUE);
    grid.SetCell(0, 0, &cell);
    CellPicture readOnly(60, 20);
    readOnly.Draw(grid, 0, 0);
    EXPECT_NE(readOnly.At(5, 8), readOnly.At(6, 8));
    EXPECT_EQ(readOnly.At(3, 4), kBlack);
}

TEST_F(CheckBoxTest, TheLabelStandsRightOfTheBoxAndShortRowsDrawOnlyTheLabel)
{
    grid.QuickSetLabelText(0, 0, "Yes");
    CellPicture labelled(60, 20);
    labelled.Draw(grid, 0, 0);
    EXPECT_GT(labelled.Marked(CRect(18, 0, 60, 20)), 0);
    EXPECT_EQ(labelled.Marked(CRect(16, 0, 18, 20)), 0);

    CellPicture shortRow(60, 10);
    shortRow.Draw(grid, 0, 0);
    EXPECT_EQ(shortRow.Marked(CRect(0, 0, 8, 10)), 0); // no box
    EXPECT_GT(shortRow.Marked(CRect(8, 0, 60, 10)), 0);

    // The box alone, centred by the alignment, and no label.
    grid.QuickSetCellTypeEx(0, 0, UGCT_CHECKBOXUSEALIGN);
    grid.QuickSetAlignment(0, 0, UG_ALIGNCENTER);
    CellPicture centred(60, 20);
    centred.Draw(grid, 0, 0);
    EXPECT_EQ(centred.At(24, 4), kBlack);
    EXPECT_EQ(centred.At(36, 16), kBlack);
    EXPECT_EQ(centred.Marked(CRect(37, 0, 60, 20)), 0);
}

TEST_F(CheckBoxTest, TheColouredTypeDrawsInItsColourAndWithoutOneAsThePlainType)
{
    const int index = grid.AddCellType(&coloured);
    SetValue(1);
    CellPicture plain(60, 20);
    plain.Draw(grid, 0, 0);
    grid.QuickSetCellType(0, 0, index);
    CellPicture uncoloured(60, 20);
    uncoloured.Draw(grid, 0, 0);
    EXPECT_TRUE(uncoloured.SameAs(plain));

    coloured.SetColor(RGB(0, 0, 255));
    coloured.SetColor(RGB(255, 0, 0)); // the second colour replaces the first
    EXPECT_EQ(coloured.GetColor(), RGB(255, 0, 0));
    CellPicture red(60, 20);
    red.Draw(grid, 0, 0);
    EXPECT_EQ(red.At(3, 4), RGB(255, 0, 0));
    EXPECT_EQ(red.At(9, 10), RGB(255, 0, 0));
    // Highlighted cells keep the white pen.
    CellPicture selected(60, 20);
    selected.Draw(grid, 0, 0, 1);
    EXPECT_EQ(selected.At(3, 4), kWhite);
}

TEST_F(CheckBoxTest, AClickInTheBoxTogglesAndNotifies)
{
    EXPECT_FALSE(Click(9, 2));  // above the box
    EXPECT_FALSE(Click(20, 10)); // beside it
    EXPECT_FALSE(Click(9, 10, 0)); // button up
    EXPECT_EQ(Value(), 0.0);
    EXPECT_TRUE(grid.Only("OnCellTypeNotify").empty());

    EXPECT_TRUE(Click(9, 10));
    EXPECT_EQ(Value(), 1.0);
    EXPECT_TRUE(Click(3, 4));
    EXPECT_EQ(Value(), 0.0);
    EXPECT_EQ(grid.Only("OnCellTypeNotify"), (std::vector<std::string>{"OnCellTypeNotify(2,0,0,53,1)",
                                                                       "OnCellTypeNotify(2,0,0,53,0)"}));
    // Without three states a value of 2 steps to 1.
    SetValue(2);
    EXPECT_TRUE(Click(9, 10));
    EXPECT_EQ(Value(), 1.0);
}

TEST_F(CheckBoxTest, ThreeStatesCycleAndTheSpaceBarToggles)
{
    SetValue(0, UGCT_CHECKBOX3STATE);
    grid.log.clear();
    UINT space = VK_SPACE, other = 'x';
    CUGCellType* type = grid.GetCellType(kCheckBox);
    EXPECT_TRUE(type->OnCharDown(0, 0, &space));
    EXPECT_TRUE(Click(9, 10));
    CRect rect(0, 0, 60, 20);
    POINT point{9, 10};
    EXPECT_TRUE(type->OnDClicked(0, 0, &rect, &point));
    EXPECT_FALSE(type->OnCharDown(0, 0, &other));
    EXPECT_EQ(grid.Only("OnCellTypeNotify"),
              (std::vector<std::string>{"OnCellTypeNotify(2,0,0,53,1)", "OnCellTypeNotify(2,0,0,53,2)",
                                        "OnCellTypeNotify(2,0,0,53,0)"}));
}

TEST_F(CheckBoxTest, ReadOnlyAndDisabledCellsNeverToggle)
{
    SetValue(0, UGCT_CHECKBOXDISABLED);
    EXPECT_FALSE(Click(9, 10));
    UINT space = VK_SPACE;
    EXPECT_FALSE(grid.GetCellType(kCheckBox)->OnCharDown(0, 0, &space));
    SetValue(1);
    CUGCell cell;
    grid.GetCell(0, 0, &cell);
    cell.SetReadOnly(TRUE);
    grid.SetCell(0, 0, &cell);
    EXPECT_FALSE(Click(9, 10));
    EXPECT_EQ(Value(), 1.0);
    EXPECT_TRUE(grid.Only("OnCellTypeNotify").empty());
}

TEST_F(CheckBoxTest, BestSizeMeasuresTheLabel)
{
    CellPicture picture(10, 10);
    CSize size;
    CUGCell cell;
    grid.GetCellType(kCheckBox)->GetBestSize(picture.Dc(), &size, &cell);
    EXPECT_EQ(size, CSize(24, 2));
    cell.SetLabelText("Label");
    grid.GetCellType(kCheckBox)->GetBestSize(picture.Dc(), &size, &cell);
    EXPECT_EQ(size.cx, picture.Dc()->GetTextExtent("Label").cx + 24);
    cell.SetCellTypeEx(UGCT_CHECKBOXUSEALIGN);
    grid.GetCellType(kCheckBox)->GetBestSize(picture.Dc(), &size, &cell);
    EXPECT_EQ(size, CSize(18, 2));
}
