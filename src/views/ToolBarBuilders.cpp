#include "views/ToolBarBuilders.h"

#include "views/MyToolBar.h"
#include "views/SplitFrame.h"
#include "views/ToolBarResources.h"

#include <utility>

namespace {

constexpr int kTitleFieldWidth = 250;
constexpr UINT kDataCommands[] = {33052, 33053};

// A command and the string id of its label or tooltip.
using STextEntry = std::pair<UINT, UINT>;

constexpr STextEntry kEnergySelectorLabels[] = {
    {33074, 10057}, {33075, 10058}, {33076, 10059}, {33077, 10060}, {33078, 10061}};
constexpr STextEntry kLoadSelectorLabels[] = {{33074, 10167}, {33075, 10168}, {33076, 10170}};
constexpr STextEntry kGraphTips[] = {{33047, 148}, {33070, 149}, {33048, 139}, {33049, 140},
                                     {33050, 141}, {33051, 147}, {33054, 142}, {33055, 143}};
constexpr STextEntry kTableTips[] = {{33047, 148}, {33070, 149}, {33048, 139}, {33054, 142}, {33055, 143}};
constexpr STextEntry kReportContentLabels[] = {{33084, 117}, {33085, 120}};

// The selectors' own colours: a light blue strip with the marked view in a darker blue.
constexpr COLORREF kSelectorFace = RGB(222, 232, 243);
constexpr COLORREF kSelectorMarked = RGB(170, 198, 230);
constexpr COLORREF kSelectorText = RGB(16, 40, 80);

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

template <std::size_t N>
void SetLabels(CMyToolBar& toolBar, const STextEntry (&labels)[N])
{
    for (const auto& [command, id] : labels)
        toolBar.SetButtonText(command, LoadText(id));
}

template <std::size_t N>
void SetTips(CMyToolBar& toolBar, const STextEntry (&tips)[N])
{
    for (const auto& [command, id] : tips)
        toolBar.SetToolTip(command, LoadText(id));
}

template <std::size_t N>
CMyToolBar* AddSectionToolBar(CSplitFrame& frame, UINT resourceId, UINT titleId, bool collapsed,
                              const STextEntry (&tips)[N])
{
    CMyToolBar* toolBar = frame.AddToolBar(CMyToolBar::kSectionType, resourceId);
    if (!toolBar)
        return nullptr;
    toolBar->SetTitleField(CMyToolBar::kTitleCommand, kTitleFieldWidth, LoadText(titleId));
    toolBar->SetLaidOutCollapsed(collapsed);
    // Their handlers were only a developer's check; the buttons stay out of sight.
    for (UINT command : kDataCommands)
        toolBar->HideButton(command);
    SetTips(*toolBar, tips);
    return toolBar;
}

} // namespace

CMyToolBar* AddEnergyViewSelector(CSplitFrame& frame)
{
    CMyToolBar* toolBar = frame.AddToolBar(CMyToolBar::kSelectorType, kEnergySelectorToolBar);
    if (!toolBar)
        return nullptr;
    SetLabels(*toolBar, kEnergySelectorLabels);
    toolBar->SetColors(kSelectorFace, kSelectorMarked, kSelectorText);
    return toolBar;
}

CMyToolBar* AddLoadViewSelector(CSplitFrame& frame)
{
    CMyToolBar* toolBar = frame.AddToolBar(CMyToolBar::kSelectorType, kLoadSelectorToolBar);
    if (!toolBar)
        return nullptr;
    SetLabels(*toolBar, kLoadSelectorLabels);
    toolBar->HideButton(33077);
    toolBar->SetColors(kSelectorFace, kSelectorMarked, kSelectorText);
    return toolBar;
}

CMyToolBar* AddGraphSectionToolBar(CSplitFrame& frame, UINT titleId, bool collapsed)
{
    return AddSectionToolBar(frame, kGraphSectionToolBar, titleId, collapsed, kGraphTips);
}

CMyToolBar* AddTableSectionToolBar(CSplitFrame& frame, UINT titleId, bool collapsed)
{
    return AddSectionToolBar(frame, kTableSectionToolBar, titleId, collapsed, kTableTips);
}

CMyToolBar* AddReportContentToolBar(CSplitFrame& frame)
{
    CMyToolBar* toolBar = frame.AddToolBar(CMyToolBar::kSectionType, kReportContentToolBar);
    if (!toolBar)
        return nullptr;
    SetLabels(*toolBar, kReportContentLabels);
    toolBar->SetCollapsed(false);
    return toolBar;
}
