#include "views/GridMargins.h"

#include "platform/framework/windows/CWnd.h"

#include <algorithm>

namespace {

// The grid's rectangle in its parent's client coordinates.
CRect RectInParent(CWnd& grid, CWnd& parent)
{
    CRect rect;
    grid.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}

} // namespace

int GridRememberRightMargin(CWnd& grid)
{
    CWnd* parent = grid.GetParent();
    if (!parent)
        return 0;
    CRect client;
    parent->GetClientRect(&client);
    return client.right - RectInParent(grid, *parent).right;
}

void GridKeepRightMargin(CWnd& grid, int margin)
{
    CWnd* parent = grid.GetParent();
    if (!parent)
        return;
    CRect client;
    parent->GetClientRect(&client);
    const CRect rect = RectInParent(grid, *parent);
    const int width = std::max(0, client.right - margin - rect.left);
    grid.MoveWindow(rect.left, rect.top, width, rect.Height());
}
