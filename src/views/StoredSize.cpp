#include "views/StoredSize.h"

unsigned UpdateStoredSize(CSize& stored, const CSize& size)
{
    constexpr int kSmallestSide = 10;
    if (size.cx < kSmallestSide || size.cy < kSmallestSide)
        return kSizeUnchanged;
    unsigned changed = kSizeUnchanged;
    if (size.cx != stored.cx)
        changed |= kWidthChanged;
    if (size.cy != stored.cy)
        changed |= kHeightChanged;
    stored = size;
    return changed;
}
