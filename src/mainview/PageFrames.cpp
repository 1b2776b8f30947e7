#include "mainview/PageFrames.h"

#include "mainview/EmptyView.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "reportpages/ReportContentView.h"
#include "reportpages/ReportListView.h"
#include "study/DemandGraphView.h"
#include "study/DemandTableViews.h"
#include "study/CalendarGraphView.h"
#include "study/CalendarTableView.h"
#include "study/FundamentalPowerGraphView.h"
#include "study/FundamentalPowerTableViews.h"
#include "study/LoadStudyCalendarViews.h"
#include "study/LoadStudySummaryGraphView.h"
#include "study/LoadStudySummaryTableViews.h"
#include "study/LoadStudyVAHzTHDViews.h"
#include "study/SummaryGraphView.h"
#include "study/SummaryTableViews.h"
#include "study/VAHzTHDGraphView.h"
#include "study/VAHzTHDTableViews.h"
#include "views/MySplitterWnd.h"
#include "views/SplitFrame.h"

#include <array>

namespace {

// The report pages: their splitter keeps the column widths the user drags.
class CReportPageFrame : public CSplitFrame
{
public:
    using CSplitFrame::CSplitFrame;

protected:
    int OnCreate(LPCREATESTRUCT cs) override
    {
        if (CSplitFrame::OnCreate(cs) == -1)
            return -1;
        if (auto* splitter = dynamic_cast<CMySplitterWnd*>(GetParent()))
            splitter->SetPlainSplitter(1);
        return 0;
    }
};

template <class Frame>
CWnd* CreatePageFrame(const SRuntimeClass& runtimeClass)
{
    auto* frame = new Frame(runtimeClass.paneClass);
    frame->SetFrameClass(&runtimeClass);
    return frame;
}

struct SPageFrameRow
{
    EPageFrame frame;
    const char* frameName;
    const char* viewName;
    // The view class standing in the frame now.
    const SRuntimeClass& (*viewClass)();
    CWnd* (*create)(const SRuntimeClass&);
};

constexpr auto kEmpty = &CEmptyView::Class;
constexpr auto kPlain = &CreatePageFrame<CSplitFrame>;
constexpr auto kReport = &CreatePageFrame<CReportPageFrame>;

const SPageFrameRow kPageFrames[] = {
    {EPageFrame::SummaryTable, "CSummaryTableFrame", "CSummaryTableView", &CSummaryTableView::Class, kPlain},
    {EPageFrame::SummaryGraph, "CSummaryGraphFrame", "CSummaryGraphView", &CSummaryGraphView::Class, kPlain},
    {EPageFrame::SummaryTableTimeRange, "CSummaryTableTimeRangeFrame", "CSummaryTableTimeRangeView", &CSummaryTableTimeRangeView::Class, kPlain},
    {EPageFrame::DemandTable, "CDemandTableFrame", "CDemandTableView", &CDemandTableView::Class, kPlain},
    {EPageFrame::DemandGraph, "CDemandGraphFrame", "CDemandGraphView", &CDemandGraphView::Class, kPlain},
    {EPageFrame::DemandTableTimeRange, "CDemandTableTimeRangeFrame", "CDemandTableTimeRangeView", &CDemandTableTimeRangeView::Class, kPlain},
    {EPageFrame::CalendarTable, "CCalendarTableFrame", "CCalendarTableView", &CCalendarTableView::Class, kPlain},
    {EPageFrame::CalendarGraph, "CCalendarGraphFrame", "CCalendarGraphView", &CCalendarGraphView::Class, kPlain},
    {EPageFrame::FundamentalPowerTable, "CFundamentalPowerTableFrame", "CFundamentalPowerTableView", &CFundamentalPowerTableView::Class, kPlain},
    {EPageFrame::FundamentalPowerGraph, "CFundamentalPowerGraphFrame", "CFundamentalPowerGraphView", &CFundamentalPowerGraphView::Class, kPlain},
    {EPageFrame::FundamentalPowerTableTimeRange, "CFundamentalPowerTableTimeRangeFrame",
     "CFundamentalPowerTableTimeRangeView", &CFundamentalPowerTableTimeRangeView::Class, kPlain},
    {EPageFrame::VAHzTHDTable, "CVAHzTHDTableFrame", "CVAHzTHDTableView", &CVAHzTHDTableView::Class, kPlain},
    {EPageFrame::VAHzTHDGraph, "CVAHzTHDGraphFrame", "CVAHzTHDGraphView", &CVAHzTHDGraphView::Class, kPlain},
    {EPageFrame::VAHzTHDTableTimeRange, "CVAHzTHDTableTimeRangeFrame", "CVAHzTHDTableTimeRangeView", &CVAHzTHDTableTimeRangeView::Class, kPlain},
    {EPageFrame::LoadStudySummaryTable, "CLoadStudySummaryTableFrame", "CLoadStudySummaryTableView", &CLoadStudySummaryTableView::Class, kPlain},
    {EPageFrame::LoadStudySummaryGraph, "CLoadStudySummaryGraphFrame", "CLoadStudySummaryGraphView", &CLoadStudySummaryGraphView::Class, kPlain},
    {EPageFrame::LoadStudySummaryTableTimeRange, "CLoadStudySummaryTableTimeRangeFrame",
     "CLoadStudySummaryTableTimeRangeView", &CLoadStudySummaryTableTimeRangeView::Class, kPlain},
    {EPageFrame::LoadStudyCalendarTable, "CLoadStudyCalendarTableFrame", "CLoadStudyCalendarTableView", &CLoadStudyCalendarTableView::Class, kPlain},
    {EPageFrame::LoadStudyCalendarGraph, "CLoadStudyCalendarGraphFrame", "CLoadStudyCalendarGraphView", &CLoadStudyCalendarGraphView::Class, kPlain},
    {EPageFrame::LoadStudyVAHzTHDTable, "CLoadStudyVAHzTHDTableFrame", "CLoadStudyVAHzTHDTableView", &CLoadStudyVAHzTHDTableView::Class, kPlain},
    {EPageFrame::LoadStudyVAHzTHDGraph, "CLoadStudyVAHzTHDGraphFrame", "CLoadStudyVAHzTHDGraphView", &CLoadStudyVAHzTHDGraphView::Class, kPlain},
    {EPageFrame::LoadStudyVAHzTHDTableTimeRange, "CLoadStudyVAHzTHDTableTimeRangeFrame",
     "CLoadStudyVAHzTHDTableTimeRangeView", &CLoadStudyVAHzTHDTableTimeRangeView::Class, kPlain},
    {EPageFrame::ProjectManagerTable, "CProjectManagerTableFrame", "CProjectManagerTableView",
     &CProjectManagerTableView::Class, kPlain},
    {EPageFrame::ReportList, "CReportListFrame", "CReportListView", &CReportListView::Class, kReport},
    {EPageFrame::ReportContent, "CReportContentFrame", "CReportContentView", &CReportContentView::Class, kReport},
    {EPageFrame::Empty, "CEmptyFrame", "CEmptyView", kEmpty, kPlain},
};
static_assert(std::size(kPageFrames) == kPageFrameCount);

} // namespace

const SRuntimeClass& GetPageFrameClass(EPageFrame frame)
{
    static const auto classes = [] {
        std::array<SRuntimeClass, kPageFrameCount> made{};
        for (const SPageFrameRow& row : kPageFrames)
            made[std::size_t(row.frame)] = {row.frameName, &CSplitFrame::Class(), row.create, &row.viewClass()};
        return made;
    }();
    return classes[std::size_t(frame)];
}

const char* GetPageFrameViewName(EPageFrame frame)
{
    return kPageFrames[std::size_t(frame)].viewName;
}
