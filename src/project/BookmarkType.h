#pragma once
// The bookmark types: which study view and which presentation of it a bookmark shows. The
// type id is the row number; its name is what "project.xml" stores.
#include <array>

struct SBookmarkType
{
    enum EPresentation { kGraph = 0, kOverviewTable = 1, kTimeRangeTable = 2 };

    const char* name;
    int studyView;
    int presentation;
};

inline constexpr int kBookmarkTypeCount = 25;
inline constexpr int kNoBookmarkType = 25;
inline constexpr int kFirstLoadStudyBookmarkType = 14;

inline constexpr std::array<SBookmarkType, kBookmarkTypeCount> kBookmarkTypes{{
    {"SummaryOverviewTable", 0, SBookmarkType::kOverviewTable},
    {"SummaryTimeRangeTable", 0, SBookmarkType::kTimeRangeTable},
    {"SummaryGraph", 0, SBookmarkType::kGraph},
    {"DemandOverviewTable", 1, SBookmarkType::kOverviewTable},
    {"DemandTimeRangeTable", 1, SBookmarkType::kTimeRangeTable},
    {"DemandGraph", 1, SBookmarkType::kGraph},
    {"CalendarOverviewTable", 2, SBookmarkType::kOverviewTable},
    {"CalendarGraph", 2, SBookmarkType::kGraph},
    {"FundamentalOverviewTable", 3, SBookmarkType::kOverviewTable},
    {"FundamentalTimeRangeTable", 3, SBookmarkType::kTimeRangeTable},
    {"FundamentalPowerGraph", 3, SBookmarkType::kGraph},
    {"VAHzTHDOverviewTable", 4, SBookmarkType::kOverviewTable},
    {"VAHzTHDTimeRangeTable", 4, SBookmarkType::kTimeRangeTable},
    {"VAHzTHDGraph", 4, SBookmarkType::kGraph},
    {"LoadStudySummaryOverviewTable", 5, SBookmarkType::kOverviewTable},
    {"LoadStudySummaryTimeRangeTable", 5, SBookmarkType::kTimeRangeTable},
    {"LoadStudySummaryGraph", 5, SBookmarkType::kGraph},
    {"LoadStudyCalendarOverviewTable", 6, SBookmarkType::kOverviewTable},
    {"LoadStudyCalendarGraph", 6, SBookmarkType::kGraph},
    {"LoadStudyFundamentalOverviewTable", 7, SBookmarkType::kOverviewTable},
    {"LoadStudyFundamentalTimeRangeTable", 7, SBookmarkType::kTimeRangeTable},
    {"LoadStudyFundamentalPowerGraph", 7, SBookmarkType::kGraph},
    {"LoadStudyVAHzTHDOverviewTable", 8, SBookmarkType::kOverviewTable},
    {"LoadStudyVAHzTHDTimeRangeTable", 8, SBookmarkType::kTimeRangeTable},
    {"LoadStudyVAHzTHDGraph", 8, SBookmarkType::kGraph},
}};

// Null for a type outside the table.
constexpr const SBookmarkType* FindBookmarkType(int type)
{
    return type >= 0 && type < kBookmarkTypeCount ? &kBookmarkTypes[std::size_t(type)] : nullptr;
}

// -1 for a type outside the table.
constexpr int BookmarkTypeToStudyView(int type)
{
    const SBookmarkType* row = FindBookmarkType(type);
    return row ? row->studyView : -1;
}
