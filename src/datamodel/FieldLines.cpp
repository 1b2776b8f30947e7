#include "datamodel/FieldLines.h"

#include <algorithm>

namespace {

constexpr std::size_t kCacheLine = 64;
constexpr std::size_t kFloat = 4;

} // namespace

std::vector<std::size_t> FieldLineOffsets(std::span<const std::size_t> fieldOffsets)
{
    std::vector<std::size_t> sorted(fieldOffsets.begin(), fieldOffsets.end());
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::size_t> lines;
    // Runs of fields less than a line apart, each asked for from its first to its last byte.
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i;
        while (j + 1 < sorted.size() && sorted[j + 1] - sorted[j] < kCacheLine)
            ++j;
        const std::size_t last = sorted[j] + kFloat - 1;
        for (std::size_t offset = sorted[i]; offset < last; offset += kCacheLine)
            lines.push_back(offset);
        lines.push_back(last);
        i = j + 1;
    }
    return lines;
}
