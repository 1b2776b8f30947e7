// Trend and demand records taking turns, filed by the run as the read block holds them: every
// record once, as the file has it, wherever a read or a block ends; progress and cancel at every
// table as if each were read on its own.
#include "datamodel/DataSet.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "platform/framework/StringTable.h"
#include "support/ReferenceSessionReader.h"
#include "support/SessionWriter.h"
#include "datamodel/SessionFiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

class DataSetRecordRuns : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        CStringTable::Instance().LoadLanguage("ENG");
        m_record = std::make_shared<SProgressRecord>();
        CProgressThread::SetDialogFactory([record = m_record] {
            return std::make_unique<CRecordingProgressDialog>(record);
        });
    }
    void TearDown() override { CProgressThread::SetDialogFactory({}); }

    // A demand record after every `trendPerDemand` trend records.
    SSessionSpec TakingTurns(int records, int trendPerDemand) const
    {
        SSessionSpec sessionSpec;
        sessionSpec.bigEndian = GetParam();
        sessionSpec.trendRecords = records;
        sessionSpec.averagingSeconds = 60;
        sessionSpec.demandSeconds = DWORD(60 * trendPerDemand);
        return sessionSpec;
    }

    CTempFolder m_folder;
    std::shared_ptr<SProgressRecord> m_record;
};

// Longer than a read block, in reads of 256 KiB, and from a stream that serves a few records a
// read at a time.
TEST_P(DataSetRecordRuns, EveryRecordIsKeptOnceWhereverReadsEnd)
{
    for (const int trendPerDemand : {1, 3}) {
        const std::vector<BYTE> bytes = CSessionWriter(TakingTurns(12000, trendPerDemand)).BuildFile();
        const std::string path = m_folder.Path("turns.zlg");
        ASSERT_TRUE(WriteBytesToFile(path, bytes));
        const SLoadCheck check = LoadSeveralAndCompare({path});
        EXPECT_EQ(0, check.result) << trendPerDemand;
        EXPECT_EQ("", check.difference) << trendPerDemand;

        for (const std::size_t piece : {std::size_t(1001), std::size_t(4096)}) {
            CMemoryStorage storage;
            storage.Add("turns", bytes, UINT64_MAX, piece);
            CDataSet set(nullptr);
            ASSERT_EQ(0, set.LoadFromCompoundFile(storage, "turns")) << piece;
            EXPECT_EQ("", DifferenceFromReference(set, ReadReferenceSession(bytes, set.GetScaleFactors())))
                << trendPerDemand << " " << piece;
        }
    }
}

// The progress moves at the end of each table as the file has it, trend and demand records of
// their own lengths; a cancel asked in the middle of a run stops the load at that table.
TEST_P(DataSetRecordRuns, ProgressAndCancelComeAtEveryTable)
{
    const CSessionWriter writer(TakingTurns(3000, 2));
    const std::vector<SWrittenTable> tables = writer.BuildTables();
    std::uint64_t body = 0;
    for (const SWrittenTable& table : tables)
        body += table.bytes.Size();
    std::vector<int> expected;
    std::uint64_t end = 0;
    for (const SWrittenTable& table : tables) {
        end += table.bytes.Size();
        expected.push_back(int(std::min<std::uint64_t>(end * 100 / body, 100)));
    }
    const std::string path = m_folder.Path("turns.zlg");
    ASSERT_TRUE(WriteBytesToFile(path, writer.BuildFile(tables)));
    {
        CDataSet set(nullptr);
        ASSERT_EQ(0, set.LoadFromFile(path.c_str(), false));
        EXPECT_EQ(expected, m_record->positions);
    }
    // At three tables in a row: a demand record, and the first and the second trend record of a run.
    for (const int at : {1500, 1501, 1502}) {
        m_record->positions.clear();
        m_record->cancelAfterPositions = at;
        CDataSet set(nullptr);
        EXPECT_EQ(CDataSet::kResultCanceled, set.LoadFromFile(path.c_str(), false)) << at;
        EXPECT_EQ(std::vector<int>(expected.begin(), expected.begin() + at), m_record->positions) << at;
    }
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, DataSetRecordRuns, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BigEndian" : "LittleEndian"; });

} // namespace
