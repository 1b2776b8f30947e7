#pragma once
// A session's energy tariff: basic forward/reverse prices and any number of time-of-day ratios,
// each a pair of prices in force during its intervals of the day.
#include <vector>

#include "platform/framework/CString.h"
#include "project/XmlValue.h"

// Minutes of the day. start <= end covers [start, end); start > end crosses midnight and covers
// [start, 1440) and [0, end), so an end of 0 means "until midnight".
struct SRatioInterval
{
    int start = 0;
    int end = 0;

    friend bool operator==(const SRatioInterval&, const SRatioInterval&) = default;
};

struct SRatioData
{
    float costFwd = 0.0f;
    float costRev = 0.0f;
    std::vector<SRatioInterval> intervals;

    int GetIntervalCount() const { return int(intervals.size()); }
    const SRatioInterval& GetInterval(int i) const { return intervals.at(std::size_t(i)); }
    SRatioInterval& GetInterval(int i) { return intervals.at(std::size_t(i)); }
    void AddInterval(const SRatioInterval& interval) { intervals.push_back(interval); }
    void InsertInterval(int i, const SRatioInterval& interval);
    void RemoveInterval(int i);

    bool ImportFromXml(const XmlNode& node);

    friend bool operator==(const SRatioData&, const SRatioData&) = default;
};

class CEnergyCosts
{
public:
    void Reset() { *this = CEnergyCosts(); }

    bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    const CStringW& GetCurrency() const { return m_currency; }
    void SetCurrency(const CStringW& currency) { m_currency = currency; }
    float GetCostFwd() const { return m_costFwd; }
    void SetCostFwd(float cost) { m_costFwd = cost; }
    float GetCostRev() const { return m_costRev; }
    void SetCostRev(float cost) { m_costRev = cost; }

    int GetRatioCount() const { return int(m_ratios.size()); }
    const SRatioData& GetRatio(int i) const { return m_ratios.at(std::size_t(i)); }
    SRatioData& GetRatio(int i) { return m_ratios.at(std::size_t(i)); }
    void AddRatio(const SRatioData& ratio) { m_ratios.push_back(ratio); }
    void InsertRatio(int i, const SRatioData& ratio);
    void RemoveRatio(int i);

    // Whether the candidate shares a minute with an interval of ratios 0..r (of ratio r only
    // the intervals before k). Intervals that merely touch do not overlap.
    bool IntervalOverlaps(int r, int k, const SRatioInterval& candidate) const;

    // Writes the energyCosts element under the parent; a disabled tariff writes nothing.
    void ExportToXml(XmlDocument& doc, XmlNode& parent) const;
    // Null element: the tariff is reset. Ratios read are appended to those held.
    bool ImportFromXml(const XmlNode* node);

    friend bool operator==(const CEnergyCosts&, const CEnergyCosts&) = default;

private:
    bool m_enabled = false;
    CStringW m_currency;
    float m_costFwd = 0.0f;
    float m_costRev = 0.0f;
    std::vector<SRatioData> m_ratios;
};

// "hh:mm" of an interval bound, the minute clamped to 0..1439.
CString FormatRatioIntervalStart(const SRatioInterval& interval);
CString FormatRatioIntervalEnd(const SRatioInterval& interval);
