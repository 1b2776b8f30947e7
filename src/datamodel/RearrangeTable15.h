#pragma once
// RearrangeTable15: one firmware release writes the harmonic arrays of its averaging records
// (table type 15) in a packed form; this turns them into the full matrix that the trend model
// reads (the table in host order, padded to its full length).
#include "datamodel/UmboFraming.h"

// 0 when rearranged; -1, and the table unchanged, for any other table type.
int RearrangeTable15(Umbo_table_header_t* table);
