#include "projectmanager/PictureCellType.h"

#include <algorithm>

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiObjects.h"

namespace {

constexpr int kMargin = 2;

} // namespace

CSize CPictureCellType::FitPicture(CSize picture, CSize space)
{
    if (picture.cx <= 0 || picture.cy <= 0 || space.cx <= 0 || space.cy <= 0)
        return CSize(0, 0);
    const double scale = std::min({1.0, double(space.cx) / picture.cx, double(space.cy) / picture.cy});
    return CSize(std::max(1, int(picture.cx * scale + 0.5)), std::max(1, int(picture.cy * scale + 0.5)));
}

int CPictureCellType::DrawBitmap(CDC* dc, CBitmap* bitmap, RECT* rect, COLORREF /*backColor*/)
{
    const CRect space(rect->left + kMargin, rect->top + kMargin, rect->right - kMargin, rect->bottom - kMargin);
    const CSize own = bitmap->GetSize();
    const CSize drawn = FitPicture(own, space.Size());
    if (drawn.cx == 0)
        return 0;
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* previous = memory.SelectObject(bitmap);
    const int x = space.left + (space.Width() - drawn.cx) / 2;
    if (drawn == own)
        dc->BitBlt(x, space.top, drawn.cx, drawn.cy, &memory, 0, 0, SRCCOPY);
    else {
        dc->SetStretchBltMode(HALFTONE);
        dc->StretchBlt(x, space.top, drawn.cx, drawn.cy, &memory, 0, 0, own.cx, own.cy, SRCCOPY);
    }
    memory.SelectObject(previous);
    // The whole cell is the picture's: no text follows it.
    return rect->right - rect->left;
}
