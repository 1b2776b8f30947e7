#pragma once
// Session files the benchmarks load, and the yardsticks a load is measured against: written once
// per process into the temporary folder and removed when the process ends.
#include <cstddef>
#include <string>
#include <vector>

// A session of `records` trend records in the logger's own (big-endian) byte order or in host
// order, with the given averaging and demand intervals, of an Energy (1) or Load (2) study.
const std::string& BenchSessionFile(int records, int averagingSeconds, int demandSeconds, bool bigEndian,
                                    int studyType = 1);

// A one-minute session in the logger's byte order (5-minute demand), the size every load,
// build and project benchmark uses.
const std::string& MinuteSessionFile(int records, int studyType = 1);

// A project archive holding that session as the stream kArchiveSessionStream.
const std::string& MinuteSessionArchive(int records);
inline constexpr const char* kArchiveSessionStream = "session.zlg";

// Reads a whole file into a buffer that was faulted in beforehand, so that only the copy from
// the page cache is timed: the cheapest way the bytes can reach the program.
class CPrefaultedRead
{
public:
    explicit CPrefaultedRead(const std::string& path);
    // Returns the bytes read.
    std::size_t Read();

private:
    std::string m_path;
    std::vector<char> m_buffer;
};

// Anonymous pages of their own, so that the allocator never hands back pages already faulted in;
// given back when the object goes.
class CFreshPages
{
public:
    explicit CFreshPages(std::size_t bytes);
    CFreshPages(CFreshPages&& other) noexcept;
    CFreshPages(const CFreshPages&) = delete;
    CFreshPages& operator=(const CFreshPages&) = delete;
    ~CFreshPages();
    char* Data() const;

private:
    std::size_t m_bytes;
    void* m_pages;
};

// Reads a whole file into pages mapped just before: what any load that copies the bytes into
// memory of its own cannot beat, the page faults included. The pages are given back when the
// caller lets them go, after its timing, as a timed load's data set is.
CFreshPages ReadIntoFreshPages(const std::string& path);

// Writes `bytes` bytes into pages mapped just before: the least a build that keeps that much new
// memory costs. Given back as above.
CFreshPages FillFreshPages(std::size_t bytes);

// Heap bytes in use (arena and mapped blocks), from the allocator's own figures, and the record
// blocks mapped apart from the heap.
std::size_t HeapInUse();

// The median of the samples (seconds) in milliseconds.
double MedianMs(std::vector<double> seconds);

// The bytes of the file read in 256 KiB blocks through the archive's session stream (the data
// set's reader interface); returns the bytes read.
std::size_t ReadArchiveStreamInBlocks(const std::string& archivePath);
