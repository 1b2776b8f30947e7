// Invalidation, painting, scrolling, timers, scroll information and tool tips of CWnd.
#include "platform/framework/windows/CScrollBar.h"
#include "platform/framework/windows/CToolTipCtrl.h"
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/DcPainting.h"
#include "platform/framework/windows/WindowBridge.h"

#include <vector>

namespace
{
QRegion RegionOf(CRgn* region) { return region && region->m_hObject ? region->Data()->region : QRegion(); }
} // namespace

void CWnd::Invalidate(BOOL erase)
{
    if (m_impl && m_impl->alive) m_impl->Invalidate(m_impl->ClientRect(), erase);
}

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase)
{
    if (!m_impl || !m_impl->alive) return;
    m_impl->Invalidate(rect ? QRegion(ToQRect(*rect)) : QRegion(m_impl->ClientRect()), erase);
}

void CWnd::InvalidateRgn(CRgn* region, BOOL erase)
{
    if (!m_impl || !m_impl->alive) return;
    m_impl->Invalidate(region ? RegionOf(region) : QRegion(m_impl->ClientRect()), erase);
}

void CWnd::ValidateRect(LPCRECT rect)
{
    if (!m_impl) return;
    if (rect) m_impl->invalid -= ToQRect(*rect);
    else m_impl->invalid = QRegion();
}

void CWnd::ValidateRgn(CRgn* region)
{
    if (!m_impl) return;
    if (region) m_impl->invalid -= RegionOf(region);
    else m_impl->invalid = QRegion();
}

BOOL CWnd::GetUpdateRect(LPRECT rect, BOOL erase)
{
    if (!m_impl) return FALSE;
    // Out of sight nothing is painted: what lies there waits until it shows.
    const QRegion invalid = m_impl->ShownInvalid();
    if (rect) *rect = invalid.isEmpty() ? CRect() : FromQRect(invalid.boundingRect());
    if (erase && m_impl->erasePending && !invalid.isEmpty())
    {
        m_impl->erasePending = false;
        CDC dc;
        AttachDcToWindow(dc, *m_impl, invalid);
        m_impl->Dispatch(WM_ERASEBKGND, WPARAM(dc.m_hDC), 0);
    }
    return !invalid.isEmpty();
}

