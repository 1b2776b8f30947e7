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

constexpr int kVkApps = 0x5D;
constexpr int kVkF10 = 0x79;
constexpr UINT kTimeAxisScaleText = 33041;
constexpr UINT kValueAxisScaleText = 33042;

void AppendCommands(CMenu& menu, std::initializer_list<UINT> commands)
{
    for (UINT command : commands) {
        CString text;
        text.LoadString(command);
        menu.AppendMenu(MF_STRING, command, text);
    }
}

UINT Track(CDataToIOComp& feeder, CWnd* owner, CMenu& menu, int x, int y)
{
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
    CMenu menu;
    menu.CreatePopupMenu();
    AppendCommands(menu, {ID_PLOT_RESET_ZOOM, ID_PLOT_AUTO_Y_AXES});
    return Track(feeder, owner, menu, x, y);
}

UINT TrackAxisContextMenu(CDataToIOComp& feeder, CWnd* owner, bool yAxis, int x, int y)
{
    CMenu menu;
    menu.CreatePopupMenu();
    if (yAxis)
        AppendCommands(menu, {ID_PLOT_SCALE_AXIS, ID_PLOT_RESET_ZOOM, ID_PLOT_AUTO_Y_AXES});
    else
        AppendCommands(menu, {ID_PLOT_SCALE_AXIS, ID_PLOT_RESET_ZOOM});
    return Track(feeder, owner, menu, x, y);
}

UINT TrackChartKeyboardMenu(CDataToIOComp& feeder, CWnd* owner, int x, int y)
{
    CMenu menu;
    menu.CreatePopupMenu();
    AppendCommands(menu, {ID_PLOT_RESET_ZOOM, ID_PLOT_AUTO_Y_AXES});
    menu.AppendMenu(MF_SEPARATOR);
    CString format;
    const SPlotLayout* layout = feeder.GetChart() ? &feeder.GetChart()->GetLayout() : nullptr;
    // Time axes are numbered as their sessions' buttons are.
    format.LoadString(kTimeAxisScaleText);
    for (std::size_t i = 0; layout && i < layout->xAxisBands.size(); ++i)
        if (!layout->xAxisBands[i].IsRectEmpty())
            menu.AppendMenu(MF_STRING, ID_PLOT_SCALE_TIME_AXIS + UINT(i), CString::Formatted(format.GetString(), int(i) + 1));
    format.LoadString(kValueAxisScaleText);
    for (std::size_t i = 0; layout && i < layout->yAxisBands.size(); ++i)
        if (const CPlotYAxis* axis = feeder.GetChart()->GetYAxis(int(i)); axis && !layout->yAxisBands[i].IsRectEmpty())
            menu.AppendMenu(MF_STRING, ID_PLOT_SCALE_VALUE_AXIS + UINT(i),
                            CString::Formatted(format.GetString(), axis->GetTitle().GetString()));
    return Track(feeder, owner, menu, x, y);
}

bool IsMenuKey(int key, int shift)
{
    return key == kVkApps || (key == kVkF10 && (shift & kPlotShift) != 0);
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
