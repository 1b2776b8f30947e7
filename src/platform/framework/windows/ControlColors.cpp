// Colours of native controls. Before a control paints, its parent is asked for the control's
// colours (WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC ... with a context whose text colour the parent may
// set, answering a brush) and the control is asked to erase its background (WM_ERASEBKGND into a
// picture of its size), as the platform does; what differs from the default answers goes into the
// Qt widget's palette, so that an owner can colour a control.
#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/WindowBridge.h"

namespace
{
struct ColorClass
{
    const char* controlClass;
    UINT message; // 0: the control asks its parent nothing
    QPalette::ColorRole background;
    QPalette::ColorRole text;
    bool fillsBackground; // a Qt widget that paints no background unless told to
};

// Push buttons and the other button types differ; see ClassOf.
constexpr ColorClass kColorClasses[] = {
    {"EDIT", WM_CTLCOLOREDIT, QPalette::Base, QPalette::Text, false},
    {"LISTBOX", WM_CTLCOLORLISTBOX, QPalette::Base, QPalette::Text, false},
    {"COMBOBOX", WM_CTLCOLOREDIT, QPalette::Base, QPalette::Text, false},
    {"SYSDATETIMEPICK32", 0, QPalette::Base, QPalette::Text, false},
    {"STATIC", WM_CTLCOLORSTATIC, QPalette::Window, QPalette::WindowText, true},
    {"SCROLLBAR", WM_CTLCOLORSCROLLBAR, QPalette::Window, QPalette::WindowText, true},
};
constexpr ColorClass kPushButton = {"BUTTON", WM_CTLCOLORBTN, QPalette::Button, QPalette::ButtonText, false};
constexpr ColorClass kOtherButton = {"BUTTON", WM_CTLCOLORSTATIC, QPalette::Window, QPalette::WindowText, true};

const ColorClass* ClassOf(const WndImpl& impl)
{
    if (impl.controlClass == QLatin1String("BUTTON"))
        return (impl.style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON ? &kPushButton : &kOtherButton;
    for (const ColorClass& c : kColorClasses)
        if (impl.controlClass == QLatin1String(c.controlClass)) return &c;
    return nullptr;
}

// What the platform asks for: a read-only or disabled edit is coloured as static text.
UINT MessageOf(const WndImpl& impl, const ColorClass& c)
{
    if (c.message == WM_CTLCOLOREDIT && impl.controlClass == QLatin1String("EDIT") &&
        ((impl.style & ES_READONLY) || (impl.widget && !impl.widget->isEnabled())))
        return WM_CTLCOLORSTATIC;
    return c.message;
}

HBRUSH DefaultBrush(UINT message)
{
    return GetSysColorBrush(message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ? COLOR_WINDOW : COLOR_BTNFACE);
}

QImage Solid(QColor color)
{
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QImage BrushPicture(HBRUSH brush)
{
    const auto* data = static_cast<const GdiData*>(brush);
    if (data->kind == GdiKind::Brush && !data->pattern.isNull()) return data->pattern.convertToFormat(QImage::Format_RGB32);
    return Solid(ToQColor(data->brush.lbColor));
}

// A picture of one colour shrinks to that colour.
QImage Simplified(const QImage& picture)
{
    const QRgb first = picture.pixel(0, 0);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != first) return picture;
    return Solid(QColor::fromRgb(first));
}

QBrush BrushOf(const QImage& picture)
{
    return picture.size() == QSize(1, 1) ? QBrush(QColor::fromRgb(picture.pixel(0, 0))) : QBrush(picture);
}

void Apply(WndImpl& impl, const ColorClass& c, const std::optional<QImage>& background, const std::optional<QColor>& text)
{
    ControlColors& colors = impl.colors;
    if (colors.background == background && colors.text == text) return;
    QWidget* w = impl.widget;
    if (!colors.natural)
    {
        colors.natural = w->palette();
        colors.naturalAutoFill = w->autoFillBackground();
    }
    QPalette palette = *colors.natural;
    if (background) palette.setBrush(c.background, BrushOf(*background));
    if (text) palette.setColor(c.text, *text);
    colors.background = background;
    colors.text = text;
    w->setPalette(palette);
    if (c.fillsBackground) w->setAutoFillBackground(background ? true : colors.naturalAutoFill);
}
} // namespace

void PrepareControlColors(WndImpl& impl)
{
    const ColorClass* c = ClassOf(impl);
    if (!c || !impl.widget || !impl.alive || impl.colors.asking) return;
    auto keep = impl.shared_from_this();
    impl.colors.asking = true;
    const QSize size = impl.widget->size().expandedTo(QSize(1, 1));
    const QPalette& natural = impl.colors.natural ? *impl.colors.natural : impl.widget->palette();

    // The control erases first; what it leaves is its background unless the parent's brush
    // paints over it.
    std::optional<QImage> background;
    {
        auto surface = std::make_shared<DcSurface>();
        surface->image = QImage(size, QImage::Format_RGB32);
        surface->image.fill(natural.color(c->background));
        CDC dc;
        AttachDcToImage(dc, surface);
        if (impl.Dispatch(WM_ERASEBKGND, WPARAM(dc.m_hDC), 0) && keep->alive) background = Simplified(surface->image);
    }

    std::optional<QColor> text;
    const UINT message = MessageOf(impl, *c);
    WndImpl* parent = keep->alive && impl.widget ? WndImpl::FromWidget(impl.widget->parentWidget()) : nullptr;
    if (message && parent && parent->alive)
    {
        auto surface = std::make_shared<DcSurface>();
        surface->image = QImage(1, 1, QImage::Format_RGB32);
        CDC dc;
        AttachDcToImage(dc, surface);
        const COLORREF defaultText = GetSysColor(COLOR_WINDOWTEXT);
        dc.SetTextColor(defaultText);
        dc.SetBkColor(GetSysColor(message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ? COLOR_WINDOW : COLOR_BTNFACE));
        const auto brush = reinterpret_cast<HBRUSH>(parent->Dispatch(message, WPARAM(dc.m_hDC), LPARAM(static_cast<HWND>(&impl))));
        if (brush && brush != DefaultBrush(message)) background = BrushPicture(brush);
        if (dc.GetTextColor() != defaultText) text = ToQColor(dc.GetTextColor());
    }
    if (keep->alive && impl.widget) Apply(impl, *c, background, text);
    keep->colors.asking = false;
}
