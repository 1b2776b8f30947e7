// libFuzzer target: arbitrary bytes as "project.xml". Reading must come back with a result; what
// the project then writes, it reads back whole: writing, reading and writing again gives the
// same document.
#include <cstdint>
#include <cstdlib>
#include <glog/logging.h>
#include <string>
#include <string_view>

#include "project/ProjectSettings.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FLAGS_minloglevel = 3;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CProjectSettings first;
    if (first.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size)) ==
        EProjectLoadResult::kUnreadable)
        return 0;
    const std::string written = first.SaveToBytes();
    CProjectSettings second;
    if (second.LoadFromBytes(written) != EProjectLoadResult::kComplete || second.SaveToBytes() != written)
        std::abort();
    return 0;
}
