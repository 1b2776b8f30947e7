#pragma once
// The user's replacement scaling of one auxiliary input (channel 0 the first, 1 the second).
// Copied and reset as a whole.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

struct SAuxChannelSettings
{
    BOOL overrideFlag = FALSE;
    float gain = 1.0f;
    float offset = 0.0f;
    CStringW unit;

    void Reset() { *this = SAuxChannelSettings(); }

    friend bool operator==(const SAuxChannelSettings&, const SAuxChannelSettings&) = default;
};
