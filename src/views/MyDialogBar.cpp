#include "views/MyDialogBar.h"

#include "platform/framework/windows/DialogTemplate.h"
#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/WindowStyles.h"
#include "views/ScrollRequest.h"

#include <glog/logging.h>

#include <algorithm>

namespace {

constexpr int kLineStep = 16;
constexpr int kWheelStep = 48;

} // namespace

CMyDialogBar::~CMyDialogBar()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CMyDialogBar::CreateBar(CWnd* frame, UINT templateId)
{
    auto dialog = LoadDialogTemplate(templateId);
    if (!dialog) {
        LOG(INFO) << "Dialog bar " << templateId << ": no template";
        return FALSE;
    }
    dialog->style = (dialog->style & ~(WS_POPUP | WS_CAPTION)) | WS_CHILD | WS_VISIBLE;
    m_templateId = templateId;
    if (!CreateIndirect(*dialog, frame))
        return FALSE;
    // The size the bar is made at: its template's, widened where the user's locale writes longer
    // dates and times than its pickers had room for.
    CRect made;
    GetWindowRect(&made);
    m_width = made.Width();
    m_contentHeight = made.Height();
    return TRUE;
}

int CMyDialogBar::GetBarWidth(int height) const
{
    return m_width + (height < m_contentHeight ? GetSystemMetrics(SM_CXVSCROLL) : 0);
}

BOOL CMyDialogBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd* frame = GetParent())
        return BOOL(frame->SendMessage(WM_COMMAND, wParam, lParam));
    return CDialog::OnCommand(wParam, lParam);
}

void CMyDialogBar::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (cy <= 0)
        return;
    const int old = GetScrollPos(SB_VERT);
    SCROLLINFO info{};
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = std::max(0, m_contentHeight - 1);
    info.nPage = UINT(cy);
    SetScrollInfo(SB_VERT, &info, TRUE);
    // A taller bar needs less scrolling: the controls follow the position it keeps.
    if (const int now = GetScrollPos(SB_VERT); now != old)
        ScrollWindow(0, old - now);
}

void CMyDialogBar::ScrollTo(int position)
{
    const int old = GetScrollPos(SB_VERT);
    SetScrollPos(SB_VERT, std::max(0, position));
    if (const int now = GetScrollPos(SB_VERT); now != old)
        ScrollWindow(0, old - now);
}

void CMyDialogBar::OnVScroll(UINT code, UINT pos, CWnd*)
{
    CRect client;
    GetClientRect(&client);
    ScrollTo(ScrollRequestTarget(code, pos, GetScrollPos(SB_VERT), kLineStep, client.Height(), m_contentHeight));
}

BOOL CMyDialogBar::OnMouseWheel(UINT flags, short delta, CPoint screenPoint)
{
    CRect client;
    GetClientRect(&client);
    if (m_contentHeight <= client.Height())
        return CDialog::OnMouseWheel(flags, delta, screenPoint);
    ScrollTo(GetScrollPos(SB_VERT) - delta / 120 * kWheelStep);
    return TRUE;
}
