#pragma once
// CAutoReportProgress: the small window that accompanies a report run: which item is being
// reported, a progress bar and Cancel. While it is up its owner (the main window) is disabled, so
// the user can only cancel; Cancel is answered at the next item.
#include "platform/framework/windows/CDialog.h"
#include "platform/framework/windows/CProgressCtrl.h"
#include "report/IReportProgress.h"

class CAutoReportProgress : public CDialog, public IReportProgress
{
public:
    static constexpr UINT kTemplateId = 1494;
    static constexpr UINT kBarId = 2158;
    static constexpr UINT kTextId = 2159;

    // Creates the window (hidden until Begin) centred over the owner and disables the owner.
    explicit CAutoReportProgress(CWnd* owner);
    // Ends the progress when the run did not.
    ~CAutoReportProgress() override;

    void Begin(int low, int high, int step) override;
    bool Item(int number, int count) override;
    bool Step(const CString& name, int position) override;
    void End() override;

    bool IsCancelled() const { return !m_goOn; }
    CProgressCtrl& GetBar() { return m_bar; }

protected:
    // Cancel only asks the run to stop; the window stays until End.
    void OnCancel() override;

private:
    CProgressCtrl m_bar;
    bool m_goOn = true;
    CWnd* m_owner;
    CString m_format;
    CString m_itemName = "Unspecified";
};
