#pragma once
// Helpers of the session-loading tests: a temporary folder for session files, a small session
// and an in-memory archive whose streams can be told to fail.
#include "datamodel/StreamStorage.h"
#include "platform/framework/WinTypes.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

// A short session without gaps or events: a few records keep the variants small.
inline SSessionSpec SmallSessionSpec(bool bigEndian = false)
{
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = bigEndian;
    sessionSpec.trendRecords = 12;
    sessionSpec.gapStart = -1;
    sessionSpec.events = false;
    return sessionSpec;
}

// A stream over bytes that reports a read error once `failAt` bytes were read, and serves at
// most `piece` bytes a read.
class CSessionMemoryStream final : public IDataStream
{
public:
    explicit CSessionMemoryStream(std::vector<BYTE> bytes, std::uint64_t failAt = UINT64_MAX,
                                  std::size_t piece = SIZE_MAX)
        : m_bytes(std::move(bytes)), m_failAt(failAt), m_piece(piece) {}

    std::int64_t Read(void* buffer, std::size_t count) override
    {
        if (m_position + count > m_failAt)
            return -1;
        const std::size_t take =
            m_position >= m_bytes.size() ? 0 : std::min({count, m_piece, m_bytes.size() - std::size_t(m_position)});
        if (take > 0)
            std::memcpy(buffer, m_bytes.data() + m_position, take);
        m_position += take;
        return std::int64_t(take);
    }
    bool Seek(std::uint64_t position) override { m_position = position; return true; }
    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t GetLength() const override { return m_bytes.size(); }
    bool Write(const void*, std::size_t) override { return false; }  // archive streams are read-only

private:
    std::vector<BYTE> m_bytes;
    std::uint64_t m_failAt;
    std::size_t m_piece;
    std::uint64_t m_position = 0;
};

class CMemoryStorage final : public IStreamStorage
{
public:
    void Add(const CString& name, std::vector<BYTE> bytes, std::uint64_t failAt = UINT64_MAX,
             std::size_t piece = SIZE_MAX)
    {
        m_streams[name] = {std::move(bytes), failAt, piece};
    }
    // The result every open gives (0 = open the stream when it exists).
    void SetOpenResult(int result) { m_openResult = result; }

    int OpenStream(const CString& name, std::unique_ptr<IDataStream>& stream) override
    {
        if (m_openResult != 0)
            return m_openResult;
        const auto it = m_streams.find(name);
        if (it == m_streams.end())
            return kStreamNotFound;
        const SStream& kept = it->second;
        stream = std::make_unique<CSessionMemoryStream>(kept.bytes, kept.failAt, kept.piece);
        return 0;
    }

private:
    struct SStream
    {
        std::vector<BYTE> bytes;
        std::uint64_t failAt;
        std::size_t piece;
    };
    std::map<CString, SStream> m_streams;
    int m_openResult = 0;
};
