#pragma once
// The application's main window, as the pages of the project window reach it: the tab window
// posts study switches to it, window captures are taken from it. The main frame registers
// itself when it is created and leaves when it is destroyed.
class CWnd;

CWnd* GetMainWindow();
void SetMainWindow(CWnd* window);
