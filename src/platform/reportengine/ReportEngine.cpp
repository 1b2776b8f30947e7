#include "platform/reportengine/ReportEngine.h"

#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/ModalLoop.h"
#include "platform/reportengine/PreparedReport.h"
#include "platform/reportengine/ReportEngineError.h"
#include "platform/reportengine/ReportOutput.h"
#include "platform/reportengine/ReportPictures.h"
#include "platform/reportengine/ReportPreparer.h"
#include "platform/framework/windows/QtBridge.h"
#include "platform/reportengine/ReportPreviewWindow.h"
#include "platform/reportengine/ReportScript.h"

CReportEngine::CReportEngine() : m_pictures(std::make_unique<CReportPictures>())
{
    // Fonts are measured and pictures decoded through the application object.
    CFrameworkApp::EnsureInitialized();
}

CReportEngine::~CReportEngine() = default;

void CReportEngine::AddFunction(const CString& declaration, const CString&, const CString&)
{
    CString name = declaration;
    name.Trim();
    if (name.Left(9).CompareNoCase("function ") == 0)
        name = name.Mid(9);
    int open = name.Find('(');
    name = (open >= 0 ? name.Left(open) : name).Trim();
    if (name.IsEmpty())
        throw CReportEngineError("The function declaration \"" + declaration.str() + "\" names no function.");
    m_functions.insert(name);
}

void CReportEngine::LoadFromFile(const CString& path)
{
    m_template = LoadReportTemplate(path);
}

void CReportEngine::AddVariable(const CString&, const CString& name, const CString& value)
{
    m_variables[name] = EvaluateVariableText(value);
}

CReportObject* CReportEngine::FindObject(const CString& name) const
{
    return m_template ? m_template->FindObject(name) : nullptr;
}

void CReportEngine::BindUserDataSet(CReportUserDataSet& dataSet)
{
    m_dataSets[dataSet.GetUserName()] = &dataSet;
}

void CReportEngine::UnbindUserDataSet(CReportUserDataSet& dataSet)
{
    auto found = m_dataSets.find(dataSet.GetUserName());
    if (found != m_dataSets.end() && found->second == &dataSet)
        m_dataSets.erase(found);
}

void CReportEngine::PrepareReport(bool discardPrepared)
{
    if (discardPrepared) {
        m_pages.clear();
        m_pictures->Clear();
    }
    if (!m_template)
        return;
    PrepareReportPages(*m_template, SReportContext{m_variables, m_dataSets, m_functions, m_events, *m_pictures},
                       m_pages);
}

void CReportEngine::ClearTemplate()
{
    m_template.reset();
}

void CReportEngine::ClearVariablesAndBindings()
{
    m_variables.clear();
    m_dataSets.clear();
}

void CReportEngine::ShowPreparedReport(const CString& exportFolder)
{
    // Over the window the user asked from (the main window), which keeps it in front.
    CReportPreviewWindow preview(m_pages, OwnerWidget(nullptr), exportFolder);
    const CModalLoop running([&preview] { preview.reject(); });
    if (!running.Ended())
        preview.exec();
}

void CReportEngine::ExportToPdf(const CString& path) const
{
    WritePdf(m_pages, path);
}

void CReportEngine::ExportToRtf(const CString& path) const
{
    WriteRtf(m_pages, path);
}

std::size_t CReportEngine::GetPreparedPageCount() const
{
    return m_pages.size();
}

std::vector<CString> CReportEngine::GetPreparedPageTexts() const
{
    std::vector<CString> texts;
    for (const SPreparedPage& page : m_pages) {
        CString text;
        for (const SPreparedBand& band : page.bands)
            for (const SPreparedItem& item : band.items)
                if (!item.text.IsEmpty())
                    text += item.text + "\n";
        texts.push_back(text);
    }
    return texts;
}
