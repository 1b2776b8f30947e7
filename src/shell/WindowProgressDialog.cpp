#include "shell/WindowProgressDialog.h"

#include "platform/framework/windows/FrameworkApp.h"

CWindowProgressDialog::~CWindowProgressDialog()
{
    Close();
}

void CWindowProgressDialog::Show(const CString& caption)
{
    m_dialog.Create(caption, m_parent);
    m_dialog.ShowWindow(SW_SHOW);
    PumpWaitingMessages();
}

void CWindowProgressDialog::SetPos(int position)
{
    m_dialog.SetPercent(position);
}

bool CWindowProgressDialog::IsCanceled() const
{
    return m_dialog.IsCanceled();
}

void CWindowProgressDialog::Close()
{
    if (m_dialog.GetSafeHwnd())
        m_dialog.DestroyWindow();
}
