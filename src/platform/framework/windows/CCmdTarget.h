#pragma once
// Command targets: windows, documents and the application take commands (WM_COMMAND ids from
// menus, toolbar buttons and controls) and update-UI requests (is a command enabled, checked,
// what does it read). A frame routes both along its active view, the view's document, itself
// and the application, and the first target with a handler wins. A target lists its handlers
// in its constructor, as a message map would: MapCommand (ON_COMMAND), MapCommandRange
// (ON_COMMAND_RANGE) and MapUpdateCommandUI (ON_UPDATE_COMMAND_UI); or it overrides OnCmdMsg.
#include "platform/framework/CObject.h"
#include "platform/framework/CString.h"
#include "platform/framework/windows/WinDefs.h"

#include <functional>
#include <vector>

class CCmdUI;

// The codes of OnCmdMsg: a command, or an update-UI request with a CCmdUI as extra.
inline constexpr int CN_COMMAND = 0;
inline constexpr int CN_UPDATE_COMMAND_UI = -1;
// Filled in when OnCmdMsg only asks whether a handler exists.
class CCmdTarget;
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget = nullptr;
};

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // TRUE when this target (or, for routing targets, one further along) handled the command
    // or, for CN_UPDATE_COMMAND_UI, has an update handler for it. A handler info asks only
    // whether a handler exists, without running it.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo);

protected:
    void MapCommand(UINT id, std::function<void()> handler);
    void MapCommandRange(UINT firstId, UINT lastId, std::function<void(UINT)> handler);
    void MapUpdateCommandUI(UINT id, std::function<void(CCmdUI*)> handler);

private:
    struct CommandMapEntry
    {
        UINT first;
        UINT last;
        std::function<void(UINT)> command;
        std::function<void(CCmdUI*)> update;
    };
    std::vector<CommandMapEntry> m_map;
};

// One update-UI request: the user-interface element of a command (a toolbar button, a menu
// item) that handlers enable, check or relabel. DoUpdate offers it to a target and, with
// disableIfNoHandler, disables the element when no target along the route handles the command.
class CCmdUI
{
public:
    virtual ~CCmdUI() = default;
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CCmdTarget* m_pOther = nullptr; // the toolbar or window that shows the element

    virtual void Enable(BOOL on = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE) { SetCheck(on ? 1 : 0); }
    virtual void SetText(LPCTSTR text);
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

    BOOL m_bEnableChanged = FALSE;
};