int CWnd::GetUpdateRgn(CRgn* region, BOOL erase)
{
    if (!m_impl || !region) return RGN_ERROR;
    GetUpdateRect(nullptr, erase);
    if (!region->m_hObject) region->CreateRectRgn(0, 0, 0, 0);
    region->Data()->region = m_impl->ShownInvalid();
    const QRegion& r = region->Data()->region;
    return r.isEmpty() ? NULLREGION : r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void CWnd::UpdateWindow()
{
    if (m_impl && m_impl->alive && !m_impl->nativeControl && !m_impl->invalid.isEmpty() && m_impl->widget &&
        m_impl->widget->isVisible() && m_impl->redraw && !m_impl->ShownInvalid().isEmpty())
        m_impl->Dispatch(WM_PAINT, 0, 0);
}

BOOL CWnd::RedrawWindow(LPCRECT rect, CRgn* region, UINT flags)
{
    if (!m_impl || !m_impl->alive) return FALSE;
    QRegion area = region ? RegionOf(region) : rect ? QRegion(ToQRect(*rect)) : QRegion(m_impl->ClientRect());
    if (flags & RDW_INVALIDATE) m_impl->Invalidate(area, (flags & RDW_ERASE) != 0);
    if (flags & RDW_VALIDATE) m_impl->invalid -= area;
    if (flags & RDW_ALLCHILDREN)
    {
        // A child that paints now may create or destroy windows: the walk goes over a copy of
        // the list, and each child is looked up again.
        const QObjectList children = m_impl->widget->children();
        for (QObject* o : children)
            if (WndImpl* c = WndImpl::FromWidget(o); c && c->alive && c->widget == o && c->owner)
            {
                QRegion childArea = area.translated(-c->widget->pos()) & c->ClientRect();
                CRgn childRegion;
                childRegion.CreateRectRgn(0, 0, 0, 0);
                childRegion.Data()->region = childArea;
                c->owner->RedrawWindow(nullptr, &childRegion, flags);
            }
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateWindow();
    if (m_impl->nativeControl && m_impl->widget) m_impl->widget->update();
    return TRUE;
}

void CWnd::ScrollWindow(int dx, int dy, LPCRECT scrollRect, LPCRECT clipRect)
{
    ScrollWindowEx(dx, dy, scrollRect, clipRect, nullptr, nullptr, SW_INVALIDATE | (scrollRect ? 0 : SW_SCROLLCHILDREN));
}

int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT scrollRect, LPCRECT clipRect, CRgn* updateRegion, LPRECT updateRect,
                         UINT flags)
{
    if (!m_impl || !m_impl->alive) return RGN_ERROR;
    CClientDC dc(this);
    CRgn uncovered;
    uncovered.CreateRectRgn(0, 0, 0, 0);
    dc.ScrollDC(dx, dy, scrollRect, clipRect, &uncovered, nullptr);
    // What was waiting to be painted moves with the pixels.
    const QRect area = scrollRect ? ToQRect(*scrollRect) : m_impl->ClientRect();
    const QRegion moving = m_impl->invalid & area;
    m_impl->invalid = (m_impl->invalid - area) | (moving.translated(dx, dy) & area);
    const QRegion fresh = uncovered.Data()->region;
    if (flags & SW_INVALIDATE) m_impl->Invalidate(fresh, (flags & SW_ERASE) != 0);
    if (updateRegion)
    {
        if (!updateRegion->m_hObject) updateRegion->CreateRectRgn(0, 0, 0, 0);
        updateRegion->Data()->region = fresh;
    }
    if (updateRect) *updateRect = fresh.isEmpty() ? CRect() : FromQRect(fresh.boundingRect());
    if (flags & SW_SCROLLCHILDREN)
    {
        // Each moved child hears of it (WM_MOVE) and may add or remove windows: a copy is walked.
        const QObjectList children = m_impl->widget->children();
        for (QObject* o : children)
            if (WndImpl* c = WndImpl::FromWidget(o); c && c->alive && c->widget == o)
            {
                c->widget->move(c->widget->pos() + QPoint(dx, dy));
                c->ReportGeometry();
            }
    }
    return fresh.isEmpty() ? NULLREGION : fresh.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void CWnd::SetRedraw(BOOL redraw) { SendMessage(WM_SETREDRAW, redraw); }

CDC* CWnd::BeginPaint(PAINTSTRUCT* paint)
{
    if (!m_impl || !paint) return nullptr;
    auto dc = std::make_unique<CDC>();
    const QRegion region = BeginPaintRegion(*m_impl, *paint);
    AttachDcToWindow(*dc, *m_impl, region);
    paint->hdc = dc->m_hDC;
    m_impl->contexts.push_back(std::move(dc));
    return m_impl->contexts.back().get();
}

void CWnd::EndPaint(const PAINTSTRUCT* paint)
{
    if (!m_impl || !paint) return;
    CDC* dc = CDC::FromHandle(paint->hdc);
    if (dc && dc->State().limit) EndPaintRegion(*m_impl, *dc->State().limit);
    ReleaseDC(dc);
}

CDC* CWnd::GetDC()
{
    if (!m_impl || !m_impl->alive) return nullptr;
    auto dc = std::make_unique<CDC>();
    AttachDcToWindow(*dc, *m_impl, std::nullopt);
    m_impl->contexts.push_back(std::move(dc));
    return m_impl->contexts.back().get();
}

int CWnd::ReleaseDC(CDC* dc)
{
    if (!m_impl) return 0;
    auto& contexts = m_impl->contexts;
    const auto it = std::find_if(contexts.begin(), contexts.end(), [dc](const auto& c) { return c.get() == dc; });
    if (it == contexts.end()) return 0;
    contexts.erase(it);
    return 1;
}

void CWnd::PrintWindow(CDC* dc)
{
    if (!m_impl || !m_impl->widget || !dc || !dc->State().HasPixels()) return;
    QWidget* w = m_impl->widget;
    // Paint what is pending, in this window and its children, before the picture is taken.
    const auto flush = [](auto&& self, QWidget* widget) -> void {
        if (WndImpl* impl = WndImpl::FromWidget(widget); impl && impl->alive && impl->owner && impl->widget == widget)
        {
            if (!impl->nativeControl && !impl->invalid.isEmpty()) impl->Dispatch(WM_PAINT, 0, 0);
        }
        // Painting may add or remove windows: a copy of the list is walked, each child checked.
        std::vector<QPointer<QWidget>> children;
        for (QObject* o : widget->children())
            if (auto* child = qobject_cast<QWidget*>(o)) children.emplace_back(child);
        for (const QPointer<QWidget>& child : children)
            if (child && !child->isHidden()) self(self, child.data());
    };
    flush(flush, w);
    QImage& target = dc->State().surface->image;
    QPainter p(&target);
    p.setClipRegion(dc->State().EffectiveClip());
    const QPoint origin = dc->State().attr.viewportOrg - dc->State().attr.windowOrg - dc->State().surface->origin;
    p.end();
    w->render(&target, origin, QRegion(), QWidget::DrawChildren);
}

// ---- timers

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void*)
{
    if (!m_impl || !m_impl->widget || !m_impl->alive) return 0;
    KillTimer(id);
    const int qtId = m_impl->widget->startTimer(int(std::max<UINT>(elapseMs, 1)));
    if (qtId == 0) return 0;
    m_impl->timers[id] = qtId;
    return id;
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    if (!m_impl) return FALSE;
    auto it = m_impl->timers.find(id);
    if (it == m_impl->timers.end()) return FALSE;
    if (m_impl->widget) m_impl->widget->killTimer(it->second);
    m_impl->timers.erase(it);
    return TRUE;
}

// ---- scroll information: the standing-in control when there is one, else the window's own

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }

