#pragma once
// Memory that the process may still take.
#include <cstdint>
#include <filesystem>
#include <optional>

// The system's available memory, less when a memory control group of the process (version 2 or
// version 1, the group or one above it) has a lower limit left; file pages the kernel can drop
// count as available. Nothing when neither can be asked.
std::optional<std::uint64_t> QueryAvailableMemory();
// The same, read from the /proc and /sys files below `root` instead of the system's own.
std::optional<std::uint64_t> QueryAvailableMemoryUnder(const std::filesystem::path& root);
// True when the system's answer of less than a second ago was at least eight times `bytes`:
// a need that small is met without asking again. False while an answer is pinned.
bool IsMemoryRecentlyPlentiful(std::uint64_t bytes);

// Tests pin the answer until it is reset.
void SetAvailableMemoryForTesting(std::optional<std::uint64_t> bytes);
void ResetAvailableMemoryForTesting();
