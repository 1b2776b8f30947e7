#include "datamodel/VersionEntry.h"

#include "datamodel/ByteAccess.h"

#include <cstddef>

namespace
{
struct SVersionName
{
    int tableType;
    int stringId;
};

constexpr SVersionName kVersionNames[] = {
    {37, 27950}, {38, 27951}, {39, 27952}, {40, 27953}, {41, 27954}, {42, 27955}, {43, 27956},
    {44, 27957}, {45, 27958}, {48, 27959}, {52, 27960}, {57, 27961}, {58, 27962},
};

constexpr int kSerialNumberType = 45;
constexpr std::size_t kValueOffset = 12;
constexpr std::size_t kTextOffset = 16;
constexpr unsigned kSerialNumberLabel = 116;
} // namespace

int VersionTableName(int tableType)
{
    for (const SVersionName& name : kVersionNames)
    {
        if (name.tableType == tableType)
            return name.stringId;
    }
    return -1;
}

CString FormatVersionEntry(const Umbo_table_header_t* entry, bool pad)
{
    const WORD type = LoadU16(entry, offsetof(Umbo_table_header_t, table_type));
    const std::size_t length = LoadU16(entry, offsetof(Umbo_table_header_t, table_lth));
    const CString text = length > kTextOffset
                             ? CharArrayToString(reinterpret_cast<const char*>(entry) + kTextOffset,
                                                 int(length - kTextOffset))
                             : CString();
    if (type == kSerialNumberType)
        return CString(' ', 10) + text;

    CString name;
    const int id = VersionTableName(type);
    if (id >= 0)
        name.LoadString(unsigned(id));
    CString result = pad ? CString::Formatted("%-20s", name) : name;
    const DWORD value = length >= kTextOffset ? LoadU32(entry, kValueOffset) : 0;
    result.AppendFormat(" %10d.%1d %s", int(value / 10), int(value % 10), text);
    return result;
}

void MakeDisplayNameWithSerial(CString& displayName, const CString& sessionName, const CString& serialNumber)
{
    CString label;
    label.LoadString(kSerialNumberLabel);
    displayName = sessionName + " (" + label + " " + serialNumber + ")";
}
