// One process of the first-load benchmark: loads a session file as the program does ("load"),
// reads the same file into memory it has just allocated ("read"), into memory written before the
// first run ("prefaulted") or through one small buffer ("stream"), `repeat` times, and prints the
// milliseconds of each on a line of its own, then the processor time of the process over it (page
// faults and copies of the kernel included; steadier while other work shares the machine). The
// first line is the one of a new process. "warm" takes turns: a read into memory written before
// the first run, then a load, `repeat` times, a line each: each load beside its own yardstick.
#include "datamodel/DataSet.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads the whole file into `bytes` (at least the file's size).
bool ReadInto(const char* path, char* bytes, std::size_t size)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, bytes + done, size - done);
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

std::size_t FileSize(const char* path)
{
    struct stat info {};
    return ::stat(path, &info) == 0 ? std::size_t(info.st_size) : 0;
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

// Milliseconds since `start`.
double MsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Processor time of the process so far, its own and the kernel's on its behalf.
double CpuMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const std::string mode = argv[1];
    const char* path = argv[2];
    const int repeat = argc > 3 ? std::atoi(argv[3]) : 1;
    const std::size_t size = FileSize(path);
    // The pre-faulted read's buffer is written once before any timing.
    std::unique_ptr<char[]> prefaulted;
    if (mode == "prefaulted" || mode == "warm") {
        prefaulted.reset(new char[size]);
        std::memset(prefaulted.get(), 1, size);
    }
    const bool turns = mode == "warm";
    for (int i = 0; i < (turns ? 2 * repeat : repeat); ++i) {
        const std::string now = turns ? (i % 2 == 0 ? "prefaulted" : "load") : mode;
        // What a run keeps is given back after its time is taken, for every mode alike: a user
        // waits for a load, not for what closing it later costs.
        std::unique_ptr<char[]> fresh;
        std::unique_ptr<CDataSet> set;
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = CpuMs();
        bool done = false;
        if (now == "read") {
            fresh.reset(new char[size]);
            done = ReadInto(path, fresh.get(), size);
        } else if (now == "prefaulted") {
            done = ReadInto(path, prefaulted.get(), size);
        } else if (now == "stream") {
            done = StreamWholeFile(path);
        } else if (now == "load") {
            set = std::make_unique<CDataSet>(nullptr);
            done = set->LoadFromFile(CString(path), false) == 0;
        }
        const double ms = MsSince(start);
        const double cpuMs = CpuMs() - cpuStart;
        if (!done)
            return 1;
        std::printf("%.3f %.3f\n", ms, cpuMs);
    }
    return 0;
}
