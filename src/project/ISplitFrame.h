#pragma once
// What the split frames of the project window offer their child frames: their toolbars. The
// split frame class implements it beside its window class.
#include "platform/framework/windows/CWnd.h"

class ISplitFrame
{
public:
    virtual ~ISplitFrame() = default;

    // The toolbar with that index, or null when there is none (the indexes are consecutive).
    virtual CWnd* GetToolBar(int index) const = 0;
};
