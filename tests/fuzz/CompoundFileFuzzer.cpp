// libFuzzer target: arbitrary bytes as a compound file. Opening, enumerating, reading every
// stream and editing must come back with a result; a file this layer edited must open again.
#include <cstdint>
#include <cstdio>
#include <glog/logging.h>
#include <string>
#include <unistd.h>

#include "platform/storage/CompoundFile.h"
#include "platform/storage/StorageResult.h"
#include "platform/storage/StorageStream.h"

#include <cstdlib>

namespace {

const std::string& ScratchPath()
{
    static const std::string path = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                    std::string("/orn_cfb_fuzz_") + std::to_string(getpid());
    return path;
}

void ReadEverything(CCompoundFile& file)
{
    static std::uint8_t buffer[65536];
    for (const SStorageElement& element : file.EnumElements()) {
        std::unique_ptr<CStorageStream> stream;
        if (file.OpenStream(element.name, EStorageAccess::Read, stream) != EStorageResult::Ok)
            continue;
        std::size_t read = 0;
        while (stream->Read(buffer, sizeof buffer, read) == EStorageResult::Ok && read > 0) {
        }
    }
}

// Each failure says which check failed and why: the optimiser folds identical traps into one.
[[noreturn]] void Fail(const char* what, EStorageResult result)
{
    std::fprintf(stderr, "%s: %s\n", what, StorageResultText(result));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FLAGS_minloglevel = 3;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = ScratchPath();
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    std::shared_ptr<CCompoundFile> file;
    if (CCompoundFile::Open(path.c_str(), EStorageAccess::Read, file) != EStorageResult::Ok)
        return 0;
    ReadEverything(*file);
    const auto elements = file->EnumElements();
    file.reset();

    if (const EStorageResult result = CCompoundFile::Open(path.c_str(), EStorageAccess::ReadWrite, file);
        result != EStorageResult::Ok)
        Fail("a file that opened read-only does not open for writing", result);
    std::unique_ptr<CStorageStream> stream;
    if (file->CreateStream("fuzz", EStreamCreate::Replace, stream) == EStorageResult::Ok) {
        static const std::string payload(5000, 'z');
        stream->Write(payload.data(), payload.size());
        stream->Close();
    }
    if (!elements.empty())
        file->DestroyElement(elements.front().name);
    // Giving back the space moves the tables of whatever layout the file had.
    file->Flush();
    file.reset();
    if (const EStorageResult result = CCompoundFile::Open(path.c_str(), EStorageAccess::Read, file);
        result != EStorageResult::Ok)
        Fail("the edit broke a file that opened before", result);
    ReadEverything(*file);
    return 0;
}
