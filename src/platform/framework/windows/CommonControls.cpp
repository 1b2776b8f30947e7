// The native tab control (QTabBar), date and time picker (QDateTimeEdit) and progress bar.
#include "platform/framework/UserLocale.h"
#include "platform/framework/windows/CDateTimeCtrl.h"
#include "platform/framework/windows/CProgressCtrl.h"
#include "platform/framework/windows/CTabCtrl.h"
#include "platform/framework/windows/NativeControls.h"
#include "platform/framework/windows/PickerEdit.h"
#include "platform/framework/windows/WindowBridge.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QResizeEvent>
#include <QTabBar>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace
{
void Notify(WndImpl& impl, UINT code)
{
    if (!impl.widget) return;
    WndImpl* parent = WndImpl::FromWidget(impl.widget->parentWidget());
    if (!parent || !parent->alive) return;
    NMHDR header;
    header.hwndFrom = &impl;
    header.idFrom = impl.id;
    header.code = code;
    parent->Dispatch(WM_NOTIFY, impl.id, LPARAM(&header));
}

// A tab control takes the mouse only on its strip of tabs, as on the original platform: the
// controls of its pages lie within its rectangle and are clicked through it.
class CTabStrip : public QTabBar
{
public:
    using QTabBar::QTabBar;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QTabBar::resizeEvent(event);
        UpdateMask();
    }
    void tabInserted(int index) override
    {
        QTabBar::tabInserted(index);
        UpdateMask();
    }
    void tabRemoved(int index) override
    {
        QTabBar::tabRemoved(index);
        UpdateMask();
    }

private:
    void UpdateMask() { setMask(QRegion(0, 0, width(), std::min(height(), sizeHint().height()))); }
};

// The platform's picture letters turned into Qt's.
QString QtPicture(const QString& picture)
{
    QString q = picture;
    q.replace(QStringLiteral("tt"), QStringLiteral("AP"));
    q.replace(u't', QStringLiteral("AP"));
    return q;
}
// A two-digit year of a picture ("yy") as four digits.
QString FullYears(const QString& picture)
{
    QString out;
    for (int i = 0; i < picture.size();)
    {
        int run = 1;
        while (i + run < picture.size() && picture[i + run] == picture[i]) ++run;
        out += picture[i] == u'y' && run == 2 ? QStringLiteral("yyyy") : picture.mid(i, run);
        i += run;
    }
    return out;
}
} // namespace

QWidget* CreateTabControl(WndImpl& impl, QWidget* parent)
{
    auto* tabs = new CTabStrip(parent);
    tabs->setDrawBase(true);
    tabs->setExpanding(false);
    auto* self = &impl;
    QObject::connect(tabs, &QTabBar::tabBarClicked, tabs, [self] { Notify(*self, NM_CLICK); });
    QObject::connect(tabs, &QTabBar::currentChanged, tabs, [self] { Notify(*self, TCN_SELCHANGE); });
    impl.controlProc = [tabs](WndImpl&, UINT m, WPARAM w, LPARAM l, bool& handled) -> LRESULT {
        handled = true;
        const QSignalBlocker block(tabs);
        const int index = int(LPARAM(std::intptr_t(w)));
        switch (m)
        {
        case TCM_INSERTITEM:
            return tabs->insertTab(index, QString::fromUtf8(l ? reinterpret_cast<const char*>(l) : ""));
        case TCM_DELETEITEM:
            if (index < 0 || index >= tabs->count()) return FALSE;
            tabs->removeTab(index);
            return TRUE;
        case TCM_DELETEALLITEMS:
            while (tabs->count()) tabs->removeTab(0);
            return TRUE;
        case TCM_ENABLEITEM:
            if (index < 0 || index >= tabs->count()) return FALSE;
            tabs->setTabEnabled(index, l != 0);
            return TRUE;
        case TCM_ISITEMENABLED: return index >= 0 && index < tabs->count() && tabs->isTabEnabled(index);
        case TCM_GETITEMCOUNT: return tabs->count();
        case TCM_GETCURSEL: return tabs->currentIndex();
        case TCM_SETCURSEL:
        {
            const int old = tabs->currentIndex();
            if (index < 0 || index >= tabs->count()) return -1;
            tabs->setCurrentIndex(index);
            return old;
        }
        case TCM_GETITEMRECT:
            if (index < 0 || index >= tabs->count()) return FALSE;
            *reinterpret_cast<RECT*>(l) = FromQRect(tabs->tabRect(index));
            return TRUE;
        case TCM_ADJUSTRECT:
        {
            auto* r = reinterpret_cast<RECT*>(l);
            const int strip = tabs->sizeHint().height();
            r->top += w ? -strip : strip;
            return 0;
        }
        default: handled = false; return 0;
        }
    };
    return tabs;
}

