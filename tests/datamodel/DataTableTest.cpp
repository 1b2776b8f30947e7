#include "datamodel/DataTable.h"
#include "datamodel/ByteAccess.h"
#include "datamodel/GivenBackMemory.h"
#include "datamodel/LargeBlock.h"

#include "support/LoggerBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <sys/mman.h>
#include <vector>

namespace
{
constexpr std::int64_t kStart = 0x01DAC9B25F3E0000;
constexpr std::int64_t kMinute = 600000000;

// A host-order record with its time stamp and, for interval records, its interval end.
CLoggerBytes Record(WORD type, std::int64_t stamp, std::int64_t end = 0, WORD length = 104)
{
    CLoggerBytes table = MakeTableBytes(false, type, length, stamp);
    if (length >= 20)
        table.PutTime(12, end);
    return table;
}

const Umbo_table_header_t* Header(const CLoggerBytes& bytes)
{
    return reinterpret_cast<const Umbo_table_header_t*>(bytes.Data());
}

std::vector<std::int64_t> Stamps(const CDataTable& list)
{
    std::vector<std::int64_t> stamps;
    for (const Umbo_table_header_t* table : list)
        stamps.push_back(ConstructHighTimeFromTableTime(table->time_stamp).GetTicks());
    return stamps;
}
} // namespace

TEST(DataTable, TypeOrderedListInsertsBeforeTheFirstGreaterType)
{
    CDataTable versions(-1, CDataTable::kOrderedByType);
    EXPECT_TRUE(versions.IsEmpty());
    EXPECT_EQ(versions.GetHead(), nullptr);
    EXPECT_EQ(versions.GetTableType(), -1);
    const WORD types[] = {45, 37, 40, 37, 58};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(versions.InsertTable(Header(Record(types[i], i, 0, 16))), 0);
    ASSERT_EQ(versions.GetCount(), 5);
    std::vector<std::pair<WORD, std::int64_t>> order;
    for (const Umbo_table_header_t* table : versions)
        order.emplace_back(table->table_type, ConstructHighTimeFromTableTime(table->time_stamp).GetTicks());
    const std::vector<std::pair<WORD, std::int64_t>> expected = {{37, 1}, {37, 3}, {40, 2}, {45, 0}, {58, 4}};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(versions.GetHead()->table_type, 37);
}

TEST(DataTable, TimeOrderedListReplacesTheTablesALaterOneOverlaps)
{
    CDataTable power(65, CDataTable::kOrderedByTime);
    for (int i = 0; i < 4; ++i)
        power.InsertTable(Header(Record(65, kStart + i * kMinute, kStart + (i + 1) * kMinute)));
    // The clock went back: the tables after the new one's time are dropped first.
    power.InsertTable(Header(Record(65, kStart + kMinute + 1, kStart + 2 * kMinute)));
    EXPECT_EQ(Stamps(power), (std::vector<std::int64_t>{kStart, kStart + kMinute, kStart + kMinute + 1}));
    // A table at the same time as the last one is appended.
    power.InsertTable(Header(Record(65, kStart + kMinute + 1, 0)));
    EXPECT_EQ(power.GetCount(), 4);

    power.RemoveTablesAfter(CHighTime(kStart + kMinute));
    EXPECT_EQ(Stamps(power), (std::vector<std::int64_t>{kStart, kStart + kMinute}));
    power.RemoveTablesAfter(CHighTime(kStart - 1));
    EXPECT_TRUE(power.IsEmpty());
}

TEST(DataTable, TrendRecordsAreOrderedByTheirIntervalEnd)
{
    CDataTable trend(15, CDataTable::kOrderedByTime);
    // Type 15 orders by the end at offset 12, whatever the time stamp says.
    trend.InsertTable(Header(Record(15, kStart + 10 * kMinute, kStart + kMinute)));
    trend.InsertTable(Header(Record(15, kStart, kStart + 2 * kMinute)));
    EXPECT_EQ(trend.GetCount(), 2);
    trend.InsertTable(Header(Record(15, kStart + 20 * kMinute, kStart + kMinute + 1)));
    EXPECT_EQ(trend.GetCount(), 2);
    trend.RemoveTablesAfter(CHighTime(kStart + kMinute));
    EXPECT_EQ(trend.GetCount(), 1);
}

