#include "platform/framework/windows/FrameworkApp.h"

#include "platform/framework/windows/WindowBridge.h"
#include "platform/framework/windows/QtBridge.h"

#include <glog/logging.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThreadPool>
#include <QTimer>

void CFrameworkApp::EnsureInitialized()
{
    if (QCoreApplication::instance()) return;
    // Without a display (build machines, tests) the windows live on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orn";
    static char* argv[] = {name, nullptr};
    // Lives as long as the process: windows may be destroyed during static destruction.
    static QApplication* app = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    (void)app;
}

// Qt's painter hands every fill taller than about a hundred lines to the threads of the shared
// pool and sleeps until they are done: each scroll bar, group box and progress bar of a page woke
// a pool thread and was woken back, and on a busy machine each of those waited for a free
// processor, which cost a first show more than all its fills. Where there is no shared pool (as
// at the end of a run) Qt fills in place, and nothing else of the program uses one: the program
// has none.
QThreadPool* QThreadPool::globalInstance()
{
    return nullptr;
}

void CFrameworkApp::PumpWaitingMessages()
{
    EnsureInitialized();
    // Posted messages may post more (a paint request after an invalidation): drain a few rounds.
    for (int round = 0; round < 8; ++round)
    {
        QCoreApplication::sendPostedEvents();
        // The widgets of destroyed windows go only when no handler can still be using them.
        if (!InsideMessageHandler()) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void CFrameworkApp::RunFor(int milliseconds)
{
    EnsureInitialized();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    PumpWaitingMessages();
}

bool CFrameworkApp::RunUntil(const std::function<bool()>& condition, int timeoutMilliseconds)
{
    EnsureInitialized();
    QElapsedTimer clock;
    clock.start();
    while (!condition())
    {
        if (clock.elapsed() > timeoutMilliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
        QCoreApplication::sendPostedEvents();
    }
    return true;
}

namespace
{
int g_mainLoops = 0; // main loops running now (Run)
CWnd* g_mainWindow = nullptr;
} // namespace

void CFrameworkApp::SetMainWindow(CWnd* window) { g_mainWindow = window; }

CWnd* CFrameworkApp::GetMainWindow() { return g_mainWindow; }

QWidget* OwnerWidget(const CWnd* given)
{
    QWidget* modal = QApplication::activeModalWidget();
    // A window that a modal one blocks (the main window under the report preview) cannot keep a
    // new window in front of the user: the modal one on top owns it, as the platform's safe owner.
    if (QWidget* w = WidgetOf(given)) return modal && modal->isVisible() && modal != w->window() ? modal : w->window();
    if (modal) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    QWidget* main = WidgetOf(g_mainWindow);
    return main && main->isVisible() ? main : nullptr;
}

int CFrameworkApp::Run()
{
    EnsureInitialized();
    ++g_mainLoops;
    const int result = QApplication::exec();
    --g_mainLoops;
    return result;
}

void PostQuitMessage(int exitCode)
{
    // Qt keeps a quit asked outside the main loop and ends every later loop at once with it (a
    // modal dialog's, a wait's): such a request ends nothing.
    if (g_mainLoops == 0)
    {
        LOG(INFO) << "Quit asked while no message loop runs; ignored";
        return;
    }
    QCoreApplication::exit(exitCode);
}
