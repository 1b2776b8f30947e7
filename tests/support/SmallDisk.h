#pragma once
// A file system of its own, small enough to fill, for tests of what a full or read-only disk
// does: the test runs again in a child process, in user and mount name spaces of its own, with a
// tmpfs of the given size mounted on a folder that the child finds in ORN_SMALL_DISK.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "support/TempFolder.h"

// In the child, the small disk's folder; empty in the test's own process.
inline std::string SmallDiskFolder()
{
    const char* folder = std::getenv("ORN_SMALL_DISK");
    return folder ? folder : "";
}

// Runs the current test again on a small disk of that many KiB; false where the system lets no
// process mount one (the caller skips the test then).
inline bool RunCurrentTestOnSmallDisk(int kib)
{
    if (std::system("unshare -rm true >/dev/null 2>&1") != 0)
        return false;
    char self[PATH_MAX] = {};
    if (::readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
        return false;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const CTempFolder mountPoint;
    const std::string command = "unshare -rm sh -c 'mount -t tmpfs -o size=" + std::to_string(kib) +
                                "k tmpfs \"$0\" && ORN_SMALL_DISK=\"$0\" exec \"$@\"' '" + mountPoint.Root().string() +
                                "' '" + self + "' --gtest_filter=" + test->test_suite_name() + "." + test->name();
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the test failed on the small disk";
    return true;
}

// Fills the file system of the folder but for `room` bytes; the filler is the file "filler".
inline void FillDisk(const std::string& folder, off_t room)
{
    const int fd = ::open((folder + "/filler").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    const std::vector<char> block(4096, 'x');
    while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) {
    }
    std::vector<char> rest(1, 'x');
    while (fd >= 0 && ::write(fd, rest.data(), 1) > 0) {
    }
    if (fd >= 0) {
        ::ftruncate(fd, std::max<off_t>(0, ::lseek(fd, 0, SEEK_END) - room));
        ::close(fd);
    }
}

// Makes the small disk read-only (in its child process).
inline bool MakeSmallDiskReadOnly()
{
    return ::mount(nullptr, SmallDiskFolder().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
