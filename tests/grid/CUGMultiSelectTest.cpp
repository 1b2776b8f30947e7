#include "grid/CUGMultiSelect.h"

#include "platform/framework/windows/Messages.h"

#include <gtest/gtest.h>

TEST(CUGMultiSelectTest, BlocksDecideTheStateOfTheirCells)
{
    CUGMultiSelect select(nullptr);
    EXPECT_EQ(select.OnLClick(1, 1, 0), 1); // selection off
    EXPECT_EQ(select.GetTotalRange(nullptr, nullptr, nullptr, nullptr), 1);

    select.SetMode(UG_MULTISELECT_CELL);
    select.StartBlock(1, 1);
    select.EndBlock(3, 3);
    EXPECT_EQ(select.GetBlockNumber(), 1);
    int c = 0, r = 0;
    EXPECT_EQ(select.GetOrigin(&c, &r), 0);
    EXPECT_EQ(std::make_pair(c, r), std::make_pair(1, 1));

    // Toggling a cell inside the block starts a one-cell block that deselects it.
    select.ToggleCell(2, 2);
    EXPECT_FALSE(select.IsSelected(2, 2));
    int block = -1;
    EXPECT_TRUE(select.IsSelected(3, 3, &block));
    EXPECT_EQ(block, 0);
    select.ToggleCell(2, 2); // the same one-cell block flips back
    EXPECT_TRUE(select.IsSelected(2, 2, &block));
    EXPECT_EQ(block, 1);

    // With mode bit 16 the first block containing the cell decides.
    select.SetMode(UG_MULTISELECT_CELL | UG_MULTISELECT_NODESELECT);
    select.StartBlock(0, 0);
    select.EndBlock(2, 2);
    select.ToggleCell(1, 1);
    EXPECT_TRUE(select.IsSelected(1, 1));
    EXPECT_TRUE(select.IsColSelected(2));
    EXPECT_FALSE(select.IsColSelected(3));
    EXPECT_TRUE(select.IsRowSelected(0));

    // A right click keeps a selection it lands in and replaces one it misses.
    select.OnRClick(1, 2, 0);
    EXPECT_EQ(select.GetBlockNumber(), 2);
    select.OnRClick(5, 5, 0);
    EXPECT_EQ(select.GetBlockNumber(), 1);
    EXPECT_FALSE(select.IsSelected(0, 0));

    // Dragging with the button held extends only when the cell changes.
    select.OnMouseMove(6, 7, MK_LBUTTON);
    int left = 0, top = 0, right = 0, bottom = 0;
    ASSERT_EQ(select.GetCurrentBlock(&left, &top, &right, &bottom), 0);
    EXPECT_EQ(std::vector<int>({left, top, right, bottom}), std::vector<int>({5, 5, 6, 7}));
    EXPECT_EQ(select.OnMouseMove(9, 9, 0), 1);
    select.ClearAll();
    EXPECT_EQ(select.GetCurrentBlock(&left, &top, &right, &bottom), 1);
    EXPECT_EQ(select.EnumFirstSelected(&c, &r), 1); // no control to name a current cell
}
