#pragma once
// A study-view settings object with every field away from its default, for round trips.
#include "project/BasicViewSettings.h"

inline CBasicViewSettings MakeFullViewSettings(int viewId)
{
    CBasicViewSettings s(viewId);
    s.SetPresent(true);
    s.m_upperPlot.cursorCount = 2;
    s.m_upperPlot.cursors[0] = {0, 41926.5, 0.0};
    s.m_upperPlot.cursors[1] = {3, 41926.25, 41927.75};
    s.m_upperPlot.xCursors = {{{2, 41926.0625}, {5, 41927.125}}};
    s.m_upperPlot.xAxisCount = 3;
    s.m_upperPlot.xAxes[0] = {41900.5, 7.0};
    s.m_upperPlot.xAxes[1] = {41901.5, 8.0};
    s.m_upperPlot.xAxes[2] = {41902.5, 9.0};
    s.m_upperPlot.yAxisCount = 2;
    s.m_upperPlot.yAxes[0] = {-10.0, 250.5};
    s.m_upperPlot.yAxes[1] = {0.0, 0.75};
    s.m_channels[0] = {true, false, true, true};
    s.m_channels[4] = {false, false, false, true};
    s.m_aux = {false, true};
    s.m_isMaxMin = {true, false, false, false, false, true};
    s.m_isLimit = {false, true, false, false, false, false};
    // Only the Demand view keeps cumulative flags through a file.
    if (CViewSettings::IsDemandView(viewId))
        s.m_isCumulative = {false, true, true};
    s.m_isIndCap = true;
    s.m_sessions = {true, false, true, true};
    s.m_limits = {0.0f, 230.5f, 0.0f, -1.25f, 0.1f, 0.0f};
    s.m_collStates = {true, false, false, true, false, false, false, false, false, true};
    s.m_LSOPressedTab = 2;
    s.m_RSOPressedTab = 1;
    s.m_graphOptionsCollapse = 1;
    s.m_RefAxis = 3;
    s.m_checkTimeRange = true;
    s.m_typeTimeRange = -1;
    s.m_timeRange = {41926.25, 41927.5};
    s.m_xAxisScaling = {41920.0, 41930.0625};
    s.m_workingDays = {false, true, true, true, true, true, false};
    s.m_setWorkingHours = true;
    s.m_workingHours = {0.3125, 0.75};
    s.m_calendarViewParameter = 4;
    s.m_calendarViewChannel = 7;
    s.m_calendarViewGranularity = 2;
    s.m_thumbSelections[0] = {1, 3, 2, 5};
    s.m_thumbSelections[1] = {-1, -1, 0, 4};
    s.m_demandPeriod = 900;
    s.m_useTrendDataForDemand = true;
    s.m_costTables = {{"EUR", 0.25, 0.0, true}, {"\xE2\x82\xAC <&>", 0.0, 0.125, false}};
    s.m_toolbarEdit = {"graph \"1\"", "table", "t\xC3\xA9st"};
    s.m_tableCollapse = "abcdefghijkl";
    s.m_tableTimeRangeCollapse = "xy";
    SNominalVoltageOverride withConfigForm{230.0f, 0, 398.37f, 0};
    SNominalVoltageOverride otherForms{208.0f, 1, 120.0f, 0};
    s.m_nominalVoltages = {withConfigForm, SNominalVoltageOverride{}, otherForms};
    structAddNotes free;
    free.name = "Note 0";
    free.text = "first\nline";
    free.x = 41926.5;
    free.y = 12.5;
    structAddNotes attached;
    attached.name = "Note 1.2.5003.1.0.4.6";
    attached.text = "at a point";
    attached.reference = 1;
    attached.x = 41926.75;
    attached.y = -3.0;
    s.m_notes = {free, attached};
    s.m_mainViewSplitterAActiveRow = 1;
    s.m_customColors = {{2, 5, 1, 0, 0x00FF8040u}, {-1, 121, 6, -1, 0xFFFFFFFFu}};
    return s;
}
