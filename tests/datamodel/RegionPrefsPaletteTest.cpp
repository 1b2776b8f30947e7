#include "datamodel/RegionPrefs.h"

#include <gtest/gtest.h>

TEST(RegionPrefsPalette, KeysKeepTheirSlotUntilTheAssignmentStartsAgain)
{
    CRegionPrefs::ResetPaletteAssignment();
    EXPECT_EQ(CRegionPrefs::GetPaletteSlot(7), 0);
    EXPECT_EQ(CRegionPrefs::GetPaletteSlot(-3), 1);
    EXPECT_EQ(CRegionPrefs::GetPaletteSlot(7), 0);
    EXPECT_EQ(CRegionPrefs::GetPaletteSlot(100), 2);
    CRegionPrefs::ResetPaletteAssignment();
    EXPECT_EQ(CRegionPrefs::GetPaletteSlot(100), 0);
    EXPECT_EQ(CRegionPrefs::GetPaletteSlot(7), 1);
    CRegionPrefs::ResetPaletteAssignment();
}
