#pragma once
// The program's command line: a ".zca" or ".zlg" to open, "USB" (the program was started because
// a logger was plugged in: no file is opened), "--Restart" (the program restarts itself and
// waits for the instance that is ending) and "--sample" (the sample project instead of a file).
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
    bool IsSampleStart() const { return m_sample; }

private:
    CString m_fileName;
    bool m_usb = false;
    bool m_restart = false;
    bool m_sample = false;
};
