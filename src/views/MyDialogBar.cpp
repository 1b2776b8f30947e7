#include "views/MyDialogBar.h"

#include "platform/framework/windows/DialogTemplate.h"
#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/WindowStyles.h"

#include <glog/logging.h>

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
    ScrollContent(CSize(0, m_contentHeight));
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