namespace
{
// Range, page and position kept together; the position stays within min .. max - page + 1.
void Store(SCROLLINFO& target, const SCROLLINFO& info)
{
    if (info.fMask & SIF_RANGE)
    {
        target.nMin = info.nMin;
        target.nMax = info.nMax;
    }
    if (info.fMask & SIF_PAGE) target.nPage = info.nPage;
    if (info.fMask & SIF_POS) target.nPos = info.nPos;
    const int span = target.nMax - target.nMin + 1;
    if (target.nPage > UINT(std::max(span, 0))) target.nPage = UINT(std::max(span, 0));
    const int limit = target.nMax - std::max(int(target.nPage) - 1, 0);
    target.nPos = std::clamp(target.nPos, target.nMin, std::max(target.nMin, limit));
}
} // namespace

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw)
{
    if (!info || (bar != SB_HORZ && bar != SB_VERT)) return FALSE;
    if (CScrollBar* control = GetScrollBarCtrl(bar)) return control->SetScrollInfo(info, redraw);
    if (!m_impl) return FALSE;
    SCROLLINFO& s = m_impl->scroll[bar];
    Store(s, *info);
    // The window's own bar shows while there is something to scroll.
    const DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    const bool needed = s.nMax > s.nMin && (s.nPage == 0 || int(s.nPage) <= s.nMax - s.nMin);
    const bool keep = (info->fMask & SIF_DISABLENOSCROLL) && (m_impl->style & bit);
    m_impl->style = needed || keep ? m_impl->style | bit : m_impl->style & ~bit;
    UpdateWindowScrollBars(*m_impl);
    return s.nPos;
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask)
{
    if (!info || (bar != SB_HORZ && bar != SB_VERT)) return FALSE;
    if (CScrollBar* control = GetScrollBarCtrl(bar)) return control->GetScrollInfo(info, mask);
    if (!m_impl) return FALSE;
    const SCROLLINFO& s = m_impl->scroll[bar];
    if (mask & SIF_RANGE) info->nMin = s.nMin, info->nMax = s.nMax;
    if (mask & SIF_PAGE) info->nPage = s.nPage;
    if (mask & SIF_POS) info->nPos = s.nPos;
    if (mask & SIF_TRACKPOS) info->nTrackPos = s.nPos;
    return TRUE;
}

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw)
{
    SCROLLINFO info;
    info.fMask = SIF_POS;
    GetScrollInfo(bar, &info, SIF_POS);
    const int old = info.nPos;
    info.nPos = pos;
    SetScrollInfo(bar, &info, redraw);
    return old;
}

