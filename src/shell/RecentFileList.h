#pragma once
// A list of recent files, the newest first, kept in a profile section as File1..FileN: the File
// menu's list (section "Recent File List") and the list of log files.
#include "platform/framework/CString.h"
#include "platform/framework/Profile.h"

#include <vector>

class CRecentFileList
{
public:
    static constexpr const char* kRecentFiles = "Recent File List";

    CRecentFileList(CProfile& profile, CString section, int size);

    void ReadList();
    // Puts the path first (once) and writes the list.
    void Add(const CString& path);
    void Remove(int index);
    int GetSize() const { return m_size; }
    const std::vector<CString>& GetFiles() const { return m_files; }

private:
    void WriteList();

    CProfile& m_profile;
    CString m_section;
    int m_size;
    std::vector<CString> m_files;
};
