#pragma once
// Shared pieces of the chart tests: a chart with one X and one Y axis of known ranges, and a
// sink that records the events fired.
#include "platform/chart/CiPlotX.h"
#include "platform/chart/PlotPicture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class RecordingSink : public IPlotEventSink
{
public:
    std::vector<SPlotEvent> events;
    std::function<void(SPlotEvent&)> answer;

    void OnPlotEvent(SPlotEvent& event) override
    {
        if (answer)
            answer(event);
        events.push_back(event);
    }
    std::vector<int> Ids(std::initializer_list<int> skip = {}) const
    {
        std::vector<int> ids;
        for (const auto& e : events)
            if (std::find(skip.begin(), skip.end(), e.id) == skip.end())
                ids.push_back(e.id);
        return ids;
    }
    const SPlotEvent* Last(int id) const
    {
        for (auto it = events.rbegin(); it != events.rend(); ++it)
            if (it->id == id)
                return &*it;
        return nullptr;
    }
};

// X from 0 to 100, Y from 0 to 10, one channel "ch" on them.
inline void SetUpSimpleChart(CiPlotX& chart, int width = 400, int height = 300)
{
    chart.SetPictureSize(width, height);
    chart.AddXAxis("XAxis0");
    chart.SetXAxisRange(0, 0.0, 100.0);
    const int y = chart.AddYAxis("YAxis0");
    chart.GetYAxis(y)->SetManual(true);
    chart.SetYAxisRange(y, 0.0, 10.0);
    chart.AddChannel("ch", "XAxis0", "YAxis0");
    chart.GetChannel(0)->SetColor(RGB(0, 0, 255));
    chart.RecalcLayout();
}

inline QRgb Pixel(CiPlotX& chart, double x, double y)
{
    return chart.Picture().image.pixel(int(std::lround(x)), int(std::lround(y)));
}
