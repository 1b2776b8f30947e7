#pragma once
// Text forms of the values stored in "project.xml". Every form is independent of the process
// locale: the window toolkit sets the C library locale, and a comma decimal separator must
// never reach or be expected in a file. Written texts live in the document's string pool.
#include <rapidxml/rapidxml.hpp>

#include <string>
#include <string_view>

#include "datamodel/HighTime.h"
#include "platform/framework/CString.h"

using XmlDocument = rapidxml::xml_document<char>;
using XmlNode = rapidxml::xml_node<char>;
using XmlAttribute = rapidxml::xml_attribute<char>;
// An element or an attribute: both carry a value text.
using XmlValueNode = rapidxml::xml_base<char>;

// Writers: the value's text, copied into the document's pool.
const char* XmlFromBool(XmlDocument& doc, bool value);          // "1" / "0"
const char* XmlFromInt(XmlDocument& doc, int value);            // decimal
const char* XmlFromUInt(XmlDocument& doc, unsigned value);      // decimal
const char* XmlFromFloat(XmlDocument& doc, float value);        // as printf "%g"
const char* XmlFromDouble(XmlDocument& doc, double value);      // as printf "%.12g", more digits where it reads back otherwise
const char* XmlFromTime(XmlDocument& doc, const CHighTime& value); // 100-ns count; status not kept
const char* XmlFromString(XmlDocument& doc, const CString& value); // UTF-8

// The same forms without a document (for tests and for texts assembled elsewhere).
std::string FormatXmlFloat(float value);
std::string FormatXmlDouble(double value);

// Readers: a null text reads as false / 0; a text that is not a number reads as 0; digits
// are taken as far as they go ("12abc" is 12), as the C library's conversions do.
bool XmlToBool(const char* text);        // any non-zero integer is true
int XmlToInt(const char* text);          // saturates at the 32-bit limits
unsigned XmlToUInt(const char* text);    // a leading '-' negates modulo 2^32; saturates
long long XmlToInt64(const char* text);  // saturates at the 64-bit limits
float XmlToFloat(const char* text);
double XmlToDouble(const char* text);
CHighTime XmlToTime(const char* text);  // a valid time of the 64-bit count
CString XmlToString(const char* text);   // Utf8ToCString; empty for null

// UTF-8 for the document. Invalid sequences (bad lead bytes, cut-short or overlong forms,
// encoded surrogates, code points beyond U+10FFFF) become U+FFFD, one per maximal bad
// subsequence, so that nothing malformed enters the model or the file.
std::string CStringToUtf8(const CString& text);
CString Utf8ToCString(const char* text);

// Tree building: names and texts are copied into the document's pool.
XmlNode* XmlAppendElement(XmlDocument& doc, XmlNode& parent, const char* name, const char* text = nullptr);
void XmlAppendAttribute(XmlDocument& doc, XmlNode& node, const char* name, const char* text);

// The node's name as a view of the document's text.
std::string_view XmlNameOf(const XmlNode& node);
// Child lookup that tolerates a missing parent.
const XmlNode* XmlFirstChild(const XmlNode* parent, const char* name);
// Walking the element children only (text between them is not a child of interest).
const XmlNode* XmlFirstElement(const XmlNode* parent);
const XmlNode* XmlNextElement(const XmlNode* node);
const XmlAttribute* XmlAttributeOf(const XmlNode* node, const char* name);
