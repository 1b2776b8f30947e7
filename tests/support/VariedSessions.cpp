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
    SSessionSpec spec;
    const unsigned flags = choose.Byte();
    spec.bigEndian = flags & 1;
    spec.unknownLength = flags & 2;
    spec.events = flags & 4;
    spec.gapStart = flags & 8 ? choose.Below(200) : -1;
    spec.demandSeconds = flags & 16 ? 900 : 0;
    spec.shiftLength = flags & 32 ? 24 : 20;
    spec.cutLength = flags & 64 ? 24 : 20;
    if (flags & 128) {
        spec.trendRecords = 8 + choose.Below(72);
        spec.indexedPerRecord = 1 + choose.Below(7);
        spec.indexedLength = WORD(12 + choose.Below(kIndexedLengths));
    } else {
        spec.trendRecords = 50 + choose.Below(kDenseRecords);
    }
    spec.shiftEvery = choose.Below(4);

    const std::vector<int> edges = RecordsAtBlockEdges(CSessionWriter(spec));
    const auto nearAnEdge = [&] {
        const int edge = edges[std::size_t(choose.Below(unsigned(edges.size())))];
        return std::clamp(edge + choose.Below(41) - 20, 0, spec.trendRecords - 1);
    };
    const unsigned changes = choose.Byte();
    if (changes & 1) {
        spec.cutAfter = nearAnEdge();
        spec.cutAt = std::max(0, spec.cutAfter - choose.Below(kCutBack));
    }
    if (changes & 2) {
        spec.setBackAt = nearAnEdge();
        spec.setBackIntervals = 1 + choose.Below(100);
    }
    return spec;
}
