#pragma once
// The application as a command target: the last stop of command routing. The program's
// application object derives from it; there is at most one at a time.
#include "platform/framework/windows/CCmdTarget.h"

class CWnd;

class CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    CWnd* m_pMainWnd = nullptr;
};

// The application object, or null when none exists.
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
