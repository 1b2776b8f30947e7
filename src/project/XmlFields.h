#pragma once
// Values of an object kept as the texts of its element's children. One table names them once,
// in the order they are written, and serves both writing and reading.
#include <string_view>
#include <type_traits>
#include <variant>

#include "datamodel/HighTime.h"
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"
#include "project/XmlValue.h"

template <typename T>
struct SXmlField
{
    const char* name;
    std::variant<CString T::*, CHighTime T::*, int T::*, WORD T::*> member;
};

// Appends one child element per field, in table order.
template <typename T, typename Fields>
void XmlAppendFields(XmlDocument& doc, XmlNode& node, const T& object, const Fields& fields)
{
    for (const SXmlField<T>& field : fields)
    {
        const char* text = std::visit(
            [&](auto member) {
                const auto& value = object.*member;
                using Value = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, CString>)
                    return XmlFromString(doc, value);
                else if constexpr (std::is_same_v<Value, CHighTime>)
                    return XmlFromTime(doc, value);
                else if constexpr (std::is_same_v<Value, int>)
                    return XmlFromInt(doc, value);
                else
                    return XmlFromUInt(doc, value);
            },
            field.member);
        XmlAppendElement(doc, node, field.name, text);
    }
}

// Stores the text in the field of that name; false when no field has the name.
template <typename T, typename Fields>
bool XmlReadField(T& object, const Fields& fields, std::string_view name, const char* text)
{
    for (const SXmlField<T>& field : fields)
    {
        if (name != field.name)
            continue;
        std::visit(
            [&](auto member) {
                auto& value = object.*member;
                using Value = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, CString>)
                    value = XmlToString(text);
                else if constexpr (std::is_same_v<Value, CHighTime>)
                    value = XmlToTime(text);
                else if constexpr (std::is_same_v<Value, int>)
                    value = XmlToInt(text);
                else
                    value = WORD(XmlToUInt(text));
            },
            field.member);
        return true;
    }
    return false;
}
