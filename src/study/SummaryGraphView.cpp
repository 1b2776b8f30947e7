#include "study/SummaryGraphView.h"

#include "study/TableStrings.h"

namespace {
constexpr SPowerGraphQuantities kQuantities{5, 56, 8, tablestr::kPF, false, 5, 7};
} // namespace

const SRuntimeClass& CSummaryGraphView::Class()
{
    static const SRuntimeClass runtimeClass{"CSummaryGraphView", &CMyFormView::Class(), &CreateWindowObject<CSummaryGraphView>, nullptr};
    return runtimeClass;
}

CSummaryGraphView::CSummaryGraphView() : CPowerGraphView(0, 2, kQuantities) {}
