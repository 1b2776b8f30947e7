#include "shell/ExportReportCommand.h"

#include "platform/framework/FileDialogService.h"
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
    if (!RunFileDialog(request, path))
        return EExportReportResult::kNoFile;
    if (!(report.*output.exportTo)(path))
        return EExportReportResult::kExportFailed;
    const bool opened = opener ? opener(path) : OpenWithDesktop(path);
    if (!opened)
        LOG(WARNING) << "No program could be started for the report " << path.str();
    return opened ? EExportReportResult::kOpened : EExportReportResult::kNotOpened;
}

} // namespace

EExportReportResult RunExportReport(IReport& report, CRecDoc& document, CWnd* mainWindow, int outputFormat,
                                    const DesktopOpener& opener)
{
    CResetScope reset(report);
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
