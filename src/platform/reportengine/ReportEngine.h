#pragma once
// The report engine: loads a template, takes variables and user data sets, prepares pages
// (calling the application's events while it does), and shows or writes the pages prepared so
// far. Failures throw CReportEngineError; a failed operation changes no prepared page.
#include "platform/reportengine/ReportEvents.h"
#include "platform/reportengine/ReportObject.h"
#include "platform/reportengine/ReportUserDataSet.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

class CReportPictures;
struct SPreparedPage;
struct SReportTemplate;

class CReportEngine
{
public:
    CReportEngine();
    ~CReportEngine();
    CReportEngine(const CReportEngine&) = delete;
    CReportEngine& operator=(const CReportEngine&) = delete;

    // One sink at a time (null disconnects); not owned.
    void ConnectEvents(IReportEvents* events) { m_events = events; }

    // Declares "function Name(...)..." to templates, which may then call it as [Name(args)].
    void AddFunction(const CString& declaration, const CString& category, const CString& description);

    void LoadFromFile(const CString& path);
    // The value text is evaluated as a string literal when it is one (see ReportScript.h).
    void AddVariable(const CString& category, const CString& name, const CString& value);
    // The band or component of the loaded template; null when there is none.
    CReportObject* FindObject(const CString& name) const;
    // A bound data set is found by templates under its user name; not owned.
    void BindUserDataSet(CReportUserDataSet& dataSet);
    void UnbindUserDataSet(CReportUserDataSet& dataSet);

    // Appends the loaded template's pages, or first discards every page prepared so far.
    void PrepareReport(bool discardPrepared);
    // The two clean-ups after a run: they keep the prepared pages.
    void ClearTemplate();
    void ClearVariablesAndBindings();

    // The pages themselves are described in PreparedReport.h.
    const std::vector<SPreparedPage>& GetPreparedPages() const { return m_pages; }
    std::size_t GetPreparedPageCount() const;
    // What each prepared page prints, one text per page: its items' texts in order, one a line.
    std::vector<CString> GetPreparedPageTexts() const;
    // Modal over the active window until the user closes it; its exports propose the folder.
    void ShowPreparedReport(const CString& exportFolder = {});
    void ExportToPdf(const CString& path) const;
    void ExportToRtf(const CString& path) const;

private:
    IReportEvents* m_events = nullptr;
    std::set<CString> m_functions;
    std::unique_ptr<SReportTemplate> m_template;
    std::map<CString, CString> m_variables;
    std::map<CString, CReportUserDataSet*> m_dataSets;
    std::vector<SPreparedPage> m_pages;
    // Decoded once per report, however often printed; discarded with the prepared pages.
    std::unique_ptr<CReportPictures> m_pictures;
};
