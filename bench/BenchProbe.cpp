#include "BenchProbe.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

// Writes the file's pages out and waits: a project or copy just made would otherwise be written
// back by the system while a probe reads it, at a moment of its own choosing.
bool WriteOut(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = ::fdatasync(fd) == 0;
    ::close(fd);
    return written;
}

} // namespace

std::map<std::string, double> RunProbeOnProject(const char* probe, const std::string& project, double ratio,
                                                const std::string& arguments)
{
    std::map<std::string, double> figures;
    const std::filesystem::path source(project);
    const std::filesystem::path copy = source.parent_path() / ("run-" + source.filename().string());
    std::error_code error;
    if (!WriteOut(source) ||
        !std::filesystem::copy_file(source, copy, std::filesystem::copy_options::overwrite_existing, error) ||
        !WriteOut(copy))
        return figures;
    char scale[32];
    std::snprintf(scale, sizeof scale, "%g", ratio);
    const std::string command = "QT_QPA_PLATFORM=offscreen:configfile=" ORN_SOURCE_DIR "/tests/shell/Screen1920x1080.json "
                                "QT_SCALE_FACTOR=" +
                                std::string(scale) + " " + probe + " '" + copy.string() + "' " + arguments;
    if (FILE* output = ::popen(command.c_str(), "r")) {
        char name[64];
        for (double value; std::fscanf(output, "%63s %lf", name, &value) == 2;)
            figures[name] = value;
        if (::pclose(output) != 0)
            figures.clear();
    }
    std::filesystem::remove(copy, error);
    return figures;
}

std::vector<double> RunLoadProbe(const std::string& mode, const std::string& path, int repeat, std::vector<double>* cpu)
{
    const std::string command = std::string(ORN_LOAD_PROBE) + " " + mode + " '" + path + "' " + std::to_string(repeat);
    std::vector<double> figures;
    FILE* probe = ::popen(command.c_str(), "r");
    if (!probe)
        return figures;
    for (double ms = 0, cpuMs = 0; std::fscanf(probe, "%lf %lf", &ms, &cpuMs) == 2;) {
        figures.push_back(ms);
        if (cpu)
            cpu->push_back(cpuMs);
    }
    if (::pclose(probe) != 0) {
        figures.clear();
        if (cpu)
            cpu->clear();
    }
    return figures;
}
