#pragma once
// Private: what a registered class gives a new window.
#include "platform/framework/windows/CWnd.h"

struct WndImpl;
void ApplyWindowClass(WndImpl& impl, LPCTSTR className);