TEST(DataTable, HeadAndTailTimes)
{
    CDataTable empty(-1, CDataTable::kOrderedByTime);
    EXPECT_TRUE(empty.GetHeadTime().IsZero());
    EXPECT_TRUE(empty.GetTailEndTime().IsZero());

    for (WORD type : {15, 61, 64, 65})
    {
        CDataTable records(type, CDataTable::kOrderedByTime);
        records.InsertTable(Header(Record(type, kStart, kStart + kMinute)));
        records.InsertTable(Header(Record(type, kStart + kMinute, kStart + 2 * kMinute)));
        EXPECT_EQ(records.GetHeadTime(), CHighTime(kStart)) << type;
        EXPECT_EQ(records.GetTailEndTime(), CHighTime(kStart + 2 * kMinute)) << type;
    }
    CDataTable events(-1, CDataTable::kOrderedByTime);
    events.InsertTable(Header(Record(26, kStart, kStart + kMinute, 40)));
    EXPECT_EQ(events.GetHeadTime(), CHighTime(kStart));
    EXPECT_TRUE(events.GetTailEndTime().IsZero());
}

TEST(DataTable, KeepsIndependentCopiesEvenOfShortTables)
{
    CLoggerBytes source = Record(65, kStart, kStart + kMinute);
    source.PutU32(100, 0x12345678);
    CDataTable list(65, CDataTable::kOrderedByTime);
    list.InsertTable(Header(source));
    source.PutU32(100, 0);
    source.PutTime(4, 0);
    const BYTE* copy = reinterpret_cast<const BYTE*>(list.GetAt(0));
    EXPECT_EQ(copy[100], 0x78);
    EXPECT_EQ(list.GetHeadTime(), CHighTime(kStart));

    // A record whose length cannot hold its interval end reads as zero there, never past the copy.
    CLoggerBytes truncated = MakeTableBytes(false, 65, 14, kStart);
    CDataTable shortList(65, CDataTable::kOrderedByTime);
    shortList.InsertTable(Header(truncated));
    EXPECT_EQ(shortList.GetHeadTime(), CHighTime(kStart));
    EXPECT_TRUE(shortList.GetTailEndTime().IsZero());
    EXPECT_EQ(shortList.GetAt(0)->table_lth, 14);
}

// The copies share large blocks: tables of every size, the room of replaced tables taken again
// and tables larger than a block all keep their own bytes.
TEST(DataTable, CopiesInSharedBlocksStayIntact)
{
    CDataTable list(-1, CDataTable::kOrderedByTime);
    std::vector<CLoggerBytes> kept;
    const auto insert = [&](int i, WORD length) {
        CLoggerBytes table = Record(64, kStart + i * kMinute, kStart + (i + 1) * kMinute, length);
        for (std::size_t at = 20; at + 1 < length; at += 2)
            table.PutU16(at, WORD(i * 7 + at));
        list.InsertTable(Header(table));
        kept.push_back(table);
    };
    // Enough tables (some 6 MB) for the last blocks to be mapped apart from the heap.
    constexpr int kCount = 14000;
    for (int i = 0; i < kCount; ++i)
        insert(i, WORD(20 + (i * 37) % 900));
    // A table that restarts the clock replaces the last 500; its room is used again.
    kept.resize(kCount - 500);
    insert(kCount - 501, 300);
    for (int i = kCount - 500; i < kCount - 400; ++i)
        insert(i, 680);

    const auto expectKept = [&](const char* when) {
        ASSERT_EQ(int(kept.size()), list.GetCount()) << when;
        for (int i = 0; i < list.GetCount(); ++i) {
            const CLoggerBytes& expected = kept[std::size_t(i)];
            ASSERT_EQ(expected.Size(), list.GetAt(i)->table_lth) << when << i;
            ASSERT_EQ(0, std::memcmp(expected.Data(), list.GetAt(i), expected.Size())) << when << i;
            ASSERT_EQ(0u, reinterpret_cast<std::uintptr_t>(list.GetAt(i)) % 8) << when << i;
        }
    };
    expectKept("filled ");
    // Giving back the unused end of the last block keeps every table and returns memory; the
    // list takes further tables, a restart included.
    const std::size_t mapped = GetMappedLargeBlockBytes();
    list.Compact();
    EXPECT_LT(GetMappedLargeBlockBytes(), mapped);
    expectKept("compacted ");
    for (int i = kCount - 400; i < kCount - 300; ++i)
        insert(i, 680);
    // Tables from kCount - 350 on end after the restart's interval end and go.
    kept.resize(kept.size() - 50);
    insert(kCount - 351, 500);
    list.Compact();
    list.Compact();
    expectKept("refilled ");

    // A first table larger than the first block gets a block of its own size.
    CDataTable large(-1, CDataTable::kOrderedByTime);
    CLoggerBytes big = Record(64, kStart, kStart + kMinute, 65534);
    big.PutU16(65530, 0xBEEF);
    large.InsertTable(Header(big));
    CLoggerBytes small = Record(64, kStart + kMinute, kStart + 2 * kMinute, 40);
    large.InsertTable(Header(small));
    ASSERT_EQ(2, large.GetCount());
    EXPECT_EQ(0, std::memcmp(big.Data(), large.GetAt(0), big.Size()));
    EXPECT_EQ(0, std::memcmp(small.Data(), large.GetAt(1), small.Size()));
}

