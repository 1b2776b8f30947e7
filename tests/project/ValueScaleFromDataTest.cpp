// Scales taken from a loaded session: the range of the selected phases is registered for the
// session's group and the item's display interval.
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/TrendTimeBlock.h"
#include "datamodel/ValueFormatter.h"
#include "platform/framework/StringTable.h"
#include "project/MeasurementSettings.h"
#include "support/ScopedUserLocale.h"
#include "support/SessionWriter.h"
#include "datamodel/SessionFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace
{
constexpr DWORD kCurrent = 1;
constexpr DWORD kActivePower = 5;
constexpr int kGroup = 2;

class ValueScaleFromDataTest : public ::testing::Test
{
protected:
    // The formatter takes its prefix texts when it is constructed, before SetUp runs.
    static void SetUpTestSuite() { CStringTable::Instance().LoadLanguage("ENG"); }

    void SetUp() override
    {
        ASSERT_TRUE(CStringTable::Instance().LoadLanguage("ENG"));
        const std::string path = m_folder.Path("session.zlg");
        ASSERT_TRUE(WriteBytesToFile(path, CSessionWriter(m_spec).BuildFile()));
        ASSERT_EQ(m_set.LoadFromFile(path.c_str(), false), 0);
        m_set.SetIndex(kGroup);
    }

    std::unique_ptr<CDataItemTrend> Item(DWORD quantity, const CTrendTimeBlock* block)
    {
        int error = -1;
        const DWORD id = TrendItemForQuantity(m_set.GetMeasurementConfig(), quantity, false);
        auto item = std::make_unique<CDataItemTrend>(id, 0, &m_set, block, error);
        EXPECT_EQ(error, 0);
        return item;
    }

    // The finite extremes of the phases of the item, read series by series.
    static std::pair<float, float> Extremes(const CDataItemTrend& item, DWORD quantity, std::initializer_list<int> phases,
                                            int& invalidCount)
    {
        float lo = std::numeric_limits<float>::infinity(), hi = -lo;
        invalidCount = 0;
        for (int phase : phases) {
            auto channel = item.GetChannel(quantity, DWORD(phase));
            for (int s = 0; s < CTrendChannel::kSeriesCount; ++s) {
                const ITrendChannelAccess* access = channel->GetAccess(s);
                for (DWORD i = 0; access && i < channel->GetRecordCount(); ++i) {
                    const float v = access->GetValue(int(i));
                    if (!std::isfinite(v)) {
                        ++invalidCount;
                        continue;
                    }
                    lo = std::min(lo, v);
                    hi = std::max(hi, v);
                }
            }
        }
        return {lo, hi};
    }

    static SValueScaleSelection Select(DWORD quantity, std::initializer_list<int> phases, const CDataItemTrend* item)
    {
        SValueScaleSelection selection;
        selection.quantity = quantity;
        for (int phase : phases)
            selection.phases[std::size_t(phase)] = true;
        selection.item = item;
        return selection;
    }

    CScopedUserLocale m_locale{CUserLocale::EnUs()};
    SSessionSpec m_spec;
    CTempFolder m_folder;
    CMeasurementSettings m_owner;
    CDataSet m_set{&m_owner};
    CValueFormatter m_formatter;
};

TEST_F(ValueScaleFromDataTest, RegistersTheFiniteRangeOfTheSelectedPhases)
{
    auto item = Item(kCurrent, m_set.GetTrendTimeBlock());
    int invalid = 0;
    const auto [lo, hi] = Extremes(*item, kCurrent, {0, 1, 2}, invalid);
    EXPECT_GT(invalid, 0); // the session's invalid currents of phase B are passed over
    ASSERT_LT(lo, hi);

    m_formatter.ComputeScaleFromData(Select(kCurrent, {0, 1, 2}, item.get()), *item);
    const SValueScaleEntry* entry = m_formatter.FindScaleEntry(kGroup, kCurrent, false, 0);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->minimum, lo);
    EXPECT_EQ(entry->maximum, hi);
    EXPECT_EQ(m_formatter.FindScaleEntry(0, kCurrent, false, 0), nullptr);

    // An entry that exists is left alone.
    CValueFormatter other;
    other.RegisterRange(kGroup, 0, kCurrent, false, 1.0f, 2.0f);
    other.ComputeScaleFromData(Select(kCurrent, {0, 1, 2}, item.get()), *item);
    EXPECT_EQ(other.FindScaleEntry(kGroup, kCurrent, false, 0)->maximum, 2.0f);
}

TEST_F(ValueScaleFromDataTest, OnlySelectedPhasesCount)
{
    auto item = Item(kCurrent, m_set.GetTrendTimeBlock());
    int invalid = 0;
    const auto [lo, hi] = Extremes(*item, kCurrent, {0}, invalid);
    m_formatter.ComputeScaleFromData(Select(kCurrent, {0}, item.get()), *item);
    const SValueScaleEntry* entry = m_formatter.FindScaleEntry(kGroup, kCurrent, false, 0);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(std::pair(entry->minimum, entry->maximum), std::pair(lo, hi));

    // No phase selected: nothing finite seen, the range stays NaN.
    m_formatter.ComputeScaleFromData(Select(kActivePower, {}, item.get()), *item);
    entry = m_formatter.FindScaleEntry(kGroup, kActivePower, false, 0);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(std::isnan(entry->minimum) && std::isnan(entry->maximum));
}

TEST_F(ValueScaleFromDataTest, GroupedItemsRegisterAtTheirDisplayInterval)
{
    const CTrendTimeBlock grouped(*m_set.GetTrendTimeBlock(), 3);
    auto base = Item(kCurrent, m_set.GetTrendTimeBlock());
    int error = -1;
    CDataItemTrend item(*base, 3, &grouped, error);
    ASSERT_EQ(error, 0);

    m_formatter.ComputeScaleFromData(Select(kCurrent, {0, 1, 2}, &item), item);
    EXPECT_NE(m_formatter.FindScaleEntry(kGroup, kCurrent, false, int(m_spec.averagingSeconds) * 3), nullptr);
    EXPECT_EQ(m_formatter.FindScaleEntry(kGroup, kCurrent, false, 0), nullptr);
}

TEST_F(ValueScaleFromDataTest, CommonScaleIsTheOneWithTheLargestDivisor)
{
    auto current = Item(kCurrent, m_set.GetTrendTimeBlock());
    auto power = Item(kActivePower, m_set.GetTrendTimeBlock());
    // 2000 kW of registered range: MW, divisor 1000 (the currents stay below).
    m_formatter.RegisterRange(kGroup, 0, kActivePower, false, 0.0f, 2000.0f);
    const SValueScaleSelection selections[] = {
        Select(kCurrent, {0, 1, 2}, current.get()),
        Select(kActivePower, {0, 1, 2}, power.get()),
        Select(kCurrent, {0}, nullptr),
    };
    SValueFormat format;
    ASSERT_EQ(m_formatter.GetCommonScale(selections, format), 0);
    EXPECT_EQ(format.unitText, "MW");
    EXPECT_EQ(format.divisor, 1000.0);
    EXPECT_NE(m_formatter.FindScaleEntry(kGroup, kCurrent, false, 0), nullptr);

    format.unitText = "unchanged";
    EXPECT_EQ(m_formatter.GetCommonScale({}, format), -1);
    EXPECT_EQ(m_formatter.GetCommonScale(std::span(selections + 2, 1), format), -1);
    EXPECT_EQ(format.unitText, "unchanged");
}
} // namespace
