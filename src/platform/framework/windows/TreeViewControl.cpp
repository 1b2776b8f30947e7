// The native tree view (QTreeWidget) and the CTreeCtrl class. An HTREEITEM is the item itself.
#include "platform/framework/windows/CTreeCtrl.h"
#include "platform/framework/windows/NativeControls.h"
#include "platform/framework/windows/WindowBridge.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeWidget>

#include <cstring>

namespace
{
// TVM_GETITEMRECT: the item to measure and its rectangle.
struct ItemRectRequest
{
    HTREEITEM item = nullptr;
    RECT rect{};
};

class TreeWidget : public QTreeWidget
{
public:
    using QTreeWidget::QTreeWidget;

    // Where an item's check box is drawn, in viewport coordinates.
    QRect CheckBoxRect(QTreeWidgetItem* item)
    {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = visualItemRect(item);
        option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        option.text = item->text(0);
        return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
    }
    QRect LabelRect(QTreeWidgetItem* item)
    {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = visualItemRect(item);
        option.features |= QStyleOptionViewItem::HasDisplay;
        if (item->data(0, Qt::CheckStateRole).isValid()) option.features |= QStyleOptionViewItem::HasCheckIndicator;
        option.text = item->text(0);
        return style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    }
};

TreeWidget* Tree(WndImpl& impl) { return static_cast<TreeWidget*>(impl.widget.data()); }
QTreeWidgetItem* Item(HTREEITEM h) { return reinterpret_cast<QTreeWidgetItem*>(h); }
HTREEITEM Handle(QTreeWidgetItem* item) { return reinterpret_cast<HTREEITEM>(item); }

void Notify(WndImpl& impl, NMHDR& header, UINT code, LRESULT* answer = nullptr)
{
    WndImpl* parent = impl.widget ? WndImpl::FromWidget(impl.widget->parentWidget()) : nullptr;
    if (!parent || !parent->alive) return;
    header.hwndFrom = &impl;
    header.idFrom = impl.id;
    header.code = code;
    const LRESULT result = parent->Dispatch(WM_NOTIFY, impl.id, LPARAM(&header));
    if (answer) *answer = result;
}

bool Checkable(const WndImpl& impl) { return (impl.style & TVS_CHECKBOXES) != 0; }

void ShowCheckBoxes(QTreeWidget* tree, bool show)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
    {
        (*it)->setFlags(show ? (*it)->flags() | Qt::ItemIsUserCheckable : (*it)->flags() & ~Qt::ItemIsUserCheckable);
        (*it)->setData(0, Qt::CheckStateRole, show ? QVariant(Qt::Unchecked) : QVariant());
    }
}

// The user expanded or collapsed an item: the parent may refuse, and the item goes back.
void OnUserExpansion(WndImpl& impl, QTreeWidgetItem* item, bool expanded)
{
    NMTREEVIEW info;
    info.action = expanded ? TVE_EXPAND : TVE_COLLAPSE;
    info.itemNew.hItem = Handle(item);
    info.itemNew.mask = TVIF_PARAM;
    info.itemNew.lParam = LPARAM(item->data(0, Qt::UserRole).toULongLong());
    LRESULT refused = 0;
    Notify(impl, info.hdr, TVN_ITEMEXPANDING, &refused);
    if (refused && impl.widget)
    {
        const QSignalBlocker block(impl.widget);
        item->setExpanded(!expanded);
    }
}

// A mouse message sent by the program becomes the viewport's own event, which comes back as
// the same message with the event behind it.
void SendMouseToViewport(QTreeWidget* tree, UINT message, LPARAM lParam)
{
    QWidget* viewport = tree->viewport();
    const QPointF p = QPointF(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) - viewport->pos();
    const QEvent::Type type = message == WM_LBUTTONDOWN ? QEvent::MouseButtonPress
                              : message == WM_LBUTTONUP ? QEvent::MouseButtonRelease
                                                        : QEvent::MouseButtonDblClick;
    QMouseEvent event(type, p, viewport->mapToGlobal(p), Qt::LeftButton,
                      message == WM_LBUTTONUP ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &event);
}

