// Loading sessions written by the session writer: what was written is what the data set holds,
// in either byte order, from a file or an archive stream, and still holds after other loads.
#include "datamodel/DataTable.h"
#include "datamodel/AvailableMemory.h"
#include "datamodel/ByteAccess.h"
#include "datamodel/DataSet.h"
#include "datamodel/LargeBlock.h"
#include "datamodel/TrendTimeBlock.h"
#include "platform/framework/StringTable.h"
#include "project/MeasurementSettings.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "datamodel/StreamBlockReader.h"
#include "support/ReferenceSessionReader.h"
#include "support/SessionWriter.h"
#include "support/VariedSessions.h"
#include "datamodel/SessionFiles.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace {

class DataSetLoad : public ::testing::TestWithParam<bool>
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

    std::string Write(const CSessionWriter& writer, const std::string& name = "session.zlg")
    {
        const std::string path = m_folder.Path(name);
        EXPECT_TRUE(WriteBytesToFile(path, writer.BuildFile()));
        return path;
    }

    CTempFolder m_folder;
    std::shared_ptr<SProgressRecord> m_record;
};

TEST_P(DataSetLoad, SessionLoadsWithItsRecordsVersionsNameAndConfiguration)
{
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = GetParam();
    const CSessionWriter writer(sessionSpec);
    const std::string path = Write(writer, "Feeder.zlg");

    CMeasurementSettings owner;
    CDataSet set(&owner);
    ASSERT_EQ(0, set.LoadFromFile(path.c_str(), false));

    EXPECT_FALSE(set.IsFromArchive());
    EXPECT_EQ(CString("Substation feeder 2"), set.GetName());
    const CMeasurementConfig& config = set.GetMeasurementConfig();
    EXPECT_TRUE(config.IsLoggerLayout());
    EXPECT_EQ(1, config.GetTopology());
    EXPECT_EQ(600u, config.GetAveragingInterval());
    EXPECT_EQ(900u, config.GetDemandInterval());
    EXPECT_FLOAT_EQ(230.0f, config.GetNominalVoltage());
    EXPECT_EQ(CString("Feeder 2 energy survey"), config.GetDescription());

    const CDataTable* trend = set.GetTrendTable();
    ASSERT_EQ(set.GetTableList(CDataSet::kList64), trend);
    ASSERT_EQ(writer.WrittenTrendCount(), trend->GetCount());
    EXPECT_EQ(int(writer.DemandBegins().size()), set.GetDemandTable()->GetCount());
    EXPECT_EQ(2, set.GetTableList(CDataSet::kListOther)->GetCount());
    EXPECT_EQ(3, set.GetTableList(CDataSet::kListVersions)->GetCount());
    EXPECT_TRUE(set.GetTableList(CDataSet::kList15)->IsEmpty());
    EXPECT_EQ(nullptr, set.GetTableList(6));

    // Record values in host order, as the model wrote them.
    const Umbo_table_header_t* first = trend->GetAt(0);
    EXPECT_EQ(680, first->table_lth);
    const std::int64_t begin = writer.TrendBegin(0);
    const SPhaseValues a = CSessionWriter::PhaseValues(sessionSpec, begin + 300 * 10000000LL, 0);
    EXPECT_FLOAT_EQ(float(a.voltage), LoadF32(first, 32));
    EXPECT_FLOAT_EQ(float(a.activePower), LoadF32(first, 224));
    EXPECT_TRUE(std::isnan(LoadF32(trend->GetAt(5), 116)));  // phase B current, an invalid value
    EXPECT_EQ(begin, set.GetTrendTimeBlock()->GetFirstTime().GetTicks());

    // The gap: record 40 .. 42 are missing.
    EXPECT_EQ(writer.TrendBegin(43), trend->GetAt(40)->time_stamp[0] * 0x100000000LL + trend->GetAt(40)->time_stamp[1]);

    // Version entries and summary.
    EXPECT_EQ(CString("4626017"), set.DescribeTable(45, false));
    EXPECT_NE(-1, set.DescribeTable(37, true).Find("2.1 Feb 11 2026"));
    EXPECT_TRUE(set.DescribeTable(46, false).IsEmpty());
    EXPECT_EQ(47, LoadU16(set.GetSummary().data(), 0));
    EXPECT_EQ(DWORD(writer.WrittenTrendCount()), LoadU32(set.GetSummary().data(), 16));

    // The owner receives the recorded times and the configuration.
    EXPECT_EQ(writer.FirstRecordTicks(), owner.GetStartTime().GetTicks());
    EXPECT_EQ(writer.LastRecordTicks(), owner.GetEndTime().GetTicks());
    EXPECT_EQ(1, owner.GetStudyType());
    EXPECT_EQ(CString("Feeder 2 energy survey"), owner.GetDescription());
    EXPECT_EQ(writer.FirstRecordTicks(), set.GetStartTime().GetTicks());
    EXPECT_EQ(writer.LastRecordTicks(), set.GetEndTime().GetTicks());

    // The progress dialog showed the file name and closed.
    EXPECT_EQ(CString("Zelko Ampelon loading file Feeder, please wait..."), m_record->caption);
    EXPECT_EQ(1, m_record->closeCount);
    ASSERT_FALSE(m_record->positions.empty());
    EXPECT_EQ(100, m_record->positions.back());
    EXPECT_NE(nullptr, set.GetStream());
}

