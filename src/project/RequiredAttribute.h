#pragma once
// Attributes an entry cannot do without: a missing one is logged by the reader that needs it as
// "<reader> - WARNING: missing attribute <name>" and fails that reader.
#include "platform/framework/CString.h"
#include "project/XmlValue.h"

bool ReadRequiredAttribute(const char* reader, const XmlNode& node, const char* name, int& value);
bool ReadRequiredAttribute(const char* reader, const XmlNode& node, const char* name, float& value);
bool ReadRequiredAttribute(const char* reader, const XmlNode& node, const char* name, CString& value);

// "<reader> - WARNING: wrong node <name>" unless the child is named `expected`.
bool IsExpectedNode(const char* reader, const XmlNode& child, const char* expected);
