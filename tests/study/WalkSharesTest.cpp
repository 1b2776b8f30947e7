// Sharing the figures of a long run out over walks: each walk takes a stretch of the records'
// bytes of about the same size, figures on lines a walk reads already join it, and one walk takes
// everything.
#include "study/WalkShares.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const int kRecords = 0;

SWalkReads FieldAt(std::size_t offset)
{
    SWalkReads reads;
    reads.fields[&kRecords].insert(offset);
    return reads;
}

} // namespace

TEST(WalkSharesTest, EachWalkTakesAStretchOfTheRecordsOfAboutItsShare)
{
    // Four fields to a line, over eight lines, listed from the last; then one of them again and
    // two figures that read the same series otherwise.
    constexpr std::size_t kFields = 32;
    std::vector<SWalkReads> figures;
    for (std::size_t k = kFields; k-- > 0;)
        figures.push_back(FieldAt(16 * k));
    figures.push_back(FieldAt(16 * 5));
    int series = 0;
    figures.resize(figures.size() + 2);
    figures[kFields + 1].others.insert(&series);
    figures[kFields + 2].others.insert(&series);

    for (std::size_t walks : {2u, 3u, 4u}) {
        SCOPED_TRACE(testing::Message() << walks << " walks");
        const std::vector<std::size_t> shares = ShareOutWalks(figures, walks);
        ASSERT_EQ(shares.size(), figures.size());
        // From the first field to the last, the walks follow one another.
        std::vector<std::size_t> byOffset;
        for (std::size_t k = 0; k < kFields; ++k)
            byOffset.push_back(shares[kFields - 1 - k]);
        EXPECT_TRUE(std::is_sorted(byOffset.begin(), byOffset.end()));
        for (std::size_t w = 0; w < walks; ++w) {
            const auto taken = std::count(byOffset.begin(), byOffset.end(), w);
            EXPECT_GE(taken, std::ptrdiff_t(kFields / walks) - 4) << "walk " << w;
            EXPECT_LE(taken, std::ptrdiff_t(kFields / walks) + 4) << "walk " << w;
        }
        EXPECT_EQ(shares[kFields], shares[kFields - 1 - 5]);
        EXPECT_EQ(shares[kFields + 2], shares[kFields + 1]);
    }
    EXPECT_EQ(ShareOutWalks(figures, 1), std::vector<std::size_t>(figures.size(), 0));
}
