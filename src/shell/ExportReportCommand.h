#pragma once
// The Export Report command: the automatic report over the open project, with its progress
// window over the main window, then, as "ReportOutputFormat" says, a PDF or RTF file chosen in
// the reports folder and opened with the desktop's program for it, or the on-screen preview.
// However the run ends, the main window is enabled again and the report driver reset.
#include "shell/LogFileViewer.h"

class CRecDoc;
class CWnd;
class IReport;

enum class EExportReportResult
{
    kEmpty,        // nothing to report: the user was told, nothing exported, no preview
    kCancelled,    // cancelled or failed in the run: nothing exported, no preview
    kNoFile,       // the save dialog was cancelled
    kExportFailed, // the driver could not write the file (it told the user)
    kOpened,       // written and handed to the desktop's program
    kNotOpened,    // written, but no program could be started for it (the user was told where it is)
    kPreview,      // shown in the preview
};

// outputFormat 1 PDF, 2 RTF, any other value the preview. An empty opener means xdg-open.
EExportReportResult RunExportReport(IReport& report, CRecDoc& document, CWnd* mainWindow, int outputFormat,
                                    const DesktopOpener& opener = {});
