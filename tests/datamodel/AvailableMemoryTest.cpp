// The memory a session may take, read from sample /proc and /sys files of the kinds of systems the
// program meets: control groups of version 2, of version 1, nested, and groups holding file pages.
#include "datamodel/AvailableMemory.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kSystemAvailable = 8192 * kMiB;
constexpr const char* kNoLimitV1 = "9223372036854771712";

class AvailableMemoryTest : public ::testing::Test
{
protected:
    void SetUp() override { Write("proc/meminfo", "MemTotal:       16777216 kB\nMemAvailable:    8388608 kB\n"); }

    void Write(const std::string& relative, const std::string& text) const
    {
        const auto path = m_root.Root() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    // A group of version 1 (the memory controller's files) or version 2.
    void WriteGroupV1(const std::string& folder, const std::string& limit, std::uint64_t usage,
                      std::uint64_t inactiveFile = 0) const
    {
        Write(folder + "/memory.limit_in_bytes", limit + "\n");
        Write(folder + "/memory.usage_in_bytes", std::to_string(usage) + "\n");
        Write(folder + "/memory.stat", "cache 0\ninactive_file " + std::to_string(inactiveFile) +
                                           "\nhierarchical_memory_limit 0\ntotal_inactive_file " +
                                           std::to_string(inactiveFile) + "\n");
    }
    void WriteGroupV2(const std::string& folder, const std::string& max, std::uint64_t current,
                      std::uint64_t inactiveFile = 0) const
    {
        Write(folder + "/memory.max", max + "\n");
        Write(folder + "/memory.current", std::to_string(current) + "\n");
        Write(folder + "/memory.stat", "anon 0\nfile " + std::to_string(inactiveFile) + "\ninactive_file " +
                                           std::to_string(inactiveFile) + "\nactive_file 0\n");
    }
    // A system with both hierarchies mounted, as systemd's hybrid layout does.
    void WriteHybridMounts() const
    {
        Write("proc/self/mountinfo",
              "31 23 0:28 / /sys/fs/cgroup rw,relatime - tmpfs tmpfs rw,mode=755\n"
              "32 31 0:29 / /sys/fs/cgroup/cpu,cpuacct rw,relatime - cgroup cgroup rw,cpu,cpuacct\n"
              "35 31 0:32 / /sys/fs/cgroup/memory rw,nosuid shared:9 - cgroup cgroup rw,memory\n"
              "41 31 0:38 / /sys/fs/cgroup/unified rw,relatime - cgroup2 cgroup2 rw\n");
    }
    std::optional<std::uint64_t> Available() const { return QueryAvailableMemoryUnder(m_root.Root()); }

    CTempFolder m_root;
};

TEST_F(AvailableMemoryTest, AVersion1MemoryGroupLimitsWhatASessionMayTake)
{
    // The group of 300 MiB that ended a 272 MB session's load: 100 MiB used, 200 MiB left.
    WriteHybridMounts();
    Write("proc/self/cgroup", "9:name=systemd:/\n4:memory:/session/run\n1:cpu,cpuacct:/\n0::/\n");
    WriteGroupV1("sys/fs/cgroup/memory", kNoLimitV1, 4000 * kMiB);
    WriteGroupV1("sys/fs/cgroup/memory/session/run", std::to_string(300 * kMiB), 100 * kMiB);
    EXPECT_EQ(Available(), 200 * kMiB);
    // A memory controller named among others on its line, with no mount information to find it.
    Write("proc/self/cgroup", "4:cpuset,memory:/session/run\n");
    Write("proc/self/mountinfo", "");
    EXPECT_EQ(Available(), 200 * kMiB);
}

TEST_F(AvailableMemoryTest, TheTightestOfNestedLimitsHolds)
{
    // Version 1: the process's own group has no limit, the one above it has.
    WriteHybridMounts();
    Write("proc/self/cgroup", "4:memory:/outer/inner\n0::/\n");
    WriteGroupV1("sys/fs/cgroup/memory/outer", std::to_string(300 * kMiB), 250 * kMiB);
    WriteGroupV1("sys/fs/cgroup/memory/outer/inner", kNoLimitV1, 50 * kMiB);
    EXPECT_EQ(Available(), 50 * kMiB);
    // An inner limit tighter than the outer one.
    WriteGroupV1("sys/fs/cgroup/memory/outer/inner", std::to_string(60 * kMiB), 50 * kMiB);
    EXPECT_EQ(Available(), 10 * kMiB);

    // Version 2 alone: "max" in the process's group, 1 GiB above it.
    Write("proc/self/mountinfo", "30 23 0:26 / /sys/fs/cgroup rw,nosuid - cgroup2 cgroup2 rw,nsdelegate\n");
    Write("proc/self/cgroup", "0::/user.slice/app.scope\n");
    WriteGroupV2("sys/fs/cgroup/user.slice", std::to_string(1024 * kMiB), 700 * kMiB);
    WriteGroupV2("sys/fs/cgroup/user.slice/app.scope", "max", 600 * kMiB);
    EXPECT_EQ(Available(), 324 * kMiB);
    // Both versions' limits apply where both are mounted.
    WriteHybridMounts();
    Write("proc/self/cgroup", "4:memory:/outer/inner\n0::/user.slice/app.scope\n");
    WriteGroupV2("sys/fs/cgroup/unified/user.slice", std::to_string(1024 * kMiB), 1000 * kMiB);
    EXPECT_EQ(Available(), 10 * kMiB);
    WriteGroupV1("sys/fs/cgroup/memory/outer/inner", kNoLimitV1, 0);
    WriteGroupV1("sys/fs/cgroup/memory/outer", kNoLimitV1, 0);
    EXPECT_EQ(Available(), 24 * kMiB);
}

TEST_F(AvailableMemoryTest, FilePagesTheKernelCanDropCountAsAvailable)
{
    // 900 of 1024 MiB charged to the group after large files were read, 600 MiB of them inactive
    // file pages: 724 MiB can still be had.
    Write("proc/self/mountinfo", "30 23 0:26 / /sys/fs/cgroup rw,nosuid - cgroup2 cgroup2 rw\n");
    Write("proc/self/cgroup", "0::/app\n");
    WriteGroupV2("sys/fs/cgroup/app", std::to_string(1024 * kMiB), 900 * kMiB, 600 * kMiB);
    EXPECT_EQ(Available(), 724 * kMiB);

    WriteHybridMounts();
    Write("proc/self/cgroup", "4:memory:/app\n0::/\n");
    WriteGroupV1("sys/fs/cgroup/memory/app", std::to_string(300 * kMiB), 280 * kMiB, 200 * kMiB);
    EXPECT_EQ(Available(), 220 * kMiB);
    // A group over its limit leaves nothing.
    WriteGroupV1("sys/fs/cgroup/memory/app", std::to_string(300 * kMiB), 320 * kMiB, 10 * kMiB);
    EXPECT_EQ(Available(), 0u);
}

TEST_F(AvailableMemoryTest, WithoutAGroupLimitTheSystemsAvailableMemoryCounts)
{
    WriteHybridMounts();
    Write("proc/self/cgroup", "4:memory:/app\n0::/app\n");
    WriteGroupV1("sys/fs/cgroup/memory", kNoLimitV1, 4000 * kMiB);
    WriteGroupV1("sys/fs/cgroup/memory/app", kNoLimitV1, 100 * kMiB);
    WriteGroupV2("sys/fs/cgroup/unified/app", "max", 100 * kMiB);
    EXPECT_EQ(Available(), kSystemAvailable);
    // A container's view: its group is the top of the mount, which names it as its root.
    Write("proc/self/mountinfo", "35 31 0:32 /docker/abc /sys/fs/cgroup/memory ro,nosuid - cgroup cgroup rw,memory\n");
    Write("proc/self/cgroup", "4:memory:/docker/abc\n");
    WriteGroupV1("sys/fs/cgroup/memory", std::to_string(512 * kMiB), 12 * kMiB);
    EXPECT_EQ(Available(), 500 * kMiB);
    // A group with a limit but no usage to read counts for nothing; the system's line is found
    // by its whole key, last in the file and without a line end.
    std::filesystem::remove(m_root.Root() / "sys/fs/cgroup/memory/memory.usage_in_bytes");
    Write("proc/meminfo", "MemAvailableSoon: 1 kB\n\tMemFree: 2 kB\nMemAvailable:\t8388608 kB");
    EXPECT_EQ(Available(), kSystemAvailable);
    // Nothing to read at all: nothing known.
    std::filesystem::remove_all(m_root.Root() / "proc");
    std::filesystem::remove_all(m_root.Root() / "sys");
    EXPECT_EQ(Available(), std::nullopt);
}

} // namespace

namespace {

// A load right after another is not refused on an answer of the system's it did not ask for: an
// answer is reused only for a small part of it, and never while tests pin one.
TEST(RecentAvailableMemory, CoversOnlyASmallPartOfTheLastAnswer)
{
    const auto available = QueryAvailableMemory();
    if (!available)
        GTEST_SKIP() << "the system's available memory cannot be read here";
    EXPECT_TRUE(IsMemoryRecentlyPlentiful(*available / 8));
    EXPECT_FALSE(IsMemoryRecentlyPlentiful(*available / 8 + 1));
    SetAvailableMemoryForTesting(*available);
    EXPECT_FALSE(IsMemoryRecentlyPlentiful(1));
    ResetAvailableMemoryForTesting();
}

} // namespace
