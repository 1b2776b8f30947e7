#pragma once
// Files that stand beside the program (tables it reads at run time).
#include <filesystem>

// The full path of a file in the running program's folder.
std::filesystem::path GetPathBesideExecutable(const std::filesystem::path& name);