TEST(DataTable, BlocksGivenBackServeTheNextLoadWithoutNewPageFaults)
{
    // A year's session fills some fifty blocks of 8 MiB; the next session opened in the process
    // gets the same pages back, already there, instead of faulting in and zeroing new ones.
    constexpr std::size_t kBlock = 8 * 1024 * 1024;
    const std::size_t mappedBefore = GetMappedLargeBlockBytes();
    BYTE* first = nullptr;
    {
        LargeBlock block = AllocateLargeBlock(kBlock);
        std::memset(block.get(), 0x5a, kBlock);
        first = block.get();
        EXPECT_EQ(GetMappedLargeBlockBytes(), mappedBefore + kBlock);
    }
    // Given back: no longer counted as held, and (under the sanitizer) any read of it reported.
    EXPECT_EQ(GetMappedLargeBlockBytes(), mappedBefore);
#ifdef ORN_ADDRESS_SANITIZER
    EXPECT_TRUE(IsMarkedGivenBack(first + kBlock / 2));
#endif
    LargeBlock again = AllocateLargeBlock(kBlock);
    EXPECT_EQ(again.get(), first);
    EXPECT_FALSE(IsMarkedGivenBack(again.get() + kBlock - 1));
    // Its pages are there before the first write (a page the system took back in between would
    // be faulted in again; nearly all are still there).
    std::vector<unsigned char> resident(kBlock / 4096);
    ASSERT_EQ(mincore(again.get(), kBlock, resident.data()), 0);
    EXPECT_GT(std::count_if(resident.begin(), resident.end(), [](unsigned char page) { return page & 1; }),
              std::ptrdiff_t(resident.size() * 7 / 8));
    std::memset(again.get(), 0x33, kBlock);
    EXPECT_EQ(again[kBlock - 1], 0x33);
}

TEST(DataTable, TablesFiledWhereTheyWereReadAreReplacedAndCutLikeCopies)
{
    // Three records lying one after another in a reader's block, one misplaced by 4 bytes.
    constexpr std::size_t kLength = 104;
    const auto block = std::make_shared<BYTE[]>(4 * kLength + 8);
    const auto put = [&](std::size_t at, std::int64_t stamp) {
        std::memcpy(block.get() + at, Record(65, stamp, stamp + kMinute).Data(), kLength);
        return reinterpret_cast<Umbo_table_header_t*>(block.get() + at);
    };
    CDataTable power(65, CDataTable::kOrderedByTime);
    Umbo_table_header_t* first = put(0, kStart);
    power.InsertTable(first, block);
    power.InsertTable(put(kLength, kStart + kMinute), block);
    // Filed in place: the list hands out the block's bytes.
    EXPECT_EQ(power.GetAt(0), first);
    // Off the 8-byte boundary: copied.
    Umbo_table_header_t* odd = put(2 * kLength + 4, kStart + 2 * kMinute);
    power.InsertTable(odd, block);
    EXPECT_NE(power.GetAt(2), odd);
    EXPECT_EQ((std::vector<std::int64_t>{kStart, kStart + kMinute, kStart + 2 * kMinute}), Stamps(power));

    // A record restarting the clock replaces those it overlaps, in place or copied.
    power.InsertTable(put(3 * kLength + 8, kStart + kMinute / 2), block);
    EXPECT_EQ((std::vector<std::int64_t>{kStart, kStart + kMinute / 2}), Stamps(power));
    power.RemoveTablesAfter(CHighTime(kStart + kMinute / 4));
    EXPECT_EQ(power.GetCount(), 1);
    EXPECT_EQ(power.GetShortestLength(), kLength);

    // A run of records filed at once: one that sets the clock back replaces the earlier ones of
    // the run it overlaps, and the rest stay where they were read.
    const auto run = std::make_shared<BYTE[]>(4 * kLength);
    const std::int64_t runStamps[] = {kStart, kStart + kMinute, kStart + kMinute / 2, kStart + 2 * kMinute};
    for (std::size_t i = 0; i < 4; ++i)
        std::memcpy(run.get() + i * kLength, Record(65, runStamps[i], runStamps[i] + kMinute).Data(), kLength);
    CDataTable runs(65, CDataTable::kOrderedByTime);
    runs.InsertTables(run.get(), kLength, 4, run);
    EXPECT_EQ((std::vector<std::int64_t>{kStart, kStart + kMinute / 2, kStart + 2 * kMinute}), Stamps(runs));
    EXPECT_EQ(reinterpret_cast<const BYTE*>(runs.GetAt(2)), run.get() + 3 * kLength);

    // A list that holds no copy at all is cut the same way.
    CDataTable inPlace(65, CDataTable::kOrderedByTime);
    inPlace.InsertTable(first, block);
    inPlace.RemoveTablesAfter(CHighTime(kStart - 1));
    EXPECT_TRUE(inPlace.IsEmpty());

    // Room reserved for far more records than came is given back at the end of the load; the
    // records stay where they were filed, and later ones still go in.
    CDataTable reserved(65, CDataTable::kOrderedByTime);
    reserved.Reserve(100000);
    reserved.InsertTable(first, block);
    reserved.Compact();
    EXPECT_EQ(reserved.GetAt(0), first);
    reserved.InsertTable(put(kLength, kStart + 3 * kMinute), block);
    EXPECT_EQ((std::vector<std::int64_t>{kStart, kStart + 3 * kMinute}), Stamps(reserved));
}

