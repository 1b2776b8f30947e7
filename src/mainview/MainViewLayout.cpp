#include "mainview/MainViewLayout.h"

TVisualFramework* g_pMainViewFramework = nullptr;
SMainViewLayout* g_pMainViewLayout = nullptr;

TVisualObject* SMainViewLayout::GetObject(int entry) const
{
    if (entry < 0 || entry >= kEntryCount || entry <= 1 || entry == kEnergyFramework || entry == kLoadFramework)
        return nullptr;
    return const_cast<SMainViewLayout*>(this)->ObjectEntry(entry);
}

TVisualObject*& SMainViewLayout::ObjectEntry(int entry)
{
    if (entry == kRoot)
        return rootTabs;
    if (entry == kEnergyTab)
        return energy.tab;
    if (entry >= kFirstEnergySection && entry < kProjectManagerTab)
        return energy.sections[std::size_t(entry - kFirstEnergySection)];
    if (entry == kLoadTab)
        return load.tab;
    if (entry >= kFirstLoadSection && entry < kReportTab)
        return load.sections[std::size_t(entry - kFirstLoadSection)];
    switch (entry) {
    case kProjectManagerTab: return projectManagerTab;
    case kProjectManagerPage: return projectManagerPage;
    case kProjectManagerRight: return projectManagerRight;
    case kAdvancedTab: return advancedTab;
    case kReportTab: return reportTab;
    case kReportList: return reportList;
    default: return reportContent;
    }
}

void SMainViewLayout::Bind(TVisualFramework* owner)
{
    *this = SMainViewLayout();
    framework = owner;
    energy.framework = owner;
    load.framework = owner;
}

void SMainViewLayout::ClearStudyEntries()
{
    energy.tab = nullptr;
    energy.sections.fill(nullptr);
    load.tab = nullptr;
    load.sections.fill(nullptr);
}
