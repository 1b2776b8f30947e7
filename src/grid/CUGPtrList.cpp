#include "grid/CUGPtrList.h"

#include <algorithm>

namespace
{
constexpr std::size_t kGrowBy = 10;
}

int CUGPtrList::AddPointer(void* pointer, INT_PTR param, const BYTE* extra)
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [](const Entry& e) { return !e.used; });
    if (it == m_entries.end())
    {
        const std::size_t first = m_entries.size();
        m_entries.resize(first + kGrowBy);
        it = m_entries.begin() + std::ptrdiff_t(first);
    }
    it->used = true;
    it->pointer = pointer;
    it->param = param;
    if (extra)
        std::copy(extra, extra + it->extra.size(), it->extra.begin());
    else
        it->extra.fill(0);
    return int(it - m_entries.begin());
}

const CUGPtrList::Entry* CUGPtrList::Used(int index) const
{
    if (index < 0 || std::size_t(index) >= m_entries.size() || !m_entries[std::size_t(index)].used)
        return nullptr;
    return &m_entries[std::size_t(index)];
}

void* CUGPtrList::GetPointer(int index) const
{
    const Entry* e = Used(index);
    return e ? e->pointer : nullptr;
}

INT_PTR CUGPtrList::GetParam(int index) const
{
    const Entry* e = Used(index);
    return e ? e->param : 0;
}

const BYTE* CUGPtrList::GetExtra(int index) const
{
    const Entry* e = Used(index);
    return e ? e->extra.data() : nullptr;
}

int CUGPtrList::UpdateParam(int index, INT_PTR param)
{
    if (!Used(index))
        return 1;
    m_entries[std::size_t(index)].param = param;
    return 0;
}

int CUGPtrList::DeletePointer(int index)
{
    if (!Used(index))
        return 1;
    m_entries[std::size_t(index)] = Entry{};
    return 0;
}

void CUGPtrList::EmptyList()
{
    std::vector<Entry>().swap(m_entries);
}

int CUGPtrList::GetCount() const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(), [](const Entry& e) { return e.used; }));
}
