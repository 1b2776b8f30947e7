#include "project/ImageSettings.h"

#include <array>

#include "project/XmlFields.h"

namespace
{
constexpr std::array<SXmlField<CImageSettings>, 8> kFields{{
    {"streamName", &CImageSettings::streamName},
    {"fileName", &CImageSettings::fileName},
    {"imageTime", &CImageSettings::imageTime},
    {"utcOffset", &CImageSettings::utcOffset},
    {"instrument", &CImageSettings::instrument},
    {"instrumentCpu", &CImageSettings::instrumentCpu},
    {"instrumentDsp", &CImageSettings::instrumentDsp},
    {"serialNumber", &CImageSettings::serialNumber},
}};
} // namespace

void CImageSettings::ExportToXml(XmlDocument& doc, XmlNode& parent) const
{
    XmlAppendFields(doc, *XmlAppendElement(doc, parent, "image"), *this, kFields);
}

bool CImageSettings::ImportFromXml(const XmlNode& node)
{
    for (const XmlNode* child = node.first_node(); child; child = child->next_sibling())
        XmlReadField(*this, kFields, XmlNameOf(*child), child->value());
    return !streamName.IsEmpty() && !fileName.IsEmpty();
}
