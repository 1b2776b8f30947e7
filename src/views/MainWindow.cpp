#include "views/MainWindow.h"

namespace {
CWnd* g_mainWindow = nullptr;
}

CWnd* GetMainWindow()
{
    return g_mainWindow;
}

void SetMainWindow(CWnd* window)
{
    g_mainWindow = window;
}
