#include "views/MyDialogBar.h"

#include "platform/framework/windows/DialogTemplate.h"
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
    m_width = DialogUnitsToPixels(CRect(0, 0, dialog->size.cx, dialog->size.cy)).Width();
    return CreateIndirect(*dialog, frame);
}

BOOL CMyDialogBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd* frame = GetParent())
        return BOOL(frame->SendMessage(WM_COMMAND, wParam, lParam));
    return CDialog::OnCommand(wParam, lParam);
}
