#include "shell/ExportReportCommand.h"

#include "platform/framework/FileDialogService.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/reportengine/ReportFileName.h"
#include "project/AppFolders.h"
#include "project/RecDoc.h"
#include "report/AutoReport.h"
#include "report/AutoReportProgress.h"
#include "report/IReport.h"

#include <glog/logging.h>

namespace {

struct SFileOutput
{
    UINT filterText;
    UINT extensionText;
    bool (IReport::*exportTo)(const CString&);
};

constexpr SFileOutput kPdfOutput{6652, 6653, &IReport::ExportToPdf};
constexpr SFileOutput kRtfOutput{6654, 6655, &IReport::ExportToRtf};

constexpr UINT IDS_REPORT_EMPTY = 20140;      // "The report holds nothing. ..."
constexpr UINT IDS_REPORT_NOT_OPENED = 20141; // "No program could be started ... The report is %s."

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// Resets the driver however the command leaves.
class CResetScope
{
public:
    explicit CResetScope(IReport& report) : m_report(report) {}
    ~CResetScope() { m_report.ResetReport(); }
    CResetScope(const CResetScope&) = delete;
    CResetScope& operator=(const CResetScope&) = delete;

private:
    IReport& m_report;
};

EExportReportResult ExportToFile(IReport& report, const SFileOutput& output, const DesktopOpener& opener)
{
    SFileDialogRequest request;
    request.defaultExtension = LoadText(output.extensionText);
    request.filter = LoadText(output.filterText);
    request.initialName = GetReportsFolder();
    request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    CString path;
    if (!ChooseReportFile(request, path))
        return EExportReportResult::kNoFile;
    if (!(report.*output.exportTo)(path))
        return EExportReportResult::kExportFailed;
    if (opener ? opener(path) : OpenWithDesktop(path))
        return EExportReportResult::kOpened;
    LOG(INFO) << "No program could be started for the report " << path.str();
    AfxMessageBox(CString::Formatted(LoadText(IDS_REPORT_NOT_OPENED).GetString(), path).GetString(),
                  MB_ICONINFORMATION);
    return EExportReportResult::kNotOpened;
}

} // namespace

EExportReportResult RunExportReport(IReport& report, CRecDoc& document, CWnd* mainWindow, int outputFormat,
                                    const DesktopOpener& opener)
{
    CResetScope reset(report);
    // An empty report would make a blank file.
    if (!CAutoReport::HasReportableItem(document)) {
        AfxMessageBox(IDS_REPORT_EMPTY, MB_ICONINFORMATION);
        return EExportReportResult::kEmpty;
    }
    bool complete = false;
    {
        CAutoReportProgress progress(mainWindow);
        CAutoReport autoReport;
        complete = autoReport.Run(report, document, progress);
    }
    if (!complete)
        return EExportReportResult::kCancelled;
    switch (outputFormat) {
    case 1: return ExportToFile(report, kPdfOutput, opener);
    case 2: return ExportToFile(report, kRtfOutput, opener);
    default: report.ShowPreview(); return EExportReportResult::kPreview;
    }
}
