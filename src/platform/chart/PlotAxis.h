#pragma once
// The axes of the chart. An axis maps its visible range [minimum, minimum + span] onto a
// fraction 0..1 of its length; X axes hold OLE dates, Y axes values. A range that cannot be
// shown (zero or negative span, a value that is not finite) is refused and the axis keeps the
// last valid one, so that no drawing divides by zero.
#include "platform/framework/CString.h"

#include <functional>
#include <vector>

// One custom label: the text at a value; an empty text marks a minor tick.
struct SPlotAxisLabel
{
    double value = 0.0;
    CString text;
};

class CPlotAxis
{
public:
    explicit CPlotAxis(CString name) : m_name(std::move(name)) {}

    const CString& GetName() const { return m_name; }
    void SetName(const CString& name) { m_name = name; }
    bool IsVisible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    const CString& GetTitle() const { return m_title; }
    void SetTitle(const CString& title) { m_title = title; }

    double GetMin() const { return m_min; }
    double GetSpan() const { return m_span; }
    double GetMax() const { return m_min + m_span; }
    // Minimum and span together; false (range unchanged) when they are not a showable range.
    bool SetMinSpan(double minimum, double span);
    static bool IsValidRange(double minimum, double span);

    double ValueToFraction(double value) const { return (value - m_min) / m_span; }
    double FractionToValue(double fraction) const { return m_min + fraction * m_span; }

    // Custom labels replace the plain ones while switched on.
    bool HasCustomLabels() const { return m_customLabels; }
    void SetCustomLabels(bool on) { m_customLabels = on; }
    const std::vector<SPlotAxisLabel>& GetLabels() const { return m_labels; }
    void ClearLabels() { m_labels.clear(); }
    void AddLabel(double value, const CString& text) { m_labels.push_back({value, text}); }

    // The text of a plain label at a value (the X axes' dates, the Y axes' numbers).
    using LabelFormat = std::function<CString(double)>;
    void SetLabelFormat(LabelFormat format) { m_format = std::move(format); }
    CString FormatValue(double value) const;
    // The ticks shown: the custom labels, or plain labels at a nice step (1, 2, 5 x 10^n of the
    // span for values; seconds to days for dates) that leaves at least `minSpacing` of `length`
    // pixels between labels.
    std::vector<SPlotAxisLabel> VisibleTicks(int length, int minSpacing, bool dates) const;

private:
    CString m_name;
    CString m_title;
    bool m_visible = true;
    double m_min = 0.0;
    double m_span = 1.0;
    bool m_customLabels = false;
    std::vector<SPlotAxisLabel> m_labels;
    LabelFormat m_format;
};

// An X axis: dates, stacked at the bottom in index order.
class CPlotXAxis : public CPlotAxis
{
public:
    using CPlotAxis::CPlotAxis;
};

// A Y axis: left of the plot below 50 % position, right from 50 %; scaled by the user
// (manual) or following the visible channels.
class CPlotYAxis : public CPlotAxis
{
public:
    using CPlotAxis::CPlotAxis;

    double GetPosition() const { return m_position; }
    void SetPosition(double percent) { m_position = percent; }
    bool IsRightSide() const { return m_position >= 50.0; }
    bool IsManual() const { return m_manual; }
    void SetManual(bool manual) { m_manual = manual; }

private:
    double m_position = 0.0;
    bool m_manual = false;
};
