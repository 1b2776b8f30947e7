// Where a dragged report item goes, how the others make room, and the tiles' pictures.
#include "reportpages/ReportDropPosition.h"
#include "reportpages/ReportListEntry.h"

#include <gtest/gtest.h>

namespace {

const CRect kClient(0, 0, 1000, 600);
// Three items, 100, 40 and 200 pixels high.
const std::vector<CRect> kGrids{CRect(0, 0, 976, 100), CRect(0, 100, 976, 140), CRect(0, 140, 976, 340)};

TEST(ReportDropPosition, EdgesWithinSixPixelsGivePlacesBetweenItems)
{
    struct SCase
    {
        int y;
        bool valid;
        int position;
        int lineY;
    };
    const SCase cases[] = {
        {5, true, 0, 0},     // 5 pixels below the first item's top: the first place
        {6, true, 0, 0},     {7, false, -1, 0},  // the middle of an item is no place
        {50, false, -1, 0},  {94, true, 1, 100}, // near the first item's bottom: after it
        {104, true, 1, 100}, {120, false, -1, 0}, {335, true, 3, 340},
        {500, true, 3, 340}, // below the last item: the end
    };
    for (const SCase& c : cases) {
        const SReportDropPosition drop = FindDropPosition(kGrids, CPoint(50, c.y), kClient);
        EXPECT_TRUE(drop.inside) << c.y;
        EXPECT_EQ(drop.valid, c.valid) << c.y;
        EXPECT_EQ(drop.position, c.position) << c.y;
        if (c.valid) {
            EXPECT_EQ(drop.lineY, c.lineY) << c.y;
        }
    }
    EXPECT_FALSE(FindDropPosition(kGrids, CPoint(-3, 50), kClient).inside);
    EXPECT_FALSE(FindDropPosition(kGrids, CPoint(50, 600), kClient).inside);
    // An empty report takes the item at its top.
    const SReportDropPosition empty = FindDropPosition({}, CPoint(50, 300), kClient);
    EXPECT_TRUE(empty.valid);
    EXPECT_EQ(empty.position, 0);
}

TEST(ReportDropPosition, AMovedItemTakesThePlaceBeforeTheDropLine)
{
    const std::vector<char> start{'a', 'b', 'c', 'd'};
    struct SCase
    {
        int from, to;
        std::vector<char> expected;
    };
    const SCase cases[] = {
        {0, 2, {'b', 'a', 'c', 'd'}}, {0, 4, {'b', 'c', 'd', 'a'}}, {3, 0, {'d', 'a', 'b', 'c'}},
        {2, 1, {'a', 'c', 'b', 'd'}}, {1, 1, {'a', 'b', 'c', 'd'}}, {1, 2, {'a', 'b', 'c', 'd'}},
        {4, 0, {'a', 'b', 'c', 'd'}}, {0, 5, {'a', 'b', 'c', 'd'}},
    };
    for (const SCase& c : cases) {
        std::vector<char> items = start;
        MoveReportItem(items, c.from, c.to);
        EXPECT_EQ(items, c.expected) << c.from << " -> " << c.to;
    }
}

TEST(ReportListEntry, BookmarkTypesShowGraphTableOrDocumentPictures)
{
    for (int type : {2, 5, 7, 10, 13, 16, 18, 21, 24})
        EXPECT_EQ(PictureOfBookmarkType(type), kGraphPicture) << type;
    for (int type : {0, 1, 3, 4, 6, 8, 9, 11, 12, 14, 15, 17, 19, 20, 22, 23})
        EXPECT_EQ(PictureOfBookmarkType(type), kTablePicture) << type;
    for (int type : {-1, 25, 99})
        EXPECT_EQ(PictureOfBookmarkType(type), kDocumentPicture) << type;
}

} // namespace
