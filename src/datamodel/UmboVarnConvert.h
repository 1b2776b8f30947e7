#pragma once
// The converter for streams in network byte order (big-endian): every field of the word maps is
// swapped, and a record shorter than the fields to swap is refused untouched.
#include "datamodel/UmboConvert.h"

class CUmboVarnConvert : public CUmboConvert
{
public:
    WORD U16ValueFromWire(WORD value) const override;
    DWORD U32ValueFromWire(DWORD value) const override;
    WORD U16ValueToWire(WORD value) const override { return U16ValueFromWire(value); }
    DWORD U32ValueToWire(DWORD value) const override { return U32ValueFromWire(value); }

protected:
    bool ConvertFields(BYTE* record, std::size_t length, std::size_t base,
                       std::span<const SUmboField> fields) override;
    std::size_t ConvertRecordRun(BYTE* first, std::size_t length, std::size_t most) override;
};
