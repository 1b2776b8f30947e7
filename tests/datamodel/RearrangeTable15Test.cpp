#include "datamodel/RearrangeTable15.h"
#include "datamodel/ByteAccess.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Entry (group, order) of the harmonic array at `base`: first float.
std::size_t At(std::size_t base, int group, int order)
{
    return base + (std::size_t(group) * 51 + std::size_t(order)) * 8;
}

TEST(RearrangeTable15, OtherTablesStayAsTheyAre)
{
    std::vector<BYTE> table(11320, 0x5A);
    StoreU16(table.data(), 0, 64);
    StoreU16(table.data(), 2, 680);
    const auto before = table;
    EXPECT_EQ(-1, RearrangeTable15(reinterpret_cast<Umbo_table_header_t*>(table.data())));
    EXPECT_EQ(before, table);
}

TEST(RearrangeTable15, PackedGroupsBecomeTheFullMatrix)
{
    std::vector<BYTE> table(11320, 0);
    StoreU16(table.data(), 0, 15);
    StoreU16(table.data(), 2, 11320);
    for (std::size_t base : {20u, 3284u, 6548u}) {
        // Packed: group g, stored entry j is order g + j; value = 100 g + order.
        for (int g = 0; g < 8; ++g)
            for (int j = 0; j < 51 - g; ++j) {
                StoreF32(table.data(), At(base, g, j), float(100 * g + g + j));
                StoreF32(table.data(), At(base, g, j) + 4, -float(100 * g + g + j));
            }
    }
    std::fill(table.begin() + 9812, table.begin() + 9844, 0xEE);
    StoreF32(table.data(), 9844, 231.0f);
    ASSERT_EQ(0, RearrangeTable15(reinterpret_cast<Umbo_table_header_t*>(table.data())));

    for (std::size_t base : {20u, 3284u, 6548u}) {
        // Orders at or above the group keep their values at their own place.
        EXPECT_FLOAT_EQ(0.0f, LoadF32(table.data(), At(base, 0, 0)));
        EXPECT_FLOAT_EQ(50.0f, LoadF32(table.data(), At(base, 0, 50)));
        EXPECT_FLOAT_EQ(103.0f, LoadF32(table.data(), At(base, 1, 3)));
        EXPECT_FLOAT_EQ(750.0f, LoadF32(table.data(), At(base, 7, 50)));
        EXPECT_FLOAT_EQ(-707.0f, LoadF32(table.data(), At(base, 7, 7) + 4));
        // Orders below the group are mirrored: (g, k) = (k, g).
        EXPECT_FLOAT_EQ(1.0f, LoadF32(table.data(), At(base, 1, 0)));    // (0, 1)
        EXPECT_FLOAT_EQ(106.0f, LoadF32(table.data(), At(base, 6, 1)));  // (1, 6)
        EXPECT_FLOAT_EQ(-507.0f, LoadF32(table.data(), At(base, 7, 5) + 4));
    }
    for (std::size_t i = 9812; i < 9844; ++i)
        EXPECT_EQ(0, table[i]) << i;
    EXPECT_FLOAT_EQ(231.0f, LoadF32(table.data(), 9844));
}

} // namespace
