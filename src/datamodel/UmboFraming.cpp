#include "datamodel/UmboFraming.h"

#include "datamodel/ByteAccess.h"

#include <cstring>
#include <string>

namespace
{
struct SResultWord
{
    WORD firstType;
    WORD lastType;
    BYTE offset;
};

// Message types whose header carries a result word, and where it lies.
constexpr SResultWord kResultWords[] = {
    {2, 2, 28}, {4, 14, 28}, {20, 20, 28}, {22, 28, 28}, {34, 34, 20}, {35, 38, 28}, {41, 43, 28},
};
} // namespace

DWORD GetUmboMessageResult(const Umbo_msg_header_t* header)
{
    const WORD type = LoadU16(header, offsetof(Umbo_msg_header_t, msg_type));
    for (const SResultWord& word : kResultWords)
    {
        if (type >= word.firstType && type <= word.lastType)
            return LoadU32(header, word.offset);
    }
    return 0;
}

CString CharArrayToString(const char* field, int count)
{
    if (!field || count <= 0)
        return CString();
    const void* end = std::memchr(field, 0, std::size_t(count));
    const std::size_t length = end ? std::size_t(static_cast<const char*>(end) - field) : std::size_t(count);
    return CString::FromWindows1252(field, length);
}

CString WCharArrayToString(const void* field, int byteCount)
{
    if (!field || byteCount <= 1)
        return CString();
    std::u16string units;
    for (std::size_t offset = 0; offset + 1 < std::size_t(byteCount); offset += 2)
    {
        const char16_t unit = char16_t(LoadU16(field, offset));
        if (unit == 0)
            break;
        units += unit;
    }
    return CString::FromUtf16(units);
}
