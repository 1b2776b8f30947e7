#pragma once
// CAutoReport: the whole project report in one run. The items come from the report page's list
// in the project once the user arranged it (until then the summary, then every session, saved
// screen and bookmark); each is handed to the report driver in turn.
#include "platform/framework/CString.h"

#include <vector>

class CRecDoc;
class IReport;
class IReportProgress;

struct SAutoReportItem
{
    int kind = 0; // 0 summary, 1 session, 2 saved screen, 3 bookmark
    int index = -1;

    friend bool operator==(const SAutoReportItem&, const SAutoReportItem&) = default;
};

class CAutoReport
{
public:
    virtual ~CAutoReport() = default;

    // True when every item was reported or skipped; false when the user cancelled or the driver
    // failed (the driver has told the user). An item naming no entry of the project any more is
    // skipped with a log line. The progress is ended in every case.
    bool Run(IReport& report, CRecDoc& document, IReportProgress& progress);

    // The items in report order.
    static std::vector<SAutoReportItem> CollectItems(const CRecDoc& document);
    // Whether one of the items names an entry of the project: a report without one is empty.
    static bool HasReportableItem(const CRecDoc& document);
    // What the progress shows for an item: "Summary", or "Session 1" for the first session.
    static CString ItemName(const SAutoReportItem& item);
};
