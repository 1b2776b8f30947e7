#pragma once
// The converter for streams already in host order: no byte changes; only the size rules of the
// received tables are checked.
#include "datamodel/UmboConvert.h"

class CUmboQuarnConvert : public CUmboConvert
{
public:
    WORD U16ValueFromWire(WORD value) const override { return value; }
    DWORD U32ValueFromWire(DWORD value) const override { return value; }
    WORD U16ValueToWire(WORD value) const override { return value; }
    DWORD U32ValueToWire(DWORD value) const override { return value; }

protected:
    bool ConvertFields(BYTE*, std::size_t, std::size_t, std::span<const SUmboField>) override { return true; }
    std::size_t ConvertRecordRun(BYTE* first, std::size_t length, std::size_t most) override
    {
        return ForEachAlike(first, length, most, [](BYTE*) {});
    }
};
