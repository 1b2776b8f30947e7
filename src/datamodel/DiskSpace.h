#pragma once
// Free space that the caller may use on the file system holding a file.
#include <cstdint>
#include <optional>
#include <string>

// Asks the file system of the file's folder; nothing when it cannot be asked.
std::optional<std::uint64_t> QueryFreeSpaceForFile(const std::string& filePath);
