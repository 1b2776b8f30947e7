#pragma once
// The sample session that ships with the program is copied into the download folder, where the
// user finds it with the downloaded sessions; a copy is refreshed only when the shipped file is
// newer than the copy made before, and a copy that failed is made again at the next start.
#include <filesystem>

// Copies `source` into `folder` under its own name when the copy is missing or older; true when
// it copied.
bool CopySampleIfNewer(const std::filesystem::path& source, const std::filesystem::path& folder);
