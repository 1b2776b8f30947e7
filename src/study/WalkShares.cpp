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
constexpr std::size_t kPlacements = kCacheLine / kRecordAlignment;

void AddSeries(const CTrendSeries* series, SWalkReads& reads)
{
    CTrendSeries::SField field{};
    if (series->GetField(field))
        reads.fields[field.records].insert(field.offset);
    else
        reads.others.insert(series);
}

// The lines of a record the fields lie in, summed over the record's placements within a line.
std::size_t Lines(const std::set<std::size_t>& offsets)
{
    std::size_t lines = 0;
    for (std::size_t start = 0; start < kCacheLine; start += kRecordAlignment) {
        std::size_t last = std::numeric_limits<std::size_t>::max();
        for (std::size_t offset : offsets) {
            const std::size_t line = (start + offset) / kCacheLine;
            lines += line != last;
            last = line;
        }
    }
    return lines;
}

// The cost `figure` adds to a walk that reads `walk` already.
std::size_t AddedCost(const SWalkReads& walk, const SWalkReads& figure)
{
    std::size_t added = 0;
    for (const auto& [records, offsets] : figure.fields) {
        const auto read = walk.fields.find(records);
        if (read == walk.fields.end()) {
            added += Lines(offsets);
            continue;
        }
        std::set<std::size_t> both = read->second;
        both.insert(offsets.begin(), offsets.end());
        added += Lines(both) - Lines(read->second);
    }
    // A series read otherwise costs about a line per record.
    for (const void* other : figure.others)
        added += walk.others.count(other) ? 0 : kPlacements;
    return added;
}

} // namespace

void SWalkReads::Merge(const SWalkReads& other)
{
    for (const auto& [records, offsets] : other.fields)
        fields[records].insert(offsets.begin(), offsets.end());
    others.insert(other.others.begin(), other.others.end());
}

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
    // Each walk takes figures in that order up to `most` lines, the last one the rest.
    std::vector<SWalkReads> read;
    std::vector<std::size_t> costs;
    std::vector<std::size_t> shares(figures.size());
    const auto shareOut = [&](std::size_t most) {
        read.assign(walks, {});
        costs.assign(walks, 0);
        std::size_t w = 0;
        for (std::size_t f : order) {
            const SWalkReads& figure = figures[f];
            // Where every line it reads is read already, it costs nothing.
            const auto taken = read.begin() + std::ptrdiff_t(w) + 1;
            const auto free = std::find_if(read.begin(), taken,
                                           [&](const SWalkReads& walk) { return AddedCost(walk, figure) == 0; });
            if (free == taken && costs[w] > 0 && costs[w] + AddedCost(read[w], figure) > most && w + 1 < walks)
                ++w;
            const std::size_t to = free == taken ? w : std::size_t(free - read.begin());
            costs[to] += AddedCost(read[to], figure);
            read[to].Merge(figure);
            shares[f] = to;
        }
        return costs.back() <= most;
    };
    // The fewest lines a walk may take so that the last one takes no more.
    SWalkReads all;
    for (const SWalkReads& figure : figures)
        all.Merge(figure);
    std::size_t low = 0;
    std::size_t high = AddedCost({}, all);
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
