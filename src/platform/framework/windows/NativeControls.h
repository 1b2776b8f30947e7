#pragma once
// Private: the native controls behind the control classes and their messages.
#include "platform/framework/windows/QtBridge.h"

// Scroll-bar control messages.
inline constexpr UINT SBM_SETPOS = 0x00E0;
inline constexpr UINT SBM_GETPOS = 0x00E1;
inline constexpr UINT SBM_SETRANGE = 0x00E2;
inline constexpr UINT SBM_GETRANGE = 0x00E3;
inline constexpr UINT SBM_ENABLE_ARROWS = 0x00E4;
inline constexpr UINT SBM_SETSCROLLINFO = 0x00E9;
inline constexpr UINT SBM_GETSCROLLINFO = 0x00EA;

// Sends a control notification to the parent: WM_COMMAND with the id and code.
void NotifyParent(WndImpl& impl, UINT code);

QWidget* CreateScrollBarControl(WndImpl& impl, QWidget* parent);
QWidget* CreateEditControl(WndImpl& impl, QWidget* parent);
QWidget* CreateListBoxControl(WndImpl& impl, QWidget* parent);
QWidget* CreateButtonControl(WndImpl& impl, QWidget* parent);
QWidget* CreateStaticControl(WndImpl& impl, QWidget* parent);
QWidget* CreateComboBoxControl(WndImpl& impl, QWidget* parent);
QWidget* CreateTabControl(WndImpl& impl, QWidget* parent);
QWidget* CreateDateTimeControl(WndImpl& impl, QWidget* parent);
QWidget* CreateProgressControl(WndImpl& impl, QWidget* parent);
// The widget of a registered painted control (nullptr when the class is not one).
QWidget* CreatePaintedControl(WndImpl& impl, const QString& upperClass, QWidget* parent);
