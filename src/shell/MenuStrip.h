#pragma once
// The menu bar of the main window: the titles of its popup menus in a row; a click on a title
// (or its mnemonic, the letter after "&", with Alt) lets the owner bring the menu up to date and
// shows it under the title. The chosen command reaches the owner as WM_COMMAND. Left and Right
// go from an open menu to the one beside it.
#include "platform/framework/windows/CMenu.h"
#include "platform/framework/windows/CWnd.h"

#include <functional>
#include <vector>

class CMenuStrip : public CWnd
{
public:
    static constexpr int kHeight = 22;

    // The menu stays the caller's; `beforeShow` runs each time before it is shown.
    void AddMenu(const CString& title, CMenu* menu, std::function<void()> beforeShow = {});
    // Shows the menu (opened by the keyboard: its first item marked); FALSE without one at the
    // index.
    BOOL OpenMenu(int index, bool byKeyboard = false);
    // The index of the menu that shows now, -1 when none does.
    int GetOpenMenu() const { return m_open; }
    // Shows the menu whose mnemonic is the key (a virtual key: the upper-case letter); FALSE
    // when no title has it.
    BOOL OpenMenuByMnemonic(UINT key);

    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;

private:
    struct Entry
    {
        CString title;
        CMenu* menu;
        std::function<void()> beforeShow;
        int left = 0;
        int right = 0;
    };
    void Layout(CDC& dc);

    std::vector<Entry> m_entries;
    int m_open = -1;
};
