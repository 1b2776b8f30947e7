#include "mainview/ViewSelectorCheck.h"

#include "mainview/MainViewLayout.h"
#include "views/SplitFrame.h"
#include "views/VisualFramework.h"

namespace {

constexpr int kEnergyTopSections[] = {5, 8, 11, 13, 16};
constexpr int kLoadTopSections[] = {25, 28, 33};

template <std::size_t N>
void Mark(const SMainViewLayout& layout, const int (&entries)[N], UINT command)
{
    for (int entry : entries) {
        const TVisualObject* section = layout.GetObject(entry);
        auto* frame = section ? dynamic_cast<CSplitFrame*>(section->GetWnd()) : nullptr;
        if (CMyToolBar* selector = frame ? frame->GetMyToolBar(0) : nullptr)
            selector->SetButtonFlag(command, 1, true);
    }
}

} // namespace

void MarkEnergyViewSelectors(const SMainViewLayout& layout, UINT command)
{
    Mark(layout, kEnergyTopSections, command);
}

void MarkLoadViewSelectors(const SMainViewLayout& layout, UINT command)
{
    Mark(layout, kLoadTopSections, command);
}
