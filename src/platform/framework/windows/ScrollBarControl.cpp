// The native scroll bar and the CScrollBar class.
#include "platform/framework/windows/CScrollBar.h"
#include "platform/framework/windows/NativeControls.h"

#include <QScrollBar>

namespace
{
QScrollBar* Bar(WndImpl& impl) { return static_cast<QScrollBar*>(impl.widget.data()); }

// Shows the stored range, page and position on the native bar.
void Push(WndImpl& impl)
{
    QScrollBar* bar = Bar(impl);
    if (!bar) return;
    const SCROLLINFO& s = impl.scroll[0];
    const QSignalBlocker block(bar);
    bar->setRange(s.nMin, std::max(s.nMin, s.nMax - std::max(int(s.nPage) - 1, 0)));
    bar->setPageStep(std::max(int(s.nPage), 1));
    bar->setValue(s.nPos);
    bar->setSliderPosition(s.nPos);
}

void Store(SCROLLINFO& target, const SCROLLINFO& info)
{
    if (info.fMask & SIF_RANGE)
    {
        target.nMin = info.nMin;
        target.nMax = info.nMax;
    }
    if (info.fMask & SIF_PAGE) target.nPage = info.nPage;
    if (info.fMask & SIF_POS) target.nPos = info.nPos;
    const int span = std::max(target.nMax - target.nMin + 1, 0);
    target.nPage = std::min(target.nPage, UINT(span));
    const int limit = std::max(target.nMin, target.nMax - std::max(int(target.nPage) - 1, 0));
    target.nPos = std::clamp(target.nPos, target.nMin, limit);
}

void SendScroll(WndImpl& impl, UINT code, int pos)
{
    if (!impl.widget) return;
    WndImpl* parent = WndImpl::FromWidget(impl.widget->parentWidget());
    const UINT message = (impl.style & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    auto keep = impl.shared_from_this();
    if (parent && parent->alive)
        parent->Dispatch(message, MAKEWPARAM(int(code), pos), LPARAM(static_cast<HWND>(&impl)));
    if (keep->alive) Push(*keep);
}

LRESULT ScrollBarProc(WndImpl& impl, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    SCROLLINFO& s = impl.scroll[0];
    switch (message)
    {
    case SBM_SETSCROLLINFO:
    {
        Store(s, *reinterpret_cast<const SCROLLINFO*>(lParam));
        Push(impl);
        return s.nPos;
    }
    case SBM_GETSCROLLINFO:
    {
        auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
        if (info->fMask & SIF_RANGE) info->nMin = s.nMin, info->nMax = s.nMax;
        if (info->fMask & SIF_PAGE) info->nPage = s.nPage;
        if (info->fMask & SIF_POS) info->nPos = s.nPos;
        if (info->fMask & SIF_TRACKPOS) info->nTrackPos = Bar(impl) ? Bar(impl)->sliderPosition() : s.nPos;
        return TRUE;
    }
    case SBM_SETPOS:
    {
        const int old = s.nPos;
        SCROLLINFO info;
        info.fMask = SIF_POS;
        info.nPos = int(wParam);
        Store(s, info);
        Push(impl);
        return old;
    }
    case SBM_GETPOS: return s.nPos;
    case SBM_SETRANGE:
    {
        SCROLLINFO info;
        info.fMask = SIF_RANGE;
        info.nMin = int(wParam);
        info.nMax = int(lParam);
        Store(s, info);
        Push(impl);
        return s.nPos;
    }
    case SBM_ENABLE_ARROWS:
        if (impl.widget) impl.widget->setEnabled(wParam != ESB_DISABLE_BOTH);
        return TRUE;
    default: handled = false; return 0;
    }
}
} // namespace

QWidget* CreateScrollBarControl(WndImpl& impl, QWidget* parent)
{
    auto* bar = new QScrollBar((impl.style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal, parent);
    bar->setTracking(false);
    bar->setSingleStep(1);
    impl.scroll[0] = SCROLLINFO{};
    impl.controlProc = ScrollBarProc;
    auto* self = &impl;
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [self, bar](int action) {
        UINT code = SB_ENDSCROLL;
        switch (action)
        {
        case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
        case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
        case QAbstractSlider::SliderMove:
            if (bar->isSliderDown()) SendScroll(*self, SB_THUMBTRACK, bar->sliderPosition());
            return;
        default: return;
        }
        // The bar moves only when its owner says so.
        bar->setSliderPosition(self->scroll[0].nPos);
        SendScroll(*self, code, self->scroll[0].nPos);
        SendScroll(*self, SB_ENDSCROLL, self->scroll[0].nPos);
    });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [self, bar] {
        const int pos = bar->sliderPosition();
        SendScroll(*self, SB_THUMBPOSITION, pos);
        SendScroll(*self, SB_ENDSCROLL, self->scroll[0].nPos);
    });
    QObject::connect(bar, &QAbstractSlider::valueChanged, bar, [self] { Push(*self); });
    return bar;
}

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("SCROLLBAR", nullptr, style, rect, parent, id);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO info, BOOL) { return info && SendMessage(SBM_SETSCROLLINFO, 0, LPARAM(info)) >= 0; }

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO info, UINT mask)
{
    if (!info) return FALSE;
    info->fMask = mask;
    return BOOL(SendMessage(SBM_GETSCROLLINFO, 0, LPARAM(info)));
}

int CScrollBar::SetScrollPos(int pos, BOOL) { return int(SendMessage(SBM_SETPOS, WPARAM(pos))); }
int CScrollBar::GetScrollPos() const { return int(const_cast<CScrollBar*>(this)->SendMessage(SBM_GETPOS)); }
void CScrollBar::SetScrollRange(int minPos, int maxPos, BOOL) { SendMessage(SBM_SETRANGE, WPARAM(minPos), LPARAM(maxPos)); }

void CScrollBar::GetScrollRange(LPINT minPos, LPINT maxPos) const
{
    SCROLLINFO info;
    const_cast<CScrollBar*>(this)->GetScrollInfo(&info, SIF_RANGE);
    if (minPos) *minPos = info.nMin;
    if (maxPos) *maxPos = info.nMax;
}

int CScrollBar::GetScrollLimit()
{
    SCROLLINFO info;
    GetScrollInfo(&info, SIF_RANGE | SIF_PAGE);
    return std::max(info.nMin, info.nMax - std::max(int(info.nPage) - 1, 0));
}

BOOL CScrollBar::EnableScrollBar(UINT arrows) { return BOOL(SendMessage(SBM_ENABLE_ARROWS, arrows)); }