TEST_P(DataSetLoad, ArchiveStreamLoadsLikeTheFile)
{
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = GetParam();
    const CSessionWriter writer(sessionSpec);
    CMemoryStorage storage;
    storage.Add("Stream 1", writer.BuildFile());
    CDataSet set(nullptr);
    ASSERT_EQ(0, set.LoadFromCompoundFile(storage, "Stream 1"));
    EXPECT_TRUE(set.IsFromArchive());
    EXPECT_EQ(writer.WrittenTrendCount(), set.GetTrendTable()->GetCount());
}

TEST_P(DataSetLoad, HeaderOnlyStopsAfterTheConfiguration)
{
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = GetParam();
    const std::string path = Write(CSessionWriter(sessionSpec));
    CMeasurementSettings owner;
    CDataSet set(&owner);
    ASSERT_EQ(0, set.LoadFromFile(path.c_str(), true));
    EXPECT_TRUE(set.GetMeasurementConfig().IsLoggerLayout());
    EXPECT_TRUE(set.GetTrendTable()->IsEmpty());
    EXPECT_EQ(0, m_record->showCount);        // no progress dialog for a header
    EXPECT_TRUE(owner.GetStartTime().IsZero());  // nor times for the owner
}

TEST_P(DataSetLoad, UnknownLengthFileIsCompletedInPlace)
{
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = GetParam();
    sessionSpec.unknownLength = true;
    const CSessionWriter writer(sessionSpec);
    const std::vector<BYTE> bytes = writer.BuildFile();
    const std::string path = m_folder.Path("open.zlg");
    ASSERT_TRUE(WriteBytesToFile(path, bytes));

    CDataSet set(nullptr);
    ASSERT_EQ(0, set.LoadFromFile(path.c_str(), false));
    EXPECT_EQ(DWORD(bytes.size() - 32), set.GetHeader().body_lth);

    // The file's header now reads as the writer would have written it with the length known.
    SSessionSpec known = sessionSpec;
    known.unknownLength = false;
    std::vector<BYTE> expected = CSessionWriter(known).BuildFile();
    std::ifstream in(path, std::ios::binary);
    std::vector<BYTE> header(32);
    in.read(reinterpret_cast<char*>(header.data()), 32);
    CLoggerBytes body(sessionSpec.bigEndian, 4);
    body.PutU32(0, DWORD(bytes.size() - 32));
    std::memcpy(expected.data() + 4, body.Data(), 4);
    EXPECT_EQ(std::vector<BYTE>(expected.begin(), expected.begin() + 32), header);
}

// A session longer than the loader's read blocks: the records straddling their ends, and those
// kept where they were read, hold what was written; a file cut past the first block is refused.
TEST_P(DataSetLoad, SessionLongerThanAReadBlockKeepsEveryRecordAsWritten)
{
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = GetParam();
    sessionSpec.trendRecords = 14000;  // 9.5 MB of trend records
    const CSessionWriter writer(sessionSpec);
    const std::vector<BYTE> bytes = writer.BuildFile();
    ASSERT_GT(bytes.size(), std::size_t(9) << 20);
    const std::string path = m_folder.Path("long.zlg");
    ASSERT_TRUE(WriteBytesToFile(path, bytes));

    CDataSet set(nullptr);
    ASSERT_EQ(0, set.LoadFromFile(path.c_str(), false));
    const CDataTable* trend = set.GetTrendTable();
    ASSERT_EQ(writer.WrittenTrendCount(), trend->GetCount());
    ASSERT_EQ(int(writer.DemandBegins().size()), set.GetDemandTable()->GetCount());
    int wrong = 0;
    for (int i = 0, written = 0; i < trend->GetCount(); ++i, ++written) {
        if (written == sessionSpec.gapStart)
            written += sessionSpec.gapLength;
        const Umbo_table_header_t* record = trend->GetAt(i);
        const std::int64_t begin = writer.TrendBegin(written);
        const SPhaseValues a = CSessionWriter::PhaseValues(
            sessionSpec, begin + std::int64_t(sessionSpec.averagingSeconds) * 5000000LL, 0);
        if (ConstructHighTimeFromTableTime(record->time_stamp).GetTicks() != begin ||
            LoadF32(record, 32) != float(a.voltage) || LoadF32(record, 224) != float(a.activePower))
            ++wrong;
    }
    EXPECT_EQ(0, wrong);
    EXPECT_EQ(writer.LastRecordTicks(), set.GetEndTime().GetTicks());

    // Cut inside a table past the first block, and inside the last table.
    for (const std::size_t cut : {(std::size_t(8) << 20) + 700, bytes.size() - 100}) {
        const std::string cutPath = m_folder.Path("cut.zlg");
        ASSERT_TRUE(WriteBytesToFile(cutPath, std::vector<BYTE>(bytes.begin(), bytes.begin() + std::ptrdiff_t(cut))));
        CDataSet cutSet(nullptr);
        EXPECT_EQ(CDataSet::kResultShortTable, cutSet.LoadFromFile(cutPath.c_str(), false)) << cut;
    }
}

