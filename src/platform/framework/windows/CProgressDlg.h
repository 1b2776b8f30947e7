#pragma once
// The window form of the progress dialog: a modeless dialog with a caption, a progress bar and a
// Cancel button. Long work on the user-interface thread sets the percentage, polls the cancel
// flag and lets the waiting messages run (PumpWaitingMessages); SetPercent, IsCanceled and
// RequestClose may also be called from another thread.
#include "platform/framework/windows/CDialog.h"

#include <atomic>

class CProgressDlg : public CDialog
{
public:
    inline static constexpr UINT kBarId = 1001;

    BOOL Create(const CString& caption, CWnd* parent = nullptr);
    void SetPercent(int percent);
    int GetPercent() const { return m_percent; }
    bool IsCanceled() const { return m_canceled; }
    // Closes the dialog from any thread (once the messages run).
    void RequestClose();

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnCancel() override;
    void OnClose() override;

private:
    void ShowPercent();
    void PaintNow();

    std::atomic<int> m_percent{0};
    std::atomic<bool> m_canceled{false};
};
