#include "project/EnergyCosts.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include <glog/logging.h>

#include "platform/framework/OneLineText.h"
#include "project/XmlReaders.h"

namespace
{
constexpr int kMinutesPerDay = 1440;

template <typename T>
void InsertAt(std::vector<T>& list, int i, const T& value)
{
    if (i < 0 || std::size_t(i) > list.size())
        throw std::out_of_range("insert position");
    list.insert(list.begin() + i, value);
}

template <typename T>
void RemoveAt(std::vector<T>& list, int i)
{
    if (i < 0 || std::size_t(i) >= list.size())
        throw std::out_of_range("remove position");
    list.erase(list.begin() + i);
}

struct SPiece
{
    int begin;
    int end;
};

// The one or two pieces of the day an interval covers; count 0..2.
int PiecesOf(const SRatioInterval& interval, std::array<SPiece, 2>& pieces)
{
    if (interval.start <= interval.end)
    {
        pieces[0] = {interval.start, interval.end};
        return 1;
    }
    pieces[0] = {interval.start, kMinutesPerDay};
    if (interval.end == 0)
        return 1;
    pieces[1] = {0, interval.end};
    return 2;
}

bool Overlap(const SRatioInterval& a, const SRatioInterval& b)
{
    std::array<SPiece, 2> pa{}, pb{};
    const int na = PiecesOf(a, pa);
    const int nb = PiecesOf(b, pb);
    for (int i = 0; i < na; ++i)
        for (int j = 0; j < nb; ++j)
            if (std::max(pa[i].begin, pb[j].begin) < std::min(pa[i].end, pb[j].end))
                return true;
    return false;
}

CString FormatMinute(int minute)
{
    minute = std::clamp(minute, 0, kMinutesPerDay - 1);
    return CString::Formatted("%02d:%02d", minute / 60, minute % 60);
}
} // namespace

void SRatioData::InsertInterval(int i, const SRatioInterval& interval)
{
    InsertAt(intervals, i, interval);
}

void SRatioData::RemoveInterval(int i)
{
    RemoveAt(intervals, i);
}

void CEnergyCosts::InsertRatio(int i, const SRatioData& ratio)
{
    InsertAt(m_ratios, i, ratio);
}

void CEnergyCosts::RemoveRatio(int i)
{
    RemoveAt(m_ratios, i);
}

bool CEnergyCosts::IntervalOverlaps(int r, int k, const SRatioInterval& candidate) const
{
    r = std::min(r, GetRatioCount() - 1);
    for (int ri = 0; ri <= r; ++ri)
    {
        const SRatioData& ratio = m_ratios[std::size_t(ri)];
        const int count = ri == r ? std::min(k, ratio.GetIntervalCount()) : ratio.GetIntervalCount();
        for (int ki = 0; ki < count; ++ki)
            if (Overlap(ratio.intervals[std::size_t(ki)], candidate))
                return true;
    }
    return false;
}

CString FormatRatioIntervalStart(const SRatioInterval& interval)
{
    return FormatMinute(interval.start);
}

CString FormatRatioIntervalEnd(const SRatioInterval& interval)
{
    return FormatMinute(interval.end);
}

bool SRatioData::ImportFromXml(const XmlNode& node)
{
    readFloatOr(costFwd, XmlAttributeOf(&node, "costFwd"), 0.0f);
    readFloatOr(costRev, XmlAttributeOf(&node, "costRev"), 0.0f);
    for (const XmlNode* child = node.first_node("interval"); child; child = child->next_sibling("interval"))
    {
        SRatioInterval interval;
        static constexpr std::array<const char*, 2> kNames{"start", "end"};
        std::array<int*, 2> values{&interval.start, &interval.end};
        std::array<const XmlAttribute*, 2> attributes{};
        // Both bounds must be there before either is judged.
        for (std::size_t n = 0; n < kNames.size(); ++n)
        {
            attributes[n] = XmlAttributeOf(child, kNames[n]);
            if (!attributes[n])
            {
                LOG(INFO) << "SRatioData::ImportFromXml - WARNING: missing attribute " << kNames[n];
                return false;
            }
        }
        for (std::size_t n = 0; n < kNames.size(); ++n)
        {
            *values[n] = XmlToInt(attributes[n]->value());
            if (*values[n] < 0 || *values[n] >= kMinutesPerDay)
            {
                LOG(INFO) << "SRatioData::ImportFromXml - WARNING: wrong value " << attributes[n]->value()
                          << " for attribute " << kNames[n];
                return false;
            }
        }
        intervals.push_back(interval);
    }
    return true;
}

void CEnergyCosts::ExportToXml(XmlDocument& doc, XmlNode& parent) const
{
    if (!m_enabled)
        return;
    XmlNode* costs = XmlAppendElement(doc, parent, "energyCosts");
    XmlAppendAttribute(doc, *costs, "currency", XmlFromString(doc, m_currency));
    if (m_costFwd != 0.0f)
        XmlAppendAttribute(doc, *costs, "costFwd", XmlFromFloat(doc, m_costFwd));
    if (m_costRev != 0.0f)
        XmlAppendAttribute(doc, *costs, "costRev", XmlFromFloat(doc, m_costRev));
    for (const SRatioData& ratio : m_ratios)
    {
        XmlNode* ratioNode = XmlAppendElement(doc, *costs, "ratio");
        if (ratio.costFwd != 0.0f)
            XmlAppendAttribute(doc, *ratioNode, "costFwd", XmlFromFloat(doc, ratio.costFwd));
        if (ratio.costRev != 0.0f)
            XmlAppendAttribute(doc, *ratioNode, "costRev", XmlFromFloat(doc, ratio.costRev));
        for (const SRatioInterval& interval : ratio.intervals)
        {
            XmlNode* intervalNode = XmlAppendElement(doc, *ratioNode, "interval");
            XmlAppendAttribute(doc, *intervalNode, "start", XmlFromInt(doc, interval.start));
            XmlAppendAttribute(doc, *intervalNode, "end", XmlFromInt(doc, interval.end));
        }
    }
}

bool CEnergyCosts::ImportFromXml(const XmlNode* node)
{
    if (!node)
    {
        Reset();
        return true;
    }
    const XmlAttribute* currency = XmlAttributeOf(node, "currency");
    if (!currency)
    {
        LOG(INFO) << "CEnergyCosts::ImportFromXml - WARNING: missing attribute currency";
        return false;
    }
    m_currency = OneLineText(XmlToString(currency->value()));
    readFloatOr(m_costFwd, XmlAttributeOf(node, "costFwd"), 0.0f);
    readFloatOr(m_costRev, XmlAttributeOf(node, "costRev"), 0.0f);
    for (const XmlNode* child = node->first_node("ratio"); child; child = child->next_sibling("ratio"))
    {
        SRatioData ratio;
        if (!ratio.ImportFromXml(*child))
        {
            LOG(INFO) << "CEnergyCosts::ImportFromXml - WARNING: fails to parse node ratio";
            return false;
        }
        m_ratios.push_back(std::move(ratio));
    }
    m_enabled = true;
    return true;
}
