#include "datamodel/FileTable.h"
#include "SessionFiles.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

FileTblPtrT Entry(LONGLONG ticks, std::uint64_t offset = 0)
{
    return FileTblPtrT{CHighTime(ticks), offset};
}

std::vector<LONGLONG> Times(const CFileTable& table)
{
    std::vector<LONGLONG> times;
    for (int i = 0; i < table.GetSize(); ++i)
        times.push_back(table[i].time.GetTicks());
    return times;
}

TEST(FileTable, AddingAndTrimmingKeepStrictlyIncreasingTimes)
{
    CFileTable table(10);
    for (LONGLONG t : {10, 20, 30})
        EXPECT_EQ(0, table.AddEntry(Entry(t)));
    CFileTable trimmed = CFileTable(10);
    table.TrimFrom(CHighTime(15));
    EXPECT_EQ(std::vector<LONGLONG>{10}, Times(table));
    table.TrimFrom(CHighTime(10));
    EXPECT_TRUE(Times(table).empty());

    for (LONGLONG t : {10, 20, 30})
        table.AddEntry(Entry(t));
    table.AddEntry(Entry(15));
    EXPECT_EQ((std::vector<LONGLONG>{10, 15}), Times(table));
    table.AddEntry(Entry(15, 99));
    EXPECT_EQ((std::vector<LONGLONG>{10, 15}), Times(table));
    EXPECT_EQ(99u, table[1].offset);
}

TEST(FileTable, IndexOutsideTheEntriesIsAnInvalidArgument)
{
    CFileTable table(66);
    EXPECT_THROW(table.GetAt(0), std::invalid_argument);
    table.AddEntry(Entry(5));
    EXPECT_NO_THROW(table.GetAt(0));
    EXPECT_THROW(table.GetAt(1), std::invalid_argument);
    EXPECT_THROW(table.GetAt(-1), std::invalid_argument);
}

TEST(FileTable, StreamChangeForgetsTheCachedRecord)
{
    CFileTable table(10);
    table.SetCachedRecord(3, std::make_unique<std::vector<BYTE>>(848));
    EXPECT_EQ(3, table.GetCachedIndex());
    CSessionMemoryStream stream({});
    table.SetStream(&stream);
    EXPECT_EQ(-1, table.GetCachedIndex());
    EXPECT_EQ(nullptr, table.GetCachedRecord());
    EXPECT_EQ(&stream, table.GetStream());
}

// A growable in-memory stream for the round trip.
class CBufferStream final : public IDataStream
{
public:
    std::int64_t Read(void* buffer, std::size_t count) override
    {
        const std::size_t take = std::min(count, m_bytes.size() - std::size_t(m_position));
        std::memcpy(buffer, m_bytes.data() + m_position, take);
        m_position += take;
        return std::int64_t(take);
    }
    bool Seek(std::uint64_t position) override { m_position = position; return position <= m_bytes.size(); }
    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t GetLength() const override { return m_bytes.size(); }
    bool Write(const void* data, std::size_t count) override
    {
        const auto* in = static_cast<const BYTE*>(data);
        m_bytes.insert(m_bytes.end(), in, in + count);
        m_position = m_bytes.size();
        return true;
    }

    std::vector<BYTE> m_bytes;

private:
    std::uint64_t m_position = 0;
};

TEST(FileTable, SerializeRoundTripAndDamagedCount)
{
    CFileTable table(10);
    table.AddEntry(Entry(100, 32));
    table.AddEntry(Entry(200, 880));
    CBufferStream stream;
    ASSERT_TRUE(table.Serialize(stream, true));
    stream.Seek(0);
    CFileTable read(10);
    ASSERT_TRUE(read.Serialize(stream, false));
    EXPECT_EQ((std::vector<LONGLONG>{100, 200}), Times(read));
    EXPECT_EQ(880u, read[1].offset);

    // A count beyond the stream is refused without reading on.
    stream.m_bytes[3] = 0x7F;
    stream.Seek(0);
    EXPECT_FALSE(read.Serialize(stream, false));
    EXPECT_EQ(2, read.GetSize());
}

} // namespace
