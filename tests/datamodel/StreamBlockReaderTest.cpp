// Reading a session stream in blocks: the bytes come out as the stream holds them, however the
// stream splits or refuses its reads.
#include "datamodel/StreamBlockReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace {

// Serves at most `piece` bytes a read; a request larger than `failAbove` fails after it has
// moved the position by what it read, as a file whose read breaks off does.
class CChoppyStream final : public IDataStream
{
public:
    CChoppyStream(std::vector<BYTE> bytes, std::size_t piece, std::size_t failAbove)
        : m_bytes(std::move(bytes)), m_piece(piece), m_failAbove(failAbove) {}

    std::int64_t Read(void* buffer, std::size_t count) override
    {
        ++reads;
        destinations.emplace_back(reinterpret_cast<std::uintptr_t>(buffer), m_position);
        const std::size_t left = m_bytes.size() - std::min(m_position, m_bytes.size());
        const std::size_t take = std::min({count, m_piece, left});
        std::memcpy(buffer, m_bytes.data() + m_position, take);
        m_position += take;
        return count > m_failAbove ? -1 : std::int64_t(take);
    }
    bool Seek(std::uint64_t position) override
    {
        m_position = std::size_t(position);
        return true;
    }
    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t GetLength() const override { return m_bytes.size(); }
    bool Write(const void*, std::size_t) override { return false; }

    int reads = 0;
    // Where each read went and the stream position it read from.
    std::vector<std::pair<std::uintptr_t, std::size_t>> destinations;

private:
    std::vector<BYTE> m_bytes;
    std::size_t m_piece;
    std::size_t m_failAbove;
    std::size_t m_position = 0;
};

std::vector<BYTE> Bytes(std::size_t count)
{
    std::vector<BYTE> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = BYTE(i * 131 + i / 251);
    return bytes;
}

// Reads the stream in the given steps through the block reader; the bytes it handed out.
std::vector<BYTE> ReadInSteps(CStreamBlockReader& reader, std::size_t total, const std::vector<std::size_t>& steps)
{
    std::vector<BYTE> out;
    for (std::size_t k = 0; out.size() < total; ++k) {
        const std::size_t step = std::min(steps[k % steps.size()], total - out.size());
        EXPECT_EQ(std::int64_t(step), reader.Ensure(step)) << out.size();
        if (::testing::Test::HasFailure())
            break;
        EXPECT_EQ(out.size(), reader.GetOffset());
        out.insert(out.end(), reader.Data(), reader.Data() + step);
        reader.Skip(step);
    }
    return out;
}

} // namespace

TEST(StreamBlockReader, HandsOutTheStreamInOrderAcrossBlocksAndShortReads)
{
    const std::vector<BYTE> bytes = Bytes(100000);
    CChoppyStream stream(bytes, 3000, SIZE_MAX);
    CStreamBlockReader reader(stream, 4096);
    EXPECT_EQ(bytes, ReadInSteps(reader, bytes.size(), {12, 688, 5000, 1, 4096}));
    // The end: what is left, then nothing.
    EXPECT_EQ(0, reader.Ensure(12));
}

TEST(StreamBlockReader, AReadThatFailsAfterMovingOnIsRepeatedForJustTheBytesNeeded)
{
    const std::vector<BYTE> bytes = Bytes(50000);
    CChoppyStream stream(bytes, SIZE_MAX, 1000);
    CStreamBlockReader reader(stream, 8192);
    EXPECT_EQ(bytes, ReadInSteps(reader, bytes.size(), {700, 12, 300}));

    // A request the stream refuses even alone is a read error.
    CChoppyStream refusing(bytes, SIZE_MAX, 10);
    CStreamBlockReader failing(refusing, 8192);
    EXPECT_EQ(-1, failing.Ensure(12));
}

TEST(StreamBlockReader, BytesAListKeepsAreNeverWrittenAgain)
{
    // Tables of 10 bytes (off the 8-byte grid) straddle the ends of blocks of 4096 bytes.
    const std::vector<BYTE> bytes = Bytes(30000);
    CChoppyStream stream(bytes, 1500, SIZE_MAX);
    CStreamBlockReader reader(stream, 4096);
    std::vector<std::pair<std::shared_ptr<BYTE[]>, std::size_t>> kept;
    for (std::size_t offset = 0; offset < bytes.size(); offset += 10) {
        const bool read = reader.Ensure(2) == 2 && reader.GetOffset() == offset;
        ASSERT_TRUE(read) << offset;
        if (reader.Ensure(10) != 10)
            break;
        const std::size_t at = std::size_t(reader.Data() - reader.Share().get());
        // Every other table is kept where it lies.
        if (offset % 20 == 0)
            kept.emplace_back(reader.Share(), at);
        reader.Skip(10);
    }
    ASSERT_EQ(1500u, kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_EQ(0, std::memcmp(kept[i].first.get() + kept[i].second, bytes.data() + 20 * i, 10)) << i;
}

TEST(StreamBlockReader, LargeBlocksAlignRecordsAndReadEachByteHalfAPageFromItsPlace)
{
    // A session's tables: a few of odd length, then records, kept where they lie once aligned.
    const std::vector<BYTE> bytes = Bytes(3000000);
    CChoppyStream stream(bytes, SIZE_MAX, SIZE_MAX);
    CStreamBlockReader reader(stream, 1024 * 1024);
    const std::size_t lengths[] = {32, 50, 28, 740, 680, 680, 104, 680, 36, 680, 680, 680, 104};
    std::vector<std::tuple<std::shared_ptr<BYTE[]>, std::size_t, std::size_t>> kept;
    std::size_t offset = 0;
    for (std::size_t k = 0; offset + 740 < bytes.size(); ++k) {
        const std::size_t length = lengths[std::min(k, k % 9 + 4)];
        ASSERT_EQ(std::int64_t(length), reader.Ensure(length)) << offset;
        if (length % 8 == 0) {
            reader.Align();
            ASSERT_EQ(0u, reinterpret_cast<std::uintptr_t>(reader.Data()) % 8) << offset;
            kept.emplace_back(reader.Share(), std::size_t(reader.Data() - reader.Share().get()), offset);
        }
        reader.Skip(length);
        offset += length;
    }
    for (const auto& [block, at, from] : kept)
        ASSERT_EQ(0, std::memcmp(block.get() + at, bytes.data() + from, 680)) << from;
    // The system copies a read slowly when it stores a few bytes ahead of or behind where it
    // loads within a page: every read lands half a page from its page offset, less at most 7.
    ASSERT_GT(stream.destinations.size(), 10u);
    for (const auto& [address, position] : stream.destinations) {
        EXPECT_LE((address - position) % 4096, 2048u) << position;
        EXPECT_GE((address - position) % 4096, 2041u) << position;
    }
}
