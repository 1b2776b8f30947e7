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
        // A study tab is rebuilt on every switch and comes back enabled; one without sessions of
        // its study is switched off again, or a click would build pages for no session.
        framework->EnableTab(layout.energy.tab, energy > 0);
        framework->EnableTab(layout.load.tab, load > 0);
        framework->EnableTab(layout.reportTab, true);
        return;
    }
    for (TVisualObject* tab : {layout.energy.tab, layout.load.tab, layout.advancedTab, layout.reportTab})
        framework->EnableTab(tab, false);
}
