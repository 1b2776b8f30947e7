#pragma once
// The program's command line: a ".zca" or ".zlg" to open, "USB" (the program was started because
// a logger was plugged in: no file is opened) and "--Restart" (the program restarts itself and
// waits for the instance that is ending).
#include "platform/framework/CString.h"

#include <vector>

class COrnCommandLineInfo
{
public:
    void Parse(const std::vector<CString>& arguments);

    // The file to open as an absolute path; empty when none was named or "USB" set it aside.
    const CString& GetFileName() const { return m_fileName; }
    bool IsUsbStart() const { return m_usb; }
    bool IsRestart() const { return m_restart; }

private:
    CString m_fileName;
    bool m_usb = false;
    bool m_restart = false;
};