struct SPinnedMemory
{
    explicit SPinnedMemory(std::uint64_t bytes) { SetAvailableMemoryForTesting(bytes); }
    ~SPinnedMemory() { ResetAvailableMemoryForTesting(); }
};

// A session closed leaves its blocks with the process for the next load: they count as memory the
// next session may take, so one that fits in them and what is free is not refused.
TEST_P(DataSetLoad, BlocksAClosedSessionLeftCountAsRoomForTheNext)
{
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = GetParam();
    sessionSpec.trendRecords = 14000;
    const std::string path = Write(CSessionWriter(sessionSpec), "long.zlg");
    const auto size = std::uint64_t(std::filesystem::file_size(path));
    {
        CDataSet first(nullptr);
        ASSERT_EQ(0, first.LoadFromFile(path.c_str(), false));
    }
    ASSERT_GE(GetKeptLargeBlockBytes(), size);
    // Free memory alone would refuse it (a load wants twice the session's size).
    const SPinnedMemory free(size);
    CDataSet again(nullptr);
    EXPECT_EQ(0, again.LoadFromFile(path.c_str(), false));
}

// The block a load reads into is room only when the process held it before: one mapped anew
// takes its pages from what is free. A session is loaded exactly when what is free and what is
// held take it twice.
TEST_P(DataSetLoad, OnlyMemoryFreeOrHeldCountsAsRoom)
{
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = GetParam();
    const std::string path = Write(CSessionWriter(sessionSpec));
    const std::uint64_t body = std::filesystem::file_size(path) - kUmboMsgHeaderSize;
    std::vector<LargeBlock> taken;
    // Takes every kept block of the sizes loads give back, so that the next load maps its own.
    const auto takeKeptBlocks = [&taken] {
        for (const std::size_t size : {std::size_t(2) << 20, std::size_t(4) << 20, CStreamBlockReader::kBlockSize})
            for (std::size_t kept = GetKeptLargeBlockBytes(); kept > 0; kept = GetKeptLargeBlockBytes()) {
                taken.push_back(AllocateLargeBlock(size));
                if (GetKeptLargeBlockBytes() == kept)
                    break;
            }
        return std::uint64_t(GetKeptLargeBlockBytes());
    };
    for (const std::uint64_t wanted : {2 * body - 1, 2 * body}) {
        const std::uint64_t held = takeKeptBlocks();
        ASSERT_LT(held, 2 * body - 1);
        const SPinnedMemory free(wanted - held);
        CDataSet set(nullptr);
        EXPECT_EQ(wanted == 2 * body ? 0 : CDataSet::kResultMemory, set.LoadFromFile(path.c_str(), false)) << wanted;
    }
}

// Indexed tables stay in the stream: a session of large ones between its records holds no
// more memory than its records take, however its bytes were read.
TEST_P(DataSetLoad, IndexedTablesBetweenTheRecordsAreNotHeldInMemory)
{
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = GetParam();
    sessionSpec.trendRecords = 400;
    const CSessionWriter writer(sessionSpec);
    std::vector<SWrittenTable> tables;
    int indexed = 0;
    for (SWrittenTable& table : writer.BuildTables()) {
        const bool record = table.type == 64;
        const std::int64_t time = table.timeTicks;
        tables.push_back(std::move(table));
        if (record) {
            tables.push_back(writer.MakeTable(10, 60000, time));
            ++indexed;
        }
    }
    const std::string path = m_folder.Path("indexed.zlg");
    ASSERT_TRUE(WriteBytesToFile(path, writer.BuildFile(tables)));

    const std::size_t mappedBefore = GetMappedLargeBlockBytes();
    CDataSet set(nullptr);
    ASSERT_EQ(0, set.LoadFromFile(path.c_str(), false));
    EXPECT_EQ(indexed, set.GetFileTable10().GetSize());
    const CDataTable* trend = set.GetTrendTable();
    ASSERT_EQ(writer.WrittenTrendCount(), trend->GetCount());
    for (int i = 0; i < trend->GetCount(); ++i)
        EXPECT_EQ(680, trend->GetAt(i)->table_lth) << i;
    const std::int64_t begin = writer.TrendBegin(0);
    EXPECT_EQ(begin, ConstructHighTimeFromTableTime(trend->GetAt(0)->time_stamp).GetTicks());
    EXPECT_FLOAT_EQ(float(CSessionWriter::PhaseValues(sessionSpec, begin + 300 * 10000000LL, 0).voltage),
                    LoadF32(trend->GetAt(0), 32));
    // 24 MB read, a quarter of a megabyte of records kept.
    EXPECT_LT(GetMappedLargeBlockBytes(), mappedBefore + (std::size_t(2) << 20));
}

