#include "platform/framework/windows/CProgressDlg.h"

#include "platform/framework/windows/CProgressCtrl.h"
#include "platform/framework/windows/DialogTemplate.h"
#include "platform/framework/windows/QtBridge.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace
{
// Private messages of the dialog: show the stored percentage; close.
constexpr UINT kShowPercent = WM_USER + 1;
constexpr UINT kCloseRequest = WM_USER + 2;

DialogTemplate ProgressTemplate(const CString& caption)
{
    DialogTemplate t;
    t.caption = caption;
    t.size = CSize(200, 56);
    t.style = WS_POPUP | WS_CAPTION;
    DialogItemTemplate bar;
    bar.id = CProgressDlg::kBarId;
    bar.className = "msctls_progress32";
    bar.rect = CRect(7, 10, 193, 22);
    bar.style = WS_CHILD | WS_VISIBLE;
    DialogItemTemplate cancel;
    cancel.id = IDCANCEL;
    cancel.className = "BUTTON";
    cancel.text = "Cancel";
    cancel.rect = CRect(75, 34, 125, 48);
    cancel.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    t.items = {bar, cancel};
    return t;
}

bool OnUiThread() { return QThread::currentThread() == QCoreApplication::instance()->thread(); }

// How long a new dialog waits for the window system to put it on the screen.
constexpr int kExposeWaitMs = 500;
} // namespace

BOOL CProgressDlg::Create(const CString& caption, CWnd* parent)
{
    m_canceled = false;
    m_percent = 0;
    if (!CreateIndirect(ProgressTemplate(caption), parent)) return FALSE;
    if (QWidget* widget = WidgetOf(this)) widget->setWindowModality(Qt::ApplicationModal);
    m_running = std::make_unique<CModalLoop>([this] { OnCancel(); });
    if (m_running->Ended()) OnCancel();
    ShowWindow(SW_SHOW);
    PaintNow();
    return TRUE;
}

// The work goes on on this thread without letting messages run: the dialog is put on the
// screen and painted at once, not when the work is done.
void CProgressDlg::PaintNow()
{
    QWidget* widget = WidgetOf(this);
    if (!widget || !widget->isVisible()) return;
    if (QWindow* window = widget->windowHandle())
    {
        QElapsedTimer waited;
        waited.start();
        while (!window->isExposed() && waited.elapsed() < kExposeWaitMs)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    }
    widget->repaint();
}

void CProgressDlg::SetPercent(int percent)
{
    m_percent = std::clamp(percent, 0, 100);
    if (OnUiThread()) ShowPercent();
    else PostMessage(kShowPercent);
}

void CProgressDlg::RequestClose() { PostMessage(kCloseRequest); }

// The bar paints itself at once whenever the new percentage changes its look; the rest of the
// dialog is as it was painted (a whole dialog painted at each percent cost a year's load a tenth).
void CProgressDlg::ShowPercent()
{
    if (auto* bar = static_cast<CProgressCtrl*>(GetDlgItem(int(kBarId)))) bar->SetPos(m_percent);
}

BOOL CProgressDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == kShowPercent)
    {
        ShowPercent();
        *result = 0;
        return TRUE;
    }
    if (message == kCloseRequest)
    {
        DestroyWindow();
        *result = 0;
        return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

// Cancel only raises the flag: the work decides when to stop and closes the dialog.
void CProgressDlg::OnCancel()
{
    m_canceled = true;
    if (CWnd* button = GetDlgItem(IDCANCEL)) button->EnableWindow(FALSE);
}

void CProgressDlg::OnClose() { OnCancel(); }

void CProgressDlg::OnNcDestroy()
{
    m_running.reset();
    CDialog::OnNcDestroy();
}
