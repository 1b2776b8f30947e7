#pragma once
// Typed readers of one element text or attribute value. Those without a default log their own
// name with " - WARNING: missing node/attribute." and fail when the node is absent, leaving the
// out value as it was; those with a default store it and succeed silently.
//
// A number that is not finite, or lies outside the range it is read for, is refused on its own:
// the reader logs its name with " - WARNING: wrong value " and the text, the value keeps what it
// held (the readers with a default take the default), and the read still succeeds, so that one
// damaged number costs neither the settings around it nor shows as a date of 1899.
#include <cfloat>

#include "platform/framework/WinTypes.h"
#include "project/XmlValue.h"

struct SXmlNumberRange
{
    double low;
    double high;
};
inline constexpr SXmlNumberRange kAnyFiniteNumber{-DBL_MAX, DBL_MAX};
// Dates as the charts count them, in days since 1899-12-30: the years 100 to 9999, to the last
// millisecond of 31 December 9999.
inline constexpr SXmlNumberRange kXmlDateRange{-657434.0, 2958465.0 + 86399999.0 / 86400000.0};
// A voltage or a scale factor: above 0, as their editors take them.
inline constexpr SXmlNumberRange kXmlPositiveFloat{FLT_MIN, FLT_MAX};
// A length of time in the same unit, up to the whole range of dates.
inline constexpr SXmlNumberRange kXmlDateSpanRange{0.0, kXmlDateRange.high - kXmlDateRange.low};

bool readBOOL(BOOL& value, const XmlValueNode* node);
bool readInt(int& value, const XmlValueNode* node);
bool readDouble(double& value, const XmlValueNode* node, SXmlNumberRange range = kAnyFiniteNumber);
// The same, telling whether a number was there but refused.
bool readDouble(double& value, const XmlValueNode* node, SXmlNumberRange range, bool& refused);
bool readFloat(float& value, const XmlValueNode* node, SXmlNumberRange range = kAnyFiniteNumber);
bool readString(CString& value, const XmlValueNode* node);

bool readBoolOr(bool& value, const XmlValueNode* node, bool defaultValue);
bool readIntOr(int& value, const XmlValueNode* node, int defaultValue);
bool readDoubleOr(double& value, const XmlValueNode* node, double defaultValue);
bool readFloatOr(float& value, const XmlValueNode* node, float defaultValue);
