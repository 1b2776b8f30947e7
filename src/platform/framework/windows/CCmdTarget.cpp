#include "platform/framework/windows/CCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    for (const CommandMapEntry& e : m_map)
    {
        if (id < e.first || id > e.last) continue;
        if (code == CN_UPDATE_COMMAND_UI && e.update)
        {
            if (handlerInfo) handlerInfo->pTarget = this;
            else e.update(static_cast<CCmdUI*>(extra));
            return TRUE;
        }
        if (code == CN_COMMAND && e.command)
        {
            if (handlerInfo) handlerInfo->pTarget = this;
            else e.command(id);
            return TRUE;
        }
    }
    return FALSE;
}

void CCmdTarget::MapCommand(UINT id, std::function<void()> handler)
{
    m_map.push_back({id, id, [h = std::move(handler)](UINT) { h(); }, {}});
}

void CCmdTarget::MapCommandRange(UINT firstId, UINT lastId, std::function<void(UINT)> handler)
{
    m_map.push_back({firstId, lastId, std::move(handler), {}});
}

void CCmdTarget::MapUpdateCommandUI(UINT id, std::function<void(CCmdUI*)> handler)
{
    m_map.push_back({id, id, {}, std::move(handler)});
}

void CCmdUI::Enable(BOOL) { m_bEnableChanged = TRUE; }
void CCmdUI::SetCheck(int) {}
void CCmdUI::SetText(LPCTSTR) {}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler)
{
    if (!target) return FALSE;
    m_bEnableChanged = FALSE;
    if (target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr)) return TRUE;
    // No update handler: the element is enabled exactly when some target runs the command.
    AFX_CMDHANDLERINFO probe;
    if (disableIfNoHandler && !m_bEnableChanged) Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &probe));
    return FALSE;
}
