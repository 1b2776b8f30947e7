#pragma once
// CFileTable: the index of one bulky table type of a session (10 or 66). The tables stay in the
// stream; the index keeps each one's time stamp and stream offset so that a record can be read
// back on demand, with the last record read cached.
#include "datamodel/HighTime.h"
#include "platform/framework/WinTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

class IDataStream;
class CUmboConvert;
class CRecordScaleFactors;

struct FileTblPtrT
{
    CHighTime time;
    std::uint64_t offset = 0;  // of the table's first byte in the stream
};

class CFileTable
{
public:
    explicit CFileTable(WORD tableType, IDataStream* stream = nullptr);
    virtual ~CFileTable() = default;

    // Removes every entry at or after the new entry's time, then appends it; returns 0. Entries
    // therefore stay in strictly increasing time.
    int AddEntry(const FileTblPtrT& entry);
    // Removes every entry at or after the time.
    void TrimFrom(const CHighTime& time);
    // Forgets the cached record.
    void Reset();
    void SetStream(IDataStream* stream);
    // Writes (storing) or reads the entry count and the entries; false on a stream failure or a
    // count the stream cannot hold.
    bool Serialize(IDataStream& stream, bool storing);

    int GetSize() const { return int(m_entries.size()); }
    // Throws std::invalid_argument outside 0 .. size - 1.
    const FileTblPtrT& GetAt(int index) const;
    const FileTblPtrT& operator[](int index) const { return GetAt(index); }

    WORD GetTableType() const { return m_tableType; }
    IDataStream* GetStream() const { return m_stream; }
    void AttachScaleFactors(const CRecordScaleFactors* factors) { m_scaleFactors = factors; }
    void AttachConverter(CUmboConvert* converter) { m_converter = converter; }
    const CRecordScaleFactors* GetScaleFactors() const { return m_scaleFactors; }
    CUmboConvert* GetConverter() const { return m_converter; }

    // The record cache of the code that reads an indexed record back.
    int GetCachedIndex() const { return m_cachedIndex; }
    int GetSecondIndex() const { return m_secondIndex; }
    std::vector<BYTE>* GetCachedRecord() const { return m_cachedRecord.get(); }
    void SetCachedRecord(int index, std::unique_ptr<std::vector<BYTE>> record);

private:
    WORD m_tableType;
    IDataStream* m_stream;
    int m_cachedIndex = -1;
    int m_secondIndex = -1;
    std::unique_ptr<std::vector<BYTE>> m_cachedRecord;
    std::vector<FileTblPtrT> m_entries;
    const CRecordScaleFactors* m_scaleFactors = nullptr;
    CUmboConvert* m_converter = nullptr;
};
