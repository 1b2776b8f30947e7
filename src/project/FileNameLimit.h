#pragma once
// File names the program makes from a name the user chose (a partial file beside a project, the
// copy that keeps unsaved changes) must fit the file system's limit on one name, which the file
// dialog lets the user's own name reach: such a name is shortened in its stem, so that what
// follows (the extension, a mark of what the file is) stays whole.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The longest name, in bytes, that the file system of the folder takes.
std::size_t FileNameLimit(const std::filesystem::path& folder);

// The stem, cut after a whole UTF-8 character, so that it and `restBytes` more bytes fit the
// limit; whole when they do.
std::string StemThatFits(std::string_view stem, std::size_t restBytes, std::size_t limit);
