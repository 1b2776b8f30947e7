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

unsigned UpdateStoredParentSize(CWnd& window, CSize& stored, bool force)
{
    CWnd* parent = window.GetParent();
    if (!window.GetSafeHwnd() || !parent)
        return kSizeUnchanged;
    CRect client;
    parent->GetClientRect(&client);
    const CSize size(client.Width(), client.Height());
    if (!force)
        return UpdateStoredSize(stored, size);
    if (size.cx < 10 || size.cy < 10)
        return kSizeUnchanged;
    stored = size;
    return kWidthChanged | kHeightChanged;
}
