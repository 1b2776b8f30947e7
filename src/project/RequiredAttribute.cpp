#include "project/RequiredAttribute.h"

#include <string_view>

#include <glog/logging.h>

#include "project/XmlReaders.h"

namespace
{
const XmlAttribute* Require(const char* reader, const XmlNode& node, const char* name)
{
    const XmlAttribute* attribute = XmlAttributeOf(&node, name);
    if (!attribute)
        LOG(INFO) << reader << " - WARNING: missing attribute " << name;
    return attribute;
}
} // namespace

bool ReadRequiredAttribute(const char* reader, const XmlNode& node, const char* name, int& value)
{
    const XmlAttribute* attribute = Require(reader, node, name);
    if (attribute)
        value = XmlToInt(attribute->value());
    return attribute != nullptr;
}

bool ReadRequiredAttribute(const char* reader, const XmlNode& node, const char* name, float& value)
{
    const XmlAttribute* attribute = Require(reader, node, name);
    return attribute && readFloat(value, attribute);
}

bool ReadRequiredAttribute(const char* reader, const XmlNode& node, const char* name, CString& value)
{
    const XmlAttribute* attribute = Require(reader, node, name);
    if (attribute)
        value = XmlToString(attribute->value());
    return attribute != nullptr;
}

bool IsExpectedNode(const char* reader, const XmlNode& child, const char* expected)
{
    const std::string_view name = XmlNameOf(child);
    if (name == expected)
        return true;
    LOG(INFO) << reader << " - WARNING: wrong node " << name;
    return false;
}
