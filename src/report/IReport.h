#pragma once
// The report driver as the application and the automatic report see it: four report kinds,
// each appending the pages of one project item, and the output of everything prepared since
// the last reset. Every operation answers whether it succeeded; failures have been shown to
// the user already.
#include "platform/framework/CString.h"

#include <memory>

class CRecDoc;
class IReportProgress;

class IReport
{
public:
    virtual ~IReport() = default;

    virtual bool SummaryReport(CRecDoc& document, IReportProgress* progress) = 0;
    virtual bool SessionReport(CRecDoc& document, IReportProgress* progress, int session) = 0;
    virtual bool SavedScreenReport(CRecDoc& document, IReportProgress* progress, int savedScreen) = 0;
    // False when the project has no bookmark of that index.
    virtual bool BookmarkReport(CRecDoc& document, IReportProgress* progress, int bookmark) = 0;
    virtual bool ShowPreview() = 0;
    virtual bool ResetReport() = 0;
    // True only when the whole file was written; a failed export leaves an existing file as it was.
    virtual bool ExportToPdf(const CString& path) = 0;
    virtual bool ExportToRtf(const CString& path) = 0;
};

// Kind 1 gives the report driver for the user-interface language (0..12); any other kind null.
std::unique_ptr<IReport> CreateReportEngine(int kind, int languageIndex);
