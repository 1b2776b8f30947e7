#include "VariedSessions.h"

#include "datamodel/StreamBlockReader.h"
#include "datamodel/UmboFraming.h"

#include <algorithm>

namespace {

constexpr WORD kTrendRecord = 64;
// The trend records a read block holds, and what the choices below scale with it: with the
// loader's blocks of 8 MiB they are as they always were, with the fuzz build's small blocks a
// session crosses several.
constexpr unsigned kBlockRecords = unsigned(CStreamBlockReader::kBlockSize / 680);
constexpr unsigned kDenseRecords = std::min(13000u, 2 * kBlockRecords);
constexpr unsigned kIndexedLengths = unsigned(std::min<std::size_t>(65000 - 12 + 1, CStreamBlockReader::kBlockSize / 4));
constexpr unsigned kCutBack = std::min(400u, 2 * kBlockRecords);

// The choices one at a time, zero once they run out.
class CChoices
{
public:
    explicit CChoices(std::span<const BYTE> bytes) : m_bytes(bytes) {}

    unsigned Byte() { return m_at < m_bytes.size() ? m_bytes[m_at++] : 0u; }
    int Below(unsigned count)
    {
        const unsigned high = Byte();
        return int(((high << 8) | Byte()) % count);
    }

private:
    std::span<const BYTE> m_bytes;
    std::size_t m_at = 0;
};

} // namespace

std::vector<int> RecordsAtBlockEdges(const CSessionWriter& writer)
{
    std::vector<int> edges{0};
    std::uint64_t offset = kUmboMsgHeaderSize;
    int record = 0;
    for (const SWrittenTable& table : writer.BuildTables()) {
        offset += table.bytes.Size();
        if (table.type == kTrendRecord)
            ++record;
        if (offset >= edges.size() * CStreamBlockReader::kBlockSize)
            edges.push_back(record);
    }
    return edges;
}

SSessionSpec VariedSessionSpec(std::span<const BYTE> choices)
{
    CChoices choose(choices);
    SSessionSpec layout;
    const unsigned flags = choose.Byte();
    layout.bigEndian = flags & 1;
    layout.unknownLength = flags & 2;
    layout.events = flags & 4;
    layout.gapStart = flags & 8 ? choose.Below(200) : -1;
    layout.demandSeconds = flags & 16 ? 900 : 0;
    layout.shiftLength = flags & 32 ? 24 : 20;
    layout.cutLength = flags & 64 ? 24 : 20;
    if (flags & 128) {
        layout.trendRecords = 8 + choose.Below(72);
        layout.indexedPerRecord = 1 + choose.Below(7);
        layout.indexedLength = WORD(12 + choose.Below(kIndexedLengths));
    } else {
        layout.trendRecords = 50 + choose.Below(kDenseRecords);
    }
    layout.shiftEvery = choose.Below(4);

    const std::vector<int> edges = RecordsAtBlockEdges(CSessionWriter(layout));
    const auto nearAnEdge = [&] {
        const int edge = edges[std::size_t(choose.Below(unsigned(edges.size())))];
        return std::clamp(edge + choose.Below(41) - 20, 0, layout.trendRecords - 1);
    };
    const unsigned changes = choose.Byte();
    if (changes & 1) {
        layout.cutAfter = nearAnEdge();
        layout.cutAt = std::max(0, layout.cutAfter - choose.Below(kCutBack));
    }
    if (changes & 2) {
        layout.setBackAt = nearAnEdge();
        layout.setBackIntervals = 1 + choose.Below(100);
    }
    return layout;
}
