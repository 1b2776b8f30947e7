#include "project/UserSessionSettings.h"

#include <glog/logging.h>

#include "project/ProjectManagerSettings.h"

bool SUserSessionSettings::IsAuxOverridden(int channel) const
{
    return auxOverride && GetAux(channel).overrideFlag;
}

void SUserSessionSettings::GetAuxScaling(int quantityId, float& gain, float& offset) const
{
    const int channel = quantityId == kSecondAuxQuantity ? 1 : 0;
    gain = 1.0f;
    offset = 0.0f;
    if (IsAuxOverridden(channel))
    {
        gain = aux[std::size_t(channel)].gain;
        offset = aux[std::size_t(channel)].offset;
    }
}

void SUserSessionSettings::ExportToXml(XmlDocument& doc, XmlNode& parent) const
{
    XmlNode* node = XmlAppendElement(doc, parent, "session");
    XmlAppendAttribute(doc, *node, "name", XmlFromString(doc, name));
    XmlAppendAttribute(doc, *node, "streamName", XmlFromString(doc, streamName));
    XmlAppendAttribute(doc, *node, "studyType", XmlFromUInt(doc, studyType));
    XmlAppendAttribute(doc, *node, "auxOverride", XmlFromBool(doc, auxOverride));
    CProjectManagerSettings::ExportAuxSettings(aux.data(), kAuxChannelCount, doc, *node);
    energyCosts.ExportToXml(doc, *node);
}

bool SUserSessionSettings::ImportFromXml(const XmlNode& node)
{
    const XmlAttribute* nameAttribute = XmlAttributeOf(&node, "name");
    if (!nameAttribute)
    {
        LOG(INFO) << "SUserSessionSettings::ImportFromXml - WARNING: missing attribute name";
        return false;
    }
    name = XmlToString(nameAttribute->value());
    streamName.Empty();
    if (const XmlAttribute* attribute = XmlAttributeOf(&node, "streamName"))
        streamName = XmlToString(attribute->value());
    else
        LOG(INFO) << "SUserSessionSettings::ImportFromXml - WARNING: missing attribute streamName";
    studyType = 0;
    if (const XmlAttribute* attribute = XmlAttributeOf(&node, "studyType"))
        studyType = XmlToUInt(attribute->value());
    else
        LOG(INFO) << "SUserSessionSettings::ImportFromXml - WARNING: missing attribute studyType";
    if (const XmlAttribute* attribute = XmlAttributeOf(&node, "auxOverride"))
        auxOverride = XmlToBool(attribute->value());

    for (const XmlNode* child = node.first_node("auxData"); child; child = child->next_sibling("auxData"))
    {
        if (!CProjectManagerSettings::ImportAuxSetting(aux.data(), kAuxChannelCount, *child))
        {
            LOG(INFO) << "SUserSessionSettings::ImportFromXml - WARNING: fails to parse node auxData";
            return false;
        }
    }
    if (!energyCosts.ImportFromXml(node.first_node("energyCosts")))
    {
        LOG(INFO) << "SUserSessionSettings::ImportFromXml - WARNING: fails to parse node energyCosts";
        energyCosts.Reset();
        return false;
    }
    return true;
}
