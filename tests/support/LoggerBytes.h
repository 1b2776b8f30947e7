#pragma once
// Byte images of logger messages and tables for the tests, written field by field in either byte
// order (little-endian as on the wire and the host, or big-endian as in swapped ".zlg" files), so
// that readers and converters are tested against bytes rather than against themselves.
//
//   CLoggerBytes table = MakeTableBytes(bigEndian, 65, 104, startTicks);
//   table.PutTime(12, endTicks);
//   table.PutF32(20, 230.5f);
//   CLoggerBytes file = MakeMessageBytes(bigEndian, 20, {table});
#include "platform/framework/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

class CLoggerBytes
{
public:
    explicit CLoggerBytes(bool bigEndian = false, std::size_t size = 0) : m_bigEndian(bigEndian), m_bytes(size) {}

    bool IsBigEndian() const { return m_bigEndian; }
    std::size_t Size() const { return m_bytes.size(); }
    BYTE* Data() { return m_bytes.data(); }
    const BYTE* Data() const { return m_bytes.data(); }
    std::vector<BYTE>& Bytes() { return m_bytes; }
    const std::vector<BYTE>& Bytes() const { return m_bytes; }
    void Resize(std::size_t size) { m_bytes.resize(size); }

    // Each put writes at a byte offset in the image's byte order, growing the image as needed.
    void PutU8(std::size_t offset, BYTE value);
    void PutU16(std::size_t offset, WORD value);
    void PutU32(std::size_t offset, DWORD value);
    void PutF32(std::size_t offset, float value);
    // A time field: the 100-ns tick count as two u32, high word first.
    void PutTime(std::size_t offset, std::int64_t ticks);
    // UTF-16 units (byte-swapped in a big-endian image), zero-filled to byteLength.
    void PutWide(std::size_t offset, std::u16string_view text, std::size_t byteLength);
    // 8-bit text as it stands, zero-filled to byteLength.
    void PutText(std::size_t offset, std::string_view text, std::size_t byteLength);
    void PutBytes(std::size_t offset, const void* bytes, std::size_t count);

    // Reads in the image's byte order.
    WORD GetU16(std::size_t offset) const;
    DWORD GetU32(std::size_t offset) const;

    void Append(const CLoggerBytes& other);

private:
    void PutUnsigned(std::size_t offset, std::uint64_t value, std::size_t width);
    std::uint64_t GetUnsigned(std::size_t offset, std::size_t width) const;

    bool m_bigEndian;
    std::vector<BYTE> m_bytes;
};

// A 32-byte message header: magic 0xBA0B, type, body length, parameter bytes zero.
CLoggerBytes MakeMessageHeaderBytes(bool bigEndian, WORD msgType, DWORD bodyLth);
// A table of `length` bytes (zero body) with its 12-byte header: type, length, time stamp.
CLoggerBytes MakeTableBytes(bool bigEndian, WORD tableType, WORD length, std::int64_t timeTicks = 0);
// A message header followed by the tables; body_lth is the tables' total size unless given.
CLoggerBytes MakeMessageBytes(bool bigEndian, WORD msgType, std::initializer_list<CLoggerBytes> tables);
CLoggerBytes MakeMessageBytes(bool bigEndian, WORD msgType, std::initializer_list<CLoggerBytes> tables,
                              DWORD bodyLth);
