#pragma once
// The report driver: for each item it loads the item's template in the user-interface
// language, sets the report variables, binds the item's data sets and pictures and appends
// the prepared pages; the pages collected since the last reset are shown or written at the end.
#include "platform/reportengine/ReportEngine.h"
#include "report/IReport.h"
#include "report/ReportEventHandler.h"

#include <functional>
#include <map>

class IReportAdjuster;
struct SUserDataSet;

// Variable name to value text, before script quoting.
using CReportVariables = std::map<CString, CString>;

class CFastReport : public IReport
{
public:
    explicit CFastReport(int languageIndex);
    ~CFastReport() override;

    bool SummaryReport(CRecDoc& document, IReportProgress* progress) override;
    bool SessionReport(CRecDoc& document, IReportProgress* progress, int session) override;
    bool SavedScreenReport(CRecDoc& document, IReportProgress* progress, int savedScreen) override;
    bool BookmarkReport(CRecDoc& document, IReportProgress* progress, int bookmark) override;
    bool ShowPreview() override;
    bool ResetReport() override;
    bool ExportToPdf(const CString& path) override;
    bool ExportToRtf(const CString& path) override;

    const CReportEngine& GetEngine() const { return m_engine; }
    const CString& GetLogoPath() const { return m_events.GetLogoPath(); }

    // "<folder><name>_<language>.fr3".
    CString GetTemplatePath(const char* templateName) const;
    // The document's path, with forward slashes for the languages whose scripts need them.
    CString GetDocPathText(const CRecDoc& document) const;

    // The variables of each report kind (values before quoting).
    CReportVariables MakeSummaryVariables(const CRecDoc& document) const;
    CReportVariables MakeSessionVariables(CRecDoc& document, int session) const;
    CReportVariables MakeSavedScreenVariables(const CRecDoc& document, int savedScreen) const;
    CReportVariables MakeBookmarkVariables(const CRecDoc& document, int bookmark) const;

private:
    // Loads the template, adds the variables, adjusts, prepares appending, cleans up.
    void RunReport(const CString& templatePath, const CReportVariables& variables, IReportAdjuster* adjuster);
    // Runs the work and shows any engine failure to the user: false then.
    bool Guarded(const std::function<bool()>& work);

    CReportEngine m_engine;
    CReportEventHandler m_events;
    CString m_templatesFolder;
    int m_languageIndex;
    CString m_languageAbbreviation;
};
