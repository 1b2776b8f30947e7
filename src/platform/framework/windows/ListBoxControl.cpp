// The native list box (QListWidget) and the CListBox class.
#include "platform/framework/windows/CListBox.h"
#include "platform/framework/windows/NativeControls.h"
#include "platform/framework/windows/WindowBridge.h"

#include <QListWidget>

#include <cstring>

namespace
{
QListWidget* List(WndImpl& impl) { return static_cast<QListWidget*>(impl.widget.data()); }

QString Text(LPARAM lParam) { return QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : ""); }

// The index of the first item after startAfter (wrapping) that matches; LB_ERR when none.
int Find(QListWidget* list, int startAfter, const QString& text, bool exact)
{
    const int n = list->count();
    for (int k = 1; k <= n; ++k)
    {
        const int i = (startAfter + k + n) % n;
        const QString item = list->item(i)->text();
        if (exact ? item.compare(text, Qt::CaseInsensitive) == 0 : item.startsWith(text, Qt::CaseInsensitive)) return i;
    }
    return LB_ERR;
}

int Insert(WndImpl& impl, int index, const QString& text, int itemHeight)
{
    QListWidget* list = List(impl);
    if (index < -2 || index > list->count()) return LB_ERR;
    // -2 asks for the sorted place.
    int at = index < 0 ? list->count() : index;
    if ((impl.style & LBS_SORT) && index == -2)
    {
        at = 0;
        while (at < list->count() && list->item(at)->text().compare(text, Qt::CaseInsensitive) <= 0) ++at;
    }
    auto* item = new QListWidgetItem(text);
    if (itemHeight > 0) item->setSizeHint(QSize(0, itemHeight));
    const QSignalBlocker block(list);
    list->insertItem(at, item);
    return at;
}

struct ListState
{
    int itemHeight = 0;
};

LRESULT ListProc(WndImpl& impl, ListState& state, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    QListWidget* list = List(impl);
    handled = true;
    const int index = int(LPARAM(std::intptr_t(wParam)));
    const bool valid = index >= 0 && index < list->count();
    const QSignalBlocker block(list);
    switch (message)
    {
    case LB_ADDSTRING: return Insert(impl, (impl.style & LBS_SORT) ? -2 : -1, Text(lParam), state.itemHeight);
    case LB_INSERTSTRING: return Insert(impl, index, Text(lParam), state.itemHeight);
    case LB_DELETESTRING:
        if (!valid) return LB_ERR;
        delete list->takeItem(index);
        return list->count();
    case LB_RESETCONTENT: list->clear(); return 0;
    case LB_GETCOUNT: return list->count();
    case LB_GETCURSEL:
        if (list->selectionMode() == QAbstractItemView::SingleSelection)
            return list->currentItem() && list->currentItem()->isSelected() ? list->currentRow() : LB_ERR;
        return list->currentRow();
    case LB_SETCURSEL:
        if (!valid)
        {
            list->clearSelection();
            list->setCurrentRow(-1);
            return index == -1 ? 0 : LB_ERR;
        }
        list->setCurrentRow(index);
        list->scrollToItem(list->item(index));
        return index;
    case LB_GETTEXT:
    {
        if (!valid) return LB_ERR;
        const QByteArray t = list->item(index)->text().toUtf8();
        std::memcpy(reinterpret_cast<char*>(lParam), t.constData(), std::size_t(t.size()) + 1);
        return t.size();
    }
    case LB_GETTEXTLEN: return valid ? LRESULT(list->item(index)->text().toUtf8().size()) : LB_ERR;
    case LB_FINDSTRING: return list->count() ? Find(list, index, Text(lParam), false) : LB_ERR;
    case LB_FINDSTRINGEXACT: return list->count() ? Find(list, index, Text(lParam), true) : LB_ERR;
    case LB_SELECTSTRING:
    {
        const int found = list->count() ? Find(list, index, Text(lParam), false) : LB_ERR;
        if (found != LB_ERR) list->setCurrentRow(found);
        return found;
    }
    case LB_GETITEMDATA: return valid ? LRESULT(list->item(index)->data(Qt::UserRole).toULongLong()) : LB_ERR;
    case LB_SETITEMDATA:
        if (!valid) return LB_ERR;
        list->item(index)->setData(Qt::UserRole, QVariant::fromValue(qulonglong(lParam)));
        return 0;
    case LB_GETTOPINDEX:
    {
        QListWidgetItem* top = list->itemAt(QPoint(1, 1));
        return top ? list->row(top) : 0;
    }
    case LB_SETTOPINDEX:
        if (!valid) return LB_ERR;
        list->scrollToItem(list->item(index), QAbstractItemView::PositionAtTop);
        return 0;
    case LB_GETITEMHEIGHT:
        return state.itemHeight > 0 ? state.itemHeight : list->fontMetrics().height() + 2;
    case LB_SETITEMHEIGHT:
        state.itemHeight = LOWORD(lParam);
        for (int i = 0; i < list->count(); ++i) list->item(i)->setSizeHint(QSize(0, state.itemHeight));
        return 0;
    case LB_GETITEMRECT:
    {
        if (!valid) return LB_ERR;
        const QRect r = list->visualItemRect(list->item(index)).translated(list->viewport()->pos());
        *reinterpret_cast<RECT*>(lParam) = FromQRect(r);
        return 0;
    }
    case LB_ITEMFROMPOINT:
    {
        const QPoint p = QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) - list->viewport()->pos();
        QListWidgetItem* item = list->itemAt(p);
        if (item) return MAKELONG(WORD(list->row(item)), 0);
        return MAKELONG(WORD(std::max(list->count() - 1, 0)), 1);
    }
    case LB_GETSEL: return valid ? list->item(index)->isSelected() : LB_ERR;
    case LB_SETSEL:
    {
        const int target = int(lParam);
        if (target == -1)
            for (int i = 0; i < list->count(); ++i) list->item(i)->setSelected(wParam != 0);
        else if (target >= 0 && target < list->count())
            list->item(target)->setSelected(wParam != 0);
        else
            return LB_ERR;
        return 0;
    }
    case LB_GETSELCOUNT: return list->selectedItems().size();
    default: handled = false; return 0;
    }
}
} // namespace

