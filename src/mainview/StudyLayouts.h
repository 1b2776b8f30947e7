#pragma once
// The pages of each study view as data: its group, the window-table entries of its sections,
// each section's frame, toolbar, title and initial collapsed state, the view-selector command
// that marks it, and its dialog bars.
#include "mainview/PageFrames.h"
#include "platform/framework/WinTypes.h"

#include <memory>

class CMyDialogBar;

struct SSectionLayout
{
    EPageFrame frame;
    bool graphToolBar; // the graph-section toolbar; else the table-section one
    UINT titleId;
    bool collapsed;
};

struct SDialogBarLayout
{
    const char* className; // the bar class that stands in the frame (the study views' own)
    std::unique_ptr<CMyDialogBar> (*create)();
    UINT templateId;
};

struct SStudyLayout
{
    int viewId;
    bool loadStudy;
    int firstEntry;           // window-table entry of the overview table section
    int sectionCount;         // 3, or 2 without a time-range table
    SSectionLayout sections[3]; // overview table, graph, time-range table
    UINT checkCommand;
    SDialogBarLayout graphBar;
    SDialogBarLayout tableBar; // calendar overview tables only (create null otherwise)
};

inline constexpr int kOverviewSection = 0;
inline constexpr int kGraphSection = 1;
inline constexpr int kTimeRangeSection = 2;

// The layout of study view 0..6 or 8; null for 7 and any other value.
const SStudyLayout* FindStudyLayout(int viewId);
