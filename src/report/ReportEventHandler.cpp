#include "report/ReportEventHandler.h"

#include "platform/reportengine/ReportEngineError.h"
#include "platform/reportengine/ReportObjects.h"

#include <glog/logging.h>

#include <cstdio>
#include <filesystem>

namespace
{
bool IsPicture(const CReportComponent& component)
{
    return CString(component.GetTypeName()).CompareNoCase("Picture") == 0;
}

// A file the engine cannot read leaves the picture empty; the report goes on.
void LoadInto(CReportComponent& component, const CString& path)
{
    try
    {
        component.LoadPicture(path);
    }
    catch (const CReportEngineError& error)
    {
        LOG(WARNING) << "Report picture " << component.GetName().str() << " stays empty: " << error.what();
    }
}
} // namespace

bool CReportEventHandler::RegisterUserFunction(IReportUserFunction* function)
{
    CString key = function->GetName();
    key.MakeUpper();
    return m_functions.emplace(key, function).second;
}

void CReportEventHandler::UnregisterUserFunction(const CString& name)
{
    CString key = name;
    key.MakeUpper();
    m_functions.erase(key);
}

void CReportEventHandler::OnBeforePrint(CReportComponent& component)
{
    if (!IsPicture(component))
        return;
    const CString& name = component.GetName();
    if (name.Left(11) == "PictureLogo")
        LoadInto(component, m_logoPath);
    if (!m_pictures)
        return;
    for (const auto& picture : *m_pictures)
    {
        if (picture->GetName() != name)
            continue;
        CString path = picture->GetFile();
        LoadInto(component, path);
        m_files[name] = path;
        picture->Release();
        break;
    }
}

void CReportEventHandler::OnAfterPrint(CReportComponent& component)
{
    if (!IsPicture(component))
        return;
    auto found = m_files.find(component.GetName());
    if (found != m_files.end())
        std::remove(found->second.GetString());
}

void CReportEventHandler::OnUserFunction(const CString& name, const std::vector<CString>& arguments, CString& result)
{
    auto found = m_functions.find(name);
    if (found != m_functions.end())
        found->second->Call(arguments, result);
}

void CReportEventHandler::DeletePictureFiles()
{
    std::error_code error;
    for (const auto& [name, path] : m_files)
        std::filesystem::remove(path.str(), error);
}
