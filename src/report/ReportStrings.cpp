#include "report/ReportStrings.h"

#include "project/ProjectManagerSettings.h"
#include "project/RecDoc.h"

CString LoadReportString(unsigned id)
{
    CString text;
    text.LoadString(id);
    return text;
}

const CProjectManagerSettings* FindProjectManagerSettings(const CRecDoc& document)
{
    const CProjectSettings* project = document.GetProjectSettings();
    return project ? dynamic_cast<const CProjectManagerSettings*>(project->GetViewSettings(CViewSettings::kProjectManagerViewId))
                   : nullptr;
}
