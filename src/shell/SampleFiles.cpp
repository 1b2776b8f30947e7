#include "shell/SampleFiles.h"

#include <glog/logging.h>

#include "project/PartialFile.h"

bool CopySampleIfNewer(const std::filesystem::path& source, const std::filesystem::path& folder)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(source, ec)) {
        LOG(INFO) << "Sample " << source << " is not there";
        return false;
    }
    const auto target = folder / source.filename();
    // An empty copy is what a copy cut short by a full disk left before copies were made aside.
    std::error_code absent;
    const auto copySize = std::filesystem::file_size(target, absent);
    const auto copyTime = std::filesystem::last_write_time(target, absent);
    if (!absent && copySize > 0 && copyTime >= std::filesystem::last_write_time(source, ec))
        return false;
    // Copied beside the target and renamed into place whole, so that a failed copy leaves no
    // file that would count as the copy made.
    const CString targetPath(target.string());
    RemoveAbandonedPartials(targetPath);
    const std::filesystem::path partial(PartialPathFor(targetPath).str());
    std::filesystem::copy_file(source, partial, std::filesystem::copy_options::overwrite_existing, ec);
    if (!ec)
        std::filesystem::rename(partial, target, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        LOG(INFO) << "Sample " << source << " not copied to " << target << ": " << ec.message();
        return false;
    }
    LOG(INFO) << "Sample copied to " << target;
    return true;
}
