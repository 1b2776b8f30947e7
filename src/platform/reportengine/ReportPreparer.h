#pragma once
// Prepares the pages of one template: page header and footer on every page, the body bands in
// order, one master-data band instance per row of its data set, a new page whenever the next
// band does not fit. Pages are appended to the given list only when preparing succeeded.
#include "platform/reportengine/PreparedReport.h"
#include "platform/reportengine/ReportEvents.h"
#include "platform/reportengine/ReportPictures.h"
#include "platform/reportengine/ReportUserDataSet.h"

#include <map>
#include <set>

struct SReportContext
{
    // Variable values already evaluated.
    const std::map<CString, CString>& variables;
    // Bound user data sets by name.
    const std::map<CString, CReportUserDataSet*>& dataSets;
    // Names of the functions declared to templates.
    const std::set<CString>& functions;
    // May be null.
    IReportEvents* events;
    // The pictures decoded for the report so far.
    CReportPictures& pictures;
};

// Throws CReportEngineError when a memo refers to a variable or data set that is not there.
void PrepareReportPages(const SReportTemplate& report, const SReportContext& context, std::vector<SPreparedPage>& pages);
