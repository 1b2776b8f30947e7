#include "project/XmlReaders.h"

#include <glog/logging.h>

namespace
{
bool Missing(const char* reader)
{
    LOG(INFO) << reader << " - WARNING: missing node/attribute.";
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

bool readDouble(double& value, const XmlValueNode* node)
{
    if (!node)
        return Missing("readDouble");
    value = XmlToDouble(node->value());
    return true;
}

bool readFloat(float& value, const XmlValueNode* node)
{
    if (!node)
        return Missing("readFloat");
    value = XmlToFloat(node->value());
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
    value = node ? XmlToDouble(node->value()) : defaultValue;
    return true;
}

bool readFloatOr(float& value, const XmlValueNode* node, float defaultValue)
{
    value = node ? XmlToFloat(node->value()) : defaultValue;
    return true;
}
