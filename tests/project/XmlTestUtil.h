#pragma once
// Printing and parsing "project.xml" fragments in tests.
#include <rapidxml/rapidxml_print.hpp>

#include <iterator>
#include <string>

#include "project/XmlValue.h"

inline std::string PrintXml(const XmlDocument& doc)
{
    std::string text;
    rapidxml::print(std::back_inserter(text), doc, 0);
    return text;
}

// An element printed on one line, for comparing small fragments.
inline std::string PrintCompact(const XmlNode& node)
{
    std::string text;
    rapidxml::print(std::back_inserter(text), node, rapidxml::print_no_indenting);
    return text;
}

// A parsed document together with the buffer it was parsed in place from.
class ParsedXml
{
public:
    explicit ParsedXml(std::string text) : m_buffer(std::move(text)) { m_doc.parse<0>(m_buffer.data()); }
    ParsedXml(const ParsedXml&) = delete;
    ParsedXml& operator=(const ParsedXml&) = delete;

    const XmlNode* Root() const { return m_doc.first_node(); }
    const XmlNode* Child(const char* name) const { return Root() ? Root()->first_node(name) : nullptr; }

private:
    std::string m_buffer;
    XmlDocument m_doc;
};
