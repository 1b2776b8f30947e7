#include "report/ReportTempFiles.h"

#include <glog/logging.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace
{
class CPrivateTempFolder
{
public:
    CPrivateTempFolder()
    {
        std::error_code error;
        std::string pattern = (std::filesystem::temp_directory_path(error) / "orn-report-XXXXXX").string();
        if (!error && ::mkdtemp(pattern.data()))
            m_path = pattern;
        else
            LOG(ERROR) << "No private folder for report pictures under " << pattern;
    }
    ~CPrivateTempFolder()
    {
        std::error_code error;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, error);
    }
    CPrivateTempFolder(const CPrivateTempFolder&) = delete;
    CPrivateTempFolder& operator=(const CPrivateTempFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

CPrivateTempFolder& Folder()
{
    static CPrivateTempFolder folder;
    return folder;
}

int g_nameCounter = 0;
} // namespace

CString GetReportTempFolder()
{
    return CString(Folder().Path());
}

CString MakeReportTempFileName(const CString& extension)
{
    return CString::Formatted("%s/tmpKemFastReportExport%d.%s", Folder().Path(), ++g_nameCounter, extension);
}
