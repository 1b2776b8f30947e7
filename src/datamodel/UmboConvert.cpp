#include "datamodel/UmboConvert.h"

#include "datamodel/ByteAccess.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

namespace
{
using enum EUmboField;

constexpr SUmboField kMessageHeaderFields[] = {{U16, 0, 2}, {U32, 4, 1}};
constexpr SUmboField kTableHeaderFields[] = {{U16, 0, 2}, {Time, 4, 1}};
constexpr SUmboField kTimeField[] = {{Time, 0, 1}};
constexpr SUmboField kWordField[] = {{U32, 0, 1}};
// Tables of at most this many fields are converted with their header in one pass.
constexpr std::size_t kJoinedFieldLimit = 4;

BYTE* Bytes(void* record)
{
    return static_cast<BYTE*>(record);
}

// Header fields read by bytes: a table inside a message body need not be aligned.
WORD MessageType(const Umbo_msg_header_t* header)
{
    return LoadU16(header, offsetof(Umbo_msg_header_t, msg_type));
}

WORD TableType(const Umbo_table_header_t* table)
{
    return LoadU16(table, offsetof(Umbo_table_header_t, table_type));
}

std::size_t TableLength(const Umbo_table_header_t* table)
{
    return LoadU16(table, offsetof(Umbo_table_header_t, table_lth));
}

// The fields of a whole table, header included, for the types whose body is a few plain fields
// (the records among them); worked out once, as every table of a session asks.
struct SWholeTable
{
    std::size_t extent = 0;
    std::size_t count = 0;
    std::array<SUmboField, std::size(kTableHeaderFields) + kJoinedFieldLimit> fields{};
};

const SWholeTable* FindWholeTable(WORD type)
{
    static const auto tables = [] {
        std::array<SWholeTable, 256> whole{};
        for (std::size_t t = 0; t < whole.size(); ++t) {
            const SUmboTableLayout* layout = FindUmboTableLayout(WORD(t));
            if (!layout || !(layout->directions & kUmboFromLogger) || !layout->converted ||
                layout->sizeRule.valueOffset != 0 || layout->tail != EUmboTail::None ||
                layout->fields.empty() || layout->fields.size() > kJoinedFieldLimit)
                continue;
            // A time field is two words, each turned in place: fields of words that follow one
            // another are one field.
            SWholeTable& table = whole[t];
            const auto add = [&table](SUmboField field) {
                if (field.kind == Time)
                    field = {U32, field.offset, WORD(2 * field.count)};
                SUmboField* last = table.count ? &table.fields[table.count - 1] : nullptr;
                if (last && last->kind == field.kind && field.kind != Wide && last->End() == field.offset)
                    last->count = WORD(last->count + field.count);
                else
                    table.fields[table.count++] = field;
            };
            std::ranges::for_each(kTableHeaderFields, add);
            std::ranges::for_each(layout->fields, add);
            table.extent = layout->Extent();
        }
        return whole;
    }();
    return type < tables.size() && tables[type].count != 0 ? &tables[type] : nullptr;
}
} // namespace

void CUmboConvert::MessageHeaderFromWire(Umbo_msg_header_t* header)
{
    ConvertFields(Bytes(header), kUmboMsgHeaderSize, 0, kMessageHeaderFields);
}

void CUmboConvert::TableHeaderFromWire(Umbo_table_header_t* table)
{
    ConvertFields(Bytes(table), kUmboTableHeaderSize, 0, kTableHeaderFields);
}

int CUmboConvert::TimeFromWire(void* field)
{
    ConvertFields(Bytes(field), 8, 0, kTimeField);
    return 1;
}

void CUmboConvert::U32FromWire(void* word)
{
    ConvertFields(Bytes(word), 4, 0, kWordField);
}

void CUmboConvert::MessageHeaderToWire(Umbo_msg_header_t* header)
{
    ConvertFields(Bytes(header), kUmboMsgHeaderSize, 0, kMessageHeaderFields);
}

void CUmboConvert::TableHeaderToWire(Umbo_table_header_t* table)
{
    ConvertFields(Bytes(table), kUmboTableHeaderSize, 0, kTableHeaderFields);
}

void CUmboConvert::MakeMessageHeader(Umbo_msg_header_t* header, WORD msgType, DWORD bodyLth)
{
    std::memset(header, 0, kUmboMsgHeaderSize);
    StoreU16(header, offsetof(Umbo_msg_header_t, magic), kUmboMagic);
    StoreU16(header, offsetof(Umbo_msg_header_t, msg_type), msgType);
    StoreU32(header, offsetof(Umbo_msg_header_t, body_lth), bodyLth);
    MessageHeaderToWire(header);
}

void CUmboConvert::TimeToWire(void* field)
{
    ConvertFields(Bytes(field), 8, 0, kTimeField);
}

void CUmboConvert::U32ToWire(void* word)
{
    ConvertFields(Bytes(word), 4, 0, kWordField);
}

