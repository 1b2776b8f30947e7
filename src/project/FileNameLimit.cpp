#include "project/FileNameLimit.h"

#include <unistd.h>

namespace {

// Where the file system does not tell (and the common limit of Linux file systems).
constexpr std::size_t kUsualNameLimit = 255;

} // namespace

std::size_t FileNameLimit(const std::filesystem::path& folder)
{
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? std::size_t(limit) : kUsualNameLimit;
}

std::string StemThatFits(std::string_view stem, std::size_t restBytes, std::size_t limit)
{
    if (stem.size() + restBytes <= limit)
        return std::string(stem);
    std::size_t keep = limit > restBytes ? limit - restBytes : 0;
    // Continuation bytes of a character are 10xxxxxx: the cut goes before its first byte.
    while (keep > 0 && keep < stem.size() && (static_cast<unsigned char>(stem[keep]) & 0xC0) == 0x80)
        --keep;
    return std::string(stem.substr(0, keep));
}
