#pragma once
// The page frames of the project window: one split frame class per page, each naming the view it
// holds. The frame table is data: a page whose view is not built yet holds the empty page, and
// the issue that builds the view swaps the view class in its row.
#include "views/RuntimeClass.h"

enum class EPageFrame
{
    SummaryTable, SummaryGraph, SummaryTableTimeRange,
    DemandTable, DemandGraph, DemandTableTimeRange,
    CalendarTable, CalendarGraph,
    FundamentalPowerTable, FundamentalPowerGraph, FundamentalPowerTableTimeRange,
    VAHzTHDTable, VAHzTHDGraph, VAHzTHDTableTimeRange,
    LoadStudySummaryTable, LoadStudySummaryGraph, LoadStudySummaryTableTimeRange,
    LoadStudyCalendarTable, LoadStudyCalendarGraph,
    LoadStudyVAHzTHDTable, LoadStudyVAHzTHDGraph, LoadStudyVAHzTHDTableTimeRange,
    ProjectManagerTable, ReportList, ReportContent,
    Empty,
};
inline constexpr int kPageFrameCount = int(EPageFrame::Empty) + 1;

// The run-time class of the frame (its name, e.g. "CSummaryTableFrame", and its view class).
const SRuntimeClass& GetPageFrameClass(EPageFrame frame);
// The name of the view class the frame is meant to hold ("CSummaryTableView"), whether or not
// that class stands in the frame yet.
const char* GetPageFrameViewName(EPageFrame frame);
