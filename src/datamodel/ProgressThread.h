#pragma once
// CProgressThread: the progress dialog of a long operation on the user-interface thread (loading
// a session, exporting CSV). Widgets live on one thread here, so the dialog is modeless on the
// calling thread and stays responsive because the worker lets waiting events run
// (PumpWaitingMessages of the window layer) after each step. The dialog comes from a factory:
// the window layer installs its window form; without one a recording dialog stands in.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"
#include "datamodel/IProgressDialog.h"

#include <functional>
#include <memory>

class CProgressThread
{
public:
    using DialogFactory = std::function<std::unique_ptr<IProgressDialog>()>;

    CProgressThread() = default;
    // Closes a dialog that Finish did not close.
    ~CProgressThread();
    CProgressThread(const CProgressThread&) = delete;
    CProgressThread& operator=(const CProgressThread&) = delete;

    // The sub-range lo..hi that SetPercent maps 0..100 into (0..100 unless set).
    void SetRange(int lo, int hi);
    // Caption = the string resource formatted with text; shows the dialog.
    void StartDialog(UINT stringId, const CString& text);
    // Both are asked at every table of a load, half a million times for a year of records: here,
    // where the loader's loop takes them in.
    void SetPercent(int percent)
    {
        if (m_dialog)
            m_dialog->SetPos(m_hi < m_lo ? percent : m_lo + (m_hi - m_lo) * percent / 100);
    }
    // The dialog's cancel flag; FALSE when there is no dialog.
    BOOL IsCanceled() const { return m_dialog && m_dialog->IsCanceled() ? TRUE : FALSE; }
    // Closes the dialog; further calls do nothing.
    void Finish();

    // The factory of every later dialog; an empty factory restores the recording stand-in.
    static void SetDialogFactory(DialogFactory factory);

private:
    std::unique_ptr<IProgressDialog> m_dialog;
    int m_lo = 0;
    int m_hi = 100;
};
