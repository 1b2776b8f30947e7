#include "mainview/StudyTabsEnabled.h"

#include "mainview/MainViewLayout.h"
#include "project/RecDoc.h"
#include "views/VisualFramework.h"

void UpdateStudyTabsEnabled(const SMainViewLayout& layout, const CRecDoc* document)
{
    UpdateStudyTabsEnabled(layout, document && document->GetFirstDataSet(),
                           document ? document->GetEnergyStudySessionCount() : 0,
                           document ? document->GetLoadStudySessionCount() : 0);
}

void UpdateStudyTabsEnabled(const SMainViewLayout& layout, bool hasFirstDataSet, int energy, int load)
{
    TVisualFramework* framework = layout.framework;
    if (!framework)
        return;
    if (hasFirstDataSet && (energy > 0 || load > 0)) {
        if (energy > 0)
            framework->EnableTab(layout.energy.tab, true);
        if (load > 0)
            framework->EnableTab(layout.load.tab, true);
        framework->EnableTab(layout.reportTab, true);
        return;
    }
    for (TVisualObject* tab : {layout.energy.tab, layout.load.tab, layout.advancedTab, layout.reportTab})
        framework->EnableTab(tab, false);
}
