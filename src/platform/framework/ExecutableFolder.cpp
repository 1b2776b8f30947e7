#include "platform/framework/ExecutableFolder.h"

std::filesystem::path GetPathBesideExecutable(const std::filesystem::path& name)
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const auto folder = ec ? std::filesystem::current_path(ec) : exe.parent_path();
    return folder / name;
}
