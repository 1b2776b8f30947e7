#pragma once
// The hourglass while a long operation runs on the user-interface thread: shown when the object
// is made, the previous cursor back when it goes.
#include "platform/framework/windows/Cursors.h"

class CWaitCursor
{
public:
    CWaitCursor() : m_previous(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};