void FillItem(WndImpl& impl, QTreeWidgetItem* item, TVITEM& out)
{
    if (out.mask & TVIF_TEXT && out.pszText && out.cchTextMax > 0)
    {
        const QByteArray text = item->text(0).toUtf8();
        const std::size_t n = std::min<std::size_t>(std::size_t(out.cchTextMax) - 1, std::size_t(text.size()));
        std::memcpy(out.pszText, text.constData(), n);
        out.pszText[n] = 0;
    }
    if (out.mask & TVIF_PARAM) out.lParam = LPARAM(item->data(0, Qt::UserRole).toULongLong());
    if (out.mask & TVIF_CHILDREN) out.cChildren = item->childCount() > 0 ? 1 : 0;
    if (out.mask & TVIF_STATE)
    {
        UINT state = item->isExpanded() ? TVIS_EXPANDED : 0;
        if (Checkable(impl)) state |= INDEXTOSTATEIMAGEMASK(item->checkState(0) == Qt::Checked ? 2 : 1);
        out.state = state & out.stateMask;
    }
}

BOOL SetItem(WndImpl& impl, QTreeWidgetItem* item, const TVITEM& in)
{
    if (in.mask & TVIF_TEXT) item->setText(0, QString::fromUtf8(in.pszText ? in.pszText : ""));
    if (in.mask & TVIF_PARAM) item->setData(0, Qt::UserRole, QVariant::fromValue(qulonglong(in.lParam)));
    if (in.mask & TVIF_STATE)
    {
        if (in.stateMask & TVIS_EXPANDED) item->setExpanded(in.state & TVIS_EXPANDED);
        if ((in.stateMask & TVIS_STATEIMAGEMASK) && Checkable(impl))
            item->setCheckState(0, (in.state & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2) ? Qt::Checked : Qt::Unchecked);
    }
    return TRUE;
}

