// A plain window's own scroll bars: they stand at the right and bottom edges, outside the
// client area, show while their information has something to scroll (or ShowScrollBar asks
// for them), and turn the user's actions into WM_VSCROLL / WM_HSCROLL with the platform's
// codes. The window stays in charge of the position: after each action the bar shows what the
// window set with SetScrollInfo / SetScrollPos.
#include "platform/framework/windows/WindowBridge.h"

#include <QScrollBar>

namespace
{
int Thickness() { return GetSystemMetrics(SM_CXVSCROLL); }

UINT CodeOf(int action)
{
    switch (action)
    {
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub: return SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum: return SB_TOP;
    case QAbstractSlider::SliderToMaximum: return SB_BOTTOM;
    case QAbstractSlider::SliderMove: return SB_THUMBTRACK;
    default: return SB_ENDSCROLL;
    }
}

void ShowInfo(QScrollBar& bar, const SCROLLINFO& info)
{
    const QSignalBlocker block(&bar);
    const int page = int(std::max<UINT>(info.nPage, 1));
    bar.setRange(info.nMin, std::max(info.nMin, info.nMax - page + 1));
    bar.setPageStep(page);
    bar.setSingleStep(1);
    bar.setSliderPosition(info.nPos);
    bar.setValue(info.nPos);
}

QScrollBar* MakeBar(WndImpl& impl, int which)
{
    auto* bar = new QScrollBar(which == SB_VERT ? Qt::Vertical : Qt::Horizontal, impl.widget);
    bar->setFocusPolicy(Qt::NoFocus);
    const UINT message = which == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    std::weak_ptr<WndImpl> weak = impl.shared_from_this();
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [weak, bar, which, message](int action) {
        auto w = weak.lock();
        if (!w || !w->alive) return;
        const UINT code = CodeOf(action);
        const int pos = code == SB_THUMBTRACK ? bar->sliderPosition() : w->scroll[which].nPos;
        w->Dispatch(message, MAKEWPARAM(int(code), pos), 0);
        if (w->alive) bar->setSliderPosition(w->scroll[which].nPos);
    });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [weak, bar, which, message] {
        auto w = weak.lock();
        if (!w || !w->alive) return;
        w->Dispatch(message, MAKEWPARAM(int(SB_THUMBPOSITION), bar->sliderPosition()), 0);
        if (w->alive) w->Dispatch(message, MAKEWPARAM(int(SB_ENDSCROLL), 0), 0);
        if (w->alive) ShowInfo(*bar, w->scroll[which]);
    });
    return bar;
}
} // namespace

QRect WndImpl::ClientRect() const
{
    if (!widget) return {};
    QSize size = widget->size();
    if (scrollBarShown[SB_VERT]) size.rwidth() -= Thickness();
    if (scrollBarShown[SB_HORZ]) size.rheight() -= Thickness();
    return QRect(QPoint(0, 0), size.expandedTo(QSize(0, 0)));
}

void UpdateWindowScrollBars(WndImpl& impl)
{
    if (!impl.widget || impl.nativeControl || !impl.alive) return;
    for (int which : {SB_HORZ, SB_VERT})
    {
        const DWORD bit = which == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
        const bool show = impl.style & bit;
        if (show && !impl.scrollBars[which]) impl.scrollBars[which] = MakeBar(impl, which);
        impl.scrollBarShown[which] = show;
        if (auto* bar = static_cast<QScrollBar*>(impl.scrollBars[which].data()))
        {
            ShowInfo(*bar, impl.scroll[which]);
            bar->setVisible(show);
            // The window's own bars lie over its children (a child wider than the window that
            // the bar scrolls would hide it otherwise).
            if (show) bar->raise();
        }
    }
    const QSize full = impl.widget->size();
    const int t = Thickness();
    const bool v = impl.scrollBarShown[SB_VERT], h = impl.scrollBarShown[SB_HORZ];
    if (v && impl.scrollBars[SB_VERT])
        impl.scrollBars[SB_VERT]->setGeometry(full.width() - t, 0, t, std::max(full.height() - (h ? t : 0), 0));
    if (h && impl.scrollBars[SB_HORZ])
        impl.scrollBars[SB_HORZ]->setGeometry(0, full.height() - t, std::max(full.width() - (v ? t : 0), 0), t);
    // The square between both bars belongs to them: filled as they are, over the children that
    // run on beneath it (else it showed whatever was drawn there before).
    if (v && h && !impl.scrollCorner)
    {
        impl.scrollCorner = new QWidget(impl.widget);
        impl.scrollCorner->setAutoFillBackground(true);
    }
    if (impl.scrollCorner)
    {
        impl.scrollCorner->setVisible(v && h);
        if (v && h)
        {
            impl.scrollCorner->setGeometry(full.width() - t, full.height() - t, t, t);
            impl.scrollCorner->raise();
        }
    }
    impl.ReportGeometry();
}