int CUmboConvert::ConvertMessageFromWire(Umbo_msg_header_t* header)
{
    MessageHeaderFromWire(header);
    const SUmboMessageLayout* layout = FindUmboMessageLayout(MessageType(header));
    if (!layout || !(layout->directions & kUmboFromLogger))
        return 1;
    return ConvertFields(Bytes(header), kUmboMsgHeaderSize, 0, layout->words) ? 0 : 2;
}

int CUmboConvert::ConvertMessageToWire(Umbo_msg_header_t* header)
{
    const WORD type = MessageType(header);
    MessageHeaderToWire(header);
    const SUmboMessageLayout* layout = FindUmboMessageLayout(type);
    if (!layout || !(layout->directions & kUmboToLogger))
        return 1;
    return ConvertFields(Bytes(header), kUmboMsgHeaderSize, 0, layout->words) ? 0 : 2;
}

int CUmboConvert::ConvertTableFromWire(Umbo_table_header_t* table)
{
    // A record's time stamp and body are one run of words: header and body that fit go in one
    // pass, which converts the same fields as the two steps below.
    const WORD type = U16ValueFromWire(TableType(table));
    const std::size_t length = U16ValueFromWire(WORD(TableLength(table)));
    if (const SWholeTable* whole = FindWholeTable(type); whole && length >= whole->extent)
        return ConvertFields(Bytes(table), length, 0, std::span(whole->fields.data(), whole->count)) ? 0 : 2;
    TableHeaderFromWire(table);
    return ConvertTableBodyFromWire(table);
}

std::size_t CUmboConvert::ConvertRecordsFromWire(BYTE* first, std::size_t length, std::size_t most)
{
    const SWholeTable* whole = FindWholeTable(U16ValueFromWire(TableType(reinterpret_cast<Umbo_table_header_t*>(first))));
    if (!whole || whole->count != 2 || whole->extent != length)
        return 0;
    const SUmboField& numbers = whole->fields[0];
    const SUmboField& words = whole->fields[1];
    if (numbers.kind != U16 || numbers.offset != 0 || numbers.count != 2 || words.kind != U32 || words.offset != 4 ||
        words.End() != length)
        return 0;
    return ConvertRecordRun(first, length, most);
}

int CUmboConvert::ConvertTableBodyFromWire(Umbo_table_header_t* table)
{
    const SUmboTableLayout* layout = FindUmboTableLayout(TableType(table));
    if (!layout || !(layout->directions & kUmboFromLogger))
        return 1;
    return ConvertTableBody(Bytes(table), TableLength(table), *layout, false);
}

int CUmboConvert::ConvertTableToWire(Umbo_table_header_t* table)
{
    const WORD type = TableType(table);
    const std::size_t length = TableLength(table);
    TableHeaderToWire(table);
    const SUmboTableLayout* layout = FindUmboTableLayout(type);
    if (!layout || !(layout->directions & kUmboToLogger))
        return 1;
    return ConvertTableBody(Bytes(table), length, *layout, true);
}

int CUmboConvert::ConvertTableBody(BYTE* table, std::size_t length, const SUmboTableLayout& layout, bool toWire)
{
    if (!layout.converted)
        return 0;
    if (layout.sizeRule.valueOffset != 0)
        return ConvertSizedTable(table, length, layout, toWire);
    if (layout.tail == EUmboTail::UnitsToEnd)
    {
        if (length > kUmboTableHeaderSize)
        {
            const SUmboField units[] = {{EUmboField::Wide, WORD(kUmboTableHeaderSize), WORD(length - kUmboTableHeaderSize)}};
            ConvertFields(table, length, 0, units);
        }
        return 0;
    }
    return ConvertFields(table, length, 0, layout.fields) ? 0 : 2;
}

// Receiving: the u16 the size follows from is converted and checked before anything else, the
// entries only when the check passes. Sending: the entries go first, while that u16 is still in
// host order, and it goes last.
int CUmboConvert::ConvertSizedTable(BYTE* table, std::size_t length, const SUmboTableLayout& layout, bool toWire)
{
    const SUmboSizeRule& rule = layout.sizeRule;
    // The u16 itself must lie inside the table before it can be read.
    if (length < layout.Extent())
        return 2;
    const SUmboField sizeField[] = {{EUmboField::U16, rule.valueOffset, 1}};
    if (!toWire)
        ConvertFields(table, length, 0, sizeField);
    const std::size_t value = LoadU16(table, rule.valueOffset);
    const std::size_t expected = rule.base + std::size_t(rule.unit) * value;
    // A table sent with more entries than its length holds is refused rather than overrun.
    if (toWire ? length < expected : length != expected)
        return 2;
    if (!ConvertFields(table, length, 0, layout.fields))
        return 2;
    for (std::size_t i = 0; i < value && !rule.entry.empty(); ++i)
    {
        if (!ConvertFields(table, length, rule.base + i * rule.unit, rule.entry))
            return 2;
    }
    if (toWire)
        ConvertFields(table, length, 0, sizeField);
    return 0;
}
