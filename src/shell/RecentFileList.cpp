#include "shell/RecentFileList.h"

#include <algorithm>

namespace {

CString EntryName(int index)
{
    return CString::Formatted("File%d", index + 1);
}

} // namespace

CRecentFileList::CRecentFileList(CProfile& profile, CString section, int size)
    : m_profile(profile), m_section(std::move(section)), m_size(size)
{
}

void CRecentFileList::ReadList()
{
    m_files.clear();
    for (int i = 0; i < m_size; ++i) {
        const CString path = m_profile.GetProfileString(m_section.GetString(), EntryName(i).GetString(), "");
        if (!path.IsEmpty() && std::find(m_files.begin(), m_files.end(), path) == m_files.end())
            m_files.push_back(path);
    }
}

void CRecentFileList::Add(const CString& path)
{
    if (path.IsEmpty())
        return;
    std::erase(m_files, path);
    m_files.insert(m_files.begin(), path);
    if (static_cast<int>(m_files.size()) > m_size)
        m_files.resize(m_size);
    WriteList();
}

void CRecentFileList::Remove(int index)
{
    if (index < 0 || index >= static_cast<int>(m_files.size()))
        return;
    m_files.erase(m_files.begin() + index);
    WriteList();
}

void CRecentFileList::WriteList()
{
    for (int i = 0; i < m_size; ++i) {
        const bool used = i < static_cast<int>(m_files.size());
        m_profile.WriteProfileString(m_section.GetString(), EntryName(i).GetString(), used ? m_files[i].GetString() : nullptr);
    }
}
