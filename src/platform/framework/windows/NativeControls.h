#pragma once
// Private: the native controls behind the control classes and their messages.
#include "platform/framework/windows/CScrollBar.h"
#include "platform/framework/windows/QtBridge.h"

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
QWidget* CreateTreeViewControl(WndImpl& impl, QWidget* parent);
// The widget of a registered painted control (nullptr when the class is not one).
QWidget* CreatePaintedControl(WndImpl& impl, const QString& upperClass, QWidget* parent);
