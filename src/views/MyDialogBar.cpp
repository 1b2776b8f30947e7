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
    const CRect size = DialogUnitsToPixels(CRect(0, 0, dialog->size.cx, dialog->size.cy));
    m_width = size.Width();
    m_contentHeight = size.Height();
    if (!CreateIndirect(*dialog, frame))
        return FALSE;
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
