#pragma once
// What the project document asks of a study graph view when it shows a bookmark: take the
// bookmark's settings as its own. The graph view base implements it beside its window class.
#include "platform/framework/WinTypes.h"

class CViewSettings;

// Sent by the document to the view after it took a load-study bookmark's settings: wParam the
// session index, lParam the bit pattern of the bookmark's nominal voltage (a float) for the
// session whose nominal voltage differs from the project's.
inline constexpr UINT WM_SESSION_NOMINAL_VOLTAGE = 0x435; // WM_USER+53

class IBasicGraphView
{
public:
    virtual ~IBasicGraphView() = default;

    // Copies the settings (none: nothing) into the view's own settings object and marks the view
    // for a refresh.
    virtual void TakeViewSettings(const CViewSettings* settings) = 0;
};
