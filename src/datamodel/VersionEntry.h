#pragma once
// Version entries of a logger (table types 37..45, 48, 52, 57, 58): a u32 version value at 12
// (tenths) and, after it, the entry's text up to table_lth.
#include "datamodel/UmboFraming.h"
#include "platform/framework/CString.h"

// The string id naming a version entry type; negative for any other table type.
int VersionTableName(int tableType);
// "<name> <value/10>.<value%10> <text>", the name padded to 20 when asked; the serial number
// (type 45) shows its text alone after ten blanks.
CString FormatVersionEntry(const Umbo_table_header_t* entry, bool pad);
// "<session> (SN <serial>)", the "SN" from the string table.
void MakeDisplayNameWithSerial(CString& displayName, const CString& sessionName, const CString& serialNumber);
