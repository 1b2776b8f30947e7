#include "study/WalkShares.h"

#include "datamodel/ITrendChannelAccess.h"
#include "datamodel/TrendSeries.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <numeric>
#include <tuple>
#include <thread>

namespace {

constexpr std::size_t kCacheLine = 64;
// Records start on this boundary, anywhere within a line.
constexpr std::size_t kRecordAlignment = 8;

void AddSeries(const CTrendSeries* series, SWalkReads& reads)
{
    CTrendSeries::SField field{};
    if (series->GetField(field))
        reads.fields[field.records].insert(field.offset);
    else
        reads.others.insert(series);
}

// A line a walk reads at one placement of the records within a line: the record list (or the
// series read otherwise), the placement and the line. Summed over the placements, the lines of a
// walk come to what it reads per record, in eighths of a line.
using SLine = std::tuple<std::uintptr_t, std::size_t, std::size_t>;

std::vector<SLine> LinesOf(const SWalkReads& figure)
{
    std::vector<SLine> lines;
    for (const auto& [records, offsets] : figure.fields)
        for (std::size_t start = 0; start < kCacheLine; start += kRecordAlignment)
            for (std::size_t offset : offsets)
                lines.emplace_back(reinterpret_cast<std::uintptr_t>(records), start, (start + offset) / kCacheLine);
    // A series read otherwise costs about a line per record.
    for (const void* other : figure.others)
        for (std::size_t start = 0; start < kCacheLine; start += kRecordAlignment)
            lines.emplace_back(reinterpret_cast<std::uintptr_t>(other), start, std::numeric_limits<std::size_t>::max());
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

// The lines (numbered) of `figure` that a walk does not read yet.
std::size_t AddedCost(const std::vector<bool>& walk, const std::vector<std::size_t>& figure)
{
    return std::size_t(std::count_if(figure.begin(), figure.end(), [&](std::size_t line) { return !walk[line]; }));
}

} // namespace

void SWalkReads::Add(const ITrendChannelAccess& access)
{
    const CTrendSeries* values = access.GetUnchangedSeries();
    const CTrendSeries* signs = nullptr;
    if (values) {
        AddSeries(values, *this);
    } else if (access.GetSignedSeries(values, signs)) {
        AddSeries(values, *this);
        AddSeries(signs, *this);
    } else {
        others.insert(&access);
    }
}

std::size_t MachineWalks()
{
    // Unknown counts as two, as does a single processor: a second walk still has records on their
    // way while the first waits.
    return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 2, kMostWalks);
}

std::vector<std::size_t> ShareOutWalks(std::span<const SWalkReads> figures, std::size_t walks)
{
    walks = std::max<std::size_t>(walks, 1);
    // The walks all draw on one memory bus: each takes a stretch of the records' bytes of its own,
    // so that few lines are read twice, the figures going in the order of the first field they
    // read and each walk taking about its share of the lines all of them read.
    std::vector<std::size_t> order(figures.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto firstField = [&](std::size_t f) {
        const auto& fields = figures[f].fields;
        if (fields.empty())
            return std::tuple(true, std::uintptr_t{0}, std::size_t{0});
        return std::tuple(false, reinterpret_cast<std::uintptr_t>(fields.begin()->first), *fields.begin()->second.begin());
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return firstField(a) < firstField(b); });
    // Every line any figure reads, numbered.
    std::vector<std::vector<SLine>> figureLines;
    std::vector<SLine> all;
    for (const SWalkReads& figure : figures) {
        figureLines.push_back(LinesOf(figure));
        all.insert(all.end(), figureLines.back().begin(), figureLines.back().end());
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    std::vector<std::vector<std::size_t>> lines;
    for (const std::vector<SLine>& figure : figureLines) {
        std::vector<std::size_t>& numbers = lines.emplace_back();
        for (const SLine& line : figure)
            numbers.push_back(std::size_t(std::lower_bound(all.begin(), all.end(), line) - all.begin()));
    }
    // Each walk takes figures in that order up to `most` lines, the last one the rest.
    std::vector<std::vector<bool>> read;
    std::vector<std::size_t> costs;
    std::vector<std::size_t> shares(figures.size());
    const auto shareOut = [&](std::size_t most) {
        read.assign(walks, std::vector<bool>(all.size()));
        costs.assign(walks, 0);
        std::size_t w = 0;
        for (std::size_t f : order) {
            const std::vector<std::size_t>& figure = lines[f];
            // Where every line it reads is read already, it costs nothing.
            const auto taken = read.begin() + std::ptrdiff_t(w) + 1;
            const auto free = std::find_if(read.begin(), taken,
                                           [&](const std::vector<bool>& walk) { return AddedCost(walk, figure) == 0; });
            if (free == taken && costs[w] > 0 && costs[w] + AddedCost(read[w], figure) > most && w + 1 < walks)
                ++w;
            const std::size_t to = free == taken ? w : std::size_t(free - read.begin());
            costs[to] += AddedCost(read[to], figure);
            for (std::size_t line : figure)
                read[to][line] = true;
            shares[f] = to;
        }
        return costs.back() <= most;
    };
    // The fewest lines a walk may take so that the last one takes no more.
    std::size_t low = 0;
    std::size_t high = all.size();
    while (low < high) {
        const std::size_t most = low + (high - low) / 2;
        if (shareOut(most))
            high = most;
        else
            low = most + 1;
    }
    shareOut(high);
    return shares;
}
