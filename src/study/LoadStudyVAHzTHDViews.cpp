#include "study/LoadStudyVAHzTHDViews.h"

#include "study/GraphViewDialogBars.h"
#include "study/StudyTableRows.h"
#include "study/TableStrings.h"
#include "views/SectionWindows.h"
#include "views/SplitFrame.h"

namespace {
const SDataItem kDataItems[] = {
    {1, 3, 1, 1, false, true},
    {2, 1, 2, 2, false, true},
    {30, 3, 4, 3, false, true},
    {51, 1, 5, -1, false, true},
    {52, 1, 5, -1, false, true},
};
constexpr STableRowSpec kRows[] = {
    {1, 3, tablestr::kCurrent},
    {2, 1, tablestr::kFrequency},
    {30, 3, tablestr::kThdA},
};
constexpr int kTableEntry = 33;
constexpr int kGraphEntry = 34;
constexpr int kTimeRangeTableEntry = 35;
} // namespace

const SRuntimeClass& CLoadStudyVAHzTHDGraphView::Class()
{
    static const SRuntimeClass runtimeClass{"CLoadStudyVAHzTHDGraphView", &CMyFormView::Class(),
                                            &CreateWindowObject<CLoadStudyVAHzTHDGraphView>, nullptr};
    return runtimeClass;
}

CLoadStudyVAHzTHDGraphView::CLoadStudyVAHzTHDGraphView() : CVAHzTHDGraphView(8, 24, 2) {}

void CLoadStudyVAHzTHDGraphView::LinkWindows()
{
    if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
        SetDialogBar(dynamic_cast<CBasicGraphViewDialogBar*>(frame->GetDialogBar()));
    if (g_pSectionWindows)
        SetTableViews(dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(kTableEntry)),
                      dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(kTimeRangeTableEntry)));
}

void CLoadStudyVAHzTHDGraphView::InitDataItems()
{
    m_dataItems.assign(std::begin(kDataItems), std::end(kDataItems));
}

bool CLoadStudyVAHzTHDGraphView::IsItemShown(DWORD quantity, int slot) const
{
    const CBasicViewSettings& settings = GetSettings();
    auto Channel = [&](int row) {
        return slot >= 0 && slot < CBasicViewSettings::kChannelPhases && settings.m_channels[std::size_t(row)][std::size_t(slot)];
    };
    switch (quantity) {
    case 1:
    case 2:
        return Channel(int(quantity));
    case 30:
        return Channel(4);
    case 51:
    case 52:
        return settings.m_aux[quantity - 51];
    default:
        return false;
    }
}

const SRuntimeClass& CLoadStudyVAHzTHDTableView::Class()
{
    static const SRuntimeClass runtimeClass{"CLoadStudyVAHzTHDTableView", &CMyFormView::Class(),
                                            &CreateWindowObject<CLoadStudyVAHzTHDTableView>, nullptr};
    return runtimeClass;
}

CLoadStudyVAHzTHDTableView::CLoadStudyVAHzTHDTableView()
{
    SetViewKind(22);
    m_sectionCount = 3;
}

void CLoadStudyVAHzTHDTableView::SetSectionTitles(structSummaryTableData& data)
{
    SetTableRowTitles(kRows, data);
}

void CLoadStudyVAHzTHDTableView::InitDataItems()
{
    m_dataItems = MakeTableDataItems(kRows);
}

void CLoadStudyVAHzTHDTableView::LinkWindows()
{
    SetLinkedGraphView(FindLinkedGraphView(kGraphEntry));
}

const SRuntimeClass& CLoadStudyVAHzTHDTableTimeRangeView::Class()
{
    static const SRuntimeClass runtimeClass{"CLoadStudyVAHzTHDTableTimeRangeView", &CLoadStudyVAHzTHDTableView::Class(),
                                            &CreateWindowObject<CLoadStudyVAHzTHDTableTimeRangeView>, nullptr};
    return runtimeClass;
}

CLoadStudyVAHzTHDTableTimeRangeView::CLoadStudyVAHzTHDTableTimeRangeView()
{
    SetViewKind(23);
    m_timeRange = 1;
}
