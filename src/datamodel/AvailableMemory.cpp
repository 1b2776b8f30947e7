#include "datamodel/AvailableMemory.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

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

// The system's last answer, for the loads that follow it closely (a project's sessions are
// loaded one after another): asking again costs reading the kernel's figures, as long as loading
// a tenth of a small session.
struct SLastAnswer
{
    std::mutex mutex;
    std::optional<std::chrono::steady_clock::time_point> at;
    std::uint64_t bytes = 0;
};

SLastAnswer& LastAnswer()
{
    static SLastAnswer answer;
    return answer;
}

constexpr auto kPlentyKeeps = std::chrono::seconds(1);
constexpr std::uint64_t kPlentyFactor = 8;

// Version 1 writes "no limit" as the largest page-aligned 63-bit number.
constexpr std::uint64_t kNoLimitFrom = std::uint64_t(1) << 62;

// The files of one version of memory control groups.
struct SGroupFiles
{
    const char* limit;
    const char* usage;
    // Keys of memory.stat for the file pages the kernel may drop, the group's descendants included.
    std::vector<const char*> reclaimable;
};

const SGroupFiles kVersion2{"memory.max", "memory.current", {"inactive_file"}};
const SGroupFiles kVersion1{"memory.limit_in_bytes", "memory.usage_in_bytes", {"total_inactive_file", "inactive_file"}};

// Where a control group hierarchy is mounted: the mount point, and the group its top stands for.
struct SMount
{
    std::filesystem::path point;
    std::string root;
};

// The whole text of a file open for reading, read from its start.
std::optional<std::string> ReadFromStart(int fd)
{
    std::string text;
    char buffer[4096];
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return text;
        text.append(buffer, std::size_t(got));
        at += got;
    }
}

// The kernel's own files, opened once per process: the check runs before every load, and finding
// and opening the four it reads took as long as reading them (a read from the start gives the
// current text). A file that could not be opened is not tried again.
int KeptOpen(const std::filesystem::path& path)
{
    static std::mutex mutex;
    static std::map<std::string, int> files;
    std::lock_guard lock(mutex);
    const auto [file, added] = files.try_emplace(path.native(), -1);
    if (added)
        file->second = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return file->second;
}

