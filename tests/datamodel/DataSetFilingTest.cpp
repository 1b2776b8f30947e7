// How the loader files tables by type: padding, ignored lengths, cuts, restarts, the firmware
// with packed harmonic arrays, and tables shorter than their layout.
#include "datamodel/DataTable.h"
#include "datamodel/ByteAccess.h"
#include "datamodel/DataSet.h"
#include "support/SessionWriter.h"
#include "SessionFiles.h"

#include <gtest/gtest.h>

namespace {

class DataSetFiling : public ::testing::TestWithParam<bool>
{
protected:
    DataSetFiling() : m_writer(SmallSessionSpec(GetParam())) {}

    int Load(const std::vector<SWrittenTable>& tables)
    {
        const std::string path = m_folder.Path("filing.zlg");
        EXPECT_TRUE(WriteBytesToFile(path, m_writer.BuildFile(tables)));
        m_set = std::make_unique<CDataSet>(nullptr);
        return m_set->LoadFromFile(path.c_str(), false);
    }

    static std::int64_t Ticks(const Umbo_table_header_t* table)
    {
        return std::int64_t(table->time_stamp[0]) << 32 | table->time_stamp[1];
    }

    // An older-layout configuration (type 3).
    SWrittenTable OldConfig(std::int64_t ticks) const
    {
        SWrittenTable config = m_writer.MakeTable(3, 132, ticks);
        config.bytes.PutU16(12, 1);
        config.bytes.PutF32(24, 230.0f);
        return config;
    }