QTreeWidgetItem* Insert(WndImpl& impl, const TVINSERTSTRUCT& insert)
{
    TreeWidget* tree = Tree(impl);
    QTreeWidgetItem* parent = insert.hParent == TVI_ROOT || !insert.hParent ? tree->invisibleRootItem() : Item(insert.hParent);
    int at = parent->childCount();
    if (insert.hInsertAfter == TVI_FIRST) at = 0;
    else if (insert.hInsertAfter != TVI_LAST && insert.hInsertAfter)
    {
        const int index = parent->indexOfChild(Item(insert.hInsertAfter));
        if (index >= 0) at = index + 1;
    }
    auto* item = new QTreeWidgetItem();
    if (Checkable(impl))
    {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
    parent->insertChild(at, item);
    SetItem(impl, item, insert.item);
    return item;
}

QTreeWidgetItem* Next(TreeWidget* tree, UINT relation, QTreeWidgetItem* item)
{
    switch (relation)
    {
    case TVGN_ROOT: return tree->topLevelItem(0);
    case TVGN_CARET: return tree->currentItem();
    default: break;
    }
    if (!item) return nullptr;
    QTreeWidgetItem* parent = item->parent() ? item->parent() : tree->invisibleRootItem();
    const int index = parent->indexOfChild(item);
    switch (relation)
    {
    case TVGN_NEXT: return index + 1 < parent->childCount() ? parent->child(index + 1) : nullptr;
    case TVGN_PREVIOUS: return index > 0 ? parent->child(index - 1) : nullptr;
    case TVGN_PARENT: return item->parent();
    case TVGN_CHILD: return item->child(0);
    default: return nullptr;
    }
}

LRESULT TreeProc(WndImpl& impl, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    TreeWidget* tree = Tree(impl);
    handled = true;
    switch (message)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        if (!PassEventToControl(impl, message))
        {
            SendMouseToViewport(tree, message, lParam);
            return 0;
        }
        if (message == WM_LBUTTONUP)
        {
            NMHDR header;
            Notify(impl, header, NM_CLICK);
        }
        return 0;
    case WM_KEYDOWN:
    {
        NMTVKEYDOWN key;
        key.wVKey = WORD(wParam);
        Notify(impl, key.hdr, TVN_KEYDOWN);
        handled = false; // the control's own handling follows
        return 0;
    }
    case WM_STYLECHANGED:
        if ((UINT(wParam) ^ UINT(lParam)) & TVS_CHECKBOXES) ShowCheckBoxes(tree, (UINT(lParam) & TVS_CHECKBOXES) != 0);
        tree->setRootIsDecorated((UINT(lParam) & TVS_LINESATROOT) != 0);
        return 0;
    default: break;
    }

    const QSignalBlocker block(tree);
    QTreeWidgetItem* item = Item(reinterpret_cast<HTREEITEM>(lParam));
    switch (message)
    {
    case TVM_INSERTITEM:
        return lParam ? LRESULT(Handle(Insert(impl, *reinterpret_cast<const TVINSERTSTRUCT*>(lParam)))) : 0;
    case TVM_DELETEITEM:
        if (!item || reinterpret_cast<HTREEITEM>(lParam) == TVI_ROOT) tree->clear();
        else delete item;
        return TRUE;
    case TVM_GETCOUNT:
    {
        int count = 0;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) ++count;
        return count;
    }
    case TVM_EXPAND:
        if (!item) return FALSE;
        item->setExpanded(wParam == TVE_TOGGLE ? !item->isExpanded() : wParam == TVE_EXPAND);
        return TRUE;
    case TVM_GETNEXTITEM: return LRESULT(Handle(Next(tree, UINT(wParam), item)));
    case TVM_SELECTITEM:
        tree->setCurrentItem(item);
        return TRUE;
    case TVM_GETITEM:
    case TVM_SETITEM:
    {
        auto* record = reinterpret_cast<TVITEM*>(lParam);
        if (!record || !record->hItem) return FALSE;
        if (message == TVM_SETITEM) return SetItem(impl, Item(record->hItem), *record);
        FillItem(impl, Item(record->hItem), *record);
        return TRUE;
    }
    case TVM_GETITEMRECT:
    {
        auto* request = reinterpret_cast<ItemRectRequest*>(lParam);
        QTreeWidgetItem* target = request ? Item(request->item) : nullptr;
        if (!target) return FALSE;
        const QRect row = tree->visualItemRect(target);
        if (!row.isValid()) return FALSE;
        const QRect r = wParam ? tree->LabelRect(target) : QRect(0, row.top(), tree->viewport()->width(), row.height());
        request->rect = FromQRect(r.translated(tree->viewport()->pos()));
        return TRUE;
    }
    case TVM_HITTEST:
    {
        auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
        if (!info) return 0;
        const QPoint p = QPoint(info->pt.x, info->pt.y) - tree->viewport()->pos();
        QTreeWidgetItem* hit = tree->viewport()->rect().contains(p) ? tree->itemAt(p) : nullptr;
        info->hItem = Handle(hit);
        if (!hit) info->flags = TVHT_NOWHERE;
        else if (Checkable(impl) && tree->CheckBoxRect(hit).contains(p)) info->flags = TVHT_ONITEMSTATEICON;
        else if (tree->LabelRect(hit).contains(p)) info->flags = TVHT_ONITEMLABEL;
        else if (p.x() > tree->LabelRect(hit).right()) info->flags = TVHT_ONITEMRIGHT;
        else info->flags = TVHT_ONITEMINDENT;
        return LRESULT(info->hItem);
    }
    default: handled = false; return 0;
    }
}
} // namespace

QWidget* CreateTreeViewControl(WndImpl& impl, QWidget* parent)
{
    auto* tree = new TreeWidget(parent);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setRootIsDecorated((impl.style & TVS_LINESATROOT) != 0);
    tree->setFrameShape((impl.style & WS_BORDER) || (impl.exStyle & WS_EX_CLIENTEDGE) ? QFrame::StyledPanel : QFrame::NoFrame);
    auto* self = &impl;
    QObject::connect(tree, &QTreeWidget::itemExpanded, tree, [self](QTreeWidgetItem* item) { OnUserExpansion(*self, item, true); });
    QObject::connect(tree, &QTreeWidget::itemCollapsed, tree, [self](QTreeWidgetItem* item) { OnUserExpansion(*self, item, false); });
    BridgeWidget(impl, tree->viewport());
    impl.controlProc = TreeProc;
    return tree;
}

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("SysTreeView32", nullptr, style, rect, parent, id);
}

