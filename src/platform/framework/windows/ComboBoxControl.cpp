// The native combo box (QComboBox) and the CComboBox class.
#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/NativeControls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>

#include <algorithm>
#include <cstring>

namespace
{
// A drop-down list drops below its box, at least as wide as the box (above it where the screen
// ends below): the style's habit of opening the list over the box would hide what lies under it.
class CDropDownCombo : public QComboBox
{
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        QComboBox::showPopup();
        QWidget* popup = view() ? view()->window() : nullptr;
        if (!popup || popup == window()) return;
        QRect shown(mapToGlobal(QPoint(0, height())), QSize(std::max(popup->width(), width()), popup->height()));
        const QRect screenArea = screen() ? screen()->availableGeometry() : QRect();
        if (!screenArea.isEmpty() && shown.bottom() > screenArea.bottom())
            shown.moveBottom(mapToGlobal(QPoint(0, 0)).y() - 1);
        popup->setGeometry(shown);
    }
};

QString Text(LPARAM lParam) { return QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : ""); }

int Find(QComboBox* combo, int startAfter, const QString& text, bool exact)
{
    const int n = combo->count();
    for (int k = 1; k <= n; ++k)
    {
        const int i = (startAfter + k + n) % n;
        const QString item = combo->itemText(i);
        if (exact ? item.compare(text, Qt::CaseInsensitive) == 0 : item.startsWith(text, Qt::CaseInsensitive)) return i;
    }
    return CB_ERR;
}

int Insert(WndImpl& impl, QComboBox* combo, int index, const QString& text)
{
    if (index < -2 || index > combo->count()) return CB_ERR;
    // -2 asks for the sorted place.
    int at = index < 0 ? combo->count() : index;
    if ((impl.style & CBS_SORT) && index == -2)
    {
        at = 0;
        while (at < combo->count() && combo->itemText(at).compare(text, Qt::CaseInsensitive) <= 0) ++at;
    }
    const int current = combo->currentIndex();
    combo->insertItem(at, text);
    // Adding items selects nothing, as on the platform.
    if (current < 0) combo->setCurrentIndex(-1);
    return at;
}

QString CurrentText(QComboBox* combo) { return combo->isEditable() ? combo->lineEdit()->text() : combo->currentText(); }

LRESULT ComboProc(WndImpl& impl, QComboBox* combo, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    const int index = int(LPARAM(std::intptr_t(wParam)));
    const bool valid = index >= 0 && index < combo->count();
    const QSignalBlocker block(combo);
    switch (message)
    {
    case WM_SETTEXT:
        if (!combo->isEditable()) return CB_ERR;
        combo->lineEdit()->setText(Text(lParam));
        return TRUE;
    case WM_GETTEXT:
    {
        if (wParam == 0 || !lParam) return 0;
        const QByteArray bytes = CurrentText(combo).toUtf8();
        const std::size_t n = std::min<std::size_t>(wParam - 1, std::size_t(bytes.size()));
        std::memcpy(reinterpret_cast<char*>(lParam), bytes.constData(), n);
        reinterpret_cast<char*>(lParam)[n] = 0;
        return LRESULT(n);
    }
    case WM_GETTEXTLENGTH: return CurrentText(combo).toUtf8().size();
    case CB_ADDSTRING: return Insert(impl, combo, (impl.style & CBS_SORT) ? -2 : -1, Text(lParam));
    case CB_INSERTSTRING: return Insert(impl, combo, index, Text(lParam));
    case CB_DELETESTRING:
        if (!valid) return CB_ERR;
        combo->removeItem(index);
        return combo->count();
    case CB_RESETCONTENT: combo->clear(); return 0;
    case CB_GETCOUNT: return combo->count();
    case CB_GETCURSEL: return combo->currentIndex();
    case CB_SETCURSEL: combo->setCurrentIndex(valid ? index : -1); return valid ? index : CB_ERR;
    case CB_GETLBTEXT:
    {
        if (!valid) return CB_ERR;
        const QByteArray t = combo->itemText(index).toUtf8();
        std::memcpy(reinterpret_cast<char*>(lParam), t.constData(), std::size_t(t.size()) + 1);
        return t.size();
    }
    case CB_GETLBTEXTLEN: return valid ? LRESULT(combo->itemText(index).toUtf8().size()) : CB_ERR;
    case CB_FINDSTRING: return combo->count() ? Find(combo, index, Text(lParam), false) : CB_ERR;
    case CB_FINDSTRINGEXACT: return combo->count() ? Find(combo, index, Text(lParam), true) : CB_ERR;
    case CB_SELECTSTRING:
    {
        const int found = combo->count() ? Find(combo, index, Text(lParam), false) : CB_ERR;
        if (found != CB_ERR) combo->setCurrentIndex(found);
        return found;
    }
    case CB_GETITEMDATA: return valid ? LRESULT(combo->itemData(index).toULongLong()) : CB_ERR;
    case CB_SETITEMDATA:
        if (!valid) return CB_ERR;
        combo->setItemData(index, QVariant::fromValue(qulonglong(lParam)));
        return 0;
    case CB_SHOWDROPDOWN:
        if (wParam) combo->showPopup();
        else combo->hidePopup();
        return TRUE;
    case CB_GETDROPPEDSTATE: return combo->view() && combo->view()->isVisible();
    case CB_LIMITTEXT:
        if (combo->isEditable()) combo->lineEdit()->setMaxLength(wParam ? int(wParam) : 32767);
        return TRUE;
    case WM_MOUSEWHEEL: return WheelUnlessFocused(impl, combo, wParam, lParam, handled);
    default: handled = false; return 0;
    }
}
} // namespace