bool StepTabControlIn(QWidget* window, bool back)
{
    for (CTabStrip* tabs : window->findChildren<CTabStrip*>())
    {
        if (!tabs->isVisible() || !tabs->isEnabled() || tabs->count() < 2) continue;
        const int count = tabs->count();
        for (int step = 1; step < count; ++step)
        {
            const int index = (tabs->currentIndex() + (back ? count - step : step)) % count;
            if (!tabs->isTabEnabled(index)) continue;
            tabs->setCurrentIndex(index);
            return true;
        }
        return false;
    }
    return false;
}

namespace
{
bool IsTimePicker(DWORD style) { return (style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT; }
// A date picker drops a calendar; a time picker, or a date picker with up-down buttons, steps.
bool DropsCalendar(DWORD style) { return !IsTimePicker(style) && !(style & DTS_UPDOWN); }

// The user's own date and time pictures, as every other date and time the program shows; a
// year is written in full, so that a date read back from the field stays in its century.
QString PickerFormat(DWORD style)
{
    const bool time = IsTimePicker(style);
    const CUserLocale& locale = CUserLocale::Current();
    const CString& picture = time ? locale.timePicture : locale.shortDatePicture;
    return picture.IsEmpty() ? (time ? QStringLiteral("HH:mm:ss") : QStringLiteral("dd.MM.yyyy"))
                             : FullYears(QtPicture(ToQString(picture)));
}

// The field a picker of that style shows: its format is set as it is made (each format set
// lays the field out anew).
std::unique_ptr<CPickerEdit> MakePicker(DWORD style, QWidget* parent)
{
    auto edit = std::make_unique<CPickerEdit>(IsTimePicker(style), PickerFormat(style), parent);
    edit->setCalendarPopup(DropsCalendar(style));
    return edit;
}
} // namespace

std::vector<int> DateTimeControlWidths(DWORD style, const QFont& font, const std::vector<int>& heights)
{
    // Measured once per kind of picker, font, height and format: a page builds its bars each time
    // it shows.
    static std::map<QString, int> measured;
    // The widest text of a format in a font, which pickers of every height share.
    static std::map<QString, int> widest;
    const QString format = PickerFormat(style);
    const QString kind = font.key() + QStringLiteral("|%1|").arg(int(DropsCalendar(style)));
    // One probe serves every height not measured yet: a picker is costly to make, and rows of a
    // bar differ in height by a rounded pixel.
    std::unique_ptr<CPickerEdit> probe;
    std::vector<int> widths;
    for (const int height : heights) {
        const QString key = kind + QStringLiteral("%1|").arg(height) + format;
        auto found = measured.find(key);
        if (found == measured.end()) {
            if (!probe) {
                probe = MakePicker(style, nullptr);
                probe->setFont(font);
                probe->ensurePolished();
            }
            // The room a width leaves the text is what the width must give the widest text.
            constexpr int kProbeWidth = 400;
            QResizeEvent laidOut(QSize(kProbeWidth, height), probe->size());
            probe->resize(kProbeWidth, height);
            QCoreApplication::sendEvent(probe.get(), &laidOut);
            const QString textKey = font.key() + QLatin1Char('|') + probe->locale().name() + QLatin1Char('|') + format;
            auto text = widest.find(textKey);
            if (text == widest.end())
                text = widest.emplace(textKey, probe->fontMetrics().horizontalAdvance(probe->WidestText())).first;
            found = measured.emplace(key, kProbeWidth - probe->TextRoom() + text->second).first;
        }
        widths.push_back(found->second);
    }
    return widths;
}

QWidget* CreateDateTimeControl(WndImpl& impl, QWidget* parent)
{
    const bool time = IsTimePicker(impl.style);
    auto* edit = MakePicker(impl.style, parent).release();
    TakeFocusWithTheWheelOnly(edit);
    auto* self = &impl;
    QObject::connect(edit, &QDateTimeEdit::dateTimeChanged, edit, [self] { Notify(*self, DTN_DATETIMECHANGE); });
    impl.controlProc = [edit, time](WndImpl& wnd, UINT m, WPARAM wParam, LPARAM l, bool& handled) -> LRESULT {
        handled = true;
        switch (m)
        {
        case WM_KILLFOCUS:
            // The picker's own handling first; then the parent hears of it, as the platform's does.
            PassEventToControl(wnd, m);
            Notify(wnd, NM_KILLFOCUS);
            return 0;
        case WM_MOUSEWHEEL: return WheelUnlessFocused(wnd, edit, wParam, l, handled);
        case DTM_SETSYSTEMTIME:
        {
            const auto* st = reinterpret_cast<const SYSTEMTIME*>(l);
            const QDate date(st->wYear, st->wMonth, st->wDay);
            const QTime clock(st->wHour, st->wMinute, st->wSecond);
            // A date outside the picker's range is refused, as the platform's picker does.
            if (!date.isValid() || !clock.isValid() || (!time && (date < edit->minimumDate() || date > edit->maximumDate())))
                return FALSE;
            const QSignalBlocker block(edit);
            // A time picker keeps a date of its own (outside which its time is not shown), a
            // date picker a time: each takes only its part.
            if (time) edit->setTime(clock);
            else edit->setDate(date);
            return TRUE;
        }
        case DTM_GETSYSTEMTIME:
        {
            auto* st = reinterpret_cast<SYSTEMTIME*>(l);
            const QDateTime when = edit->dateTime();
            *st = SYSTEMTIME{};
            st->wYear = WORD(when.date().year());
            st->wMonth = WORD(when.date().month());
            st->wDay = WORD(when.date().day());
            st->wDayOfWeek = WORD(when.date().dayOfWeek() % 7);
            st->wHour = WORD(when.time().hour());
            st->wMinute = WORD(when.time().minute());
            st->wSecond = WORD(when.time().second());
            return GDT_VALID;
        }
        case DTM_SETRANGE:
        {
            // The dates a date picker takes; a time picker takes every time of day.
            const auto* range = reinterpret_cast<const SYSTEMTIME*>(l);
            if (time || !range) return TRUE;
            if (wParam & GDTR_MIN) edit->setMinimumDate(QDate(range[0].wYear, range[0].wMonth, range[0].wDay));
            if (wParam & GDTR_MAX) edit->setMaximumDate(QDate(range[1].wYear, range[1].wMonth, range[1].wDay));
            return TRUE;
        }
        case DTM_SETFORMAT:
            edit->setDisplayFormat(QtPicture(QString::fromUtf8(l ? reinterpret_cast<const char*>(l) : "")));
            return TRUE;
        // Its text is what it shows.
        case WM_GETTEXT:
        {
            const QByteArray bytes = edit->text().toUtf8();
            if (wParam == 0 || !l) return 0;
            const std::size_t n = std::min<std::size_t>(wParam - 1, std::size_t(bytes.size()));
            std::memcpy(reinterpret_cast<char*>(l), bytes.constData(), n);
            reinterpret_cast<char*>(l)[n] = 0;
            return LRESULT(n);
        }
        case WM_GETTEXTLENGTH: return edit->text().toUtf8().size();
        default: handled = false; return 0;
        }
    };
    return edit;
}

QWidget* CreateProgressControl(WndImpl& impl, QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    impl.controlProc = [bar](WndImpl&, UINT m, WPARAM w, LPARAM l, bool& handled) -> LRESULT {
        handled = true;
        switch (m)
        {
        case PBM_SETRANGE: bar->setRange(LOWORD(WPARAM(l)), HIWORD(WPARAM(l))); return 0;
        case PBM_SETRANGE32: bar->setRange(int(w), int(l)); return 0;
        case PBM_GETRANGE:
        {
            auto* range = reinterpret_cast<int*>(l);
            if (range) range[0] = bar->minimum(), range[1] = bar->maximum();
            return w ? bar->minimum() : bar->maximum();
        }
        case PBM_SETPOS:
        {
            const int old = bar->value();
            bar->setValue(std::clamp(int(w), bar->minimum(), bar->maximum()));
            return old;
        }
        case PBM_GETPOS: return bar->value();
        default: handled = false; return 0;
        }
    };
    return bar;
}

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("SysTabControl32", nullptr, style, rect, parent, id);
}
LONG CTabCtrl::InsertItem(int index, LPCTSTR text) { return LONG(SendMessage(TCM_INSERTITEM, WPARAM(index), LPARAM(text))); }
BOOL CTabCtrl::DeleteItem(int index) { return BOOL(SendMessage(TCM_DELETEITEM, WPARAM(index))); }
BOOL CTabCtrl::DeleteAllItems() { return BOOL(SendMessage(TCM_DELETEALLITEMS)); }
BOOL CTabCtrl::EnableItem(int index, BOOL enable) { return BOOL(SendMessage(TCM_ENABLEITEM, WPARAM(index), LPARAM(enable))); }
BOOL CTabCtrl::IsItemEnabled(int index) const
{
    return BOOL(const_cast<CTabCtrl*>(this)->SendMessage(TCM_ISITEMENABLED, WPARAM(index)));
}
int CTabCtrl::GetItemCount() const { return int(const_cast<CTabCtrl*>(this)->SendMessage(TCM_GETITEMCOUNT)); }
int CTabCtrl::GetCurSel() const { return int(const_cast<CTabCtrl*>(this)->SendMessage(TCM_GETCURSEL)); }
int CTabCtrl::SetCurSel(int index) { return int(SendMessage(TCM_SETCURSEL, WPARAM(index))); }
BOOL CTabCtrl::GetItemRect(int index, LPRECT rect) const
{
    return BOOL(const_cast<CTabCtrl*>(this)->SendMessage(TCM_GETITEMRECT, WPARAM(index), LPARAM(rect)));
}
void CTabCtrl::AdjustRect(BOOL larger, LPRECT rect) const
{
    const_cast<CTabCtrl*>(this)->SendMessage(TCM_ADJUSTRECT, WPARAM(larger), LPARAM(rect));
}