// The whole of a small /proc or /sys file.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& path)
{
    const std::string& name = path.native();
    if (name.starts_with("/proc/") || name.starts_with("/sys/")) {
        const int fd = KeptOpen(path);
        return fd < 0 ? std::nullopt : ReadFromStart(fd);
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    auto text = ReadFromStart(fd);
    ::close(fd);
    return text;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// A decimal number after blanks at the start of `text`.
std::optional<std::uint64_t> ParseNumber(std::string_view text)
{
    const auto digits = std::ranges::find_if_not(text, IsBlank);
    std::uint64_t value = 0;
    const char* first = text.data() + (digits - text.begin());
    if (std::from_chars(first, text.data() + text.size(), value).ec != std::errc())
        return std::nullopt;
    return value;
}

// "key value" lines of /proc/meminfo (value in kB) and of memory.stat (value in bytes).
std::optional<std::uint64_t> ReadKeyed(const std::filesystem::path& path, std::string_view wanted)
{
    const auto text = ReadSmallFile(path);
    if (!text)
        return std::nullopt;
    for (std::string_view rest = *text; !rest.empty();) {
        const auto end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        const auto keyEnd = std::min(line.find_first_of(" \t"), line.size());
        if (line.substr(0, keyEnd) != wanted)
            continue;
        if (const auto value = ParseNumber(line.substr(keyEnd)))
            return value;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> ReadNumber(const std::filesystem::path& path)
{
    const auto text = ReadSmallFile(path);
    return text ? ParseNumber(*text) : std::nullopt; // also "max", version 2's "no limit"
}

std::optional<std::uint64_t> SystemAvailable(const std::filesystem::path& root)
{
    const auto kib = ReadKeyed(root / "proc/meminfo", "MemAvailable:");
    return kib ? std::optional(*kib * 1024) : std::nullopt;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    return parts;
}

// The mount of the version 2 hierarchy (`memoryV1` false) or of the version 1 memory controller,
// from /proc/self/mountinfo: "id parent dev root point options [tags] - type source superoptions".
std::optional<SMount> FindMount(const std::filesystem::path& root, bool memoryV1)
{
    std::ifstream info(root / "proc/self/mountinfo");
    std::string line;
    while (std::getline(info, line)) {
        const auto dash = line.find(" - ");
        if (dash == std::string::npos)
            continue;
        std::istringstream head(line.substr(0, dash));
        std::istringstream tail(line.substr(dash + 3));
        std::string id, parent, device, groupRoot, point, type, source, options;
        if (!(head >> id >> parent >> device >> groupRoot >> point) || !(tail >> type >> source >> options))
            continue;
        const auto optionList = Split(options, ',');
        const bool wanted = memoryV1 ? type == "cgroup" && std::ranges::find(optionList, "memory") != optionList.end()
                                     : type == "cgroup2";
        if (wanted)
            return SMount{root / std::filesystem::path(point).relative_path(), groupRoot};
    }
    return std::nullopt;
}

// The group of the process in one hierarchy, from /proc/self/cgroup: "0::<path>" for version 2,
// "<n>:<controllers>:<path>" with "memory" among the controllers for version 1.
std::optional<std::string> FindGroup(const std::filesystem::path& root, bool memoryV1)
{
    std::ifstream self(root / "proc/self/cgroup");
    std::string line;
    while (std::getline(self, line)) {
        const auto first = line.find(':');
        const auto second = first == std::string::npos ? first : line.find(':', first + 1);
        if (second == std::string::npos)
            continue;
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const auto controllerList = Split(controllers, ',');
        const bool wanted = memoryV1 ? std::ranges::find(controllerList, "memory") != controllerList.end()
                                     : line.rfind("0::", 0) == 0;
        if (wanted)
            return line.substr(second + 1);
    }
    return std::nullopt;
}

// What one group still allows: its limit less what it uses, the pages the kernel can drop
// counted as free; nothing without a limit.
std::optional<std::uint64_t> LevelAvailable(const std::filesystem::path& folder, const SGroupFiles& files)
{
    // Most groups have no limit: their usage is not read.
    const auto limit = ReadNumber(folder / files.limit);
    if (!limit || *limit >= kNoLimitFrom)
        return std::nullopt;
    const auto used = ReadNumber(folder / files.usage);
    if (!used)
        return std::nullopt;
    std::uint64_t reclaimable = 0;
    for (const char* key : files.reclaimable)
        if (const auto pages = ReadKeyed(folder / "memory.stat", key)) {
            reclaimable = *pages;
            break;
        }
    const std::uint64_t held = *used - std::min(reclaimable, *used);
    return *limit > held ? *limit - held : 0;
}

// Where the process's group of one hierarchy lies: its folder and the hierarchy's mount point.
struct SGroupFolder
{
    std::filesystem::path folder;
    std::filesystem::path top;
};

std::optional<SGroupFolder> FindGroupFolder(const std::filesystem::path& root, bool memoryV1)
{
    const auto group = FindGroup(root, memoryV1);
    if (!group)
        return std::nullopt;
    const SMount mount = FindMount(root, memoryV1)
                             .value_or(SMount{root / (memoryV1 ? "sys/fs/cgroup/memory" : "sys/fs/cgroup"), "/"});
    // A group under the mount's own root is found below the mount point; one outside it (seen
    // from another namespace) is the mount point itself.
    std::string relative = *group;
    if (mount.root != "/" && relative.rfind(mount.root, 0) == 0)
        relative = relative.substr(mount.root.size());
    else if (mount.root != "/")
        relative.clear();
    std::filesystem::path folder = mount.point;
    if (const auto below = std::filesystem::path(relative).relative_path(); !below.empty())
        folder /= below;
    // A group that is not there (gone, or not visible here) is held by the nearest one above it.
    std::error_code ec;
    while (folder != mount.point && folder != folder.parent_path() && !std::filesystem::is_directory(folder, ec))
        folder = folder.parent_path();
    return SGroupFolder{folder, mount.point};
}

// The tightest of the limits from the group up to the top of the hierarchy that is visible: a
// group without a limit of its own is still held by those above it.
std::optional<std::uint64_t> HierarchyAvailable(const SGroupFolder& group, bool memoryV1)
{
    const SGroupFiles& files = memoryV1 ? kVersion1 : kVersion2;
    std::optional<std::uint64_t> tightest;
    for (std::filesystem::path level = group.folder;; level = level.parent_path()) {
        if (const auto available = LevelAvailable(level, files))
            tightest = std::min(tightest.value_or(*available), *available);
        if (level == group.top || level == level.parent_path())
            break;
    }
    return tightest;
}

// The system's available memory, then each hierarchy's limits from the groups' folders.
std::optional<std::uint64_t> Available(const std::filesystem::path& root,
                                       const std::optional<SGroupFolder> (&groups)[2])
{
    std::optional<std::uint64_t> available = SystemAvailable(root);
    for (bool memoryV1 : {false, true})
        if (const auto& group = groups[memoryV1 ? 1 : 0])
            if (const auto limit = HierarchyAvailable(*group, memoryV1))
                available = std::min(available.value_or(*limit), *limit);
    return available;
}

} // namespace

std::optional<std::uint64_t> QueryAvailableMemoryUnder(const std::filesystem::path& root)
{
    const std::optional<SGroupFolder> groups[2] = {FindGroupFolder(root, false), FindGroupFolder(root, true)};
    return Available(root, groups);
}

std::optional<std::uint64_t> QueryAvailableMemory()
{
    if (Pinned().pinned)
        return Pinned().bytes;
    // Where the process's groups lie is found once: reading the mount table took a quarter of a
    // millisecond, as much as loading a small session's tenth part.
    static const std::optional<SGroupFolder> groups[2] = {FindGroupFolder("/", false), FindGroupFolder("/", true)};
    const auto available = Available("/", groups);
    if (available) {
        std::lock_guard lock(LastAnswer().mutex);
        LastAnswer().bytes = *available;
        LastAnswer().at = std::chrono::steady_clock::now();
    }
    return available;
}

bool IsMemoryRecentlyPlentiful(std::uint64_t bytes)
{
    if (Pinned().pinned)
        return false;
    SLastAnswer& last = LastAnswer();
    std::lock_guard lock(last.mutex);
    return last.at && std::chrono::steady_clock::now() - *last.at < kPlentyKeeps &&
           bytes <= last.bytes / kPlentyFactor;
}

void SetAvailableMemoryForTesting(std::optional<std::uint64_t> bytes)
{
    Pinned() = {true, bytes};
}

void ResetAvailableMemoryForTesting()
{
    Pinned() = {};
}
