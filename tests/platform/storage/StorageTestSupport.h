#pragma once
// Helpers shared by the compound-file tests: scratch files, byte patterns, whole-stream I/O.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "platform/storage/CompoundFile.h"
#include "platform/storage/StorageStream.h"

namespace storage_test {

// A scratch directory removed with the object.
class CScratchDir
{
public:
    CScratchDir();
    ~CScratchDir();
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

private:
    std::filesystem::path m_dir;
};

// Deterministic bytes that differ by seed and position.
std::string Pattern(std::size_t size, unsigned seed);

EStorageResult WriteStream(CCompoundFile& file, const std::string& name, const std::string& data,
                           std::size_t chunk = 4096);
// The whole stream; empty and a failed result when it cannot be read.
EStorageResult ReadStream(CCompoundFile& file, const std::string& name, std::string& data);
// Every root stream of a file by name, read through a read-only open.
EStorageResult ReadAll(const std::string& path, std::map<std::string, std::string>& streams);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Runs a shell command; its standard output, and its exit status in `status`.
std::string RunCommand(const std::string& command, int& status);

} // namespace storage_test
