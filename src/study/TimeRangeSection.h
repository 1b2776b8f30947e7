#pragma once
// The time-range table section of a study page is shown while the graph's time range is on.
class CMySplitterWnd;

// Shows the third section when the range is on and only two are shown, hides it when the range
// is off and three are shown (the second section becoming the active one when the third was).
void ShowTimeRangeSection(CMySplitterWnd* splitter, bool timeRangeOn);
