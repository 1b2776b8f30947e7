#include "study/TimeRangeSection.h"

#include "views/MySplitterWnd.h"

namespace {
constexpr int kTimeRangeRow = 2;
} // namespace

void ShowTimeRangeSection(CMySplitterWnd* splitter, bool timeRangeOn)
{
    if (!splitter || splitter->GetSectionCount() <= kTimeRangeRow)
        return;
    const bool shown = splitter->IsThirdSectionShown();
    if (timeRangeOn == shown)
        return;
    splitter->ShowThirdSection(timeRangeOn);
    splitter->RecalcSections();
    if (!timeRangeOn && splitter->GetActiveRow() == kTimeRangeRow)
        splitter->SetActiveRow(kTimeRangeRow - 1);
}
