#include "project/MeasurementSettings.h"

#include <cstring>

#include "datamodel/MeasurementConfig.h"
#include "platform/framework/SystemTime.h"
#include "project/XmlReaders.h"

namespace
{
constexpr std::array<const char*, CMeasurementSettings::kScaleFactorCount> kPhaseElements{
    "phaseA", "phaseB", "phaseC", "phaseN", "phaseG"};

constexpr int kMaxDescriptionCharacters = 256;

// The text cut after `count` characters (not bytes: the text is UTF-8).
CStringW LeadingCharacters(const CStringW& text, int count)
{
    const std::string& bytes = text.str();
    std::size_t at = 0;
    for (int n = 0; at < bytes.size(); ++at)
        if ((static_cast<unsigned char>(bytes[at]) & 0xC0) != 0x80 && n++ == count)
            break;
    return CStringW(bytes.substr(0, at));
}

CHighTime NullTime()
{
    CHighTime time;
    time.SetStatus(CHighTime::null);
    return time;
}
} // namespace

CMeasurementSettings::CMeasurementSettings()
    : m_startTime(NullTime()), m_endTime(NullTime())
{
    m_currentScaleFactors.fill(1.0f);
}

void CMeasurementSettings::SetTimesFromRecord(const void* record)
{
    FILETIME times[2];
    std::memcpy(times, record, sizeof times);
    m_startTime = CHighTime(times[0]);
    m_endTime = CHighTime(times[1]);
}

void CMeasurementSettings::SetFromConfigRecord(const CMeasurementConfig& config)
{
    m_studyType = WORD(config.GetStudyType());
    m_description = LeadingCharacters(config.GetDescription(), kMaxDescriptionCharacters);
}

const std::array<SXmlField<CMeasurementSettings>, 8> CMeasurementSettings::kXmlFields{{
    {"streamName", &CMeasurementSettings::m_streamName},
    {"fileName", &CMeasurementSettings::m_fileName},
    {"startTime", &CMeasurementSettings::m_startTime},
    {"endTime", &CMeasurementSettings::m_endTime},
    {"studyType", &CMeasurementSettings::m_studyType},
    {"description", &CMeasurementSettings::m_description},
    {"appVersion", &CMeasurementSettings::m_appVersion},
    {"appBuild", &CMeasurementSettings::m_appBuild},
}};

void CMeasurementSettings::ExportToXml(XmlDocument& doc, XmlNode& parent) const
{
    XmlNode* node = XmlAppendElement(doc, parent, "measurement");
    XmlAppendFields(doc, *node, *this, kXmlFields);
    bool allOne = true;
    for (const float factor : m_currentScaleFactors)
        allOne = allOne && factor == 1.0f;
    if (allOne)
        return;
    XmlNode* factors = XmlAppendElement(doc, *node, "currentScaleFactors");
    for (std::size_t phase = 0; phase < kPhaseElements.size(); ++phase)
        XmlAppendElement(doc, *factors, kPhaseElements[phase], XmlFromFloat(doc, m_currentScaleFactors[phase]));
}

bool CMeasurementSettings::ImportFromXml(const XmlNode& node)
{
    for (const XmlNode* child = node.first_node(); child; child = child->next_sibling())
    {
        const std::string_view name = XmlNameOf(*child);
        if (XmlReadField(*this, kXmlFields, name, child->value()))
            continue;
        if (name == "currentScaleFactors")
        {
            for (const XmlNode* factor = child->first_node(); factor; factor = factor->next_sibling())
                for (std::size_t phase = 0; phase < kPhaseElements.size(); ++phase)
                    if (XmlNameOf(*factor) == kPhaseElements[phase])
                        readFloat(m_currentScaleFactors[phase], factor, kXmlPositiveFloat);
        }
    }
    return !m_streamName.IsEmpty() && !m_fileName.IsEmpty();
}
