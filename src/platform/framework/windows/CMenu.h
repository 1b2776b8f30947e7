#pragma once
// Popup menus. TrackPopupMenu shows the menu at a screen point and either returns the chosen
// command (TPM_RETURNCMD; 0 when nothing was chosen) or sends it to the window as WM_COMMAND.
#include "platform/framework/CString.h"
#include "platform/framework/windows/CWnd.h"

#include <functional>
#include <memory>
#include <vector>

inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_CENTERALIGN = 0x0004;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;
inline constexpr UINT TPM_LEFTBUTTON = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

class CMenu
{
public:
    CMenu();
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL CreatePopupMenu();
    // The menu of resources/menus/<id>.json; its popups come with it (GetSubMenu):
    //   { "id": 130, "items": [ { "text": "&View", "items": [ { "id": 32823, "text": "..." },
    //                                                      { "separator": true } ] } ] }
    // A text may be {"string": id}; "checked" and "disabled" set the item's state.
    BOOL LoadMenu(UINT resourceId);
    BOOL DestroyMenu();
    // MF_STRING with a command id, MF_SEPARATOR, or MF_POPUP with a submenu (given as CMenu*,
    // cast to UINT_PTR, which the menu then holds on to).
    BOOL AppendMenu(UINT flags, UINT_PTR idOrSubMenu = 0, LPCTSTR text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrSubMenu = 0, LPCTSTR text = nullptr);
    BOOL RemoveMenu(UINT position, UINT flags);
    BOOL DeleteMenu(UINT position, UINT flags) { return RemoveMenu(position, flags); }
    // Return the previous state, or -1 when there is no such item.
    UINT EnableMenuItem(UINT item, UINT flags);
    UINT CheckMenuItem(UINT item, UINT flags);
    // The tip shown while the pointer rests on the item (what the status bar would say of it);
    // FALSE when there is no such item.
    BOOL SetMenuItemTip(UINT item, const CString& tip, UINT flags);
    UINT GetMenuState(UINT item, UINT flags) const;
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    CMenu* GetSubMenu(int position) const;
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT rect = nullptr);
    // A menu of a menu bar, shown below its title until the user chooses a command (returned)
    // or leaves it (0). Left and Right leave it too and tell which way the user went in `move`
    // (-1, +1; 0 otherwise), for the bar to open the neighbour; opened by the keyboard, its first
    // item is marked.
    UINT TrackBarMenu(int x, int y, CWnd* wnd, bool byKeyboard, int& move);

    // Replaces showing the menu (tests): the driver answers the chosen command, 0 for none.
    using TrackDriver = std::function<UINT(CMenu&)>;
    static TrackDriver SetTrackDriver(TrackDriver driver);

    struct Item
    {
        UINT flags = 0;
        UINT id = 0;
        CString text;
        CMenu* subMenu = nullptr;
        CString tip;
    };
    const std::vector<Item>& Items() const { return m_items; }

private:
    int Find(UINT item, UINT flags) const;
    UINT Track(UINT flags, int x, int y, CWnd* wnd, bool byKeyboard, int* move);

    bool m_created = false;
    std::vector<Item> m_items;
    std::vector<std::unique_ptr<CMenu>> m_ownedSubMenus; // the popups of a loaded menu
};
