#pragma once
// Image lists: equal-sized images cut from bitmap strips, drawn with a mask colour left out
// (ILC_MASK), and the drag image: one image that follows the mouse over a window while an item
// is dragged (BeginDrag, DragEnter, DragMove, DragLeave, EndDrag).
#include "platform/framework/windows/CWnd.h"

#include <memory>

class CBitmap;
class CDC;
struct ImageListData;

inline constexpr UINT ILC_MASK = 0x0001;
inline constexpr UINT ILC_COLOR24 = 0x0018;
inline constexpr UINT ILC_COLOR32 = 0x0020;
inline constexpr UINT ILD_NORMAL = 0x0000;
inline constexpr UINT ILD_TRANSPARENT = 0x0001;
inline constexpr UINT ILD_BLEND50 = 0x0004;
inline constexpr UINT ILD_BLEND = ILD_BLEND50;

class CImageList
{
public:
    CImageList();
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // Cuts a strip of images of the list's width from a resource bitmap; magenta is the mask.
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL DeleteImageList();
    BOOL IsCreated() const { return m_data != nullptr; }
    // Appends the images of a strip (as many as fit its width); the mask colour turns
    // transparent. Returns the index of the first image, or -1.
    int Add(CBitmap* bitmap, COLORREF mask);
    BOOL Remove(int image);
    BOOL Replace(int image, CBitmap* bitmap, COLORREF mask);
    int GetImageCount() const;
    CSize GetImageSize() const;
    BOOL Draw(CDC* dc, int image, POINT point, UINT style) const;

    // ---- the drag image (one at a time, for the whole program)
    BOOL BeginDrag(int image, CPoint hotSpot);
    // Shows the image over the window (null: the screen) at a point in its client coordinates.
    static BOOL DragEnter(CWnd* lockWnd, CPoint point);
    static BOOL DragMove(CPoint point);
    static BOOL DragShowNolock(BOOL show);
    static BOOL DragLeave(CWnd* lockWnd);
    static void EndDrag();
    // Where the drag image's top-left corner is now, in screen coordinates; whether it shows.
    static BOOL GetDragPosition(LPPOINT screenTopLeft);

    const ImageListData* Data() const { return m_data.get(); }

private:
    std::unique_ptr<ImageListData> m_data;
};
