#include "mainview/StudyTabsEnabled.h"

#include "mainview/MainViewLayout.h"
#include "project/RecDoc.h"
#include "views/VisualFramework.h"

void UpdateStudyTabsEnabled(const SMainViewLayout& layout, const CRecDoc* document)
{
    TVisualFramework* framework = layout.framework;
    if (!framework)
        return;
    const int energy = document ? document->GetEnergyStudySessionCount() : 0;
    const int load = document ? document->GetLoadStudySessionCount() : 0;
    if (document && document->GetFirstDataSet() && (energy > 0 || load > 0)) {
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