QWidget* CreateListBoxControl(WndImpl& impl, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setUniformItemSizes(true);
    if (impl.style & LBS_EXTENDEDSEL) list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    else if (impl.style & LBS_MULTIPLESEL) list->setSelectionMode(QAbstractItemView::MultiSelection);
    else list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setFrameShape((impl.style & WS_BORDER) || (impl.exStyle & WS_EX_CLIENTEDGE) ? QFrame::StyledPanel : QFrame::NoFrame);
    auto* self = &impl;
    if (impl.style & LBS_NOTIFY)
    {
        QObject::connect(list, &QListWidget::itemSelectionChanged, list, [self] { NotifyParent(*self, LBN_SELCHANGE); });
        QObject::connect(list, &QListWidget::itemDoubleClicked, list, [self] { NotifyParent(*self, LBN_DBLCLK); });
    }
    BridgeWidget(impl, list->viewport());
    auto state = std::make_shared<ListState>();
    impl.controlProc = [state](WndImpl& i, UINT m, WPARAM w, LPARAM l, bool& h) { return ListProc(i, *state, m, w, l, h); };
    return list;
}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("LISTBOX", nullptr, style, rect, parent, id);
}

namespace
{
LRESULT Ask(const CListBox* box, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return const_cast<CListBox*>(box)->SendMessage(message, wParam, lParam);
}
WPARAM Index(int i) { return WPARAM(std::intptr_t(i)); }
} // namespace

int CListBox::AddString(LPCTSTR text) { return int(SendMessage(LB_ADDSTRING, 0, LPARAM(text))); }
int CListBox::InsertString(int index, LPCTSTR text) { return int(SendMessage(LB_INSERTSTRING, Index(index), LPARAM(text))); }
int CListBox::DeleteString(UINT index) { return int(SendMessage(LB_DELETESTRING, index)); }
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::GetCount() const { return int(Ask(this, LB_GETCOUNT)); }
int CListBox::GetCurSel() const { return int(Ask(this, LB_GETCURSEL)); }
int CListBox::SetCurSel(int index) { return int(SendMessage(LB_SETCURSEL, Index(index))); }

int CListBox::GetText(int index, CString& text) const
{
    const int length = GetTextLen(index);
    if (length < 0)
    {
        text.Empty();
        return LB_ERR;
    }
    std::string buffer(std::size_t(length) + 1, '\0');
    Ask(this, LB_GETTEXT, Index(index), LPARAM(buffer.data()));
    buffer.resize(std::size_t(length));
    text = CString(std::move(buffer));
    return length;
}

int CListBox::GetTextLen(int index) const { return int(Ask(this, LB_GETTEXTLEN, Index(index))); }
int CListBox::FindString(int startAfter, LPCTSTR prefix) const { return int(Ask(this, LB_FINDSTRING, Index(startAfter), LPARAM(prefix))); }
int CListBox::FindStringExact(int startAfter, LPCTSTR text) const
{
    return int(Ask(this, LB_FINDSTRINGEXACT, Index(startAfter), LPARAM(text)));
}
int CListBox::SelectString(int startAfter, LPCTSTR prefix) { return int(SendMessage(LB_SELECTSTRING, Index(startAfter), LPARAM(prefix))); }
DWORD_PTR CListBox::GetItemData(int index) const { return DWORD_PTR(Ask(this, LB_GETITEMDATA, Index(index))); }
int CListBox::SetItemData(int index, DWORD_PTR data) { return int(SendMessage(LB_SETITEMDATA, Index(index), LPARAM(data))); }
int CListBox::GetTopIndex() const { return int(Ask(this, LB_GETTOPINDEX)); }
int CListBox::SetTopIndex(int index) { return int(SendMessage(LB_SETTOPINDEX, Index(index))); }
int CListBox::GetItemHeight(int index) const { return int(Ask(this, LB_GETITEMHEIGHT, Index(index))); }
int CListBox::SetItemHeight(int index, UINT height) { return int(SendMessage(LB_SETITEMHEIGHT, Index(index), LPARAM(height))); }
int CListBox::GetItemRect(int index, LPRECT rect) const { return int(Ask(this, LB_GETITEMRECT, Index(index), LPARAM(rect))); }

UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const
{
    const LRESULT r = Ask(this, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    outside = HIWORD(WPARAM(r)) != 0;
    return LOWORD(WPARAM(r));
}

int CListBox::GetSel(int index) const { return int(Ask(this, LB_GETSEL, Index(index))); }
int CListBox::SetSel(int index, BOOL select) { return int(SendMessage(LB_SETSEL, WPARAM(select), LPARAM(index))); }
int CListBox::GetSelCount() const { return int(Ask(this, LB_GETSELCOUNT)); }
