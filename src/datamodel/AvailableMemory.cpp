#include "datamodel/AvailableMemory.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct SPinnedAnswer
{
    bool pinned = false;
    std::optional<std::uint64_t> bytes;
};

SPinnedAnswer& Pinned()
{
    static SPinnedAnswer answer;
    return answer;
}

// "MemAvailable:  123456 kB" of /proc/meminfo.
std::optional<std::uint64_t> SystemAvailable()
{
    std::ifstream info("/proc/meminfo");
    std::string line;
    while (std::getline(info, line)) {
        std::istringstream fields(line);
        std::string key;
        std::uint64_t kib = 0;
        if (fields >> key >> kib && key == "MemAvailable:")
            return kib * 1024;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> ReadNumber(const std::string& path)
{
    std::ifstream file(path);
    std::uint64_t value = 0;
    if (file >> value)
        return value;
    return std::nullopt;
}

// What the control group of the process (version 2) still allows; nothing without a limit.
std::optional<std::uint64_t> GroupAvailable()
{
    std::ifstream self("/proc/self/cgroup");
    std::string line;
    if (!std::getline(self, line) || line.rfind("0::", 0) != 0)
        return std::nullopt;
    const std::string folder = "/sys/fs/cgroup" + line.substr(3);
    const auto limit = ReadNumber(folder + "/memory.max"); // "max" reads as no number
    const auto used = ReadNumber(folder + "/memory.current");
    if (!limit || !used)
        return std::nullopt;
    return *limit > *used ? *limit - *used : 0;
}

} // namespace

std::optional<std::uint64_t> QueryAvailableMemory()
{
    if (Pinned().pinned)
        return Pinned().bytes;
    const auto system = SystemAvailable();
    const auto group = GroupAvailable();
    if (system && group)
        return std::min(*system, *group);
    return system ? system : group;
}

void SetAvailableMemoryForTesting(std::optional<std::uint64_t> bytes)
{
    Pinned() = {true, bytes};
}

void ResetAvailableMemoryForTesting()
{
    Pinned() = {};
}
