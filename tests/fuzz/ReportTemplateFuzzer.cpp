// libFuzzer target: arbitrary bytes as a report template. Loading must come back, with the
// template or with its refusal; a template that loads and prepares is written as RTF and PDF.
#include <cstdint>
#include <cstdio>
#include <glog/logging.h>
#include <string>
#include <unistd.h>

#include "platform/reportengine/ReportEngine.h"
#include "platform/reportengine/ReportEngineError.h"

namespace {

std::string ScratchPath(const char* extension)
{
    return (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/orn_fr3_fuzz_") +
           std::to_string(getpid()) + extension;
}

} // namespace

// The platform's font library keeps a cache for the life of the process.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FLAGS_minloglevel = 3;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = ScratchPath(".fr3");
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    static CReportEngine engine;
    try {
        engine.LoadFromFile(path.c_str());
        engine.AddVariable("KEM", "Title", "\"Feeder\"");
        engine.PrepareReport(true);
        engine.ExportToRtf(ScratchPath(".rtf").c_str());
        engine.ExportToPdf(ScratchPath(".pdf").c_str());
    } catch (const CReportEngineError&) {
    }
    engine.ClearTemplate();
    engine.ClearVariablesAndBindings();
    return 0;
}
