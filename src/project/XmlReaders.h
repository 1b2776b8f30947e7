#pragma once
// Typed readers of one element text or attribute value. Those without a default log their own
// name with " - WARNING: missing node/attribute." and fail when the node is absent, leaving the
// out value as it was; those with a default store it and succeed silently.
#include "platform/framework/WinTypes.h"
#include "project/XmlValue.h"

bool readBOOL(BOOL& value, const XmlValueNode* node);
bool readInt(int& value, const XmlValueNode* node);
bool readDouble(double& value, const XmlValueNode* node);
bool readFloat(float& value, const XmlValueNode* node);
bool readString(CString& value, const XmlValueNode* node);

bool readBoolOr(bool& value, const XmlValueNode* node, bool defaultValue);
bool readIntOr(int& value, const XmlValueNode* node, int defaultValue);
bool readDoubleOr(double& value, const XmlValueNode* node, double defaultValue);
bool readFloatOr(float& value, const XmlValueNode* node, float defaultValue);
