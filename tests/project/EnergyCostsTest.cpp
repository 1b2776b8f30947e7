#include <gtest/gtest.h>

#include "XmlTestUtil.h"
#include "project/EnergyCosts.h"

namespace
{
CEnergyCosts TwoRatioTariff()
{
    CEnergyCosts costs;
    costs.SetEnabled(true);
    costs.SetCurrency("\xE2\x82\xAC");  // the euro sign
    costs.SetCostFwd(0.2f);
    SRatioData night{0.1f, 0.02f, {{1320, 360}}};
    SRatioData noon{0.3f, 0.0f, {{660, 720}, {780, 840}}};
    costs.AddRatio(night);
    costs.AddRatio(noon);
    return costs;
}

std::string Export(const CEnergyCosts& costs)
{
    XmlDocument doc;
    XmlNode* root = XmlAppendElement(doc, doc, "owner");
    costs.ExportToXml(doc, *root);
    return PrintCompact(*root);
}
} // namespace

TEST(EnergyCostsTest, EqualityComparesEveryMember)
{
    const CEnergyCosts a = TwoRatioTariff();
    CEnergyCosts b = a;
    EXPECT_EQ(a, b);
    b.GetRatio(1).GetInterval(1).end = 841;
    EXPECT_FALSE(a == b);
    b = a;
    b.SetCurrency("EUR");
    EXPECT_FALSE(a == b);
    b = a;
    b.RemoveRatio(0);
    EXPECT_FALSE(a == b);
    b.Reset();
    EXPECT_EQ(b, CEnergyCosts());
}

TEST(EnergyCostsTest, ListEditingKeepsOrderAndRejectsBadIndexes)
{
    CEnergyCosts costs;
    costs.AddRatio({1.0f, 0.0f, {}});
    costs.InsertRatio(0, {2.0f, 0.0f, {}});
    costs.InsertRatio(2, {3.0f, 0.0f, {}});
    ASSERT_EQ(costs.GetRatioCount(), 3);
    EXPECT_EQ(costs.GetRatio(0).costFwd, 2.0f);
    EXPECT_EQ(costs.GetRatio(2).costFwd, 3.0f);
    EXPECT_THROW(costs.GetRatio(3), std::out_of_range);
    EXPECT_THROW(costs.InsertRatio(5, {}), std::out_of_range);
    EXPECT_THROW(costs.RemoveRatio(-1), std::out_of_range);

    SRatioData& ratio = costs.GetRatio(1);
    ratio.AddInterval({10, 20});
    ratio.InsertInterval(0, {0, 5});
    ratio.RemoveInterval(1);
    ASSERT_EQ(ratio.GetIntervalCount(), 1);
    EXPECT_EQ(ratio.GetInterval(0), (SRatioInterval{0, 5}));
    EXPECT_THROW(ratio.GetInterval(1), std::out_of_range);
}

TEST(EnergyCostsTest, OverlapTestsPiecesOfEarlierIntervals)
{
    CEnergyCosts costs;
    costs.AddRatio({0.1f, 0.0f, {{1320, 360}, {600, 660}}});
    costs.AddRatio({0.2f, 0.0f, {{1200, 0}}});
    // Touching pieces do not overlap; crossing midnight gives two pieces.
    EXPECT_FALSE(costs.IntervalOverlaps(0, 2, {360, 600}));
    EXPECT_TRUE(costs.IntervalOverlaps(0, 2, {300, 400}));
    EXPECT_TRUE(costs.IntervalOverlaps(0, 2, {1430, 10}));
    EXPECT_FALSE(costs.IntervalOverlaps(0, 2, {660, 1320}));
    // Only the intervals of ratio r before k count.
    EXPECT_FALSE(costs.IntervalOverlaps(0, 1, {620, 640}));
    // An end of 0 after a later start means until midnight.
    EXPECT_TRUE(costs.IntervalOverlaps(1, 1, {1300, 1310}));
    EXPECT_FALSE(costs.IntervalOverlaps(1, 0, {1300, 1310}));
    // r beyond the last ratio is limited to it.
    EXPECT_TRUE(costs.IntervalOverlaps(7, 1, {1250, 1260}));
    EXPECT_FALSE(costs.IntervalOverlaps(0, 2, {700, 700}));
    EXPECT_FALSE(CEnergyCosts().IntervalOverlaps(0, 0, {0, 1439}));
}

TEST(EnergyCostsTest, IntervalTextsClampTheMinute)
{
    EXPECT_EQ(FormatRatioIntervalStart({605, 0}), "10:05");
    EXPECT_EQ(FormatRatioIntervalEnd({0, 1500}), "23:59");
    EXPECT_EQ(FormatRatioIntervalEnd({0, -5}), "00:00");
}

TEST(EnergyCostsTest, ExportWritesOnlyEnabledTariffsAndNonZeroPrices)
{
    EXPECT_EQ(Export(CEnergyCosts()), "<owner/>");
    EXPECT_EQ(Export(TwoRatioTariff()),
              "<owner><energyCosts currency=\"\xE2\x82\xAC\" costFwd=\"0.2\">"
              "<ratio costFwd=\"0.1\" costRev=\"0.02\"><interval start=\"1320\" end=\"360\"/></ratio>"
              "<ratio costFwd=\"0.3\"><interval start=\"660\" end=\"720\"/><interval start=\"780\" end=\"840\"/></ratio>"
              "</energyCosts></owner>");
}

TEST(EnergyCostsTest, ImportReadsWhatExportWrote)
{
    const CEnergyCosts original = TwoRatioTariff();
    const ParsedXml xml(Export(original));
    CEnergyCosts read;
    ASSERT_TRUE(read.ImportFromXml(xml.Root()->first_node("energyCosts")));
    EXPECT_EQ(read, original);
}

TEST(EnergyCostsTest, ImportFailures)
{
    CEnergyCosts costs = TwoRatioTariff();
    EXPECT_TRUE(costs.ImportFromXml(nullptr));
    EXPECT_EQ(costs, CEnergyCosts());

    const char* failing[] = {
        "<energyCosts costFwd=\"1\"/>",
        "<energyCosts currency=\"x\"><ratio><interval start=\"0\" end=\"1440\"/></ratio></energyCosts>",
        "<energyCosts currency=\"x\"><ratio><interval start=\"-1\" end=\"10\"/></ratio></energyCosts>",
        "<energyCosts currency=\"x\"><ratio><interval start=\"0\" end=\"-1\"/></ratio></energyCosts>",
        "<energyCosts currency=\"x\"><ratio><interval start=\"0\"/></ratio></energyCosts>",
    };
    for (const char* text : failing)
    {
        const ParsedXml xml(text);
        CEnergyCosts read;
        EXPECT_FALSE(read.ImportFromXml(xml.Root())) << text;
        EXPECT_FALSE(read.IsEnabled()) << text;
    }

    // A currency stored with a line break reads on its one line.
    const ParsedXml bare("<energyCosts currency=\"E\nUR\"><ratio costRev=\"abc\"/><other/></energyCosts>");
    CEnergyCosts read;
    ASSERT_TRUE(read.ImportFromXml(bare.Root()));
    EXPECT_TRUE(read.IsEnabled());
    EXPECT_EQ(read.GetCurrency(), "E UR");
    ASSERT_EQ(read.GetRatioCount(), 1);
    EXPECT_EQ(read.GetRatio(0).GetIntervalCount(), 0);
    EXPECT_EQ(read.GetRatio(0).costRev, 0.0f);
}
