#pragma once
// Which records of a time block a time range holds. The graph's time-range markers and the
// time-range tables both ask here, so that the records a table sums are the records the user
// sees between the markers.
#include "datamodel/HighTime.h"

class CTrendTimeBlock;

// First and last record index, both inclusive; empty when last < first.
struct SRecordRange
{
    int first = 0;
    int last = -1;

    bool IsEmpty() const { return last < first; }
    int GetCount() const { return IsEmpty() ? 0 : last - first + 1; }
    friend bool operator==(const SRecordRange&, const SRecordRange&) = default;
};

// Every record of the block (empty without records).
SRecordRange WholeRecordRange(const CTrendTimeBlock& block);

// The records of the range [begin, end): from the first record whose time is not before
// begin - 0.1 s to the record at or before end - 0.1 s (record times, CTrendTimeBlock::GetTime,
// so gaps count right). Markers on two record times a and b hold records a .. b - 1, whose
// intervals span exactly the markers; a begin inside a record's interval starts with the next
// record, an end inside one takes it in. The 0.1 s absorbs the rounding of marker positions
// kept as chart dates. Empty when the range lies wholly before the first or after the last
// record.
SRecordRange FindRecordRange(const CTrendTimeBlock& block, const CHighTime& begin, const CHighTime& end);
