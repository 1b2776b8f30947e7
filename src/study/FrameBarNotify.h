#pragma once
// The demand and calendar table views hand a notification to their frame's first two bars
// before their own form-view handling: the section toolbar answers its buttons' tip requests.
#include "platform/framework/windows/CWnd.h"

// TRUE when a bar of the view's split frame took the notification.
BOOL NotifyFrameBars(CWnd& view, WPARAM wParam, LPARAM lParam, LRESULT* result);
