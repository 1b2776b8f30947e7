// Compound-file storage: writing a large stream, replacing a small one in a small and in a
// large archive (the cost must not grow with the archive), and sequential reading against a
// plain file read.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/storage/CompoundFile.h"
#include "platform/storage/StorageStream.h"

namespace {

constexpr std::size_t kBlock = 4096; // the archive's copy block
constexpr std::size_t kMiB = 1024 * 1024;

std::string ScratchPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("orn_bench_" + std::to_string(getpid()) + "_" + name)).string();
}

std::vector<char> Block(char fill)
{
    return std::vector<char>(kBlock, fill);
}

bool WriteArchive(const std::string& path, std::size_t bigBytes)
{
    std::shared_ptr<CCompoundFile> file;
    if (CCompoundFile::Create(path.c_str(), file) != EStorageResult::Ok)
        return false;
    std::unique_ptr<CStorageStream> stream;
    if (file->CreateStream("session.zlg", EStreamCreate::Replace, stream) != EStorageResult::Ok)
        return false;
    stream->SetSize(bigBytes);
    const std::vector<char> block = Block('s');
    for (std::size_t done = 0; done < bigBytes; done += kBlock)
        if (stream->Write(block.data(), kBlock) != EStorageResult::Ok)
            return false;
    return stream->Close() == EStorageResult::Ok;
}

void BM_WriteLargeStream(benchmark::State& state)
{
    const std::size_t bytes = std::size_t(state.range(0)) * kMiB;
    const std::string path = ScratchPath("write.zca");
    for (auto _ : state) {
        if (!WriteArchive(path, bytes))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(std::int64_t(bytes) * state.iterations());
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteLargeStream)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(2);

// 100 rewrites of a 20 KB "project.xml" next to a session stream of the given size (MiB); the
// time shown is for all 100.
void BM_ReplaceSmallStream(benchmark::State& state)
{
    const std::string path = ScratchPath("replace.zca");
    if (!WriteArchive(path, std::size_t(state.range(0)) * kMiB)) {
        state.SkipWithError("setup failed");
        return;
    }
    std::shared_ptr<CCompoundFile> file;
    CCompoundFile::Open(path.c_str(), EStorageAccess::ReadWrite, file);
    std::vector<char> xml(20000, 'x');
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            std::unique_ptr<CStorageStream> stream;
            xml[0] = char('a' + i % 26);
            if (file->CreateStream("project.xml", EStreamCreate::Replace, stream) != EStorageResult::Ok ||
                stream->Write(xml.data(), xml.size()) != EStorageResult::Ok || stream->Close() != EStorageResult::Ok)
                state.SkipWithError("replace failed");
        }
    }
    state.counters["file_MB"] = double(std::filesystem::file_size(path)) / kMiB;
    file.reset();
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReplaceSmallStream)->Arg(2)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(3);

const std::string& LargeArchive()
{
    static const std::string path = [] {
        const std::string p = ScratchPath("read.zca");
        WriteArchive(p, 200 * kMiB);
        return p;
    }();
    return path;
}

const std::string& PlainFile()
{
    static const std::string path = [] {
        const std::string p = ScratchPath("read.bin");
        FILE* out = std::fopen(p.c_str(), "wb");
        const std::vector<char> block = Block('s');
        for (std::size_t done = 0; done < 200 * kMiB; done += kBlock)
            std::fwrite(block.data(), 1, kBlock, out);
        std::fclose(out);
        return p;
    }();
    return path;
}

void BM_ReadLargeStream(benchmark::State& state)
{
    std::shared_ptr<CCompoundFile> file;
    if (CCompoundFile::Open(LargeArchive().c_str(), EStorageAccess::Read, file) != EStorageResult::Ok) {
        state.SkipWithError("open failed");
        return;
    }
    std::vector<char> block(kBlock);
    std::uint64_t total = 0;
    for (auto _ : state) {
        std::unique_ptr<CStorageStream> stream;
        file->OpenStream("session.zlg", EStorageAccess::Read, stream);
        std::size_t read = 0;
        while (stream->Read(block.data(), block.size(), read) == EStorageResult::Ok && read > 0)
            total += read;
    }
    state.SetBytesProcessed(std::int64_t(total));
}
BENCHMARK(BM_ReadLargeStream)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReadPlainFile(benchmark::State& state)
{
    // Made before the timed loop, as the archive is.
    const std::string& path = PlainFile();
    std::vector<char> block(kBlock);
    std::uint64_t total = 0;
    for (auto _ : state) {
        FILE* in = std::fopen(path.c_str(), "rb");
        std::size_t read = 0;
        while ((read = std::fread(block.data(), 1, block.size(), in)) > 0)
            total += read;
        std::fclose(in);
    }
    state.SetBytesProcessed(std::int64_t(total));
}
BENCHMARK(BM_ReadPlainFile)->Unit(benchmark::kMillisecond)->Iterations(5);

// The read benchmarks' files go when the program ends.
struct SCleanup
{
    ~SCleanup()
    {
        std::error_code ignored;
        std::filesystem::remove(ScratchPath("read.zca"), ignored);
        std::filesystem::remove(ScratchPath("read.bin"), ignored);
    }
} g_cleanup;

} // namespace
