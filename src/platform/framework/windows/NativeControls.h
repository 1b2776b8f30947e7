#pragma once
// Private: the native controls behind the control classes and their messages.
#include "platform/framework/windows/CScrollBar.h"
#include "platform/framework/windows/QtBridge.h"

#include <vector>

// Sends a control notification to the parent: WM_COMMAND with the id and code.
void NotifyParent(WndImpl& impl, UINT code);
// A control whose value the wheel steps (a list, a date or time) takes the wheel only once the
// user has put the focus in it; otherwise the wheel goes on to its parent, so that a page or bar
// scrolled under the pointer never changes a value that passes under it. Call it from the
// control's procedure for WM_MOUSEWHEEL: `handled` false leaves the wheel to the control.
void TakeFocusWithTheWheelOnly(QWidget* control);
LRESULT WheelUnlessFocused(WndImpl& impl, QWidget* control, WPARAM wParam, LPARAM lParam, bool& handled);

QWidget* CreateScrollBarControl(WndImpl& impl, QWidget* parent);
QWidget* CreateEditControl(WndImpl& impl, QWidget* parent);
QWidget* CreateListBoxControl(WndImpl& impl, QWidget* parent);
QWidget* CreateButtonControl(WndImpl& impl, QWidget* parent);
QWidget* CreateStaticControl(WndImpl& impl, QWidget* parent);
QWidget* CreateComboBoxControl(WndImpl& impl, QWidget* parent);
QWidget* CreateTabControl(WndImpl& impl, QWidget* parent);
// Chooses the next (previous) enabled tab, round, of the tab control shown in a window, as the
// user's choice does (its owner hears TCN_SELCHANGE); false when the window shows none.
bool StepTabControlIn(QWidget* window, bool back);
QWidget* CreateDateTimeControl(WndImpl& impl, QWidget* parent);
// The widths at which date or time pickers of that style and font, one for each of the heights,
// show every text the user's locale writes in them whole (pixels).
std::vector<int> DateTimeControlWidths(DWORD style, const QFont& font, const std::vector<int>& heights);
QWidget* CreateProgressControl(WndImpl& impl, QWidget* parent);
QWidget* CreateTreeViewControl(WndImpl& impl, QWidget* parent);
// The widget of a registered painted control (nullptr when the class is not one).
QWidget* CreatePaintedControl(WndImpl& impl, const QString& upperClass, QWidget* parent);
