#pragma once
// The window form of the progress dialog: a modeless dialog with a caption, a progress bar and a
// Cancel button. Long work on the user-interface thread sets the percentage, polls the cancel
// flag and lets the waiting messages run (PumpWaitingMessages); SetPercent, IsCanceled and
// RequestClose may also be called from another thread. While it shows, it blocks the other
// windows as a modal dialog does, and counts as a modal loop: the work under it goes on until it
// is done or cancelled, and nothing it uses is destroyed meanwhile.
#include "platform/framework/windows/CDialog.h"
#include "platform/framework/windows/ModalLoop.h"

#include <atomic>
#include <memory>

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
    void OnNcDestroy() override;

private:
    void ShowPercent();
    void PaintNow();

    std::atomic<int> m_percent{0};
    std::atomic<bool> m_canceled{false};
    std::unique_ptr<CModalLoop> m_running;
};
