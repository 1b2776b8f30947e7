#include "views/AppPaths.h"

#include "platform/framework/StringTable.h"

#include <filesystem>

CString GetPathBesideExecutable(const CString& fileName)
{
    std::error_code ec;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::filesystem::path folder = ec ? std::filesystem::current_path(ec) : program.parent_path();
    return (folder / fileName.str()).string();
}

CString GetReportTemplatesFolder()
{
    return (std::filesystem::path(CStringTable::ResourceDir()) / "reports" / "").string();
}
