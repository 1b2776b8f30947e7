#pragma once
// The study toolbars' view of the bookmark types: for each type they can show, the study's menu
// command, the view selector's command and the presentation. The load-study fundamental types
// (19 to 21) have no row.
#include <algorithm>
#include <array>

struct SBookmarkToolbarRow
{
    int type;
    unsigned studyCommand;
    unsigned viewCommand;
    int presentation; // 0 graph, 1 overview table, 2 time-range table
};

namespace BookmarkToolbar {

inline constexpr unsigned kEnergyStudy = 32825;
inline constexpr unsigned kLoadStudy = 32824;
// The view selector's buttons: RMS power, demand, calendar, fundamental power, V A Hz THD.
inline constexpr unsigned kSummary = 33074;
inline constexpr unsigned kDemand = 33075;
inline constexpr unsigned kCalendar = 33076;
inline constexpr unsigned kFundamental = 33077;
inline constexpr unsigned kVAHzTHD = 33078;

inline constexpr std::array<SBookmarkToolbarRow, 22> kRows{{
    {0, kEnergyStudy, kSummary, 1},      {1, kEnergyStudy, kSummary, 2},      {2, kEnergyStudy, kSummary, 0},
    {3, kEnergyStudy, kDemand, 1},       {4, kEnergyStudy, kDemand, 2},       {5, kEnergyStudy, kDemand, 0},
    {6, kEnergyStudy, kCalendar, 1},     {7, kEnergyStudy, kCalendar, 0},     {8, kEnergyStudy, kFundamental, 1},
    {9, kEnergyStudy, kFundamental, 2},  {10, kEnergyStudy, kFundamental, 0}, {11, kEnergyStudy, kVAHzTHD, 1},
    {12, kEnergyStudy, kVAHzTHD, 2},     {13, kEnergyStudy, kVAHzTHD, 0},     {14, kLoadStudy, kSummary, 1},
    {15, kLoadStudy, kSummary, 2},       {16, kLoadStudy, kSummary, 0},       {17, kLoadStudy, kCalendar, 1},
    {18, kLoadStudy, kCalendar, 0},      {22, kLoadStudy, kVAHzTHD, 1},       {23, kLoadStudy, kVAHzTHD, 2},
    {24, kLoadStudy, kVAHzTHD, 0},
}};

// Null for a type the toolbars do not show.
constexpr const SBookmarkToolbarRow* FindRow(int type)
{
    const auto* row = std::find_if(kRows.begin(), kRows.end(), [type](const SBookmarkToolbarRow& r) { return r.type == type; });
    return row == kRows.end() ? nullptr : row;
}

} // namespace BookmarkToolbar
