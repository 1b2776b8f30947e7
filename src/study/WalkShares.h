#pragma once
// How many threads fold the figures of a long run of records at once.
#include <cstddef>

// Most threads at once: more would only wait on the memory bus.
constexpr std::size_t kMostWalks = 6;

// The threads this machine gives a long run of records.
std::size_t MachineWalks();
