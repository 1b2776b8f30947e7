#pragma once
// The window form of the progress dialog for CProgressThread, over the window layer's dialog.
#include "platform/framework/windows/CProgressDlg.h"
#include "datamodel/IProgressDialog.h"

class CWindowProgressDialog : public IProgressDialog
{
public:
    explicit CWindowProgressDialog(CWnd* parent) : m_parent(parent) {}
    ~CWindowProgressDialog() override;

    void Show(const CString& caption) override;
    void SetPos(int position) override;
    bool IsCanceled() const override;
    void Close() override;

    const CProgressDlg& GetDialog() const { return m_dialog; }

private:
    CWnd* m_parent;
    CProgressDlg m_dialog;
};
