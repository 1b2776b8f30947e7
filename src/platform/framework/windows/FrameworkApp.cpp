#include "platform/framework/windows/FrameworkApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
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

void CFrameworkApp::PumpWaitingMessages()
{
    EnsureInitialized();
    // Posted messages may post more (a paint request after an invalidation): drain a few rounds.
    for (int round = 0; round < 8; ++round)
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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

int CFrameworkApp::Run()
{
    EnsureInitialized();
    return QApplication::exec();
}

void PostQuitMessage(int exitCode) { QCoreApplication::exit(exitCode); }
