#pragma once
// A page's remembered client size, updated from size messages.
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/Geometry.h"

enum EStoredSizeChange : unsigned { kSizeUnchanged = 0, kWidthChanged = 1, kHeightChanged = 2 };

// A size with a side under 10 px (a window being minimised or laid out) is ignored and reports no
// change; otherwise the new size is stored and the changed sides are reported.
unsigned UpdateStoredSize(CSize& stored, const CSize& size);

// The same for a window that fills its parent: the parent's client size. Forced, both sides count
// as changed (a size under 10 px still reports none); no change without a window or parent.
unsigned UpdateStoredParentSize(CWnd& window, CSize& stored, bool force);
