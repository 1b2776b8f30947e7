#pragma once
// CUGPtrList: a growable table of borrowed pointers, each with a parameter (a use count for
// fonts) and 16 bytes of extra data. An entry's index stays valid until it is removed.
#include "platform/framework/WinTypes.h"

#include <array>
#include <vector>

class CUGPtrList
{
public:
    // Takes the first unused entry (growing by 10 when full) and returns its index.
    int AddPointer(void* pointer, INT_PTR param = 0, const BYTE* extra = nullptr);
    // Null / 0 for an index out of range or an unused entry.
    void* GetPointer(int index) const;
    INT_PTR GetParam(int index) const;
    const BYTE* GetExtra(int index) const;
    int UpdateParam(int index, INT_PTR param);
    int DeletePointer(int index);
    void EmptyList();
    // Indexes ever handed out (used and unused).
    int GetMaxCount() const { return int(m_entries.size()); }
    int GetCount() const;

private:
    struct Entry
    {
        bool used = false;
        void* pointer = nullptr;
        INT_PTR param = 0;
        std::array<BYTE, 16> extra{};
    };
    const Entry* Used(int index) const;

    std::vector<Entry> m_entries;
};
