#pragma once
// Memory that the process may still take.
#include <cstdint>
#include <optional>

// The system's available memory, less when the process's control group has a lower limit left;
// nothing when neither can be asked.
std::optional<std::uint64_t> QueryAvailableMemory();

// Tests pin the answer until it is reset.
void SetAvailableMemoryForTesting(std::optional<std::uint64_t> bytes);
void ResetAvailableMemoryForTesting();
