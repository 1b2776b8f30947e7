#pragma once
// Cursor positions and visible axis ranges of a study graph, kept so that a reopened project
// or bookmark shows the same picture. Fixed capacity; the counts say how many entries hold.
#include <array>

struct SCursorDetails
{
    int type = 0; // 0..3; kinds 0 and 1 (x limit markers) use pos only
    double pos = 0.0;
    double pos2 = 0.0;

    friend bool operator==(const SCursorDetails&, const SCursorDetails&) = default;
};

struct SXCursorDetails
{
    int index = -1; // cursor channel; -1 = not placed
    double pos = 0.0;

    friend bool operator==(const SXCursorDetails&, const SXCursorDetails&) = default;
};

struct SAxisRange
{
    double min = 0.0;
    double span = 0.0;
    // A value axis the user scaled: it keeps the range when the project is opened again.
    bool manual = false;

    friend bool operator==(const SAxisRange&, const SAxisRange&) = default;
};

struct SCurAxisDetails
{
    static constexpr int kMaxCursors = 3;
    static constexpr int kMaxXCursors = 2;
    static constexpr int kMaxXAxes = 4; // one per session of the view
    static constexpr int kMaxYAxes = 12;

    int cursorCount = 0;
    std::array<SCursorDetails, kMaxCursors> cursors{};
    std::array<SXCursorDetails, kMaxXCursors> xCursors{};
    int xAxisCount = 0;
    std::array<SAxisRange, kMaxXAxes> xAxes{};
    int yAxisCount = 0;
    std::array<SAxisRange, kMaxYAxes> yAxes{};

    friend bool operator==(const SCurAxisDetails&, const SCurAxisDetails&) = default;
};
