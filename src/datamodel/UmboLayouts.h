#pragma once
// The word maps of the logger's records: which fields of a message header and of each table type
// are 16-bit, 32-bit, time fields or wide text. They are the logger's data format, kept as data;
// the converters walk them.
#include "platform/framework/WinTypes.h"

#include <cstddef>
#include <span>

enum class EUmboField : BYTE
{
    U16,  // count = number of consecutive u16
    U32,  // count = number of consecutive u32 (f32 fields are swapped as u32)
    Time, // count = number of consecutive time fields (two u32 each, high word first)
    Wide, // count = byte length of a UTF-16 text
};

struct SUmboField
{
    EUmboField kind;
    WORD offset;
    WORD count;

    constexpr std::size_t End() const
    {
        switch (kind)
        {
        case EUmboField::U16: return offset + 2u * count;
        case EUmboField::U32: return offset + 4u * count;
        case EUmboField::Time: return offset + 8u * count;
        case EUmboField::Wide: return offset + std::size_t(count);
        }
        return offset;
    }
};

// Directions in which the converters handle a record type.
enum EUmboDirection : BYTE
{
    kUmboFromLogger = 1,
    kUmboToLogger = 2,
    kUmboBothWays = kUmboFromLogger | kUmboToLogger,
};

struct SUmboMessageLayout
{
    WORD msgType;
    BYTE directions;
    std::span<const SUmboField> words;  // header words at offsets 8..31
};

// A table whose length follows from a u16 in it: table_lth == base + unit x (u16 at valueOffset).
// For count tables the value is the entry count and `entry` is repeated from `base`.
struct SUmboSizeRule
{
    WORD valueOffset = 0;  // 0: no rule
    WORD base = 0;
    WORD unit = 0;
    std::span<const SUmboField> entry;
};

enum class EUmboTail : BYTE
{
    None,
    UnitsToEnd,  // 16-bit units from offset 12 to table_lth (an odd last byte stays as it is)
};

struct SUmboTableLayout
{
    WORD firstType;
    WORD lastType;
    BYTE directions;
    bool converted;  // false: handled, but no byte is touched
    std::span<const SUmboField> fields;  // without the u16 of the size rule
    SUmboSizeRule sizeRule;
    EUmboTail tail = EUmboTail::None;

    // Bytes the fixed fields reach (at least the table header).
    constexpr std::size_t Extent() const
    {
        std::size_t extent = sizeRule.valueOffset != 0 ? sizeRule.valueOffset + 2u : 12u;
        for (const SUmboField& field : fields)
            extent = field.End() > extent ? field.End() : extent;
        return extent;
    }
};

// Null for a type the converters do not handle.
const SUmboMessageLayout* FindUmboMessageLayout(WORD msgType);
const SUmboTableLayout* FindUmboTableLayout(WORD tableType);
