#pragma once
// One data channel of the chart: points (X as the X axis's value, Y as a float) on a named X
// axis and Y axis, drawn as a line. A point whose Y is not finite is a gap that breaks the line;
// X values never decrease, so that a point is found by its X value.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <vector>

class CPlotChannel
{
public:
    explicit CPlotChannel(CString name) : m_name(std::move(name)) {}

    const CString& GetName() const { return m_name; }
    void SetName(const CString& name) { m_name = name; }
    const CString& GetTitle() const { return m_title; }
    void SetTitle(const CString& title) { m_title = title; }
    const CString& GetXAxisName() const { return m_xAxisName; }
    void SetXAxisName(const CString& name) { m_xAxisName = name; }
    const CString& GetYAxisName() const { return m_yAxisName; }
    void SetYAxisName(const CString& name) { m_yAxisName = name; }
    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF color) { m_color = color; }
    int GetWidth() const { return m_width; }
    void SetWidth(int width) { m_width = width < 1 ? 1 : width; }
    bool IsVisible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    // A disabled channel is kept but neither drawn nor scaled.
    bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }

    void Clear();
    void Reserve(std::size_t count);
    // A point before the last one's X value is refused (false).
    bool AddXY(double x, float y);
    bool AddGap(double x);
    // Points as AddXY one after the other takes them (a Y that is not finite is a gap), in one
    // pass when their X values are in order after the last point's.
    void AddPoints(const double* x, const float* y, std::size_t count);

    int GetCount() const { return int(m_x.size()); }
    double GetXValue(int i) const { return m_x[std::size_t(i)]; }
    float GetYValue(int i) const { return m_y[std::size_t(i)]; }
    const double* XData() const { return m_x.data(); }
    const float* YData() const { return m_y.data(); }
    // The indexes of the points that are gaps, ascending.
    const std::vector<int>& GapIndexes() const { return m_gaps; }
    // The point at or before x; -1 before the first point or without points.
    int GetIndexOfX(double x) const;
    // Over the finite values; false for a channel of only gaps.
    bool GetDataRange(double& minimum, double& maximum) const;
    // The range of the finite values of points still to come, so that a channel fed later is
    // scaled as it will be; the points added then widen it, Clear() forgets it.
    void SetDataRange(float minimum, float maximum);
    double GetDataMin() const;
    double GetDataMax() const;

private:
    CString m_name;
    CString m_title;
    CString m_xAxisName;
    CString m_yAxisName;
    COLORREF m_color = 0;
    int m_width = 1;
    bool m_visible = true;
    bool m_enabled = true;
    std::vector<double> m_x;
    std::vector<float> m_y;
    std::vector<int> m_gaps;
    float m_dataMin = 0.0f;
    float m_dataMax = 0.0f;
    bool m_hasData = false;
};