// Each record is held as the file has it, in its place, once loaded, after another session was
// loaded beside it, and after each of the two was closed and loaded again in the same process: whether the records were read into blocks the lists
// keep, copied off the 8-byte boundary, or copied out of blocks that held mostly indexed tables,
// and whatever a cut or a clock set back removed.
class DataSetLoadAgainstReference : public DataSetLoad
{
protected:
    void ExpectAsTheFileHolds(SSessionSpec sessionSpec, const std::string& what)
    {
        sessionSpec.bigEndian = GetParam();
        const std::string path = Write(CSessionWriter(sessionSpec), "varied.zlg");
        if (m_next.empty()) {
            SSessionSpec next;
            next.trendRecords = 1000;
            next.bigEndian = !GetParam();
            m_next = Write(CSessionWriter(next), "next.zlg");
        }
        const SLoadCheck check = LoadSeveralAndCompare({path, m_next});
        EXPECT_EQ(0, check.result) << what;
        EXPECT_EQ("", check.difference) << what;
    }

    std::string m_next;
};

// A cut by a table that keeps the records after it on the 8-byte boundary, made early in the last
// read block, back to a record before that block.
TEST_P(DataSetLoadAgainstReference, ACutBackAcrossTheStartOfTheLastBlock)
{
    SSessionSpec sessionSpec;
    sessionSpec.trendRecords = 12500;
    sessionSpec.demandSeconds = 0;
    sessionSpec.cutAfter = 12400;
    sessionSpec.cutAt = 12100;
    sessionSpec.cutLength = 24;
    ExpectAsTheFileHolds(sessionSpec, "cut at 12100");
}

// Records between indexed tables, every other one off the 8-byte boundary: the read blocks hold
// little that is kept, and a clock set back just after one is let go of.
TEST_P(DataSetLoadAgainstReference, AClockSetBackAfterASparseBlock)
{
    SSessionSpec sessionSpec;
    sessionSpec.trendRecords = 60;
    sessionSpec.indexedPerRecord = 7;
    sessionSpec.indexedLength = 65000;
    sessionSpec.shiftEvery = 2;
    sessionSpec.setBackAt = 18;
    sessionSpec.setBackIntervals = 2;
    ExpectAsTheFileHolds(sessionSpec, "set back at 18");
}

TEST_P(DataSetLoadAgainstReference, VariedSessions)
{
    std::mt19937 generator(GetParam() ? 47 : 74);
    for (int session = 0; session < 40; ++session) {
        std::vector<BYTE> choices(24);
        for (BYTE& choice : choices)
            choice = BYTE(generator());
        const SSessionSpec sessionSpec = VariedSessionSpec(choices);
        ExpectAsTheFileHolds(sessionSpec, "session " + std::to_string(session) + " of " +
                                              std::to_string(sessionSpec.trendRecords) + " records");
    }
}

// Trend and demand records taking turns: a demand record after every `trendPerDemand` trend records.
SSessionSpec TakingTurns(bool bigEndian, int records, int trendPerDemand)
{
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = bigEndian;
    sessionSpec.trendRecords = records;
    sessionSpec.averagingSeconds = 60;
    sessionSpec.demandSeconds = DWORD(60 * trendPerDemand);
    return sessionSpec;
}

// Longer than a read block, in reads of 256 KiB, and from a stream that serves a few records a
// read at a time.
TEST_P(DataSetLoad, EveryRecordIsKeptOnceWhereverReadsEnd)
{
    for (const int trendPerDemand : {1, 3}) {
        const std::vector<BYTE> bytes = CSessionWriter(TakingTurns(GetParam(), 12000, trendPerDemand)).BuildFile();
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
TEST_P(DataSetLoad, ProgressAndCancelComeAtEveryTable)
{
    const CSessionWriter writer(TakingTurns(GetParam(), 3000, 2));
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

INSTANTIATE_TEST_SUITE_P(ByteOrders, DataSetLoadAgainstReference, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BigEndian" : "LittleEndian"; });

INSTANTIATE_TEST_SUITE_P(ByteOrders, DataSetLoad, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BigEndian" : "LittleEndian"; });

} // namespace
