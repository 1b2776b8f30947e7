// The cards by the keyboard: their heading buttons and fields, one after the other.
#include "projectmanager/ProjectManagerBasicGrid.h"

#include "grid/CUGGrid.h"
#include "platform/framework/windows/FocusChain.h"

#include <algorithm>
#include <utility>

std::vector<CProjectManagerBasicGrid::SKeyItem> CProjectManagerBasicGrid::KeyItems() const
{
    std::vector<SKeyItem> items;
    const SCardLayout& layout = Layout();
    for (int section = 0; section < m_sectionCount; ++section) {
        items.push_back({section, -1, -1, true});
        if (IsSectionCollapsed(section))
            continue;
        for (int button = 0; button < int(layout.buttons.size()); ++button)
            if (GetColWidth(OriginCol(layout.buttons[std::size_t(button)].rect)) > 0)
                items.push_back({section, button, -1});
        for (int edit = 0; edit < int(layout.edits.size()); ++edit)
            items.push_back({section, -1, edit});
    }
    return items;
}

bool CProjectManagerBasicGrid::GetKeyButton(int& section, int& button) const
{
    if (m_keyItem.button < 0)
        return false;
    section = m_keyItem.section;
    button = m_keyItem.button;
    return true;
}

CPoint CProjectManagerBasicGrid::TitleCell(int section) const
{
    return CPoint(OriginCol(Layout().title), OriginRow(section, Layout().title));
}

void CProjectManagerBasicGrid::ShowKeyItem(const SKeyItem& item)
{
    EndHover();
    const SKeyItem left = std::exchange(m_keyItem, item);
    if (left.heading)
        RedrawCell(GetCurrentCol(), GetCurrentRow());
    const SCardLayout& layout = Layout();
    const SCardRect& shown = item.heading      ? layout.title
                             : item.button >= 0 ? layout.buttons[std::size_t(item.button)].rect
                                                : layout.edits[std::size_t(std::max(0, item.edit))].rect;
    CRect cell;
    if (GetJoinedCellRect(OriginCol(shown), OriginRow(item.section, shown), &cell) == UG_SUCCESS)
        BringIntoView(*m_CUGGrid, cell);
    if (item.heading) {
        const CPoint title = TitleCell(item.section);
        GotoCell(title.x, title.y);
        RedrawCell(title.x, title.y);
    } else if (item.button >= 0) {
        const SCardRect& rect = layout.buttons[std::size_t(item.button)].rect;
        const int col = OriginCol(rect);
        const int row = OriginRow(item.section, rect);
        // Hovered without the pointer: only leaving the item ends the look.
        StartHover(col, row, item.button);
        KillTimer(m_hoverTimerId);
        m_hoverTimerRunning = false;
    } else if (item.edit >= 0) {
        const SCardRect& rect = layout.edits[std::size_t(item.edit)].rect;
        StartEditAt(OriginCol(rect), OriginRow(item.section, rect));
    }
}

bool CProjectManagerBasicGrid::StepKeyItem(int step)
{
    const std::vector<SKeyItem> items = KeyItems();
    const auto at = std::find(items.begin(), items.end(), m_keyItem);
    const std::ptrdiff_t next = at == items.end() ? (step > 0 ? 0 : std::ptrdiff_t(items.size()) - 1)
                                                  : (at - items.begin()) + step;
    if (next < 0 || next >= std::ptrdiff_t(items.size()))
        return false;
    ShowKeyItem(items[std::size_t(next)]);
    return true;
}

void CProjectManagerBasicGrid::FocusHeading(int section)
{
    if (section < 0 || section >= m_sectionCount)
        return;
    m_keyItem = {section, -1, -1, true};
    m_CUGGrid->SetFocus();
    ShowKeyItem(m_keyItem);
}

void CProjectManagerBasicGrid::OnSetFocus(int section)
{
    CUGCtrl::OnSetFocus(section);
    // Tab arriving from outside: the first item, or with Shift the last one.
    if (m_keyItem.section >= 0 || GetKeyState(VK_TAB) >= 0)
        return;
    const std::vector<SKeyItem> items = KeyItems();
    if (!items.empty())
        ShowKeyItem(GetKeyState(VK_SHIFT) < 0 ? items.back() : items.front());
}

void CProjectManagerBasicGrid::OnKillFocusTo(int section, CWnd* newWnd)
{
    CUGCtrl::OnKillFocusTo(section, newWnd);
    // The item stays while the focus is in the grid's own field, and while another window (the
    // dialog or the question a button opened) has the keyboard: the focus comes back to it. To
    // another control of the page the keyboard leaves the cards.
    if (!newWnd || IsChild(newWnd) || newWnd->GetTopLevelParent() != GetTopLevelParent())
        return;
    m_keyItem = {};
    EndHover();
}

BOOL CProjectManagerBasicGrid::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
        GetFocus() == m_CUGGrid.get())
        return StepKeyItem(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
    return CUGCtrl::PreTranslateMessage(msg);
}

void CProjectManagerBasicGrid::OnKeyDown(UINT* vcKey, BOOL processed)
{
    CUGCtrl::OnKeyDown(vcKey, processed);
    switch (*vcKey) {
    case VK_LEFT:
    case VK_UP: StepKeyItem(-1); break;
    case VK_RIGHT:
    case VK_DOWN: StepKeyItem(1); break;
    case VK_RETURN:
    case VK_SPACE:
        if (m_keyItem.heading)
            ToggleSection(m_keyItem.section);
        else if (m_keyItem.button >= 0)
            OnButton(m_keyItem.section, m_keyItem.button);
        else if (m_keyItem.edit >= 0)
            ShowKeyItem(m_keyItem);
        break;
    default: return;
    }
    // The cards have no cells of their own to move between.
    *vcKey = 0;
}
