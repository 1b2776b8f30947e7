#pragma once
// The application object of the window layer. Windows need it before they can be created:
// the program (and every test that makes windows) calls CFrameworkApp::EnsureInitialized first.
#include <functional>

class CWnd;

class CFrameworkApp
{
public:
    // Makes sure the process has its application object; later calls do nothing.
    static void EnsureInitialized();
    // Dispatches every waiting message (posted messages, pending paints, input) and returns when
    // none is left.
    static void PumpWaitingMessages();
    // Runs the message loop for a while, so that timers fire.
    static void RunFor(int milliseconds);
    // Runs the message loop until the condition holds (true) or the time is up (false).
    static bool RunUntil(const std::function<bool()>& condition, int timeoutMilliseconds);
    // The main message loop; returns the code given to PostQuitMessage.
    static int Run();
    // The program's main window (null when none): it owns the dialogs and message boxes that
    // open while none of the program's windows is active (after a file dialog closed), so that
    // they open over it.
    static void SetMainWindow(CWnd* window);
    static CWnd* GetMainWindow();
};

// Ends the main loop (Run) with the code; asked while no main loop runs, it does nothing.
void PostQuitMessage(int exitCode);
// Dispatches the waiting messages of the user-interface thread (long work stays responsive).
inline void PumpWaitingMessages() { CFrameworkApp::PumpWaitingMessages(); }
