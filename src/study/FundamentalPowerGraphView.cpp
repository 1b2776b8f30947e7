#include "study/FundamentalPowerGraphView.h"

#include "study/TableStrings.h"

namespace {
constexpr SPowerGraphQuantities kQuantities{20, 57, 9, tablestr::kDPF, true, 13, 15};
} // namespace

const SRuntimeClass& CFundamentalPowerGraphView::Class()
{
    static const SRuntimeClass runtimeClass{"CFundamentalPowerGraphView", &CMyFormView::Class(), &CreateWindowObject<CFundamentalPowerGraphView>, nullptr};
    return runtimeClass;
}

CFundamentalPowerGraphView::CFundamentalPowerGraphView() : CPowerGraphView(3, 10, kQuantities) {}
