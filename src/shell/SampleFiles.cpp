#include "shell/SampleFiles.h"

#include <glog/logging.h>

bool CopySampleIfNewer(const std::filesystem::path& source, const std::filesystem::path& folder)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(source, ec)) {
        LOG(INFO) << "Sample " << source << " is not there";
        return false;
    }
    const auto target = folder / source.filename();
    const bool copied = std::filesystem::copy_file(source, target, std::filesystem::copy_options::update_existing, ec);
    if (ec)
        LOG(INFO) << "Sample " << source << " not copied to " << target << ": " << ec.message();
    else if (copied)
        LOG(INFO) << "Sample copied to " << target;
    return copied && !ec;
}
