#include "project/ImageSettings.h"

void CImageSettings::ExportToXml(XmlDocument& doc, XmlNode& parent) const
{
    XmlNode* node = XmlAppendElement(doc, parent, "image");
    XmlAppendElement(doc, *node, "streamName", XmlFromString(doc, streamName));
    XmlAppendElement(doc, *node, "fileName", XmlFromString(doc, fileName));
    XmlAppendElement(doc, *node, "imageTime", XmlFromTime(doc, imageTime));
    XmlAppendElement(doc, *node, "utcOffset", XmlFromInt(doc, utcOffset));
    XmlAppendElement(doc, *node, "instrument", XmlFromString(doc, instrument));
    XmlAppendElement(doc, *node, "instrumentCpu", XmlFromString(doc, instrumentCpu));
    XmlAppendElement(doc, *node, "instrumentDsp", XmlFromString(doc, instrumentDsp));
    XmlAppendElement(doc, *node, "serialNumber", XmlFromString(doc, serialNumber));
}

bool CImageSettings::ImportFromXml(const XmlNode& node)
{
    for (const XmlNode* child = node.first_node(); child; child = child->next_sibling())
    {
        const std::string_view name(child->name(), child->name_size());
        const char* text = child->value();
        if (name == "streamName")
            streamName = XmlToString(text);
        else if (name == "fileName")
            fileName = XmlToString(text);
        else if (name == "imageTime")
            imageTime = XmlToTime(text);
        else if (name == "utcOffset")
            utcOffset = XmlToInt(text);
        else if (name == "instrument")
            instrument = XmlToString(text);
        else if (name == "instrumentCpu")
            instrumentCpu = XmlToString(text);
        else if (name == "instrumentDsp")
            instrumentDsp = XmlToString(text);
        else if (name == "serialNumber")
            serialNumber = XmlToString(text);
    }
    return !streamName.IsEmpty() && !fileName.IsEmpty();
}
