#pragma once
// What the project-manager grids show besides the user's stored texts: the counts of the cards
// and the texts built from the sessions and the saved screens.
#include "platform/framework/CString.h"

#include <memory>
#include <vector>

struct structProjectManagerDataSetInfo
{
    CStringW configurationText;
    CStringW timesText;
    CStringW originText;
    CStringW displayName;
};

struct structProjectManagerSavedScreenInfo
{
    CStringW screenText;
    CStringW displayName;
};

struct SProjectManagerContent
{
    int summaryCount = 0;
    int dataSetCount = 0;
    int savedScreenCount = 0;
    std::vector<std::unique_ptr<structProjectManagerDataSetInfo>> dataSets;
    std::vector<std::unique_ptr<structProjectManagerSavedScreenInfo>> savedScreens;
};
