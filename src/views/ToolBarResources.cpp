#include "views/ToolBarResources.h"

namespace {

const std::vector<SToolBarResource> kToolBarResources = {
    {kEnergySelectorToolBar, {33074, 0, 33075, 0, 33076, 0, 33077, 0, 33078}},
    {kLoadSelectorToolBar, {33074, 0, 33075, 0, 33076, 0, 33077}},
    {kGraphSectionToolBar, {33047, 33070, 33048, 33049, 33050, 33051, 33052, 33053, 33054, 33055}},
    {kTableSectionToolBar, {33047, 33070, 33048, 33052, 33053, 33054, 33055}},
    {kReportContentToolBar, {33084, 33085}},
};

} // namespace

const SToolBarResource* FindToolBarResource(UINT id)
{
    for (const SToolBarResource& resource : kToolBarResources)
        if (resource.id == id)
            return &resource;
    return nullptr;
}
