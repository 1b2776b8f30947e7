#include "platform/storage/StorageTestSupport.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace storage_test {

CScratchDir::CScratchDir()
{
    static int counter = 0;
    m_dir = std::filesystem::temp_directory_path() /
            ("orn_storage_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
}

CScratchDir::~CScratchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

std::string Pattern(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    std::uint32_t state = seed * 2654435761u + 1;
    for (char& c : bytes) {
        state = state * 1664525u + 1013904223u;
        c = char(state >> 24);
    }
    return bytes;
}

EStorageResult WriteStream(CCompoundFile& file, const std::string& name, const std::string& data, std::size_t chunk)
{
    std::unique_ptr<CStorageStream> stream;
    EStorageResult result = file.CreateStream(name.c_str(), EStreamCreate::Replace, stream);
    for (std::size_t done = 0; result == EStorageResult::Ok && done < data.size(); done += chunk)
        result = stream->Write(data.data() + done, std::min(chunk, data.size() - done));
    if (result != EStorageResult::Ok)
        return result;
    return stream->Close();
}

EStorageResult ReadStream(CCompoundFile& file, const std::string& name, std::string& data)
{
    data.clear();
    std::unique_ptr<CStorageStream> stream;
    EStorageResult result = file.OpenStream(name.c_str(), EStorageAccess::Read, stream);
    if (result != EStorageResult::Ok)
        return result;
    std::array<char, 65536> buffer;
    for (;;) {
        std::size_t read = 0;
        result = stream->Read(buffer.data(), buffer.size(), read);
        if (result != EStorageResult::Ok || read == 0)
            break;
        data.append(buffer.data(), read);
    }
    if (result == EStorageResult::Ok && data.size() != stream->GetLength())
        result = EStorageResult::Corrupt;
    return result;
}

EStorageResult ReadAll(const std::string& path, std::map<std::string, std::string>& streams)
{
    streams.clear();
    std::shared_ptr<CCompoundFile> file;
    EStorageResult result = CCompoundFile::Open(path.c_str(), EStorageAccess::Read, file);
    if (result != EStorageResult::Ok)
        return result;
    for (const SStorageElement& element : file->EnumElements()) {
        if (element.type != EStorageElementType::Stream)
            continue;
        std::string data;
        if ((result = ReadStream(*file, element.name.str(), data)) != EStorageResult::Ok)
            return result;
        if (data.size() != element.size)
            return EStorageResult::Corrupt;
        streams[element.name.str()] = std::move(data);
    }
    return EStorageResult::Ok;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string RunCommand(const std::string& command, int& status)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return output;
    }
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    const int raw = ::pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

} // namespace storage_test