    CTempFolder m_folder;
    CSessionWriter m_writer;
    std::unique_ptr<CDataSet> m_set;
};

TEST_P(DataSetFiling, OlderLayoutPadsType15AndIgnoresOddType61)
{
    const std::int64_t t0 = m_writer.TrendBegin(0);
    std::vector<SWrittenTable> tables{OldConfig(t0)};
    SWrittenTable record = m_writer.MakeTable(15, 10000, t0 + 20 * 10000000LL);
    record.bytes.PutTime(12, t0 + 620 * 10000000LL);
    record.bytes.PutF32(9852, 231.5f);
    tables.push_back(record);
    SWrittenTable demand = m_writer.MakeTable(61, 608, t0 + 20 * 10000000LL);
    demand.bytes.PutF32(24, 229.0f);
    tables.push_back(demand);
    tables.push_back(m_writer.MakeTable(61, 600, t0 + 30 * 10000000LL));

    ASSERT_EQ(0, Load(tables));
    EXPECT_TRUE(m_set->GetMeasurementConfig().IsOlderLayout());
    const CDataTable* trend = m_set->GetTrendTable();
    ASSERT_EQ(m_set->GetTableList(CDataSet::kList15), trend);
    ASSERT_EQ(1, trend->GetCount());
    EXPECT_EQ(11320, trend->GetAt(0)->table_lth);
    EXPECT_FLOAT_EQ(231.5f, LoadF32(trend->GetAt(0), 9852));
    EXPECT_EQ(0u, LoadU32(trend->GetAt(0), 11316));
    ASSERT_EQ(1, m_set->GetDemandTable()->GetCount());
    EXPECT_FLOAT_EQ(229.0f, LoadF32(m_set->GetDemandTable()->GetAt(0), 24));
}

TEST_P(DataSetFiling, CutRemovesLaterRecordsAndIndexEntries)
{
    auto tables = m_writer.BuildTables();
    const std::int64_t cut = m_writer.TrendBegin(6);
    for (int i = 0; i < 4; ++i)
        tables.push_back(m_writer.MakeTable(10, 848, m_writer.TrendBegin(2 * i + 1)));
    SWrittenTable table36 = m_writer.MakeTable(36, 20, m_writer.TrendBegin(12));
    table36.bytes.PutTime(12, cut);
    tables.push_back(table36);
    ASSERT_EQ(0, Load(tables));

    const CDataTable* trend = m_set->GetTrendTable();
    ASSERT_EQ(7, trend->GetCount());  // records 0..6: record 6 begins at the cut
    EXPECT_EQ(cut, Ticks(trend->GetAt(6)));
    for (const auto* record : *m_set->GetDemandTable())
        EXPECT_LE(Ticks(record), cut);
    // Index entries at 1, 3, 5 stay; 7 is at or after the cut.
    const CFileTable& index = m_set->GetFileTable10();
    ASSERT_EQ(3, index.GetSize());
    EXPECT_EQ(m_writer.TrendBegin(5), index[2].time.GetTicks());
    std::uint64_t offset = 32;
    for (std::size_t i = 0; tables[i].type != 10; ++i)
        offset += tables[i].bytes.Size();
    EXPECT_EQ(offset, index[0].offset);
}

TEST_P(DataSetFiling, OnlyTheFirstConfigurationRestarts)
{
    auto tables = m_writer.BuildTables();
    // Records before the first configuration are dropped by its restart.
    tables.insert(tables.begin(), m_writer.MakeTrendRecord(m_writer.TrendBegin(0) - 6000000000LL, 0));
    // A second configuration in the middle does not clear the lists.
    tables.insert(tables.begin() + 12, m_writer.MakeConfigTable());
    ASSERT_EQ(0, Load(tables));
    EXPECT_EQ(12, m_set->GetTrendTable()->GetCount());
    EXPECT_EQ(m_writer.TrendBegin(0), Ticks(m_set->GetTrendTable()->GetAt(0)));
}

TEST_P(DataSetFiling, Type30RestartsOnlyUntilTheRestartTime)
{
    auto tables = m_writer.BuildTables();
    // Within 13 s of the configuration: a restart (records before it go); later: dropped.
    SWrittenTable early = m_writer.MakeTable(30, 14, m_writer.TrendBegin(0) + 5 * 10000000LL);
    SWrittenTable late = m_writer.MakeTable(30, 14, m_writer.TrendBegin(3));
    tables.insert(tables.begin() + 8, early);  // after records 0 and 1
    tables.push_back(late);
    ASSERT_EQ(0, Load(tables));
    const CDataTable* others = m_set->GetTableList(CDataSet::kListOther);
    ASSERT_EQ(1, others->GetCount());
    EXPECT_EQ(30, others->GetAt(0)->table_type);
    EXPECT_EQ(10, m_set->GetTrendTable()->GetCount());
}

TEST_P(DataSetFiling, ClosingTableIgnoredWhenTheLengthIsKnown)
{
    auto tables = m_writer.BuildTables();
    SWrittenTable closing = m_writer.MakeTable(49, 36, m_writer.TrendBegin(0));
    closing.bytes.PutU32(16, 5);  // would not match
    tables.push_back(closing);
    EXPECT_EQ(0, Load(tables));
}

TEST_P(DataSetFiling, TablesShorterThanTheirLayoutAreNotUsed)
{
    auto tables = m_writer.BuildTables();
    SWrittenTable shortRecord = m_writer.MakeTable(64, 100, m_writer.TrendBegin(12));
    shortRecord.bytes.PutTime(12, m_writer.TrendBegin(13));
    SWrittenTable shortDemand = m_writer.MakeTable(65, 60, m_writer.TrendBegin(12));
    SWrittenTable shortVersion = m_writer.MakeTable(38, 14, m_writer.TrendBegin(0));
    SWrittenTable shortSummary = m_writer.MakeTable(47, 20, m_writer.TrendBegin(0));
    SWrittenTable shortCut = m_writer.MakeTable(36, 16, m_writer.TrendBegin(0));
    for (auto* table : {&shortRecord, &shortDemand, &shortVersion, &shortSummary, &shortCut})
        tables.push_back(*table);
    ASSERT_EQ(0, Load(tables));
    EXPECT_EQ(12, m_set->GetTrendTable()->GetCount());
    EXPECT_EQ(8, m_set->GetDemandTable()->GetCount());
    EXPECT_EQ(3, m_set->GetTableList(CDataSet::kListVersions)->GetCount());
    EXPECT_EQ(DWORD(12), LoadU32(m_set->GetSummary().data(), 16));
}

TEST_P(DataSetFiling, PackedFirmwareRearrangesHarmonics)
{
    const std::int64_t t0 = m_writer.TrendBegin(0);
    std::vector<SWrittenTable> tables{OldConfig(t0), m_writer.MakeVersionEntry(37, (13u << 16) | 1u)};
    SWrittenTable record = m_writer.MakeTable(15, 11320, t0 + 20 * 10000000LL);
    record.bytes.PutTime(12, t0 + 620 * 10000000LL);
    // Group 1 of the first harmonic array holds orders 1..50 in its first 50 entries.
    record.bytes.PutF32(20 + 51 * 8, 7.0f);
    tables.push_back(record);
    ASSERT_EQ(0, Load(tables));
    const auto* kept = m_set->GetTrendTable()->GetAt(0);
    EXPECT_FLOAT_EQ(7.0f, LoadF32(kept, 20 + 52 * 8));
}

TEST_P(DataSetFiling, FileTablesIndexTheirTablesInTheStream)
{
    auto tables = m_writer.BuildTables();
    tables.insert(tables.begin() + 1, m_writer.MakeTable(66, 216, m_writer.TrendBegin(0)));
    ASSERT_EQ(0, Load(tables));
    const CFileTable& index = m_set->GetFileTable66();
    ASSERT_EQ(1, index.GetSize());
    EXPECT_EQ(32u + 740u, index[0].offset);
    EXPECT_EQ(m_set->GetStream(), index.GetStream());
    EXPECT_EQ(m_set->GetConverter(), index.GetConverter());
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, DataSetFiling, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BigEndian" : "LittleEndian"; });

} // namespace
