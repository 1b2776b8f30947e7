// One process of the first-load benchmark: loads a session file as the program does ("load"),
// reads the same file into memory it has just allocated ("read") or through one small buffer
// ("stream"), `repeat` times, and prints the milliseconds of each on a line of its own. The first
// figure is the one of a new process.
#include "datamodel/DataSet.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool ReadWholeFile(const char* path)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0)
        return false;
    const std::size_t size = std::size_t(info.st_size);
    const std::unique_ptr<char[]> bytes(new char[size]);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, bytes.get() + done, size - done);
        if (got <= 0)
            break;
        done += std::size_t(got);
    }
    ::close(fd);
    // Keeps the copy from being left out.
    volatile char last = size ? bytes[size - 1] : 0;
    (void)last;
    return done == size;
}

// The file through a buffer of 1 MiB used again and again: the page cache's copy alone.
bool StreamWholeFile(const char* path)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const std::unique_ptr<char[]> buffer(new char[1 << 20]);
    ssize_t got = 0;
    while ((got = ::read(fd, buffer.get(), 1 << 20)) > 0) {
    }
    ::close(fd);
    return got == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const std::string mode = argv[1];
    const int repeat = argc > 3 ? std::atoi(argv[3]) : 1;
    for (int i = 0; i < repeat; ++i) {
        const auto start = std::chrono::steady_clock::now();
        bool done = false;
        if (mode == "read") {
            done = ReadWholeFile(argv[2]);
        } else if (mode == "stream") {
            done = StreamWholeFile(argv[2]);
        } else if (mode == "load") {
            CDataSet set(nullptr);
            done = set.LoadFromFile(CString(argv[2]), false) == 0;
        }
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (!done)
            return 1;
        std::printf("%.3f\n", ms);
    }
    return 0;
}
