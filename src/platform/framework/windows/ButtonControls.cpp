// Native buttons (QPushButton, QCheckBox, QRadioButton, QGroupBox) and static text (QLabel).
#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CStatic.h"
#include "platform/framework/windows/FittedText.h"
#include "platform/framework/windows/PaintPreparation.h"
#include "platform/framework/windows/NativeControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
// Check boxes and radio buttons take a click anywhere in their rectangle, as on the original
// platform, not only on the mark and its text.
template <typename Button>
class CWholeRectButton : public Button
{
public:
    using Button::Button;

protected:
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

QString Text(LPARAM lParam) { return QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : ""); }

// Text messages of a control whose text is kept by a Qt property.
template <typename Get, typename Set>
LRESULT TextProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled, Get get, Set set)
{
    handled = true;
    switch (message)
    {
    case WM_SETTEXT: set(Text(lParam)); return TRUE;
    case WM_GETTEXT:
    {
        if (wParam == 0 || !lParam) return 0;
        const QByteArray bytes = get().toUtf8();
        const std::size_t n = std::min<std::size_t>(wParam - 1, std::size_t(bytes.size()));
        std::memcpy(reinterpret_cast<char*>(lParam), bytes.constData(), n);
        reinterpret_cast<char*>(lParam)[n] = 0;
        return LRESULT(n);
    }
    case WM_GETTEXTLENGTH: return get().toUtf8().size();
    default: handled = false; return 0;
    }
}

// The room a button gives its text: beside the mark of a check box or radio button, inside the
// frame of a push button and beside its picture.
QRect ButtonTextRoom(const QAbstractButton& button)
{
    const QStyle& style = *button.style();
    QRect room = button.rect();
    const bool radio = qobject_cast<const QRadioButton*>(&button) != nullptr;
    if (radio || qobject_cast<const QCheckBox*>(&button))
    {
        room.setLeft(style.pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, &button) +
                     style.pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr,
                                       &button));
        return room;
    }
    const int inset = style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button) +
                      style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
    room.adjust(inset, 0, -inset, 0);
    if (!button.icon().isNull())
        room.setLeft(room.left() + button.iconSize().width() + 4);
    return room;
}

