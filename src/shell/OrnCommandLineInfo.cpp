#include "shell/OrnCommandLineInfo.h"

#include <glog/logging.h>

#include <filesystem>

namespace {

bool HasExtension(const CString& path, const char* extension)
{
    const CString tail = path.Right(4);
    return tail.CompareNoCase(extension) == 0;
}

} // namespace

void COrnCommandLineInfo::Parse(const std::vector<CString>& arguments)
{
    for (const CString& argument : arguments) {
        if (argument.CompareNoCase("--Restart") == 0)
            m_restart = true;
        else if (argument.CompareNoCase("--sample") == 0)
            m_sample = true;
        else if (argument.CompareNoCase("USB") == 0)
            m_usb = true;
        else if (HasExtension(argument, ".zca") || HasExtension(argument, ".zlg"))
            m_fileName = std::filesystem::absolute(argument.str()).lexically_normal().string();
        else
            LOG(INFO) << "Command line: ignored argument " << argument.str();
    }
    if (m_usb || m_sample)
        m_fileName.Empty();
}
