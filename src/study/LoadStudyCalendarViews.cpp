#include "study/LoadStudyCalendarViews.h"

namespace {
constexpr SCalendarParameter kLoadParameters[] = {{1, 3}, {54, 4}, {30, 3}, {2, 1}};
} // namespace

const SRuntimeClass& CLoadStudyCalendarGraphView::Class()
{
    static const SRuntimeClass runtimeClass{"CLoadStudyCalendarGraphView", &CMyFormView::Class(),
                                            &CreateWindowObject<CLoadStudyCalendarGraphView>, nullptr};
    return runtimeClass;
}

CLoadStudyCalendarGraphView::CLoadStudyCalendarGraphView() : CCalendarGraphView(6, 18, 2) {}

std::span<const SCalendarParameter> CLoadStudyCalendarGraphView::Parameters() const
{
    return kLoadParameters;
}

const SRuntimeClass& CLoadStudyCalendarTableView::Class()
{
    static const SRuntimeClass runtimeClass{"CLoadStudyCalendarTableView", &CMyFormView::Class(),
                                            &CreateWindowObject<CLoadStudyCalendarTableView>, nullptr};
    return runtimeClass;
}

CLoadStudyCalendarTableView::CLoadStudyCalendarTableView() : CCalendarTableView(17) {}
