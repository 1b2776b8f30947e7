#include "LoggerBytes.h"

#include <cstring>

void CLoggerBytes::PutUnsigned(std::size_t offset, std::uint64_t value, std::size_t width)
{
    if (m_bytes.size() < offset + width)
        m_bytes.resize(offset + width);
    for (std::size_t i = 0; i < width; ++i)
    {
        const std::size_t at = m_bigEndian ? offset + width - 1 - i : offset + i;
        m_bytes[at] = BYTE(value >> (8 * i));
    }
}

std::uint64_t CLoggerBytes::GetUnsigned(std::size_t offset, std::size_t width) const
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
    {
        const std::size_t at = m_bigEndian ? offset + width - 1 - i : offset + i;
        value |= std::uint64_t(m_bytes.at(at)) << (8 * i);
    }
    return value;
}

void CLoggerBytes::PutU8(std::size_t offset, BYTE value)
{
    PutUnsigned(offset, value, 1);
}

void CLoggerBytes::PutU16(std::size_t offset, WORD value)
{
    PutUnsigned(offset, value, 2);
}

void CLoggerBytes::PutU32(std::size_t offset, DWORD value)
{
    PutUnsigned(offset, value, 4);
}

void CLoggerBytes::PutF32(std::size_t offset, float value)
{
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutU32(offset, bits);
}

void CLoggerBytes::PutTime(std::size_t offset, std::int64_t ticks)
{
    const auto bits = std::uint64_t(ticks);
    PutU32(offset, DWORD(bits >> 32));
    PutU32(offset + 4, DWORD(bits & 0xFFFFFFFFu));
}

void CLoggerBytes::PutWide(std::size_t offset, std::u16string_view text, std::size_t byteLength)
{
    PutBytes(offset, nullptr, byteLength);
    for (std::size_t i = 0; i < text.size() && 2 * i + 1 < byteLength; ++i)
        PutU16(offset + 2 * i, WORD(text[i]));
}

void CLoggerBytes::PutText(std::size_t offset, std::string_view text, std::size_t byteLength)
{
    PutBytes(offset, nullptr, byteLength);
    std::memcpy(m_bytes.data() + offset, text.data(), text.size() < byteLength ? text.size() : byteLength);
}

// A null source writes zeros.
void CLoggerBytes::PutBytes(std::size_t offset, const void* bytes, std::size_t count)
{
    if (m_bytes.size() < offset + count)
        m_bytes.resize(offset + count);
    if (count == 0)
        return;
    if (bytes)
        std::memcpy(m_bytes.data() + offset, bytes, count);
    else
        std::memset(m_bytes.data() + offset, 0, count);
}

WORD CLoggerBytes::GetU16(std::size_t offset) const
{
    return WORD(GetUnsigned(offset, 2));
}

DWORD CLoggerBytes::GetU32(std::size_t offset) const
{
    return DWORD(GetUnsigned(offset, 4));
}

void CLoggerBytes::Append(const CLoggerBytes& other)
{
    m_bytes.insert(m_bytes.end(), other.m_bytes.begin(), other.m_bytes.end());
}

CLoggerBytes MakeMessageHeaderBytes(bool bigEndian, WORD msgType, DWORD bodyLth)
{
    CLoggerBytes header(bigEndian, 32);
    header.PutU16(0, 0xBA0B);
    header.PutU16(2, msgType);
    header.PutU32(4, bodyLth);
    return header;
}

CLoggerBytes MakeTableBytes(bool bigEndian, WORD tableType, WORD length, std::int64_t timeTicks)
{
    CLoggerBytes table(bigEndian, length < 12 ? 12 : length);
    table.PutU16(0, tableType);
    table.PutU16(2, length);
    table.PutTime(4, timeTicks);
    return table;
}

CLoggerBytes MakeMessageBytes(bool bigEndian, WORD msgType, std::initializer_list<CLoggerBytes> tables,
                              DWORD bodyLth)
{
    CLoggerBytes message = MakeMessageHeaderBytes(bigEndian, msgType, bodyLth);
    for (const CLoggerBytes& table : tables)
        message.Append(table);
    return message;
}

CLoggerBytes MakeMessageBytes(bool bigEndian, WORD msgType, std::initializer_list<CLoggerBytes> tables)
{
    DWORD bodyLth = 0;
    for (const CLoggerBytes& table : tables)
        bodyLth += DWORD(table.Size());
    return MakeMessageBytes(bigEndian, msgType, tables, bodyLth);
}
