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
    // A long load reports after every table, half a million times for a year of records: the
    // bar is told only when it moves.
    if (position != m_dialog.GetPercent())
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
