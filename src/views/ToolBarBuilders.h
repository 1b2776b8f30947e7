#pragma once
// The toolbars the main view gives its pages: the view selectors of the two studies, the section
// toolbars of graphs and tables, and the report content toolbar. Each returns the toolbar it
// added, null when it could not be made.
#include "platform/framework/WinTypes.h"

class CMyToolBar;
class CSplitFrame;

// Type 2 from 1508: "RMS Power", "Demand", "Calendar View", "Fundamental Power", "V, A, Hz, THD".
CMyToolBar* AddEnergyViewSelector(CSplitFrame& frame);
// Type 2 from 1509: "RMS Power", "Calendar View", "A, Hz, THD"; the button of 33077 hidden.
CMyToolBar* AddLoadViewSelector(CSplitFrame& frame);
// Type 0 from 1510 with the title field showing the title string; 33052 and 33053 hidden.
CMyToolBar* AddGraphSectionToolBar(CSplitFrame& frame, UINT titleId, bool collapsed);
// Type 0 from 1511, the same for a table section.
CMyToolBar* AddTableSectionToolBar(CSplitFrame& frame, UINT titleId, bool collapsed);
// Type 0 from 1575: "Expand All" and "Collapse All", expanded.
CMyToolBar* AddReportContentToolBar(CSplitFrame& frame);
