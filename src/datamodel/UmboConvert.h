#pragma once
// CUmboConvert: turns logger messages and tables between the byte order of a stream (wire or
// ".zlg") and the host's, in place, field by field after the word maps of the record types.
// Results of the dispatchers: 0 converted, 1 type not handled, 2 a check failed.
#include "datamodel/UmboFraming.h"
#include "datamodel/UmboLayouts.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

class CUmboConvert
{
public:
    virtual ~CUmboConvert() = default;

    void MessageHeaderFromWire(Umbo_msg_header_t* header);
    void TableHeaderFromWire(Umbo_table_header_t* table);
    // One time field (8 bytes); returns 1.
    int TimeFromWire(void* field);
    void U32FromWire(void* word);
    virtual WORD U16ValueFromWire(WORD value) const = 0;
    virtual DWORD U32ValueFromWire(DWORD value) const = 0;

    void MessageHeaderToWire(Umbo_msg_header_t* header);
    void TableHeaderToWire(Umbo_table_header_t* table);
    // magic, msg_type and body_lth as given, the 24 parameter bytes zero, in the stream's order.
    void MakeMessageHeader(Umbo_msg_header_t* header, WORD msgType, DWORD bodyLth);
    void TimeToWire(void* field);
    void U32ToWire(void* word);
    virtual WORD U16ValueToWire(WORD value) const = 0;
    virtual DWORD U32ValueToWire(DWORD value) const = 0;

    int ConvertMessageFromWire(Umbo_msg_header_t* header);
    int ConvertMessageToWire(Umbo_msg_header_t* header);
    // The table must hold at least its 12-byte header; nothing past table_lth is touched.
    int ConvertTableFromWire(Umbo_table_header_t* table);
    // As above for a table whose header is already in host order.
    int ConvertTableBodyFromWire(Umbo_table_header_t* table);
    // The tables of `length` bytes (their table_lth) lying one after another from `first` that
    // begin with its header words, at most `most`, converted as ConvertTableFromWire converts
    // each; returns how many. None (0, nothing touched) when the type's map is not its header's
    // two numbers and words from there to its end.
    std::size_t ConvertRecordsFromWire(BYTE* first, std::size_t length, std::size_t most);
    int ConvertTableToWire(Umbo_table_header_t* table);

protected:
    // Converts the fields placed at `base` within a record of `length` bytes. False, with nothing
    // touched, when a field the converter would touch lies beyond the record.
    virtual bool ConvertFields(BYTE* record, std::size_t length, std::size_t base,
                               std::span<const SUmboField> fields) = 0;
    // Converts such a run: the two 2-byte numbers that begin each table, every word after them;
    // returns how many.
    virtual std::size_t ConvertRecordRun(BYTE* first, std::size_t length, std::size_t most) = 0;
    // Passes each table of such a run to `convert` as the walk reaches it, so that each is read
    // once; returns how many.
    template <class Convert>
    static std::size_t ForEachAlike(BYTE* first, std::size_t length, std::size_t most, Convert convert)
    {
        std::uint32_t header;
        std::memcpy(&header, first, 4);
        std::size_t count = 0;
        for (BYTE* table = first; count < most; table += length, ++count) {
            std::uint32_t words;
            std::memcpy(&words, table, 4);
            if (words != header)
                break;
            convert(table);
        }
        return count;
    }

private:
    int ConvertTableBody(BYTE* table, std::size_t length, const SUmboTableLayout& layout, bool toWire);
    int ConvertSizedTable(BYTE* table, std::size_t length, const SUmboTableLayout& layout, bool toWire);
};