// A list lets go of a block it filed tables in (copying them out of it) whatever was cut from it
// before: no table is left in the block, given back and poisoned under the sanitizer; and copies
// made before and after keep their bytes when a record set back replaces some of them.
TEST(DataTable, NoTableIsLeftInABlockTheListLetsGoOf)
{
    constexpr std::size_t kLength = 104;
    constexpr std::size_t kBlock = 2 * 1024 * 1024;
    LargeBlock mapped = AllocateLargeBlock(kBlock);
    const SLargeBlockRelease release = mapped.get_deleter();
    std::shared_ptr<BYTE[]> block(mapped.release(), release);
    BYTE* const bytes = block.get();
    std::size_t used = 0;
    // Record i read into the block on the 8-byte boundary (kept there) or off it (copied).
    const auto file = [&](CDataTable& list, int i, bool aligned) {
        used = (used + 7) / 8 * 8 + (aligned ? 0 : 4);
        CLoggerBytes record = Record(65, kStart + i * kMinute, kStart + (i + 1) * kMinute);
        record.PutU32(60, DWORD(0xA000 + i));
        std::memcpy(bytes + used, record.Data(), kLength);
        list.InsertTable(reinterpret_cast<Umbo_table_header_t*>(bytes + used), block);
        used += kLength;
    };

    // Cut back below the first table kept in the block, then filed in it again.
    CDataTable cut(65, CDataTable::kOrderedByTime);
    file(cut, 0, false);
    file(cut, 1, false);
    file(cut, 2, true);
    file(cut, 3, true);
    cut.RemoveTablesAfter(CHighTime(kStart));
    file(cut, 1, true);
    file(cut, 2, true);
    cut.CopyOutOf(bytes, kBlock);

    // Even records copied when filed, odd ones when the block is let go of; then the room of the
    // last copy is given back, and a record set back replaces one copied before the others.
    CDataTable setBack(65, CDataTable::kOrderedByTime);
    for (int i = 0; i < 6; ++i)
        file(setBack, i, i % 2 == 1);
    setBack.CopyOutOf(bytes, kBlock);
    const Umbo_table_header_t* last = setBack.GetAt(5);
    setBack.RemoveTablesAfter(CHighTime(kStart + 4 * kMinute));
#ifdef ORN_ADDRESS_SANITIZER
    EXPECT_TRUE(IsMarkedGivenBack(last));
#endif
    for (int i = 3; i < 6; ++i)
        file(setBack, i, false);
    EXPECT_FALSE(IsMarkedGivenBack(last));

    block.reset();
#ifdef ORN_ADDRESS_SANITIZER
    EXPECT_TRUE(IsMarkedGivenBack(bytes));
#endif
    const auto expectAsFiled = [&](const CDataTable& list, const std::vector<int>& records) {
        ASSERT_EQ(records.size(), std::size_t(list.GetCount()));
        for (std::size_t i = 0; i < records.size(); ++i)
            EXPECT_EQ(DWORD(0xA000 + records[i]), LoadU32(list.GetAt(int(i)), 60)) << i;
    };
    expectAsFiled(cut, {0, 1, 2});
    expectAsFiled(setBack, {0, 1, 2, 3, 3, 4, 5});
    // The next load reads another file into the block.
    LargeBlock next = AllocateLargeBlock(kBlock);
    std::memset(next.get(), 0xEE, kBlock);
    expectAsFiled(cut, {0, 1, 2});
    expectAsFiled(setBack, {0, 1, 2, 3, 3, 4, 5});
}