QWidget* CreateComboBoxControl(WndImpl& impl, QWidget* parent)
{
    auto* combo = new CDropDownCombo(parent);
    const DWORD kind = impl.style & 0x3;
    combo->setEditable(kind == CBS_DROPDOWN || kind == CBS_SIMPLE);
    // As on the original platform the height a template gives a drop-down box is that of its
    // dropped list: the box itself is one line high.
    if (kind != CBS_SIMPLE)
        impl.shownHeight = [combo](int given) { return std::clamp(given, 0, combo->sizeHint().height()); };
    combo->setInsertPolicy(QComboBox::NoInsert);
    TakeFocusWithTheWheelOnly(combo);
    auto* self = &impl;
    QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), combo, [self] { NotifyParent(*self, CBN_SELCHANGE); });
    if (combo->isEditable())
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo, [self] { NotifyParent(*self, CBN_EDITCHANGE); });
    impl.controlProc = [combo](WndImpl& i, UINT m, WPARAM w, LPARAM l, bool& h) { return ComboProc(i, combo, m, w, l, h); };
    return combo;
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("COMBOBOX", nullptr, style, rect, parent, id);
}

namespace
{
LRESULT Ask(const CComboBox* box, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return const_cast<CComboBox*>(box)->SendMessage(message, wParam, lParam);
}
WPARAM Index(int i) { return WPARAM(std::intptr_t(i)); }
} // namespace

int CComboBox::AddString(LPCTSTR text) { return int(SendMessage(CB_ADDSTRING, 0, LPARAM(text))); }
int CComboBox::InsertString(int index, LPCTSTR text) { return int(SendMessage(CB_INSERTSTRING, Index(index), LPARAM(text))); }
int CComboBox::DeleteString(UINT index) { return int(SendMessage(CB_DELETESTRING, index)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::GetCount() const { return int(Ask(this, CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return int(Ask(this, CB_GETCURSEL)); }
int CComboBox::SetCurSel(int index) { return int(SendMessage(CB_SETCURSEL, Index(index))); }

void CComboBox::GetLBText(int index, CString& text) const
{
    const int length = GetLBTextLen(index);
    text.Empty();
    if (length < 0) return;
    std::string buffer(std::size_t(length) + 1, '\0');
    Ask(this, CB_GETLBTEXT, Index(index), LPARAM(buffer.data()));
    buffer.resize(std::size_t(length));
    text = CString(std::move(buffer));
}

int CComboBox::GetLBTextLen(int index) const { return int(Ask(this, CB_GETLBTEXTLEN, Index(index))); }
int CComboBox::FindString(int startAfter, LPCTSTR prefix) const { return int(Ask(this, CB_FINDSTRING, Index(startAfter), LPARAM(prefix))); }
int CComboBox::FindStringExact(int startAfter, LPCTSTR text) const
{
    return int(Ask(this, CB_FINDSTRINGEXACT, Index(startAfter), LPARAM(text)));
}
int CComboBox::SelectString(int startAfter, LPCTSTR prefix) { return int(SendMessage(CB_SELECTSTRING, Index(startAfter), LPARAM(prefix))); }
DWORD_PTR CComboBox::GetItemData(int index) const { return DWORD_PTR(Ask(this, CB_GETITEMDATA, Index(index))); }
int CComboBox::SetItemData(int index, DWORD_PTR data) { return int(SendMessage(CB_SETITEMDATA, Index(index), LPARAM(data))); }
void CComboBox::ShowDropDown(BOOL show) { SendMessage(CB_SHOWDROPDOWN, WPARAM(show)); }
BOOL CComboBox::GetDroppedState() const { return BOOL(Ask(this, CB_GETDROPPEDSTATE)); }
BOOL CComboBox::LimitText(int maxChars) { return BOOL(SendMessage(CB_LIMITTEXT, WPARAM(maxChars))); }
