#pragma once
// How the figures of a long run of records are shared out over walks that go over the records at
// once: a walk waits on the records far more than it computes, so each should read as few cache
// lines of a record as it can, and no line another walk reads.
#include <cstddef>
#include <map>
#include <set>
#include <span>
#include <vector>

class ITrendChannelAccess;

// What a figure reads per record: the offsets of the fields of each record list, and the series
// not read from the records as they are.
struct SWalkReads
{
    std::map<const void*, std::set<std::size_t>> fields;
    std::set<const void*> others;

    void Add(const ITrendChannelAccess& access);
};

// Shorter runs are walked on the calling thread alone: starting a thread would cost more.
constexpr int kSharedWalkRecords = 20000;

// Most walks at once: more would only queue on the memory bus.
constexpr std::size_t kMostWalks = 4;

// The walks this machine runs at once over a long run of records.
std::size_t MachineWalks();

// The walk (0 .. walks - 1) of each figure, in order: each goes where the lines it reads are read
// already, or else to the walk that takes the stretch of the records' bytes its first field lies
// in.
std::vector<std::size_t> ShareOutWalks(std::span<const SWalkReads> figures, std::size_t walks);
