#pragma once
// CDataTable: an owning list of copies of logger tables, kept either in table-type order (the
// version list) or in time order (the record lists of a session, where a later table that
// restarts the clock replaces the tables it overlaps). The copies lie one after another in a few
// large blocks: a year of one-minute records is half a million tables, and one heap block each
// would cost an allocation, its overhead and its page faults per record. A loader may instead
// leave records in the blocks it read them into, which the list then shares: the list holds each
// such block for as long as one of its tables lies in it.
#include "datamodel/HighTime.h"
#include "datamodel/LargeBlock.h"
#include "datamodel/UmboFraming.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class CDataTable
{
public:
    enum EOrder { kOrderedByTime = 0, kOrderedByType = 1 };

    // tableType: the type the list holds, -1 for any.
    CDataTable(int tableType, int orderedByType);

    // Copies table_lth bytes of the table (at least its header) and files the copy; returns 0.
    int InsertTable(const Umbo_table_header_t* table);
    // As above, but a table lying in `block` on an 8-byte boundary, long enough to be read up to
    // its interval end, is filed where it lies: the list keeps the block, which nobody writes
    // again.
    int InsertTable(Umbo_table_header_t* table, const std::shared_ptr<BYTE[]>& block);
    // As above for `count` tables of `length` bytes (their table_lth) lying one after another
    // from `first`, in order.
    void InsertTables(BYTE* first, std::size_t length, std::size_t count, const std::shared_ptr<BYTE[]>& block);
    // Copies every table filed in place in `block` (of `size` bytes) into the list's own blocks
    // and lets go of it: for a block that holds little else that is kept.
    void CopyOutOf(const BYTE* block, std::size_t size);
    // Drops the tables at the end whose time lies after `time`.
    void RemoveTablesAfter(const CHighTime& time);
    // Room for `count` tables in the list's index, so that a load that knows about how many
    // will follow does not grow it step by step.
    void Reserve(std::size_t count) { m_tables.reserve(count); }
    // Gives back the room at the end of the last block that no table uses, and the index's room
    // that a generous reservation left unused; for the end of a load. Later insertions still
    // work.
    void Compact();

    // Time stamp of the first table; zero when empty.
    CHighTime GetHeadTime() const;
    // Interval end of the last table (types 15, 61, 64, 65); zero otherwise or when empty.
    CHighTime GetTailEndTime() const;

    int GetTableType() const { return m_tableType; }
    int GetCount() const { return int(m_tables.size()); }
    bool IsEmpty() const { return m_tables.empty(); }

    // Walking from the head: GetAt(0) .. GetAt(GetCount() - 1), or a range-for over the list.
    const Umbo_table_header_t* GetHead() const { return IsEmpty() ? nullptr : GetAt(0); }
    const Umbo_table_header_t* GetAt(int index) const;
    // The bytes of table i without a bounds check, for readers that walk every record.
    const BYTE* GetRecordBytes(std::size_t index) const { return m_tables[index]; }
    // No table ever filed was shorter (table_lth); a field below it needs no length check.
    std::size_t GetShortestLength() const { return m_shortestLength; }

    class const_iterator
    {
    public:
        using Inner = std::vector<BYTE*>::const_iterator;
        explicit const_iterator(Inner inner) : m_inner(inner) {}
        const Umbo_table_header_t* operator*() const { return reinterpret_cast<const Umbo_table_header_t*>(*m_inner); }
        const_iterator& operator++() { ++m_inner; return *this; }
        bool operator==(const const_iterator& other) const { return m_inner == other.m_inner; }

    private:
        Inner m_inner;
    };
    const_iterator begin() const { return const_iterator(m_tables.begin()); }
    const_iterator end() const { return const_iterator(m_tables.end()); }

private:
    // Drops the tables a time-ordered list replaces with the one given; the time it sorts by.
    CHighTime RemoveReplaced(const Umbo_table_header_t* table, std::size_t copied);
    // Room for a copy of a table of `length` bytes at the end of the last block, starting a
    // larger block when it is full.
    BYTE* Place(std::size_t length);
    // Drops the last table; a block given back is never referenced again.
    void DropLast();

    int m_tableType;
    int m_orderedByType;
    // Each copy is at least large enough for a header and an interval-end field, zero-padded,
    // and starts on an 8-byte boundary.
    std::vector<BYTE*> m_tables;
    std::vector<LargeBlock> m_blocks;
    // A block tables were filed in where they were read, and the index of the first of them: no
    // table in it lies before that index. Only blocks that hold a table of the list are kept.
    struct SSharedBlock
    {
        std::shared_ptr<BYTE[]> block;
        std::size_t first;
    };
    std::vector<SSharedBlock> m_sharedBlocks;
    std::size_t m_blockSize = 0;
    std::size_t m_blockUsed = 0;
    std::size_t m_shortestLength = SIZE_MAX;
    // The time the last table sorts by, read once when it is filed.
    CHighTime m_tailOrderTime;
};
