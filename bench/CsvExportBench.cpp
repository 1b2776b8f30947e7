// A CSV export of 100,000 trend records with every column (times in the computer's zone), beside
// writing the same bytes to a file with one write. Both end with the file synced to disk and
// closed, as the export leaves it; the export also renames its finished file over the target.
#include "datamodel/ByteAccess.h"
#include "datamodel/DataTable.h"
#include "datamodel/MeasurementConfig.h"
#include "export/CsvExportFile.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

constexpr int kRecords = 100'000;
constexpr std::size_t kTrendRecordSize = 680;
const std::vector<int> kEveryQuantity = {0, 1, 2, 5, 6, 7, 8, 9, 20, 21, 22, 29, 30, 41, 42, 43, 48, 49, 51, 52};

// Ten-minute records from 2026 on with values of every magnitude a logger records.
const CDataTable& TrendRecords()
{
    static const std::unique_ptr<CDataTable> table = [] {
        auto records = std::make_unique<CDataTable>(64, CDataTable::kOrderedByTime);
        std::vector<BYTE> record(kTrendRecordSize, 0);
        StoreU16(record.data(), 0, 64);
        StoreU16(record.data(), 2, WORD(kTrendRecordSize));
        const ULONGLONG first = 134'116'992'000'000'000ULL; // 2026-01-01 UTC
        const ULONGLONG step = 600ULL * 10'000'000ULL;
        for (int i = 0; i < kRecords; ++i) {
            const ULONGLONG start = first + step * ULONGLONG(i);
            StoreU32(record.data(), 4, DWORD(start >> 32));
            StoreU32(record.data(), 8, DWORD(start));
            StoreU32(record.data(), 12, DWORD((start + step) >> 32));
            StoreU32(record.data(), 16, DWORD(start + step));
            StoreU32(record.data(), 20, 600);
            for (std::size_t offset = 24; offset < kTrendRecordSize; offset += 4)
                StoreF32(record.data(), offset, 230.0f + float(offset) * 0.37f + float(i % 1000) * 1234.567f);
            records->InsertTable(reinterpret_cast<const Umbo_table_header_t*>(record.data()));
        }
        return records;
    }();
    return *table;
}

std::string OutputPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

void BM_CsvExportTrendRecords(benchmark::State& state)
{
    CFrameworkApp::EnsureInitialized();
    CStringTable::Instance().LoadLanguage("ENG");
    const CDataTable& records = TrendRecords();
    const CMeasurementConfig config;
    const std::string path = OutputPath("orn-bench-export.csv");
    for (auto _ : state) {
        CCsvExportFile writer(config);
        if (writer.Export(records, CString(path), kEveryQuantity, true, true, true, true) != CCsvExportFile::kWritten)
            state.SkipWithError("export failed");
    }
    const auto bytes = std::filesystem::file_size(path);
    state.SetBytesProcessed(std::int64_t(bytes) * state.iterations());
    state.counters["file_MB"] = double(bytes) / 1e6;
    std::filesystem::remove(path);
}
BENCHMARK(BM_CsvExportTrendRecords)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteSameBytesAtOnce(benchmark::State& state)
{
    CFrameworkApp::EnsureInitialized();
    CStringTable::Instance().LoadLanguage("ENG");
    const std::string source = OutputPath("orn-bench-export-source.csv");
    CCsvExportFile(CMeasurementConfig())
        .Export(TrendRecords(), CString(source), kEveryQuantity, true, true, true, true);
    std::ifstream in(source, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string bytes = text.str();
    std::filesystem::remove(source);
    const std::string path = OutputPath("orn-bench-plain.csv");
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        const bool ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size()) && ::fsync(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        if (!ok)
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(std::int64_t(bytes.size()) * state.iterations());
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteSameBytesAtOnce)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
