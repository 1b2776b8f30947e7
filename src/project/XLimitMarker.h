#pragma once
// Cursor and marker kinds of the study graphs: kinds 0 and 1 are the x limit markers, which
// have one position; the other kinds have two.

inline constexpr bool IsXLimitMarker(int kind)
{
    return kind == 0 || kind == 1;
}
