#include "platform/framework/windows/CWinApp.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace
{
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp()
{
    if (!g_app) g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this) g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
