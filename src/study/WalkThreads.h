#pragma once
// The threads that walk and feed long runs of records beside the calling thread. They are started
// once and sleep between runs: on a busy machine a thread woken from sleep runs at once, where a
// new one waited its turn behind the programs already running.
#include <cstddef>
#include <functional>

// Most threads at once: more would only wait on the memory bus.
constexpr std::size_t kMostWalks = 12;

// The threads this machine gives a long run of records, the calling one among them: one per
// processor and two more. On a busy machine each thread has a share of its processor only, and
// a thread left waiting for one leaves the pieces it has not taken to the others.
std::size_t MachineWalks();

// Runs `work` on up to `helpers` kept threads while this thread runs `own`, and returns when all
// are done; the first exception any of them threw reaches the caller. A helper that has not
// started by the time `own` returns is not run: `own` must leave no work undone (the work is
// taken piece by piece by whoever is free). Called from a kept thread, or while another call
// runs, or with no thread to be had, only `own` runs.
void RunWithWalkThreads(std::size_t helpers, const std::function<void()>& work, const std::function<void()>& own);

// Starts the kept threads this machine gives a long run, to sleep until the first one.
void StartWalkThreads();