bool IsAutoRadio(const CWnd& window)
{
    const WndImpl* impl = window.Impl();
    return impl && impl->controlClass == "BUTTON" && (impl->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

// A radio button that is not drawn as a push button: one of a group the arrow keys move in.
bool IsGroupedRadio(const CWnd& window)
{
    const WndImpl* impl = window.Impl();
    const DWORD type = impl ? impl->style & BS_TYPEMASK : 0;
    return impl && impl->controlClass == "BUTTON" && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) &&
           !(impl->style & BS_PUSHLIKE);
}

// The controls of the group of a control: from the one with WS_GROUP at or before it up to the
// next one with WS_GROUP. Several groups may share one parent, as the option bars have them.
std::vector<CWnd*> GroupOf(CWnd& member)
{
    // The siblings are listed once: a bar of a hundred controls creates a radio button at a time.
    CWnd* parent = member.GetParent();
    const std::vector<CWnd*> siblings = parent ? ChildWindows(*parent) : std::vector<CWnd*>{};
    auto first = std::find(siblings.begin(), siblings.end(), &member);
    if (first == siblings.end()) return {&member};
    while (!((*first)->GetStyle() & WS_GROUP) && first != siblings.begin()) --first;
    std::vector<CWnd*> group{*first};
    for (auto c = first + 1; c != siblings.end() && !((*c)->GetStyle() & WS_GROUP); ++c) group.push_back(*c);
    return group;
}

// A radio group is one stop of Tab, as in the platform's dialogs: when its first button is a
// tab stop, Tab reaches the group at its checked button (the first when none is checked), and
// the arrow keys move within it.
void UpdateRadioTabStop(CWnd& member)
{
    std::vector<CWnd*> radios;
    for (CWnd* c : GroupOf(member))
        if (IsGroupedRadio(*c)) radios.push_back(c);
    if (radios.empty() || !(radios.front()->GetStyle() & WS_TABSTOP)) return;
    CWnd* stop = radios.front();
    for (CWnd* radio : radios)
        if (radio->SendMessage(BM_GETCHECK) == BST_CHECKED) stop = radio;
    for (CWnd* radio : radios)
        if (QWidget* widget = radio->Impl()->widget) widget->setFocusPolicy(radio == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

// A clicked automatic radio button stays checked and clears the other automatic radio buttons
// of its group.
void CheckWithinGroup(CWnd& clicked, QAbstractButton& button)
{
    {
        const QSignalBlocker block(&button);
        button.setChecked(true);
    }
    for (CWnd* c : GroupOf(clicked))
        if (c != &clicked && IsAutoRadio(*c)) c->SendMessage(BM_SETCHECK, BST_UNCHECKED);
    UpdateRadioTabStop(clicked);
}

// The arrow keys move the choice to the next (Down, Right) or previous (Up, Left) enabled radio
// button of the group, round its ends, and click it there, as the platform's dialogs do.
class CRadioButton : public CWholeRectButton<QRadioButton>
{
public:
    CRadioButton(WndImpl& impl, QWidget* parent) : CWholeRectButton<QRadioButton>(parent), m_impl(impl) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        const bool forward = key == Qt::Key_Down || key == Qt::Key_Right;
        if (!forward && key != Qt::Key_Up && key != Qt::Key_Left)
        {
            QRadioButton::keyPressEvent(event);
            return;
        }
        event->accept();
        if (!m_impl.owner || !IsGroupedRadio(*m_impl.owner)) return;
        std::vector<CWnd*> radios;
        for (CWnd* c : GroupOf(*m_impl.owner))
            if (IsGroupedRadio(*c) && c->IsWindowEnabled() && c->IsWindowVisible()) radios.push_back(c);
        const auto at = std::find(radios.begin(), radios.end(), m_impl.owner);
        if (radios.size() < 2 || at == radios.end()) return;
        const std::size_t n = radios.size();
        const std::size_t here = std::size_t(at - radios.begin());
        CWnd* next = radios[(here + (forward ? 1 : n - 1)) % n];
        auto* button = qobject_cast<QAbstractButton*>(next->Impl()->widget.data());
        if (!button) return;
        button->setFocus(Qt::TabFocusReason);
        button->click();
    }

private:
    WndImpl& m_impl;
};
} // namespace

QWidget* CreateButtonControl(WndImpl& impl, QWidget* parent)
{
    const DWORD type = impl.style & BS_TYPEMASK;
    auto* self = &impl;
    if (type == BS_GROUPBOX)
    {
        auto* box = new QGroupBox(parent);
        box->setFocusPolicy(Qt::NoFocus);
        // As on the original platform a group box takes no clicks: they reach the controls it
        // frames, whatever their stacking order.
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* title = new CFittedText(
            *box, false, true,
            [](const QWidget& w) {
                const int inset = w.style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, &w);
                return w.rect().adjusted(inset, 0, -inset, 0);
            },
            [box](const QString& t) { box->setTitle(t); });
        impl.controlProc = [title](WndImpl&, UINT m, WPARAM w, LPARAM l, bool& h) {
            return TextProc(m, w, l, h, [title] { return title->GetText(); }, [title](const QString& t) { title->SetText(t); });
        };
        return box;
    }
    QAbstractButton* button = nullptr;
    const bool automatic = type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
    const bool checkBox = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
    const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    if ((checkBox || radio) && (impl.style & BS_PUSHLIKE))
    {
        auto* push = new QPushButton(parent);
        push->setAutoDefault(false);
        push->setCheckable(true);
        push->setAutoExclusive(type == BS_AUTORADIOBUTTON);
        button = push;
    }
    else if (checkBox)
    {
        auto* check = new CWholeRectButton<QCheckBox>(parent);
        check->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
        button = check;
    }
    else if (radio)
    {
        auto* radio = new CRadioButton(impl, parent);
        radio->setAutoExclusive(type == BS_AUTORADIOBUTTON);
        button = radio;
    }
    else
    {
        auto* push = new QPushButton(parent);
        push->setDefault(type == BS_DEFPUSHBUTTON);
        push->setAutoDefault(false);
        button = push;
    }
    if (type == BS_AUTORADIOBUTTON)
    {
        // Qt would make every radio button of the parent one group; the groups are the
        // template's (CheckWithinGroup).
        button->setAutoExclusive(false);
        QObject::connect(button, &QAbstractButton::clicked, button, [self, button] {
            if (self->owner) CheckWithinGroup(*self->owner, *button);
        });
    }
    if (button->isCheckable() && !automatic)
    {
        // The parent decides: undo the button's own toggle before telling it.
        QObject::connect(button, &QAbstractButton::clicked, button, [button] {
            const QSignalBlocker block(button);
            button->setChecked(!button->isChecked());
        });
    }
    QObject::connect(button, &QAbstractButton::clicked, button, [self] { NotifyParent(*self, BN_CLICKED); });
    auto image = std::make_shared<HBITMAP>(nullptr);
    auto text = std::make_shared<QString>();
    auto* label = new CFittedText(
        *button, false, true, [button](const QWidget&) { return ButtonTextRoom(*button); },
        [button](const QString& t) { button->setText(t); });
    impl.controlProc = [button, image, text, label](WndImpl& wnd, UINT m, WPARAM w, LPARAM l, bool& h) -> LRESULT {
        auto* check = qobject_cast<QCheckBox*>(button);
        if (m == BCM_GETIDEALSIZE)
        {
            h = true;
            if (!l) return FALSE;
            // The size that shows the whole label, however much of it shows now.
            QSize hint = button->sizeHint();
            const QFontMetrics metrics = button->fontMetrics();
            const int whole = metrics.size(Qt::TextShowMnemonic, label->GetText()).width();
            hint.setWidth(hint.width() - metrics.size(Qt::TextShowMnemonic, button->text()).width() + whole);
            // A push button's hint holds the style's least width of a dialog's OK button; the
            // ideal size is what the label and the frame need.
            if (qobject_cast<QPushButton*>(button) && !label->GetText().isEmpty())
            {
                const QStyle& style = *button->style();
                hint.setWidth(whole + (button->icon().isNull() ? 0 : button->iconSize().width() + 4) +
                              2 * (style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                                   style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button)));
            }
            *reinterpret_cast<SIZE*>(l) = SIZE{hint.width(), hint.height()};
            return TRUE;
        }
        if (m == BM_GETIMAGE || m == BM_SETIMAGE)
        {
            h = true;
            if (w != IMAGE_BITMAP) return 0;
            if (m == BM_GETIMAGE) return LRESULT(*image);
            const HBITMAP old = std::exchange(*image, reinterpret_cast<HBITMAP>(l));
            const CBitmap* bitmap = CBitmap::FromHandle(*image);
            const bool isBitmap = bitmap && bitmap->Data() && bitmap->Data()->kind == GdiKind::Bitmap;
            const QPixmap pixmap = isBitmap ? QPixmap::fromImage(BitmapImage(*bitmap)) : QPixmap();
            button->setIcon(pixmap.isNull() ? QIcon() : QIcon(pixmap));
            button->setIconSize(pixmap.size());
            // A bitmap button shows the picture alone; its text stays the window's text.
            const bool alone = (wnd.style & BS_BITMAP) && !pixmap.isNull();
            label->SetText(alone ? QString() : *text);
            return LRESULT(old);
        }
        if (m == BM_GETCHECK)
        {
            h = true;
            if (check) return check->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE : check->isChecked() ? BST_CHECKED : BST_UNCHECKED;
            return button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        }
        if (m == BM_SETCHECK)
        {
            h = true;
            const QSignalBlocker block(button);
            if (check) check->setCheckState(w == BST_INDETERMINATE ? Qt::PartiallyChecked : w ? Qt::Checked : Qt::Unchecked);
            else if (button->isCheckable())
            {
                // Setting one radio button of an automatic group leaves the others as they are.
                const bool exclusive = button->autoExclusive();
                button->setAutoExclusive(false);
                button->setChecked(w == BST_CHECKED);
                button->setAutoExclusive(exclusive);
                if (wnd.owner) UpdateRadioTabStop(*wnd.owner);
            }
            return 0;
        }
        return TextProc(
            m, w, l, h, [text] { return *text; },
            [image, text, label, &wnd](const QString& t) {
                *text = t;
                if (!(*image && (wnd.style & BS_BITMAP))) label->SetText(t);
            });
    };
    return button;
}

