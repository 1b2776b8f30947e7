#pragma once
// A note of a study graph. Its name is "Note %d" for a free note or
// "Note %d.%d.%d.%d.%d.%d.%d" (note number, session index, five numbers locating the data
// point) for a note attached to a data point.
#include "platform/framework/CString.h"

struct structAddNotes
{
    // Bit 0 of reference: the note is attached to a data point.
    static constexpr int kAttachedToPoint = 1;

    CStringW text;
    int reference = 0;
    CStringW name;
    double x = 0.0;
    double y = 0.0;

    bool IsAttached() const { return (reference & kAttachedToPoint) != 0; }

    friend bool operator==(const structAddNotes&, const structAddNotes&) = default;
};
