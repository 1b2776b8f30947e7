#pragma once
// A graph view stand-in for the table views' tests: its settings, an optional selected range per
// session, and a count of the settings-changed messages it received.
#include "datamodel/HighTime.h"
#include "platform/framework/windows/CWnd.h"
#include "project/BasicViewSettings.h"
#include "study/LinkedGraphView.h"

#include <array>

class CStubLinkedGraph : public CWnd, public ILinkedGraphView
{
public:
    explicit CStubLinkedGraph(int viewId) : settings(viewId) {}

    CWnd* GetGraphWindow() override { return this; }
    CBasicViewSettings* GetGraphSettings() override { return &settings; }
    void SetTableStateText(bool timeRangeTable, const CString& text) override
    {
        (timeRangeTable ? settings.m_tableTimeRangeCollapse : settings.m_tableCollapse) = text;
    }
    int GetStudyKind() const override { return 1; }
    bool GetSelectedTimeRange(int session, CHighTime& b, CHighTime& e) const override
    {
        if (!rangeOn)
            return false;
        b = begin[std::size_t(session)];
        e = end[std::size_t(session)];
        return true;
    }
    float GetNominalVoltageFactor(int) const override { return 1.0f; }
    void UpdateTimeRangeSection() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GRAPH_SETTINGS_CHANGED)
            ++settingsChanges;
        return CWnd::WindowProc(message, wParam, lParam);
    }

    CBasicViewSettings settings;
    bool rangeOn = false;
    std::array<CHighTime, 2> begin;
    std::array<CHighTime, 2> end;
    int settingsChanges = 0;
};
