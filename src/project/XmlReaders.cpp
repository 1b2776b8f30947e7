#include "project/XmlReaders.h"

#include <glog/logging.h>

#include <cmath>

namespace
{
bool Missing(const char* reader)
{
    LOG(INFO) << reader << " - WARNING: missing node/attribute.";
    return false;
}

// Whether the number read from the node's text may be taken; logs the refusal.
bool Acceptable(const char* reader, const XmlValueNode& node, double number, SXmlNumberRange range)
{
    if (std::isfinite(number) && number >= range.low && number <= range.high)
        return true;
    LOG(INFO) << reader << " - WARNING: wrong value " << node.value();
    return false;
}
} // namespace

bool readBOOL(BOOL& value, const XmlValueNode* node)
{
    if (!node)
        return Missing("readBOOL");
    value = XmlToBool(node->value()) ? TRUE : FALSE;
    return true;
}

bool readInt(int& value, const XmlValueNode* node)
{
    if (!node)
        return Missing("readInt");
    value = XmlToInt(node->value());
    return true;
}

bool readDouble(double& value, const XmlValueNode* node, SXmlNumberRange range)
{
    bool refused = false;
    return readDouble(value, node, range, refused);
}

bool readDouble(double& value, const XmlValueNode* node, SXmlNumberRange range, bool& refused)
{
    refused = false;
    if (!node)
        return Missing("readDouble");
    if (const double read = XmlToDouble(node->value()); Acceptable("readDouble", *node, read, range))
        value = read;
    else
        refused = true;
    return true;
}

bool readFloat(float& value, const XmlValueNode* node, SXmlNumberRange range)
{
    if (!node)
        return Missing("readFloat");
    if (const float read = XmlToFloat(node->value()); Acceptable("readFloat", *node, read, range))
        value = read;
    return true;
}

bool readString(CString& value, const XmlValueNode* node)
{
    if (!node)
        return Missing("readString");
    value = XmlToString(node->value());
    return true;
}

bool readBoolOr(bool& value, const XmlValueNode* node, bool defaultValue)
{
    value = node ? XmlToBool(node->value()) : defaultValue;
    return true;
}

bool readIntOr(int& value, const XmlValueNode* node, int defaultValue)
{
    value = node ? XmlToInt(node->value()) : defaultValue;
    return true;
}

bool readDoubleOr(double& value, const XmlValueNode* node, double defaultValue)
{
    value = defaultValue;
    return !node || readDouble(value, node);
}

bool readFloatOr(float& value, const XmlValueNode* node, float defaultValue)
{
    value = defaultValue;
    return !node || readFloat(value, node);
}
