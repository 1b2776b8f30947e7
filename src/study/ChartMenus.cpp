#include "study/ChartMenus.h"

#include "platform/chart/CiPlotX.h"
#include "platform/framework/windows/CMenu.h"
#include "study/RecTrendToIOComp.h"

#include <initializer_list>

namespace {

constexpr int kVkHome = 0x24;
constexpr int kVkAdd = 0x6B;
constexpr int kVkSubtract = 0x6D;
constexpr int kVkOemPlus = 0xBB;
constexpr int kVkOemMinus = 0xBD;

UINT Track(CDataToIOComp& feeder, CWnd* owner, std::initializer_list<UINT> commands, int x, int y)
{
    CMenu menu;
    menu.CreatePopupMenu();
    for (UINT command : commands) {
        CString text;
        text.LoadString(command);
        menu.AppendMenu(MF_STRING, command, text);
    }
    CPoint point(x, y);
    if (owner && owner->GetSafeHwnd())
        owner->ClientToScreen(&point);
    const UINT chosen = UINT(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, owner));
    if (chosen == ID_PLOT_RESET_ZOOM)
        feeder.Reset();
    else if (chosen == ID_PLOT_AUTO_Y_AXES)
        feeder.SetAllYAxesManual(false);
    if (chosen != 0 && feeder.GetChart())
        feeder.GetChart()->Repaint();
    return chosen;
}

} // namespace

UINT TrackChartContextMenu(CDataToIOComp& feeder, CWnd* owner, int x, int y)
{
    return Track(feeder, owner, {ID_PLOT_RESET_ZOOM, ID_PLOT_AUTO_Y_AXES}, x, y);
}

UINT TrackAxisContextMenu(CDataToIOComp& feeder, CWnd* owner, bool yAxis, int x, int y)
{
    if (yAxis)
        return Track(feeder, owner, {ID_PLOT_SCALE_AXIS, ID_PLOT_RESET_ZOOM, ID_PLOT_AUTO_Y_AXES}, x, y);
    return Track(feeder, owner, {ID_PLOT_SCALE_AXIS, ID_PLOT_RESET_ZOOM}, x, y);
}

bool HandleChartKey(CRecTrendToIOComp& feeder, int& key)
{
    switch (key) {
    case kVkAdd:
    case kVkOemPlus:
        feeder.ZoomIn();
        break;
    case kVkSubtract:
    case kVkOemMinus:
        feeder.ZoomOut();
        break;
    case kVkHome:
        feeder.Reset();
        if (feeder.GetChart())
            feeder.GetChart()->Repaint();
        break;
    default:
        return false;
    }
    key = 0;
    return true;
}

void HandleObjectClick(CiPlotX& chart, int label)
{
    if (!chart.GetLabel(label))
        return;
    chart.BringLabelToFront(label);
    chart.Repaint();
}
