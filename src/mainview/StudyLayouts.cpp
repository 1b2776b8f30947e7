#include "mainview/StudyLayouts.h"

#include "study/CalendarTableViewDialogBar.h"
#include "study/GraphViewDialogBars.h"
#include "views/MyDialogBar.h"

namespace {

constexpr UINT kGraphOptionsTemplate = 30043;

// The bars of the study views stand as plain dialog bars on their templates until those views
// bring their own classes.
std::unique_ptr<CMyDialogBar> CreatePlainBar()
{
    return std::make_unique<CMyDialogBar>();
}

template <class Bar>
std::unique_ptr<CMyDialogBar> CreateBar()
{
    return std::make_unique<Bar>();
}

// The bar of a study whose graph view is built.
template <class Bar>
constexpr SDialogBarLayout StudyGraphBar(const char* className)
{
    return {className, &CreateBar<Bar>, kGraphOptionsTemplate};
}

constexpr SDialogBarLayout GraphBar(const char* className)
{
    return {className, &CreatePlainBar, kGraphOptionsTemplate};
}
template <class Bar>
constexpr SDialogBarLayout CalendarBar(const char* className)
{
    return {className, &CreateBar<Bar>, kCalendarTableTemplate};
}
constexpr SDialogBarLayout kNoBar{nullptr, nullptr, 0};

using F = EPageFrame;

const SStudyLayout kStudyLayouts[] = {
    {0, false, 5, 3,
     {{F::SummaryTable, false, 10088, true}, {F::SummaryGraph, true, 10089, false},
      {F::SummaryTableTimeRange, false, 10090, true}},
     33074, StudyGraphBar<CSummaryGraphViewDialogBar>("CSummaryGraphViewDialogBar"), kNoBar},
    {1, false, 8, 3,
     {{F::DemandTable, false, 10091, true}, {F::DemandGraph, true, 10092, false},
      {F::DemandTableTimeRange, false, 10093, true}},
     33075, StudyGraphBar<CDemandGraphViewDialogBar>("CDemandGraphViewDialogBar"), kNoBar},
    {2, false, 11, 2,
     {{F::CalendarTable, false, 10155, false}, {F::CalendarGraph, true, 10156, true}, {F::Empty, false, 0, false}},
     33076, StudyGraphBar<CCalendarGraphViewDialogBar>("CCalendarGraphViewDialogBar"),
     CalendarBar<CCalendarTableViewDialogBar>("CCalendarTableViewDialogBar")},
    {3, false, 13, 3,
     {{F::FundamentalPowerTable, false, 10097, true}, {F::FundamentalPowerGraph, true, 10098, false},
      {F::FundamentalPowerTableTimeRange, false, 10099, true}},
     33077, StudyGraphBar<CFundamentalPowerGraphViewDialogBar>("CFundamentalPowerGraphViewDialogBar"), kNoBar},
    {4, false, 16, 3,
     {{F::VAHzTHDTable, false, 10094, true}, {F::VAHzTHDGraph, true, 10095, false},
      {F::VAHzTHDTableTimeRange, false, 10096, true}},
     33078, StudyGraphBar<CVAHzTHDGraphViewDialogBar>("CVAHzTHDGraphViewDialogBar"), kNoBar},
    {5, true, 25, 3,
     {{F::LoadStudySummaryTable, false, 10162, true}, {F::LoadStudySummaryGraph, true, 10163, false},
      {F::LoadStudySummaryTableTimeRange, false, 10164, true}},
     33074, StudyGraphBar<CLoadStudySummaryGraphViewDialogBar>("CLoadStudySummaryGraphViewDialogBar"), kNoBar},
    {6, true, 28, 2,
     {{F::LoadStudyCalendarTable, false, 10165, false}, {F::LoadStudyCalendarGraph, true, 10166, true},
      {F::Empty, false, 0, false}},
     33075, StudyGraphBar<CLoadStudyCalendarGraphViewDialogBar>("CLoadStudyCalendarGraphViewDialogBar"), CalendarBar<CLoadStudyCalendarTableViewDialogBar>("CLoadStudyCalendarTableViewDialogBar")},
    {8, true, 33, 3,
     {{F::LoadStudyVAHzTHDTable, false, 10171, true}, {F::LoadStudyVAHzTHDGraph, true, 10172, false},
      {F::LoadStudyVAHzTHDTableTimeRange, false, 10173, true}},
     33076, StudyGraphBar<CLoadStudyVAHzTHDGraphViewDialogBar>("CLoadStudyVAHzTHDGraphViewDialogBar"), kNoBar},
};

} // namespace

const SStudyLayout* FindStudyLayout(int viewId)
{
    for (const SStudyLayout& layout : kStudyLayouts)
        if (layout.viewId == viewId)
            return &layout;
    return nullptr;
}
