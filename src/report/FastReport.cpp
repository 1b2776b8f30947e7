#include "report/FastReport.h"

#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/MessageBoxWindow.h"
#include "platform/reportengine/ReportEngineError.h"
#include "project/AppFolders.h"
#include "project/RecDoc.h"
#include "report/ReportAdjuster.h"
#include "report/ReportScriptQuoting.h"
#include "views/AppPaths.h"
#include "views/LanguageAbbreviation.h"

#include <glog/logging.h>

#include <filesystem>

namespace
{
constexpr int kKoreanLanguage = 7;
constexpr int kJapaneseLanguage = 12;
constexpr const char* kLogoCandidates[] = {"logo.emf", "logo.wmf", "logo.png"};

// Drops the template, the variables and the bindings of a run however it ends.
class CRunCleanUp
{
public:
    explicit CRunCleanUp(CReportEngine& engine) : m_engine(engine) {}
    ~CRunCleanUp()
    {
        m_engine.ClearTemplate();
        m_engine.ClearVariablesAndBindings();
    }
    CRunCleanUp(const CRunCleanUp&) = delete;
    CRunCleanUp& operator=(const CRunCleanUp&) = delete;

private:
    CReportEngine& m_engine;
};
} // namespace

std::unique_ptr<IReport> CreateReportEngine(int kind, int languageIndex)
{
    if (kind != 1)
        return nullptr;
    return std::make_unique<CFastReport>(languageIndex);
}

CFastReport::CFastReport(int languageIndex)
    : m_templatesFolder(GetReportTemplatesFolder()), m_languageIndex(languageIndex)
{
    const char* abbreviation = GetLanguageAbbreviation(languageIndex);
    m_languageAbbreviation = abbreviation ? abbreviation : "";
    m_engine.ConnectEvents(&m_events);

    CString logo = m_templatesFolder + "logo.bmp";
    for (const char* candidate : kLogoCandidates)
    {
        std::error_code error;
        if (std::filesystem::exists((m_templatesFolder + candidate).str(), error))
        {
            logo = m_templatesFolder + candidate;
            break;
        }
    }
    m_events.SetLogoPath(logo);
    m_engine.AddFunction("function IsOutOfLimit(udsName: String, row: Integer, column: Integer): Boolean", "KEM",
                         "Determines whether value in crosstab is out of limits");
}

CFastReport::~CFastReport()
{
    m_engine.ConnectEvents(nullptr);
}

CString CFastReport::GetTemplatePath(const char* templateName) const
{
    return m_templatesFolder + templateName + "_" + m_languageAbbreviation + ".fr3";
}

CString CFastReport::GetDocPathText(const CRecDoc& document) const
{
    CString path = document.GetPathName();
    if (m_languageIndex == kKoreanLanguage || m_languageIndex == kJapaneseLanguage)
        path.Replace('\\', '/');
    return path;
}

void CFastReport::RunReport(const CString& templatePath, const CReportVariables& variables, IReportAdjuster* adjuster)
{
    CRunCleanUp cleanUp(m_engine);
    m_engine.LoadFromFile(templatePath);
    for (const auto& [name, value] : variables)
        m_engine.AddVariable("KEM", name, QuoteReportScriptText(value));
    if (adjuster)
        adjuster->Adjust(m_engine);
    m_engine.PrepareReport(false);
}

bool CFastReport::Guarded(const std::function<bool()>& work)
{
    try
    {
        return work();
    }
    catch (const std::exception& error)
    {
        LOG(ERROR) << "Report failed: " << error.what();
        const CMessageBoxCaption caption(kReportEngineErrorCaption);
        AfxMessageBox(error.what(), MB_OK | MB_ICONERROR);
        return false;
    }
}

bool CFastReport::ShowPreview()
{
    return Guarded([this] {
        m_engine.ShowPreparedReport(GetReportsFolder());
        return true;
    });
}

bool CFastReport::ResetReport()
{
    return Guarded([this] {
        m_engine.ClearTemplate();
        m_engine.ClearVariablesAndBindings();
        m_engine.PrepareReport(true);
        return true;
    });
}

bool CFastReport::ExportToPdf(const CString& path)
{
    return Guarded([this, &path] {
        m_engine.ExportToPdf(path);
        return true;
    });
}

bool CFastReport::ExportToRtf(const CString& path)
{
    return Guarded([this, &path] {
        m_engine.ExportToRtf(path);
        return true;
    });
}
