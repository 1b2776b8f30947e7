#include "BenchSessionFile.h"
#include "datamodel/LargeBlock.h"

#include "datamodel/ArchiveStreamStorage.h"
#include "platform/storage/CompoundFile.h"
#include "project/ZcaArchive.h"
#include "support/SessionWriter.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <malloc.h>
#include <sys/mman.h>
#include <map>
#include <tuple>
#include <unistd.h>
#include <utility>

namespace {

std::string ScratchPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("orn-bench-" + std::to_string(::getpid()) + "-" + name)).string();
}

// Every scratch file goes when the program ends.
std::vector<std::string>& ScratchFiles()
{
    static std::vector<std::string> files;
    static const bool cleanup = std::atexit([] {
        for (const auto& file : ScratchFiles())
            std::remove(file.c_str());
    }) == 0;
    (void)cleanup;
    return files;
}

constexpr std::size_t kBlockBytes = 256 * 1024;

} // namespace

const std::string& BenchSessionFile(int records, int averagingSeconds, int demandSeconds, bool bigEndian,
                                    int studyType)
{
    static std::map<std::tuple<int, int, int, bool, int>, std::string> files;
    auto& path = files[{records, averagingSeconds, demandSeconds, bigEndian, studyType}];
    if (path.empty()) {
        SSessionSpec sessionSpec;
        sessionSpec.bigEndian = bigEndian;
        sessionSpec.studyType = WORD(studyType);
        sessionSpec.trendRecords = records;
        sessionSpec.averagingSeconds = DWORD(averagingSeconds);
        sessionSpec.demandSeconds = DWORD(demandSeconds);
        path = ScratchPath(std::to_string(records) + "-" + std::to_string(averagingSeconds) + "-" +
                           std::to_string(demandSeconds) + (bigEndian ? "-be" : "-le") + "-study" +
                           std::to_string(studyType) + ".zlg");
        WriteBytesToFile(path, CSessionWriter(sessionSpec).BuildFile());
        ScratchFiles().push_back(path);
    }
    return path;
}

const std::string& MinuteSessionFile(int records, int studyType)
{
    return BenchSessionFile(records, 60, 300, true, studyType);
}

const std::string& MinuteSessionArchive(int records)
{
    static std::map<int, std::string> files;
    auto& path = files[records];
    if (path.empty()) {
        path = ScratchPath(std::to_string(records) + ".zca");
        CZcaArchive archive;
        const CString session(MinuteSessionFile(records));
        if (!archive.Create(CString(path)) || !archive.ImportFile(kArchiveSessionStream, session))
            std::fprintf(stderr, "archive %s not made\n", path.c_str());
        ScratchFiles().push_back(path);
    }
    return path;
}

CPrefaultedRead::CPrefaultedRead(const std::string& path)
    : m_path(path), m_buffer(std::filesystem::file_size(path), 1)
{
    Read();
}

std::size_t CPrefaultedRead::Read()
{
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    std::size_t done = 0;
    while (fd >= 0 && done < m_buffer.size()) {
        const ssize_t got = ::read(fd, m_buffer.data() + done, m_buffer.size() - done);
        if (got <= 0)
            break;
        done += std::size_t(got);
    }
    if (fd >= 0)
        ::close(fd);
    benchmark::DoNotOptimize(m_buffer.data());
    return done;
}

CFreshPages::CFreshPages(std::size_t bytes)
    : m_bytes(std::max<std::size_t>(bytes, 1)),
      m_pages(::mmap(nullptr, m_bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0))
{
}

CFreshPages::CFreshPages(CFreshPages&& other) noexcept
    : m_bytes(other.m_bytes), m_pages(std::exchange(other.m_pages, MAP_FAILED))
{
}

CFreshPages::~CFreshPages()
{
    if (m_pages != MAP_FAILED)
        ::munmap(m_pages, m_bytes);
}

char* CFreshPages::Data() const
{
    return m_pages == MAP_FAILED ? nullptr : static_cast<char*>(m_pages);
}

CFreshPages ReadIntoFreshPages(const std::string& path)
{
    const std::size_t size = std::filesystem::file_size(path);
    CFreshPages pages(size);
    const int fd = pages.Data() ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC) : -1;
    std::size_t done = 0;
    while (fd >= 0 && done < size) {
        const ssize_t got = ::read(fd, pages.Data() + done, size - done);
        if (got <= 0)
            break;
        done += std::size_t(got);
    }
    if (fd >= 0)
        ::close(fd);
    benchmark::DoNotOptimize(pages.Data());
    return pages;
}

CFreshPages FillFreshPages(std::size_t bytes)
{
    CFreshPages pages(bytes);
    if (pages.Data())
        std::memset(pages.Data(), 0x7f, bytes);
    benchmark::DoNotOptimize(pages.Data());
    return pages;
}

std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd + GetMappedLargeBlockBytes();
}

double MedianMs(std::vector<double> seconds)
{
    if (seconds.empty())
        return 0;
    std::sort(seconds.begin(), seconds.end());
    const std::size_t n = seconds.size();
    return (n % 2 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2) * 1e3;
}

std::size_t ReadArchiveStreamInBlocks(const std::string& archivePath)
{
    std::shared_ptr<CCompoundFile> file;
    if (CCompoundFile::Open(CString(archivePath), EStorageAccess::Read, file) != EStorageResult::Ok)
        return 0;
    CCompoundStreamStorage storage(file);
    std::unique_ptr<IDataStream> stream;
    if (storage.OpenStream(kArchiveSessionStream, stream) != 0)
        return 0;
    std::vector<char> block(kBlockBytes);
    std::size_t total = 0;
    for (std::int64_t got; (got = stream->Read(block.data(), block.size())) > 0;)
        total += std::size_t(got);
    benchmark::DoNotOptimize(block.data());
    return total;
}