QWidget* CreateStaticControl(WndImpl& impl, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    const DWORD align = impl.style & 0x3;
    label->setAlignment((align == SS_CENTER ? Qt::AlignHCenter : align == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    if (impl.style & SS_SUNKEN) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // A static control takes clicks only with SS_NOTIFY; otherwise they reach what lies below,
    // as a frame laid over a tab control must let them.
    label->setAttribute(Qt::WA_TransparentForMouseEvents, !(impl.style & SS_NOTIFY));
    auto raw = std::make_shared<QString>();
    const bool notify = (impl.style & SS_NOTIFY) != 0;
    auto* shown = new CFittedText(
        *label, true, false,
        [label](const QWidget&) { return label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin()); },
        [label, raw, notify](const QString& t) {
            label->setText(t);
            PrepareBeforePaint(*label);
            // A text cut short takes the hover, so that its tip can tell it whole.
            label->setAttribute(Qt::WA_TransparentForMouseEvents, !notify && t == WithoutMnemonics(*raw));
        });
    impl.controlProc = [raw, shown](WndImpl&, UINT m, WPARAM w, LPARAM l, bool& h) {
        return TextProc(m, w, l, h, [raw] { return *raw; },
                        [raw, shown](const QString& t) {
                            *raw = t;
                            shown->SetText(WithoutMnemonics(t));
                        });
    };
    return label;
}

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("BUTTON", caption, style, rect, parent, id);
}

int CButton::GetCheck() const { return int(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, WPARAM(check)); }
HBITMAP CButton::SetBitmap(HBITMAP bitmap) { return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, LPARAM(bitmap))); }
HBITMAP CButton::GetBitmap() const
{
    return reinterpret_cast<HBITMAP>(const_cast<CButton*>(this)->SendMessage(BM_GETIMAGE, IMAGE_BITMAP));
}

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("STATIC", text, style, rect, parent, id);
}
