#pragma once
// Framing shared by the logger's wire protocol and its ".zlg" files: the 32-byte message header,
// the 12-byte header that opens every table of a message body, the result word of a message, and
// the text fields found in records.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <cstddef>

inline constexpr WORD kUmboMagic = 0xBA0B;
inline constexpr WORD kUmboMagicSwapped = 0x0BBA;
// body_lth of a ".zlg" file whose length was not known when it was written.
inline constexpr DWORD kUmboUnknownBodyLength = 0xFFFFFFFF;

struct Umbo_msg_header_t
{
    WORD magic;
    WORD msg_type;
    DWORD body_lth;
    BYTE params[24];  // meaning by msg_type; byte offsets 8..31 of the header
};
static_assert(sizeof(Umbo_msg_header_t) == 32);

struct Umbo_table_header_t
{
    WORD table_type;
    WORD table_lth;      // the whole table, this header included
    DWORD time_stamp[2]; // time field: high word first
};
static_assert(sizeof(Umbo_table_header_t) == 12);

inline constexpr std::size_t kUmboMsgHeaderSize = sizeof(Umbo_msg_header_t);
inline constexpr std::size_t kUmboTableHeaderSize = sizeof(Umbo_table_header_t);
// Offset of the second time field (interval end) of table types 15, 61, 64 and 65.
inline constexpr std::size_t kUmboIntervalEndOffset = 12;

// The result word of a received message (header in host order); 0 for types without one.
DWORD GetUmboMessageResult(const Umbo_msg_header_t* header);

// An 8-bit text field of at most `count` Windows-1252 characters, ending at the first zero byte.
CString CharArrayToString(const char* field, int count);
// A UTF-16 field (host order) of `byteCount` bytes: at most byteCount / 2 units, ending at the
// first zero unit.
CString WCharArrayToString(const void* field, int byteCount);