int CWnd::GetScrollPos(int bar) const
{
    SCROLLINFO info;
    const_cast<CWnd*>(this)->GetScrollInfo(bar, &info, SIF_POS);
    return info.nPos;
}

void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = minPos;
    info.nMax = maxPos;
    SetScrollInfo(bar, &info, redraw);
}

void CWnd::GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const
{
    SCROLLINFO info;
    const_cast<CWnd*>(this)->GetScrollInfo(bar, &info, SIF_RANGE);
    if (minPos) *minPos = info.nMin;
    if (maxPos) *maxPos = info.nMax;
}

void CWnd::ShowScrollBar(UINT bar, BOOL show)
{
    if (!m_impl) return;
    const DWORD bits = bar == SB_BOTH ? WS_VSCROLL | WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : 0;
    m_impl->style = show ? m_impl->style | bits : m_impl->style & ~bits;
    UpdateWindowScrollBars(*m_impl);
}

int CWnd::GetScrollLimit(int bar)
{
    SCROLLINFO info;
    GetScrollInfo(bar, &info, SIF_RANGE | SIF_PAGE);
    return std::max(info.nMin, info.nMax - std::max(int(info.nPage) - 1, 0));
}

// ---- tool tips

BOOL CWnd::EnableToolTips(BOOL enable)
{
    if (!m_impl) return FALSE;
    const BOOL old = m_impl->toolTips;
    m_impl->toolTips = enable;
    return old;
}

INT_PTR CWnd::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }

CString CWnd::GetToolTipTextAt(CPoint point)
{
    TOOLINFO info;
    if (OnToolHitTest(point, &info) == -1)
    {
        if (!m_impl) return {};
        for (const CToolTipCtrl* control : m_impl->toolTipControls)
            if (CString text = control->GetTipTextAt(this, point); !text.IsEmpty()) return text;
        return {};
    }
    CString text;
    if (info.lpszText == LPSTR_TEXTCALLBACK)
    {
        NMTTDISPINFO request;
        request.hdr.hwndFrom = m_hWnd;
        request.hdr.idFrom = info.uId;
        request.hdr.code = TTN_NEEDTEXT;
        request.lParam = info.lParam;
        CWnd* target = info.hwnd ? FromHandle(info.hwnd) : this;
        if (target) target->SendMessage(WM_NOTIFY, info.uId, LPARAM(&request));
        text = request.lpszText ? CString(request.lpszText) : CString(request.szText);
    }
    else if (info.lpszText)
    {
        text = info.lpszText;
        std::free(info.lpszText); // the hit test allocates the text, as the platform expects
    }
    return text;
}

// ---- the framework's own access to the widgets

QWidget* WidgetOf(const CWnd* window)
{
    return window && window->Impl() ? window->Impl()->widget.data() : nullptr;
}

QImage WindowImage(CWnd& window)
{
    QWidget* w = WidgetOf(&window);
    if (!w) return {};
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
