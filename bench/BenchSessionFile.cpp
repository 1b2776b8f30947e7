#include "BenchSessionFile.h"

#include "support/SessionWriter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>
#include <unistd.h>
#include <vector>

const std::string& BenchSessionFile(int records, int averagingSeconds, int demandSeconds, bool bigEndian)
{
    static std::map<std::tuple<int, int, int, bool>, std::string> files;
    auto& path = files[{records, averagingSeconds, demandSeconds, bigEndian}];
    if (path.empty()) {
        SSessionSpec sessionSpec;
        sessionSpec.bigEndian = bigEndian;
        sessionSpec.trendRecords = records;
        sessionSpec.averagingSeconds = averagingSeconds;
        sessionSpec.demandSeconds = demandSeconds;
        path = (std::filesystem::temp_directory_path() /
                ("orn-bench-" + std::to_string(::getpid()) + "-" + std::to_string(records) + "-" +
                 std::to_string(averagingSeconds) + "-" + std::to_string(demandSeconds) + (bigEndian ? "-be" : "-le") +
                 ".zlg")).string();
        WriteBytesToFile(path, CSessionWriter(sessionSpec).BuildFile());
        static const bool cleanup = std::atexit([] {
            for (const auto& [key, file] : files)
                std::remove(file.c_str());
        }) == 0;
        (void)cleanup;
    }
    return path;
}

std::size_t PlainRead(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes(std::filesystem::file_size(path));
    in.read(bytes.data(), std::streamsize(bytes.size()));
    benchmark::DoNotOptimize(bytes.data());
    return std::size_t(in.gcount());
}