BOOL CDateTimeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("SysDateTimePick32", nullptr, style, rect, parent, id);
}
BOOL CDateTimeCtrl::SetTime(const SYSTEMTIME* time) { return time && SendMessage(DTM_SETSYSTEMTIME, 0, LPARAM(time)); }
DWORD CDateTimeCtrl::GetTime(SYSTEMTIME* time) const
{
    return time ? DWORD(const_cast<CDateTimeCtrl*>(this)->SendMessage(DTM_GETSYSTEMTIME, 0, LPARAM(time))) : GDT_ERROR;
}
BOOL CDateTimeCtrl::SetFormat(LPCTSTR format) { return BOOL(SendMessage(DTM_SETFORMAT, 0, LPARAM(format))); }
BOOL CDateTimeCtrl::SetRange(const SYSTEMTIME* lowest, const SYSTEMTIME* highest)
{
    SYSTEMTIME range[2] = {lowest ? *lowest : SYSTEMTIME{}, highest ? *highest : SYSTEMTIME{}};
    return BOOL(SendMessage(DTM_SETRANGE, (lowest ? GDTR_MIN : 0) | (highest ? GDTR_MAX : 0), LPARAM(range)));
}

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("msctls_progress32", nullptr, style, rect, parent, id);
}
void CProgressCtrl::SetRange(int lower, int upper) { SendMessage(PBM_SETRANGE32, WPARAM(lower), LPARAM(upper)); }
void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    int range[2] = {0, 0};
    const_cast<CProgressCtrl*>(this)->SendMessage(PBM_GETRANGE, 0, LPARAM(range));
    lower = range[0];
    upper = range[1];
}
int CProgressCtrl::SetPos(int pos) { return int(SendMessage(PBM_SETPOS, WPARAM(pos))); }
int CProgressCtrl::GetPos() const { return int(const_cast<CProgressCtrl*>(this)->SendMessage(PBM_GETPOS)); }
