#pragma once
// A view larger than its window: SetScrollSizes gives the size of the whole content, and the
// window's own scroll bars move over it (OnDraw sees the content's coordinates: OnPrepareDC
// moves the origin). Scrolling moves the child windows along. In scale-to-fit mode the content
// fits the window and there are no scroll bars.
#include "platform/framework/windows/CView.h"

class CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
public:
    // The page and line sizes default to a tenth and a hundredth of the total.
    void SetScrollSizes(int mapMode, SIZE total, const SIZE& page = CSize(0, 0), const SIZE& line = CSize(0, 0));
    void SetScaleToFitSize(SIZE total);
    BOOL IsScaleToFit() const { return m_scaleToFit; }
    CSize GetTotalSize() const { return m_total; }
    CPoint GetScrollPosition() const { return m_position; }
    void ScrollToPosition(POINT position);
    virtual void OnPrepareDC(CDC* dc);

protected:
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnHScroll(UINT code, UINT pos, CWnd* bar) override;
    void OnVScroll(UINT code, UINT pos, CWnd* bar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    // Shows the bars the content needs at the current size and keeps the position in range.
    void UpdateBars();

private:
    void Scroll(int which, UINT code, UINT pos);

    CSize m_total;
    CSize m_page;
    CSize m_line;
    CPoint m_position;
    bool m_scaleToFit = false;
    bool m_updatingBars = false;
};