namespace
{
LRESULT Ask(const CTreeCtrl* tree, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return const_cast<CTreeCtrl*>(tree)->SendMessage(message, wParam, lParam);
}
HTREEITEM NextItem(const CTreeCtrl* tree, UINT relation, HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, relation, LPARAM(item)));
}
} // namespace

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCT insert;
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPTSTR>(text);
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEM, 0, LPARAM(&insert)));
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) { return BOOL(SendMessage(TVM_DELETEITEM, 0, LPARAM(item))); }
BOOL CTreeCtrl::DeleteAllItems() { return DeleteItem(TVI_ROOT); }
UINT CTreeCtrl::GetCount() const { return UINT(Ask(this, TVM_GETCOUNT)); }
HTREEITEM CTreeCtrl::GetRootItem() const { return NextItem(this, TVGN_ROOT, nullptr); }
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const { return NextItem(this, TVGN_CHILD, item); }
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const { return NextItem(this, TVGN_NEXT, item); }
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const { return NextItem(this, TVGN_PARENT, item); }
HTREEITEM CTreeCtrl::GetSelectedItem() const { return NextItem(this, TVGN_CARET, nullptr); }
BOOL CTreeCtrl::SelectItem(HTREEITEM item) { return BOOL(SendMessage(TVM_SELECTITEM, TVGN_CARET, LPARAM(item))); }
BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const { return GetChildItem(item) != nullptr; }

CString CTreeCtrl::GetItemText(HTREEITEM item) const
{
    char buffer[1024] = {};
    TVITEM record;
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = buffer;
    record.cchTextMax = int(sizeof buffer);
    return Ask(this, TVM_GETITEM, 0, LPARAM(&record)) ? CString(buffer) : CString();
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const
{
    TVITEM record;
    record.mask = TVIF_PARAM;
    record.hItem = item;
    return Ask(this, TVM_GETITEM, 0, LPARAM(&record)) ? DWORD_PTR(record.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data)
{
    TVITEM record;
    record.mask = TVIF_PARAM;
    record.hItem = item;
    record.lParam = LPARAM(data);
    return BOOL(SendMessage(TVM_SETITEM, 0, LPARAM(&record)));
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const
{
    TVITEM record;
    record.mask = TVIF_STATE;
    record.hItem = item;
    record.stateMask = mask;
    return Ask(this, TVM_GETITEM, 0, LPARAM(&record)) ? record.state : 0;
}

BOOL CTreeCtrl::GetCheck(HTREEITEM item) const
{
    return GetItemState(item, TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

BOOL CTreeCtrl::SetCheck(HTREEITEM item, BOOL check)
{
    TVITEM record;
    record.mask = TVIF_STATE;
    record.hItem = item;
    record.stateMask = TVIS_STATEIMAGEMASK;
    record.state = INDEXTOSTATEIMAGEMASK(check ? 2 : 1);
    return BOOL(SendMessage(TVM_SETITEM, 0, LPARAM(&record)));
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) { return BOOL(SendMessage(TVM_EXPAND, code, LPARAM(item))); }

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const
{
    ItemRectRequest request;
    request.item = item;
    if (!rect || !Ask(this, TVM_GETITEMRECT, WPARAM(textOnly), LPARAM(&request))) return FALSE;
    *rect = request.rect;
    return TRUE;
}

HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const
{
    TVHITTESTINFO info;
    info.pt = point;
    const auto item = reinterpret_cast<HTREEITEM>(Ask(this, TVM_HITTEST, 0, LPARAM(&info)));
    if (flags) *flags = info.flags;
    return item;
}
