#include "platform/framework/windows/CMenu.h"

#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/ModalLoop.h"
#include "platform/framework/windows/QtBridge.h"

#include <QKeyEvent>
#include <QMenu>

namespace
{
// A popup menu. One of a menu bar is left with Left and Right for its neighbour (Right opens a
// submenu first); opened by the keyboard, its first item is marked.
class CShownMenu : public QMenu
{
public:
    CShownMenu(QWidget* parent, bool ofBar, bool byKeyboard) : QMenu(parent), m_ofBar(ofBar), m_byKeyboard(byKeyboard) {}
    int Move() const { return m_move; }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMenu::showEvent(event);
        if (!m_byKeyboard) return;
        for (QAction* action : actions())
            if (action->isEnabled() && !action->isSeparator())
            {
                setActiveAction(action);
                break;
            }
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        const bool intoSubmenu = key == Qt::Key_Right && activeAction() && activeAction()->menu();
        if (m_ofBar && (key == Qt::Key_Left || key == Qt::Key_Right) && !intoSubmenu &&
            event->modifiers() == Qt::NoModifier)
        {
            m_move = key == Qt::Key_Left ? -1 : 1;
            close();
            return;
        }
        QMenu::keyPressEvent(event);
    }

private:
    bool m_ofBar;
    bool m_byKeyboard;
    int m_move = 0;
};

CMenu::TrackDriver& Driver()
{
    static CMenu::TrackDriver driver;
    return driver;
}

void Fill(QMenu& menu, const CMenu& source)
{
    for (const CMenu::Item& item : source.Items())
    {
        if (item.flags & MF_SEPARATOR)
        {
            menu.addSeparator();
            continue;
        }
        // A tab stays: the menu shows the text after it (an accelerator's name) in its own column.
        const QString text = ToQString(item.text);
        if (item.flags & MF_POPUP)
        {
            QMenu* sub = menu.addMenu(text);
            if (item.subMenu) Fill(*sub, *item.subMenu);
            continue;
        }
        QAction* action = menu.addAction(text);
        action->setData(item.id);
        action->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
        action->setCheckable(item.flags & MF_CHECKED);
        action->setChecked(item.flags & MF_CHECKED);
        if (!item.tip.IsEmpty())
        {
            action->setToolTip(ToQString(item.tip));
            menu.setToolTipsVisible(true);
        }
    }
}
} // namespace

CMenu::CMenu() = default;
CMenu::~CMenu() = default;

CMenu::TrackDriver CMenu::SetTrackDriver(TrackDriver driver) { return std::exchange(Driver(), std::move(driver)); }

BOOL CMenu::CreatePopupMenu()
{
    m_items.clear();
    m_created = true;
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    const BOOL was = m_created;
    m_items.clear();
    m_ownedSubMenus.clear();
    m_created = false;
    return was;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrSubMenu, LPCTSTR text)
{
    return InsertMenu(UINT(-1), flags | MF_BYPOSITION, idOrSubMenu, text);
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrSubMenu, LPCTSTR text)
{
    if (!m_created) return FALSE;
    Item item;
    item.flags = flags & ~MF_BYPOSITION;
    item.text = text ? text : "";
    if (flags & MF_POPUP) item.subMenu = reinterpret_cast<CMenu*>(idOrSubMenu);
    else item.id = UINT(idOrSubMenu);
    int at = int(m_items.size());
    if (position != UINT(-1))
    {
        const int found = Find(position, flags);
        if (found >= 0) at = found;
    }
    m_items.insert(m_items.begin() + at, std::move(item));
    return TRUE;
}

int CMenu::Find(UINT item, UINT flags) const
{
    if (flags & MF_BYPOSITION) return item < m_items.size() ? int(item) : -1;
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (!(m_items[i].flags & (MF_POPUP | MF_SEPARATOR)) && m_items[i].id == item) return int(i);
    return -1;
}

BOOL CMenu::RemoveMenu(UINT position, UINT flags)
{
    const int i = Find(position, flags);
    if (i < 0) return FALSE;
    m_items.erase(m_items.begin() + i);
    return TRUE;
}

UINT CMenu::EnableMenuItem(UINT item, UINT flags)
{
    const int i = Find(item, flags);
    if (i < 0) return UINT(-1);
    const UINT old = m_items[std::size_t(i)].flags & (MF_GRAYED | MF_DISABLED);
    m_items[std::size_t(i)].flags = (m_items[std::size_t(i)].flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return old;
}

BOOL CMenu::SetMenuItemTip(UINT item, const CString& tip, UINT flags)
{
    const int i = Find(item, flags);
    if (i < 0) return FALSE;
    m_items[std::size_t(i)].tip = tip;
    return TRUE;
}

UINT CMenu::CheckMenuItem(UINT item, UINT flags)
{
    const int i = Find(item, flags);
    if (i < 0) return UINT(-1);
    const UINT old = m_items[std::size_t(i)].flags & MF_CHECKED;
    m_items[std::size_t(i)].flags = (m_items[std::size_t(i)].flags & ~MF_CHECKED) | (flags & MF_CHECKED);
    return old;
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const
{
    const int i = Find(item, flags);
    return i < 0 ? UINT(-1) : m_items[std::size_t(i)].flags;
}

int CMenu::GetMenuItemCount() const { return m_created ? int(m_items.size()) : -1; }

UINT CMenu::GetMenuItemID(int position) const
{
    if (position < 0 || std::size_t(position) >= m_items.size()) return UINT(-1);
    const Item& item = m_items[std::size_t(position)];
    if (item.flags & MF_POPUP) return UINT(-1);
    return (item.flags & MF_SEPARATOR) ? 0 : item.id;
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const
{
    const int i = Find(item, flags);
    text = i < 0 ? CString() : m_items[std::size_t(i)].text;
    return text.GetLength();
}

CMenu* CMenu::GetSubMenu(int position) const
{
    if (position < 0 || std::size_t(position) >= m_items.size()) return nullptr;
    return m_items[std::size_t(position)].subMenu;
}

UINT CMenu::Track(UINT flags, int x, int y, CWnd* wnd, bool byKeyboard, int* move)
{
    if (Driver()) return Driver()(*this);
    CFrameworkApp::EnsureInitialized();
    CShownMenu menu(WidgetOf(wnd), move != nullptr, byKeyboard);
    Fill(menu, *this);
    QPoint at(x, y);
    if (flags & TPM_RIGHTALIGN) at.rx() -= menu.sizeHint().width();
    else if (flags & TPM_CENTERALIGN) at.rx() -= menu.sizeHint().width() / 2;
    const CModalLoop running([&menu] { menu.close(); });
    QAction* action = running.Ended() ? nullptr : menu.exec(at);
    if (move) *move = action ? 0 : menu.Move();
    return action ? action->data().toUInt() : 0;
}

UINT CMenu::TrackBarMenu(int x, int y, CWnd* wnd, bool byKeyboard, int& move)
{
    move = 0;
    return m_created ? Track(TPM_LEFTALIGN, x, y, wnd, byKeyboard, &move) : 0;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT)
{
    if (!m_created) return FALSE;
    const UINT chosen = Track(flags, x, y, wnd, false, nullptr);
    if (flags & TPM_RETURNCMD) return BOOL(chosen);
    if (chosen && wnd && !(flags & TPM_NONOTIFY)) wnd->PostMessage(WM_COMMAND, MAKEWPARAM(int(chosen), 0), 0);
    return TRUE;
}
